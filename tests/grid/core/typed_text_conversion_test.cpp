#include <gtest/gtest.h>

#include "framework/graphics/graphics.h"
#include "framework/system/sysutils.h"
#include "grid/core/feature_settings.h"
#include "grid/core/sort_settings.h"
#include "grid/core/text_conversion.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"

namespace {

// The protected text hooks, reached as the exporters and importers reach them.
struct TextGrid : TZavStringGrid {
  using TZavStringGrid::TZavStringGrid;
  using TZavStringGrid::GetSaveCellText;
  using TZavStringGrid::SetLoadedCellText;
};

struct TextConversion : ::testing::Test {
  TextGrid grid{nullptr};
  void SetUp() override
  {
    grid.SetColCount(5);
    grid.SetRowCount(8);
  }
};

}  // namespace

TEST_F(TextConversion, SavedTextsOfMarkupAndCheckBoxes)
{
  grid.SetSaveWithHTML(false);
  grid.SetCells(1, 1, QStringLiteral("<b>x</b><br>y"));
  EXPECT_EQ(grid.GetSaveCellText(1, 1), QStringLiteral("x\r\ny"));
  grid.SetSaveWithHTML(true);
  EXPECT_EQ(grid.GetSaveCellText(1, 1), QStringLiteral("<b>x</b><br>y"));

  struct Case {
    const char *name;
    void (*add)(TZavStringGrid &, int r);
    const char *saved;
  };
  const Case cases[] = {
      {"checked", [](TZavStringGrid &g, int r) { g.AddCheckBox(2, r, true, false); }, "Y"},
      {"unchecked", [](TZavStringGrid &g, int r) { g.AddCheckBox(2, r, false, false); }, "N"},
      {"tri-state checked", [](TZavStringGrid &g, int r) { g.AddCheckBox(2, r, cbChecked); }, "Y"},
      {"tri-state grayed", [](TZavStringGrid &g, int r) { g.AddCheckBox(2, r, cbGrayed); }, "N"},
      {"data box keeps its text",
       [](TZavStringGrid &g, int r) {
         g.AddCheckBox(2, r, false, true);
         g.SetCells(2, r, QStringLiteral("Y"));
       },
       "Y"},
  };
  int r = 1;
  for (const Case &c : cases) {
    c.add(grid, r);
    EXPECT_EQ(grid.GetSaveCellText(2, r), QString::fromUtf8(c.saved)) << c.name;
    ++r;
  }
}

TEST_F(TextConversion, SaveAndLoadEventsMayChangeTheText)
{
  grid.SetCells(1, 1, QStringLiteral("a"));
  grid.OnSaveCell = [](TObject *, int, int, QString &Value) { Value += QStringLiteral("!"); };
  EXPECT_EQ(grid.GetSaveCellText(1, 1), QStringLiteral("a!"));
  grid.OnLoadCell = [](TObject *, int, int, QString &Value) { Value = Value.toUpper(); };
  grid.SetLoadedCellText(1, 2, QStringLiteral("<b>b</b>"));
  EXPECT_EQ(grid.GridCells(1, 2), QStringLiteral("<B>B</B>"));
}

TEST_F(TextConversion, WebAddressesBecomeLinksByTheFirstMatchingPrefix)
{
  grid.SetURLShowInText(true);
  grid.SetCells(1, 1, QStringLiteral("see www.x.com"));
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("see <a href=\"www.x.com\">www.x.com</a>"));
  grid.SetCells(1, 2, QStringLiteral("http://a.com www.b.com"));
  EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("<a href=\"http://a.com\">http://a.com</a> www.b.com"));
  grid.SetURLShowInText(false);
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("see www.x.com"));
}

TEST_F(TextConversion, NodeRowsShowTheirGroupCount)
{
  TCellGraphic *node = grid.CreateCellGraphic(0, 2);
  node->SetCellType(ctNode);
  node->SetCellIndex(5);    // span
  node->SetCellErrFrom(1);  // sub-nodes
  grid.SetCells(1, 2, QStringLiteral("Group"));
  grid.SetCells(1, 3, QStringLiteral("Member"));
  EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("Group"));
  grid.Grouping()->SetShowGroupCount(true);
  EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("Group (3)"));
  EXPECT_EQ(grid.Cells(1, 3), QStringLiteral("Member"));
  EXPECT_EQ(grid.Cells(2, 2), QString());
  grid.Grouping()->SetGroupCountFormat(QStringLiteral(" [%d]"));
  EXPECT_EQ(grid.Cells(1, 2), QStringLiteral("Group [3]"));
  grid.Grouping()->SetGroupCountFormat(QStringLiteral(" [%s]"));
  EXPECT_THROW(grid.Cells(1, 2), EConvertError);
}

TEST_F(TextConversion, BalloonsOnCheckBoxesAndOnTheirOwn)
{
  QString title, text;
  TBalloonIcon icon = biNone;
  grid.AddCheckBox(1, 1, true, false);
  grid.AddBalloon(1, 1, QStringLiteral("T"), QStringLiteral("x"), biInfo);
  // A second balloon replaces the first one's lines (nothing leaks).
  grid.AddBalloon(1, 1, QStringLiteral("T2"), QStringLiteral("y"), biWarning);
  EXPECT_FALSE(grid.HasBalloon(1, 1));
  ASSERT_TRUE(grid.IsBalloon(1, 1, title, text, icon));
  EXPECT_EQ(title, QStringLiteral("T2"));
  EXPECT_EQ(text, QStringLiteral("y"));
  EXPECT_EQ(icon, biWarning);
  grid.RemoveBalloon(1, 1);
  EXPECT_FALSE(grid.IsBalloon(1, 1, title, text, icon));
  EXPECT_TRUE(grid.HasCheckBox(1, 1));

  grid.AddBalloon(2, 2, QStringLiteral("A"), QStringLiteral("b"), biError);
  grid.AddBalloon(2, 2, QStringLiteral("C"), QStringLiteral("d"), biError);
  EXPECT_TRUE(grid.HasBalloon(2, 2));
  ASSERT_TRUE(grid.IsBalloon(2, 2, title, text, icon));
  EXPECT_EQ(title, QStringLiteral("C"));
  grid.RemoveBalloon(2, 2);
  EXPECT_FALSE(grid.HasBalloon(2, 2));

  // A cell with a graphic of another kind gets no balloon (and no list is made for it).
  TBitmap bmp;
  grid.AddBitmap(3, 3, &bmp, false, haLeft, vaTop);
  grid.AddBalloon(3, 3, QStringLiteral("A"), QStringLiteral("b"), biInfo);
  EXPECT_FALSE(grid.IsBalloon(3, 3, title, text, icon));
  EXPECT_EQ(grid.GetBitmap(3, 3), &bmp);
}

TEST_F(TextConversion, RotatedCellsKeepTheirAngle)
{
  int angle = 0;
  grid.AddRotated(1, 1, 45, QStringLiteral("up"));
  EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("up"));
  EXPECT_TRUE(grid.IsRotated(1, 1, angle));
  EXPECT_EQ(angle, 45);
  grid.SetRotated(1, 1, -90);
  EXPECT_TRUE(grid.IsRotated(1, 1, angle));
  EXPECT_EQ(angle, 270);
  grid.AddComment(2, 2, QStringLiteral("c"));
  grid.SetRotated(2, 2, 10);
  EXPECT_TRUE(grid.IsRotated(2, 2, angle));
  grid.RemoveRotated(1, 1);
  EXPECT_FALSE(grid.IsRotated(1, 1, angle));
}

TEST_F(TextConversion, AppearanceWriters)
{
  for (auto [written, stored] : {std::pair{150, 100}, {-5, 0}, {40, 40}}) {
    grid.SetSelectionColorMixerFactor(written);
    EXPECT_EQ(grid.SelectionColorMixerFactor(), stored) << written;
  }
  grid.SetSpreadSheet(false);
  EXPECT_FALSE(grid.SpreadSheet());
  EXPECT_TRUE(grid.SelectionRectangle());
  EXPECT_TRUE(grid.SelectionResizer());
  EXPECT_TRUE(grid.Navigation()->AllowSmartClipboard());
  EXPECT_TRUE(grid.Options().Contains(goRangeSelect));
  EXPECT_TRUE(grid.Options().Contains(goEditing));
  EXPECT_TRUE(grid.MouseActions()->RangeSelectAndEdit());

  TSortSettings other(nullptr);
  other.SetColumn(3);
  grid.SetSortSettings(&other);
  EXPECT_EQ(grid.SortSettings()->Column(), 3);
}

TEST_F(TextConversion, SortGlyphRowFollowsTheSortSettings)
{
  grid.SortSettings()->SetRow(0);
  EXPECT_FALSE(grid.IsSortGlyphRow(1, 0));
  grid.SortSettings()->SetShow(true);
  EXPECT_TRUE(grid.IsSortGlyphRow(1, 0));
  EXPECT_FALSE(grid.IsSortGlyphRow(1, 1));
  grid.SetRowCount(2);
  EXPECT_FALSE(grid.IsSortGlyphRow(1, 0));
}
