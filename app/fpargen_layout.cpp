// TFParGen: the form, its twenty category panels with their design layout, the texts and
// the shared input handlers.
#include "app/fpargen.h"

#include "app/forms.h"
#include "ui/lbbutton.h"
#include "framework/controls/messages.h"
#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "framework/system/sysutils.h"
#include "project/app_state.h"
#include "ui/bands.h"

namespace {

constexpr int Form_Width = 460;
constexpr int Label_Left = 14;
constexpr int Input_Left = 191;
constexpr int Row_Step = 28;
constexpr int Edit_Height = 21;
constexpr int Octet_Width = 55;
constexpr int Octet_Step = 61;
// Wheel lines per notch when the platform does not say otherwise.
constexpr int Wheel_Scroll_Lines = 3;

// Label top of a row; inputs stand 3 pixels higher, check boxes 2.
int Row_Top(int Row) { return 12 + Row * Row_Step; }

}  // namespace

TFParGen::TFParGen(TComponent *AOwner) : TLangForm(AOwner)
{
  SetName(QStringLiteral("FParGen"));
  SetBorderStyle(bsSizeable);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetColor(Form_Color);
  SetShowHint(true);
  Font()->SetName(QStringLiteral("Verdana"));
  Font()->SetHeight(-11);
  SetClientSize(Form_Width, 700);

  XML1 = new TXMLDocument(this);
  XML1->SetName(QStringLiteral("XML1"));

  Build_Title();
  Build_Buttons();
  Build_Group();
  Build_Panels_1();
  Build_Panels_2();
  Build_Panels_3();

  OnCreate = [this](TObject *Sender) { FormCreate(Sender); };
  OnShow = [this](TObject *Sender) { FormShow(Sender); };
  OnResize = [this](TObject *Sender) { FormResize(Sender); };
  OnMouseWheel = [this](TObject *Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool &Handled) {
    FormMouseWheel(Sender, Shift, WheelDelta, MousePos, Handled);
  };
}

TFParGen::~TFParGen()
{
  // The group outlives this destructor (the form's components go last); the image list does not.
  CPG->SetImages(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Title band, buttons and the panel group

void TFParGen::Build_Title()
{
  // The settings form shows its code larger and unbolded, and its description in the text colour.
  TTitleBandLook Look;
  Look.CodeTop = 4;
  Look.CodeFontHeight = -32;
  Look.CodeBold = false;
  Look.DescLeft = 18;
  Look.DescTop = 46;
  Look.DescFontHeight = -11;
  Look.DescColor = clWindowText;
  const TTitleBand Title = Make_Title_Band(this, Look);
  P_Title = Title.P_Title;
  L_SW_Code = Title.L_SW_Code;
  L_SW_Desc = Title.L_SW_Desc;
}

void TFParGen::Build_Buttons()
{
  P_Button = Make_Button_Band(this);

  RegisterLbButtonBitmaps();
  auto make = [this](const QString &Name, int Left, const QString &Glyph) {
    TLbButton *B = new TLbButton(this);
    B->SetName(Name);
    B->SetParent(P_Button);
    B->SetBounds(Left, 6, 110, 28);
    B->SetAnchors(TAnchors{akTop, akRight});
    Set_Button_Look(B, bsEncarta);
    B->SetShowHint(true);
    // The strip holds the normal and the disabled picture.
    TBitmap G;
    if (G.LoadFromResourceName(Glyph))
      B->SetGlyph(&G);
    return B;
  };
  Btn_OK = make(QStringLiteral("Btn_OK"), Form_Width - 2 * 118, QStringLiteral("LBOK"));
  Btn_OK->OnClick = [this](TObject *Sender) { Btn_OKClick(Sender); };
  Btn_Cancel = make(QStringLiteral("Btn_Cancel"), Form_Width - 118, QStringLiteral("LBCANCEL"));
  Btn_Cancel->SetModalResult(mrCancel);
}

void TFParGen::Build_Group()
{
  CPG = new TCategoryPanelGroup(this);
  CPG->SetName(QStringLiteral("CPG"));
  CPG->SetParent(this);
  CPG->SetAlign(alClient);
  CPG->SetColor(Form_Color);
  CPG->SetChevronAlignment(taRightJustify);
  CPG->HeaderFont()->SetName(QStringLiteral("Verdana"));
  CPG->HeaderFont()->SetHeight(-15);
  CPG->HeaderFont()->SetStyle(TFontStyles{fsBold});
  CPG->HeaderFont()->SetColor(clGray);

  // Header pictures in the chevron's place: a grey double chevron pointing up on an expanded
  // panel (a click collapses it) and down on a collapsed one.
  CPG_Images = std::make_unique<TImageList>(16, 16);
  for (int i = 0; i < 2; ++i) {
    TBitmap b;
    b.SetSize(16, 16);
    TCanvas *c = b.Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, 16, 16));
    c->Pen()->SetColor(clGray);
    c->Pen()->SetWidth(2);
    for (const int y : {4, 9}) {
      if (i == 0)
        c->Polyline({Point(4, y + 4), Point(8, y), Point(12, y + 4)});
      else
        c->Polyline({Point(4, y), Point(8, y + 4), Point(12, y)});
    }
    CPG_Images->AddMasked(&b, clFuchsia);
  }
  CPG->SetImages(CPG_Images.get());
}

TCategoryPanel *TFParGen::New_Panel(const QString &Name)
{
  TCategoryPanel *P = new TCategoryPanel(this);
  P->SetName(Name);
  P->SetPanelGroup(CPG);
  P->SetCaption(QString());
  P->SetColor(Form_Color);
  P->SetExpandedImageIndex(0);
  P->SetCollapsedImageIndex(1);
  // No layout on expanding or collapsing: CP_Expand is bound to no panel.
  return P;
}

// ---------------------------------------------------------------------------------------------
// Rows

TLabel *TFParGen::New_Label(TCategoryPanel *Panel, const QString &Name, int Row, int Caption)
{
  TLabel *L = new TLabel(this);
  L->SetName(Name);
  L->SetParent(Panel);
  L->SetTransparent(true);
  L->SetLeft(Label_Left);
  L->SetTop(Row_Top(Row));
  FLang.push_back({L, true, Caption});
  return L;
}

TEdit *TFParGen::New_Edit(TCategoryPanel *Panel, const QString &Name, int Row, int Hint, const QString &Text,
                          int Width, int MaxLength)
{
  TEdit *E = new TEdit(this);
  E->SetName(Name);
  E->SetParent(Panel);
  E->SetBounds(Input_Left, Row_Top(Row) - 3, Width, Edit_Height);
  E->SetText(Text);
  if (MaxLength > 0)
    E->SetMaxLength(MaxLength);
  E->SetTabStop(true);
  E->OnChange = [this](TObject *Sender) { On_Change(Sender); };
  if (Hint > 0)
    FLang.push_back({E, false, Hint});
  return E;
}

TRichEdit *TFParGen::New_RichEdit(TCategoryPanel *Panel, const QString &Name, int Row, int Hint)
{
  TRichEdit *E = new TRichEdit(this);
  E->SetName(Name);
  E->SetParent(Panel);
  E->SetBounds(Input_Left, Row_Top(Row) - 3, 238, Edit_Height);
  E->SetPlainText(true);
  E->SetWordWrap(false);
  E->SetScrollBars(ssNone);
  E->SetTabStop(true);
  E->OnChange = [this](TObject *Sender) { On_Change(Sender); };
  FLang.push_back({E, false, Hint});
  return E;
}

TCheckBox *TFParGen::New_Check(TCategoryPanel *Panel, const QString &Name, int Row, int Caption, int Hint,
                               int Left, int Width)
{
  TCheckBox *C = new TCheckBox(this);
  C->SetName(Name);
  C->SetParent(Panel);
  C->SetBounds(Left, Row_Top(Row) - 2, Width, 17);
  C->SetTabStop(true);
  C->OnClick = [this](TObject *Sender) { On_Click(Sender); };
  if (Caption > 0)
    FLang.push_back({C, true, Caption});
  if (Hint > 0)
    FLang.push_back({C, false, Hint});
  return C;
}

TComboBox *TFParGen::New_Combo(TCategoryPanel *Panel, const QString &Name, int Row, int Hint,
                               const QStringList &Items, int ItemIndex, int Width)
{
  TComboBox *C = new TComboBox(this);
  C->SetName(Name);
  C->SetParent(Panel);
  C->SetStyle(csDropDownList);
  C->SetBounds(Input_Left, Row_Top(Row) - 3, Width, Edit_Height);
  for (const QString &s : Items)
    C->Items()->Add(s);
  C->SetItemIndex(ItemIndex);
  C->SetTabStop(true);
  C->OnChange = [this](TObject *Sender) { On_Change(Sender); };
  FLang.push_back({C, false, Hint});
  return C;
}

void TFParGen::New_Octets(TCategoryPanel *Panel, const QString &Name, int Row, int FirstHint, TEdit *(&Boxes)[4])
{
  static const char *const Design[4] = {"192", "168", "0", "10"};
  for (int k = 0; k < 4; ++k) {
    TEdit *E = new TEdit(this);
    E->SetName(Name + QString::number(k + 1));
    E->SetParent(Panel);
    E->SetBounds(Input_Left + k * Octet_Step, Row_Top(Row) - 3, Octet_Width, Edit_Height);
    E->SetText(QString::fromLatin1(Design[k]));
    E->SetAlignment(taCenter);
    E->SetTabStop(true);
    E->OnChange = [this](TObject *Sender) { On_Change(Sender); };
    E->OnKeyPress = [this](TObject *Sender, QChar &Key) { KeyPress(Sender, Key); };
    FLang.push_back({E, false, FirstHint + k});
    Boxes[k] = E;
    if (k < 3) {
      TLabel *Dot = new TLabel(this);
      Dot->SetParent(Panel);
      Dot->SetTransparent(true);
      Dot->SetCaption(QStringLiteral("."));
      Dot->SetLeft(Input_Left + k * Octet_Step + Octet_Width + 1);
      Dot->SetTop(Row_Top(Row));
      FDots[E] = Dot;
    }
  }
}

void TFParGen::New_Address(TCategoryPanel *Panel, const QString &Base, int Row, int Caption, TLabel *&Label,
                           TEdit *&E1, TEdit *&E2, TEdit *&E3, TEdit *&E4)
{
  Label = New_Label(Panel, QStringLiteral("L_") + Base, Row, Caption);
  TEdit *Boxes[4];
  New_Octets(Panel, QStringLiteral("E_") + Base, Row, Caption + 1, Boxes);
  E1 = Boxes[0];
  E2 = Boxes[1];
  E3 = Boxes[2];
  E4 = Boxes[3];
}

void TFParGen::New_CheckAddress(TCategoryPanel *Panel, const QString &CheckName, const QString &Base, int Row,
                                int Caption, TCheckBox *&Check, TEdit *&E1, TEdit *&E2, TEdit *&E3, TEdit *&E4)
{
  Check = New_Check(Panel, CheckName, Row, Caption, Caption + 1);
  TEdit *Boxes[4];
  New_Octets(Panel, QStringLiteral("E_") + Base, Row, Caption + 2, Boxes);
  E1 = Boxes[0];
  E2 = Boxes[1];
  E3 = Boxes[2];
  E4 = Boxes[3];
}

// ---------------------------------------------------------------------------------------------
// Panels, in the order of the texts they take

namespace {

const QStringList Serial_Types = {QStringLiteral("RS232"), QStringLiteral("RS485")};
const QStringList Serial_Rates = {QStringLiteral("1200"),  QStringLiteral("2400"),  QStringLiteral("4800"),
                                  QStringLiteral("9600"),  QStringLiteral("19200"), QStringLiteral("38400"),
                                  QStringLiteral("57600"), QStringLiteral("115200")};
const QStringList Parities = {QStringLiteral("NONE"), QStringLiteral("ODD"), QStringLiteral("EVEN")};
const QStringList Stop_Bits = {QStringLiteral("1 Stop Bits"), QStringLiteral("2 Stop Bits")};

}  // namespace

void TFParGen::Build_Panels_1()
{
  // S7comm
  CP_S7_Protocol = New_Panel(QStringLiteral("CP_S7_Protocol"));
  New_Address(CP_S7_Protocol, QStringLiteral("S7_Protocol_IP"), 0, 407, L_S7_Protocol_IP, E_S7_Protocol_IP1,
              E_S7_Protocol_IP2, E_S7_Protocol_IP3, E_S7_Protocol_IP4);
  New_Address(CP_S7_Protocol, QStringLiteral("S7_Protocol_SM"), 1, 412, L_S7_Protocol_SM, E_S7_Protocol_SM1,
              E_S7_Protocol_SM2, E_S7_Protocol_SM3, E_S7_Protocol_SM4);
  New_CheckAddress(CP_S7_Protocol, QStringLiteral("CB_S7_Protocol_En_GAT"), QStringLiteral("S7_Protocol_GAT"), 2,
                   417, CB_S7_Protocol_En_GAT, E_S7_Protocol_GAT1, E_S7_Protocol_GAT2, E_S7_Protocol_GAT3,
                   E_S7_Protocol_GAT4);

  // Modbus TCP Slave
  CP_Modbus_TCP_Slave = New_Panel(QStringLiteral("CP_Modbus_TCP_Slave"));
  New_Address(CP_Modbus_TCP_Slave, QStringLiteral("ModbusTCPSlave_IP"), 0, 424, L_ModbusTCPSlave_IP,
              E_ModbusTCPSlave_IP1, E_ModbusTCPSlave_IP2, E_ModbusTCPSlave_IP3, E_ModbusTCPSlave_IP4);
  New_Address(CP_Modbus_TCP_Slave, QStringLiteral("ModbusTCPSlave_SM"), 1, 429, L_ModbusTCPSlave_SM,
              E_ModbusTCPSlave_SM1, E_ModbusTCPSlave_SM2, E_ModbusTCPSlave_SM3, E_ModbusTCPSlave_SM4);
  New_CheckAddress(CP_Modbus_TCP_Slave, QStringLiteral("CB_ModbusTCPSlave_En_GAT"),
                   QStringLiteral("ModbusTCPSlave_GAT"), 2, 434, CB_ModbusTCPSlave_En_GAT, E_ModbusTCPSlave_GAT1,
                   E_ModbusTCPSlave_GAT2, E_ModbusTCPSlave_GAT3, E_ModbusTCPSlave_GAT4);
  L_ModbusTCPSlave_Port = New_Label(CP_Modbus_TCP_Slave, QStringLiteral("L_ModbusTCPSlave_Port"), 3, 440);
  E_ModbusTCPSlave_Port =
      New_Edit(CP_Modbus_TCP_Slave, QStringLiteral("E_ModbusTCPSlave_Port"), 3, 441, QStringLiteral("502"), 80);

  // PROFIBUS
  CP_PROFIBUS = New_Panel(QStringLiteral("CP_PROFIBUS"));
  L_PROFIBUS_IDDevice = New_Label(CP_PROFIBUS, QStringLiteral("L_PROFIBUS_IDDevice"), 0, 443);
  E_PROFIBUS_IDDevice = New_Edit(CP_PROFIBUS, QStringLiteral("E_PROFIBUS_IDDevice"), 0, 444, QStringLiteral("0"), 80);
  L_PROFIBUS_Baudrate = New_Label(CP_PROFIBUS, QStringLiteral("L_PROFIBUS_Baudrate"), 1, 445);
  CB_PROFIBUS_Baudrate = New_Combo(CP_PROFIBUS, QStringLiteral("CB_PROFIBUS_Baudrate"), 1, 446,
                                   {QStringLiteral("Auto Baudrate")}, 0);
  CB_PROFIBUS_Baudrate->SetEnabled(false);
  L_PROFIBUS_NByte_In = New_Label(CP_PROFIBUS, QStringLiteral("L_PROFIBUS_NByte_In"), 2, 447);
  E_PROFIBUS_NByte_In = New_Edit(CP_PROFIBUS, QStringLiteral("E_PROFIBUS_NByte_In"), 2, 448, QStringLiteral("244"), 80);
  L_PROFIBUS_NByte_Out = New_Label(CP_PROFIBUS, QStringLiteral("L_PROFIBUS_NByte_Out"), 3, 449);
  E_PROFIBUS_NByte_Out = New_Edit(CP_PROFIBUS, QStringLiteral("E_PROFIBUS_NByte_Out"), 3, 450, QStringLiteral("244"), 80);

  // Serial
  CP_Serial = New_Panel(QStringLiteral("CP_Serial"));
  L_Serial_Type = New_Label(CP_Serial, QStringLiteral("L_Serial_Type"), 0, 480);
  CB_Serial_Type = New_Combo(CP_Serial, QStringLiteral("CB_Serial_Type"), 0, 481, Serial_Types, 0, 120);
  L_Serial_Baudrate = New_Label(CP_Serial, QStringLiteral("L_Serial_Baudrate"), 1, 482);
  CB_Serial_Baudrate = New_Combo(CP_Serial, QStringLiteral("CB_Serial_Baudrate"), 1, 483, Serial_Rates, 7, 120);
  L_Serial_Parity = New_Label(CP_Serial, QStringLiteral("L_Serial_Parity"), 2, 484);
  CB_Serial_Parity = New_Combo(CP_Serial, QStringLiteral("CB_Serial_Parity"), 2, 485, Parities, 0, 120);
  L_Serial_StopBits = New_Label(CP_Serial, QStringLiteral("L_Serial_StopBits"), 3, 486);
  CB_Serial_StopBits = New_Combo(CP_Serial, QStringLiteral("CB_Serial_StopBits"), 3, 487, Stop_Bits, 0, 120);

  // Modbus Slave
  CP_Modbus_Slave = New_Panel(QStringLiteral("CP_Modbus_Slave"));
  L_ModbusSlave_Type = New_Label(CP_Modbus_Slave, QStringLiteral("L_ModbusSlave_Type"), 0, 490);
  CB_ModbusSlave_Type = New_Combo(CP_Modbus_Slave, QStringLiteral("CB_ModbusSlave_Type"), 0, 491, Serial_Types, 0, 120);
  L_ModbusSlave_Baudrate = New_Label(CP_Modbus_Slave, QStringLiteral("L_ModbusSlave_Baudrate"), 1, 492);
  CB_ModbusSlave_Baudrate =
      New_Combo(CP_Modbus_Slave, QStringLiteral("CB_ModbusSlave_Baudrate"), 1, 493, Serial_Rates, 7, 120);
  L_ModbusSlave_Parity = New_Label(CP_Modbus_Slave, QStringLiteral("L_ModbusSlave_Parity"), 2, 494);
  CB_ModbusSlave_Parity = New_Combo(CP_Modbus_Slave, QStringLiteral("CB_ModbusSlave_Parity"), 2, 495, Parities, 0, 120);
  L_ModbusSlave_StopBits = New_Label(CP_Modbus_Slave, QStringLiteral("L_ModbusSlave_StopBits"), 3, 496);
  CB_ModbusSlave_StopBits =
      New_Combo(CP_Modbus_Slave, QStringLiteral("CB_ModbusSlave_StopBits"), 3, 497, Stop_Bits, 0, 120);
  L_ModbusSlave_IDDevice = New_Label(CP_Modbus_Slave, QStringLiteral("L_ModbusSlave_IDDevice"), 4, 498);
  E_ModbusSlave_IDDevice =
      New_Edit(CP_Modbus_Slave, QStringLiteral("E_ModbusSlave_IDDevice"), 4, 499, QStringLiteral("1"), 80);
  CB_ModbusSlave_ReadInput =
      New_Check(CP_Modbus_Slave, QStringLiteral("CB_ModbusSlave_ReadInput"), 5, 500, 501, Label_Left, 400);

  // CAN
  CP_CAN = New_Panel(QStringLiteral("CP_CAN"));
  L_CAN_Baudrate = New_Label(CP_CAN, QStringLiteral("L_CAN_Baudrate"), 0, 505);
  CB_CAN_Baudrate = New_Combo(CP_CAN, QStringLiteral("CB_CAN_Baudrate"), 0, 506,
                              {QStringLiteral("10K"), QStringLiteral("20K"), QStringLiteral("50K"),
                               QStringLiteral("62.5K"), QStringLiteral("100K"), QStringLiteral("125K"),
                               QStringLiteral("250K"), QStringLiteral("500K"), QStringLiteral("800K"),
                               QStringLiteral("1000K")},
                              9, 120);

  // CANopen
  CP_CANopen = New_Panel(QStringLiteral("CP_CANopen"));
  L_CANopen_IDDevice = New_Label(CP_CANopen, QStringLiteral("L_CANopen_IDDevice"), 0, 508);
  E_CANopen_IDDevice = New_Edit(CP_CANopen, QStringLiteral("E_CANopen_IDDevice"), 0, 509, QStringLiteral("1"), 80);
  L_CANopen_Baudrate = New_Label(CP_CANopen, QStringLiteral("L_CANopen_Baudrate"), 1, 510);
  CB_CANopen_Baudrate = New_Combo(CP_CANopen, QStringLiteral("CB_CANopen_Baudrate"), 1, 511,
                                  {QStringLiteral("10K"), QStringLiteral("20K"), QStringLiteral("50K"),
                                   QStringLiteral("100K"), QStringLiteral("125K"), QStringLiteral("250K"),
                                   QStringLiteral("500K"), QStringLiteral("800K"), QStringLiteral("1000K")},
                                  8, 120);
  CB_CANopen_SetOperational =
      New_Check(CP_CANopen, QStringLiteral("CB_CANopen_SetOperational"), 2, 512, 513, Label_Left, 400);
  CB_CANopen_NetOpe = New_Check(CP_CANopen, QStringLiteral("CB_CANopen_NetOpe"), 3, 514, 515, Label_Left, 350);
  E_CANopen_NetOpe_Delay = New_Edit(CP_CANopen, QStringLiteral("E_CANopen_NetOpe_Delay"), 3, 516, QStringLiteral("0"),
                                    Octet_Width);
  E_CANopen_NetOpe_Delay->SetLeft(Input_Left + 3 * Octet_Step);
  L_CANopen_SDO_Timeout = New_Label(CP_CANopen, QStringLiteral("L_CANopen_SDO_Timeout"), 4, 517);
  E_CANopen_SDO_Timeout =
      New_Edit(CP_CANopen, QStringLiteral("E_CANopen_SDO_Timeout"), 4, 518, QStringLiteral("1"), 80);
  // The label runs past the input column, so the box lines up with the delay box.
  E_CANopen_SDO_Timeout->SetLeft(Input_Left + 3 * Octet_Step);

  // DeviceNet Slave
  CP_DeviceNet_Slave = New_Panel(QStringLiteral("CP_DeviceNet_Slave"));
  L_DeviceNet_Slave_IDDevice = New_Label(CP_DeviceNet_Slave, QStringLiteral("L_DeviceNet_Slave_IDDevice"), 0, 523);
  E_DeviceNet_Slave_IDDevice =
      New_Edit(CP_DeviceNet_Slave, QStringLiteral("E_DeviceNet_Slave_IDDevice"), 0, 524, QStringLiteral("0"), 80);
  L_DeviceNet_Slave_Baudrate = New_Label(CP_DeviceNet_Slave, QStringLiteral("L_DeviceNet_Slave_Baudrate"), 1, 525);
  CB_DeviceNet_Slave_Baudrate =
      New_Combo(CP_DeviceNet_Slave, QStringLiteral("CB_DeviceNet_Slave_Baudrate"), 1, 526,
                {QStringLiteral("125K"), QStringLiteral("250K"), QStringLiteral("500K")}, 2, 120);
  L_DeviceNet_Slave_NumByteIn = New_Label(CP_DeviceNet_Slave, QStringLiteral("L_DeviceNet_Slave_NumByteIn"), 2, 527);
  E_DeviceNet_Slave_NumByteIn =
      New_Edit(CP_DeviceNet_Slave, QStringLiteral("E_DeviceNet_Slave_NumByteIn"), 2, 528, QStringLiteral("455"), 80);
  L_DeviceNet_Slave_NumByteOut = New_Label(CP_DeviceNet_Slave, QStringLiteral("L_DeviceNet_Slave_NumByteOut"), 3, 529);
  E_DeviceNet_Slave_NumByteOut =
      New_Edit(CP_DeviceNet_Slave, QStringLiteral("E_DeviceNet_Slave_NumByteOut"), 3, 530, QStringLiteral("455"), 80);
}

void TFParGen::Build_Panels_2()
{
  // SNMP Agent
  CP_SNMP_Agent = New_Panel(QStringLiteral("CP_SNMP_Agent"));
  New_Address(CP_SNMP_Agent, QStringLiteral("SNMP_Agent_IP"), 0, 535, L_SNMP_Agent_IP, E_SNMP_Agent_IP1,
              E_SNMP_Agent_IP2, E_SNMP_Agent_IP3, E_SNMP_Agent_IP4);
  New_Address(CP_SNMP_Agent, QStringLiteral("SNMP_Agent_SM"), 1, 540, L_SNMP_Agent_SM, E_SNMP_Agent_SM1,
              E_SNMP_Agent_SM2, E_SNMP_Agent_SM3, E_SNMP_Agent_SM4);
  New_CheckAddress(CP_SNMP_Agent, QStringLiteral("CB_SNMP_Agent_En_GAT"), QStringLiteral("SNMP_Agent_GAT"), 2, 545,
                   CB_SNMP_Agent_En_GAT, E_SNMP_Agent_GAT1, E_SNMP_Agent_GAT2, E_SNMP_Agent_GAT3, E_SNMP_Agent_GAT4);
  L_SNMP_Agent_NameStation = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_NameStation"), 3, 551);
  E_SNMP_Agent_NameStation = New_Edit(CP_SNMP_Agent, QStringLiteral("E_SNMP_Agent_NameStation"), 3, 552,
                                      QStringLiteral("devicename1"), 238, 15);
  L_SNMP_Agent_Contact = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_Contact"), 4, 553);
  E_SNMP_Agent_Contact = New_Edit(CP_SNMP_Agent, QStringLiteral("E_SNMP_Agent_Contact"), 4, 554, QString(), 238, 16);
  L_SNMP_Agent_Location = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_Location"), 5, 555);
  E_SNMP_Agent_Location = New_Edit(CP_SNMP_Agent, QStringLiteral("E_SNMP_Agent_Location"), 5, 556, QString(), 238, 16);
  L_SNMP_Agent_Version = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_Version"), 6, 557);
  CB_SNMP_Agent_Version1 =
      New_Check(CP_SNMP_Agent, QStringLiteral("CB_SNMP_Agent_Version1"), 6, 0, 558, Input_Left, Octet_Width);
  CB_SNMP_Agent_Version2 = New_Check(CP_SNMP_Agent, QStringLiteral("CB_SNMP_Agent_Version2"), 6, 0, 559,
                                     Input_Left + Octet_Step, Octet_Width);
  CB_SNMP_Agent_Version3 = New_Check(CP_SNMP_Agent, QStringLiteral("CB_SNMP_Agent_Version3"), 6, 0, 560,
                                     Input_Left + 2 * Octet_Step, Octet_Width);
  CB_SNMP_Agent_Version1->SetCaption(QStringLiteral("1"));
  CB_SNMP_Agent_Version2->SetCaption(QStringLiteral("2"));
  CB_SNMP_Agent_Version3->SetCaption(QStringLiteral("3"));
  L_SNMP_Agent_User = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_User"), 7, 561);
  E_SNMP_Agent_User = New_Edit(CP_SNMP_Agent, QStringLiteral("E_SNMP_Agent_User"), 7, 562, QString(), 238, 19);
  L_SNMP_Agent_SecurityLevel = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_SecurityLevel"), 8, 563);
  CB_SNMP_Agent_SecurityLevel = New_Combo(CP_SNMP_Agent, QStringLiteral("CB_SNMP_Agent_SecurityLevel"), 8, 564,
                                          {QStringLiteral("NoAuthority NoPrivacy"),
                                           QStringLiteral("Authority NoPrivacy"), QStringLiteral("Authority Privacy")},
                                          0);
  L_SNMP_Agent_Authority = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_Authority"), 9, 565);
  E_SNMP_Agent_Authority = New_Edit(CP_SNMP_Agent, QStringLiteral("E_SNMP_Agent_Authority"), 9, 566, QString(), 238, 15);
  L_SNMP_Agent_AuthorityMode = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_AuthorityMode"), 10, 567);
  CB_SNMP_Agent_AuthorityMode = New_Combo(CP_SNMP_Agent, QStringLiteral("CB_SNMP_Agent_AuthorityMode"), 10, 568,
                                          {QStringLiteral("MD5"), QStringLiteral("SHA")}, 0, 120);
  L_SNMP_Agent_Privacy = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_Privacy"), 11, 569);
  E_SNMP_Agent_Privacy = New_Edit(CP_SNMP_Agent, QStringLiteral("E_SNMP_Agent_Privacy"), 11, 570, QString(), 238, 15);
  L_SNMP_Agent_PrivacyMode = New_Label(CP_SNMP_Agent, QStringLiteral("L_SNMP_Agent_PrivacyMode"), 12, 571);
  CB_SNMP_Agent_PrivacyMode = New_Combo(CP_SNMP_Agent, QStringLiteral("CB_SNMP_Agent_PrivacyMode"), 12, 572,
                                        {QStringLiteral("DES"), QStringLiteral("AES")}, 0, 120);

  // EtherNet/IP
  CP_EtherNetIP = New_Panel(QStringLiteral("CP_EtherNetIP"));
  New_Address(CP_EtherNetIP, QStringLiteral("EtherNetIP_IP"), 0, 586, L_EtherNetIP_IP, E_EtherNetIP_IP1,
              E_EtherNetIP_IP2, E_EtherNetIP_IP3, E_EtherNetIP_IP4);
  New_Address(CP_EtherNetIP, QStringLiteral("EtherNetIP_SM"), 1, 591, L_EtherNetIP_SM, E_EtherNetIP_SM1,
              E_EtherNetIP_SM2, E_EtherNetIP_SM3, E_EtherNetIP_SM4);
  New_CheckAddress(CP_EtherNetIP, QStringLiteral("CB_EtherNetIP_En_GAT"), QStringLiteral("EtherNetIP_GAT"), 2, 596,
                   CB_EtherNetIP_En_GAT, E_EtherNetIP_GAT1, E_EtherNetIP_GAT2, E_EtherNetIP_GAT3, E_EtherNetIP_GAT4);
  L_EtherNetIP_DiagPort = New_Label(CP_EtherNetIP, QStringLiteral("L_EtherNetIP_DiagPort"), 3, 602);
  E_EtherNetIP_DiagPort =
      New_Edit(CP_EtherNetIP, QStringLiteral("E_EtherNetIP_DiagPort"), 3, 603, QStringLiteral("2000"), 80);
  L_EtherNetIP_NByte_In = New_Label(CP_EtherNetIP, QStringLiteral("L_EtherNetIP_NByte_In"), 4, 604);
  E_EtherNetIP_NByte_In =
      New_Edit(CP_EtherNetIP, QStringLiteral("E_EtherNetIP_NByte_In"), 4, 605, QStringLiteral("496"), 80);
  L_EtherNetIP_NByte_Out = New_Label(CP_EtherNetIP, QStringLiteral("L_EtherNetIP_NByte_Out"), 5, 606);
  E_EtherNetIP_NByte_Out =
      New_Edit(CP_EtherNetIP, QStringLiteral("E_EtherNetIP_NByte_Out"), 5, 607, QStringLiteral("496"), 80);

  // KNX
  CP_KNX = New_Panel(QStringLiteral("CP_KNX"));
  L_KNX_Type = New_Label(CP_KNX, QStringLiteral("L_KNX_Type"), 0, 628);
  CB_KNX_Type = New_Combo(CP_KNX, QStringLiteral("CB_KNX_Type"), 0, 629,
                          {QStringLiteral("KNX TP"), QStringLiteral("KNXnet/IP")}, 0, 120);
  CB_KNX_Type->SetEnabled(false);
  L_KNX_IDDevice = New_Label(CP_KNX, QStringLiteral("L_KNX_IDDevice"), 1, 630);
  E_KNX_IDDevice = New_Edit(CP_KNX, QStringLiteral("E_KNX_IDDevice"), 1, 631, QStringLiteral("0"), 120);

  // MQTT
  CP_MQTT = New_Panel(QStringLiteral("CP_MQTT"));
  L_MQTT_Server = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Server"), 0, 634);
  E_MQTT_Server = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_Server"), 0, 635, QString());
  L_MQTT_Server_Port = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Server_Port"), 1, 636);
  E_MQTT_Server_Port = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_Server_Port"), 1, 637, QStringLiteral("1883"), 80);
  L_MQTT_Client_ID = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Client_ID"), 2, 638);
  E_MQTT_Client_ID = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_Client_ID"), 2, 639, QString());
  L_MQTT_Keep_Alive = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Keep_Alive"), 3, 640);
  E_MQTT_Keep_Alive = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_Keep_Alive"), 3, 641, QString(), 80);
  CB_MQTT_Clean_Session = New_Check(CP_MQTT, QStringLiteral("CB_MQTT_Clean_Session"), 4, 642, 643);
  CB_MQTT_WillFlag = New_Check(CP_MQTT, QStringLiteral("CB_MQTT_WillFlag"), 5, 644, 645);
  L_MQTT_Will_TopicName = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Will_TopicName"), 6, 646);
  E_MQTT_Will_TopicName = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_Will_TopicName"), 6, 647, QString());
  L_MQTT_Will_Message = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Will_Message"), 7, 648);
  E_MQTT_Will_Message = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_Will_Message"), 7, 649, QString());
  CB_MQTT_Will_Retained = New_Check(CP_MQTT, QStringLiteral("CB_MQTT_Will_Retained"), 8, 650, 651);
  L_MQTT_Will_QoS = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Will_QoS"), 9, 652);
  CB_MQTT_Will_QoS = New_Combo(CP_MQTT, QStringLiteral("CB_MQTT_Will_QoS"), 9, 653,
                               {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}, 0, 80);
  L_MQTT_Username = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Username"), 10, 654);
  E_MQTT_Username = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_Username"), 10, 655, QString());
  L_MQTT_Password = New_Label(CP_MQTT, QStringLiteral("L_MQTT_Password"), 11, 656);
  E_MQTT_Password = New_RichEdit(CP_MQTT, QStringLiteral("E_MQTT_Password"), 11, 657);
  L_MQTT_ASync_Send_Time = New_Label(CP_MQTT, QStringLiteral("L_MQTT_ASync_Send_Time"), 12, 658);
  E_MQTT_ASync_Send_Time = New_Edit(CP_MQTT, QStringLiteral("E_MQTT_ASync_Send_Time"), 12, 659, QString(), 80);

  // Ethernet
  CP_Ethernet = New_Panel(QStringLiteral("CP_Ethernet"));
  New_Address(CP_Ethernet, QStringLiteral("Ethernet_IP"), 0, 661, L_Ethernet_IP, E_Ethernet_IP1, E_Ethernet_IP2,
              E_Ethernet_IP3, E_Ethernet_IP4);
  New_Address(CP_Ethernet, QStringLiteral("Ethernet_SM"), 1, 666, L_Ethernet_SM, E_Ethernet_SM1, E_Ethernet_SM2,
              E_Ethernet_SM3, E_Ethernet_SM4);
  New_CheckAddress(CP_Ethernet, QStringLiteral("CB_Ethernet_En_GAT"), QStringLiteral("Ethernet_GAT"), 2, 671,
                   CB_Ethernet_En_GAT, E_Ethernet_GAT1, E_Ethernet_GAT2, E_Ethernet_GAT3, E_Ethernet_GAT4);
  New_CheckAddress(CP_Ethernet, QStringLiteral("CB_Ethernet_DNS"), QStringLiteral("Ethernet_DNS"), 3, 677,
                   CB_Ethernet_DNS, E_Ethernet_DNS1, E_Ethernet_DNS2, E_Ethernet_DNS3, E_Ethernet_DNS4);
  L_Ethernet_TCP_Port = New_Label(CP_Ethernet, QStringLiteral("L_Ethernet_TCP_Port"), 4, 683);
  E_Ethernet_TCP_Port = New_Edit(CP_Ethernet, QStringLiteral("E_Ethernet_TCP_Port"), 4, 684, QString(), 80);
  L_Ethernet_UDP_Port = New_Label(CP_Ethernet, QStringLiteral("L_Ethernet_UDP_Port"), 5, 685);
  E_Ethernet_UDP_Port = New_Edit(CP_Ethernet, QStringLiteral("E_Ethernet_UDP_Port"), 5, 686, QString(), 80);

  // TLS
  CP_TLS = New_Panel(QStringLiteral("CP_TLS"));
  CB_TLS_Enable = New_Check(CP_TLS, QStringLiteral("CB_TLS_Enable"), 0, 706, 707);
  CB_TLS_En_Server_Auth = New_Check(CP_TLS, QStringLiteral("CB_TLS_En_Server_Auth"), 1, 708, 709);
  L_TLS_Server_Cert = New_Label(CP_TLS, QStringLiteral("L_TLS_Server_Cert"), 2, 710);
  E_TLS_Server_Cert = New_RichEdit(CP_TLS, QStringLiteral("E_TLS_Server_Cert"), 2, 711);
  CB_TLS_En_Client_Auth = New_Check(CP_TLS, QStringLiteral("CB_TLS_En_Client_Auth"), 3, 712, 713);
  L_TLS_Client_Cert = New_Label(CP_TLS, QStringLiteral("L_TLS_Client_Cert"), 4, 714);
  E_TLS_Client_Cert = New_RichEdit(CP_TLS, QStringLiteral("E_TLS_Client_Cert"), 4, 715);
  L_TLS_Client_Cert_Key = New_Label(CP_TLS, QStringLiteral("L_TLS_Client_Cert_Key"), 5, 716);
  E_TLS_Client_Cert_Key = New_RichEdit(CP_TLS, QStringLiteral("E_TLS_Client_Cert_Key"), 5, 717);
  L_TLS_Client_Cert_Key_Pass = New_Label(CP_TLS, QStringLiteral("L_TLS_Client_Cert_Key_Pass"), 6, 718);
  E_TLS_Client_Cert_Key_Pass = New_Edit(CP_TLS, QStringLiteral("E_TLS_Client_Cert_Key_Pass"), 6, 719, QString());

  // NTP
  CP_NTP = New_Panel(QStringLiteral("CP_NTP"));
  L_NTP_Server_URL = New_Label(CP_NTP, QStringLiteral("L_NTP_Server_URL"), 0, 721);
  E_NTP_Server_URL = New_Edit(CP_NTP, QStringLiteral("E_NTP_Server_URL"), 0, 722, QString());
  L_NTP_Poll_Time = New_Label(CP_NTP, QStringLiteral("L_NTP_Poll_Time"), 1, 723);
  E_NTP_Poll_Time = New_Edit(CP_NTP, QStringLiteral("E_NTP_Poll_Time"), 1, 724, QStringLiteral("1000"), 80);
}

void TFParGen::Build_Panels_3()
{
  // BACnet Slave: the IP rows under the type, the MS/TP rows stacked in their place by the layout.
  CP_BACnet_Slave = New_Panel(QStringLiteral("CP_BACnet_Slave"));
  L_BACnet_Slave_Type = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_Type"), 0, 727);
  CB_BACnet_Slave_Type = New_Combo(CP_BACnet_Slave, QStringLiteral("CB_BACnet_Slave_Type"), 0, 728,
                                   {QStringLiteral("BACnet/IP"), QStringLiteral("BACnet MS/TP")}, 0, 150);
  New_Address(CP_BACnet_Slave, QStringLiteral("BACnet_Slave_IP"), 1, 729, L_BACnet_Slave_IP, E_BACnet_Slave_IP1,
              E_BACnet_Slave_IP2, E_BACnet_Slave_IP3, E_BACnet_Slave_IP4);
  New_Address(CP_BACnet_Slave, QStringLiteral("BACnet_Slave_SM"), 2, 734, L_BACnet_Slave_SM, E_BACnet_Slave_SM1,
              E_BACnet_Slave_SM2, E_BACnet_Slave_SM3, E_BACnet_Slave_SM4);
  New_CheckAddress(CP_BACnet_Slave, QStringLiteral("CB_BACnet_Slave_En_GAT"), QStringLiteral("BACnet_Slave_GAT"), 3,
                   739, CB_BACnet_Slave_En_GAT, E_BACnet_Slave_GAT1, E_BACnet_Slave_GAT2, E_BACnet_Slave_GAT3,
                   E_BACnet_Slave_GAT4);
  L_BACnet_Slave_Port = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_Port"), 4, 745);
  E_BACnet_Slave_Port = New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_Port"), 4, 746,
                                 QStringLiteral("47808"), 80);
  L_BACnet_Slave_DeviceName = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_DeviceName"), 5, 747);
  E_BACnet_Slave_DeviceName =
      New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_DeviceName"), 5, 748, QString(), 238, 15);
  L_BACnet_Slave_DeviceID = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_DeviceID"), 6, 749);
  E_BACnet_Slave_DeviceID =
      New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_DeviceID"), 6, 750, QStringLiteral("0"), 80);
  L_BACnet_Slave_Baudrate = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_Baudrate"), 7, 751);
  CB_BACnet_Slave_Baudrate = New_Combo(CP_BACnet_Slave, QStringLiteral("CB_BACnet_Slave_Baudrate"), 7, 752,
                                       {QStringLiteral("9600"), QStringLiteral("19200"), QStringLiteral("38400"),
                                        QStringLiteral("57600"), QStringLiteral("76800"), QStringLiteral("115200")},
                                       5, 120);
  L_BACnet_Slave_Parity = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_Parity"), 8, 753);
  CB_BACnet_Slave_Parity =
      New_Combo(CP_BACnet_Slave, QStringLiteral("CB_BACnet_Slave_Parity"), 8, 754, Parities, 0, 120);
  L_BACnet_Slave_MSTP_DeviceName =
      New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_MSTP_DeviceName"), 9, 755);
  E_BACnet_Slave_MSTP_DeviceName =
      New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_MSTP_DeviceName"), 9, 756, QString(), 238, 15);
  L_BACnet_Slave_MAC = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_MAC"), 10, 757);
  E_BACnet_Slave_MAC = New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_MAC"), 10, 758, QStringLiteral("0"), 80);
  L_BACnet_Slave_MaxMaster = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_MaxMaster"), 11, 759);
  E_BACnet_Slave_MaxMaster =
      New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_MaxMaster"), 11, 760, QStringLiteral("127"), 80);
  L_BACnet_Slave_MaxInfoFrame = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_MaxInfoFrame"), 12, 761);
  E_BACnet_Slave_MaxInfoFrame =
      New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_MaxInfoFrame"), 12, 762, QStringLiteral("1"), 80);
  L_BACnet_Slave_DeviceInstance =
      New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_DeviceInstance"), 13, 763);
  E_BACnet_Slave_DeviceInstance =
      New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_DeviceInstance"), 13, 764, QStringLiteral("0"), 80);
  L_BACnet_Slave_Network = New_Label(CP_BACnet_Slave, QStringLiteral("L_BACnet_Slave_Network"), 14, 765);
  E_BACnet_Slave_Network =
      New_Edit(CP_BACnet_Slave, QStringLiteral("E_BACnet_Slave_Network"), 14, 766, QStringLiteral("1"), 80);
  CB_BACnet_Slave_Desc32 =
      New_Check(CP_BACnet_Slave, QStringLiteral("CB_BACnet_Slave_Desc32"), 15, 767, 768, Label_Left, 400);

  // OPC UA Server
  CP_OPC_UA_Server = New_Panel(QStringLiteral("CP_OPC_UA_Server"));
  New_Address(CP_OPC_UA_Server, QStringLiteral("OPC_UA_Server_IP"), 0, 791, L_OPC_UA_Server_IP, E_OPC_UA_Server_IP1,
              E_OPC_UA_Server_IP2, E_OPC_UA_Server_IP3, E_OPC_UA_Server_IP4);
  New_Address(CP_OPC_UA_Server, QStringLiteral("OPC_UA_Server_SM"), 1, 796, L_OPC_UA_Server_SM, E_OPC_UA_Server_SM1,
              E_OPC_UA_Server_SM2, E_OPC_UA_Server_SM3, E_OPC_UA_Server_SM4);
  New_CheckAddress(CP_OPC_UA_Server, QStringLiteral("CB_OPC_UA_Server_En_GAT"), QStringLiteral("OPC_UA_Server_GAT"),
                   2, 801, CB_OPC_UA_Server_En_GAT, E_OPC_UA_Server_GAT1, E_OPC_UA_Server_GAT2,
                   E_OPC_UA_Server_GAT3, E_OPC_UA_Server_GAT4);
  New_CheckAddress(CP_OPC_UA_Server, QStringLiteral("CB_OPC_UA_Server_En_DNS"), QStringLiteral("OPC_UA_Server_DNS"),
                   3, 807, CB_OPC_UA_Server_En_DNS, E_OPC_UA_Server_DNS1, E_OPC_UA_Server_DNS2,
                   E_OPC_UA_Server_DNS3, E_OPC_UA_Server_DNS4);
  L_OPC_UA_Server_Port = New_Label(CP_OPC_UA_Server, QStringLiteral("L_OPC_UA_Server_Port"), 4, 813);
  E_OPC_UA_Server_Port =
      New_Edit(CP_OPC_UA_Server, QStringLiteral("E_OPC_UA_Server_Port"), 4, 814, QStringLiteral("4840"), 80);

  // PROFINET
  CP_PROFINET = New_Panel(QStringLiteral("CP_PROFINET"));
  New_Address(CP_PROFINET, QStringLiteral("PROFINET_IP"), 0, 829, L_PROFINET_IP, E_PROFINET_IP1, E_PROFINET_IP2,
              E_PROFINET_IP3, E_PROFINET_IP4);
  New_Address(CP_PROFINET, QStringLiteral("PROFINET_SM"), 1, 834, L_PROFINET_SM, E_PROFINET_SM1, E_PROFINET_SM2,
              E_PROFINET_SM3, E_PROFINET_SM4);
  New_CheckAddress(CP_PROFINET, QStringLiteral("CB_PROFINET_En_GAT"), QStringLiteral("PROFINET_GAT"), 2, 839,
                   CB_PROFINET_En_GAT, E_PROFINET_GAT1, E_PROFINET_GAT2, E_PROFINET_GAT3, E_PROFINET_GAT4);
  L_PROFINET_TunnelPort = New_Label(CP_PROFINET, QStringLiteral("L_PROFINET_TunnelPort"), 3, 845);
  E_PROFINET_TunnelPort =
      New_Edit(CP_PROFINET, QStringLiteral("E_PROFINET_TunnelPort"), 3, 846, QStringLiteral("2000"), 80);
  L_PROFINET_NameStation = New_Label(CP_PROFINET, QStringLiteral("L_PROFINET_NameStation"), 4, 847);
  E_PROFINET_NameStation = New_Edit(CP_PROFINET, QStringLiteral("E_PROFINET_NameStation"), 4, 848,
                                    QStringLiteral("devicename1"), 238, 15);
  L_PROFINET_NByte_In = New_Label(CP_PROFINET, QStringLiteral("L_PROFINET_NByte_In"), 5, 849);
  E_PROFINET_NByte_In =
      New_Edit(CP_PROFINET, QStringLiteral("E_PROFINET_NByte_In"), 5, 850, QStringLiteral("1438"), 80);
  L_PROFINET_NByte_Out = New_Label(CP_PROFINET, QStringLiteral("L_PROFINET_NByte_Out"), 6, 851);
  E_PROFINET_NByte_Out =
      New_Edit(CP_PROFINET, QStringLiteral("E_PROFINET_NByte_Out"), 6, 852, QStringLiteral("1438"), 80);
  CB_PROFINET_Diagnostic = New_Check(CP_PROFINET, QStringLiteral("CB_PROFINET_Diagnostic"), 7, 853, 854);
  E_PROFINET_Diagnostic =
      New_Edit(CP_PROFINET, QStringLiteral("E_PROFINET_Diagnostic"), 7, 855, QStringLiteral("0"), 80);

  // IEC61850 Server: the texts run port, password, address, mask, gateway, then the DNS row.
  CP_IEC61850_Server = New_Panel(QStringLiteral("CP_IEC61850_Server"));
  L_IEC61850_Server_Port = New_Label(CP_IEC61850_Server, QStringLiteral("L_IEC61850_Server_Port"), 4, 873);
  E_IEC61850_Server_Port =
      New_Edit(CP_IEC61850_Server, QStringLiteral("E_IEC61850_Server_Port"), 4, 874, QStringLiteral("102"), 80);
  L_IEC61850_Server_Password = New_Label(CP_IEC61850_Server, QStringLiteral("L_IEC61850_Server_Password"), 5, 875);
  E_IEC61850_Server_Password =
      New_Edit(CP_IEC61850_Server, QStringLiteral("E_IEC61850_Server_Password"), 5, 876, QString());
  New_Address(CP_IEC61850_Server, QStringLiteral("IEC61850_Server_IP"), 0, 877, L_IEC61850_Server_IP,
              E_IEC61850_Server_IP1, E_IEC61850_Server_IP2, E_IEC61850_Server_IP3, E_IEC61850_Server_IP4);
  New_Address(CP_IEC61850_Server, QStringLiteral("IEC61850_Server_SM"), 1, 882, L_IEC61850_Server_SM,
              E_IEC61850_Server_SM1, E_IEC61850_Server_SM2, E_IEC61850_Server_SM3, E_IEC61850_Server_SM4);
  New_CheckAddress(CP_IEC61850_Server, QStringLiteral("CB_IEC61850_Server_En_GAT"),
                   QStringLiteral("IEC61850_Server_GAT"), 2, 887, CB_IEC61850_Server_En_GAT, E_IEC61850_Server_GAT1,
                   E_IEC61850_Server_GAT2, E_IEC61850_Server_GAT3, E_IEC61850_Server_GAT4);
  New_CheckAddress(CP_IEC61850_Server, QStringLiteral("CB_IEC61850_Server_En_DNS"),
                   QStringLiteral("IEC61850_Server_DNS"), 3, 919, CB_IEC61850_Server_En_DNS, E_IEC61850_Server_DNS1,
                   E_IEC61850_Server_DNS2, E_IEC61850_Server_DNS3, E_IEC61850_Server_DNS4);

  // TLS Server
  CP_TLS_Server = New_Panel(QStringLiteral("CP_TLS_Server"));
  CB_TLS_Server_Enable = New_Check(CP_TLS_Server, QStringLiteral("CB_TLS_Server_Enable"), 0, 907, 908);
  L_TLS_Server_Key = New_Label(CP_TLS_Server, QStringLiteral("L_TLS_Server_Key"), 1, 909);
  E_TLS_Server_Key = New_RichEdit(CP_TLS_Server, QStringLiteral("E_TLS_Server_Key"), 1, 910);
  L_TLS_Server_Key_Pass = New_Label(CP_TLS_Server, QStringLiteral("L_TLS_Server_Key_Pass"), 2, 911);
  E_TLS_Server_Key_Pass = New_Edit(CP_TLS_Server, QStringLiteral("E_TLS_Server_Key_Pass"), 2, 912, QString());
  L_TLS_Server_Server_Cert = New_Label(CP_TLS_Server, QStringLiteral("L_TLS_Server_Server_Cert"), 3, 913);
  E_TLS_Server_Server_Cert = New_RichEdit(CP_TLS_Server, QStringLiteral("E_TLS_Server_Server_Cert"), 3, 914);
  L_TLS_Server_Root_Cert = New_Label(CP_TLS_Server, QStringLiteral("L_TLS_Server_Root_Cert"), 4, 915);
  E_TLS_Server_Root_Cert = New_RichEdit(CP_TLS_Server, QStringLiteral("E_TLS_Server_Root_Cert"), 4, 916);
  CB_TLS_Server_OnlyKnown =
      New_Check(CP_TLS_Server, QStringLiteral("CB_TLS_Server_OnlyKnown"), 5, 917, 918, Label_Left, 400);
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TFParGen::FormCreate(TObject *Sender)
{
  L_SW_Code->SetCaption(AppState().Software_Code);
  SetClientWidth(Form_Width);
  SetClientHeight(700);
  for (TCategoryPanel *P : {CP_S7_Protocol, CP_Modbus_TCP_Slave, CP_PROFIBUS, CP_Serial, CP_Modbus_Slave, CP_CAN,
                            CP_CANopen, CP_DeviceNet_Slave, CP_SNMP_Agent, CP_EtherNetIP, CP_KNX, CP_MQTT,
                            CP_Ethernet, CP_TLS, CP_NTP, CP_BACnet_Slave, CP_OPC_UA_Server, CP_PROFINET,
                            CP_IEC61850_Server, CP_TLS_Server})
    P->SetVisible(false);
  Order_TAB_Panels();
  Move_GroupBoxs();
  Set_Lang();
}

void TFParGen::FormResize(TObject *Sender)
{
  if (ClientWidth() != Form_Width)
    SetClientWidth(Form_Width);
}

void TFParGen::FormMouseWheel(TObject *Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool &Handled)
{
  const TPoint P = CPG->ScreenToClient(MousePos);
  if (!PtInRect(CPG->ClientRect(), P))
    return;
  Handled = true;
  for (int i = 0; i < Wheel_Scroll_Lines; ++i) {
    CPG->Perform(WM_VSCROLL, WheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    CPG->Perform(WM_VSCROLL, SB_ENDSCROLL, 0);
  }
}

void TFParGen::KeyPress(TObject *Sender, QChar &Key)
{
  if (Key != QLatin1Char('.'))
    return;
  Key = QChar(0);
  // "." moves along the address chain of the S7 and Ethernet panels.
  TEdit *const S7[] = {E_S7_Protocol_IP1, E_S7_Protocol_IP2,  E_S7_Protocol_IP3,  E_S7_Protocol_IP4,
                       E_S7_Protocol_SM1, E_S7_Protocol_SM2,  E_S7_Protocol_SM3,  E_S7_Protocol_SM4,
                       E_S7_Protocol_GAT1, E_S7_Protocol_GAT2, E_S7_Protocol_GAT3, E_S7_Protocol_GAT4};
  TEdit *const Eth[] = {E_Ethernet_IP1,  E_Ethernet_IP2,  E_Ethernet_IP3,  E_Ethernet_IP4,
                        E_Ethernet_SM1,  E_Ethernet_SM2,  E_Ethernet_SM3,  E_Ethernet_SM4,
                        E_Ethernet_GAT1, E_Ethernet_GAT2, E_Ethernet_GAT3, E_Ethernet_GAT4,
                        E_Ethernet_DNS1, E_Ethernet_DNS2, E_Ethernet_DNS3, E_Ethernet_DNS4};
  auto follow = [Sender](TEdit *const *Chain, int Count) {
    for (int i = 0; i + 1 < Count; ++i)
      if (Chain[i] == Sender) {
        if (Chain[i + 1]->CanFocus())
          Chain[i + 1]->SetFocus();
        return true;
      }
    return false;
  };
  if (!follow(S7, 12))
    follow(Eth, 16);
}

namespace {

bool Is_Layout_Sender(const TFParGen *F, const TObject *Sender)
{
  const TObject *const Senders[] = {F->CB_MQTT_WillFlag,      F->CB_TLS_Enable,          F->CB_TLS_En_Server_Auth,
                                    F->CB_TLS_En_Client_Auth, F->CB_TLS_Server_Enable,   F->CB_SNMP_Agent_Version3,
                                    F->CB_SNMP_Agent_SecurityLevel, F->CB_BACnet_Slave_Type};
  for (const TObject *S : Senders)
    if (S && S == Sender)
      return true;
  return false;
}

}  // namespace

void TFParGen::On_Change(TObject *Sender)
{
  if (Is_Layout_Sender(this, Sender))
    Move_GroupBoxs();
}

void TFParGen::On_Click(TObject *Sender)
{
  if (Is_Layout_Sender(this, Sender))
    Move_GroupBoxs();
}

void TFParGen::CP_Expand(TObject *Sender)
{
  Move_GroupBoxs();
}

bool TFParGen::Check_Device_Name(const QString &Text)
{
  for (const QChar c : Text) {
    const char16_t u = c.unicode();
    const bool ok = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
    if (!ok)
      return true;
  }
  return false;
}

void TFParGen::Set_Lang()
{
  const QStringList &T = AppState().Lang_Texts;
  auto text = [&T](int N) { return N >= 0 && N < T.size() ? T[N] : QString(); };
  SetCaption(text(400));
  L_SW_Desc->SetCaption(text(401));
  Btn_OK->SetCaption(text(402));
  Btn_Cancel->SetCaption(text(403));
  Btn_OK->SetHint(text(404));
  Btn_Cancel->SetHint(text(405));
  for (const TLangItem &I : FLang) {
    if (I.Caption)
      I.Control->SetCaption(text(I.Text));
    else
      I.Control->SetHint(text(I.Text));
  }
}
