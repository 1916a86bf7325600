// The grid's measuring operations: print font units, text margins, the placement of turned
// text, line counts of rows and text lengths of columns.
#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "grid/core/zav_string_grid.h"

namespace {

struct MeasureOps : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *g = new TZavStringGrid(&form);
  MeasureOps()
  {
    g->SetParent(&form);
    g->SetColCount(4);
    g->SetRowCount(4);
    g->Font()->SetName("Tahoma");
    g->Font()->SetSize(8);
  }
};

TEST_F(MeasureOps, FontUnitsOfThePrintPage)
{
  EXPECT_EQ(g->MapFontHeight(10), -35);
  EXPECT_EQ(g->MapFontSize(35), 9);
  EXPECT_EQ(g->MapFontHeight(0), 0);
  g->Fontscalefactor = 0.5;  // a print pass fitting the page
  EXPECT_EQ(g->MapFontHeight(10), -17);
  EXPECT_EQ(g->MapFontSize(35), 9);
}

TEST_F(MeasureOps, TextMarginOnBothSidesOrTopLeftOnly)
{
  g->SetXYOffset(TPoint(3, 5));
  EXPECT_EQ(g->GetTotalXOffset(), 6);
  EXPECT_EQ(g->GetTotalYOffset(), 10);
  g->SetXYOffsetTopLeftOnly(true);
  EXPECT_EQ(g->GetTotalXOffset(), 3);
  EXPECT_EQ(g->GetTotalYOffset(), 5);
}

TEST(RotatedTextOrigin, QuadrantsAndAlignments)
{
  // Extents WC 30, HS 8, WS 20, HC 6 in the box (10, 10, 110, 60).
  const struct {
    int angle;
    TAlignment ha;
    TVAlignment va;
    int left, top;
  } cases[] = {
      {45, taLeftJustify, vtaTop, 10, 30},       {45, taRightJustify, vtaBottom, 72, 54},
      {45, taCenter, vtaCenter, 41, 42},         {90, taLeftJustify, vtaTop, 10, 30},  // 90 is still the first
      {135, taLeftJustify, vtaTop, 40, 36},      {135, taRightJustify, vtaBottom, 102, 60},
      {135, taCenter, vtaCenter, 71, 48},        {225, taLeftJustify, vtaTop, 48, 16},
      {225, taRightJustify, vtaBottom, 110, 40}, {225, taCenter, vtaCenter, 79, 28},
      {315, taLeftJustify, vtaTop, 18, 10},      {315, taRightJustify, vtaBottom, 80, 34},
      {315, taCenter, vtaCenter, 49, 22},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.angle << " " << int(c.ha) << " " << int(c.va));
    TRect r(10, 10, 110, 60);
    TZavStringGrid::RotatedTextOrigin(r, c.ha, c.va, c.angle, 30, 8, 20, 6);
    EXPECT_EQ(r.Left, c.left);
    EXPECT_EQ(r.Top, c.top);
    EXPECT_EQ(r.Right, 110);
    EXPECT_EQ(r.Bottom, 60);
  }
  // Halving truncates towards zero: (10 - 60 + 7 + 20) div 2 is -11, not -12.
  TRect r(10, 10, 110, 60);
  TZavStringGrid::RotatedTextOrigin(r, taLeftJustify, vtaCenter, 300, 30, 8, 20, 7);
  EXPECT_EQ(r.Top, 21);
}

TEST_F(MeasureOps, PlaceRotatedTextInsetsTheCellAndUsesTheCanvasFont)
{
  g->Canvas()->Font()->Assign(g->Font());
  const TSize ext = g->Canvas()->TextExtent("Turned");
  const struct {
    int angle;
    TAlignment ha;
    TVAlignment va;
    TPoint origin;
  } cases[] = {
      {0, taLeftJustify, vtaTop, {12, 12}},                     // the 2-pixel inset only
      {0, taRightJustify, vtaBottom, {108 - ext.cx, 58 - ext.cy}},
      {90, taLeftJustify, vtaBottom, {12, 58}},                 // HC is 0: the bottom of the inset box
      {90, taRightJustify, vtaTop, {108 - ext.cy, 12 + ext.cx}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.angle);
    TRect r(10, 10, 110, 60);
    g->PlaceRotatedText(r, c.angle, "Turned", c.ha, c.va);
    EXPECT_EQ(TPoint(r.Left, r.Top), c.origin);
    EXPECT_EQ(r.Right, 108);
    EXPECT_EQ(r.Bottom, 58);
  }
}

TEST_F(MeasureOps, MaxLinesInRowCountsVisibleCellsOnly)
{
  g->SetCells(1, 1, "x\r\ny");
  g->SetCells(2, 1, "a\r\nb\r\nc");
  EXPECT_EQ(g->GetMaxLinesInRow(1), 1) << "without multi-line cells a line break is no new line";
  g->SetMultilinecells(true);
  EXPECT_EQ(g->GetMaxLinesInRow(1), 3);
  EXPECT_EQ(g->GetMaxLinesInRow(2), 1) << "an empty row has one line";
  g->HideColumn(2);
  EXPECT_EQ(g->GetMaxLinesInRow(1), 2);
}

TEST_F(MeasureOps, MaxColumnTextLengthTakesTheLongestLine)
{
  g->HideColumn(0);  // display column 1 is real column 2
  g->SetCells(2, 0, "abc");
  g->SetCells(2, 2, "ab\r\nwxyz");
  g->SetCells(1, 3, "hidden away from column 2");
  g->SetMultilinecells(true);
  EXPECT_EQ(g->MaxColumnTextLength(1), 4);
  g->SetMultilinecells(false);
  EXPECT_EQ(g->MaxColumnTextLength(1), 3) << "only the text before the first carriage return counts";
}

}  // namespace
