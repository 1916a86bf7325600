// Hidden columns and the mapping between real column indexes (the cell store's) and display
// indexes (the inherited grid's).
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"

TZavStringGrid::TBoolArray TZavStringGrid::AllColumnsShown()
{
  TBoolArray a;
  a.fill(true);
  return a;
}

// The mappings run per cell (painting, hit tests, accessors): tables kept in step with the
// flags answer them without a scan. Past the last hidden column the shift is constant, so the
// tables end there and hiding or showing a column costs no pass over every mappable index.
void TZavStringGrid::UpdateColumnMap()
{
  FShownCols.clear();
  int16_t hidden = 0;
  for (int c = 0; c < MaxHiddenColumns && hidden < FNumHidden; ++c) {
    FHiddenBefore[size_t(c)] = hidden;
    if (FVisibleCol[size_t(c)])
      FShownCols.push_back(int16_t(c));
    else
      ++hidden;
  }
}

int TZavStringGrid::RealToDisplCol(int ACol) const
{
  if (ACol >= MaxHiddenColumns || FNumHidden == 0 || ACol < 0)
    return ACol;
  // The tables reach the last hidden column; every column after it has all of them before it.
  if (ACol >= int(FShownCols.size()) + FNumHidden)
    return ACol - FNumHidden;
  return ACol - FHiddenBefore[size_t(ACol)];
}

int TZavStringGrid::DisplToRealCol(int ACol) const
{
  if (ACol >= MaxHiddenColumns || FNumHidden == 0)
    return ACol;
  // A negative index or one beyond the shown columns finds no column.
  if (ACol < 0)
    return 0;
  if (ACol < int(FShownCols.size()))
    return FShownCols[size_t(ACol)];
  const int real = ACol + FNumHidden;
  return real < MaxHiddenColumns ? real : 0;
}

bool TZavStringGrid::IsHiddenColumn(int ColIndex) const
{
  return ColIndex >= 0 && ColIndex < MaxHiddenColumns && !FVisibleCol[size_t(ColIndex)];
}

int TZavStringGrid::AllColCount() const { return ColCount() + FNumHidden; }

void TZavStringGrid::HideColumns(int FromCol, int ToCol)
{
  HideInplaceEdit();
  // Only the mapped range has flags and remembered widths.
  const int last = std::min(ToCol, MaxHiddenColumns - 1);
  for (int c = std::max(FromCol, 0); c <= last; ++c) {
    if (!FVisibleCol[size_t(c)] || c >= ColCount() + FNumHidden || ColCount() < 2)
      continue;
    const int p = RealToDisplCol(c);
    FAllColWidths[size_t(c)] = int16_t(ColWidths(p));
    for (int i = p; i <= ColCount() - 2; ++i)
      SetColWidths(i, ColWidths(i + 1));
    ++FNumHidden;
    FVisibleCol[size_t(c)] = false;
    UpdateColumnMap();
    if (Col() == ColCount() - 1 && Col() > 0)
      SetCol(Col() - 1);
    SetColCount(ColCount() - 1);
  }
  Invalidate();
}

void TZavStringGrid::UnHideColumns(int FromCol, int ToCol)
{
  HideInplaceEdit();
  const int last = std::min(ToCol, MaxHiddenColumns - 1);
  for (int c = std::max(FromCol, 0); c <= last; ++c) {
    if (FVisibleCol[size_t(c)])
      continue;
    --FNumHidden;
    FVisibleCol[size_t(c)] = true;
    UpdateColumnMap();
    SetColCount(ColCount() + 1);
    const int p = RealToDisplCol(c);
    for (int i = ColCount() - 1; i > p; --i)
      SetColWidths(i, ColWidths(i - 1));
    SetColWidths(p, FAllColWidths[size_t(c)]);
  }
  Invalidate();
}

void TZavStringGrid::UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHidden); }

int TZavStringGrid::AllColWidths(int ACol) const
{
  if (IsHiddenColumn(ACol))
    return FAllColWidths[size_t(ACol)];
  return ColWidths(RealToDisplCol(ACol));
}

void TZavStringGrid::SetAllColWidths(int ACol, int Value)
{
  if (ACol < 0)
    return;
  if (ACol < int(FAllColWidths.size()))
    FAllColWidths[size_t(ACol)] = int16_t(Value);
  if (!IsHiddenColumn(ACol)) {
    const int d = RealToDisplCol(ACol);
    if (d < ColCount())
      SetColWidths(d, Value);
  }
}

bool TZavStringGrid::IsIgnoredColumn(int ACol) const { return FIgnoreColumns && FIgnoreColumns->HasValue(ACol); }

void TZavStringGrid::HiddenColumnsRemoved(int ColIndex, int CCount)
{
  if (ColIndex < 0 || CCount <= 0)
    return;
  const int end = std::min(ColIndex + CCount, ColCount() + FNumHidden);
  int shown = 0, hidden = 0, firstShown = -1;
  for (int c = ColIndex; c < end; ++c) {
    if (IsHiddenColumn(c)) {
      ++hidden;
    } else {
      if (firstShown < 0)
        firstShown = RealToDisplCol(c);
      ++shown;
    }
  }
  // The shown ones among them sit side by side on screen: the widths after them close up.
  if (shown > 0)
    for (int i = firstShown; i + shown < ColCount(); ++i)
      SetColWidths(i, ColWidths(i + shown));
  if (ColIndex < MaxHiddenColumns) {
    const int n = std::min(CCount, MaxHiddenColumns - ColIndex);
    std::move(FVisibleCol.begin() + ColIndex + n, FVisibleCol.begin() + MaxHiddenColumns, FVisibleCol.begin() + ColIndex);
    std::fill(FVisibleCol.begin() + MaxHiddenColumns - n, FVisibleCol.begin() + MaxHiddenColumns, true);
    std::move(FAllColWidths.begin() + ColIndex + n, FAllColWidths.begin() + MaxHiddenColumns,
              FAllColWidths.begin() + ColIndex);
    std::fill(FAllColWidths.begin() + MaxHiddenColumns - n, FAllColWidths.begin() + MaxHiddenColumns, int16_t(0));
  }
  FNumHidden -= hidden;
  UpdateColumnMap();
  if (shown > 0)
    SetColCount(ColCount() - shown);
}

