// The OPC UA server variable form: the Length a Type gives, the Position check over every row
// with a Type, the file (rows below a blank Type kept), the drop-downs the grid asks for, and
// the Length read-only marks kept with the rows' Types.
#include "tables/fopc_ua_server_access.h"
#include "tables/fs7_protocol_set_access.h"
#include "tables/row_helpers.h"
#include "tests/tables/tables_fixture.h"

#include "framework/classes/classes.h"
#include "framework/system/paths.h"
#include "grid/view/editor_wrappers.h"

#include <map>

using namespace tablestest;
using namespace opcuacols;

namespace {

TEST(OPCUATypeLength, EachTypeNameGivesItsLengthAndOnlyTheStringTypesStayEditable)
{
  const struct {
    const char *Type;
    const char *Length;  // nullptr: no length (not a type name)
    bool Fixed;
  } Cases[] = {
      {"Boolean", "1", true}, {"Signed Byte", "1", true}, {"Byte", "1", true},    {"Int16", "2", true},
      {"UInt16", "2", true},  {"Int32", "4", true},       {"UInt32", "4", true},  {"Float", "4", true},
      {"Int64", "8", true},   {"UInt64", "8", true},      {"Double", "8", true},  {"String", "10", false},
      {"ByteString", "10", false},
      // The names are compared exactly.
      {"int32", nullptr, false}, {" Int32", nullptr, false}, {"String ", nullptr, false}, {"", nullptr, false},
      {"SignedByte", nullptr, false},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Type);
    const std::optional<TOPC_UA_Type_Length> L = OPC_UA_Type_Length(QString::fromUtf8(C.Type));
    ASSERT_EQ(L.has_value(), C.Length != nullptr);
    if (!L)
      continue;
    EXPECT_EQ(L->Length, QString::fromUtf8(C.Length));
    EXPECT_EQ(L->Fixed, C.Fixed);
  }
}

class OPCUAFormTest : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().File_OPC_UA_Server = Dir.path() + QStringLiteral("/OPC_UA_Server.xml");
    F = std::make_unique<TFOPC_UA_Server_Access>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
    G = F->ZSG;
  }
  QString Path() const { return AppState().File_OPC_UA_Server; }
  void Row(int R, const QStringList &Cells, bool Enabled = true)
  {
    for (int C = cType; C < cCount; ++C)
      G->SetCells(C, R, Cells.value(C - cType));
    G->SetCheckBoxState(cEnable, R, Enabled);
  }
  bool Checked(int R)
  {
    bool S = false;
    EXPECT_TRUE(G->GetCheckBoxState(cEnable, R, S));
    return S;
  }
  // The Type chosen in the drop-down, as the grid reports it.
  void Choose(int Col, int R, const QString &Item)
  {
    G->SetCells(Col, R, Item);
    ASSERT_TRUE(G->OnComboChange);
    G->OnComboChange(G, Col, R, 0, Item);
  }
  QString Check()
  {
    Boxes.clear();
    const bool Ok = F->Controllo_dati();
    EXPECT_EQ(Ok, Boxes.empty());
    return Boxes.empty() ? QString() : Boxes.back().Text;
  }
  std::unique_ptr<TFOPC_UA_Server_Access> F;
  TZavStringGrid *G = nullptr;
};

// Every row with a Type and a ticked Enable has its Position checked, whatever stands above it;
// the message names the largest valid Position.
TEST_F(OPCUAFormTest, ThePositionOfEveryEnabledRowWithATypeIsChecked)
{
  const QString Bad = QStringLiteral("Error row %1!! Position Must be Between 0 and 1499");
  const struct {
    const char *Name;
    std::map<int, QStringList> Rows;  // row -> Type, Position, Length, Name, R/W, Mnemonic
    std::map<int, bool> Disabled;
    QString Expected;
  } Cases[] = {
      {"empty table", {}, {}, ""},
      {"0", {{1, {"Int32", "0"}}}, {}, ""},
      {"1499", {{1, {"Int32", "1499"}}}, {}, ""},
      {"hexadecimal 1499", {{1, {"Int32", "$5DB"}}}, {}, ""},
      {"leading blanks", {{1, {"Int32", "  7"}}}, {}, ""},
      {"1500", {{1, {"Int32", "1500"}}}, {}, Bad.arg(1)},
      {"-1", {{1, {"Int32", "-1"}}}, {}, Bad.arg(1)},
      {"blank", {{1, {"Int32", ""}}}, {}, Bad.arg(1)},
      {"trailing blank", {{1, {"Int32", "7 "}}}, {}, Bad.arg(1)},
      {"not a number", {{1, {"Int32", "seven"}}}, {}, Bad.arg(1)},
      {"a Type outside the list is checked too", {{1, {"int32", "1500"}}}, {}, Bad.arg(1)},
      {"unchecked row", {{1, {"Int32", "1500"}}}, {{1, true}}, ""},
      {"blank Type", {{1, {"", "1500"}}}, {}, ""},
      {"Type of blanks", {{1, {" \t", "1500"}}}, {}, ""},
      {"below a blank Type", {{1, {"Int32", "1"}}, {2, {"", "x", "", "n"}}, {3, {"Int32", "1500"}}}, {}, Bad.arg(3)},
      {"the last row", {{250, {"Byte", "1500"}}}, {}, Bad.arg(250)},
      {"first failure only", {{4, {"Byte", "x"}}, {7, {"Byte", "y"}}}, {}, Bad.arg(4)},
      {"nothing else is checked",
       {{1, {"String", "1499", "99999", "", "anything", ""}}, {2, {"Float", "1499", "", "\"n\"", "", ""}}},
       {},
       ""},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Name);
    F->FormShow(nullptr);
    for (const auto &[R, Cells] : C.Rows)
      Row(R, Cells, !C.Disabled.count(R));
    EXPECT_EQ(Check(), C.Expected);
    if (!Boxes.empty())
      EXPECT_EQ(Boxes.back().Type, mtError);
  }
}

TEST_F(OPCUAFormTest, OkRefusesABadRowAndWritesNothing)
{
  Row(2, {"Int32", "1500"});
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrNone);
  EXPECT_FALSE(FileExists(Path()));
  EXPECT_EQ(Box_Texts(), QStringList({"Error row 2!! Position Must be Between 0 and 1499"}));
}

// The file exactly: the section under the root, the seven attributes in order, Enable from the
// check box, texts untrimmed; a row with a blank Type is left out and the rows below it are kept.
TEST_F(OPCUAFormTest, OkWritesEveryRowWithATypeAndTheyLoadBack)
{
  Row(1, {"Int32", "10", "4", " temp ", "Read Only", "m"});
  Row(2, {"String", "20", "32", "s", "", "line 1\r\nline 2\tend"}, false);
  Row(3, {" ", "30", "", "no type", "", ""});
  Row(4, {"Double", "40", "8", "<&\">", "Read/Write", ""});
  Row(6, {"UInt16", "60", "2", "", "", ""});
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<OPC_UA_Server><OPC_UA_Server_Variables>"
                       "<row Enable=\"Y\" Type=\"Int32\" Position=\"10\" Length=\"4\" Name=\" temp \" "
                       "ReadWrite=\"Read Only\" Mnemonic=\"m\"/>"
                       "<row Enable=\"N\" Type=\"String\" Position=\"20\" Length=\"32\" Name=\"s\" ReadWrite=\"\" "
                       "Mnemonic=\"line 1&#13;&#10;line 2&#09;end\"/>"
                       "<row Enable=\"Y\" Type=\"Double\" Position=\"40\" Length=\"8\" Name=\"&lt;&amp;&quot;>\" "
                       "ReadWrite=\"Read/Write\" Mnemonic=\"\"/>"
                       "<row Enable=\"Y\" Type=\"UInt16\" Position=\"60\" Length=\"2\" Name=\"\" ReadWrite=\"\" "
                       "Mnemonic=\"\"/>"
                       "</OPC_UA_Server_Variables></OPC_UA_Server><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(Path()).toStdString();

  F->FormShow(nullptr);
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(G->Cells(cName, 1), " temp ");
  EXPECT_EQ(G->Cells(cReadWrite, 1), "Read Only");
  EXPECT_TRUE(Checked(1));
  EXPECT_FALSE(Checked(2));
  EXPECT_EQ(G->Cells(cLength, 2), "32");  // the file's Length, not the Type's
  EXPECT_EQ(G->Cells(cReadWrite, 2), "");
  EXPECT_EQ(G->Cells(cMnemonic, 2), "line 1\r\nline 2\tend");
  EXPECT_EQ(G->Cells(cType, 3), "Double");
  EXPECT_EQ(G->Cells(cName, 3), "<&\">");
  EXPECT_EQ(G->Cells(cType, 4), "UInt16");
  EXPECT_EQ(G->Cells(cType, 5), "");
  EXPECT_TRUE(Checked(5));
  EXPECT_EQ(G->Cells(0, 5), "5");
}

TEST_F(OPCUAFormTest, OkWithNoTypeWritesAnEmptySection)
{
  Row(1, {"", "1"});
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<OPC_UA_Server><OPC_UA_Server_Variables/></OPC_UA_Server><!--SW_VERSION = 1.000-->\n"));
}

// No attribute is required; a missing Enable ticks the box, and only exactly "N" clears it.
// Length and R/W come from the file alone, but the Length's read-only mark follows the Type.
TEST_F(OPCUAFormTest, MissingAttributesLoadTheirDefaults)
{
  testsupport::WriteBytes(Path(), "<OPC_UA_Server><OPC_UA_Server_Variables>"
                                  "<row Type=\"Int32\"/>"
                                  "<row Enable=\"N\" Type=\"String\" Length=\"7\"/>"
                                  "<row Enable=\"n\" Type=\"int32\" Position=\"3\"/>"
                                  "<row Enable=\"y\"/>"
                                  "<row Enable=\"\" Type=\"Byte\" ReadWrite=\"Read Only\"/>"
                                  "</OPC_UA_Server_Variables></OPC_UA_Server>");
  F->FormShow(nullptr);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  const struct {
    int Row;
    bool Checked;
    const char *Type, *Position, *Length;
    bool Length_Read_Only;
    const char *RW;
  } Cases[] = {
      {1, true, "Int32", "", "", true, ""},
      {2, false, "String", "", "7", false, ""},
      {3, true, "int32", "3", "", false, ""},
      {4, true, "", "", "", false, ""},
      {5, true, "Byte", "", "", true, "Read Only"},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Row);
    EXPECT_EQ(Checked(C.Row), C.Checked);
    EXPECT_EQ(G->Cells(cType, C.Row), C.Type);
    EXPECT_EQ(G->Cells(cPosition, C.Row), C.Position);
    EXPECT_EQ(G->Cells(cLength, C.Row), C.Length);
    EXPECT_EQ(G->ReadOnly(cLength, C.Row), C.Length_Read_Only);
    EXPECT_EQ(G->Cells(cReadWrite, C.Row), C.RW);
  }
}

// A file that does not load completely: the rows read until then stay, the user is told, and OK
// asks before replacing it.
TEST_F(OPCUAFormTest, AFileThatDoesNotLoadCompletelyIsReported)
{
  QByteArray Many = "<OPC_UA_Server><OPC_UA_Server_Variables>";
  for (int R = 0; R <= 250; ++R)
    Many += "<row Type=\"Byte\" Position=\"" + QByteArray::number(R) + "\"/>";
  Many += "</OPC_UA_Server_Variables></OPC_UA_Server>";
  const struct {
    const char *Name;
    QByteArray Xml;
    const char *Row_1_Type;
  } Cases[] = {
      {"damaged", "<OPC_UA_Server><OPC_UA_Server_Variables><row Type=\"Byte\"/><row Type=", ""},
      {"no section", "<OPC_UA_Server><row Type=\"Byte\"/></OPC_UA_Server>", ""},
      {"more rows than the table", Many, "Byte"},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Name);
    Boxes.clear();
    testsupport::WriteBytes(Path(), C.Xml);
    F->FormShow(nullptr);
    EXPECT_FALSE(F->Load_Complete());
    EXPECT_EQ(G->Cells(cType, 1), C.Row_1_Type);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Type, mtError);
    EXPECT_TRUE(Boxes[0].Text.contains("OPC_UA_Server.xml")) << Boxes[0].Text.toStdString();
    Boxes.clear();
    Answers = {mrNo};
    F->SetModalResult(mrNone);
    F->Btn_OKClick(nullptr);
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_EQ(testsupport::ReadBytes(Path()), C.Xml);
  }
}

// Type and R/W edit with drop-down lists that the grid asks for when a cell is edited.
TEST_F(OPCUAFormTest, TheGridAsksForTheDropDownListsOfTypeAndRW)
{
  ASSERT_TRUE(G->OnGetEditorType);
  const QStringList Types = {"Boolean", "Signed Byte", "Byte",   "Int16",  "UInt16", "Int32",     "UInt32",
                             "Int64",   "UInt64",      "Float", "Double", "String", "ByteString"};
  const QStringList RW = {"Read Only", "Read/Write"};
  EXPECT_EQ(F->VarType->Count(), Types.size());
  EXPECT_EQ(F->RWType->Count(), RW.size());
  const struct {
    int Col;
    TEditorType Editor;
    QStringList Items;
  } Cases[] = {
      {cType, edComboList, Types}, {cReadWrite, edComboList, RW},
      {cPosition, edNormal, {}},   {cName, edNormal, {}},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Col);
    G->ClearComboString();
    TEditorType E = edNormal;
    G->OnGetEditorType(G, C.Col, 3, E);
    EXPECT_EQ(E, C.Editor);
    if (C.Editor != edComboList)
      continue;
    QStringList Items;
    for (int I = 0; I < G->Combobox()->Items()->Count(); ++I)
      Items << G->Combobox()->Items()->Strings(I);
    EXPECT_EQ(Items, C.Items);
  }
}

TEST_F(OPCUAFormTest, AChosenTypeFillsTheLengthAndAnEmptyRW)
{
  Choose(cType, 2, "Int32");
  EXPECT_EQ(G->Cells(cLength, 2), "4");
  EXPECT_TRUE(G->ReadOnly(cLength, 2));
  EXPECT_EQ(G->Cells(cReadWrite, 2), "Read/Write");
  Choose(cReadWrite, 2, "Read Only");
  EXPECT_EQ(G->Cells(cLength, 2), "4");
  Choose(cType, 2, "String");
  EXPECT_EQ(G->Cells(cLength, 2), "10");
  EXPECT_FALSE(G->ReadOnly(cLength, 2));
  EXPECT_EQ(G->Cells(cReadWrite, 2), "Read Only");  // a chosen access stays
  G->SetCells(cLength, 2, "64");
  Choose(cType, 2, "ByteString");
  EXPECT_EQ(G->Cells(cLength, 2), "10");
}

// The form binds no click, double-click, key or hint handler: the grid keeps its own handling.
TEST_F(OPCUAFormTest, NoClickDoubleClickKeyOrHintHandlerIsBound)
{
  EXPECT_FALSE(G->OnClickCell);
  EXPECT_FALSE(G->OnDblClickCell);
  EXPECT_FALSE(G->OnKeyPress);
  EXPECT_FALSE(G->OnGridHint);
  EXPECT_FALSE(G->ShowHint());
}

TEST_F(OPCUAFormTest, TheDeleteQuestionIsFormattedWithTheRow)
{
  Row(3, {"Byte", "1"});
  Row(4, {"Int16", "2"});
  G->SetRowEx(3);
  Answers = {mrNo, mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(G->Cells(cType, 3), "Byte");
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(G->Cells(cType, 3), "Int16");
  EXPECT_EQ(Box_Texts(), QStringList({"Are you sure to delete the Row number 3", "Are you sure to delete the Row number 3"}));
  G->SetRowEx(250);
  Row(250, {"Byte", "1"}, false);
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(G->Cells(cType, 250), "");
  EXPECT_TRUE(Checked(250));
}

// The read-only marks belong to grid positions: after a load and after every row button they
// are set again from the Types, so a row's Length is locked exactly when its Type fixes it.
TEST_F(OPCUAFormTest, LengthMarksFollowTheTypesAfterRowButtonsAndLoads)
{
  auto Marks = [this](int From, int To) {
    QString S;
    for (int R = From; R <= To; ++R)
      S += G->ReadOnly(cLength, R) ? 'L' : '-';
    return S;
  };
  Choose(cType, 1, "Int32");
  Choose(cType, 2, "String");
  Choose(cType, 3, "Byte");
  EXPECT_EQ(Marks(1, 4), "L-L-");

  G->SetRowEx(1);
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);  // String to row 1, Byte to row 2
  EXPECT_EQ(Marks(1, 4), "-L--");
  F->Btn_InsRowClick(nullptr);  // empty row 1, String to 2, Byte to 3
  EXPECT_EQ(Marks(1, 4), "--L-");

  // A paste of the String row over the Byte row unlocks its Length and keeps the copied text.
  G->SetCells(cLength, 2, "33");
  G->SetRowEx(2);
  F->Btn_CopyRowClick(nullptr);
  G->SetRowEx(3);
  Answers = {mrYes};
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(G->Cells(cType, 3), "String");
  EXPECT_EQ(G->Cells(cLength, 3), "33");
  EXPECT_EQ(Marks(1, 4), "----");

  // A showing loads rows onto positions whose marks an earlier showing set.
  Choose(cType, 5, "Double");
  testsupport::WriteBytes(Path(), "<OPC_UA_Server><OPC_UA_Server_Variables>"
                                  "<row Type=\"UInt64\"/><row Type=\"Byte\"/><row Type=\"Int16\"/>"
                                  "<row Type=\"ByteString\" Length=\"5\"/><row Type=\"String\" Length=\"6\"/>"
                                  "</OPC_UA_Server_Variables></OPC_UA_Server>");
  F->FormShow(nullptr);
  EXPECT_EQ(Marks(1, 6), "LLL---");
  EXPECT_EQ(G->Cells(cLength, 5), "6");
  F->FormShow(nullptr);
  std::remove(Path().toLocal8Bit().constData());
  F->FormShow(nullptr);
  EXPECT_EQ(Marks(1, 6), "------");
}

// Paste Row: the row's R/W gets its default even when the paste is refused or declined.
TEST_F(OPCUAFormTest, PasteFillsAnEmptyRWEvenWhenRefused)
{
  Row(2, {"Float", "1", "4", "n", "", ""});
  G->SetRowEx(2);
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1102)}));
  EXPECT_EQ(G->Cells(cReadWrite, 2), "Read/Write");
  EXPECT_EQ(G->Cells(cLength, 2), "4");
  EXPECT_TRUE(G->ReadOnly(cLength, 2));
}

// A row copied in a column grid is not pasted here, and one copied here is not pasted there.
TEST_F(OPCUAFormTest, RowsDoNotCrossBetweenAColumnGridAndThisGrid)
{
  TFS7_Protocol_Set_Access S7(nullptr);
  S7.AfterConstruction();
  S7.FormShow(nullptr);
  S7.Grid(0)->SetCells(s7cols::cPLC_Address, 1, "10.0.0.1");
  S7.Btn_CopyRowClick(nullptr);
  F->FormShow(nullptr);
  F->Btn_PasteRowClick(nullptr);
  F->Set_Do_Copy(0, true);  // even a flag left set would not take a row of another size
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(G->Cells(cType, 1), "");
  EXPECT_EQ(G->Cells(cReadWrite, 1), "Read/Write");

  Row(1, {"Byte", "1"});
  F->Btn_CopyRowClick(nullptr);
  S7.FormShow(nullptr);
  S7.Grid(0)->SetRowEx(2);
  S7.Btn_PasteRowClick(nullptr);
  S7.Set_Do_Copy(0, true);
  S7.Btn_PasteRowClick(nullptr);
  EXPECT_EQ(S7.Grid(0)->Cells(s7cols::cEnable, 2), "Y");
  EXPECT_EQ(S7.Grid(0)->Cells(s7cols::cPLC_Address, 2), "");
  EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1102), Lang_Text(1101), Lang_Text(1102), Lang_Text(1101)}));
}

TEST_F(OPCUAFormTest, TextsAndTheGridAsBuilt)
{
  EXPECT_EQ(F->Caption(), "Definition of OPC UA Server Variables");
  EXPECT_EQ(F->ClientWidth(), 1200);
  EXPECT_EQ(F->ClientHeight(), 337);
  EXPECT_EQ(G->ColCount(), 8);
  EXPECT_EQ(G->RowCount(), 251);
  const struct {
    int Col;
    const char *Header;
    int Width;
    TColor Color;
  } Cases[] = {
      {cN, "N", 40, clNone},
      {cEnable, "Enable", 50, RGB(0xFF, 0xD8, 0xB0)},
      {cType, "Type", 120, RGB(0xE0, 0xFA, 0xFE)},
      {cPosition, "Position", 100, RGB(0xA8, 0xFF, 0xA8)},
      {cLength, "Length", 100, RGB(0xA8, 0xFF, 0xA8)},
      {cName, "Name", 280, RGB(0xFC, 0xD6, 0xF4)},
      {cReadWrite, "R/W", 100, RGB(0xFC, 0xD6, 0xF4)},
      {cMnemonic, "Mnemonic", 280, clWhite},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Header);
    EXPECT_EQ(G->Cells(C.Col, 0), C.Header);
    EXPECT_EQ(G->ColWidths(C.Col), C.Width);
    if (C.Col > 0) {
      EXPECT_EQ(G->Colors(C.Col, 1), C.Color);
      EXPECT_EQ(G->Colors(C.Col, 250), C.Color);
    }
  }
  EXPECT_EQ(G->Alignments(cEnable, 7), taCenter);
  EXPECT_EQ(G->RowHeights(0), 22);
  EXPECT_FALSE(G->Options().Contains(goColSizing));
  EXPECT_FALSE(G->Options().Contains(goRowSizing));
  EXPECT_TRUE(G->Options().Contains(goEditing));
  EXPECT_EQ(G->Cells(0, 250), "250");
  EXPECT_TRUE(Checked(250));
}

}  // namespace
