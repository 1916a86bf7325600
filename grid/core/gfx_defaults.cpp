// The grid's settings objects and row state as the cell graphics and the auxiliary controls
// read them, answered from defaults until their owners provide them.
#include "grid/core/zav_string_grid.h"

TMouseActions *TZavStringGrid::MouseActions()
{
  if (!FMouseActions)
    FMouseActions = std::make_unique<TMouseActions>(this);
  return FMouseActions.get();
}

TNavigation *TZavStringGrid::Navigation()
{
  if (!FNavigation)
    FNavigation = std::make_unique<TNavigation>();
  return FNavigation.get();
}

void TZavStringGrid::SetGridImages(TImageList *Value)
{
  FGridImages = Value;
  Invalidate();
}

// XYOffset (2, 2) on both sides of the text.
int TZavStringGrid::GetTotalXOffset() { return 2 * GraphicXYOffset().X; }
int TZavStringGrid::GetTotalYOffset() { return 2 * GraphicXYOffset().Y; }

int TZavStringGrid::GraphicCheckSize() { return 15; }
int TZavStringGrid::GraphicRadioSize() { return 10; }
bool TZavStringGrid::GraphicFlatControls() { return false; }
TPoint TZavStringGrid::GraphicXYOffset() { return {2, 2}; }

// No rows are hidden: real and display rows coincide.
int TZavStringGrid::RealRowIndex(int ARow) { return ARow; }

// The rectangular selection is the row selection.
bool TZavStringGrid::RowSelect(int ARow)
{
  const TGridRect s = Selection();
  return ARow >= std::min(s.Top, s.Bottom) && ARow <= std::max(s.Top, s.Bottom);
}

int TZavStringGrid::RowSelectCount()
{
  const TGridRect s = Selection();
  return std::abs(s.Bottom - s.Top) + 1;
}

void TZavStringGrid::SelectRows(int RowIndex, int RCount)
{
  if (RowIndex + RCount > RowCount())
    RCount = RowCount() - RowIndex;
  TGridRect s;
  s.Left = FixedCols();
  s.Right = ColCount() - 1;
  s.Top = RowIndex;
  s.Bottom = RowIndex + RCount - 1;
  SetSelection(s);
}
