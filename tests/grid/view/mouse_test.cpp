#include "tests/grid/view/input_fixture.h"

#include "framework/dialogs/dialogs.h"
#include "grid/core/sort_settings.h"
#include "tests/support/test_support.h"

namespace {

using MouseInput = InputGrids;

TEST_F(MouseInput, ClickOnDataCheckBoxTogglesMakesCurrentAndReportsDisplayColumn)
{
  cg->OnCheckBoxClick = [this](TObject *, int c, int r, bool s) { log << QStringLiteral("check %1,%2=%3").arg(c).arg(r).arg(s); };
  cg->OnClickCell = [this](TObject *, int r, int c) { log << QStringLiteral("cell %1,%2").arg(r).arg(c); };
  cg->OnClick = [this](TObject *) { log << "click"; };
  // A column grid decides editability from the column alone: no goEditing needed.
  ASSERT_FALSE(cg->Options().Contains(goEditing));
  Click(cg, cEnable, 3);
  EXPECT_EQ(cg->Cells(cEnable, 3), "Y");
  EXPECT_EQ(cg->Col(), int(cEnable));
  EXPECT_EQ(cg->Row(), 3);
  EXPECT_EQ(log, QStringList({"check 1,3=1", "click"}));
  Click(cg, cEnable, 3);
  EXPECT_EQ(cg->Cells(cEnable, 3), "N");
  // A read-only column does not toggle; the press selects it like a plain cell.
  cg->Columns()->Items(cSwap)->SetReadOnly(true);
  log.clear();
  Click(cg, cSwap, 2);
  EXPECT_EQ(cg->Cells(cSwap, 2), "");
  // The platform's press moves the current cell (OnClick) before the grid reports the cell.
  EXPECT_EQ(log, QStringList({"click", "cell 2,5"}));
}

TEST_F(MouseInput, CheckBoxInStringGridNeedsEditingOrAlwaysActive)
{
  sg->AddCheckBox(2, 3, false, true);
  struct { bool editing, alwaysActive, toggles; } cases[] = {{false, false, false}, {true, false, true}, {false, true, true}};
  for (const auto &k : cases) {
    sg->SetCells(2, 3, sg->CheckFalse());
    sg->SetOptions(k.editing ? sg->Options() + goEditing : sg->Options() - goEditing);
    sg->ControlLook()->SetCheckAlwaysActive(k.alwaysActive);
    Click(sg, 2, 3);
    bool state = false;
    sg->GetCheckBoxState(2, 3, state);
    EXPECT_EQ(state, k.toggles) << k.editing << k.alwaysActive;
    EXPECT_EQ(sg->Col(), 2);
    SimProcess();
  }
}

TEST_F(MouseInput, ClickCellAfterMoveAndCanClickCellSwallowsThePress)
{
  sg->OnClickCell = [this](TObject *, int r, int c) { log << QStringLiteral("%1,%2 at %3,%4").arg(r).arg(c).arg(sg->Row()).arg(sg->Col()); };
  Click(sg, 3, 4);
  EXPECT_EQ(log, QStringList({"4,3 at 4,3"}));
  bool allow = false;
  sg->OnCanClickCell = [&](TObject *, int, int, bool &A) { A = allow; };
  Click(sg, 1, 1);
  EXPECT_EQ(sg->Row(), 4);
  EXPECT_EQ(log.size(), 1);
  // A merged block reports its base cell.
  allow = true;
  sg->MergeCells(1, 6, 2, 2);
  Click(sg, 2, 7);
  EXPECT_EQ(log.last(), "6,1 at 6,1");
}

TEST_F(MouseInput, CellButtonClicksOnlyWhenReleasedInsideIt)
{
  sg->SetOptions(sg->Options() + goEditing);
  sg->AddButton(2, 5, 30, 16, "...", haRight, vaCenter);
  sg->OnButtonClick = [this](TObject *, int c, int r) { log << QStringLiteral("button %1,%2").arg(c).arg(r); };
  const TRect b = sg->GetCellButtonRect(2, 5);
  ASSERT_FALSE(b.Right - b.Left <= 0);
  const TPoint in((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  SimClick(sg, in.X, in.Y);
  EXPECT_EQ(log, QStringList({"button 2,5"}));
  SimMouseDown(sg, in.X, in.Y);
  SimMouseMove(sg, in.X - 60, in.Y);
  SimMouseUp(sg, in.X - 60, in.Y);
  EXPECT_EQ(log.size(), 1);
}

TEST_F(MouseInput, FixedColumnSizedPastItsLeftEdgeEndsAtZeroWidth)
{
  sg->MouseActions()->SetSizeFixedCol(true);
  int ended = -1;
  sg->OnEndColumnSize = [&](TObject *, int c) { ended = c; };
  const int border = sg->ColWidths(0) + 1;
  const int y = Mid(sg, 0, 3).Y;
  SimMouseMove(sg, border, y);
  SimMouseDown(sg, border, y);
  SimMouseMove(sg, 30, y);
  SimMouseUp(sg, 30, y);
  EXPECT_EQ(sg->ColWidths(0), 30);
  EXPECT_EQ(ended, 0);
  // Dragged left of the grid, the width stays at 0 instead of going negative.
  SimMouseMove(sg, 30, y);
  SimMouseDown(sg, 30, y);
  SimMouseUp(sg, -40, y);
  EXPECT_EQ(sg->ColWidths(0), 0);
}

TEST_F(MouseInput, DoubleClickOnHeaderBorderAutoSizesAndSkipsTheSort)
{
  sg->SetOptions(sg->Options() + goColSizing);
  sg->SortSettings()->SetShow(true);
  sg->SetCells(2, 5, "a much longer text than the column shows");
  int sized = -1, sorted = 0;
  sg->OnColumnSize = [&](TObject *, int c, bool &) { sized = c; };
  sg->OnClickSort = [&](TObject *, int) { ++sorted; };
  const TRect h = sg->CellRect(2, 0);
  SimDblClick(sg, h.Right, (h.Top + h.Bottom) / 2);
  EXPECT_EQ(sized, 2);
  EXPECT_GT(sg->ColWidths(2), 150);
  EXPECT_EQ(sorted, 0);
}

TEST_F(MouseInput, DoubleClickCellFiresOnceExceptOnClickControls)
{
  cg->OnDblClickCell = [this](TObject *, int r, int c) { log << QStringLiteral("%1,%2").arg(r).arg(c); };
  const TPoint p = Mid(cg, cAddress, 2);
  SimDblClick(cg, p.X, p.Y);
  EXPECT_EQ(log, QStringList({"2,2"}));
  const TPoint q = Mid(cg, cEnable, 2);
  SimDblClick(cg, q.X, q.Y);
  EXPECT_EQ(log.size(), 1);
}

TEST_F(MouseInput, RightClickSelectsWithSelectOnRightClickAndReportsCell)
{
  sg->OnRightClickCell = [this](TObject *, int r, int c) { log << QStringLiteral("%1,%2").arg(r).arg(c); };
  const TPoint p = Mid(sg, 3, 6);
  SimClick(sg, p.X, p.Y, mbRight);
  EXPECT_EQ(sg->Row(), 1);
  sg->MouseActions()->SetSelectOnRightClick(true);
  SimClick(sg, p.X, p.Y, mbRight);
  EXPECT_EQ(sg->Col(), 3);
  EXPECT_EQ(sg->Row(), 6);
  EXPECT_EQ(log, QStringList({"6,3", "6,3"}));
  // Without a handler the right click selects exactly as a left click does.
  sg->OnRightClickCell = nullptr;
  sg->OnClickCell = [this](TObject *, int r, int c) { log << QStringLiteral("left %1,%2").arg(r).arg(c); };
  const TPoint q = Mid(sg, 2, 8);
  SimClick(sg, q.X, q.Y, mbRight);
  EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(2, 8));
}

TEST_F(MouseInput, LinksOpenOnlyDocumentsAndCellReferencesStayInsideTheGrid)
{
  QStringList opened;
  SetOpenURLHandler([&](const QString &u) {
    opened << u;
    return true;
  });
  sg->SetURLShow(true);
  struct { const char *text; const char *opened; int col, row; } cases[] = {
      {"http://example.com/a", "http://example.com/a", 1, 3},
      {"mailto:a@b.c", "mailto:a@b.c", 1, 3},
      {"file:///bin/sh", nullptr, 1, 3},
      {"<a href=\"cell://r7c2\">go</a>", nullptr, 2, 7},
      {"<a href=\"CELL://R99C2\">far</a>", nullptr, 1, 3},
      {"<a href=\"notepad.exe\">run</a>", nullptr, 1, 3},
  };
  for (const auto &k : cases) {
    opened.clear();
    sg->FocusCell(1, 1, true);
    sg->SetCells(1, 3, k.text);
    const TRect r = sg->CellRect(1, 3);
    SimClick(sg, r.Left + 6, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(opened, k.opened ? QStringList({k.opened}) : QStringList()) << k.text;
    if (QString(k.text).startsWith('<')) {
      EXPECT_EQ(TPoint(sg->Col(), sg->Row()), (TPoint(k.col, k.row == 3 ? 1 : k.row))) << k.text;
    }
    SimProcess();
  }
  SetOpenURLHandler(nullptr);
}

} // namespace

namespace {

TEST_F(MouseInput, NodeGlyphClickContractsAndExpandsWithVetoes)
{
  sg->SetFixedCols(1);
  sg->AddNode(2, 4);
  sg->MouseActions()->SetPreciseNodeClick(false);
  bool allow = true;
  sg->OnBeforeContractNode = [&](TObject *, int, int, bool &A) { A = allow; };
  sg->OnContractNode = [this](TObject *, int r, int real) { log << QStringLiteral("contract %1,%2").arg(r).arg(real); };
  sg->OnExpandNode = [this](TObject *, int r, int real) { log << QStringLiteral("expand %1,%2").arg(r).arg(real); };
  allow = false;
  Click(sg, 0, 2);
  EXPECT_FALSE(sg->GetNodeState(2));
  allow = true;
  Click(sg, 0, 2);
  EXPECT_TRUE(sg->GetNodeState(2));
  Click(sg, 0, 2);
  EXPECT_FALSE(sg->GetNodeState(2));
  EXPECT_EQ(log, QStringList({"contract 2,2", "expand 2,2"}));
}

TEST_F(MouseInput, RadioGroupClickChoosesTheItemUnderThePointer)
{
  sg->SetOptions(sg->Options() + goEditing);
  TStrings *items = sg->CreateRadio(2, 4, 0, 0);
  items->Add("A");
  items->Add("B");
  items->Add("C");
  sg->SetRowHeights(4, 60);
  sg->OnRadioClick = [this](TObject *, int c, int r, int i) { log << QStringLiteral("%1,%2:%3").arg(c).arg(r).arg(i); };
  const TRect R = sg->CellRect(2, 4);
  sg->Canvas()->Font()->Assign(sg->Font());
  const int item = std::max(sg->ControlLook()->RadioSize(), sg->Canvas()->TextHeight("gh"));
  SimClick(sg, R.Left + 5, R.Top + item + item / 2);
  int idx = -1;
  sg->GetRadioIdx(2, 4, idx);
  EXPECT_EQ(idx, 1);
  EXPECT_EQ(log, QStringList({"2,4:1"}));
  EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(2, 4));
}

} // namespace

namespace {

// A grid that picks cells, as a derived grid switches cell-selector mode on.
class TPickGrid : public TZavStringGrid {
public:
  using TZavStringGrid::TZavStringGrid;
  void SetPicking(bool On) { FCellSelectorMode = On; }
  QList<TPoint> picked;

protected:
  void CellSelectorClick(int ACol, int ARow) override { picked << TPoint(ACol, ARow); }
};

TEST_F(MouseInput, CellSelectorModeHandsThePressedCellToTheHookOnly)
{
  auto *g = new TPickGrid(&form);
  g->SetParent(&form);
  g->SetBounds(450, 0, 400, 200);
  g->SetColCount(5);
  g->SetRowCount(6);
  g->OnClickCell = [this](TObject *, int r, int c) { log << QStringLiteral("cell %1,%2").arg(r).arg(c); };
  bool allow = true;
  g->OnCanClickCell = [&](TObject *, int, int, bool &A) { A = allow; };
  SimProcess();
  g->SetPicking(true);
  const TPoint p = Mid(g, 3, 4);
  SimMouseMove(g, p.X, p.Y);
  EXPECT_EQ(CursorShapeOf(g), int(Qt::CrossCursor));
  SimClick(g, p.X, p.Y);
  EXPECT_EQ(g->picked, QList<TPoint>({TPoint(3, 4)}));
  EXPECT_EQ(TPoint(g->Col(), g->Row()), TPoint(1, 1));
  EXPECT_TRUE(log.isEmpty());
  // A refused click picks nothing.
  allow = false;
  SimClick(g, p.X, p.Y);
  EXPECT_EQ(g->picked.size(), 1);
  // Out of the mode the press is an ordinary click again.
  allow = true;
  g->SetPicking(false);
  SimMouseMove(g, p.X + 1, p.Y);
  EXPECT_NE(CursorShapeOf(g), int(Qt::CrossCursor));
  SimClick(g, p.X, p.Y);
  EXPECT_EQ(g->picked.size(), 1);
  EXPECT_EQ(TPoint(g->Col(), g->Row()), TPoint(3, 4));
  EXPECT_EQ(log, QStringList({"cell 4,3"}));
}

TEST_F(MouseInput, RowIndicatorFollowsTheCurrentRowOfAForcedMove)
{
  // A press on a cell button moves the current cell without the usual checks; the indicator
  // must still leave the old row.
  sg->RowIndicator()->SetSize(8, 8);
  // Red on a white frame: the frame's colour is the transparent one.
  TCanvas *ic = sg->RowIndicator()->Canvas();
  ic->Brush()->SetColor(clWhite);
  ic->FillRect(TRect(0, 0, 8, 8));
  ic->Brush()->SetColor(clRed);
  ic->FillRect(TRect(1, 1, 7, 7));
  sg->SetOptions(sg->Options() + goEditing);
  sg->AddButton(2, 5, 30, 16, "...", haRight, vaCenter);
  Click(sg, 1, 2);
  SimProcess();
  auto hasIndicator = [this](const QImage &Img, int Row) {
    const TRect R = sg->CellRect(0, Row);
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x)
        if (Img.pixelColor(x, y) == QColor(255, 0, 0))
          return true;
    return false;
  };
  QImage img = GrabControl(sg);
  ASSERT_TRUE(hasIndicator(img, 2));
  const TRect b = sg->GetCellButtonRect(2, 5);
  SimClick(sg, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
  SimProcess();
  ASSERT_EQ(sg->Row(), 5);
  img = GrabControl(sg);
  EXPECT_TRUE(GrabToPng(sg, testsupport::OutputDir() + "/row_indicator_forced_move.png"));
  EXPECT_FALSE(hasIndicator(img, 2));
  EXPECT_TRUE(hasIndicator(img, 5));
}

} // namespace
