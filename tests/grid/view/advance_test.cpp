// Moving on after Enter.
#include "tests/grid/view/edit_fixture.h"

namespace {

using Advance = EditGridTest;

TEST_F(Advance, EnterMovesInTheConfiguredDirection)
{
  struct TCase {
    TAdvanceDirection dir;
    int c, r;
    int toC, toR;
  } cases[] = {
      {adLeftRight, cText, 2, cList, 2},
      {adLeftRight, cReadOnly - 1, 2, cText, 3},  // the read-only column is skipped, next row
      {adLeftRightInRow, cReadOnly - 1, 2, cText, 2},
      {adTopBottom, cText, 2, cText, 3},
      {adTopBottom, cText, 5, cList, 1},
      {adTopBottomInCol, cText, 5, cText, 1},
      {adLeftRight, cReadOnly - 1, 5, cText, 1},  // loop back to the first row
  };
  g->Navigation()->SetAdvanceOnEnter(true);
  g->Navigation()->SetAdvanceAutoEdit(false);
  g->Columns()->Items(cCheck)->SetEditor(edNormal);
  for (const TCase &t : cases) {
    SCOPED_TRACE(QStringLiteral("%1 from %2,%3").arg(int(t.dir)).arg(t.c).arg(t.r).toStdString());
    g->HideInplaceEdit();
    g->Navigation()->SetAdvanceDirection(t.dir);
    Go(t.c, t.r);
    SimKey(g, VK_F2);
    ASSERT_TRUE(EditorShown() || g->Combobox()->Visible());
    if (EditorShown())
      SimKey(Editor(), VK_RETURN);
    else
      g->DoneInplaceEdit(VK_RETURN, {});
    SimProcess();
    EXPECT_EQ(g->Col(), t.toC);
    EXPECT_EQ(g->Row(), t.toR);
  }
}

TEST_F(Advance, BackwardAdvance)
{
  g->Navigation()->SetAdvanceOnEnter(true);
  Go(cText, 3);
  g->AdvanceToNextCell(cText, 3, false, false, true, false);
  EXPECT_EQ(g->Col(), int(cCheck));  // the read-only last column is skipped
  EXPECT_EQ(g->Row(), 2);
}

TEST_F(Advance, WithoutAdvanceOnEnterTheCellStays)
{
  Go(cText, 2);
  SimKey(g, VK_F2);
  SimKey(Editor(), VK_RETURN);
  SimProcess();
  EXPECT_EQ(g->Col(), int(cText));
  EXPECT_EQ(g->Row(), 2);
}

// With read-only cells skipped and the loop on, a grid with no editable cell stops after one
// round instead of walking forever.
TEST_F(Advance, NoEditableCellInReachStops)
{
  g->Navigation()->SetAdvanceOnEnter(true);
  g->Navigation()->SetAdvanceSkipReadOnlyCells(true);
  g->Navigation()->SetAdvanceOnEnterLoop(true);
  Go(cText, 2);
  g->OnCanEditCell = [](TObject *, int, int, bool &can) { can = false; };
  g->AdvanceToNextCell(cText, 2, false, false, false, true);
  EXPECT_GE(g->Row(), 1);
  EXPECT_LT(g->Row(), g->RowCount());
}

}  // namespace
