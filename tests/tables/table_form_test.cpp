// The base form's handlers: the row buttons act on the grid of the shown tab, the copy flags
// tie a paste to the grid of the last copy of this showing, and the grid events.
#include "framework/classes/classes.h"
#include "framework/stdctrls/comctrls.h"
#include "tests/tables/tables_fixture.h"

#include "framework/system/paths.h"
#include "framework/testing/input.h"

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

// A blank cell is one that Trim leaves empty (the characters up to U+0020), as the bank builder
// reads the file: in the walk over the rows in use, the Enable test and the checks alike, so
// a no-break or ideographic space is text and a control character alone is blank.
TEST_F(TableFormTest, BlankIsWhatTrimLeavesEmpty)
{
  const QString Nbsp(QChar(0x00A0)), Ideographic(QChar(0x3000));
  struct TCase {
    const char *Name;
    int Grid;
    QString Key, Enable, Cell;  // Cell: column 3 (A: 0..10, B: not blank)
    bool Passes;
  } Cases[] = {
      {"no-break space is a key", 0, Nbsp, "Y", "99", false},
      {"control characters alone are no key", 0, QStringLiteral("\x01\x02 "), "Y", "99", true},
      {"Enable with an ideographic space is not Y", 0, "k", "Y" + Ideographic, "99", true},
      {"Enable with blanks around is Y", 0, "k", QStringLiteral("\tY "), "99", false},
      {"ideographic space is not blank", 1, "k", "", Ideographic, true},
      {"no-break space is not blank", 1, "k", "", Nbsp, true},
      {"blanks are blank", 1, "k", "", QStringLiteral(" \t "), false},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    F->FormShow(nullptr);
    TZavStringGrid *G = F->Grid(C.Grid);
    G->SetCells(2, 1, C.Key);
    if (C.Grid == 0)
      G->SetCells(1, 1, C.Enable);
    G->SetCells(3, 1, C.Cell);
    Boxes.clear();
    EXPECT_EQ(F->Controllo_dati(), C.Passes) << Box_Texts().join("|").toStdString();
  }
}

// A character that XML cannot hold never reaches the file: OK refuses a saved cell of a row in
// use that holds one (enabled or not, hidden or not) and names the row and the column.
TEST_F(TableFormTest, OkRefusesACellWithAControlCharacterNamingRowAndColumn)
{
  struct TCase {
    const char *Name;
    int Col;
    QString Text;
    const char *Enable;
    int Header;  // 0: passes
  } Cases[] = {
      {"start of heading in the key", 2, QStringLiteral("k\x01"), "Y", 1218},
      {"unit separator in a disabled row", 3, QStringLiteral("\x1F"), "N", 1219},
      {"escape in the hidden saved column", 4, QStringLiteral("\x1B"), "Y", 1220},
      {"U+FFFF", 2, QStringLiteral("k") + QChar(0xFFFF), "Y", 1218},
      {"tab, carriage return and line feed", 2, QStringLiteral("k\t\r\n"), "Y", 0},
      {"control character in a column that is not saved", 6, QStringLiteral("\x01"), "Y", 0},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    F->FormShow(nullptr);
    for (int R : {1, 2}) {
      A->SetCells(2, R, QStringLiteral("k%1").arg(R));
      A->SetCells(3, R, "1");
    }
    A->SetCells(1, 2, C.Enable);
    A->SetCells(C.Col, 2, C.Col == 2 ? C.Text : A->Cells(C.Col, 2) + C.Text);
    Boxes.clear();
    F->SetModalResult(mrNone);
    F->Btn_OKClick(nullptr);
    if (!C.Header) {
      EXPECT_EQ(F->ModalResult(), mrOk);
      EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
      continue;
    }
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_FALSE(FileExists(AppState().File_KNX_SetAccess));
    EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1270) + "2" + Lang_Text(1106) + Lang_Text(C.Header) + Lang_Text(1107)}));
  }
}

// Typing in a cell's text editor never puts a control character into the cell.
TEST_F(TableFormTest, TypingDropsControlCharacters)
{
  F->Show();
  A->SetFocus();
  A->FocusCell(2, 1, true);
  SimProcess();
  for (const QString &Typed : {QString(QChar(5)), QStringLiteral("a"), QString(QChar(1)), QStringLiteral("b"),
                               QString(QChar(0x1F)), QStringLiteral("c")})
    SimType(A, Typed);
  SimKey(A, VK_RETURN);
  SimProcess();
  EXPECT_EQ(A->Cells(2, 1), "abc");
}

}  // namespace
