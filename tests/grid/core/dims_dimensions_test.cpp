#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <vector>

#include "grid/core/footer.h"

namespace {

TEST(DimsCounts, FixedRowAlwaysKeepsTheRequestedFixedRows)
{
  TZavStringGrid g(nullptr);
  g.SetFixedRowAlways(true);
  g.SetRowCount(1);
  EXPECT_EQ(g.RowCount(), 1);
  EXPECT_EQ(g.FixedRows(), 1);
  EXPECT_EQ(g.TCustomGrid::FixedRows(), 0);
  g.SetRowCount(5);
  EXPECT_EQ(g.TCustomGrid::FixedRows(), 1);

  g.SetRowCount(2);
  g.SetFixedRows(2);  // the inherited grid needs a normal row: 2 waits
  EXPECT_EQ(g.TCustomGrid::FixedRows(), 1);
  g.SetRowCount(3);
  EXPECT_EQ(g.FixedRows(), 2);

  g.SetFixedColAlways(true);
  g.SetColCount(1);
  EXPECT_EQ(g.FixedCols(), 1);
  g.SetColCount(4);
  EXPECT_EQ(g.TCustomGrid::FixedCols(), 1);
}

TEST(DimsCounts, CountsWithHiddenRowsAndColumns)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(6);
  g.SetRowCount(12);
  g.HideColumn(3);
  g.HideRows(4, 6);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.AllColCount(), 6);
  EXPECT_EQ(g.RowCount(), 9);
  EXPECT_EQ(g.AllRowCount(), 12);
  EXPECT_EQ(g.TotalRowCount(), 12);
  EXPECT_EQ(g.MaxRowCount(), 12);
  EXPECT_EQ(g.MaxColCount(), 6);
}

TEST(DimsCounts, SaveRangeWithAndWithoutFixedCells)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(6);
  g.SetRowCount(10);
  g.SetFixedRows(2);
  g.SetFixedFooters(1);
  g.SetFixedRightCols(1);
  struct {
    bool Cells, Cols, Rows;
    int StartCol, EndCol, ColCount, StartRow, EndRow, RowCount;
  } cases[] = {
      {true, false, false, 0, 5, 6, 0, 9, 10},
      {false, false, false, 1, 4, 4, 2, 8, 7},
      {false, true, false, 0, 5, 6, 2, 8, 7},
      {false, false, true, 1, 4, 4, 0, 9, 10},
  };
  for (const auto &t : cases) {
    g.SetSaveFixedCells(t.Cells);
    g.SetSaveFixedCols(t.Cols);
    g.SetSaveFixedRows(t.Rows);
    EXPECT_EQ((std::vector<int>{g.SaveStartCol(), g.SaveEndCol(), g.SaveColCount(), g.SaveStartRow(),
                                g.SaveEndRow(), g.SaveRowCount()}),
              (std::vector<int>{t.StartCol, t.EndCol, t.ColCount, t.StartRow, t.EndRow, t.RowCount}));
  }
}

TEST(DimsCounts, AVisibleFooterRowMovesToTheNewLastRow)
{
  TZavStringGrid g(nullptr);
  g.SetRowCount(5);
  g.SetCells(1, 4, "sum");
  g.CellProperties(1, 4)->SetBrushColor(clRed);
  g.FloatingFooter()->SetVisible(true);
  g.SetRowCount(8);
  EXPECT_EQ(g.Cells(1, 7), "sum");
  EXPECT_EQ(g.CellProperties(1, 7)->BrushColor(), clRed);
  EXPECT_EQ(g.Cells(1, 4), "");
  EXPECT_EQ(g.GridObjects(1, 4), nullptr);
}

TEST(DimsPosition, RowUpdateFiresOncePerChangeAndTopRowStaysInRange)
{
  TZavStringGrid g(nullptr);
  g.SetRowCount(20);
  std::vector<std::pair<int, int>> fired;
  g.OnRowUpdate = [&](TObject *, int OldRow, int NewRow) { fired.push_back({OldRow, NewRow}); };
  g.SetRow(3);
  g.SetRow(3);
  g.SetRow(7);
  EXPECT_EQ(fired, (std::vector<std::pair<int, int>>{{-1, 3}, {3, 7}}));

  g.SetTopRow(5);
  EXPECT_EQ(g.TopRow(), 5);
  for (int bad : {0, 20, 50}) {
    g.SetTopRow(bad);
    EXPECT_EQ(g.TopRow(), 5) << bad;
  }
}

TEST(DimsSizes, FixedSizesAndWordWrap)
{
  TZavStringGrid g(nullptr);
  g.SetFixedRows(2);
  g.SetFixedRowHeight(30);
  EXPECT_EQ(g.RowHeights(0), 30);
  EXPECT_EQ(g.RowHeights(1), 30);
  EXPECT_EQ(g.RowHeights(2), 22);
  g.SetColWidths(0, 50);
  g.SetFixedColWidth(g.DefaultColWidth());  // the default width changes nothing
  EXPECT_EQ(g.FixedColWidth(), 50);
  g.SetFixedColWidth(80);
  EXPECT_EQ(g.FixedColWidth(), 80);
  g.SetDefaultRowHeight(25);
  EXPECT_EQ(g.FloatingFooter()->Height(), 25);
  g.SetWordWrap(false);
  EXPECT_FALSE(g.WordWrap());
  EXPECT_FALSE(g.CellProperties(1, 1)->WordWrap());  // new properties start from it
}

}  // namespace
