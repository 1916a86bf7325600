// The S7 access form's checks on OK: one table of single-cell faults for both grids, and the
// connection limit counted over both tables.
#include "tables/fs7_protocol_set_access.h"
#include "tests/tables/tables_fixture.h"

#include "framework/classes/classes.h"
#include "framework/stdctrls/comctrls.h"
#include "project/s7_vocabulary.h"

using namespace s7cols;
using namespace tablestest;

namespace {

class S7Checks : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    F = std::make_unique<TFS7_Protocol_Set_Access>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
  }
  // A row that passes every check, in grid 0 (read) or 1 (write).
  void Fill(int Grid, int Row, const QString &Address = QStringLiteral("192.168.1.10"), const QString &Port = "102")
  {
    TZavStringGrid *G = F->Grid(Grid);
    const bool W = Grid == 1;
    const QStringList Common = {"Y", Address, Port, "S71500", "0", "1", "Int", "DB", "5", "Inputs (I)", "8", "0", "1000"};
    for (int C = 0; C < Common.size(); ++C)
      G->SetCells(C + 1, Row, Common[C]);
    G->SetCells(W ? cWrite_Position : cRead_Position, Row, "12");
    G->SetCells(W ? cWrite_Start_Bit : cRead_Start_Bit, Row, "0");
  }
  // "" when the checks pass, else the error box's text.
  QString Check()
  {
    Boxes.clear();
    const bool Passed = F->Controllo_dati();
    EXPECT_EQ(Passed, Boxes.empty());
    return Boxes.empty() ? QString() : Boxes[0].Text;
  }
  static QString Error(int Row, int Message, const QString &Suffix = QString())
  {
    return Lang_Text(1270) + QString::number(Row) + Lang_Text(Message) + Suffix;
  }

  std::unique_ptr<TFS7_Protocol_Set_Access> F;
};

TEST_F(S7Checks, EachCellFaultFailsWithItsMessageInBothTables)
{
  struct TCase {
    int Read_Col;  // the write grid's column follows from it
    const char *Value;
    int Read_Message, Write_Message;  // 0: passes
    const char *Suffix;
  } Cases[] = {
      {cPLC_Address, "192.168.1", 1271, 1279, ""},
      {cPLC_Address, " 192.168.1.10", 1271, 1279, ""},
      {cPLC_Port, "102 ", 1272, 1280, ""},
      {cPLC_Port, "65536", 1272, 1280, ""},
      {cPLC_Port, "$66", 0, 0, ""},
      {cPLC_Type, " ", 1273, 1281, ""},
      {cRack, "", 1321, 1323, ""},
      {cRack, "4", 1321, 1323, ""},
      {cRack, "3", 0, 0, ""},
      {cSlot, "32", 1322, 1324, ""},
      {cData_Type, "", 1274, 1282, ""},
      {cData_Identifier, "", 1275, 1283, ""},
      {cDB_Number, "65536", 1305, 1309, ""},
      {cPLC_Area, "", 1306, 1310, ""},
      {cPLC_Add, "-1", 1307, 1311, ""},
      {cPLC_Bit, "", 1308, 1312, ""},
      {cPoll_Time, "0", 1276, 0, ""},
      {cPoll_Time, "100000001", 1276, 1284, ""},
      {cPoll_Time, "100000000", 0, 0, ""},
      {cRead_Position, "1500", 1277, 1285, "1499"},
      {cRead_Position, "", 1277, 1285, "1499"},
      {cRead_Position, "1499", 0, 0, ""},
      {cRead_Start_Bit, "", 1278, 1286, ""},
  };
  for (int Grid = 0; Grid < 2; ++Grid) {
    for (const TCase &C : Cases) {
      SCOPED_TRACE(std::string(Grid ? "write " : "read ") + std::to_string(C.Read_Col) + " \"" + C.Value + "\"");
      F->FormShow(nullptr);
      Fill(0, 1);
      Fill(1, 1);
      Fill(Grid, 2);
      const int Col = Grid && C.Read_Col >= cRead_Position ? C.Read_Col + 2 : C.Read_Col;
      F->Grid(Grid)->SetCells(Col, 2, QString::fromUtf8(C.Value));
      const int Message = Grid ? C.Write_Message : C.Read_Message;
      EXPECT_EQ(Check(), Message ? Error(2, Message, QString::fromUtf8(C.Suffix)) : QString());
      // A disabled row is not checked.
      F->Grid(Grid)->SetCells(cEnable, 2, "N");
      EXPECT_EQ(Check(), QString());
    }
  }
}

// At most ten PLC connections (address and port) over the enabled rows of both tables.
TEST_F(S7Checks, TenConnectionsOverBothTables)
{
  for (int R = 1; R <= 6; ++R)
    Fill(0, R, QStringLiteral("10.0.0.%1").arg(R));
  Fill(0, 7, "10.0.0.99");
  F->Grid(0)->SetCells(cEnable, 7, "N");  // disabled: not counted
  Fill(0, 9, "10.0.0.98");                // below a blank address: not counted
  Fill(1, 1, "010.000.000.001");          // the same PLC as read row 1
  Fill(1, 2, "10.0.0.1", "103");          // another port: another connection
  for (int R = 3; R <= 5; ++R)
    Fill(1, R, QStringLiteral("10.0.1.%1").arg(R));
  EXPECT_EQ(Check(), QString());
  Fill(1, 6, "10.0.2.1");
  EXPECT_EQ(Check(), Error(6, 1288));
  F->Grid(1)->SetCells(cPLC_Address, 6, "");
  // Read rows 7 to 11 enabled and below no blank address any more: the eleventh connection is
  // met in the read table.
  F->Grid(0)->SetCells(cEnable, 7, "Y");
  Fill(0, 8, "10.0.2.1");
  Fill(0, 10, "10.0.2.2");
  Fill(0, 11, "10.0.2.3");
  EXPECT_EQ(Check(), Error(11, 1287));
  // The table is rebuilt at every OK.
  for (int R = 7; R <= 11; ++R)
    F->Grid(0)->SetCells(cEnable, R, "N");
  EXPECT_EQ(Check(), QString());
}

TEST_F(S7Checks, OkSavesADisabledInvalidRowAndStopsAtAnInsertedEmptyRow)
{
  Fill(0, 1);
  Fill(0, 2, "not an address");
  F->Grid(0)->SetCells(cEnable, 2, "N");
  Fill(0, 3);
  F->Grid(0)->SetRowEx(3);
  F->Btn_InsRowClick(nullptr);
  EXPECT_EQ(F->Grid(0)->Cells(cEnable, 3), "Y");
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  F->FormShow(nullptr);
  EXPECT_EQ(F->Grid(0)->Cells(cPLC_Address, 2), "not an address");
  EXPECT_EQ(F->Grid(0)->Cells(cEnable, 2), "N");
  EXPECT_EQ(F->Grid(0)->Cells(cPLC_Address, 4), "");  // the row below the inserted one is gone
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(S7Checks, ShowingResetsTheRowsAndFillsThePositionList)
{
  TZavColumnGrid *R = F->ACG_S7_Read;
  TZavColumnGrid *W = F->ACG_S7_Write;
  ASSERT_NE(R, nullptr);
  ASSERT_NE(W, nullptr);
  EXPECT_EQ(R->RowCount(), 513);
  EXPECT_EQ(R->ColCount(), cRead_Count);
  EXPECT_EQ(W->ColCount(), cWrite_Count);
  EXPECT_EQ(R->Cells(0, 512), "512");
  EXPECT_EQ(W->Cells(cEnable, 512), "Y");
  EXPECT_EQ(R->Columns()->Items(cRead_Position)->ComboItems()->Count(), 1500);
  EXPECT_EQ(W->Columns()->Items(cWrite_Position)->ComboItems()->Strings(1499), "1499");
  EXPECT_EQ(R->Columns()->Items(cPLC_Bit)->ComboItems()->Count(), 8);
  EXPECT_EQ(W->Columns()->Items(cOn_CMD)->Header(), "On CMD");
  EXPECT_EQ(F->Hint_S7_Set_Access_Read()->Count(), 18);
  EXPECT_EQ(F->Hint_S7_Set_Access_Write()->Count(), 20);
  EXPECT_EQ(F->Hint_S7_Set_Access_Write()->Strings(cOn_Change - 1), Lang_Text(1263));
  EXPECT_EQ(F->NByte_IN(), 1500);
  EXPECT_EQ(F->Caption(), "S7comm Access");
  EXPECT_EQ(F->TS_S7_Write->Caption(), "S7comm Write");
  EXPECT_EQ(F->ClientWidth(), 1350);
}

}  // namespace

TEST_F(S7Checks, DropDownsOfferTheWordsTheBankEncodes)
{
  struct Case {
    int Col;
    const TS7Vocabulary *Words;
  };
  const Case cases[] = {{cPLC_Type, &S7_PLC_Types}, {cData_Type, &S7_Data_Types}, {cData_Identifier, &S7_Blocks},
                        {cPLC_Area, &S7_Areas}};
  for (const TGridDesc &G : F->Desc().Grids)
    for (const Case &c : cases) {
      SCOPED_TRACE(c.Col);
      EXPECT_EQ(G.Columns.at(size_t(c.Col)).Items.Fixed, c.Words->Names());
    }
}
