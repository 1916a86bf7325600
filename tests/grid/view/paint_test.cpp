#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>

#include <memory>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/column_collection.h"
#include "grid/core/column_grid.h"
#include "grid/core/feature_settings.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"
#include "tests/support/test_support.h"

namespace {

constexpr TColor RGB(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr TColor AddressColor = RGB(224, 250, 254), TypeColor = RGB(252, 214, 244), Active = RGB(255, 200, 0);

QRgb Rgb(TColor c)
{
  c = ColorToRGB(c);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
QRgb At(const QImage &Img, int X, int Y) { return Img.pixel(X, Y) & 0xFFFFFF; }
bool Near(QRgb A, QRgb B, int Tol = 8)
{
  return std::abs(qRed(A) - qRed(B)) <= Tol && std::abs(qGreen(A) - qGreen(B)) <= Tol &&
         std::abs(qBlue(A) - qBlue(B)) <= Tol;
}

class TPaintGrid : public TZavColumnGrid {
public:
  using TZavColumnGrid::FHoverRowIdx;
  using TZavColumnGrid::TZavColumnGrid;
};

// A column grid like the access tables: the fixed number column, text, combo-list and
// data check-box columns, 60 x 22 cells, no border, in a shown form.
struct GridPaint : ::testing::Test {
  enum { cNum, cAddress, cType, cEnable, cCount };
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TPaintGrid *g = new TPaintGrid(form.get());

  GridPaint()
  {
    form->SetClientSize(400, 200);
    g->SetParent(form.get());
    g->SetBorderStyle(bsNone);
    g->SetScrollBars(ssNone);
    g->SetRowCount(5);
    g->SetColCount(cCount);
    g->SetDefaultRowHeight(22);
    g->SetColor(clWhite);
    g->SetBounds(0, 0, 320, 150);
    struct TCol { const char *header; TEditorType editor; TColor color; } cols[cCount] = {
        {"N", edNormal, clBtnFace},
        {"Address", edNormal, AddressColor},
        {"Type", edComboList, TypeColor},
        {"Enable", edDataCheckBox, clWhite},
    };
    for (int i = 0; i < cCount; ++i) {
      TGridColumnItem *c = g->Columns()->Items(i);
      c->SetHeader(cols[i].header);
      c->SetEditor(cols[i].editor);
      c->SetColor(cols[i].color);
      c->SetWidth(60);
    }
    for (int r = 1; r < 5; ++r) {
      g->SetCells(cNum, r, QString::number(r));
      g->SetCells(cAddress, r, QString("DB%1.DBW0").arg(r));
      g->SetCells(cType, r, "S7300");
    }
    form->Show();
    SimProcess();
  }

  QImage Grab(const char *Name)
  {
    g->Invalidate();
    SimProcess();
    EXPECT_TRUE(GrabToPng(g, testsupport::OutputDir() + "/" + Name));
    return GrabControl(g);
  }
};

TEST_F(GridPaint, ColumnGridWithHeadersActiveCellAndFocus)
{
  g->SetActiveCellShow(true);
  g->SetActiveCellColor(Active);
  g->SetSelectionColor(RGB(0, 120, 215));
  g->SetFocus();
  g->FocusCell(cType, 2);
  SimProcess();
  ASSERT_TRUE(g->Focused());
  const QImage img = Grab("grid_paint_column_grid.png");

  // Header row (y 0..21): the XP look's gradient from white at the top to button face below.
  EXPECT_TRUE(Near(At(img, 90, 2), Rgb(clWhite), 20));
  EXPECT_TRUE(Near(At(img, 90, 19), Rgb(clBtnFace), 20));
  // The active cell's headers: the one above the current cell and the one left of it only.
  EXPECT_EQ(At(img, 150, 10), Rgb(Active));
  EXPECT_EQ(At(img, 30, 2 * 22 + 11), Rgb(Active));
  EXPECT_NE(At(img, 90, 10), Rgb(Active));
  EXPECT_NE(At(img, 30, 3 * 22 + 11), Rgb(Active));
  // Column colours of the data cells; the current cell in the selection colour.
  EXPECT_EQ(At(img, 118, 3 * 22 + 11), Rgb(AddressColor));
  EXPECT_EQ(At(img, 178, 3 * 22 + 11), Rgb(TypeColor));
  EXPECT_EQ(At(img, 178, 2 * 22 + 11), Rgb(RGB(0, 120, 215)));
  // The focus rectangle: dotted, inside the current cell's edges.
  const int top = 2 * 22;
  int dots = 0;
  for (int x = 121; x < 178; ++x)
    dots += At(img, x, top) != Rgb(RGB(0, 120, 215));
  EXPECT_GT(dots, 10);
  // Beyond the last column and row the grid colour, nothing painted by default.
  EXPECT_EQ(At(img, 300, 60), Rgb(clWhite));
}

TEST_F(GridPaint, HoverRowWithFixedCellsLosesTheHeaderLook)
{
  g->SetLook(glClassic);
  const QImage plain = Grab("grid_paint_hover_plain.png");
  g->SetHoverRow(true);
  g->SetHoverRowColor(clYellow);
  g->SetHoverRowCells({hcNormal, hcFixed});
  g->FHoverRowIdx = 3;
  const QImage hovered = Grab("grid_paint_hover_fixed.png");
  const int y = 3 * 22 + 10, other = 1 * 22 + 10;
  EXPECT_EQ(At(hovered, 30, y), Rgb(clYellow));
  // The classic look's black edge at the number cell's right is gone on the hovered row only.
  EXPECT_EQ(At(plain, 59, y), Rgb(clBlack));
  EXPECT_NE(At(hovered, 59, y), Rgb(clBlack));
  EXPECT_EQ(At(hovered, 59, other), Rgb(clBlack));
}

TEST_F(GridPaint, BackgroundBeyondTheCells)
{
  struct TCase {
    TBackGroundDisplay display;
    TColor colorTo;
    bool painted;
  } cases[] = {
      {bdTile, clBtnFace, false},  // no bitmap: the step runs and draws nothing
      {bdGradientHorz, clNone, false},
      {bdGradientHorz, clBlue, true},
      {bdGradientVert, clBlue, true},
  };
  g->CellProperties(1, 3)->SetBrushColor(AddressColor);
  for (const TCase &t : cases) {
    SCOPED_TRACE(int(t.display));
    g->BackGround()->SetColor(clWhite);
    g->BackGround()->SetColorTo(t.colorTo);
    g->BackGround()->SetDisplay(t.display);
    const QImage img = Grab("grid_paint_background.png");
    EXPECT_EQ(At(img, 310, 60) != Rgb(clWhite), t.painted);
    // A cell with a colour of its own keeps it; the others show their share of the gradient.
    EXPECT_EQ(At(img, 118, 3 * 22 + 11), Rgb(AddressColor));
  }
}

TEST_F(GridPaint, ModifiedMarkDrawEventsAndPaintedNotice)
{
  g->ShowModified()->SetEnabled(true);
  g->ShowModified()->SetColor(clRed);
  g->SetRowModified(3, true);
  g->HideColumn(cAddress);
  int painted = 0;
  QList<int> drawCols;
  TRect drawRect;
  g->OnPainted = [&](TObject *) { ++painted; };
  g->OnDrawCell = [&](TObject *, int ACol, int ARow, TRect R, TGridDrawState) {
    if (ARow == 2) {
      drawCols << ACol;
      if (ACol == cType)
        drawRect = R;
    }
  };
  const QImage img = Grab("grid_paint_modified.png");
  EXPECT_GE(painted, 1);
  // Draw events get the real column: the hidden column is skipped, the ones after keep their index.
  EXPECT_EQ(drawCols.mid(0, 3), (QList<int>{cNum, cType, cEnable}));
  EXPECT_EQ(drawRect.Left, 61);
  // The modified row's mark: a 4-pixel bar at the right of column 0.
  EXPECT_EQ(At(img, 56, 3 * 22 + 11), Rgb(clRed));
  EXPECT_NE(At(img, 56, 2 * 22 + 11), Rgb(clRed));
}

// What Qt repaints of a window: the regions of its paint events.
class TShownRegion : public QObject {
public:
  QRegion Region;
  bool eventFilter(QObject *, QEvent *E) override
  {
    if (E->type() == QEvent::Paint)
      Region += static_cast<QPaintEvent *>(E)->region();
    return false;
  }
};

QRect CellArea(TZavColumnGrid *G, int ACol, int ARow)
{
  const TRect r = G->CellRect(ACol, ARow);
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Moving with an arrow key shows the old and the new current cell again, whole, and not the
// rest of the grid; typing into the open editor shows no more than the edited cell.
TEST_F(GridPaint, KeysRepaintOnlyTheCellsTheyChange)
{
  g->SetFocus();
  g->FocusCell(cAddress, 2);
  SimProcess();
  ASSERT_TRUE(g->Focused());
  TShownRegion shown;
  g->Handle()->installEventFilter(&shown);
  QList<QPoint> drawn;
  g->OnDrawCell = [&](TObject *, int ACol, int ARow, TRect, TGridDrawState) { drawn << QPoint(ACol, ARow); };

  SimKey(g, VK_DOWN);
  SimProcess();
  ASSERT_EQ(g->Row(), 3);
  const QRegion cells = QRegion(CellArea(g, cAddress, 2)) + CellArea(g, cAddress, 3);
  EXPECT_TRUE((cells - shown.Region).isEmpty()) << "a moved-over cell keeps its old picture";
  EXPECT_TRUE((shown.Region - cells).isEmpty()) << "more than the two cells repainted";
  EXPECT_TRUE(drawn.contains(QPoint(cAddress, 2)) && drawn.contains(QPoint(cAddress, 3)));
  for (const QPoint &p : drawn)
    EXPECT_EQ(p.x(), cAddress) << "cell " << p.x() << "," << p.y() << " drawn again";

  g->SetOptions(g->Options() + goEditing);
  SimKey(g, VK_F2);
  SimProcess();
  ASSERT_TRUE(g->NormalEdit() && g->NormalEdit()->Visible());
  shown.Region = QRegion();
  drawn.clear();
  SimType(g->NormalEdit(), "x");
  SimProcess();
  EXPECT_EQ(g->NormalEdit()->Text(), "DB3.DBW0x");
  EXPECT_TRUE((shown.Region - CellArea(g, cAddress, 3)).isEmpty()) << "typing repainted more than its cell";
  for (const QPoint &p : drawn)
    EXPECT_EQ(p, QPoint(cAddress, 3)) << "cell " << p.x() << "," << p.y() << " drawn again";
}

}  // namespace
