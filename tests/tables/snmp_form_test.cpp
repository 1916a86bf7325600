// The SNMP access form: the name checks, the row checks of both tables, the descriptions that
// must differ across them, column N numbering the enabled rows (after every change of the rows),
// the file with its defaults, and the columns that may be dragged wider than their 15 characters.
#include "tables/fsnmp_trap_access.h"

#include "framework/stdctrls/comctrls.h"
#include "grid/core/column_grid.h"
#include "tests/tables/tables_fixture.h"

#include <map>

using namespace tablestest;
using namespace snmpcols;

namespace {

class SNMPFormTest : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().File_SNMP_Trap = Dir.path() + QStringLiteral("/SNMP_Trap.xml");
    F = std::make_unique<TFSNMP_Trap_Access>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
  }
  QString Path() const { return AppState().File_SNMP_Trap; }
  // A row that passes every check, with a description of its own.
  void Valid_Row(TZavStringGrid *G, int Row, const QString &Description)
  {
    const bool Read = G == F->ACG_SNMP_Read;
    G->SetCells(cCommunity_Name, Row, QStringLiteral("Tarvex"));
    G->SetCells(cType, Row, QStringLiteral("Int"));
    G->SetCells(Read ? int(cRead_Position) : int(cWrite_Position), Row, QStringLiteral("10"));
    G->SetCells(Read ? int(cRead_Start_Bit) : int(cWrite_Start_Bit), Row, QStringLiteral("0"));
    G->SetCells(Read ? int(cRead_Num_Bits) : int(cWrite_Num_Bits), Row, QStringLiteral("16"));
    G->SetCells(Read ? int(cRead_Description) : int(cWrite_Description), Row, Description);
    G->SetCells(Read ? int(cRead_Conversion) : int(cWrite_Conversion), Row, QStringLiteral("None"));
    if (Read)
      G->SetCells(cIP_Address, Row, QStringLiteral("192.168.1.125"));
  }
  QString Check()
  {
    Boxes.clear();
    const bool Ok = F->Controllo_dati();
    EXPECT_EQ(Ok, Boxes.empty());
    return Boxes.empty() ? QString() : Boxes.back().Text;
  }
  QStringList Numbers(TZavStringGrid *G, int Rows)
  {
    QStringList L;
    for (int R = 1; R <= Rows; ++R)
      L << G->Cells(cN, R);
    return L;
  }
  std::unique_ptr<TFSNMP_Trap_Access> F;
};

TEST(SNMPNameCheck, LettersAndDigitsOnlyAndALowerCaseFirstLetterForDescriptions)
{
  const struct {
    const char *Text;
    int Type;
    bool Error;
  } Cases[] = {
      {"temp1", 1, false}, {"Temp1", 1, true},  {"1temp", 1, true},    {"temp_1", 1, true},  {" temp1", 1, true},
      {"temp1 ", 1, true}, {"", 1, false},      {"tEMP1", 1, false},   {"Tarvex", 0, false}, {"1abc", 0, false},
      {"a b", 0, true},    {"", 0, false},      {"caf\u00e9", 0, true}, {"z", 1, false},      {"a-1", 0, true},
  };
  for (const auto &C : Cases)
    EXPECT_EQ(TFSNMP_Trap_Access::Check_Error_CommName_Desc(QString::fromUtf8(C.Text), C.Type), C.Error)
        << C.Text << " " << C.Type;
  EXPECT_EQ(TFSNMP_Trap_Access::First_Repeated({"a", "b", "A"}), -1);
  EXPECT_EQ(TFSNMP_Trap_Access::First_Repeated({"a", "b", "c", "b", "a"}), 3);
  EXPECT_EQ(TFSNMP_Trap_Access::First_Repeated({"", ""}), 1);
}

TEST_F(SNMPFormTest, ChecksOfEachTableInOrderWithTheFirstFailureReported)
{
  const QString Rd = QStringLiteral("Error row 1!! [SNMP Read] ");
  const QString Wr = QStringLiteral("Error row 1!! [SNMP Write] ");
  const QString Chars = QStringLiteral(" is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")");
  const QString First = QStringLiteral(". First character must be a letter and must be lowercase");
  const struct {
    bool Write;
    std::map<int, const char *> Cells;
    QString Expected;
  } Cases[] = {
      {false, {}, ""},
      {false, {{cCommunity_Name, "Tar vex"}}, Rd + "Community Name" + Chars},
      {false, {{cType, " "}}, Rd + "Type must be selected"},
      {false, {{cOn_Timer, "Y"}, {cTime, "0"}}, Rd + "Time must be between 1 and 1000000000 ms"},
      {false, {{cOn_Timer, "y"}, {cTime, "1000000001"}}, Rd + "Time must be between 1 and 1000000000 ms"},
      {false, {{cOn_Timer, "Y"}, {cTime, "1000000000"}}, ""},
      {false, {{cOn_Timer, "N"}, {cTime, ""}}, ""},
      {false, {{cOn_Timer, " Y"}, {cTime, ""}}, ""},  // upper-cased, not trimmed
      {false, {{cRead_Position, ""}}, Rd + "Position must be selected"},
      {false, {{cRead_Start_Bit, ""}}, Rd + "Start Bit must be selected"},
      {false, {{cType, "String"}, {cRead_Start_Bit, "3"}}, Rd + "Start Bit must be 0 if Type is String"},
      {false, {{cType, " Int"}, {cRead_Start_Bit, "3"}}, Rd + "Start Bit must be 0 if Type is String"},
      {false, {{cType, "INT"}, {cRead_Start_Bit, "3"}}, ""},
      {false, {{cRead_Num_Bits, "64"}}, ""},
      {false, {{cRead_Num_Bits, "65"}}, Rd + "Num Bits/Bytes must be between 1 and 64 bits"},
      {false, {{cRead_Num_Bits, "0"}}, Rd + "Num Bits/Bytes must be between 1 and 64 bits"},
      {false, {{cType, "String"}, {cRead_Num_Bits, "17"}}, Rd + "Num Bits/Bytes must be between 1 and 16 bytes"},
      {false, {{cType, "String"}, {cRead_Num_Bits, "16"}}, ""},
      {false, {{cRead_Description, "Temp1"}}, Rd + "Description" + Chars + First},
      {false, {{cRead_Description, " temp1"}}, Rd + "Description" + Chars + First},
      {false, {{cIP_Address, "192.168.1.256"}}, Rd + "IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {false, {{cIP_Address, ""}}, Rd + "IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {false, {{cIP_Address, " 10.0.0.1 "}}, ""},
      {false, {{cRead_Conversion, ""}}, Rd + "Conversion must be selected"},
      // The Enable test upper-cases without trimming: " Y" is a disabled row.
      {false, {{cEnable, "y"}, {cType, ""}}, Rd + "Type must be selected"},
      {false, {{cEnable, " Y"}, {cType, ""}, {cIP_Address, "x"}}, ""},
      {true, {}, ""},
      {true, {{cCommunity_Name, "a.b"}}, Wr + "Community Name" + Chars},
      {true, {{cType, ""}}, Wr + "Type must be selected"},
      {true, {{cWrite_Position, ""}}, Wr + "Position must be selected"},
      {true, {{cWrite_Start_Bit, ""}}, Wr + "Start Bit must be selected"},
      {true, {{cType, "String"}, {cWrite_Start_Bit, "1"}}, Wr + "Start Bit must be 0 if Type is String"},
      {true, {{cWrite_Num_Bits, "65"}}, Wr + "Num Bits/Bytes must be between 1 and 64 bits"},
      {true, {{cType, "String"}, {cWrite_Num_Bits, "x"}}, Wr + "Num Bits/Bytes must be between 1 and 16 bytes"},
      {true, {{cWrite_Description, "1abc"}}, Wr + "Descrtiption" + Chars + First},
      {true, {{cWrite_Conversion, ""}}, Wr + "Conversion must be selected"},
  };
  for (const auto &C : Cases) {
    F->FormShow(nullptr);
    Valid_Row(F->ACG_SNMP_Read, 1, QStringLiteral("rd"));
    Valid_Row(F->ACG_SNMP_Write, 1, QStringLiteral("wr"));
    TZavStringGrid *G = C.Write ? F->ACG_SNMP_Write : F->ACG_SNMP_Read;
    QString Cells;
    for (const auto &[Col, Text] : C.Cells) {
      G->SetCells(Col, 1, QString::fromUtf8(Text));
      Cells += QStringLiteral("%1=%2 ").arg(Col).arg(Text);
    }
    EXPECT_EQ(Check(), C.Expected) << (C.Write ? "write " : "read ") << Cells.toStdString();
  }
}

TEST_F(SNMPFormTest, DescriptionsOfEnabledRowsMustDifferAcrossBothTables)
{
  const QString Differ = QStringLiteral("Error!! The Descriptions must be all differents");
  const struct {
    const char *Name;
    const char *Read1, *Read2, *Write1;
    bool Read2_Disabled;
    QString Expected;
  } Cases[] = {
      {"all different", "temp1", "temp2", "temp3", false, ""},
      {"same in a read and a write row", "temp1", "temp2", "temp2", false, Differ},
      {"same in two read rows", "temp1", "temp1", "temp3", false, Differ},
      {"case counts", "temp1", "tEMP1", "temp3", false, ""},
      {"two empty descriptions", "", "temp2", "", false, Differ},
      {"a disabled row is not compared", "temp1", "temp1", "temp3", true, ""},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Name);
    F->FormShow(nullptr);
    Valid_Row(F->ACG_SNMP_Read, 1, QString::fromUtf8(C.Read1));
    Valid_Row(F->ACG_SNMP_Read, 2, QString::fromUtf8(C.Read2));
    if (C.Read2_Disabled)
      F->ACG_SNMP_Read->SetCells(cEnable, 2, QStringLiteral("N"));
    Valid_Row(F->ACG_SNMP_Write, 1, QString::fromUtf8(C.Write1));
    EXPECT_EQ(Check(), C.Expected);
  }
  // A row fault is reported before the comparison.
  F->ACG_SNMP_Write->SetCells(cType, 1, QString());
  F->ACG_SNMP_Read->SetCells(cEnable, 2, QStringLiteral("Y"));
  EXPECT_EQ(Check(), "Error row 1!! [SNMP Write] Type must be selected");
  EXPECT_EQ(F->SL_Check_Desc, QStringList({"temp1", "temp1"}));
}

TEST_F(SNMPFormTest, ColumnNNumbersTheEnabledRowsAtShowingOnToggleAndAfterEveryRowButton)
{
  TZavColumnGrid *G = F->ACG_SNMP_Read;
  EXPECT_EQ(Numbers(G, 3), QStringList({"1", "2", "3"}));
  EXPECT_EQ(G->Cells(cN, 256), "256");
  for (int R = 1; R <= 3; ++R)
    Valid_Row(G, R, QStringLiteral("t%1").arg(R));
  G->SetCells(cEnable, 2, QStringLiteral("N"));
  // A toggle in another column changes nothing; one in column 1 renumbers.
  F->ACG_SNMP_ReadCheckBoxClick(G, cOn_Change, 2, true);
  EXPECT_EQ(Numbers(G, 3), QStringList({"1", "2", "3"}));
  F->ACG_SNMP_ReadCheckBoxClick(G, cEnable, 2, false);
  EXPECT_EQ(Numbers(G, 4), QStringList({"1", "", "2", "3"}));
  G->SetCells(cEnable, 2, QStringLiteral("Y"));
  F->ACG_SNMP_ReadCheckBoxClick(G, cEnable, 2, true);
  EXPECT_EQ(Numbers(G, 3), QStringList({"1", "2", "3"}));
  G->SetCells(cEnable, 2, QStringLiteral("N"));
  F->ACG_SNMP_ReadCheckBoxClick(G, cEnable, 2, false);

  // The rows move under their numbers: every row button numbers again.
  G->SetRowEx(2);
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(G->Cells(cRead_Description, 2), "t3");
  EXPECT_EQ(Numbers(G, 3), QStringList({"1", "2", "3"}));
  G->SetRowEx(1);
  F->Btn_CopyRowClick(nullptr);
  G->SetCells(cEnable, 1, QStringLiteral("N"));
  F->ACG_SNMP_ReadCheckBoxClick(G, cEnable, 1, false);
  EXPECT_EQ(Numbers(G, 3), QStringList({"", "1", "2"}));
  G->SetRowEx(2);
  F->Btn_InsRowClick(nullptr);
  EXPECT_EQ(Numbers(G, 4), QStringList({"", "1", "2", "3"}));
  G->SetRowEx(1);
  Answers = {mrYes};
  F->Btn_PasteRowClick(nullptr);  // row 1 enabled again by the copied "Y"
  EXPECT_EQ(G->Cells(cEnable, 1), "Y");
  EXPECT_EQ(Numbers(G, 4), QStringList({"1", "2", "3", "4"}));
  // The other table keeps its own numbers.
  EXPECT_EQ(Numbers(F->ACG_SNMP_Write, 2), QStringList({"1", "2"}));
}

TEST_F(SNMPFormTest, ShowingKeepsThePageAndCopyPasteStaysInItsTable)
{
  F->PageControl1->SetActivePage(F->TS_SNMP_Write);
  F->FormShow(nullptr);
  EXPECT_EQ(F->PageControl1->ActivePage(), F->TS_SNMP_Write);
  F->PageControl1->SetActivePage(F->TS_SNMP_Read);
  Valid_Row(F->ACG_SNMP_Read, 1, QStringLiteral("a"));
  F->ACG_SNMP_Read->SetRowEx(1);
  F->Btn_CopyRowClick(nullptr);
  EXPECT_TRUE(F->Do_Copy_In_Read());
  F->PageControl1->SetActivePage(F->TS_SNMP_Write);
  F->ACG_SNMP_Write->SetRowEx(1);
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList{"Error!!! Copy a valid row before Paste it"});
  EXPECT_EQ(F->ACG_SNMP_Write->Cells(cCommunity_Name, 1), "");
  // No row selection on a click in column 0; hints on the header row only.
  F->ACG_SNMP_Write->SetRowEx(4);
  F->ClickCell(F->ACG_SNMP_Write, 2, 0);
  EXPECT_EQ(F->ACG_SNMP_Write->GetRowEx(), 4);
  QString Hint = QStringLiteral("grid's own");
  F->GridHint(F->ACG_SNMP_Write, 0, F->ACG_SNMP_Write->RealToDisplCol(cWrite_Conversion), Hint);
  EXPECT_EQ(Hint, "Select the Data Conversion from Int to Float");
  F->GridHint(F->ACG_SNMP_Write, 3, 2, Hint);
  EXPECT_EQ(Hint, "");
  EXPECT_EQ(F->Caption(), "Set SNMP Trap Access");
  EXPECT_EQ(F->TS_SNMP_Write->Caption(), "SNMP Write");
  EXPECT_EQ(F->NByte_IN(), 1440);
  TStringList *Positions = F->ACG_SNMP_Write->Columns()->Items(cWrite_Position)->ComboItems();
  ASSERT_EQ(Positions->Count(), 1440);
  EXPECT_EQ(Positions->Strings(1439), "1439");
}

// The Community Name and Description columns are 130 pixels wide; their limit of 15 is one of
// typed characters (Description only), not a largest width: the user can drag them wider (the
// end-to-end test drags one).
TEST_F(SNMPFormTest, NameColumnsHaveNoLargestWidthAndOnlyTheDescriptionLimitsTyping)
{
  const struct {
    TZavColumnGrid *Grid;
    int Col, Edit_Length;
  } Cases[] = {{F->ACG_SNMP_Read, cCommunity_Name, 0}, {F->ACG_SNMP_Read, cRead_Description, 15},
               {F->ACG_SNMP_Write, cCommunity_Name, 0}, {F->ACG_SNMP_Write, cWrite_Description, 15}};
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Col);
    TGridColumnItem *Item = C.Grid->Columns()->Items(C.Col);
    EXPECT_EQ(Item->EditLength(), C.Edit_Length);
    EXPECT_EQ(C.Grid->ColWidths(C.Grid->RealToDisplCol(C.Col)), 130);
    EXPECT_EQ(Item->MaxSize(), 0);
  }
}

TEST_F(SNMPFormTest, FileHoldsBothSectionsInColumnOrderAndLoadsDefaults)
{
  TZavStringGrid *R = F->ACG_SNMP_Read;
  Valid_Row(R, 1, QStringLiteral("level"));
  R->SetCells(cOn_Timer, 1, QStringLiteral("Y"));
  R->SetCells(cTime, 1, QStringLiteral("1000"));
  R->SetCells(cRead_Mnemonic, 1, QStringLiteral("tank\r\n\"one\""));
  Valid_Row(R, 2, QStringLiteral("bad one"));
  R->SetCells(cEnable, 2, QStringLiteral("N"));  // saved as it is, not checked
  F->Btn_OKClick(nullptr);
  ASSERT_EQ(F->ModalResult(), mrOk) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<SNMP_Trap><SNMP_Trap_Read>"
                       "<row Enable=\"Y\" Community_Name=\"Tarvex\" Type=\"Int\" On_Change=\"\" On_Command=\"\" "
                       "On_Timer=\"Y\" Time=\"1000\" Position=\"10\" Bit=\"0\" NumBits=\"16\" Description=\"level\" "
                       "IP_Address=\"192.168.1.125\" Conversion=\"None\" Mnemonic=\"tank&#13;&#10;&quot;one&quot;\"/>"
                       "<row Enable=\"N\" Community_Name=\"Tarvex\" Type=\"Int\" On_Change=\"\" On_Command=\"\" "
                       "On_Timer=\"\" Time=\"\" Position=\"10\" Bit=\"0\" NumBits=\"16\" Description=\"bad one\" "
                       "IP_Address=\"192.168.1.125\" Conversion=\"None\" Mnemonic=\"\"/>"
                       "</SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(Path()).toStdString();
  F->FormShow(nullptr);
  EXPECT_EQ(R->Cells(cRead_Mnemonic, 1), "tank\r\n\"one\"");
  EXPECT_EQ(Numbers(R, 3), QStringList({"1", "", "2"}));

  testsupport::WriteBytes(Path(), "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"c\"/></SNMP_Trap_Read>"
                                  "<SNMP_Trap_Write><row Community_Name=\"w\" Enable=\"n\"/><row Community_Name=\"v\"/>"
                                  "</SNMP_Trap_Write></SNMP_Trap>");
  F->FormShow(nullptr);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  const struct {
    int Col;
    const char *Text;
  } Read_Defaults[] = {{cEnable, "Y"}, {cOn_Change, "N"}, {cOn_CMD, "N"}, {cOn_Timer, "N"}, {cTime, ""},
                       {cRead_Conversion, "None"}, {cIP_Address, ""}, {cRead_Description, ""}};
  for (const auto &C : Read_Defaults)
    EXPECT_EQ(R->Cells(C.Col, 1), C.Text) << C.Col;
  TZavStringGrid *W = F->ACG_SNMP_Write;
  EXPECT_EQ(W->Cells(cWrite_Conversion, 2), "None");
  EXPECT_EQ(Numbers(W, 3), QStringList({"", "1", "2"}));
}

}  // namespace
