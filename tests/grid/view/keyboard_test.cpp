#include "tests/grid/view/input_fixture.h"

#include "framework/grids/inplace_edit.h"

namespace {

using KeyboardInput = InputGrids;

TEST_F(KeyboardInput, SpaceTogglesDataCheckBoxEnterDoesNot)
{
  cg->OnCheckBoxClick = [this](TObject *, int c, int r, bool s) { log << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(s); };
  cg->SetFocus();
  cg->FocusCell(cEnable, 2, true);
  SimKey(cg, VK_SPACE);
  EXPECT_EQ(cg->Cells(cEnable, 2), "Y");
  SimKey(cg, VK_RETURN);
  EXPECT_EQ(cg->Cells(cEnable, 2), "Y");
  SimKey(cg, VK_SPACE);
  EXPECT_EQ(cg->Cells(cEnable, 2), "N");
  EXPECT_EQ(log, QStringList({"1,2=1", "1,2=0"}));
}

TEST_F(KeyboardInput, EnterOnReadOnlyCellIsSwallowedButReported)
{
  cg->Columns()->Items(cAddress)->SetReadOnly(true);
  cg->OnKeyDown = [this](TObject *, uint16_t &k, TShiftState) { log << QString::number(k); };
  cg->SetFocus();
  cg->FocusCell(cAddress, 2, true);
  SimKey(cg, VK_RETURN);
  EXPECT_TRUE(cg->InplaceEditor() == nullptr || !cg->InplaceEditor()->Visible());
  EXPECT_EQ(log, QStringList({QString::number(VK_RETURN)}));
}

TEST_F(KeyboardInput, HomeAndEndByTheConfiguredAction)
{
  sg->SetFocus();
  struct { THomeEndAction action; uint16_t key; int col, row; } cases[] = {
      {heFirstLastCell, VK_END, 4, 19},  {heFirstLastCell, VK_HOME, 1, 1},
      {heFirstLastColumn, VK_END, 4, 7}, {heFirstLastColumn, VK_HOME, 1, 7},
      {heFirstLastRow, VK_END, 3, 19},   {heFirstLastRow, VK_HOME, 3, 1},
  };
  for (const auto &k : cases) {
    sg->FocusCell(3, 7, true);
    sg->Navigation()->SetHomeEndKey(k.action);
    uint16_t reported = 0;
    sg->OnKeyDown = [&](TObject *, uint16_t &key, TShiftState) { reported = key; };
    SimKey(sg, k.key);
    EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(k.col, k.row)) << int(k.action) << " " << k.key;
    EXPECT_EQ(reported, k.key);
  }
}

TEST_F(KeyboardInput, TabWalksEditableCellsWrapsAndStopsWithoutAny)
{
  sg->SetOptions(sg->Options() + goTabs + goEditing);
  sg->Navigation()->SetAdvanceAutoEdit(false);
  sg->SetRowCount(3);
  sg->OnCanEditCell = [](TObject *, int, int c, bool &can) { can = c == 2 || c == 4; };
  sg->FocusCell(2, 1, true);
  QStringList seen;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(sg->TabToNextCell(false));
    seen << QStringLiteral("%1,%2").arg(sg->Col()).arg(sg->Row());
  }
  EXPECT_EQ(seen, QStringList({"4,1", "2,2", "4,2", "2,1", "4,1"}));
  ASSERT_TRUE(sg->TabToNextCell(true));
  EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(2, 1));
  // Nothing to tab to: the step ends where it was.
  sg->OnCanEditCell = [](TObject *, int, int, bool &can) { can = false; };
  EXPECT_TRUE(sg->TabToNextCell(false));
  EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(2, 1));
}

TEST_F(KeyboardInput, TabAtTheEndAppendsARowOrLeavesTheGrid)
{
  sg->SetOptions(sg->Options() + goTabs);
  sg->SetRowCount(3);
  sg->FocusCell(4, 2, true);
  sg->Navigation()->SetAdvanceInsert(true);
  int added = -1;
  sg->OnAutoAddRow = [&](TObject *, int r) { added = r; };
  EXPECT_TRUE(sg->TabToNextCell(false));
  EXPECT_EQ(sg->RowCount(), 4);
  EXPECT_EQ(added, 3);
  EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(1, 3));

  sg->FocusCell(4, 3, true);
  sg->Navigation()->SetTabToNextAtEnd(true);
  EXPECT_FALSE(sg->TabToNextCell(false));
  EXPECT_EQ(sg->RowCount(), 4);
  EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(1, 1));
}

TEST_F(KeyboardInput, TypingOnEditableCellFiresKeyPressOnceThenEdits)
{
  sg->SetOptions(sg->Options() + goEditing);
  QStringList presses;
  sg->OnKeyPress = [&](TObject *, QChar &k) { presses << QStringLiteral("%1 %2").arg(k).arg(sg->EditorMode()); };
  sg->SetFocus();
  sg->FocusCell(2, 2, true);
  SimKey(sg, 'A');
  // The grid reports the key once, before the editor opens (the editor may report it again).
  ASSERT_FALSE(presses.isEmpty());
  EXPECT_EQ(presses.first(), "a 0");
  ASSERT_TRUE(sg->EditorMode());
  ASSERT_NE(sg->InplaceEditor(), nullptr);
  EXPECT_EQ(sg->InplaceEditor()->Text(), "a");
  // A read-only cell takes no typing.
  sg->HideInplaceEdit();
  sg->OnCanEditCell = [](TObject *, int, int, bool &can) { can = false; };
  sg->FocusCell(3, 2, true);
  SimKey(sg, 'B');
  EXPECT_FALSE(sg->EditorMode());
  EXPECT_EQ(sg->Cells(3, 2), "");
}

TEST_F(KeyboardInput, CursorAdvanceWrapsAtTheEdges)
{
  sg->SetFocus();
  struct { TCursorAdvance mode; uint16_t key; int fromCol, fromRow, col, row; } cases[] = {
      {caDefault, VK_RIGHT, 4, 5, 4, 5}, {caLoop, VK_RIGHT, 4, 5, 1, 5},  {caSnake, VK_RIGHT, 4, 5, 1, 6},
      {caLoop, VK_LEFT, 1, 5, 4, 5},     {caSnake, VK_LEFT, 1, 5, 4, 4},  {caLoop, VK_DOWN, 2, 19, 2, 1},
  };
  for (const auto &k : cases) {
    sg->Navigation()->SetCursorAdvance(k.mode);
    sg->FocusCell(k.fromCol, k.fromRow, true);
    SimKey(sg, k.key);
    EXPECT_EQ(TPoint(sg->Col(), sg->Row()), TPoint(k.col, k.row)) << int(k.mode) << " " << k.key;
  }
}

} // namespace

namespace {

TEST_F(KeyboardInput, S7TableIsFilledByMouseAndKeyboard)
{
  cg->SetOptions(cg->Options() + goEditing + goTabs);
  cg->Navigation()->SetAdvanceAutoEdit(false);
  // Click the address cell, type, commit with Enter.
  Click(cg, cAddress, 1);
  SimType(cg, "DB1");
  SimKey(cg, VK_RETURN);
  SimProcess();
  EXPECT_EQ(cg->Cells(cAddress, 1), "DB1");
  // The check box by click, the next row's by Space after the arrow keys.
  Click(cg, cEnable, 1);
  EXPECT_EQ(cg->Cells(cEnable, 1), "Y");
  SimKey(cg, VK_DOWN);
  SimKey(cg, VK_SPACE);
  EXPECT_EQ(cg->Cells(cEnable, 2), "Y");
  // Tab skips the fixed number column when it wraps to the next row.
  cg->FocusCell(cSwap, 2, true);
  SimKey(cg, VK_TAB);
  EXPECT_EQ(TPoint(cg->Col(), cg->Row()), TPoint(int(cEnable), 3));
  SimKey(cg, VK_RIGHT);
  SimType(cg, "DB2");
  SimKey(cg, VK_RETURN);
  SimProcess();
  EXPECT_EQ(cg->Cells(cAddress, 3), "DB2");
}

} // namespace

namespace {

TEST_F(KeyboardInput, TypingWithEditOnDoubleClickOnlyAsksTheCellFromAYes)
{
  // Without goEditing the typed key asks the cell; a cell nobody refuses becomes editable.
  sg->MouseActions()->SetEditOnDblClickOnly(true);
  ASSERT_FALSE(sg->Options().Contains(goEditing));
  sg->SetFocus();
  sg->FocusCell(2, 2, true);
  SimKey(sg, 'X');
  EXPECT_TRUE(sg->Options().Contains(goEditing));
  ASSERT_NE(sg->InplaceEditor(), nullptr);
  EXPECT_TRUE(sg->InplaceEditor()->Visible());
}

} // namespace
