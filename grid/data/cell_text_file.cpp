// The grid's own line format of its cells: a size line "columns,rows", one "cw column,width" line
// per column and one "column,row,text" line per non-empty cell. The file holds it in Windows-1252
// or UTF-16LE with a byte-order mark; the stream (AssignCells) as raw UTF-16LE lines.
// Readers check the whole input before they change the grid, so a refused or damaged input
// leaves it as it was, and they run without pumping window messages.
#include "grid/core/zav_string_grid.h"

#include "framework/services/atomicfile.h"
#include "framework/system/codepages.h"
#include "grid/core/grid_error.h"
#include "grid/core/text_conversion.h"
#include "grid/foundation/grid_utils.h"

#include <cmath>

namespace {

constexpr QChar CR = QChar(13);
constexpr QChar LF = QChar(10);

// Every line break (CR LF, lone LF, lone CR) as CR LF in its one-line form (CR #9, LF #8), so
// that no text can break a line of the file and every break reads back as CR LF.
QString EncodeCellText(const QString &Text)
{
  const qsizetype n = Text.size();
  qsizetype i = 0;
  const QChar *p = Text.constData();
  while (i < n && p[i] != CR && p[i] != LF)
    ++i;
  if (i == n)
    return Text;
  QString t;
  t.reserve(n + 8);
  for (i = 0; i < n; ++i) {
    if (p[i] == CR) {
      t += QStringLiteral("\r\n");
      if (i + 1 < n && p[i + 1] == LF)
        ++i;
    } else if (p[i] == LF) {
      t += QStringLiteral("\r\n");
    } else {
      t += p[i];
    }
  }
  return EncodeLineBreaks(t);
}

// A decimal integer, optionally negative, nothing else.
bool ParseDecimal(QStringView S, int64_t &Value)
{
  qsizetype i = 0;
  const bool neg = !S.isEmpty() && S[0] == QLatin1Char('-');
  if (neg)
    ++i;
  if (i == S.size() || S.size() - i > 12)
    return false;
  int64_t v = 0;
  for (; i < S.size(); ++i) {
    const char16_t c = S[i].unicode();
    if (c < u'0' || c > u'9')
      return false;
    v = v * 10 + (c - u'0');
  }
  Value = neg ? -v : v;
  return true;
}

bool ParseInt(QStringView S, int &Value)
{
  int64_t v = 0;
  if (!ParseDecimal(S, v) || v < INT32_MIN || v > INT32_MAX)
    return false;
  Value = int(v);
  return true;
}

// Lines split at CR LF, CR or LF.
std::vector<QStringView> SplitLines(const QString &Text)
{
  std::vector<QStringView> lines;
  const QChar *p = Text.constData();
  const qsizetype n = Text.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    if (p[i] != CR && p[i] != LF)
      continue;
    lines.emplace_back(p + start, i - start);
    if (p[i] == CR && i + 1 < n && p[i + 1] == LF)
      ++i;
    start = i + 1;
  }
  if (start < n)
    lines.emplace_back(p + start, n - start);
  return lines;
}

void AppendInt(QString &Out, int64_t V) { Out += QString::number(V); }

// Fires OnFileProgress when the rounded percentage changes (halves to even).
struct TProgress {
  const TGridProgressEvent &Event;
  TObject *Sender;
  int Last = -1;
  void Report(int Index, int Count)
  {
    if (!Event)
      return;
    const int pct = int(std::nearbyint(double(Index) / std::max(1, Count - 1) * 100.0));
    if (pct == Last)
      return;
    Last = pct;
    Event(Sender, int16_t(pct));
  }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Writing

std::vector<int> TZavStringGrid::CellTextColumns(bool WithHidden) const
{
  std::vector<int> cols;
  if (WithHidden) {
    for (int c = SaveStartCol(); c <= SaveEndCol() + NumHiddenColumns(); ++c)
      cols.push_back(c);
  } else {
    for (int d = SaveStartCol(); d <= SaveEndCol(); ++d)
      cols.push_back(RealColIndex(d));
  }
  return cols;
}

// Cell lines of the save range; columns are numbered from SaveStartCol in the order of
// CellTextColumns, rows are the grid's; Relative takes both from the save range's start.
void TZavStringGrid::AppendCellLines(QString &Out, const std::vector<int> &Cols, bool Relative, bool Progress)
{
  const int c0 = Relative ? 0 : SaveStartCol();
  const int r0 = Relative ? SaveStartRow() : 0;
  TProgress progress{OnFileProgress, this};
  ExportNotification(int(esExportStart), SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(int(esExportNextRow), r);
    for (size_t i = 0; i < Cols.size(); ++i) {
      const QString text = GetSaveCellText(Cols[i], r);
      if (text.isEmpty())
        continue;
      AppendInt(Out, c0 + int(i));
      Out += QLatin1Char(',');
      AppendInt(Out, r - r0);
      Out += QLatin1Char(',');
      Out += EncodeCellText(text);
      Out += QStringLiteral("\r\n");
    }
    if (Progress)
      progress.Report(r, SaveRowCount());
  }
  ExportNotification(int(esExportDone), -1);
}

void TZavStringGrid::SaveToFile(const QString &FileName, bool Unicode)
{
  const bool hidden = FSaveHiddenCells;
  const std::vector<int> cols = CellTextColumns(hidden);
  QString out;
  AppendInt(out, SaveColCount() + (hidden ? NumHiddenColumns() : 0));
  out += QLatin1Char(',');
  AppendInt(out, SaveRowCount());
  out += QStringLiteral("\r\n");
  for (size_t i = 0; i < cols.size(); ++i) {
    out += QStringLiteral("cw ");
    AppendInt(out, SaveStartCol() + int(i));
    out += QLatin1Char(',');
    AppendInt(out, hidden ? AllColWidths(cols[i]) : ColWidths(SaveStartCol() + int(i)));
    out += QStringLiteral("\r\n");
  }
  AppendCellLines(out, cols, false, true);
  WriteFileAtomicOrRaise(FileName, Unicode ? EncodingPreamble(TEncoding::Unicode) + EncodeText(out, TEncoding::Unicode)
                                           : EncodeAnsi(out));
}

void TZavStringGrid::SaveToStream(TStream *Stream)
{
  const std::vector<int> cols = CellTextColumns(false);
  QString out;
  AppendInt(out, SaveColCount());
  out += QLatin1Char(',');
  AppendInt(out, SaveRowCount());
  out += QStringLiteral("\r\n");
  for (int c = 0; c < ColCount(); ++c) {
    out += QStringLiteral("cw ");
    AppendInt(out, c);
    out += QLatin1Char(',');
    AppendInt(out, ColWidths(c));
    out += QStringLiteral("\r\n");
  }
  AppendCellLines(out, cols, true, false);
  Stream->WriteBuffer(EncodeText(out, TEncoding::Unicode));
}

// ---------------------------------------------------------------------------------------------
// Reading

// What a reader found, applied only once the whole input was read.
struct TZavStringGrid::TCellTextLoad {
  bool HasSize = false;
  int Cols = 0, Rows = 0;
  std::vector<std::pair<int, int>> Widths;  // column, width
  struct TCell {
    int Col, Row;
    QStringView Text;
  };
  std::vector<TCell> Cells;
};

// Refuses counts the grid cannot hold before anything changes.
void TZavStringGrid::CheckLoadSize(int64_t Cols, int64_t Rows, const QString &Source)
{
  if (Cols > MaxLoadColCount || Rows > MaxLoadCellCount || Cols * Rows > MaxLoadCellCount)
    throw EZavGridError(QStringLiteral("Too many cells (%1 columns, %2 rows) in %3").arg(Cols).arg(Rows).arg(Source));
}

void TZavStringGrid::ApplyCellTextLoad(const TCellTextLoad &Load, int ColOffset, int RowOffset, bool Progress)
{
  BeginUpdate();
  try {
    if (Load.HasSize) {
      SetColCount(Load.Cols);
      SetRowCount(Load.Rows);
    }
    for (const auto &[c, w] : Load.Widths)
      if (c >= 0 && c < ColCount())
        SetColWidths(c, w);
    TProgress progress{OnFileProgress, this};
    for (const TCellTextLoad::TCell &cell : Load.Cells) {
      const int c = cell.Col + ColOffset, r = cell.Row + RowOffset;
      if (c >= 0 && c < ColCount() && r >= 0 && r < RowCount())
        SetLoadedCellText(RealColIndex(c), r, DecodeLineBreaks(cell.Text.toString(), FMultilinecells));
      if (Progress)
        progress.Report(r, RowCount());
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  DoCellsChanged(TRect(0, 0, ColCount(), RowCount()));
  CellsLoaded();
}

// Cell lines and width lines whose numbers are not decimal integers are skipped.
void TZavStringGrid::LoadFromFile(const QString &FileName)
{
  TMemoryStream file;
  file.LoadFromFile(FileName);
  const QString text = DecodeTextDetect(file.Bytes());
  const std::vector<QStringView> lines = SplitLines(text);
  const QString corrupt = QStringLiteral("File contains no data or corrupt file ") + FileName;

  const int colOffset = FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
  const int rowOffset = FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows();
  // An empty file or size line holds no grid to size.
  if (lines.empty() || lines[0].isEmpty())
    throw EZavGridError(corrupt);
  TCellTextLoad load;
  {
    const qsizetype comma = lines[0].indexOf(QLatin1Char(','));
    int64_t cols = 0, rows = 0;
    if (comma < 0 || !ParseDecimal(lines[0].left(comma), cols) || !ParseDecimal(lines[0].mid(comma + 1), rows) ||
        cols < 0 || rows < 0)
      throw EZavGridError(corrupt);
    CheckLoadSize(colOffset + cols, rowOffset + rows, FileName);
    load.HasSize = true;
    load.Cols = colOffset + int(cols);
    load.Rows = rowOffset + int(rows);
  }
  if (load.Cols == 0 || load.Rows == 0)
    throw EZavGridError(corrupt);

  load.Cells.reserve(lines.size());
  for (size_t i = 1; i < lines.size(); ++i) {
    const QStringView line = lines[i];
    if (line.startsWith(QLatin1String("cw"))) {
      const QStringView rest = line.mid(3);
      const qsizetype comma = rest.indexOf(QLatin1Char(','));
      int c = 0, w = 0;
      if (comma >= 0 && ParseInt(rest.left(comma), c) && ParseInt(rest.mid(comma + 1, 255), w))
        load.Widths.emplace_back(c, w);
      continue;
    }
    const qsizetype c1 = line.indexOf(QLatin1Char(','));
    const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(QLatin1Char(','), c1 + 1);
    int c = 0, r = 0;
    if (c2 < 0 || !ParseInt(line.left(c1), c) || !ParseInt(line.mid(c1 + 1, c2 - c1 - 1), r))
      continue;
    load.Cells.push_back({c, r, line.mid(c2 + 1)});
  }
  ApplyCellTextLoad(load, 0, 0, true);
}

// Reads up to the first line that is neither a width line nor a cell line and leaves the stream
// there. A size line or width line whose numbers are not integers raises the conversion error.
void TZavStringGrid::LoadFromStream(TStream *Stream)
{
  const int64_t start = Stream->Position();
  const QByteArray bytes = Stream->ReadRemaining();
  const QString text = DecodeText(bytes, TEncoding::Unicode);
  const QChar *p = text.constData();
  const qsizetype n = text.size();
  qsizetype pos = 0;
  // A line ends at CR, whose following unit (the LF) is dropped.
  auto readLine = [&]() {
    qsizetype e = pos;
    while (e < n && p[e] != CR)
      ++e;
    const QStringView line(p + pos, e - pos);
    pos = e < n ? std::min(e + 2, n) : n;
    return line;
  };

  TCellTextLoad load;
  if (pos < n) {
    const QStringView size = readLine();
    if (!size.isEmpty()) {
      const qsizetype comma = size.indexOf(QLatin1Char(','));
      if (comma < 0)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(size));
      const int64_t cols = int64_t(StrToInt(size.left(comma).toString())) + SaveStartCol();
      const int64_t rows = int64_t(StrToInt(size.mid(comma + 1).toString())) + SaveStartRow();
      CheckLoadSize(cols, rows, QStringLiteral("the stream"));
      load.HasSize = true;
      load.Cols = int(std::max<int64_t>(cols, 0));
      load.Rows = int(std::max<int64_t>(rows, 0));
    }
  }
  qsizetype end = pos;
  while (pos < n) {
    const QStringView line = readLine();
    if (line.startsWith(QLatin1String("cw"))) {
      const QStringView rest = line.mid(3);
      const qsizetype comma = rest.indexOf(QLatin1Char(','));
      const int c = StrToInt((comma < 0 ? rest : rest.left(comma)).toString());
      const int w = StrToInt(comma < 0 ? QString() : rest.mid(comma + 1).toString());
      load.Widths.emplace_back(c, w);
      end = pos;
      continue;
    }
    const qsizetype c1 = line.indexOf(QLatin1Char(','));
    const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(QLatin1Char(','), c1 + 1);
    if (c2 < 0)
      break;
    const int c = StrToInt(line.left(c1).toString());
    const int r = StrToInt(line.mid(c1 + 1, c2 - c1 - 1).toString());
    load.Cells.push_back({c, r, line.mid(c2 + 1)});
    end = pos;
  }
  Stream->SetPosition(start + 2 * end);
  ApplyCellTextLoad(load, SaveStartCol(), SaveStartRow(), false);
}

// ---------------------------------------------------------------------------------------------
// A cell as a number

double TZavStringGrid::CellToReal(int ACol, int ARow)
{
  const QString cell = GridCells(ACol, ARow);
  if (cell.isEmpty())
    return 0;
  const QString s = NormalizeNumberText(cell);
  // A text without any number reads as 0, as the typed readers take it.
  if (s.isEmpty() || s == QLatin1String("-"))
    return 0;
  // The first character a number cannot continue with (1-based), as a plain number reader
  // reports it: sign, digits, point, digits, exponent.
  qsizetype i = 0;
  auto digits = [&] {
    const qsizetype from = i;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128)
      ++i;
    return i > from;
  };
  if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
    ++i;
  bool any = digits();
  if (i < s.size() && s[i] == QLatin1Char('.')) {
    ++i;
    any = digits() || any;
  }
  if (any && i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
    ++i;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+')))
      ++i;
    if (!digits())
      any = false;
  }
  if (!any || i < s.size())
    throw EZavGridError(QStringLiteral("Error at position: %1 in Cell [%2, %3].").arg(i + 1).arg(ACol).arg(ARow));
  return s.toDouble();
}
