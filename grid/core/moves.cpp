// Moving columns, rows and blocks of rows with everything that belongs to them: cells and their
// properties (hidden columns included), widths and heights, hidden-column flags, hidden rows'
// places, embedded controls, row flags and the column order.
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/grid_options.h"

namespace {

// Index I after the entry at From moved to To (the entries between close up).
int MovedIndex(int I, int From, int To)
{
  if (I == From)
    return To;
  if (From < To && I > From && I <= To)
    return I - 1;
  if (To < From && I >= To && I < From)
    return I + 1;
  return I;
}

// A per-row or per-column list entry follows its row; a list that ends before both is left.
void MoveEntry(TList *L, int From, int To)
{
  if (From >= L->Count() && To >= L->Count())
    return;
  if (std::max(From, To) >= L->Count())
    L->SetCount(std::max(From, To) + 1);
  L->TList::Move(From, To);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Columns

void TZavStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
  if (FSyncMoving)
    return;
  if (FColumnOrder->Count() == 0)
    for (int i = 0; i < ColCount(); ++i)
      FColumnOrder->Add(i);
  TCustomGrid::MoveColumn(FromIndex, ToIndex);
  if (FControlList->Count() == 0)
    return;
  for (int i = 0; i < FControlList->Count(); ++i)
    FControlList->Item(i)->X = MovedIndex(FControlList->Item(i)->X, FromIndex, ToIndex);
  CellControlsUpdate(false);
}

void TZavStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
  // Cells move by real index: the hidden columns between the two go along and stay hidden.
  const int rf = RealColIndex(FromIndex), rt = RealColIndex(ToIndex);
  MoveColCells(rf, rt);
  for (const TRowIndexMap::TEntry &e : FHiddenRows.Entries()) {
    TStrings *list = e.Item->Items();
    while (list->Count() <= std::max(rf, rt))
      list->Add(QString());
    list->Move(rf, rt);
  }
  FHiddenCols.Moved(rf, rt);
  if (FEnhRowColMove) {
    if (FromIndex < ToIndex)
      RotateColWidths(FromIndex, FromIndex + 1, ToIndex + 1);
    else
      RotateColWidths(ToIndex, FromIndex, FromIndex + 1);
  }
  if (std::max(FromIndex, ToIndex) < FColumnOrder->Count())
    FColumnOrder->TList::Move(FromIndex, ToIndex);
  MoveEntry(FColSelectList.get(), FromIndex, ToIndex);
  if (FSortSettings && FSortSettings->Column() >= 0)
    FSortSettings->SetColumn(MovedIndex(FSortSettings->Column(), rf, rt));
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
  if (FFloatingFooter && FFloatingFooter->Visible())
    FFloatingFooter->Invalidate();
  if (TStringGrid *other = FSyncGrid ? FSyncGrid->Grid() : nullptr) {
    FSyncMoving = true;
    if (auto *zav = dynamic_cast<TZavStringGrid *>(other))
      zav->MoveColumn(FromIndex, ToIndex);
    else
      other->MoveColumn(FromIndex, ToIndex);
    FSyncMoving = false;
  }
}

// ---------------------------------------------------------------------------------------------
// Rows

void TZavStringGrid::MoveRow(int FromIndex, int ToIndex)
{
  if (FSyncMoving)
    return;
  TCustomGrid::MoveRow(FromIndex, ToIndex);
  if (FControlList->Count() > 0)
    CellControlsUpdate(false);
}

void TZavStringGrid::RowMoved(int FromIndex, int ToIndex)
{
  if (FFloatingFooter && FFloatingFooter->Visible() && FFloatingFooter->FooterStyle() == fsFixedLastRow &&
      ToIndex == RowCount() - 1)
    return;
  // The row leaves its place and comes in at ToIndex of the rows left: hidden rows and controls
  // (real rows) renumber as for a removal and an insertion.
  const int rf = DisplToRealRow(FromIndex);
  auto afterRemoval = [&](int r) { return FHiddenRows.RealAfterRemoval(r, rf, 1); };
  std::vector<int> controlRows;
  for (int i = 0; i < FControlList->Count(); ++i)
    controlRows.push_back(afterRemoval(FControlList->Item(i)->Y));
  const bool persistent = FMouseActions->RowSelectPersistent();
  FHiddenRows.RowsRemoved(rf, 1);
  const int at = DisplToRealRow(ToIndex);
  FHiddenRows.RowsInserted(at, 1);
  for (int i = 0; i < FControlList->Count(); ++i) {
    const int y = controlRows[size_t(i)];
    FControlList->Item(i)->Y = y < 0 ? at : y >= at ? y + 1 : y;
  }
  MoveEntry(FModifiedRows.get(), FromIndex, ToIndex);
  MoveEntry(FEnabledRows.get(), FromIndex, ToIndex);
  const int selFrom = persistent ? rf : FromIndex, selTo = persistent ? at : ToIndex;
  MoveEntry(FRowSelectList.get(), selFrom, selTo);
  for (int i = 0; i < FSelectedRows->Count(); ++i)
    FSelectedRows->TList::SetItems(
        i, reinterpret_cast<void *>(intptr_t(MovedIndex(FSelectedRows->Items(i), selFrom, selTo))));

  MoveRowCells(FromIndex, ToIndex);
  if (FEnhRowColMove) {
    if (FromIndex < ToIndex)
      RotateRowHeights(FromIndex, FromIndex + 1, ToIndex + 1);
    else
      RotateRowHeights(ToIndex, FromIndex, FromIndex + 1);
  }
  TDrawGrid::RowMoved(FromIndex, ToIndex);
  if (TStringGrid *other = FSyncGrid ? FSyncGrid->Grid() : nullptr) {
    FSyncMoving = true;
    if (auto *zav = dynamic_cast<TZavStringGrid *>(other))
      zav->MoveRow(FromIndex, ToIndex);
    else
      other->MoveRow(FromIndex, ToIndex);
    FSyncMoving = false;
  }
}

// The block leaves (its objects carried, not freed) and comes back at the target with its
// cells over every real column, its heights, row flags and embedded controls.
void TZavStringGrid::MoveRows(int FromIndex, int ToIndex, int Count)
{
  if (FromIndex == ToIndex || Count <= 0 || FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount())
    return;
  // The block leaves before it comes back: no more than a removal may take.
  Count = std::min({Count, RowCount() - FromIndex, RowCount() - MinRowCount()});
  if (Count <= 0)
    return;
  // The target names the row the block goes before; one just below the block moves it one row.
  if (ToIndex > FromIndex + Count)
    ToIndex -= Count;
  else if (ToIndex == FromIndex + Count)
    ToIndex = FromIndex + 1;
  ToIndex = std::min(ToIndex, RowCount() - Count);
  if (ToIndex == FromIndex)
    return;

  struct TRowCopy {
    std::vector<std::pair<QString, TObject *>> Cells;
    int Height;
    void *Modified, *Enabled, *Selected;
  };
  const bool persistent = FMouseActions->RowSelectPersistent();
  auto entry = [](TList *L, int i) { return i >= 0 && i < L->Count() ? L->TList::Items(i) : nullptr; };
  const int cols = AllColCount();
  std::vector<TRowCopy> block(static_cast<size_t>(Count));
  for (int i = 0; i < Count; ++i) {
    const int d = FromIndex + i;
    TRowCopy &row = block[size_t(i)];
    row.Cells.reserve(size_t(cols));
    for (int c = 0; c < cols; ++c)
      row.Cells.emplace_back(GridCells(c, d), GridObjects(c, d));
    row.Height = RowHeights(d);
    row.Modified = entry(FModifiedRows.get(), d);
    row.Enabled = entry(FEnabledRows.get(), d);
    row.Selected = entry(FRowSelectList.get(), persistent ? DisplToRealRow(d) : d);
  }
  // Controls of the block travel with it (the removal would drop them).
  std::vector<std::pair<int, TControlItem *>> controls;
  for (int i = FControlList->Count() - 1; i >= 0; --i) {
    TControlItem *item = FControlList->Item(i);
    const int d = FHiddenRows.Contains(item->Y) ? -1 : RealToDisplRow(item->Y);
    if (d >= FromIndex && d < FromIndex + Count) {
      controls.emplace_back(d - FromIndex, item);
      FControlList->Delete(i);
    }
  }

  BeginUpdate();
  RemoveRowsEx(FromIndex, Count);
  InsertRows(ToIndex, Count, true);
  for (int i = 0; i < Count; ++i) {
    const int d = ToIndex + i;
    const TRowCopy &row = block[size_t(i)];
    for (int c = 0; c < cols; ++c) {
      SetGridCells(c, d, row.Cells[size_t(c)].first);
      SetGridObjects(c, d, row.Cells[size_t(c)].second);
    }
    SetRowHeights(d, row.Height);
    auto put = [](TList *L, int i, void *v) {
      if (!v && i >= L->Count())
        return;
      GrowFlags(L, i + 1);
      L->TList::SetItems(i, v);
    };
    put(FModifiedRows.get(), d, row.Modified);
    put(FEnabledRows.get(), d, row.Enabled);
    const int s = persistent ? DisplToRealRow(d) : d;
    put(FRowSelectList.get(), s, row.Selected);
    if (row.Selected && d >= FixedRows())
      FSelectedRows->Add(s);
  }
  for (const auto &[offset, item] : controls) {
    item->Y = DisplToRealRow(ToIndex + offset);
    FControlList->Add(item);
  }
  EndUpdate();
  if (FControlList->Count() > 0)
    CellControlsUpdate(false);
}
