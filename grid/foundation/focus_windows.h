#pragma once
// The grid's small visual helpers: the arrow shown at the drop position while a column or row
// is moved, the soft frame around the focused cell, and the alpha masks that frame is built of.
#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"

#include <array>

// Alpha masks ----------------------------------------------------------------------------

// A 32-bit bitmap of premultiplied blue, green, red, alpha pixels.
class TGridAlphaMask : public TBitmap {
public:
  TGridAlphaMask();
  // Colour channels of Bitmap (24-bit) scaled by the red channel of Mask (24-bit), which also
  // becomes the alpha. Where Mask is smaller than Bitmap the pixels are fully transparent.
  // Color is part of the interface only. A Bitmap of another format leaves the mask unchanged.
  void MergeMask(const TBitmap *Mask, const TBitmap *Bitmap, TColor Color);
  void Assign(TPersistent *Source) override;
  // Constant alpha used when the mask is blended onto a layered window.
  uint8_t Opacity = 255;
};

// A 24-bit W x H black bitmap with a white rounded rectangle 2 pixels in from the edges:
// outlined with a pen of PenWidth, or filled when PenWidth < 1; blurred by Blur when positive.
void MakeRoundRectMask(TBitmap *Bitmap, int W, int H, int PenWidth, int Corner, int Blur);

// The blur's kernel: weights for offsets -10..10 (index k + 10) cut to the half-width Size.
struct TBlurKernel {
  std::array<float, 21> Weights{};
  int Size = 10;
};
// Radius <= 0 gives the identity kernel (Size 0, centre weight 1).
TBlurKernel MakeBlurKernel(double Radius);

// Gaussian blur in place of a 24-bit bitmap, exact only within 21 pixels of the edges: the
// inner rows and columns repeat row and column 15 (made for frame masks, whose inner parts are
// alike). Other formats raise EInvalidGraphic.
void BlurBitmap(TBitmap *Bitmap, double Radius);

// Overlay windows ------------------------------------------------------------------------

#include "framework/stdctrls/extctrls.h"

#include "grid/foundation/grid_enums.h"

// The arrow polygon of a direction (window coordinates).
std::array<TPoint, 7> ArrowPolygon(TArrowDirection Dir);

// A small lime arrow at the drop position of a moved column or row. It is a hidden child of
// the owner's top-level window (not a popup), shaped by its polygon region.
class TArrowWindow : public TPanel {
public:
  TArrowWindow(TWinControl *AOwner, TArrowDirection Direction);
  TArrowDirection Dir() const { return FDir; }
  const std::array<TPoint, 7> &Arrow() const { return FArrow; }

protected:
  void CreateWnd() override;
  void Paint() override;

private:
  TArrowDirection FDir;
  std::array<TPoint, 7> FArrow{};
};

// The frame around the focused cell: a click-through child of the owner's top-level window,
// translucent where the display allows it. The grid sets its bounds, region and picture.
class TGridFocusWindow : public TCustomControl {
public:
  explicit TGridFocusWindow(TWinControl *AOwner);
  // False when the frame is drawn opaque.
  bool Translucent() const { return FTranslucent; }
  // The mask becomes the window's look, faded by its Opacity, and gives the window its size
  // (the position stays). An empty mask changes nothing.
  void UpdateLayered(const TGridAlphaMask &Mask);
  // Frames the cell rectangle R (client coordinates of the owner) with a soft rounded frame
  // 4 pixels wide, leaving the cell itself uncovered, and shows it.
  void ShowAround(const TRect &R);
  // Follows the framed cell, now at R (client coordinates of the owner).
  void MoveAround(const TRect &R);

protected:
  void CreateWnd() override;

private:
  bool FTranslucent = false;
};
