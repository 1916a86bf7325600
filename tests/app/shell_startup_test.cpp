// Start-up, settings file, step page and exit of the main window.
#include "app/fabout.h"
#include "app/fsoftoptions.h"
#include "project/maker.h"
#include "project/lang_texts.h"
#include "tests/app/shell_test_support.h"
#include "tests/support/http_test_server.h"
#include "tests/support/special_files.h"
#include "ui/lang_text.h"

using namespace shelltest;

namespace {

class ShellStartup : public ShellTest {};

// "group/leaf=text" for every leaf of the settings file, in file order; the root's name first.
QStringList Settings_Items(const QString &Path)
{
  TXMLDocument Doc(nullptr);
  Doc.LoadFromFile(Path);
  IXMLNode Root = Doc.DocumentElement();
  QStringList Items{Root.NodeName()};
  for (int g = 0; g < Root.ChildNodes().Count(); ++g) {
    IXMLNode G = Root.ChildNodes()[g];
    for (int l = 0; l < G.ChildNodes().Count(); ++l) {
      IXMLNode L = G.ChildNodes()[l];
      Items << G.NodeName() + "/" + L.NodeName() + "=" + L.Text();
    }
  }
  return Items;
}

// The window and every windowed control on it.
void Collect_Windows(TWinControl *W, std::vector<TWinControl *> &Out)
{
  Out.push_back(W);
  for (int I = 0; I < W->ControlCount(); ++I)
    if (auto *C = dynamic_cast<TWinControl *>(W->Controls(I))) Collect_Windows(C, Out);
}

}  // namespace

TEST_F(ShellStartup, FirstStartInEmptyFolderCreatesFoldersAndWritesDefaultsOnClose)
{
  Start();
  for (const char *Sub : {"MASTER", "PROJECTS", "LANGUAGE"})
    EXPECT_TRUE(QDir(App_Dir + "/" + Sub).exists()) << Sub;
  EXPECT_EQ(Indicator(), QStringList({"None Configuration Opened ", "Use Step1 to open or create new configuration"}));
  EXPECT_EQ(AppState().Language_Name, "English");
  EXPECT_TRUE(AppState().Project_Dir.isEmpty());
  EXPECT_FALSE(FQuillomarkeFirmWare->Timer_Update->Enabled());
  EXPECT_EQ(FQuillomarkeFirmWare->ClientWidth(), 694);
  EXPECT_EQ(FQuillomarkeFirmWare->ClientHeight(), 440);
  EXPECT_EQ(FQuillomarkeFirmWare->Caption(), Maker_Web_Domain + " - Configurator QC40328 - S7comm / MQTT ");
  EXPECT_FALSE(QFile::exists(Settings_Path()));

  Close_Program();
  EXPECT_EQ(Settings_Items(Settings_Path()),
            QStringList({"Conf_Settings", "lastproj/projectname=", "lastipadd/ipaddress=192.168.2.205",
                         "lastlang/language=English", "lastinternet/enable_internet=0", "lastinternet/enable_update=0",
                         "lastinternet/enable_jump_field_tables=0", "lastinternet/Double_Click_Auto_Size=0"}));
}

// The forms never shown keep no backing images: memory goes to what is on screen.
TEST_F(ShellStartup, OnlyWindowsOnScreenHoldABackingImage)
{
  Start();
  SimProcess();
  int Forms = 0, Held = 0;
  for (int I = 0; I < Application->ComponentCount(); ++I) {
    auto *F = dynamic_cast<TCustomForm *>(Application->Components(I));
    if (!F) continue;
    ++Forms;
    std::vector<TWinControl *> Windows;
    Collect_Windows(F, Windows);
    for (TWinControl *W : Windows) {
      const bool On_Screen = F == FQuillomarkeFirmWare && W->IsShowing();
      EXPECT_EQ(HoldsBackingImage(W), On_Screen) << F->Name().toStdString() << "." << W->Name().toStdString();
      Held += HoldsBackingImage(W);
    }
  }
  EXPECT_EQ(Forms, 22);
  EXPECT_GE(Held, 10);
}

TEST_F(ShellStartup, StepPageShowsTheStepsAndButtonsOfThisBuild)
{
  Start();
  TFQuillomarkeFirmWare *M = FQuillomarkeFirmWare;
  struct TPlace {
    TControl *Control;
    int Top, Left;
    QString Caption;
  };
  const TPlace Places[] = {
      {M->L_SW_Code, 8, 16, "QC40328"},          {M->L_SW_Desc, 42, 16, "S7comm / MQTT - Converter"},
      {M->L_Begin, 84, 16, "Begin"},             {M->L_Step_1, 128, 16, "Step 1"},
      {M->L_Step_5, 304, 16, "Step 5"},          {M->Btn_New, 112, 80, "New Configuration"},
      {M->Btn_Open, 112, 258, "Open Configuration"}, {M->Btn_Prm_Gen, 156, 80, "Set Communication"},
      {M->Btn_S7_Protocol_Access, 200, 80, "S7comm Access"}, {M->Btn_CreateBin, 288, 80, "Update Device UDP"},
      {M->Btn_Info, 8, 516, ""},                 {M->Btn_Opz, 8, 574, ""},
      {M->Btn_Close, 8, 632, ""},
      // Designed at 565, the address ends at the separator's end in the wider fonts here.
      {M->L_Velmora, 304, std::min(565, 684 - M->L_Velmora->Width()), Maker_Web_Domain},
      {M->Shape1, 339, 10, ""},
  };
  for (const TPlace &P : Places) {
    SCOPED_TRACE(P.Control->Name().toStdString());
    EXPECT_TRUE(P.Control->Visible());
    EXPECT_EQ(P.Control->Top(), P.Top);
    EXPECT_EQ(P.Control->Left(), P.Left);
    if (!P.Caption.isEmpty()) {
      EXPECT_EQ(P.Control->Caption(), P.Caption);
    }
  }
  EXPECT_EQ(M->Btn_MQTT_Set_Topic->Caption(), Lang_Text(55));
  EXPECT_EQ(M->Btn_Info->Hint(), "Information");
  EXPECT_EQ(M->Btn_CreateBin->Hint(), "Update the actual Firmware and/or Configuration in the device");
  for (TControl *C : std::initializer_list<TControl *>{M->L_Step_6, M->L_Step_7, M->L_Step_8, M->Btn_PROFIBUS_GSD,
                                                       M->Btn_KNX_Access, M->Btn_CANopen_EDS, M->Btn_SNMP_MIB,
                                                       M->Btn_BACnet_EDE_File, M->Btn_PROFINET_XML, M->LL_Update})
    EXPECT_FALSE(C->Visible()) << C->Name().toStdString();
  EXPECT_EQ(M->Btn_BACnet_SetAccess->Caption(), "Set BACnet Access");
  EXPECT_EQ(M->Btn_BACnet_EDE_File->Caption(), "BACnet EDE File");
  EXPECT_EQ(M->Btn_SNMP_MIB->Caption(), "SNMP MIB");

  EXPECT_TRUE(GrabToPng(M, testsupport::OutputDir() + "/shell_main_window.png"));
}

TEST_F(ShellStartup, RemovedProjectFolderLeavesNoProjectOpenButKeepsTheName)
{
  Write_Settings(Settings_Xml("Plant1"));
  Start();
  EXPECT_EQ(Indicator(), QStringList({Lang_Text(9), Lang_Text(10)}));
  EXPECT_TRUE(AppState().Project_Dir.isEmpty());
  EXPECT_EQ(AppState().Last_IP_Address, "10.0.0.7");

  Click(FQuillomarkeFirmWare->Btn_Prm_Gen);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtError);
  EXPECT_EQ(Boxes[0].Text, "Error! Project not Valid");
  EXPECT_EQ(Boxes[0].Buttons, TMsgDlgButtons{mbOK});
  EXPECT_TRUE(Shown_Forms.empty());

  Close_Program();
  EXPECT_TRUE(Settings_Items(Settings_Path()).contains("lastproj/projectname=Plant1"));
}

TEST_F(ShellStartup, RememberedProjectIsReopened)
{
  Make_Project("Plant1");
  Write_Settings(Settings_Xml("Plant1"));
  Start();
  EXPECT_EQ(Indicator(), QStringList({"Opened Configuration of the Converter : ", "Plant1"}));
  EXPECT_EQ(AppState().Project_Dir, Projects_Dir() + "/Plant1");
  EXPECT_EQ(AppState().File_ParGen, Projects_Dir() + "/Plant1/ParGen.xml");
  EXPECT_EQ(AppState().File_MQTT_Set_Topic, Projects_Dir() + "/Plant1/MQTT_Set_Topic.xml");
  EXPECT_EQ(AppState().File_OPC_UA_Server, Projects_Dir() + "/Plant1/OPC_UA_Server.xml");
  EXPECT_EQ(BankBuilder().XML1, FQuillomarkeFirmWare->XML1);

  Click(FQuillomarkeFirmWare->Btn_S7_Protocol_Access);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(Shown_Forms, std::vector<QString>{"FS7_Protocol_Set_Access"});
}

TEST_F(ShellStartup, OptionFlagsAreOnOnlyForTheTextOne)
{
  struct TCase {
    const char *Internet, *Update, *Other;
    bool Timer, Internet_On, Update_On, Other_On;
  };
  const TCase Cases[] = {
      {"1", "1", "1", true, true, true, true},       {"1", "0", "0", false, true, false, false},
      {"0", "1", "1", false, false, true, true},      {"true", "1", "true", false, false, true, false},
      {"1", "01", "01", false, true, false, false},   {" 1", "1", "", false, false, true, false},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(std::string(C.Internet) + "/" + C.Update + "/" + C.Other);
    Write_Settings(Settings_Xml("", "English", C.Internet, C.Update, C.Other, C.Other));
    Start();
    const TAppState &S = AppState();
    EXPECT_EQ(S.Opt_Enable_Internet, C.Internet_On);
    EXPECT_EQ(S.Opt_Enable_Update, C.Update_On);
    EXPECT_EQ(S.Opt_Jump_Field_Tables, C.Other_On);
    EXPECT_EQ(S.Opt_Double_Click_Auto_Size, C.Other_On);
    EXPECT_EQ(FQuillomarkeFirmWare->Timer_Update->Enabled(), C.Timer);
    EXPECT_EQ(FQuillomarkeFirmWare->Timer_Update->Interval(), 60000u);
    Close_Program();
  }
}

TEST_F(ShellStartup, SettingsFileThatCannotBeUsedGivesDefaults)
{
  struct TCase {
    const char *Name;
    QByteArray Xml;
    QString Project, IP;
  };
  Make_Project("Plant1");
  const QByteArray Good = Settings_Xml("Plant1", "English", "1", "1");
  const TCase Cases[] = {
      {"declaration and comment before the root", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved -->\n" + Good,
       "Plant1", "10.0.0.7"},
      {"root of another name", QByteArray(Good).replace("Conf_Settings", "Other"), "Plant1", "10.0.0.7"},
      {"not XML", "<Conf_Settings><lastproj>", "", "192.168.2.205"},
      {"empty file", "", "", "192.168.2.205"},
      {"missing groups", "<Conf_Settings><lastlang><language>English</language></lastlang></Conf_Settings>", "",
       "192.168.2.205"},
      {"group holding elements instead of text",
       "<Conf_Settings><lastipadd><ipaddress><x/></ipaddress></lastipadd></Conf_Settings>", "", "192.168.2.205"},
      {"project up a level", Settings_Xml("../Plant1"), "", "10.0.0.7"},
      {"project with a slash", Settings_Xml("Plant1/sub"), "", "10.0.0.7"},
      {"project with a backslash", Settings_Xml("..\\Plant1"), "", "10.0.0.7"},
      {"project dot", Settings_Xml("."), "", "10.0.0.7"},
      {"project dot dot", Settings_Xml(".."), "", "10.0.0.7"},
      {"language up a level", Settings_Xml("Plant1", "../English"), "Plant1", "10.0.0.7"},
  };
  // A language file outside LANGUAGE must never be read.
  WriteBytes(App_Dir + "/English.lng", "STR16 = Outside\r\n");
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    Write_Settings(C.Xml);
    Start();
    const TAppState &S = AppState();
    EXPECT_EQ(S.Project_Name, C.Project);
    EXPECT_EQ(S.Project_Dir.isEmpty(), C.Project.isEmpty());
    EXPECT_EQ(S.Last_IP_Address, C.IP);
    EXPECT_EQ(S.Language_Name, "English");
    EXPECT_EQ(FQuillomarkeFirmWare->Btn_Open->Caption(), "Open Configuration");
    EXPECT_TRUE(Boxes.empty());
    Close_Program();
    EXPECT_TRUE(Settings_Items(Settings_Path()).contains("lastproj/projectname=" + C.Project));
  }
}

TEST_F(ShellStartup, SettingsOrLanguageFileThatIsAFifoIsNotWaitedFor)
{
  Make_Project("Plant1");
  ASSERT_TRUE(QDir().mkpath(App_Dir + "/LANGUAGE"));
  {
    // Read, these would open the project and rename the "Open Configuration" button.
    testsupport::FedFifo Settings(Settings_Path(), Settings_Xml("Plant1", "Deutsch"));
    WriteBytes(App_Dir + "/LANGUAGE/Deutsch.lng", "STR16 = Konfiguration oeffnen\r\n");
    Start();
    EXPECT_EQ(AppState().Project_Name, "");
    Close_Program();
  }
  Write_Settings(Settings_Xml("Plant1", "Deutsch"));
  ASSERT_TRUE(QFile::remove(App_Dir + "/LANGUAGE/Deutsch.lng"));
  testsupport::FedFifo Language(App_Dir + "/LANGUAGE/Deutsch.lng", "STR16 = Konfiguration oeffnen\r\n");
  Start();
  EXPECT_EQ(AppState().Project_Name, "Plant1");
  EXPECT_EQ(FQuillomarkeFirmWare->Btn_Open->Caption(), "Open Configuration");
}

TEST_F(ShellStartup, LanguageSwitchWithoutProjectKeepsTheNoProjectTexts)
{
  Start();
  WriteBytes(App_Dir + "/LANGUAGE/Deutsch.lng",
             "STR9 = Keine Konfiguration geoeffnet\r\nSTR10 = Schritt 1 benutzen\r\nSTR0 = Anfang\r\n"
             "STR15 = Neue Konfiguration\r\n");
  AppState().Language_Name = "Deutsch";
  Load_Language();
  FQuillomarkeFirmWare->Change_Language();
  EXPECT_EQ(Indicator(), QStringList({"Keine Konfiguration geoeffnet", "Schritt 1 benutzen"}));
  EXPECT_EQ(FQuillomarkeFirmWare->L_Begin->Caption(), "Anfang");
  EXPECT_EQ(FQuillomarkeFirmWare->Btn_New->Caption(), "Neue Konfiguration");
  EXPECT_EQ(FQuillomarkeFirmWare->Btn_Open->Caption(), "Open Configuration");

  Click(FQuillomarkeFirmWare->Btn_Info);
  ASSERT_EQ(Shown_Forms, std::vector<QString>{"FAbout"});
  EXPECT_EQ(FAbout->Label1->Caption(), "Software Quillomark ");
  EXPECT_EQ(FAbout->Label6->Caption(), "Software Code : ");
  EXPECT_EQ(FAbout->Label10->Caption(), "1.000");
  EXPECT_EQ(FAbout->Label12->Caption(), "QM40328");
  EXPECT_EQ(FAbout->Label2->Caption(), "S7comm / MQTT - Converter");
}

TEST_F(ShellStartup, LanguageRememberedInSettingsIsLoadedAtStart)
{
  ASSERT_TRUE(QDir().mkpath(App_Dir + "/LANGUAGE"));
  WriteBytes(App_Dir + "/LANGUAGE/Deutsch.lng", "STR16 = Konfiguration oeffnen\r\n");
  Write_Settings(Settings_Xml("", "Deutsch"));
  Start();
  EXPECT_EQ(AppState().Language_Name, "Deutsch");
  EXPECT_EQ(FQuillomarkeFirmWare->Btn_Open->Caption(), "Konfiguration oeffnen");
}

TEST_F(ShellStartup, UpdateTimerChecksThenWaitsTwoHours)
{
  struct TCase {
    QByteArray Reply;
    bool Link;
  };
  const TCase Cases[] = {{"VER. 1.001", true}, {"VER. 1.000", false}, {"VER. 0.000", false}};
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Reply.toStdString());
    testsupport::HttpTestServer Server(testsupport::HttpTestServer::Mode::Answer,
                                       testsupport::HttpTestServer::Reply(200, C.Reply));
    Write_Settings(Settings_Xml("", "English", "1", "1"));
    Start();
    Version_Server_Host = "127.0.0.1";
    Version_Server_Port = uint16_t(Server.Port());
    TTimer *T = FQuillomarkeFirmWare->Timer_Update;
    ASSERT_TRUE(T->Enabled());
    FQuillomarkeFirmWare->Timer_UpdateTimer(T);
    Version_Server_Host = Maker_Web_Host;
    Version_Server_Port = 80;
    EXPECT_TRUE(T->Enabled());
    EXPECT_EQ(T->Interval(), 7200000u);
    TLinkLabel *L = FQuillomarkeFirmWare->LL_Update;
    EXPECT_EQ(L->Visible(), C.Link);
    if (C.Link) {
      EXPECT_EQ(L->PlainText(), "New Version Available. Click Here for more Details");
      ASSERT_EQ(L->LinkCount(), 1);
      EXPECT_TRUE(GrabToPng(FQuillomarkeFirmWare, testsupport::OutputDir() + "/shell_main_window_update.png"));
      const TRect R = L->LinkRects(0).at(0);
      SimClick(L, R.Left + 4, R.Top + R.Height() / 2);
      SimProcess();
      EXPECT_EQ(Opened_URLs, std::vector<QString>{Maker_Download_Page});
    }
    Close_Program();
  }
}

// A language text cannot add links of its own to the update label: it shows as written, and
// the label opens nothing but the maker's download page.
TEST_F(ShellStartup, UpdateLinkShowsTheLanguageTextAsWritten)
{
  testsupport::HttpTestServer Server(testsupport::HttpTestServer::Mode::Answer,
                                     testsupport::HttpTestServer::Reply(200, "VER. 1.001"));
  Write_Settings(Settings_Xml("", "English", "1", "1"));
  Start();
  const QString Text = "New version</a> <a href=\"http://other.invalid/x\">here</a> &amp; more";
  AppState().Lang_Texts[19] = Text;
  Version_Server_Host = "127.0.0.1";
  Version_Server_Port = uint16_t(Server.Port());
  FQuillomarkeFirmWare->Timer_UpdateTimer(FQuillomarkeFirmWare->Timer_Update);
  Version_Server_Host = Maker_Web_Host;
  Version_Server_Port = 80;
  TLinkLabel *L = FQuillomarkeFirmWare->LL_Update;
  ASSERT_TRUE(L->Visible());
  EXPECT_EQ(L->PlainText(), Text);
  ASSERT_EQ(L->LinkCount(), 1);
  for (const TRect &R : L->LinkRects(0)) {
    SimClick(L, R.Left + 2, R.Top + R.Height() / 2);
    SimClick(L, R.Right - 2, R.Top + R.Height() / 2);
  }
  SimProcess();
  FQuillomarkeFirmWare->LL_UpdateLinkClick(L, "http://other.invalid/x");
  ASSERT_FALSE(Opened_URLs.empty());
  for (const QString &U : Opened_URLs) EXPECT_EQ(U, Maker_Download_Page);
}

TEST_F(ShellStartup, OptionsOkSavesSettingsAndSwitchesTheTimer)
{
  Start();
  Modal_Actions["FSoftOptions"] = [](TCustomForm *Form) {
    AppState().Opt_Enable_Internet = true;
    AppState().Opt_Enable_Update = true;
    Form->SetModalResult(mrOk);
  };
  Click(FQuillomarkeFirmWare->Btn_Opz);
  EXPECT_TRUE(FQuillomarkeFirmWare->Timer_Update->Enabled());
  EXPECT_TRUE(Settings_Items(Settings_Path()).contains("lastinternet/enable_update=1"));

  Modal_Actions["FSoftOptions"] = [](TCustomForm *Form) {
    AppState().Opt_Enable_Internet = false;
    Form->SetModalResult(mrCancel);
  };
  Click(FQuillomarkeFirmWare->Btn_Opz);
  EXPECT_TRUE(FQuillomarkeFirmWare->Timer_Update->Enabled()) << "Cancel changes nothing";
  EXPECT_TRUE(Settings_Items(Settings_Path()).contains("lastinternet/enable_internet=1"));
}

TEST_F(ShellStartup, WebAddressesOpenTheMakersPages)
{
  Start();
  Click(FQuillomarkeFirmWare->L_Velmora);
  Modal_Actions["FAbout"] = [](TCustomForm *Form) {
    EXPECT_EQ(Form->Caption(), "About...");
    EXPECT_EQ(Form->ClientWidth(), 425);
    EXPECT_EQ(Form->ClientHeight(), 148);
    EXPECT_TRUE(GrabToPng(Form, testsupport::OutputDir() + "/shell_about.png"));
    Click(FAbout->Label4);
    Click(FAbout->LbButton1);
    EXPECT_EQ(Form->ModalResult(), mrOk);
  };
  Click(FQuillomarkeFirmWare->Btn_Info);
  EXPECT_EQ(Opened_URLs, std::vector<QString>({Maker_Home_Page, Maker_Home_Page}));
}

TEST_F(ShellStartup, CloseButtonEndsTheProgramAndSavesTheSettings)
{
  Start();
  AppState().Last_IP_Address = "10.1.2.3";
  Click(FQuillomarkeFirmWare->Btn_Close);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_TRUE(Settings_Items(Settings_Path()).contains("lastipadd/ipaddress=10.1.2.3"));
}

TEST_F(ShellStartup, SettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillEnds)
{
  Start();
  // A folder in the settings file's place cannot be replaced by a file.
  ASSERT_TRUE(QDir().mkpath(Settings_Path()));
  Click(FQuillomarkeFirmWare->Btn_Close);
  EXPECT_TRUE(Application->Terminated());
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtError);
  EXPECT_TRUE(QFileInfo(Settings_Path()).isDir());
}
