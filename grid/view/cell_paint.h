#pragma once
// What DrawCellContent has worked out for one cell, handed to the text, border and graphic
// painters that run inside it (and the values they hand back).
#include "framework/graphics/graphics.h"
#include "framework/grids/grids.h"
#include "grid/core/cell_graphic.h"
#include "grid/foundation/grid_enums.h"

struct TCellPaintContext {
  TCanvas *Canvas = nullptr;
  int ACol = 0;  // display column
  int RCol = 0;  // real column
  int ARow = 0;
  TRect R;  // the inner cell rectangle, moved by the steps as they go
  TGridDrawState AState;
  bool Printing = false;
  bool FixedLook = false;

  // The graphic summary.
  TCellGraphic *Graphic = nullptr;
  int GW = 0, GH = 0;
  bool TextToo = true;
  TCellHAlign GHAlign = haLeft;
  TCellVAlign GVAlign = vaTop;

  // The cell's look.
  TAlignment HA = taLeftJustify;
  TVAlignment VA = vtaTop;
  bool WW = false;
  TColor ColorTo = clNone, MirrorColor = clNone, MirrorColorTo = clNone;
  // Brush and font colours before the selection look, put back after the text.
  TColor SavedBrushColor = clNone, SavedFontColor = clNone;

  int ScrollPos = 0;         // vertical text offset of an in-cell scroll bar
  bool FilterGlyph = false;  // the header cell shows the filter drop-down glyph

  // Written by the text painter for the graphic painter.
  int TextWidth = 0;   // measured text width (+2 when above 0)
  int TextHeight = 0;  // height of "hg"
};
