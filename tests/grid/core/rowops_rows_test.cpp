#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <vector>

#include "grid/core/footer.h"
#include "grid/foundation/grid_options.h"

namespace {

// Ten rows: "rN" in column 0, a coloured properties object in column 1, the row's number in
// column 3 (hidden, so that every real column has to travel), height 20 + N, and row flags:
// modified every third row, disabled when N % 4 == 1, selected when N % 5 == 2.
void Fill(TZavStringGrid &G, int Rows = 10)
{
  G.SetColCount(4);
  G.SetRowCount(Rows);
  G.MouseActions()->SetDisjunctRowSelect(true);
  for (int r = 0; r < Rows; ++r) {
    G.SetCells(0, r, QStringLiteral("r%1").arg(r));
    G.SetCells(3, r, QString::number(r));
    G.CellProperties(1, r)->SetBrushColor(TColor(0x100 + r));
    G.SetRowHeights(r, 20 + r);
    G.SetRowModified(r, r % 3 == 0);
    G.SetRowEnabled(r, r % 4 != 1);
    G.SetRowSelect(r, r % 5 == 2);
  }
  G.HideColumn(3);
}

// The row numbers in display order (-1 for a row that came in empty).
std::vector<int> Shown(TZavStringGrid &G)
{
  std::vector<int> rows;
  for (int d = 0; d < G.RowCount(); ++d)
    rows.push_back(G.Cells(3, d).isEmpty() ? -1 : G.Cells(3, d).toInt());
  return rows;
}

// Every shown row carries its own cells, properties, height and flags; new rows are empty.
void ExpectRowsIntact(TZavStringGrid &G, const char *Name, bool CheckSelect = true)
{
  for (int d = 0; d < G.RowCount(); ++d) {
    SCOPED_TRACE(testing::Message() << Name << ", display row " << d);
    if (G.Cells(3, d).isEmpty()) {
      EXPECT_EQ(G.Cells(0, d), QString());
      EXPECT_EQ(G.GridObjects(1, d), nullptr);
      EXPECT_EQ(G.RowHeights(d), G.DefaultRowHeight());
      EXPECT_FALSE(G.RowModified(d));
      EXPECT_TRUE(G.RowEnabled(d));
      EXPECT_FALSE(G.RowSelect(d));
      continue;
    }
    const int n = G.Cells(3, d).toInt();
    EXPECT_EQ(G.Cells(0, d), QStringLiteral("r%1").arg(n));
    ASSERT_NE(G.GridObjects(1, d), nullptr);
    EXPECT_EQ(G.CellProperties(1, d)->BrushColor(), TColor(0x100 + n));
    EXPECT_EQ(G.RowHeights(d), 20 + n);
    EXPECT_EQ(G.RowModified(d), n % 3 == 0);
    EXPECT_EQ(G.RowEnabled(d), n % 4 != 1);
    if (CheckSelect) {
      EXPECT_EQ(G.RowSelect(d), n % 5 == 2);
    }
  }
}

// Hidden rows keep their place among the others: showing them all gives this order.
void ExpectOrderAfterShowing(TZavStringGrid &G, const std::vector<int> &Order, const char *Name)
{
  G.UnHideRowsAll();
  EXPECT_EQ(Shown(G), Order) << Name;
  // The row flags are per display row: only the operations' own rows are checked for them.
  for (int d = 0; d < G.RowCount(); ++d)
    if (!G.Cells(3, d).isEmpty()) {
      const int n = G.Cells(3, d).toInt();
      EXPECT_EQ(G.Cells(0, d), QStringLiteral("r%1").arg(n)) << Name;
      EXPECT_EQ(G.CellProperties(1, d)->BrushColor(), TColor(0x100 + n)) << Name;
    }
}

enum class TOp { Remove, Insert, MoveRows, MoveRow };

struct TRowCase {
  const char *Name;
  std::vector<int> Hidden;  // real rows hidden first
  TOp Op;
  int A, B, C;
  int RowCount;                 // afterwards, hidden rows not counted
  std::vector<int> AfterShowing;  // every row, in order, once the hidden ones are shown
};

TEST(RowOpsRows, EverySideTableFollowsTheRows)
{
  const TRowCase cases[] = {
      {"remove under a hidden row", {6}, TOp::Remove, 3, 2, 0, 7, {0, 1, 2, 5, 6, 7, 8, 9}},
      {"remove around a hidden row", {4}, TOp::Remove, 3, 2, 0, 7, {0, 1, 2, 4, 6, 7, 8, 9}},
      {"remove the top normal row", {}, TOp::Remove, 1, 1, 0, 9, {0, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"remove starting past the end", {}, TOp::Remove, 10, 2, 0, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"remove more rows than exist", {2}, TOp::Remove, 7, 5, 0, 7, {0, 1, 2, 3, 4, 5, 6, 7}},
      {"insert before a hidden row", {6}, TOp::Insert, 3, 2, 0, 11, {0, 1, 2, -1, -1, 3, 4, 5, 6, 7, 8, 9}},
      {"insert after a hidden row", {2}, TOp::Insert, 2, 1, 0, 10, {0, 1, 2, -1, 3, 4, 5, 6, 7, 8, 9}},
      {"insert at the end", {9}, TOp::Insert, 9, 1, 0, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1}},
      {"block down", {}, TOp::MoveRows, 2, 8, 2, 10, {0, 1, 4, 5, 6, 7, 2, 3, 8, 9}},
      {"block up", {}, TOp::MoveRows, 5, 1, 3, 10, {0, 5, 6, 7, 1, 2, 3, 4, 8, 9}},
      {"block just below itself", {}, TOp::MoveRows, 2, 4, 2, 10, {0, 1, 4, 2, 3, 5, 6, 7, 8, 9}},
      {"block past a hidden row", {5}, TOp::MoveRows, 2, 7, 2, 9, {0, 1, 4, 5, 6, 7, 2, 3, 8, 9}},
      {"block to the top", {8}, TOp::MoveRows, 6, 1, 3, 9, {0, 6, 7, 9, 1, 2, 3, 4, 5, 8}},
      {"one row down", {}, TOp::MoveRow, 2, 5, 0, 10, {0, 1, 3, 4, 5, 2, 6, 7, 8, 9}},
      {"one row past a hidden row", {4}, TOp::MoveRow, 2, 5, 0, 9, {0, 1, 3, 4, 5, 6, 2, 7, 8, 9}},
  };
  for (const TRowCase &k : cases) {
    TZavStringGrid g(nullptr);
    Fill(g);
    for (int r : k.Hidden)
      g.HideRow(r);
    switch (k.Op) {
    case TOp::Remove: g.RemoveRows(k.A, k.B); break;
    case TOp::Insert: g.InsertRows(k.A, k.B); break;
    case TOp::MoveRows: g.MoveRows(k.A, k.B, k.C); break;
    case TOp::MoveRow: g.MoveRow(k.A, k.B); break;
    }
    EXPECT_EQ(g.RowCount(), k.RowCount) << k.Name;
    EXPECT_EQ(g.NumHiddenRows(), int(k.Hidden.size())) << k.Name;
    if (k.Hidden.empty())
      ExpectRowsIntact(g, k.Name);
    ExpectOrderAfterShowing(g, k.AfterShowing, k.Name);
  }
}

// There and back again: nothing is lost, duplicated or left behind.
TEST(RowOpsRows, RoundTripsRestoreTheGrid)
{
  const std::vector<int> all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  struct {
    const char *Name;
    void (*There)(TZavStringGrid &);
    void (*Back)(TZavStringGrid &);
  } cases[] = {
      {"insert, remove", [](TZavStringGrid &g) { g.InsertRows(4, 3); },
       [](TZavStringGrid &g) { g.RemoveRows(4, 3); }},
      {"block down and up", [](TZavStringGrid &g) { g.MoveRows(1, 7, 3); },
       [](TZavStringGrid &g) { g.MoveRows(4, 1, 3); }},
      {"row up and down", [](TZavStringGrid &g) { g.MoveRow(8, 2); }, [](TZavStringGrid &g) { g.MoveRow(2, 8); }},
  };
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    Fill(g);
    k.There(g);
    k.Back(g);
    EXPECT_EQ(Shown(g), all) << k.Name;
    ExpectRowsIntact(g, k.Name);
    g.UnHideColumn(3);
    EXPECT_EQ(g.ColCount(), 4) << k.Name;
    EXPECT_EQ(g.NumHiddenColumns(), 0) << k.Name;
  }
}

TEST(RowOpsRows, CurrentRowAndCountsAfterRemoval)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.SetFixedRowAlways(true);
  g.SetRow(9);
  g.RemoveRows(9, 1);
  EXPECT_EQ(g.Row(), 8);
  g.RemoveRows(1, 8);
  EXPECT_EQ(g.RowCount(), 1);
  EXPECT_GE(g.Selection().Top, g.RowCount());
  EXPECT_EQ(g.Cells(0, 0), "r0");
  // Nothing left of the removed rows in the store: a grown grid shows empty rows.
  g.SetRowCount(4);
  for (int r = 1; r < 4; ++r) {
    EXPECT_EQ(g.Cells(0, r), QString()) << r;
    EXPECT_EQ(g.GridObjects(1, r), nullptr) << r;
  }
}

// However far a removal reaches, the fixed rows stay fixed and one normal row stays: the rows
// asked for are removed from the first on, as many as leave that.
TEST(RowOpsRows, RemovalsKeepTheFixedRows)
{
  struct {
    const char *Name;
    void (*Op)(TZavStringGrid &);
    std::vector<int> After;
  } cases[] = {
      {"from inside the fixed rows", [](TZavStringGrid &g) { g.RemoveRows(1, 5); }, {0, 4, 5}},
      {"every row", [](TZavStringGrid &g) { g.RemoveRows(0, 6); }, {3, 4, 5}},
      {"the normal rows and beyond", [](TZavStringGrid &g) { g.RemoveRows(2, 10); }, {0, 1, 5}},
      {"a move of every normal row", [](TZavStringGrid &g) { g.MoveRows(2, 0, 4); }, {2, 3, 4, 0, 1, 5}},
      {"a selection over all normal rows", [](TZavStringGrid &g) {
         g.MouseActions()->SetDisjunctRowSelect(false);
         g.SetSelection(TGridRect(0, 2, 1, 5));
         g.RemoveSelectedRows();
       }, {0, 1, 5}},
  };
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    Fill(g, 6);
    g.SetFixedRows(2);
    k.Op(g);
    EXPECT_EQ(g.FixedRows(), 2) << k.Name;
    EXPECT_EQ(Shown(g), k.After) << k.Name;
    ExpectRowsIntact(g, k.Name, false);
  }
}

TEST(RowOpsRows, AddRowKeepsAFixedFooterRowLast)
{
  TZavStringGrid g(nullptr);
  g.SetRowCount(4);
  g.SetCells(1, 3, QStringLiteral("sum"));
  g.FloatingFooter()->SetFooterStyle(fsFixedLastRow);
  g.FloatingFooter()->SetVisible(true);
  g.AddRow();
  EXPECT_EQ(g.RowCount(), 5);
  EXPECT_EQ(g.Cells(1, 4), "sum");
  EXPECT_EQ(g.Cells(1, 3), QString());
  g.FloatingFooter()->SetVisible(false);
  g.AddRow();
  EXPECT_EQ(g.RowCount(), 6);
  EXPECT_EQ(g.Cells(1, 4), "sum");
}

TEST(RowOpsRows, RemovingRowsByTheirState)
{
  struct {
    const char *Name;
    void (*Op)(TZavStringGrid &);
    std::vector<int> After;
  } cases[] = {
      {"selected", [](TZavStringGrid &g) { g.RemoveSelectedRows(); }, {0, 1, 3, 4, 5, 6, 8, 9}},
      {"unselected", [](TZavStringGrid &g) { g.RemoveUnSelectedRows(); }, {0, 2, 7}},
      {"checked", [](TZavStringGrid &g) {
         g.AddCheckBoxColumn(2, false, false);
         for (int r : {3, 4, 8})
           g.SetCheckBoxState(2, r, true);
         g.RemoveCheckedRows(2, true);
       }, {0, 1, 2, 5, 6, 7, 9}},
  };
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    Fill(g);
    k.Op(g);
    EXPECT_EQ(Shown(g), k.After) << k.Name;
    // The removals leave the selection flags cleared (or, kept persistent, set) as they say.
    ExpectRowsIntact(g, k.Name, false);
  }
}

TEST(RowOpsRows, RemoveDuplicatesKeepsTheFirstOfEachText)
{
  struct {
    bool DoCase;
    QStringList After;
  } cases[] = {{false, {"h", "a", "b"}}, {true, {"h", "a", "A", "b"}}};
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    g.SetColCount(2);
    g.SetRowCount(5);
    const QStringList texts{"h", "a", "A", "b", "a"};
    for (int r = 0; r < 5; ++r)
      g.SetCells(1, r, texts[r]);
    g.RemoveDuplicates(1, k.DoCase);
    QStringList left;
    for (int r = 0; r < g.RowCount(); ++r)
      left << g.Cells(1, r);
    EXPECT_EQ(left, k.After) << k.DoCase;
  }
}

}  // namespace
