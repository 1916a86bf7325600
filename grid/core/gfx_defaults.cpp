// The grid's settings objects and row state as the cell graphics and the auxiliary controls
// read them, with defaults where their owners come later.
#include "grid/core/zav_string_grid.h"

#include "grid/core/control_look.h"

// The text margin on both sides.
int TZavStringGrid::GetTotalXOffset() { return 2 * GraphicXYOffset().X; }
int TZavStringGrid::GetTotalYOffset() { return 2 * GraphicXYOffset().Y; }

int TZavStringGrid::GraphicCheckSize() { return FControlLook->CheckSize(); }
int TZavStringGrid::GraphicRadioSize() { return FControlLook->RadioSize(); }
bool TZavStringGrid::GraphicFlatControls() { return FControlLook->ControlStyle() == csFlat; }
TPoint TZavStringGrid::GraphicXYOffset() { return XYOffset(); }

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
