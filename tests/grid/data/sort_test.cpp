// Sorting: how two cells compare under each sort style, and how the row sorts move rows (single
// column, index list, node groups, undo), with what travels with a row and what stays.
#include <QStringList>

#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/system/sysutils.h"
#include "grid/core/footer.h"
#include "grid/core/grid_error.h"
#include "grid/core/grid_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/int_lists.h"

namespace {

struct SortFixture : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *g = new TZavStringGrid(&form);
  TFormatSettings savedSettings = FormatSettings;
  SortFixture()
  {
    FormatSettings.DateSeparator = '/';
    FormatSettings.TimeSeparator = ':';
    FormatSettings.ThousandSeparator = ',';
    FormatSettings.DecimalSeparator = '.';
    FormatSettings.ShortDateFormat = "M/d/yyyy";
    FormatSettings.LongTimeFormat = "h:mm:ss";
    g->SetParent(&form);
  }
  ~SortFixture() override { FormatSettings = savedSettings; }

  // One fixed row, then the rows given; column texts separated by "|".
  void Fill(const QStringList &Rows)
  {
    const int cols = int(Rows.value(0).split('|').size());
    g->SetColCount(cols);
    g->SetRowCount(int(Rows.size()) + 1);
    for (int r = 0; r < Rows.size(); ++r) {
      const QStringList cells = Rows[r].split('|');
      for (int c = 0; c < cells.size(); ++c)
        g->SetCells(c, r + 1, cells[c]);
    }
  }
  // The normal rows as "a|b|c" texts.
  QStringList Rows()
  {
    QStringList out;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < g->AllColCount(); ++c)
        cells << g->GridCells(c, r);
      out << cells.join('|');
    }
    return out;
  }
  QStringList Column(int ACol)
  {
    QStringList out;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r)
      out << g->GridCells(ACol, r);
    return out;
  }
};

// ---------------------------------------------------------------------------------------------
// Cell comparison

struct CompareCase {
  TSortStyle style;
  const char *s1, *s2;
  int expected;
  const char *prefix = "";
  const char *suffix = "";
  bool ignoreBlanks = false;
  TSortBlankPosition blankPos = blFirst;
  TSortDirection direction = sdAscending;
  char decimal = '.';
  char thousand = ',';
};

TEST_F(SortFixture, CellComparisonFollowsTheStyle)
{
  const CompareCase cases[] = {
      // Automatic: numbers as numbers, the rest as text, dates and times by their shape in s1.
      {ssAutomatic, "9", "10", -1},
      {ssAutomatic, "100", "10", 1},
      {ssAlphabetic, "10", "9", -1},
      {ssAlphabetic, "100", "9", -1},
      {ssAutomatic, "02/01/2021", "12/05/2020", 1},   // dates: Feb 2021 after Dec 2020
      {ssAlphabetic, "02/01/2021", "12/05/2020", -1},
      {ssAutomatic, "2020/05/12", "3/01/2019", -1},  // separator at position 5: text
      {ssAutomatic, "9:30", "10:15", -1},            // times
      {ssAutomatic, "02/01/2021 10:00", "02/01/2021 9:00", 1},
      {ssAutomatic, "abc", "ABD", 1},                 // ordinal: lower case after upper case
      {ssAlphaNoCase, "abc", "ABD", -1},
      {ssAlphaCase, "B", "a", -1},
      {ssAnsiAlphaNoCase, "a", "B", -1},
      {ssAnsiAlphaCase, "b", "C", -1},
      {ssAnsiAlphaCase, "é", "f", -1},  // locale order: an accented letter goes with its base letter
      {ssAnsiAlphaNoCase, "éa", "F", -1},
      {ssAlphabetic, "é", "f", 1},
      {ssAlphaNoCase, "é", "F", 1},
      // Numbers: empty counts 0, two unreadable texts are equal, separators, prefix and suffix.
      {ssNumeric, "", "-1", 1},
      {ssNumeric, "", "1", -1},
      {ssNumeric, "abc", "xyz", 0},
      {ssNumeric, "1,000", "5", -1},  // reads up to the separator: 1
      {ssFinancial, "1,000", "5", 1},
      {ssFinancial, "1,000.50", "1,000.25", 1},
      {ssNumeric, "$12 kg", "$9 kg", 1, "$", " kg"},
      {ssNumeric, "1,5", "1,25", 1, "", "", false, blFirst, sdAscending, ',', '.'},
      {ssFinancial, "1.000,5", "999,75", 1, "", "", false, blFirst, sdAscending, ',', '.'},
      {ssNumeric, "1e3", "999", 1},
      {ssAlphaNumeric, "10", "9", 1},
      {ssAlphaNumeric, "10", "9a", -1},
      {ssAlphaNumericNoCase, "a10", "A9", -1},
      // Dates in fixed orders.
      {ssShortDateEU, "01/02/2020", "02/01/2020", 1},
      {ssShortDateUS, "01/02/2020", "02/01/2020", -1},
      {ssShortDateEU, "31/02/2020", "01/01/1990", -1},  // impossible date: 0
      {ssDate, "not a date", "01/01/1900", -1},
      {ssTime, "23:59", "0:01", 1},
      {ssHTML, "<b>b</b>", "a", 1},
      {ssAlphabetic, "<b>b</b>", "a", -1},
      // Blanks placed by the settings in either direction.
      {ssNumeric, "", "5", 1, "", "", true, blLast},
      {ssNumeric, "", "5", -1, "", "", true, blLast, sdDescending},
      {ssNumeric, "", "-5", -1, "", "", true, blFirst},
      {ssNumeric, "5", "", -1, "", "", true, blLast},
      {ssAlphabetic, "", "", 0, "", "", true, blLast},
      {ssCustom, "x", "y", 0},  // no handler: equal
  };
  Fill({"a", "b"});
  for (const CompareCase &c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 vs %2, style %3").arg(c.s1, c.s2).arg(int(c.style)).toStdString());
    FormatSettings.DecimalSeparator = QChar(c.decimal);
    FormatSettings.ThousandSeparator = QChar(c.thousand);
    g->OnGetFormat = [&c](TObject *, int, TSortStyle &Style, QString &Prefix, QString &Suffix) {
      Style = c.style;
      Prefix = c.prefix;
      Suffix = c.suffix;
    };
    g->SortSettings()->SetIgnoreBlanks(c.ignoreBlanks);
    g->SortSettings()->SetBlankPos(c.blankPos);
    g->SetCells(0, 1, QString::fromUtf8(c.s1));
    g->SetCells(0, 2, QString::fromUtf8(c.s2));
    EXPECT_EQ(g->CompareCells(0, 1, 2, c.direction), c.expected);
  }
}

TEST_F(SortFixture, StartingStyleFollowsAutoFormatAndIgnoreCase)
{
  Fill({"abc", "ABD"});
  const struct {
    bool autoFormat, ignoreCase;
    int expected;
  } cases[] = {{true, false, 1}, {true, true, -1}, {false, false, 1}, {false, true, -1}};
  for (const auto &c : cases) {
    g->SortSettings()->SetAutoFormat(c.autoFormat);
    g->SortSettings()->SetIgnoreCase(c.ignoreCase);
    EXPECT_EQ(g->CompareCells(0, 1, 2, sdAscending), c.expected) << c.autoFormat << c.ignoreCase;
  }
}

TEST_F(SortFixture, CheckBoxCellsCompareByState)
{
  Fill({"", ""});
  g->AddCheckBox(0, 1, true, false);
  g->AddCheckBox(0, 2, false, false);
  EXPECT_EQ(g->CompareCells(0, 1, 2, sdAscending), 1);
  EXPECT_EQ(g->CompareCells(0, 2, 1, sdAscending), -1);
}

TEST_F(SortFixture, RowComparisonBreaksTiesToTheRightOnlyWithFull)
{
  Fill({"1|b|x", "1|a|y"});
  g->SortSettings()->SetFull(true);
  EXPECT_EQ(g->CompareRows(0, 1, 2), 1);
  g->IgnoreColumns()->Add(1);
  EXPECT_EQ(g->CompareRows(0, 1, 2), -1);  // column 1 ignored, column 2 decides
  g->SortSettings()->SetFull(false);
  EXPECT_EQ(g->CompareRows(0, 1, 2), 0);
}

TEST_F(SortFixture, IndexedComparisonTurnsEachEntry)
{
  Fill({"1|x|5", "2|x|5", "0|x|4"});
  g->SortIndexes()->AddIndex(2, true);
  g->SortIndexes()->AddIndex(0, false);
  EXPECT_EQ(g->CompareRowsIndexed(0, 1, 2), 1);   // tie on column 2, column 0 descending
  EXPECT_EQ(g->CompareRowsIndexed(0, 3, 1), -1);
  g->SortSettings()->SetFull(false);
  EXPECT_EQ(g->CompareRowsIndexed(0, 1, 2), 0);
}

// ---------------------------------------------------------------------------------------------
// Row sorts

TEST_F(SortFixture, SortByColumnOrdersTheNormalRowsBothWays)
{
  Fill({"10|a", "9|b", "100|c", "-1|d"});
  g->Sort(0, sdAscending);
  EXPECT_EQ(Column(0), QStringList({"-1", "9", "10", "100"}));
  EXPECT_EQ(Column(1), QStringList({"d", "b", "a", "c"}));
  g->Sort(0, sdDescending);
  EXPECT_EQ(Column(0), QStringList({"100", "10", "9", "-1"}));
}

TEST_F(SortFixture, IndexedSortUsesTheListAndRefusesAnEmptyOne)
{
  Fill({"1|b", "2|a", "3|b", "4|a"});
  EXPECT_THROW(g->QSortIndexed(), EZavGridError);
  EXPECT_EQ(Column(0), QStringList({"1", "2", "3", "4"}));
  g->SortIndexes()->AddIndex(1, true);
  g->SortIndexes()->AddIndex(0, false);
  g->QSortIndexed();
  EXPECT_EQ(Rows(), QStringList({"4|a", "2|a", "3|b", "1|b"}));
}

TEST_F(SortFixture, UnSortAfterTwoSortsRestoresTheFirstOrder)
{
  const QStringList rows = {"3|x", "1|z", "2|y", "5|w", "4|v"};
  Fill(rows);
  g->Sort(0, sdAscending);
  g->Sort(1, sdDescending);
  ASSERT_NE(Rows(), rows);
  g->QUnSort();
  EXPECT_EQ(Rows(), rows);
}

TEST_F(SortFixture, UnSortRefusesWhenRowsChangedSinceTheSort)
{
  Fill({"3", "1", "2"});
  g->Sort(0, sdAscending);
  g->SetRowCount(g->RowCount() + 1);
  g->SetCells(0, 4, "9");
  const QStringList before = Rows();
  g->QUnSort();
  EXPECT_EQ(Rows(), before);
}

TEST_F(SortFixture, SingleColumnReordersOnlyTheSortColumn)
{
  Fill({"3|a", "1|b", "2|c"});
  g->SortSettings()->SetSingleColumn(true);
  g->Sort(0, sdAscending);
  EXPECT_EQ(Rows(), QStringList({"1|a", "2|b", "3|c"}));
}

TEST_F(SortFixture, SingleColumnIndexedSortExchangesTheIndexColumns)
{
  Fill({"a|3|x", "b|1|y", "c|2|z"});
  g->SortSettings()->SetSingleColumn(true);
  ASSERT_EQ(g->SortSettings()->Column(), -1);
  g->SortIndexes()->AddIndex(1, true);
  g->QSortIndexed();
  EXPECT_EQ(Rows(), QStringList({"a|1|x", "b|2|y", "c|3|z"}));
}

TEST_F(SortFixture, SingleColumnExchangesStoredTextsNotDisplayTexts)
{
  Fill({"3|a", "1|b", "2|c"});
  g->OnGetDisplText = [](TObject *, int ACol, int, QString &Value) {
    if (ACol == 0)
      Value += " kg";
  };
  g->SortSettings()->SetSingleColumn(true);
  g->Sort(0, sdAscending);
  EXPECT_EQ(Column(0), QStringList({"1", "2", "3"}));
}

TEST_F(SortFixture, NormalCellsOnlyKeepsColumnZero)
{
  Fill({"1|c", "2|a", "3|b"});
  g->SetFixedCols(1);
  g->SortSettings()->SetNormalCellsOnly(true);
  g->Sort(1, sdAscending);
  EXPECT_EQ(Rows(), QStringList({"1|a", "2|b", "3|c"}));
}

TEST_F(SortFixture, HiddenColumnsTravelWithTheirRows)
{
  Fill({"c|3|z", "a|1|x", "b|2|y"});
  g->HideColumn(2);
  g->Sort(0, sdAscending);
  g->UnHideColumn(2);
  EXPECT_EQ(Rows(), QStringList({"a|1|x", "b|2|y", "c|3|z"}));
}

TEST_F(SortFixture, RowExchangesOutsideASortMoveHiddenColumns)
{
  Fill({"a|1|x", "b|2|y"});
  g->HideColumn(2);
  g->SwapRows(1, 2);
  g->SortSwapRows(1, 2);
  g->SwapRows(1, 2);
  g->UnHideColumn(2);
  EXPECT_EQ(Rows(), QStringList({"b|2|y", "a|1|x"}));
}

TEST_F(SortFixture, FooterRowStaysLast)
{
  Fill({"3", "1", "2", "total"});
  g->SetFixedFooters(1);
  g->Sort(0, sdDescending);
  EXPECT_EQ(Column(0), QStringList({"3", "2", "1", "total"}));
}

TEST_F(SortFixture, MoveRowOnSortKeepsTheCurrentRecord)
{
  Fill({"3", "1", "2"});
  g->SetRow(1);  // "3"
  g->Navigation()->SetMoveRowOnSort(true);
  g->Sort(0, sdAscending);
  EXPECT_EQ(g->Row(), 3);
  g->Navigation()->SetMoveRowOnSort(false);
  g->Sort(0, sdDescending);
  EXPECT_EQ(g->Row(), 3);  // the position stays, the record moved
}

TEST_F(SortFixture, EqualRowsAreNotExchanged)
{
  Fill({"1|c", "1|a", "1|b", "1|d"});
  g->SortSettings()->SetFull(false);
  const int swaps = g->Swaps;
  g->Sort(0, sdAscending);
  EXPECT_EQ(g->Swaps, swaps);
  EXPECT_EQ(Column(1), QStringList({"c", "a", "b", "d"}));
}

TEST_F(SortFixture, SortLineLeavesEqualRowsOnAFreshGrid)
{
  Fill({"1|a", "1|a"});
  EXPECT_FALSE(g->SortLine(0, 1, 2));
  g->SetCells(1, 1, "b");
  EXPECT_TRUE(g->SortLine(0, 1, 2));
  EXPECT_EQ(Rows(), QStringList({"1|a", "1|b"}));
}

TEST_F(SortFixture, CustomCompareCountsOnlyTheSign)
{
  Fill({"ccc", "a", "bb", "dddd"});
  g->OnGetFormat = [](TObject *, int, TSortStyle &Style, QString &, QString &) { Style = ssCustom; };
  g->OnCustomCompare = [](TObject *, const QString &s1, const QString &s2, int &Res) {
    Res = int(s1.size() - s2.size()) * 7;
  };
  g->Sort(0, sdAscending);
  EXPECT_EQ(Column(0), QStringList({"a", "bb", "ccc", "dddd"}));
  g->Sort(0, sdDescending);
  EXPECT_EQ(Column(0), QStringList({"dddd", "ccc", "bb", "a"}));
}

TEST_F(SortFixture, FailingCompareLeavesCountsAndCells)
{
  Fill({"c|1", "a|2", "b|3"});
  g->HideColumn(1);
  g->OnGetFormat = [](TObject *, int, TSortStyle &Style, QString &, QString &) { Style = ssCustom; };
  int calls = 0;
  g->OnCustomCompare = [&calls](TObject *, const QString &, const QString &, int &Res) {
    if (++calls == 3)
      throw Exception("compare failed");
    Res = 1;
  };
  EXPECT_THROW(g->Sort(0, sdAscending), Exception);
  EXPECT_EQ(g->RowCount(), 4);
  EXPECT_EQ(g->ColCount(), 1);
  g->UnHideColumn(1);
  QStringList rows = Rows();
  rows.sort();
  EXPECT_EQ(rows, QStringList({"a|2", "b|3", "c|1"}));
}

TEST_F(SortFixture, GroupSortsNeedAColumnOrAnIndexList)
{
  // The node's children stand in descending order, so any pass would move them.
  Fill({"n|3", "n|2", "n|1"});
  g->AddNode(1, 3);
  g->QSortGroup();  // no sort column
  EXPECT_EQ(Column(1), QStringList({"3", "2", "1"}));
  EXPECT_THROW(g->QSortGroupIndexed(), EZavGridError);
  EXPECT_EQ(Column(1), QStringList({"3", "2", "1"}));
}

TEST_F(SortFixture, GroupSortSortsOnlyTheChildrenOfExpandedDeepestNodes)
{
  Fill({"top", "n1", "c", "a", "b", "n2", "z", "x", "y"});
  g->AddNode(1, 9);  // rows 1..9
  g->AddNode(2, 4);  // rows 2..5
  g->AddNode(6, 4);  // rows 6..9
  g->ContractNode(6);
  g->SortSettings()->SetColumn(0);
  g->QSortGroup();
  g->ExpandNode(6);
  EXPECT_EQ(Column(0), QStringList({"top", "n1", "a", "b", "c", "n2", "z", "x", "y"}));
}

TEST_F(SortFixture, GroupingSortsBeforeItGroups)
{
  Fill({"x|b", "x|a", "y|b", "x|c"});
  g->SetFixedCols(0);
  g->Group(1);
  QStringList nodes;
  for (int r = g->FixedRows(); r < g->RowCount(); ++r)
    if (g->IsNode(r))
      nodes << g->GridCells(1, r);
  EXPECT_EQ(nodes.size(), 3);
}

}  // namespace
