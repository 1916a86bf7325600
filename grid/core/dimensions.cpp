// Row and column counts, fixed rows and columns at every edge, default sizes, the current
// cell and top row, the grid-wide word wrap and alignment, and the save range.
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "grid/core/footer.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

namespace {
bool Loading(const TComponent *C) { return C->ComponentState().Contains(csLoading); }
}  // namespace

// The raw count change shared with the row hiding: no footer move.
void TZavStringGrid::SetRowCountRaw(int Value)
{
  TCustomGrid::SetRowCount(Value);
  if (FFixedRowAlways && FMinFixedRows < RowCount())
    SetFixedRows(FMinFixedRows);
  if (Value > FMaxRowCount)
    FMaxRowCount = Value;
  FNormalRowCount = RowCount();
}

void TZavStringGrid::SetRowCount(int Value)
{
  const int old = RowCount();
  // A selection hidden while only the fixed rows were left comes back with the first new row.
  if (old == FixedRows() && FFixedRowAlways && FSelHidden)
    UnHideSelection();
  // The hidden rows after the first shown row that goes go with it; those before it stay.
  if (const int cut = std::max(Value, 1); cut < old && !FHiddenRows.Empty())
    DropHiddenRowsAfter(DisplToRealRow(cut));
  SetRowCountRaw(Value);
  // With the footer and scrolling topic: UpdateFooter, the proportional horizontal bar and the
  // flat or thin bars.
  UpdateProportionalVertScroll();
  UpdateScrollBarAlways(false);
  const int now = RowCount();
  if (FFloatingFooter && FFloatingFooter->Visible() && now != old && old > 0) {
    // The footer lives in the last row: it moves to the new last row, and its old place keeps
    // no reference to the objects that went with it.
    CopyRowCells(old - 1, now - 1);
    ClearRowCells(old - 1);
    CalcFooter(-1);
  }
}

void TZavStringGrid::SetColCount(int Value)
{
  // As with rows: hidden columns after the first shown column that goes go with it.
  if (const int cut = std::max(Value, 1); cut < ColCount())
    FHiddenCols.DropAfterShown(cut);
  TCustomGrid::SetColCount(Value);
  if (FFixedColAlways && FMinFixedCols < ColCount())
    SetFixedCols(FMinFixedCols);
  if (Value > FMaxColCount)
    FMaxColCount = Value;
  // With the footer and scrolling topic: UpdateFooter and the proportional horizontal bar.
  SetBounds(Left(), Top(), Width(), Height());
  UpdateProportionalVertScroll();
  UpdateScrollBarAlways(false);
}

int TZavStringGrid::FixedRows() const
{
  const int v = TCustomGrid::FixedRows();
  return v == 0 && FFixedRowAlways ? 1 : v;
}

void TZavStringGrid::SetFixedRows(int Value)
{
  int w = Value;
  // The inherited grid needs one normal row: the rest waits for the rows to come.
  if (Value >= RowCount() && FFixedRowAlways)
    w = RowCount() - 1;
  TCustomGrid::SetFixedRows(w);
  if (!Loading(this))
    FMinFixedRows = Value;
}

int TZavStringGrid::FixedCols() const
{
  const int v = TCustomGrid::FixedCols();
  return v == 0 && FFixedColAlways ? 1 : v;
}

void TZavStringGrid::SetFixedCols(int Value)
{
  int w = Value;
  if (Value >= ColCount() && FFixedColAlways)
    w = ColCount() - 1;
  TCustomGrid::SetFixedCols(w);
  if (!Loading(this))
    FMinFixedCols = Value;
}

void TZavStringGrid::SetFixedFooters(int Value)
{
  FFixedFooters = Value;
  Invalidate();
}

void TZavStringGrid::SetFixedRightCols(int Value)
{
  FFixedRightCols = Value;
  Invalidate();
}

void TZavStringGrid::SetDefaultAlignment(TAlignment Value)
{
  if (FDefaultAlignment == Value)
    return;
  FDefaultAlignment = Value;
  Invalidate();
}

void TZavStringGrid::SetDefaultRowHeight(int Value)
{
  TCustomGrid::SetDefaultRowHeight(Value);
  if (IsDesignTime())
    FFixedRowHeight = Value;
  // The footer's own writer sizes its panel too.
  if (FFloatingFooter)
    FFloatingFooter->SetHeight(Value);
}

void TZavStringGrid::SetFixedRowHeight(int Value)
{
  FFixedRowHeight = Value;
  if (Loading(this))
    return;
  if (Value == DefaultRowHeight()) {
    SetDefaultRowHeight(Value);
    return;
  }
  for (int r = 0; r < FixedRows() && r < RowCount(); ++r)
    SetRowHeights(r, Value);
}

void TZavStringGrid::SetFixedColWidth(int Value)
{
  if (Loading(this) || Value == DefaultColWidth())
    return;
  for (int c = 0; c < FixedCols() && c < ColCount(); ++c)
    SetColWidths(c, Value);
}

void TZavStringGrid::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  FWordWrapEx = Value;
  if (auto *edit = dynamic_cast<TZavInplaceEdit *>(InplaceEditor()))
    edit->SetWordWrap(Value);
  if (FUpdateCount == 0)
    Invalidate();
}

void TZavStringGrid::SetCol(int Value)
{
  TCustomGrid::SetCol(Value);
  if (TStringGrid *other = FSyncGrid ? FSyncGrid->Grid() : nullptr; other && FSyncGrid->SelectionColumn()) {
    if (auto *zav = dynamic_cast<TZavStringGrid *>(other))
      zav->SetCol(Col());
    else
      other->SetCol(Col());
  }
}

void TZavStringGrid::SetRowEx(int Value)
{
  if (Col() < 0 || Col() >= ColCount())
    TCustomGrid::FocusCell(FixedCols(), Value, true);
  TCustomGrid::SetRow(Value);
  if (Row() != FOldSelRow && OnRowUpdate) {
    OnRowUpdate(this, FOldSelRow, Row());
    FOldSelRow = Row();
  }
  if (FMouseActions->DisjunctRowSelect())
    SelectionToRowSelect(false);
  if (TStringGrid *other = FSyncGrid ? FSyncGrid->Grid() : nullptr; other && FSyncGrid->SelectionRow()) {
    if (auto *zav = dynamic_cast<TZavStringGrid *>(other))
      zav->SetRowEx(Row());
    else
      other->SetRow(Row());
  }
  // With the search panel: on the last row with a visible search footer, TopRow rises until the
  // row shows above the footer (the rule of ScrollInView).
}

void TZavStringGrid::SetTopRowEx(int Value)
{
  if (Value >= FixedRows() && Value <= RowCount() - 1)
    TCustomGrid::SetTopRow(Value);
}

// Save range: the whole grid with SaveFixedCells (or the matching SaveFixedCols/Rows), else
// the normal cells between the fixed ones.
int TZavStringGrid::SaveStartCol() const { return FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols(); }
int TZavStringGrid::SaveStartRow() const { return FSaveFixedCells || FSaveFixedRows ? 0 : FixedRows(); }

int TZavStringGrid::SaveEndCol() const
{
  return FSaveFixedCells || FSaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}

int TZavStringGrid::SaveEndRow() const
{
  return FSaveFixedCells || FSaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}

int TZavStringGrid::SaveColCount() const
{
  return FSaveFixedCells || FSaveFixedCols ? ColCount() : ColCount() - FixedCols() - FFixedRightCols;
}

int TZavStringGrid::SaveRowCount() const
{
  return FSaveFixedCells || FSaveFixedRows ? RowCount() : RowCount() - FixedRows() - FFixedFooters;
}
