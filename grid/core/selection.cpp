// Disjunct row and column selections, the modified and enabled row flags, moving the current
// cell and the repaint helpers of cells, rows, columns and cell rectangles.
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "framework/graphics/graphics.h"
#include "grid/core/grid_error.h"
#include "grid/foundation/grid_options.h"

// ---------------------------------------------------------------------------------------------
// Flag lists: one pointer-sized entry per row or column, nullptr for "not selected".

bool TZavStringGrid::FlagAt(TList *List, int i) { return i >= 0 && i < List->Count() && List->Items(i); }

void TZavStringGrid::GrowFlags(TList *List, int Count)
{
  if (List->Count() < Count)
    List->SetCount(Count);
}

namespace {

void *const Selected = reinterpret_cast<void *>(intptr_t(1));

// Rows are mostly deselected in the order they were selected or last first: look from the end.
void DeleteLast(TIntList *List, int Value)
{
  for (int i = List->Count() - 1; i >= 0; --i)
    if (List->Items(i) == Value) {
      List->Delete(i);
      return;
    }
}

int CountFlags(TList *List, int Limit)
{
  const int n = std::min(List->Count(), Limit);
  int count = 0;
  for (int i = 0; i < n; ++i)
    if (List->Items(i))
      ++count;
  return count;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Rows

bool TZavStringGrid::RowSelect(int ARow)
{
  if (ARow < 0)
    return false;
  if (ARow >= RowCount() + NumHiddenRows() && !FMouseActions->RowSelectPersistent())
    throw EZavGridError(QStringLiteral("Invalid row %1 accessed").arg(ARow));
  if (FMouseActions->DisjunctRowSelect())
    return FlagAt(FRowSelectList.get(), ARow);
  const TGridRect s = Selection();
  return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

void TZavStringGrid::SetRowSelect(int ARow, bool Value)
{
  if (ARow < 0 || (ARow >= RowCount() + NumHiddenRows() && RowCount() > FixedRows()))
    throw EZavGridError(QStringLiteral("Invalid row accessed"));
  const bool was = FlagAt(FRowSelectList.get(), ARow);
  // The handler is asked before every change of a flag, and only then.
  if (was != Value && OnRowDisjunctSelect) {
    bool allow = true;
    OnRowDisjunctSelect(this, ARow, Value, allow);
    if (!allow)
      return;
  }
  GrowFlags(FRowSelectList.get(), ARow + 1);
  if (was != Value) {
    RepaintRow(ARow);
    FRowSelectList->SetItems(ARow, Value ? Selected : nullptr);
    // The list holds exactly the flagged normal rows, so a change of the flag is a change of
    // the list.
    if (Value && ARow >= FixedRows())
      FSelectedRows->Add(ARow);
    else if (!Value)
      DeleteLast(FSelectedRows.get(), ARow);
  }
  if (OnRowDisjunctSelected)
    OnRowDisjunctSelected(this, ARow);
}

void TZavStringGrid::SelectRows(int RowIndex, int RCount)
{
  if (RowIndex + RCount > RowCount())
    RCount = RowCount() - RowIndex;
  if (!FMouseActions->DisjunctRowSelect()) {
    if (RCount > 0)
      SetSelection(TGridRect(FixedCols(), RowIndex, ColCount() - 1, RowIndex + RCount - 1));
  } else {
    const bool persistent = FMouseActions->RowSelectPersistent();
    for (int r = std::max(RowIndex, 0); r < RowIndex + RCount; ++r)
      SetRowSelect(persistent ? RealRowIndex(r) : r, true);
  }
  if (!FRowIndicator->Empty())
    RepaintCol(0);
  FSelChange = false;
}

void TZavStringGrid::UnSelectRows(int RowIndex, int RCount)
{
  if (FMouseActions->DisjunctRowSelect()) {
    const bool persistent = FMouseActions->RowSelectPersistent();
    const int last = std::min(RowIndex + RCount, RowCount());
    for (int r = std::max(RowIndex, 0); r < last; ++r)
      SetRowSelect(persistent ? RealRowIndex(r) : r, false);
  }
  FSelChange = false;
}

void TZavStringGrid::ClearRowSelect()
{
  TList *list = FRowSelectList.get();
  for (int i = 0; i < list->Count(); ++i)
    if (list->Items(i)) {
      list->SetItems(i, nullptr);
      RepaintRow(i);
    }
  if (list->Count() > 0)
    FSelectedRows->Clear();
}

void TZavStringGrid::SelectionToRowSelect(bool Reset)
{
  const TGridRect s = Selection();
  const int bottom = std::min(s.Bottom, RowCount() - FFixedFooters - 1);
  const bool persistent = FMouseActions->RowSelectPersistent();
  // Without a reset only the rows inside are written: moving the row does not walk them all.
  const int first = Reset ? FixedRows() : std::max(FixedRows(), s.Top);
  const int last = Reset ? RowCount() - 1 : bottom;
  for (int r = first; r <= last; ++r) {
    const bool inside = r >= s.Top && r <= bottom;
    if (inside || Reset)
      SetRowSelect(persistent ? RealRowIndex(r) : r, inside);
  }
  if (NumHiddenRows() > 0)
    Invalidate();
}

int TZavStringGrid::RowSelectCount()
{
  if (FMouseActions->DisjunctRowSelect())
    return CountFlags(FRowSelectList.get(), RowCount() + NumHiddenRows());
  const TGridRect s = Selection();
  return std::abs(s.Bottom - s.Top) + 1;
}

// ---------------------------------------------------------------------------------------------
// Columns

bool TZavStringGrid::ColSelect(int ACol)
{
  if (ACol < 0 || ACol >= ColCount())
    throw EZavGridError(QStringLiteral("Invalid column accessed"));
  return FlagAt(FColSelectList.get(), ACol);
}

void TZavStringGrid::SetColSelect(int ACol, bool Value)
{
  if (ACol < 0 || ACol >= ColCount())
    throw EZavGridError(QStringLiteral("Invalid column accessed"));
  GrowFlags(FColSelectList.get(), ACol + 1);
  if (FlagAt(FColSelectList.get(), ACol) == Value)
    return;
  FColSelectList->SetItems(ACol, Value ? Selected : nullptr);
  RepaintCol(ACol);
}

void TZavStringGrid::SelectCols(int ColIndex, int CCount)
{
  if (!FMouseActions->DisjunctColSelect()) {
    if (CCount > 0)
      SetSelection(TGridRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - 1));
    return;
  }
  const int last = std::min(ColIndex + CCount, ColCount());
  for (int c = std::max(ColIndex, 0); c < last; ++c)
    SetColSelect(c, true);
}

void TZavStringGrid::UnSelectCols(int ColIndex, int CCount)
{
  if (!FMouseActions->DisjunctColSelect())
    return;
  const int last = std::min(ColIndex + CCount, ColCount());
  for (int c = std::max(ColIndex, 0); c < last; ++c)
    SetColSelect(c, false);
}

void TZavStringGrid::ClearColSelect()
{
  TList *list = FColSelectList.get();
  for (int i = 0; i < list->Count(); ++i)
    if (list->Items(i)) {
      list->SetItems(i, nullptr);
      RepaintCol(i);
    }
}

void TZavStringGrid::SelectionToColSelect(bool Reset)
{
  const TGridRect s = Selection();
  for (int c = FixedCols(); c < ColCount(); ++c) {
    const bool inside = c >= s.Left && c <= s.Right;
    if (inside || Reset)
      SetColSelect(c, inside);
  }
}

int TZavStringGrid::ColSelectCount()
{
  if (FMouseActions->DisjunctColSelect())
    return CountFlags(FColSelectList.get(), FColSelectList->Count());
  const TGridRect s = Selection();
  return s.Right - s.Left + 1;
}

void TZavStringGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
  SetRow(ToRow);
  SetCol(ToCol);
  SetSelection(TGridRect(FromCol, FromRow, ToCol, ToRow));
}

// ---------------------------------------------------------------------------------------------
// Moving the current cell

void TZavStringGrid::GotoCell(int ACol, int ARow)
{
  SetRow(ARow);
  SetCol(ACol);
}

void TZavStringGrid::EditCell(int ACol, int ARow)
{
  if (CanFocus())
    SetFocus();
  GotoCell(ACol, ARow);
  ShowInplaceEdit();
}

void TZavStringGrid::FocusCell(int ACol, int ARow) { SetSelection(TGridRect(ACol, ARow, ACol, ARow)); }

void TZavStringGrid::MoveCellFocus(int ACol, int ARow) { MoveColRow(ACol, ARow, true, true); }

// ---------------------------------------------------------------------------------------------
// Modified and enabled rows. A negative row has no flag: reads answer the default and writes
// are ignored.

bool TZavStringGrid::RowModified(int ARow)
{
  return ARow >= 0 && ARow < FModifiedRows->Count() && FModifiedRows->Items(ARow) == 1;
}

void TZavStringGrid::SetRowModified(int ARow, bool Value)
{
  if (ARow < 0)
    return;
  GrowFlags(FModifiedRows.get(), ARow + 1);
  FModifiedRows->SetItems(ARow, Value ? 1 : 0);
  RepaintCell(0, ARow);
}

int TZavStringGrid::ModifiedRowCount()
{
  int n = 0;
  for (int i = 0; i < FModifiedRows->Count(); ++i)
    if (FModifiedRows->Items(i) == 1)
      ++n;
  return n;
}

bool TZavStringGrid::RowEnabled(int ARow)
{
  return ARow < 0 || ARow >= FEnabledRows->Count() || FEnabledRows->Items(ARow) == 0;
}

void TZavStringGrid::SetRowEnabled(int ARow, bool Value)
{
  if (ARow < 0)
    return;
  if (ARow == Row()) {
    // The current row moves to the first enabled normal row; with none it stays.
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (r != ARow && RowEnabled(r)) {
        SetRow(r);
        break;
      }
  }
  FUseEnabledRows = true;
  GrowFlags(FEnabledRows.get(), ARow + 1);
  FEnabledRows->SetItems(ARow, Value ? 0 : 1);
  RepaintRow(ARow);
}

// ---------------------------------------------------------------------------------------------
// Repainting

namespace {

TRect UnionOf(const TRect &A, const TRect &B)
{
  if (A.IsEmpty())
    return B;
  if (B.IsEmpty())
    return A;
  return TRect(std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
               std::max(A.Bottom, B.Bottom));
}

}  // namespace

// The bands use the framework's cell rectangles, which are empty for cells out of view.
void TZavStringGrid::RepaintRow(int ARow)
{
  if (!HandleAllocated() || ARow < 0 || ARow >= RowCount())
    return;
  // Rows scrolled out of view (the partly shown last one counts as in view) are ruled out
  // before any cell geometry is computed: row-wide setters call this once per row.
  if (ARow >= FixedRows() && (ARow < TopRow() || ARow > TopRow() + VisibleRowCount()))
    return;
  const int last = std::min(LeftCol() + VisibleColCount(), ColCount() - 1);
  const TRect r = UnionOf(TCustomGrid::CellRect(0, ARow), TCustomGrid::CellRect(last, ARow));
  if (!r.IsEmpty())
    ::InvalidateRect(Handle(), &r, false);
}

void TZavStringGrid::RepaintCol(int ACol)
{
  if (!HandleAllocated() || ACol < 0 || ACol >= ColCount())
    return;
  const int last = std::min(TopRow() + VisibleRowCount(), RowCount() - 1);
  const TRect r = UnionOf(TCustomGrid::CellRect(ACol, TopRow()), TCustomGrid::CellRect(ACol, last));
  if (!r.IsEmpty())
    ::InvalidateRect(Handle(), &r, false);
}

void TZavStringGrid::RepaintRect(TRect r)
{
  if (r.Left < 0 || r.Top < 0 || r.Right < 0 || r.Bottom < 0)
    return;
  if (!HandleAllocated())
    return;
  // The framework's rectangles: empty for a cell out of view.
  const TRect a = TCustomGrid::CellRect(r.Left, r.Top);
  const TRect b = TCustomGrid::CellRect(std::min(r.Right, VisibleColCount() + FixedCols()), r.Bottom);
  if (a.IsEmpty() || b.IsEmpty()) {
    Invalidate();
    return;
  }
  const TRect u = UnionOf(a, b);
  ::InvalidateRect(Handle(), &u, true);
}

void TZavStringGrid::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom)
{
  // These looks draw the selection as one block.
  if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) {
    const TGridRect s = Selection();
    RepaintRect(TRect(s.Left, s.Top, s.Right, s.Bottom));
  }
  FSelChange = true;
  if (OnSelectionChanged)
    OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}
