#include "grid/foundation/base_grid.h"

#include <gtest/gtest.h>

#include <QImage>

#include <map>
#include <memory>
#include <utility>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "tests/support/test_support.h"

namespace {

// A base grid whose look query colours cells from a table and which records the cells whose
// content is drawn.
class TPaintProbeGrid : public TBaseGrid {
public:
  using TBaseGrid::FHoverRowIdx;
  using TBaseGrid::FShowSel;
  using TBaseGrid::TBaseGrid;

  struct Look {
    TColor Color = clNone, ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TCellGradientDirection Dir = GradientVertical;
  };
  std::map<std::pair<int, int>, Look> Looks;
  QStringList Contents;

  void GetVisualProperties(int ACol, int ARow, TGridDrawState &, bool, bool, bool, TBrush *ABrush,
                           TColor &AColorTo, TColor &AMirrorColor, TColor &AMirrorColorTo, TFont *,
                           TAlignment &, TVAlignment &, bool &, TCellGradientDirection &GD) override
  {
    auto it = Looks.find({ACol, ARow});
    if (it == Looks.end())
      return;
    const Look &l = it->second;
    if (l.Color != clNone)
      ABrush->SetColor(l.Color);
    AColorTo = l.ColorTo;
    AMirrorColor = l.Mirror;
    AMirrorColorTo = l.MirrorTo;
    GD = l.Dir;
  }
  void DrawCellContent(TCanvas *ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
  {
    Contents << QString("%1,%2").arg(ACol).arg(ARow);
    TBaseGrid::DrawCellContent(ACanvas, ACol, ARow, ARect, AState);
  }
};

// A shown form holding a 5 x 6 grid of 40 x 20 cells with one fixed row and column, no border.
struct TPaintForm {
  std::unique_ptr<TForm> Form;
  TPaintProbeGrid *Grid = nullptr;

  TPaintForm()
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetClientSize(260, 180);
    Grid = new TPaintProbeGrid(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
    Grid->SetColCount(5);
    Grid->SetRowCount(6);
    Grid->SetDefaultColWidth(40);
    Grid->SetDefaultRowHeight(20);
    Grid->SetColor(clWhite);
    Grid->SetFixedColor(clBtnFace);
    Grid->SetBounds(0, 0, 200, 120);
    Form->Show();
  }

  QImage Grab(const char *Name)
  {
    Grid->Invalidate();
    SimProcess();
    EXPECT_TRUE(GrabToPng(Grid, testsupport::OutputDir() + "/" + Name));
    return GrabControl(Grid);
  }
};

// TColor (0xBBGGRR) as the picture's 0xRRGGBB.
QRgb Rgb(TColor c)
{
  c = ColorToRGB(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

QRgb At(const QImage &Img, int X, int Y) { return Img.pixel(X, Y) & 0xFFFFFF; }

bool Near(QRgb A, QRgb B, int Tol = 12)
{
  return std::abs(qRed(A) - qRed(B)) <= Tol && std::abs(qGreen(A) - qGreen(B)) <= Tol &&
         std::abs(qBlue(A) - qBlue(B)) <= Tol;
}

}  // namespace

TEST(BaseGridPaint, CellColoursAndGridLines)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() - goRangeSelect);
  g->Looks[{2, 2}] = {clRed};
  g->SetGridLineColor(clBlue);
  g->SetGridFixedLineColor(clBlack);
  QImage img = f.Grab("base_grid_lines.png");
  // Cell (2, 2) spans x 80..119, y 40..59: its own line on the right and bottom edge only.
  EXPECT_EQ(At(img, 100, 50), Rgb(clRed));
  EXPECT_EQ(At(img, 119, 50), Rgb(clBlue));
  EXPECT_EQ(At(img, 100, 59), Rgb(clBlue));
  EXPECT_EQ(At(img, 118, 58), Rgb(clRed));
  EXPECT_EQ(At(img, 80, 50), Rgb(clRed));  // the left neighbour's line is at x 79
  EXPECT_EQ(At(img, 79, 50), Rgb(clBlue));
  // Fixed cells: 1-pixel lines in the fixed line colour.
  EXPECT_EQ(At(img, 39, 50), Rgb(clBlack));
  EXPECT_EQ(At(img, 20, 50), Rgb(clBtnFace));

  // Width 3: the lines are inset by 2 and 3 pixels wide.
  g->SetGridLineWidth(3);
  img = f.Grab("base_grid_lines_3.png");
  EXPECT_EQ(At(img, 100, 50), Rgb(clRed));
  for (int x : {117, 118, 119})
    EXPECT_EQ(At(img, x, 50), Rgb(clBlue)) << x;
  EXPECT_EQ(At(img, 116, 50), Rgb(clRed));
  EXPECT_EQ(At(img, 39, 50), Rgb(clBlack));
  EXPECT_EQ(At(img, 38, 50), Rgb(clBtnFace));
}

TEST(BaseGridPaint, MergedBlockIsPaintedOnceOverItsWholeArea)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  g->SetGridLineColor(clBlue);
  g->MergeCells(1, 1, 2, 2);
  g->Looks[{1, 1}] = {clRed};
  g->Contents.clear();
  QImage img = f.Grab("base_grid_merged.png");
  // The block covers x 40..119, y 20..59, one colour with no inner lines.
  for (auto [x, y] : {std::pair{45, 25}, {79, 30}, {100, 39}, {110, 55}, {79, 39}})
    EXPECT_EQ(At(img, x, y), Rgb(clRed)) << x << "," << y;
  EXPECT_EQ(At(img, 119, 40), Rgb(clBlue));
  EXPECT_EQ(At(img, 60, 59), Rgb(clBlue));
  // By its base cell and at most once more through the first of its other cells.
  EXPECT_GE(g->Contents.count("1,1"), 1);
  EXPECT_LE(g->Contents.count("1,1"), 2);
  for (const QString &c : g->Contents)
    EXPECT_TRUE(c == "1,1" || !(c == "2,1" || c == "1,2" || c == "2,2")) << c.toStdString();
}

TEST(BaseGridPaint, BlockWhoseBaseIsScrolledAwayStaysOutOfTheFixedArea)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  g->SetRowCount(12);
  g->MergeCells(2, 1, 1, 4);
  g->Looks[{2, 1}] = {clRed};
  g->SetTopRow(3);
  g->Contents.clear();
  QImage img = f.Grab("base_grid_merged_scrolled.png");
  ASSERT_EQ(g->TopRow(), 3);
  // Rows 3 and 4 of the block show under the fixed row; the fixed row keeps its colour.
  EXPECT_EQ(At(img, 100, 30), Rgb(clRed));
  EXPECT_EQ(At(img, 100, 50), Rgb(clRed));
  EXPECT_EQ(At(img, 100, 10), Rgb(clBtnFace));
  EXPECT_EQ(g->Contents.count("2,1"), 1);
}

TEST(BaseGridPaint, GradientsRunFromTheBrushColourToColorTo)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() - goHorzLine - goVertLine);
  g->Looks[{2, 2}] = {clRed, clBlue};
  g->Looks[{3, 2}] = {clRed, clBlue, clNone, clNone, GradientHorizontal};
  g->Looks[{2, 3}] = {clRed, clYellow, clLime, clBlue};
  QImage img = f.Grab("base_grid_gradients.png");
  EXPECT_TRUE(Near(At(img, 100, 40), Rgb(clRed)));
  EXPECT_TRUE(Near(At(img, 100, 59), Rgb(clBlue)));
  EXPECT_TRUE(Near(At(img, 120, 50), Rgb(clRed)));
  EXPECT_TRUE(Near(At(img, 159, 50), Rgb(clBlue)));
  // Mirrored: upper half red to yellow, lower half lime to blue.
  EXPECT_TRUE(Near(At(img, 100, 60), Rgb(clRed)));
  EXPECT_TRUE(Near(At(img, 100, 69), Rgb(clYellow), 40));
  EXPECT_TRUE(Near(At(img, 100, 70), Rgb(clLime)));
  EXPECT_TRUE(Near(At(img, 100, 79), Rgb(clBlue), 40));
}

TEST(BaseGridPaint, RoundedSelectionStyles)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goRangeSelect);
  g->SetSelectionStyle(ssWin7);
  g->SetSelection(TGridRect(1, 2, 3, 2));
  g->SetFocus();
  SimProcess();
  QImage img = f.Grab("base_grid_selection_win7.png");
  const QRgb border = Rgb(0xCEA27D);
  // Three segments: the border closes the box at the left and right ends only.
  EXPECT_EQ(At(img, 40, 50), border);
  EXPECT_EQ(At(img, 158, 50), border);
  EXPECT_NE(At(img, 80, 50), border);
  EXPECT_NE(At(img, 119, 50), border);
  for (int x : {60, 100, 140})
    EXPECT_TRUE(Near(At(img, x, 43), Rgb(0xFCEBDC), 20)) << x;
}

TEST(BaseGridPaint, UnfocusedSelectionIsGreyUnlessFocusSelectedIsDrawn)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  auto *other = new TPaintProbeGrid(f.Form.get());
  other->SetParent(f.Form.get());
  other->SetBounds(0, 130, 60, 40);
  g->SetOptions(g->Options() + goRangeSelect);
  g->SetSelectionStyle(ssWin7);
  g->SetSelection(TGridRect(1, 2, 3, 2));
  other->SetFocus();
  SimProcess();
  ASSERT_FALSE(g->Focused());
  QImage img = f.Grab("base_grid_selection_unfocused.png");
  EXPECT_EQ(At(img, 40, 50), Rgb(0xD9D9D9));
  EXPECT_TRUE(Near(At(img, 100, 43), Rgb(0xF8F8F8), 20));

  g->SetOptions(g->Options() + goDrawFocusSelected);
  img = f.Grab("base_grid_selection_focus_selected.png");
  EXPECT_EQ(At(img, 40, 50), Rgb(0xCEA27D));
}

TEST(BaseGridPaint, HoverAndActiveRows)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goRangeSelect - goHorzLine - goVertLine);
  g->SetHoverRow(true);
  g->SetHoverRowColor(clYellow);
  g->FHoverRowIdx = 3;
  g->SetSelection(TGridRect(2, 3, 2, 3));  // the current cell (2, 3) in the hover row
  g->SetHoverRowCells({hcNormal});
  QImage img = f.Grab("base_grid_hover.png");
  EXPECT_EQ(At(img, 140, 70), Rgb(clYellow));
  EXPECT_NE(At(img, 100, 70), Rgb(clYellow));  // selected, and hcSelected is off
  EXPECT_EQ(At(img, 20, 70), Rgb(clBtnFace));  // fixed, and hcFixed is off
  g->SetHoverRowCells({hcNormal, hcSelected, hcFixed});
  img = f.Grab("base_grid_hover_all.png");
  EXPECT_EQ(At(img, 100, 70), Rgb(clYellow));
  EXPECT_EQ(At(img, 20, 70), Rgb(clYellow));

  // The active row wins over the hover row, but not in the current cell or the fixed column.
  g->SetActiveRowShow(true);
  g->SetActiveRowColor(clLime);
  img = f.Grab("base_grid_active_row.png");
  EXPECT_EQ(At(img, 60, 70), Rgb(clLime));
  EXPECT_EQ(At(img, 140, 70), Rgb(clLime));
  EXPECT_EQ(At(img, 100, 70), Rgb(clYellow));
  EXPECT_EQ(At(img, 20, 70), Rgb(clYellow));
}

TEST(BaseGridPaint, PaintCellExtPaintsASelectedCellInTheActiveRowColours)
{
  TPaintForm f;
  TPaintProbeGrid *g = f.Grid;
  g->SetActiveRowColor(clLime);
  g->SetGridLineWidth(0);
  TBitmap bmp;
  bmp.SetSize(100, 50);
  g->Contents.clear();
  // (The fixed-area clip holds on any canvas: the rectangle lies beyond the fixed cells.)
  g->PaintCellExt(bmp.Canvas(), 2, 4, TRect(50, 30, 80, 40), TGridDrawState{gdSelected});
  const QImage img = bmp.Canvas()->Image()->copy();
  EXPECT_EQ(At(img, 65, 35), Rgb(clLime));
  EXPECT_TRUE(g->Contents.isEmpty());  // no content
}
