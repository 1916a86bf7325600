// Grid members the settings objects reach whose full bodies come with row repainting and
// column stretching.
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

