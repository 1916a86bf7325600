// Hidden columns and the mapping between real column indexes (the cell store's) and display
// indexes (the inherited grid's).
#include "grid/core/zav_string_grid.h"

#include <algorithm>

#include "grid/core/footer.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"

// The flags, remembered widths and the mapping live in FHiddenCols; the grid keeps the display
// count and the display widths in step with them.
int TZavStringGrid::RealToDisplCol(int ACol) const { return FHiddenCols.RealToDispl(ACol); }

int TZavStringGrid::DisplToRealCol(int ACol) const { return FHiddenCols.DisplToReal(ACol); }

bool TZavStringGrid::IsHiddenColumn(int ColIndex) const { return FHiddenCols.IsHidden(ColIndex); }

int TZavStringGrid::AllColCount() const { return ColCount() + FHiddenCols.HiddenCount(); }

void TZavStringGrid::HideColumns(int FromCol, int ToCol)
{
  HideInplaceEdit();
  // Only the mapped range has flags and remembered widths.
  const int last = std::min(ToCol, MaxHiddenColumns - 1);
  for (int c = std::max(FromCol, 0); c <= last; ++c) {
    if (IsHiddenColumn(c) || c >= AllColCount() || ColCount() < 2)
      continue;
    const int p = RealToDisplCol(c);
    const int width = ColWidths(p);
    for (int i = p; i <= ColCount() - 2; ++i)
      SetColWidths(i, ColWidths(i + 1));
    FHiddenCols.Hide(c, width);
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
    if (!IsHiddenColumn(c))
      continue;
    const int width = FHiddenCols.Show(c);
    SetColCount(ColCount() + 1);
    const int p = RealToDisplCol(c);
    for (int i = ColCount() - 1; i > p; --i)
      SetColWidths(i, ColWidths(i - 1));
    SetColWidths(p, width);
  }
  Invalidate();
}

void TZavStringGrid::UnHideColumnsAll() { UnHideColumns(0, AllColCount()); }

int TZavStringGrid::AllColWidths(int ACol) const
{
  if (IsHiddenColumn(ACol))
    return FHiddenCols.Width(ACol);
  return ColWidths(RealToDisplCol(ACol));
}

void TZavStringGrid::SetAllColWidths(int ACol, int Value)
{
  if (ACol < 0)
    return;
  FHiddenCols.SetWidth(ACol, Value);
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
  const int end = std::min(ColIndex + CCount, AllColCount());
  int shown = 0, firstShown = -1;
  for (int c = ColIndex; c < end; ++c)
    if (!IsHiddenColumn(c)) {
      if (firstShown < 0)
        firstShown = RealToDisplCol(c);
      ++shown;
    }
  // The shown ones among them sit side by side on screen: the widths after them close up.
  if (shown > 0)
    for (int i = firstShown; i + shown < ColCount(); ++i)
      SetColWidths(i, ColWidths(i + shown));
  FHiddenCols.Removed(ColIndex, CCount);
  if (shown > 0)
    SetColCount(ColCount() - shown);
}
