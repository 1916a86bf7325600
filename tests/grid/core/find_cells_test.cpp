#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <vector>

#include "grid/core/aux_controls.h"
#include "grid/core/feature_settings.h"
#include "grid/core/search_panel.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/grid_helpers.h"

namespace {

// 4 x 6 with one fixed row and column; the texts are set per test.
void Make(TZavStringGrid &G)
{
  G.SetColCount(4);
  G.SetRowCount(6);
  G.SetFixedRows(1);
  G.SetFixedCols(1);
  for (int c = 1; c < 4; ++c)
    for (int r = 1; r < 6; ++r)
      G.SetCells(c, r, "-");
}

}  // namespace

TEST(FindCells, OptionsDecideTheMatch)
{
  struct TCase {
    const char *Name;
    const char *Text;
    TFindParams Params;
    TPoint Found;
  };
  const std::vector<TCase> cases = {
      {"substring, any case", "abc", {}, {2, 3}},
      {"match case", "abc", {fnMatchCase}, {-1, -1}},
      {"match case, same case", "ABC", {fnMatchCase}, {2, 3}},
      {"match start", "abc", {fnMatchStart}, {-1, -1}},
      {"match start, at the start", "xab", {fnMatchStart}, {2, 3}},
      {"match full", "abc", {fnMatchFull}, {-1, -1}},
      {"match full, whole cell", "xabcx", {fnMatchFull}, {2, 3}},
      {"condition", "x*x", {fnMatchRegular}, {2, 3}},
      {"mark-up ignored", "<b>", {fnIgnoreHTMLTags}, {-1, -1}},
      {"mark-up ignored, text found", "bold", {fnIgnoreHTMLTags}, {3, 4}},
      {"mark-up searched", "<b>", {}, {3, 4}},
      {"two quotes find an empty cell", "\"\"", {}, {1, 5}},
      {"fixed cells left out", "head", {}, {-1, -1}},
      {"fixed cells included", "head", {fnIncludeFixed}, {2, 0}},
      {"empty text finds nothing", "", {}, {-1, -1}},
      {"empty text finds nothing, condition", "", {fnMatchRegular}, {-1, -1}},
      {"accented letters, any case", "CAFÉ", {}, {3, 2}},
      {"accented letters, match case", "CAFÉ", {fnMatchCase}, {-1, -1}},
      {"sharp s upper-cases to SS", "strasse", {}, {3, 2}},
      {"match full, any case, accented", "STRASSE CAFÉ", {fnMatchFull}, {3, 2}},
      {"greek, any case", "ΑΒΓ", {}, {1, 2}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    Make(g);
    g.SetCells(2, 0, "Head");
    g.SetCells(2, 3, "xABCx");
    g.SetCells(3, 4, "<b>bold</b>");
    g.SetCells(1, 5, "");
    g.SetCells(3, 2, "Straße café");
    g.SetCells(1, 2, "αβγ");
    EXPECT_EQ(g.FindFirst(c.Text, c.Params), c.Found);
    EXPECT_FALSE(g.FindBusy);
  }
}

TEST(FindCells, DirectionsAndSteps)
{
  struct TCase {
    const char *Name;
    TFindParams Params;
    std::vector<TPoint> Order;
  };
  // Matches at (1, 5), (2, 1) and (3, 5).
  const std::vector<TCase> cases = {
      {"column by column", {}, {{1, 5}, {2, 1}, {3, 5}}},
      {"row by row", {fnDirectionLeftRight}, {{2, 1}, {1, 5}, {3, 5}}},
      {"column by column, backward", {fnBackward}, {{3, 5}, {2, 1}, {1, 5}}},
      {"row by row, backward", {fnDirectionLeftRight, fnBackward}, {{3, 5}, {1, 5}, {2, 1}}},
      {"current row", {fnFindInCurrentRow}, {{1, 5}, {3, 5}}},
      {"current column", {fnFindInCurrentCol, fnDirectionLeftRight}, {{3, 5}}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    Make(g);
    g.SetCells(1, 5, "hit");
    g.SetCells(2, 1, "hit");
    g.SetCells(3, 5, "hit");
    g.SetCol(3);
    g.SetRow(5);
    std::vector<TPoint> order{g.FindFirst("hit", c.Params)};
    while (order.back().X >= 0 && order.size() < 6)
      order.push_back(g.FindNext());
    order.pop_back();  // the last step finds nothing and never wraps
    EXPECT_EQ(order, c.Order);
  }
}

TEST(FindCells, HiddenColumnsAndRowsOnlyWhenAsked)
{
  TZavStringGrid g(nullptr);
  Make(g);
  g.SetCells(2, 2, "hit");  // real column 2, hidden
  g.SetCells(3, 4, "hit");  // real row 4, hidden
  g.HideColumn(2);
  g.HideRow(4);
  EXPECT_EQ(g.FindFirst("hit", {}), TPoint(-1, -1));
  EXPECT_EQ(g.FindFirst("hit", {fnIncludeHiddenColumns}), TPoint(2, 2));
  EXPECT_EQ(g.FindFirst("hit", {fnIncludeHiddenRows}), TPoint(2, 4));  // display column 2 = real 3
  EXPECT_EQ(g.FindFirst("hit", {fnIncludeHiddenRows, fnIncludeHiddenColumns}), TPoint(2, 2));
  EXPECT_EQ(g.FindNext(), TPoint(3, 4));
  // A column in the ignore list is passed over in row order.
  g.UnHideColumn(2);
  g.UnHideRow(4);
  g.IgnoreColumns()->Add(2);
  EXPECT_EQ(g.FindFirst("hit", {fnDirectionLeftRight}), TPoint(3, 4));
}

TEST(FindCells, AutoGotoMakesTheCellCurrent)
{
  TZavStringGrid g(nullptr);
  Make(g);
  g.SetCells(3, 4, "hit");
  g.FindFirst("hit", {fnAutoGoto});
  EXPECT_EQ(g.Col(), 3);
  EXPECT_EQ(g.Row(), 4);
}

TEST(FindCells, ReplaceChangesEachCellOnce)
{
  TZavStringGrid g(nullptr);
  Make(g);
  for (int r = 1; r < 6; ++r)
    g.SetCells(1, r, "a");
  EXPECT_EQ(g.Replace("a", "aa", {}), 5);
  for (int r = 1; r < 6; ++r)
    EXPECT_EQ(g.Cells(1, r), "aa");
  EXPECT_EQ(g.Replace("", "x", {}), 0);
  EXPECT_EQ(g.Cells(1, 1), "aa");
}

TEST(FindCells, ReplaceHonoursTheCase)
{
  struct TCase {
    TFindParams Params;
    const char *After;
    int Count;
  };
  for (const TCase &c : {TCase{{}, "x-x", 1}, TCase{{fnMatchCase}, "a-x", 1}}) {
    TZavStringGrid g(nullptr);
    Make(g);
    g.SetCells(2, 2, "a-A");
    EXPECT_EQ(g.Replace("A", "x", c.Params), c.Count);
    EXPECT_EQ(g.Cells(2, 2), c.After);
  }
}

TEST(FindCells, ReplaceMarksModifiedRows)
{
  TZavStringGrid g(nullptr);
  Make(g);
  g.ShowModified()->SetEnabled(true);
  g.SetCells(2, 3, "old");
  g.Replace("old", "new", {});
  EXPECT_TRUE(g.RowModified(3));
  EXPECT_FALSE(g.RowModified(2));
}

TEST(FindCells, IncrementalSearchComparesTheStartOfTheSortColumn)
{
  TZavStringGrid g(nullptr);
  Make(g);
  g.SetCells(1, 2, "Berlin");
  g.SetCells(1, 3, "<b>Bonn</b>");
  g.SetCells(2, 4, "Bonn");
  EXPECT_EQ(g.Search("BO"), 3);
  EXPECT_EQ(g.Search("BE"), 2);
  EXPECT_EQ(g.Search("X"), -1);
  g.SortSettings()->SetShow(true);
  g.SortSettings()->SetColumn(2);
  EXPECT_EQ(g.Search("BO"), 4);
  g.SortSettings()->SetColumn(-1);
  EXPECT_EQ(g.Search("BO"), -1);
}

TEST(FindCells, SearchFooterColoursTheEditByTheResult)
{
  TZavStringGrid g(nullptr);
  Make(g);
  g.SetCells(3, 4, "hit");
  TSearchPanel *panel = g.SearchPanel();
  ASSERT_NE(panel, nullptr);
  std::vector<TSearchAction> actions;
  g.OnSearchFooterAction = [&](TObject *, const QString &, int, int, TSearchAction A) { actions.push_back(A); };
  panel->Edit()->SetText("nothing");
  EXPECT_EQ(panel->Edit()->Color(), TColor(0x0000FF));
  EXPECT_TRUE(panel->HiliteButton()->Enabled());
  panel->Edit()->SetText("hi");
  EXPECT_EQ(panel->Edit()->Color(), clWindow);
  EXPECT_EQ(g.Row(), 4);
  EXPECT_EQ(g.Col(), 3);
  panel->Edit()->SetText("nothing");
  panel->Edit()->SetText("");
  EXPECT_EQ(panel->Edit()->Color(), clWindow);
  EXPECT_FALSE(panel->ForwardButton()->Enabled());
  EXPECT_EQ(actions, (std::vector<TSearchAction>{saFindFirst, saFindFirst, saFindFirst}));
}

TEST(FindCells, SearchFooterStepsForwardAndBackward)
{
  TZavStringGrid g(nullptr);
  Make(g);
  g.SetCells(1, 2, "hit");
  g.SetCells(3, 4, "hit");
  TSearchPanel *panel = g.SearchPanel();
  panel->Edit()->SetText("hit");
  EXPECT_EQ(g.SearchCell(), TPoint(1, 2));
  panel->OnForwardClick(panel);
  EXPECT_EQ(g.SearchCell(), TPoint(3, 4));
  EXPECT_EQ(g.Row(), 4);
  panel->OnBackwardClick(panel);
  EXPECT_EQ(g.SearchCell(), TPoint(1, 2));
  EXPECT_EQ(g.Row(), 2);
  g.SearchFooter()->SetVisible(true);
  bool closed = false;
  g.OnSearchFooterClose = [&](TObject *) { closed = true; };
  panel->OnExitClick(panel);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(g.SearchFooter()->Visible());
}
