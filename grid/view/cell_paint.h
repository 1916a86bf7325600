#pragma once
// What the cell paint works out once per cell (DrawCellContent) and hands to the text, border and
// graphic painters that run inside it, and what they hand back (the measured text).
#include "framework/graphics/graphics.h"
#include "framework/grids/grid_types.h"
#include "framework/grids/grids.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/core/cell_graphic.h"
#include "grid/foundation/grid_enums.h"

struct TCellPaintContext {
  TCanvas *Canvas = nullptr;  // not owned
  TRect R;                    // the cell inside its grid lines, moved by the steps as they go
  int Col = 0;                // display column
  int RCol = 0;               // real column
  int Row = 0;
  TGridDrawState State;
  bool Printing = false;
  bool FixedLook = false;
  // Graphic summary: the cell's graphic (not owned), its size, placement and whether text is
  // drawn too.
  TCellGraphic *Graphic = nullptr;
  int GraphicW = 0, GraphicH = 0;
  bool TextToo = true;
  TCellHAlign GHAlign = haLeft;
  TCellVAlign GVAlign = vaTop;
  // The cell's look.
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  // Brush and font colours before the selection look was applied, put back after the text.
  TColor SavedBrushColor = clWindow;
  TColor SavedFontColor = clWindowText;
  int ScrollPos = 0;         // in-cell scroll position (0: none)
  bool FilterGlyph = false;  // the header cell shows the filter drop-down glyph
  bool MouseDown = false;    // a mouse button is down over the grid
  int HoverAnchor = -1;      // the hovered link of this cell's mark-up text, -1 when none
  bool HotButton = false;    // the mouse is over this cell's button
  // Filled in by the text painter: the text's width + 2 (0 without text) and line height.
  int TextWidth = 0;
  int TextHeight = 0;
};

// 0 below 0, 100 above 100.
double ClampValue(double X);
// The share of Value in Min..Max in percent; an empty range (Max = Min) shows 0 %.
int XPProgressPercent(int Value, int Min, int Max);
// The projections of a CX by CY text turned by Angle degrees, each truncated: the turned text's
// box is WC + HS wide and WS + HC high.
struct TRotatedExtents {
  int WC = 0;  // |CX cos|
  int HS = 0;  // |CY sin|
  int WS = 0;  // |CX sin|
  int HC = 0;  // |CY cos|
};
TRotatedExtents RotatedExtents(int CX, int CY, int Angle);
// Where the text origin goes so that the text turned by Angle degrees lies aligned in R.
TPoint PlaceRotatedText(TCanvas *Canvas, const TRect &R, int Angle, TAlignment HA, TVAlignment VA,
                        const QString &Text);
