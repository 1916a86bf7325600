#pragma once
// TFParGen: the "Set Communication" dialog. It edits the communication settings of the open
// project and keeps them in the project file "ParGen.xml" (AppState().File_ParGen).
//
// The form carries the category panels of all twenty protocol areas; a build shows only the
// panels of its gateway model, chosen at build time (PARGEN_MODEL). Only the settings of the
// model's panels are loaded and saved; the other panels keep their design values.
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "framework/controls/forms.h"
#include "ui/form_base.h"
#include "framework/graphics/graphics.h"
#include "framework/services/xmldoc.h"

class TLabel;
class TEdit;
class TCheckBox;
class TComboBox;
class TRichEdit;
class TPanel;
class TCategoryPanel;
class TCategoryPanelGroup;
class TLbButton;

// The gateway model of this build; Order_TAB_Panels and Move_GroupBoxs run its pair only.
#ifndef PARGEN_MODEL
#define PARGEN_MODEL 40328
#endif

// ---------------------------------------------------------------------------------------------
// The "ParGen.xml" file of model 40328: 53 elements under the root "Par_Gen", each holding
// its value as text, written in this order after the root and the "SW_VERSION" comment.

enum TParGenKind {
  pkText,       // the control's text, as typed
  pkMultiLine,  // a rich-text box: as typed, line breaks stored as CR LF
  pkCheck,      // check box: "1" / "0"; loads checked exactly when the text is "1"
  pkCheckInt,   // check box: "1" / "0"; loads checked when the text converts to 1
  pkItemIndex   // drop-down list: item index in decimal; text that is no number loads item 0
};

struct TParGenElement {
  const char16_t *Name;
  TParGenKind Kind;
  const char16_t *Default;
};

constexpr int ParGen_Element_Count = 53;
extern const TParGenElement ParGen_Elements[ParGen_Element_Count];

const QString ParGen_Root = QStringLiteral("Par_Gen");
const QString ParGen_Comment = QStringLiteral("SW_VERSION = 1.000");

// Index of an element by name, -1 when it is not one of the 53.
int ParGen_Index(const QString &Name);

// One text per element, in element order, as the file stores them.
QStringList ParGen_Defaults();

// The values of a loaded document: each element is looked up by name among the direct
// children of the first top-level element; a missing root, a missing element or one that
// holds no plain text gives that element's default.
QStringList Read_ParGen(TXMLDocument *Doc);

// Empties Doc and fills it with the root, the comment and the 53 elements in order.
void Write_ParGen(TXMLDocument *Doc, const QStringList &Values);

// Line breaks of a multi-line box as the file keeps them: every CR, LF or CR LF becomes CR LF.
QString ParGen_CRLF(const QString &Text);

// Value of an octet or number box as the checks read it: -1 for text that is no integer.
int ParGen_Number(const QString &Text);

// Checks the values in the fixed order of the dialog and answers the text number of the
// first error, or 0 when all pass.
int ParGen_Check(const QStringList &Values);

// ---------------------------------------------------------------------------------------------

class TFParGen : public TLangForm {
public:
  explicit TFParGen(TComponent *AOwner);
  ~TFParGen() override;

  // Title band and buttons
  TPanel *P_Title = nullptr;
  TLabel *L_SW_Code = nullptr;
  TLabel *L_SW_Desc = nullptr;
  TPanel *P_Button = nullptr;
  TLbButton *Btn_OK = nullptr;
  TLbButton *Btn_Cancel = nullptr;

  TCategoryPanelGroup *CPG = nullptr;
  std::unique_ptr<TImageList> CPG_Images;  // 0 expanded header, 1 collapsed header

  // S7comm
  TCategoryPanel *CP_S7_Protocol = nullptr;
  TLabel *L_S7_Protocol_IP = nullptr, *L_S7_Protocol_SM = nullptr;
  TEdit *E_S7_Protocol_IP1 = nullptr, *E_S7_Protocol_IP2 = nullptr, *E_S7_Protocol_IP3 = nullptr, *E_S7_Protocol_IP4 = nullptr;
  TEdit *E_S7_Protocol_SM1 = nullptr, *E_S7_Protocol_SM2 = nullptr, *E_S7_Protocol_SM3 = nullptr, *E_S7_Protocol_SM4 = nullptr;
  TCheckBox *CB_S7_Protocol_En_GAT = nullptr;
  TEdit *E_S7_Protocol_GAT1 = nullptr, *E_S7_Protocol_GAT2 = nullptr, *E_S7_Protocol_GAT3 = nullptr, *E_S7_Protocol_GAT4 = nullptr;

  // Modbus TCP Slave
  TCategoryPanel *CP_Modbus_TCP_Slave = nullptr;
  TLabel *L_ModbusTCPSlave_IP = nullptr, *L_ModbusTCPSlave_SM = nullptr, *L_ModbusTCPSlave_Port = nullptr;
  TEdit *E_ModbusTCPSlave_IP1 = nullptr, *E_ModbusTCPSlave_IP2 = nullptr, *E_ModbusTCPSlave_IP3 = nullptr, *E_ModbusTCPSlave_IP4 = nullptr;
  TEdit *E_ModbusTCPSlave_SM1 = nullptr, *E_ModbusTCPSlave_SM2 = nullptr, *E_ModbusTCPSlave_SM3 = nullptr, *E_ModbusTCPSlave_SM4 = nullptr;
  TCheckBox *CB_ModbusTCPSlave_En_GAT = nullptr;
  TEdit *E_ModbusTCPSlave_GAT1 = nullptr, *E_ModbusTCPSlave_GAT2 = nullptr, *E_ModbusTCPSlave_GAT3 = nullptr, *E_ModbusTCPSlave_GAT4 = nullptr;
  TEdit *E_ModbusTCPSlave_Port = nullptr;

  // PROFIBUS
  TCategoryPanel *CP_PROFIBUS = nullptr;
  TLabel *L_PROFIBUS_IDDevice = nullptr, *L_PROFIBUS_Baudrate = nullptr, *L_PROFIBUS_NByte_In = nullptr, *L_PROFIBUS_NByte_Out = nullptr;
  TEdit *E_PROFIBUS_IDDevice = nullptr;
  TComboBox *CB_PROFIBUS_Baudrate = nullptr;
  TEdit *E_PROFIBUS_NByte_In = nullptr, *E_PROFIBUS_NByte_Out = nullptr;

  // Serial
  TCategoryPanel *CP_Serial = nullptr;
  TLabel *L_Serial_Type = nullptr, *L_Serial_Baudrate = nullptr, *L_Serial_Parity = nullptr, *L_Serial_StopBits = nullptr;
  TComboBox *CB_Serial_Type = nullptr, *CB_Serial_Baudrate = nullptr, *CB_Serial_Parity = nullptr, *CB_Serial_StopBits = nullptr;

  // Modbus Slave
  TCategoryPanel *CP_Modbus_Slave = nullptr;
  TLabel *L_ModbusSlave_Type = nullptr, *L_ModbusSlave_Baudrate = nullptr, *L_ModbusSlave_Parity = nullptr, *L_ModbusSlave_StopBits = nullptr;
  TComboBox *CB_ModbusSlave_Type = nullptr, *CB_ModbusSlave_Baudrate = nullptr, *CB_ModbusSlave_Parity = nullptr, *CB_ModbusSlave_StopBits = nullptr;
  TLabel *L_ModbusSlave_IDDevice = nullptr;
  TEdit *E_ModbusSlave_IDDevice = nullptr;
  TCheckBox *CB_ModbusSlave_ReadInput = nullptr;

  // CAN
  TCategoryPanel *CP_CAN = nullptr;
  TLabel *L_CAN_Baudrate = nullptr;
  TComboBox *CB_CAN_Baudrate = nullptr;

  // CANopen
  TCategoryPanel *CP_CANopen = nullptr;
  TLabel *L_CANopen_IDDevice = nullptr, *L_CANopen_Baudrate = nullptr, *L_CANopen_SDO_Timeout = nullptr;
  TEdit *E_CANopen_IDDevice = nullptr;
  TComboBox *CB_CANopen_Baudrate = nullptr;
  TCheckBox *CB_CANopen_SetOperational = nullptr, *CB_CANopen_NetOpe = nullptr;
  TEdit *E_CANopen_NetOpe_Delay = nullptr, *E_CANopen_SDO_Timeout = nullptr;

  // DeviceNet Slave
  TCategoryPanel *CP_DeviceNet_Slave = nullptr;
  TLabel *L_DeviceNet_Slave_IDDevice = nullptr, *L_DeviceNet_Slave_Baudrate = nullptr, *L_DeviceNet_Slave_NumByteIn = nullptr, *L_DeviceNet_Slave_NumByteOut = nullptr;
  TEdit *E_DeviceNet_Slave_IDDevice = nullptr;
  TComboBox *CB_DeviceNet_Slave_Baudrate = nullptr;
  TEdit *E_DeviceNet_Slave_NumByteIn = nullptr, *E_DeviceNet_Slave_NumByteOut = nullptr;

  // SNMP Agent
  TCategoryPanel *CP_SNMP_Agent = nullptr;
  TLabel *L_SNMP_Agent_IP = nullptr, *L_SNMP_Agent_SM = nullptr;
  TEdit *E_SNMP_Agent_IP1 = nullptr, *E_SNMP_Agent_IP2 = nullptr, *E_SNMP_Agent_IP3 = nullptr, *E_SNMP_Agent_IP4 = nullptr;
  TEdit *E_SNMP_Agent_SM1 = nullptr, *E_SNMP_Agent_SM2 = nullptr, *E_SNMP_Agent_SM3 = nullptr, *E_SNMP_Agent_SM4 = nullptr;
  TCheckBox *CB_SNMP_Agent_En_GAT = nullptr;
  TEdit *E_SNMP_Agent_GAT1 = nullptr, *E_SNMP_Agent_GAT2 = nullptr, *E_SNMP_Agent_GAT3 = nullptr, *E_SNMP_Agent_GAT4 = nullptr;
  TLabel *L_SNMP_Agent_NameStation = nullptr, *L_SNMP_Agent_Contact = nullptr, *L_SNMP_Agent_Location = nullptr, *L_SNMP_Agent_Version = nullptr;
  TEdit *E_SNMP_Agent_NameStation = nullptr, *E_SNMP_Agent_Contact = nullptr, *E_SNMP_Agent_Location = nullptr;
  TCheckBox *CB_SNMP_Agent_Version1 = nullptr, *CB_SNMP_Agent_Version2 = nullptr, *CB_SNMP_Agent_Version3 = nullptr;
  TLabel *L_SNMP_Agent_User = nullptr, *L_SNMP_Agent_SecurityLevel = nullptr, *L_SNMP_Agent_Authority = nullptr;
  TLabel *L_SNMP_Agent_AuthorityMode = nullptr, *L_SNMP_Agent_Privacy = nullptr, *L_SNMP_Agent_PrivacyMode = nullptr;
  TEdit *E_SNMP_Agent_User = nullptr;
  TComboBox *CB_SNMP_Agent_SecurityLevel = nullptr;
  TEdit *E_SNMP_Agent_Authority = nullptr;
  TComboBox *CB_SNMP_Agent_AuthorityMode = nullptr;
  TEdit *E_SNMP_Agent_Privacy = nullptr;
  TComboBox *CB_SNMP_Agent_PrivacyMode = nullptr;

  // EtherNet/IP
  TCategoryPanel *CP_EtherNetIP = nullptr;
  TLabel *L_EtherNetIP_IP = nullptr, *L_EtherNetIP_SM = nullptr;
  TEdit *E_EtherNetIP_IP1 = nullptr, *E_EtherNetIP_IP2 = nullptr, *E_EtherNetIP_IP3 = nullptr, *E_EtherNetIP_IP4 = nullptr;
  TEdit *E_EtherNetIP_SM1 = nullptr, *E_EtherNetIP_SM2 = nullptr, *E_EtherNetIP_SM3 = nullptr, *E_EtherNetIP_SM4 = nullptr;
  TCheckBox *CB_EtherNetIP_En_GAT = nullptr;
  TEdit *E_EtherNetIP_GAT1 = nullptr, *E_EtherNetIP_GAT2 = nullptr, *E_EtherNetIP_GAT3 = nullptr, *E_EtherNetIP_GAT4 = nullptr;
  TLabel *L_EtherNetIP_DiagPort = nullptr, *L_EtherNetIP_NByte_In = nullptr, *L_EtherNetIP_NByte_Out = nullptr;
  TEdit *E_EtherNetIP_DiagPort = nullptr, *E_EtherNetIP_NByte_In = nullptr, *E_EtherNetIP_NByte_Out = nullptr;

  // KNX
  TCategoryPanel *CP_KNX = nullptr;
  TLabel *L_KNX_Type = nullptr, *L_KNX_IDDevice = nullptr;
  TComboBox *CB_KNX_Type = nullptr;
  TEdit *E_KNX_IDDevice = nullptr;

  // MQTT
  TCategoryPanel *CP_MQTT = nullptr;
  TLabel *L_MQTT_Server = nullptr, *L_MQTT_Server_Port = nullptr, *L_MQTT_Client_ID = nullptr, *L_MQTT_Keep_Alive = nullptr;
  TEdit *E_MQTT_Server = nullptr, *E_MQTT_Server_Port = nullptr, *E_MQTT_Client_ID = nullptr, *E_MQTT_Keep_Alive = nullptr;
  TCheckBox *CB_MQTT_Clean_Session = nullptr, *CB_MQTT_WillFlag = nullptr;
  TLabel *L_MQTT_Will_TopicName = nullptr, *L_MQTT_Will_Message = nullptr;
  TEdit *E_MQTT_Will_TopicName = nullptr, *E_MQTT_Will_Message = nullptr;
  TCheckBox *CB_MQTT_Will_Retained = nullptr;
  TLabel *L_MQTT_Will_QoS = nullptr;
  TComboBox *CB_MQTT_Will_QoS = nullptr;
  TLabel *L_MQTT_Username = nullptr, *L_MQTT_Password = nullptr, *L_MQTT_ASync_Send_Time = nullptr;
  TEdit *E_MQTT_Username = nullptr;
  TRichEdit *E_MQTT_Password = nullptr;
  TEdit *E_MQTT_ASync_Send_Time = nullptr;

  // Ethernet
  TCategoryPanel *CP_Ethernet = nullptr;
  TLabel *L_Ethernet_IP = nullptr, *L_Ethernet_SM = nullptr;
  TEdit *E_Ethernet_IP1 = nullptr, *E_Ethernet_IP2 = nullptr, *E_Ethernet_IP3 = nullptr, *E_Ethernet_IP4 = nullptr;
  TEdit *E_Ethernet_SM1 = nullptr, *E_Ethernet_SM2 = nullptr, *E_Ethernet_SM3 = nullptr, *E_Ethernet_SM4 = nullptr;
  TCheckBox *CB_Ethernet_En_GAT = nullptr;
  TEdit *E_Ethernet_GAT1 = nullptr, *E_Ethernet_GAT2 = nullptr, *E_Ethernet_GAT3 = nullptr, *E_Ethernet_GAT4 = nullptr;
  TCheckBox *CB_Ethernet_DNS = nullptr;
  TEdit *E_Ethernet_DNS1 = nullptr, *E_Ethernet_DNS2 = nullptr, *E_Ethernet_DNS3 = nullptr, *E_Ethernet_DNS4 = nullptr;
  TLabel *L_Ethernet_TCP_Port = nullptr, *L_Ethernet_UDP_Port = nullptr;
  TEdit *E_Ethernet_TCP_Port = nullptr, *E_Ethernet_UDP_Port = nullptr;

  // TLS
  TCategoryPanel *CP_TLS = nullptr;
  TCheckBox *CB_TLS_Enable = nullptr, *CB_TLS_En_Server_Auth = nullptr;
  TLabel *L_TLS_Server_Cert = nullptr;
  TRichEdit *E_TLS_Server_Cert = nullptr;
  TCheckBox *CB_TLS_En_Client_Auth = nullptr;
  TLabel *L_TLS_Client_Cert = nullptr, *L_TLS_Client_Cert_Key = nullptr, *L_TLS_Client_Cert_Key_Pass = nullptr;
  TRichEdit *E_TLS_Client_Cert = nullptr, *E_TLS_Client_Cert_Key = nullptr;
  TEdit *E_TLS_Client_Cert_Key_Pass = nullptr;

  // NTP
  TCategoryPanel *CP_NTP = nullptr;
  TLabel *L_NTP_Server_URL = nullptr, *L_NTP_Poll_Time = nullptr;
  TEdit *E_NTP_Server_URL = nullptr, *E_NTP_Poll_Time = nullptr;

  // BACnet Slave
  TCategoryPanel *CP_BACnet_Slave = nullptr;
  TLabel *L_BACnet_Slave_Type = nullptr;
  TComboBox *CB_BACnet_Slave_Type = nullptr;
  TLabel *L_BACnet_Slave_IP = nullptr, *L_BACnet_Slave_SM = nullptr;
  TEdit *E_BACnet_Slave_IP1 = nullptr, *E_BACnet_Slave_IP2 = nullptr, *E_BACnet_Slave_IP3 = nullptr, *E_BACnet_Slave_IP4 = nullptr;
  TEdit *E_BACnet_Slave_SM1 = nullptr, *E_BACnet_Slave_SM2 = nullptr, *E_BACnet_Slave_SM3 = nullptr, *E_BACnet_Slave_SM4 = nullptr;
  TCheckBox *CB_BACnet_Slave_En_GAT = nullptr;
  TEdit *E_BACnet_Slave_GAT1 = nullptr, *E_BACnet_Slave_GAT2 = nullptr, *E_BACnet_Slave_GAT3 = nullptr, *E_BACnet_Slave_GAT4 = nullptr;
  TLabel *L_BACnet_Slave_Port = nullptr, *L_BACnet_Slave_DeviceName = nullptr, *L_BACnet_Slave_DeviceID = nullptr;
  TEdit *E_BACnet_Slave_Port = nullptr, *E_BACnet_Slave_DeviceName = nullptr, *E_BACnet_Slave_DeviceID = nullptr;
  TLabel *L_BACnet_Slave_Baudrate = nullptr, *L_BACnet_Slave_Parity = nullptr, *L_BACnet_Slave_MSTP_DeviceName = nullptr;
  TComboBox *CB_BACnet_Slave_Baudrate = nullptr, *CB_BACnet_Slave_Parity = nullptr;
  TEdit *E_BACnet_Slave_MSTP_DeviceName = nullptr;
  TLabel *L_BACnet_Slave_MAC = nullptr, *L_BACnet_Slave_MaxMaster = nullptr, *L_BACnet_Slave_MaxInfoFrame = nullptr;
  TLabel *L_BACnet_Slave_DeviceInstance = nullptr, *L_BACnet_Slave_Network = nullptr;
  TEdit *E_BACnet_Slave_MAC = nullptr, *E_BACnet_Slave_MaxMaster = nullptr, *E_BACnet_Slave_MaxInfoFrame = nullptr;
  TEdit *E_BACnet_Slave_DeviceInstance = nullptr, *E_BACnet_Slave_Network = nullptr;
  TCheckBox *CB_BACnet_Slave_Desc32 = nullptr;

  // OPC UA Server
  TCategoryPanel *CP_OPC_UA_Server = nullptr;
  TLabel *L_OPC_UA_Server_IP = nullptr, *L_OPC_UA_Server_SM = nullptr, *L_OPC_UA_Server_Port = nullptr;
  TEdit *E_OPC_UA_Server_IP1 = nullptr, *E_OPC_UA_Server_IP2 = nullptr, *E_OPC_UA_Server_IP3 = nullptr, *E_OPC_UA_Server_IP4 = nullptr;
  TEdit *E_OPC_UA_Server_SM1 = nullptr, *E_OPC_UA_Server_SM2 = nullptr, *E_OPC_UA_Server_SM3 = nullptr, *E_OPC_UA_Server_SM4 = nullptr;
  TCheckBox *CB_OPC_UA_Server_En_GAT = nullptr;
  TEdit *E_OPC_UA_Server_GAT1 = nullptr, *E_OPC_UA_Server_GAT2 = nullptr, *E_OPC_UA_Server_GAT3 = nullptr, *E_OPC_UA_Server_GAT4 = nullptr;
  TCheckBox *CB_OPC_UA_Server_En_DNS = nullptr;
  TEdit *E_OPC_UA_Server_DNS1 = nullptr, *E_OPC_UA_Server_DNS2 = nullptr, *E_OPC_UA_Server_DNS3 = nullptr, *E_OPC_UA_Server_DNS4 = nullptr;
  TEdit *E_OPC_UA_Server_Port = nullptr;

  // PROFINET
  TCategoryPanel *CP_PROFINET = nullptr;
  TLabel *L_PROFINET_IP = nullptr, *L_PROFINET_SM = nullptr;
  TEdit *E_PROFINET_IP1 = nullptr, *E_PROFINET_IP2 = nullptr, *E_PROFINET_IP3 = nullptr, *E_PROFINET_IP4 = nullptr;
  TEdit *E_PROFINET_SM1 = nullptr, *E_PROFINET_SM2 = nullptr, *E_PROFINET_SM3 = nullptr, *E_PROFINET_SM4 = nullptr;
  TCheckBox *CB_PROFINET_En_GAT = nullptr;
  TEdit *E_PROFINET_GAT1 = nullptr, *E_PROFINET_GAT2 = nullptr, *E_PROFINET_GAT3 = nullptr, *E_PROFINET_GAT4 = nullptr;
  TLabel *L_PROFINET_TunnelPort = nullptr, *L_PROFINET_NameStation = nullptr, *L_PROFINET_NByte_In = nullptr, *L_PROFINET_NByte_Out = nullptr;
  TEdit *E_PROFINET_TunnelPort = nullptr, *E_PROFINET_NameStation = nullptr, *E_PROFINET_NByte_In = nullptr, *E_PROFINET_NByte_Out = nullptr;
  TCheckBox *CB_PROFINET_Diagnostic = nullptr;
  TEdit *E_PROFINET_Diagnostic = nullptr;

  // IEC61850 Server
  TCategoryPanel *CP_IEC61850_Server = nullptr;
  TLabel *L_IEC61850_Server_IP = nullptr, *L_IEC61850_Server_SM = nullptr;
  TEdit *E_IEC61850_Server_IP1 = nullptr, *E_IEC61850_Server_IP2 = nullptr, *E_IEC61850_Server_IP3 = nullptr, *E_IEC61850_Server_IP4 = nullptr;
  TEdit *E_IEC61850_Server_SM1 = nullptr, *E_IEC61850_Server_SM2 = nullptr, *E_IEC61850_Server_SM3 = nullptr, *E_IEC61850_Server_SM4 = nullptr;
  TCheckBox *CB_IEC61850_Server_En_GAT = nullptr;
  TEdit *E_IEC61850_Server_GAT1 = nullptr, *E_IEC61850_Server_GAT2 = nullptr, *E_IEC61850_Server_GAT3 = nullptr, *E_IEC61850_Server_GAT4 = nullptr;
  TCheckBox *CB_IEC61850_Server_En_DNS = nullptr;
  TEdit *E_IEC61850_Server_DNS1 = nullptr, *E_IEC61850_Server_DNS2 = nullptr, *E_IEC61850_Server_DNS3 = nullptr, *E_IEC61850_Server_DNS4 = nullptr;
  TLabel *L_IEC61850_Server_Port = nullptr, *L_IEC61850_Server_Password = nullptr;
  TEdit *E_IEC61850_Server_Port = nullptr, *E_IEC61850_Server_Password = nullptr;

  // TLS Server
  TCategoryPanel *CP_TLS_Server = nullptr;
  TCheckBox *CB_TLS_Server_Enable = nullptr;
  TLabel *L_TLS_Server_Key = nullptr, *L_TLS_Server_Key_Pass = nullptr, *L_TLS_Server_Server_Cert = nullptr, *L_TLS_Server_Root_Cert = nullptr;
  TRichEdit *E_TLS_Server_Key = nullptr;
  TEdit *E_TLS_Server_Key_Pass = nullptr;
  TRichEdit *E_TLS_Server_Server_Cert = nullptr, *E_TLS_Server_Root_Cert = nullptr;
  TCheckBox *CB_TLS_Server_OnlyKnown = nullptr;

  // The form's own document for "ParGen.xml".
  TXMLDocument *XML1 = nullptr;

  // Handlers
  void FormCreate(TObject *Sender);
  void FormShow(TObject *Sender);
  void FormResize(TObject *Sender);
  void FormMouseWheel(TObject *Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool &Handled);
  void Btn_OKClick(TObject *Sender);
  void KeyPress(TObject *Sender, QChar &Key);
  void On_Change(TObject *Sender);
  void On_Click(TObject *Sender);
  void CP_Expand(TObject *Sender);

  bool Controllo_Dati();
  void Set_Lang() override;
  bool Check_Device_Name(const QString &Text);

  // Per-model panel order and layout (the dispatchers run this build's model).
  void Order_TAB_Panels();
  void Move_GroupBoxs();
  void Order_TAB_Panels_40213();
  void Order_TAB_Panels_40227();
  void Order_TAB_Panels_40231();
  void Order_TAB_Panels_40246();
  void Order_TAB_Panels_40252();
  void Order_TAB_Panels_40268();
  void Order_TAB_Panels_40274();
  void Order_TAB_Panels_40289();
  void Order_TAB_Panels_40293();
  void Order_TAB_Panels_40305();
  void Order_TAB_Panels_40316();
  void Order_TAB_Panels_40328();
  void Order_TAB_Panels_40337();
  void Order_TAB_Panels_40341();
  void Order_TAB_Panels_40359();
  void Order_TAB_Panels_40362();
  void RePosition_Objects_40213();
  void RePosition_Objects_40227();
  void RePosition_Objects_40231();
  void RePosition_Objects_40246();
  void RePosition_Objects_40252();
  void RePosition_Objects_40268();
  void RePosition_Objects_40274();
  void RePosition_Objects_40289();
  void RePosition_Objects_40293();
  void RePosition_Objects_40305();
  void RePosition_Objects_40316();
  void RePosition_Objects_40328();
  void RePosition_Objects_40337();
  void RePosition_Objects_40341();
  void RePosition_Objects_40359();
  void RePosition_Objects_40362();
  void RePosition_Object_S7_Protocol();
  void RePosition_Object_Modbus_TCP_Slave();
  void RePosition_Object_PROFIBUS();
  void RePosition_Object_Serial();
  void RePosition_Object_Modbus_Slave();
  void RePosition_Object_CAN();
  void RePosition_Object_CANopen();
  void RePosition_Object_DeviceNet_Slave();
  void RePosition_Object_SNMP_Agent();
  void RePosition_Object_EtherNetIP();
  void RePosition_Object_KNX();
  void RePosition_Object_MQTT();
  void RePosition_Object_Ethernet();
  void RePosition_Object_TLS();
  void RePosition_Object_NTP();
  void RePosition_Object_BACnet_Slave();
  void RePosition_Object_OPC_UA_Server();
  void RePosition_Object_PROFINET();
  void RePosition_Object_IEC61850_Server();
  void RePosition_Object_TLS_Server();

  // The 53 values of the model's settings as the file stores them, read from the controls,
  // and the reverse (used by loading and saving).
  QStringList Get_Values() const;
  void Put_Values(const QStringList &Values);

  // One text assignment of Set_Lang: a caption or a hint of a control.
  struct TLangItem {
    TControl *Control;
    bool Caption;  // false: hint
    int Text;
  };
  const std::vector<TLangItem> &Lang_Items() const { return FLang; }

private:
  // Building the panels (fpargen_layout.cpp)
  TCategoryPanel *New_Panel(const QString &Name);
  TLabel *New_Label(TCategoryPanel *Panel, const QString &Name, int Row, int Caption);
  TEdit *New_Edit(TCategoryPanel *Panel, const QString &Name, int Row, int Hint, const QString &Text,
                  int Width = 238, int MaxLength = 0);
  TRichEdit *New_RichEdit(TCategoryPanel *Panel, const QString &Name, int Row, int Hint);
  TCheckBox *New_Check(TCategoryPanel *Panel, const QString &Name, int Row, int Caption, int Hint,
                       int Left = 14, int Width = 170);
  TComboBox *New_Combo(TCategoryPanel *Panel, const QString &Name, int Row, int Hint,
                       const QStringList &Items, int ItemIndex, int Width = 238);
  void New_Octets(TCategoryPanel *Panel, const QString &Name, int Row, int FirstHint, TEdit *(&Boxes)[4]);
  void New_Address(TCategoryPanel *Panel, const QString &Base, int Row, int Caption, TLabel *&Label,
                   TEdit *&E1, TEdit *&E2, TEdit *&E3, TEdit *&E4);
  void New_CheckAddress(TCategoryPanel *Panel, const QString &CheckName, const QString &Base, int Row,
                        int Caption, TCheckBox *&Check, TEdit *&E1, TEdit *&E2, TEdit *&E3, TEdit *&E4);
  void Build_Title();
  void Build_Buttons();
  void Build_Group();
  void Build_Panels_1();  // S7comm to DeviceNet Slave
  void Build_Panels_2();  // SNMP Agent to NTP
  void Build_Panels_3();  // BACnet Slave to TLS Server

  // Model helpers (fpargen_models.cpp)
  void Order_Panels(std::initializer_list<std::pair<TCategoryPanel *, int>> Panels);
  // Ends a panel's layout: height = bottom of Last + header height + 12.
  void Fit_Panel(TCategoryPanel *Panel, const TControl *Last);

  void Show_All(std::initializer_list<TControl *> Controls, bool Visible);

  // Loading and saving (fpargen_load.cpp, fpargen_save.cpp)
  // The control of each file element, in element order.
  std::vector<TControl *> Value_Controls() const;
  bool Load_ParGen(QStringList &Values);

  std::vector<TLangItem> FLang;
  std::map<const TControl *, TLabel *> FDots;  // octet box -> the "." after it
  bool FLoadFailed = false;                    // the file exists but could not be read
};

