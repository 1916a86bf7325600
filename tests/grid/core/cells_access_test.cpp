#include <gtest/gtest.h>

#include <functional>

#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"

namespace {

struct GridCells : ::testing::Test {
  TZavStringGrid grid{nullptr};
  void SetUp() override
  {
    grid.SetColCount(5);
    grid.SetRowCount(8);
  }
};

}  // namespace

TEST_F(GridCells, StyleValuesReadNeutralWithoutPropertiesAndBackAfterAWrite)
{
  struct Case {
    const char *name;
    std::function<bool(TZavStringGrid &)> isNeutral;
    std::function<void(TZavStringGrid &)> write;
    std::function<bool(TZavStringGrid &)> isWritten;
  };
  const int c = 2, r = 3;
  const Case cases[] = {
      {"Colors", [](auto &g) { return g.Colors(c, r) == clNone; }, [](auto &g) { g.SetColors(c, r, clRed); },
       [](auto &g) { return g.Colors(c, r) == clRed; }},
      {"ColorsTo", [](auto &g) { return g.ColorsTo(c, r) == clNone; }, [](auto &g) { g.SetColorsTo(c, r, clBlue); },
       [](auto &g) { return g.ColorsTo(c, r) == clBlue; }},
      {"Gradients", [](auto &g) { return g.Gradients(c, r) == GradientVertical; },
       [](auto &g) { g.SetGradients(c, r, GradientHorizontal); },
       [](auto &g) { return g.Gradients(c, r) == GradientHorizontal; }},
      {"FontColors", [](auto &g) { return g.FontColors(c, r) == clNone; },
       [](auto &g) { g.SetFontColors(c, r, clGreen); }, [](auto &g) { return g.FontColors(c, r) == clGreen; }},
      {"FontStyles", [](auto &g) { return g.FontStyles(c, r) == TFontStyles(); },
       [](auto &g) { g.SetFontStyles(c, r, TFontStyles{fsBold}); },
       [](auto &g) { return g.FontStyles(c, r) == TFontStyles{fsBold}; }},
      {"FontSizes", [](auto &g) { return g.FontSizes(c, r) == 0; }, [](auto &g) { g.SetFontSizes(c, r, 14); },
       [](auto &g) { return g.FontSizes(c, r) == 14; }},
      {"FontNames", [](auto &g) { return g.FontNames(c, r).isEmpty(); },
       [](auto &g) { g.SetFontNames(c, r, QStringLiteral("Courier New")); },
       [](auto &g) { return g.FontNames(c, r) == QStringLiteral("Courier New"); }},
      {"Alignments", [](auto &g) { return g.Alignments(c, r) == taLeftJustify; },
       [](auto &g) { g.SetAlignments(c, r, taCenter); }, [](auto &g) { return g.Alignments(c, r) == taCenter; }},
      {"ReadOnly", [](auto &g) { return !g.ReadOnly(c, r); }, [](auto &g) { g.SetReadOnly(c, r, true); },
       [](auto &g) { return g.ReadOnly(c, r); }},
      {"Fonts", [](auto &g) { return g.Fonts(c, r) == g.Font(); },
       [](auto &g) {
         TFont f;
         f.SetName(QStringLiteral("Arial"));
         f.SetSize(11);
         f.SetColor(clMaroon);
         g.SetFonts(c, r, &f);
       },
       [](auto &g) {
         TFont *f = g.Fonts(c, r);
         return f != g.Font() && f->Name() == QStringLiteral("Arial") && f->Size() == 11 && f->Color() == clMaroon;
       }},
  };
  for (const Case &k : cases) {
    TZavStringGrid g(nullptr);
    g.SetColCount(5);
    g.SetRowCount(8);
    EXPECT_TRUE(k.isNeutral(g)) << k.name;
    EXPECT_EQ(g.GridObjects(c, r), nullptr) << k.name << ": reading created properties";
    k.write(g);
    EXPECT_NE(g.GridObjects(c, r), nullptr) << k.name;
    EXPECT_TRUE(k.isWritten(g)) << k.name;
  }
  // A cell outside the grid takes no write and reads neutral.
  grid.SetColors(9, 1, clRed);
  EXPECT_EQ(grid.Colors(9, 1), clNone);
}

TEST_F(GridCells, ClearingARowColourKeepsEveryOtherCellProperty)
{
  struct Setter {
    const char *name;
    std::function<void(TZavStringGrid &, int, TColor)> write;
    std::function<TColor(TZavStringGrid &, int, int)> read;
  };
  const Setter setters[] = {
      {"RowColor", [](auto &g, int r, TColor v) { g.SetRowColor(r, v); },
       [](auto &g, int c, int r) { return g.Colors(c, r); }},
      {"RowColorTo", [](auto &g, int r, TColor v) { g.SetRowColorTo(r, v); },
       [](auto &g, int c, int r) { return g.ColorsTo(c, r); }},
      {"RowFontColor", [](auto &g, int r, TColor v) { g.SetRowFontColor(r, v); },
       [](auto &g, int c, int r) { return g.FontColors(c, r); }},
  };
  for (const Setter &s : setters) {
    TZavStringGrid g(nullptr);
    g.SetColCount(6);
    g.SetRowCount(8);
    const int r = 2;
    g.SetReadOnly(1, r, true);
    g.SetAlignments(2, r, taRightJustify);
    g.SetFontNames(2, r, QStringLiteral("Arial"));
    g.SetFontSizes(2, r, 13);
    g.MergeCells(3, r, 2, 2);
    g.CreateCellGraphic(5, r)->SetAngle(45);

    s.write(g, r, clRed);
    for (int c = 1; c < 6; ++c)
      EXPECT_EQ(s.read(g, c, r), clRed) << s.name << " column " << c;
    // The fixed column and the other rows are not the row's cells.
    EXPECT_EQ(g.GridObjects(0, r), nullptr) << s.name;
    EXPECT_EQ(g.GridObjects(1, r + 2), nullptr) << s.name;

    s.write(g, r, clNone);
    for (int c = 1; c < 6; ++c)
      EXPECT_EQ(s.read(g, c, r), clNone) << s.name << " column " << c;
    EXPECT_TRUE(g.ReadOnly(1, r)) << s.name;
    EXPECT_EQ(g.Alignments(2, r), taRightJustify) << s.name;
    EXPECT_EQ(g.FontNames(2, r), QStringLiteral("Arial")) << s.name;
    EXPECT_EQ(g.FontSizes(2, r), 13) << s.name;
    EXPECT_TRUE(g.IsBaseCell(3, r)) << s.name;
    EXPECT_EQ(g.CellSpan(4, r + 1), TPoint(1, 1)) << s.name;
    EXPECT_EQ(g.GetCellType(5, r), ctRotated) << s.name;
  }
}

TEST_F(GridCells, ClearingRowColourCreatesNoProperties)
{
  grid.SetRowColor(4, clNone);
  grid.SetRowFontColor(4, clNone);
  for (int c = 0; c < grid.ColCount(); ++c)
    EXPECT_EQ(grid.GridObjects(c, 4), nullptr) << c;
  // Rows outside the grid are ignored.
  grid.SetRowColor(-1, clRed);
  grid.SetRowColor(grid.RowCount(), clRed);
}

TEST_F(GridCells, RealRowCellsWithNothingHidden)
{
  // Real and display rows coincide; negative indexes read empty and take no write.
  grid.SetAllCells(2, 5, QStringLiteral("x"));
  EXPECT_EQ(grid.Cells(2, 5), QStringLiteral("x"));
  EXPECT_EQ(grid.AllCells(2, 5), QStringLiteral("x"));
  EXPECT_EQ(grid.AllGridCells(2, 5), QStringLiteral("x"));
  EXPECT_EQ(grid.AllCells(-1, 5), QString());
  EXPECT_EQ(grid.AllCells(2, -1), QString());
  grid.SetAllCells(-1, 5, QStringLiteral("y"));
  grid.SetAllGridCells(2, -3, QStringLiteral("y"));

  TObject o;
  grid.SetAllObjects(1, 3, &o);
  EXPECT_EQ(grid.AllObjects(1, 3), &o);
  EXPECT_EQ(grid.Objects(1, 3), &o);
  EXPECT_EQ(grid.GetGridObjectEx(1, 3), grid.GridObjects(1, 3));
  EXPECT_EQ(grid.AllObjects(1, -1), nullptr);
}

TEST_F(GridCells, CurrentCellIsTheBaseCellOfItsBlock)
{
  grid.MergeCells(1, 2, 2, 2);
  grid.SetCells(1, 2, QStringLiteral("base"));
  grid.FocusCell(2, 3, true);
  EXPECT_EQ(grid.CurrentCell(), QStringLiteral("base"));
  EXPECT_EQ(grid.GetCurrentCellEx(), QStringLiteral("base"));
  grid.SetCurrentCell(QStringLiteral("new"));
  EXPECT_EQ(grid.GridCells(1, 2), QStringLiteral("new"));
  EXPECT_EQ(grid.GridCells(2, 3), QString());
}

TEST_F(GridCells, SelectedCellsOfARectangleAndOfADisjunctSelection)
{
  grid.SetSelection(TGridRect(1, 2, 3, 3));
  EXPECT_EQ(grid.SelectedCellsCount(), 6);
  EXPECT_EQ(grid.SelectedCell(0), TGridCoord(1, 2));
  EXPECT_EQ(grid.SelectedCell(1), TGridCoord(1, 3));  // column by column
  EXPECT_TRUE(grid.SelectedCells(3, 2));
  EXPECT_FALSE(grid.SelectedCells(4, 2));
  EXPECT_EQ(grid.SelectedRowCount(), 2);
  EXPECT_EQ(grid.SelectedColCount(), 3);
  EXPECT_EQ(grid.SelectedRow(1), 3);
  EXPECT_EQ(grid.SelectedRow(2), -1);

  grid.FocusCell(2, 4, true);
  EXPECT_EQ(grid.SelectedCellsCount(), 1);
  EXPECT_EQ(grid.SelectedCell(0), TGridCoord(2, 4));

  grid.MouseActions()->SetDisjunctCellSelect(true);
  grid.ClearSelectedCells();
  grid.SetSelectedCells(4, 7, true);
  grid.SetSelectedCells(4, 7, true);
  grid.SetSelectedCells(1, 1, true);
  EXPECT_EQ(grid.SelectedCellsCount(), 2);
  EXPECT_TRUE(grid.SelectedCells(4, 7));
  EXPECT_FALSE(grid.SelectedCells(2, 4));
  grid.SetSelectedCells(4, 7, false);
  EXPECT_EQ(grid.SelectedCellsCount(), 1);
  EXPECT_EQ(grid.SelectedCell(0), TGridCoord(1, 1));
  grid.ClearSelectedCells();
  EXPECT_EQ(grid.SelectedCellsCount(), 0);
}

TEST_F(GridCells, SelectedRowsAndColumnsCountMergedBlocksWhole)
{
  // A block starting at the selection's corner and reaching past it counts whole.
  grid.MergeCells(1, 2, 3, 3);
  grid.SetSelection(TGridRect(1, 2, 1, 2));
  EXPECT_EQ(grid.SelectedRowCount(), 3);
  EXPECT_EQ(grid.SelectedColCount(), 3);
  // Fixed footer rows are never counted.
  grid.SetFixedFooters(2);
  grid.SetSelection(TGridRect(1, 5, 1, 7));
  EXPECT_EQ(grid.SelectedRowCount(), 1);
}

TEST_F(GridCells, HiddenSelectionComesBack)
{
  grid.SetSelection(TGridRect(1, 2, 3, 4));
  grid.HideSelection();
  EXPECT_TRUE(grid.SelectionHidden());
  EXPECT_EQ(grid.Selection(), TGridRect(5, 8, 5, 8));
  grid.UnHideSelection();
  EXPECT_FALSE(grid.SelectionHidden());
  EXPECT_EQ(grid.Selection(), TGridRect(1, 2, 3, 4));

  // A saved selection the grid no longer holds falls back to the first normal cell.
  grid.HideSelection();
  grid.SetRowCount(2);
  grid.UnHideSelection();
  EXPECT_EQ(grid.Selection(), TGridRect(1, 1, 1, 1));
}

TEST_F(GridCells, UsedCellsIsTheSmallestRectangleWithText)
{
  EXPECT_EQ(grid.UsedCells(), TGridRect(0, 0, 0, 0));
  grid.SetCells(3, 1, QStringLiteral("a"));
  grid.SetCells(1, 6, QStringLiteral("b"));
  EXPECT_EQ(grid.UsedCells(), TGridRect(1, 1, 3, 6));
}

TEST_F(GridCells, ZoomStaysWithinTenSteps)
{
  const int w = grid.ColWidths(1), h = grid.RowHeights(1);
  grid.Zoom(6);
  EXPECT_EQ(grid.ZoomFactor(), 6);
  EXPECT_EQ(grid.ColWidths(1), w + 6);
  EXPECT_EQ(grid.RowHeights(1), h + 6);
  grid.Zoom(6);  // 12 is beyond the bound
  EXPECT_EQ(grid.ZoomFactor(), 6);
  EXPECT_EQ(grid.ColWidths(1), w + 6);
  grid.Zoom(-16);
  EXPECT_EQ(grid.ZoomFactor(), -10);
  EXPECT_EQ(grid.ColWidths(1), w - 10);
}

TEST_F(GridCells, LinesAndStrippedText)
{
  grid.SetCells(1, 1, QStringLiteral("<b>a</b>\rb\rc"));
  EXPECT_EQ(grid.LinesInCell(1, 1), 3);
  EXPECT_EQ(grid.LinesInCell(2, 1), 1);
  EXPECT_EQ(grid.StrippedCells(1, 1), QStringLiteral("a\rb\rc"));
}
