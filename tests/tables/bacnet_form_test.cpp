// The BACnet access form: the checks of both tables (units, positions, start bits, the length
// of every type, the last byte), the object limit over both tables, the table size from the
// project's settings at every showing, the file, and the departures: header cells, no hints,
// the hidden Swap column, the Length pre-fill and the unit picker on a double-click.
#include "tables/fbacnet_slave_set_access.h"

#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/testing/ui_script.h"
#include "grid/core/column_grid.h"
#include "tables/fbacnet_eng_unit.h"
#include "tests/tables/tables_fixture.h"

#include <map>
#include <set>

using namespace tablestest;
using namespace bacnetcols;

namespace {

class BACnetFormTest : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().File_BACnet_Slave = Dir.path() + QStringLiteral("/BACnet_Slave.xml");
    AppState().File_ParGen = Dir.path() + QStringLiteral("/ParGen.xml");
    F = std::make_unique<TFBACnetSlaveSetAccess>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
    R = F->ACG_BACnet_in_Read;
    W = F->ACG_BACnet_in_Write;
  }
  QString Path() const { return AppState().File_BACnet_Slave; }
  void Write_ParGen(const QByteArray &Elements)
  {
    testsupport::WriteBytes(AppState().File_ParGen, "<Par_Gen>" + Elements + "</Par_Gen>");
  }
  void Set_Row(TZavStringGrid *G, int Row, const QStringList &Cells)
  {
    for (int C = 0; C < Cells.size(); ++C)
      G->SetCells(C + 1, Row, Cells[C]);
  }
  // A row that passes every check.
  void Valid_Row(TZavStringGrid *G, int Row)
  {
    Set_Row(G, Row, {G == W ? "Analog Out" : "Analog Input", "62", "0", "", "4", "N", "m"});
  }
  // The error box of the checks, or "" when the tables pass.
  QString Check()
  {
    Boxes.clear();
    const bool Ok = F->Controllo_dati();
    EXPECT_EQ(Ok, Boxes.empty());
    EXPECT_LE(Boxes.size(), 1u);
    return Boxes.empty() ? QString() : Boxes.back().Text;
  }
  std::unique_ptr<TFBACnetSlaveSetAccess> F;
  TZavColumnGrid *R = nullptr;
  TZavColumnGrid *W = nullptr;
};

QString Msg(int Row, int Text) { return QStringLiteral("Error row %1").arg(Row) + Lang_Text(Text); }

TEST_F(BACnetFormTest, ChecksOfEachTableInOrderWithTheFirstFailureReported)
{
  const struct {
    bool Write;
    std::map<int, const char *> Cells;
    QString Expected;
  } Cases[] = {
      {false, {}, ""},
      {true, {}, ""},
      // Eng. Unit 0..65535, read untrimmed as an integer.
      {false, {{cEng_Unit, "65535"}}, ""},
      {false, {{cEng_Unit, "$FFFF"}}, ""},
      {false, {{cEng_Unit, "0"}}, ""},
      {false, {{cEng_Unit, "65536"}}, Msg(1, 2533)},
      {false, {{cEng_Unit, ""}}, Msg(1, 2533)},
      {false, {{cEng_Unit, "-1"}}, Msg(1, 2533)},
      {false, {{cEng_Unit, "62 "}}, Msg(1, 2533)},
      {true, {{cEng_Unit, "65536"}, {cPosition, ""}}, Msg(1, 2547)},
      // Position 0..1499, its message ending in the bound.
      {false, {{cPosition, ""}}, Msg(1, 2534) + "1499"},
      {false, {{cPosition, "1500"}}, Msg(1, 2534) + "1499"},
      {true, {{cPosition, "-1"}}, Msg(1, 2548) + "1499"},
      {false, {{cPosition, "1496"}}, ""},
      // Start Bit: binary types only, empty untrimmed; the Length is not looked at then.
      {false, {{cData_Type, "Binary Input"}, {cLength, "99"}}, Msg(1, 2545)},
      {false, {{cData_Type, "Binary Value"}, {cLength, ""}}, Msg(1, 2545)},
      {false, {{cData_Type, "Binary Input"}, {cStart_Bit, "3"}, {cLength, ""}}, ""},
      {false, {{cData_Type, "Binary Input"}, {cStart_Bit, " "}, {cPosition, "1499"}, {cLength, "900"}}, ""},
      {true, {{cData_Type, "Binary Out"}}, Msg(1, 2557)},
      {true, {{cData_Type, "Binary Value"}}, Msg(1, 2557)},
      {true, {{cData_Type, "Binary Input"}, {cLength, "4"}}, ""},  // not a write type: no bit, no rule
      // The last byte.
      {false, {{cData_Type, "Large Analog Value"}, {cPosition, "1492"}, {cLength, "8"}}, ""},
      {false, {{cData_Type, "Large Analog Value"}, {cPosition, "1493"}, {cLength, "8"}}, Msg(1, 2546)},
      {true, {{cData_Type, "Large Analog Value"}, {cPosition, "1493"}, {cLength, "8"}}, Msg(1, 2558)},
      {false, {{cData_Type, "Integer Value"}, {cPosition, "0"}, {cLength, "20"}}, ""},
      {false, {{cData_Type, "Integer Value"}, {cPosition, "1490"}, {cLength, "20"}}, Msg(1, 2546)},
      {false, {{cData_Type, "Integer Value"}, {cPosition, "1499"}, {cLength, "abc"}}, ""},  // 0 bytes: ends at 1498
      {false, {{cData_Type, "analog input"}, {cLength, "9"}}, ""},  // compared exactly: no rule
      {true, {{cData_Type, "Integer Value"}, {cLength, "5"}}, Msg(1, 2553)},
      {false, {{cData_Type, "Analog Input"}, {cLength, "abc"}}, Msg(1, 2535)},
      {false, {{cData_Type, "Analog Input"}, {cLength, " 4"}}, ""},
  };
  for (const auto &C : Cases) {
    F->FormShow(nullptr);
    TZavStringGrid *G = C.Write ? W : R;
    Valid_Row(R, 1);
    Valid_Row(W, 1);
    QString Trace;
    for (const auto &[Col, Text] : C.Cells) {
      G->SetCells(Col, 1, QString::fromUtf8(Text));
      Trace += QStringLiteral("%1=[%2] ").arg(Col).arg(Text);
    }
    SCOPED_TRACE((C.Write ? "write " : "read ") + Trace.toStdString());
    EXPECT_EQ(Check(), C.Expected);
  }
}

TEST_F(BACnetFormTest, EveryLengthRuleAtItsBoundsAndTheRowNumber)
{
  std::set<int> Reached;
  for (const bool Write : {false, true}) {
    for (const TBACnetLengthRule &Rule : BACnet_Length_Rules(Write)) {
      const struct {
        int Length;
        bool Passes;
      } Bounds[] = {{Rule.Min - 1, false}, {Rule.Min, true}, {Rule.Max, true}, {Rule.Max + 1, false}};
      for (const auto &B : Bounds) {
        F->FormShow(nullptr);
        TZavStringGrid *G = Write ? W : R;
        Valid_Row(G, 1);
        Valid_Row(G, 2);
        G->SetCells(cData_Type, 2, QString::fromLatin1(Rule.Data_Type));
        G->SetCells(cLength, 2, QString::number(B.Length));
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(Rule.Data_Type).arg(B.Length).toStdString());
        EXPECT_EQ(Check(), B.Passes ? QString() : Msg(2, Rule.Message));
        if (!B.Passes)
          Reached.insert(Rule.Message);
      }
    }
  }
  // Every type of both lists but the binary ones and the read table's "Integer Value" has a rule.
  for (const bool Write : {false, true})
    for (const QString &Type : BACnet_Data_Types(Write))
      EXPECT_EQ(BACnet_Length_Rule(Write, Type) == nullptr,
                BACnet_Is_Binary(Write, Type) || (!Write && Type == QLatin1String("Integer Value")))
          << Type.toStdString();
  EXPECT_EQ(Reached.size(), 18u);
}

TEST_F(BACnetFormTest, TheWalkStopsAtTheFirstBlankDataTypeOfEachTable)
{
  Valid_Row(R, 1);
  R->SetCells(cData_Type, 2, QStringLiteral("  "));
  R->SetCells(cEng_Unit, 2, QStringLiteral("bad"));
  R->SetCells(cData_Type, 3, QStringLiteral("Analog Input"));  // below the blank: neither checked nor saved
  W->SetCells(cData_Type, 1, QStringLiteral("Analog Out"));
  EXPECT_EQ(Check(), Msg(1, 2547) );
  Valid_Row(W, 1);
  EXPECT_EQ(Check(), "");
  F->bitbtn1Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(testsupport::ReadBytes(Path()).count("<row "), 2);
}

TEST_F(BACnetFormTest, ObjectLimitCountsTheRowsOfBothTablesTogether)
{
  const struct {
    QByteArray ParGen;
    int Read, Write;
    QString Expected;
  } Cases[] = {
      {"<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>", 600, 500, "Error!! Too many Requests. Max requests 1000"},
      {"<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>", 600, 400, ""},
      {"<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>", 1000, 0, ""},
      {"", 1500, 500, ""},
      {"", 2000, 1, "Error!! Too many Requests. Max requests 2000"},
  };
  for (const auto &C : Cases) {
    Write_ParGen(C.ParGen);
    F->FormShow(nullptr);
    for (int Row = 1; Row <= C.Read; ++Row)
      Valid_Row(R, Row);
    for (int Row = 1; Row <= C.Write; ++Row)
      Valid_Row(W, Row);
    SCOPED_TRACE(QStringLiteral("%1 + %2").arg(C.Read).arg(C.Write).toStdString());
    EXPECT_EQ(Check(), C.Expected);
  }
  // A failing row is told before the limit.
  R->SetCells(cEng_Unit, 7, QStringLiteral("x"));
  EXPECT_EQ(Check(), Msg(7, 2533));
}

TEST_F(BACnetFormTest, TableSizeFollowsTheProjectSettingAtEveryShowing)
{
  const struct {
    const char *ParGen;  // nullptr: no file
    int Rows;
  } Cases[] = {
      {"<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>", 1000},
      {nullptr, 2000},
      {"<BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit>", 2000},
      {"<BACnet_Desc_Chars_Limit> 1</BACnet_Desc_Chars_Limit>", 2000},
      {"<Other>1</Other>", 2000},
      {"<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>", 1000},
  };
  for (const auto &C : Cases) {
    QFile::remove(AppState().File_ParGen);
    if (C.ParGen)
      Write_ParGen(C.ParGen);
    Boxes.clear();
    F->FormShow(nullptr);
    SCOPED_TRACE(C.ParGen ? C.ParGen : "no file");
    EXPECT_TRUE(Boxes.empty());
    EXPECT_EQ(F->Desc_Lenght, C.Rows == 1000);
    EXPECT_EQ(F->Table_Rows(), C.Rows);
    for (TZavStringGrid *G : {static_cast<TZavStringGrid *>(R), static_cast<TZavStringGrid *>(W)}) {
      EXPECT_EQ(G->RowCount(), C.Rows + 1);
      EXPECT_EQ(G->Cells(0, C.Rows), QString::number(C.Rows));
    }
    EXPECT_EQ(F->NByte_IN(), 1500);
    EXPECT_EQ(F->NByte_OUT(), 1500);
    TStringList *Positions = R->Columns()->Items(cPosition)->ComboItems();
    ASSERT_EQ(Positions->Count(), 1500);
    EXPECT_EQ(Positions->Strings(1499), "1499");
  }
}

TEST_F(BACnetFormTest, ResetWritesOnlyTheRowsOfTheChosenSize)
{
  // Rows past the table are neither shown, checked nor saved: the reset leaves nothing there.
  Write_ParGen("<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>");
  F = std::make_unique<TFBACnetSlaveSetAccess>(nullptr);
  F->AfterConstruction();
  F->FormShow(nullptr);
  R = F->ACG_BACnet_in_Read;
  W = F->ACG_BACnet_in_Write;
  ASSERT_EQ(R->RowCount(), 1001);
  for (const int Row : {1001, 1500, 2000})
    for (int Col = 0; Col < cCount; ++Col)
      EXPECT_EQ(R->Cells(Col, Row), QString()) << Col << "," << Row;
  // Back to 2000 rows, the rows that come back are reset.
  Write_ParGen("");
  F->FormShow(nullptr);
  EXPECT_EQ(R->Cells(0, 1500), "1500");
  EXPECT_EQ(W->Cells(0, 2000), "2000");
}

TEST_F(BACnetFormTest, UnreadableSettingsFileKeepsTheDefaultSizeAndStillLoadsTheTable)
{
  testsupport::WriteBytes(Path(), "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" "
                                  "Position=\"4\" Bit=\"\" Length=\"4\" Swap=\"Y\" Mnemonic=\"t\"/></BACnet_in_Read>"
                                  "<BACnet_in_Write/></BACnet_to_Modbus>");
  testsupport::WriteBytes(AppState().File_ParGen, "<Par_Gen><BACnet_Desc_Chars_Limit>1</Par_Gen");
  Boxes.clear();
  F->FormShow(nullptr);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtError);
  EXPECT_TRUE(Boxes[0].Text.startsWith(Lang_Text(2561))) << Boxes[0].Text.toStdString();
  EXPECT_EQ(R->RowCount(), 2001);
  EXPECT_EQ(R->Cells(cData_Type, 1), "Analog Input");
  EXPECT_EQ(R->Cells(cSwap, 1), "Y");
  // OK saves what was loaded, not reset grids.
  Boxes.clear();
  F->bitbtn1Click(nullptr);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  EXPECT_TRUE(testsupport::ReadBytes(Path()).contains("Mnemonic=\"t\""));
}

TEST_F(BACnetFormTest, TableLongerThanTheChosenSizeIsToldOnLoadAndOkAsksBeforeReplacing)
{
  QByteArray Rows;
  for (int I = 0; I < 1001; ++I)
    Rows += "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"4\" Swap=\"N\" "
            "Mnemonic=\"r" + QByteArray::number(I + 1) + "\"/>";
  const QByteArray File = "<BACnet_to_Modbus><BACnet_in_Read>" + Rows +
                          "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus><!--SW_VERSION = 1.000-->\n";
  testsupport::WriteBytes(Path(), File);
  Write_ParGen("<BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>");
  Boxes.clear();
  F->FormShow(nullptr);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtError);
  EXPECT_FALSE(F->Load_Complete());
  EXPECT_EQ(R->Cells(cMnemonic, 1000), "r1000");
  EXPECT_EQ(R->Cells(cMnemonic, 1001), "");  // nothing past the table
  EXPECT_EQ(R->RowCount(), 1001);

  // 1000 objects fit; OK asks before dropping the surplus row, No keeps the file.
  Boxes.clear();
  Answers = {mrNo};
  F->bitbtn1Click(nullptr);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtConfirmation);
  EXPECT_NE(F->ModalResult(), mrOk);
  EXPECT_EQ(testsupport::ReadBytes(Path()), File);
  Answers = {mrYes};
  F->bitbtn1Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(testsupport::ReadBytes(Path()).count("<row "), 1000);

  // The same file at 2000 rows loads whole and quietly.
  Write_ParGen("");
  testsupport::WriteBytes(Path(), File);
  Boxes.clear();
  F->FormShow(nullptr);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_EQ(R->Cells(cMnemonic, 1001), "r1001");
}

TEST_F(BACnetFormTest, FileShapeRoundTripAndDefaults)
{
  Set_Row(R, 1, {"Analog Input", "62", "12", "", "4", "N", " supply temp "});
  Set_Row(R, 2, {"Binary Value", "95", "20", "3", "", "Y", "a\r\nb\tc"});
  Set_Row(W, 1, {"Large Analog Value", "0", "100", "", "8", "N", "<&\">"});
  Set_Row(W, 3, {"Analog Out", "62", "0", "", "4", "N", "below a blank key"});
  Boxes.clear();
  F->bitbtn1Click(nullptr);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<BACnet_to_Modbus><BACnet_in_Read>"
                       "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"12\" Bit=\"\" Length=\"4\" "
                       "Swap=\"N\" Mnemonic=\" supply temp \"/>"
                       "<row Data_Type=\"Binary Value\" Eng_Unit=\"95\" Position=\"20\" Bit=\"3\" Length=\"\" "
                       "Swap=\"Y\" Mnemonic=\"a&#13;&#10;b&#09;c\"/>"
                       "</BACnet_in_Read><BACnet_in_Write>"
                       "<row Data_Type=\"Large Analog Value\" Eng_Unit=\"0\" Position=\"100\" Bit=\"\" Length=\"8\" "
                       "Swap=\"N\" Mnemonic=\"&lt;&amp;&quot;>\"/>"
                       "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(Path()).toStdString();

  F->FormShow(nullptr);
  EXPECT_EQ(R->Cells(cMnemonic, 1), " supply temp ");
  EXPECT_EQ(R->Cells(cSwap, 2), "Y");
  EXPECT_EQ(R->Cells(cMnemonic, 2), "a\r\nb\tc");
  EXPECT_EQ(W->Cells(cMnemonic, 1), "<&\">");
  EXPECT_EQ(W->Cells(cData_Type, 3), "");
  EXPECT_EQ(W->Cells(0, 3), "3");
  EXPECT_TRUE(F->Load_Complete());

  // Swap may be missing ("N"); the other attributes are required.
  testsupport::WriteBytes(Path(), "<BACnet_to_Modbus><BACnet_in_Read>"
                                  "<row Data_Type=\"Analog Input\" Eng_Unit=\"1\" Position=\"0\" Bit=\"\" Length=\"4\" "
                                  "Mnemonic=\"m\"/>"
                                  "<row Data_Type=\"Analog Input\" Position=\"0\" Bit=\"\" Length=\"4\" Mnemonic=\"n\"/>"
                                  "<row Data_Type=\"Analog Input\" Eng_Unit=\"3\" Position=\"0\" Bit=\"\" Length=\"4\" "
                                  "Mnemonic=\"o\"/>"
                                  "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
  Boxes.clear();
  F->FormShow(nullptr);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(Boxes[0].Text.contains("Eng_Unit")) << Boxes[0].Text.toStdString();
  EXPECT_EQ(R->Cells(cSwap, 1), "N");
  EXPECT_EQ(R->Cells(cMnemonic, 1), "m");
  EXPECT_EQ(R->Cells(cMnemonic, 2), "");
  EXPECT_EQ(R->Cells(cMnemonic, 3), "");
  EXPECT_FALSE(F->Load_Complete());

  // A damaged file is told and leaves the reset rows.
  testsupport::WriteBytes(Path(), "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=");
  Boxes.clear();
  F->FormShow(nullptr);
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(R->Cells(cData_Type, 1), "");
  EXPECT_EQ(R->Cells(0, 1), "1");
}

TEST_F(BACnetFormTest, HeadersStandInTheHeaderCellsAndNoHintIsShown)
{
  const char *Headers[] = {"N", "Data Type", "Eng. Unit", "Position", "Start Bit", "Length", "Swap", "Mnemonic"};
  for (TZavColumnGrid *G : {R, W})
    for (int C = 0; C < cCount; ++C)
      EXPECT_EQ(G->Cells(C, 0), Headers[C]) << C;
  EXPECT_EQ(F->Caption(), "BACnet Set Access");
  EXPECT_EQ(F->TS_BACnet_in_Read->Caption(), "BACnet in Read");
  EXPECT_EQ(F->TS_BACnet_in_Write->Caption(), "BACnet in Write");
  EXPECT_EQ(F->ClientWidth(), 764);
  EXPECT_EQ(F->ClientHeight(), 337);
  for (TZavColumnGrid *G : {R, W}) {
    EXPECT_FALSE(G->ShowHint());
    QString Hint = QStringLiteral("kept");
    if (G->OnGridHint)
      G->OnGridHint(G, 0, cEng_Unit, Hint);
    EXPECT_EQ(Hint, "kept");
    // Swap is hidden but kept; the user sees seven columns.
    EXPECT_TRUE(G->IsHiddenColumn(cSwap));
  }
  for (const bool Write : {false, true}) {
    TStringList *Items = (Write ? W : R)->Columns()->Items(cData_Type)->ComboItems();
    QStringList Listed;
    for (int I = 0; I < Items->Count(); ++I)
      Listed << Items->Strings(I);
    EXPECT_EQ(Listed, BACnet_Data_Types(Write));
  }
}

TEST_F(BACnetFormTest, RowButtonsInsertEmptyRowsAskBeforeDeletingAndPasteOnlyIntoTheCopiedGrid)
{
  Valid_Row(R, 1);
  Valid_Row(R, 2);
  R->FocusCell(1, 1);
  F->Btn_InsRowClick(nullptr);
  for (int C = 1; C < cCount; ++C)
    EXPECT_EQ(R->Cells(C, 1), QString()) << C;
  EXPECT_EQ(R->Cells(cData_Type, 2), "Analog Input");

  Boxes.clear();
  Answers = {mrYes};
  F->Btn_DelRow_Click(nullptr);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, "Are you sure to delete the Row number 1");
  EXPECT_EQ(R->Cells(cData_Type, 1), "Analog Input");

  F->Btn_CopyRowClick(nullptr);
  EXPECT_TRUE(F->Do_Copy_Read());
  F->PageControl1->SetActivePageIndex(1);
  Boxes.clear();
  F->Btn_PasteRowClick(nullptr);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Text, Lang_Text(1102));
  EXPECT_EQ(W->Cells(cData_Type, 1), "");
}

TEST_F(BACnetFormTest, DataTypeChoiceInTheWriteTableFillsInTheLength)
{
  const std::pair<const char *, const char *> Cases[] = {
      {"Analog Out", "4"},    {"Analog Value", "4"},       {"Positive Integer Value", "4"}, {"Integer Value", "4"},
      {"Multi State Output", "4"}, {"Multi State Value", "4"}, {"Binary Out", "1"},         {"Binary Value", "1"},
      {"Access Door", "1"},   {"Large Analog Value", "8"}, {"Something Else", "kept"}};
  for (const auto &[Type, Length] : Cases) {
    W->SetCells(cLength, 4, QStringLiteral("kept"));
    ASSERT_TRUE(W->OnComboChange);
    W->OnComboChange(W, cData_Type, 4, 0, QString::fromLatin1(Type));
    EXPECT_EQ(W->Cells(cLength, 4), Length) << Type;
  }
  // Other columns, and the read table, fill in nothing.
  W->SetCells(cLength, 4, QStringLiteral("kept"));
  W->OnComboChange(W, cStart_Bit, 4, 0, QStringLiteral("Binary Out"));
  EXPECT_EQ(W->Cells(cLength, 4), "kept");
  R->SetCells(cLength, 4, QStringLiteral("kept"));
  if (R->OnComboChange)
    R->OnComboChange(R, cData_Type, 4, 0, QStringLiteral("Large Analog Value"));
  EXPECT_EQ(R->Cells(cLength, 4), "kept");
}

// The unit picker opened by a double-click, the dialog answered by a script.
class BACnetPickerTest : public BACnetFormTest {
protected:
  void SetUp() override
  {
    BACnetFormTest::SetUp();
    Picker = std::make_unique<TFBACnet_Eng_Unit>(nullptr);
    Picker->AfterConstruction();
    FBACnet_Eng_Unit = Picker.get();
  }
  void TearDown() override
  {
    FBACnet_Eng_Unit = nullptr;
    BACnetFormTest::TearDown();
  }
  // Double-clicks (ARow, ACol) of G; Action answers the picker. Returns what the picker showed
  // ("" when it did not open).
  QString Double_Click(TZavColumnGrid *G, int ARow, int ACol, std::function<void(TFBACnet_Eng_Unit *)> Action)
  {
    QString Seen;
    TUIScript ui;
    ui.OnForm([&](TCustomForm *) {
      Seen = Picker->E_Selected_EU->Text() + "|" + Picker->Label5->Caption();
      Action(Picker.get());
    });
    if (!G->OnDblClickCell) {
      ADD_FAILURE() << "no double-click handler";
      return Seen;
    }
    G->OnDblClickCell(G, ARow, ACol);
    return Seen;
  }
  std::unique_ptr<TFBACnet_Eng_Unit> Picker;
};

TEST_F(BACnetPickerTest, DoubleClickOnAnEngUnitCellPutsTheChosenCodeInIt)
{
  auto Choose = [](const char *Category, const char *Unit) {
    return [=](TFBACnet_Eng_Unit *P) {
      P->CB_Select_Type->SetItemIndex(P->CB_Select_Type->Items()->IndexOf(QString::fromLatin1(Category)));
      P->CB_Select_TypeSelect(P->CB_Select_Type);
      P->CB_Select_Unit->SetItemIndex(P->CB_Select_Unit->Items()->IndexOf(QString::fromLatin1(Unit)));
      P->Btn_Select_Eng_UnitClick(nullptr);
      P->SetModalResult(mrOk);
    };
  };
  for (TZavColumnGrid *G : {R, W}) {
    G->SetCells(cEng_Unit, 3, QStringLiteral("62"));
    EXPECT_EQ(Double_Click(G, 3, cEng_Unit, Choose("Temperature", "degrees-Fahrenheit")), "62|-> degrees-Celsius");
    EXPECT_EQ(G->Cells(cEng_Unit, 3), "64");
    // Cancel leaves the cell.
    EXPECT_EQ(Double_Click(G, 3, cEng_Unit,
                           [](TFBACnet_Eng_Unit *P) {
                             P->E_Selected_EU->SetText(QStringLiteral("1"));
                             P->SetModalResult(mrCancel);
                           }),
              "64|-> degrees-Fahrenheit");
    EXPECT_EQ(G->Cells(cEng_Unit, 3), "64");
  }
  // A cell that is no code: "unknown", and OK hands the text back as it is.
  R->SetCells(cEng_Unit, 5, QStringLiteral("abc"));
  EXPECT_EQ(Double_Click(R, 5, cEng_Unit, [](TFBACnet_Eng_Unit *P) { P->SetModalResult(mrOk); }), "abc|-> unknown");
  EXPECT_EQ(R->Cells(cEng_Unit, 5), "abc");
  // Not on the header, nor on another column.
  EXPECT_EQ(Double_Click(R, 0, cEng_Unit, Choose("Area", "square-feet")), "");
  EXPECT_EQ(Double_Click(R, 5, cMnemonic, Choose("Area", "square-feet")), "");
  EXPECT_EQ(R->Cells(cEng_Unit, 5), "abc");
}

TEST_F(BACnetPickerTest, HeaderDoubleClickAutoSizesOnlyWithTheOption)
{
  R->SetCells(cEng_Unit, 1, QStringLiteral("a rather long unit text in the column"));
  const int Width = R->ColWidths(cEng_Unit);
  AppState().Opt_Double_Click_Auto_Size = false;
  Double_Click(R, 0, cEng_Unit, [](TFBACnet_Eng_Unit *) {});
  EXPECT_EQ(R->ColWidths(cEng_Unit), Width);
  AppState().Opt_Double_Click_Auto_Size = true;
  EXPECT_EQ(Double_Click(R, 0, cEng_Unit, [](TFBACnet_Eng_Unit *) {}), "");
  EXPECT_GT(R->ColWidths(cEng_Unit), Width);
}

}  // namespace
