// Bank 3: the MQTT configuration image.
#include "tests/project/bank_fixture.h"

namespace {

constexpr uint32_t A = 0xA0000;  // load address of bank 3

// Expected image written out field by field, with offsets worked out by hand.
struct Image {
  QByteArray b;
  Image &u8(int v) { b += char(uint8_t(v)); return *this; }
  Image &u16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
  Image &u32(uint32_t v) { return u16(int(v & 0xFFFF)).u16(int(v >> 16)); }
  Image &id(const char *s) { b += QByteArray(s, 4); return *this; }
  Image &zeros(int n) { b += QByteArray(n, '\0'); return *this; }
  Image &text(const QString &s) { b += s.toUtf8(); return u8(0); }
  // MQTT string at an image offset; empty when Len is 0.
  Image &mstr(uint32_t Offset, int Len) { return Len ? u32(A + Offset).u32(uint32_t(Len)).u32(A + Offset) : zeros(12); }
  int size() const { return int(b.size()); }
};

QByteArray Bank3(const TBankBuilder &B)
{
  return QByteArray(reinterpret_cast<const char *>(B.Bank_Buffer_3.data()), B.Bank_Length_3);
}

}  // namespace

using MQTTImage = BankProject;

TEST_F(MQTTImage, WithoutProjectFilesTheImageIsTheBareHeader)
{
  Builder->Compile_Banks();
  Image e;
  e.u32(0).u32(0).u32(A + 212).u16(0).id("MQTC").u32(0).u8(4).zeros(12).u16(0).u8(0).u8(0)
      .id("MQTW").u32(0).zeros(24).u8(0).u8(0).zeros(24)
      .u32(0).u32(A).u32(A).u32(A).u32(0).u32(A)         // topic counts and tables
      .u32(0).u32(0).u32(A + 212).u32(0)                   // TLS flag, server auth, cert, length
      .u32(0).u32(A + 212).u32(0).u32(A + 212).u32(0)     // client auth, cert, length, key, length
      .u32(0).u32(A + 212).u32(A + 212).u32(0)             // key password flag and text, NTP
      .u8(0).zeros(24).u8(0).u8(0).zeros(12).u8(0);
  ASSERT_EQ(e.size(), 213);
  EXPECT_EQ(Bank3(*Builder), e.b);
}

TEST_F(MQTTImage, SingleConnectionTexts)
{
  struct Case {
    const char *name;
    const char *elements;
    int size;
    int at;
    std::vector<int> bytes;
  };
  const Case cases[] = {
      // broker URL at 213, its 6 bytes and a 0 in the pool; Mode 2 with the settings defaults
      {"broker", "<MQTT_Server_URL>broker</MQTT_Server_URL>", 220, 8, {0xD5, 0x00, 0x0A, 0x00}},
      {"broker text", "<MQTT_Server_URL>broker</MQTT_Server_URL>", 220, 213, {'b', 'r', 'o', 'k', 'e', 'r', 0}},
      {"mode, poll, port", "", 213, 0, {2, 0, 0, 0, 10, 0, 0, 0, 0xD4, 0, 0x0A, 0, 0x5B, 0x07}},
      {"NTP poll default", "", 213, 169, {0xE8, 0x03, 0, 0}},
      {"client id after empty broker", "<MQTT_Client_ID>c</MQTT_Client_ID>", 215, 23,
       {0xD5, 0x00, 0x0A, 0x00, 1, 0, 0, 0, 0xD5, 0x00, 0x0A, 0x00}},
      {"will topic kept with flag off", "<MQTT_WillFlag>0</MQTT_WillFlag><MQTT_Will_Topic_Name>wt</MQTT_Will_Topic_Name>",
       216, 38, {0, 'M', 'Q', 'T', 'W', 0, 0, 0, 0, 0xD5, 0x00, 0x0A, 0x00, 2, 0, 0, 0}},
      {"flags cut to a byte", "<MQTT_Clean_Session>257</MQTT_Clean_Session><MQTT_Keep_Alive>65537</MQTT_Keep_Alive>",
       213, 35, {1, 0, 1}},
      {"hex port", "<MQTT_Server_Port>$22B3</MQTT_Server_Port>", 213, 12, {0xB3, 0x22}},
      {"port not a number", "<MQTT_Server_Port>port</MQTT_Server_Port>", 213, 12, {0x5B, 0x07}},
      {"password and key password", "<MQTT_Password>pw</MQTT_Password><TLS_Client_Auth_Key_Password>k</TLS_Client_Auth_Key_Password>",
       218, 85, {0xD5, 0x00, 0x0A, 0x00, 2, 0, 0, 0, 0xD5, 0x00, 0x0A, 0x00}},
      {"key password address", "<MQTT_Password>pw</MQTT_Password><TLS_Client_Auth_Key_Password>k</TLS_Client_Auth_Key_Password>",
       218, 161, {0xD8, 0x00, 0x0A, 0x00}},
      {"client key length in UTF-8 bytes", "<TLS_Client_Auth_Key>\xC3\xA9t\xC3\xA9</TLS_Client_Auth_Key>", 219, 149,
       {0xD5, 0x00, 0x0A, 0x00, 5, 0, 0, 0}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Put("ParGen.xml", QByteArray("<Par_Gen>") + c.elements + "</Par_Gen>");
    Builder->Compile_Banks();
    const QByteArray b = Bank3(*Builder);
    EXPECT_EQ(b.size(), c.size);
    EXPECT_EQ(Bytes(b, c.at, int(c.bytes.size())), c.bytes);
  }
}

// Two subscribe and two publish rows: every offset below was laid out by hand.
TEST_F(MQTTImage, TopicTablesGoldenImage)
{
  PutFixture("mqtt/ParGen.xml", "ParGen.xml");
  PutFixture("mqtt/MQTT_Set_Topic.xml", "MQTT_Set_Topic.xml");
  const QByteArray b = BuildAndWrite()[2];

  Image e;
  e.u32(2).u32(10).u32(A + 213).u16(1883).id("MQTC").u32(0).u8(4)
      .mstr(220, 3)                 // ClientID "gw1"
      .u16(60).u8(1).u8(0)          // keep alive, clean session, Will flag
      .id("MQTW").u32(0)
      .mstr(224, 1).mstr(0, 0)      // Will topic "w" (stored with the flag off), empty message
      .u8(0).u8(1)                  // Will retained, QoS
      .mstr(226, 1).mstr(0, 0)      // user "u", no password
      .u32(2).u32(A + 236).u32(A + 269).u32(A + 277)
      .u32(2).u32(A + 342)
      .u32(1).u32(1).u32(A + 228).u32(3)              // TLS on, server auth, "C\nD"
      .u32(0).u32(A + 212).u32(0).u32(A + 212).u32(0)
      .u32(0).u32(A + 212).u32(A + 232).u32(16)       // key password, NTP "ntp", poll 0x10
      .u8(0).zeros(24).u8(0).u8(0).zeros(12)
      .u8(0);                                          // 212: the shared empty text
  ASSERT_EQ(e.size(), 213);
  e.text("broker").text("gw1").text("w").text("u").text("C\nD").text("ntp");
  ASSERT_EQ(e.size(), 236);
  e.mstr(260, 5).mstr(266, 2);                         // topic filter table
  e.text("sub/#").text("s2");                          // CR/LF removed from the filter
  ASSERT_EQ(e.size(), 269);
  e.u32(2).u32(0);                                     // QoS table
  e.u32(100).u32(20).u32(0).u32(A + 331).u32(A + 212).u32(0).u16(0).u8(0);
  e.u32(0).u32(4).u32(3).u32(A + 212).u32(A + 212).u32(0).u16(0).u8(0);
  ASSERT_EQ(e.size(), 331);
  e.text("A\r\n$VALUE$");                              // subscribe template keeps its line break
  ASSERT_EQ(e.size(), 342);
  // publish: description, topic, retained, QoS, input and output template, source IP,
  // position, length, type, timer, options
  e.u32(A + 440).mstr(448, 7).u8(1).u32(1).u32(A + 212).u32(A + 456).u32(0).u32(10).u16(2).u16(1).u32(0).u32(1);
  e.u32(A + 212).mstr(464, 2).u8(0).u32(0).u32(A + 212).u32(A + 212).u32(0).u32(0x66).u16(4).u16(2).u32(30).u32(4);
  ASSERT_EQ(e.size(), 440);
  e.text(QString::fromUtf8("Z\xC3\xA4hler")).text("pub/one").text("$VALUE$").text("p2");
  ASSERT_EQ(e.size(), 467);

  EXPECT_EQ(b, e.b);
  EXPECT_EQ(Builder->MQTT_Image_Size(), 467);
  // The address pass recorded the same offsets the serialiser used.
  const TMQTT &m = Builder->MQTT_Config;
  EXPECT_EQ(m.Topic_Filters_Add, 236u);
  EXPECT_EQ(m.Publish_Data[1].Publish_Topic.Address, 464u);
  EXPECT_EQ(m.Subscribe_Data[0].Input_Template, QString("A\r\n$VALUE$"));
  EXPECT_EQ(m.Publish_Data[0].Publish_Topic.CString, QString("pub/one"));
  EXPECT_EQ(m.Publish_Data[1].Output_Template, QString());  // absent Template
}

TEST_F(MQTTImage, PublishRowFields)
{
  struct Case {
    const char *name;
    const char *attributes;
    uint32_t options, timer;
    int type, length;
  };
  const Case cases[] = {
      {"timer", "OnTimer=\"Y\" Time=\"30\"", 4, 30, 0, 4},
      {"timer off ignores time", "OnTimer=\"N\" Time=\"30\"", 0, 0, 0, 4},
      {"timer with bad time", "OnTimer=\"y\" Time=\"3 0\"", 4, 0, 0, 4},
      {"on change", "OnChange=\"y\"", 1, 0, 0, 4},
      {"float with blanks", "DataType=\" float \" Dimension=\"8\"", 0, 0, 2, 8},
      {"unknown type", "DataType=\"Double\" Dimension=\"0x10\"", 0, 0, 0, 16},
      {"base64", "DataType=\"Base64\" Dimension=\"70000\"", 0, 0, 3, 70000 & 0xFFFF},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Put("MQTT_Set_Topic.xml", QByteArray("<MQTT_Set_Topic><MQTT_Publish><row Topic=\"t\" QoS=\"0\" ") +
                                  c.attributes + "/></MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>");
    Builder->Compile_Banks();
    const TMQTT_Publish_Data &d = Builder->MQTT_Config.Publish_Data.at(0);
    EXPECT_EQ(d.Options, c.options);
    EXPECT_EQ(d.Timer, c.timer);
    EXPECT_EQ(d.Type_Data, c.type);
    EXPECT_EQ(d.Length, c.length);
  }
}

TEST_F(MQTTImage, MissingOrBadQoSStopsTheBuild)
{
  const char *rows[] = {
      "<MQTT_Publish><row Topic=\"t\"/></MQTT_Publish><MQTT_Subscribe/>",
      "<MQTT_Publish><row Topic=\"t\" QoS=\"one\"/></MQTT_Publish><MQTT_Subscribe/>",
      "<MQTT_Publish/><MQTT_Subscribe><row Topic=\"t\" QoS=\"\"/></MQTT_Subscribe>",
  };
  for (const char *r : rows) {
    SCOPED_TRACE(r);
    Put("MQTT_Set_Topic.xml", QByteArray("<MQTT_Set_Topic>") + r + "</MQTT_Set_Topic>");
    EXPECT_THROW(Builder->Compile_Banks(), EConvertError);
    EXPECT_FALSE(Builder->Write_Bank_Files());
  }
  EXPECT_FALSE(QDir(Path("bin")).exists());
}

TEST_F(MQTTImage, ImageLargerThanTheBankIsRefused)
{
  // Three output templates of 43,600 bytes: the image passes 131,072 bytes.
  const QByteArray tmpl(43600, 'x');
  QByteArray x = "<MQTT_Set_Topic><MQTT_Publish>";
  for (int i = 0; i < 3; ++i)
    x += "<row Topic=\"t\" QoS=\"0\" Template=\"" + tmpl + "\"/>";
  x += "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>";
  Put("MQTT_Set_Topic.xml", x);
  EXPECT_THROW(Builder->Compile_Banks(), EBankError);
  EXPECT_FALSE(Builder->Write_Bank_Files());

  // Just fitting: the image ends on the last usable byte.
  const int room = 131072 - 213 - 49 - 2 - 1;  // header, record, topic "t", terminator of the template
  x = "<MQTT_Set_Topic><MQTT_Publish><row Topic=\"t\" QoS=\"0\" Template=\"" + QByteArray(room, 'x') +
      "\"/></MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>";
  Put("MQTT_Set_Topic.xml", x);
  Builder->Compile_Banks();
  EXPECT_EQ(Builder->Bank_Length_3, 131072);
}

TEST_F(MQTTImage, PutHelpersStayInsideTheBuffer)
{
  TBankBuffer buf(8, 0xEE);
  EXPECT_EQ(Put_Bank_String(QString(), 8, buf), 8);
  EXPECT_EQ(Put_Bank_String("abc", 4, buf), 8);
  EXPECT_THROW(Put_Bank_String("abcd", 4, buf), EBankError);
  EXPECT_EQ(buf[7], 0);
  TMQTTString s;
  EXPECT_THROW(Put_MQTT_String(s, A, 0, buf), EBankError);
  EXPECT_EQ(Remove_CR_LF("a\r\nb\rc\n"), QString("abc"));
}

TEST(MQTTText, Utf8LengthCountsWhatToUtf8Writes)
{
  const char16_t lone_high[] = {u'a', 0xD83D, u'b'};
  const char16_t lone_low[] = {0xDE00, u'x'};
  const char16_t high_at_end[] = {u'x', 0xD83D};
  const char16_t swapped[] = {0xDE00, 0xD83D};
  const QString texts[] = {
      QString(),
      QStringLiteral("plant/line4"),
      QString::fromUtf8("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xDF\xBF \xE0\xA0\x80"),
      QString::fromUtf16(lone_high, 3),
      QString::fromUtf16(lone_low, 2),
      QString::fromUtf16(high_at_end, 2),
      QString::fromUtf16(swapped, 2),
      QString(QChar(0x7F)) + QChar(0x80) + QChar(0x7FF) + QChar(0x800) + QChar(0xFFFF),
  };
  for (const QString &t : texts)
    EXPECT_EQ(Utf8_Length(t), t.toUtf8().size()) << t.toStdString();
}

TEST(MQTTText, DataTypeCodeTrimsAndUpperCasesAsciiOnly)
{
  struct Case {
    const char *utf8;
    uint32_t code;
  };
  const Case cases[] = {
      {"INT", 1},           {" int ", 1},         {"\tFloat\r\n", 2},       {"base64", 3},  {"BaSe64\x01", 3},
      {"STRING", 0},        {"", 0},              {"in t", 0},              {"INTEGER", 0}, {"IN", 0},
      {"\xC4\xB1nt", 0},    {"INT\xC2\xA0", 0},   {"\xEF\xBC\xA9NT", 0},    {"ba\xC5\xBF" "e64", 0},
  };
  for (const Case &c : cases)
    EXPECT_EQ(MQTT_Data_Type_Code(QString::fromUtf8(c.utf8)), c.code) << c.utf8;
}
