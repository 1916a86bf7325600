// The MQTT topic tables on the main road: topics typed into both grids, templates written in
// the template editor, OK, then "Update Device"; bank 3 carries exactly those topics.
#include "project/table_rows.h"
#include "tables/fmqtt_set_topic.h"
#include "tables/ftopic_template.h"
#include "tests/app/table_forms_support.h"
#include "ui/lbbutton.h"

using namespace shelltest;
using namespace mqttcols;

namespace {

// A double-click on the cell of row 1 opens the template editor.
void Edit_Template(TZavColumnGrid *Grid, int Col)
{
  const TPoint P = TableFormsEndToEnd::Cell_Point(Grid, Col, 1);
  SimDblClick(Grid, P.X, P.Y);
  SimProcess();
}

// Little-endian bytes of an MQTT string entry: address, length, address.
void MQTT_String(TLEBytes &B, uint32_t Address, uint32_t Length) { B.U32(Address).U32(Length).U32(Address); }
void Text(TLEBytes &B, const QByteArray &T) { B.Bytes.append(T).append('\0'); }

TEST_F(TableFormsEndToEnd, MQTTTopicsTypedIntoTheFormReachBank3)
{
  Start_New_Project("Plant MQTT");
  TFMQTT_Set_Topic *F = FMQTT_Set_Topic;
  QStringList Template_Lines;
  QString Template_Title;
  Modal_Actions["FTopicTemplate"] = [&](TCustomForm *) {
    SimProcess();
    Template_Title = FTopicTemplate->Caption();
    for (int I = 0; I < Template_Lines.size(); ++I) {
      if (I > 0)
        SimKey(FTopicTemplate->RE_TopicTemplate, VK_RETURN);
      SimType(FTopicTemplate->RE_TopicTemplate, Template_Lines[I]);
      SimProcess();
    }
    Click(FTopicTemplate->Btn_OK);
  };
  Modal_Actions["FMQTT_Set_Topic"] = [&](TCustomForm *) {
    SimProcess();
    TZavColumnGrid *P = F->ACG_Pub;
    // OK with a topic begun: the first fault is shown and the form stays open.
    Enter_Cell(P, cTopic, "plant/temp");
    Click(F->Btn_OK);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Error row 1!! [MQTT Publish] Data Type must be selected");
    EXPECT_EQ(F->ModalResult(), mrNone);
    Boxes.clear();

    Click_Cell(P, cRetained, 1);
    Enter_Cell(P, cQoS, "1");
    Enter_Cell(P, cData_Type, "Float");
    Enter_Cell(P, cDimension, "4");
    Enter_Cell(P, cPosition, "10");
    Template_Lines = {"{", "\"t\":$VALUE$", "}"};
    Edit_Template(P, cPub_Template);
    EXPECT_EQ(Template_Title, "Set Template");
    EXPECT_EQ(P->Cells(cPub_Template, 1), "{\r\n\"t\":$VALUE$\r\n}");
    Click_Cell(P, cOn_Change, 1);
    Click_Cell(P, cOn_Timer, 1);
    Enter_Cell(P, cTime, "500");
    // The mnemonic lies beyond the right edge: the arrow key brings it in.
    SimKey(P, VK_RIGHT);
    SimProcess();
    ASSERT_EQ(P->GetRealCol(), int(cPub_Mnemonic));
    SimType(P, QStringLiteral("Temperature"));
    SimKey(P, VK_RETURN);
    SimProcess();
    const struct {
      int Col;
      const char *Text;
    } Pub_Row[] = {{cTopic, "plant/temp"}, {cRetained, "Y"}, {cQoS, "1"}, {cData_Type, "Float"}, {cDimension, "4"},
                   {cPosition, "10"}, {cOn_Change, "Y"}, {cOn_Timer, "Y"}, {cTime, "500"},
                   {cPub_Mnemonic, "Temperature"}};
    for (const auto &C : Pub_Row) EXPECT_EQ(P->Cells(C.Col, 1).toStdString(), C.Text) << C.Col;

    Click_Tab(F->PageControl1, 1);
    ASSERT_EQ(F->PageControl1->ActivePage(), F->TS_MQTT_Subscribe);
    TZavColumnGrid *S = F->ACG_Sub;
    Enter_Cell(S, cTopic, "plant/cmd/#");
    Enter_Cell(S, cQoS, "2");
    Enter_Cell(S, cData_Type, "Int");
    Enter_Cell(S, cDimension, "2");
    Enter_Cell(S, cPosition, "20");
    Template_Lines = {"A", "$VALUE$"};
    Edit_Template(S, cSub_Template);
    Enter_Cell(S, cSub_Mnemonic, "Command");
    EXPECT_EQ(S->Cells(cSub_Template, 1), "A\r\n$VALUE$");
    EXPECT_EQ(S->Cells(cTopic, 1), "plant/cmd/#");
    Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrOk);
  };
  Click(FQuillomarkeFirmWare->Btn_MQTT_Set_Topic);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Project + "/MQTT_Set_Topic.xml"));

  Update_Device();
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();

  // Bank 3: a 212-byte header, the shared empty text, the connection texts of the
  // communication settings, then the subscribe tables and the publish table with their texts.
  constexpr uint32_t A = 0xA0000;  // bank 3's load address
  constexpr uint32_t Empty = A + 212;
  uint32_t P0 = 213;
  {
    TXMLDocument Doc(nullptr);
    const TTableFile ParGen(Doc, Project + "/ParGen.xml");
    for (const char *Name : {"MQTT_Server_URL", "MQTT_Client_ID", "MQTT_Will_Topic_Name", "MQTT_Will_Message",
                             "MQTT_Username", "MQTT_Password", "TLS_Server_Auth_Certificate",
                             "TLS_Client_Auth_Certificate", "TLS_Client_Auth_Key", "TLS_Client_Auth_Key_Password",
                             "NTP_Server_URL"}) {
      QString T;
      ParGen.Child_Text(Name, T);
      if (!T.isEmpty())
        P0 += uint32_t(T.toUtf8().size()) + 1;
    }
  }
  TLEBytes Header;  // from offset 97: filter count and tables, publish count and table
  Header.U32(1).U32(A + P0).U32(A + P0 + 24).U32(A + P0 + 28).U32(1).U32(A + P0 + 66);
  TLEBytes Tables;
  MQTT_String(Tables, A + P0 + 12, 11);
  Text(Tables, "plant/cmd/#");
  Tables.U32(2);  // QoS
  // subscribe: position, length, type Int, input template, output template, IP, port, protocol
  Tables.U32(20).U32(2).U32(1).U32(A + P0 + 55).U32(Empty).U32(0).U16(0).U8(0);
  Text(Tables, "A\r\n$VALUE$");  // the subscribe template keeps its line break
  // publish: description, topic, retained, QoS, input and output template, source IP,
  // position, length, type Float, timer, options (on change 1 + on timer 4)
  Tables.U32(A + P0 + 115);
  MQTT_String(Tables, A + P0 + 127, 10);
  Tables.U8(1).U32(1).U32(Empty).U32(A + P0 + 138).U32(0).U32(10).U16(4).U16(2).U32(500).U32(5);
  Text(Tables, "Temperature");
  Text(Tables, "plant/temp");
  Text(Tables, "{\"t\":$VALUE$}");  // a published template goes without line breaks
  ASSERT_EQ(Tables.Bytes.size(), 152);

  const QByteArray Bank3 = Bank(3);
  ASSERT_EQ(Bank3.size(), int(P0) + 152);
  EXPECT_EQ(Bank3.mid(97, 24).toHex(' '), Header.Bytes.toHex(' '));
  EXPECT_EQ(Bank3.mid(int(P0)).toHex(' '), Tables.Bytes.toHex(' '));
}

}  // namespace
