#include "grid/foundation/focus_windows.h"

#include <gtest/gtest.h>

namespace {

void Fill24(TBitmap &B, int W, int H, uint8_t Blue, uint8_t Green, uint8_t Red) {
  B.SetPixelFormat(pf24bit);
  B.SetSize(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      uint8_t *p = B.ScanLine(y) + x * 3;
      p[0] = Blue, p[1] = Green, p[2] = Red;
    }
}

int Red(const TBitmap &B, int x, int y) { return B.ScanLine(y)[x * 3 + 2]; }

} // namespace

TEST(GridAlphaMask, KernelCutsTailsBelowHalfALevel) {
  const TBlurKernel K = MakeBlurKernel(3);
  EXPECT_LT(K.Size, 10);
  EXPECT_GT(K.Size, 1);
  float Sum = 0;
  for (float w : K.Weights) Sum += w;
  EXPECT_NEAR(Sum, 1.0f, 1e-5);
  EXPECT_EQ(K.Weights[10 + K.Size + 1], 0.0f);
  EXPECT_GT(K.Weights[10 + K.Size], 0.0f);
  // Radius 0 must not divide by zero: it gives the identity.
  const TBlurKernel Id = MakeBlurKernel(0);
  EXPECT_EQ(Id.Size, 0);
  EXPECT_EQ(Id.Weights[10], 1.0f);
}

TEST(GridAlphaMask, RoundRectMaskIsHardWithoutBlurAndSoftWithIt) {
  TBitmap Hard;
  MakeRoundRectMask(&Hard, 60, 40, 0, 4, 0);
  EXPECT_EQ(Hard.PixelFormat(), pf24bit);
  EXPECT_EQ(Red(Hard, 0, 0), 0);
  EXPECT_EQ(Red(Hard, 30, 20), 255);
  for (int x = 0; x < 60; ++x) {
    const int v = Red(Hard, x, 20);
    EXPECT_TRUE(v == 0 || v == 255) << x;
  }
  TBitmap Soft;
  MakeRoundRectMask(&Soft, 60, 40, 0, 4, 3);
  EXPECT_EQ(Red(Soft, 30, 20), 255); // white stays white
  EXPECT_GT(Red(Soft, 1, 20), 0);    // blur spreads past the edge
  EXPECT_LT(Red(Soft, 2, 20), 255);
}

TEST(GridAlphaMask, BlurFiltersAllRowsOfLowBitmapsAndCopiesInnerOnes) {
  // A single bright pixel in row 25 of a 30-high bitmap: no row is copied, so it spreads.
  TBitmap Low;
  Fill24(Low, 10, 30, 0, 0, 0);
  Low.ScanLine(25)[5 * 3 + 2] = 255;
  BlurBitmap(&Low, 2);
  EXPECT_GT(Red(Low, 5, 25), 0);
  EXPECT_GT(Red(Low, 5, 24), 0);
  // In a tall bitmap inner rows repeat row 15.
  TBitmap Tall;
  Fill24(Tall, 10, 80, 0, 0, 0);
  Tall.ScanLine(40)[5 * 3 + 2] = 255;
  BlurBitmap(&Tall, 2);
  EXPECT_EQ(Red(Tall, 5, 40), 0);
  TBitmap Wrong;
  Wrong.SetPixelFormat(pf32bit);
  Wrong.SetSize(4, 4);
  EXPECT_THROW(BlurBitmap(&Wrong, 2), EInvalidGraphic);
}

TEST(GridAlphaMask, MergeMaskPremultipliesAndLeavesUncoveredTransparent) {
  TBitmap Colour, Mask;
  Fill24(Colour, 4, 3, 200, 100, 50);
  Fill24(Mask, 2, 3, 0, 0, 128); // narrower than the colour bitmap
  TGridAlphaMask A;
  A.MergeMask(&Mask, &Colour, clRed);
  ASSERT_EQ(A.Width(), 4);
  ASSERT_EQ(A.Height(), 3);
  const uint8_t *p = A.ScanLine(1);
  EXPECT_EQ(p[0], 100); // round(200 * 128 / 255)
  EXPECT_EQ(p[1], 50);
  EXPECT_EQ(p[2], 25);
  EXPECT_EQ(p[3], 128);
  EXPECT_EQ(p[3 * 4 + 3], 0);
  EXPECT_EQ(p[3 * 4 + 0], 0);

  TBitmap Wide;
  Wide.SetPixelFormat(pf32bit);
  Wide.SetSize(7, 7);
  A.MergeMask(&Mask, &Wide, clRed);
  EXPECT_EQ(A.Width(), 4);
}

TEST(GridAlphaMask, AssignSizesTheTargetAndCopiesOpacity) {
  TBitmap Colour, Mask;
  Fill24(Colour, 5, 4, 10, 20, 30);
  Fill24(Mask, 5, 4, 0, 0, 255);
  TGridAlphaMask Src;
  Src.MergeMask(&Mask, &Colour, clNone);
  Src.Opacity = 77;
  TGridAlphaMask Dst;
  Dst.Assign(&Src);
  EXPECT_EQ(Dst.Opacity, 77);
  ASSERT_EQ(Dst.Width(), 5);
  ASSERT_EQ(Dst.Height(), 4);
  EXPECT_EQ(Dst.ScanLine(3)[4 * 4 + 2], 30);
  EXPECT_EQ(Dst.ScanLine(3)[4 * 4 + 3], 255);
  Dst.Assign(&Colour);
  EXPECT_EQ(Dst.PixelFormat(), pf32bit);
  EXPECT_EQ(Dst.Width(), 5);
}

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "tests/support/test_support.h"

#include <QImage>
#include <QWidget>

TEST(GridOverlayWindows, ArrowAndFrameAreChildrenOfTheTopLevelWindow) {
  TForm Form(nullptr);
  TPanel Inner(&Form);
  Inner.SetParent(&Form);
  TArrowWindow Arrow(&Inner, arrDown);
  EXPECT_EQ(Arrow.Parent(), &Form);
  EXPECT_FALSE(Arrow.Visible());
  EXPECT_EQ(Arrow.Color(), clLime);
  Arrow.SetBounds(0, 0, 10, 10);
  Arrow.Handle();
  EXPECT_EQ(Arrow.Arrow()[4].X, 5);
  EXPECT_EQ(Arrow.Arrow()[4].Y, 8);
  // The region gives the shape: the tip is inside, the corner beside it is not.
  EXPECT_TRUE(Arrow.Handle()->mask().contains(QPoint(5, 6)));
  EXPECT_FALSE(Arrow.Handle()->mask().contains(QPoint(0, 7)));

  TGridFocusWindow Frame(&Inner);
  EXPECT_EQ(Frame.Parent(), &Form);
  EXPECT_EQ(Frame.Width(), 0);
  EXPECT_FALSE(Frame.Enabled());
  Frame.Handle();
  EXPECT_TRUE(Frame.Handle()->testAttribute(Qt::WA_TransparentForMouseEvents));
}

namespace {

// A shown form (clBtnFace) holding a black panel, the owner of the overlays, at (30, 20).
struct TOverlayForm {
  TForm Form{nullptr};
  TPanel *Owner;

  TOverlayForm() {
    Form.SetClientSize(240, 160);
    Owner = new TPanel(&Form);
    Owner->SetParent(&Form);
    Owner->SetBevelOuter(bvNone);
    Owner->SetColor(clBlack);
    Owner->SetBounds(30, 20, 180, 120);
    Form.Show();
  }

  QImage Grab(const QString &Name) {
    SimProcess();
    EXPECT_TRUE(GrabToPng(&Form, testsupport::OutputDir() + "/" + Name));
    return GrabControl(&Form);
  }
};

QRgb RgbOf(TColor c) {
  c = ColorToRGB(c);
  return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

bool Near(QRgb A, QRgb B, int Tol) {
  return std::abs(qRed(A) - qRed(B)) <= Tol && std::abs(qGreen(A) - qGreen(B)) <= Tol &&
         std::abs(qBlue(A) - qBlue(B)) <= Tol;
}

// The frame colour at alpha A (0..255, from the mask) faded by the opacity 230 over Below.
QRgb Blended(int A, QRgb Below) {
  const double a = A / 255.0 * 230 / 255.0;
  auto mix = [&](int Frame, int Back) { return int(std::lround(Frame * a + Back * (1 - a))); };
  return qRgb(mix(0x97, qRed(Below)), mix(0xD3, qGreen(Below)), mix(0xFD, qBlue(Below)));
}

} // namespace

TEST(GridOverlayWindows, FocusFrameIsASoftTranslucentRingAroundTheCell) {
  TOverlayForm f;
  TGridFocusWindow Frame(f.Owner);
  // The cell at (40, 30) of the owner, 100 x 20: the frame is 109 x 29, 4 pixels up and left.
  const TRect Cell(40, 30, 140, 50);
  Frame.ShowAround(Cell);
  EXPECT_TRUE(Frame.Visible());
  EXPECT_EQ(Frame.BoundsRect(), TRect(66, 46, 175, 75));
  ASSERT_TRUE(Frame.Translucent());
  QImage img = f.Grab("focus_frame.png");

  TBitmap Mask;
  MakeRoundRectMask(&Mask, 109, 29, 4, 5, 3);
  // On the ring left of the cell and above it the frame colour lies over the black owner.
  for (auto [x, y] : {std::pair{2, 14}, {50, 2}, {106, 14}, {50, 26}}) {
    const QRgb Want = Blended(Red(Mask, x, y), RgbOf(clBlack));
    EXPECT_TRUE(Near(img.pixel(66 + x, 46 + y), Want, 3)) << x << "," << y;
  }
  EXPECT_GT(Red(Mask, 2, 14), 64); // the point lies on the ring
  // The outer corner is nearly clear, and the cell itself is not covered at all.
  EXPECT_TRUE(Near(img.pixel(66, 46), RgbOf(clBlack), 8));
  for (auto [x, y] : {std::pair{70, 50}, {90, 60}, {169, 69}})
    EXPECT_EQ(img.pixel(x, y) & 0xFFFFFF, RgbOf(clBlack) & 0xFFFFFF) << x << "," << y;

  // The frame follows its cell; hidden, it leaves the owner as it was.
  Frame.MoveAround(TRect(0, 0, 100, 20));
  EXPECT_EQ(Frame.BoundsRect(), TRect(26, 16, 135, 45));
  img = f.Grab("focus_frame_moved.png");
  EXPECT_TRUE(Near(img.pixel(28, 30), Blended(Red(Mask, 2, 14), RgbOf(clBtnFace)), 3));
  Frame.Hide();
  img = f.Grab("focus_frame_hidden.png");
  EXPECT_EQ(img.pixel(68, 60) & 0xFFFFFF, RgbOf(clBlack) & 0xFFFFFF);
}

TEST(GridOverlayWindows, FocusFrameOfANativeWindowIsOpaqueOverItsParentsColour) {
  TOverlayForm f;
  TGridFocusWindow Frame(f.Owner);
  Frame.Handle()->winId(); // a native child cannot be translucent
  Frame.ShowAround(TRect(40, 30, 140, 50));
  EXPECT_FALSE(Frame.Translucent());
  const QImage img = f.Grab("focus_frame_opaque.png");
  TBitmap Mask;
  MakeRoundRectMask(&Mask, 109, 29, 4, 5, 3);
  EXPECT_TRUE(Near(img.pixel(66 + 2, 46 + 14), Blended(Red(Mask, 2, 14), RgbOf(clBtnFace)), 3));
  EXPECT_TRUE(Near(img.pixel(66, 46), RgbOf(clBtnFace), 8));
  EXPECT_EQ(img.pixel(90, 60) & 0xFFFFFF, RgbOf(clBlack) & 0xFFFFFF);
}

TEST(GridOverlayWindows, ArrowsShowTheirPolygonOnly) {
  struct Case {
    TArrowDirection Dir;
    TPoint Inside[2], Outside[2];
  };
  const Case Cases[] = {
      {arrUp, {{5, 2}, {5, 8}}, {{1, 2}, {1, 8}}},
      {arrDown, {{5, 6}, {5, 1}}, {{1, 7}, {8, 1}}},
      {arrLeft, {{6, 5}, {2, 5}}, {{7, 1}, {2, 1}}},
      {arrRight, {{2, 5}, {6, 5}}, {{1, 1}, {6, 9}}},
  };
  TOverlayForm f;
  f.Owner->SetColor(clWhite);
  int x0 = 40;
  for (const Case &c : Cases) {
    auto *Arrow = new TArrowWindow(f.Owner, c.Dir);
    Arrow->SetBounds(x0, 10, 11, 11);
    Arrow->Show();
    x0 += 20;
  }
  const QImage img = f.Grab("arrow_windows.png");
  x0 = 40;
  for (const Case &c : Cases) {
    for (const TPoint &p : c.Inside)
      EXPECT_EQ(img.pixel(x0 + p.X, 10 + p.Y) & 0xFFFFFF, RgbOf(clLime) & 0xFFFFFF) << int(c.Dir) << " " << p.X << "," << p.Y;
    for (const TPoint &p : c.Outside)
      EXPECT_NE(img.pixel(x0 + p.X, 10 + p.Y) & 0xFFFFFF, RgbOf(clLime) & 0xFFFFFF) << int(c.Dir) << " " << p.X << "," << p.Y;
    x0 += 20;
  }
}
