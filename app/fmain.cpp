// The main window: controls, start-up, step page and button dispatch.
#include "app/fmain.h"

#include <algorithm>

#include "app/fabout.h"
#include "app/fboot.h"
#include "app/fmain_glyphs.h"
#include "app/forms.h"
#include "app/fpargen.h"
#include "app/fproject_dialogs.h"
#include "app/fsoftoptions.h"
#include "app/ftable_forms.h"
#include "ui/lbbutton.h"
#include "project/maker.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"
#include "project/banks.h"
#include "project/lang_texts.h"
#include "project/side_files.h"
#include "ui/lang_text.h"
#include "ui/bands.h"

bool Is_Single_Folder_Name(const QString &Name)
{
  if (Name.isEmpty() || Name == QLatin1String(".") || Name == QLatin1String("..")) return false;
  return !Name.contains(QLatin1Char('/')) && !Name.contains(QLatin1Char('\\'));
}

TFQuillomarkeFirmWare::TFQuillomarkeFirmWare(TComponent *AOwner) : TLangForm(AOwner)
{
  SetName(QStringLiteral("FQuillomarkeFirmWare"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  SetShowHint(true);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  SetClientSize(694, 440);
  Create_Controls();
  SetActiveControl(Btn_New);
  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnClose = [this](TObject *Sender, TCloseAction &Action) { FormClose(Sender, Action); };
}

TFQuillomarkeFirmWare::~TFQuillomarkeFirmWare()
{
  if (BankBuilder().XML1 == XML1) BankBuilder().XML1 = nullptr;
}

TLabel *TFQuillomarkeFirmWare::Make_Step_Label(const QString &Name, int Top)
{
  TLabel *L = new TLabel(this);
  L->SetName(Name);
  L->SetParent(this);
  L->Font()->SetSize(10);
  L->Font()->SetStyle(TFontStyles{fsBold});
  L->Font()->SetColor(clNavy);
  L->SetBounds(16, Top, 56, 16);
  return L;
}

TLbButton *TFQuillomarkeFirmWare::Make_Step_Button(const QString &Name, const QString &Caption)
{
  TLbButton *B = new TLbButton(this);
  B->SetName(Name);
  B->SetParent(this);
  B->SetBounds(0, 0, 170, 36);
  Set_Button_Look(B, bsEncarta);
  B->SetAlignment(taLeftJustify);
  B->Font()->SetSize(9);
  B->Font()->SetStyle(TFontStyles{fsBold});
  B->SetCaption(Caption);
  B->SetShowHint(true);
  B->OnClick = [this](TObject *Sender) { Btn_Click(Sender); };
  return B;
}

void TFQuillomarkeFirmWare::Create_Controls()
{
  // The title labels stand on the window itself: it has no title band.
  TTitleBandLook Look;
  Look.CodeTop = 8;
  const TTitleBand Title = Make_Title_Labels(this, this, Look);
  L_SW_Code = Title.L_SW_Code;
  L_SW_Desc = Title.L_SW_Desc;

  Shape2 = new TShape(this);
  Shape2->SetName(QStringLiteral("Shape2"));
  Shape2->SetParent(this);
  Shape2->SetBounds(80, 70, 348, 34);
  Shape2->Pen()->SetColor(clGray);
  Shape2->Brush()->SetColor(clWhite);

  L_Name_Conf = new TLabel(this);
  L_Name_Conf->SetName(QStringLiteral("L_Name_Conf"));
  L_Name_Conf->SetParent(this);
  L_Name_Conf->SetColor(clWhite);
  L_Name_Conf->Font()->SetColor(clMaroon);
  L_Name_Conf->Font()->SetStyle(TFontStyles{fsBold});

  L_Name_Conf_L2 = new TLabel(this);
  L_Name_Conf_L2->SetName(QStringLiteral("L_Name_Conf_L2"));
  L_Name_Conf_L2->SetParent(this);
  L_Name_Conf_L2->SetColor(clWhite);
  L_Name_Conf_L2->Font()->SetColor(clNavy);

  L_Begin = Make_Step_Label(QStringLiteral("L_Begin"), 84);
  L_Step_1 = Make_Step_Label(QStringLiteral("L_Step_1"), 128);
  L_Step_2 = Make_Step_Label(QStringLiteral("L_Step_2"), 172);
  L_Step_3 = Make_Step_Label(QStringLiteral("L_Step_3"), 216);
  L_Step_4 = Make_Step_Label(QStringLiteral("L_Step_4"), 260);
  L_Step_5 = Make_Step_Label(QStringLiteral("L_Step_5"), 304);
  L_Step_6 = Make_Step_Label(QStringLiteral("L_Step_6"), 348);
  L_Step_7 = Make_Step_Label(QStringLiteral("L_Step_7"), 392);
  L_Step_8 = Make_Step_Label(QStringLiteral("L_Step_8"), 436);

  auto Glyph_Button = [this](const QString &Name, TMainGlyph Kind) {
    TLbButton *B = new TLbButton(this);
    B->SetName(Name);
    B->SetParent(this);
    B->SetBounds(0, 8, 50, 50);
    Set_Button_Look(B, bsNormal);
    B->SetCaption(QString());
    B->SetLayout(TLbButtonLayout::blGlyphTop);
    B->SetShowHint(true);
    std::unique_ptr<TBitmap> G = Make_Main_Glyph(Kind);
    B->SetGlyph(G.get());
    B->OnClick = [this](TObject *Sender) { Btn_Click(Sender); };
    return B;
  };
  Btn_Info = Glyph_Button(QStringLiteral("Btn_Info"), TMainGlyph::mgInfo);
  Btn_Opz = Glyph_Button(QStringLiteral("Btn_Opz"), TMainGlyph::mgOptions);
  Btn_Close = Glyph_Button(QStringLiteral("Btn_Close"), TMainGlyph::mgClose);

  Btn_New = Make_Step_Button(QStringLiteral("Btn_New"), QStringLiteral("New Configuration"));
  Btn_Open = Make_Step_Button(QStringLiteral("Btn_Open"), QStringLiteral("Open Configuration"));
  Btn_Prm_Gen = Make_Step_Button(QStringLiteral("Btn_Prm_Gen"), QStringLiteral("Set Communication"));
  Btn_Prm_Gen->SetStyle(bsNormal);
  Btn_S7_Protocol_Access = Make_Step_Button(QStringLiteral("Btn_S7_Protocol_Access"), QStringLiteral("S7comm Access"));
  Btn_MQTT_Set_Topic = Make_Step_Button(QStringLiteral("Btn_MQTT_Set_Topic"), QStringLiteral("MQTT Topics"));
  Btn_CreateBin = Make_Step_Button(QStringLiteral("Btn_CreateBin"), QStringLiteral("Update Device UDP"));
  Btn_PROFIBUS_GSD = Make_Step_Button(QStringLiteral("Btn_PROFIBUS_GSD"), QStringLiteral("PROFIBUS GSD"));
  Btn_KNX_Access = Make_Step_Button(QStringLiteral("Btn_KNX_Access"), QStringLiteral("KNX Access"));
  Btn_IEC61850_Access = Make_Step_Button(QStringLiteral("Btn_IEC61850_Access"), QStringLiteral("IEC61850 Access"));
  Btn_TLS_List_Certificates =
      Make_Step_Button(QStringLiteral("Btn_TLS_List_Certificates"), QStringLiteral("TLS Known Certificates"));
  Btn_CAN_Rec_Frame = Make_Step_Button(QStringLiteral("Btn_CAN_Rec_Frame"), QStringLiteral("Receive Frames"));
  Btn_CAN_Send_Frame = Make_Step_Button(QStringLiteral("Btn_CAN_Send_Frame"), QStringLiteral("Send Frames"));
  Btn_SDO_Server_CANopen = Make_Step_Button(QStringLiteral("Btn_SDO_Server_CANopen"), QStringLiteral("Set SDO Server"));
  Btn_SDO_Client_CANopen = Make_Step_Button(QStringLiteral("Btn_SDO_Client_CANopen"), QStringLiteral("Set SDO Client"));
  Btn_PDO_CANopen = Make_Step_Button(QStringLiteral("Btn_PDO_CANopen"), QStringLiteral("Set PDO Access"));
  Btn_CANopen_EDS = Make_Step_Button(QStringLiteral("Btn_CANopen_EDS"), QStringLiteral("EDS File"));
  Btn_SNMP_Trap = Make_Step_Button(QStringLiteral("Btn_SNMP_Trap"), QStringLiteral("Set SNMP Access"));
  Btn_SNMP_MIB = Make_Step_Button(QStringLiteral("Btn_SNMP_MIB"), QStringLiteral("SNMP MIB"));
  Btn_BACnet_SetAccess = Make_Step_Button(QStringLiteral("Btn_BACnet_SetAccess"), QStringLiteral("Set BACnet Access"));
  Btn_BACnet_EDE_File = Make_Step_Button(QStringLiteral("Btn_BACnet_EDE_File"), QStringLiteral("BACnet EDE File"));
  Btn_OPC_UA_Server_Access =
      Make_Step_Button(QStringLiteral("Btn_OPC_UA_Server_Access"), QStringLiteral("OPC UA Access"));
  Btn_PROFINET_XML = Make_Step_Button(QStringLiteral("Btn_PROFINET_XML"), QStringLiteral("PROFINET XML"));

  L_Velmora = new TLabel(this);
  L_Velmora->SetName(QStringLiteral("L_Velmora"));
  L_Velmora->SetParent(this);
  L_Velmora->SetCaption(Maker_Web_Domain);
  L_Velmora->SetCursor(crHandPoint);
  L_Velmora->Font()->SetColor(clBlue);
  L_Velmora->Font()->SetStyle(TFontStyles{fsUnderline});
  L_Velmora->OnClick = [this](TObject *Sender) { L_VelmoraClick(Sender); };

  Shape1 = new TShape(this);
  Shape1->SetName(QStringLiteral("Shape1"));
  Shape1->SetParent(this);
  Shape1->SetBounds(10, 0, 674, 1);
  Shape1->Pen()->SetColor(clGray);

  LL_Update = new TLinkLabel(this);
  LL_Update->SetName(QStringLiteral("LL_Update"));
  LL_Update->SetParent(this);
  LL_Update->SetVisible(false);
  LL_Update->Font()->SetStyle(TFontStyles{fsBold});
  LL_Update->OnLinkClick = [this](TObject *Sender, const QString &Link, TSysLinkType) {
    LL_UpdateLinkClick(Sender, Link);
  };

  Timer_Update = new TTimer(this);
  Timer_Update->SetName(QStringLiteral("Timer_Update"));
  Timer_Update->SetEnabled(false);
  Timer_Update->SetInterval(Update_First_Interval);
  Timer_Update->SetOnTimer([this](TObject *Sender) { Timer_UpdateTimer(Sender); });

  XML1 = new TXMLDocument(this);
  XML1->SetName(QStringLiteral("XML1"));

  SD1 = new TSaveDialog(this);
  SD1->SetName(QStringLiteral("SD1"));
  SD1->SetFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv"));

  SaveEDS = new TSaveDialog(this);
  SaveEDS->SetName(QStringLiteral("SaveEDS"));
  SaveEDS->SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds"));
  SaveEDS->SetDefaultExt(QStringLiteral("*.eds"));

  SaveMIB = new TSaveDialog(this);
  SaveMIB->SetName(QStringLiteral("SaveMIB"));
  SaveMIB->SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
  SaveMIB->SetDefaultExt(QStringLiteral("*.mib"));
}

void TFQuillomarkeFirmWare::Layout_Step_Page()
{
  L_SW_Code->SetTop(8);
  L_SW_Code->SetLeft(16);
  L_SW_Desc->SetTop(42);
  L_SW_Desc->SetLeft(16);
  Shape2->SetTop(70);
  Shape2->SetLeft(80);
  L_Name_Conf->SetTop(75);
  L_Name_Conf->SetLeft(87);
  L_Name_Conf_L2->SetTop(88);
  L_Name_Conf_L2->SetLeft(87);
  L_Begin->SetTop(84);
  L_Begin->SetLeft(16);
  Btn_Info->SetTop(8);
  Btn_Info->SetLeft(516);
  Btn_Opz->SetTop(8);
  Btn_Opz->SetLeft(574);
  Btn_Close->SetTop(8);
  Btn_Close->SetLeft(632);

  TLabel *Steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
  for (int i = 0; i < 8; ++i) {
    Steps[i]->SetTop(128 + 44 * i);
    Steps[i]->SetLeft(16);
    Steps[i]->SetVisible(i < 5);
  }

  TLbButton *Hidden[] = {Btn_PROFIBUS_GSD, Btn_KNX_Access, Btn_IEC61850_Access, Btn_TLS_List_Certificates,
                         Btn_CAN_Rec_Frame, Btn_CAN_Send_Frame, Btn_SDO_Server_CANopen, Btn_SDO_Client_CANopen,
                         Btn_PDO_CANopen, Btn_CANopen_EDS, Btn_SNMP_Trap, Btn_SNMP_MIB, Btn_BACnet_SetAccess,
                         Btn_BACnet_EDE_File, Btn_OPC_UA_Server_Access, Btn_PROFINET_XML};
  for (TLbButton *B : Hidden) B->SetVisible(false);

  struct TPlace {
    TLbButton *Button;
    int Top;
    int Left;
  };
  const TPlace Shown[] = {{Btn_New, 112, 80},     {Btn_Open, 112, 258},
                          {Btn_Prm_Gen, 156, 80}, {Btn_S7_Protocol_Access, 200, 80},
                          {Btn_MQTT_Set_Topic, 244, 80}, {Btn_CreateBin, 288, 80}};
  for (const TPlace &P : Shown) {
    P.Button->SetTop(P.Top);
    P.Button->SetLeft(P.Left);
    P.Button->SetVisible(true);
  }

  Shape1->SetTop(Btn_CreateBin->Top() + 51);
  Shape1->SetLeft(10);
  Shape1->SetHeight(1);
  Shape1->SetWidth(674);
  // The address ends where the separator line ends at the latest: the fonts here run wider
  // than those the page was designed with.
  L_Velmora->SetTop(L_Step_5->Top());
  L_Velmora->SetLeft(std::min(565, Shape1->Left() + Shape1->Width() - L_Velmora->Width()));
  LL_Update->SetTop(Shape1->Top() + 14);
  LL_Update->SetLeft(80);

  SetClientWidth(694);
  SetClientHeight(Btn_CreateBin->Top() + 152);
}

void TFQuillomarkeFirmWare::FormCreate(TObject *)
{
  TAppState &S = AppState();
  S.Lang_Texts.clear();
  S.Lang_Text_Count = 0;

  Layout_Step_Page();

  S.App_Dir = ExcludeTrailingPathDelimiter(ExtractFilePath(ExeName()));
  S.Master_Dir = S.App_Dir + QStringLiteral("/MASTER");
  S.Projects_Dir = S.App_Dir + QStringLiteral("/PROJECTS");
  S.Language_Dir = S.App_Dir + QStringLiteral("/LANGUAGE");
  for (const QString &Dir : {S.Master_Dir, S.Projects_Dir, S.Language_Dir})
    if (!DirectoryExists(Dir)) CreateDir(Dir);

  S.Project_Name.clear();
  S.Update_Read_Back = true;

  Load_Settings();

  Timer_Update->SetEnabled(S.Opt_Enable_Internet && S.Opt_Enable_Update);

  S.Main_Title = Maker_Web_Domain + QStringLiteral(" - Configurator QC40328 - S7comm / MQTT ");
  S.Software_Code = QStringLiteral("QC40328");
  S.Software_Description = QStringLiteral("S7comm / MQTT - Converter");
  SetCaption(S.Main_Title);
  L_SW_Code->SetCaption(S.Software_Code);
  L_SW_Desc->SetCaption(S.Software_Description);

  Load_Language();

  const QString Remembered = S.Projects_Dir + QLatin1Char('/') + S.Project_Name;
  if (!S.Project_Name.isEmpty() && DirectoryExists(Remembered))
    S.Project_Dir = Remembered;
  else
    S.Project_Dir.clear();

  Set_Lang();
  Set_Files();

  S.Row_Clipboard = std::make_unique<TStringList>();
  S.Row_Clipboard_Checks.clear();
  S.MIB_Read_Names = std::make_unique<TStringList>();
  S.MIB_Write_Names = std::make_unique<TStringList>();

  BankBuilder().XML1 = XML1;
}

void TFQuillomarkeFirmWare::Set_Files()
{
  TAppState &S = AppState();
  const QString D = S.Project_Dir;
  S.File_ParGen = D + QStringLiteral("/ParGen.xml");
  S.File_S7_Protocol = D + QStringLiteral("/S7_Protocol.xml");
  S.File_KNX_SetAccess = D + QStringLiteral("/KNX_SetAccess.xml");
  S.File_IEC61850_Variables = D + QStringLiteral("/IEC61850_Variables.xml");
  S.File_TLS_Known_Cert = D + QStringLiteral("/TLS_Known_Cert.xml");
  S.File_CAN_Rec_Frames = D + QStringLiteral("/CAN_Rec_Frames.xml");
  S.File_CAN_Send_Frames = D + QStringLiteral("/CAN_Send_Frames.xml");
  S.File_SDO_Server_CANopen = D + QStringLiteral("/SDO_Server_CANopen.xml");
  S.File_SDO_Client_CANopen = D + QStringLiteral("/SDO_Client_CANopen.xml");
  S.File_PDO_CANopen = D + QStringLiteral("/PDO_CANopen.xml");
  S.File_SNMP_Trap = D + QStringLiteral("/SNMP_Trap.xml");
  S.File_MQTT_Set_Topic = D + QStringLiteral("/MQTT_Set_Topic.xml");
  S.File_BACnet_Slave = D + QStringLiteral("/BACnet_Slave.xml");
  S.File_OPC_UA_Server = D + QStringLiteral("/OPC_UA_Server.xml");
}

void TFQuillomarkeFirmWare::Show_Project_Indicator()
{
  const TAppState &S = AppState();
  if (!S.Project_Dir.isEmpty()) {
    L_Name_Conf->SetCaption(Lang_Text(11));
    L_Name_Conf_L2->SetCaption(S.Project_Name);
  } else {
    L_Name_Conf->SetCaption(Lang_Text(9));
    L_Name_Conf_L2->SetCaption(Lang_Text(10));
  }
}

void TFQuillomarkeFirmWare::Set_Lang()
{
  L_Begin->SetCaption(Lang_Text(0));
  TLabel *Steps[] = {L_Step_1, L_Step_2, L_Step_3, L_Step_4, L_Step_5, L_Step_6, L_Step_7, L_Step_8};
  for (int i = 0; i < 8; ++i) Steps[i]->SetCaption(Lang_Text(1 + i));

  Btn_Info->SetHint(Lang_Text(12));
  Btn_Opz->SetHint(Lang_Text(13));
  Btn_Close->SetHint(Lang_Text(14));

  struct TTexts {
    TLbButton *Button;
    int Caption;
    int Hint;
  };
  const TTexts Texts[] = {
      {Btn_New, 15, 22},
      {Btn_Open, 16, 23},
      {Btn_Prm_Gen, 20, 24},
      {Btn_S7_Protocol_Access, 21, 25},
      {Btn_MQTT_Set_Topic, 55, 56},
      {Btn_CreateBin, 17, 26},
      {Btn_PROFIBUS_GSD, 27, 28},
      {Btn_KNX_Access, 29, 30},
      {Btn_IEC61850_Access, 31, 32},
      {Btn_TLS_List_Certificates, 33, 34},
      {Btn_CAN_Rec_Frame, 35, 37},
      {Btn_CAN_Send_Frame, 36, 38},
      {Btn_SDO_Server_CANopen, 43, 44},
      {Btn_SDO_Client_CANopen, 45, 46},
      {Btn_PDO_CANopen, 47, 48},
      {Btn_CANopen_EDS, 49, 50},
      {Btn_SNMP_Trap, 51, 52},
      {Btn_SNMP_MIB, 53, 54},
      {Btn_OPC_UA_Server_Access, 57, 58},
      {Btn_PROFINET_XML, 59, 60},
  };
  for (const TTexts &T : Texts) {
    T.Button->SetCaption(Lang_Text(T.Caption));
    T.Button->SetHint(Lang_Text(T.Hint));
  }

  Show_Project_Indicator();
}

void TFQuillomarkeFirmWare::Btn_Click(TObject *Sender)
{
  if (Sender == Btn_New) {
    Create_New_Project();
    return;
  }
  if (Sender == Btn_Open) {
    Open_Project();
    return;
  }
  if (Sender == Btn_Close) {
    Close();
    return;
  }
  if (Sender == Btn_Info) {
    FAbout->ShowModal();
    return;
  }
  if (Sender == Btn_Opz) {
    if (FSoftOptions->ShowModal() == mrOk) {
      Save_Setting();
      const TAppState &S = AppState();
      Timer_Update->SetEnabled(S.Opt_Enable_Internet && S.Opt_Enable_Update);
    }
    return;
  }
  if (AppState().Project_Dir.isEmpty()) {
    MessageDlg(Lang_Text(18), mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }

  if (Sender == Btn_Prm_Gen)
    FParGen->ShowModal();
  else if (Sender == Btn_S7_Protocol_Access)
    FS7_Protocol_Set_Access->ShowModal();
  else if (Sender == Btn_MQTT_Set_Topic)
    FMQTT_Set_Topic->ShowModal();
  else if (Sender == Btn_KNX_Access)
    FKNXAccess->ShowModal();
  else if (Sender == Btn_TLS_List_Certificates)
    FTLS_Server_Known_Cert->ShowModal();
  else if (Sender == Btn_IEC61850_Access)
    FIEC61850_Variables->ShowModal();
  else if (Sender == Btn_CAN_Rec_Frame)
    FReceiveCAN->ShowModal();
  else if (Sender == Btn_CAN_Send_Frame)
    FTransmitCAN->ShowModal();
  else if (Sender == Btn_PDO_CANopen)
    FSet_PDO_Access->ShowModal();
  else if (Sender == Btn_SDO_Client_CANopen)
    FSet_SDO_Client_Access->ShowModal();
  else if (Sender == Btn_SDO_Server_CANopen)
    FSet_SDO_Server_Access->ShowModal();
  else if (Sender == Btn_SNMP_Trap)
    FSNMP_Trap_Access->ShowModal();
  else if (Sender == Btn_BACnet_SetAccess)
    FBACnetSlaveSetAccess->ShowModal();
  else if (Sender == Btn_OPC_UA_Server_Access)
    FOPC_UA_Server_Access->ShowModal();
  else if (Sender == Btn_PROFIBUS_GSD)
    Save_GSD_File(Side_File_UI());
  else if (Sender == Btn_CANopen_EDS)
    Build_EDS_File();
  else if (Sender == Btn_SNMP_MIB)
    Save_MIB_File(Side_File_UI());
  else if (Sender == Btn_BACnet_EDE_File)
    BACnet_EDE_File();
  else if (Sender == Btn_CreateBin)
    Update_Device();
  // Btn_PROFINET_XML: no export in this build.
}

void TFQuillomarkeFirmWare::Update_Device() { FBoot->Update_Device(); }

void TFQuillomarkeFirmWare::FormClose(TObject *, TCloseAction &)
{
  // A settings file that cannot be written is reported, and the program still ends.
  try {
    Save_Setting();
  } catch (Exception &E) {
    Application->ShowException(&E);
  }
}

void TFQuillomarkeFirmWare::Timer_UpdateTimer(TObject *)
{
  Timer_Update->SetEnabled(false);
  if (FSoftOptions->Check_Version()) {
    LL_Update->SetCaption(Download_Link_Caption(Lang_Text(19)));
    LL_Update->SetVisible(true);
  } else {
    LL_Update->SetVisible(false);
  }
  Timer_Update->SetInterval(Update_Period_Interval);
  Timer_Update->SetEnabled(true);
}

// The label's only target is the download page, whatever its caption came to hold.
void TFQuillomarkeFirmWare::LL_UpdateLinkClick(TObject *, const QString &) { OpenURL(Maker_Download_Page); }

void TFQuillomarkeFirmWare::L_VelmoraClick(TObject *) { OpenURL(Maker_Home_Page); }

// Every form of the application, the main window first as it was created first.
void TFQuillomarkeFirmWare::Change_Language() { Set_Lang_All_Forms(); }
