#include "tests/grid/view/input_fixture.h"

#include "framework/stdctrls/buttons.h"
#include "grid/core/grid_module.h"
#include "grid/foundation/cell_properties.h"

namespace {

struct WheelFocus : InputGrids {
  void Wheel(int Delta, TShiftState Shift = {})
  {
    const TPoint p = Mid(sg, 2, 3);
    SimWheel(sg, p.X, p.Y, Delta, Shift);
    SimProcess();
  }
};

TEST_F(WheelFocus, NotchMovesTheCurrentRowByTheWheelLines)
{
  sg->MouseActions()->SetWheelIncrement(2);
  sg->FocusCell(2, 5, true);
  Wheel(-120);
  EXPECT_EQ(sg->Row(), 7);
  Wheel(120);
  Wheel(120);
  EXPECT_EQ(sg->Row(), 3);
  // Partial deltas of a high-resolution wheel add up to one notch.
  for (int i = 0; i < 3; ++i)
    Wheel(-40);
  EXPECT_EQ(sg->Row(), 5);
  Wheel(-60);
  EXPECT_EQ(sg->Row(), 5);
  // Never past the last row.
  sg->MouseActions()->SetWheelIncrement(50);
  Wheel(-60);
  EXPECT_EQ(sg->Row(), 19);
}

TEST_F(WheelFocus, ScrollActionStopsAtTheLastValidTopRow)
{
  sg->MouseActions()->SetWheelAction(waScroll);
  sg->MouseActions()->SetWheelIncrement(7);
  const int lastTop = sg->RowCount() - sg->VisibleRowCount();
  for (int i = 0; i < 5; ++i)
    Wheel(-120);
  EXPECT_EQ(sg->TopRow(), lastTop);
  EXPECT_EQ(sg->Row(), 1);
  for (int i = 0; i < 5; ++i)
    Wheel(120);
  EXPECT_EQ(sg->TopRow(), 1);
}

TEST_F(WheelFocus, WheelOffAndCtrlZoom)
{
  sg->FocusCell(2, 5, true);
  sg->SetEnableWheel(false);
  Wheel(-120);
  EXPECT_EQ(sg->Row(), 5);
  EXPECT_EQ(sg->TopRow(), 1);
  sg->SetEnableWheel(true);
  const int h = sg->RowHeights(3);
  sg->SetCells(2, 4, "a text wider than any column of the grid");
  Wheel(-120, {ssCtrl});
  EXPECT_EQ(sg->Row(), 5);
  EXPECT_GT(sg->RowHeights(3), h);
  // The cells are fitted to the zoomed font.
  EXPECT_GE(sg->ColWidths(2), sg->GetCellTextSize(2, 4, false, false).cx + 4 + 2);
}

TEST_F(WheelFocus, ParentTakingTheWheelLeavesTheGridToTheFramework)
{
  sg->MouseActions()->SetWheelIncrement(4);
  sg->FocusCell(2, 5, true);
  form.OnMouseWheel = [](TObject *, TShiftState, int, TPoint, bool &Handled) { Handled = true; };
  Wheel(-120);
  // The framework's own wheel step (one row), not the grid's four.
  EXPECT_EQ(sg->Row(), 6);
}

TEST_F(WheelFocus, PostedEditDoneReachesOnEditCellDone)
{
  QStringList done;
  sg->OnEditCellDone = [&](TObject *, int c, int r) { done << QStringLiteral("%1,%2").arg(c).arg(r); };
  PostMessage(sg->Handle(), GridModule().GridEditDoneMessage, 3, 7);
  EXPECT_TRUE(done.isEmpty());
  SimProcess();
  EXPECT_EQ(done, QStringList({"3,7"}));
}

TEST_F(WheelFocus, MiddleButtonPansUntilAnyButtonOrKey)
{
  sg->FocusCell(2, 2, true);
  const TPoint p = Mid(sg, 2, 3);
  SimClick(sg, p.X, p.Y, mbMiddle);
  ASSERT_TRUE(sg->WheelPanning());
  SimMouseMove(sg, p.X, p.Y + 40);
  EXPECT_TRUE(SimWaitFor([&] { return sg->Row() >= 5; }));
  SimClick(sg, p.X, p.Y + 40);
  EXPECT_FALSE(sg->WheelPanning());
  const int row = sg->Row();
  SimProcess();
  EXPECT_EQ(sg->Row(), row);
  sg->SetIntelliPan(ipNone);
  SimClick(sg, p.X, p.Y, mbMiddle);
  EXPECT_FALSE(sg->WheelPanning());
}

TEST_F(WheelFocus, CellControlsFollowTheView)
{
  TButton *b = new TButton(&form);
  b->SetParent(sg);
  sg->CellProperties(2, 3)->SetControl(b);
  sg->CellControlsUpdate(true);
  const TRect r = sg->CellRect(2, 3);
  EXPECT_TRUE(b->Visible());
  EXPECT_EQ(TPoint(b->Left(), b->Top()), TPoint(r.Left - 1, r.Top - 1));
  sg->SetTopRow(8);
  EXPECT_FALSE(b->Visible());
  sg->SetTopRow(1);
  EXPECT_TRUE(b->Visible());
  EXPECT_EQ(b->Top(), r.Top - 1);
}

} // namespace
