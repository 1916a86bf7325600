// Bank 1: the general parameter block, read from "ParGen.xml".
#include "project/bank_bytes.h"
#include "project/bank_xml.h"
#include "project/banks.h"

#include "framework/system/paths.h"
#include "project/app_state.h"

using namespace bankbytes;

void TBankBuilder::Init_General_Parameters()
{
  General_Parameters.fill(0);
  uint8_t *p = General_Parameters.data();
  Put_U32(p + 0x000, 250000);
  Put_U32(p + 0x004, 250000);
  Put_U32(p + 0x008, 0);
  Put_U32(p + 0x00C, 9600);
  const uint8_t s7_ip[4] = {192, 168, 2, 205};
  const uint8_t s7_mask[4] = {255, 255, 255, 0};
  for (int i = 0; i < 4; ++i) {
    p[GP::S7_IP_Address + i] = s7_ip[i];
    p[GP::S7_Subnet_Mask + i] = s7_mask[i];
    p[GP::S7_Gateway + i] = 255;
  }
  Put_U16(p + 0x034, 10000);
  Put_U16(p + 0x036, 10001);
  Put_U16(p + 0x038, 10001);
  for (int i = 0; i < 8; ++i)
    p[0x1B4 + i] = 8;
}

namespace {

// Four octet elements Prefix1 .. Prefix4; each falls back to its own default.
void Load_Address(const TTableFile &File, uint8_t *Octets, const char *Prefix, const std::array<int, 4> &Defaults)
{
  for (int i = 0; i < 4; ++i) {
    const QByteArray name = QByteArray(Prefix) + char('1' + i);
    int value = Defaults[size_t(i)];
    QString text;
    if (File.Child_Text(name.constData(), text))
      value = StrToIntDef(text, Defaults[size_t(i)]);
    Octets[i] = uint8_t(value);
  }
}

// The switch elements count as on only when they hold exactly "1".
bool Switch_On(const TTableFile &File, const char *Name)
{
  QString text;
  return File.Child_Text(Name, text) && text == QLatin1String("1");
}

// Element text, empty when the element is missing.
QString Text_Of(const TTableFile &File, const char *Name)
{
  QString text;
  File.Child_Text(Name, text);
  return text;
}

// Whole-text integer with the default for a missing element or other text.
int Number_Of(const TTableFile &File, const char *Name, int Default)
{
  QString text;
  if (!File.Child_Text(Name, text))
    return Default;
  return StrToIntDef(text, Default);
}

}  // namespace

void TBankBuilder::Load_ParGen_Config()
{
  const QString file = AppState().File_ParGen;
  if (!PathExists(file))
    return;
  Require_XML();
  const TTableFile f(*XML1, file);
  uint8_t *p = General_Parameters.data();

  Load_Address(f, p + GP::S7_IP_Address, "S7_Protocol_IP", {192, 168, 0, 10});
  Load_Address(f, p + GP::S7_Subnet_Mask, "S7_Protocol_SM", {255, 255, 255, 0});
  Load_Address(f, p + GP::S7_Gateway, "S7_Protocol_GAT", {192, 168, 0, 1});
  if (!Switch_On(f, "S7_Protocol_EN_GAT"))
    Put_U32(p + GP::S7_Gateway, 0xFFFFFFFF);

  TMQTT &m = MQTT_Config;
  m.NTP_Server_Address = Text_Of(f, "NTP_Server_URL");
  m.NTP_Server_Poll = uint32_t(Number_Of(f, "NTP_Poll_Time", 1000));
  m.Mode = 2;
  m.Server_Address = Text_Of(f, "MQTT_Server_URL");
  m.Server_Port = uint16_t(Number_Of(f, "MQTT_Server_Port", 1883));
  TMQTTPacket_ConnectData &c = m.Connect_Data;
  c.ClientID.CString = Text_Of(f, "MQTT_Client_ID");
  c.KeepAliveInterval = uint16_t(Number_Of(f, "MQTT_Keep_Alive", 0));
  c.CleanSession = uint8_t(Number_Of(f, "MQTT_Clean_Session", 0));
  c.WillFlag = uint8_t(Number_Of(f, "MQTT_WillFlag", 0));
  c.Will.TopicName.CString = Text_Of(f, "MQTT_Will_Topic_Name");
  c.Will.WillMessage.CString = Text_Of(f, "MQTT_Will_Message");
  c.Will.Retained = uint8_t(Number_Of(f, "MQTT_Will_Retained", 0));
  c.Will.QoS = uint8_t(Number_Of(f, "MQTT_Will_QoS", 0));
  c.Username.CString = Text_Of(f, "MQTT_Username");
  c.Password.CString = Text_Of(f, "MQTT_Password");
  m.Time_Poll = uint32_t(Number_Of(f, "MQTT_ASync_Send_Time", 10));

  Load_Address(f, p + GP::Ethernet_IP_Address, "Ethernet_IP", {192, 168, 0, 10});
  Load_Address(f, p + GP::Ethernet_Subnet_Mask, "Ethernet_SM", {255, 255, 255, 0});
  Load_Address(f, p + GP::Ethernet_Gateway, "Ethernet_GAT", {192, 168, 0, 1});
  if (!Switch_On(f, "Ethernet_EN_GAT"))
    Put_U32(p + GP::Ethernet_Gateway, 0xFFFFFFFF);
  Load_Address(f, p + GP::DNS_Server, "Ethernet_DNS", {8, 8, 8, 8});
  if (!Switch_On(f, "Ethernet_EN_DNS"))
    Put_U32(p + GP::DNS_Server, 0);

  m.TLS_Flag = uint32_t(Number_Of(f, "TLS_Enable", 0));
  m.TLS_Server_Authentication = uint32_t(Number_Of(f, "TLS_En_Server_Auth", 0));
  m.TLS_Server_Cert = Text_Of(f, "TLS_Server_Auth_Certificate");
  m.TLS_Client_Authentication = uint32_t(Number_Of(f, "TLS_En_Client_Auth", 0));
  m.TLS_Client_Cert = Text_Of(f, "TLS_Client_Auth_Certificate");
  m.TLS_Client_Key = Text_Of(f, "TLS_Client_Auth_Key");
  m.TLS_Client_Key_Pass = Text_Of(f, "TLS_Client_Auth_Key_Password");
}

int TBankBuilder::Build_Bank1(int Position, TBankBuffer &Buffer)
{
  uint32_t sum = 0;
  for (int i = 0; i < GP::Checksum; ++i)
    sum += General_Parameters[size_t(i)];
  Put_U32(General_Parameters.data() + GP::Checksum, sum);
  TBankWriter w(Buffer, Position);
  w.Bytes(General_Parameters.data(), General_Parameters_Size);
  return w.Position();
}
