#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "grid/core/cell_node.h"
#include "grid/foundation/grid_options.h"

namespace {

// The node-aware insertion and deletion are the key handlers' (protected).
struct TNodeGrid : TZavStringGrid {
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::DeleteRowNodeAware;
  using TZavStringGrid::InsertRowNodeAware;
};

// Ten rows: "rN" in column 1, a properties object coloured by N in column 2, height 20 + N.
void Fill(TZavStringGrid &G, int Rows = 10)
{
  G.SetColCount(3);
  G.SetRowCount(Rows);
  G.SetFixedRows(0);
  for (int r = 0; r < Rows; ++r) {
    G.SetCells(1, r, QStringLiteral("r%1").arg(r));
    G.SetRowHeights(r, 20 + r);
    G.CellProperties(2, r)->SetBrushColor(TColor(0x100 + r));
  }
}

std::vector<int> Shown(TZavStringGrid &G)
{
  std::vector<int> rows;
  for (int d = 0; d < G.RowCount(); ++d)
    rows.push_back(G.Cells(1, d).mid(1).toInt());
  return rows;
}

// Every row is shown again with its own text, height, properties and mapping.
void ExpectAllRowsBack(TZavStringGrid &G, int Rows = 10)
{
  ASSERT_EQ(G.RowCount(), Rows);
  EXPECT_EQ(G.NumHiddenRows(), 0);
  for (int d = 0; d < Rows; ++d) {
    EXPECT_EQ(G.Cells(1, d), QStringLiteral("r%1").arg(d));
    EXPECT_EQ(G.RowHeights(d), 20 + d);
    EXPECT_EQ(G.CellProperties(2, d)->BrushColor(), TColor(0x100 + d));
    EXPECT_EQ(G.RealRowIndex(d), d);
  }
}

// Node 1 over rows 1-3 with node 2 over rows 2-3 inside it, node 5 over rows 5-7.
void AddNodes(TZavStringGrid &G)
{
  G.AddNode(1, 3);
  G.AddNode(2, 2);
  G.AddNode(5, 3);
}

TEST(NodesRows, NestedNodesGiveLevelsAndParents)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  AddNodes(g);
  EXPECT_EQ(g.NumNodes(), 3);
  const int levels[] = {0, 1, 2, 2, 0, 1, 1, 1, 0, 0};
  for (int r = 0; r < 10; ++r)
    EXPECT_EQ(g.CellProperties(0, r)->NodeLevel(), levels[r]) << r;
  EXPECT_EQ(g.GetParentRow(3), 2);
  EXPECT_EQ(g.GetParentRow(2), 1);
  EXPECT_EQ(g.GetParentRow(4), -1);
  EXPECT_EQ(g.GetNodeLevel(2), 2);
  EXPECT_EQ(g.GetNodeLevel(3), -1);  // inside a span, but no node
  EXPECT_EQ(g.GetNodeIndent(3), 2 * g.CellNode()->NodeIndent());
  EXPECT_EQ(g.GetNodeSpan(4), -1);
  EXPECT_FALSE(g.IsNode(-1));

  g.RemoveNode(2);
  EXPECT_EQ(g.NumNodes(), 2);
  EXPECT_FALSE(g.IsNode(2));
  EXPECT_EQ(g.CellProperties(0, 3)->NodeLevel(), 1);
}

struct TFoldCase {
  const char *Name;
  std::function<void(TZavStringGrid &)> Fold;
  std::vector<int> ShownAfter;
  std::function<void(TZavStringGrid &)> Unfold;
};

TEST(NodesRows, ContractAndExpandRoundTripsKeepEveryRow)
{
  const std::vector<TFoldCase> cases = {
      {"outer node", [](TZavStringGrid &g) { g.ContractNode(1); }, {0, 1, 4, 5, 6, 7, 8, 9},
       [](TZavStringGrid &g) { g.ExpandNode(1); }},
      {"inner node", [](TZavStringGrid &g) { g.ContractNode(2); }, {0, 1, 2, 4, 5, 6, 7, 8, 9},
       [](TZavStringGrid &g) { g.ExpandNode(2); }},
      {"inner folded into outer",
       [](TZavStringGrid &g) {
         g.ContractNode(2);
         g.ContractNode(1);
       },
       {0, 1, 4, 5, 6, 7, 8, 9}, [](TZavStringGrid &g) { g.ExpandNode(1); }},
      {"outer and the last node", [](TZavStringGrid &g) {
         g.ContractNode(1);
         g.ContractNode(5);
       },
       {0, 1, 4, 5, 8, 9}, [](TZavStringGrid &g) {
         g.ExpandNode(5);
         g.ExpandNode(1);
       }},
      {"contract all", [](TZavStringGrid &g) { g.ContractAll(); }, {0, 1, 4, 5, 8, 9},
       [](TZavStringGrid &g) { g.ExpandAll(); }},
      {"node state writer", [](TZavStringGrid &g) { g.SetNodeState(1, true); }, {0, 1, 4, 5, 6, 7, 8, 9},
       [](TZavStringGrid &g) { g.SetNodeState(1, false); }},
      {"expand one contracts the others",
       [](TZavStringGrid &g) {
         g.CellNode()->SetExpandOne(true);
         g.ContractNode(1);
         g.ExpandNode(1);
       },
       {0, 1, 2, 3, 4, 5, 8, 9}, [](TZavStringGrid &g) {
         g.CellNode()->SetExpandOne(false);
         g.ExpandNode(5);
       }},
  };
  for (const TFoldCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    Fill(g);
    AddNodes(g);
    c.Fold(g);
    EXPECT_EQ(Shown(g), c.ShownAfter);
    for (int d = 0; d < g.RowCount(); ++d)
      EXPECT_EQ(g.RowHeights(d), 20 + g.RealRowIndex(d));
    c.Unfold(g);
    ExpectAllRowsBack(g);
    // Every node is expanded again, the inner one folded with its outer node too.
    for (int r : {1, 2, 5})
      EXPECT_FALSE(g.GetNodeState(r)) << r;
  }
}

TEST(NodesRows, ContractAllHidesAsOneFilterLevel)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  AddNodes(g);
  g.HideRow(9);  // hidden otherwise: stays hidden when the level is lifted
  g.ContractAll();
  EXPECT_EQ(g.FilterLevel(), 1);
  EXPECT_TRUE(g.GetNodeState(1));
  EXPECT_TRUE(g.GetNodeState(3));  // node 5, shown at display row 3
  g.UnHideRowList();
  g.SetFilterLevel(0);
  EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  g.UnHideRowsAll();
  ExpectAllRowsBack(g);
}

// Clearing takes the nodes away first: contracted rows come back and are cleared like the rest.
TEST(NodesRows, ClearingRemovesNodeRowsFirst)
{
  const struct {
    const char *Name;
    int FixedCols;
    void (TZavStringGrid::*Clear)();
  } cases[] = {
      {"Clear", 1, &TZavStringGrid::Clear},
      {"ClearNormalCells without fixed columns", 0, &TZavStringGrid::ClearNormalCells},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    Fill(g);
    g.SetFixedCols(c.FixedCols);
    AddNodes(g);
    g.ContractNode(2);
    g.ContractNode(1);
    g.ContractNode(3);  // node 5, shown at display row 3
    (g.*c.Clear)();
    EXPECT_EQ(g.NumNodes(), 0);
    EXPECT_EQ(g.NumHiddenRows(), 0);
    ASSERT_EQ(g.RowCount(), 10);
    for (int d = 0; d < 10; ++d) {
      EXPECT_FALSE(g.IsNode(d)) << d;
      for (int col = 0; col < 3; ++col)
        EXPECT_EQ(g.Cells(col, d), "") << col << "," << d;
    }
  }
}

TEST(NodesRows, SpanPastTheLastRowIsClippedToTheGrid)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.AddNode(8, 5);
  EXPECT_EQ(g.GetNodeSpan(8), 2);
  EXPECT_EQ(g.CellProperties(0, 9)->NodeLevel(), 1);
  g.ContractNode(8);
  EXPECT_EQ(Shown(g), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  g.ExpandNode(8);
  ExpectAllRowsBack(g);
}

TEST(NodesRows, GlyphHitTestByNodeType)
{
  struct {
    bool Precise;
    TNodeType Type;
    int Level, X;
    bool Hit;
  } cases[] = {
      {false, cnXP, 1, 100, true},  {true, cnXP, 1, 5, true},   {true, cnXP, 1, 4, false},
      {true, cnXP, 1, 15, true},    {true, cnXP, 1, 16, false}, {true, cn3D, 2, 13, true},
      {true, cn3D, 2, 12, false},   {true, cn3D, 2, 29, true},  {true, cnLeaf, 1, 19, true},
      {true, cnGlyph, 1, 12, false},
  };
  for (const auto &c : cases) {
    TZavStringGrid g(nullptr);
    Fill(g);
    g.AddNode(1, 4);
    if (c.Level == 2)
      g.AddNode(2, 2);
    g.MouseActions()->SetPreciseNodeClick(c.Precise);
    g.CellNode()->SetNodeType(c.Type);
    EXPECT_EQ(g.IsOnNodeGlyph(c.Level, c.X), c.Hit) << int(c.Type) << " x " << c.X;
  }
}

TEST(NodesRows, ExpandCellsToggleWithoutSizingTheRow)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.AddExpand(1, 2, 60);
  EXPECT_TRUE(g.HasExpand(1, 2));
  EXPECT_FALSE(g.GetExpandState(1, 2));
  g.SetRowHeights(2, 30);  // the collapsed height is the one the row had
  EXPECT_EQ(g.GetExpandHeight(1, 2, false), 22);
  EXPECT_EQ(g.GetExpandHeight(1, 2, true), 60);
  EXPECT_TRUE(g.ToggleExpand(1, 2));
  EXPECT_TRUE(g.GetExpandState(1, 2));
  EXPECT_EQ(g.RowHeights(2), 30);
  EXPECT_FALSE(g.ToggleExpand(1, 2));
  const TRect cell = g.CellRect(1, 2);
  const TRect r = g.GetExpandRect(1, 2);
  EXPECT_EQ(r.Left, cell.Right - 13);
  EXPECT_EQ(r.Top, cell.Top + 2);
  EXPECT_EQ(r.Right, cell.Right - 2);
  EXPECT_EQ(r.Bottom, cell.Top + 13);
  g.RemoveExpand(1, 2);
  EXPECT_FALSE(g.ToggleExpand(1, 2));
  g.SetDefaultRowHeight(25);
  EXPECT_EQ(g.GetExpandHeight(1, 2, true), 25);
  EXPECT_EQ(g.GetExpandRect(1, 2).Width(), 0);
}

TEST(NodesRows, DeletingTheOnlyNormalRowClearsIt)
{
  TNodeGrid g(nullptr);
  g.SetRowCount(2);
  g.SetCells(1, 1, QStringLiteral("x"));
  int deleted = -1;
  g.OnAutoDeleteRow = [&](TObject *, int ARow) { deleted = ARow; };
  g.DeleteRowNodeAware(1);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cells(1, 1), "");
  EXPECT_EQ(deleted, 1);
}

// The node-aware insertion builds on the row insertion.
bool RowInsertionBuilt()
{
  TZavStringGrid g(nullptr);
  const int before = g.RowCount();
  g.InsertRows(1, 1);
  return g.RowCount() == before + 1;
}

TEST(NodesRows, ChildRowOnANodeTakesItsTexts)
{
  if (!RowInsertionBuilt())
    GTEST_SKIP() << "row insertion not built in this tree";
  TNodeGrid g(nullptr);
  Fill(g);
  g.AddNode(1, 3);
  g.InsertChildRow(1, 0);
  EXPECT_EQ(g.RowCount(), 11);
  EXPECT_TRUE(g.IsNode(1));
  EXPECT_EQ(g.Cells(1, 1), "");
  EXPECT_EQ(g.Cells(1, 2), "r1");
  EXPECT_EQ(g.GetNodeSpan(1), 4);
  EXPECT_EQ(g.CellProperties(0, 2)->NodeLevel(), 1);
  g.DeleteRowNodeAware(2);
  EXPECT_EQ(g.RowCount(), 10);
  EXPECT_EQ(g.GetNodeSpan(1), 3);
}

}  // namespace

TEST(NodesRows, ExpandClickSizesTheRowForTheNewState)
{
  struct TExpandGrid : TZavStringGrid {
    using TZavStringGrid::TZavStringGrid;
    using TZavStringGrid::DoExpandClick;
  } g(nullptr);
  Fill(g);
  g.AddExpand(1, 2, 60);
  std::vector<bool> reported;
  g.OnExpandClick = [&](TObject *, int, int, bool Expanded) { reported.push_back(Expanded); };
  g.DoExpandClick(1, 2, g.ToggleExpand(1, 2));
  EXPECT_EQ(g.RowHeights(2), 60);
  g.DoExpandClick(1, 2, g.ToggleExpand(1, 2));
  EXPECT_EQ(g.RowHeights(2), 22);
  EXPECT_EQ(reported, (std::vector<bool>{true, false}));
}
