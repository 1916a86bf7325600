#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "grid/foundation/int_lists.h"

namespace {

// Rows "rN" in column 0, the real row in column 2 (hidden later), height 20 + N, and a coloured
// properties object in column 1.
void Fill(TZavStringGrid &G, int Rows)
{
  G.SetColCount(3);
  G.SetRowCount(Rows);
  for (int r = 0; r < Rows; ++r) {
    G.SetCells(0, r, QStringLiteral("r%1").arg(r));
    G.SetCells(2, r, QString::number(r));
    G.SetRowHeights(r, 20 + r);
    G.CellProperties(1, r)->SetBrushColor(TColor(0x100 + r));
  }
}

// The real rows in display order, from the cells.
std::vector<int> Shown(TZavStringGrid &G)
{
  std::vector<int> rows;
  for (int d = 0; d < G.RowCount(); ++d)
    rows.push_back(G.Cells(2, d).toInt());
  return rows;
}

// Every shown row carries its own text, height and properties object.
void ExpectRowsIntact(TZavStringGrid &G)
{
  for (int d = 0; d < G.RowCount(); ++d) {
    const int r = G.Cells(2, d).toInt();
    EXPECT_EQ(G.RealRowIndex(d), r);
    EXPECT_EQ(G.DisplRowIndex(r), d);
    EXPECT_EQ(G.Cells(0, d), QStringLiteral("r%1").arg(r));
    EXPECT_EQ(G.RowHeights(d), 20 + r);
    EXPECT_EQ(G.CellProperties(1, d)->BrushColor(), TColor(0x100 + r));
  }
}

TEST(DimsHiddenRows, HidingARangeMapsAndRestoresIt)
{
  TZavStringGrid g(nullptr);
  Fill(g, 10);
  g.HideColumn(2);  // every real column travels with its row
  g.HideRows(3, 5);
  EXPECT_EQ(g.RowCount(), 7);
  EXPECT_EQ(g.AllRowCount(), 10);
  EXPECT_EQ(g.NumHiddenRows(), 3);
  EXPECT_EQ(g.Cells(0, 3), "r6");
  EXPECT_EQ(g.RealRowIndex(3), 6);
  EXPECT_EQ(g.DisplRowIndex(6), 3);
  EXPECT_EQ(g.DisplRowIndex(4), 3);  // a hidden row: the place it will take
  ASSERT_NE(g.HiddenRowItems(4), nullptr);
  EXPECT_EQ(g.HiddenRowItems(4)->Strings(0), "r4");
  EXPECT_EQ(g.HiddenRowItems(6), nullptr);
  g.UnHideRows(3, 5);
  g.UnHideColumn(2);
  EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  ExpectRowsIntact(g);
}

// Ranges over rows already hidden, and partial showing, keep each row in its own place.
TEST(DimsHiddenRows, OverlappingHidesAndPartialShows)
{
  struct {
    std::vector<std::pair<int, int>> Hide;
    std::pair<int, int> UnHide;
    std::vector<int> After;
  } cases[] = {
      {{{4, 4}, {3, 6}}, {3, 6}, {0, 1, 2, 3, 4, 5, 6, 7}},
      {{{3, 3}, {5, 5}}, {3, 6}, {0, 1, 2, 3, 4, 5, 6, 7}},
      {{{3, 3}, {5, 5}}, {4, 6}, {0, 1, 2, 4, 6, 7}},  // 4 is shown: nothing happens
      {{{1, 2}, {5, 6}}, {5, 5}, {0, 3, 4, 5, 7}},
  };
  for (const auto &t : cases) {
    TZavStringGrid g(nullptr);
    Fill(g, 8);
    for (auto [from, to] : t.Hide)
      g.HideRows(from, to);
    g.UnHideRows(t.UnHide.first, t.UnHide.second);
    EXPECT_EQ(Shown(g), t.After);
    ExpectRowsIntact(g);
    g.UnHideRowsAll();
    EXPECT_EQ(g.NumHiddenRows(), 0);
    EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    ExpectRowsIntact(g);
  }
}

// Lifting a filter level brings back that level's rows only; rows hidden by HideRow stay
// hidden in their place.
TEST(DimsHiddenRows, FilterLevelsLiftOneAtATime)
{
  TZavStringGrid g(nullptr);
  Fill(g, 10);
  g.HideRow(2);
  TIntList first(0, 0), second(0, 0);
  for (int d : {1, 4, 5})  // real 1, 5, 6
    first.Add(d);
  g.HideRowList(&first);
  second.Add(3);  // real 7
  g.HideRowList(&second);
  EXPECT_EQ(g.FilterLevel(), 2);
  EXPECT_EQ(Shown(g), (std::vector<int>{0, 3, 4, 8, 9}));

  g.UnHideRowList();
  g.SetFilterLevel(1);
  EXPECT_EQ(Shown(g), (std::vector<int>{0, 3, 4, 7, 8, 9}));
  g.UnHideRowList();
  g.SetFilterLevel(0);
  EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_TRUE(g.IsHiddenRow(2));
  ExpectRowsIntact(g);
  g.UnHideRow(2);
  EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  ExpectRowsIntact(g);
}

TEST(DimsHiddenRows, RangesOutsideTheGridAreIgnored)
{
  TZavStringGrid g(nullptr);
  Fill(g, 5);
  g.HideRows(-4, -1);
  g.HideRows(5, 50);
  g.HideRows(3, 1);
  g.UnHideRows(-1, 3);
  EXPECT_EQ(g.RowCount(), 5);
  EXPECT_EQ(g.NumHiddenRows(), 0);
  g.HideRows(0, 50);  // one row always stays
  EXPECT_EQ(g.RowCount(), 1);
  EXPECT_EQ(g.Cells(0, 0), "r4");
  g.UnHideRowsAll();
  ExpectRowsIntact(g);
}

// The mapping agrees with counting row by row, whatever the pattern of hidden rows.
TEST(DimsHiddenRows, MappingMatchesCountingTheRows)
{
  TZavStringGrid g(nullptr);
  const int n = 300;
  g.SetRowCount(n);
  // Plain hides, then a filter level over every seventh row of 100 .. 199 still shown.
  std::set<int> hidden, filtered;
  for (int r = 0; r < n; ++r)
    if (r % 3 == 0 || (r / 10) % 4 == 1)
      hidden.insert(r);
  for (int r : hidden)
    g.HideRow(r);
  TIntList displ(0, 0);
  for (int r = 100; r < 200; r += 7)
    if (!hidden.count(r))
      displ.Add(g.RealToDisplRow(r)), filtered.insert(r);
  hidden.insert(filtered.begin(), filtered.end());
  g.HideRowList(&displ);
  ASSERT_EQ(g.NumHiddenRows(), int(hidden.size()));
  int d = 0;
  for (int r = 0; r < n; ++r) {
    EXPECT_EQ(g.IsHiddenRow(r), hidden.count(r) == 1) << r;
    EXPECT_EQ(g.RealToDisplRow(r), d) << r;
    if (!hidden.count(r)) {
      EXPECT_EQ(g.DisplToRealRow(d++), r);
    }
  }
  EXPECT_EQ(g.RowCount(), d);
  EXPECT_EQ(g.DisplToRealRow(-1), -1);
}

}  // namespace

namespace {

// A smaller row count drops the shown rows from the cut on and every hidden row after the first
// of them; hidden rows before it stay hidden and come back in their place.
TEST(DimsHiddenRows, ShrinkingTheRowCountDropsOnlyTheHiddenRowsPastTheCut)
{
  struct {
    const char *Name;
    std::vector<int> Hidden;
    int Count;
    int Kept;  // hidden rows left
    std::vector<int> AfterShowing;
  } cases[] = {
      {"hidden rows at the end", {8, 9}, 5, 0, {0, 1, 2, 3, 4}},
      {"hidden rows before the cut", {2, 3}, 5, 2, {0, 1, 2, 3, 4, 5, 6}},
      {"hidden rows just before the first row cut", {5, 6}, 5, 2, {0, 1, 2, 3, 4, 5, 6}},
      {"hidden rows on both sides", {2, 7}, 5, 1, {0, 1, 2, 3, 4, 5}},
      {"down to one row", {0, 4}, 1, 1, {0, 1}},
  };
  for (const auto &k : cases) {
    SCOPED_TRACE(k.Name);
    TZavStringGrid g(nullptr);
    Fill(g, 10);
    for (int r : k.Hidden)
      g.HideRow(r);
    g.SetRowCount(k.Count);
    EXPECT_EQ(g.RowCount(), k.Count);
    EXPECT_EQ(g.NumHiddenRows(), k.Kept);
    ExpectRowsIntact(g);
    g.UnHideRowsAll();
    EXPECT_EQ(Shown(g), k.AfterShowing);
    ExpectRowsIntact(g);
  }
}

}  // namespace
