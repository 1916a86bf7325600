// Sorting rows in place: the row quicksort over the grid's own cells, the whole-grid sorts by a
// column or by the sort index list, sorts inside node groups, undoing sorts through the row
// cross-reference, and the row and column exchanges.
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_error.h"
#include "grid/core/search_panel.h"
#include "grid/core/sort_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"

#include <algorithm>
#include <vector>

namespace {

const QString NoIndexesMessage = QStringLiteral("No indexes specified for indexed sort");

// Restores what a sort changed around its row pass, also when the pass fails.
template <typename F>
struct TScopeExit {
  F Fn;
  ~TScopeExit() { Fn(); }
};
template <typename F>
TScopeExit(F) -> TScopeExit<F>;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Scratch rows and the pivot

void TZavStringGrid::ExchangeRowData(int ARow1, int ARow2)
{
  // Whole rows change hands: every real column, hidden ones included, without copying texts.
  TGridCellStore::TRowData r1 = TakeRowCells(ARow1);
  TGridCellStore::TRowData r2 = TakeRowCells(ARow2);
  if (!r2.empty())
    PutRowCells(ARow1, std::move(r2));
  if (!r1.empty())
    PutRowCells(ARow2, std::move(r1));
}

void TZavStringGrid::AddSortScratchRows()
{
  // A grid that once held more rows may have left cells in the rows that become scratch rows;
  // the references go, the objects stay with the grid.
  for (int r = RowCount(); r < RowCount() + 3; ++r)
    ClearRowCells(r);
  SetRowCountRaw(RowCount() + 3);
  FSortScratch = true;
  // The scratch rows never go through the display-text hooks.
  FNormalRowCount = RowCount() - 3;
  FSortColExtra = NumHiddenColumns();
}

void TZavStringGrid::RemoveSortScratchRows()
{
  FSortColExtra = 0;
  if (!FSortScratch)
    return;
  FSortScratch = false;
  for (int r = RowCount() - 3; r < RowCount(); ++r)
    ClearRowCells(r);
  SetRowCountRaw(RowCount() - 3);
}

void TZavStringGrid::CopyPivotRow(int ARow)
{
  const int pivot = SortPivotRow();
  const bool display = FSortSettings->SortOnVirtualCells();
  const bool hooked = OnGetDisplText || OnGetDisplWideText || FURLShowInText || FGrouping->ShowGroupCount();
  if (!display || !hooked) {
    // The scratch row shares the cell objects of the row; it never owns them.
    CopyRowCells(ARow, pivot);
    return;
  }
  ClearRowCells(pivot);
  const int cols = ColCount() + FSortColExtra;
  for (int c = 0; c < cols; ++c) {
    SetGridCells(c, pivot, Cells(c, ARow));
    SetGridObjects(c, pivot, GridObjects(c, ARow));
  }
}

// ---------------------------------------------------------------------------------------------
// Partition passes

void TZavStringGrid::QuickSortRows(int ACol, int Left, int Right)
{
  SortDir = FSortSettings->Direction() == sdAscending ? 1 : -1;
  const int pivot = SortPivotRow();
  while (Left < Right) {
    CopyPivotRow((Left + Right) / 2);
    int i = Left, j = Right;
    do {
      while (CompareRows(ACol, pivot, i) == SortDir && i < Right)
        ++i;
      while (CompareRows(ACol, j, pivot) == SortDir && j > Left)
        --j;
      if (i <= j) {
        if (i != j && CompareRows(ACol, i, j) != 0)
          SortSwapRows(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    // The smaller side recursively, the larger one in this loop: the stack stays shallow.
    if (j - Left < Right - i) {
      if (Left < j)
        QuickSortRows(ACol, Left, j);
      Left = i;
    } else {
      if (i < Right)
        QuickSortRows(ACol, i, Right);
      Right = j;
    }
  }
}

void TZavStringGrid::QuickSortRowsIndexed(int FirstIndex, int Left, int Right)
{
  const int pivot = SortPivotRow();
  while (Left < Right) {
    CopyPivotRow((Left + Right) / 2);
    int i = Left, j = Right;
    do {
      while (CompareRowsIndexed(FirstIndex, pivot, i) == 1 && i < Right)
        ++i;
      while (CompareRowsIndexed(FirstIndex, j, pivot) == 1 && j > Left)
        --j;
      if (i <= j) {
        if (i != j)
          SortSwapRows(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - Left < Right - i) {
      if (Left < j)
        QuickSortRowsIndexed(FirstIndex, Left, j);
      Left = i;
    } else {
      if (i < Right)
        QuickSortRowsIndexed(FirstIndex, i, Right);
      Right = j;
    }
  }
}

void TZavStringGrid::QuickUnSortRows(int Left, int Right)
{
  TIntList *keys = FUnSortRowXRef.get();
  while (Left < Right) {
    const int pivot = keys->Items((Left + Right) / 2);
    int i = Left, j = Right;
    do {
      while (keys->Items(i) < pivot && i < Right)
        ++i;
      while (pivot < keys->Items(j) && j > Left)
        --j;
      if (i <= j) {
        if (i != j && keys->Items(i) != keys->Items(j)) {
          SortSwapRows(i, j);
          keys->Exchange(i, j);
        }
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - Left < Right - i) {
      if (Left < j)
        QuickUnSortRows(Left, j);
      Left = i;
    } else {
      if (i < Right)
        QuickUnSortRows(i, Right);
      Right = j;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Row exchange

void TZavStringGrid::SortSwapRows(int ARow1, int ARow2)
{
  ++Swaps;
  const int n = FSortRowXRef->Count();
  if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < n && ARow2 < n)
    FSortRowXRef->Exchange(ARow1, ARow2);
  if (FSortSettings->SingleColumn()) {
    // Only the sort column (or the index columns) changes rows; the stored texts move, never
    // the display texts, so that display hooks are not written back into the cells.
    auto exchangeCell = [this, ARow1, ARow2](int c) {
      if (c < 0)
        return;
      const QString t1 = GridCells(c, ARow1);
      TObject *o1 = GridObjects(c, ARow1);
      SetGridCells(c, ARow1, GridCells(c, ARow2));
      SetGridObjects(c, ARow1, GridObjects(c, ARow2));
      SetGridCells(c, ARow2, t1);
      SetGridObjects(c, ARow2, o1);
    };
    if (FSortSettings->Column() >= 0) {
      exchangeCell(FSortSettings->Column());
    } else {
      std::vector<int> done;
      for (int i = 0; i < FSortIndexes->Count(); ++i) {
        const int c = FSortIndexes->GetSortColumns(i);
        if (std::find(done.begin(), done.end(), c) == done.end()) {
          done.push_back(c);
          exchangeCell(c);
        }
      }
    }
    return;
  }
  // Whole rows change places: every real column, hidden ones included.
  ExchangeRowData(ARow1, ARow2);
  const int h1 = RowHeights(ARow1), h2 = RowHeights(ARow2);
  if (h1 != h2) {
    SetRowHeights(ARow1, h2);
    SetRowHeights(ARow2, h1);
  }
  if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
    const int r1 = RealRowIndex(ARow1), r2 = RealRowIndex(ARow2);
    GrowFlags(FRowSelectList.get(), std::max(r1, r2) + 1);
    FRowSelectList->Exchange(r1, r2);
  }
  if (FShowModified->Enabled()) {
    GrowFlags(FModifiedRows.get(), std::max(ARow1, ARow2) + 1);
    FModifiedRows->Exchange(ARow1, ARow2);
  }
  if (SortRow == ARow1)
    SortRow = ARow2;
  else if (SortRow == ARow2)
    SortRow = ARow1;
}

void TZavStringGrid::SwapRows(int ARow1, int ARow2)
{
  if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0)
    return;
  ExchangeRowData(ARow1, ARow2);
  const int h1 = RowHeights(ARow1), h2 = RowHeights(ARow2);
  SetRowHeights(ARow1, h2);
  SetRowHeights(ARow2, h1);
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem *item = FControlList->Item(i);
    if (item->Y == ARow1)
      item->Y = ARow2;
    else if (item->Y == ARow2)
      item->Y = ARow1;
  }
  CellControlsUpdate(false);
  Invalidate();
}

void TZavStringGrid::SwapColumns(int ACol1, int ACol2)
{
  if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0)
    return;
  const int rows = RowCount();
  for (int r = 0; r < rows; ++r) {
    const QString t1 = GridCells(ACol1, r);
    TObject *o1 = GridObjects(ACol1, r);
    SetGridCells(ACol1, r, GridCells(ACol2, r));
    SetGridObjects(ACol1, r, GridObjects(ACol2, r));
    SetGridCells(ACol2, r, t1);
    SetGridObjects(ACol2, r, o1);
  }
  const int w1 = AllColWidths(ACol1), w2 = AllColWidths(ACol2);
  SetAllColWidths(ACol1, w2);
  SetAllColWidths(ACol2, w1);
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem *item = FControlList->Item(i);
    if (item->X == ACol1)
      item->X = ACol2;
    else if (item->X == ACol2)
      item->X = ACol1;
  }
  if (FSortSettings->Column() == ACol1)
    FSortSettings->SetColumn(ACol2);
  else if (FSortSettings->Column() == ACol2)
    FSortSettings->SetColumn(ACol1);
  CellControlsUpdate(false);
  Invalidate();
}

bool TZavStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
  const int last = ColCount() + NumHiddenColumns() - 1;
  for (int c = Col;; ++c) {
    const int r = CompareCells(c, ARow1, ARow2, FSortSettings->Direction());
    if (r == SortDir) {
      SortSwapRows(ARow1, ARow2);
      return true;
    }
    if (r != 0 || c >= last)
      return false;
  }
}

void TZavStringGrid::InitSortXRef()
{
  const int n = RowCount();
  FSortRowXRef->Clear();
  for (int i = 0; i < n; ++i)
    FSortRowXRef->Add(i);
}

// ---------------------------------------------------------------------------------------------
// Whole-grid sorts

void TZavStringGrid::RunWholeGridSort(bool Indexed)
{
  if (FSortRowXRef->Count() != RowCount())
    InitSortXRef();
  if (Indexed) {
    if (FSortIndexes->Count() == 0)
      throw EZavGridError(NoIndexesMessage);
  } else {
    FSortIndexes->Clear();
  }
  // Column 0 keeps its cells in place under NormalCellsOnly.
  std::vector<std::pair<QString, TObject *>> col0;
  const bool keepCol0 = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
  if (keepCol0) {
    col0.reserve(size_t(RowCount()));
    for (int r = 0; r < RowCount(); ++r)
      col0.emplace_back(GridCells(0, r), GridObjects(0, r));
  }
  const int topRow = TopRow();
  const bool footerShown = FFloatingFooter->Visible();
  BeginUpdate();
  TScopeExit cleanup{[&] {
    RemoveSortScratchRows();
    if (keepCol0)
      for (int r = 0; r < int(col0.size()) && r < RowCount(); ++r) {
        SetGridCells(0, r, col0[size_t(r)].first);
        SetGridObjects(0, r, col0[size_t(r)].second);
      }
    if (FNavigation->KeepScrollOnSort())
      SetTopRowEx(topRow);
    EndUpdate();
    if (footerShown)
      FFooterPanel->Invalidate();
    if (!Indexed && FSearchFooter->Visible() && FSearchPanel->Showing())
      FSearchPanel->Invalidate();
  }};
  AddSortScratchRows();
  const bool moveRow = FNavigation->MoveRowOnSort();
  SortRow = Row();
  const int oldRow = Row();
  const int last = RowCount() - 4 - FFixedFooters;
  if (Indexed)
    QuickSortRowsIndexed(0, FixedRows(), last);
  else
    QuickSortRows(FSortSettings->Column(), FixedRows(), last);
  RemoveSortScratchRows();
  const bool entered = FEntered;
  FEntered = false;
  const int target = moveRow ? SortRow : oldRow;
  if ((Indexed || !FMouseActions->DisjunctRowSelect()) && target >= 0 && target < RowCount() && target != Row())
    SetRowEx(target);
  FEntered = entered;
  if (!Indexed && OnRowChanged && !moveRow)
    OnRowChanged(this, oldRow, Row());
}

void TZavStringGrid::QSort()
{
  if (FSortSettings->Column() < 0)
    return;
  RunWholeGridSort(false);
}

void TZavStringGrid::QSortIndexed() { RunWholeGridSort(true); }

void TZavStringGrid::SortGroups(bool Indexed)
{
  if (FSortRowXRef->Count() != RowCount())
    InitSortXRef();
  std::vector<std::pair<QString, TObject *>> col0;
  const bool keepCol0 = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
  if (keepCol0)
    for (int r = 0; r < RowCount(); ++r)
      col0.emplace_back(GridCells(0, r), GridObjects(0, r));
  const int topRow = TopRow();
  BeginUpdate();
  TScopeExit cleanup{[&] {
    RemoveSortScratchRows();
    if (keepCol0)
      for (int r = 0; r < int(col0.size()) && r < RowCount(); ++r) {
        SetGridCells(0, r, col0[size_t(r)].first);
        SetGridObjects(0, r, col0[size_t(r)].second);
      }
    if (FNavigation->KeepScrollOnSort())
      SetTopRowEx(topRow);
    EndUpdate();
  }};
  AddSortScratchRows();
  SortRow = Row();
  const int oldRow = Row();
  const int first = FixedRows(), last = RowCount() - 4 - FFixedFooters;
  int deepest = 0;
  for (int r = first; r <= last; ++r)
    if (IsNode(r))
      deepest = std::max(deepest, GetNodeLevel(r));
  for (int r = first; r <= last; ++r) {
    if (!IsNode(r) || GetNodeState(r) || GetNodeLevel(r) != deepest)
      continue;
    const int span = GetNodeSpan(r);
    if (span < 3)
      continue;
    const int to = std::min(r + span - 1, last);
    if (Indexed)
      QuickSortRowsIndexed(0, r + 1, to);
    else
      QuickSortRows(FSortSettings->Column(), r + 1, to);
  }
  RemoveSortScratchRows();
  const bool entered = FEntered;
  FEntered = false;
  const int target = FNavigation->MoveRowOnSort() ? SortRow : oldRow;
  if (target >= 0 && target < RowCount() && target != Row())
    SetRowEx(target);
  FEntered = entered;
}

void TZavStringGrid::QSortGroup()
{
  if (FSortSettings->Column() < 0)
    return;
  SortGroups(false);
}

void TZavStringGrid::QSortGroupIndexed()
{
  if (FSortIndexes->Count() == 0)
    throw EZavGridError(NoIndexesMessage);
  SortGroups(true);
}

void TZavStringGrid::QUnSort()
{
  // A cross-reference that no longer covers every row would move rows by a stale map.
  if (FSortRowXRef->Count() != RowCount())
    return;
  FUnSortRowXRef->Clear();
  for (int i = 0; i < FSortRowXRef->Count(); ++i)
    FUnSortRowXRef->Add(FSortRowXRef->Items(i));
  std::vector<std::pair<QString, TObject *>> col0;
  const bool keepCol0 = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
  if (keepCol0)
    for (int r = 0; r < RowCount(); ++r)
      col0.emplace_back(GridCells(0, r), GridObjects(0, r));
  BeginUpdate();
  TScopeExit cleanup{[&] {
    FSortColExtra = 0;
    if (keepCol0)
      for (int r = 0; r < int(col0.size()) && r < RowCount(); ++r) {
        SetGridCells(0, r, col0[size_t(r)].first);
        SetGridObjects(0, r, col0[size_t(r)].second);
      }
    EndUpdate();
  }};
  FSortColExtra = NumHiddenColumns();
  QuickUnSortRows(0, RowCount() - 1);
}

// ---------------------------------------------------------------------------------------------
// Entry points

void TZavStringGrid::Sort(int Column, TSortDirection Direction)
{
  FSortSettings->SetColumn(Column);
  FSortSettings->SetDirection(Direction);
  QSort();
}

void TZavStringGrid::SortByColumn(int Col)
{
  if (RowCount() < 2)
    return;
  FSortSettings->SetColumn(Col);
  QSort();
}

void TZavStringGrid::QuickSort(int Col, int Left, int Right)
{
  TScopeExit cleanup{[&] {
    RemoveSortScratchRows();
  }};
  AddSortScratchRows();
  QuickSortRows(Col, Left, Right);
}

void TZavStringGrid::QuickSortIndexed(int Left, int Right)
{
  TScopeExit cleanup{[&] {
    RemoveSortScratchRows();
  }};
  AddSortScratchRows();
  QuickSortRowsIndexed(0, Left, Right);
}
