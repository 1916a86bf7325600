// Edit-flow steps the auxiliary controls call, in their plainest form.
#include "grid/core/zav_string_grid.h"

// Moving after an edit: to the next column, wrapping to the next row.
void TZavStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Advance, bool KeepOrigin, bool Backward,
                                       bool Forced)
{
  if (!Forced && !Navigation()->AdvanceOnEnter())
    return;
  int c = Col() + (Backward ? -1 : 1);
  int r = Row();
  if (c >= ColCount()) {
    c = FixedCols();
    ++r;
  } else if (c < FixedCols()) {
    c = ColCount() - 1;
    --r;
  }
  if (r >= FixedRows() && r < RowCount())
    FocusCell(c, r, true);
}

// Without embedded controls to move to, the focus returns to the grid.
void TZavStringGrid::FocusNextCellControl(int ACol, int ARow, const QString &ControlID)
{
  if (CanFocus())
    SetFocus();
}
