// The MQTT topic form: the checks of both tables (type and dimension matrix, templates, the
// OnTimer gate, hidden columns skipped), the file with its hidden and unsaved columns, and the
// template editor reached by a double-click.
#include "tables/fmqtt_set_topic.h"

#include "framework/services/xmldoc.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/testing/ui_script.h"
#include "grid/core/column_grid.h"
#include "project/table_rows.h"
#include "tables/ftopic_template.h"
#include "tests/tables/tables_fixture.h"

#include <map>

using namespace tablestest;
using namespace mqttcols;

namespace {

class MQTTFormTest : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().File_MQTT_Set_Topic = Dir.path() + QStringLiteral("/MQTT_Set_Topic.xml");
    F = std::make_unique<TFMQTT_Set_Topic>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
  }
  QString Path() const { return AppState().File_MQTT_Set_Topic; }
  // A row that passes every check.
  void Valid_Row(TZavStringGrid *G, int Row)
  {
    G->SetCells(cTopic, Row, QStringLiteral("plant/t%1").arg(Row));
    G->SetCells(cQoS, Row, QStringLiteral("1"));
    G->SetCells(cData_Type, Row, QStringLiteral("Int"));
    G->SetCells(cDimension, Row, QStringLiteral("2"));
    G->SetCells(cPosition, Row, QStringLiteral("0"));
    G->SetCells(G == F->ACG_Pub ? int(cPub_Mnemonic) : int(cSub_Mnemonic), Row, QStringLiteral("m"));
  }
  // The error box of one check, or "" when the tables pass.
  QString Check()
  {
    Boxes.clear();
    const bool Ok = F->Controllo_dati();
    EXPECT_EQ(Ok, Boxes.empty());
    return Boxes.empty() ? QString() : Boxes.back().Text;
  }
  std::unique_ptr<TFMQTT_Set_Topic> F;
};

TEST_F(MQTTFormTest, ChecksOfEachTableInOrderWithTheFirstFailureReported)
{
  const QString Pub = QStringLiteral("Error row 1!! [MQTT Publish] ");
  const QString Sub = QStringLiteral("Error row 1!! [MQTT Subscribe] ");
  const struct {
    bool Subscribe;
    std::map<int, const char *> Cells;
    QString Expected;
  } Cases[] = {
      {false, {}, ""},
      {false, {{cData_Type, ""}, {cDimension, "3"}}, Pub + "Data Type must be selected"},
      {false, {{cData_Type, " "}}, Pub + "Data Type must be selected"},
      {false, {{cDimension, "3"}}, Pub + "Dimension must be equal to 1 or 2 or 4 or 8"},
      {false, {{cData_Type, " int "}, {cDimension, "3"}}, Pub + "Dimension must be equal to 1 or 2 or 4 or 8"},
      {false, {{cDimension, "8"}}, ""},
      {false, {{cData_Type, "Float"}, {cDimension, "2"}}, Pub + "Dimension must be equal to 4 or 8"},
      {false, {{cData_Type, "Float"}, {cDimension, "$4"}}, ""},
      {false, {{cData_Type, "String"}, {cDimension, "0"}}, Pub + "Dimension must be major of 0"},
      {false, {{cData_Type, "Base64"}, {cDimension, ""}}, Pub + "Dimension must be major of 0"},
      {false, {{cData_Type, "String"}, {cDimension, "300"}}, ""},
      {false, {{cPosition, ""}}, Pub + "Position must be beetween 0 and 1499"},
      {false, {{cPosition, "1500"}}, Pub + "Position must be beetween 0 and 1499"},
      {false, {{cPosition, "5 "}}, Pub + "Position must be beetween 0 and 1499"},
      {false, {{cPosition, " 1499"}}, ""},
      {false, {{cPub_Template, "$VALUE"}}, Pub + "Template not Correct, Check the Keywords"},
      {false, {{cPub_Template, "{\"a\":$A$,\r\n\"b\":$B}"}}, Pub + "Template not Correct, Check the Keywords"},
      {false, {{cPub_Template, "{\"v\":$VALUE$}"}}, ""},
      {false, {{cOn_Timer, "Y"}, {cTime, "0"}}, Pub + "Time(ms) must be between 1 and 1000000000"},
      {false, {{cOn_Timer, " y"}, {cTime, "1000000001"}}, Pub + "Time(ms) must be between 1 and 1000000000"},
      {false, {{cOn_Timer, "Y"}, {cTime, "1000000000"}}, ""},
      {false, {{cOn_Timer, "N"}, {cTime, "0"}}, ""},
      {false, {{cOn_Timer, ""}, {cTime, "abc"}}, ""},
      // Hidden columns are not checked, whatever they hold.
      {false, {{cIP_Address, "300.1.1.1"}, {cPub_Input_Template, "$"}, {cChannel, "x"}}, ""},
      {true, {}, ""},
      {true, {{cData_Type, ""}}, Sub + "Data Type must be selected"},
      {true, {{cDimension, "16"}}, Sub + "Dimension must be equal to 1 or 2 or 4 or 8"},
      {true, {{cData_Type, "FLOAT"}, {cDimension, "1"}}, Sub + "Dimension must be equal to 4 or 8"},
      {true, {{cData_Type, "String"}, {cDimension, "-1"}}, Sub + "Dimension must be major of 0"},
      {true, {{cPosition, "-1"}}, Sub + "Position must be beetween 0 and 1499"},
      {true, {{cSub_Template, "$a$$"}}, Sub + "Template not Correct, Check the Keywords"},
      {true, {{cIP_Address, "x"}, {cPort, "70000"}, {cSub_Input_Template, "$"}, {cRetained, "?"}}, ""},
  };
  for (const auto &C : Cases) {
    F->FormShow(nullptr);
    Valid_Row(F->ACG_Pub, 1);
    Valid_Row(F->ACG_Sub, 1);
    TZavStringGrid *G = C.Subscribe ? F->ACG_Sub : F->ACG_Pub;
    QString Cells;
    for (const auto &[Col, Text] : C.Cells) {
      G->SetCells(Col, 1, QString::fromUtf8(Text));
      Cells += QStringLiteral("%1=%2 ").arg(Col).arg(Text);
    }
    EXPECT_EQ(Check(), C.Expected) << (C.Subscribe ? "sub " : "pub ") << Cells.toStdString();
  }
}

TEST_F(MQTTFormTest, RowsAreCheckedUpToTheFirstBlankTopicInBothTables)
{
  Valid_Row(F->ACG_Pub, 1);
  Valid_Row(F->ACG_Pub, 2);
  F->ACG_Pub->SetCells(cPosition, 2, QStringLiteral("x"));
  EXPECT_EQ(Check(), "Error row 2!! [MQTT Publish] Position must be beetween 0 and 1499");
  F->ACG_Pub->SetCells(cTopic, 2, QStringLiteral("  "));
  EXPECT_EQ(Check(), "");
  // The subscribe table is checked after a passing publish table.
  F->ACG_Sub->SetCells(cTopic, 1, QStringLiteral("in"));
  EXPECT_EQ(Check(), "Error row 1!! [MQTT Subscribe] Data Type must be selected");
}

TEST_F(MQTTFormTest, EveryShowingHidesTheSameColumnsAndSkipsTheirChecks)
{
  const std::vector<int> Pub_Hidden = {cIP_Address, cPub_Input_Template, cOn_CMD, cChannel, cPub_Swap, cPub_Swap_Word};
  const std::vector<int> Sub_Hidden = {cRetained, cIP_Address, cPort, cEth_Type, cSub_Input_Template, cSub_Swap,
                                       cSub_Swap_Word};
  F->ACG_Pub->UnHideColumnsAll();
  F->ACG_Sub->HideColumn(cTopic);
  F->ACG_Pub->SetRowCount(3);
  F->FormShow(nullptr);
  for (auto [G, Hidden, Count] : {std::tuple{F->ACG_Pub, Pub_Hidden, int(cPub_Count)},
                                  std::tuple{F->ACG_Sub, Sub_Hidden, int(cSub_Count)}}) {
    EXPECT_EQ(G->RowCount(), 1025);
    for (int C = 0; C < Count; ++C)
      EXPECT_EQ(G->IsHiddenColumn(C), std::find(Hidden.begin(), Hidden.end(), C) != Hidden.end()) << C;
  }
  EXPECT_TRUE(F->TS_MQTT_Subscribe->TabVisible());
  EXPECT_EQ(F->PageControl1->ActivePage(), F->TS_MQTT_Publish);
  EXPECT_EQ(F->Byte_IN(), 1500);
  EXPECT_EQ(F->Byte_OUT(), 1500);

  // What a hidden column holds is checked once the column shows.
  Valid_Row(F->ACG_Sub, 1);
  F->ACG_Sub->SetCells(cPort, 1, QStringLiteral("65536"));
  F->ACG_Sub->SetCells(cIP_Address, 1, QStringLiteral("192.168.2.167"));
  EXPECT_EQ(Check(), "");
  F->ACG_Sub->UnHideColumn(cPort);
  F->ACG_Sub->UnHideColumn(cIP_Address);
  EXPECT_EQ(Check(), "Error row 1!! [MQTT Subscribe] Port must be between 0 and 65535");
  F->ACG_Sub->SetCells(cIP_Address, 1, QStringLiteral(" 192.168.2.300 "));
  EXPECT_EQ(Check(), "Error row 1!! [MQTT Subscribe] IP Address must be a Valid IP Address (Ex. 192.168.2.167)");
  // Hiding "Data Type" takes the dimension checks with it.
  F->ACG_Sub->SetCells(cIP_Address, 1, QStringLiteral(" 192.168.2.3 "));
  F->ACG_Sub->SetCells(cPort, 1, QStringLiteral("502"));
  F->ACG_Sub->SetCells(cData_Type, 1, QString());
  F->ACG_Sub->SetCells(cDimension, 1, QStringLiteral("0"));
  F->ACG_Sub->HideColumn(cData_Type);
  EXPECT_EQ(Check(), "");
}

TEST_F(MQTTFormTest, FileKeepsHiddenColumnsAndMultiLineTemplatesAndLeavesOutTheUnsaved)
{
  TZavStringGrid *P = F->ACG_Pub;
  TZavStringGrid *S = F->ACG_Sub;
  Valid_Row(P, 1);
  P->SetCells(cRetained, 1, QStringLiteral("Y"));
  P->SetCells(cIP_Address, 1, QStringLiteral("not an address"));  // hidden: saved as it is
  P->SetCells(cPub_Template, 1, QStringLiteral("{\r\n\t\"v\": $VALUE$\r\n}"));
  P->SetCells(cOn_Timer, 1, QStringLiteral("Y"));
  P->SetCells(cTime, 1, QStringLiteral("1000"));
  P->SetCells(cOn_CMD, 1, QStringLiteral("Y"));
  P->SetCells(cChannel, 1, QStringLiteral("All"));
  P->SetCells(cPub_Swap, 1, QStringLiteral("Y"));
  P->SetCells(cPub_Mnemonic, 1, QStringLiteral(" temp "));
  Valid_Row(S, 1);
  S->SetCells(cSub_Template, 1, QStringLiteral("a\r\nb"));
  S->SetCells(cSub_Swap_Word, 1, QStringLiteral("Y"));
  F->Btn_OKClick(nullptr);
  ASSERT_EQ(F->ModalResult(), mrOk) << Box_Texts().join("|").toStdString();

  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<MQTT_Set_Topic><MQTT_Publish>"
                       "<row Topic=\"plant/t1\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\" Position=\"0\" "
                       "IPAddress=\"not an address\" InputTemplate=\"\" "
                       "Template=\"{&#13;&#10;&#09;&quot;v&quot;: $VALUE$&#13;&#10;}\" OnChange=\"\" OnTimer=\"Y\" "
                       "Time=\"1000\" Mnemonic=\" temp \"/>"
                       "</MQTT_Publish><MQTT_Subscribe>"
                       "<row Topic=\"plant/t1\" Retained=\"\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\" Position=\"0\" "
                       "IPAddress=\"\" Port=\"\" EthType=\"\" InputTemplate=\"\" Template=\"a&#13;&#10;b\" Mnemonic=\"m\"/>"
                       "</MQTT_Subscribe></MQTT_Set_Topic><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(Path()).toStdString();

  // The bank builder's reader gets the template's CR LF back.
  TXMLDocument Doc(nullptr);
  const TTableFile File(Doc, Path());
  EXPECT_EQ((*File.Section("MQTT_Subscribe").begin()).Text("Template"), "a\r\nb");

  F->FormShow(nullptr);
  EXPECT_EQ(P->Cells(cPub_Template, 1), "{\r\n\t\"v\": $VALUE$\r\n}");
  EXPECT_EQ(P->Cells(cIP_Address, 1), "not an address");
  EXPECT_EQ(P->Cells(cPub_Mnemonic, 1), " temp ");
  EXPECT_EQ(P->Cells(cOn_CMD, 1), "");
  EXPECT_EQ(P->Cells(cChannel, 1), "");
  EXPECT_EQ(P->Cells(cPub_Swap, 1), "N");
  EXPECT_EQ(P->Cells(cPub_Swap_Word, 1), "N");
  EXPECT_EQ(S->Cells(cSub_Template, 1), "a\r\nb");
  EXPECT_EQ(S->Cells(cSub_Swap_Word, 1), "N");
  EXPECT_EQ(P->Cells(cPub_Swap, 2), "");  // rows not in the file keep the reset
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(MQTTFormTest, LoadGivesDefaultsAndStopsAtARowWithoutARequiredAttribute)
{
  testsupport::WriteBytes(Path(), QByteArray("<MQTT_Set_Topic><MQTT_Publish>"
                                             "<row Topic=\"a\" Retained=\"N\" QoS=\"0\" Mnemonic=\"x\"/>"
                                             "<row Topic=\"b\" Retained=\"N\" QoS=\"0\"/>"
                                             "<row Topic=\"c\" Retained=\"N\" QoS=\"0\" Mnemonic=\"z\"/>"
                                             "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>"));
  F->FormShow(nullptr);
  TZavStringGrid *P = F->ACG_Pub;
  EXPECT_EQ(P->Cells(cOn_Change, 1), "N");
  EXPECT_EQ(P->Cells(cOn_Timer, 1), "N");
  EXPECT_EQ(P->Cells(cPub_Template, 1), "");
  EXPECT_EQ(P->Cells(cData_Type, 1), "");
  EXPECT_EQ(P->Cells(cTopic, 3), "");  // the load ended at row 2
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtError);
  EXPECT_TRUE(Boxes[0].Text.contains("Mnemonic")) << Boxes[0].Text.toStdString();
  EXPECT_FALSE(F->Load_Complete());
}

TEST_F(MQTTFormTest, RowButtonsWorkOnTheShownTableWithoutEnablingNewRows)
{
  Valid_Row(F->ACG_Pub, 1);
  Valid_Row(F->ACG_Sub, 1);
  F->PageControl1->SetActivePage(F->TS_MQTT_Subscribe);
  F->ACG_Sub->SetRowEx(1);
  F->Btn_InsRowClick(nullptr);
  for (int C = 1; C < cSub_Count; ++C)
    EXPECT_EQ(F->ACG_Sub->Cells(C, 1), "") << C;
  EXPECT_EQ(F->ACG_Sub->Cells(cTopic, 2), "plant/t1");
  EXPECT_EQ(F->ACG_Pub->Cells(cTopic, 1), "plant/t1");
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList{"Are you sure to delete the Row number 1"});
  EXPECT_EQ(F->ACG_Sub->Cells(cTopic, 1), "plant/t1");
  // A click in column 0 selects nothing here.
  F->ACG_Sub->SetRowEx(3);
  F->ClickCell(F->ACG_Sub, 1, 0);
  EXPECT_EQ(F->ACG_Sub->GetRowEx(), 3);
}

TEST_F(MQTTFormTest, HeaderHintsFollowTheRealColumnPastHiddenOnes)
{
  ASSERT_EQ(F->Hint_MQTT_Set_Topic_Pub()->Count(), 17);
  ASSERT_EQ(F->Hint_MQTT_Set_Topic_Sub()->Count(), 14);
  const struct {
    TZavColumnGrid *Grid;
    int Col;
    const char *Header, *Hint;
  } Cases[] = {
      {F->ACG_Pub, cPub_Template, "Template", "Insert the Template"},
      {F->ACG_Pub, cOn_Timer, "OnTimer", "Enable/Disabel the Possibility to Publish the Data at Timer"},
      {F->ACG_Pub, cPub_Mnemonic, "Mnemonic", "Description of MQTT Topic"},
      {F->ACG_Sub, cQoS, "QoS", "Select the QoS value"},
      {F->ACG_Sub, cSub_Template, "Template", "Insert the Template"},
  };
  for (const auto &C : Cases) {
    EXPECT_EQ(C.Grid->Columns()->Items(C.Col)->Header(), C.Header);
    QString Hint = QStringLiteral("grid's own");
    F->GridHint(C.Grid, 0, C.Grid->RealToDisplCol(C.Col), Hint);
    EXPECT_EQ(Hint, C.Hint) << C.Col;
    Hint = QStringLiteral("grid's own");
    F->GridHint(C.Grid, 1, C.Grid->RealToDisplCol(C.Col), Hint);
    EXPECT_EQ(Hint, "grid's own");
  }
  EXPECT_EQ(F->TS_MQTT_Publish->Caption(), "MQTT Publish");
  EXPECT_EQ(F->TS_MQTT_Subscribe->Caption(), "MQTT Subscribe");
  EXPECT_EQ(F->Caption(), "Set MQTT Topics");
}

class MQTTTemplateEditing : public MQTTFormTest {
protected:
  void SetUp() override
  {
    MQTTFormTest::SetUp();
    FTopicTemplate = new TFTopicTemplate(nullptr);
    FTopicTemplate->AfterConstruction();
  }
  void TearDown() override
  {
    TFTopicTemplate *T = FTopicTemplate;
    FTopicTemplate = nullptr;
    T->BeforeDestruction();
    delete T;
    MQTTFormTest::TearDown();
  }
  // Double-clicks cell (ACol, ARow) of G with its current cell at (Col, Row); the editor is
  // answered by Action. Returns what the editor was shown with ("" when it was not shown).
  QString Double_Click(TZavColumnGrid *G, int Col, int Row, int ACol, int ARow,
                       std::function<void(TFTopicTemplate *)> Action)
  {
    G->FocusCell(G->RealToDisplCol(Col), Row);
    QString Seen;
    TUIScript ui;
    ui.OnForm([&](TCustomForm *) {
      Seen = QStringLiteral("%1|%2|%3").arg(FTopicTemplate->Caption(), FTopicTemplate->L_SW_Desc->Caption(),
                                            FTopicTemplate->RE_TopicTemplate->Text());
      Action(FTopicTemplate);
    });
    F->DblClickCell(G, ARow, ACol);
    return Seen;
  }
};

TEST_F(MQTTTemplateEditing, OkWritesTheEditedLinesIntoTheCurrentTemplateCellAndCancelLeavesIt)
{
  TZavColumnGrid *P = F->ACG_Pub;
  P->SetCells(cPub_Template, 2, QStringLiteral("$VALUE$"));
  auto Type_And_Ok = [](TFTopicTemplate *T) {
    T->RE_TopicTemplate->SetText(T->RE_TopicTemplate->Text() + QStringLiteral("\r\n{}"));
    T->SetModalResult(mrOk);
  };
  EXPECT_EQ(Double_Click(P, cPub_Template, 2, cPub_Template, 2, Type_And_Ok), "Set Template|Set Template|$VALUE$");
  EXPECT_EQ(P->Cells(cPub_Template, 2), "$VALUE$\r\n{}");

  EXPECT_EQ(FTopicTemplate->TopicTemplate, 1);
  Double_Click(P, cPub_Template, 2, cPub_Template, 2, [](TFTopicTemplate *T) {
    T->RE_TopicTemplate->SetText(QStringLiteral("changed"));
    T->SetModalResult(mrCancel);
  });
  EXPECT_EQ(P->Cells(cPub_Template, 2), "$VALUE$\r\n{}");

  // The current cell decides: a double-click on the header of the template column edits the
  // current row's template; a current cell elsewhere opens nothing.
  TZavColumnGrid *S = F->ACG_Sub;
  S->SetCells(cSub_Template, 3, QStringLiteral("x"));
  EXPECT_EQ(Double_Click(S, cSub_Template, 3, cSub_Template, 0,
                         [](TFTopicTemplate *T) {
                           T->RE_TopicTemplate->Clear();
                           T->SetModalResult(mrOk);
                         }),
            "Set Template|Set Template|x");
  EXPECT_EQ(S->Cells(cSub_Template, 3), "");
  EXPECT_EQ(Double_Click(S, cTopic, 3, cSub_Template, 3, Type_And_Ok), "");
  EXPECT_EQ(Double_Click(P, cOn_Change, 1, cPub_Template, 1, Type_And_Ok), "");
  EXPECT_EQ(S->Cells(cTopic, 3), "");
}

}  // namespace
