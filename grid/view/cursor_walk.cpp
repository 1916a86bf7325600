// The arrow-key walk out of a cell editor (Navigation.CursorWalkEditor): at either end of the
// text, Left and Right leave the editor for the neighbouring cell.
#include "grid/view/editor_wrappers.h"

#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"

int CursorWalkClickCell(TZavStringGrid *Grid, bool Forward)
{
  const int col = Grid->Col(), row = Grid->GetRowEx();
  int target = -1;
  if (!Forward && col > Grid->FixedCols())
    target = col - 1;
  if (Forward && col < Grid->ColCount() - Grid->FixedRightCols() - 1)
    target = col + Grid->CellSpan(Grid->RealColIndex(col), row).X + 1;
  if (target < 0 || target >= Grid->ColCount() || !Grid->IsClickControlCell(Grid->RealColIndex(target), row))
    return -1;
  return target;
}

void CursorWalkAdvance(TZavStringGrid *Grid, bool Forward)
{
  // The walk follows the row whatever direction Enter advances in.
  TNavigation *nav = Grid->Navigation();
  const TAdvanceDirection dir = nav->AdvanceDirection();
  nav->SetAdvanceDirection(adLeftRight);
  try {
    Grid->AdvanceToNextCell(Grid->Col(), Grid->GetRowEx(), true, false, !Forward, true);
  } catch (...) {
    nav->SetAdvanceDirection(dir);
    throw;
  }
  nav->SetAdvanceDirection(dir);
}
