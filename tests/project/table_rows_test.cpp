// Reading table files: sections, rows and their attributes as the bank builder, the side-file
// writers and the table forms see them.
#include "project/table_rows.h"

#include "tests/support/test_support.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TableRows : public ::testing::Test {
protected:
  QString Write(const QByteArray &Content)
  {
    const QString path = FDir.path() + "/Table.xml";
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Content);
    return path;
  }
  QTemporaryDir FDir;
  TXMLDocument Doc;
};

TEST_F(TableRows, SectionsRowsAndSettings)
{
  const TTableFile file(Doc, Write("<?xml version=\"1.0\"?><!--before the root-->\n"
                                   "<Table>\n"
                                   "  <Read>\n"
                                   "    <row Key=\"a\"/>\n"
                                   "    <!--a comment is no row-->\n"
                                   "    <other Key=\"b\"/>\n"
                                   "    <row Key=\"c\"/>\n"
                                   "  </Read>\n"
                                   "  <Write/>\n"
                                   "  <Setting>7</Setting>\n"
                                   "  <Nested><x/></Nested>\n"
                                   "</Table>\n<!--SW_VERSION = 1.000-->\n"));
  ASSERT_TRUE(file.Has_Root());
  QStringList keys;
  for (const TTableRow row : file.Section("Read"))
    keys << row.Text("Key");
  EXPECT_EQ(keys, QStringList({"a", "b", "c"})) << "every element of the section is a row, in order";
  EXPECT_EQ(file.Section("Read").Count(), 3);
  EXPECT_TRUE(file.Section("Write").Exists());
  EXPECT_EQ(file.Section("Write").Count(), 0);
  EXPECT_FALSE(file.Section("Missing").Exists());
  EXPECT_EQ(file.Section("Missing").Count(), 0);
  EXPECT_EQ(file.Root_Rows().Count(), 4) << "tables without sections keep their rows under the root";

  QString text;
  EXPECT_TRUE(file.Child_Text("Setting", text));
  EXPECT_EQ(text, "7");
  text = "keep";
  EXPECT_FALSE(file.Child_Text("Nested", text));
  EXPECT_FALSE(file.Child_Text("Missing", text));
  EXPECT_EQ(text, "keep");
}

TEST_F(TableRows, CellsOfARow)
{
  const TTableFile file(Doc, Write("<T><S><row Enable=\"Y\" Lower=\"y\" No=\"N\" Long=\"YY\" Blank=\"\" "
                                   "Dec=\" 42\" Hex=\"0x1F\" Neg=\"-$10\" Bad=\"4 2\" Big=\"2147483648\" "
                                   "Name=\"Z&#228;hler\"/></S></T>"));
  const TTableRow row = *file.Section("S").begin();
  EXPECT_TRUE(row.Checked("Enable"));
  EXPECT_FALSE(row.Checked("Lower")) << "a check box is set only by exactly Y";
  EXPECT_TRUE(row.Checked_Any_Case("Lower"));
  EXPECT_TRUE(row.Checked_Any_Case("Enable"));
  for (const char *off : {"No", "Long", "Blank", "Missing"}) {
    EXPECT_FALSE(row.Checked(off)) << off;
    EXPECT_FALSE(row.Checked_Any_Case(off)) << off;
  }
  const struct {
    const char *name;
    int value;
  } numbers[] = {{"Dec", 42}, {"Hex", 31}, {"Neg", -16}, {"Bad", -1}, {"Big", -1}, {"Blank", -1}, {"Missing", -1}};
  for (const auto &n : numbers)
    EXPECT_EQ(row.Integer(n.name, -1), n.value) << n.name;
  EXPECT_EQ(row.Text("Name"), QStringLiteral("Z\u00E4hler"));
  EXPECT_TRUE(row.Has("Blank"));
  EXPECT_FALSE(row.Has("Missing"));
  EXPECT_EQ(row.Text("Missing"), "");
  EXPECT_EQ(row.Text("Missing", "Y"), "Y") << "a load default stands in for a missing attribute";
  EXPECT_EQ(row.Text("Blank", "Y"), "") << "an empty attribute is no missing one";
}

TEST_F(TableRows, FileThatCannotBeReadRaisesNamingIt)
{
  const QString path = Write("<T><S></T>");
  try {
    TTableFile file(Doc, path);
    FAIL() << "no exception";
  } catch (const EXMLDocError &e) {
    EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
  }
}

}  // namespace
