// The base form's handlers: the row buttons act on the grid of the shown tab, the copy flags
// tie a paste to the grid of the last copy of this showing, and the grid events.
#include "framework/classes/classes.h"
#include "framework/stdctrls/comctrls.h"
#include "tests/tables/tables_fixture.h"

using namespace tablestest;

namespace {

class TableFormTest : public MiniFormTest {
protected:
  void SetUp() override
  {
    MiniFormTest::SetUp();
    for (int R = 1; R <= 3; ++R) {
      A->SetCells(2, R, QStringLiteral("a%1").arg(R));
      B->SetCells(2, R, QStringLiteral("b%1").arg(R));
    }
  }
  void Show_Tab(int I) { F->PageControl1->SetActivePageIndex(I); }
};

TEST_F(TableFormTest, RowButtonsActOnTheGridOfTheShownTab)
{
  Show_Tab(1);
  B->SetRowEx(2);
  Answers = {mrNo, mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(B->Cells(2, 2), "b2");
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(B->Cells(2, 2), "b3");
  EXPECT_EQ(A->Cells(2, 2), "a2");
  EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1325) + "2", Lang_Text(1325) + "2"}));
  EXPECT_EQ(Lang_Text(1325), "Are you sure to delete the Row number ");

  F->Btn_InsRowClick(nullptr);
  EXPECT_EQ(B->Cells(2, 2), "");
  EXPECT_EQ(B->Cells(1, 2), "");  // this grid inserts without enabling
  Show_Tab(0);
  A->SetRowEx(1);
  F->Btn_InsRowClick(nullptr);
  EXPECT_EQ(A->Cells(1, 1), "Y");
  EXPECT_EQ(A->Cells(2, 2), "a1");
}

TEST_F(TableFormTest, APasteIsAcceptedOnlyIntoTheGridOfTheLastCopyOfThisShowing)
{
  A->SetRowEx(1);
  F->Btn_CopyRowClick(nullptr);
  EXPECT_TRUE(F->Do_Copy(0));
  EXPECT_FALSE(F->Do_Copy(1));
  Show_Tab(1);
  B->SetRowEx(3);
  F->Btn_PasteRowClick(nullptr);  // refused: the copy came from the other grid
  EXPECT_EQ(B->Cells(2, 3), "b3");
  Show_Tab(0);
  A->SetRowEx(3);
  Answers = {mrYes};
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(A->Cells(2, 3), "a1");

  F->FormShow(nullptr);  // a new showing forgets the copy
  EXPECT_FALSE(F->Do_Copy(0));
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1102), Lang_Text(1100), Lang_Text(1102)}));
}

TEST_F(TableFormTest, GridEventsSelectHintAndAutoSize)
{
  A->OnClickCell(A, 2, 0);
  EXPECT_EQ(A->Selection().Top, 2);
  EXPECT_EQ(A->Selection().Bottom, 2);
  EXPECT_EQ(A->Selection().Left, 1);

  // Column 4 is hidden: display column 4 is real column 5.
  struct TCase {
    int Row, Col;
    QString Hint;
  } Cases[] = {{0, 1, Lang_Text(1245)}, {0, 4, Lang_Text(1249)}, {0, 0, "kept"}, {1, 2, "kept"}};
  for (const TCase &C : Cases) {
    QString Hint = "kept";
    A->OnGridHint(A, C.Row, C.Col, Hint);
    EXPECT_EQ(Hint, C.Hint) << C.Row << "," << C.Col;
  }
  EXPECT_EQ(F->Hint_List(0)->Count(), 6);

  A->SetCells(3, 2, "a rather long text that needs a wider column");
  const int Width = A->ColWidths(3);
  A->OnDblClickCell(A, 0, 3);
  EXPECT_EQ(A->ColWidths(3), Width);  // the option is off
  AppState().Opt_Double_Click_Auto_Size = true;
  A->OnDblClickCell(A, 1, 3);
  EXPECT_EQ(A->ColWidths(3), Width);  // a data cell never sizes
  A->OnDblClickCell(A, 0, 3);
  EXPECT_GT(A->ColWidths(3), Width);
}

}  // namespace
