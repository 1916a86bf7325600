// The communication settings dialog, driven through its controls.
#include <gtest/gtest.h>

#include "app/fpargen.h"
#include "ui/lbbutton.h"
#include "framework/services/xmldoc.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/paths.h"
#include "framework/testing/input.h"
#include "framework/testing/ui_script.h"
#include "project/app_state.h"
#include "project/lang_texts.h"
#include "tests/support/test_support.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

namespace {

QByteArray Read_Bytes(const QString &Path)
{
  QFile f(Path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write_Bytes(const QString &Path, const QByteArray &Data)
{
  QFile f(Path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(Data);
}

class ParGenForm : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Dir.isValid());
    SetExeNameOverride(Dir.filePath("quillomark"));
    AppState().Reset();
    AppState().App_Dir = Dir.path();
    AppState().Projects_Dir = Dir.filePath("PROJECTS");
    AppState().Project_Name = "Plant";
    AppState().Project_Dir = AppState().Projects_Dir + "/Plant";
    AppState().File_ParGen = AppState().Project_Dir + "/ParGen.xml";
    AppState().Software_Code = "QC40328";
    ASSERT_TRUE(QDir().mkpath(AppState().Project_Dir));
    Load_Default_Texts();
    F = new TFParGen(nullptr);
    F->AfterConstruction();
  }

  void TearDown() override
  {
    F->BeforeDestruction();
    delete F;
    SetExeNameOverride(QString());
    AppState().Reset();
  }

  QString File() const { return AppState().File_ParGen; }

  // Shows the dialog modally, runs Action on it while it is shown, and answers the result.
  int Show(TUIScript &Ui, std::function<void()> Action)
  {
    Ui.OnForm([Action](TCustomForm *) {
      SimProcess();
      Action();
      SimProcess();
    });
    return F->ShowModal();
  }

  QStringList Saved() const
  {
    TXMLDocument doc;
    doc.LoadFromFile(File());
    QStringList names;
    for (IXMLNode n = doc.DocumentElement().ChildNodes().First(); !n.IsNull(); n = n.NextSibling())
      names << n.NodeName() + "=" + n.Text();
    return names;
  }

  QTemporaryDir Dir;
  TFParGen *F = nullptr;
};

}  // namespace

TEST_F(ParGenForm, ANewProjectShowsTheDefaultsAndCancelWritesNothing)
{
  TUIScript ui;
  QStringList shown;
  bool checks = true;
  const int result = Show(ui, [&] {
    for (TEdit *e : {F->E_S7_Protocol_IP1, F->E_S7_Protocol_IP2, F->E_S7_Protocol_IP3, F->E_S7_Protocol_IP4,
                     F->E_S7_Protocol_SM1, F->E_S7_Protocol_SM4, F->E_S7_Protocol_GAT1, F->E_S7_Protocol_GAT4,
                     F->E_MQTT_Server_Port, F->E_Ethernet_IP4, F->E_Ethernet_SM3, F->E_Ethernet_GAT4,
                     F->E_Ethernet_DNS1, F->E_NTP_Poll_Time})
      shown << e->Text();
    for (TCheckBox *c : {F->CB_S7_Protocol_En_GAT, F->CB_MQTT_Clean_Session, F->CB_MQTT_WillFlag,
                         F->CB_MQTT_Will_Retained, F->CB_Ethernet_En_GAT, F->CB_Ethernet_DNS, F->CB_TLS_Enable,
                         F->CB_TLS_En_Server_Auth, F->CB_TLS_En_Client_Auth})
      checks = checks && !c->Checked();
    SimClick(F->Btn_Cancel, 10, 10);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(shown, (QStringList{"192", "168", "0", "5", "255", "0", "192", "1", "1883", "10", "255", "1", "8",
                                "1000"}));
  EXPECT_TRUE(checks);
  EXPECT_EQ(F->CB_MQTT_Will_QoS->ItemIndex(), 0);
  EXPECT_FALSE(FileExists(File()));
  EXPECT_EQ(ui.Messages(), QStringList());
}

TEST_F(ParGenForm, OkAtOnceWritesTheFiftyThreeElementsAfterTheRootAndComment)
{
  TUIScript ui;
  EXPECT_EQ(Show(ui, [&] { SimClick(F->Btn_OK, 10, 10); }), mrOk);
  EXPECT_EQ(ui.Messages(), QStringList());

  const QByteArray bytes = Read_Bytes(File());
  EXPECT_TRUE(bytes.startsWith("<Par_Gen")) << bytes.left(40).constData();
  TXMLDocument doc;
  doc.LoadFromFile(File());
  ASSERT_EQ(doc.ChildNodes().Count(), 2);
  EXPECT_EQ(doc.ChildNodes()[1].NodeType(), ntComment);
  EXPECT_EQ(doc.ChildNodes()[1].Text(), "SW_VERSION = 1.000");

  QStringList want;
  const QStringList defaults = ParGen_Defaults();
  for (int i = 0; i < ParGen_Element_Count; ++i)
    want << QString::fromUtf16(ParGen_Elements[i].Name) + "=" + defaults[i];
  EXPECT_EQ(Saved(), want);
}

TEST_F(ParGenForm, OctetChecksShowTheirTextAndKeepTheDialogOpen)
{
  struct TCase {
    TEdit *TFParGen::*Box;
    const char *Text;
    TCheckBox *TFParGen::*Enable;
    int Message;  // 0: saved
  };
  const TCase cases[] = {
      {&TFParGen::E_S7_Protocol_IP2, "256", nullptr, 452},
      {&TFParGen::E_S7_Protocol_SM4, "abc", nullptr, 458},
      {&TFParGen::E_S7_Protocol_GAT1, "300", nullptr, 0},
      {&TFParGen::E_S7_Protocol_GAT1, "300", &TFParGen::CB_S7_Protocol_En_GAT, 459},
      {&TFParGen::E_Ethernet_IP1, "-1", nullptr, 687},
      {&TFParGen::E_Ethernet_SM3, "", nullptr, 693},
      {&TFParGen::E_Ethernet_GAT4, "999", &TFParGen::CB_Ethernet_En_GAT, 698},
      {&TFParGen::E_Ethernet_DNS2, "x", &TFParGen::CB_Ethernet_DNS, 700},
      {&TFParGen::E_Ethernet_DNS2, "x", nullptr, 0},
      {&TFParGen::E_NTP_Poll_Time, "", nullptr, 725},
      {&TFParGen::E_NTP_Poll_Time, "10000001", nullptr, 725},
  };
  for (const TCase &c : cases) {
    DeleteFile(File());
    TUIScript ui;
    bool open_after_ok = false;
    const int result = Show(ui, [&] {
      TEdit *box = F->*c.Box;
      box->SetFocus();  // entering a box selects its text, which the typing replaces
      SimProcess();
      if (*c.Text)
        SimType(box, QString::fromLatin1(c.Text));
      else
        SimKey(box, VK_DELETE);
      SimProcess();
      EXPECT_EQ(box->Text(), QString::fromLatin1(c.Text));
      if (c.Enable)
        SimClick(F->*c.Enable, 4, 8);
      SimClick(F->Btn_OK, 10, 10);
      open_after_ok = F->ModalResult() == mrNone;
      if (open_after_ok)
        SimClick(F->Btn_Cancel, 10, 10);
    });
    const std::string what = (F->*c.Box)->Name().toStdString() + "=" + c.Text;
    if (c.Message) {
      EXPECT_EQ(ui.Messages(), QStringList{AppState().Lang_Texts[c.Message]}) << what;
      for (const TShownDialog &d : ui.Shown())
        if (d.Kind == skMessage) {
          EXPECT_EQ(d.DlgType, mtError);
          EXPECT_EQ(d.Buttons, TMsgDlgButtons{mbOK});
        }
      EXPECT_TRUE(open_after_ok) << what;
      EXPECT_EQ(result, mrCancel) << what;
      EXPECT_FALSE(FileExists(File())) << what;
    } else {
      EXPECT_EQ(ui.Messages(), QStringList()) << what;
      EXPECT_EQ(result, mrOk) << what;
      const QString element = (F->*c.Box)->Name().mid(2);
      EXPECT_TRUE(Saved().contains(element + "=" + c.Text)) << what;
    }
  }
}

TEST_F(ParGenForm, DotMovesAlongTheAddressChainAndIsNeverTyped)
{
  struct TCase {
    TEdit *TFParGen::*From;
    TEdit *TFParGen::*To;  // nullptr: the focus stays
  };
  const TCase cases[] = {
      {&TFParGen::E_S7_Protocol_IP1, &TFParGen::E_S7_Protocol_IP2},
      {&TFParGen::E_S7_Protocol_IP4, &TFParGen::E_S7_Protocol_SM1},
      {&TFParGen::E_S7_Protocol_SM4, &TFParGen::E_S7_Protocol_GAT1},
      {&TFParGen::E_S7_Protocol_GAT4, nullptr},
      {&TFParGen::E_Ethernet_IP4, &TFParGen::E_Ethernet_SM1},
      {&TFParGen::E_Ethernet_GAT4, &TFParGen::E_Ethernet_DNS1},
      {&TFParGen::E_Ethernet_DNS4, nullptr},
  };
  TUIScript ui;
  Show(ui, [&] {
    for (const TCase &c : cases) {
      TEdit *from = F->*c.From;
      const std::string what = from->Name().toStdString();
      from->SetFocus();
      SimProcess();
      SimType(from, "1.");
      SimProcess();
      EXPECT_EQ(from->Text(), "1") << what;  // entering the box selected its text
      EXPECT_FALSE(from->Text().contains('.')) << what;
      TEdit *want = c.To ? F->*c.To : from;
      EXPECT_TRUE(want->Focused()) << what;
      if (c.To) {
        EXPECT_FALSE((F->*c.To)->Text().contains('.')) << what;
      }
    }
  });
}

TEST_F(ParGenForm, WillFlagMovesTheUsernameRowAndGrowsThePanel)
{
  TUIScript ui;
  Show(ui, [&] {
    EXPECT_EQ(F->L_MQTT_Username->Top(), 180);
    EXPECT_EQ(F->E_MQTT_Username->Top(), 177);
    EXPECT_EQ(F->L_MQTT_Password->Top(), 208);
    EXPECT_FALSE(F->E_MQTT_Will_TopicName->Visible());
    EXPECT_FALSE(F->CB_MQTT_Will_QoS->Visible());
    EXPECT_FALSE(F->E_MQTT_ASync_Send_Time->Visible());
    const int height = F->CP_MQTT->Height();
    EXPECT_EQ(height, F->E_MQTT_Password->Top() + F->E_MQTT_Password->Height() + F->CPG->HeaderHeight() + 12);

    SimClick(F->CB_MQTT_WillFlag, 4, 8);
    SimProcess();
    EXPECT_TRUE(F->CB_MQTT_WillFlag->Checked());
    EXPECT_EQ(F->L_MQTT_Username->Top(), 292);
    EXPECT_EQ(F->L_MQTT_Password->Top(), 320);
    EXPECT_EQ(F->CP_MQTT->Height(), height + 112);
    for (TControl *c : std::initializer_list<TControl *>{F->L_MQTT_Will_TopicName, F->E_MQTT_Will_TopicName,
                                                         F->E_MQTT_Will_Message, F->CB_MQTT_Will_Retained,
                                                         F->CB_MQTT_Will_QoS})
      EXPECT_TRUE(c->Visible()) << c->Name().toStdString();
    EXPECT_FALSE(F->E_MQTT_ASync_Send_Time->Visible());
    // The panels below follow the grown one.
    EXPECT_GE(F->CP_Ethernet->Top(), F->CP_MQTT->Top() + F->CP_MQTT->Height());

    SimClick(F->CB_MQTT_WillFlag, 4, 8);
    SimProcess();
    EXPECT_EQ(F->L_MQTT_Username->Top(), 180);
    EXPECT_EQ(F->CP_MQTT->Height(), height);
  });
}

TEST_F(ParGenForm, TlsFieldsFollowTheirCheckBoxes)
{
  TUIScript ui;
  Show(ui, [&] {
    EXPECT_FALSE(F->CB_TLS_En_Server_Auth->Visible());
    EXPECT_FALSE(F->CB_TLS_En_Client_Auth->Visible());
    EXPECT_EQ(F->CP_TLS->Height(), F->CB_TLS_Enable->Top() + F->CB_TLS_Enable->Height() + F->CPG->HeaderHeight() + 12);

    SimClick(F->CB_TLS_Enable, 4, 8);
    SimProcess();
    EXPECT_TRUE(F->CB_TLS_En_Server_Auth->Visible());
    EXPECT_TRUE(F->CB_TLS_En_Client_Auth->Visible());
    EXPECT_FALSE(F->E_TLS_Server_Cert->Visible());
    SimClick(F->CB_TLS_En_Client_Auth, 4, 8);
    SimProcess();
    const int top = F->CB_TLS_En_Server_Auth->Top();
    EXPECT_EQ(F->L_TLS_Client_Cert->Top(), top + 56);
    EXPECT_EQ(F->E_TLS_Client_Cert->Top(), top + 53);
    EXPECT_EQ(F->L_TLS_Client_Cert_Key_Pass->Top(), top + 112);
    EXPECT_TRUE(F->E_TLS_Client_Cert_Key_Pass->Visible());
    EXPECT_EQ(F->CP_TLS->Height(), F->E_TLS_Client_Cert_Key_Pass->Top() + F->E_TLS_Client_Cert_Key_Pass->Height() +
                                       F->CPG->HeaderHeight() + 12);

    SimClick(F->CB_TLS_En_Server_Auth, 4, 8);
    SimProcess();
    EXPECT_TRUE(F->E_TLS_Server_Cert->Visible());
    EXPECT_EQ(F->CB_TLS_En_Client_Auth->Top(), F->E_TLS_Server_Cert->Top() + 28);
  });
}

TEST_F(ParGenForm, ModelPanelsStackInOrderWithNumberedTitles)
{
  const std::vector<std::pair<TCategoryPanel *, QString>> want = {
      {F->CP_S7_Protocol, "1. S7comm"},
      {F->CP_MQTT, "2. MQTT"},
      {F->CP_Ethernet, "3. Ethernet"},
      {F->CP_TLS, "4. TLS (Transport Layer Security)"},
      {F->CP_NTP, "5. NTP (Network Time Protocol)"},
  };
  std::vector<TCategoryPanel *> shown;
  for (TCategoryPanel *p : F->CPG->Panels())
    if (p->Visible())
      shown.push_back(p);
  ASSERT_EQ(shown.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(shown[i], want[i].first) << i;
    EXPECT_EQ(shown[i]->Caption(), want[i].second);
    EXPECT_EQ(shown[i]->TabOrder(), int(i));
    if (i > 0) {
      EXPECT_EQ(shown[i]->Top(), shown[i - 1]->Top() + shown[i - 1]->Height()) << i;
    }
  }
  EXPECT_EQ(F->CPG->Panels().size(), 20u);

  // Titles are composed once: a later language keeps them.
  AppState().Lang_Texts[633] = "MQTT (altro)";
  AppState().Lang_Texts[634] = "URL del Server";
  F->Set_Lang();
  EXPECT_EQ(F->CP_MQTT->Caption(), "2. MQTT");
  EXPECT_EQ(F->L_MQTT_Server->Caption(), "URL del Server");
}

TEST_F(ParGenForm, TextsComeFromTheTextTableInRowOrder)
{
  const auto &items = F->Lang_Items();
  EXPECT_EQ(items.size() + 6, 354u);
  EXPECT_EQ(F->Caption(), "Set Communication");
  EXPECT_EQ(F->Btn_OK->Caption(), "OK");
  EXPECT_EQ(F->Btn_Cancel->Hint(), "Exit and Discard the current configuration");
  EXPECT_EQ(F->L_SW_Code->Caption(), "QC40328");
  EXPECT_EQ(F->E_S7_Protocol_IP3->Hint(), "Insert Third byte of IP Address");
  EXPECT_EQ(F->CB_S7_Protocol_En_GAT->Caption(), "Gateway");
  EXPECT_EQ(F->E_CANopen_NetOpe_Delay->Hint(), AppState().Lang_Texts[516]);
  EXPECT_EQ(F->CB_SNMP_Agent_Version3->Hint(), AppState().Lang_Texts[560]);
  EXPECT_EQ(F->E_PROFINET_Diagnostic->Hint(), AppState().Lang_Texts[855]);
  EXPECT_EQ(F->E_IEC61850_Server_DNS4->Hint(), AppState().Lang_Texts[924]);
  // Each panel takes a run of consecutive numbers.
  std::vector<int> numbers;
  for (const auto &i : items)
    numbers.push_back(i.Text);
  for (size_t i = 1; i < numbers.size(); ++i)
    if (numbers[i] != numbers[i - 1] + 1) {
      EXPECT_TRUE(numbers[i - 1] == 422 || numbers[i - 1] == 441 || numbers[i - 1] == 450 || numbers[i - 1] == 487 ||
                  numbers[i - 1] == 501 || numbers[i - 1] == 506 || numbers[i - 1] == 518 ||
                  numbers[i - 1] == 530 || numbers[i - 1] == 572 || numbers[i - 1] == 607 ||
                  numbers[i - 1] == 631 || numbers[i - 1] == 659 || numbers[i - 1] == 686 ||
                  numbers[i - 1] == 719 || numbers[i - 1] == 724 || numbers[i - 1] == 768 ||
                  numbers[i - 1] == 814 || numbers[i - 1] == 855 || numbers[i - 1] == 892 || numbers[i - 1] == 924)
          << numbers[i - 1] << " -> " << numbers[i];
    }
}

TEST_F(ParGenForm, LoadingConvertsEachElementByItsKind)
{
  Write_Bytes(File(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- kept by hand -->\n<Par_Gen>"
              "<S7_Protocol_IP1>10</S7_Protocol_IP1><S7_Protocol_EN_GAT>01</S7_Protocol_EN_GAT>"
              "<MQTT_WillFlag>1</MQTT_WillFlag><MQTT_Will_QoS>abc</MQTT_Will_QoS>"
              "<TLS_Enable>01</TLS_Enable><TLS_En_Client_Auth>1</TLS_En_Client_Auth>"
              "<TLS_Client_Auth_Key>line 1\r\nline 2</TLS_Client_Auth_Key>"
              "<NTP_Server_URL> ntp.example </NTP_Server_URL></Par_Gen>");
  TUIScript ui;
  Show(ui, [&] {
    EXPECT_EQ(F->E_S7_Protocol_IP1->Text(), "10");
    EXPECT_EQ(F->E_S7_Protocol_IP2->Text(), "168");
    EXPECT_FALSE(F->CB_S7_Protocol_En_GAT->Checked());
    EXPECT_TRUE(F->CB_MQTT_WillFlag->Checked());
    EXPECT_EQ(F->L_MQTT_Username->Top(), 292);  // the layout follows the loaded boxes
    EXPECT_EQ(F->CB_MQTT_Will_QoS->ItemIndex(), 0);
    EXPECT_TRUE(F->CB_TLS_Enable->Checked());
    EXPECT_TRUE(F->CB_TLS_En_Client_Auth->Checked());
    EXPECT_TRUE(F->E_TLS_Client_Cert_Key->Visible());
    EXPECT_EQ(F->E_NTP_Server_URL->Text(), " ntp.example ");
    SimClick(F->Btn_OK, 10, 10);
  });
  const QStringList saved = Saved();
  EXPECT_TRUE(saved.contains("S7_Protocol_EN_GAT=0"));
  EXPECT_TRUE(saved.contains("TLS_Enable=1"));
  EXPECT_TRUE(saved.contains("MQTT_Will_QoS=0"));
  EXPECT_TRUE(Read_Bytes(File()).contains("line 1\r\nline 2"));
}

TEST_F(ParGenForm, CancelDiscardsEditsAndTheNextShowingReloads)
{
  TUIScript ui;
  Show(ui, [&] { SimClick(F->Btn_OK, 10, 10); });
  Show(ui, [&] {
    F->E_MQTT_Server->SetText("broker.local");
    F->CB_Ethernet_DNS->SetChecked(true);
    SimClick(F->Btn_Cancel, 10, 10);
  });
  Show(ui, [&] {
    EXPECT_EQ(F->E_MQTT_Server->Text(), "");
    EXPECT_FALSE(F->CB_Ethernet_DNS->Checked());
  });
}

TEST_F(ParGenForm, CertificatesAndKeysAreStoredWithCRLF)
{
  QGuiApplication::clipboard()->setText("-----BEGIN CERTIFICATE-----\nMIIB\n-----END CERTIFICATE-----");
  TUIScript ui;
  Show(ui, [&] {
    SimClick(F->CB_TLS_Enable, 4, 8);
    SimClick(F->CB_TLS_En_Client_Auth, 4, 8);
    F->E_TLS_Client_Cert->SetFocus();
    SimKey(F->E_TLS_Client_Cert, 'V', TShiftState{ssCtrl});
    SimProcess();
    // A key typed in by hand, line by line.
    F->E_TLS_Client_Cert_Key->SetFocus();
    SimProcess();
    SimType(F->E_TLS_Client_Cert_Key, "K1");
    SimProcess();
    SimKey(F->E_TLS_Client_Cert_Key, VK_RETURN);
    SimType(F->E_TLS_Client_Cert_Key, "K2");
    SimProcess();
    SimClick(F->Btn_OK, 10, 10);
  });
  const QByteArray bytes = Read_Bytes(File());
  EXPECT_TRUE(bytes.contains("<TLS_Client_Auth_Certificate>-----BEGIN CERTIFICATE-----\r\nMIIB\r\n"
                             "-----END CERTIFICATE-----</TLS_Client_Auth_Certificate>"))
      << bytes.constData();
  EXPECT_TRUE(bytes.contains("<TLS_Client_Auth_Key>K1\r\nK2</TLS_Client_Auth_Key>")) << bytes.constData();
}

TEST_F(ParGenForm, AFileThatCannotBeReadIsReportedAndNeverOverwritten)
{
  const struct {
    const char *name;
    QByteArray content;  // empty: a folder of the file's name
  } cases[] = {
      {"not XML", "<Par_Gen><S7_Protocol_IP1>10</S7_Protocol_IP1>"},
      {"Windows-1252 without a declaration", "<Par_Gen><MQTT_Username>M\xFCller</MQTT_Username></Par_Gen>"},
      {"a folder", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(File());
    if (c.content.isEmpty())
      ASSERT_TRUE(QDir().mkpath(File()));
    else
      Write_Bytes(File(), c.content);
    TUIScript ui;
    bool ok_enabled = true;
    const int result = Show(ui, [&] {
      ok_enabled = F->Btn_OK->Enabled();
      SimClick(F->Btn_OK, 10, 10);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_FALSE(ok_enabled);
    ASSERT_EQ(ui.Messages().size(), 1);
    EXPECT_TRUE(ui.Messages()[0].contains(File())) << ui.Messages()[0].toStdString();
    for (const TShownDialog &d : ui.Shown()) {
      if (d.Kind == skMessage) {
        EXPECT_EQ(d.DlgType, mtError);
      }
    }
    if (c.content.isEmpty()) {
      EXPECT_TRUE(QDir().rmdir(File()));
    } else {
      EXPECT_EQ(Read_Bytes(File()), c.content);
    }
  }

  // Repaired, the file loads again, also in the code page it declares.
  Write_Bytes(File(), "<?xml version=\"1.0\" encoding=\"windows-1252\"?><Par_Gen><S7_Protocol_IP1>10</S7_Protocol_IP1>"
                      "<MQTT_Username>M\xFCller</MQTT_Username></Par_Gen>");
  TUIScript ui2;
  EXPECT_EQ(Show(ui2, [&] { SimClick(F->Btn_OK, 10, 10); }), mrOk);
  EXPECT_TRUE(Saved().contains("S7_Protocol_IP1=10"));
  EXPECT_TRUE(Saved().contains(QString::fromUtf8("MQTT_Username=Müller")));
}

TEST_F(ParGenForm, WidthStaysFixed)
{
  F->SetClientWidth(600);
  EXPECT_EQ(F->ClientWidth(), 460);
  F->SetClientHeight(500);
  EXPECT_EQ(F->ClientHeight(), 500);
}

TEST_F(ParGenForm, PictureOfTheDialog)
{
  TUIScript ui;
  Show(ui, [&] {
    SimClick(F->CB_MQTT_WillFlag, 4, 8);
    SimProcess();
    EXPECT_TRUE(GrabToPng(F, testsupport::OutputDir() + "/pargen_form.png"));
    F->CPG->VertScrollBar()->SetPosition(F->CPG->VertScrollBar()->Range());
    SimProcess();
    EXPECT_TRUE(GrabToPng(F, testsupport::OutputDir() + "/pargen_form_bottom.png"));
    for (TCheckBox *c : {F->CB_TLS_Enable, F->CB_TLS_En_Server_Auth, F->CB_TLS_En_Client_Auth})
      SimClick(c, 4, 8);
    F->CPG->VertScrollBar()->SetPosition(F->CPG->VertScrollBar()->Range());
    SimProcess();
    EXPECT_TRUE(GrabToPng(F, testsupport::OutputDir() + "/pargen_form_tls.png"));
  });
}

TEST_F(ParGenForm, WheelScrollsThePanelGroupOnlyOverIt)
{
  TUIScript ui;
  Show(ui, [&] {
    F->SetClientHeight(400);  // less room than the panels need
    SimProcess();
    TCategoryScrollBar *bar = F->CPG->VertScrollBar();
    ASSERT_GT(bar->Range(), 0);
    SimWheel(F->P_Title, 100, 30, -120);
    SimProcess();
    EXPECT_EQ(bar->Position(), 0);
    SimWheel(F->CPG, 100, 100, -120);
    SimProcess();
    const int down = bar->Position();
    EXPECT_EQ(down, 3 * bar->Increment());
    SimWheel(F->CPG, 100, 100, 120);
    SimProcess();
    EXPECT_EQ(bar->Position(), 0);
  });
}

TEST_F(ParGenForm, EveryModelShowsItsPanelsInOrder)
{
  using TOp = void (TFParGen::*)();
  struct TModel {
    TOp Order;
    TOp Layout;
    std::vector<std::pair<TCategoryPanel *TFParGen::*, int>> Panels;
  };
  using P = TFParGen;
  const TModel models[] = {
      {&P::Order_TAB_Panels_40213, &P::RePosition_Objects_40213, {{&P::CP_S7_Protocol, 406}, {&P::CP_Modbus_TCP_Slave, 423}}},
      {&P::Order_TAB_Panels_40227, &P::RePosition_Objects_40227, {{&P::CP_S7_Protocol, 406}, {&P::CP_PROFIBUS, 442}}},
      {&P::Order_TAB_Panels_40231, &P::RePosition_Objects_40231,
       {{&P::CP_S7_Protocol, 406}, {&P::CP_IEC61850_Server, 872}, {&P::CP_TLS_Server, 906}, {&P::CP_NTP, 720}}},
      {&P::Order_TAB_Panels_40246, &P::RePosition_Objects_40246, {{&P::CP_S7_Protocol, 406}, {&P::CP_Serial, 479}}},
      {&P::Order_TAB_Panels_40252, &P::RePosition_Objects_40252, {{&P::CP_S7_Protocol, 406}, {&P::CP_Modbus_Slave, 489}}},
      {&P::Order_TAB_Panels_40268, &P::RePosition_Objects_40268, {{&P::CP_S7_Protocol, 406}, {&P::CP_CAN, 504}}},
      {&P::Order_TAB_Panels_40274, &P::RePosition_Objects_40274, {{&P::CP_S7_Protocol, 406}, {&P::CP_CANopen, 507}}},
      {&P::Order_TAB_Panels_40289, &P::RePosition_Objects_40289, {{&P::CP_S7_Protocol, 406}, {&P::CP_DeviceNet_Slave, 522}}},
      {&P::Order_TAB_Panels_40293, &P::RePosition_Objects_40293, {{&P::CP_S7_Protocol, 406}, {&P::CP_SNMP_Agent, 534}}},
      {&P::Order_TAB_Panels_40305, &P::RePosition_Objects_40305, {{&P::CP_S7_Protocol, 406}, {&P::CP_EtherNetIP, 585}}},
      {&P::Order_TAB_Panels_40316, &P::RePosition_Objects_40316, {{&P::CP_S7_Protocol, 406}, {&P::CP_KNX, 627}}},
      {&P::Order_TAB_Panels_40328, &P::RePosition_Objects_40328,
       {{&P::CP_S7_Protocol, 406}, {&P::CP_MQTT, 633}, {&P::CP_Ethernet, 660}, {&P::CP_TLS, 705}, {&P::CP_NTP, 720}}},
      {&P::Order_TAB_Panels_40337, &P::RePosition_Objects_40337, {{&P::CP_S7_Protocol, 406}, {&P::CP_BACnet_Slave, 726}}},
      {&P::Order_TAB_Panels_40341, &P::RePosition_Objects_40341, {{&P::CP_S7_Protocol, 406}, {&P::CP_Ethernet, 660}}},
      {&P::Order_TAB_Panels_40359, &P::RePosition_Objects_40359,
       {{&P::CP_S7_Protocol, 406}, {&P::CP_OPC_UA_Server, 790}, {&P::CP_NTP, 720}}},
      {&P::Order_TAB_Panels_40362, &P::RePosition_Objects_40362, {{&P::CP_S7_Protocol, 406}, {&P::CP_PROFINET, 828}}},
  };
  TFParGen *const form = F;
  for (const TModel &m : models) {
    for (TCategoryPanel *p : form->CPG->Panels())
      p->SetVisible(false);
    (form->*m.Order)();
    (form->*m.Layout)();
    SimProcess();
    std::vector<TCategoryPanel *> shown;
    for (TCategoryPanel *p : F->CPG->Panels())
      if (p->Visible())
        shown.push_back(p);
    ASSERT_EQ(shown.size(), m.Panels.size()) << m.Panels[1].second;
    for (size_t k = 0; k < shown.size(); ++k) {
      TCategoryPanel *want = F->*m.Panels[k].first;
      EXPECT_EQ(shown[k], want) << m.Panels[1].second << " #" << k;
      EXPECT_EQ(want->Caption(), QString("%1. %2").arg(k + 1).arg(AppState().Lang_Texts[m.Panels[k].second]));
      EXPECT_EQ(want->TabOrder(), int(k));
    }
  }
}

TEST_F(ParGenForm, OtherModelsPanelsEndAtTheirLastShownRow)
{
  auto ends_at = [this](TCategoryPanel *p, TControl *last) {
    return p->Height() == last->Top() + last->Height() + F->CPG->HeaderHeight() + 12;
  };
  // SNMP Agent: version 3 and the security level open the user, authority and privacy rows.
  F->RePosition_Object_SNMP_Agent();
  EXPECT_TRUE(ends_at(F->CP_SNMP_Agent, F->CB_SNMP_Agent_Version3));
  EXPECT_FALSE(F->E_SNMP_Agent_User->Visible());
  F->CB_SNMP_Agent_Version3->SetChecked(true);  // its click re-runs the build's layout only
  F->RePosition_Object_SNMP_Agent();
  EXPECT_TRUE(F->E_SNMP_Agent_User->Visible());
  EXPECT_TRUE(ends_at(F->CP_SNMP_Agent, F->CB_SNMP_Agent_SecurityLevel));
  F->CB_SNMP_Agent_SecurityLevel->SetItemIndex(1);
  F->RePosition_Object_SNMP_Agent();
  EXPECT_TRUE(ends_at(F->CP_SNMP_Agent, F->CB_SNMP_Agent_AuthorityMode));
  EXPECT_FALSE(F->E_SNMP_Agent_Privacy->Visible());
  F->CB_SNMP_Agent_SecurityLevel->SetItemIndex(2);
  F->RePosition_Object_SNMP_Agent();
  EXPECT_TRUE(ends_at(F->CP_SNMP_Agent, F->CB_SNMP_Agent_PrivacyMode));

  // BACnet: MS/TP rows take the place of the IP rows.
  F->RePosition_Object_BACnet_Slave();
  EXPECT_EQ(F->CB_BACnet_Slave_Desc32->Top(), F->L_BACnet_Slave_DeviceID->Top() + 28);
  EXPECT_FALSE(F->E_BACnet_Slave_MAC->Visible());
  F->CB_BACnet_Slave_Type->SetItemIndex(1);
  F->RePosition_Object_BACnet_Slave();
  EXPECT_FALSE(F->E_BACnet_Slave_IP1->Visible());
  EXPECT_EQ(F->CB_BACnet_Slave_Baudrate->Top(), F->E_BACnet_Slave_IP1->Top());
  EXPECT_EQ(F->L_BACnet_Slave_Baudrate->Top(), F->E_BACnet_Slave_IP1->Top() + 3);
  EXPECT_EQ(F->E_BACnet_Slave_Network->Top(), F->E_BACnet_Slave_IP1->Top() + 7 * 28);
  EXPECT_EQ(F->CB_BACnet_Slave_Desc32->Top(), F->L_BACnet_Slave_Network->Top() + 28);
  EXPECT_TRUE(ends_at(F->CP_BACnet_Slave, F->CB_BACnet_Slave_Desc32));

  // TLS Server: everything below "Enable TLS" follows it.
  F->RePosition_Object_TLS_Server();
  EXPECT_FALSE(F->E_TLS_Server_Root_Cert->Visible());
  EXPECT_TRUE(ends_at(F->CP_TLS_Server, F->CB_TLS_Server_Enable));
  F->CB_TLS_Server_Enable->SetChecked(true);
  F->RePosition_Object_TLS_Server();
  EXPECT_TRUE(F->E_TLS_Server_Root_Cert->Visible());
  EXPECT_TRUE(ends_at(F->CP_TLS_Server, F->CB_TLS_Server_OnlyKnown));

  // Lists the user cannot change.
  EXPECT_FALSE(F->CB_PROFIBUS_Baudrate->Enabled());
  EXPECT_FALSE(F->CB_KNX_Type->Enabled());

  // Rows that are always hidden.
  F->RePosition_Object_PROFINET();
  EXPECT_FALSE(F->CB_PROFINET_Diagnostic->Visible());
  EXPECT_TRUE(ends_at(F->CP_PROFINET, F->E_PROFINET_NByte_Out));
  EXPECT_FALSE(F->E_Ethernet_TCP_Port->Visible());
  EXPECT_FALSE(F->E_Ethernet_UDP_Port->Visible());
}

TEST_F(ParGenForm, DeviceNameRuleAcceptsOnlyAsciiLettersAndDigits)
{
  const std::pair<const char *, bool> cases[] = {
      {"", false}, {"devicename1", false}, {"ABCxyz09", false}, {"a b", true}, {"a-b", true}, {"a_b", true},
      {"na\xc3\xafve", true},
  };
  for (const auto &[text, bad] : cases)
    EXPECT_EQ(F->Check_Device_Name(QString::fromUtf8(text)), bad) << text;
}

TEST_F(ParGenForm, AFailedWriteIsReportedAndTheDialogStaysOpen)
{
  AppState().File_ParGen = Dir.filePath("no such folder/ParGen.xml");
  TUIScript ui;
  bool open = false;
  Show(ui, [&] {
    SimClick(F->Btn_OK, 10, 10);
    open = F->ModalResult() == mrNone;
  });
  EXPECT_TRUE(open);
  EXPECT_EQ(ui.Messages().size(), 1);
  EXPECT_FALSE(FileExists(AppState().File_ParGen));
}
