// Hidden rows: a hidden row leaves the display and waits, with its cells, objects and height,
// in a record of the hidden-row store. Every record holds its row's real index, so the
// real/display mapping is one ordered index over all of them, whichever way they were hidden.
#include "grid/core/zav_string_grid.h"

#include <algorithm>
#include <utility>

#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"

// Every real column travels with the row, the hidden ones included: the row leaves the store
// whole, so its texts are handed on, not copied.
TGridItem *TZavStringGrid::TakeDisplayRow(int D, int Real, int Level)
{
  auto *item = static_cast<TGridItem *>(FGridItems->Add());
  item->SetIdx(Real);
  item->SetHeight(RowHeights(D));
  item->SetLevel(Level);
  TStringList *list = item->ItemList();
  TGridCellStore::TRowData cells = TakeRowCells(D);
  const int cols = AllColCount();
  cells.resize(std::max(cells.size(), size_t(cols)));
  // The texts move: a copy would touch every text's shared data twice (taken, then dropped),
  // which for many rows costs a cache miss per cell.
  list->SetCapacity(list->Count() + cols);
  for (int c = 0; c < cols; ++c)
    list->AddObject(std::move(cells[size_t(c)].Text), cells[size_t(c)].Object);
  return item;
}

// The record is deleted after this, so its texts move back instead of being copied.
void TZavStringGrid::RestoreDisplayRow(int D, TGridItem *Item)
{
  TStringList *list = Item->ItemList();
  TGridCellStore::TRowData cells(size_t(list->Count()));
  for (int c = 0; c < list->Count(); ++c)
    cells[size_t(c)] = {list->TakeString(c), list->Objects(c)};
  PutRowCells(D, std::move(cells));
  SetRowHeights(D, Item->Height());
}

// The cells move as whole rows in one pass; the heights follow only where they differ.
void TZavStringGrid::CutDisplayRows(const std::vector<int> &Rows)
{
  if (Rows.empty())
    return;
  const int count = RowCount();
  CloseRowCellSet(Rows, count);
  int w = Rows.front();
  size_t k = 0;
  for (int r = Rows.front(); r < count; ++r) {
    if (k < Rows.size() && Rows[k] == r) {
      ++k;
      continue;
    }
    if (RowHeights(w) != RowHeights(r))
      SetRowHeights(w, RowHeights(r));
    ++w;
  }
  SetRowCountRaw(count - int(Rows.size()));
}

void TZavStringGrid::OpenDisplayRows(const std::vector<int> &Rows)
{
  if (Rows.empty())
    return;
  const int old = RowCount();
  SetRowCountRaw(old + int(Rows.size()));
  OpenRowCellSet(Rows, old);
  // From the bottom: each row moves down by the number of opened rows at or above its place.
  int read = old - 1;
  size_t j = Rows.size();
  for (int w = RowCount() - 1; j > 0 && w >= 0; --w) {
    if (Rows[j - 1] == w) {
      --j;
    } else {
      if (RowHeights(w) != RowHeights(read))
        SetRowHeights(w, RowHeights(read));
      --read;
    }
  }
}

void TZavStringGrid::ShowHiddenRows(const std::vector<TRowIndexMap::TEntry> &Rows)
{
  if (Rows.empty())
    return;
  // The rows taken out of the index are shown: each one's place counts only the rows that
  // stay hidden before it.
  std::vector<int> places;
  places.reserve(Rows.size());
  for (const TRowIndexMap::TEntry &e : Rows)
    places.push_back(FHiddenRows.RealToDispl(e.Real));
  OpenDisplayRows(places);
  for (size_t i = 0; i < Rows.size(); ++i)
    RestoreDisplayRow(places[i], Rows[i].Item);
  if (FHiddenRows.Empty()) {
    FGridItems->Clear();
  } else {
    // Newest records first: they sit at the end of the store.
    for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
      delete it->Item;
  }
  CellControlsUpdate(false);
}

namespace {
// Display rows of D ascending and inside 0 .. Count - 1, without repeats.
std::vector<int> CleanRows(std::vector<int> D, int Count)
{
  std::sort(D.begin(), D.end());
  D.erase(std::unique(D.begin(), D.end()), D.end());
  D.erase(std::remove_if(D.begin(), D.end(), [Count](int r) { return r < 0 || r >= Count; }), D.end());
  // The inherited grid keeps one row at least.
  if (int(D.size()) >= Count)
    D.resize(size_t(std::max(Count - 1, 0)));
  return D;
}
}  // namespace

void TZavStringGrid::HideDisplayRows(const std::vector<int> &Rows, int Level)
{
  const std::vector<int> rows = CleanRows(Rows, RowCount());
  if (rows.empty())
    return;
  std::vector<TRowIndexMap::TEntry> added;
  added.reserve(rows.size());
  for (int d : rows) {
    const int real = DisplToRealRow(d);
    added.push_back({real, TakeDisplayRow(d, real, Level)});
  }
  // With cell controls: a control embedded in column 1 of the first hidden display row becomes
  // invisible here.
  CutDisplayRows(rows);
  FHiddenRows.AddMany(std::move(added));
  CellControlsUpdate(false);
}

void TZavStringGrid::HideRows(int FromRow, int ToRow)
{
  FromRow = std::max(FromRow, 0);
  ToRow = std::min(ToRow, TotalRowCount() - 1);
  if (ToRow < FromRow)
    return;
  std::vector<int> rows;
  for (int r = FromRow; r <= ToRow; ++r)
    if (!FHiddenRows.Contains(r))
      rows.push_back(RealToDisplRow(r));
  HideDisplayRows(rows, HiddenRowLevel);
}

// Records are always appended and the rows leave the way HideRows takes them, so the only
// difference left is the test of the first row.
void TZavStringGrid::HideRowsEx(int FromRow, int ToRow)
{
  if (FHiddenRows.Contains(FromRow))
    return;
  HideRows(FromRow, ToRow);
}

void TZavStringGrid::HideRowList(TIntList *RowList)
{
  if (!RowList)
    return;
  std::vector<int> rows;
  rows.reserve(size_t(RowList->Count()));
  for (int i = 0; i < RowList->Count(); ++i)
    rows.push_back(RowList->Items(i));
  HideDisplayRows(rows, FFilterLevel);
  ++FFilterLevel;
}

bool TZavStringGrid::DisplayRowSelected(int D)
{
  return RowSelect(FMouseActions && FMouseActions->RowSelectPersistent() ? DisplToRealRow(D) : D);
}

void TZavStringGrid::HideSelectedRows()
{
  std::vector<int> rows;
  for (int d = FixedRows(); d < RowCount(); ++d)
    if (DisplayRowSelected(d))
      rows.push_back(d);
  BeginUpdate();
  HideDisplayRows(rows, HiddenRowLevel);
  EndUpdate();
}

void TZavStringGrid::HideUnSelectedRows()
{
  std::vector<int> rows;
  for (int d = FixedRows(); d < RowCount(); ++d)
    if (!DisplayRowSelected(d))
      rows.push_back(d);
  BeginUpdate();
  HideDisplayRows(rows, HiddenRowLevel);
  EndUpdate();
}

void TZavStringGrid::UnHideRows(int FromRow, int ToRow)
{
  if (!FHiddenRows.Contains(FromRow))
    return;
  ShowHiddenRows(FHiddenRows.Extract([=](const TRowIndexMap::TEntry &e) { return e.Real >= FromRow && e.Real <= ToRow; }));
}

void TZavStringGrid::UnHideRowsAll()
{
  ShowHiddenRows(FHiddenRows.Extract([](const TRowIndexMap::TEntry &) { return true; }));
  FFilterLevel = 0;
}

// Only the records of the level lifted come back; rows hidden otherwise, or by older filter
// levels, stay hidden where they are.
void TZavStringGrid::UnHideRowList()
{
  if (FFilterLevel <= 0)
    return;
  const int level = FFilterLevel - 1;
  ShowHiddenRows(FHiddenRows.Extract([level](const TRowIndexMap::TEntry &e) { return e.Item->Level() == level; }));
}

bool TZavStringGrid::IsHiddenRow(int RowIndex) const { return FHiddenRows.Contains(RowIndex); }

bool TZavStringGrid::IsHiddenRow(int RowIndex, TIntList *&ListHidden) const
{
  if (!ListHidden) {
    ListHidden = new TIntList(0, 0);
    for (const TRowIndexMap::TEntry &e : FHiddenRows.Entries())
      ListHidden->Add(e.Real);
  }
  return FHiddenRows.Contains(RowIndex);
}

int TZavStringGrid::DisplToRealRow(int ARow) const
{
  if (FHiddenRows.Empty())
    return ARow;
  return ARow < 0 ? -1 : FHiddenRows.DisplToReal(ARow);
}

int TZavStringGrid::RealToDisplRow(int ARow) const { return FHiddenRows.RealToDispl(ARow); }

TStrings *TZavStringGrid::HiddenRowItems(int Idx) const
{
  TGridItem *item = FHiddenRows.Find(Idx);
  return item ? item->Items() : nullptr;
}
