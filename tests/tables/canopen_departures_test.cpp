// Where the three CANopen forms depart from the other table forms, the same in each: the
// header texts in the header row's cells, the hint list of the shown page and no hint outside
// the header, the OK and delete handlers with the form's own Delete_Row, no Enable column.
#include "tests/tables/canopen_fixture.h"

#include "framework/classes/classes.h"
#include "ui/lbbutton.h"

#include <QFile>

using namespace tablestest;

namespace {

template <class Traits>
class CANopenDepartures : public CANopenFormTest<Traits> {};

using CANopenForms = ::testing::Types<TPDO_Traits, TSDO_Client_Traits, TSDO_Server_Traits>;
TYPED_TEST_SUITE(CANopenDepartures, CANopenForms);

TYPED_TEST(CANopenDepartures, ShowingResetsTheFixedRowsOfBothTables)
{
  auto &F = this->F;
  EXPECT_EQ(F->Caption(), Lang_Text(TypeParam::Caption_Text));
  EXPECT_EQ(F->ClientWidth(), TypeParam::Client_Width);
  EXPECT_EQ(F->ClientHeight(), 337);
  for (int Grid = 0; Grid < 2; ++Grid) {
    SCOPED_TRACE(Grid);
    TZavColumnGrid *G = this->G(Grid);
    EXPECT_EQ(G->RowCount(), TypeParam::Rows + 1);
    EXPECT_EQ(G->ColCount(), TypeParam::Col_Counts[Grid]);
    EXPECT_EQ(G->Name(), Grid ? "sgb" : "sga");
    G->SetCells(1, TypeParam::Rows, "x");
    G->SetCells(0, 2, "");
    F->FormShow(nullptr);
    EXPECT_EQ(G->Cells(1, TypeParam::Rows), "");
    EXPECT_EQ(G->Cells(0, 2), "2");
    EXPECT_EQ(G->Cells(0, TypeParam::Rows), QString::number(TypeParam::Rows));
    EXPECT_EQ(F->Data_Size(Grid), 1500);
    // No Enable column: no cell of a fresh row holds anything.
    for (int C = 1; C < G->ColCount(); ++C)
      EXPECT_EQ(G->Cells(C, 1), "") << C;
    const int Box = TypeParam::Check_Box[Grid];
    if (Box >= 0) {
      EXPECT_EQ(G->Columns()->Items(Box)->Editor(), edDataCheckBox);
      EXPECT_EQ(G->Columns()->Items(Box)->CheckTrue(), "Y");
      EXPECT_EQ(G->Columns()->Items(Box)->CheckFalse(), "N");
    }
  }
  EXPECT_EQ(F->PageControl1->ActivePageIndex(), 0);
}

TYPED_TEST(CANopenDepartures, HeaderTextsStandInTheHeaderRowsCells)
{
  auto &F = this->F;
  for (int Grid = 0; Grid < 2; ++Grid) {
    TZavColumnGrid *G = this->G(Grid);
    for (int C = 0; C < G->ColCount(); ++C) {
      SCOPED_TRACE(std::to_string(Grid) + "," + std::to_string(C));
      EXPECT_EQ(G->Cells(C, 0), Lang_Text(TypeParam::First_Header[Grid] + C));
      EXPECT_EQ(G->Columns()->Items(C)->Header(), "");
    }
    EXPECT_EQ(F->Hint_List(Grid)->Count(), G->ColCount() - 1);
    for (int I = 0; I < F->Hint_List(Grid)->Count(); ++I)
      EXPECT_EQ(F->Hint_List(Grid)->Strings(I), Lang_Text(TypeParam::First_Hint[Grid] + I)) << I;
  }
}

// The hint list is the shown page's, whichever grid asks; outside the header row, or on
// column 0, the hint is emptied.
TYPED_TEST(CANopenDepartures, HeaderHintsComeFromTheShownPageAndAreEmptyElsewhere)
{
  for (int Page = 0; Page < 2; ++Page)
    for (int Grid = 0; Grid < 2; ++Grid) {
      SCOPED_TRACE(std::to_string(Page) + "," + std::to_string(Grid));
      this->Show_Tab(Page);
      TZavColumnGrid *G = this->G(Grid);
      const struct {
        int Row, Col;
        QString Hint;
      } Cases[] = {
          {0, 1, Lang_Text(TypeParam::First_Hint[Page])},
          {0, 3, Lang_Text(TypeParam::First_Hint[Page] + 2)},
          {0, 0, QString()},
          {1, 1, QString()},
          {5, 3, QString()},
      };
      for (const auto &C : Cases) {
        QString Hint = "kept";
        G->OnGridHint(G, C.Row, C.Col, Hint);
        EXPECT_EQ(Hint, C.Hint) << C.Row << "," << C.Col;
      }
    }
}

TYPED_TEST(CANopenDepartures, DeleteRowAsksItsQuestionAndMovesTheRowsBelowUp)
{
  auto &F = this->F;
  auto &Answers = this->Answers;
  const int Last = TypeParam::Rows;
  for (int Grid = 0; Grid < 2; ++Grid) {
    SCOPED_TRACE(Grid);
    F->FormShow(nullptr);
    this->Show_Tab(Grid);
    TZavColumnGrid *G = this->G(Grid);
    const int Cols = G->ColCount();
    for (int R : {1, 2, 3, Last})
      for (int C = 1; C < Cols; ++C)
        G->SetCells(C, R, QStringLiteral("r%1c%2").arg(R).arg(C));
    this->Boxes.clear();
    G->SetRowEx(1);
    Answers = {mrNo, mrYes};
    F->Btn_DelRow->OnClick(F->Btn_DelRow);
    EXPECT_EQ(G->Cells(1, 1), "r1c1");
    F->Btn_DelRow->OnClick(F->Btn_DelRow);
    EXPECT_EQ(this->Box_Texts(), QStringList({Lang_Text(TypeParam::Delete_Text) + "1",
                                              Lang_Text(TypeParam::Delete_Text) + "1"}));
    EXPECT_EQ(G->Cells(1, 1), "r2c1");
    EXPECT_EQ(G->Cells(Cols - 1, 2), QStringLiteral("r3c%1").arg(Cols - 1));
    EXPECT_EQ(G->Cells(1, Last - 1), "r" + QString::number(Last) + "c1");
    EXPECT_EQ(G->Cells(1, Last), "");
    EXPECT_EQ(G->Cells(0, 1), "1");
    EXPECT_EQ(G->Cells(0, Last), QString::number(Last));
    // The other grid is untouched; deleting the last row only empties it.
    EXPECT_EQ(this->G(1 - Grid)->Cells(1, 1), "");
    G->SetRowEx(Last - 1);
    F->Delete_Row(Last - 1, G);
    EXPECT_EQ(G->Cells(1, Last - 1), "");
    G->SetCells(2, Last, "z");
    F->Delete_Row(Last, G);
    EXPECT_EQ(G->Cells(2, Last), "");
    EXPECT_EQ(G->Cells(1, 1), "r2c1");
  }
}

TYPED_TEST(CANopenDepartures, InsertWritesNoYAndAPasteNeedsACopyFromTheSamePage)
{
  auto &F = this->F;
  for (int Grid = 0; Grid < 2; ++Grid)
    for (int C = 1; C < this->G(Grid)->ColCount(); ++C)
      this->G(Grid)->SetCells(C, 1, QStringLiteral("g%1c%2").arg(Grid).arg(C));
  this->Show_Tab(0);
  this->G(0)->SetRowEx(1);
  F->Btn_InsRow->OnClick(F->Btn_InsRow);
  EXPECT_EQ(this->G(0)->Cells(1, 1), "");
  EXPECT_EQ(this->G(0)->Cells(1, 2), "g0c1");

  this->G(0)->SetRowEx(2);
  F->Btn_CopyRow->OnClick(F->Btn_CopyRow);
  EXPECT_TRUE(F->Do_Copy(0));
  this->Show_Tab(1);
  this->G(1)->SetRowEx(3);
  this->Boxes.clear();
  F->Btn_PasteRow->OnClick(F->Btn_PasteRow);
  EXPECT_EQ(this->Box_Texts(), QStringList{Lang_Text(1102)});
  EXPECT_EQ(this->G(1)->Cells(1, 3), "");

  // A row whose only text is in the check-box column is not in use: no question.
  this->Show_Tab(0);
  this->G(0)->SetRowEx(5);
  if (TypeParam::Check_Box[0] < 0 && TypeParam::Check_Box[1] >= 0) {
    this->Show_Tab(1);
    this->G(1)->SetRowEx(1);
    F->Btn_CopyRow->OnClick(F->Btn_CopyRow);
    this->G(1)->SetCells(TypeParam::Check_Box[1], 5, "Y");
    this->G(1)->SetRowEx(5);
  } else {
    F->Btn_CopyRow->OnClick(F->Btn_CopyRow);  // the empty row 5
    this->G(0)->SetRowEx(6);
  }
  this->Boxes.clear();
  F->Btn_PasteRow->OnClick(F->Btn_PasteRow);
  EXPECT_TRUE(this->Boxes.empty()) << this->Box_Texts().join('|').toStdString();
}

TYPED_TEST(CANopenDepartures, OkButtonChecksThenSavesAndAClickOnColumn0SelectsThatGridsRow)
{
  auto &F = this->F;
  this->G(1)->SetCells(1, 1, "not a number");
  F->Btn_OK->OnClick(F->Btn_OK);
  EXPECT_EQ(F->ModalResult(), mrNone);
  ASSERT_EQ(this->Boxes.size(), 1u);
  EXPECT_TRUE(this->Boxes[0].Text.startsWith(Lang_Text(F->Desc().Error_Row_Text) + "1!! ["));
  EXPECT_FALSE(QFile::exists(this->Path()));
  this->G(1)->SetCells(1, 1, "");
  F->Btn_OK->OnClick(F->Btn_OK);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(QFile::exists(this->Path()));

  for (int Grid = 0; Grid < 2; ++Grid) {
    TZavColumnGrid *G = this->G(Grid);
    G->OnClickCell(G, 4, 0);
    EXPECT_EQ(G->Selection().Top, 4);
    EXPECT_EQ(G->Selection().Bottom, 4);
    EXPECT_EQ(G->Selection().Left, 1);
  }
}

}  // namespace
