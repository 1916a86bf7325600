// The framework string grid driven as its descendants and users drive it: counts, cell
// store, selection, geometry, painting, keyboard, mouse, editor and scroll bars.
#include "framework/testing/input.h"
#include "tests/framework/grids/grid_test_support.h"
#include "tests/support/test_support.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

// A grid without border and scroll bars, so that the client area is the grid's size.
struct PlainGrid : TGridForm {
  PlainGrid(int w = 400, int h = 300) : TGridForm(w, h)
  {
    Grid->SetBorderStyle(bsNone);
    Grid->SetScrollBars(ssNone);
  }
};

void Press(TWinControl *c, int x, int y, uint32_t keys = MK_LBUTTON)
{
  c->Perform(WM_LBUTTONDOWN, keys, PointToLParam(TPoint(x, y)));
}
void MoveTo(TWinControl *c, int x, int y, uint32_t keys = MK_LBUTTON)
{
  c->Perform(WM_MOUSEMOVE, keys, PointToLParam(TPoint(x, y)));
}
void Release(TWinControl *c, int x, int y)
{
  c->Perform(WM_LBUTTONUP, 0, PointToLParam(TPoint(x, y)));
}

// ---------------------------------------------------------------------------------------
// Counts and the cell store

TEST(StringGrid, NewGridDefaults)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  EXPECT_EQ(g->ColCount(), 5);
  EXPECT_EQ(g->RowCount(), 5);
  EXPECT_EQ(g->FixedCols(), 1);
  EXPECT_EQ(g->FixedRows(), 1);
  EXPECT_EQ(g->DefaultColWidth(), 64);
  EXPECT_EQ(g->DefaultRowHeight(), 24);
  EXPECT_EQ(g->Options(), (TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}));
  EXPECT_EQ(g->ScrollBars(), ssBoth);
  EXPECT_EQ(g->BorderStyle(), bsSingle);
  EXPECT_EQ(g->Color(), clWindow);
  EXPECT_EQ(g->FixedColor(), clBtnFace);
  EXPECT_TRUE(g->DefaultDrawing());
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 1);
  EXPECT_EQ(g->Selection(), TGridRect(1, 1, 1, 1));
}

TEST(StringGrid, CellsSurviveACountShrinkAndComeBack)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  auto *obj = reinterpret_cast<TObject *>(0x1234);
  g->SetCells(4, 4, "corner");
  g->SetObjects(4, 4, obj);
  g->SetCells(700, 2, "hidden column");  // beyond ColCount
  g->SetColCount(2);
  g->SetRowCount(2);
  EXPECT_EQ(g->Cells(4, 4), "corner");
  g->SetColCount(5);
  g->SetRowCount(5);
  EXPECT_EQ(g->Cells(4, 4), "corner");
  EXPECT_EQ(g->Objects(4, 4), obj);
  EXPECT_EQ(g->Cells(700, 2), "hidden column");
  EXPECT_EQ(g->Cells(-1, 0), QString());
}

TEST(StringGrid, CountsKeepCurrentCellAnchorAndViewInside)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  g->SetColCount(30);
  g->SetRowCount(40);
  g->SetSelection(TGridRect(2, 3, 20, 30));
  g->SetTopRow(25);
  g->Calls.clear();
  g->SetRowCount(10);
  EXPECT_LT(g->Row(), 10);
  EXPECT_LT(g->FAnchor.Y, 10);
  EXPECT_LT(g->TopRow(), 10);
  EXPECT_GE(g->TopRow(), g->FixedRows());
  EXPECT_TRUE(g->Calls.contains("SizeChanged(30,40)"));
}

TEST(StringGrid, FixedCountRules)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  g->SetFixedRows(3);
  g->SetRowCount(3);  // at the fixed count: the fixed count drops to count - 1
  EXPECT_EQ(g->FixedRows(), 2);
  g->SetRowCount(1);
  EXPECT_EQ(g->FixedRows(), 0);
  g->SetRowCount(0);  // at least one row
  EXPECT_EQ(g->RowCount(), 1);
  struct Case { int value; bool throws; } cases[] = {{1, true}, {-1, true}, {0, false}};
  for (auto c : cases) {
    if (c.throws)
      EXPECT_THROW(g->SetFixedRows(c.value), EInvalidGridOperation) << c.value;
    else
      EXPECT_NO_THROW(g->SetFixedRows(c.value)) << c.value;
  }
  EXPECT_THROW(g->SetFixedCols(5), EInvalidGridOperation);
  g->SetColCount(1);
  EXPECT_EQ(g->FixedCols(), 0);
}

TEST(StringGrid, DefaultSizesResetEveryWidthAndHeight)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  g->SetColWidths(2, 100);
  g->SetRowHeights(3, 50);
  g->Calls.clear();
  g->SetDefaultColWidth(30);
  g->SetDefaultRowHeight(18);
  EXPECT_EQ(g->ColWidths(2), 30);
  EXPECT_EQ(g->RowHeights(3), 18);
  EXPECT_EQ(g->Calls, (QStringList{"ColWidthsChanged", "RowHeightsChanged"}));
  EXPECT_THROW(g->SetColWidths(5, 10), EInvalidGridOperation);
}

// ---------------------------------------------------------------------------------------
// Current cell and selection

TEST(StringGrid, SelectionWritesAreNeitherSortedNorClamped)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  g->Calls.clear();
  g->SetSelection(TGridRect(3, 4, 1, 2));
  EXPECT_EQ(g->FAnchor, TGridCoord(3, 4));
  EXPECT_EQ(g->Col(), 1);
  EXPECT_EQ(g->Row(), 2);
  EXPECT_EQ(g->Selection(), TGridRect(1, 2, 3, 4));
  // A grid may park the selection outside the cells.
  g->SetSelection(TGridRect(-1, -1, 99, 99));
  EXPECT_EQ(g->Col(), 99);
  EXPECT_EQ(g->Selection(), TGridRect(-1, -1, 99, 99));
  EXPECT_TRUE(g->Calls.filter("SelectCell").isEmpty());
}

TEST(StringGrid, ColAndRowAskSelectCellAndStopOnRefusal)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  g->SetRow(3);
  EXPECT_EQ(g->Row(), 3);
  EXPECT_TRUE(g->Calls.contains("SelectCell(1,3)"));
  g->RefuseSelect = true;
  g->SetCol(2);
  EXPECT_EQ(g->Col(), 1);
  EXPECT_THROW(g->SetRow(7), EInvalidGridOperation);
}

// ---------------------------------------------------------------------------------------
// Geometry

TEST(StringGrid, CellRectAndMouseToCellAtTheEdges)
{
  PlainGrid f(300, 100);
  TProbeGrid *g = f.Grid;
  g->SetColCount(10);
  g->SetRowCount(10);
  ASSERT_EQ(g->ClientWidth(), 300);
  // Columns are 64 + 1 line: 0..63, 65..128, ...; rows 0..23, 25..48, ...
  struct Case { int c, r; TRect rect; } rects[] = {
      {0, 0, TRect(0, 0, 64, 24)},
      {1, 1, TRect(65, 25, 129, 49)},
      {4, 1, TRect(260, 25, 300, 49)},  // cut at the client edge
      {5, 1, TRect()},                  // not in view
  };
  for (auto c : rects)
    EXPECT_EQ(g->CellRect(c.c, c.r), c.rect) << c.c << "," << c.r;
  struct Hit { int x, y, c, r; } hits[] = {
      {0, 0, 0, 0}, {63, 23, 0, 0}, {64, 24, 0, 0}, {65, 25, 1, 1}, {299, 99, 4, 3}, {300, 50, -1, -1}, {-1, 5, -1, -1},
  };
  for (auto h : hits) {
    int c = 0, r = 0;
    g->MouseToCell(h.x, h.y, c, r);
    EXPECT_EQ(TGridCoord(c, r), TGridCoord(h.c, h.r)) << h.x << "," << h.y;
  }
  // Beyond the last column and row there is no cell.
  g->SetColCount(2);
  g->SetRowCount(2);
  EXPECT_EQ(g->MouseCoord(140, 10), TGridCoord(-1, -1));
  EXPECT_EQ(g->MouseCoord(10, 60), TGridCoord(-1, -1));
}

TEST(StringGrid, CellRectWhenScrolled)
{
  PlainGrid f(300, 100);
  TProbeGrid *g = f.Grid;
  g->SetColCount(10);
  g->SetRowCount(10);
  g->SetLeftCol(3);
  g->SetTopRow(4);
  EXPECT_EQ(g->CellRect(3, 4), TRect(65, 25, 129, 49));  // true left and top of (LeftCol, TopRow)
  EXPECT_EQ(g->CellRect(0, 4), TRect(0, 25, 64, 49));
  EXPECT_EQ(g->CellRect(2, 4), TRect());                 // under the fixed column
  EXPECT_EQ(g->CellRect(3, 0), TRect(65, 0, 129, 24));
  EXPECT_EQ(g->MouseCoord(70, 30), TGridCoord(3, 4));
  EXPECT_EQ(g->VisibleColCount(), 3);
  EXPECT_EQ(g->VisibleRowCount(), 3);
  // Clamped to the scrollable range.
  g->SetLeftCol(0);
  EXPECT_EQ(g->LeftCol(), 1);
  g->SetTopRow(1000);
  EXPECT_EQ(g->TopRow(), 7);
}

// A descendant that scales a size of its own after the inherited scaling.
class TScaledGrid : public TProbeGrid {
public:
  using TProbeGrid::TProbeGrid;
  int Extra = 10;

protected:
  void ChangeScale(int M, int D) override
  {
    TProbeGrid::ChangeScale(M, D);
    Calls << QString("ChangeScale(%1,%2) widths %3").arg(M).arg(D).arg(DefaultColWidth());
    Extra = MulDiv(Extra, M, D);
  }
};

TEST(StringGrid, ScalingScalesTheDefaultAndTheOwnSizes)
{
  TForm form(nullptr);
  form.SetClientSize(400, 300);
  auto *g = new TScaledGrid(&form);
  g->SetParent(&form);
  g->SetBounds(10, 10, 200, 100);
  g->SetColWidths(2, 40);
  g->SetRowHeights(3, 30);
  form.Show();
  g->Calls.clear();
  form.ScaleBy(3, 2);
  EXPECT_EQ(g->Calls.filter("ChangeScale"), QStringList{"ChangeScale(3,2) widths 96"});
  EXPECT_EQ(g->BoundsRect(), Bounds(15, 15, 300, 150));
  EXPECT_EQ(g->DefaultColWidth(), 96);
  EXPECT_EQ(g->DefaultRowHeight(), 36);
  EXPECT_EQ(g->ColWidths(1), 96);
  EXPECT_EQ(g->ColWidths(2), 60);
  EXPECT_EQ(g->RowHeights(3), 45);
  EXPECT_EQ(g->Extra, 15);
  EXPECT_EQ(g->CellRect(2, 1), TRect(97 + 1 + 96, 37, 97 + 1 + 96 + 60, 37 + 36));
}

// ---------------------------------------------------------------------------------------
// Painting

TEST(StringGrid, PaintOrderAndStates)
{
  PlainGrid f(200, 80);
  TProbeGrid *g = f.Grid;
  g->SetColCount(4);
  g->SetRowCount(4);
  g->SetDefaultColWidth(60);
  g->SetDefaultRowHeight(20);
  g->SetLeftCol(2);
  g->SetSelection(TGridRect(2, 1, 3, 2));
  g->SetFocus();
  g->RecordDraws = true;
  QStringList log;
  g->Canvas()->SetRecorder(&log);
  g->Repaint();
  g->Canvas()->SetRecorder(nullptr);
  // Fixed corner, fixed row from LeftCol, fixed column from TopRow, then the scrolled cells.
  const QStringList expected{
      "0,0[fixed]", "2,0[fixed]", "3,0[fixed]",
      "0,1[fixed]", "0,2[fixed]", "0,3[fixed]",
      "2,1[selected]", "3,1[selected]", "2,2[selected]", "3,2[selected,focused]", "2,3[]", "3,3[]",
  };
  EXPECT_EQ(g->Draws, expected);
  EXPECT_FALSE(log.filter("DrawFocusRect").isEmpty());
}

TEST(StringGrid, PaintWithoutDefaultDrawingLeavesCellsToTheHook)
{
  PlainGrid f(200, 80);
  TProbeGrid *g = f.Grid;
  g->SetColCount(2);
  g->SetRowCount(2);
  g->SetDefaultDrawing(false);
  g->SetCells(1, 1, "text");
  QStringList log;
  g->Canvas()->SetRecorder(&log);
  g->Repaint();
  g->Canvas()->SetRecorder(nullptr);
  EXPECT_TRUE(log.filter("DrawFocusRect").isEmpty());
  EXPECT_TRUE(log.filter("text").isEmpty());
}

TEST(StringGrid, PaintSkipsTheCellUnderTheEditor)
{
  PlainGrid f(300, 150);
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goEditing);
  g->SetFocus();
  g->ShowEditor();
  ASSERT_TRUE(g->InplaceEditor() && g->InplaceEditor()->Visible());
  g->RecordDraws = true;
  g->Repaint();
  EXPECT_TRUE(g->Draws.filter(QStringLiteral("1,1[")).isEmpty());
  EXPECT_FALSE(g->Draws.isEmpty());
}

TEST(StringGrid, InvalidatingCellsRepaintsOnlyThoseCells)
{
  PlainGrid f(400, 300);
  TProbeGrid *g = f.Grid;
  g->SetColCount(6);
  g->SetRowCount(12);
  SimProcess();
  g->Update();
  g->RecordDraws = true;
  g->InvalidateCell(2, 2);
  g->InvalidateCell(4, 5);  // far apart: the cells between are not repainted
  g->InvalidateCell(0, 3);
  g->InvalidateCell(5, 40);  // not in view
  g->Update();
  QStringList drawn = g->Draws;
  drawn.sort();
  EXPECT_EQ(drawn, (QStringList{"0,3[fixed]", "2,2[]", "4,5[]"}));
  g->Draws.clear();
  g->Invalidate();
  g->Update();
  EXPECT_EQ(g->Draws.size(), 6 * 12);
}

TEST(StringGrid, ACellWriteRepaintsTheCellOnlyWhenItIsOnScreen)
{
  // Columns of 64 + 1, rows of 24 + 1: 300 x 100 shows columns 0..4 and rows 0..3.
  PlainGrid f(300, 100);
  TProbeGrid *g = f.Grid;
  g->SetColCount(20);
  g->SetRowCount(50);
  struct Case {
    const char *name;
    std::function<void()> change;
    int col, row;
    bool drawn;
  } cases[] = {
      {"on screen", [] {}, 2, 2, true},
      {"fixed column", [] {}, 0, 3, true},
      {"cut by the client edge", [] {}, 4, 3, true},
      {"below the view", [] {}, 2, 4, false},
      {"right of the view", [] {}, 5, 1, false},
      {"scrolled into view", [g] { g->SetTopRow(30); }, 2, 31, true},
      {"scrolled out of view", [] {}, 2, 2, false},
      {"a wider client", [g] { g->SetBounds(0, 0, 400, 100); }, 6, 31, true},
      {"narrower columns", [g] { g->SetDefaultColWidth(20); }, 15, 31, true},
      {"a taller row above", [g] { g->SetRowHeights(30, 80); }, 2, 31, false},
      {"more rows in view", [g] { g->SetRowHeights(30, 24); }, 2, 32, true},
  };
  SimProcess();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    c.change();
    g->Update();
    g->RecordDraws = true;
    g->Draws.clear();
    g->SetCells(c.col, c.row, c.name);
    g->Update();
    g->RecordDraws = false;
    EXPECT_EQ(g->Draws.filter(QString("%1,%2[").arg(c.col).arg(c.row)).size(), c.drawn ? 1 : 0);
    EXPECT_LE(g->Draws.size(), 1);
  }
  // Before the window exists a write only stores the text.
  TStringGrid lone(nullptr);
  lone.SetCells(3, 3, "x");
  EXPECT_FALSE(lone.HandleAllocated());
  EXPECT_EQ(lone.Cells(3, 3), "x");
}

// Draws into cell (1, 1) through a clip region built from the cell's client rectangle,
// then removes the region and fills across the top-left corner of the client area.
class TClipGrid : public TProbeGrid {
public:
  using TProbeGrid::TProbeGrid;

protected:
  void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override
  {
    TProbeGrid::DrawCell(ACol, ARow, ARect, AState);
    if (ACol != 1 || ARow != 1)
      return;
    TCanvas *c = Canvas();
    const QRegion cell = CreateRectRgn(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    SelectClipRgn(c->Handle(), &cell);
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect(ARect.Left - 10, ARect.Top - 10, ARect.Right + 10, ARect.Bottom + 10));
    SelectClipRgn(c->Handle(), nullptr);
    c->Brush()->SetColor(clLime);
    c->FillRect(TRect(-4, -4, 3, 3));
  }
};

TEST(StringGrid, ClipRegionsDuringAPaintAreClientCoordinates)
{
  TForm form(nullptr);
  form.SetClientSize(300, 200);
  auto *g = new TClipGrid(&form);
  g->SetParent(&form);
  g->SetBounds(0, 0, 280, 180);  // the default sunken border: the client starts at (2, 2)
  form.Show();
  SimProcess();
  const QImage img = GrabControl(g);
  ASSERT_TRUE(GrabToPng(g, testsupport::OutputDir() + "/grid_clip_region.png"));
  ASSERT_EQ(g->ClientWidth(), 280 - 4);  // the default cells fit: no scroll bars
  auto at = [&](int x, int y) { return img.pixelColor(2 + x, 2 + y).rgb() & 0xFFFFFF; };
  const TRect cell = g->CellRect(1, 1);
  const QRgb red = 0xFF0000, lime = 0x00FF00;
  // (The current cell's focus rectangle inverts its outermost pixels.)
  EXPECT_EQ(at(cell.Left + 1, cell.Top + 1), red);
  EXPECT_EQ(at(cell.Right - 2, cell.Bottom - 2), red);
  EXPECT_NE(at(cell.Left - 1, cell.Top - 1), red);
  // Without the region the client clip stays: the frame keeps its colours.
  EXPECT_EQ(at(0, 0), lime);
  EXPECT_NE(at(-1, -1), lime);
  EXPECT_NE(at(-2, -2), lime);
}

// ---------------------------------------------------------------------------------------
// Keyboard

TEST(StringGrid, KeyboardNavigationTable)
{
  PlainGrid f(300, 100);  // 4 visible data columns at most, 3 rows
  TProbeGrid *g = f.Grid;
  g->SetColCount(10);
  g->SetRowCount(20);
  g->SetOptions(g->Options() + goTabs);
  struct Case {
    const char *name;
    TGridCoord start;
    uint16_t key;
    TShiftState shift;
    TGridCoord end;
  } cases[] = {
      {"down", {2, 2}, VK_DOWN, {}, {2, 3}},
      {"up stops at the fixed row", {2, 1}, VK_UP, {}, {2, 1}},
      {"left stops at the fixed column", {1, 5}, VK_LEFT, {}, {1, 5}},
      {"right", {2, 2}, VK_RIGHT, {}, {3, 2}},
      {"page down", {2, 2}, VK_NEXT, {}, {2, 4}},
      {"page up at the top", {2, 2}, VK_PRIOR, {}, {2, 1}},
      {"home", {5, 5}, VK_HOME, {}, {1, 5}},
      {"end", {5, 5}, VK_END, {}, {9, 5}},
      {"ctrl home", {5, 5}, VK_HOME, {ssCtrl}, {1, 1}},
      {"ctrl end", {5, 5}, VK_END, {ssCtrl}, {9, 19}},
      {"tab", {4, 4}, VK_TAB, {}, {5, 4}},
      {"tab wraps to the next row", {9, 4}, VK_TAB, {}, {1, 5}},
      {"tab wraps to the first row", {9, 19}, VK_TAB, {}, {1, 1}},
      {"shift tab wraps back", {1, 4}, VK_TAB, {ssShift}, {9, 3}},
  };
  for (const Case &c : cases) {
    g->FocusCell(c.start.X, c.start.Y, true);
    uint16_t key = c.key;
    g->KeyDown(key, c.shift);
    EXPECT_EQ(TGridCoord(g->Col(), g->Row()), c.end) << c.name;
  }
  // Ctrl+PgUp/PgDn go to the top and bottom visible rows.
  g->SetTopRow(5);
  g->FocusCell(3, 6, true);
  uint16_t key = VK_NEXT;
  g->KeyDown(key, {ssCtrl});
  EXPECT_EQ(g->Row(), 5 + g->VisibleRowCount() - 1);
  key = VK_PRIOR;
  g->KeyDown(key, {ssCtrl});
  EXPECT_EQ(g->Row(), g->TopRow());
}

TEST(StringGrid, ShiftArrowsExtendTheSelectionAndOnKeyDownCanStopAKey)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->FocusCell(1, 1, true);
  uint16_t key = VK_DOWN;
  g->KeyDown(key, {ssShift});
  key = VK_RIGHT;
  g->KeyDown(key, {ssShift});
  EXPECT_EQ(g->Selection(), TGridRect(1, 1, 2, 2));
  g->OnKeyDown = [](TObject *, uint16_t &k, TShiftState) { k = 0; };
  key = VK_DOWN;
  g->KeyDown(key, {});
  EXPECT_EQ(g->Row(), 2);
}

TEST(StringGrid, RowSelectMovesWholeRows)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->SetRowCount(10);
  g->SetOptions(g->Options() + goRowSelect);
  uint16_t key = VK_END;
  g->KeyDown(key, {});
  EXPECT_EQ(g->Row(), 9);
  EXPECT_EQ(g->Selection(), TGridRect(1, 9, 4, 9));
  key = VK_HOME;
  g->KeyDown(key, {});
  EXPECT_EQ(g->Row(), 1);
}

TEST(StringGrid, DialogCodesFollowTheOptions)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  EXPECT_EQ(g->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
  g->SetOptions(g->Options() + goTabs + goEditing);
  EXPECT_EQ(g->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS));
  g->SetOptions(g->Options() + goRowSelect);
  EXPECT_EQ(g->Perform(WM_GETDLGCODE), LRESULT(DLGC_WANTARROWS));
}

// ---------------------------------------------------------------------------------------
// Mouse

TEST(StringGrid, ClickAndDragSelectARange)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  int clicks = 0;
  g->OnClick = [&](TObject *) { ++clicks; };
  Press(g, 70, 30);  // cell (1, 1)
  EXPECT_EQ(g->GridState(), gsSelecting);
  MoveTo(g, 200, 80);  // cell (3, 3)
  Release(g, 200, 80);
  EXPECT_EQ(g->GridState(), gsNormal);
  EXPECT_EQ(g->Selection(), TGridRect(1, 1, 3, 3));
  EXPECT_EQ(TGridCoord(g->Col(), g->Row()), TGridCoord(1, 1));
  EXPECT_GE(clicks, 1);
  // Shift extends from the current cell.
  Press(g, 140, 30, MK_LBUTTON | MK_SHIFT);
  Release(g, 140, 30);
  EXPECT_EQ(g->Selection(), TGridRect(1, 1, 2, 1));
}

TEST(StringGrid, SizingAColumnByMouseCallsTheHooksInOrder)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goColSizing + goRowSizing);
  g->Calls.clear();
  // The line after column 1 is at x = 129.
  Press(g, 129, 10);
  EXPECT_EQ(g->GridState(), gsColSizing);
  MoveTo(g, 150, 10);
  Release(g, 150, 10);
  EXPECT_EQ(g->GridState(), gsNormal);
  EXPECT_EQ(g->ColWidths(1), 85);
  EXPECT_EQ(g->Calls, (QStringList{"CalcSizingState(1)", "ColWidthsChanged"}));
  // Rows from the fixed column; a descendant can veto.
  Press(g, 10, 49);
  MoveTo(g, 10, 60);
  Release(g, 10, 60);
  EXPECT_EQ(g->RowHeights(1), 35);
  g->VetoSizing = true;
  Press(g, 129 + 21, 10);
  EXPECT_NE(g->GridState(), gsColSizing);
  Release(g, 129 + 21, 10);
}

TEST(StringGrid, MovingAColumnByMouseMovesItsCells)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goColMoving);
  for (int c = 0; c < 5; ++c)
    g->SetCells(c, 2, QString::number(c));
  g->SetColWidths(1, 40);
  g->Calls.clear();
  Press(g, 80, 10);  // fixed row over column 1 (65..104)
  EXPECT_EQ(g->GridState(), gsColMoving);
  MoveTo(g, 200, 10);  // column 3
  Release(g, 200, 10);
  EXPECT_EQ(g->Calls.filter("Moved"), QStringList{"ColumnMoved(1,3)"});
  EXPECT_EQ(g->Cells(3, 2), "1");
  EXPECT_EQ(g->Cells(1, 2), "2");
  // Widths stay with their index: the descendant grids move them in ColumnMoved.
  EXPECT_EQ(g->ColWidths(1), 40);
}

TEST(StringGrid, DeleteRowMovesTheRowToTheEndAndShortens)
{
  TGridForm f;
  TProbeGrid *g = f.Grid;
  for (int r = 0; r < 5; ++r)
    g->SetCells(1, r, QString::number(r));
  g->Calls.clear();
  g->DeleteRow(2);
  EXPECT_EQ(g->RowCount(), 4);
  EXPECT_EQ(g->Calls.filter("Moved"), QStringList{"RowMoved(2,4)"});
  EXPECT_EQ(g->Cells(1, 2), "3");
  EXPECT_EQ(g->Cells(1, 4), "2");  // kept beyond the count
}

TEST(StringGrid, WheelMovesTheRowOneNotchAtATime)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  EXPECT_TRUE(g->DoMouseWheelDown({}, TPoint()));
  EXPECT_EQ(g->Row(), 2);
  EXPECT_TRUE(g->DoMouseWheelUp({}, TPoint()));
  EXPECT_TRUE(g->DoMouseWheelUp({}, TPoint()));
  EXPECT_EQ(g->Row(), 1);  // stays within the data rows
}

TEST(StringGrid, CancelModeEndsADrag)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  Press(g, 70, 30);
  ASSERT_EQ(g->GridState(), gsSelecting);
  g->Perform(WM_CANCELMODE);
  EXPECT_EQ(g->GridState(), gsNormal);
}

// A descendant that ends a drag itself: it sets the state to normal before the inherited
// release, and counts the auto-scroll timer's ticks.
class TOwnReleaseGrid : public TProbeGrid {
public:
  using TProbeGrid::TProbeGrid;
  using TProbeGrid::FGridState;
  int Ticks = 0;
  void WMTimer(TWMTimer &Message) override
  {
    if (Message.TimerID == 1)
      ++Ticks;
    TProbeGrid::WMTimer(Message);
  }

protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override
  {
    FGridState = gsNormal;
    TProbeGrid::MouseUp(Button, Shift, X, Y);
  }
};

TEST(StringGrid, EndingADragErasesItsMarkAndStopsTheTimer)
{
  struct Case {
    const char *name;
    TGridOption option;
    TPoint press, move;
    bool cancel;  // WM_CANCELMODE instead of the release
  } cases[] = {
      {"column sizing, release", goColSizing, TPoint(129, 10), TPoint(150, 10), false},
      {"column sizing, cancel", goColSizing, TPoint(129, 10), TPoint(150, 10), true},
      {"row moving, release", goRowMoving, TPoint(10, 40), TPoint(10, 100), false},
      {"row moving, cancel", goRowMoving, TPoint(10, 40), TPoint(10, 100), true},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TForm form(nullptr);
    form.SetClientSize(420, 320);
    auto *g = new TOwnReleaseGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 400, 300);
    g->SetBorderStyle(bsNone);
    g->SetScrollBars(ssNone);
    g->SetOptions(g->Options() + c.option);
    form.Show();
    g->SetFocus();
    const QImage before = GrabControl(g);
    Press(g, c.press.X, c.press.Y);
    ASSERT_NE(g->GridState(), gsNormal);
    MoveTo(g, c.move.X, c.move.Y);
    ASSERT_FALSE(GrabControl(g) == before);  // the mark is on screen
    if (c.cancel) {
      g->FGridState = gsNormal;
      g->Repaint();  // a paint in between keeps the mark where it was
      g->Perform(WM_CANCELMODE);
    } else {
      Release(g, c.move.X, c.move.Y);
    }
    EXPECT_TRUE(GrabControl(g) == before);
    g->Ticks = 0;
    SimAdvanceTime(200);
    EXPECT_EQ(g->Ticks, 0);
  }
}

// ---------------------------------------------------------------------------------------
// Editor

TEST(StringGrid, EditorShowHideAndWriteBack)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goEditing);
  g->SetCells(2, 2, "old");
  g->FocusCell(2, 2, true);
  g->Calls.clear();
  uint16_t key = VK_F2;
  g->KeyDown(key, {});
  TInplaceEdit *ed = g->InplaceEditor();
  ASSERT_NE(ed, nullptr);
  EXPECT_TRUE(g->EditorMode());
  EXPECT_TRUE(ed->Visible());
  EXPECT_EQ(ed->Text(), "old");
  EXPECT_EQ(ed->BoundsRect(), g->CellRect(2, 2));
  EXPECT_TRUE(g->Calls.contains("GetEditText(2,2)"));
  // Typing reaches the cell through SetEditText.
  ed->SetText("new");
  EXPECT_TRUE(g->Calls.contains("SetEditText(2,2,new)"));
  EXPECT_EQ(g->Cells(2, 2), "new");
  g->Calls.clear();
  g->HideEditor();
  EXPECT_FALSE(g->EditorMode());
  EXPECT_FALSE(ed->Visible());
  EXPECT_EQ(g->Calls, QStringList{"SetEditText(2,2,new)"});
  EXPECT_TRUE(g->Focused());
}

TEST(StringGrid, EditorFollowsTheCurrentCellAndReloads)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goEditing + goAlwaysShowEditor);
  g->SetCells(1, 1, "a");
  g->SetCells(1, 2, "b");
  g->FocusCell(1, 1, true);
  TInplaceEdit *ed = g->InplaceEditor();
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(ed->Text(), "a");
  g->SetRow(2);
  EXPECT_EQ(ed->Text(), "b");
  EXPECT_EQ(ed->BoundsRect(), g->CellRect(1, 2));
  // Writing the current cell from outside refreshes the editor.
  g->SetCells(1, 2, "c");
  EXPECT_EQ(ed->Text(), "c");
}

TEST(StringGrid, EnterTogglesTheEditorAndAPrintableKeyOpensIt)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goEditing);
  QChar enter(13);
  g->KeyPress(enter);
  EXPECT_TRUE(g->EditorMode());
  enter = QChar(13);
  g->KeyPress(enter);
  EXPECT_FALSE(g->EditorMode());
  g->Perform(WM_CHAR, 'x');
  QApplication::processEvents();
  EXPECT_TRUE(g->EditorMode());
  ASSERT_NE(g->InplaceEditor(), nullptr);
  EXPECT_EQ(g->InplaceEditor()->Text(), "x");
}

TEST(StringGrid, ClickOnTheCurrentCellShowsTheEditor)
{
  PlainGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goEditing);
  Press(g, 140, 30);  // (2, 1): moves there
  Release(g, 140, 30);
  EXPECT_EQ(g->Col(), 2);
  EXPECT_FALSE(g->EditorMode());
  Press(g, 140, 30);
  Release(g, 140, 30);
  EXPECT_TRUE(g->EditorMode());
  EXPECT_TRUE(g->InplaceEditor()->Visible());
}

// ---------------------------------------------------------------------------------------
// Scroll bars

TEST(StringGrid, ScrollBarsShowOnlyWhenTheCellsDoNotFit)
{
  TGridForm f(400, 300);
  TProbeGrid *g = f.Grid;
  auto range = [&](int bar) {
    int lo = 0, hi = 0;
    GetScrollRange(g->Handle(), bar, lo, hi);
    return hi - lo;
  };
  EXPECT_EQ(range(SB_HORZ), 0);
  EXPECT_EQ(range(SB_VERT), 0);
  g->SetRowCount(50);
  EXPECT_EQ(range(SB_VERT), 127);
  EXPECT_EQ(range(SB_HORZ), 0);
  g->SetColWidths(4, 200);
  EXPECT_EQ(range(SB_HORZ), 127);
  g->SetRowCount(5);
  EXPECT_EQ(range(SB_VERT), 0);
  EXPECT_EQ(g->TopRow(), 1);
}

TEST(StringGrid, ScrollMessagesMoveTheViewAndTheThumb)
{
  TGridForm f(300, 150);
  TProbeGrid *g = f.Grid;
  g->SetColCount(20);
  g->SetRowCount(50);
  g->Calls.clear();
  g->Perform(WM_VSCROLL, MakeWParam(SB_LINEDOWN, 0));
  EXPECT_EQ(g->TopRow(), 2);
  EXPECT_TRUE(g->Calls.contains("TopLeftChanged(1,2)"));
  // A page down makes the last fully visible row the top row.
  g->Perform(WM_VSCROLL, MakeWParam(SB_PAGEDOWN, 0));
  EXPECT_EQ(g->TopRow(), 2 + g->VisibleRowCount() - 1);
  g->Perform(WM_VSCROLL, MakeWParam(SB_BOTTOM, 0));
  const int maxTop = g->TopRow();
  EXPECT_EQ(maxTop + g->VisibleRowCount(), 50);
  EXPECT_EQ(GetScrollPos(g->Handle(), SB_VERT), 127);
  g->Perform(WM_VSCROLL, MakeWParam(SB_THUMBTRACK, 0));  // no tracking without goThumbTracking
  EXPECT_EQ(g->TopRow(), maxTop);
  g->Perform(WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, 0));
  EXPECT_EQ(g->TopRow(), 1);
  g->Perform(WM_HSCROLL, MakeWParam(SB_LINEDOWN, 0));
  EXPECT_EQ(g->LeftCol(), 2);
  g->SetLeftCol(10);
  g->Perform(WM_HSCROLL, MakeWParam(SB_TOP, 0));
  EXPECT_EQ(g->LeftCol(), 1);
  g->SetOptions(g->Options() + goThumbTracking);
  g->Perform(WM_HSCROLL, MakeWParam(SB_THUMBTRACK, 127));
  EXPECT_EQ(g->LeftCol(), g->ColCount() - g->VisibleColCount());
  // Setting the view moves the thumb.
  g->SetTopRow(1);
  EXPECT_EQ(GetScrollPos(g->Handle(), SB_VERT), 0);
}

// ---------------------------------------------------------------------------------------
// Picture

TEST(StringGrid, PictureOfAScrolledGridWithSelectionAndEditor)
{
  TGridForm f(420, 260);
  TProbeGrid *g = f.Grid;
  g->SetColCount(10);
  g->SetRowCount(20);
  g->SetOptions(g->Options() + goEditing);
  for (int c = 0; c < 10; ++c)
    g->SetCells(c, 0, QString("Col %1").arg(c));
  for (int r = 1; r < 20; ++r) {
    g->SetCells(0, r, QString("Row %1").arg(r));
    for (int c = 1; c < 10; ++c)
      g->SetCells(c, r, QString("%1.%2").arg(c).arg(r));
  }
  g->SetTopRow(4);
  g->SetLeftCol(2);
  g->FocusCell(3, 9, true);
  g->SetSelection(TGridRect(2, 6, 3, 9));  // anchor (2, 6), current (3, 9)
  g->ShowEditor();
  ASSERT_TRUE(g->InplaceEditor()->Visible());
  QApplication::processEvents();
  const QImage image = f.Form->Handle()->grab().toImage();
  const QString path = testsupport::OutputDir() + "/string_grid.png";
  ASSERT_TRUE(image.save(path));
  // The editor sits over the current cell inside the grid.
  const TRect r = g->CellRect(3, 9);
  EXPECT_FALSE(r.IsEmpty());
}

}  // namespace
