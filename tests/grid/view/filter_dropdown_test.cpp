// The column filter drop-down: a release on a header's filter glyph opens the value list or the
// check list below it, and choosing or checking entries filters the rows.
#include <QImage>
#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/aux_controls.h"
#include "grid/core/feature_settings.h"
#include "grid/core/zav_string_grid.h"
#include "tests/support/test_support.h"

namespace {

struct FilterDropDown : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *grid = new TZavStringGrid(&form);

  FilterDropDown()
  {
    SimResetInput();
    form.SetBounds(0, 0, 500, 400);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 400, 300);
    grid->SetColCount(4);
    grid->SetRowCount(7);
    grid->SetDefaultColWidth(80);
    grid->SetDefaultRowHeight(22);
    const char *cities[] = {"Berlin", "New York", "Paris", "Berlin", "New York", "Rome"};
    for (int r = 1; r <= 6; ++r) {
      grid->SetCells(0, r, QString::number(r));
      grid->SetCells(1, r, cities[r - 1]);
      grid->SetCells(2, r, QString::number(r));
    }
    grid->SetFilterDropDownAuto(true);
    form.Show();
    SimProcess();
  }

  template <class T>
  T *List() const
  {
    for (int i = 0; i < grid->ComponentCount(); ++i)
      if (auto *l = dynamic_cast<T *>(grid->Components(i)))
        return l;
    return nullptr;
  }
  // Releases on the filter glyph of column c (press and release, as a hand does).
  void ClickGlyph(int c)
  {
    const TRect R = grid->CellRect(c, 0);
    SimClick(grid, R.Right - 8, R.Top + 6);
  }
  // Clicks the grid below its cells, away from any list.
  void ClickOutside() { SimClick(grid, 5, grid->ClientHeight() - 10); }
  static void ClickItem(TCustomListBox *l, int i, bool onBox)
  {
    const TRect r = l->ItemRect(i);
    SimClick(l, onBox ? r.Left + 8 : r.Left + 40, (r.Top + r.Bottom) / 2);
  }
  QStringList Column(int c) const
  {
    QStringList s;
    for (int r = 1; r < grid->RowCount(); ++r)
      s << grid->Cells(c, r);
    return s;
  }
  static QStringList Items(TCustomListBox *l)
  {
    QStringList s;
    for (int i = 0; i < l->Items()->Count(); ++i)
      s << l->Items()->Strings(i);
    return s;
  }
};

TEST_F(FilterDropDown, GlyphReleaseOpensValueListAndChoiceFilters)
{
  TDropList *list = List<TDropList>();
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(list->Visible());
  grid->FilterDropDown()->SetColor(0xE1FFFF);
  grid->FilterDropDown()->Font()->SetSize(10);

  // Beside the glyph, or below its 19 px, nothing opens.
  const TRect R = grid->CellRect(1, 0);
  SimClick(grid, R.Right - 20, R.Top + 6);
  EXPECT_FALSE(list->Visible());

  ClickGlyph(1);
  ASSERT_TRUE(list->Visible());
  EXPECT_EQ(list->Parent(), grid);
  EXPECT_TRUE(list->Focused());
  EXPECT_EQ(grid->FilterColumn(), 1);
  EXPECT_EQ(Items(list), QStringList({"(All)", "Berlin", "New York", "Paris", "Rome"}));
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->Color(), 0xE1FFFFu);
  EXPECT_EQ(list->Font()->Size(), 10);
  EXPECT_EQ(list->BoundsRect(), TRect(R.Right - 16, R.Top + 16, R.Right - 16 + 150, R.Top + 16 + 150));

  ClickItem(list, 2, false);  // "New York"
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(grid->FilterColumn(), -1);
  EXPECT_EQ(Column(1), QStringList({"New York", "New York"}));
  EXPECT_TRUE(grid->Focused());

  ClickGlyph(1);
  ClickItem(list, 0, false);  // "(All)"
  EXPECT_EQ(Column(1), QStringList({"Berlin", "New York", "Paris", "Berlin", "New York", "Rome"}));
}

TEST_F(FilterDropDown, ReleaseElsewhereClosesTheList)
{
  TDropList *list = List<TDropList>();
  ClickGlyph(1);
  ASSERT_TRUE(list->Visible());
  ClickOutside();
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(grid->FilterColumn(), -1);
  EXPECT_EQ(grid->RowCount(), 7);
  // A second release on the glyph of the open column closes its list too.
  ClickGlyph(1);
  ASSERT_TRUE(list->Visible());
  list->SetVisible(false);  // (as if it never took the focus) the grid still knows the column
  ASSERT_EQ(grid->FilterColumn(), 1);
  ClickGlyph(1);
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(grid->FilterColumn(), -1);
}

TEST_F(FilterDropDown, ListPlacement)
{
  TDropList *list = List<TDropList>();
  TFilterDropDown *dd = grid->FilterDropDown();
  struct Case {
    const char *name;
    int col;
    bool columnWidth;
    bool autoSize;
  } cases[] = {
      {"below the glyph", 1, false, false},
      {"cell wide", 2, true, false},
      {"moved left to end at the last column", 3, false, false},
      {"auto size", 1, false, true},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.name);
    dd->SetColumnWidth(k.columnWidth);
    dd->SetAutoSize(k.autoSize);
    ClickGlyph(k.col);
    ASSERT_TRUE(list->Visible());
    const TRect R = grid->CellRect(k.col, 0);
    const TRect b = list->BoundsRect();
    EXPECT_EQ(b.Top, R.Top + 16);
    if (k.columnWidth) {
      EXPECT_EQ(b.Left, R.Left);
      EXPECT_EQ(b.Width(), R.Width());
    } else if (R.Right - 16 + b.Width() > grid->Width()) {
      EXPECT_EQ(b.Right, R.Right);
    } else {
      EXPECT_EQ(b.Left, R.Right - 16);
    }
    if (k.autoSize) {
      // Every item shows, none is cut.
      const int last = list->Items()->Count() - 1;
      EXPECT_LE(list->ItemRect(last).Bottom, list->ClientHeight());
      EXPECT_LT(b.Width(), 150);
    }
    ClickOutside();
    EXPECT_FALSE(list->Visible());
  }
}

TEST_F(FilterDropDown, CheckListFiltersByTheCheckedEntriesAndShowsThemAgain)
{
  grid->SetFilterDropDownCheck(true);
  TDropCheckList *checks = List<TDropCheckList>();
  ASSERT_NE(checks, nullptr);
  ClickGlyph(1);
  ASSERT_TRUE(checks->Visible());
  EXPECT_FALSE(List<TDropList>()->Visible());
  EXPECT_EQ(Items(checks), QStringList({"(All)", "Berlin", "New York", "Paris", "Rome"}));
  int reported = 0;
  grid->OnFilterCheck = [&](TObject *, int col, int, const QString &, QString &, TCheckListBox *list) {
    EXPECT_EQ(col, 1);
    EXPECT_EQ(list, checks);
    ++reported;
  };

  ClickItem(checks, 2, true);  // "New York"
  EXPECT_EQ(Column(1), QStringList({"New York", "New York"}));
  ClickItem(checks, 4, true);  // "Rome"
  EXPECT_EQ(Column(1), QStringList({"New York", "New York", "Rome"}));
  EXPECT_EQ(reported, 1 + 2);
  // The list stays open for more checks; Enter does not close it.
  EXPECT_TRUE(checks->Visible());
  SimKey(checks, VK_RETURN);
  EXPECT_TRUE(checks->Visible());
  EXPECT_EQ(grid->FilterColumn(), 1);

  ClickOutside();
  EXPECT_FALSE(checks->Visible());
  ClickGlyph(1);
  ASSERT_TRUE(checks->Visible());
  std::vector<bool> states;
  for (int i = 0; i < checks->Items()->Count(); ++i)
    states.push_back(checks->Checked(i));
  EXPECT_EQ(states, (std::vector<bool>{false, false, true, false, true}));
}

// Each check filters the rows; an incremental list built again from the rows left would no
// longer match what the open list shows.
TEST_F(FilterDropDown, CheckListKeepsItsEntriesWhileItsChecksFilter)
{
  grid->SetFilterDropDownCheck(true);
  grid->SetFilterIncremental(true);
  TDropCheckList *checks = List<TDropCheckList>();
  ClickGlyph(1);
  ASSERT_EQ(Items(checks), QStringList({"(All)", "Berlin", "New York", "Paris", "Rome"}));
  ClickItem(checks, 4, true);  // "Rome"
  ClickItem(checks, 1, true);  // "Berlin"
  EXPECT_EQ(Column(1), QStringList({"Berlin", "Berlin", "Rome"}));
}

// Entries whose condition is not their text ("Low=<3") show as checked once applied.
TEST_F(FilterDropDown, CheckListShowsConditionEntriesInForce)
{
  grid->SetFilterDropDownCheck(true);
  grid->SetFilterDropDownAuto(false);
  grid->OnGetColumnFilter = [](TObject *, int col, TStrings *list) {
    if (col == 2) {
      list->Add("Low=<3");
      list->Add("High=>4");
    }
  };
  TDropCheckList *checks = List<TDropCheckList>();
  ClickGlyph(2);
  ASSERT_TRUE(checks->Visible());
  ASSERT_EQ(Items(checks), QStringList({"Low", "High"}));
  ClickItem(checks, 0, true);
  EXPECT_EQ(Column(2), QStringList({"1", "2"}));
  ClickOutside();
  EXPECT_FALSE(checks->Visible());
  ClickGlyph(2);
  EXPECT_TRUE(checks->Checked(0));
  EXPECT_FALSE(checks->Checked(1));
}

TEST_F(FilterDropDown, OpenCheckListPicture)
{
  grid->SetFilterDropDownCheck(true);
  grid->FilterDropDown()->SetAutoSize(true);
  grid->FilterDropDown()->SetColor(0xE1FFFF);
  TDropCheckList *checks = List<TDropCheckList>();
  ClickGlyph(1);
  ClickItem(checks, 2, true);
  SimProcess();
  const QImage img = GrabControl(&form);
  EXPECT_TRUE(img.save(testsupport::OutputDir() + QStringLiteral("/filter_check_list.png")));
  // Inside the list, right of every text: the drop-down's colour.
  const TRect b = checks->BoundsRect();
  const TRect last = checks->ItemRect(checks->Items()->Count() - 1);
  EXPECT_EQ(img.pixel(b.Right - 6, b.Top + last.Bottom - 2) & 0xFFFFFF, 0xFFFFE1u);
}

} // namespace
