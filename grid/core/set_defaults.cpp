// Grid members the settings objects reach whose full bodies come with the grid's dimensions,
// hidden columns, row repainting and column stretching.
#include "grid/core/zav_string_grid.h"

void TZavStringGrid::SetZAVGradientFrom(TColor Value)
{
  FZAVGradientFrom = ColorToRGB(Value);
  Invalidate();
}

void TZavStringGrid::SetZAVGradientTo(TColor Value)
{
  FZAVGradientTo = ColorToRGB(Value);
  Invalidate();
}

void TZavStringGrid::SetZAVGradientMirrorFrom(TColor Value)
{
  FZAVGradientMirrorFrom = ColorToRGB(Value);
  Invalidate();
}

void TZavStringGrid::SetZAVGradientMirrorTo(TColor Value)
{
  FZAVGradientMirrorTo = ColorToRGB(Value);
  Invalidate();
}

// Until columns are stretched, the widths stay as they are.

// Until columns can be hidden, every column is shown.
int TZavStringGrid::AllColCount() const { return ColCount(); }
