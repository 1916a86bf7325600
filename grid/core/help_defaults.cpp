// Grid members the helper classes, the footer and the feature settings call, whose real bodies
// come with the hidden-column mapping, the dimensions and the footer calculation.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::SetHideLastRow(bool Value)
{
  if (FHideLastRow == Value)
    return;
  FHideLastRow = Value;
  Invalidate();
}

