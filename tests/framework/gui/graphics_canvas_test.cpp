// Canvas drawing rules pinned on small images.
#include "framework/graphics/graphics.h"

#include "tests/support/surface.h"
#include "tests/support/test_support.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using Surface = testsupport::TSurface;

TEST(GraphicsCanvas, LineToLeavesOutItsEndPixel)
{
  Surface s(10, 10);
  s.Canvas.MoveTo(2, 2);
  s.Canvas.LineTo(3, 2);
  EXPECT_EQ(s.At(2, 2), clBlack);
  EXPECT_EQ(s.At(3, 2), clWhite);
  EXPECT_EQ(s.Canvas.PenPos(), TPoint(3, 2));

  s.Canvas.MoveTo(1, 5);
  s.Canvas.LineTo(1, 5);  // zero length: nothing
  EXPECT_EQ(s.At(1, 5), clWhite);

  s.Canvas.MoveTo(0, 0);
  s.Canvas.LineTo(4, 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(s.At(i, i), clBlack) << i;
  EXPECT_EQ(s.At(4, 4), clWhite);
}

TEST(GraphicsCanvas, LinesReachingFarOutsideDrawTheirVisiblePart)
{
  Surface s(10, 10);
  s.Canvas.MoveTo(-2000000000, 1);
  s.Canvas.LineTo(2000000000, 1);
  EXPECT_EQ(s.Ink(0, 1, 10, 2), 10);
  Surface f(10, 10);
  f.Canvas.Brush()->SetColor(clBlack);
  f.Canvas.FillRect(Rect(-2000000000, 4, 2000000000, 5));
  f.Canvas.IntersectClipRect(Rect(-2000000000, -2000000000, 2000000000, 2000000000));
  f.Canvas.FillRect(Rect(-2000000000, 6, 2000000000, 7));
  EXPECT_EQ(f.Ink(0, 0, 10, 10), 20);
  s.Canvas.MoveTo(-100000, -100000);
  s.Canvas.LineTo(100000, 100000);
  EXPECT_EQ(s.At(5, 5), clBlack);

  // Dots keep their phase from the start point outside the picture (3 on, 3 off).
  Surface d(10, 10);
  d.Canvas.Brush()->SetStyle(bsClear);
  d.Canvas.Pen()->SetStyle(psDot);
  d.Canvas.MoveTo(-5, 2);
  d.Canvas.LineTo(20, 2);
  const char *expected = ".###...###";
  for (int x = 0; x < 10; ++x)
    EXPECT_EQ(d.At(x, 2) == clBlack, expected[x] == '#') << x;
}

TEST(GraphicsCanvas, RectangleAndFillRectUseExclusiveEdges)
{
  Surface s(10, 10);
  s.Canvas.Brush()->SetColor(clRed);
  s.Canvas.Rectangle(1, 1, 5, 4);
  // Outline covers 1..4 x 1..3, interior is the brush.
  EXPECT_EQ(s.At(1, 1), clBlack);
  EXPECT_EQ(s.At(4, 1), clBlack);
  EXPECT_EQ(s.At(4, 3), clBlack);
  EXPECT_EQ(s.At(1, 3), clBlack);
  EXPECT_EQ(s.At(2, 2), clRed);
  EXPECT_EQ(s.At(5, 1), clWhite);
  EXPECT_EQ(s.At(1, 4), clWhite);

  Surface f(10, 10);
  f.Canvas.Brush()->SetColor(clBlue);
  f.Canvas.FillRect(Rect(2, 2, 4, 3));
  EXPECT_EQ(f.Ink(0, 0, 10, 10), 2);
  EXPECT_EQ(f.At(3, 2), clBlue);

  // Without a pen the filled area is one pixel smaller to the right and bottom.
  Surface n(10, 10);
  n.Canvas.Pen()->SetStyle(psClear);
  n.Canvas.Brush()->SetColor(clGreen);
  n.Canvas.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(n.Ink(0, 0, 10, 10), 9);

  // An inverted rectangle is empty.
  Surface inv(10, 10);
  inv.Canvas.Brush()->SetColor(clBlue);
  inv.Canvas.FillRect(Rect(6, 2, 3, 5));
  TRect r = Rect(8, 0, 2, 10);
  DrawText(inv.Canvas.Handle(), QStringLiteral("W"), -1, r, DT_SINGLELINE);
  EXPECT_EQ(inv.Ink(0, 0, 10, 10), 0);

  Surface fr(10, 10);
  fr.Canvas.Brush()->SetColor(clBlack);
  fr.Canvas.FrameRect(Rect(0, 0, 4, 3));
  EXPECT_EQ(fr.Ink(0, 0, 10, 10), 10);
  EXPECT_EQ(fr.At(1, 1), clWhite);
}

TEST(GraphicsCanvas, XorTwiceRestoresThePicture)
{
  Surface s(40, 30);
  s.Canvas.Brush()->SetColor(clTeal);
  s.Canvas.FillRect(Rect(5, 5, 25, 20));
  const QImage before = s.Img.copy();
  for (TPenStyle style : {psSolid, psDot}) {
    s.Canvas.Pen()->SetStyle(style);
    s.Canvas.Pen()->SetMode(pmXor);
    s.Canvas.Pen()->SetColor(clWhite);
    s.Canvas.MoveTo(0, 10);
    s.Canvas.LineTo(40, 10);
    EXPECT_NE(s.Img, before);
    s.Canvas.MoveTo(0, 10);
    s.Canvas.LineTo(40, 10);
    EXPECT_EQ(s.Img, before) << style;
  }
  s.Canvas.DrawFocusRect(Rect(2, 2, 30, 25));
  EXPECT_NE(s.Img, before);
  s.Canvas.DrawFocusRect(Rect(2, 2, 30, 25));
  EXPECT_EQ(s.Img, before);
  s.Canvas.DrawFocusRect(Rect(-2000000000, 3, 2000000000, 2000000000));
  EXPECT_NE(s.Img, before);
  s.Canvas.DrawFocusRect(Rect(-2000000000, 3, 2000000000, 2000000000));
  EXPECT_EQ(s.Img, before);
}

TEST(GraphicsCanvas, ClipRegionsSaveAndRestore)
{
  Surface s(10, 10);
  s.Canvas.Brush()->SetColor(clBlack);
  const int saved = s.Canvas.SaveDC();
  s.Canvas.IntersectClipRect(Rect(2, 2, 5, 5));
  s.Canvas.ExcludeClipRect(Rect(2, 2, 3, 3));
  EXPECT_EQ(s.Canvas.ClipRect(), Rect(2, 2, 5, 5));
  s.Canvas.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(s.Ink(0, 0, 10, 10), 8);
  EXPECT_EQ(s.At(2, 2), 0xFFFFFFFFu);  // outside the clip region, as the platform answers
  EXPECT_EQ(s.Img.pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_TRUE(s.Canvas.RestoreDC(saved));
  EXPECT_FALSE(s.Canvas.HasClipRegion());
  s.Canvas.FillRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(s.Ink(0, 0, 10, 10), 100);
}

// Fills and inversions under a clip of one rectangle, clipped also to the image.
TEST(GraphicsCanvas, OneRectangleClipsBoundFills)
{
  const struct {
    std::vector<TRect> Clips;  // intersected in turn; none: no clip
    TRect Fill;
    int Ink;
  } cases[] = {
      {{}, Rect(-5, -5, 3, 4), 12},
      {{Rect(2, 2, 6, 5)}, Rect(0, 0, 10, 10), 12},
      {{Rect(2, 2, 6, 5)}, Rect(5, 4, 9, 9), 1},
      {{Rect(-4, 8, 30, 30)}, Rect(0, 0, 10, 10), 20},
      {{Rect(20, 20, 30, 30)}, Rect(0, 0, 10, 10), 0},
      {{Rect(2, 2, 6, 5), Rect(7, 7, 9, 9)}, Rect(0, 0, 10, 10), 0},
  };
  for (const auto &c : cases) {
    Surface s(10, 10);
    for (const TRect &r : c.Clips)
      s.Canvas.IntersectClipRect(r);
    s.Canvas.Brush()->SetColor(clBlack);
    s.Canvas.FillRect(c.Fill);
    EXPECT_EQ(s.Ink(0, 0, 10, 10), c.Ink) << c.Fill.Left << "," << c.Fill.Top;
    s.Canvas.InvertRect(c.Fill);
    EXPECT_EQ(s.Ink(0, 0, 10, 10), 0) << c.Fill.Left << "," << c.Fill.Top;
  }
}

// Every piece of state SaveDC keeps comes back, each saved level on its own.
TEST(GraphicsCanvas, RestoreDCBringsBackEverySavedField)
{
  Surface s(10, 10);
  TCanvas &c = s.Canvas;
  struct Level {
    int BkMode, MapMode, Rop2;
    TColor BkColor, TextColor, FontColor, PenColor, BrushColor;
    uint32_t TextAlign;
    TPoint WindowOrg, ViewportOrg, PenPos;
    TSize WindowExt, ViewportExt;
    QRegion Clip;  // empty: none
  };
  auto apply = [&](const Level &l) {
    // Font, pen and brush first: changing them selects their text colour, raster mode and background.
    c.Font()->SetColor(l.FontColor);
    c.Pen()->SetColor(l.PenColor);
    c.Brush()->SetColor(l.BrushColor);
    c.SetBkMode(l.BkMode);
    c.SetBkColor(l.BkColor);
    c.SetTextColor(l.TextColor);
    c.SetTextAlign(l.TextAlign);
    c.SetROP2(l.Rop2);
    c.SetMapMode(l.MapMode);
    c.SetWindowExt(l.WindowExt);
    c.SetViewportExt(l.ViewportExt);
    c.SetWindowOrg(l.WindowOrg);
    c.SetViewportOrg(l.ViewportOrg);
    c.SetPenPos(l.PenPos);
    c.SelectClipRgn(l.Clip.isEmpty() ? nullptr : &l.Clip);
  };
  auto expectLevel = [&](const Level &l) {
    EXPECT_EQ(c.BkMode(), l.BkMode);
    EXPECT_EQ(c.BkColor(), l.BkColor);
    EXPECT_EQ(c.TextAlign(), l.TextAlign);
    EXPECT_EQ(c.MapMode(), l.MapMode);
    EXPECT_EQ(c.WindowExt(), l.WindowExt);
    EXPECT_EQ(c.ViewportExt(), l.ViewportExt);
    EXPECT_EQ(c.WindowOrg(), l.WindowOrg);
    EXPECT_EQ(c.ViewportOrg(), l.ViewportOrg);
    EXPECT_EQ(c.PenPos(), l.PenPos);
    EXPECT_EQ(c.Font()->Color(), l.FontColor);
    EXPECT_EQ(c.Pen()->Color(), l.PenColor);
    EXPECT_EQ(c.Brush()->Color(), l.BrushColor);
    EXPECT_EQ(c.HasClipRegion(), !l.Clip.isEmpty());
    EXPECT_EQ(c.ClipRegionDevice(), l.Clip);
    // The setters answer the value they replace; put it back.
    EXPECT_EQ(c.SetTextColor(l.TextColor), l.TextColor);
    EXPECT_EQ(c.SetROP2(l.Rop2), l.Rop2);
  };
  const Level first{TRANSPARENT, MM_ANISOTROPIC, pmXor, clRed, clBlue, clGreen, clNavy, clYellow,
                    TA_RIGHT | TA_BOTTOM, TPoint(1, 2), TPoint(3, 4), TPoint(5, 6), TSize(7, 8), TSize(9, 10),
                    QRegion(1, 1, 4, 4)};
  const Level second{OPAQUE, MM_ISOTROPIC, pmNot, clLime, clMaroon, clPurple, clTeal, clSilver,
                     TA_CENTER | TA_BASELINE, TPoint(-1, -2), TPoint(-3, -4), TPoint(-5, -6), TSize(11, 12),
                     TSize(13, 14), QRegion()};
  const Level third{OPAQUE, MM_ANISOTROPIC, pmWhite, clFuchsia, clAqua, clOlive, clGray, clBlack,
                    TA_LEFT | TA_TOP, TPoint(7, 7), TPoint(8, 8), TPoint(9, 9), TSize(2, 3), TSize(4, 5),
                    QRegion(2, 2, 3, 3)};
  apply(first);
  const int one = c.SaveDC();
  apply(second);
  c.SaveDC();
  apply(third);
  expectLevel(third);
  EXPECT_TRUE(c.RestoreDC(-1));
  expectLevel(second);
  apply(third);
  EXPECT_TRUE(c.RestoreDC(one));
  expectLevel(first);
  EXPECT_FALSE(c.RestoreDC(one));
}

TEST(GraphicsCanvas, WindowOriginMovesDrawingAndClip)
{
  Surface s(20, 20);
  s.Canvas.MoveWindowOrg(5, 6);  // logical (0,0) is device (5,6)
  s.Canvas.IntersectClipRect(Rect(0, 0, 3, 3));
  s.Canvas.Brush()->SetColor(clBlack);
  s.Canvas.FillRect(Rect(-5, -5, 10, 10));
  EXPECT_EQ(s.Ink(0, 0, 20, 20), 9);
  EXPECT_EQ(s.Img.pixel(5, 6) & 0xFFFFFF, 0u);
  EXPECT_EQ(s.At(0, 0), clBlack);
}

TEST(GraphicsCanvas, TextBackgroundIsOpaqueUnderASolidBrush)
{
  Surface s(80, 30);
  s.Canvas.Brush()->SetColor(clYellow);
  s.Canvas.TextOut(2, 2, QStringLiteral("i"));
  const TSize ext = s.Canvas.TextExtent(QStringLiteral("i"));
  EXPECT_EQ(s.At(2, 2), clYellow);
  EXPECT_EQ(s.At(2 + ext.cx - 1, 2 + ext.cy - 1), clYellow);
  EXPECT_EQ(s.At(2 + ext.cx, 2), clWhite);
  EXPECT_EQ(s.Canvas.PenPos(), TPoint(2 + ext.cx, 2));

  Surface t(80, 30);
  t.Canvas.Brush()->SetStyle(bsClear);
  t.Canvas.TextOut(2, 2, QStringLiteral("i"));
  EXPECT_EQ(t.At(2, 2), clWhite);
  EXPECT_GT(t.Ink(0, 0, 80, 30), 0);

  // SetBkMode overrides until the brush changes.
  Surface m(80, 30);
  m.Canvas.Brush()->SetColor(clYellow);
  SetBkMode(m.Canvas.Handle(), TRANSPARENT);
  m.Canvas.TextOut(2, 2, QStringLiteral("i"));
  EXPECT_EQ(m.At(2, 2), clWhite);
}

TEST(GraphicsCanvas, TextRectClipsAndFillsTheRectangle)
{
  Surface s(80, 30);
  s.Canvas.Brush()->SetColor(clAqua);
  s.Canvas.TextRect(Rect(10, 5, 20, 25), 10, 5, QStringLiteral("WWWWWWWW"));
  EXPECT_EQ(s.At(10, 24), clAqua);
  EXPECT_EQ(s.Ink(20, 0, 80, 30), 0);
  EXPECT_EQ(s.Ink(0, 0, 10, 30), 0);
}

TEST(GraphicsCanvas, RotatedFontRunsUpward)
{
  Surface s(60, 100);
  s.Canvas.Brush()->SetStyle(bsClear);
  s.Canvas.Font()->SetOrientation(900);
  s.Canvas.TextOut(20, 90, QStringLiteral("Rotated"));
  const int h = s.Canvas.TextHeight(QStringLiteral("Rotated"));
  EXPECT_GT(s.Ink(20, 20, 20 + h + 1, 90), 0);
  EXPECT_EQ(s.Ink(0, 0, 19, 100), 0);
  EXPECT_EQ(s.Ink(0, 91, 60, 100), 0);
}

TEST(GraphicsCanvas, PixelsOutsideTheImageAreInvalid)
{
  Surface s(4, 4);
  s.Canvas.SetPixels(1, 1, clRed);
  EXPECT_EQ(s.At(1, 1), clRed);
  EXPECT_EQ(s.At(9, 9), 0xFFFFFFFFu);
}

TEST(GraphicsCanvas, RecordingCanvasListsCallsInOrder)
{
  TRecordingCanvas c(50, 20);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(Rect(0, 0, 50, 20));
  c.Brush()->SetStyle(bsClear);
  c.TextOut(1, 2, QStringLiteral("Hi"));
  c.MoveTo(0, 19);
  c.LineTo(50, 19);
  ASSERT_EQ(c.Entries().size(), 3);
  EXPECT_EQ(c.Entries()[0], QStringLiteral("FillRect(0,0,50,20) brush=clBtnFace"));
  EXPECT_TRUE(c.Entries()[1].startsWith(QStringLiteral("ExtTextOut(1,2,0,'Hi') font=Tahoma,-11,clWindowText"))) << c.Entries()[1].toStdString();
  EXPECT_EQ(c.Entries()[2], QStringLiteral("LineTo(0,19,50,19) pen=clBlack,1,psSolid"));
}

TEST(GraphicsCanvas, DrawEdgeRaisedUsesTheClassicColours)
{
  Surface s(10, 10);
  TRect r = Rect(0, 0, 10, 10);
  DrawEdge(s.Canvas.Handle(), r, EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
  EXPECT_EQ(r, Rect(2, 2, 8, 8));
  EXPECT_EQ(s.At(0, 0), ColorToRGB(cl3DLight));
  EXPECT_EQ(s.At(9, 0), ColorToRGB(cl3DDkShadow));  // far corners belong to the dark side
  EXPECT_EQ(s.At(0, 9), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(s.At(1, 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(s.At(8, 8), ColorToRGB(clBtnShadow));
  EXPECT_EQ(s.At(5, 5), ColorToRGB(clBtnFace));
}

TEST(GraphicsColors, SystemColoursAndNames)
{
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(51, 153, 255));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToString(clBtnFace), QStringLiteral("clBtnFace"));
  EXPECT_EQ(ColorToString(0x123456), QStringLiteral("$00123456"));
  EXPECT_EQ(StringToColor(QStringLiteral("clNavy")), clNavy);
}

TEST(GraphicsFont, SizeHeightAndFamilyMapping)
{
  TFont f;
  EXPECT_EQ(f.Height(), -11);
  EXPECT_EQ(f.Size(), 8);
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  int changes = 0;
  f.OnChange = [&](TObject *) { ++changes; };
  f.SetStyle({fsBold});
  f.SetStyle({fsBold});
  EXPECT_EQ(changes, 1);
  const struct { const char *Name; const char *Family; } map[] = {
      {"MS Sans Serif", "DejaVu Sans"}, {"Tahoma", "DejaVu Sans"}, {"Segoe UI", "DejaVu Sans"},
      {"Verdana", "DejaVu Sans"}, {"Arial", "Liberation Sans"}, {"Courier New", "Liberation Mono"},
      {"Times New Roman", "Liberation Serif"}};
  for (const auto &m : map)
    EXPECT_EQ(TFont::MapFontName(QString::fromLatin1(m.Name)), QString::fromLatin1(m.Family)) << m.Name;
  const QFont q = f.ToQFont();
  EXPECT_EQ(q.pixelSize(), 13);
  EXPECT_TRUE(q.bold());
  TFont g;
  g.Assign(&f);
  EXPECT_TRUE(g.Equals(f));
}

}  // namespace

// A sheet of the primitives, left under the test output folder to be looked at.
TEST(GraphicsCanvas, SampleSheetPicture)
{
  TRecordingCanvas c(320, 200);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(Rect(0, 0, 320, 200));
  TRect r = Rect(10, 10, 90, 35);
  DrawFrameControl(c.Handle(), r, DFC_BUTTON, DFCS_BUTTONPUSH);
  c.Brush()->SetStyle(bsClear);
  DrawText(c.Handle(), QStringLiteral("&Push"), -1, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  TRect cb = Rect(100, 14, 113, 27);
  DrawFrameControl(c.Handle(), cb, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  TRect rb = Rect(120, 14, 133, 27);
  DrawFrameControl(c.Handle(), rb, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  TRect sb = Rect(140, 10, 157, 27);
  DrawFrameControl(c.Handle(), sb, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
  TRect e = Rect(170, 10, 230, 35);
  DrawEdge(c.Handle(), e, EDGE_SUNKEN, BF_RECT);
  c.Brush()->SetColor(clWhite);
  c.Pen()->SetColor(clNavy);
  c.Ellipse(240, 10, 280, 40);
  c.RoundRect(10, 45, 90, 75, 10, 10);
  c.Brush()->SetStyle(bsClear);
  TRect t = Rect(100, 45, 310, 110);
  c.Font()->SetName(QStringLiteral("Arial"));
  c.Font()->SetSize(9);
  DrawText(c.Handle(), QStringLiteral("Word wrapped text in a rectangle that breaks at blanks, drawn with Arial 9."), -1, t,
           DT_WORDBREAK);
  c.Font()->SetName(QStringLiteral("Tahoma"));
  c.Font()->SetSize(8);
  c.Font()->SetOrientation(900);
  c.TextOut(15, 190, QStringLiteral("Rotated 90"));
  c.Font()->SetOrientation(0);
  c.Pen()->SetColor(clBlack);
  c.Pen()->SetStyle(psDot);
  c.MoveTo(40, 120);
  c.LineTo(300, 120);
  c.Pen()->SetStyle(psSolid);
  c.Pen()->SetWidth(3);
  c.MoveTo(40, 130);
  c.LineTo(300, 190);
  c.DrawFocusRect(Rect(40, 140, 140, 160));
  TRect el = Rect(150, 140, 230, 160);
  DrawText(c.Handle(), QStringLiteral("An ellipsis at the end of a long text"), -1, el, DT_SINGLELINE | DT_END_ELLIPSIS);
  const QString file = testsupport::OutputDir() + QStringLiteral("/graphics_sample_sheet.png");
  EXPECT_TRUE(c.Picture().save(file));
  EXPECT_GT(c.Entries().size(), 10);
}

TEST(GraphicsCanvas, MetricMappingHasYGrowingUp)
{
  Surface s(200, 200);
  EXPECT_EQ(GetDeviceCaps(s.Canvas.Handle(), LOGPIXELSX), 96);
  EXPECT_EQ(SetMapMode(s.Canvas.Handle(), MM_LOMETRIC), MM_TEXT);
  // One inch (254 units of 0.1 mm) is 96 pixels; y runs upwards, so pages have negative y.
  s.Canvas.Brush()->SetColor(clBlack);
  s.Canvas.FillRect(Rect(0, 0, 254, -254));
  EXPECT_EQ(s.Ink(0, 0, 200, 200), 96 * 96);
  TPoint p[2] = {TPoint(254, -127), TPoint(0, 0)};
  LPtoDP(s.Canvas.Handle(), p, 2);
  EXPECT_EQ(p[0], TPoint(96, 48));
  DPtoLP(s.Canvas.Handle(), p, 1);
  EXPECT_EQ(p[0], TPoint(254, -127));
  EXPECT_EQ(s.Canvas.ClipRect(), Rect(0, 0, 529, -529));

  // A font 3 mm high measures about 30 units; a calculated rectangle grows downwards (to lower y).
  s.Canvas.Font()->SetHeight(-30);
  const int th = s.Canvas.TextHeight(QStringLiteral("gh"));
  EXPECT_GT(th, 30);
  EXPECT_LT(th, 45);
  TRect r = Rect(0, -100, 1000, -100);
  DrawText(s.Canvas.Handle(), QStringLiteral("gh"), -1, r, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(r.Bottom, -100 - th);

  const int saved = s.Canvas.SaveDC();
  s.Canvas.SetMapMode(MM_TEXT);
  EXPECT_EQ(s.Canvas.TextHeight(QStringLiteral("gh")), QFontMetrics(s.Canvas.Font()->ToQFont()).height());
  s.Canvas.RestoreDC(saved);
  EXPECT_EQ(s.Canvas.MapMode(), MM_LOMETRIC);
}

// Printing binds a painter the caller keeps open; the same calls draw through it.
TEST(GraphicsCanvas, DrawsThroughAnOpenPainter)
{
  QImage img(100, 100, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter painter(&img);
  TCanvas c;
  c.SetPainter(&painter);
  EXPECT_EQ(c.DeviceSize(), TSize(100, 100));
  c.Brush()->SetColor(clRed);
  c.FillRect(Rect(10, 10, 20, 20));
  c.SetMapMode(MM_LOMETRIC);
  c.Brush()->SetColor(clBlue);
  c.FillRect(Rect(0, -127, 127, -254));  // half an inch square, half an inch down
  c.Pen()->SetColor(clBlack);
  c.MoveTo(0, -254);
  c.LineTo(254, -254);
  c.Brush()->SetStyle(bsClear);
  c.TextOut(0, 0, QStringLiteral("x"));
  painter.end();
  EXPECT_EQ(QColorToColor(img.pixelColor(15, 15)), clRed);
  EXPECT_EQ(QColorToColor(img.pixelColor(5, 55)), clBlue);
  EXPECT_EQ(QColorToColor(img.pixelColor(60, 96)), clBlack);
}

TEST(GraphicsCanvas, FillRectOnAHandleLeavesTheTextBackgroundAlone)
{
  Surface s(80, 30);
  s.Canvas.Brush()->SetColor(clYellow);
  FillRect(s.Canvas.Handle(), Rect(0, 0, 10, 10), clGray);
  EXPECT_EQ(s.At(5, 5), clGray);
  EXPECT_EQ(s.Canvas.Brush()->Color(), clYellow);
  s.Canvas.TextOut(20, 2, QStringLiteral("i"));
  EXPECT_EQ(s.At(20, 2), clYellow);
}

// Calls that leave painter state behind (hatch brush, XOR, rotation, mapping, clips) followed by
// calls that must not see it; Shared makes a copy of the image halfway, so the next pixel
// write moves the image to pixels of its own.
static void DrawStateMix(QImage &Img, bool Shared)
{
  TCanvas c(&Img);
  c.Brush()->SetColor(clBtnFace);
  c.FillRect(Rect(0, 0, 160, 120));
  c.Brush()->SetStyle(bsDiagCross);
  c.Brush()->SetColor(clNavy);
  c.FillRect(Rect(5, 5, 40, 30));
  c.Brush()->SetColor(clYellow);
  c.Pen()->SetColor(clMaroon);
  c.Ellipse(45, 5, 80, 30);
  c.Pen()->SetMode(pmXor);
  c.Pen()->SetWidth(3);
  c.MoveTo(0, 0);
  c.LineTo(160, 120);
  c.Pen()->SetMode(pmCopy);
  c.Pen()->SetWidth(1);
  c.Brush()->SetStyle(bsClear);
  c.Font()->SetOrientation(900);
  c.TextOut(90, 60, QStringLiteral("Up"));
  c.Font()->SetOrientation(0);
  QImage copy;
  if (Shared)
    copy = Img;
  c.Brush()->SetColor(clWhite);
  c.FillRect(Rect(100, 5, 150, 20));
  c.Brush()->SetStyle(bsClear);
  // Text cut by its rectangle, text inside it, and a clip of two rectangles.
  TRect cut = Rect(100, 5, 118, 20);
  c.TextRect(cut, cut.Left, cut.Top, QStringLiteral("Clipped"));
  TRect cell = Rect(5, 35, 80, 50);
  DrawText(c.Handle(), QStringLiteral("Cell text"), -1, cell, DT_SINGLELINE | DT_VCENTER);
  const int saved = c.SaveDC();
  c.ExcludeClipRect(Rect(20, 55, 30, 70));
  c.TextOut(5, 55, QStringLiteral("Holes in it"));
  c.Pen()->SetColor(clGreen);
  c.Pen()->SetWidth(2);
  c.MoveTo(5, 68);
  c.LineTo(80, 68);
  c.RestoreDC(saved);
  c.SetWindowOrg(TPoint(-10, -80));
  c.Pen()->SetWidth(1);
  c.Brush()->SetColor(clAqua);
  c.RoundRect(0, 0, 40, 20, 6, 6);
  c.SetWindowOrg(TPoint(0, 0));
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(clLime);
  c.TextOut(60, 85, QStringLiteral("Opaque"));
  c.Brush()->SetStyle(bsClear);
  c.Font()->SetColor(clRed);
  c.TextOut(60, 100, QStringLiteral("Plain after all"));
  QImage small(8, 8, QImage::Format_RGB32);
  small.fill(Qt::blue);
  c.DrawImage(Rect(140, 100, 148, 108), small, Rect(0, 0, 8, 8), cmSrcInvert);
}

// A paint pass keeps one painter open for the calls that draw through Qt; the pixels are
// those of a painter opened per call.
TEST(GraphicsCanvas, PaintPassDrawsWhatSeparatePaintersDraw)
{
  for (const bool shared : {false, true}) {
    QImage general(160, 120, QImage::Format_RGB32), passed(160, 120, QImage::Format_RGB32);
    general.fill(Qt::white);
    passed.fill(Qt::white);
    DrawStateMix(general, shared);
    {
      TPaintPass pass(&passed);
      TPaintPass inner(&passed);  // a second pass on the image adds nothing
      DrawStateMix(passed, shared);
    }
    EXPECT_EQ(general.pixel(15, 45) == QColor(Qt::white).rgb(), false) << shared;
    int differing = 0;
    QRect where;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 160; ++x)
        if (general.pixel(x, y) != passed.pixel(x, y)) {
          ++differing;
          where |= QRect(x, y, 1, 1);
        }
    EXPECT_EQ(differing, 0) << shared << " in " << where.x() << "," << where.y() << " " << where.width() << "x"
                            << where.height();
    if (differing) {
      general.save(testsupport::OutputDir() + QStringLiteral("/paint_pass_general_%1.png").arg(shared));
      passed.save(testsupport::OutputDir() + QStringLiteral("/paint_pass_%1.png").arg(shared));
    }
  }
}

// Solid level and upright lines in a one-rectangle clip are written a stretch at a time; a
// clip of two rectangles takes them pixel by pixel. Both give the same pixels along the line.
TEST(GraphicsCanvas, StraightLinesInOneRectangleDrawAsPixelByPixel)
{
  const struct {
    TPoint A, B;
  } lines[] = {{TPoint(0, 5), TPoint(20, 5)},   {TPoint(19, 6), TPoint(1, 6)}, {TPoint(8, 0), TPoint(8, 20)},
               {TPoint(9, 19), TPoint(9, 4)},   {TPoint(4, 10), TPoint(10, 10)}, {TPoint(2, 2), TPoint(2, 30)},
               {TPoint(-50, 16), TPoint(50, 16)}, {TPoint(12, 3), TPoint(12, 3)}};
  for (const TPenMode mode : {pmCopy, pmXor})
    for (const auto &l : lines) {
      Surface one(20, 20), two(20, 20);
      one.Canvas.IntersectClipRect(Rect(3, 3, 17, 17));
      QRegion region(3, 3, 14, 14);
      region += QRect(0, 19, 1, 1);
      two.Canvas.SelectClipRgn(&region);
      for (Surface *s : {&one, &two}) {
        s->Canvas.Brush()->SetColor(clYellow);
        s->Canvas.FillRect(Rect(0, 0, 20, 19));
        s->Canvas.Pen()->SetMode(mode);
        s->Canvas.Pen()->SetColor(clBlue);
        s->Canvas.MoveTo(l.A.X, l.A.Y);
        s->Canvas.LineTo(l.B.X, l.B.Y);
      }
      for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 20; ++x)
          EXPECT_EQ(one.Img.pixel(x, y), two.Img.pixel(x, y)) << mode << " " << l.A.X << "," << l.A.Y << " at " << x << "," << y;
      EXPECT_GT(one.Ink(0, 0, 20, 19), 0);
    }
}

TEST(GraphicsRegion, RectanglesKeepExclusiveEdgesAndClipAsTheirRegions)
{
  const struct {
    const char *name;
    std::vector<TRect> rects;
    QRegion expected;
  } cases[] = {
      {"none", {}, QRegion()},
      {"empty and inverted rectangles add nothing", {Rect(3, 3, 3, 9), Rect(5, 5, 2, 8)}, QRegion()},
      {"one rectangle", {Rect(1, 2, 4, 6)}, QRegion(1, 2, 3, 4)},
      {"two strips", {Rect(8, 0, 10, 10), Rect(0, 8, 10, 10)}, QRegion(8, 0, 2, 10) + QRegion(0, 8, 10, 2)},
  };
  for (const auto &c : cases) {
    TRegion r;
    for (const TRect &t : c.rects)
      r += t;
    EXPECT_EQ(r, c.expected) << c.name;
    EXPECT_EQ(r.IsEmpty(), c.expected.isEmpty()) << c.name;
    // Selected as the clip, it limits a fill as the same region of the framework does.
    Surface a(10, 10), b(10, 10);
    a.Canvas.SelectClipRgn(r.IsEmpty() ? nullptr : &r);
    b.Canvas.SelectClipRgn(c.expected.isEmpty() ? nullptr : &c.expected);
    for (Surface *s : {&a, &b}) {
      s->Canvas.Brush()->SetColor(clBlack);
      s->Canvas.FillRect(Rect(0, 0, 10, 10));
    }
    EXPECT_EQ(a.Ink(0, 0, 10, 10), b.Ink(0, 0, 10, 10)) << c.name;
    EXPECT_EQ(a.Img, b.Img) << c.name;
  }
}
