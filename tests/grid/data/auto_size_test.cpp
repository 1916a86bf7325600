// Column and row auto-size: which rows and cells a fit measures, the margins it adds, its bounds
// and grow-only rule, the fit to the control's width and the control sized to its cells.
#include <QStringList>

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"
#include "grid/core/control_look.h"
#include "grid/core/grid_settings.h"
#include "grid/foundation/grid_options.h"

namespace {

class TSizeGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  QStringList notes;  // export notifications, "state:row"
  void ExportNotification(int AState, int ARow) override { notes << QStringLiteral("%1:%2").arg(AState).arg(ARow); }
};

struct AutoSize : ::testing::Test {
  TForm form{nullptr};
  TSizeGrid *g = new TSizeGrid(&form);
  AutoSize()
  {
    form.SetBounds(0, 0, 700, 400);
    g->SetParent(&form);
    g->SetBounds(0, 0, 600, 300);
    g->SetColCount(5);
    g->SetRowCount(6);
    g->SetDefaultColWidth(64);
    g->SetDefaultRowHeight(22);
    g->Font()->SetName("Tahoma");
    g->Font()->SetSize(8);
    g->FixedFont()->Assign(g->Font());
    g->ActiveCellFont()->SetStyle({});  // fixed cells measure in the fixed font as it is
  }
  int TW(const QString &S)
  {
    g->Canvas()->Font()->Assign(g->Font());
    return g->Canvas()->TextWidth(S);
  }
  int LineH()
  {
    g->Canvas()->Font()->Assign(g->Font());
    return g->Canvas()->TextHeight("gh");
  }
};

TEST_F(AutoSize, ColumnFitMeasuresTheRowsColumnSizeRowsChooses)
{
  g->SetFixedFooters(1);  // row 5
  g->SetCells(2, 0, "Head");
  g->SetCells(2, 3, "body text here");
  g->SetCells(2, 5, "the footer text is the widest");
  const struct {
    TAutoSizeRows rows;
    const char *widest;
  } cases[] = {
      {arAll, "the footer text is the widest"},
      {arNormal, "body text here"},  // neither fixed nor footer rows
      {arFixed, "Head"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.widest);
    g->ColumnSize()->SetRows(c.rows);
    g->AutoSizeCol(2, 0);
    EXPECT_EQ(g->ColWidths(2), TW(c.widest) + 8);  // default margins: 2 x 2 text, 2 x (1 + 1) lines
  }
}

TEST_F(AutoSize, GrowOnlyBoundsAndPadding)
{
  g->SetCells(2, 2, "a text of some width");
  const int fit = TW("a text of some width") + 8;
  int fired = 0;
  g->OnUpdateColumnSize = [&](TObject *, int, int &) { ++fired; };
  const struct {
    const char *name;
    bool growOnly;
    int before, minW, maxW, padding;
    int after;
    int events;
  } cases[] = {
      {"narrows", false, 300, 0, 0, 0, fit, 1},
      {"grow-only keeps a wide column, no event", true, 300, 0, 0, 0, 300, 0},
      {"grow-only grows a narrow one", true, 10, 0, 0, 0, fit, 1},
      {"maximum below the old width still narrows", true, fit - 5, 0, fit - 10, 0, fit - 10, 1},
      {"minimum", false, 300, fit + 20, 0, 0, fit + 20, 1},
      {"padding, then the maximum", false, 10, 0, fit + 5, 10, fit + 5, 1},
      {"padding", false, 10, 0, 0, 10, fit + 10, 1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    g->SetSizeGrowOnly(c.growOnly);
    g->SetMinColWidth(c.minW);
    g->SetMaxColWidth(c.maxW);
    g->SetColWidths(2, c.before);
    fired = 0;
    g->AutoSizeCol(2, c.padding);
    EXPECT_EQ(g->ColWidths(2), c.after);
    EXPECT_EQ(fired, c.events);
  }
}

TEST_F(AutoSize, MergedBlocksAndHiddenColumns)
{
  g->SetCells(2, 1, "short");
  g->SetCells(2, 2, "a merged text far wider than the column");
  g->MergeCells(2, 2, 2, 1);
  g->AutoSizeCol(2, 0);
  EXPECT_EQ(g->ColWidths(2), TW("short") + 8) << "a block spanning columns does not widen its column";

  g->SetWordWrap(false);
  g->SetCells(1, 3, "one\r\ntwo\r\nthree");
  g->MergeCells(1, 3, 1, 2);
  g->AutoSizeRow(3, 0);
  EXPECT_LT(g->RowHeights(3), 2 * LineH()) << "a block spanning rows does not heighten its row";

  g->SetCells(3, 4, "the third real column");
  g->HideColumn(1);  // display 2 is real 3 now
  g->AutoSizeCol(2, 0);
  EXPECT_EQ(g->ColWidths(2), TW("the third real column") + 8);
}

TEST_F(AutoSize, RowFit)
{
  const int h = LineH();
  g->SetCells(1, 2, "x");
  g->SetCells(3, 2, "one\r\ntwo\r\nthree");
  const struct {
    const char *name;
    bool checkBox, ignored, growOnly;
    int before, after;
  } cases[] = {
      {"tallest text + 6", false, false, false, 80, 3 * h + 6},
      {"grow-only keeps a high row", false, false, true, 80, 80},
      {"a check box sets the default height, whatever its text", true, false, false, 80, 22 + 6},
      {"an ignored column is not measured", false, true, false, 80, h + 6},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    if (c.checkBox)
      g->AddCheckBox(3, 2, true, false);
    else
      g->RemoveCellGraphic(3, 2);
    g->IgnoreColumns()->Clear();
    if (c.ignored)
      g->IgnoreColumns()->Add(3);
    g->SetSizeGrowOnly(c.growOnly);
    g->SetRowHeights(2, c.before);
    g->AutoSizeRow(2, 0);
    EXPECT_EQ(g->RowHeights(2), c.after);
  }
  g->SetSizeGrowOnly(false);
  g->IgnoreColumns()->Clear();
  g->SetMaxRowHeight(30);
  g->AutoSizeRow(2, 0);
  EXPECT_EQ(g->RowHeights(2), 30);
}

TEST_F(AutoSize, RowsWithoutWordWrapFollowTheLineCount)
{
  g->SetWordWrap(false);
  g->SetMultilinecells(true);
  g->SetCells(2, 3, "a\r\nb");
  g->AddCheckBox(1, 4, true, false);  // graphics do not count here
  g->AutoSizeRows(false, 3);
  const int h = LineH();
  EXPECT_EQ(g->RowHeights(0), 22) << "fixed rows left out";
  EXPECT_EQ(g->RowHeights(3), 3 + 2 * (h + h / 8));
  EXPECT_EQ(g->RowHeights(4), 3 + h + h / 8);
  EXPECT_EQ(g->notes, QStringList({"0:1", "5:1", "5:2", "5:3", "5:4", "5:5", "2:-1"}));
}

TEST_F(AutoSize, CellsFitGrowsRowsOnlyAndTakesTheWidestCell)
{
  g->SetCells(2, 1, "widest cell of the column");
  g->SetCells(2, 2, "small");
  g->SetColWidths(2, 400);
  g->SetRowHeights(2, 90);
  g->AutoSizeCells(false, 4, 10);
  EXPECT_EQ(g->ColWidths(2), TW("widest cell of the column") + 4 + 2);
  EXPECT_EQ(g->RowHeights(2), 90) << "never lower";
  EXPECT_EQ(g->RowHeights(1), LineH() + 10 + 2);
  EXPECT_EQ(g->ColWidths(0), 64) << "fixed cells left out";

  g->SetSizeGrowOnly(true);
  g->SetColWidths(2, 400);
  g->AutoSizeCells(false, 4, 10);
  EXPECT_EQ(g->ColWidths(2), 400);
}

TEST_F(AutoSize, FitColumnsToTheControl)
{
  g->SetScrollBars(ssNone);
  g->SetBorderStyle(bsNone);
  g->SetOptions(g->Options() - goVertLine - goFixedVertLine);
  g->SetFixedCols(0);
  const struct {
    const char *name;
    std::vector<int> before;
    int width;
    std::vector<int> after;
  } cases[] = {
      {"scaled", {50, 100, 50}, 400, {100, 200, 100}},
      {"the rounding rest goes to the widest, first of equals", {10, 10, 10}, 100, {34, 33, 33}},
      {"already filling", {150, 150, 100}, 400, {150, 150, 100}},
      {"no width to scale", {0, 0, 0}, 400, {0, 0, 0}},
      {"one column fills the control", {70}, 300, {300}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    g->SetColCount(int(c.before.size()));
    g->SetWidth(c.width);
    for (size_t i = 0; i < c.before.size(); ++i)
      g->SetColWidths(int(i), c.before[i]);
    g->AutoFitColumns(true);
    std::vector<int> after;
    for (int i = 0; i < g->ColCount(); ++i)
      after.push_back(g->ColWidths(i));
    EXPECT_EQ(after, c.after);
  }
  g->SetBorderStyle(bsSingle);  // with Ctl3D: 4 pixels of border
  g->SetColCount(1);
  g->AutoFitColumns(true);
  EXPECT_EQ(g->ColWidths(0), 296);
}

TEST_F(AutoSize, ColumnsRangeAndControlSizedToCells)
{
  g->SetFixedCols(1);
  g->SetFixedRightCols(1);
  for (int c = 0; c < 5; ++c)
    g->SetCells(c, 1, "xx");
  g->AutoSizeColumns(false, 3);
  EXPECT_EQ(g->ColWidths(0), 64);
  EXPECT_EQ(g->ColWidths(4), 64);
  for (int c = 1; c < 4; ++c)
    EXPECT_EQ(g->ColWidths(c), TW("xx") + 8 + 3);
  g->AutoSizeColumns(true, 0);
  EXPECT_EQ(g->ColWidths(0), TW("xx") + 8);

  g->SetColCount(2);
  g->SetRowCount(3);
  g->SetColWidths(0, 40);
  g->SetColWidths(1, 70);
  g->SetRowHeights(2, 30);
  g->SetScrollBars(ssVertical);
  g->SizeToCells();
  EXPECT_EQ(g->ScrollBars(), ssVertical) << "the scroll bars come back";
  g->SetScrollBars(ssNone);
  g->SizeToCells();
  EXPECT_EQ(g->ClientWidth(), 110);
  EXPECT_EQ(g->ClientHeight(), 22 + 22 + 30);
}

// An access-table grid with its default settings: a fixed number column and row, hidden
// columns possible, sized by a double-click on a header border.
struct TableAutoSize : ::testing::Test {
  TForm form{nullptr};
  TZavColumnGrid *g = new TZavColumnGrid(&form);
  TableAutoSize()
  {
    form.SetBounds(0, 0, 700, 300);
    g->SetParent(&form);
    g->SetBounds(0, 0, 680, 280);
    g->SetColCount(4);
    g->SetRowCount(5);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    g->SetOptions(g->Options() + goColSizing);
    for (int i = 0; i < 4; ++i)
      g->Columns()->Items(i)->SetWidth(90);
    form.Show();
    SimProcess();
  }
  int TextW(int RealCol, int Row) { return g->GetCellTextSize(RealCol, Row, false, false).cx; }
  void DoubleClickRightBorder(int ACol)
  {
    const TRect h = g->CellRect(ACol, 0);
    SimDblClick(g, h.Right, (h.Top + h.Bottom) / 2);
  }
};

TEST_F(TableAutoSize, HeaderDoubleClickFitsTheWidestTextPlusEight)
{
  g->SetCells(2, 0, "IP Address of the partner");
  g->SetCells(2, 1, "192.168.0.1");
  g->SetCells(2, 3, "192.168.100.200");
  ASSERT_GT(TextW(2, 0), TextW(2, 3));
  DoubleClickRightBorder(2);
  EXPECT_EQ(g->ColWidths(2), TextW(2, 0) + 8) << "the header row counts";

  g->SetCells(2, 0, "IP");
  g->SetColWidths(2, 300);
  DoubleClickRightBorder(2);
  EXPECT_EQ(g->ColWidths(2), TextW(2, 3) + 8) << "a wider column narrows";
}

TEST_F(TableAutoSize, ColumnBoundsOfTheRealColumnAndDropDownRoom)
{
  g->SetCells(3, 1, "abc");
  g->Columns()->Items(3)->SetAutoMinSize(150);
  g->Columns()->Items(2)->SetAutoMaxSize(20);
  g->HideColumn(2);  // display 2 is real 3
  g->AutoSizeCol(2, 0);
  EXPECT_EQ(g->ColWidths(2), 150) << "the bounds of the real column's item";
  g->Columns()->Items(3)->SetAutoMinSize(0);
  g->Columns()->Items(3)->SetAutoMaxSize(20);
  g->AutoSizeCol(2, 0);
  EXPECT_EQ(g->ColWidths(2), 20);
  g->Columns()->Items(3)->SetAutoMaxSize(0);

  g->Columns()->Items(3)->SetEditor(edComboList);
  g->AutoSizeCol(2, 0);
  const int plain = g->ColWidths(2);
  g->ControlLook()->SetDropDownAlwaysVisible(true);
  g->AutoSizeCol(2, 0);
  EXPECT_EQ(g->ColWidths(2), plain + 16) << "room for the drop-down button";
}

}  // namespace
