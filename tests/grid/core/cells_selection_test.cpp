#include <gtest/gtest.h>

#include <vector>

#include "grid/core/grid_error.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"

namespace {

struct GridRowSelection : ::testing::Test {
  TZavStringGrid grid{nullptr};
  void SetUp() override
  {
    grid.SetColCount(4);
    grid.SetRowCount(8);
  }
  void Disjunct() { grid.MouseActions()->SetDisjunctRowSelect(true); }
};

}  // namespace

TEST_F(GridRowSelection, SelectRowsWithoutDisjunctSelectionClipsToTheGrid)
{
  grid.SelectRows(5, 10);
  EXPECT_EQ(grid.Selection(), TGridRect(1, 5, 3, 7));
  EXPECT_EQ(grid.RowSelectCount(), 3);
  EXPECT_TRUE(grid.RowSelect(6));
  EXPECT_FALSE(grid.RowSelect(4));
  grid.FocusCell(2, 2);
  EXPECT_EQ(grid.Selection(), TGridRect(2, 2, 2, 2));
  EXPECT_EQ(grid.RowSelectCount(), 1);
}

TEST_F(GridRowSelection, DisjunctRowsEnterTheListOnceAndFixedRowsNever)
{
  Disjunct();
  std::vector<int> selected;
  grid.OnRowDisjunctSelected = [&](TObject *, int r) { selected.push_back(r); };
  grid.SetRowSelect(5, true);
  grid.SetRowSelect(2, true);
  grid.SetRowSelect(5, true);
  grid.SetRowSelect(0, true);  // a fixed row carries a flag only
  EXPECT_TRUE(grid.RowSelect(0));
  EXPECT_EQ(grid.SelectedRowCount(), 2);
  EXPECT_EQ(grid.SelectedRow(0), 5);
  EXPECT_EQ(grid.SelectedRow(1), 2);
  EXPECT_EQ(grid.SelectedRow(2), -1);
  EXPECT_EQ(grid.RowSelectCount(), 3);
  EXPECT_EQ(selected, (std::vector<int>{5, 2, 5, 0}));

  grid.SetRowSelect(5, false);
  EXPECT_FALSE(grid.RowSelect(5));
  EXPECT_EQ(grid.SelectedRowCount(), 1);
  EXPECT_EQ(grid.SelectedRow(0), 2);

  grid.ClearRowSelect();
  EXPECT_EQ(grid.RowSelectCount(), 0);
  EXPECT_EQ(grid.SelectedRowCount(), 0);
  EXPECT_FALSE(grid.RowSelect(0));
}

TEST_F(GridRowSelection, AHandlerCanRefuseAChange)
{
  Disjunct();
  grid.SetRowSelect(3, true);
  std::vector<std::pair<int, bool>> asked;
  int done = 0;
  grid.OnRowDisjunctSelect = [&](TObject *, int r, bool v, bool &allow) {
    asked.push_back({r, v});
    allow = false;
  };
  grid.OnRowDisjunctSelected = [&](TObject *, int) { ++done; };
  grid.SetRowSelect(3, false);
  grid.SetRowSelect(4, true);
  EXPECT_TRUE(grid.RowSelect(3));
  EXPECT_FALSE(grid.RowSelect(4));
  EXPECT_EQ(grid.SelectedRowCount(), 1);
  EXPECT_EQ(done, 0);
  EXPECT_EQ(asked, (std::vector<std::pair<int, bool>>{{3, false}, {4, true}}));
  // Writing the flag a row already has changes nothing, so nobody is asked.
  asked.clear();
  grid.SetRowSelect(3, true);
  EXPECT_TRUE(asked.empty());
}

TEST_F(GridRowSelection, RowIndexesOutsideTheGrid)
{
  for (bool disjunct : {false, true}) {
    grid.MouseActions()->SetDisjunctRowSelect(disjunct);
    // A negative row is simply not selected.
    EXPECT_FALSE(grid.RowSelect(-1)) << disjunct;
    EXPECT_THROW(grid.RowSelect(8), EZavGridError) << disjunct;
    EXPECT_THROW(grid.SetRowSelect(-1, true), EZavGridError) << disjunct;
    EXPECT_THROW(grid.SetRowSelect(8, true), EZavGridError) << disjunct;
  }
  try {
    grid.RowSelect(12);
  } catch (const EZavGridError &e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Invalid row 12 accessed"));
  }
  grid.MouseActions()->SetRowSelectPersistent(true);
  EXPECT_FALSE(grid.RowSelect(12));
  // Ranges skip what lies outside instead of raising.
  Disjunct();
  grid.SelectRows(-2, 4);
  grid.SelectRows(6, 5);
  EXPECT_EQ(grid.RowSelectCount(), 4);
  grid.UnSelectRows(-1, 20);
  EXPECT_EQ(grid.RowSelectCount(), 0);
}

TEST_F(GridRowSelection, SelectionCopiedIntoRowFlags)
{
  Disjunct();
  grid.SetRowSelect(1, true);
  grid.SetSelection(TGridRect(1, 3, 2, 5));
  grid.SelectionToRowSelect(false);
  EXPECT_EQ(grid.RowSelectCount(), 4);  // row 1 stays
  grid.SelectionToRowSelect(true);
  EXPECT_EQ(grid.RowSelectCount(), 3);
  EXPECT_FALSE(grid.RowSelect(1));
  // Fixed footers stay out.
  grid.SetFixedFooters(2);
  grid.SetSelection(TGridRect(1, 5, 1, 7));
  grid.SelectionToRowSelect(true);
  EXPECT_EQ(grid.RowSelectCount(), 1);
  EXPECT_TRUE(grid.RowSelect(5));
}

TEST_F(GridRowSelection, ColumnFlags)
{
  EXPECT_THROW(grid.ColSelect(-1), EZavGridError);
  EXPECT_THROW(grid.SetColSelect(4, true), EZavGridError);
  grid.SelectCols(1, 2);
  EXPECT_EQ(grid.Selection(), TGridRect(1, 1, 2, 7));
  EXPECT_EQ(grid.ColSelectCount(), 2);

  grid.MouseActions()->SetDisjunctColSelect(true);
  grid.SelectCols(2, 5);
  EXPECT_TRUE(grid.ColSelect(3));
  EXPECT_FALSE(grid.ColSelect(1));
  EXPECT_EQ(grid.ColSelectCount(), 2);
  EXPECT_EQ(grid.SelectedColCount(), 2);
  grid.UnSelectCols(3, 1);
  EXPECT_EQ(grid.ColSelectCount(), 1);
  grid.SetSelection(TGridRect(1, 1, 1, 1));
  grid.SelectionToColSelect(true);
  EXPECT_TRUE(grid.ColSelect(1));
  EXPECT_FALSE(grid.ColSelect(2));
  grid.ClearColSelect();
  EXPECT_EQ(grid.ColSelectCount(), 0);
}

TEST_F(GridRowSelection, ModifiedAndEnabledRowFlags)
{
  // Beyond their lists rows are unmodified and enabled.
  EXPECT_FALSE(grid.RowModified(100));
  EXPECT_TRUE(grid.RowEnabled(100));
  EXPECT_FALSE(grid.UseEnabledRows());
  grid.SetRowModified(6, true);
  grid.SetRowModified(2, true);
  grid.SetRowModified(2, false);
  EXPECT_TRUE(grid.RowModified(6));
  EXPECT_FALSE(grid.RowModified(2));
  EXPECT_EQ(grid.ModifiedRowCount(), 1);
  grid.ClearModifiedRows();
  EXPECT_EQ(grid.ModifiedRowCount(), 0);

  grid.SetRowEnabled(5, false);
  EXPECT_TRUE(grid.UseEnabledRows());
  EXPECT_FALSE(grid.RowEnabled(5));
  EXPECT_TRUE(grid.RowEnabled(4));
}

TEST_F(GridRowSelection, NegativeRowsHaveNoFlags)
{
  // Writes to a row below 0 are ignored; reads answer the defaults.
  grid.SetRowModified(-1, true);
  grid.SetRowEnabled(-3, false);
  EXPECT_FALSE(grid.RowModified(-1));
  EXPECT_TRUE(grid.RowEnabled(-3));
  EXPECT_EQ(grid.ModifiedRowCount(), 0);
  EXPECT_FALSE(grid.UseEnabledRows());
}

TEST_F(GridRowSelection, DisablingTheCurrentRowMovesToTheFirstEnabledRow)
{
  grid.SetRowEnabled(1, false);
  grid.GotoCell(2, 3);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.Col(), 2);
  grid.SetRowEnabled(3, false);
  EXPECT_EQ(grid.Row(), 2);
}

TEST_F(GridRowSelection, SelectRangeMovesTheCurrentCellToItsEnd)
{
  grid.SelectRange(1, 3, 2, 6);
  EXPECT_EQ(grid.Row(), 6);
  EXPECT_EQ(grid.Col(), 3);
  EXPECT_EQ(grid.Selection(), TGridRect(1, 2, 3, 6));
}
