#include "grid/core/sort_settings.h"

#include <gtest/gtest.h>

#include "grid/core/zav_string_grid.h"
#include "tests/grid/core/settings_prop_table.h"

using namespace settingstest;

namespace {

using T = TSortSettings;

// Counts the sorts the settings ask for.
class SortGrid : public TZavStringGrid {
public:
  SortGrid() : TZavStringGrid(nullptr) { SetColCount(6); }
  void QSort() override { ++Sorts; }
  void QSortIndexed() override { ++IndexedSorts; }
  int Sorts = 0;
  int IndexedSorts = 0;
};

}  // namespace

TEST(SortSettings, DefaultsAndAssignExclusions)
{
  SortGrid grid;
  CheckDefaultsAndAssign<T>(
      [&] { return std::make_unique<T>(&grid); },
      {
          P("AutoSortForGrouping", &T::AutoSortForGrouping, &T::SetAutoSortForGrouping, true, false),
          P("AutoColumnMerge", &T::AutoColumnMerge, &T::SetAutoColumnMerge, false, true),
          P("Column", &T::Column, &T::SetColumn, -1, 2),
          P("Show", &T::Show, &T::SetShow, false, true),
          P("IndexShow", &T::IndexShow, &T::SetIndexShow, false, true),
          P("IndexColor", &T::IndexColor, &T::SetIndexColor, 0x00FFFF, clRed),
          P("IndexSortKey", &T::IndexSortKey, &T::SetIndexSortKey, ikShift, ikCtrl),
          P("Full", &T::Full, &T::SetFull, true, false),
          P("SingleColumn", &T::SingleColumn, &T::SetSingleColumn, false, true),
          P("IgnoreBlanks", &T::IgnoreBlanks, &T::SetIgnoreBlanks, false, true),
          P("BlankPos", &T::BlankPos, &T::SetBlankPos, blFirst, blLast),
          P("AutoFormat", &T::AutoFormat, &T::SetAutoFormat, true, false),
          P("Direction", &T::Direction, &T::SetDirection, sdAscending, sdDescending),
          GlyphP("UpGlyph", &T::UpGlyph, &T::SetUpGlyph),
          GlyphP("DownGlyph", &T::DownGlyph, &T::SetDownGlyph),
          P("IgnoreCase", &T::IgnoreCase, &T::SetIgnoreCase, false, true, false),
          GlyphP("IndexUpGlyph", &T::IndexUpGlyph, &T::SetIndexUpGlyph),
          GlyphP("IndexDownGlyph", &T::IndexDownGlyph, &T::SetIndexDownGlyph),
          P("InitSortDirection", &T::InitSortDirection, &T::SetInitSortDirection, sdAscending, sdDescending),
          P("FixedCols", &T::FixedCols, &T::SetFixedCols, false, true),
          P("NormalCellsOnly", &T::NormalCellsOnly, &T::SetNormalCellsOnly, false, true),
          P("Row", &T::Row, &T::SetRow, 0, -1),
          P("UndoSort", &T::UndoSort, &T::SetUndoSort, false, true),
          P("SortOnVirtualCells", &T::SortOnVirtualCells, &T::SetSortOnVirtualCells, true, false, false),
          P("HeaderColor", &T::HeaderColor, &T::SetHeaderColor, clNone, clRed),
          P("HeaderColorTo", &T::HeaderColorTo, &T::SetHeaderColorTo, clNone, clRed),
          P("HeaderMirrorColor", &T::HeaderMirrorColor, &T::SetHeaderMirrorColor, clNone, clRed),
          P("HeaderMirrorColorTo", &T::HeaderMirrorColorTo, &T::SetHeaderMirrorColorTo, clNone, clRed),
      });
}

TEST(SortSettings, SaveToString)
{
  SortGrid grid;
  T s(&grid);
  EXPECT_EQ(s.SaveToString(), QStringLiteral("u-1"));
  s.SetColumn(3);
  s.SetDirection(sdDescending);
  EXPECT_EQ(s.SaveToString(), QStringLiteral("d3"));
  grid.SortIndexes()->AddIndex(2, true);
  grid.SortIndexes()->AddIndex(5, false);
  s.SetIndexShow(true);
  EXPECT_EQ(s.SaveToString(), QStringLiteral("i;u2;d5"));
}

// Loading starts from sort column 1, descending, no index shown; the grid has 6 columns.
TEST(SortSettings, LoadFromString)
{
  struct Case {
    const char *text;
    int column;
    TSortDirection direction;
    bool indexShow;
    bool show;
    int sorts;
    int indexedSorts;
    const char *index;
  };
  const Case cases[] = {
      {"", 1, sdDescending, false, false, 0, 0, ""},
      {"d3", 3, sdDescending, false, true, 1, 0, ""},
      {"u0", 0, sdAscending, false, true, 1, 0, ""},
      {"u 0x5", 5, sdAscending, false, true, 1, 0, ""},
      {"d1u", 1, sdAscending, false, true, 0, 0, ""},  // has a "u"; "1u" is no number
      {"dd", 1, sdDescending, false, true, 0, 0, ""},
      {"i;", 1, sdDescending, true, true, 0, 0, ""},
      {"i;u2;d5", 1, sdDescending, true, true, 0, 1, "u2;d5"},
      // A column the grid does not have is no sort column.
      {"u6", 1, sdAscending, false, true, 0, 0, ""},
      {"d-1", 1, sdDescending, false, true, 0, 0, ""},
      {"u-1", 1, sdAscending, false, true, 0, 0, ""},
  };
  for (const Case &c : cases) {
    SortGrid grid;
    T s(&grid);
    s.SetColumn(1);
    s.SetDirection(sdDescending);
    s.LoadFromString(QString::fromLatin1(c.text));
    EXPECT_EQ(s.Column(), c.column) << c.text;
    EXPECT_EQ(s.Direction(), c.direction) << c.text;
    EXPECT_EQ(s.IndexShow(), c.indexShow) << c.text;
    EXPECT_EQ(s.Show(), c.show) << c.text;
    EXPECT_EQ(grid.Sorts, c.sorts) << c.text;
    EXPECT_EQ(grid.IndexedSorts, c.indexedSorts) << c.text;
    EXPECT_EQ(grid.SortIndexes()->SaveToString().toStdString(), c.index) << c.text;
  }
}

TEST(SortSettings, ShortTextRaisesAfterShowIsSet)
{
  SortGrid grid;
  T s(&grid);
  try {
    s.LoadFromString(QStringLiteral("x"));
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Invalid sort settings specifier"));
  }
  EXPECT_TRUE(s.Show());
  EXPECT_EQ(grid.Sorts, 0);
}

TEST(SortSettings, RowMustLieInTheFixedRows)
{
  SortGrid grid;
  grid.SetFixedRows(1);
  T s(&grid);
  s.SetRow(0);
  EXPECT_EQ(s.Row(), 0);
  try {
    s.SetRow(1);
    FAIL() << "no exception";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Sort row should be smaller than number of fixed rows"));
  }
  EXPECT_EQ(s.Row(), 0);
}

TEST(SortSettings, RemoveForgetsColumnAndIndex)
{
  SortGrid grid;
  T s(&grid);
  s.LoadFromString(QStringLiteral("i;u2;d5"));
  s.SetColumn(4);
  s.Remove();
  EXPECT_EQ(s.Column(), -1);
  EXPECT_EQ(grid.SortIndexes()->Count(), 0);
  s.ToggleDirection();
  EXPECT_EQ(s.Direction(), sdDescending);
}
