#include "grid/core/zav_string_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/core/cell_node.h"
#include "grid/core/feature_settings.h"
#include "grid/core/footer.h"
#include "grid/core/sort_settings.h"

namespace {

// Columns: 0 key, 1 name, 2 category, 3 quantity, 4 note; a caption row and a footer row.
struct TRowData {
  const char *Key, *Name, *Cat, *Qty, *Note;
};
const TRowData Rows[] = {
    {"k1", "r1", "A", "1", "n1"},
    {"k1", "r2", "A", "2", "n2"},
    {"k2", "r3", "B", "4", "n3"},
    {"k3", "r4", "C", "8", "n4"},
    {"k3", "r5", "C", "16", "n5"},
};
constexpr int NRows = int(std::size(Rows));

void Fill(TZavStringGrid &G, int FixedCols = 1)
{
  G.SetColCount(5);
  G.SetRowCount(NRows + 2);
  G.SetFixedCols(FixedCols);
  G.SetFixedRows(1);
  G.SetFixedFooters(1);
  G.SortSettings()->SetAutoSortForGrouping(false);
  const char *caption[] = {"Key", "Name", "Cat", "Qty", "Note"};
  for (int c = 0; c < 5; ++c) {
    G.SetCells(c, 0, caption[c]);
    G.SetCells(c, NRows + 1, QStringLiteral("f%1").arg(c));
    G.SetColWidths(c, 50 + 10 * c);
  }
  for (int r = 0; r < NRows; ++r) {
    const TRowData &d = Rows[r];
    const char *texts[] = {d.Key, d.Name, d.Cat, d.Qty, d.Note};
    for (int c = 0; c < 5; ++c)
      G.SetCells(c, r + 1, texts[c]);
  }
}

// Every real cell, row by row (hidden rows included).
std::vector<QString> Snapshot(TZavStringGrid &G)
{
  std::vector<QString> out;
  for (int r = 0; r < G.TotalRowCount(); ++r)
    for (int c = 0; c < G.AllColCount(); ++c)
      out.push_back(G.AllCells(c, r));
  return out;
}

// The normal rows as "H<value>/<span>" for a header, "S" for a summary row, else column NameCol.
std::vector<std::string> Layout(TZavStringGrid &G, int NameCol = 1)
{
  std::vector<std::string> out;
  for (int d = G.FixedRows(); d < G.RowCount() - G.FixedFooters(); ++d) {
    if (G.IsNode(d))
      out.push_back("H" + G.Cells(1, d).toStdString() + "/" + std::to_string(G.GetNodeSpan(d)));
    else if (G.IsSummary(d))
      out.push_back("S");
    else
      out.push_back(G.Cells(NameCol, d).toStdString());
  }
  return out;
}

using TLayout = std::vector<std::string>;

TEST(Grouping, GroupBuildsHeadersAndSummariesAndTakesTheColumnOut)
{
  struct TCase {
    bool Summary;
    TLayout Expected;
  } cases[] = {
      {false, {"HA/3", "r1", "r2", "HB/2", "r3", "HC/3", "r4", "r5"}},
      {true, {"HA/3", "r1", "r2", "S", "HB/2", "r3", "S", "HC/3", "r4", "r5", "S"}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Summary);
    TZavStringGrid g(nullptr);
    Fill(g);
    g.Grouping()->SetSummary(c.Summary);
    g.Group(2);
    EXPECT_EQ(g.GroupColumn(), 2);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(Layout(g), c.Expected);
    // The quantity column moved into the grouped column's place; caption and footer stay last.
    EXPECT_EQ(g.Cells(2, 0), "Qty");
    EXPECT_EQ(g.Cells(2, g.RowCount() - 1), "f3");
    EXPECT_EQ(g.GetNodeLevel(1), 1);
  }
}

TEST(Grouping, GroupFiguresGoIntoSummaryOrHeaderRows)
{
  struct TCase {
    bool Summary;
    int Method;
    std::vector<QString> Figures;  // per group, where the figure lands
  } cases[] = {
      {true, 1, {"3.00", "4.00", "24.00"}},  {true, 5, {"2", "1", "2"}},
      {false, 1, {"3.00", "4.00", "24.00"}}, {false, 3, {"1.00", "4.00", "8.00"}},
      {false, 4, {"2.00", "4.00", "16.00"}}, {false, 2, {"1.50", "4.00", "12.00"}},
      {false, 7, {"2.00", "1.00", "2.00"}},  {false, 8, {"0.50", "0.00", "4.00"}},
      {false, 6, {"7.00", "7.00", "7.00"}},  {false, 0, {"", "", ""}},
      {false, 9, {"", "", ""}},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(testing::Message() << c.Summary << " method " << c.Method);
    TZavStringGrid g(nullptr);
    Fill(g);
    g.Grouping()->SetSummary(c.Summary);
    g.OnGroupCalc = [](TObject *, int, int, int, double &Res) { Res = 7; };
    g.Group(2);
    g.GroupCalc(2, c.Method);
    std::vector<QString> figures;
    for (int d = g.FixedRows(); d < g.RowCount() - 1; ++d)
      if (c.Summary ? g.IsSummary(d) : g.IsNode(d))
        figures.push_back(g.Cells(2, d));
    EXPECT_EQ(figures, c.Figures);
  }
}

TEST(Grouping, ContractedGroupKeepsItsFigure)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.Group(2);
  g.ContractNode(g.RealRowIndex(4));  // group B
  g.GroupSum(2);
  EXPECT_EQ(g.Cells(2, 1), "3.00");
  EXPECT_EQ(g.Cells(2, 4), "");
  EXPECT_EQ(g.Cells(2, 5), "24.00");
}

TEST(Grouping, FooterTakesTheCalculationWhenVisible)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  g.FloatingFooter()->SetVisible(true);
  g.Group(2);
  g.GroupSum(2);
  EXPECT_EQ(g.FloatingFooter()->ColumnCalc(2), acSUM);
  g.GroupDistinct(3);
  EXPECT_EQ(g.FloatingFooter()->ColumnCalc(3), acNONE);
}

// Group then UnGroup gives back every cell, the column's width, caption and footer.
TEST(Grouping, UnGroupRestoresTheColumnAndEveryValue)
{
  struct TCase {
    const char *Name;
    int FixedCols, GroupCol;
    bool Summary, MergeHeader, MergeSummary, HideBefore, ExpandOne;
    int HiddenRow = -1;  // hidden before grouping: the rows change place one at a time then
  } cases[] = {
      {"category", 1, 2, false, false, false, false, false},
      {"with summary", 1, 2, true, false, false, false, false},
      {"merged", 1, 2, true, true, true, false, false},
      {"name column", 1, 1, true, false, false, false, false},
      {"column 0", 0, 0, true, false, false, false, false},
      {"column 0 merged", 0, 0, false, true, false, false, true},
      {"hidden column before it", 1, 2, true, false, false, true, false},
      {"expand one", 1, 2, false, false, false, false, true},
      {"hidden row", 1, 2, true, false, false, false, false, 2},
      {"hidden row, column 0", 0, 0, true, false, false, false, false, 5},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.Name);
    TZavStringGrid g(nullptr);
    Fill(g, c.FixedCols);
    g.Grouping()->SetSummary(c.Summary);
    g.Grouping()->SetMergeHeader(c.MergeHeader);
    g.Grouping()->SetMergeSummary(c.MergeSummary);
    g.Grouping()->SetHeaderColor(0x00FF00);
    g.Grouping()->SetSummaryColor(0x0000FF);
    g.CellNode()->SetExpandOne(c.ExpandOne);
    if (c.HideBefore)
      g.HideColumn(1);
    if (c.HiddenRow >= 0)
      g.HideRow(c.HiddenRow);
    const std::vector<QString> before = Snapshot(g);
    const int colCount = g.ColCount();
    const int width = g.AllColWidths(c.GroupCol);

    g.Group(c.GroupCol);
    ASSERT_EQ(g.GroupColumn(), c.GroupCol);
    EXPECT_GT(g.NumNodes(), 0);
    g.GroupSum(3);
    g.UnGroup();

    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(g.NumNodes(), 0);
    EXPECT_EQ(g.ColCount(), colCount);
    EXPECT_EQ(g.AllColWidths(c.GroupCol), width);
    EXPECT_EQ(Snapshot(g), before);
    EXPECT_EQ(g.IsHiddenColumn(1), c.HideBefore);
    EXPECT_EQ(g.NumHiddenRows(), c.HiddenRow >= 0 ? 1 : 0);
    EXPECT_EQ(g.CellNode()->ExpandOne(), c.ExpandOne);
    for (int d = 1; d <= NRows; ++d) {
      EXPECT_EQ(g.Colors(2, d), clNone) << d;
      EXPECT_FALSE(g.IsMergedCell(1, d)) << d;
    }
  }
}

TEST(Grouping, GroupColumnWriterAndRegrouping)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  const std::vector<QString> before = Snapshot(g);
  g.Group(0);  // below FixedCols
  g.SetGroupColumn(0);
  EXPECT_EQ(g.GroupColumn(), -1);
  EXPECT_EQ(Snapshot(g), before);

  g.SetGroupColumn(2);
  EXPECT_EQ(Layout(g), (TLayout{"HA/3", "r1", "r2", "HB/2", "r3", "HC/3", "r4", "r5"}));
  // Grouping on another column ungroups first: no header of the first grouping survives.
  g.Group(1);
  EXPECT_EQ(g.GroupColumn(), 1);
  EXPECT_EQ(Layout(g, 0), (TLayout{"Hr1/2", "k1", "Hr2/2", "k1", "Hr3/2", "k2", "Hr4/2", "k3", "Hr5/2", "k3"}));
  g.SetGroupColumn(-1);
  EXPECT_EQ(Snapshot(g), before);
}

// A row hidden while grouped keeps its record; ungrouping gives it its group's value there.
TEST(Grouping, UnGroupGivesHiddenRowsTheirValue)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  const std::vector<QString> before = Snapshot(g);
  g.Group(2);
  g.HideRow(g.RealRowIndex(3));  // r2, the last member of group A
  g.HideRow(g.RealRowIndex(4));  // r3, the only member of group B (right after its header)
  g.ContractNode(g.RealRowIndex(5));
  g.UnGroup();
  EXPECT_EQ(g.NumHiddenRows(), 2);
  g.UnHideRowsAll();
  EXPECT_EQ(Snapshot(g), before);
}

TEST(Grouping, SubGroupAddsASecondLevelAndSubUnGroupTakesItBack)
{
  TZavStringGrid g(nullptr);
  Fill(g);
  // Within category C, notes x and y; the rest share note "n".
  const char *notes[] = {"n", "n", "n", "x", "y"};
  for (int r = 0; r < NRows; ++r)
    g.SetCells(4, r + 1, notes[r]);
  const std::vector<QString> before = Snapshot(g);
  g.Group(2);
  const TLayout grouped = Layout(g);
  g.SubGroup(3);  // the note column after the category left
  EXPECT_EQ(Layout(g), (TLayout{"HA/4", "H/3", "r1", "r2", "HB/3", "H/2", "r3", "HC/5", "H/2", "r4", "H/2", "r5"}));
  // The sub-headers carry the value one column right and sit one level deeper.
  EXPECT_EQ(g.Cells(4, 2), "n");
  EXPECT_EQ(g.Cells(3, 3), "");
  EXPECT_EQ(g.GetNodeLevel(2), 2);
  EXPECT_EQ(g.GroupColumn(), 2);

  g.SubUnGroup(3);
  EXPECT_EQ(Layout(g), grouped);
  g.SubGroup(3);
  g.UnGroup();  // takes the second level along
  EXPECT_EQ(Snapshot(g), before);

  // With summary rows: they stay out of the second level and keep their figures.
  g.Grouping()->SetSummary(true);
  g.Group(2);
  g.GroupSum(2);
  const TLayout summed = Layout(g);
  g.SubGroup(3);
  EXPECT_EQ(Layout(g), (TLayout{"HA/4", "H/3", "r1", "r2", "S", "HB/3", "H/2", "r3", "S", "HC/5", "H/2", "r4", "H/2", "r5",
                                "S"}));
  EXPECT_EQ(g.Cells(2, 5), "3.00");
  g.SubUnGroup(3);
  EXPECT_EQ(Layout(g), summed);
  EXPECT_EQ(g.Cells(2, 4), "3.00");
  g.SubGroup(3);
  g.UnGroup();
  EXPECT_EQ(Snapshot(g), before);
}

}  // namespace

namespace {
struct TBorderGrid : TZavStringGrid {
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::DoGetCellBorder;
};
}  // namespace

TEST(Grouping, HeaderAndSummaryRowsTakeTheirLinesAsBorders)
{
  TBorderGrid g(nullptr);
  Fill(g);
  g.Grouping()->SetSummary(true);
  g.Group(2);  // HA/3, r1, r2, S, ...
  g.Grouping()->SetHeaderUnderline(true);
  g.Grouping()->SetHeaderLineColor(clRed);
  g.Grouping()->SetHeaderLineWidth(2);
  g.Grouping()->SetSummaryLine(true);
  g.Grouping()->SetSummaryLineColor(clBlue);
  g.Grouping()->SetSummaryLineWidth(3);
  int eventRow = -1;
  g.OnGetCellBorder = [&](TObject *, int ARow, int, TPen *, TCellBorders &) { eventRow = ARow; };
  struct TCase {
    int Col, Row;
    bool HeaderLine, SummaryLine;
    TCellBorders Borders;
    TColor Color;
    int Width;
  } cases[] = {
      {1, 1, true, true, {cbBottom}, clRed, 2},     // header row
      {1, 4, true, true, {cbTop}, clBlue, 3},       // summary row
      {0, 1, true, true, {cbLeft}, clBlack, 1},     // column 0 keeps what it had
      {1, 2, true, true, {cbLeft}, clBlack, 1},     // member row
      {1, 1, false, true, {cbLeft}, clBlack, 1},    // underline off
      {1, 4, true, false, {cbLeft}, clBlack, 1},    // summary line off
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(testing::Message() << c.Col << "," << c.Row << " " << c.HeaderLine << c.SummaryLine);
    g.Grouping()->SetHeaderUnderline(c.HeaderLine);
    g.Grouping()->SetSummaryLine(c.SummaryLine);
    TPen pen;
    TCellBorders borders{cbLeft};
    g.DoGetCellBorder(c.Col, c.Row, &pen, borders);
    EXPECT_EQ(borders, c.Borders);
    EXPECT_EQ(pen.Color(), c.Color);
    EXPECT_EQ(pen.Width(), c.Width);
    EXPECT_EQ(eventRow, c.Row);  // the event still has the last word
  }
}
