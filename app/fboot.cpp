#include "app/fboot.h"

#include "app/fmain.h"
#include "app/forms.h"
#include "ui/lbbutton.h"
#include "framework/classes/thread.h"
#include "framework/controls/busywait.h"
#include "framework/dialogs/dialogs.h"
#include "framework/services/ping.h"
#include "project/maker.h"
#include "project/app_state.h"
#include "project/banks.h"
#include "project/validators.h"
#include "ui/lang_text.h"
#include "ui/bands.h"


namespace {

// The operations of the job file, in the order the updater carries them out.
struct TJobOperation {
  const char *FileName;  // below Master_Dir for the firmware, below Project_Dir for the banks
  bool Firmware;
  const char *Start_Address;
  const char *Bank_Type;
  const char *Write_CSS;
};

constexpr TJobOperation Firmware_Operation{"/Sim40328.sim", true, "0x8000", "1", "1"};
constexpr TJobOperation Bank_Operations[3] = {
    {"/bin/bank1.bin", false, "0x07000", "2", "0"},
    {"/bin/bank2.bin", false, "0x80000", "2", "0"},
    {"/bin/bank3.bin", false, "0xA0000", "2", "0"},
};

void Add_Text(IXMLNode Parent, const char *Name, const QString &Text)
{
  Parent.AddChild(QString::fromLatin1(Name)).SetText(Text);
}

void Add_Operation(IXMLNode Operations, const TJobOperation &Op, bool Read_Back, bool GoToApp_After)
{
  const TAppState &S = AppState();
  IXMLNode O = Operations.AddChild(QStringLiteral("Operation"));
  Add_Text(O, "Ope_Protection_Enabled", QString());
  Add_Text(O, "Ope_GoToBoot_Before", QStringLiteral("0"));
  Add_Text(O, "Ope_GoToApp_Before", QStringLiteral("0"));
  Add_Text(O, "Ope_IP_Address", QString());
  Add_Text(O, "Ope_Port", QStringLiteral("2008"));
  Add_Text(O, "Ope_Port_Sec", QStringLiteral("2007"));
  Add_Text(O, "Ope_Erase_Memory", QStringLiteral("0"));
  Add_Text(O, "Ope_FileName", (Op.Firmware ? S.Master_Dir : S.Project_Dir) + QString::fromLatin1(Op.FileName));
  Add_Text(O, "Ope_Start_Address", QString::fromLatin1(Op.Start_Address));
  Add_Text(O, "Ope_Memory_Type", QStringLiteral("0"));
  Add_Text(O, "Ope_Bank_Type", QString::fromLatin1(Op.Bank_Type));
  Add_Text(O, "Ope_Read_Back", Read_Back ? QStringLiteral("1") : QStringLiteral("0"));
  Add_Text(O, "Ope_Write_CSS", QString::fromLatin1(Op.Write_CSS));
  Add_Text(O, "Ope_Address_CSS", QStringLiteral("0x07A00"));
  Add_Text(O, "Ope_Command_CSS", QStringLiteral("0x02"));
  Add_Text(O, "Ope_Write_Internal_Data", QStringLiteral("0"));
  Add_Text(O, "Ope_WID_Address", QStringLiteral("0x07810"));
  Add_Text(O, "Ope_WID_Command", QStringLiteral("0x02"));
  Add_Text(O, "Ope_WID_Data", QStringLiteral("0x00, 0x00, 0x00, 0x01"));
  Add_Text(O, "Ope_GoToApp_After", GoToApp_After ? QStringLiteral("1") : QStringLiteral("0"));
}

TPanel *Make_Panel(TFBoot *Form, const QString &Name, int Height)
{
  TPanel *P = new TPanel(Form);
  P->SetName(Name);
  P->SetParent(Form);
  P->SetBevelOuter(bvNone);
  P->SetCaption(QString());
  P->SetParentColor(true);
  P->SetBounds(0, 0, 449, Height);
  return P;
}

}  // namespace

TFBoot::TFBoot(TComponent *AOwner) : TLangForm(AOwner)
{
  SetName(QStringLiteral("FBoot"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  SetShowHint(true);
  SetClientSize(449, 230);

  // Title band
  const TTitleBand Title = Make_Title_Band(this);
  P_Title = Title.P_Title;
  L_SW_Code = Title.L_SW_Code;
  L_SW_Desc = Title.L_SW_Desc;

  // Address of the gateway: four octet boxes with "." labels between them
  P_IP_Address = Make_Panel(this, QStringLiteral("P_IP_Address"), 49);
  P_IP_Address->SetTop(69);
  L_IP_Address = Make_Dialog_Label(this, P_IP_Address, QStringLiteral("L_IP_Address"), 16, 4);
  L_IP_Address->Font()->SetStyle(TFontStyles{fsBold});
  TEdit **Boxes[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
  TLabel **Dots[3] = {&Label1, &Label2, &Label3};
  for (int I = 0; I < 4; ++I) {
    TEdit *E = new TEdit(this);
    E->SetName(QStringLiteral("E_IP%1").arg(I + 1));
    E->SetParent(P_IP_Address);
    E->SetBounds(16 + I * 56, 21, 41, 21);
    E->SetAlignment(taCenter);
    E->SetText(QStringLiteral("0"));
    E->SetTabStop(true);
    E->SetShowHint(true);
    E->OnKeyPress = [this](TObject *Sender, QChar &Key) { KeyPress(Sender, Key); };
    *Boxes[I] = E;
    if (I < 3) {
      TLabel *D = Make_Dialog_Label(this, P_IP_Address, QStringLiteral("Label%1").arg(I + 1), 16 + I * 56 + 46, 24);
      D->Font()->SetStyle(TFontStyles{fsBold});
      D->SetCaption(QStringLiteral("."));
      *Dots[I] = D;
    }
  }

  // Panels of the other modes; this build never shows them.
  P_Eth_Search = Make_Panel(this, QStringLiteral("P_Eth_Search"), 150);
  P_Eth_Search->SetVisible(false);
  P_Serial = Make_Panel(this, QStringLiteral("P_Serial"), 49);
  P_Serial->SetVisible(false);

  // Update options
  P_Options = Make_Panel(this, QStringLiteral("P_Options"), 72);
  P_Options->SetTop(118);
  L_Update_Option = Make_Dialog_Label(this, P_Options, QStringLiteral("L_Update_Option"), 16, 4);
  L_Update_Option->Font()->SetStyle(TFontStyles{fsBold});
  CB_Update_Options = new TComboBox(this);
  CB_Update_Options->SetName(QStringLiteral("CB_Update_Options"));
  CB_Update_Options->SetParent(P_Options);
  CB_Update_Options->SetStyle(csDropDownList);
  CB_Update_Options->SetBounds(16, 21, 209, 21);
  CB_Update_Options->SetTabStop(true);
  CB_Update_Options->SetShowHint(true);
  CB_Update_Option_Read_Back = new TCheckBox(this);
  CB_Update_Option_Read_Back->SetName(QStringLiteral("CB_Update_Option_Read_Back"));
  CB_Update_Option_Read_Back->SetParent(P_Options);
  CB_Update_Option_Read_Back->SetBounds(16, 48, 209, 17);
  CB_Update_Option_Read_Back->SetChecked(true);
  CB_Update_Option_Read_Back->SetTabStop(true);
  CB_Update_Option_Read_Back->SetShowHint(true);

  // Buttons
  P_Button = Make_Button_Band(this);
  Btn_Cancel = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 16, 7, 110);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_Update = Make_Dialog_Button(this, P_Button, QStringLiteral("Btn_Update"), 449 - 16 - 190, 7, 190);
  Btn_Update->OnClick = [this](TObject *Sender) { Btn_UpdateClick(Sender); };

  Ping = new TIcmpClient(this);
  Ping->SetName(QStringLiteral("Ping"));
  Ping->SetReceiveTimeout(Ping_Reply_Timeout);
  Ping->SetPacketSize(Ping_Packet_Size);
  Ping->OnReply = [this](TComponent *ASender, const TReplyStatus &R) { PingReply(ASender, R); };

  XML1 = new TXMLDocument(this);
  XML1->SetName(QStringLiteral("XML1"));

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
}

TFBoot::~TFBoot() = default;

void TFBoot::FormCreate(TObject *) { Set_Lang(); }

void TFBoot::Set_Lang()
{
  if (Form_Type == 0) {
    SetCaption(Lang_Text(1000));
    L_SW_Desc->SetCaption(Lang_Text(1001));
  } else {
    SetCaption(Lang_Text(1002));
    L_SW_Desc->SetCaption(Lang_Text(1003));
  }
  L_IP_Address->SetCaption(Lang_Text(1006));
  L_Update_Option->SetCaption(Lang_Text(1014));
  CB_Update_Options->Items()->Clear();
  CB_Update_Options->Items()->Add(Lang_Text(1015));
  CB_Update_Options->Items()->Add(Lang_Text(1016));
  CB_Update_Options->Items()->Add(Lang_Text(1017));
  CB_Update_Options->SetItemIndex(0);
  CB_Update_Option_Read_Back->SetCaption(Lang_Text(1018));
  Btn_Cancel->SetCaption(Lang_Text(1019));
  Btn_Update->SetCaption(Lang_Text(1020));
  E_IP1->SetHint(Lang_Text(1021));
  E_IP2->SetHint(Lang_Text(1022));
  E_IP3->SetHint(Lang_Text(1023));
  E_IP4->SetHint(Lang_Text(1024));
  CB_Update_Options->SetHint(Lang_Text(1032));
  CB_Update_Option_Read_Back->SetHint(Lang_Text(1033));
  Btn_Cancel->SetHint(Lang_Text(1034));
  Btn_Update->SetHint(Lang_Text(1035));
}

void TFBoot::Update_Device()
{
  // A project file that cannot be read raises here, before any bank file is written; the
  // framework shows its message.
  TBankBuilder &Builder = BankBuilder();
  Builder.Create_Bin();
  QString Error;
  if (!Builder.Save_Bin(&Error)) {
    MessageDlg(QStringLiteral("The configuration of the device could not be written, so the update cannot start.\n") + Error,
               mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }
  Form_Type = 1;
  ShowModal();
}

void TFBoot::FormShow(TObject *)
{
  const TAppState &S = AppState();
  Set_Lang();
  L_SW_Code->SetCaption(S.Software_Code);

  DisableAlign();
  for (TPanel *P : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) {
    P->SetVisible(false);
    P->SetAlign(alNone);
  }
  P_IP_Address->SetVisible(true);
  P_Options->SetVisible(true);
  SetClientWidth(449);
  // Stacked under the title in this order: each goes below the previous one.
  int Top = P_Title->Height();
  for (TPanel *P : {P_IP_Address, P_Eth_Search, P_Options}) {
    P->SetTop(Top);
    P->SetAlign(alTop);
    if (P->Visible()) Top += P->Height();
  }
  EnableAlign();
  SetClientHeight(P_Title->Height() + P_IP_Address->Height() + P_Options->Height() + P_Button->Height());
  P_Title->SetTabOrder(0);
  P_IP_Address->SetTabOrder(1);
  P_Eth_Search->SetTabOrder(2);
  P_Options->SetTabOrder(3);
  P_Button->SetTabOrder(4);
  P_Serial->SetTabOrder(5);

  QString IP1, IP2, IP3, IP4;
  if (!S.Last_IP_Address.isEmpty() && Split_IP_Address(S.Last_IP_Address, IP1, IP2, IP3, IP4)) {
    E_IP1->SetText(IP1);
    E_IP2->SetText(IP2);
    E_IP3->SetText(IP3);
    E_IP4->SetText(IP4);
  }

  CB_Update_Options->SetItemIndex(S.Update_Option >= 0 && S.Update_Option < 3 ? S.Update_Option : 0);
  CB_Update_Option_Read_Back->SetChecked(S.Update_Read_Back);
  Btn_Update->SetEnabled(true);
  if (E_IP1->CanFocus()) E_IP1->SetFocus();
  else SetActiveControl(E_IP1);
}

void TFBoot::KeyPress(TObject *Sender, QChar &Key)
{
  if (Key != QLatin1Char('.')) return;
  Key = QChar(0);
  TEdit *Next = nullptr;
  if (Sender == E_IP1) Next = E_IP2;
  else if (Sender == E_IP2) Next = E_IP3;
  else if (Sender == E_IP3) Next = E_IP4;
  if (Next && Next->CanFocus()) Next->SetFocus();
}

QString TFBoot::Joined_Address() const
{
  return E_IP1->Text() + QLatin1Char('.') + E_IP2->Text() + QLatin1Char('.') + E_IP3->Text() + QLatin1Char('.') +
         E_IP4->Text();
}

void TFBoot::PingReply(TComponent *, const TReplyStatus &AReplyStatus)
{
  ping_res = AReplyStatus.BytesReceived > 0 ? 1 : 2;
}

bool TFBoot::Send_Ping()
{
  ping_res = 0;
  const uint32_t Start = GetTickCount();
  const QString Host = Joined_Address();
  Ping->SetHost(Host);
  FPing_Error.clear();
  int Answered = 0;
  try {
    for (;;) {
      const uint32_t Attempt = GetTickCount();
      Ping->Ping(Host);
      while (ping_res == 0 && GetTickCount() - Attempt <= uint32_t(Ping_Reply_Timeout)) {
        Sleep(10);
        Application->ProcessMessages();
      }
      // The window stays responsive between attempts.
      Application->ProcessMessages();
      if (ping_res == 1 && ++Answered >= Ping_Answers_Needed) break;
      if (GetTickCount() - Start > uint32_t(Ping_Limit_Ms)) break;
    }
  } catch (const EPingSocketError &E) {
    // Not the device's silence: the system refused the ping, which the user must be told.
    FPing_Error = E.Message();
    return false;
  } catch (...) {
    return false;
  }
  return ping_res == 1;
}

void TFBoot::Btn_UpdateClick(TObject *)
{
  if (FBusy) return;
  // The updater left running by the last wait must not find its job file replaced.
  if (FUpdater_Pid != 0 && ProgramRunning(FUpdater_Pid)) {
    MessageDlg(Lang_Text(1041), mtWarning, TMsgDlgButtons{mbOK}, 0);
    return;
  }
  FUpdater_Pid = 0;

  // Only a valid dotted address is pinged, remembered or handed to the updater.
  QString IP1, IP2, IP3, IP4;
  if (!Split_IP_Address(Joined_Address(), IP1, IP2, IP3, IP4)) {
    MessageDlg(Lang_Text(1037), mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }
  // Blanks and leading zeros go, so that the ping, the settings and the updater all see the
  // same plain dotted address.
  E_IP1->SetText(QString::number(IP1.toInt()));
  E_IP2->SetText(QString::number(IP2.toInt()));
  E_IP3->SetText(QString::number(IP3.toInt()));
  E_IP4->SetText(QString::number(IP4.toInt()));

  FBusy = true;
  Btn_Update->SetEnabled(false);
  bool Found = false;
  try {
    Found = Send_Ping();
  } catch (...) {
    FBusy = false;
    Btn_Update->SetEnabled(true);
    throw;
  }
  FBusy = false;
  Btn_Update->SetEnabled(true);
  // Closed while the ping ran: the user no longer wants the update.
  if (ModalResult() != mrNone) return;

  if (!Found) {
    if (!FPing_Error.isEmpty())
      MessageDlg(Lang_Text(1042) + FPing_Error, mtError, TMsgDlgButtons{mbOK}, 0);
    else if (ping_res == 2)
      MessageDlg(Lang_Text(1036), mtWarning, TMsgDlgButtons{mbOK}, 0);
    else
      MessageDlg(Lang_Text(1037), mtError, TMsgDlgButtons{mbOK}, 0);
    return;
  }

  TAppState &S = AppState();
  S.Last_IP_Address = Joined_Address();
  S.Update_Option = CB_Update_Options->ItemIndex();
  S.Update_Read_Back = CB_Update_Option_Read_Back->Checked();
  Compile_XML_Parameter_New_Boot();
  Run_Updater();
}

void TFBoot::Run_Updater()
{
  const QString Updater = AppState().App_Dir + QLatin1Char('/') + Updater_File_Name;
  FBusy = true;
  Btn_Update->SetEnabled(false);
  const TProgramStatus Run = StartProgramAndWait(Updater, QString(), false, Start_Program_Wait_Limit);
  FUpdater_Pid = Run.Pid;
  FBusy = false;
  Btn_Update->SetEnabled(true);
  // The updater talks to the device on its own; how it ended is all the user learns of it.
  if (Run.Pid == 0)
    MessageDlg(Lang_Text(1040) + Updater, mtError, TMsgDlgButtons{mbOK}, 0);
  else if (Run.Running)
    MessageDlg(Lang_Text(1039), mtWarning, TMsgDlgButtons{mbOK}, 0);
  else if (Run.Signal != 0)
    MessageDlg(Lang_Text(1043) + QString::number(Run.Signal), mtError, TMsgDlgButtons{mbOK}, 0);
  else if (Run.ExitCode != 0)
    MessageDlg(Lang_Text(1038) + QString::number(Run.ExitCode), mtError, TMsgDlgButtons{mbOK}, 0);
}

void TFBoot::Compile_XML_Parameter_New_Boot()
{
  const TAppState &S = AppState();
  const int Option = CB_Update_Options->ItemIndex();
  const bool Read_Back = CB_Update_Option_Read_Back->Checked();

  XML1->SetActive(true);
  XML1->ChildNodes().Clear();
  IXMLNode Root = XML1->AddChild(QStringLiteral("Ethernet_Update"));
  Add_Text(Root, "Version", QStringLiteral("1000"));
  Add_Text(Root, "Title", Maker_Web_Domain + QStringLiteral(" - QC40328 Ethernet Update"));
  Add_Text(Root, "IP_Address_Dev", Joined_Address());
  Add_Text(Root, "Application_Port", QStringLiteral("10000"));
  Add_Text(Root, "Boot_Port", QStringLiteral("2008"));
  Add_Text(Root, "Boot_Port_Sec", QStringLiteral("2007"));
  Add_Text(Root, "Address_Protection", QStringLiteral("0x07800"));
  Root.AddChild(QStringLiteral("Protections")).AddChild(QStringLiteral("Protection")).SetText(QStringLiteral("0x4C7"));
  IXMLNode Operations = Root.AddChild(QStringLiteral("Operations"));
  if (Option == 0 || Option == 1) Add_Operation(Operations, Firmware_Operation, Read_Back, Option == 1);
  if (Option == 0 || Option == 2)
    for (int I = 0; I < 3; ++I) Add_Operation(Operations, Bank_Operations[I], Read_Back, I == 2);
  XML1->SaveToFile(S.App_Dir + QLatin1Char('/') + Updater_Job_File_Name);
}
