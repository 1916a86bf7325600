// Smallest bodies of members of the row operations that the node rows call.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::ClearRows(int RowIndex, int RCount)
{
  for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r)
    for (int c = 0; c < AllColCount(); ++c)
      SetGridCells(c, r, QString());
}
