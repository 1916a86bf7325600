// XML documents: reading the first element, writing without declaration, atomic saves and
// clear errors for files that cannot be parsed.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "framework/services/xmldoc.h"
#include "tests/support/test_support.h"

namespace {

TEST(XmlDocument, WritesRootThenCommentWithoutDeclaration)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("ParGen.xml");
  TXMLDocument doc;
  doc.SetActive(true);
  doc.ChildNodes().Clear();
  IXMLNode root = doc.AddChild("Par_Gen");
  doc.ChildNodes().Add(doc.CreateNode("SW_VERSION = 1.000", ntComment));
  root.AddChild("IP_S7").SetText("192.168.0.5");
  IXMLNode row = root.AddChild("row");
  for (const char *name : {"Enable", "PLC_Address", "Mnemonic", "Bit"}) row.SetAttributes(name, QString(name).toLower());
  row.SetAttributes("Enable", "Y");  // an existing attribute keeps its place
  root.AddChild("Empty");
  doc.SaveToFile(path);
  EXPECT_EQ(testsupport::ReadBytes(path),
            "<Par_Gen><IP_S7>192.168.0.5</IP_S7>"
            "<row Enable=\"Y\" PLC_Address=\"plc_address\" Mnemonic=\"mnemonic\" Bit=\"bit\"/><Empty/>"
            "</Par_Gen><!--SW_VERSION = 1.000-->\n");

  TXMLDocument back;
  back.LoadFromFile(path);
  ASSERT_EQ(back.ChildNodes().Count(), 2);
  EXPECT_EQ(back.ChildNodes().First().NodeName(), "Par_Gen");
  EXPECT_EQ(back.ChildNodes()[1].NodeType(), ntComment);
  EXPECT_EQ(back.ChildNodes()[1].Text(), "SW_VERSION = 1.000");
  IXMLNode r = back.DocumentElement().ChildNodes().FindNode("row");
  ASSERT_FALSE(r.IsNull());
  EXPECT_EQ(r.AttributeCount(), 4);
  EXPECT_EQ(r.AttributeName(0), "Enable");
  EXPECT_EQ(r.AttributeName(3), "Bit");
  EXPECT_EQ(r.Attributes("Enable"), "Y");
  EXPECT_EQ(r.Attributes("Absent"), "");
  EXPECT_FALSE(r.HasAttribute("Absent"));
  EXPECT_EQ(back.DocumentElement().ChildNodes()["IP_S7"].Text(), "192.168.0.5");
  EXPECT_EQ(back.DocumentElement().ChildNodes()["Empty"].Text(), "");
}

TEST(XmlDocument, DeclarationOrLeadingCommentDoesNotHideTheRoot)
{
  TXMLDocument doc;
  doc.LoadFromFile(testsupport::Fixture("framework_core/declared.xml"));
  EXPECT_EQ(doc.ChildNodes().First().NodeType(), ntProcessingInstr) << "the declaration is the first node";
  IXMLNode root = doc.DocumentElement();
  ASSERT_EQ(root.NodeName(), "Par_Gen");
  EXPECT_EQ(root.ChildNodes().Count(), 2) << "indentation is not a node";
  EXPECT_EQ(root.ChildNodes().FindNode("Name").Text(), QString::fromUtf8("Grüße"));

  doc.LoadFromXML("<!-- c --><root a=\"1\"/>");
  EXPECT_EQ(doc.ChildNodes().First().NodeType(), ntComment);
  EXPECT_EQ(doc.DocumentElement().Attributes("a"), "1");
}

TEST(XmlDocument, UnparsableFileRaisesWithFileAndPosition)
{
  TXMLDocument doc;
  const QString path = testsupport::Fixture("framework_core/broken.xml");
  try {
    doc.LoadFromFile(path);
    FAIL() << "no exception";
  } catch (const EXMLDocError &e) {
    EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains("line 2")) << e.Message().toStdString();
  }
  EXPECT_FALSE(doc.Active());
  EXPECT_TRUE(doc.DocumentElement().IsNull());
  EXPECT_THROW(doc.LoadFromFile(path + ".missing"), EXMLDocError);
  EXPECT_THROW(doc.LoadFromXML("<a><b></a>"), EXMLDocError);
}

TEST(XmlDocument, NullNodesReadEmptyAndRefuseWrites)
{
  TXMLDocument doc;
  doc.LoadFromXML("<root><a>1</a><b><c/></b></root>");
  IXMLNode missing = doc.DocumentElement().ChildNodes().FindNode("zz");
  EXPECT_TRUE(missing.IsNull());
  EXPECT_EQ(missing.Text(), "");
  EXPECT_EQ(missing.Attributes("x"), "");
  EXPECT_EQ(missing.ChildNodes().Count(), 0);
  EXPECT_TRUE(missing.ChildNodes().FindNode("y").IsNull());
  EXPECT_THROW(missing.SetText("x"), EXMLDocError);
  EXPECT_THROW(missing.SetAttributes("x", "1"), EXMLDocError);
  EXPECT_THROW(doc.DocumentElement().ChildNodes()["b"].Text(), EXMLDocError) << "not a text element";
  EXPECT_TRUE(doc.DocumentElement().ChildNodes()[5].IsNull());
}

TEST(XmlDocument, EditingNodeLists)
{
  TXMLDocument doc;
  doc.LoadFromXML("<root><a/><b/><c/></root>");
  IXMLNodeList list = doc.DocumentElement().ChildNodes();
  EXPECT_EQ(list.IndexOf("b"), 1);
  list.Delete("b");
  list.Insert(0, doc.CreateNode("first"));
  doc.DocumentElement().AddChild("mid", 2);
  EXPECT_EQ(doc.DocumentElement().XML(), "<root><first/><a/><mid/><c/></root>");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(doc.SaveToXML(), "<root/>\n");
  doc.AddDeclaration();
  EXPECT_EQ(doc.SaveToXML(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><root/>\n");
}

TEST(XmlDocument, SaveToUnwritablePathKeepsOldFileAndRaises)
{
  QTemporaryDir dir;
  const QString blocker = dir.filePath("file");
  QFile f(blocker);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  TXMLDocument doc;
  doc.LoadFromXML("<root/>");
  try {
    doc.SaveToFile(blocker + "/x.xml");
    FAIL();
  } catch (const EXMLDocError &e) {
    EXPECT_TRUE(e.Message().contains("x.xml")) << e.Message().toStdString();
  }
}

TEST(XmlDocument, DeclaredWindows1252IsDecodedAndOtherBytesAreRefused)
{
  // "Grüße €" as Windows-1252 bytes; 0x80 is the euro sign there but a C1 control in Latin-1.
  const QByteArray ansi = "Gr\xFC\xDF" "e \x80";
  const QString text = QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
  const struct {
    const char *name;
    QByteArray bytes;
    bool readable;
  } cases[] = {
      {"windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a>" + ansi + "</a>", true},
      {"ISO-8859-1", "<?xml version='1.0' encoding='ISO-8859-1'?><a>" + ansi + "</a>", true},
      {"latin1", "<?xml version=\"1.0\" encoding=\"latin1\" ?><a>" + ansi + "</a>", true},
      {"utf-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a>" + text.toUtf8() + "</a>", true},
      {"utf-8 with mark", "\xEF\xBB\xBF<a>" + text.toUtf8() + "</a>", true},
      {"no declaration", "<a>\n\n" + ansi + "</a>", false},
      {"declared utf-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a>\n" + ansi + "</a>", false},
      {"other 8-bit code page", "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n<a>\n" + ansi + "</a>", false},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath("ParGen.xml");
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::WriteBytes(path, c.bytes);
    TXMLDocument doc;
    if (!c.readable) {
      try {
        doc.LoadFromFile(path);
        ADD_FAILURE() << "read as " << doc.DocumentElement().Text().toStdString();
      } catch (const EXMLDocError &e) {
        EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains("line 3")) << e.Message().toStdString();
      }
      EXPECT_TRUE(doc.IsEmptyDoc());
      continue;
    }
    doc.LoadFromFile(path);
    EXPECT_EQ(doc.DocumentElement().Text(), text);
    // Saved, the document is UTF-8 and says so; read back it is the same text.
    doc.SaveToFile(path);
    EXPECT_FALSE(testsupport::ReadBytes(path).contains("1252")) << testsupport::ReadBytes(path).constData();
    TXMLDocument back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.DocumentElement().Text(), text);
  }
}

// XML forbids naming an attribute twice in one element; readers that look the name up from
// different places would each take another value, so such a document is refused.
TEST(XmlDocument, AnElementRepeatingAnAttributeIsRefusedWithItsLine)
{
  QByteArray many = "<a>\n\n<b";
  for (int i = 0; i < 40; ++i) many += " n" + QByteArray::number(i) + "=\"\"";
  many += " n7=\"again\"/></a>";
  const struct {
    const char *name;
    QByteArray bytes;
    const char *attribute;  // nullptr: readable
    int line;
  } cases[] = {
      {"row", "<T>\n<S>\n<row Key=\"a\" Enable=\"Y\" Key=\"b\"/>\n</S></T>", "Key", 3},
      {"root", "<T x=\"1\" x=\"1\"/>", "x", 1},
      {"names sharing a prefix", "<T>\n<row PLC_Address=\"1\" PLC_Port=\"2\" PLC_Area=\"3\" PLC_Add=\"4\" PLC_Bit=\"5\" PLC_Add=\"6\"/></T>",
       "PLC_Add", 2},
      {"long attribute list", many, "n7", 3},
      {"windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a \xFC=\"1\" \xFC=\"2\"/>", "\xC3\xBC", 2},
      {"utf-16", QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(u"<a>\n<b k='1' k='2'/></a>"), 48), "k", 2},
      {"same name in different elements", "<a k=\"1\"><b k=\"2\"/><b k=\"3\" K=\"4\"/></a>", nullptr, 0},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath("Table.xml");
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::WriteBytes(path, c.bytes);
    TXMLDocument doc;
    if (!c.attribute) {
      EXPECT_NO_THROW(doc.LoadFromFile(path));
      continue;
    }
    try {
      doc.LoadFromFile(path);
      ADD_FAILURE() << "read";
    } catch (const EXMLDocError &e) {
      EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
      EXPECT_TRUE(e.Message().contains(QStringLiteral("\"%1\"").arg(QString::fromUtf8(c.attribute))))
          << e.Message().toStdString();
      EXPECT_TRUE(e.Message().contains(QStringLiteral("line %1,").arg(c.line))) << e.Message().toStdString();
    }
    EXPECT_TRUE(doc.IsEmptyDoc());
    EXPECT_FALSE(doc.Active());
  }
  TXMLDocument doc;
  EXPECT_THROW(doc.LoadFromXML("<a b=\"1\" b=\"2\"/>"), EXMLDocError);
  EXPECT_TRUE(doc.IsEmptyDoc());
}

// The streaming writer gives the bytes the document's save gives for the same tree.
TEST(XmlFileWriter, WritesTheBytesOfTheDocumentsSave)
{
  const QString values[] = {
      "", "plain", " a b ", "<&\">'", "\t\r\nend\r", QString::fromUtf8("Z\xC3\xA4hler \xE2\x82\xAC \xF0\x9F\x98\x80"),
      QString(QChar(0xD800)) + "x", "x" + QString(QChar(0xDC00)), QString(QChar(0xDBFF)),
      QString(QChar(0x7F)) + QChar(0x80) + QChar(0x7FF) + QChar(0x800) + QChar(0xFFFD),
      QString(12000, QChar('"')),  // longer than a write chunk once escaped
  };
  QTemporaryDir dir;
  const QString expected = dir.filePath("document.xml"), streamed = dir.filePath("streamed.xml");
  testsupport::WriteBytes(streamed, "old");
  TXMLDocument doc;
  doc.SetActive(true);
  IXMLNode root = doc.AddChild("Root");
  doc.ChildNodes().Add(doc.CreateNode("SW_VERSION -- 1.0-", ntComment));
  TXMLFileWriter w(streamed);
  w.StartElement("Root");
  for (const char *section : {"Empty", "Rows"}) {
    IXMLNode s = root.AddChild(section);
    w.StartElement(section);
    if (section[0] == 'E') {
      w.EndElement();
      continue;
    }
    for (int r = 0; r < 40; ++r) {
      IXMLNode row = s.AddChild("row");
      w.StartElement("row");
      for (int c = 0; c < 3; ++c) {
        const QString name = QStringLiteral("A%1").arg(c);
        const QString &value = values[(r + c) % std::size(values)];
        row.SetAttributes(name, value);
        w.Attribute(name.toUtf8().constData(), value);
      }
      w.EndElement();
    }
    w.EndElement();
  }
  w.EndElement();
  w.Comment("SW_VERSION -- 1.0-");
  EXPECT_EQ(testsupport::ReadBytes(streamed), "old") << "nothing is replaced before the commit";
  w.Commit();
  doc.SaveToFile(expected);
  const QByteArray bytes = testsupport::ReadBytes(streamed);
  EXPECT_GT(bytes.size(), 100000);
  const QByteArray want = testsupport::ReadBytes(expected);
  qsizetype at = 0;
  while (at < bytes.size() && at < want.size() && bytes[at] == want[at]) ++at;
  EXPECT_TRUE(bytes == want) << "first difference at byte " << at << ": "
                             << bytes.mid(std::max<qsizetype>(0, at - 40), 80).toPercentEncoding(" <>=\"/&;#").constData() << " | "
                             << want.mid(std::max<qsizetype>(0, at - 40), 80).toPercentEncoding(" <>=\"/&;#").constData();
}

// What XML cannot hold is refused, not written as a character reference that strict readers
// refuse; the old file stays and no temporary file is left.
TEST(XmlFileWriter, RefusesCharactersXmlCannotHold)
{
  for (const QString &bad : {QStringLiteral("a\x01"), QString(QChar(0)), QStringLiteral("\x1F"),
                             QString(QChar(0xFFFE)), QStringLiteral("x") + QChar(0xFFFF)}) {
    SCOPED_TRACE(bad.toStdString());
    QTemporaryDir dir;
    const QString path = dir.filePath("Table.xml");
    testsupport::WriteBytes(path, "old");
    try {
      TXMLFileWriter w(path);
      w.StartElement("T");
      w.Attribute("Good", "\t");
      w.Attribute("Key", bad);
      w.Commit();
      ADD_FAILURE() << "written";
    } catch (const EXMLDocError &e) {
      EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
      EXPECT_TRUE(e.Message().contains("\"Key\"")) << e.Message().toStdString();
    }
    EXPECT_EQ(testsupport::ReadBytes(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Table.xml"});
  }
}

TEST(XmlDocument, TextOfBlanksSurvivesSaveAndReloadWhileIndentationMakesNoText)
{
  QTemporaryDir dir;
  const QString path = dir.filePath("ParGen.xml");
  for (const bool indent : {false, true}) {
    SCOPED_TRACE(indent);
    TXMLDocument doc;
    if (indent) doc.SetOptions(TXMLDocOptions{TXMLDocOption::doNodeAutoIndent});
    doc.SetActive(true);
    IXMLNode root = doc.AddChild("Par_Gen");
    root.AddChild("MQTT_Password").SetText("   ");
    root.AddChild("Tab").SetText("\t");
    root.AddChild("Padded").SetText("  x  ");
    IXMLNode rows = root.AddChild("Rows");
    rows.AddChild("row").SetAttributes("Enable", "Y");
    root.AddChild("Empty");
    doc.SaveToFile(path);
    const QByteArray saved = testsupport::ReadBytes(path);

    TXMLDocument back;
    back.SetOptions(doc.Options());
    back.LoadFromFile(path);
    const IXMLNodeList children = back.DocumentElement().ChildNodes();
    ASSERT_EQ(children.Count(), 5) << "indentation read as text";
    EXPECT_EQ(children["MQTT_Password"].Text(), "   ");
    EXPECT_EQ(children["Tab"].Text(), "\t");
    EXPECT_EQ(children["Padded"].Text(), "  x  ");
    EXPECT_EQ(children["Rows"].ChildNodes().Count(), 1);
    EXPECT_EQ(children["Empty"].Text(), "");
    back.SaveToFile(path);
    EXPECT_EQ(QString::fromUtf8(testsupport::ReadBytes(path)), QString::fromUtf8(saved));
  }

  // An empty element written over two lines gains rows without its line break between them.
  TXMLDocument doc;
  doc.SetOptions(TXMLDocOptions{TXMLDocOption::doNodeAutoIndent});
  doc.LoadFromXML("<Table>\n  <Section>\n  </Section>\n</Table>");
  IXMLNode section = doc.DocumentElement().ChildNodes()["Section"];
  section.AddChild("row").SetAttributes("n", "1");
  section.ChildNodes().Add(doc.CreateElement("row"));
  EXPECT_EQ(section.ChildNodes().Count(), 2);
  EXPECT_EQ(doc.SaveToXML(), "<Table>\n  <Section>\n    <row n=\"1\" />\n    <row />\n  </Section>\n</Table>\n");
}

}  // namespace

namespace {

TEST(XmlDocument, HandlesBecomeStaleWhenTheContentIsReplaced)
{
  IXMLNode survivor;
  {
    TXMLDocument doc;
    doc.LoadFromXML("<root><a x=\"1\"/></root>");
    IXMLNode a = doc.DocumentElement().ChildNodes().First();
    IXMLNodeList list = doc.DocumentElement().ChildNodes();
    doc.LoadFromXML("<other/>");
    EXPECT_TRUE(a.IsNull());
    EXPECT_TRUE(a.IsStale());
    EXPECT_THROW(a.Attributes("x"), EXMLDocError);
    EXPECT_THROW(list.Count(), EXMLDocError);
    survivor = doc.DocumentElement();
    EXPECT_EQ(survivor.NodeName(), "other");
  }
  EXPECT_TRUE(survivor.IsNull()) << "the document is gone";
  EXPECT_THROW(survivor.NodeName(), EXMLDocError);
}

}  // namespace

namespace {

TEST(XmlElementReader, AttributesByUtf8NameInAnyOrder)
{
  TXMLDocument doc;
  doc.LoadFromXML(QStringLiteral("<r><row A=\"1\" AB=\"2\" B=\"\" Z\u00E4hler=\"\u00E9t\u00E9\" C=\"3\"/></r>"));
  const TXMLElementReader row = TXMLElementReader(doc.DocumentElement()).FirstChildElement();
  ASSERT_FALSE(row.IsNull());
  // Each lookup starts where the last one ended: stored order, backwards, repeats, a name
  // that is the prefix of another, and absent names must all find the right attribute.
  const struct {
    const char *name;
    const char *value;  // nullptr: absent
  } reads[] = {{"A", "1"},  {"AB", "2"},   {"B", ""},      {"Z\xC3\xA4hler", "\xC3\xA9t\xC3\xA9"},
               {"C", "3"},  {"C", "3"},    {"A", "1"},     {"Missing", nullptr},
               {"B", ""},   {"AB", "2"},   {"A", "1"},     {"a", nullptr},
               {"AB", "2"}, {"", nullptr}, {"C", "3"},     {"Zahler", nullptr}};
  for (const auto &r : reads) {
    SCOPED_TRACE(r.name);
    const char *v = row.AttributeUtf8(r.name);
    if (!r.value) {
      EXPECT_EQ(v, nullptr);
      EXPECT_EQ(row.Attribute(r.name), "");
    } else {
      ASSERT_NE(v, nullptr);
      EXPECT_STREQ(v, r.value);
      EXPECT_EQ(row.Attribute(r.name), QString::fromUtf8(r.value));
    }
  }
}

TEST(XmlElementReader, WalksElementsAndReadsText)
{
  TXMLDocument doc;
  doc.LoadFromXML("<!--c--><root>text<!--x--><a>1</a> <b/><c><d/></c><e><![CDATA[<z>]]></e></root>");
  const TXMLElementReader root(doc.DocumentElement());
  QStringList names;
  for (TXMLElementReader e = root.FirstChildElement(); e; e = e.NextSiblingElement()) {
    QString text = QStringLiteral("?");
    names << QString::fromUtf8(e == root.ChildElement("c") ? "c" : "") + (e.Text(text) ? text : "no text");
  }
  EXPECT_EQ(names, QStringList({"1", "", "cno text", "<z>"}));
  EXPECT_TRUE(root.ChildElement("missing").IsNull());
  QString untouched = "keep";
  EXPECT_FALSE(root.ChildElement("missing").Text(untouched));
  EXPECT_EQ(untouched, "keep");
  EXPECT_EQ(root.ChildElement("missing").AttributeUtf8("x"), nullptr);
  // A node that is no element gives a null reader.
  EXPECT_TRUE(TXMLElementReader(doc.ChildNodes().First()).IsNull());
  EXPECT_TRUE(TXMLElementReader(IXMLNode()).IsNull());
}

}  // namespace
