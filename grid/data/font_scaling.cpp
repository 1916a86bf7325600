// The two fonts the grid draws with beside its own: they scale with the control so that the
// header and the active cell keep their size relative to the cells.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::ChangeScale(int M, int D)
{
  TBaseGrid::ChangeScale(M, D);
  if (IsDesignTime() || M == D || D == 0)
    return;
  FFixedFont->SetSize(MulDiv(FFixedFont->Size(), M, D));
  FActiveCellFont->SetSize(MulDiv(FActiveCellFont->Size(), M, D));
}
