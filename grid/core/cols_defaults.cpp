// Smallest bodies of the members the column grid needs from topics built elsewhere.
#include "grid/core/zav_string_grid.h"

// Without hidden columns a real column is its display column.
int TZavStringGrid::AllColWidths(int ACol)
{
  return ACol >= 0 && ACol < ColCount() ? ColWidths(ACol) : 0;
}

void TZavStringGrid::SetAllColWidths(int ACol, int Value)
{
  if (ACol >= 0 && ACol < ColCount())
    SetColWidths(ACol, Value);
}
