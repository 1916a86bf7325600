// The "ParGen.xml" file of model 40328: its elements, defaults, reading, writing and the
// checks run before it is written.
#include "app/fpargen.h"

#include "framework/system/sysutils.h"

const TParGenElement ParGen_Elements[ParGen_Element_Count] = {
    {u"S7_Protocol_IP1", pkText, u"192"},
    {u"S7_Protocol_IP2", pkText, u"168"},
    {u"S7_Protocol_IP3", pkText, u"0"},
    {u"S7_Protocol_IP4", pkText, u"5"},
    {u"S7_Protocol_SM1", pkText, u"255"},
    {u"S7_Protocol_SM2", pkText, u"255"},
    {u"S7_Protocol_SM3", pkText, u"255"},
    {u"S7_Protocol_SM4", pkText, u"0"},
    {u"S7_Protocol_GAT1", pkText, u"192"},
    {u"S7_Protocol_GAT2", pkText, u"168"},
    {u"S7_Protocol_GAT3", pkText, u"0"},
    {u"S7_Protocol_GAT4", pkText, u"1"},
    {u"S7_Protocol_EN_GAT", pkCheck, u"0"},
    {u"MQTT_Server_URL", pkText, u""},
    {u"MQTT_Server_Port", pkText, u"1883"},
    {u"MQTT_Client_ID", pkText, u""},
    {u"MQTT_Keep_Alive", pkText, u""},
    {u"MQTT_Clean_Session", pkCheck, u"0"},
    {u"MQTT_WillFlag", pkCheck, u"0"},
    {u"MQTT_Will_Topic_Name", pkText, u""},
    {u"MQTT_Will_Message", pkText, u""},
    {u"MQTT_Will_Retained", pkCheck, u"0"},
    {u"MQTT_Will_QoS", pkItemIndex, u"0"},
    {u"MQTT_Username", pkText, u""},
    {u"MQTT_Password", pkMultiLine, u""},
    {u"MQTT_ASync_Send_Time", pkText, u""},
    {u"Ethernet_IP1", pkText, u"192"},
    {u"Ethernet_IP2", pkText, u"168"},
    {u"Ethernet_IP3", pkText, u"0"},
    {u"Ethernet_IP4", pkText, u"10"},
    {u"Ethernet_SM1", pkText, u"255"},
    {u"Ethernet_SM2", pkText, u"255"},
    {u"Ethernet_SM3", pkText, u"255"},
    {u"Ethernet_SM4", pkText, u"0"},
    {u"Ethernet_GAT1", pkText, u"192"},
    {u"Ethernet_GAT2", pkText, u"168"},
    {u"Ethernet_GAT3", pkText, u"0"},
    {u"Ethernet_GAT4", pkText, u"1"},
    {u"Ethernet_EN_GAT", pkCheck, u"0"},
    {u"Ethernet_DNS1", pkText, u"8"},
    {u"Ethernet_DNS2", pkText, u"8"},
    {u"Ethernet_DNS3", pkText, u"8"},
    {u"Ethernet_DNS4", pkText, u"8"},
    {u"Ethernet_EN_DNS", pkCheck, u"0"},
    {u"TLS_Enable", pkCheckInt, u"0"},
    {u"TLS_En_Server_Auth", pkCheckInt, u"0"},
    {u"TLS_Server_Auth_Certificate", pkMultiLine, u""},
    {u"TLS_En_Client_Auth", pkCheckInt, u"0"},
    {u"TLS_Client_Auth_Certificate", pkMultiLine, u""},
    {u"TLS_Client_Auth_Key", pkMultiLine, u""},
    {u"TLS_Client_Auth_Key_Password", pkText, u""},
    {u"NTP_Server_URL", pkText, u"pool.ntp.org"},
    {u"NTP_Poll_Time", pkText, u"1000"},
};

int ParGen_Index(const QString &Name)
{
  for (int i = 0; i < ParGen_Element_Count; ++i)
    if (Name == QString::fromUtf16(ParGen_Elements[i].Name))
      return i;
  return -1;
}

QStringList ParGen_Defaults()
{
  QStringList values;
  for (const TParGenElement &e : ParGen_Elements)
    values << QString::fromUtf16(e.Default);
  return values;
}

QStringList Read_ParGen(TXMLDocument *Doc)
{
  QStringList values = ParGen_Defaults();
  // The root is the first element, so a declaration or a comment ahead of it is skipped.
  const IXMLNode root = Doc->DocumentElement();
  if (root.IsNull())
    return values;
  const IXMLNodeList children = root.ChildNodes();
  for (int i = 0; i < ParGen_Element_Count; ++i) {
    const IXMLNode node = children.FindNode(QString::fromUtf16(ParGen_Elements[i].Name));
    if (node.IsNull())
      continue;
    try {
      values[i] = node.Text();
    } catch (const Exception &) {
      // An element holding elements has no text: that one setting keeps its default.
    }
  }
  return values;
}

void Write_ParGen(TXMLDocument *Doc, const QStringList &Values)
{
  Doc->SetActive(true);
  Doc->ChildNodes().Clear();
  IXMLNode root = Doc->AddChild(ParGen_Root);
  Doc->ChildNodes().Add(Doc->CreateNode(ParGen_Comment, ntComment));
  for (int i = 0; i < ParGen_Element_Count; ++i) {
    QString value = i < Values.size() ? Values[i] : QString();
    if (ParGen_Elements[i].Kind == pkMultiLine)
      value = ParGen_CRLF(value);
    root.AddChild(QString::fromUtf16(ParGen_Elements[i].Name)).SetText(value);
  }
}

QString ParGen_CRLF(const QString &Text)
{
  QString s;
  s.reserve(Text.size() + 16);
  for (int i = 0; i < Text.size(); ++i) {
    const QChar c = Text[i];
    if (c == u'\r') {
      s += QStringLiteral("\r\n");
      if (i + 1 < Text.size() && Text[i + 1] == u'\n')
        ++i;
    } else if (c == u'\n' || c == QChar(0x2029) || c == QChar(0x2028)) {
      s += QStringLiteral("\r\n");
    } else {
      s += c;
    }
  }
  return s;
}

int ParGen_Number(const QString &Text)
{
  // A decimal number only: the integer parser alone would also take "$FF" or "0x10".
  int i = 0;
  while (i < Text.size() && (Text[i] == u' ' || Text[i] == u'\t'))
    ++i;
  if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-'))
    ++i;
  if (i == Text.size())
    return -1;
  for (; i < Text.size(); ++i)
    if (Text[i] < u'0' || Text[i] > u'9')
      return -1;
  return StrToIntDef(Text, -1);
}

namespace {

// First octet of the four from element First that lies outside 0..255, as the offset 0..3,
// or -1 when all four pass.
int Bad_Octet(const QStringList &Values, int First)
{
  for (int k = 0; k < 4; ++k) {
    const int v = ParGen_Number(Values[First + k]);
    if (v < 0 || v > 255)
      return k;
  }
  return -1;
}

}  // namespace

int ParGen_Check(const QStringList &Values)
{
  struct TGroup {
    const char16_t *First;   // first of the four octet elements
    const char16_t *Enable;  // check box that enables the check, or nullptr for always
    int Text;                // error text of octet 1; octets 2 to 4 follow
  };
  static const TGroup Groups[] = {
      {u"S7_Protocol_IP1", nullptr, 451},
      {u"S7_Protocol_SM1", nullptr, 455},
      {u"S7_Protocol_GAT1", u"S7_Protocol_EN_GAT", 459},
      {u"Ethernet_IP1", nullptr, 687},
      {u"Ethernet_SM1", nullptr, 691},
      {u"Ethernet_GAT1", u"Ethernet_EN_GAT", 695},
      {u"Ethernet_DNS1", u"Ethernet_EN_DNS", 699},
  };
  for (const TGroup &g : Groups) {
    if (g.Enable && Values[ParGen_Index(QString::fromUtf16(g.Enable))] != QLatin1String("1"))
      continue;
    const int bad = Bad_Octet(Values, ParGen_Index(QString::fromUtf16(g.First)));
    if (bad >= 0)
      return g.Text + bad;
  }
  const int poll = ParGen_Number(Values[ParGen_Index(QStringLiteral("NTP_Poll_Time"))]);
  if (poll < 0 || poll > 10000000)
    return 725;
  return 0;
}
