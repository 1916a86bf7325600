#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "framework/controls/messages.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/grid_error.h"
#include "grid/core/grid_settings.h"
#include "grid/foundation/grid_options.h"

namespace {

// A grid whose client area is exactly ClientW pixels wide.
void SizeClient(TZavStringGrid &G, int ClientW, int H = 250)
{
  G.SetBounds(0, 0, ClientW, H);
  G.SetBounds(0, 0, ClientW + (ClientW - G.ClientWidth()), H);
  ASSERT_EQ(G.ClientWidth(), ClientW);
}

TEST(ScrollSizing, StretchRules)
{
  struct {
    const char *Name;
    bool Stretch;
    std::vector<int> Widths;
    int Index;
    std::vector<int> Expected;  // empty: raises
  } cases[] = {
      {"last column fills the rest", true, {64, 64, 64}, -1, {64, 64, 171}},
      {"a middle column", true, {64, 64, 64}, 1, {64, 171, 64}},
      {"others too wide: default width", true, {200, 200, 10}, -1, {200, 200, 64}},
      {"single column takes the client", true, {64}, 0, {300}},
      {"stretching off changes nothing", false, {64, 64, 64}, -1, {64, 64, 64}},
      {"off: a stale index is ignored", false, {64, 64, 64, 64, 64}, 10, {64, 64, 64, 64, 64}},
      {"on: an index past the columns raises", true, {64, 64, 64, 64, 64}, 10, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    SizeClient(g, 300);
    g.SetColCount(int(c.Widths.size()));
    g.SetFixedCols(0);
    for (size_t i = 0; i < c.Widths.size(); ++i)
      g.SetColWidths(int(i), c.Widths[i]);
    g.ColumnSize()->SetStretch(c.Stretch);
    if (c.Expected.empty()) {
      EXPECT_THROW(g.StretchColumnToFit(c.Index), EZavGridError);
      continue;
    }
    g.StretchColumnToFit(c.Index);
    for (size_t i = 0; i < c.Expected.size(); ++i)
      EXPECT_EQ(g.ColWidths(int(i)), c.Expected[i]) << i;
  }
}

TEST(ScrollSizing, WidthChangesKeepTheStretchedColumnFilling)
{
  TZavStringGrid g(nullptr);
  SizeClient(g, 300);
  g.SetColCount(3);
  g.ColumnSize()->SetStretch(true);
  g.SetColWidths(0, 100);
  EXPECT_EQ(g.ColWidths(2), 300 - 100 - 64 - 1);
}

TEST(ScrollSizing, UserSizingScalesTheOtherColumnsAndRows)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(4);
  g.SetRowCount(4);
  for (int c = 0; c < 4; ++c)
    g.SetColWidths(c, c == 1 ? 100 : 100 + c);
  g.MouseActions()->SetAllColumnSize(true);
  g.MouseActions()->SetAllRowSize(true);
  int ended = -1;
  g.OnEndColumnSize = [&](TObject *, int ACol) { ended = ACol; };
  g.OnUpdateColumnSize = [](TObject *, int, int &AWidth) { AWidth += 1; };
  g.BeginUserColSizing(1);
  g.SetColWidths(1, 150);  // x 1.5: 102 -> 153, 103 -> 154.5 -> 154 (halves to even)
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(g.ColWidths(0), 100);  // fixed
  EXPECT_EQ(g.ColWidths(1), 151);  // the handler's correction
  EXPECT_EQ(g.ColWidths(2), 153);
  EXPECT_EQ(g.ColWidths(3), 154);

  g.SetRowHeights(2, 20);
  g.SetRowHeights(3, 30);
  g.BeginUserRowSizing(1);
  g.SetRowHeights(1, g.RowHeights(1) * 2);
  EXPECT_EQ(g.RowHeights(2), 40);
  EXPECT_EQ(g.RowHeights(3), 60);
}

TEST(ScrollSizing, ScrollInViewCentresAFarRowAndLeavesAShownOne)
{
  TZavStringGrid g(nullptr);
  g.SetRowCount(1000);
  g.SetRow(3);
  g.ScrollInView(1, 5);
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ(g.TopRow(), 1);
  const int vr = g.VisibleRowCount();
  ASSERT_GT(vr, 2);
  g.ScrollInView(1, 500);
  EXPECT_EQ(g.Row(), 500);
  EXPECT_EQ(g.TopRow(), 500 - vr / 2);
  g.ScrollInView(1, 2000);  // outside: nothing
  EXPECT_EQ(g.Row(), 500);
}

TEST(ScrollSizing, ThumbDragShowsTheTargetRowAsHint)
{
  TZavStringGrid g(nullptr);
  g.SetRowCount(1000);
  g.SetScrollHints(shVertical);
  std::vector<QString> hints;
  g.OnScrollHint = [&](TObject *, int ARow, QString &Hint) {
    hints.push_back(Hint);
    Hint = QStringLiteral("to %1").arg(ARow);
  };
  TWMScroll m{};
  m.Msg = WM_VSCROLL;
  m.ScrollCode = SB_THUMBTRACK;
  m.Pos = 127;
  g.WMVScroll(m);
  m.ScrollCode = SB_ENDSCROLL;
  g.WMVScroll(m);
  ASSERT_EQ(hints.size(), 1u);
  EXPECT_EQ(hints[0], QStringLiteral("Row : %1").arg(1000 - g.VisibleRowCount()));

  g.SetScrollHints(shHorizontal);  // rows give no hint then
  m.ScrollCode = SB_THUMBTRACK;
  g.WMVScroll(m);
  EXPECT_EQ(hints.size(), 1u);
}

TEST(ScrollSizing, DragNearAnEdgeScrollsOneRowPerTick)
{
  TZavStringGrid g(nullptr);
  g.SetRowCount(100);
  g.SetTopRow(10);
  g.DragScrollOver(200, 10, false);  // inactive: nothing
  EXPECT_FALSE(g.DragScrollTimerActive());
  g.DragScrollOptions()->SetActive(true);
  g.DragScrollOver(200, 10, false);
  EXPECT_TRUE(g.DragScrollTimerActive());
  EXPECT_EQ(g.DragScrollDir(), TDragScrollDirection{dsdUp});
  g.DragScrollTick();
  EXPECT_EQ(g.TopRow(), 9);
  g.OnDragScroll = [](TObject *, int, int, TDragScrollDirection &Dir, bool &) { Dir = {dsdDown}; };
  g.DragScrollTick();
  EXPECT_EQ(g.TopRow(), 10);
  g.OnDragScroll = [](TObject *, int, int, TDragScrollDirection &, bool &CanScroll) { CanScroll = false; };
  g.DragScrollTick();
  EXPECT_EQ(g.TopRow(), 10);
  g.DragScrollOver(200, 120, false);  // the middle: no direction
  EXPECT_FALSE(g.DragScrollTimerActive());
  g.DragScrollOver(200, 10, false);
  g.DragScrollOver(200, 10, true);  // leaving
  EXPECT_FALSE(g.DragScrollTimerActive());
}

// Ten rows: one fixed, values 1 .. 8 in rows 1 .. 8 of column 1, the footer row 9.
struct TFooterCase {
  TColumnCalcType Kind;
  bool HideTwo;  // rows with 2 and 3 hidden
  bool CalcHidden;
  QString Expected;
};

TEST(ScrollSizing, FooterFiguresWithHiddenRows)
{
  const TFooterCase cases[] = {
      {acCOUNT, false, true, "8"},       {acCOUNT, true, true, "8"},       {acCOUNT, true, false, "6"},
      {acSUM, false, true, "36.00"},     {acSUM, true, true, "36.00"},     {acSUM, true, false, "31.00"},
      {acMAX, true, false, "8.00"},      {acMIN, true, false, "1.00"},     {acAVG, true, true, "4.50"},
      {acDISTINCT, false, true, "8.00"}, {acCUSTOM, true, true, "row 9"},  {acSPREAD, false, true, "keep"},
  };
  for (const TFooterCase &c : cases) {
    SCOPED_TRACE(::testing::Message() << int(c.Kind) << " hidden " << c.HideTwo << " calc " << c.CalcHidden);
    TZavStringGrid g(nullptr);
    g.SetRowCount(10);
    for (int r = 1; r <= 8; ++r)
      g.SetCells(1, r, QString::number(r));
    g.SetCells(1, 9, QStringLiteral("keep"));
    g.OnFooterCalc = [](TObject *, int, int ARow, QString &Value) { Value = QStringLiteral("row %1").arg(ARow); };
    g.FloatingFooter()->SetVisible(true);
    g.FloatingFooter()->SetCalculateHiddenRows(c.CalcHidden);
    if (c.HideTwo)
      g.HideRows(2, 3);
    g.FloatingFooter()->SetColumnCalc(1, c.Kind);
    EXPECT_EQ(g.Cells(1, g.RowCount() - 1), c.Expected);
    // The count with hidden rows counts them too, whatever the row count says.
    if (c.Kind == acCOUNT && c.HideTwo && c.CalcHidden) {
      EXPECT_EQ(g.RowCount(), 8);
    }
  }
}

TEST(ScrollSizing, FooterIsCalculatedOnlyWhenShownAsTheLastRow)
{
  TZavStringGrid g(nullptr);
  g.SetRowCount(4);
  g.SetCells(1, 1, QStringLiteral("5"));
  g.FloatingFooter()->SetColumnCalc(1, acSUM);
  EXPECT_EQ(g.Cells(1, 3), "");
  g.FloatingFooter()->SetVisible(true);
  g.FloatingFooter()->SetEnableCalculation(false);
  g.CalcFooter(-1);
  EXPECT_EQ(g.Cells(1, 3), "");
  g.FloatingFooter()->SetEnableCalculation(true);
  g.CalcFooter(-1);
  EXPECT_EQ(g.Cells(1, 3), "5.00");
}

}  // namespace
