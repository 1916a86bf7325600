// Delimiter-separated text files: writing the save range, reading with delimiter detection.
// Quoted fields may hold line breaks (as spreadsheets write them); the reader carries such a
// field across line ends, so one record is one grid row whatever the cell texts hold.
#include <cmath>
#include <vector>

#include "framework/classes/classes.h"
#include "framework/services/atomicfile.h"
#include "framework/system/sysutils.h"
#include "grid/core/footer.h"
#include "grid/core/text_conversion.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_utils.h"

namespace {

const QChar Quote = QLatin1Char('"');
const QChar VTab = QChar(11);

bool IsLineEnd(QChar C) { return C == QLatin1Char('\r') || C == QLatin1Char('\n'); }

bool HasLineBreak(const QString &S)
{
  return S.contains(QLatin1Char('\r')) || S.contains(QLatin1Char('\n'));
}

// Every line break (CR LF, CR or LF) becomes one "~".
QString LineBreaksToTilde(const QString &S)
{
  QString R;
  R.reserve(S.size());
  for (qsizetype I = 0; I < S.size(); ++I) {
    const QChar C = S[I];
    if (C == QLatin1Char('\r')) {
      R += QLatin1Char('~');
      if (I + 1 < S.size() && S[I + 1] == QLatin1Char('\n'))
        ++I;
    } else if (C == QLatin1Char('\n')) {
      R += QLatin1Char('~');
    } else {
      R += C;
    }
  }
  return R;
}

struct TCSVWriteOptions {
  QChar Delim;
  bool Java, Always, QuoteEmpty, Oem;
};

QString EncodeField(const QString &Text, const TCSVWriteOptions &O)
{
  const bool hasQuote = Text.contains(Quote);
  QString s = hasQuote ? DoubleQuotes(Text) : Text;
  if (O.Oem)
    TextToOem(s);
  if (s.isEmpty())
    return O.Always || (!O.Java && O.QuoteEmpty) ? QStringLiteral("\"\"")
           : O.Java                              ? QStringLiteral("^")
                                                 : QString();
  const bool breaks = HasLineBreak(s);
  if (O.Java && breaks)
    s = LineBreaksToTilde(s);
  // Line breaks stay inside the quotes: a reader that knows quoting keeps the record whole.
  if (O.Always || hasQuote || s.contains(O.Delim) || (breaks && !O.Java))
    return Quote + s + Quote;
  return s;
}

// One record at a time. Leading blanks of a field are dropped (one stays at a line's end);
// a field opened by a quote runs to the end of the first odd run of quotes, across line ends;
// text between that quote and the next delimiter is kept after the field's text. A quote
// that is never closed takes the rest of its line only, so a damaged field costs one row.
class TCSVReader {
public:
  TCSVReader(const QString &Text, QChar Delim) : FText(Text), FData(Text.constData()), FEnd(Text.size()), FDelim(Delim) {}

  bool AtEnd() const { return FPos >= FEnd; }

  void Next(std::vector<QString> &Fields)
  {
    Fields.clear();
    for (;;) {
      SkipBlanks();
      if (FPos >= FEnd || IsLineEnd(FData[FPos]))
        break;
      QString field;
      if (FData[FPos] == Quote) {
        if (!ReadQuoted(field)) {
          Fields.push_back(field);
          break;
        }
      } else {
        const qsizetype start = FPos;
        while (FPos < FEnd && FData[FPos] != FDelim && !IsLineEnd(FData[FPos]))
          ++FPos;
        field = FText.mid(start, FPos - start);
      }
      Fields.push_back(field);
      if (FPos < FEnd && FData[FPos] == FDelim && !FDelim.isNull()) {
        ++FPos;
        continue;
      }
      break;
    }
    SkipLineEnd();
  }

private:
  const QString &FText;
  const QChar *FData;
  qsizetype FEnd;
  qsizetype FPos = 0;
  QChar FDelim;

  void SkipBlanks()
  {
    if (FDelim == QLatin1Char(' '))
      return;
    qsizetype p = FPos;
    while (p < FEnd && FData[p] == QLatin1Char(' '))
      ++p;
    if (p > FPos && (p >= FEnd || IsLineEnd(FData[p])))
      --p;
    FPos = p;
  }

  void SkipLineEnd()
  {
    // A field ended by an unclosed quote leaves the reader on its line: drop that line's rest.
    while (FPos < FEnd && !IsLineEnd(FData[FPos]))
      ++FPos;
    if (FPos < FEnd && FData[FPos] == QLatin1Char('\r'))
      ++FPos;
    if (FPos < FEnd && FData[FPos] == QLatin1Char('\n'))
      ++FPos;
  }

  // False when the quote is never closed: Field then holds the rest of the line.
  bool ReadQuoted(QString &Field)
  {
    const qsizetype open = FPos;
    qsizetype p = open + 1;
    while (p < FEnd) {
      if (FData[p] != Quote) {
        ++p;
        continue;
      }
      qsizetype run = 0;
      while (p + run < FEnd && FData[p + run] == Quote)
        ++run;
      if (run % 2 == 1) {
        Field = CollapseDoubledChar(Quote, FText.mid(open + 1, p + run - 1 - open - 1));
        FPos = p + run;
        const qsizetype junk = FPos;
        while (FPos < FEnd && FData[FPos] != FDelim && !IsLineEnd(FData[FPos]))
          ++FPos;
        if (FPos > junk)
          Field += FText.mid(junk, FPos - junk);
        return true;
      }
      p += run;
    }
    qsizetype eol = open + 1;
    while (eol < FEnd && !IsLineEnd(FData[eol]))
      ++eol;
    Field = CollapseDoubledChar(Quote, FText.mid(open + 1, eol - open - 1));
    FPos = eol;
    return false;
  }
};

// The raw text of the first Count records, a line end closing a record only outside quotes.
QStringList FirstRecords(const QString &Text, int Count)
{
  QStringList R;
  qsizetype start = 0, i = 0;
  bool inQuotes = false;
  const qsizetype n = Text.size();
  while (i < n && R.size() < Count) {
    const QChar c = Text[i];
    if (c == Quote) {
      inQuotes = !inQuotes;
      ++i;
    } else if (IsLineEnd(c) && !inQuotes) {
      R << Text.mid(start, i - start);
      if (c == QLatin1Char('\r') && i + 1 < n && Text[i + 1] == QLatin1Char('\n'))
        ++i;
      start = ++i;
    } else {
      ++i;
    }
  }
  if (R.size() < Count && start < n)
    R << Text.mid(start);
  return R;
}

int CountRecords(const QString &Text)
{
  int count = 0;
  bool inQuotes = false, inRecord = false;
  const qsizetype n = Text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = Text[i];
    if (c == Quote)
      inQuotes = !inQuotes;
    if (IsLineEnd(c) && !inQuotes) {
      if (c == QLatin1Char('\r') && i + 1 < n && Text[i + 1] == QLatin1Char('\n'))
        ++i;
      ++count;
      inRecord = false;
    } else {
      inRecord = true;
    }
  }
  return count + (inRecord ? 1 : 0);
}

// The candidate that splits the first two records alike, by unpaired, then plain counts, then
// the largest count in either; a null character when none occurs.
QChar DetectDelimiter(const QString &Text)
{
  static const char Candidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};
  const QStringList first = FirstRecords(Text, 2);
  const QString l1 = first.value(0), l2 = first.value(1);
  QChar found;
  int best = 0;
  for (int pass = 0; pass < 2 && found.isNull(); ++pass)
    for (char c : Candidates) {
      const QChar d = QLatin1Char(c);
      const int n1 = pass == 0 ? CountUnpairedChar(d, l1) : CountChar(d, l1);
      const int n2 = pass == 0 ? CountUnpairedChar(d, l2) : CountChar(d, l2);
      if (n1 == n2 && n1 > best) {
        found = d;
        best = n1;
      }
    }
  if (found.isNull())
    for (char c : Candidates) {
      const QChar d = QLatin1Char(c);
      const int n1 = CountChar(d, l1), n2 = CountChar(d, l2);
      if (n1 > best || n2 > best) {
        found = d;
        best = std::max(n1, n2);
      }
    }
  return found;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Writing

QString TZavStringGrid::CSVText()
{
  const TCSVWriteOptions o{FDelimiter.isNull() ? QLatin1Char(',') : FDelimiter, FJavaCSV, FAlwaysQuotes,
                           FQuoteEmptyCells, FOemConvert};
  const int hidden = FSaveHiddenCells ? NumHiddenColumns() : 0;
  const int firstRow = SaveStartRow(), lastRow = SaveEndRow();
  const int firstCol = SaveStartCol(), lastCol = SaveEndCol() + hidden;
  QString out;
  out.reserve(qsizetype(std::max(0, lastRow - firstRow + 1)) * std::max(1, lastCol - firstCol + 1) * 8);
  ExportNotification(int(esExportStart), firstRow);
  int lastPercent = -1;
  for (int r = firstRow; r <= lastRow; ++r) {
    ExportNotification(int(esExportNextRow), r);
    for (int d = firstCol; d <= lastCol; ++d) {
      if (d != firstCol)
        out += o.Delim;
      out += EncodeField(GetSaveCellText(FSaveHiddenCells ? d : DisplToRealCol(d), r), o);
    }
    out += QLatin1String("\r\n");
    if (OnFileProgress) {
      const int percent = int(std::nearbyint(double(r) / std::max(1, RowCount() - 1) * 100));
      if (percent != lastPercent) {
        lastPercent = percent;
        OnFileProgress(this, int16_t(percent));
      }
    }
  }
  ExportNotification(int(esExportDone), -1);
  return out;
}

void TZavStringGrid::WriteCSVFile(const QString &FileName, const QString &Before, bool Unicode)
{
  const QString text = Before + CSVText();
  const TEncoding enc = Unicode ? TEncoding::UTF8 : TEncoding::ANSI;
  WriteFileAtomicOrRaise(FileName, EncodingPreamble(enc) + EncodeText(text, enc));
}

void TZavStringGrid::SaveToCSV(const QString &FileName, bool Unicode) { WriteCSVFile(FileName, QString(), Unicode); }

void TZavStringGrid::AppendToCSV(const QString &FileName, bool Unicode)
{
  TMemoryStream existing;
  existing.LoadFromFile(FileName);
  TEncoding found = TEncoding::ANSI;
  QString before = DecodeTextDetect(existing.Bytes(), &found);
  if (!before.isEmpty() && !IsLineEnd(before.back()))
    before += QLatin1String("\r\n");
  // A Unicode file stays Unicode: its texts would not all survive the ANSI code page.
  WriteCSVFile(FileName, before, Unicode || found != TEncoding::ANSI);
}

// ---------------------------------------------------------------------------------------------
// Reading

void TZavStringGrid::LoadFromCSV(const QString &FileName, int MaxRows)
{
  TMemoryStream data;
  data.LoadFromFile(FileName);
  if (data.Size() == 0)
    return;
  ReadCSVText(DecodeTextDetect(data.Bytes()), MaxRows, false);
}

void TZavStringGrid::InsertFromCSV(const QString &FileName, int MaxRows)
{
  TMemoryStream data;
  data.LoadFromFile(FileName);
  if (data.Size() == 0)
    return;
  ReadCSVText(DecodeTextDetect(data.Bytes()), MaxRows, true);
}

void TZavStringGrid::LoadFromCSVStream(TStream *AStream, int MaxRows)
{
  ReadCSVText(DecodeTextDetect(AStream->ReadRemaining()), MaxRows, false);
}

void TZavStringGrid::ReadCSVText(const QString &Source, int MaxRows, bool Insert)
{
  if (Source.isEmpty())
    throw Exception(QStringLiteral("File is empty"));
  QString text = Source;
  if (FOemConvert)
    OemToText(text);

  const int cols = AllColCount();
  auto rowTexts = [&](int ARow) {
    QStringList texts;
    for (int c = 0; c < cols; ++c) {
      texts << GridCells(c, ARow);
      SetGridCells(c, ARow, QString());
    }
    return texts;
  };
  // The footer rows keep their texts below the data: they are set aside and written back.
  const bool floating = FFloatingFooter && FFloatingFooter->Visible();
  QStringList floatingTexts;
  std::vector<QStringList> footerTexts;
  int target = SaveStartRow();
  if (Insert && floating && RowCount() > 0) {
    target = RowCount() - 1;
    floatingTexts = rowTexts(target);
  } else {
    if (!floating)
      for (int r = std::max(0, RowCount() - FixedFooters()); r < RowCount(); ++r)
        footerTexts.push_back(rowTexts(r));
    if (Insert)
      target = RowCount() - int(footerTexts.size());
  }

  const QChar delim = FDelimiter.isNull() ? DetectDelimiter(text) : FDelimiter;
  TCSVReader reader(text, delim);
  std::vector<QString> fields;
  if (!FLoadFirstRow && !reader.AtEnd())
    reader.Next(fields);

  int lineCount = 0;
  if (OnFileProgress) {
    const int n = CountRecords(text);
    lineCount = n - (FLoadFirstRow ? 0 : 1);
    SetRowCount(Insert ? n + RowCount() : SaveStartRow() + n + FixedFooters());
  }
  const int startCol = SaveStartCol();
  const int hiddenOffset = FSaveHiddenCells ? NumHiddenColumns() : 0;
  int read = 0, lastPercent = -1;
  while (!reader.AtEnd() && (MaxRows <= 0 || read < MaxRows)) {
    if (target >= RowCount() - FixedFooters())
      SetRowCount(target + 1000);
    reader.Next(fields);
    const int needed = startCol + int(fields.size()) - hiddenOffset;
    if (needed > ColCount())
      SetColCount(needed);
    for (size_t k = 0; k < fields.size(); ++k) {
      QString &f = fields[k];
      if (FJavaCSV)
        TildeToCRLF(f);
      else if (f.contains(VTab))
        VTabToCRLF(f);
      SetLoadedCellText(startCol + int(k), target, f);
    }
    ++target;
    ++read;
    if (OnFileProgress && lineCount > 0) {
      const int percent = int(std::lround(double(read) / lineCount * 100));
      if (percent != lastPercent) {
        lastPercent = percent;
        OnFileProgress(this, int16_t(percent));
      }
    }
  }
  SetRowCount(target + FixedFooters());
  for (size_t i = 0; i < footerTexts.size() && target + int(i) < RowCount(); ++i)
    for (int c = 0; c < footerTexts[i].size(); ++c)
      SetGridCells(c, target + int(i), footerTexts[i][c]);
  if (floating && Insert && RowCount() > 0)
    for (int c = 0; c < floatingTexts.size(); ++c)
      SetGridCells(c, RowCount() - 1, floatingTexts[c]);
  DoCellsChanged(TRect(0, 0, ColCount(), RowCount()));
  CellsLoaded();
}
