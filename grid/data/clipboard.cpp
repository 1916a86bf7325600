// The selection as tabbed text and the grid's exchange of cells with the system clipboard: copy
// and cut (text, the top-left cell's rich text, an HTML table and the grid's own cells block),
// paste at a cell and the selection paste with its fill, series and block repeat.
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "framework/classes/classes.h"
#include "framework/controls/clipboard.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/system/sysutils.h"
#include "grid/core/carriers.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_module.h"
#include "grid/core/text_conversion.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/undo.h"

namespace {

constexpr QChar kTab = QChar(9), kLF = QChar(10), kCR = QChar(13), kQuote = QChar('"');

// A multi-line cell as one field: line breaks as single LFs inside double quotes, with the
// quotes of the text doubled, so that the reader gives back the cell as it was.
QString QuoteLineBreaks(const QString &T)
{
  QString out;
  out.reserve(T.size() + 4);
  out += kQuote;
  for (qsizetype i = 0; i < T.size(); ++i) {
    const QChar ch = T[i];
    if (ch == kCR) {
      out += kLF;
      if (i + 1 < T.size() && T[i + 1] == kLF)
        ++i;
    } else if (ch == kQuote) {
      out += QStringLiteral("\"\"");
    } else {
      out += ch;
    }
  }
  out += kQuote;
  return out;
}

// One line of a tabbed text.
struct TTextLine {
  QStringView Text;
  bool HasBreak = false;  // ended by a line end (not the end of the text)
};

// Lines end at CR (an LF right after it belongs to the line end, any other LF to the cell);
// a text without any CR, as other programs here write it, ends lines at LF, except inside a
// field that opens with a double quote. A text ending with a line end yields one more, empty
// line.
std::vector<TTextLine> SplitLines(QStringView Text)
{
  std::vector<TTextLine> lines;
  const bool crMode = Text.contains(kCR);
  qsizetype start = 0, i = 0;
  bool fieldStart = true, inQuote = false;
  const qsizetype n = Text.size();
  while (i < n) {
    const QChar ch = Text[i];
    if (crMode) {
      if (ch == kCR) {
        lines.push_back({Text.mid(start, i - start), true});
        i += (i + 1 < n && Text[i + 1] == kLF) ? 2 : 1;
        start = i;
        continue;
      }
    } else if (ch == kQuote) {
      inQuote = fieldStart ? true : !inQuote;
    } else if (ch == kTab && !inQuote) {
      fieldStart = true;
      ++i;
      continue;
    } else if (ch == kLF && !inQuote) {
      lines.push_back({Text.mid(start, i - start), true});
      start = ++i;
      fieldStart = true;
      continue;
    }
    fieldStart = false;
    ++i;
  }
  lines.push_back({Text.mid(start), false});
  return lines;
}

// A field holding a line break that opens with a double quote loses its quotes (doubled
// quotes become one); its LFs become the grid's CR LF and code 11 (a spreadsheet's line
// break) too.
QString UnquoteField(QStringView Field)
{
  QString f = Field.toString();
  if (!(f.contains(kLF) || f.contains(QChar(11))) || !f.startsWith(kQuote))
    return f;
  f.remove(0, 1);
  // The closing quote is the one left over when the doubled ones pair up.
  if (f.endsWith(kQuote) && f.count(kQuote) % 2 == 1)
    f.chop(1);
  f.replace(QStringLiteral("\"\""), QStringLiteral("\""));
  QString out;
  out.reserve(f.size() + 8);
  for (const QChar ch : f) {
    if (ch == kLF)
      out += kCR;
    out += ch;
  }
  VTabToCRLF(out);
  return out;
}

QString HtmlEscaped(const QString &T)
{
  QString out;
  out.reserve(T.size());
  for (qsizetype i = 0; i < T.size(); ++i) {
    const QChar ch = T[i];
    switch (ch.unicode()) {
    case '&': out += QStringLiteral("&amp;"); break;
    case '<': out += QStringLiteral("&lt;"); break;
    case '>': out += QStringLiteral("&gt;"); break;
    case '"': out += QStringLiteral("&quot;"); break;
    case 13:
      out += QStringLiteral("<br>");
      if (i + 1 < T.size() && T[i + 1] == kLF)
        ++i;
      break;
    case 10: out += QStringLiteral("<br>"); break;
    default: out += ch;
    }
  }
  return out;
}

std::vector<QStringView> SplitFields(QStringView Line)
{
  std::vector<QStringView> fields;
  qsizetype start = 0;
  for (qsizetype i = 0; i < Line.size(); ++i)
    if (Line[i] == kTab) {
      fields.push_back(Line.mid(start, i - start));
      start = i + 1;
    }
  fields.push_back(Line.mid(start));
  return fields;
}

bool IsRichText(const QString &T) { return T.contains(QStringLiteral("{\\")); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// The selection as text

bool TZavStringGrid::TakeRowOnCopy(int ARow, bool DisjunctOnly)
{
  if (!DisjunctOnly || !MouseActions()->DisjunctRowSelect() || MouseActions()->DisjunctColSelect())
    return true;
  return RowSelect(MouseActions()->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
}

bool TZavStringGrid::TakeColOnCopy(int ACol, bool DisjunctOnly)
{
  return !DisjunctOnly || !MouseActions()->DisjunctColSelect() || ColSelect(ACol);
}

QString TZavStringGrid::CellCopyText(int ACol, int ARow)
{
  const int real = RealColIndex(ACol);
  QString T = GetSaveCellText(real, ARow);
  if (T.startsWith(QStringLiteral("|\\")))
    T = UnpackWideText(T);
  if (!Navigation()->CopyHTMLTagsToClipboard() && T.contains(QStringLiteral("</"))) {
    T = StrippedCells(real, ARow);
  } else if (IsRichText(T)) {
    CellToRich(real, ARow, GetRichEdit());
    T = GetRichEdit()->Text();
  }
  if (T.contains(kCR) || T.contains(kLF))
    T = QuoteLineBreaks(T);
  else if (ExcelClipboardFormat() && CountLines(T, Multilinecells()) > 1)
    QuoteMultiLineField(T);
  return T;
}

QString TZavStringGrid::GetRectAsText(TGridRect Rect, bool DisjunctOnly)
{
  FClipTopLeftX = Rect.Left;
  FClipTopLeftY = Rect.Top;
  ExportNotification(int(esExportStart), -1);
  const bool part = Rect.Top > FixedRows() || Rect.Bottom < RowCount() - FixedFooters() - 1;
  for (int r = Rect.Top; r <= Rect.Bottom; ++r)
    ExportNotification(int(part ? esExportSelRow : esExportNewRow), r);
  const bool lineEnds = Rect.Top < Rect.Bottom;
  std::vector<bool> cols;
  for (int c = Rect.Left; c <= Rect.Right; ++c)
    cols.push_back(TakeColOnCopy(c, DisjunctOnly));
  QString out;
  for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
    ExportNotification(int(esExportNewRow), r);
    if (!TakeRowOnCopy(r, DisjunctOnly))
      continue;
    for (int c = Rect.Left; c <= Rect.Right; ++c) {
      if (!cols[c - Rect.Left])
        continue;
      out += CellCopyText(c, r);
      if (c < Rect.Right)
        out += kTab;
    }
    if (lineEnds)
      out += QStringLiteral("\r\n");
  }
  ExportNotification(int(esExportDone), -1);
  return out;
}

QString TZavStringGrid::GetSelectionAsText() { return GetRectAsText(Selection(), false); }

QString TZavStringGrid::SelectedText()
{
  TGridRect R = Selection();
  if (Options().Contains(goRowSelect) && DragDropSettings()->OleEntireRows()) {
    R.Left = 0;
    R.Right = ColCount() - 1;
  }
  std::vector<int> rows;
  if (MouseActions()->DisjunctRowSelect()) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (RowSelect(MouseActions()->RowSelectPersistent() ? RealRowIndex(r) : r))
        rows.push_back(r);
  } else {
    for (int r = R.Top; r <= R.Bottom; ++r)
      rows.push_back(r);
  }
  QString out;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i > 0)
      out += QStringLiteral("\r\n");
    for (int c = R.Left; c <= R.Right; ++c) {
      const int real = RealColIndex(c);
      QString T = Cells(real, rows[i]);
      if (IsRichText(T)) {
        CellToRich(real, rows[i], GetRichEdit());
        T = GetRichEdit()->Text();
      }
      if (ExcelClipboardFormat() && CountLines(T, Multilinecells()) > 1)
        QuoteMultiLineField(T);
      out += T;
      if (c < R.Right)
        out += kTab;
    }
  }
  return out;
}

void TZavStringGrid::SetSelectionAsText(const QString &Value)
{
  const TGridRect S = Selection();
  const std::vector<TTextLine> lines = SplitLines(Value);
  int r = S.Top, maxc = S.Left, maxr = S.Top;
  for (size_t i = 0; i < lines.size(); ++i) {
    const TTextLine &line = lines[i];
    const std::vector<QStringView> fields = SplitFields(line.Text);
    int c = S.Left;
    for (size_t j = 0; j < fields.size(); ++j, ++c) {
      if (j + 1 == fields.size() && fields[j].isEmpty() && !line.HasBreak)
        continue;
      if (c >= ColCount())
        SetColCount(c + 1);
      if (r >= RowCount())
        continue;
      SetGridCells(RealColIndex(c), r, UnquoteField(fields[j]));
      maxc = std::max(maxc, c);
      maxr = std::max(maxr, r);
    }
    const bool more = i + 1 < lines.size() && !(i + 2 == lines.size() && lines.back().Text.isEmpty());
    if (more) {
      ++r;
      if (r == PasteRowLimit())
        SetRowCount(RowCount() + 1);
    }
  }
  DoCellsChanged(TRect(RealColIndex(S.Left), S.Top, RealColIndex(maxc), maxr));
}

void TZavStringGrid::GetTextBlockSize(const QString &Text, TPoint &Size)
{
  const std::vector<TTextLine> lines = SplitLines(Text);
  Size.X = 0;
  int empty = 0, breaks = 0;
  for (const TTextLine &line : lines) {
    Size.X = std::max<int>(Size.X, 1 + line.Text.count(kTab));
    breaks += line.HasBreak ? 1 : 0;
    if (line.Text.isEmpty() && line.HasBreak)
      ++empty;
  }
  Size.Y = breaks - empty;
}

// ---------------------------------------------------------------------------------------------
// Copy and cut

void TZavStringGrid::ExpandSelectionToMergedCells()
{
  TGridRect S = Selection();
  bool merged = false;
  if (IsMergedCell(S.Left, S.Top)) {
    const TPoint b = BaseCell(S.Left, S.Top);
    S.Left = b.X;
    S.Top = b.Y;
    merged = true;
  }
  if (IsMergedCell(S.Right, S.Bottom)) {
    const TPoint b = BaseCell(S.Right, S.Bottom);
    const TPoint span = CellSpan(b.X, b.Y);
    S.Right = b.X + span.X;
    S.Bottom = b.Y + span.Y;
    merged = true;
  }
  if (merged)
    SetSelection(S);
}

void TZavStringGrid::AddRTFFlavour(int ACol, int ARow, std::vector<TClipboardFlavour> &Flavours)
{
  const QString T = Cells(RealColIndex(ACol), ARow);
  if (IsRichText(T))
    Flavours.push_back({ClipMimeRTF, T.toLatin1()});
}

void TZavStringGrid::AddCellsFlavour(TGridRect Rect, std::vector<TClipboardFlavour> &Flavours)
{
  TMemoryStream stream;
  SaveRectToBinStream(Rect, &stream);
  Flavours.push_back({ClipboardFormatMime(GridCellsClipFormatName), stream.Bytes()});
}

// The copied cells as an HTML table for the programs that paste HTML; no pictures, so that a
// copy writes no files.
QString TZavStringGrid::RectAsHTMLFragment(TGridRect Rect, bool DisjunctOnly)
{
  QString out = QStringLiteral("<table>");
  for (int r = Rect.Top; r <= Rect.Bottom; ++r) {
    if (!TakeRowOnCopy(r, DisjunctOnly))
      continue;
    out += QStringLiteral("<tr>");
    for (int c = Rect.Left; c <= Rect.Right; ++c) {
      if (!TakeColOnCopy(c, DisjunctOnly))
        continue;
      const int real = RealColIndex(c);
      QString T = GetSaveCellText(real, r);
      if (T.startsWith(QStringLiteral("|\\")))
        T = UnpackWideText(T);
      if (IsRichText(T)) {
        CellToRich(real, r, GetRichEdit());
        T = GetRichEdit()->Text();
      }
      const bool markup = T.contains(QStringLiteral("</"));
      if (markup && !Navigation()->CopyHTMLTagsToClipboard())
        T = HtmlEscaped(StrippedCells(real, r));
      else if (!markup)
        T = HtmlEscaped(T);
      out += QStringLiteral("<td>") + T + QStringLiteral("</td>");
    }
    out += QStringLiteral("</tr>");
  }
  out += QStringLiteral("</table>");
  return out;
}

void TZavStringGrid::CopyRectToClipboard(TGridRect Rect, bool DisjunctOnly)
{
  std::vector<TClipboardFlavour> flavours;
  flavours.push_back({ClipMimeText, GetRectAsText(Rect, DisjunctOnly).toUtf8()});
  flavours.push_back({ClipMimeHTML, RectAsHTMLFragment(Rect, DisjunctOnly).toUtf8()});
  if (Navigation()->AllowRTFClipboard())
    AddRTFFlavour(Rect.Left, Rect.Top, flavours);
  if (Navigation()->AllowFmtClipboard())
    AddCellsFlavour(Rect, flavours);
  SetClipboardFlavours(flavours);
}

void TZavStringGrid::CopyRTFToClipboard(int ACol, int ARow)
{
  std::vector<TClipboardFlavour> flavours;
  AddRTFFlavour(ACol, ARow, flavours);
  if (!flavours.empty())
    SetClipboardFlavours(flavours);
}

void TZavStringGrid::CopyCellsToClipboard(TGridRect Rect)
{
  std::vector<TClipboardFlavour> flavours;
  AddCellsFlavour(Rect, flavours);
  if (!flavours.empty())
    SetClipboardFlavours(flavours);
}

void TZavStringGrid::CopySelectionToClipboard()
{
  ExpandSelectionToMergedCells();
  const bool fmt = Navigation()->AllowFmtClipboard();
  if (MouseActions()->DisjunctRowSelect() && !fmt)
    CopyRectToClipboard(TGridRect(FixedCols(), SaveStartRow(), ColCount() - FixedRightCols() - 1, SaveEndRow()), true);
  else if (MouseActions()->DisjunctColSelect() && !fmt)
    CopyRectToClipboard(TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), true);
  else
    CopyRectToClipboard(Selection(), false);
  FClipLastOp = coCopy;
}

void TZavStringGrid::CopyToClipBoard()
{
  CopyRectToClipboard(TGridRect(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow()), false);
  FClipLastOp = coCopy;
}

void TZavStringGrid::CopyToClipBoardAsHTML()
{
  // Text and HTML of the whole grid; the text flavour is the tabbed text, which is what a
  // program that pastes text wants.
  const TGridRect all(0, 0, ColCount() - 1, RowCount() - 1);
  std::vector<TClipboardFlavour> flavours;
  flavours.push_back({ClipMimeText, GetRectAsText(all, false).toUtf8()});
  flavours.push_back({ClipMimeHTML, RectAsHTMLFragment(all, false).toUtf8()});
  SetClipboardFlavours(flavours);
}

void TZavStringGrid::CutSelectionToClipboard()
{
  const TGridRect sel = Selection();
  CopySelectionToClipboard();
  const bool always = Navigation()->AllowClipboardAlways();
  const bool modified = ShowModified()->Enabled();
  TZavGridUndoRedo *undo = UndoRedo();
  // Whole rows or columns of a disjunct selection lose only their editable cells, like a block,
  // and the change can be undone.
  auto clearCell = [&](int c, int r) {
    const int real = RealColIndex(c);
    if (!always && !IsEditable(real, r))
      return;
    if (undo)
      undo->RegisterChange(real, r, Cells(real, r), QString());
    SetCells(real, r, QString());
  };
  if (undo)
    undo->StartSequence();
  try {
    if (MouseActions()->DisjunctRowSelect()) {
      for (int r = FixedRows(); r < RowCount(); ++r) {
        if (!RowSelect(MouseActions()->RowSelectPersistent() ? RealRowIndex(r) : r))
          continue;
        for (int c = FixedCols(); c < ColCount() - FixedRightCols(); ++c)
          clearCell(c, r);
        if (modified)
          SetRowModified(r, true);
      }
    } else if (MouseActions()->DisjunctColSelect()) {
      for (int c = FixedCols(); c < ColCount(); ++c) {
        if (!ColSelect(c))
          continue;
        for (int r = FixedRows(); r < RowCount() - FixedFooters(); ++r)
          clearCell(c, r);
      }
    } else {
      for (int c = sel.Left; c <= sel.Right; ++c)
        for (int r = sel.Top; r <= sel.Bottom; ++r)
          clearCell(c, r);
      if (modified)
        for (int r = sel.Top; r <= sel.Bottom; ++r)
          SetRowModified(r, true);
      if (Navigation()->AllowFmtClipboard())
        FreeCellPropertiesRange(RealColIndex(sel.Left), sel.Top, RealColIndex(sel.Right), sel.Bottom);
    }
  } catch (...) {
    if (undo)
      undo->StopSequence();
    throw;
  }
  if (undo)
    undo->StopSequence();
  FClipLastOp = coCut;
  DoCellsChanged(TRect(RealColIndex(sel.Left), sel.Top, RealColIndex(sel.Right), sel.Bottom));
  if (NumHiddenColumns() > 0)
    Invalidate();
}

void TZavStringGrid::CutToClipboard()
{
  const TGridRect R(SaveStartCol(), SaveStartRow(), SaveEndCol(), SaveEndRow());
  CopyRectToClipboard(R, false);
  const bool always = Navigation()->AllowClipboardAlways();
  for (int r = R.Top; r <= R.Bottom; ++r) {
    for (int c = R.Left; c <= R.Right; ++c) {
      const int real = RealColIndex(c);
      if (always || IsEditable(real, r))
        SetCells(real, r, QString());
    }
    if (ShowModified()->Enabled())
      SetRowModified(r, true);
  }
  FClipLastOp = coCut;
}

// ---------------------------------------------------------------------------------------------
// Paste

void TZavStringGrid::StoreCellValue(int ACol, int ARow, const QString &Value)
{
  const int real = RealColIndex(ACol);
  if (UndoRedo())
    UndoRedo()->RegisterChange(real, ARow, Cells(real, ARow), Value);
  if (HasCheckBox(real, ARow))
    ChangeCheckBoxState(real, ARow, Value == CheckTrue());
  else
    SetCells(real, ARow, Value);
  if (real != ACol)
    RepaintCell(ACol, ARow);
}

void TZavStringGrid::CellsPasted(TPoint, TGridRect R, TClipOperation)
{
  if (!ShowModified()->Enabled())
    return;
  for (int r = R.Top; r <= R.Bottom; ++r)
    if (r >= 0 && r < RowCount())
      SetRowModified(r, true);
}

bool TZavStringGrid::AllowGridClipboardFormat() { return Navigation()->AllowFmtClipboard(); }

int TZavStringGrid::PasteRowLimit()
{
  const bool footerRow = FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == fsFixedLastRow;
  return footerRow ? RowCount() - 1 : RowCount();
}

bool TZavStringGrid::PasteReaches(int RealCol, int ARow)
{
  return Navigation()->AllowClipboardAlways() || IsEditable(RealCol, ARow);
}

bool TZavStringGrid::PasteCellValue(int c, int r, QString V, bool Events)
{
  bool allow = true;
  const bool wide = V.startsWith(QStringLiteral("|\\"));
  QString shown = wide ? UnpackWideText(V) : V;
  if (Events) {
    if (wide && OnClipboardBeforePasteWideCell) {
      OnClipboardBeforePasteWideCell(this, c, r, shown, allow);
      V = PackWideText(shown);
    } else if (!wide && OnClipboardBeforePasteCell) {
      OnClipboardBeforePasteCell(this, c, r, V, allow);
      shown = V;
    }
  }
  if (!allow)
    return false;
  StoreCellValue(c, r, V);
  if (Events) {
    if (wide && OnClipboardAfterPasteWideCell)
      OnClipboardAfterPasteWideCell(this, c, r, shown);
    else if (!wide && OnClipboardAfterPasteCell)
      OnClipboardAfterPasteCell(this, c, r, V);
  }
  return true;
}

int TZavStringGrid::PasteText(int ACol, int ARow, const QString &Text, int &Cols, int &Rows)
{
  FLastPasteRect = TGridRect(-1, -1, -1, -1);
  if (ACol < 0 || ARow < 0)
    return 0;
  if (!Options().Contains(goEditing) && !Navigation()->AllowClipboardAlways() &&
      !MouseActions()->RangeSelectAndEdit())
    return 0;
  TZavGridUndoRedo *undo = UndoRedo();
  if (undo)
    undo->StartSequence();
  const std::vector<TTextLine> lines = SplitLines(Text);
  int N = 0, r = ARow, maxc = -1, maxr = -1;
  Rows = 0;
  try {
    for (size_t i = 0; i < lines.size(); ++i) {
      const TTextLine &line = lines[i];
      ++Rows;
      ImportNotification(int(FPasteAll ? isImportNewRow : isImportSelRow), r);
      if (!line.Text.isEmpty() && Navigation()->ClipboardPasteAction() == paInsert)
        InsertRows(r, 1, true);
      const std::vector<QStringView> fields = SplitFields(line.Text);
      Cols = int(fields.size());
      int c = ACol;
      for (size_t j = 0; j < fields.size(); ++j, ++c, ++N) {
        if (j + 1 == fields.size() && fields[j].isEmpty() && !line.HasBreak)
          continue;
        if (c >= ColCount()) {
          if (!Navigation()->AllowClipboardColGrow())
            continue;
          SetColCount(c + 1);
        }
        if (r >= RowCount() || !PasteReaches(RealColIndex(c), r))
          continue;
        if (PasteCellValue(c, r, UnquoteField(fields[j]), true)) {
          maxc = std::max(maxc, c);
          maxr = std::max(maxr, r);
        }
      }
      const bool more = i + 1 < lines.size() && !(i + 2 == lines.size() && lines.back().Text.isEmpty());
      if (more) {
        ++r;
        if (r == PasteRowLimit() && Navigation()->AllowClipboardRowGrow())
          SetRowCount(RowCount() + 1);
      }
    }
  } catch (...) {
    if (undo)
      undo->StopSequence();
    throw;
  }
  if (undo)
    undo->StopSequence();
  if (maxc >= 0) {
    FLastPasteRect = TGridRect(ACol, ARow, maxc, maxr);
    CellsPasted(TPoint(FClipTopLeftX, FClipTopLeftY), FLastPasteRect, FClipLastOp);
    DoCellsChanged(TRect(RealColIndex(ACol), ARow, RealColIndex(maxc), maxr));
  }
  return N;
}

int TZavStringGrid::PasteClipboardAt(int ACol, int ARow)
{
  int cols = 0, rows = 0;
  return PasteClipboardAt(ACol, ARow, cols, rows);
}

int TZavStringGrid::PasteClipboardAt(int ACol, int ARow, int &Cols, int &Rows)
{
  FLastPasteRect = TGridRect(-1, -1, -1, -1);
  const QString cellsMime = ClipboardFormatMime(GridCellsClipFormatName);
  if (AllowGridClipboardFormat() && ClipboardHasFormat(cellsMime)) {
    const QByteArray block = ClipboardData(cellsMime);
    if (!block.isEmpty()) {
      BeforePaste();
      TMemoryStream stream;
      stream.Write(block.constData(), block.size());
      stream.SetPosition(0);
      TGridPropIO header(this);
      header.ReadRecord(&stream);
      stream.SetPosition(0);
      const int hc = header.ColCount(), hr = header.RowCount();
      const TClipboardPasteAction action = Navigation()->ClipboardPasteAction();
      const int oldCols = ColCount(), oldRows = RowCount();
      if (Navigation()->AllowClipboardColGrow() && ACol + hc >= ColCount())
        SetColCount(ACol + hc);
      if (Navigation()->AllowClipboardRowGrow() && ARow + hr >= RowCount())
        SetRowCount(ARow + hr);
      Cols = ColCount();
      Rows = RowCount();
      if (action == paInsert)
        InsertRows(ARow, hr, true);
      try {
        LoadAtPointFromBinStream(TPoint(ACol, ARow), &stream);
      } catch (...) {
        // A damaged block leaves the grid as it was: the reader changed no cell, so only the
        // room made for it goes again.
        if (action == paInsert)
          RemoveRows(ARow, hr);
        SetRowCount(oldRows);
        SetColCount(oldCols);
        throw;
      }
      const TGridRect R(ACol, ARow, ACol + hc - 1, ARow + hr - 1);
      if (header.ID() == BinStreamID())
        CellsPasted(TPoint(FClipTopLeftX, FClipTopLeftY), R, FClipLastOp);
      else
        CellsPasted(TPoint(-1, -1), R, FClipLastOp);
      AfterPaste();
      return hc * hr;
    }
  }
  if (Navigation()->AllowRTFClipboard() && ClipboardHasFormat(ClipMimeRTF)) {
    QByteArray rtf = ClipboardData(ClipMimeRTF);
    const qsizetype zero = rtf.indexOf('\0');
    if (zero >= 0)
      rtf.truncate(zero);
    if (IsEditable(RealColIndex(ACol), ARow))
      StoreCellValue(ACol, ARow, QString::fromLatin1(rtf));
    Cols = 1;
    Rows = 1;
    FLastPasteRect = TGridRect(ACol, ARow, ACol, ARow);
    return 0;
  }
  if (ClipboardHasText()) {
    const QString text = ClipboardText();
    if (!text.isEmpty())
      return PasteText(ACol, ARow, text, Cols, Rows);
  }
  return 0;
}

void TZavStringGrid::PasteFromClipboard()
{
  ImportNotification(int(isImportStart), -1);
  FPasteAll = true;
  PasteClipboardAt(SaveStartCol(), SaveStartRow());
  ImportNotification(int(isImportDone), -1);
  CellsLoaded();
}

// The top-left cell's value in every other cell of the selection.
void TZavStringGrid::SmartFill(const TGridRect &S)
{
  const int real0 = RealColIndex(S.Left);
  QString V = Cells(real0, S.Top);
  if (HasCheckBox(real0, S.Top)) {
    bool state = false;
    GetCheckBoxState(real0, S.Top, state);
    V = state ? CheckTrue() : CheckFalse();
  }
  for (int c = S.Left; c <= S.Right; ++c)
    for (int r = S.Top; r <= S.Bottom; ++r)
      SmartStoreCell(S, c, r, V);
}

// One cell of a smart paste, with the paste events for every cell but the top-left one.
void TZavStringGrid::SmartStoreCell(const TGridRect &S, int c, int r, QString V)
{
  if (!PasteReaches(RealColIndex(c), r))
    return;
  const bool topLeft = c == S.Left && r == S.Top;
  bool allow = true;
  if (!topLeft && OnClipboardBeforePasteCell)
    OnClipboardBeforePasteCell(this, c, r, V, allow);
  if (allow)
    StoreCellValue(c, r, V);
  CellsPasted(TPoint(FClipTopLeftX, FClipTopLeftY), TGridRect(c, r, c, r), coCopy);
  if (!topLeft && OnClipboardAfterPasteCell)
    OnClipboardAfterPasteCell(this, c, r, V);
}

// A date, decimal or integer series continued from the first two cells; False when the two
// cells are none of these (the caller repeats the block instead).
bool TZavStringGrid::SmartSeries(const TGridRect &S, int)
{
  const bool column = S.Left == S.Right;
  const QString C1 = Cells(RealColIndex(S.Left), S.Top);
  const QString C2 = column ? Cells(RealColIndex(S.Left), S.Top + 1) : Cells(RealColIndex(S.Left + 1), S.Top);
  const TFormatSettings &fs = FormatSettings;
  auto isDateOrTime = [&](const QString &T) { return LooksLikeDate(T) || T.contains(fs.TimeSeparator); };
  // One step over every cell; Next gives the value of the cell and moves on.
  auto run = [&](const std::function<QString()> &Next) {
    for (int c = S.Left; c <= S.Right; ++c)
      for (int r = S.Top; r <= S.Bottom; ++r)
        SmartStoreCell(S, c, r, Next());
  };
  try {
    if (isDateOrTime(C1) && isDateOrTime(C2)) {
      auto value = [&](const QString &T) {
        TDateTime d = 0;
        const bool ok = T.contains(fs.DateSeparator) ? TryStrToDateTime(T, d) : TryStrToTime(T, d);
        if (!ok)
          throw EConvertError(QStringLiteral("'%1' is not a valid date").arg(T));
        return d;
      };
      const TDateTime D1 = value(C1), D2 = value(C2);
      int y1, m1, d1, y2, m2, d2;
      DecodeDate(D1, y1, m1, d1);
      DecodeDate(D2, y2, m2, d2);
      const bool dateText = C1.contains(fs.DateSeparator);
      TDateTime D = D1;
      run([&] {
        const QString V = dateText ? DateToStr(D) : TimeToStr(D);
        D = IncDateBy(int16_t(y2 - y1), int16_t(m2 - m1), int16_t(d2 - d1), D, D2 - D1);
        return V;
      });
    } else if (C1.contains(fs.DecimalSeparator) || C2.contains(fs.DecimalSeparator)) {
      double F1 = 0, F2 = 0;
      if (!TryStrToFloat(C1, F1) || !TryStrToFloat(C2, F2))
        return true;
      double F = F1;
      run([&] {
        const QString V = Format(FloatFormat(), F);
        F += F2 - F1;
        return V;
      });
    } else {
      int I1 = 0, I2 = 0;
      if (!TryStrToInt(C1, I1) || !TryStrToInt(C2, I2))
        return false;
      int64_t I = I1;
      run([&] {
        const QString V = QString::number(I);
        I += int64_t(I2) - I1;
        return V;
      });
    }
  } catch (const EConvertError &) {
    // A value the series cannot reach ends it; the cells written stay.
  }
  return true;
}

// The pasted block of K cells again and again down the column or along the row.
void TZavStringGrid::SmartRepeatBlock(const TGridRect &S, int K)
{
  const bool column = S.Left == S.Right;
  const int from = (column ? S.Top : S.Left) + K;
  const int to = column ? S.Bottom : S.Right;
  for (int i = from; i <= to; ++i) {
    const int c = column ? S.Left : i, r = column ? i : S.Top;
    if (!PasteReaches(RealColIndex(c), r))
      continue;
    QString v = column ? Cells(RealColIndex(c), r - K) : Cells(RealColIndex(c - K), r);
    bool allow = true;
    if (OnClipboardBeforePasteCell)
      OnClipboardBeforePasteCell(this, c, r, v, allow);
    if (allow)
      StoreCellValue(c, r, v);
    if (OnClipboardAfterPasteCell)
      OnClipboardAfterPasteCell(this, c, r, v);
  }
  const TGridRect R = column ? TGridRect(S.Left, S.Top + K, S.Right, S.Bottom)
                             : TGridRect(S.Left + K, S.Top, S.Right, S.Bottom);
  if (from <= to)
    CellsPasted(TPoint(S.Left, S.Top), R, coCopy);
}

// A one-line block pasted again at every further row, a one-column block at every further
// column.
void TZavStringGrid::SmartPasteAgain(const TGridRect &S, int Cols, int Rows)
{
  if (S.Bottom <= S.Top || S.Right <= S.Left)
    return;
  if (Rows == 1) {
    for (int r = S.Top + 1; r <= S.Bottom; ++r) {
      SetRow(r);
      PasteClipboardAt(S.Left, r, Cols, Rows);
    }
    SetSelection(S);
  }
  if (Cols == 1 && S.Bottom > S.Top && S.Right > S.Left) {
    for (int c = S.Left + 1; c <= S.Right; ++c) {
      SetCol(c);
      PasteClipboardAt(c, S.Top, Cols, Rows);
    }
    SetSelection(S);
  }
}

void TZavStringGrid::PasteSelectionFromClipboard()
{
  ImportNotification(int(isImportStart), -1);
  FPasteAll = false;
  ExpandSelectionToMergedCells();
  TGridRect S = Selection();
  int cols = 0, rows = 0;
  const int N = PasteClipboardAt(Options().Contains(goRowSelect) ? FixedCols() : S.Left, S.Top, cols, rows);
  if (!Navigation()->AllowSmartClipboard())
    return;
  S = Selection();
  const int M = (S.Right - S.Left + 1) * (S.Bottom - S.Top + 1);
  if (N == M + 1)
    return;
  // The extent of what the paste stored: a single cell, however its text ended, is a fill.
  const TGridRect P = FLastPasteRect;
  const bool oneCell = P.Left >= 0 && P.Left == P.Right && P.Top == P.Bottom;
  BeforePaste();
  if ((N == 1 || oneCell) && M > 1)
    SmartFill(S);
  AfterPaste();
  if (N > 1 && !oneCell && (S.Left == S.Right || S.Top == S.Bottom) && M > 1) {
    if (SmartSeries(S, N)) {
      DoCellsChanged(TRect(RealColIndex(S.Left), S.Top, RealColIndex(S.Right), S.Bottom));
      return;
    }
    const bool column = S.Left == S.Right;
    const int K = P.Left < 0 ? N : column ? P.Bottom - S.Top + 1 : P.Right - S.Left + 1;
    if (K > 0)
      SmartRepeatBlock(S, K);
  }
  SmartPasteAgain(S, cols, rows);
  S = Selection();
  ImportNotification(int(isImportDone), -1);
  DoCellsChanged(TRect(RealColIndex(S.Left), S.Top, RealColIndex(S.Right), S.Bottom));
  CellsLoaded();
}
