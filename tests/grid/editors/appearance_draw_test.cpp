// The drop-down bars' drawing routines, pinned on small canvases by pixels.
#include "editors/dropdown_draw.h"

#include <gtest/gtest.h>

TEST(DropDownDraw, StepGradientBands)
{
  const TColor mid = RGB(128, 128, 128);  // 255 / 2 rounded to even
  struct Case {
    const char *what;
    int steps;
    bool horizontal;
    TRect r;
    // Pixels along the gradient's axis (x when horizontal, else y) and their colours.
    std::vector<std::pair<int, TColor>> along;
  };
  const Case cases[] = {
      // The far edge moves in by one, so 11 rows make two 5-row bands overlapping by one pixel.
      {"stacked", 2, false, Rect(0, 0, 6, 11), {{0, clBlack}, {4, clBlack}, {5, mid}, {10, mid}}},
      {"side by side", 2, true, Rect(0, 0, 11, 6), {{0, clBlack}, {4, clBlack}, {5, mid}, {10, mid}}},
      {"no steps is one band", 0, false, Rect(0, 0, 6, 11), {{0, clBlack}, {10, clBlack}}},
      {"offset rectangle", 2, false, Rect(2, 3, 6, 14), {{2, clRed}, {3, clBlack}, {7, clBlack}, {8, mid}, {13, mid}}},
  };
  for (const Case &c : cases) {
    TRecordingCanvas canvas(20, 20);
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 20, 20));
    DrawStepGradient(&canvas, clBlack, clWhite, c.steps, c.r, c.horizontal);
    for (const auto &[pos, colour] : c.along) {
      const int x = c.horizontal ? pos : c.r.Left + 1;
      const int y = c.horizontal ? c.r.Top + 1 : pos;
      EXPECT_EQ(canvas.Pixels(x, y), colour) << c.what << " at " << pos;
    }
    // Nothing outside the rectangle across the axis.
    EXPECT_EQ(canvas.Pixels(c.r.Right, c.r.Top + 1), clRed) << c.what;
    EXPECT_EQ(canvas.Pixels(c.r.Left + 1, c.r.Bottom), clRed) << c.what;
  }
}

TEST(DropDownDraw, BoxFillsAndFrames)
{
  // A plain fill with a 1-pixel frame.
  TRecordingCanvas plain(12, 12);
  DrawBox(&plain, Rect(1, 1, 11, 11), clYellow, clNone, clBlue, 1, gdVertical);
  EXPECT_EQ(plain.Pixels(5, 5), clYellow);
  EXPECT_EQ(plain.Pixels(1, 5), clBlue);
  EXPECT_EQ(plain.Pixels(10, 5), clBlue);

  // A vertical direction stacks the bands; no frame without a border colour.
  TRecordingCanvas grad(12, 90);
  DrawBox(&grad, Rect(0, 0, 12, 90), clBlack, clWhite, clNone, 1, gdVertical);
  EXPECT_EQ(grad.Pixels(0, 0), clBlack);
  EXPECT_EQ(grad.Pixels(0, 0), grad.Pixels(11, 0));
  EXPECT_GT(GetRValue(grad.Pixels(0, 88)), 240);

  TRecordingCanvas across(90, 12);
  DrawBox(&across, Rect(0, 0, 90, 12), clBlack, clWhite, clNone, 1, gdHorizontal);
  EXPECT_EQ(across.Pixels(0, 0), across.Pixels(0, 11));
  EXPECT_GT(GetRValue(across.Pixels(88, 0)), 240);

  DrawBox(nullptr, Rect(0, 0, 5, 5), clRed, clNone, clRed, 1, gdVertical);
}
