// Bank 3: the MQTT configuration image. The address pass lays out the string pool and the
// tables; the serialiser writes them in exactly the same order, so the two agree byte for byte.
#include "project/bank_bytes.h"
#include "project/bank_xml.h"
#include "project/banks.h"

#include "framework/system/paths.h"
#include "project/app_state.h"

#include <cstring>

using namespace bankbytes;

QString Remove_CR_LF(const QString &Text)
{
  if (!Text.contains(QLatin1Char('\r')) && !Text.contains(QLatin1Char('\n')))
    return Text;
  QString s = Text;
  s.remove(QLatin1Char('\r'));
  s.remove(QLatin1Char('\n'));
  return s;
}

int Utf8_Length(const QString &Text)
{
  // Every unit as if it were no surrogate: 1, 2 or 3 bytes (a loop without branches, which the
  // compiler vectorises); then each surrogate pair (4 bytes, counted 6) and each surrogate
  // without its partner (written as "?", counted 3) takes 2 back.
  const int64_t n = Text.size();
  const char16_t *u = reinterpret_cast<const char16_t *>(Text.constData());
  int64_t bytes = 0;
  bool surrogates = false;
  for (int64_t i = 0; i < n; ++i) {
    const char16_t c = u[i];
    bytes += 1 + (c >= 0x80) + (c >= 0x800);
    surrogates |= (c & 0xF800) == 0xD800;
  }
  if (surrogates)
    for (int64_t i = 0; i < n; ++i)
      if (QChar::isSurrogate(u[i])) {
        if (QChar::isHighSurrogate(u[i]) && i + 1 < n && QChar::isLowSurrogate(u[i + 1]))
          ++i;
        bytes -= 2;
      }
  return int(bytes);
}

uint32_t MQTT_Data_Type_Code(const QString &Text)
{
  // Trim and UpperCase (ASCII letters) in place, without building the upper-cased copy.
  const char16_t *u = reinterpret_cast<const char16_t *>(Text.constData());
  int64_t b = 0, e = Text.size();
  while (b < e && u[b] <= ' ')
    ++b;
  while (e > b && u[e - 1] <= ' ')
    --e;
  auto is = [&](const char *Word) {
    if (int64_t(std::strlen(Word)) != e - b)
      return false;
    for (int64_t i = 0; i < e - b; ++i) {
      char16_t c = u[b + i];
      if (c >= 'a' && c <= 'z')
        c = char16_t(c - ('a' - 'A'));
      if (c != char16_t(Word[i]))
        return false;
    }
    return true;
  };
  if (is("INT")) return 1;
  if (is("FLOAT")) return 2;
  if (is("BASE64")) return 3;
  return 0;  // "STRING" and anything else
}

int Put_Bank_String(const QString &Text, int Position, TBankBuffer &Buffer)
{
  if (Text.isEmpty())
    return Position;
  const QByteArray utf8 = Text.toUtf8();
  TBankWriter w(Buffer, Position);
  Require_Room(Buffer, Position, int(utf8.size()) + 1);
  w.Bytes(reinterpret_cast<const uint8_t *>(utf8.constData()), int(utf8.size()));
  w.U8(0);
  return w.Position();
}

int Put_MQTT_String(const TMQTTString &S, uint32_t Base, int Position, TBankBuffer &Buffer)
{
  const uint32_t address = S.CString.isEmpty() ? 0 : Base + S.Address;
  TBankWriter w(Buffer, Position);
  Require_Room(Buffer, Position, MQTT_String_Size);
  w.U32(address);
  w.U32(uint32_t(S.CString.isEmpty() ? 0 : S.Len));
  w.U32(address);
  return w.Position();
}

void TBankBuilder::Reset_MQTT_Config()
{
  TMQTT &m = MQTT_Config;
  // onconnectFlag, onconnect and topic_answer_dali are never set and stay empty and 0.
  TMQTTPacket_OnConnectOptions onconnect = m.onconnect;
  TMQTTString dali = m.topic_answer_dali;
  uint8_t flag = m.onconnectFlag;
  m = TMQTT{};
  m.onconnect = onconnect;
  m.topic_answer_dali = dali;
  m.onconnectFlag = flag;
  m.Connect_Data.Struct_ID = {'M', 'Q', 'T', 'C'};
  m.Connect_Data.MQTTVersion = 4;
  m.Connect_Data.Will.Struct_ID = {'M', 'Q', 'T', 'W'};
  FMQTT_Image_Size = MQTT_Header_Size + 1;
}

namespace {

// Lays out the pool from the first free offset.
class TLayout {
public:
  explicit TLayout(uint32_t Start) : c(Start) {}
  // MQTT string: empty takes address 0 and length 0.
  void MQTT_String(TMQTTString &S)
  {
    if (S.CString.isEmpty()) {
      S.Address = 0;
      S.Len = 0;
      return;
    }
    S.Len = Utf8_Length(S.CString);
    S.Address = c;
    Advance(uint32_t(S.Len) + 1);
  }
  // Plain text: empty takes the shared empty text; Len (when given) gets the byte count.
  uint32_t Text(const QString &T, uint32_t *Len = nullptr)
  {
    if (T.isEmpty()) {
      if (Len)
        *Len = 0;
      return MQTT_Empty_Text;
    }
    const uint32_t b = uint32_t(Utf8_Length(T));
    if (Len)
      *Len = b;
    const uint32_t at = c;
    Advance(b + 1);
    return at;
  }
  uint32_t Table(uint64_t Bytes)
  {
    const uint32_t at = c;
    Advance(Bytes);
    return at;
  }
  uint64_t End() const { return c; }

private:
  // The image can never reach 4 GB within a bank; the size check of Build_Bank3 catches any
  // image that does not fit, so saturate rather than wrap.
  void Advance(uint64_t n) { c = std::min<uint64_t>(c + n, UINT32_MAX); }
  uint64_t c;
};

}  // namespace

void TBankBuilder::Assign_MQTT_Addresses()
{
  TMQTT &m = MQTT_Config;
  TMQTTPacket_ConnectData &cd = m.Connect_Data;
  TLayout l(MQTT_Header_Size + 1);

  m.Server_Address_Add = l.Text(m.Server_Address);
  l.MQTT_String(cd.ClientID);
  l.MQTT_String(cd.Will.TopicName);
  l.MQTT_String(cd.Will.WillMessage);
  l.MQTT_String(cd.Username);
  l.MQTT_String(cd.Password);
  m.TLS_Server_Cert_Add = l.Text(m.TLS_Server_Cert, &m.TLS_Server_Cert_Len);
  m.TLS_Client_Cert_Add = l.Text(m.TLS_Client_Cert, &m.TLS_Client_Cert_Len);
  m.TLS_Client_Key_Add = l.Text(m.TLS_Client_Key, &m.TLS_Client_Key_Len);
  m.TLS_Client_Key_Add_Pass = l.Text(m.TLS_Client_Key_Pass);
  m.NTP_Server_Address_Add = l.Text(m.NTP_Server_Address);
  l.MQTT_String(m.onconnect.topicName);
  l.MQTT_String(m.onconnect.conn_message);
  l.MQTT_String(m.topic_answer_dali);

  const uint64_t n = m.Subscribe_Data.size();
  m.Topic_Filter_Count = int32_t(n);
  m.Topic_Filters_Add = m.Topic_Filter_QoS_Add = m.Subscribe_Data_Add = 0;
  if (n > 0) {
    m.Topic_Filters_Add = l.Table(MQTT_String_Size * n);
    for (TMQTTString &f : m.Topic_Filters)
      l.MQTT_String(f);
    m.Topic_Filter_QoS_Add = l.Table(4 * n);
    m.Subscribe_Data_Add = l.Table(MQTT_Subscribe_Record_Size * n);
    for (TMQTT_Subscribe_Data &s : m.Subscribe_Data) {
      s.Input_Template_Add = l.Text(s.Input_Template);
      s.Output_Template_Add = l.Text(s.Output_Template);
    }
  }

  const uint64_t p = m.Publish_Data.size();
  m.Publish_Topic_Count = int32_t(p);
  m.Publish_Data_Add = 0;
  if (p > 0) {
    m.Publish_Data_Add = l.Table(MQTT_Publish_Record_Size * p);
    for (TMQTT_Publish_Data &d : m.Publish_Data) {
      d.Desc_Add = l.Text(d.Description);
      l.MQTT_String(d.Publish_Topic);
      d.Input_Template_Add = l.Text(d.Input_Template);
      d.Output_Template_Add = l.Text(d.Output_Template);
    }
  }
  FMQTT_Image_Size = int(std::min<uint64_t>(l.End(), INT32_MAX));
}

void TBankBuilder::Load_MQTT_Topics()
{
  TMQTT &m = MQTT_Config;
  m.Publish_Data.clear();
  m.Topic_Filters.clear();
  m.Topic_Filter_QoS.clear();
  m.Subscribe_Data.clear();

  const QString file = AppState().File_MQTT_Set_Topic;
  if (PathExists(file)) {
    Require_XML();
    const TTableFile f(*XML1, file);

    const TTableSection pub = bankxml::Required_Section(f, "MQTT_Publish");
    m.Publish_Data.resize(size_t(pub.Count()));
    size_t i = 0;
    for (const TTableRow row : pub) {
      TMQTT_Publish_Data &d = m.Publish_Data[i++];
      // In the order the table file stores the attributes.
      d.Publish_Topic.CString = Remove_CR_LF(row.Text("Topic"));
      d.Retained = row.Checked_Any_Case("Retained") ? 1 : 0;
      d.QoS = StrToInt(row.Text("QoS"));
      d.Type_Data = uint16_t(MQTT_Data_Type_Code(row.Text("DataType")));
      d.Length = uint16_t(row.Integer("Dimension", 4));
      d.Position = uint32_t(row.Integer("Position", 0));
      d.Output_Template = Remove_CR_LF(row.Text("Template"));
      d.Options = 0;
      if (row.Checked_Any_Case("OnChange"))
        d.Options |= 1;
      if (row.Checked_Any_Case("OnTimer"))
        d.Options |= 4;
      d.Timer = 0;
      if (d.Options & 4)
        d.Timer = uint32_t(StrToIntDef(Trim(row.Text("Time")), 0));
      d.Input_Template.clear();
      d.Source_IP_Address = 0;
      d.Description = row.Text("Mnemonic");
    }

    const TTableSection sub = bankxml::Required_Section(f, "MQTT_Subscribe");
    const size_t n = size_t(sub.Count());
    m.Topic_Filters.resize(n);
    m.Topic_Filter_QoS.resize(n);
    m.Subscribe_Data.resize(n);
    i = 0;
    for (const TTableRow row : sub) {
      m.Topic_Filters[i].CString = Remove_CR_LF(row.Text("Topic"));
      m.Topic_Filter_QoS[i] = StrToInt(row.Text("QoS"));
      TMQTT_Subscribe_Data &s = m.Subscribe_Data[i];
      s.Type_SubData = MQTT_Data_Type_Code(row.Text("DataType"));
      s.Length = uint32_t(row.Integer("Dimension", 4));
      s.Position = uint32_t(row.Integer("Position", 0));
      s.Input_Template = row.Text("Template");
      s.Output_Template.clear();
      s.IP_Address = 0;
      s.Port = 0;
      s.Proto = 0;
      ++i;
    }
  }
  Assign_MQTT_Addresses();
}

int TBankBuilder::Build_Bank3(uint32_t Base, int Position, TBankBuffer &Buffer, int Last_Position)
{
  const TMQTT &m = MQTT_Config;
  const TMQTTPacket_ConnectData &cd = m.Connect_Data;
  if (int64_t(Position) + FMQTT_Image_Size - 1 > Last_Position)
    throw EBankError(QStringLiteral("The MQTT configuration needs %1 bytes, more than the %2 "
                                    "bytes the gateway's bank can hold. Shorten the topics, "
                                    "templates or certificates.")
                         .arg(FMQTT_Image_Size)
                         .arg(int64_t(Last_Position) - Position + 1));
  const int start = Position;
  TBankWriter w(Buffer, Position);
  auto mqtt_string = [&](const TMQTTString &s) {
    const int at = Put_MQTT_String(s, Base, w.Position(), Buffer);
    w = TBankWriter(Buffer, at);
  };
  auto id = [&](const std::array<char, 4> &a) {
    for (char ch : a)
      w.U8(uint8_t(ch));
  };

  w.U32(m.Mode);
  w.U32(m.Time_Poll);
  w.U32(Base + m.Server_Address_Add);
  w.U16(m.Server_Port);
  id(cd.Struct_ID);
  w.U32(uint32_t(cd.Struct_Version));
  w.U8(cd.MQTTVersion);
  mqtt_string(cd.ClientID);
  w.U16(cd.KeepAliveInterval);
  w.U8(cd.CleanSession);
  w.U8(cd.WillFlag);
  id(cd.Will.Struct_ID);
  w.U32(uint32_t(cd.Will.Struct_Version));
  mqtt_string(cd.Will.TopicName);
  mqtt_string(cd.Will.WillMessage);
  w.U8(cd.Will.Retained);
  w.U8(cd.Will.QoS);
  mqtt_string(cd.Username);
  mqtt_string(cd.Password);
  w.U32(uint32_t(m.Topic_Filter_Count));
  w.U32(Base + m.Topic_Filters_Add);
  w.U32(Base + m.Topic_Filter_QoS_Add);
  w.U32(Base + m.Subscribe_Data_Add);
  w.U32(uint32_t(m.Publish_Topic_Count));
  w.U32(Base + m.Publish_Data_Add);
  w.U32(m.TLS_Flag);
  w.U32(m.TLS_Server_Authentication);
  w.U32(Base + m.TLS_Server_Cert_Add);
  w.U32(m.TLS_Server_Cert_Len);
  w.U32(m.TLS_Client_Authentication);
  w.U32(Base + m.TLS_Client_Cert_Add);
  w.U32(m.TLS_Client_Cert_Len);
  w.U32(Base + m.TLS_Client_Key_Add);
  w.U32(m.TLS_Client_Key_Len);
  w.U32(m.TLS_Client_Key_Password);
  w.U32(Base + m.TLS_Client_Key_Add_Pass);
  w.U32(Base + m.NTP_Server_Address_Add);
  w.U32(m.NTP_Server_Poll);
  w.U8(m.onconnectFlag);
  mqtt_string(m.onconnect.topicName);
  mqtt_string(m.onconnect.conn_message);
  w.U8(m.onconnect.reteined);
  w.U8(m.onconnect.qos);
  mqtt_string(m.topic_answer_dali);
  w.U8(0);  // the shared empty text at offset 212

  int pos = w.Position();
  pos = Put_Bank_String(m.Server_Address, pos, Buffer);
  pos = Put_Bank_String(cd.ClientID.CString, pos, Buffer);
  pos = Put_Bank_String(cd.Will.TopicName.CString, pos, Buffer);
  pos = Put_Bank_String(cd.Will.WillMessage.CString, pos, Buffer);
  pos = Put_Bank_String(cd.Username.CString, pos, Buffer);
  pos = Put_Bank_String(cd.Password.CString, pos, Buffer);
  pos = Put_Bank_String(m.TLS_Server_Cert, pos, Buffer);
  pos = Put_Bank_String(m.TLS_Client_Cert, pos, Buffer);
  pos = Put_Bank_String(m.TLS_Client_Key, pos, Buffer);
  pos = Put_Bank_String(m.TLS_Client_Key_Pass, pos, Buffer);
  pos = Put_Bank_String(m.NTP_Server_Address, pos, Buffer);
  pos = Put_Bank_String(m.onconnect.topicName.CString, pos, Buffer);
  pos = Put_Bank_String(m.onconnect.conn_message.CString, pos, Buffer);
  pos = Put_Bank_String(m.topic_answer_dali.CString, pos, Buffer);

  if (!m.Subscribe_Data.empty()) {
    for (const TMQTTString &f : m.Topic_Filters)
      pos = Put_MQTT_String(f, Base, pos, Buffer);
    for (const TMQTTString &f : m.Topic_Filters)
      pos = Put_Bank_String(f.CString, pos, Buffer);
    w = TBankWriter(Buffer, pos);
    for (int32_t q : m.Topic_Filter_QoS)
      w.U32(uint32_t(q));
    for (const TMQTT_Subscribe_Data &s : m.Subscribe_Data) {
      w.U32(s.Position);
      w.U32(s.Length);
      w.U32(s.Type_SubData);
      w.U32(Base + s.Input_Template_Add);
      w.U32(Base + s.Output_Template_Add);
      w.U32(s.IP_Address);
      w.U16(s.Port);
      w.U8(s.Proto);
    }
    pos = w.Position();
    for (const TMQTT_Subscribe_Data &s : m.Subscribe_Data) {
      pos = Put_Bank_String(s.Input_Template, pos, Buffer);
      pos = Put_Bank_String(s.Output_Template, pos, Buffer);
    }
  }

  if (!m.Publish_Data.empty()) {
    w = TBankWriter(Buffer, pos);
    for (const TMQTT_Publish_Data &d : m.Publish_Data) {
      w.U32(Base + d.Desc_Add);
      mqtt_string(d.Publish_Topic);
      w.U8(d.Retained);
      w.U32(uint32_t(d.QoS));
      w.U32(Base + d.Input_Template_Add);
      w.U32(Base + d.Output_Template_Add);
      w.U32(d.Source_IP_Address);
      w.U32(d.Position);
      w.U16(d.Length);
      w.U16(d.Type_Data);
      w.U32(d.Timer);
      w.U32(d.Options);
    }
    pos = w.Position();
    for (const TMQTT_Publish_Data &d : m.Publish_Data) {
      pos = Put_Bank_String(d.Description, pos, Buffer);
      pos = Put_Bank_String(d.Publish_Topic.CString, pos, Buffer);
      pos = Put_Bank_String(d.Input_Template, pos, Buffer);
      pos = Put_Bank_String(d.Output_Template, pos, Buffer);
    }
  }

  if (pos - start != FMQTT_Image_Size)
    throw EBankError(QStringLiteral("MQTT image layout mismatch: %1 bytes laid out, %2 written.")
                         .arg(FMQTT_Image_Size)
                         .arg(pos - start));
  return pos;
}
