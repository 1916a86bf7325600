#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class TColGrid : public TZavStringGrid {
public:
  TColGrid() : TZavStringGrid(nullptr) {}
  using TZavStringGrid::HiddenColumnsRemoved;
};

// Cells "cXrY", column c width 20 + c, a coloured properties object in row 1.
void Fill(TZavStringGrid &G, int Cols, int Rows)
{
  G.SetColCount(Cols);
  G.SetRowCount(Rows);
  for (int c = 0; c < Cols; ++c) {
    G.SetColWidths(c, 20 + c);
    for (int r = 0; r < Rows; ++r)
      G.SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    G.CellProperties(c, 1)->SetBrushColor(TColor(0x100 + c));
  }
}

std::vector<int> DisplayWidths(const TZavStringGrid &G)
{
  std::vector<int> w;
  for (int i = 0; i < G.ColCount(); ++i)
    w.push_back(G.ColWidths(i));
  return w;
}

TEST(DimsHiddenColumns, OneHiddenColumnMapsRealAndDisplayIndexes)
{
  TZavStringGrid g(nullptr);
  Fill(g, 5, 3);
  EXPECT_EQ(g.RealColIndex(-1), -1);  // nothing hidden: every index maps to itself
  g.HideColumn(2);
  EXPECT_EQ(g.ColCount(), 4);
  EXPECT_EQ(g.AllColCount(), 5);
  EXPECT_EQ(g.TotalColCount(), 5);
  EXPECT_EQ(g.NumHiddenColumns(), 1);
  EXPECT_TRUE(g.IsHiddenColumn(2));
  EXPECT_EQ(g.Cells(2, 2), "c2r2");
  EXPECT_EQ(DisplayWidths(g), (std::vector<int>{20, 21, 23, 24}));
  EXPECT_EQ(g.AllColWidths(2), 22);
  struct {
    int Displ, Real;
  } toReal[] = {{0, 0}, {1, 1}, {2, 3}, {3, 4}, {-1, 0}, {600, 600}};
  for (auto t : toReal)
    EXPECT_EQ(g.RealColIndex(t.Displ), t.Real) << "display " << t.Displ;
  struct {
    int Real, Displ;
  } toDispl[] = {{0, 0}, {1, 1}, {2, 2}, {3, 2}, {4, 3}, {600, 600}};
  for (auto t : toDispl)
    EXPECT_EQ(g.DisplColIndex(t.Real), t.Displ) << "real " << t.Real;
  EXPECT_FALSE(g.IsHiddenColumn(600));
}

// Hiding and showing in any order keeps every cell, properties object and width.
TEST(DimsHiddenColumns, RoundTripsKeepCellsPropertiesAndWidths)
{
  TZavStringGrid g(nullptr);
  Fill(g, 6, 3);
  g.HideColumn(1);
  g.HideColumn(3);
  g.UnHideColumn(1);
  g.HideColumns(4, 5);
  g.SetAllColWidths(3, 50);  // hidden: nothing on screen changes
  EXPECT_EQ(DisplayWidths(g), (std::vector<int>{20, 21, 22}));
  g.UnHideColumn(5);
  g.HideColumn(0);
  g.UnHideColumnsAll();
  EXPECT_EQ(g.NumHiddenColumns(), 0);
  EXPECT_EQ(DisplayWidths(g), (std::vector<int>{20, 21, 22, 50, 24, 25}));
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(g.Cells(c, 2), QStringLiteral("c%1r2").arg(c));
    EXPECT_EQ(g.CellProperties(c, 1)->BrushColor(), TColor(0x100 + c));
  }
}

TEST(DimsHiddenColumns, TheLastShownColumnStaysAndTheCurrentColumnFollows)
{
  TZavStringGrid g(nullptr);
  Fill(g, 5, 3);
  g.SetCol(4);
  g.HideColumn(1);
  EXPECT_EQ(g.Col(), 3);  // was the last display column
  g.HideColumns(0, g.ColCount() + g.NumHiddenColumns() - 1);
  EXPECT_EQ(g.ColCount(), 1);
  EXPECT_EQ(g.RealColIndex(0), 4);
  g.HideColumn(4);
  EXPECT_EQ(g.ColCount(), 1);
  EXPECT_EQ(g.NumHiddenColumns(), 4);
}

// Indexes outside the flag table are refused (no write past it), wherever they point.
TEST(DimsHiddenColumns, IndexesOutsideTheTableAreIgnored)
{
  TZavStringGrid g(nullptr);
  Fill(g, 520, 2);
  for (int c : {-1, -7, 512, 515, 519}) {
    g.HideColumn(c);
    g.UnHideColumn(c);
    EXPECT_EQ(g.NumHiddenColumns(), 0) << c;
    EXPECT_EQ(g.ColCount(), 520) << c;
  }
  g.HideColumn(511);
  EXPECT_EQ(g.ColCount(), 519);
  g.UnHideColumns(-5, 100000);
  EXPECT_EQ(g.ColCount(), 520);
  EXPECT_EQ(g.ColWidths(511), 20 + 511);
}

// Removing hidden real columns lowers the hidden count; the display count and widths lose
// only the shown ones, and the later flags and remembered widths move up.
TEST(DimsHiddenColumns, RemovingColumnsKeepsTheCountsWhole)
{
  TColGrid g;
  Fill(g, 6, 2);
  g.HideColumn(2);
  g.HideColumn(4);
  g.HiddenColumnsRemoved(1, 2);  // real 1 shown, real 2 hidden
  EXPECT_EQ(g.NumHiddenColumns(), 1);
  EXPECT_EQ(g.ColCount(), 3);
  EXPECT_EQ(g.AllColCount(), 4);
  EXPECT_EQ(DisplayWidths(g), (std::vector<int>{20, 23, 25}));
  EXPECT_TRUE(g.IsHiddenColumn(2));  // former real 4
  EXPECT_FALSE(g.IsHiddenColumn(4));
  EXPECT_EQ(g.AllColWidths(2), 24);
  g.UnHideColumnsAll();
  EXPECT_EQ(DisplayWidths(g), (std::vector<int>{20, 23, 24, 25}));
}

}  // namespace

namespace {

// A smaller column count drops the shown columns from the cut on and every hidden column after
// the first of them; hidden columns before it stay hidden, with their cells and widths.
TEST(DimsHiddenColumns, ShrinkingTheColumnCountDropsOnlyTheHiddenColumnsPastTheCut)
{
  struct {
    const char *Name;
    std::vector<int> Hidden;
    int Count;
    int Kept;  // hidden columns left
    int AfterShowing;  // columns once all are shown, each c0 .. cN-1 with width 20 + c
  } cases[] = {
      {"hidden columns at the end", {6, 7}, 4, 0, 4},
      {"hidden columns before the cut", {1, 2}, 4, 2, 6},
      {"hidden columns on both sides", {2, 6}, 4, 1, 5},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.Name);
    TZavStringGrid g(nullptr);
    Fill(g, 8, 3);
    for (int c : k.Hidden)
      g.HideColumn(c);
    g.SetColCount(k.Count);
    EXPECT_EQ(g.ColCount(), k.Count);
    EXPECT_EQ(g.NumHiddenColumns(), k.Kept);
    EXPECT_EQ(g.AllColCount(), k.Count + k.Kept);
    g.UnHideColumnsAll();
    ASSERT_EQ(g.ColCount(), k.AfterShowing);
    for (int c = 0; c < g.ColCount(); ++c) {
      EXPECT_EQ(g.Cells(c, 2), QStringLiteral("c%1r2").arg(c)) << c;
      EXPECT_EQ(g.ColWidths(c), 20 + c) << c;
    }
  }
}

}  // namespace
