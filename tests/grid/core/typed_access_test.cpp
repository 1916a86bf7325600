#include <gtest/gtest.h>

#include <optional>

#include "editors/cell_checker.h"
#include "framework/system/sysutils.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"
#include "grid/core/grid_error.h"
#include "grid/core/zav_string_grid.h"

namespace {

struct TypedAccess : ::testing::Test {
  TFormatSettings saved = FormatSettings;
  TZavStringGrid grid{nullptr};
  void SetUp() override
  {
    FormatSettings = TFormatSettings::Invariant();
    grid.SetColCount(5);
    grid.SetRowCount(8);
  }
  void TearDown() override { FormatSettings = saved; }
};

// The grid error's message, or nothing when the call does not raise it.
template <typename F>
std::optional<QString> GridError(F &&Call)
{
  try {
    Call();
  } catch (const EZavGridError &e) {
    return e.Message();
  }
  return std::nullopt;
}

}  // namespace

TEST_F(TypedAccess, IntsReadTheStrippedTextWithTheFrameworkRules)
{
  struct Case {
    const char *text;
    int value;
  };
  const Case cases[] = {{" 42 ", 42}, {"", 0}, {"-", 0}, {"4<b>2</b>", 42}, {"-7", -7}, {"$1F", 31}, {"0x10", 16}};
  for (const Case &c : cases) {
    grid.SetCells(2, 3, QString::fromUtf8(c.text));
    EXPECT_EQ(grid.Ints(2, 3), c.value) << c.text;
  }
  for (const char *bad : {"4.2", "12abc", "4 2", "x"}) {
    grid.SetCells(2, 3, QString::fromUtf8(bad));
    EXPECT_EQ(GridError([&] { grid.Ints(2, 3); }), QStringLiteral("Cell does not contain integer value")) << bad;
  }
}

TEST_F(TypedAccess, AllIntsReadRealRowsWithoutStrippingMarkup)
{
  grid.SetCells(1, 2, QStringLiteral("4<b>2</b>"));
  EXPECT_EQ(GridError([&] { grid.AllInts(1, 2); }), QStringLiteral("Cell does not contain integer value"));
  grid.SetAllInts(1, 5, 17);
  grid.HideRow(5);
  EXPECT_EQ(grid.AllInts(1, 5), 17);
  grid.SetAllInts(1, 5, 18);
  grid.UnHideRow(5);
  EXPECT_EQ(grid.Ints(1, 5), 18);
}

TEST_F(TypedAccess, FloatsReadTheLocaleForms)
{
  struct Case {
    QChar thousand, decimal;
    const char *text;
    double value;
  };
  const Case cases[] = {
      {'.', ',', "(1.234,5)", -1234.5}, {'.', ',', "1,5", 1.5},   {'.', ',', "", 0},
      {'.', ',', "-", 0},               {',', '.', "1,234.5", 1234.5}, {',', '.', " -2.25 ", -2.25},
      {',', '.', "<i>3.5</i>", 3.5},
  };
  for (const Case &c : cases) {
    FormatSettings.ThousandSeparator = c.thousand;
    FormatSettings.DecimalSeparator = c.decimal;
    grid.SetCells(2, 3, QString::fromUtf8(c.text));
    EXPECT_DOUBLE_EQ(grid.Floats(2, 3), c.value) << c.text;
  }
  // Letters before the number are passed over; a second decimal point is no number.
  grid.SetCells(2, 3, QStringLiteral("1.2.3"));
  EXPECT_EQ(GridError([&] { grid.Floats(2, 3); }), QStringLiteral("Cell does not contain a float value"));
  EXPECT_EQ(GridError([&] { grid.AllFloats(2, 3); }), QStringLiteral("Cell does not contain a float value"));
}

TEST_F(TypedAccess, FloatsWriteWithTheFloatFormatAndReadBack)
{
  FormatSettings.ThousandSeparator = '.';
  FormatSettings.DecimalSeparator = ',';
  grid.SetFloats(2, 3, 1234.5);
  EXPECT_EQ(grid.Cells(2, 3), QStringLiteral("1234,50"));
  EXPECT_DOUBLE_EQ(grid.Floats(2, 3), 1234.5);
  grid.SetFloatFormat(QStringLiteral("%.3f"));
  grid.SetAllFloats(1, 4, 0.5);
  EXPECT_EQ(grid.AllCells(1, 4), QStringLiteral("0,500"));
}

TEST_F(TypedAccess, AFormatThatDoesNotFitRaisesTheConversionError)
{
  grid.SetFloatFormat(QStringLiteral("%d"));
  EXPECT_THROW(grid.SetFloats(2, 3, 1.5), EConvertError);
  EXPECT_THROW(grid.SetAllFloats(2, 3, 1.5), EConvertError);
  EXPECT_THROW(grid.FormatFill(false, QStringLiteral("%s-%d")), EConvertError);
  EXPECT_THROW(grid.FormatFill(false, QStringLiteral("%d-%d-%d")), EConvertError);
  // The update lock is given back.
  EXPECT_EQ(grid.UpdateCount(), 0);
}

TEST_F(TypedAccess, ColumnGridWritesFloatsWithTheColumnFormat)
{
  TZavColumnGrid cg{nullptr};
  cg.SetColCount(4);
  cg.Columns()->Items(2)->SetFloatFormat(QStringLiteral("%.3f"));
  cg.SetFloats(2, 1, 2.5);
  cg.SetFloats(3, 1, 2.5);
  EXPECT_EQ(cg.Cells(2, 1), QStringLiteral("2.500"));
  EXPECT_EQ(cg.Cells(3, 1), QStringLiteral("2.50"));

  TGridColumnItem *item = cg.Columns()->Items(1);
  item->SetInts(2, 9);
  EXPECT_EQ(cg.Cells(1, 2), QStringLiteral("9"));
  EXPECT_EQ(item->Ints(2), 9);
  item->SetFloats(3, 1.25);
  EXPECT_DOUBLE_EQ(item->Floats(3), 1.25);
  item->SetDates(4, EncodeDate(2024, 3, 5));
  EXPECT_EQ(item->Dates(4), EncodeDate(2024, 3, 5));
  item->SetTimes(5, EncodeTime(13, 45, 0, 0));
  EXPECT_EQ(cg.Cells(1, 5), QStringLiteral("1:45:00 PM"));
  EXPECT_DOUBLE_EQ(item->Times(5), EncodeTime(13, 45, 0, 0));
}

TEST_F(TypedAccess, DatesAndTimesFollowTheLocale)
{
  FormatSettings.DateSeparator = '.';
  FormatSettings.ShortDateFormat = QStringLiteral("dd/MM/yyyy");
  FormatSettings.TimeSeparator = ':';
  FormatSettings.LongTimeFormat = QStringLiteral("hh:mm:ss");
  const TDateTime day = EncodeDate(2024, 3, 5);
  grid.SetDates(1, 1, day);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("05.03.2024"));
  EXPECT_EQ(grid.Dates(1, 1), day);
  grid.SetTimes(1, 2, EncodeTime(7, 5, 9, 0));
  EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("07:05:09"));
  EXPECT_DOUBLE_EQ(grid.Times(1, 2), EncodeTime(7, 5, 9, 0));

  grid.SetCells(1, 3, QStringLiteral("not a date"));
  EXPECT_THROW(grid.Dates(1, 3), EConvertError);
  EXPECT_THROW(grid.Times(1, 3), EConvertError);
}

TEST_F(TypedAccess, NullDatesAreEmptyUnlessShown)
{
  grid.SetShowNullDates(false);
  grid.SetCells(1, 1, QStringLiteral("x"));
  grid.SetDates(1, 1, 0);
  EXPECT_EQ(grid.Cells(1, 1), QString());
  grid.SetDates(1, 1, -3);
  EXPECT_EQ(grid.Cells(1, 1), QString());
  grid.SetShowNullDates(true);
  grid.SetDates(1, 1, 0);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("12/30/1899"));
}

TEST_F(TypedAccess, ControlValuesReadAndWriteAnEmbeddedControl)
{
  const QString cell = QStringLiteral("Name <CONTROL TYPE=\"EDIT\" ID=\"e1\" VALUE=\"x\" WIDTH=\"50\">");
  grid.SetCells(1, 1, cell);
  EXPECT_EQ(grid.ControlValues(1, 1, QStringLiteral("e1")), QStringLiteral("x"));
  EXPECT_EQ(grid.ControlValues(1, 1, QStringLiteral("e2")), QString());
  grid.SetControlValues(1, 1, QStringLiteral("e2"), QStringLiteral("y"));
  EXPECT_EQ(grid.Cells(1, 1), cell);
  grid.SetControlValues(1, 1, QStringLiteral("e1"), QStringLiteral("y"));
  EXPECT_EQ(grid.ControlValues(1, 1, QStringLiteral("e1")), QStringLiteral("y"));
}

TEST_F(TypedAccess, PrintColumnsOutsideTheTableRaise)
{
  EXPECT_EQ(grid.PrintColWidth(0), 0);
  EXPECT_EQ(grid.PrintColOffset(511), 0);
  for (int col : {-1, 512})
    for (auto read : {&TZavStringGrid::PrintColWidth, &TZavStringGrid::PrintColOffset})
      EXPECT_EQ(GridError([&] { (grid.*read)(col); }), QStringLiteral("Columns is not in valid range")) << col;
  EXPECT_EQ(grid.Version(), QStringLiteral("6.2.1.3"));
}

TEST_F(TypedAccess, FillsCoverTheNormalOrTheFullRange)
{
  grid.SetFixedFooters(1);
  grid.FormatFill(false, QStringLiteral("%d-%d"));
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("2-1"));
  EXPECT_EQ(grid.Cells(4, 6), QStringLiteral("4-6"));
  EXPECT_EQ(grid.Cells(0, 1), QString());  // fixed column
  EXPECT_EQ(grid.Cells(2, 0), QString());  // fixed row
  EXPECT_EQ(grid.Cells(2, 7), QString());  // footer row
  grid.LinearFill(true);
  EXPECT_EQ(grid.Cells(2, 1), QStringLiteral("2:1"));
  EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("0:0"));
  EXPECT_EQ(grid.Cells(4, 7), QStringLiteral("4:7"));
  grid.TextFill(false, QStringLiteral("t"));
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("t"));
  EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("0:0"));
}

TEST_F(TypedAccess, RandomFillStaysInRangeAndWritesZeroForAnEmptyRange)
{
  grid.RandomFill(false, 3);
  for (int r = 1; r < 8; ++r)
    for (int c = 1; c < 5; ++c) {
      const int v = grid.Ints(c, r);
      EXPECT_TRUE(v >= 0 && v < 3) << v;
    }
  for (int range : {0, -4}) {
    grid.RandomFill(false, range);
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("0"));
    EXPECT_EQ(grid.Cells(4, 7), QStringLiteral("0"));
  }
}

TEST_F(TypedAccess, SwapCellsExchangesTextsAndProperties)
{
  grid.SetCells(1, 1, QStringLiteral("a"));
  grid.SetColors(1, 1, clRed);
  grid.SetCells(3, 4, QStringLiteral("b"));
  grid.SwapCells(TGridCoord{1, 1}, TGridCoord{3, 4});
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("b"));
  EXPECT_EQ(grid.Colors(1, 1), clNone);
  EXPECT_EQ(grid.Cells(3, 4), QStringLiteral("a"));
  EXPECT_EQ(grid.Colors(3, 4), clRed);
}

TEST_F(TypedAccess, ColumnAndRowHeadersWriteTheFixedCells)
{
  TStringList headers;
  headers.Add(QStringLiteral("No"));
  headers.Add(QStringLiteral("Two\\nlines"));
  headers.Add(QStringLiteral("C"));
  grid.SetColumnHeaders(&headers);
  EXPECT_EQ(grid.Cells(1, 0), QStringLiteral("Two\rlines"));
  EXPECT_EQ(grid.Cells(2, 0), QStringLiteral("C"));
  headers.Delete(2);
  grid.SetColumnHeaders(&headers);
  EXPECT_EQ(grid.Cells(2, 0), QString());  // a shorter list clears the old titles

  grid.RowHeaders()->Add(QString());
  grid.RowHeaders()->Add(QStringLiteral("first"));
  EXPECT_EQ(grid.Cells(0, 1), QStringLiteral("first"));
  grid.ClearRowHeaders();
  EXPECT_EQ(grid.Cells(0, 1), QString());
}

TEST_F(TypedAccess, HighlightingEncodesEntitiesAndUnhighlightingDecodesThem)
{
  struct Case {
    const char *text, *search;
    bool doCase;
    const char *highlighted;
  };
  const Case cases[] = {
      {"a<b", "zz", false, "a&lt;b"},
      {"abc", "b", false, "a<hi>b</hi>c"},
      {"aBc", "b", true, "aBc"},
      {"aBc", "b", false, "a<hi>B</hi>c"},
  };
  for (const Case &c : cases) {
    grid.SetCells(2, 2, QString::fromUtf8(c.text));
    grid.HilightInCell(c.doCase, 2, 2, QString::fromUtf8(c.search));
    EXPECT_EQ(grid.Cells(2, 2), QString::fromUtf8(c.highlighted)) << c.text;
    grid.UnHilightInCell(2, 2);
    EXPECT_EQ(grid.Cells(2, 2), QString::fromUtf8(c.text)) << c.text;
  }
  grid.SetCells(1, 1, QStringLiteral("xy"));
  grid.MarkInCell(false, 1, 1, QStringLiteral("y"));
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("x<e>y</e>"));
  grid.UnMarkInCell(1, 1);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("xy"));
}

TEST_F(TypedAccess, RowHighlightingMissesHiddenColumnsButRemovalReachesThem)
{
  for (int c = 0; c < 5; ++c)
    grid.SetCells(c, 2, QStringLiteral("ab"));
  grid.HideColumn(2);
  grid.HilightInRow(false, false, 2, QStringLiteral("a"));
  EXPECT_EQ(grid.Cells(3, 2), QStringLiteral("<hi>a</hi>b"));
  EXPECT_EQ(grid.Cells(4, 2), QStringLiteral("ab"));
  grid.SetCells(4, 2, QStringLiteral("<hi>a</hi>b"));
  grid.UnHilightInRow(false, 2);
  for (int c = 1; c < 5; ++c)
    EXPECT_EQ(grid.Cells(c, 2), QStringLiteral("ab")) << c;
}

TEST_F(TypedAccess, HighlightingSkipsTheCoveredCellsOfAMergedBlock)
{
  grid.SetCells(1, 1, QStringLiteral("ab"));
  grid.SetGridCells(2, 1, QStringLiteral("ab"));
  grid.MergeCells(1, 1, 2, 1);
  grid.HilightInGrid(false, false, QStringLiteral("a"));
  EXPECT_EQ(grid.GridCells(1, 1), QStringLiteral("<hi>a</hi>b"));
  EXPECT_EQ(grid.GridCells(2, 1), QStringLiteral("ab"));
}

namespace {

// Marks every text and counts its calls.
struct MarkAll : TZavStringGridCheck {
  using TZavStringGridCheck::TZavStringGridCheck;
  int marks = 0, starts = 0, stops = 0;
  QString MarkError(int, int, const QString &s) override
  {
    ++marks;
    return QStringLiteral("<e>") + s + QStringLiteral("</e>");
  }
  void StartCheck() override { ++starts; }
  void StopCheck() override { ++stops; }
};

// Passes every text and corrects nothing.
struct PassAll : TZavStringGridCheck {
  using TZavStringGridCheck::TZavStringGridCheck;
};

}  // namespace

TEST_F(TypedAccess, CheckCellsChecksEveryCellAfterAFailure)
{
  EXPECT_TRUE(grid.CheckGrid(false));  // no checker: everything passes
  MarkAll checker{nullptr};
  checker.SetUseMarkError(true);
  grid.SetCellChecker(&checker);
  grid.SetCells(1, 1, QStringLiteral("x"));
  EXPECT_FALSE(grid.CheckCells(1, 1, 3, 2));
  EXPECT_EQ(checker.marks, 6);
  EXPECT_EQ(checker.starts, 1);
  EXPECT_EQ(checker.stops, 1);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("<e>x</e>"));
  // The old marks go before the checker sees the text again.
  EXPECT_FALSE(grid.CheckCell(1, 1));
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("<e>x</e>"));
  grid.SetCellChecker(nullptr);
}

TEST_F(TypedAccess, CheckingKeepsDisplayDecorationsOutOfTheData)
{
  PassAll checker{nullptr};
  checker.SetUseCorrect(true);
  grid.SetCellChecker(&checker);
  grid.OnGetDisplText = [](TObject *, int, int, QString &Value) {
    if (!Value.isEmpty())
      Value += QStringLiteral(" kg");
  };
  grid.SetGridCells(2, 2, QStringLiteral("5"));
  grid.SetGridCells(2, 3, QStringLiteral("<e>6</e>"));
  EXPECT_TRUE(grid.CheckCol(false, 2));
  EXPECT_EQ(grid.GridCells(2, 2), QStringLiteral("5"));
  EXPECT_EQ(grid.GridCells(2, 3), QStringLiteral("6"));  // a passing cell loses its old mark
  grid.SetCellChecker(nullptr);
}
