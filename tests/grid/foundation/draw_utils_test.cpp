// Drawing routines pinned on small images, by pixels and by the recorded calls.
#include "grid/foundation/draw_utils.h"

#include "tests/support/test_support.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr TColor Bg = clWhite;

int CountEntries(const TRecordingCanvas &c, const QString &Prefix)
{
  int n = 0;
  for (const QString &e : c.Entries())
    n += e.startsWith(Prefix) ? 1 : 0;
  return n;
}

// Pixels of a colour inside [l, r) x [t, b).
int CountColor(const TCanvas &c, TColor Color, int l, int t, int r, int b)
{
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      n += c.Pixels(x, y) == Color ? 1 : 0;
  return n;
}

TEST(DrawUtilsColors, ArithmeticTable)
{
  const struct {
    const char *What;
    TColor Got, Want;
  } cases[] = {
      {"blend halfway", BlendColorStep(RGB(0, 100, 200), RGB(100, 0, 200), 0, 10, 5), RGB(50, 50, 200)},
      {"blend at the start", BlendColorStep(clRed, clBlue, 0, 10, 0), clRed},
      {"blend at the end", BlendColorStep(clRed, clBlue, 0, 10, 10), clBlue},
      {"blend to no colour keeps A", BlendColorStep(clRed, clNone, 0, 10, 5), clRed},
      {"blend over an empty range keeps A", BlendColorStep(clRed, clBlue, 4, 4, 4), clRed},
      {"blend resolves system colours", BlendColorStep(clBtnFace, clBtnFace, 0, 2, 1), RGB(240, 240, 240)},
      {"half", HalfColor(RGB(255, 101, 2)), RGB(127, 50, 1)},
      {"half of a system colour", HalfColor(clBtnFace), RGB(120, 120, 120)},
      {"scale up", ScaleColor(RGB(100, 50, 0), 7), RGB(107, 54, 0)},
      {"scale down", ScaleColor(RGB(100, 50, 10), -20), RGB(80, 40, 8)},
      {"scale clamps at 255", ScaleColor(RGB(250, 200, 128), 50), RGB(255, 255, 192)},
      {"scale clamps at 0", ScaleColor(RGB(250, 200, 128), -150), RGB(0, 0, 0)},
  };
  for (const auto &c : cases)
    EXPECT_EQ(c.Got, c.Want) << c.What;
}

TEST(DrawUtilsGradient, BandsColoursAndPlainFills)
{
  // 64 steps over 10 rows: the steps are capped by the extent, giving 10 bands.
  TRecordingCanvas c(20, 10);
  DrawGradient(&c, clBlack, clWhite, 64, Rect(0, 0, 20, 10), false);
  EXPECT_EQ(CountEntries(c, "FillRect("), 10);
  EXPECT_EQ(c.Pixels(5, 0), clBlack);
  EXPECT_EQ(c.Pixels(5, 9), clWhite);
  for (int y = 1; y < 10; ++y)
    EXPECT_GT(GetRValue(c.Pixels(5, y)), GetRValue(c.Pixels(5, y - 1))) << y;

  // A horizontal gradient changes along x; a reversed rectangle is put in order.
  TRecordingCanvas h(10, 4);
  DrawGradient(&h, clRed, clBlue, 4, Rect(0, 4, 10, 0), true);
  EXPECT_EQ(h.Pixels(0, 2), clRed);
  EXPECT_EQ(h.Pixels(9, 2), clBlue);
  EXPECT_EQ(h.Pixels(9, 0), h.Pixels(9, 3));

  // No colour at one end: a plain fill with the other.
  TRecordingCanvas p(10, 10);
  DrawGradient(&p, clNone, clLime, 16, Rect(0, 0, 10, 10), false);
  EXPECT_EQ(CountColor(p, clLime, 0, 0, 10, 10), 100);
  DrawGradient(&p, clNavy, clNone, 16, Rect(0, 0, 10, 5), false);
  EXPECT_EQ(CountColor(p, clNavy, 0, 0, 10, 10), 50);
  p.Clear();
  DrawGradient(&p, clRed, clBlue, 16, Rect(0, 3, 10, 3), false);
  EXPECT_TRUE(p.Entries().isEmpty());
}

TEST(DrawUtilsGradient, VistaGradientHalvesAndBorders)
{
  TRecordingCanvas c(20, 20);
  DrawVistaGradient(&c, Rect(0, 0, 20, 20), clRed, clRed, clBlue, clBlue, true, clBlack, false, true);
  EXPECT_EQ(c.Pixels(10, 5), clRed);
  EXPECT_EQ(c.Pixels(10, 15), clBlue);
  EXPECT_EQ(c.Pixels(0, 10), clBlack);
  EXPECT_EQ(c.Pixels(10, 0), clBlack);
  EXPECT_EQ(c.Pixels(19, 19), clBlack);

  TRecordingCanvas s(20, 20);
  DrawVistaGradient(&s, Rect(0, 0, 20, 20), clLime, clNone, clNone, clNone, false, clBlack, true, true);
  EXPECT_EQ(s.Pixels(10, 10), clLime);
  EXPECT_EQ(s.Pixels(0, 10), clBlack);
  EXPECT_EQ(s.Pixels(19, 10), clBlack);
  EXPECT_EQ(s.Pixels(10, 0), clLime);  // side lines only: no top edge
}

TEST(DrawUtilsSelection, SegmentsRoundTheirEndsOnly)
{
  const TColor fill = RGB(200, 220, 255), top = RGB(1, 1, 1), bottom = RGB(2, 2, 2), border = RGB(3, 3, 3),
               corner = RGB(4, 4, 4), outer = RGB(5, 5, 5);
  auto draw = [&](TRecordingCanvas &c, int segment) {
    DrawRoundedSelection(&c, fill, clNone, clNone, clNone, top, bottom, border, corner, outer, Rect(0, 0, 30, 20), segment);
  };
  // r = (0, 0, 29, 18): L 0, T 0, R 29, B 18.
  TRecordingCanvas single(30, 20);
  draw(single, 0);
  EXPECT_EQ(single.Pixels(0, 0), outer);
  EXPECT_EQ(single.Pixels(1, 0), corner);
  EXPECT_EQ(single.Pixels(0, 1), corner);
  EXPECT_EQ(single.Pixels(0, 18), outer);
  EXPECT_EQ(single.Pixels(28, 0), outer);
  EXPECT_EQ(single.Pixels(27, 1), corner);
  EXPECT_EQ(single.Pixels(0, 10), border);   // left edge
  EXPECT_EQ(single.Pixels(28, 10), border);  // right edge
  EXPECT_EQ(single.Pixels(1, 5), top);       // inner vertical, upper half
  EXPECT_EQ(single.Pixels(1, 12), bottom);   // inner vertical, lower half
  EXPECT_EQ(single.Pixels(10, 0), border);
  EXPECT_EQ(single.Pixels(10, 1), top);
  EXPECT_EQ(single.Pixels(10, 17), bottom);
  EXPECT_EQ(single.Pixels(10, 18), border);
  EXPECT_EQ(single.Pixels(10, 10), fill);

  // A middle segment: no vertical edges, no corner pixels; lines and fill run edge to edge.
  TRecordingCanvas middle(30, 20);
  draw(middle, 3);
  EXPECT_EQ(CountEntries(middle, "SetPixel"), 0);
  EXPECT_EQ(middle.Pixels(0, 0), border);
  EXPECT_EQ(middle.Pixels(0, 10), fill);
  EXPECT_EQ(middle.Pixels(28, 10), fill);
  EXPECT_EQ(middle.Pixels(0, 1), top);

  // A left end rounds only the left side.
  TRecordingCanvas left(30, 20);
  draw(left, 1);
  EXPECT_EQ(left.Pixels(0, 0), outer);
  EXPECT_EQ(left.Pixels(28, 0), border);
  EXPECT_EQ(left.Pixels(28, 10), fill);

  // A lower half of its own.
  TRecordingCanvas mirrored(30, 20);
  DrawRoundedSelection(&mirrored, clRed, clRed, clBlue, clBlue, top, bottom, border, corner, outer, Rect(0, 0, 30, 20), 0);
  EXPECT_EQ(mirrored.Pixels(10, 4), clRed);
  EXPECT_EQ(mirrored.Pixels(10, 15), clBlue);
}

TEST(DrawUtilsButtons, ColourTonesAndClassicFallback)
{
  TColorTones tones;
  tones.Background = {RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90)};
  tones.Hover = {RGB(100, 0, 0), clBlack, clBlack};
  tones.Selected = {RGB(0, 100, 0), clBlack, clBlack};
  tones.Disabled = {RGB(0, 0, 100), clBlack, clBlack};

  // Custom drop-down button: the rightmost 17 pixels moved 2 left, then 3 further right.
  const TColor faces[] = {tones.Background.BrushColor, tones.Hover.BrushColor, tones.Selected.BrushColor,
                          tones.Disabled.BrushColor};
  for (int state = 0; state < 4; ++state) {
    TRecordingCanvas c(60, 20);
    DrawDropDownButton(&c, nullptr, Rect(0, 0, 60, 20), tones, state, 3);
    const int left = 60 - 17 - 2 + 3;  // 44
    EXPECT_EQ(c.Pixels(left + 13, 5), faces[state]);
    EXPECT_EQ(c.Pixels(left + 14, 5), Bg) << state;
    EXPECT_EQ(c.Pixels(left + 1, 5), tones.Background.BorderColor) << state;
    EXPECT_EQ(c.Pixels(left + 8, 9), tones.Background.TextColor) << state;
    EXPECT_EQ(c.Pixels(left - 1, 5), Bg) << state;
  }

  TRecordingCanvas push(40, 20);
  DrawPushButtonFace(&push, nullptr, Rect(0, 0, 40, 20), tones, 1, 3);
  EXPECT_EQ(push.Pixels(20, 10), tones.Hover.BrushColor);
  EXPECT_EQ(push.Pixels(0, 0), tones.Hover.BorderColor);

  TRecordingCanvas spin(40, 20);
  DrawSpinButtons(&spin, nullptr, Rect(0, 0, 40, 21), tones, 2, 3);
  // Buttons from x 24 to 39, up half rows -1..9, down half from 10.
  EXPECT_EQ(spin.Pixels(26, 2), tones.Selected.BrushColor);
  EXPECT_EQ(spin.Pixels(31, 4), clBlack);   // up triangle
  EXPECT_EQ(spin.Pixels(31, 12), clBlack);  // down triangle
  EXPECT_EQ(spin.Pixels(26, 15), tones.Selected.BrushColor);

  // Without a visual-style library the themed look is the classic one.
  for (auto fn : {DrawDropDownButton, DrawPushButtonFace, DrawSpinButtons}) {
    TRecordingCanvas themed(60, 20), classic(60, 20);
    fn(&themed, nullptr, Rect(0, 0, 60, 20), tones, 0, 0);
    fn(&classic, nullptr, Rect(0, 0, 60, 20), tones, 0, 1);
    EXPECT_EQ(themed.Picture(), classic.Picture());
    EXPECT_NE(CountColor(classic, Bg, 0, 0, 60, 20), 60 * 20);
  }

  TRecordingCanvas arrow(10, 10);
  DrawSmallDownArrow(&arrow, 5, 3, clNavy);
  EXPECT_EQ(arrow.Pixels(5, 4), clNavy);
  EXPECT_EQ(arrow.Pixels(5, 8), Bg);
}

// The bar area of DrawProgressBar's tests: rectangle (0, 0, 104, 20), margins 2.
struct ProgressCase {
  const char *What;
  double Position;
  int Min, Max;
  const char *Format;
  int FilledWidth;  // of the 100-pixel bar
  const char *Text;
};

TEST(DrawUtilsProgress, BarFillAndText)
{
  const ProgressCase cases[] = {
      {"plain percent", 40, 0, 100, "", 40, "40%"},
      {"over 100 shows the number and a full bar", 150, 0, 100, "", 100, "150%"},
      {"below 0", -5, 0, 100, "", 0, "-5%"},
      {"integer format over a range", 7, 0, 10, "%d of 10", 70, "7 of 10"},
      {"float format", 2.5, 0, 10, "%.1f units", 25, "2.5 units"},
      {"equal bounds below the maximum", 5, 10, 10, "%d", 0, "5"},
      {"equal bounds at the maximum", 10, 10, 10, "%d", 100, "10"},
      {"format whose argument kind does not fit", 3, 0, 10, "%s", 30, ""},
      {"integer asked by u", 3, 0, 10, "%u", 30, "3"},
  };
  for (const auto &pc : cases) {
    TRecordingCanvas c(110, 30);
    c.Brush()->SetColor(clYellow);
    DrawProgressBar(&c, Rect(2, 2, 106, 26), clRed, clWhite, clSilver, clBlack, pc.Position, 2, 2, pc.Min, pc.Max,
                    QString::fromLatin1(pc.Format), clBlack, false);
    // Bar (4, 4, 104, 24); filled part from 4.
    const int filledRed = CountColor(c, clRed, 4, 4, 104, 5);
    EXPECT_EQ(filledRed + CountColor(c, clSilver, 4, 4, 104, 5), 100) << pc.What;
    EXPECT_EQ(filledRed, pc.FilledWidth) << pc.What;
    EXPECT_EQ(c.Pixels(3, 10), clBlack) << pc.What;    // border
    EXPECT_EQ(c.Pixels(2, 10), clYellow) << pc.What;   // saved brush frame
    EXPECT_EQ(c.Brush()->Color(), clYellow) << pc.What;
    const QString want = QStringLiteral("'%1'").arg(QString::fromLatin1(pc.Text));
    int withText = 0;
    for (const QString &e : c.Entries())
      withText += e.startsWith("ExtTextOut") && e.contains(want) ? 1 : 0;
    EXPECT_EQ(withText, 2) << pc.What << " " << c.Entries().join('\n').toStdString();
  }
}

TEST(DrawUtilsProgress, PieAndRangeIndicator)
{
  TRecordingCanvas pie(41, 41);
  DrawProgressPie(&pie, Rect(0, 0, 41, 41), clLime, 25, false);
  EXPECT_EQ(pie.Pixels(28, 12), clLime);   // upper right quarter
  EXPECT_EQ(pie.Pixels(12, 12), Bg);       // upper left
  EXPECT_EQ(pie.Pixels(28, 28), Bg);       // lower right
  TRecordingCanvas none(41, 41);
  DrawProgressPie(&none, Rect(0, 0, 41, 41), clLime, 0, false);
  EXPECT_EQ(CountEntries(none, "FloodFill"), 0);

  // Inner (2, 2, 102, 18): half 50, middle at 52.
  TRecordingCanvas neg(104, 20);
  DrawRangeIndicator(&neg, Rect(0, 0, 104, 20), -5, 10, false, clRed, clGreen);
  EXPECT_EQ(CountColor(neg, clRed, 0, 10, 104, 11), 25);
  EXPECT_EQ(neg.Pixels(27, 10), clRed);
  EXPECT_EQ(neg.Pixels(52, 10), Bg);
  TRecordingCanvas pos(104, 20);
  DrawRangeIndicator(&pos, Rect(0, 0, 104, 20), 99, 10, false, clRed, clGreen);
  EXPECT_EQ(CountColor(pos, clGreen, 0, 10, 104, 11), 50);  // limited to the range

  // A range of 0 has no scale: nothing is drawn over the background.
  TRecordingCanvas empty(104, 20);
  DrawRangeIndicator(&empty, Rect(0, 0, 104, 20), 5, 0, false, clRed, clGreen);
  EXPECT_TRUE(empty.Entries().isEmpty());
  EXPECT_EQ(CountColor(empty, Bg, 0, 0, 104, 20), 104 * 20);
}

TEST(DrawUtilsProgress, StyledBarPiecesFillTheInnerLength)
{
  TLevelProgress lv;
  lv.Level0Color = clLime;
  lv.Level1Color = clYellow;
  lv.Level2Color = clFuchsia;
  lv.Level3Color = clRed;
  lv.Stacked = true;
  lv.ShowGradient = false;
  lv.ShowPercentage = false;
  lv.ShowBorder = true;
  lv.BorderColor = clBlack;
  lv.BackgroundColor = clWhite;

  // Inner length 98: pieces 69 (70 % of 98), 20 and the remaining 9.
  TRecordingCanvas c(100, 12);
  DrawStyledProgressBar(&c, Rect(0, 0, 100, 12), 100, lv);
  EXPECT_EQ(CountColor(c, clLime, 1, 6, 99, 7), 69);
  EXPECT_EQ(CountColor(c, clYellow, 1, 6, 99, 7), 20);
  EXPECT_EQ(CountColor(c, clRed, 1, 6, 99, 7), 9);
  EXPECT_EQ(c.Pixels(0, 6), clBlack);
  EXPECT_EQ(c.Pixels(99, 6), clBlack);

  // Not stacked: one colour by level, smooth or in 7-pixel blocks.
  const struct {
    int Percent;
    bool Smooth;
    TColor Color;
    int Pixels;
  } single[] = {
      {50, true, clLime, 49}, {80, true, clYellow, 78}, {95, true, clFuchsia, 93}, {100, true, clRed, 98},
      // t = 49: five blocks of 7, then 49 mod 9 = 4 gives one of 3.
      {50, false, clLime, 5 * 7 + 3},
      // t = 5: one block of 4.
      {5, false, clLime, 4},
  };
  lv.Stacked = false;
  for (const auto &s : single) {
    lv.CompletionSmooth = s.Smooth;
    TRecordingCanvas b(100, 12);
    DrawStyledProgressBar(&b, Rect(0, 0, 100, 12), s.Percent, lv);
    EXPECT_EQ(CountColor(b, s.Color, 1, 6, 99, 7), s.Pixels) << s.Percent << " " << s.Smooth;
  }

  // Vertical bars fill from the bottom.
  lv.Vertical = true;
  lv.CompletionSmooth = true;
  TRecordingCanvas v(12, 100);
  DrawStyledProgressBar(&v, Rect(0, 0, 12, 100), 50, lv);
  EXPECT_EQ(v.Pixels(6, 98), clLime);
  EXPECT_EQ(v.Pixels(6, 20), clWhite);

  TRecordingCanvas zero(100, 12);
  DrawStyledProgressBar(&zero, Rect(0, 0, 100, 12), 0, lv);
  EXPECT_EQ(CountEntries(zero, "Rectangle"), 1);
}

TEST(DrawUtilsShapes, FilledWhereTheShapeIs)
{
  const struct {
    TCellShape Shape;
    TPoint Inside, Outside;
  } cases[] = {
      {csRectangle, {1, 1}, {0, 0}},        {csCircle, {10, 10}, {1, 1}},
      {csTriangleLeft, {18, 18}, {2, 2}},   {csTriangleRight, {2, 2}, {18, 2}},
      {csTriangleUp, {10, 18}, {2, 2}},     {csTriangleDown, {10, 2}, {2, 18}},
      {csDiamond, {10, 10}, {2, 2}},        {csLineVert, {10, 5}, {9, 5}},
      {csLineHorz, {5, 10}, {5, 9}},        {csRoundRect, {10, 10}, {0, 0}},
      {csStar, {10, 10}, {2, 2}},           {csHalfStar, {8, 12}, {14, 12}},
      {csArrowUp, {10, 3}, {2, 16}},        {csArrowDown, {10, 17}, {2, 3}},
      {csArrowLeft, {3, 10}, {16, 2}},      {csArrowRight, {17, 10}, {3, 2}},
  };
  for (const auto &sc : cases) {
    TRecordingCanvas c(20, 20);
    DrawCellShape(&c, 0, 0, 20, 20, sc.Shape, clRed, clNavy);
    const TColor in = c.Pixels(sc.Inside.X, sc.Inside.Y);
    EXPECT_TRUE(in == clRed || in == clNavy) << sc.Shape;
    EXPECT_EQ(c.Pixels(sc.Outside.X, sc.Outside.Y), Bg) << sc.Shape;
  }
  // Square kinds use the smaller side.
  TRecordingCanvas sq(40, 20);
  DrawCellShape(&sq, 0, 0, 40, 20, csCircle, clRed, clRed);
  EXPECT_EQ(sq.Pixels(30, 10), Bg);
  EXPECT_EQ(sq.Pixels(10, 10), clRed);
}

TEST(DrawUtilsBitmaps, CornerColourBecomesTheBackground)
{
  TBitmap bmp(4, 3);
  bmp.Canvas()->Brush()->SetColor(clFuchsia);
  bmp.Canvas()->FillRect(Rect(0, 0, 4, 3));
  bmp.Canvas()->SetPixels(2, 1, clNavy);
  TRecordingCanvas c(10, 10);
  DrawBitmapTransparent(&c, &bmp, clAqua, Rect(3, 3, 9, 9));
  EXPECT_EQ(c.Pixels(3, 3), clAqua);
  EXPECT_EQ(c.Pixels(5, 4), clNavy);
  EXPECT_EQ(c.Pixels(6, 5), clAqua);
  EXPECT_EQ(c.Pixels(7, 3), Bg);  // the bitmap's own size, not the rectangle's
  EXPECT_EQ(c.Pixels(3, 6), Bg);

  RegisterResourceBitmap(QStringLiteral("DRAWUTILS_TEST"), [](TBitmap &b) {
    b.SetSize(2, 2);
    b.Canvas()->Brush()->SetColor(clFuchsia);
    b.Canvas()->FillRect(Rect(0, 0, 2, 2));
    b.Canvas()->SetPixels(1, 1, clMaroon);
  });
  TRecordingCanvas r(4, 4);
  DrawResourceBitmap(&r, clLime, Rect(1, 1, 4, 4), QStringLiteral("DRAWUTILS_TEST"));
  EXPECT_EQ(r.Pixels(1, 1), clLime);
  EXPECT_EQ(r.Pixels(2, 2), clMaroon);
  r.Clear();
  DrawResourceBitmap(&r, clLime, Rect(1, 1, 4, 4), QStringLiteral("NO_SUCH_BITMAP"));
  EXPECT_TRUE(r.Entries().isEmpty());
}

TEST(DrawUtilsText, ErrorUnderlineRunsUnderTheRange)
{
  TRecordingCanvas c(200, 30);
  const QString text = QStringLiteral("Hello wrold here");
  const int from = c.TextWidth(QStringLiteral("Hello ")), to = c.TextWidth(QStringLiteral("Hello wrol"));
  DrawErrorUnderline(nullptr, &c, text, Rect(10, 5, 200, 25), 12, 7, 5);
  auto redIn = [&](int x) { return CountColor(c, clRed, x, 0, x + 1, 30); };
  EXPECT_EQ(redIn(10 + from - 3), 0);
  EXPECT_GT(redIn(10 + from + 1), 0);
  EXPECT_GT(redIn(10 + to + 2), 0);
  EXPECT_EQ(redIn(10 + to + 8), 0);
  EXPECT_EQ(CountColor(c, clRed, 0, 0, 200, 17), 0);  // nothing above the offset line
  EXPECT_EQ(c.Pen()->Color(), clBlack);
}

TEST(DrawUtilsClipboard, HtmlOffsetsPointIntoTheText)
{
  QString s = QStringLiteral("abc");
  BuildClipboardHTML(s);
  EXPECT_TRUE(s.startsWith(QStringLiteral("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000309\r\n"
                                          "StartFragment:00000274\r\nEndFragment:00000277\r\n")));
  EXPECT_EQ(s.mid(97, 9), QStringLiteral("<!DOCTYPE"));
  EXPECT_EQ(s.length(), 309);
  EXPECT_EQ(s.mid(274, 3), QStringLiteral("abc"));
  EXPECT_TRUE(s.endsWith(QStringLiteral("abc<!--EndFragment--></body></html>")));

  EXPECT_TRUE(DynSetLayeredWindowAttributes(nullptr, clNone, 128, 2));
  EXPECT_TRUE(DynUpdateLayeredWindow(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, clNone, nullptr, 0));
}

}  // namespace

// A sheet of the routines, left under the test output folder to be looked at.
TEST(DrawUtilsSheet, SamplePicture)
{
  TRecordingCanvas c(360, 220);
  c.Brush()->SetColor(clWindow);
  c.FillRect(Rect(0, 0, 360, 220));
  DrawGradient(&c, RGB(255, 255, 255), RGB(80, 120, 200), 32, Rect(10, 10, 110, 40), true);
  DrawGradient(&c, RGB(255, 240, 200), RGB(200, 120, 0), 32, Rect(120, 10, 220, 40), false);
  DrawVistaGradient(&c, Rect(230, 10, 350, 40), RGB(253, 253, 253), RGB(230, 240, 250), RGB(215, 230, 245),
                    RGB(200, 220, 240), true, RGB(120, 160, 210), false, true);
  const TColor f = RGB(220, 235, 252), t = RGB(193, 219, 252), b = RGB(125, 162, 206);
  DrawRoundedSelection(&c, f, t, clNone, clNone, RGB(235, 244, 253), RGB(219, 234, 253), b, RGB(160, 190, 230), clWindow,
                       Rect(10, 50, 90, 72), 1);
  DrawRoundedSelection(&c, f, t, clNone, clNone, RGB(235, 244, 253), RGB(219, 234, 253), b, RGB(160, 190, 230), clWindow,
                       Rect(90, 50, 170, 72), 3);
  DrawRoundedSelection(&c, f, t, clNone, clNone, RGB(235, 244, 253), RGB(219, 234, 253), b, RGB(160, 190, 230), clWindow,
                       Rect(170, 50, 250, 72), 2);
  DrawRoundedSelection(&c, f, t, RGB(200, 225, 252), RGB(180, 210, 250), RGB(235, 244, 253), RGB(219, 234, 253), b,
                       RGB(160, 190, 230), clWindow, Rect(260, 50, 350, 72), 0);
  TColorTones tones;
  tones.Background = {RGB(230, 230, 230), RGB(150, 150, 150), RGB(40, 40, 40)};
  tones.Hover = {RGB(255, 230, 160), clGray, clBlack};
  DrawDropDownButton(&c, nullptr, Rect(10, 80, 110, 101), tones, 0, 1);
  DrawDropDownButton(&c, nullptr, Rect(120, 80, 220, 101), tones, 0, 3);
  DrawSpinButtons(&c, nullptr, Rect(230, 80, 290, 101), tones, 0, 1);
  DrawPushButtonFace(&c, nullptr, Rect(300, 80, 350, 101), tones, 1, 3);
  c.Brush()->SetColor(clWindow);
  DrawProgressBar(&c, Rect(10, 110, 130, 130), RGB(0, 120, 215), clWhite, RGB(230, 230, 230), clBlack, 42, 2, 2, 0, 100,
                  QString(), clGray, false);
  DrawProgressPie(&c, Rect(140, 108, 164, 132), clLime, 70, false);
  DrawRangeIndicator(&c, Rect(170, 110, 260, 130), -30, 100, false, clRed, clGreen);
  DrawRangeIndicator(&c, Rect(270, 110, 350, 130), 60, 100, false, clRed, clGreen);
  TLevelProgress lv;
  lv.Stacked = true;
  lv.ShowBorder = true;
  lv.BorderColor = clGray;
  lv.Level0ColorTo = RGB(200, 255, 200);
  lv.Level1ColorTo = RGB(255, 255, 200);
  lv.Level3ColorTo = RGB(255, 200, 200);
  DrawStyledProgressBar(&c, Rect(10, 140, 170, 158), 100, lv);
  lv.Stacked = false;
  lv.CompletionSmooth = false;
  DrawStyledProgressBar(&c, Rect(180, 140, 350, 158), 60, lv);
  lv.Vertical = true;
  lv.CompletionSmooth = true;
  DrawStyledProgressBar(&c, Rect(330, 162, 350, 215), 75, lv);
  int x = 10;
  for (int s = csRectangle; s <= csHalfStar; ++s, x += 16)
    DrawCellShape(&c, x, 170, 14, 14, TCellShape(s), RGB(255, 200, 0), clNavy);
  c.Font()->SetName(QStringLiteral("Tahoma"));
  c.Brush()->SetStyle(bsClear);
  c.TextOut(10, 192, QStringLiteral("A speling error"));
  DrawErrorUnderline(nullptr, &c, QStringLiteral("A speling error"), Rect(10, 192, 200, 210), c.TextHeight("A"), 3, 7);
  const QString file = testsupport::OutputDir() + QStringLiteral("/draw_utils_sheet.png");
  EXPECT_TRUE(c.Picture().save(file));
}
