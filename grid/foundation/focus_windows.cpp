#include "grid/foundation/focus_windows.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

// Alpha masks ----------------------------------------------------------------------------

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

void TGridAlphaMask::MergeMask(const TBitmap *Mask, const TBitmap *Bitmap, TColor /*Color*/) {
  if (!Bitmap || Bitmap->PixelFormat() != pf24bit) return;
  const int W = Bitmap->Width();
  const int H = Bitmap->Height();
  SetPixelFormat(pf32bit);
  SetSize(W, H);
  const bool MaskOk = Mask && Mask->PixelFormat() == pf24bit;
  const int MW = MaskOk ? std::min(W, Mask->Width()) : 0;
  const int MH = MaskOk ? std::min(H, Mask->Height()) : 0;
  for (int y = 0; y < H; ++y) {
    uint8_t *Out = ScanLine(y);
    const uint8_t *Src = Bitmap->ScanLine(y);
    const uint8_t *M = y < MH ? Mask->ScanLine(y) : nullptr;
    for (int x = 0; x < W; ++x) {
      const int a = (M && x < MW) ? M[x * 3 + 2] : 0;
      for (int c = 0; c < 3; ++c) Out[x * 4 + c] = uint8_t((Src[x * 3 + c] * a + 127) / 255);
      Out[x * 4 + 3] = uint8_t(a);
    }
  }
  Changed();
}

void TGridAlphaMask::Assign(TPersistent *Source) {
  if (auto *Other = dynamic_cast<TGridAlphaMask *>(Source)) {
    Opacity = Other->Opacity;
    SetPixelFormat(pf32bit);
    SetSize(Other->Width(), Other->Height());
    for (int y = 0; y < Height(); ++y)
      std::memcpy(ScanLine(y), Other->ScanLine(y), size_t(Width()) * 4);
    Changed();
    return;
  }
  TBitmap::Assign(Source);
  SetPixelFormat(pf32bit);
}

void MakeRoundRectMask(TBitmap *Bitmap, int W, int H, int PenWidth, int Corner, int Blur) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(W, H);
  TCanvas *C = Bitmap->Canvas();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clBlack);
  C->FillRect(TRect(0, 0, W, H));
  C->Pen()->SetStyle(psSolid);
  C->Pen()->SetColor(clWhite);
  int d = 0;
  if (PenWidth >= 1) {
    C->Pen()->SetWidth(PenWidth);
    C->Brush()->SetColor(clBlack);
    d = PenWidth / 2;
  } else {
    C->Pen()->SetWidth(1);
    C->Brush()->SetColor(clWhite);
  }
  C->RoundRect(2 + d, 2 + d, W - 2 - d, H - 2 - d, Corner, Corner);
  if (Blur > 0) BlurBitmap(Bitmap, Blur);
}

TBlurKernel MakeBlurKernel(double Radius) {
  TBlurKernel K;
  if (!(Radius > 0)) {
    K.Weights[10] = 1.0f;
    K.Size = 0;
    return K;
  }
  float Sum = 0;
  for (int k = -10; k <= 10; ++k) {
    const double t = k / Radius;
    K.Weights[k + 10] = float(std::exp(-t * t / 2));
    Sum += K.Weights[k + 10];
  }
  for (float &w : K.Weights) w /= Sum;
  // Drop the tails while together they stay below half a colour level.
  float Dropped = 0;
  K.Size = 10;
  while (Dropped < 1.0f / 510 && K.Size > 1) {
    Dropped += 2 * K.Weights[K.Size + 10];
    --K.Size;
  }
  Sum = 0;
  for (int k = -K.Size; k <= K.Size; ++k) Sum += K.Weights[k + 10];
  for (int k = -K.Size; k <= K.Size; ++k) K.Weights[k + 10] /= Sum;
  for (int k = K.Size + 1; k <= 10; ++k) K.Weights[k + 10] = K.Weights[10 - k] = 0;
  return K;
}

namespace {

uint8_t RoundToByte(float v) {
  const long r = std::lround(v);
  return uint8_t(std::clamp(r, 0L, 255L));
}

// Line holds Last + 1 pixels of 3 bytes each.
void BlurLine(uint8_t *Line, int Last, const TBlurKernel &K, std::vector<uint8_t> &Tmp) {
  Tmp.resize(size_t(Last + 1) * 3);
  for (int i = 0; i <= Last; ++i)
    for (int c = 0; c < 3; ++c) {
      float s = 0;
      for (int k = -K.Size; k <= K.Size; ++k) {
        const int j = std::clamp(i - k, 0, Last);
        s += K.Weights[k + 10] * Line[j * 3 + c];
      }
      Tmp[size_t(i) * 3 + c] = RoundToByte(s);
    }
  std::memcpy(Line, Tmp.data(), Tmp.size());
}

} // namespace

void BlurBitmap(TBitmap *Bitmap, double Radius) {
  if (!Bitmap || Bitmap->PixelFormat() != pf24bit) throw EInvalidGraphic(QStringLiteral("Blur only works for 24-bit bitmaps"));
  const int W = Bitmap->Width();
  const int H = Bitmap->Height();
  if (W == 0 || H == 0) return;
  const TBlurKernel K = MakeBlurKernel(Radius);
  std::vector<uint8_t> Tmp;
  for (int y = 0; y < H; ++y) {
    if (y > 20 && y < H - 20)
      std::memcpy(Bitmap->ScanLine(y), Bitmap->ScanLine(15), size_t(W) * 3);
    else
      BlurLine(Bitmap->ScanLine(y), W - 1, K, Tmp);
  }
  std::vector<uint8_t> Column(size_t(H) * 3);
  for (int x = 0; x < W; ++x) {
    if (x > 20 && x < W - 20) {
      for (int y = 0; y < H; ++y) {
        uint8_t *Row = Bitmap->ScanLine(y);
        std::memcpy(Row + x * 3, Row + 15 * 3, 3);
      }
      continue;
    }
    for (int y = 0; y < H; ++y) std::memcpy(&Column[size_t(y) * 3], Bitmap->ScanLine(y) + x * 3, 3);
    BlurLine(Column.data(), H - 1, K, Tmp);
    for (int y = 0; y < H; ++y) std::memcpy(Bitmap->ScanLine(y) + x * 3, &Column[size_t(y) * 3], 3);
  }
}

// Overlay windows ------------------------------------------------------------------------

#include "framework/controls/forms.h"
#include "framework/controls/overlay_window.h"

namespace {

// The overlay sits on the owner's top-level window so it can reach past the owner's edges.
TWinControl *OverlayHost(TWinControl *Owner) {
  if (!Owner) return nullptr;
  if (TCustomForm *Form = GetParentForm(Owner)) return Form;
  return Owner;
}

} // namespace

std::array<TPoint, 7> ArrowPolygon(TArrowDirection Dir) {
  switch (Dir) {
  case arrUp: return {{{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}};
  case arrDown: return {{{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}};
  case arrLeft: return {{{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}};
  case arrRight: return {{{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}};
  }
  return {};
}

TArrowWindow::TArrowWindow(TWinControl *AOwner, TArrowDirection Direction) : TPanel(AOwner), FDir(Direction) {
  SetColor(clLime);
  SetVisible(false);
  SetParent(OverlayHost(AOwner));
}

void TArrowWindow::CreateWnd() {
  TPanel::CreateWnd();
  FArrow = ArrowPolygon(FDir);
  OverlaySetPolygonRegion(Handle(), std::vector<TPoint>(FArrow.begin(), FArrow.end()));
  OverlayRaise(Handle());
}

void TArrowWindow::Paint() {
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

TGridFocusWindow::TGridFocusWindow(TWinControl *AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 0, 0);
  SetColor(clRed);
  SetEnabled(false);
  SetParent(OverlayHost(AOwner));
}

void TGridFocusWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  OverlaySetClickThrough(Handle(), true);
  FTranslucent = OverlaySetTranslucent(Handle(), true);
  OverlayRaise(Handle());
}

void TGridFocusWindow::UpdateLayered(const TGridAlphaMask &Mask) {
  if (Mask.Empty()) return;
  SetBounds(Left(), Top(), Mask.Width(), Mask.Height());
  FTranslucent = OverlaySetPicture(Handle(), &Mask, Mask.Opacity);
}

namespace {

// The frame reaches this far past the cell's top-left corner, and one pixel further on the
// right and at the bottom.
constexpr int FrameMargin = 4;
constexpr int FramePen = 4;
constexpr int FrameCorner = 5;
constexpr int FrameBlur = 3;
constexpr TColor FrameColor = 0xFDD397;
constexpr uint8_t FrameOpacity = 230;

// The top-left corner of the frame around R (owner client coordinates) in the coordinates of
// the frame's parent.
TPoint FrameOrigin(const TGridFocusWindow *Frame, const TRect &R) {
  TPoint p(R.Left - FrameMargin, R.Top - FrameMargin);
  auto *Owner = dynamic_cast<TControl *>(Frame->Owner());
  if (Owner && Frame->Parent() && Owner != Frame->Parent())
    p = Frame->Parent()->ScreenToClient(Owner->ClientToScreen(p));
  return p;
}

} // namespace

void TGridFocusWindow::ShowAround(const TRect &R) {
  SetVisible(false);
  const int W = R.Width() + 2 * FrameMargin + 1;
  const int H = R.Height() + 2 * FrameMargin + 1;
  TBitmap Mask;
  MakeRoundRectMask(&Mask, W, H, FramePen, FrameCorner, FrameBlur);
  TBitmap Colour;
  Colour.SetPixelFormat(pf24bit);
  Colour.SetSize(W, H);
  Colour.Canvas()->Brush()->SetColor(FrameColor);
  Colour.Canvas()->FillRect(TRect(0, 0, W, H));
  TGridAlphaMask Alpha;
  Alpha.MergeMask(&Mask, &Colour, FrameColor);
  Alpha.Opacity = FrameOpacity;
  UpdateLayered(Alpha);
  // Only the frame and its soft edge are the window: the cell stays as the grid paints it.
  TRegion Region = CreateRectRgn(0, 0, W, H);
  CombineRgn(Region, Region,
             CreateRectRgn(FrameMargin, FrameMargin, FrameMargin + R.Width(), FrameMargin + R.Height()), RGN_XOR);
  OverlaySetRegion(Handle(), Region);
  const TPoint p = FrameOrigin(this, R);
  SetBounds(p.X, p.Y, W, H);
  OverlayRaise(Handle());
  SetVisible(true);
}

void TGridFocusWindow::MoveAround(const TRect &R) {
  const TPoint p = FrameOrigin(this, R);
  SetBounds(p.X, p.Y, R.Width() + 2 * FrameMargin + 1, R.Height() + 2 * FrameMargin + 1);
  Invalidate();
}
