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

void TZavStringGrid::SetFixedFooters(int Value) { FFixedFooters = Value < 0 ? 0 : Value; }

// No hidden columns or rows yet: display and real indexes are the same.
int TZavStringGrid::RealColIndex(int ACol) { return ACol; }
void TZavStringGrid::CalcFooter(int) {}
