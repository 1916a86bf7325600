// Removing, inserting, clearing, trimming, merging and splitting rows and columns. Rows change
// place as blocks (one rotation of the row store, the heights and each side table), so an
// operation at the top of a long grid costs one pass over it, not one pass per row.
#include "grid/core/zav_string_grid.h"

#include <algorithm>
#include <unordered_set>

#include "framework/system/sysutils.h"
#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/grid_options.h"

namespace {

// Entry i of a per-row (per-column) list goes to NewIndex(i); -1 drops it. NewIndex must keep
// the order of the entries it keeps and number them without gaps.
template <typename F>
void RemapEntries(TList *L, F NewIndex)
{
  int kept = 0;
  for (int i = 0; i < L->Count(); ++i) {
    const int j = NewIndex(i);
    if (j < 0)
      continue;
    L->TList::SetItems(j, L->TList::Items(i));
    kept = j + 1;
  }
  if (kept < L->Count())
    L->SetCount(kept);
}

// Count empty entries come in at At; a list that ends before At is left as it is.
void InsertEntries(TList *L, int At, int Count)
{
  const int n = L->Count();
  if (At >= n || Count <= 0)
    return;
  L->SetCount(n + Count);
  for (int i = n - 1; i >= At; --i)
    L->TList::SetItems(i + Count, L->TList::Items(i));
  for (int i = At; i < At + Count; ++i)
    L->TList::SetItems(i, nullptr);
}

// A list of row numbers (the selected rows) follows the same renumbering.
template <typename F>
void RemapValues(TIntList *L, F NewIndex)
{
  for (int i = L->Count() - 1; i >= 0; --i) {
    const int j = NewIndex(L->Items(i));
    if (j < 0)
      L->Delete(i);
    else if (j != L->Items(i))
      L->TList::SetItems(i, reinterpret_cast<void *>(intptr_t(j)));
  }
}

// Frees a properties object kept outside the cell slots (a hidden row's record), with the cell
// graphic it owns.
void FreeDetachedProps(TObject *Obj)
{
  auto *p = static_cast<TCellProperties *>(Obj);
  if (!p)
    return;
  if (TObject *g = p->GraphicObject(); g && g->ClassName() == QLatin1String("TCellGraphic"))
    delete g;
  delete p;
}

// The clearing family takes real columns: the display mapping of SaveHiddenCells is off meanwhile.
struct TRealColumns {
  explicit TRealColumns(bool &Flag) : FFlag(Flag), FKeep(Flag) { FFlag = false; }
  ~TRealColumns() { FFlag = FKeep; }
  bool &FFlag;
  bool FKeep;
};

// Leading and trailing blanks and control characters go.
QString TrimCell(const QString &S)
{
  int b = 0, e = int(S.size());
  while (b < e && S[b].unicode() <= ' ')
    ++b;
  while (e > b && S[e - 1].unicode() <= ' ')
    --e;
  return b == 0 && e == int(S.size()) ? S : S.mid(b, e - b);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Row blocks

void TZavStringGrid::CutRowBlock(int ARow, int ACount, bool MoveHeights)
{
  const int old = RowCount();
  const int first = DisplToRealRow(ARow);
  // Both maps describe the grid as it is before the rows leave.
  auto real = [&](int r) { return FHiddenRows.RealAfterRemoval(r, first, ACount); };
  auto displ = [&](int d) { return d < ARow ? d : d < ARow + ACount ? -1 : d - ACount; };
  for (int i = FControlList->Count() - 1; i >= 0; --i) {
    TControlItem *item = FControlList->Item(i);
    const int y = real(item->Y);
    if (y >= 0) {
      item->Y = y;
    } else {
      if (item->Control)
        item->Control->SetVisible(false);
      FControlList->RemoveControl(i);
    }
  }
  RemapEntries(FModifiedRows.get(), displ);
  RemapEntries(FEnabledRows.get(), displ);
  if (FMouseActions->RowSelectPersistent()) {
    RemapEntries(FRowSelectList.get(), real);
    RemapValues(FSelectedRows.get(), real);
  } else {
    RemapEntries(FRowSelectList.get(), displ);
    RemapValues(FSelectedRows.get(), displ);
  }
  FHiddenRows.RowsRemoved(first, ACount);

  // The rows taken out hold references that are freed or belong to others; the store keeps
  // rows beyond the count, so they must not come back with a later growth.
  CloseRowCells(ARow, ACount, old);
  for (int r = old, end = std::min(old + ACount, StoredRowExtent() - 1); r <= end; ++r)
    ClearRowCells(r);
  if (MoveHeights)
    RotateRowHeights(ARow, ARow + ACount, old);
  SetRowCountRaw(old - ACount);
  FMaxRowCount = std::max(FMaxRowCount - ACount, RowCount());
  UpdateProportionalVertScroll();
  UpdateScrollBarAlways(false);
}

void TZavStringGrid::OpenRowBlock(int ARow, int ACount)
{
  const int old = RowCount();
  const int at = DisplToRealRow(ARow);
  SetRowCountRaw(old + ACount);
  // The new rows, empty and of the default height, take the place of whatever the store kept
  // beyond the old count.
  OpenRowCells(ARow, ACount, old);
  RotateRowHeights(ARow, old, old + ACount);
  FHiddenRows.RowsInserted(at, ACount);
  for (int i = 0; i < FControlList->Count(); ++i)
    if (FControlList->Item(i)->Y >= at)
      FControlList->Item(i)->Y += ACount;
  InsertEntries(FModifiedRows.get(), ARow, ACount);
  InsertEntries(FEnabledRows.get(), ARow, ACount);
  const int selAt = FMouseActions->RowSelectPersistent() ? at : ARow;
  InsertEntries(FRowSelectList.get(), selAt, ACount);
  RemapValues(FSelectedRows.get(), [&](int r) { return r >= selAt ? r + ACount : r; });
  UpdateProportionalVertScroll();
  UpdateScrollBarAlways(false);
}

void TZavStringGrid::PlaceAfterRowsRemoved(int OldRow, int OldTop, bool RestoreRow)
{
  const int lastNormal = RowCount() - FFixedFooters - 1;
  if (OldRow < RowCount() - FFixedFooters) {
    if (RestoreRow && OldRow >= FixedRows() && OldRow != Row())
      SetRowEx(OldRow);
    if (OldTop != TopRow())
      SetTopRowEx(OldTop);
  } else if (lastNormal >= FixedRows()) {
    SetRowEx(lastNormal);
  } else {
    HideSelection();
  }
  FSelHidden = false;
}

int TZavStringGrid::MinRowCount() const { return std::max(FixedRows() + (FFixedRowAlways ? 0 : 1), 1); }
int TZavStringGrid::MinColCount() const { return std::max(FixedCols() + (FFixedColAlways ? 0 : 1), 1); }

namespace {
// The rows asked for that exist, as many from the first on as leave Least rows.
bool ClipRows(int Count, int Least, int RowIndex, int &RCount)
{
  if (RCount <= 0 || RowIndex < 0 || RowIndex >= Count)
    return false;
  RCount = std::min({RCount, Count - RowIndex, Count - Least});
  return RCount > 0;
}
}  // namespace

void TZavStringGrid::DeleteDisplayRows(int ARow, int ACount, bool Full)
{
  (void)Full;  // hidden rows and controls always follow: a partial renumbering loses rows
  if (!ClipRows(RowCount(), MinRowCount(), ARow, ACount))
    return;
  const int oldRow = Row(), oldTop = TopRow();
  BeginUpdate();
  CutRowBlock(ARow, ACount, true);
  PlaceAfterRowsRemoved(oldRow, oldTop, !FMouseActions->DisjunctRowSelect());
  DoCellsChanged(TRect(0, ARow, ColCount() - 1, ARow + ACount));
  EndUpdate();
  // Rows on screen only exist with a window.
  if (HandleAllocated()) {
    const int top = RowCount() + FixedRows() - VisibleRowCount() - 2;
    if (TopRow() >= top && RowCount() - VisibleRowCount() - 1 > 0)
      SetTopRowEx(top);
  }
  if (FControlList->Count() > 0)
    CellControlsUpdate(false);
}

void TZavStringGrid::RemoveRowsBlock(int RowIndex, int RCount)
{
  if (!ClipRows(RowCount(), MinRowCount(), RowIndex, RCount))
    return;
  FreeCellPropertiesRange(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
  DeleteDisplayRows(RowIndex, RCount, true);
}

void TZavStringGrid::RemoveRows(int RowIndex, int RCount) { TZavStringGrid::RemoveRowsBlock(RowIndex, RCount); }

// The rows' objects went elsewhere (a move carries them): nothing is freed. Heights travel with
// their rows as everywhere else.
void TZavStringGrid::RemoveRowsEx(int RowIndex, int RCount)
{
  if (!ClipRows(RowCount(), MinRowCount(), RowIndex, RCount))
    return;
  const int oldRow = Row(), oldTop = TopRow();
  BeginUpdate();
  CutRowBlock(RowIndex, RCount, true);
  if (oldRow < RowCount()) {
    TCustomGrid::SetRow(oldRow);
    SetTopRowEx(oldTop);
  } else if (FixedRows() < RowCount()) {
    TCustomGrid::SetRow(FixedRows());
    SetTopRowEx(FixedRows());
  }
  DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
  EndUpdate();
}

void TZavStringGrid::InsertDisplayRows(int ARow, int ACount, bool UpdateCellControls)
{
  if (ACount <= 0 || ARow < 0)
    return;
  // A floating footer keeps the last row: rows never come after it.
  const bool footer = FFloatingFooter && FFloatingFooter->Visible();
  ARow = std::min(ARow, footer ? std::max(RowCount() - 1, 0) : RowCount());
  if (FSelHidden || Row() >= RowCount() || Col() >= ColCount())
    UnHideSelection();
  BeginUpdate();
  OpenRowBlock(ARow, ACount);
  if (!ComponentState().Contains(csDestroying))
    DoCellsChanged(TRect(0, ARow, ColCount() - 1, ARow + ACount));
  EndUpdate();
  if (UpdateCellControls && FControlList->Count() > 0)
    CellControlsUpdate(false);
}

void TZavStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls)
{
  InsertDisplayRows(RowIndex, RCount, UpdateCellControls);
}

void TZavStringGrid::AddRow()
{
  if (FFloatingFooter && FFloatingFooter->Visible()) {
    InsertRows(RowCount() - 1, 1, true);
    if (FFloatingFooter->FooterStyle() == fsFixedLastRow)
      ClearRows(RowCount() - 2, 1);
  } else {
    InsertRows(RowCount(), 1, true);
    ClearRows(RowCount() - 1, 1);
  }
}

// The hook row-appending code calls; derived grids grow their own stores with it.
void TZavStringGrid::GrowRowCount(int ACount) { SetRowCount(RowCount() + ACount); }

// Appended after every real column, hidden ones included.
void TZavStringGrid::AddColumn() { InsertCols(AllColCount(), 1); }

// ---------------------------------------------------------------------------------------------
// Removing rows by their state

namespace {
// Display rows (descending) as runs of adjacent rows, each removed in one step.
template <typename F>
void RemoveRowRuns(const std::vector<int> &Descending, F Remove)
{
  size_t i = 0;
  while (i < Descending.size()) {
    size_t j = i + 1;
    while (j < Descending.size() && Descending[j] == Descending[j - 1] - 1)
      ++j;
    Remove(Descending[j - 1], int(j - i));
    i = j;
  }
}
}  // namespace

void TZavStringGrid::RemoveCheckedRows(int CheckBoxColumn, bool RemoveChecked)
{
  std::vector<int> rows;
  for (int r = RowCount() - 1; r >= FixedRows(); --r)
    if (IsChecked(CheckBoxColumn, r) == RemoveChecked)
      rows.push_back(r);
  BeginUpdate();
  RemoveRowRuns(rows, [this](int r, int n) { RemoveRows(r, n); });
  EndUpdate();
}

void TZavStringGrid::RemoveDuplicates(int ACol, bool DoCase)
{
  const int col = RealColIndex(ACol);
  std::unordered_set<QString> seen;
  std::vector<int> rows;
  for (int r = FixedRows(); r < RowCount() - FFixedFooters; ++r) {
    const QString s = DoCase ? Cells(col, r) : Cells(col, r).toUpper();
    if (!seen.insert(s).second)
      rows.push_back(r);
  }
  std::reverse(rows.begin(), rows.end());
  BeginUpdate();
  RemoveRowRuns(rows, [this](int r, int n) { RemoveRowsBlock(r, n); });
  EndUpdate();
}

void TZavStringGrid::RemoveSelectedRows()
{
  BeginUpdate();
  if (FMouseActions->DisjunctRowSelect()) {
    const bool persistent = FMouseActions->RowSelectPersistent();
    std::vector<int> rows;
    for (int d = RowCount() - FFixedFooters - 1; d >= FixedRows(); --d)
      if (FlagAt(FRowSelectList.get(), persistent ? RealRowIndex(d) : d))
        rows.push_back(d);
    RemoveRowRuns(rows, [this](int r, int n) { RemoveRowsBlock(r, n); });
    ClearRowSelect();
  } else {
    const TGridRect s = Selection();
    const int top = std::min(s.Top, s.Bottom), bottom = std::max(s.Top, s.Bottom);
    RemoveRowsBlock(top, bottom - top + 1);
  }
  EndUpdate();
}

void TZavStringGrid::RemoveUnSelectedRows()
{
  const bool persistent = FMouseActions->RowSelectPersistent();
  std::vector<int> rows;
  for (int d = RowCount() - FFixedFooters - 1; d >= FixedRows(); --d)
    if (!FlagAt(FRowSelectList.get(), persistent ? RealRowIndex(d) : d))
      rows.push_back(d);
  BeginUpdate();
  RemoveRowRuns(rows, [this](int r, int n) { RemoveRowsBlock(r, n); });
  if (persistent)
    SelectRows(FixedRows(), RowCount() - FixedRows() - FFixedFooters);
  else
    ClearRowSelect();
  EndUpdate();
}

// Selections are display columns; the removal takes real ones.
void TZavStringGrid::RemoveSelectedCols()
{
  BeginUpdate();
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c)
      if (FlagAt(FColSelectList.get(), c))
        RemoveCols(RealColIndex(c), 1);
  } else {
    const TGridRect s = Selection();
    for (int c = std::max(s.Left, s.Right); c >= std::min(s.Left, s.Right); --c)
      RemoveCols(RealColIndex(c), 1);
  }
  EndUpdate();
}

void TZavStringGrid::RemoveUnSelectedCols()
{
  BeginUpdate();
  if (FMouseActions->DisjunctColSelect()) {
    for (int c = ColCount() - 1; c >= FixedCols(); --c)
      if (!FlagAt(FColSelectList.get(), c))
        RemoveCols(RealColIndex(c), 1);
  } else {
    const TGridRect s = Selection();
    for (int c = ColCount() - 1; c > std::max(s.Left, s.Right); --c)
      RemoveCols(RealColIndex(c), 1);
    for (int c = std::min(s.Left, s.Right) - 1; c >= FixedCols(); --c)
      RemoveCols(RealColIndex(c), 1);
  }
  ClearColSelect();
  EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Columns

void TZavStringGrid::RemoveHiddenRowColumns(int ColIndex, int CCount)
{
  for (const TRowIndexMap::TEntry &e : FHiddenRows.Entries()) {
    TStrings *list = e.Item->Items();
    for (int k = 0; k < CCount && ColIndex < list->Count(); ++k) {
      FreeDetachedProps(list->Objects(ColIndex));
      list->Delete(ColIndex);
    }
  }
}

void TZavStringGrid::DropHiddenRowsAfter(int Real)
{
  const std::vector<TRowIndexMap::TEntry> gone =
      FHiddenRows.Extract([Real](const TRowIndexMap::TEntry &e) { return e.Real > Real; });
  for (auto it = gone.rbegin(); it != gone.rend(); ++it) {
    if (!FNilObjects) {
      TStrings *list = it->Item->Items();
      for (int c = 0; c < list->Count(); ++c)
        FreeDetachedProps(list->Objects(c));
    }
    delete it->Item;
  }
  if (FHiddenRows.Empty())
    FGridItems->Clear();
}

void TZavStringGrid::RemoveCols(int ColIndex, int CCount)
{
  const int all = AllColCount();
  if (ColIndex < 0 || CCount <= 0 || ColIndex >= all)
    return;
  CCount = std::min(CCount, all - ColIndex);
  // Shown columns leave only down to the least count: the range is cut from its end.
  int allowed = std::max(ColCount() - MinColCount(), 0), n = 0;
  for (; n < CCount; ++n)
    if (!IsHiddenColumn(ColIndex + n) && allowed-- == 0)
      break;
  CCount = n;
  if (CCount == 0)
    return;
  BeginUpdate();
  FBlockCellChange = true;
  ClearCols(ColIndex, CCount);
  FBlockCellChange = false;
  RemoveHiddenRowColumns(ColIndex, CCount);
  int shown = 0;
  for (int c = ColIndex; c < ColIndex + CCount; ++c)
    if (!IsHiddenColumn(c))
      ++shown;
  const int firstShown = RealToDisplCol(ColIndex);
  RemapEntries(FColSelectList.get(),
               [&](int d) { return d < firstShown ? d : d < firstShown + shown ? -1 : d - shown; });
  CloseColCells(ColIndex, CCount, all);
  HiddenColumnsRemoved(ColIndex, CCount);
  DoCellsChanged(TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
  EndUpdate();
}

void TZavStringGrid::InsertCols(int ColIndex, int CCount)
{
  if (ColIndex < 0 || CCount <= 0)
    return;
  const int all = AllColCount();
  ColIndex = std::min(ColIndex, all);
  BeginUpdate();
  OpenColCells(ColIndex, CCount, all);
  for (const TRowIndexMap::TEntry &e : FHiddenRows.Entries()) {
    TStrings *list = e.Item->Items();
    for (int k = 0; k < CCount && ColIndex < list->Count(); ++k)
      list->InsertObject(ColIndex, QString(), nullptr);
  }
  // New columns are shown, with the default width; the later flags and widths move along.
  const int d = RealToDisplCol(ColIndex);
  FHiddenCols.Inserted(ColIndex, CCount, DefaultColWidth());
  const int oldCount = ColCount();
  SetColCount(oldCount + CCount);
  RotateColWidths(d, oldCount, ColCount());
  InsertEntries(FColSelectList.get(), d, CCount);
  DoCellsChanged(TRect(ColIndex, 0, ColIndex + CCount, RowCount() - 1));
  EndUpdate();
}

void TZavStringGrid::MergeCols(int ColIndex1, int ColIndex2, const QString &Separator)
{
  BeginUpdate();
  for (int r = FixedRows(); r < RowCount(); ++r)
    SetCells(ColIndex1, r, Trim(Cells(ColIndex1, r) + Separator + Cells(ColIndex2, r)));
  RemoveCols(ColIndex2, 1);
  EndUpdate();
}

// ---------------------------------------------------------------------------------------------
// Clearing, trimming, colouring

void TZavStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
  const bool destroying = ComponentState().Contains(csDestroying);
  for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
    for (int i = std::max(ACol1, 0); i <= ACol2; ++i) {
      const int a = FSaveHiddenCells ? RealColIndex(i) : i;
      if (!FClearTextOnly && GridObjects(a, r)) {
        if (FNilObjects) {
          SetGridCells(a, r, QString());
          SetGridObjects(a, r, nullptr);
        } else {
          FreeCellPropertiesRange(a, r, a, r);
        }
      }
      if (!destroying && !GridCells(a, r).isEmpty()) {
        SetGridCells(a, r, QString());
        if (a != i)
          RepaintCell(i, r);
      }
    }
  // Properties may still live in columns or rows outside the block: the flag stays then.
  if (!FClearTextOnly && ACol1 <= 0 && ARow1 <= 0 && ACol2 >= AllColCount() - 1 && ARow2 >= RowCount() - 1 &&
      FHiddenRows.Empty())
    FHasCellProps = false;
  if (!destroying && !FBlockCellChange) {
    const bool map = FSaveHiddenCells;
    DoCellsChanged(TRect(map ? RealColIndex(ACol1) : ACol1, ARow1, map ? RealColIndex(ACol2) : ACol2, ARow2));
  }
}

void TZavStringGrid::Clear()
{
  // Node rows go first, so that no contracted branch keeps cells out of the clearing.
  if (FNumNodes > 0 && !ComponentState().Contains(csDestroying))
    RemoveAllNodes();
  {
    TRealColumns real(FSaveHiddenCells);
    ClearRect(0, 0, AllColCount() - 1, RowCount() - 1);
  }
  FIncrSearchText.clear();
  if (NumHiddenColumns() > 0)
    Invalidate();
}

void TZavStringGrid::ClearAll()
{
  Clear();
  for (const TRowIndexMap::TEntry &e : FHiddenRows.Entries()) {
    TStrings *list = e.Item->Items();
    if (!FNilObjects)
      for (int c = 0; c < list->Count(); ++c)
        FreeDetachedProps(list->Objects(c));
    list->Clear();
  }
}

void TZavStringGrid::ClearRows(int RowIndex, int RCount)
{
  if (RowCount() == 0 || ColCount() == 0 || RCount <= 0)
    return;
  TRealColumns real(FSaveHiddenCells);
  ClearRect(0, RowIndex, AllColCount() - 1, RowIndex + RCount - 1);
}

void TZavStringGrid::ClearCols(int ColIndex, int CCount)
{
  if (RowCount() == 0 || ColCount() == 0 || CCount <= 0)
    return;
  TRealColumns real(FSaveHiddenCells);
  ClearRect(ColIndex, 0, ColIndex + CCount - 1, RowCount() - 1);
}

void TZavStringGrid::ClearNormalRows(int RowIndex, int RCount)
{
  if (RowCount() == 0 || ColCount() == 0 || RCount <= 0)
    return;
  TRealColumns real(FSaveHiddenCells);
  ClearRect(FixedCols(), RowIndex, AllColCount() - FFixedRightCols - 1, RowIndex + RCount - 1);
}

void TZavStringGrid::ClearNormalCols(int ColIndex, int CCount)
{
  if (RowCount() == 0 || ColCount() == 0 || CCount <= 0)
    return;
  TRealColumns real(FSaveHiddenCells);
  ClearRect(ColIndex, FixedRows(), ColIndex + CCount - 1, RowCount() - FFixedFooters - 1);
}

void TZavStringGrid::ClearNormalCells()
{
  if (FixedCols() == 0 && FNumNodes > 0)
    RemoveAllNodes();
  TRealColumns real(FSaveHiddenCells);
  ClearRect(FixedCols(), FixedRows(), AllColCount() - FFixedRightCols - 1, RowCount() - FFixedFooters - 1);
}

// Selections are display columns: each one clears its real column.
void TZavStringGrid::ClearSelection()
{
  if (FMouseActions->DisjunctRowSelect()) {
    const bool persistent = FMouseActions->RowSelectPersistent();
    for (int d = 0; d < RowCount(); ++d)
      if (FlagAt(FRowSelectList.get(), persistent ? RealRowIndex(d) : d))
        ClearRows(d, 1);
  } else if (FMouseActions->DisjunctColSelect()) {
    for (int c = 0; c < ColCount(); ++c)
      if (FlagAt(FColSelectList.get(), c))
        ClearCols(RealColIndex(c), 1);
  } else {
    const TGridRect s = Selection();
    TRealColumns real(FSaveHiddenCells);
    for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
      ClearRect(RealColIndex(c), std::min(s.Top, s.Bottom), RealColIndex(c), std::max(s.Top, s.Bottom));
  }
}

void TZavStringGrid::TrimRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
  for (int r = std::max(ARow1, 0); r <= ARow2; ++r)
    for (int i = std::max(ACol1, 0); i <= ACol2; ++i) {
      const int a = FSaveHiddenCells ? RealColIndex(i) : i;
      const QString s = GridCells(a, r);
      const QString t = TrimCell(s);
      if (t.size() != s.size())
        SetGridCells(a, r, t);
    }
}

void TZavStringGrid::TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
void TZavStringGrid::TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
void TZavStringGrid::TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }

void TZavStringGrid::ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor)
{
  for (int r = ARow1; r <= ARow2; ++r)
    for (int c = ACol1; c <= ACol2; ++c)
      SetColors(c, r, AColor);
}

// ---------------------------------------------------------------------------------------------
// Merging and splitting runs of cells

void TZavStringGrid::MergeColumnCells(int ColIndex, bool MainMerge)
{
  const int last = RowCount() - FFixedFooters - 1;
  int r = FixedRows();
  while (r <= last) {
    const QString text = GridCells(ColIndex, r);
    int e = r + 1;
    bool found = false;
    while (e <= last && GridCells(ColIndex, e) == text && (MainMerge || RowSpanIdentical(e - 1, e, found)))
      ++e;
    if (e - r >= 2)
      MergeCells(ColIndex, r, 1, e - r);
    r = e;
  }
}

void TZavStringGrid::MergeRowCells(int RowIndex, bool MainMerge)
{
  const int last = ColCount() - FFixedRightCols - 1;
  int c = FixedCols();
  while (c <= last) {
    const QString text = GridCells(c, RowIndex);
    int e = c + 1;
    bool found = false;
    while (e <= last && GridCells(e, RowIndex) == text && (MainMerge || ColSpanIdentical(e - 1, e, found)))
      ++e;
    if (e - c >= 2)
      MergeCells(c, RowIndex, e - c, 1);
    c = e;
  }
}

void TZavStringGrid::SplitColumnCells(int ColIndex)
{
  int r = 0;
  while (r < RowCount()) {
    if (IsYMergedCell(ColIndex, r)) {
      const int bottom = FullCell(ColIndex, r).Bottom;
      SplitCells(ColIndex, r);
      r = bottom + 1;
    } else {
      ++r;
    }
  }
}

void TZavStringGrid::SplitRowCells(int RowIndex)
{
  int c = 0;
  while (c < ColCount()) {
    if (IsMergedCell(c, RowIndex)) {
      const int right = FullCell(c, RowIndex).Right;
      SplitCells(c, RowIndex);
      c = right + 1;
    } else {
      ++c;
    }
  }
}

void TZavStringGrid::SplitAllCells()
{
  if (!FHasCellProps)
    return;
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (IsMergedCell(c, r))
        SplitCells(c, r);
}

void TZavStringGrid::SplitAllColumnCells()
{
  for (int c = 0; c < ColCount(); ++c)
    SplitColumnCells(c);
}

void TZavStringGrid::ApplyMergedColumns()
{
  for (int i = 0; i < FMergedColumns->Count(); ++i)
    MergeColumnCells(FMergedColumns->Items(i), i == 0);
}

// ---------------------------------------------------------------------------------------------
// Searches

bool TZavStringGrid::IsCell(const QString &SubStr, int &ACol, int &ARow)
{
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (GridCells(c, r) == SubStr) {
        ACol = c;
        ARow = r;
        return true;
      }
  return false;
}

bool TZavStringGrid::IsWideCell(int ACol, int ARow) { return GridCells(ACol, ARow).startsWith(QStringLiteral("|\\")); }
