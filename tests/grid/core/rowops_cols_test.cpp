#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <vector>

#include "grid/foundation/grid_options.h"

namespace {

// Five columns "a" to "e" in row 0, each with width 30 + i and a properties object of colour
// 0x200 + i in row 1; row 3 ("h0" to "h4") is hidden.
void Fill(TZavStringGrid &G)
{
  G.SetColCount(5);
  G.SetRowCount(5);
  for (int c = 0; c < 5; ++c) {
    G.SetCells(c, 0, QString(QChar('a' + c)));
    G.CellProperties(c, 1)->SetBrushColor(TColor(0x200 + c));
    G.SetCells(c, 3, QStringLiteral("h%1").arg(c));
    G.SetColWidths(c, 30 + c);
  }
  G.HideRow(3);
}

// Row 0 of every column once all are shown; each column checked for its width, properties and
// hidden-row cell ("" for a new column).
QString Columns(TZavStringGrid &G)
{
  G.UnHideColumnsAll();
  G.UnHideRowsAll();
  QString s;
  for (int c = 0; c < G.ColCount(); ++c) {
    const QString t = G.Cells(c, 0);
    s += t.isEmpty() ? QStringLiteral("_") : t;
    if (t.isEmpty()) {
      EXPECT_EQ(G.ColWidths(c), G.DefaultColWidth()) << c;
      EXPECT_EQ(G.GridObjects(c, 1), nullptr) << c;
      EXPECT_EQ(G.Cells(c, 3), QString()) << c;
      continue;
    }
    const int i = t[0].unicode() - 'a';
    EXPECT_EQ(G.ColWidths(c), 30 + i) << c;
    EXPECT_EQ(G.CellProperties(c, 1)->BrushColor(), TColor(0x200 + i)) << c;
    EXPECT_EQ(G.Cells(c, 3), QStringLiteral("h%1").arg(i)) << c;
  }
  return s;
}

TEST(RowOpsCols, EverySideTableFollowsTheColumns)
{
  struct {
    const char *Name;
    int Hidden;  // real column hidden first, -1 for none
    void (*Op)(TZavStringGrid &);
    int ColCount;  // afterwards, hidden columns not counted
    const char *After;
  } cases[] = {
      {"remove before a hidden column", 2, [](TZavStringGrid &g) { g.RemoveCols(1, 1); }, 3, "acde"},
      {"remove the hidden column", 2, [](TZavStringGrid &g) { g.RemoveCols(2, 1); }, 4, "abde"},
      {"remove past the end", -1, [](TZavStringGrid &g) { g.RemoveCols(3, 10); }, 3, "abc"},
      {"insert before a hidden column", 2, [](TZavStringGrid &g) { g.InsertCols(1, 1); }, 5, "a_bcde"},
      {"add after a hidden last column", 4, [](TZavStringGrid &g) { g.AddColumn(); }, 5, "abcde_"},
      {"move right", -1, [](TZavStringGrid &g) { g.MoveColumn(1, 3); }, 5, "acdbe"},
      {"move over a hidden column", 2, [](TZavStringGrid &g) { g.MoveColumn(1, 2); }, 4, "acdbe"},
      {"move left", 3, [](TZavStringGrid &g) { g.MoveColumn(3, 1); }, 4, "aebcd"},
      {"merge two columns", -1, [](TZavStringGrid &g) { g.MergeCols(1, 2, QStringLiteral("+")); }, 4, "abde"},
  };
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    Fill(g);
    if (k.Hidden >= 0)
      g.HideColumn(k.Hidden);
    k.Op(g);
    EXPECT_EQ(g.ColCount(), k.ColCount) << k.Name;
    EXPECT_EQ(Columns(g), k.After) << k.Name;
  }
}

// However far a removal reaches, the fixed columns stay fixed and one normal column stays.
TEST(RowOpsCols, RemovalsKeepTheFixedColumns)
{
  struct {
    const char *Name;
    int Hidden;
    int From, Count;
    const char *After;
  } cases[] = {
      {"from inside the fixed columns", -1, 1, 4, "ade"},
      {"every column", -1, 0, 5, "cde"},
      {"the normal columns and beyond", -1, 2, 10, "abe"},
      {"with a hidden column among them", 3, 1, 4, "acde"},
  };
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    Fill(g);
    g.SetFixedCols(2);
    if (k.Hidden >= 0)
      g.HideColumn(k.Hidden);
    g.RemoveCols(k.From, k.Count);
    EXPECT_EQ(g.FixedCols(), 2) << k.Name;
    EXPECT_EQ(g.ColCount(), 3) << k.Name;
    EXPECT_EQ(Columns(g), k.After) << k.Name;
  }
}

TEST(RowOpsCols, MergeColsJoinsTheNormalRows)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(3);
  g.SetRowCount(3);
  g.SetCells(1, 1, QStringLiteral(" x"));
  g.SetCells(2, 1, QStringLiteral("y "));
  g.SetCells(2, 2, QStringLiteral("z"));
  g.MergeCols(1, 2, QStringLiteral("-"));
  EXPECT_EQ(g.ColCount(), 2);
  EXPECT_EQ(g.Cells(1, 1), "x-y");
  EXPECT_EQ(g.Cells(1, 2), "-z");
}

TEST(RowOpsCols, MovesCarryTheColumnSelection)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.MouseActions()->SetDisjunctColSelect(true);
  g.SetColSelect(1, true);
  g.MoveColumn(1, 3);
  EXPECT_TRUE(g.ColSelect(3));
  EXPECT_FALSE(g.ColSelect(1));
  g.MoveColumn(3, 1);
  EXPECT_TRUE(g.ColSelect(1));
  EXPECT_EQ(g.Cells(1, 0), "b");
}

// Selections are display columns; the cells they clear or remove are the real ones under them.
TEST(RowOpsCols, SelectionsActOnTheRealColumnsShown)
{
  struct {
    const char *Name;
    void (*Op)(TZavStringGrid &);
    const char *After;
  } cases[] = {
      {"remove selected", [](TZavStringGrid &g) { g.RemoveSelectedCols(); }, "abce"},
      {"remove unselected", [](TZavStringGrid &g) { g.RemoveUnSelectedCols(); }, "acd"},
      {"clear selected", [](TZavStringGrid &g) { g.ClearSelection(); }, "abc_e"},
  };
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    g.SetColCount(5);
    g.SetRowCount(2);
    for (int c = 0; c < 5; ++c)
      g.SetCells(c, 0, QString(QChar('a' + c)));
    g.HideColumn(2);
    g.MouseActions()->SetDisjunctColSelect(true);
    g.SetColSelect(2, true);  // shows real column 3
    k.Op(g);
    g.UnHideColumnsAll();
    QString s;
    for (int c = 0; c < g.ColCount(); ++c)
      s += g.Cells(c, 0).isEmpty() ? QStringLiteral("_") : g.Cells(c, 0);
    EXPECT_EQ(s, k.After) << k.Name;
  }
}

TEST(RowOpsCols, ClearingKeepsOrFreesProperties)
{
  struct {
    const char *Name;
    bool TextOnly;
    void (*Op)(TZavStringGrid &);
    bool PropsKept;
  } cases[] = {
      {"rows, text only", true, [](TZavStringGrid &g) { g.ClearRows(1, 1); }, true},
      {"rows", false, [](TZavStringGrid &g) { g.ClearRows(1, 1); }, false},
      {"normal cells", false, [](TZavStringGrid &g) { g.ClearNormalCells(); }, false},
      {"hidden column", false, [](TZavStringGrid &g) { g.ClearCols(2, 1); }, false},
      {"all", false, [](TZavStringGrid &g) { g.Clear(); }, false},
  };
  for (const auto &k : cases) {
    TZavStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(3);
    g.SetCells(2, 1, QStringLiteral("t"));
    g.SetColors(2, 1, TColor(0x123456));
    g.HideColumn(2);
    g.SetClearTextOnly(k.TextOnly);
    k.Op(g);
    EXPECT_EQ(g.Cells(2, 1), QString()) << k.Name;
    EXPECT_EQ(g.GridObjects(2, 1) != nullptr, k.PropsKept) << k.Name;
    if (k.PropsKept) {
      EXPECT_EQ(g.Colors(2, 1), TColor(0x123456)) << k.Name;
    }
  }
}

TEST(RowOpsCols, MergingRunsOfEqualCellsAndSplittingThem)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(2);
  g.SetRowCount(6);
  const QStringList texts{"head", "x", "x", "y", "y", "y"};
  for (int r = 0; r < 6; ++r)
    g.SetCells(0, r, texts[r]);
  g.MergeColumnCells(0, true);
  EXPECT_EQ(g.CellSpan(0, 1), TPoint(0, 1));
  EXPECT_EQ(g.CellSpan(0, 3), TPoint(0, 2));
  EXPECT_EQ(g.BaseCell(0, 5), TPoint(0, 3));
  g.SplitColumnCells(0);
  for (int r = 0; r < 6; ++r)
    EXPECT_FALSE(g.IsMergedCell(0, r)) << r;
  g.MergeRowCells(0, true);  // one text only: nothing to merge
  EXPECT_FALSE(g.IsMergedCell(1, 0));
}

TEST(RowOpsCols, SearchesAndTrimming)
{
  TZavStringGrid g(nullptr);
  g.SetColCount(3);
  g.SetRowCount(3);
  g.SetCells(1, 1, QStringLiteral("abc"));
  g.SetCells(2, 2, QStringLiteral("ab"));
  g.SetCells(0, 2, QStringLiteral("|\\x"));
  int c = -1, r = -1;
  EXPECT_TRUE(g.IsCell(QStringLiteral("ab"), c, r));
  EXPECT_EQ(c, 2);
  EXPECT_EQ(r, 2);
  EXPECT_FALSE(g.IsCell(QStringLiteral("b"), c, r));
  EXPECT_TRUE(g.IsWideCell(0, 2));
  EXPECT_FALSE(g.IsWideCell(1, 1));
  g.SetCells(1, 2, QStringLiteral("\t pad \r\n"));
  g.TrimAll();
  EXPECT_EQ(g.Cells(1, 2), "pad");
}

}  // namespace

// A column keeps its place before the moves: original positions find it wherever it went.
TEST(RowOpsCols, OriginalCellsFollowMovedColumns)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  EXPECT_EQ(g.OriginalCells(1, 0), "b");  // no move yet: the column itself
  g.MoveColumn(1, 3);
  EXPECT_EQ(g.Cells(3, 0), "b");
  EXPECT_EQ(g.ColumnPosition(1), 3);
  EXPECT_EQ(g.OriginalCells(1, 0), "b");
  EXPECT_EQ(g.ColumnAtPosition(3), 1);
  g.SetOriginalCells(1, 2, "moved");
  EXPECT_EQ(g.Cells(3, 2), "moved");
}
