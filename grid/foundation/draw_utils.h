#pragma once
// Stateless drawing routines shared by the grid's painters, its printing and the drop-down
// editors: stepped gradients, rounded selection boxes, colour arithmetic, button faces,
// progress bars and cell shapes, transparent bitmaps, the spelling-error underline, the
// clipboard HTML wrapper and the layered-window calls.
//
// clNone means "no colour"; system colours are resolved before channels are computed.
#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "grid/foundation/themes.h"

#include <QString>

// Gradients and colours ------------------------------------------------------------------

void DrawGradient(TCanvas *Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect &R, bool Horizontal);
void DrawVistaGradient(TCanvas *Canvas, const TRect &R, TColor Color, TColor ColorTo, TColor MirrorColor,
                       TColor MirrorColorTo, bool Vertical, TColor BorderColor, bool SideLinesOnly, bool Fill);
// Segment: 0 one cell (both ends rounded), 1 left end, 2 right end, 3 middle.
void DrawRoundedSelection(TCanvas *Canvas, TColor FillColor, TColor FillColorTo, TColor MirrorColor,
                          TColor MirrorColorTo, TColor InnerTopColor, TColor InnerBottomColor, TColor BorderColor,
                          TColor CornerColor, TColor OuterCornerColor, const TRect &R, int Segment);
// A + (B - A) * Position / (EndPos - StartPos) per channel; B clNone, or an empty range, gives A.
TColor BlendColorStep(TColor A, TColor B, int StartPos, int EndPos, int Position);
TColor HalfColor(TColor Color);
// Each channel grows by Percent percent, limited to 0..255.
TColor ScaleColor(TColor Color, int Percent);
void FillRectColor(TCanvas *Canvas, const TRect &R, TColor Color);

// Buttons --------------------------------------------------------------------------------

// State: 0 normal, 1 hot, 2 down, 3 disabled. Style: 0 themed, 1 classic, 2 flat, 3 the
// colour tones. Without a loaded visual-style library the themed look is drawn classic.

void DrawDropDownButton(TCanvas *Canvas, HWND Wnd, const TRect &R, const TColorTones &Tones, int State, int Style);
void DrawPushButtonFace(TCanvas *Canvas, HWND Wnd, const TRect &R, const TColorTones &Tones, int State, int Style);
void DrawSpinButtons(TCanvas *Canvas, HWND Wnd, const TRect &R, const TColorTones &Tones, int State, int Style);
void DrawSmallDownArrow(TCanvas *Canvas, int X, int Y, TColor Color = clBlack);

// Progress and shapes --------------------------------------------------------------------

enum TCellShape {
  csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
  csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
  csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

// The levelled bar of the grid's progress appearance, filled in by the caller.
struct TLevelProgress {
  TColor Level0Color = clLime, Level0ColorTo = clNone;
  TColor Level1Color = clYellow, Level1ColorTo = clNone;
  TColor Level2Color = 0x0080FF, Level2ColorTo = clNone;
  TColor Level3Color = clRed, Level3ColorTo = clNone;
  int Level1Perc = 70;
  int Level2Perc = 90;
  TColor BorderColor = clBlack;
  bool ShowBorder = false;
  bool Stacked = false;
  bool ShowPercentage = true;
  const TFont *Font = nullptr;  // not owned; nullptr keeps the canvas font
  TColor CompleteFontColor = clBlue;
  bool CompletionSmooth = true;
  bool ShowGradient = true;
  int Steps = 11;
  TColor BackgroundColor = clWhite;
  bool Vertical = false;
};

// Format: applied with the position as its one argument (checked, never printf); empty for
// the plain "n%".
void DrawProgressBar(TCanvas *Canvas, const TRect &R, TColor Color1, TColor TextColor1, TColor Color2,
                     TColor TextColor2, double Position, int MarginX, int MarginY, int Min, int Max,
                     const QString &Format, TColor BorderColor, bool Printing);
void DrawProgressPie(TCanvas *Canvas, const TRect &R, TColor Color, int Percent, bool Printing);
void DrawRangeIndicator(TCanvas *Canvas, const TRect &R, int Value, int Range, bool ShowValue,
                        TColor NegColor, TColor PosColor);
void DrawStyledProgressBar(TCanvas *Canvas, const TRect &R, int Percent, const TLevelProgress &Levels);
void DrawCellShape(TCanvas *Canvas, int X, int Y, int Width, int Height, TCellShape Shape, TColor FillColor,
                   TColor OutlineColor);

// Bitmaps and text marks -----------------------------------------------------------------

// The bitmap at R's top-left in its own size, with the colour of its pixel (0, 0) replaced
// by the background colour.
void DrawBitmapTransparent(TCanvas *Canvas, const TBitmap *Bitmap, TColor BkColor, const TRect &R);
// The program's bitmap of the name (the framework's registry of bitmaps), drawn as above.
void DrawResourceBitmap(TCanvas *Canvas, TColor BkColor, const TRect &R, const QString &ResName);
// A red zigzag under the characters FirstChar .. FirstChar + Length - 1 (1-based) of a
// single-line text drawn at R in the canvas font.
void DrawErrorUnderline(HWND Owner, TCanvas *Canvas, const QString &Text, const TRect &R, int LineOffset,
                        int FirstChar, int Length);

// Clipboard and windows ------------------------------------------------------------------

// Wraps an HTML fragment as the clipboard's HTML format (offsets in characters).
void BuildClipboardHTML(QString &Fragment);

struct BLENDFUNCTION {
  uint8_t BlendOp = 0;
  uint8_t BlendFlags = 0;
  uint8_t SourceConstantAlpha = 255;
  uint8_t AlphaFormat = 0;
};
// The system's layered-window calls where it has them; otherwise nothing is done and the
// answer is success. This platform has none.
bool DynUpdateLayeredWindow(HWND Wnd, HDC DstDC, const TPoint *DstPoint, const TSize *Size, HDC SrcDC,
                            const TPoint *SrcPoint, TColor ColorKey, const BLENDFUNCTION *Blend, uint32_t Flags);
bool DynSetLayeredWindowAttributes(HWND Wnd, TColor ColorKey, uint8_t Alpha, uint32_t Flags);
