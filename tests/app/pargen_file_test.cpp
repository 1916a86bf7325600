// The communication settings: the "ParGen.xml" file (elements, defaults, reading, writing,
// checks).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/fpargen.h"
#include "framework/services/xmldoc.h"
#include "tests/support/test_support.h"

namespace {

QString Value(const QStringList &Values, const char *Name)
{
  return Values[ParGen_Index(QString::fromLatin1(Name))];
}

void Set(QStringList &Values, const char *Name, const QString &Text)
{
  Values[ParGen_Index(QString::fromLatin1(Name))] = Text;
}

}  // namespace

TEST(ParGenFile, WritesRootThenCommentThenTheElementsInOrderWithoutDeclaration)
{
  TXMLDocument doc;
  Write_ParGen(&doc, ParGen_Defaults());

  IXMLNodeList top = doc.ChildNodes();
  ASSERT_EQ(top.Count(), 2);
  EXPECT_EQ(top[0].NodeType(), ntElement);
  EXPECT_EQ(top[0].NodeName(), "Par_Gen");
  EXPECT_EQ(top[1].NodeType(), ntComment);
  EXPECT_EQ(top[1].Text(), "SW_VERSION = 1.000");
  EXPECT_FALSE(doc.SaveToXML().contains("<?xml"));

  // The same elements, order and texts as the defaults file the bank builder reads.
  TXMLDocument golden;
  golden.LoadFromFile(testsupport::Fixture("banks/form_defaults/ParGen.xml"));
  IXMLNodeList want = golden.DocumentElement().ChildNodes();
  IXMLNodeList got = top[0].ChildNodes();
  ASSERT_EQ(got.Count(), ParGen_Element_Count);
  ASSERT_EQ(want.Count(), ParGen_Element_Count);
  for (int i = 0; i < ParGen_Element_Count; ++i) {
    EXPECT_EQ(got[i].NodeName(), want[i].NodeName()) << i;
    EXPECT_EQ(got[i].Text(), want[i].Text()) << got[i].NodeName().toStdString();
    EXPECT_EQ(got[i].AttributeCount(), 0);
  }
}

TEST(ParGenFile, ReadsFromTheFirstElementAfterADeclarationOrComment)
{
  // A declaration or a comment ahead of the root does not hide the settings.
  for (const char *head : {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<!-- saved by hand -->",
                           "<?xml version=\"1.0\"?><!--c-->"}) {
    TXMLDocument doc;
    doc.LoadFromXML(QString::fromLatin1(head) +
                    "<Par_Gen><S7_Protocol_IP4>77</S7_Protocol_IP4><TLS_Enable>01</TLS_Enable></Par_Gen>");
    const QStringList v = Read_ParGen(&doc);
    EXPECT_EQ(Value(v, "S7_Protocol_IP4"), "77") << head;
    EXPECT_EQ(Value(v, "TLS_Enable"), "01") << head;
    EXPECT_EQ(Value(v, "S7_Protocol_IP1"), "192") << head;
  }
}

TEST(ParGenFile, MissingOrUnreadableElementsTakeTheirOwnDefaultOnly)
{
  TXMLDocument doc;
  doc.LoadFromXML(
      "<Other><NTP_Poll_Time>5</NTP_Poll_Time><MQTT_Server_Port><x/></MQTT_Server_Port>"
      "<MQTT_Client_ID>  id with blanks </MQTT_Client_ID><Unknown>1</Unknown></Other>");
  const QStringList v = Read_ParGen(&doc);
  EXPECT_EQ(Value(v, "NTP_Poll_Time"), "5");  // the root's name is not checked
  EXPECT_EQ(Value(v, "MQTT_Server_Port"), "1883");
  EXPECT_EQ(Value(v, "MQTT_Client_ID"), "  id with blanks ");
  EXPECT_EQ(Value(v, "Ethernet_IP4"), "10");
  EXPECT_EQ(Value(v, "NTP_Server_URL"), "pool.ntp.org");

  TXMLDocument empty;
  empty.SetActive(true);
  EXPECT_EQ(Read_ParGen(&empty), ParGen_Defaults());
}

TEST(ParGenFile, ValuesOfBlanksSurviveSaveAndReload)
{
  QTemporaryDir dir;
  QStringList values = ParGen_Defaults();
  Set(values, "MQTT_Password", "   ");
  Set(values, "TLS_Client_Auth_Key_Password", " ");
  TXMLDocument doc;
  Write_ParGen(&doc, values);
  doc.SaveToFile(dir.filePath("ParGen.xml"));
  TXMLDocument back;
  back.LoadFromFile(dir.filePath("ParGen.xml"));
  const QStringList read = Read_ParGen(&back);
  EXPECT_EQ(Value(read, "MQTT_Password"), "   ");
  EXPECT_EQ(Value(read, "TLS_Client_Auth_Key_Password"), " ");
  EXPECT_EQ(read, values);
}

TEST(ParGenFile, MultiLineTextsAreStoredWithCRLF)
{
  EXPECT_EQ(ParGen_CRLF("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(ParGen_CRLF(QString("a") + QChar(0x2029) + "b"), "a\r\nb");
  EXPECT_EQ(ParGen_CRLF("one line"), "one line");

  QTemporaryDir dir;
  const QString file = dir.filePath("ParGen.xml");
  QStringList v = ParGen_Defaults();
  Set(v, "TLS_Client_Auth_Certificate", "-----BEGIN-----\nAAAA\n-----END-----");
  Set(v, "MQTT_Client_ID", "x\ny");  // single-line boxes are written as they are
  TXMLDocument doc;
  Write_ParGen(&doc, v);
  doc.SaveToFile(file);
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.contains("-----BEGIN-----\r\nAAAA\r\n-----END-----")) << bytes.constData();
  EXPECT_TRUE(bytes.contains("x\ny"));
}

TEST(ParGenFile, ChecksReportTheFirstBadFieldInTheirFixedOrder)
{
  struct TCase {
    std::vector<std::pair<const char *, const char *>> Changes;
    int Text;
  };
  const TCase cases[] = {
      {{}, 0},
      {{{"S7_Protocol_IP1", "256"}}, 451},
      {{{"S7_Protocol_IP3", "abc"}}, 453},
      {{{"S7_Protocol_IP4", ""}}, 454},
      // Only decimal text counts as a number.
      {{{"S7_Protocol_IP1", "$FF"}}, 451},
      {{{"Ethernet_SM2", "0x10"}}, 692},
      {{{"NTP_Poll_Time", "x10"}}, 725},
      {{{"S7_Protocol_IP2", "-1"}, {"S7_Protocol_SM1", "999"}}, 452},
      {{{"S7_Protocol_SM2", "300"}}, 456},
      // The gateway is checked only while its box is ticked.
      {{{"S7_Protocol_GAT1", "300"}}, 0},
      {{{"S7_Protocol_GAT1", "300"}, {"S7_Protocol_EN_GAT", "1"}}, 459},
      {{{"S7_Protocol_GAT4", "x"}, {"S7_Protocol_EN_GAT", "1"}}, 462},
      {{{"Ethernet_IP4", "256"}}, 690},
      {{{"Ethernet_SM1", "1000"}}, 691},
      {{{"Ethernet_GAT2", "300"}}, 0},
      {{{"Ethernet_GAT2", "300"}, {"Ethernet_EN_GAT", "1"}}, 696},
      {{{"Ethernet_DNS3", "300"}}, 0},
      {{{"Ethernet_DNS3", "300"}, {"Ethernet_EN_DNS", "1"}}, 701},
      {{{"NTP_Poll_Time", ""}}, 725},
      {{{"NTP_Poll_Time", "10000001"}}, 725},
      {{{"NTP_Poll_Time", "10000000"}}, 0},
      {{{"NTP_Poll_Time", "-1"}}, 725},
      {{{"NTP_Poll_Time", "0"}, {"S7_Protocol_IP1", "0"}, {"Ethernet_SM4", "255"}}, 0},
      // S7 comes before Ethernet, Ethernet before NTP.
      {{{"NTP_Poll_Time", "x"}, {"Ethernet_IP1", "x"}, {"S7_Protocol_SM4", "x"}}, 458},
      // Fields without checks are stored as typed.
      {{{"MQTT_Server_Port", "not a port"}, {"MQTT_Keep_Alive", "-5"}}, 0},
  };
  for (const TCase &c : cases) {
    QStringList v = ParGen_Defaults();
    QString what;
    for (const auto &[name, text] : c.Changes) {
      Set(v, name, QString::fromLatin1(text));
      what += QString("%1=%2 ").arg(name, text);
    }
    EXPECT_EQ(ParGen_Check(v), c.Text) << what.toStdString();
  }
}
