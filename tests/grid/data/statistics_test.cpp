// Column and row statistics: which rows count (node, summary, merged and hidden rows), what seeds
// the minimum and maximum, empty ranges, progress reports; running numbers; custom calculations.
#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "grid/core/feature_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/core/text_conversion.h"

namespace {

class TStatGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  std::vector<std::pair<int, int>> notes;  // state, row
  void ExportNotification(int AState, int ARow) override { notes.emplace_back(AState, ARow); }
};

// Column 1 of rows 1 .. n holds Texts; one fixed row and column.
void FillColumn(TZavStringGrid &G, const std::vector<QString> &Texts)
{
  G.SetColCount(3);
  G.SetRowCount(int(Texts.size()) + 1);
  G.SetFixedRows(1);
  G.SetFixedCols(1);
  for (size_t i = 0; i < Texts.size(); ++i)
    G.SetCells(1, int(i) + 1, Texts[i]);
}

struct TFigures {
  double Sum, Avg, Min, Max, StdDev;
};

TFigures AllFigures(TZavStringGrid &G, int Col, int From = -1, int To = -1)
{
  return {G.ColumnSum(Col, From, To), G.ColumnAvg(Col, From, To), G.ColumnMin(Col, From, To),
          G.ColumnMax(Col, From, To), G.ColumnStdDev(Col, From, To)};
}

double PopStdDev(const std::vector<double> &V)
{
  double m = 0, q = 0;
  for (double v : V)
    m += v;
  m /= double(V.size());
  for (double v : V)
    q += (v - m) * (v - m);
  return std::sqrt(q / double(V.size()));
}

TEST(ColumnStatistics, CountedCellsAndUnreadableOnes)
{
  struct TCase {
    const char *Name;
    std::vector<QString> Texts;
    TFigures Expected;
  } cases[] = {
      // The fourth cell is no number: skipped, but the average still divides by five rows.
      {"mixed", {"1", "", "-", "1-2", "2.5"}, {3.5, 0.7, 0, 2.5, PopStdDev({1, 0, 0, 2.5})}},
      // An unreadable first cell neither fails the minimum nor seeds it.
      {"unreadable first", {"1-2", "5", "3"}, {8, 8.0 / 3, 3, 5, 1}},
      {"word reads as 0", {"abc", "4"}, {4, 2, 0, 4, 2}},
      {"negative forms", {"(2)", "-3", "7"}, {2, 2.0 / 3, -3, 7, PopStdDev({-2, -3, 7})}},
      {"nothing readable", {"1-2", "2-3"}, {0, 0, 0, 0, 0}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    FillColumn(g, c.Texts);
    const TFigures f = AllFigures(g, 1);
    EXPECT_DOUBLE_EQ(f.Sum, c.Expected.Sum);
    EXPECT_DOUBLE_EQ(f.Avg, c.Expected.Avg);
    EXPECT_DOUBLE_EQ(f.Min, c.Expected.Min);
    EXPECT_DOUBLE_EQ(f.Max, c.Expected.Max);
    EXPECT_NEAR(f.StdDev, c.Expected.StdDev, 1e-12);
  }
}

TEST(ColumnStatistics, EmptyRangesGiveZero)
{
  TZavStringGrid g(nullptr);
  FillColumn(g, {"4", "6"});
  // ToRow = FromRow - 1: no row at all.
  const TFigures f = AllFigures(g, 1, 2, 1);
  EXPECT_EQ(f.Sum, 0);
  EXPECT_EQ(f.Avg, 0);
  EXPECT_EQ(f.Min, 0);
  EXPECT_EQ(f.Max, 0);
  EXPECT_EQ(f.StdDev, 0);
  EXPECT_FALSE(std::isnan(f.StdDev));
  EXPECT_EQ(g.RowAvg(1, 2, 1), 0);
}

TEST(ColumnStatistics, DistinctIgnoresCaseAndCountsTheEmptyText)
{
  TZavStringGrid g(nullptr);
  FillColumn(g, {"a", "A", "b", ""});
  EXPECT_EQ(g.ColumnDistinct(1, -1, -1), 3);
}

TEST(ColumnStatistics, MergedBlockCountsOnce)
{
  TZavStringGrid g(nullptr);
  FillColumn(g, {"5", "", "", "2"});
  g.MergeCells(1, 1, 1, 3);
  EXPECT_EQ(g.ColumnSum(1, -1, -1), 7);
  EXPECT_EQ(g.ColumnMin(1, -1, -1), 2);
}

// Groups A (3, 5), B (4) and C (8, 16) by category; the quantity moves into column 2. Node rows
// read as 0 and summary rows hold their group's sum, so either would change every figure if
// counted.
void BuildGrouped(TZavStringGrid &G, bool Summary)
{
  const char *rows[][4] = {{"k1", "r1", "A", "3"}, {"k2", "r2", "A", "5"}, {"k3", "r3", "B", "4"},
                           {"k4", "r4", "C", "8"}, {"k5", "r5", "C", "16"}};
  G.SetColCount(4);
  G.SetRowCount(6);
  G.SetFixedRows(1);
  G.SetFixedCols(1);
  G.SortSettings()->SetAutoSortForGrouping(false);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 4; ++c)
      G.SetCells(c, r + 1, rows[r][c]);
  G.Grouping()->SetSummary(Summary);
  G.Group(2);
  if (Summary)
    G.GroupSum(2);
}

TEST(ColumnStatistics, GroupedGridLeavesNodeAndSummaryRowsOut)
{
  for (bool summary : {false, true}) {
    SCOPED_TRACE(summary);
    TZavStringGrid g(nullptr);
    BuildGrouped(g, summary);
    const int rows = g.RowCount() - g.FixedRows();
    EXPECT_EQ(g.ColumnSum(2, -1, -1), 36);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(2, -1, -1), 36.0 / rows);
    EXPECT_EQ(g.ColumnMin(2, -1, -1), 3);
    EXPECT_EQ(g.ColumnMax(2, -1, -1), 16);
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(2, -1, -1), PopStdDev({3, 5, 4, 8, 16}));
  }
}

TEST(ColumnStatistics, NodeRowsCountInAnUngroupedGrid)
{
  TZavStringGrid g(nullptr);
  FillColumn(g, {"100", "1", "2"});
  g.AddNode(1, 3);
  ASSERT_TRUE(g.IsNode(1));
  EXPECT_EQ(g.ColumnSum(1, -1, -1), 103);
  EXPECT_EQ(g.ColumnMax(1, -1, -1), 100);
}

TEST(ColumnStatistics, BoundBeyondTheShownRowsReadsHiddenRowsToo)
{
  TZavStringGrid g(nullptr);
  FillColumn(g, {"1", "2", "4", "8"});
  g.HideRow(2);  // the 2
  EXPECT_EQ(g.ColumnSum(1, -1, -1), 13);
  // Real rows 1 .. 4: the bound lies past the shown rows.
  EXPECT_EQ(g.ColumnSum(1, 1, 4), 15);
  EXPECT_EQ(g.ColumnMin(1, 1, 4), 1);
  EXPECT_EQ(g.ColumnMax(1, 2, 4), 8);
}

TEST(ColumnStatistics, ProgressReportsCountedRowsOnly)
{
  TStatGrid g(nullptr);
  FillColumn(g, {"1", "1-2", "3"});
  g.ColumnSum(1, 1, 3);
  const std::vector<std::pair<int, int>> expected = {{int(esExportStart), 1},
                                                     {int(esExportNextRow), 1},
                                                     {int(esExportNextRow), 3},
                                                     {int(esExportDone), -1}};
  EXPECT_EQ(g.notes, expected);
}

TEST(ColumnStatistics, CustomCalculationsTakeTheHandlersValue)
{
  TZavStringGrid g(nullptr);
  FillColumn(g, {"1"});
  EXPECT_EQ(g.ColumnCustomCalc(1, 1, 1), 0);
  EXPECT_EQ(g.DoGroupCalc(1, 1, 1), 0);
  g.OnColumnCalc = [](TObject *, int ACol, int FromRow, int ToRow, double &Res) { Res = ACol * 100 + FromRow * 10 + ToRow; };
  EXPECT_EQ(g.ColumnCustomCalc(1, 2, 3), 123);
}

TEST(RowStatistics, BaseCellsOnlyAndUnreadableOnesSkipped)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(6);
  g.SetRowCount(2);
  const char *texts[] = {"1-2", "4", "", "9", "2", "1-2"};
  for (int c = 0; c < 6; ++c)
    g.SetCells(c, 1, texts[c]);
  g.MergeCells(3, 1, 2, 1);  // the 2 is covered by the 9
  EXPECT_EQ(g.RowSum(1, 0, 5), 13);
  EXPECT_DOUBLE_EQ(g.RowAvg(1, 0, 5), 13.0 / 6);
  EXPECT_EQ(g.RowMin(1, 0, 5), 0);
  EXPECT_EQ(g.RowMax(1, 0, 5), 9);
  EXPECT_EQ(g.RowMin(1, 0, 1), 4);  // the unreadable first cell does not fail it
  EXPECT_EQ(g.RowMax(1, 5, 5), 0);
}

TEST(AutoNumber, ColumnsAndRowsBothDirections)
{
  struct TCase {
    int Start, Offset;
    TSortDirection Dir;
    std::vector<QString> Expected;  // rows (columns) 1 .. 4
  } cases[] = {
      {0, 0, sdAscending, {"1", "2", "3", "4"}},
      {0, 0, sdDescending, {"4", "3", "2", "1"}},
      {1, 0, sdAscending, {"", "2", "3", "4"}},
      {1, 0, sdDescending, {"4", "3", "2", ""}},
      {0, 10, sdAscending, {"11", "12", "13", "14"}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(testing::Message() << c.Start << "/" << c.Offset << "/" << int(c.Dir));
    TZavStringGrid g(nullptr);
    g.SetColCount(5);
    g.SetRowCount(5);
    g.SetFixedRows(1);
    g.SetFixedCols(1);
    g.SetAutoNumberStart(c.Start);
    g.SetAutoNumberOffset(c.Offset);
    g.SetAutoNumberDirection(c.Dir);
    g.AutoNumberCol(2);
    g.AutoNumberRow(3);
    std::vector<QString> down, along;
    for (int i = 1; i <= 4; ++i) {
      down.push_back(g.Cells(2, i));
      along.push_back(g.Cells(i, 3));
    }
    // The row and the column cross at (2, 3), which the row numbering writes last.
    std::vector<QString> expectedDown = c.Expected;
    expectedDown[2] = c.Expected[1];
    EXPECT_EQ(down, expectedDown);
    EXPECT_EQ(along, c.Expected);
  }
}

TEST(AutoNumber, FooterRowsAreLeftOut)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(2);
  g.SetRowCount(5);
  g.SetFixedRows(1);
  g.SetFixedFooters(1);
  g.AutoNumberCol(1);
  EXPECT_EQ(g.Cells(1, 3), "3");
  EXPECT_EQ(g.Cells(1, 4), "");
}

TEST(Selection, SelectCellsSetsTheRectangleAndFixedCellsAreNeverSelected)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(5);
  g.SetRowCount(5);
  g.SetFixedRows(1);
  g.SetFixedCols(1);
  TGridOptions o = g.Options();
  o.Include(goRangeSelect);
  g.SetOptions(o);
  g.SelectCells(1, 1, 3, 2);
  const TGridRect s = g.Selection();
  EXPECT_EQ((std::vector<int>{s.Left, s.Top, s.Right, s.Bottom}), (std::vector<int>{1, 1, 3, 2}));
  EXPECT_TRUE(g.IsSelected(3, 2));
  EXPECT_FALSE(g.IsSelected(4, 2));
  EXPECT_FALSE(g.IsSelected(0, 1));
  EXPECT_FALSE(g.IsSelected(1, 0));
}

} // namespace
