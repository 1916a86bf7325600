// Find and replace over the grid's cells, the incremental search of typing in a sorted grid and
// the handlers of the search footer.
#include "grid/core/zav_string_grid.h"

#include "framework/system/sysutils.h"
#include "grid/core/aux_controls.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/search_panel.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/filter_conditions.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/markup_utils.h"

int TZavStringGrid::FoundRealCol(int ACol) const
{
  return FFindParams.Contains(fnIncludeHiddenColumns) ? ACol : RealColIndex(ACol);
}

QString TZavStringGrid::FoundCellText(int ACol, int ARow)
{
  const int c = FoundRealCol(ACol);
  return FFindParams.Contains(fnIncludeHiddenRows) ? AllCells(c, ARow) : Cells(c, ARow);
}

namespace {
// Within Latin-1, except for the sharp s, upper-casing maps one character to one: comparing
// such a text without case gives what comparing upper-cased copies gives, without the copy.
bool UpperCasesOneToOne(const QString &S)
{
  for (QChar c : S)
    if (c.unicode() > 0xFF || c.unicode() == 0xDF)
      return false;
  return true;
}
}  // namespace

bool TZavStringGrid::MatchFindCell(int ACol, int ARow)
{
  QString s = FoundCellText(ACol, ARow);
  const bool matchCase = FFindParams.Contains(fnMatchCase);
  // The plain find runs once per cell over the whole grid: no upper-cased copy where none is
  // needed (the find text is upper-cased already).
  if (!FFindParams.Contains(fnIgnoreHTMLTags) && !FFindParams.Contains(fnMatchRegular) &&
      FFindCache != QStringLiteral("\"\"") && (matchCase || UpperCasesOneToOne(s))) {
    const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int p = s.indexOf(FFindCache, 0, cs) + 1;
    const bool placed = FFindParams.Contains(fnMatchStart) ? p == 1 : p > 0;
    return placed && (!FFindParams.Contains(fnMatchFull) || s.compare(FFindCache, cs) == 0);
  }
  if (!matchCase)
    s = AnsiUpperCase(s);
  if (FFindParams.Contains(fnIgnoreHTMLTags))
    s = HTMLToPlainText(s);
  if (FFindCache == QStringLiteral("\"\""))
    return s.isEmpty();
  if (FFindParams.Contains(fnMatchRegular)) {
    try {
      return MatchCondition(FFindCache, s, matchCase);
    } catch (...) {
      return false;
    }
  }
  const int p = s.indexOf(FFindCache) + 1;
  const bool placed = FFindParams.Contains(fnMatchStart) ? p == 1 : p > 0;
  return placed && (!FFindParams.Contains(fnMatchFull) || s == FFindCache);
}

namespace {

// One axis of the scan: its bounds and position.
struct TAxis {
  int First, Last, Pos;
  bool Inside() const { return Pos >= First && Pos <= Last; }
  void Restrict(int Value) { First = Last = Pos = Value; }
};

}  // namespace

TPoint TZavStringGrid::FindCells(TPoint StartCell, const QString &Text, TFindParams P)
{
  const TPoint none(-1, -1);
  FFindParams = P;
  FindBusy = true;
  FFindCache = P.Contains(fnMatchCase) ? Text : AnsiUpperCase(Text);
  // An empty text would stand at the start of every cell.
  if (Text.isEmpty() || ColCount() == FixedCols() || ColCount() == 0 ||
      RowCount() + NumHiddenRows() == FixedRows() || RowCount() == 0) {
    FindBusy = false;
    return none;
  }

  TAxis col{FixedCols(), ColCount() - FFixedRightCols - 1, 0};
  TAxis row{FixedRows(), RowCount() - FFixedFooters - 1, 0};
  if (P.Contains(fnIncludeFixed)) {
    col = {0, ColCount() - 1, 0};
    row = {0, RowCount() - 1, 0};
  }
  if (P.Contains(fnSelectedCells)) {
    const TGridRect s = Selection();
    col = {s.Left, s.Right, 0};
    row = {s.Top, s.Bottom, 0};
  }
  if (P.Contains(fnIncludeHiddenColumns))
    col.Last += NumHiddenColumns();
  if (P.Contains(fnIncludeHiddenRows))
    row.Last += NumHiddenRows();

  const bool rowByRow = P.Contains(fnDirectionLeftRight);
  const bool backward = P.Contains(fnBackward);
  const int step = backward ? -1 : 1;
  // Rows are the outer axis when scanning row by row.
  TAxis &outer = rowByRow ? row : col;
  TAxis &inner = rowByRow ? col : row;

  // The restrictions narrow the bounds; a find from the first cell starts inside them, a find
  // from a found cell steps on from it, so a restricted scan never finds the same cell twice.
  const bool fromStart = StartCell == none;
  const bool hiddenRows = P.Contains(fnIncludeHiddenRows);
  if (P.Contains(fnFindInCurrentRow))
    row.Restrict(hiddenRows ? RealRow() : Row());
  if (P.Contains(fnFindInPresetRow))
    row.Restrict(FindRow);
  if (P.Contains(fnFindInCurrentCol))
    col.Restrict(P.Contains(fnIncludeHiddenColumns) ? RealCol() : Col());
  if (P.Contains(fnFindInPresetCol))
    col.Restrict(FindCol);

  if (fromStart) {
    outer.Pos = backward ? outer.Last : outer.First;
    inner.Pos = backward ? inner.Last : inner.First;
  } else {
    col.Pos = StartCell.X;
    row.Pos = StartCell.Y;
    const bool innerLeft = backward ? inner.Pos >= inner.First : inner.Pos <= inner.Last;
    const bool outerLeft = backward ? outer.Pos >= outer.First : outer.Pos <= outer.Last;
    if (innerLeft) {
      inner.Pos += step;
    } else if (outerLeft) {
      outer.Pos += step;
    } else {
      outer.Pos = backward ? outer.Last : outer.First;
      inner.Pos = backward ? inner.Last : inner.First;
    }
  }

  const int innerRestart = backward ? inner.Last : inner.First;
  while (outer.Inside()) {
    for (; inner.Inside(); inner.Pos += step) {
      if (rowByRow && IsIgnoredColumn(col.Pos))
        continue;
      ExportNotification(1, row.Pos);
      if (MatchFindCell(col.Pos, row.Pos)) {
        FSearchCell = TPoint(col.Pos, row.Pos);
        FindBusy = false;
        if (P.Contains(fnAutoGoto))
          GotoFoundCell(FSearchCell);
        return FSearchCell;
      }
    }
    inner.Pos = innerRestart;
    outer.Pos += step;
  }
  FindBusy = false;
  return none;
}

void TZavStringGrid::GotoFoundCell(TPoint Cell)
{
  int r = Cell.Y;
  if (FFindParams.Contains(fnIncludeHiddenRows) && NumHiddenRows() > 0) {
    if (IsHiddenRow(r)) {
      // The contracted node holding the row is the nearest shown node row above it whose span
      // reaches it.
      for (int d = RealToDisplRow(r) - 1; d >= FixedRows(); --d) {
        if (!IsNode(d))
          continue;
        const int nodeReal = RealRowIndex(d);
        if (nodeReal + GetNodeSpan(d) > r && GetNodeState(d))
          ExpandNode(nodeReal);
        break;
      }
    }
    r = RealToDisplRow(r);
  }
  const int c = FFindParams.Contains(fnIncludeHiddenColumns) ? DisplColIndex(Cell.X) : Cell.X;
  if (FMouseActions->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(r, true);
    SetRow(r);
  } else {
    SetRow(r);
    if (!IsHiddenColumn(FoundRealCol(Cell.X)))
      SetCol(c);
  }
}

TPoint TZavStringGrid::Find(TPoint StartCell, const QString &Text, TFindParams FindParams)
{
  ExportNotification(0, 0);
  const TPoint found = FindCells(StartCell, Text, FindParams);
  ExportNotification(found.X >= 0 ? 4 : 2, 0);
  if (FindParams.Contains(fnAutoGoto)) {
    // Keep the found row clear of the bottom edge (and of a floating footer).
    const int f = FFloatingFooter->Visible() ? 2 : 0;
    if (Row() > TopRow() + VisibleRowCount() - 2 - f && VisibleRowCount() + FixedRows() + f < RowCount())
      SetTopRow(TopRow() + f + 1);
  }
  return found;
}

TPoint TZavStringGrid::FindWide(TPoint StartCell, const QString &Text, TFindParams FindParams)
{
  return FindCells(StartCell, Text, FindParams);
}

TPoint TZavStringGrid::FindFirst(const QString &Text, TFindParams FindParams)
{
  FSearchCell = Find(TPoint(-1, -1), Text, FindParams);
  return FSearchCell;
}

TPoint TZavStringGrid::FindNext()
{
  // The cache is already upper-cased when the case does not matter; upper-casing it again
  // changes nothing.
  FSearchCell = Find(FSearchCell, FFindCache, FFindParams);
  return FSearchCell;
}

int TZavStringGrid::Replace(const QString &OrigStr, const QString &NewStr, TFindParams FindParams)
{
  int count = 0;
  const Qt::CaseSensitivity cs = FindParams.Contains(fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
  TPoint cell = Find(TPoint(-1, -1), OrigStr, FindParams);
  while (cell.X >= 0) {
    const int c = FoundRealCol(cell.X);
    const bool hiddenRows = FindParams.Contains(fnIncludeHiddenRows);
    QString s = hiddenRows ? AllGridCells(c, cell.Y) : GridCells(c, cell.Y);
    s.replace(OrigStr, NewStr, cs);
    if (hiddenRows)
      SetAllCells(c, cell.Y, s);
    else
      SetCells(c, cell.Y, s);
    if (FShowModified->Enabled()) {
      const int d = hiddenRows ? (IsHiddenRow(cell.Y) ? -1 : RealToDisplRow(cell.Y)) : cell.Y;
      if (d >= 0)
        SetRowModified(d, true);
    }
    ++count;
    cell = Find(cell, OrigStr, FindParams);
  }
  return count;
}

int TZavStringGrid::Search(const QString &Text)
{
  if (RowCount() < 2)
    return -1;
  int col = FixedCols();
  if (FSortSettings->Show()) {
    if (FSortSettings->IndexShow())
      col = FSortIndexes->Count() > 0 ? int(uint32_t(FSortIndexes->Items(0)) & 0x7FFFFFFFu) : FixedCols();
    else
      col = FSortSettings->Column();
  }
  if (col < 0)
    return -1;
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (AnsiUpperCase(HTMLToPlainText(Cells(col, r)).left(Text.size())) == Text)
      return r;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Search footer

namespace {

// The panel redraws its edit only when the edit's size changes.
void ColourSearchEdit(TSearchPanel *Panel, TColor Color)
{
  TEdit *e = Panel->Edit();
  e->SetColor(Color);
  e->SetWidth(e->Width() + 1);
  e->SetWidth(e->Width() - 1);
}

// The options the footer sets for every find; the edit change adds its own.
TFindParams FooterParams(TSearchPanel *Panel, TSearchFooter *Footer, int ColCount, int &FindCol)
{
  TFindParams p{fnAutoGoto};
  if (Panel->HighlightDown())
    p += fnIgnoreHTMLTags;
  if (Panel->MatchCaseChecked())
    p += fnMatchCase;
  if (Footer->SearchActiveColumnOnly())
    p += fnFindInCurrentCol;
  if (Footer->SearchMatchStart())
    p += fnMatchStart;
  if (Footer->SearchDirection() == sdLeftRight)
    p += fnDirectionLeftRight;
  const int c = Footer->SearchColumn();
  if (c >= 0 && c < ColCount) {
    p += fnFindInPresetCol;
    FindCol = c;
  }
  return p;
}

}  // namespace

void TZavStringGrid::SearchEditChange(TObject *)
{
  TSearchPanel *panel = FSearchPanel.get();
  if (!panel)
    return;
  const QString text = panel->Edit()->Text();
  bool defaultSearch = true;
  if (OnSearchEditChange)
    OnSearchEditChange(this, text, defaultSearch);
  if (!defaultSearch || !FSearchFooter->AutoSearch())
    return;
  const bool hilite = panel->HighlightDown();
  const bool matchCase = panel->MatchCaseChecked();
  const int searchCol = FSearchFooter->SearchColumn();
  TFindParams p = FooterParams(panel, FSearchFooter.get(), ColCount(), FindCol);
  if (FSearchFooter->SearchFixedCells())
    p += fnIncludeFixed;
  if (FSearchFooter->SearchHiddenRows())
    p += fnIncludeHiddenRows;
  const bool highlighting = hilite || FSearchFooter->AlwaysHighLight();
  const auto unhilight = [&] {
    if (searchCol == -1)
      UnHilightInGrid(false);
    else
      UnHilightInCol(false, searchCol);
  };
  if (highlighting)
    unhilight();
  if (!text.isEmpty()) {
    FSearchCell = Find(TPoint(-1, -1), text, p);
    DoSearchFooterAction(text, FSearchCell.X, FSearchCell.Y, saFindFirst);
    if (FSearchCell.X < 0) {
      ColourSearchEdit(panel, TColor(0x0000FF));
    } else {
      ColourSearchEdit(panel, clWindow);
      ScrollInView(FSearchCell.X, FSearchCell.Y);
      if (highlighting) {
        if (searchCol == -1)
          HilightInGrid(false, matchCase, text);
        else
          HilightInCol(false, matchCase, searchCol, text);
      }
    }
  } else {
    ColourSearchEdit(panel, clWindow);
    if (hilite)
      unhilight();
  }
}

void TZavStringGrid::SearchFooterStep(bool Backward)
{
  TSearchPanel *panel = FSearchPanel.get();
  if (!panel)
    return;
  const QString text = panel->Edit()->Text();
  if (!FSearchFooter->AutoSearch() && text != FSearchFooter->LastSearch()) {
    FSearchCell = TPoint(-1, -1);
    FSearchFooter->SetLastSearch(text);
  }
  TFindParams p = FooterParams(panel, FSearchFooter.get(), ColCount(), FindCol);
  if (Backward) {
    p -= fnDirectionLeftRight;
    p += fnBackward;
  }
  FSearchCell = Find(FSearchCell, text, p);
  const auto scroll = [this] {
    if (FSearchCell.X >= 0)
      ScrollInView(FSearchCell.X, FSearchCell.Y);
  };
  if (!Backward)
    scroll();
  const int g = FFloatingFooter->Visible() ? 1 : 0;
  if (Row() > TopRow() + VisibleRowCount() - 2 - g && VisibleRowCount() + FixedRows() + g < RowCount())
    SetTopRow(TopRow() + 2);
  if (Backward)
    scroll();
  DoSearchFooterAction(text, FSearchCell.X, FSearchCell.Y, Backward ? saFindPrevious : saFindNext);
  panel->Invalidate();
}

void TZavStringGrid::SearchForwardClick(TObject *) { SearchFooterStep(false); }

void TZavStringGrid::SearchBackwardClick(TObject *) { SearchFooterStep(true); }

void TZavStringGrid::SearchCloseClick(TObject *)
{
  if (OnSearchFooterClose)
    OnSearchFooterClose(this);
  FSearchFooter->SetVisible(false);
}

void TZavStringGrid::SearchHighlightClick(TObject *)
{
  TSearchPanel *panel = FSearchPanel.get();
  if (!panel)
    return;
  const int searchCol = FSearchFooter->SearchColumn();
  if (panel->HighlightDown()) {
    const QString text = panel->Edit()->Text();
    if (searchCol == -1)
      HilightInGrid(false, panel->MatchCaseChecked(), text);
    else
      HilightInCol(false, panel->MatchCaseChecked(), searchCol, text);
  } else if (searchCol == -1) {
    UnHilightInGrid(false);
  } else {
    UnHilightInCol(false, searchCol);
  }
}
