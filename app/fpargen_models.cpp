// TFParGen: which panels each gateway model shows, in what order and under what titles, and
// how each panel sizes itself and shows its fields as check boxes and lists change.
#include "app/fpargen.h"

#include "framework/stdctrls/comctrls.h"
#include "framework/stdctrls/extctrls.h"
#include "framework/stdctrls/stdctrls.h"
#include "project/app_state.h"

namespace {

constexpr int Panel_Margin = 12;
constexpr int Row_Step = 28;

}  // namespace

void TFParGen::Show_All(std::initializer_list<TControl *> Controls, bool Visible)
{
  for (TControl *C : Controls) {
    C->SetVisible(Visible);
    // The "." between two octet boxes goes with the box before it.
    const auto Dot = FDots.find(C);
    if (Dot != FDots.end())
      Dot->second->SetVisible(Visible);
  }
}

// ---------------------------------------------------------------------------------------------
// Dispatchers of this build

#define PARGEN_PAIR_(M) Order_TAB_Panels_##M
#define PARGEN_PAIR(M) PARGEN_PAIR_(M)
#define PARGEN_LAYOUT_(M) RePosition_Objects_##M
#define PARGEN_LAYOUT(M) PARGEN_LAYOUT_(M)

void TFParGen::Order_TAB_Panels()
{
  PARGEN_PAIR(PARGEN_MODEL)();
}

void TFParGen::Move_GroupBoxs()
{
  PARGEN_LAYOUT(PARGEN_MODEL)();
}

// ---------------------------------------------------------------------------------------------
// Ordering

void TFParGen::Order_Panels(std::initializer_list<std::pair<TCategoryPanel *, int>> Panels)
{
  const QStringList &T = AppState().Lang_Texts;
  for (const auto &[P, Title] : Panels)
    P->SetVisible(true);
  // Each top is read back after the group has placed the panel before it.
  const TCategoryPanel *Previous = nullptr;
  for (const auto &[P, Title] : Panels) {
    P->SetTop(Previous ? Previous->Top() + Previous->Height() : 0);
    Previous = P;
  }
  int K = 0;
  for (const auto &[P, Title] : Panels) {
    ++K;
    P->SetCaption(QString::number(K) + QStringLiteral(". ") + (Title < T.size() ? T[Title] : QString()));
    P->SetTabOrder(K - 1);
  }
}

void TFParGen::Order_TAB_Panels_40213() { Order_Panels({{CP_S7_Protocol, 406}, {CP_Modbus_TCP_Slave, 423}}); }
void TFParGen::Order_TAB_Panels_40227() { Order_Panels({{CP_S7_Protocol, 406}, {CP_PROFIBUS, 442}}); }
void TFParGen::Order_TAB_Panels_40231()
{
  Order_Panels({{CP_S7_Protocol, 406}, {CP_IEC61850_Server, 872}, {CP_TLS_Server, 906}, {CP_NTP, 720}});
}
void TFParGen::Order_TAB_Panels_40246() { Order_Panels({{CP_S7_Protocol, 406}, {CP_Serial, 479}}); }
void TFParGen::Order_TAB_Panels_40252() { Order_Panels({{CP_S7_Protocol, 406}, {CP_Modbus_Slave, 489}}); }
void TFParGen::Order_TAB_Panels_40268() { Order_Panels({{CP_S7_Protocol, 406}, {CP_CAN, 504}}); }
void TFParGen::Order_TAB_Panels_40274() { Order_Panels({{CP_S7_Protocol, 406}, {CP_CANopen, 507}}); }
void TFParGen::Order_TAB_Panels_40289() { Order_Panels({{CP_S7_Protocol, 406}, {CP_DeviceNet_Slave, 522}}); }
void TFParGen::Order_TAB_Panels_40293() { Order_Panels({{CP_S7_Protocol, 406}, {CP_SNMP_Agent, 534}}); }
void TFParGen::Order_TAB_Panels_40305() { Order_Panels({{CP_S7_Protocol, 406}, {CP_EtherNetIP, 585}}); }
void TFParGen::Order_TAB_Panels_40316() { Order_Panels({{CP_S7_Protocol, 406}, {CP_KNX, 627}}); }
void TFParGen::Order_TAB_Panels_40328()
{
  Order_Panels({{CP_S7_Protocol, 406}, {CP_MQTT, 633}, {CP_Ethernet, 660}, {CP_TLS, 705}, {CP_NTP, 720}});
}
void TFParGen::Order_TAB_Panels_40337() { Order_Panels({{CP_S7_Protocol, 406}, {CP_BACnet_Slave, 726}}); }
void TFParGen::Order_TAB_Panels_40341() { Order_Panels({{CP_S7_Protocol, 406}, {CP_Ethernet, 660}}); }
void TFParGen::Order_TAB_Panels_40359()
{
  Order_Panels({{CP_S7_Protocol, 406}, {CP_OPC_UA_Server, 790}, {CP_NTP, 720}});
}
void TFParGen::Order_TAB_Panels_40362() { Order_Panels({{CP_S7_Protocol, 406}, {CP_PROFINET, 828}}); }

// ---------------------------------------------------------------------------------------------
// Layout of each model: its panels' layouts in panel order

void TFParGen::RePosition_Objects_40213()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_Modbus_TCP_Slave();
}
void TFParGen::RePosition_Objects_40227()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_PROFIBUS();
}
void TFParGen::RePosition_Objects_40231()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_IEC61850_Server();
  RePosition_Object_TLS_Server();
  RePosition_Object_NTP();
}
void TFParGen::RePosition_Objects_40246()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_Serial();
}
void TFParGen::RePosition_Objects_40252()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_Modbus_Slave();
}
void TFParGen::RePosition_Objects_40268()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_CAN();
}
void TFParGen::RePosition_Objects_40274()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_CANopen();
}
void TFParGen::RePosition_Objects_40289()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_DeviceNet_Slave();
}
void TFParGen::RePosition_Objects_40293()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_SNMP_Agent();
}
void TFParGen::RePosition_Objects_40305()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_EtherNetIP();
}
void TFParGen::RePosition_Objects_40316()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_KNX();
}
void TFParGen::RePosition_Objects_40328()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_MQTT();
  RePosition_Object_Ethernet();
  RePosition_Object_TLS();
  RePosition_Object_NTP();
}
void TFParGen::RePosition_Objects_40337()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_BACnet_Slave();
}
void TFParGen::RePosition_Objects_40341()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_Ethernet();
}
void TFParGen::RePosition_Objects_40359()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_OPC_UA_Server();
  RePosition_Object_NTP();
}
void TFParGen::RePosition_Objects_40362()
{
  RePosition_Object_S7_Protocol();
  RePosition_Object_PROFINET();
}

// ---------------------------------------------------------------------------------------------
// Panel layouts

void TFParGen::Fit_Panel(TCategoryPanel *Panel, const TControl *Last)
{
  Panel->SetHeight(Last->Top() + Last->Height() + CPG->HeaderHeight() + Panel_Margin);
}

void TFParGen::RePosition_Object_S7_Protocol() { Fit_Panel(CP_S7_Protocol, E_S7_Protocol_GAT4); }
void TFParGen::RePosition_Object_Modbus_TCP_Slave() { Fit_Panel(CP_Modbus_TCP_Slave, E_ModbusTCPSlave_Port); }
void TFParGen::RePosition_Object_PROFIBUS() { Fit_Panel(CP_PROFIBUS, E_PROFIBUS_NByte_Out); }
void TFParGen::RePosition_Object_Serial() { Fit_Panel(CP_Serial, CB_Serial_StopBits); }
void TFParGen::RePosition_Object_Modbus_Slave() { Fit_Panel(CP_Modbus_Slave, CB_ModbusSlave_ReadInput); }
void TFParGen::RePosition_Object_CAN() { Fit_Panel(CP_CAN, CB_CAN_Baudrate); }
void TFParGen::RePosition_Object_CANopen() { Fit_Panel(CP_CANopen, E_CANopen_SDO_Timeout); }
void TFParGen::RePosition_Object_DeviceNet_Slave() { Fit_Panel(CP_DeviceNet_Slave, E_DeviceNet_Slave_NumByteOut); }
void TFParGen::RePosition_Object_EtherNetIP() { Fit_Panel(CP_EtherNetIP, E_EtherNetIP_NByte_Out); }
void TFParGen::RePosition_Object_KNX() { Fit_Panel(CP_KNX, E_KNX_IDDevice); }
void TFParGen::RePosition_Object_NTP() { Fit_Panel(CP_NTP, E_NTP_Poll_Time); }
void TFParGen::RePosition_Object_OPC_UA_Server() { Fit_Panel(CP_OPC_UA_Server, E_OPC_UA_Server_Port); }
void TFParGen::RePosition_Object_IEC61850_Server()
{
  Fit_Panel(CP_IEC61850_Server, E_IEC61850_Server_Password);
}

void TFParGen::RePosition_Object_MQTT()
{
  const bool Will = CB_MQTT_WillFlag->Checked();
  Show_All({L_MQTT_Will_TopicName, E_MQTT_Will_TopicName, L_MQTT_Will_Message, E_MQTT_Will_Message,
            CB_MQTT_Will_Retained, L_MQTT_Will_QoS, CB_MQTT_Will_QoS},
           Will);
  const int Y = Will ? L_MQTT_Will_QoS->Top() + Row_Step : L_MQTT_Will_TopicName->Top();
  L_MQTT_Username->SetTop(Y);
  E_MQTT_Username->SetTop(Y - 3);
  L_MQTT_Password->SetTop(Y + Row_Step);
  E_MQTT_Password->SetTop(Y + Row_Step - 3);
  Show_All({L_MQTT_ASync_Send_Time, E_MQTT_ASync_Send_Time}, false);
  Fit_Panel(CP_MQTT, E_MQTT_Password);
}

void TFParGen::RePosition_Object_Ethernet()
{
  Show_All({L_Ethernet_TCP_Port, E_Ethernet_TCP_Port, L_Ethernet_UDP_Port, E_Ethernet_UDP_Port}, false);
  Fit_Panel(CP_Ethernet, E_Ethernet_DNS4);
}

void TFParGen::RePosition_Object_TLS()
{
  if (!CB_TLS_Enable->Checked()) {
    Show_All({CB_TLS_En_Server_Auth, L_TLS_Server_Cert, E_TLS_Server_Cert, CB_TLS_En_Client_Auth, L_TLS_Client_Cert,
              E_TLS_Client_Cert, L_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key, L_TLS_Client_Cert_Key_Pass,
              E_TLS_Client_Cert_Key_Pass},
             false);
    Fit_Panel(CP_TLS, CB_TLS_Enable);
    return;
  }
  CB_TLS_En_Server_Auth->SetVisible(true);
  int Y = CB_TLS_En_Server_Auth->Top();
  if (CB_TLS_En_Server_Auth->Checked()) {
    Show_All({L_TLS_Server_Cert, E_TLS_Server_Cert}, true);
    Y = E_TLS_Server_Cert->Top() + Row_Step;
  } else {
    Show_All({L_TLS_Server_Cert, E_TLS_Server_Cert}, false);
    Y += Row_Step;
  }
  CB_TLS_En_Client_Auth->SetVisible(true);
  CB_TLS_En_Client_Auth->SetTop(Y);
  if (CB_TLS_En_Client_Auth->Checked()) {
    L_TLS_Client_Cert->SetTop(Y + Row_Step);
    E_TLS_Client_Cert->SetTop(Y + Row_Step - 3);
    L_TLS_Client_Cert_Key->SetTop(Y + 2 * Row_Step);
    E_TLS_Client_Cert_Key->SetTop(Y + 2 * Row_Step - 3);
    L_TLS_Client_Cert_Key_Pass->SetTop(Y + 3 * Row_Step);
    E_TLS_Client_Cert_Key_Pass->SetTop(Y + 3 * Row_Step - 3);
    Show_All({L_TLS_Client_Cert, E_TLS_Client_Cert, L_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key,
              L_TLS_Client_Cert_Key_Pass, E_TLS_Client_Cert_Key_Pass},
             true);
    Fit_Panel(CP_TLS, E_TLS_Client_Cert_Key_Pass);
  } else {
    Show_All({L_TLS_Client_Cert, E_TLS_Client_Cert, L_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key,
              L_TLS_Client_Cert_Key_Pass, E_TLS_Client_Cert_Key_Pass},
             false);
    Fit_Panel(CP_TLS, CB_TLS_En_Client_Auth);
  }
}

void TFParGen::RePosition_Object_PROFINET()
{
  Show_All({CB_PROFINET_Diagnostic, E_PROFINET_Diagnostic}, false);
  Fit_Panel(CP_PROFINET, E_PROFINET_NByte_Out);
}

void TFParGen::RePosition_Object_SNMP_Agent()
{
  const bool V3 = CB_SNMP_Agent_Version3->Checked();
  const int Level = CB_SNMP_Agent_SecurityLevel->ItemIndex();
  const bool Auth = V3 && Level != 0;
  const bool Priv = Auth && Level != 1;
  Show_All({L_SNMP_Agent_User, E_SNMP_Agent_User, L_SNMP_Agent_SecurityLevel, CB_SNMP_Agent_SecurityLevel}, V3);
  Show_All({L_SNMP_Agent_Authority, E_SNMP_Agent_Authority, L_SNMP_Agent_AuthorityMode, CB_SNMP_Agent_AuthorityMode},
           Auth);
  Show_All({L_SNMP_Agent_Privacy, E_SNMP_Agent_Privacy, L_SNMP_Agent_PrivacyMode, CB_SNMP_Agent_PrivacyMode}, Priv);
  const TControl *Last = !V3     ? static_cast<TControl *>(CB_SNMP_Agent_Version3)
                         : !Auth ? static_cast<TControl *>(CB_SNMP_Agent_SecurityLevel)
                         : !Priv ? static_cast<TControl *>(CB_SNMP_Agent_AuthorityMode)
                                 : static_cast<TControl *>(CB_SNMP_Agent_PrivacyMode);
  Fit_Panel(CP_SNMP_Agent, Last);
}

void TFParGen::RePosition_Object_BACnet_Slave()
{
  const bool IP = CB_BACnet_Slave_Type->ItemIndex() == 0;
  Show_All({L_BACnet_Slave_IP, E_BACnet_Slave_IP1, E_BACnet_Slave_IP2, E_BACnet_Slave_IP3, E_BACnet_Slave_IP4,
            L_BACnet_Slave_SM, E_BACnet_Slave_SM1, E_BACnet_Slave_SM2, E_BACnet_Slave_SM3, E_BACnet_Slave_SM4,
            CB_BACnet_Slave_En_GAT, E_BACnet_Slave_GAT1, E_BACnet_Slave_GAT2, E_BACnet_Slave_GAT3,
            E_BACnet_Slave_GAT4, L_BACnet_Slave_Port, E_BACnet_Slave_Port, L_BACnet_Slave_DeviceName,
            E_BACnet_Slave_DeviceName, L_BACnet_Slave_DeviceID, E_BACnet_Slave_DeviceID},
           IP);
  const std::pair<TLabel *, TControl *> MSTP[] = {
      {L_BACnet_Slave_Baudrate, CB_BACnet_Slave_Baudrate},
      {L_BACnet_Slave_Parity, CB_BACnet_Slave_Parity},
      {L_BACnet_Slave_MSTP_DeviceName, E_BACnet_Slave_MSTP_DeviceName},
      {L_BACnet_Slave_MAC, E_BACnet_Slave_MAC},
      {L_BACnet_Slave_MaxMaster, E_BACnet_Slave_MaxMaster},
      {L_BACnet_Slave_MaxInfoFrame, E_BACnet_Slave_MaxInfoFrame},
      {L_BACnet_Slave_DeviceInstance, E_BACnet_Slave_DeviceInstance},
      {L_BACnet_Slave_Network, E_BACnet_Slave_Network},
  };
  if (IP) {
    for (const auto &[L, E] : MSTP)
      Show_All({L, E}, false);
    CB_BACnet_Slave_Desc32->SetTop(L_BACnet_Slave_DeviceID->Top() + Row_Step);
  } else {
    int Top = E_BACnet_Slave_IP1->Top();
    for (const auto &[L, E] : MSTP) {
      E->SetTop(Top);
      L->SetTop(Top + 3);
      Show_All({L, E}, true);
      Top += Row_Step;
    }
    CB_BACnet_Slave_Desc32->SetTop(L_BACnet_Slave_Network->Top() + Row_Step);
  }
  Fit_Panel(CP_BACnet_Slave, CB_BACnet_Slave_Desc32);
}

void TFParGen::RePosition_Object_TLS_Server()
{
  const bool On = CB_TLS_Server_Enable->Checked();
  Show_All({L_TLS_Server_Key, E_TLS_Server_Key, L_TLS_Server_Key_Pass, E_TLS_Server_Key_Pass,
            L_TLS_Server_Server_Cert, E_TLS_Server_Server_Cert, L_TLS_Server_Root_Cert, E_TLS_Server_Root_Cert,
            CB_TLS_Server_OnlyKnown},
           On);
  Fit_Panel(CP_TLS_Server, On ? static_cast<TControl *>(CB_TLS_Server_OnlyKnown)
                              : static_cast<TControl *>(CB_TLS_Server_Enable));
}
