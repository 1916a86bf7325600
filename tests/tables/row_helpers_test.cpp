// The row buttons' helpers and the program-wide row clipboard.
#include "tables/row_helpers.h"
#include "tables/table_data.h"
#include "tests/tables/tables_fixture.h"

#include "framework/classes/classes.h"

using namespace tablestest;

namespace {

// Five rows of a column grid: row number, Enable, key, text, a check box and a hidden column.
class RowHelpers : public TablesTest {
protected:
  enum { cN, cEnable, cKey, cText, cSwap, cHidden, cCount };
  void SetUp() override
  {
    TablesTest::SetUp();
    G.SetColCount(cCount);
    G.SetRowCount(6);
    G.SetFixedCols(1);
    G.SetFixedRows(1);
    G.Columns()->Items(cEnable)->SetEditor(edDataCheckBox);
    G.Columns()->Items(cSwap)->SetEditor(edDataCheckBox);
    for (int R = 1; R <= 5; ++R) {
      G.SetCells(cN, R, QString::number(R));
      Fill(R, QStringLiteral("r%1").arg(R));
    }
    G.HideColumn(cHidden);
  }
  void Fill(int R, const QString &Key)
  {
    G.SetCells(cEnable, R, "N");
    G.SetCells(cKey, R, Key);
    G.SetCells(cText, R, Key + "t");
    G.SetCells(cSwap, R, "Y");
    G.SetCells(cHidden, R, Key + "h");
  }
  QStringList Keys()
  {
    QStringList L;
    for (int R = 1; R <= 5; ++R)
      L << G.Cells(cKey, R);
    return L;
  }
  TZavColumnGrid G{nullptr};
};

TEST_F(RowHelpers, DeleteMovesTheRowsBelowUpAndEmptiesTheLast)
{
  Grid_Delete_Row(2, &G);
  EXPECT_EQ(Keys(), QStringList({"r1", "r3", "r4", "r5", ""}));
  EXPECT_EQ(G.Cells(cHidden, 2), "r3h");  // hidden columns move with their rows
  EXPECT_EQ(G.Cells(cN, 2), "2");         // the row numbers stay
  for (int C : {cEnable, cText, cSwap, cHidden})
    EXPECT_EQ(G.Cells(C, 5), "") << C;
  Grid_Delete_Row(5, &G);
  EXPECT_EQ(Keys(), QStringList({"r1", "r3", "r4", "r5", ""}));
  Grid_Delete_Row(4, &G);
  EXPECT_EQ(Keys(), QStringList({"r1", "r3", "r4", "", ""}));
}

TEST_F(RowHelpers, InsertPushesTheLastRowOutAndEnablesTheNewRowWhenAsked)
{
  Grid_Insert_Row(2, &G, true);
  EXPECT_EQ(Keys(), QStringList({"r1", "", "r2", "r3", "r4"}));
  EXPECT_EQ(G.Cells(cEnable, 2), "Y");
  EXPECT_EQ(G.Cells(cSwap, 2), "");
  EXPECT_EQ(G.Cells(cHidden, 2), "");
  EXPECT_EQ(G.Cells(cHidden, 3), "r2h");
  Grid_Insert_Row(5, &G, false);
  EXPECT_EQ(Keys(), QStringList({"r1", "", "r2", "r3", ""}));
  EXPECT_EQ(G.Cells(cEnable, 5), "");
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(RowHelpers, CopyAndPasteWithTheirRefusalsAndTheOverwriteQuestion)
{
  TAppState &S = AppState();
  Grid_Paste_Row(&G, 1, false);  // nothing copied in this showing
  Grid_Copy_Row(&G, 3);
  EXPECT_EQ(S.Row_Clipboard->Count(), 5);
  EXPECT_EQ(S.Row_Clipboard->Strings(cHidden - 1), "r3h");
  EXPECT_TRUE(S.Row_Clipboard_Checks.empty());

  // A row that shows only check boxes is not in use: no question.
  for (int C : {cKey, cText, cHidden})
    G.SetCells(C, 5, "");
  G.SetCells(cText, 4, " ");  // blanks alone do not make a row used either
  G.SetCells(cKey, 4, "");
  G.SetCells(cHidden, 4, "");
  Grid_Paste_Row(&G, 5, true);
  Grid_Paste_Row(&G, 4, true);
  EXPECT_EQ(G.Cells(cKey, 5), "r3");
  EXPECT_EQ(G.Cells(cHidden, 5), "r3h");
  EXPECT_EQ(G.Cells(cEnable, 4), "N");

  Answers = {mrNo, mrYes};
  Grid_Paste_Row(&G, 1, true);
  EXPECT_EQ(G.Cells(cKey, 1), "r1");
  Grid_Paste_Row(&G, 1, true);
  EXPECT_EQ(G.Cells(cKey, 1), "r3");

  S.Row_Clipboard->Add("one too many");
  Grid_Paste_Row(&G, 2, true);
  EXPECT_EQ(G.Cells(cKey, 2), "r2");

  ASSERT_EQ(Boxes.size(), 4u);
  EXPECT_EQ(Boxes[0].Text, Lang_Text(1102));
  EXPECT_EQ(Boxes[0].Type, mtError);
  EXPECT_EQ(Boxes[1].Text, Lang_Text(1100));
  EXPECT_EQ(Boxes[1].Type, mtConfirmation);
  EXPECT_EQ(Boxes[2].Text, Lang_Text(1100));
  EXPECT_EQ(Boxes[3].Text, Lang_Text(1101));
}

// A row is in use when a cell is not blank by Trim: the paste asks before overwriting it.
TEST_F(RowHelpers, APasteAsksBeforeOverwritingARowWithTextThatTrimKeeps)
{
  const struct {
    const char *Name;
    QString Text;
    bool Asks;
  } Cases[] = {
      {"blanks", QStringLiteral(" \t"), false},
      {"control characters", QStringLiteral("\x01\x1F"), false},
      {"no-break space", QString(QChar(0x00A0)), true},
      {"ideographic space", QString(QChar(0x3000)), true},
  };
  Grid_Copy_Row(&G, 3);
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Name);
    for (int Col : {cKey, cText, cHidden})
      G.SetCells(Col, 5, "");
    G.SetCells(cText, 5, C.Text);
    Boxes.clear();
    Answers = {mrNo};
    Grid_Paste_Row(&G, 5, true);
    EXPECT_EQ(Boxes.size(), C.Asks ? 1u : 0u);
    EXPECT_EQ(G.Cells(cKey, 5), C.Asks ? "" : "r3");
  }
}

// A paste drops what a table file cannot hold; TAB, CR and LF stay.
TEST_F(RowHelpers, APasteDropsControlCharacters)
{
  Grid_Copy_Row(&G, 3);
  AppState().Row_Clipboard->SetStrings(cText - 1, QStringLiteral("a\x01") + QChar(0xFFFE) + QStringLiteral("b\tc\r\n\x1F"));
  AppState().Row_Clipboard->SetStrings(cHidden - 1, QStringLiteral("\x7Fh\x02"));
  Answers = {mrYes};
  Grid_Paste_Row(&G, 5, true);
  EXPECT_EQ(G.Cells(cText, 5), "ab\tc\r\n");
  EXPECT_EQ(G.Cells(cHidden, 5), "\x7Fh");
  EXPECT_EQ(G.Cells(cKey, 5), "r3");
}

TEST_F(RowHelpers, EnterMovesToTheNextCellOnlyWithTheOption)
{
  TForm Form(nullptr);
  G.SetParent(&Form);
  struct TCase {
    bool Option;
    int Col, Row;
    QChar Key;
    int To_Col, To_Row;
    QChar Key_After;
  } Cases[] = {
      {false, 2, 2, QChar(13), 2, 2, QChar(13)},
      {true, 2, 2, QChar('a'), 2, 2, QChar('a')},
      {true, 2, 2, QChar(13), 3, 2, QChar(0)},
      {true, 4, 2, QChar(13), 1, 3, QChar(0)},  // the hidden column is not visited
      {true, 4, 5, QChar(13), 1, 1, QChar(0)},
  };
  for (const TCase &C : Cases) {
    AppState().Opt_Jump_Field_Tables = C.Option;
    G.SetCol(C.Col);
    G.SetRowEx(C.Row);
    QChar Key = C.Key;
    Grid_Enter_Next_Cell(&G, Key);
    EXPECT_EQ(G.Col(), C.To_Col) << C.Col << "," << C.Row;
    EXPECT_EQ(G.GetRowEx(), C.To_Row) << C.Col << "," << C.Row;
    EXPECT_EQ(Key, C.Key_After);
  }
  G.SetParent(nullptr);
}

// The variants for plain string grids whose check boxes the grid holds.
class CheckBoxRowHelpers : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    G.SetColCount(4);
    G.SetRowCount(4);
    G.AddCheckBoxColumn(1, false, false);
    G.AddCheckBoxColumn(3, false, false);
    for (int R = 1; R <= 3; ++R) {
      G.SetCells(2, R, QStringLiteral("c%1").arg(R));
      G.SetCheckBoxState(3, R, R != 2);
    }
  }
  bool State(int C, int R)
  {
    bool S = false;
    EXPECT_TRUE(G.GetCheckBoxState(C, R, S));
    return S;
  }
  TZavStringGrid G{nullptr};
};

TEST_F(CheckBoxRowHelpers, StatesMoveCopyAndPasteWithTheRows)
{
  CheckBox_Grid_Insert_Row(1, &G, true);
  EXPECT_TRUE(State(1, 1));
  EXPECT_FALSE(State(3, 1));
  EXPECT_EQ(G.Cells(2, 1), "");
  EXPECT_EQ(G.Cells(2, 2), "c1");
  EXPECT_TRUE(State(3, 2));
  EXPECT_FALSE(State(3, 3));

  CheckBox_Grid_Delete_Row(1, &G, true);
  EXPECT_EQ(G.Cells(2, 1), "c1");
  EXPECT_FALSE(State(3, 2));
  EXPECT_TRUE(State(1, 3));  // the emptied last row gets Set_Enable
  EXPECT_FALSE(State(3, 3));
  EXPECT_EQ(G.Cells(2, 3), "");

  CheckBox_Grid_Copy_Row(&G, 1);
  QStringList Copied;
  for (int K = 0; K < AppState().Row_Clipboard->Count(); ++K)
    Copied << AppState().Row_Clipboard->Strings(K);
  EXPECT_EQ(Copied, QStringList({"N", "c1", "Y"}));
  EXPECT_EQ(AppState().Row_Clipboard_Checks, (std::vector<bool>{true, false, true}));

  // A single blank makes a row used here; No keeps it.
  G.SetCells(2, 3, " ");
  Answers = {mrNo};
  CheckBox_Grid_Paste_Row(&G, 3, true);
  EXPECT_EQ(G.Cells(2, 3), " ");
  G.SetCells(2, 3, "");
  CheckBox_Grid_Paste_Row(&G, 3, true);
  EXPECT_EQ(G.Cells(2, 3), "c1");
  EXPECT_FALSE(State(1, 3));
  EXPECT_TRUE(State(3, 3));
  EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1100)}));
}

TEST(TableInt, OneConversionForEveryCheck)
{
  struct TCase {
    const char *Text;
    int Value;
  } Cases[] = {
      {"0", 0},          {"1499", 1499},      {"  42", 42},          {"+7", 7},     {"-3", -3},
      {"$1F", 31},       {"0x10", 16},        {"x10", 16},           {"0X1f", 31},  {"", -1},
      {"102 ", -1},      {"1.5", -1},         {"12a", -1},           {"2147483647", 2147483647},
      {"2147483648", -1}, {"-2147483649", -1}, {"$FFFFFFFF", -1},   {"0x", -1},    {"$", -1},
  };
  for (const TCase &C : Cases)
    EXPECT_EQ(Table_Int(QString::fromUtf8(C.Text)), C.Value) << "\"" << C.Text << "\"";
}

}  // namespace
