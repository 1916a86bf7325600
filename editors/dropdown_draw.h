#pragma once
// Drawing routines of the drop-down editors that the bars, buttons and item lists share, and that
// the grid's search panel paints its background with.
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/extctrls.h"

// Fills R with Steps bands (0 counts as 1) whose colour moves linearly per RGB channel from
// FromColor to ToColor; Horizontal puts the bands side by side, else they are stacked top down.
// Neighbouring bands overlap by one pixel, so no gap shows whatever the rounding.
void DrawStepGradient(TCanvas *Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect &R,
                      bool Horizontal);

// An 80-step gradient from Color to ColorTo in the direction given (a plain fill in Color when
// ColorTo is clNone, nothing when both are), then an outline of BorderWidth pixels in
// BorderColor unless that is clNone or the width is 0. Nothing without a canvas.
void DrawBox(TCanvas *Canvas, const TRect &R, TColor Color, TColor ColorTo, TColor BorderColor,
             int BorderWidth, TGradientDirection Direction);
