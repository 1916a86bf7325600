// Painting: the backing image behind a custom control, drawing outside a paint, windowless
// controls on their parent, the non-client frame and window scroll bars.
#include <QColor>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "framework/controls/classiclook.h"
#include "framework/testing/input.h"
#include "tests/framework/gui/controls_probe.h"
#include "tests/support/test_support.h"

namespace {

QRgb Pixel(const QImage &img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
constexpr QRgb Red = 0xFF0000, Blue = 0x0000FF, White = 0xFFFFFF, Lime = 0x00FF00;

struct Painting : ::testing::Test {
  TTestForm form;
  TProbe *p = nullptr;
  void SetUp() override
  {
    form->SetColor(clWhite);
    p = new TProbe(form, "p");
    p->SetParent(form);
    p->SetBounds(20, 20, 100, 60);
    p->OnPaintProbe = [](TCanvas *c) {
      c->Brush()->SetColor(clRed);
      c->FillRect(Rect(0, 0, 100, 60));
    };
    form->Show();
  }
};

TEST_F(Painting, ACustomControlPaintsThroughItsCanvasOnlyWhenInvalid)
{
  QImage img = GrabControl(p);
  ASSERT_EQ(img.size(), QSize(100, 60));
  EXPECT_EQ(Pixel(img, 0, 0), Red);
  EXPECT_EQ(Pixel(img, 99, 59), Red);
  const int painted = p->PaintCount;
  EXPECT_GE(painted, 1);
  GrabControl(p);
  EXPECT_EQ(p->PaintCount, painted);
  p->Invalidate();
  GrabControl(p);
  EXPECT_EQ(p->PaintCount, painted + 1);
  EXPECT_TRUE(GrabToPng(form, testsupport::OutputDir() + "/controls_paint_form.png"));
}

TEST_F(Painting, DrawingOutsideAPaintShowsAtTheNextUpdateUntilTheNextPaint)
{
  GrabControl(p);
  const int painted = p->PaintCount;
  // An XOR line drawn from a mouse handler, as a column-sizing line is.
  p->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int X, int) {
    TCanvas *c = p->Canvas();
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(X, 0);
    c->LineTo(X, 60);
  };
  SimMouseDown(p, 50, 10);
  SimMouseUp(p, 50, 10);
  QImage img = GrabControl(p);
  EXPECT_EQ(p->PaintCount, painted);
  EXPECT_EQ(Pixel(img, 50, 30), 0x00FFFF);  // red XOR white
  EXPECT_EQ(Pixel(img, 49, 30), Red);
  p->Invalidate();
  img = GrabControl(p);
  EXPECT_EQ(Pixel(img, 50, 30), Red);
}

// A windowless control drawing a blue frame over its whole area.
class TShapeProbe : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  int Paints = 0;

protected:
  void Paint() override
  {
    ++Paints;
    Canvas()->Brush()->SetColor(clBlue);
    Canvas()->FillRect(Rect(-10, -10, 500, 500));  // clipped to the control
  }
};

TEST_F(Painting, AGraphicControlPaintsOnItsParentAtItsPlace)
{
  auto *g = new TShapeProbe(form);
  g->SetParent(form);
  g->SetBounds(150, 30, 40, 20);
  QImage img = GrabControl(form);
  EXPECT_EQ(Pixel(img, 150, 30), Blue);
  EXPECT_EQ(Pixel(img, 189, 49), Blue);
  EXPECT_EQ(Pixel(img, 190, 30), White);
  EXPECT_EQ(Pixel(img, 149, 30), White);
  EXPECT_EQ(Pixel(img, 150, 50), White);
  EXPECT_EQ(GrabControl(g).size(), QSize(40, 20));
  // It gets the mouse through its parent, in its own coordinates.
  TPoint got(-1, -1);
  g->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int X, int Y) { got = TPoint(X, Y); };
  SimMouseDown(g, 3, 4);
  SimMouseUp(g, 3, 4);
  EXPECT_EQ(got, TPoint(3, 4));
  g->SetVisible(false);
  img = GrabControl(form);
  EXPECT_EQ(Pixel(img, 150, 30), White);
}

class TFramed : public TProbe {
public:
  using TProbe::TProbe;

protected:
  void CreateParams(TCreateParams &Params) override
  {
    TProbe::CreateParams(Params);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
    Params.Style |= WS_VSCROLL;
  }
};

TEST_F(Painting, TheFrameAndScrollBarsAreOutsideTheClientArea)
{
  auto *f = new TFramed(form, "f");
  f->SetParent(form);
  f->SetBounds(20, 100, 120, 80);
  f->OnPaintProbe = [](TCanvas *c) {
    c->Brush()->SetColor(clLime);
    c->FillRect(Rect(0, 0, 1000, 1000));
  };
  f->HandleNeeded();
  // A window made with WS_VSCROLL starts with a 0..100 bar.
  EXPECT_EQ(f->ClientRect(), Rect(0, 0, 120 - 4 - 17, 80 - 4));
  QImage img = GrabControl(f);
  EXPECT_EQ(Pixel(img, 2, 2), Lime);
  EXPECT_EQ(Pixel(img, 0, 0), QColor(ColorToQColor(clBtnShadow)).rgb() & 0xFFFFFF);
  EXPECT_NE(Pixel(img, 1, 1), Lime);
  EXPECT_NE(Pixel(img, 120 - 3, 40), Lime);  // the bar

  int resized = 0;
  f->OnResize = [&](TObject *) { ++resized; };
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE;
  si.nMin = 0;
  si.nMax = 9;
  si.nPage = 10;  // everything fits: the bar goes
  SetScrollInfo(f->Handle(), SB_VERT, si, true);
  EXPECT_EQ(f->ClientWidth(), 120 - 4);
  EXPECT_EQ(resized, 1);
  si.nMax = 99;
  si.fMask = SIF_ALL;
  si.nPos = 200;  // kept inside the range
  SetScrollInfo(f->Handle(), SB_VERT, si, true);
  EXPECT_EQ(GetScrollPos(f->Handle(), SB_VERT), 90);
  EXPECT_EQ(f->ClientWidth(), 120 - 4 - 17);
  EXPECT_EQ(resized, 2);

  // Clicking the bar's lower arrow asks the control to scroll; the position is the control's
  // to set.
  QStringList codes;
  struct TScrollSpy {};
  f->Logged = {WM_VSCROLL};
  f->Log.clear();
  SetScrollPos(f->Handle(), SB_VERT, 0, true);
  SimClick(f, 120 - 4 - 8, 80 - 4 - 5);  // client coordinates beyond the client: the bar's arrow
  ASSERT_FALSE(f->Log.isEmpty());
  EXPECT_EQ(f->Log[0], "f:WM_VSCROLL");
  EXPECT_EQ(GetScrollPos(f->Handle(), SB_VERT), 0);
  EXPECT_TRUE(GrabToPng(f, testsupport::OutputDir() + "/controls_paint_frame.png"));
}

TEST_F(Painting, WindowScrollBarsHaveTheClassicLook)
{
  auto *f = new TFramed(form, "f");
  f->SetParent(form);
  f->SetBounds(20, 100, 120, 80);
  f->HandleNeeded();
  const QList<QScrollBar *> bars = f->Handle()->findChildren<QScrollBar *>();
  ASSERT_EQ(bars.size(), 1);
  EXPECT_EQ(bars[0]->style(), ClassicStyle());
  // The classic bar: button-face arrow boxes with a white outer highlight, over a dithered
  // track of the scroll bar colour.
  const QImage img = GrabControl(f);
  EXPECT_TRUE(GrabToPng(f, testsupport::OutputDir() + "/controls_paint_classic_bar.png"));
  const int barLeft = 120 - 2 - 17;
  const QRgb face = QColor(ColorToQColor(clBtnFace)).rgb() & 0xFFFFFF;
  EXPECT_EQ(Pixel(img, barLeft + 3, 2 + 3), face);
  EXPECT_EQ(Pixel(img, barLeft + 3, 80 - 2 - 4), face);
  EXPECT_EQ(Pixel(img, barLeft + 1, 2 + 1), White);
  // The track is a checkerboard of white and button face.
  EXPECT_EQ(Pixel(img, barLeft + 3, 40), White);
  EXPECT_EQ(Pixel(img, barLeft + 4, 40), face);
  EXPECT_EQ(Pixel(img, barLeft + 3, 41), face);
}

TEST_F(Painting, TextOnAClearBrushStaysTransparentInEveryPaint)
{
  // The first paint selects the clear brush; a later paint starts with it still selected.
  p->SetColor(clRed);
  p->OnPaintProbe = [](TCanvas *c) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 100, 60));
    c->Brush()->SetColor(clWhite);
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBlack);
    c->TextOut(5, 5, "Text");
  };
  auto whites = [&] {
    const QImage img = GrabControl(p);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        n += Pixel(img, x, y) == White;
    return n;
  };
  EXPECT_EQ(whites(), 0);
  p->OnPaintProbe = [](TCanvas *c) {
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBlack);
    c->TextOut(5, 5, "Text");
  };
  p->Invalidate();
  EXPECT_EQ(whites(), 0);
}

}  // namespace

namespace {

TEST(PaintingHidden, AFormThatWasNeverShownCanBeGrabbed)
{
  TTestForm form;
  form->SetColor(clWhite);
  auto *p = new TProbe(form, "p");
  p->SetParent(form);
  p->SetBounds(5, 5, 30, 20);
  p->OnPaintProbe = [](TCanvas *c) {
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 30, 20));
  };
  const QImage img = GrabControl(form);
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(img.pixel(50, 50) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_FALSE(form->Visible());
}

}  // namespace

namespace {

// A window gets its backing image at its first paint: none while its form is hidden, however
// often it is resized or drawn on outside a paint; then one per window when the form shows,
// and resizes between two paints cost one fitted image at the next.
TEST(PaintingMemory, AWindowGetsItsImageAtItsFirstPaint)
{
  TTestForm form;
  form->SetColor(clWhite);
  auto *outer = new TProbe(form, "outer");
  outer->SetParent(form);
  outer->SetBounds(10, 10, 200, 120);
  auto *inner = new TProbe(form, "inner");
  inner->SetParent(outer);
  inner->OnPaintProbe = [inner](TCanvas *c) {
    c->Brush()->SetColor(clRed);
    c->FillRect(inner->ClientRect());
  };
  const std::vector<TWinControl *> windows{form, outer, inner};

  const uint64_t before = BackingImageAllocations();
  // Measuring and drawing before the window exists, then after.
  EXPECT_GT(outer->Canvas()->TextWidth("Wide"), 0);
  outer->Canvas()->FillRect(Rect(0, 0, 500, 500));
  inner->HandleNeeded();
  ASSERT_TRUE(form->HandleAllocated() && outer->HandleAllocated());
  for (int i = 1; i <= 20; ++i) {
    form->SetClientSize(300 + i, 200 + i);
    outer->SetBounds(10, 10, 200 + i, 120 + i);
    inner->SetBounds(5, 5, 50 + i, 40 + i);
  }
  EXPECT_GT(inner->Canvas()->TextWidth("Wide"), 0);
  inner->Canvas()->Brush()->SetColor(clBlue);
  inner->Canvas()->FillRect(Rect(0, 0, 500, 500));
  inner->Invalidate();
  SimProcess();
  EXPECT_EQ(BackingImageAllocations(), before);
  for (TWinControl *w : windows)
    EXPECT_FALSE(HoldsBackingImage(w)) << w->Name().toStdString();

  form->Show();
  QImage img = GrabControl(inner);
  ASSERT_EQ(img.size(), QSize(70, 60));
  EXPECT_EQ(Pixel(img, 0, 0), Red);
  EXPECT_EQ(Pixel(img, 69, 59), Red);
  for (TWinControl *w : windows)
    EXPECT_TRUE(HoldsBackingImage(w)) << w->Name().toStdString();
  EXPECT_EQ(BackingImageAllocations(), before + windows.size());

  const uint64_t shown = BackingImageAllocations();
  for (int i = 1; i <= 10; ++i)
    inner->SetBounds(5, 5, 70 + i, 60 + i);
  img = GrabControl(inner);
  ASSERT_EQ(img.size(), QSize(80, 70));
  EXPECT_EQ(Pixel(img, 79, 69), Red);
  EXPECT_EQ(BackingImageAllocations(), shown + 1);
}

}  // namespace
