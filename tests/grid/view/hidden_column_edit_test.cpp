// Editors of cells right of a hidden column: the editor is placed by display column, but the
// text it loads and stores is the real column's, and no other cell is touched.
#include "tests/grid/view/edit_fixture.h"

namespace {

using HiddenColumnEdit = EditGridTest;

TEST_F(HiddenColumnEdit, EditorsLoadAndStoreTheirOwnRealCell)
{
  g->Columns()->Items(cReadOnly)->SetReadOnly(false);
  for (int r = 1; r < 6; ++r) g->SetCells(cReadOnly, r, QStringLiteral("r%1").arg(r));
  g->HideColumn(cText);
  ASSERT_EQ(g->RealToDisplCol(cReadOnly), int(cCheck));  // the display index names another cell

  // Text editor: loads the cell's text and stores into it.
  Go(g->RealToDisplCol(cReadOnly), 2);
  SimKey(g, VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "r2");
  SimKey(Editor(), VK_ESCAPE);
  SimProcess();
  SimType(g, "zz");
  SimKey(Editor(), VK_RETURN);
  SimProcess();
  EXPECT_EQ(g->Cells(cReadOnly, 2), "zz");
  EXPECT_EQ(g->Cells(cCheck, 2), "Y");

  // Drop-down editor: the chosen item goes into its own cell only.
  Go(g->RealToDisplCol(cEdit), 3);
  SimKey(g, VK_F2);
  SimProcess();
  ASSERT_EQ(g->EditorType(), edComboEdit);
  g->Combobox()->SetItemIndex(2);
  SimKey(g->Combobox(), VK_RETURN);
  SimProcess();
  EXPECT_EQ(g->Cells(cEdit, 3), "2");
  EXPECT_EQ(g->Cells(cList, 3), "");
  EXPECT_EQ(g->Cells(cText, 3), "t3");  // the hidden cell keeps its text
}

}  // namespace
