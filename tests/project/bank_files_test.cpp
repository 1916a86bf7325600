// The bank build as a whole and the bank files.
#include "tests/project/bank_fixture.h"

#include <QFileInfo>

using BankFiles = BankProject;

TEST_F(BankFiles, NewProjectGivesThreeFilesOfTheirSizes)
{
  ASSERT_FALSE(QDir(Path("bin")).exists());  // the folder is created when missing
  const std::vector<QByteArray> banks = BuildAndWrite();
  EXPECT_EQ(banks[0].size(), 2048);
  EXPECT_EQ(U32(banks[0], 0x7FC), 3476u);
  EXPECT_EQ(banks[1], QByteArray(28672, '\0'));
  EXPECT_EQ(banks[2].size(), 213);
  EXPECT_EQ(Builder->Bank_Length_1, 2048);
  EXPECT_EQ(Builder->Bank_Length_2, 28672);
  EXPECT_EQ(Builder->Bank_Length_3, 213);
}

TEST_F(BankFiles, TwoBuildsInARowAreIdentical)
{
  PutFixture("mqtt/ParGen.xml", "ParGen.xml");
  PutFixture("s7/S7_Protocol.xml", "S7_Protocol.xml");
  PutFixture("mqtt/MQTT_Set_Topic.xml", "MQTT_Set_Topic.xml");
  const std::vector<QByteArray> first = BuildAndWrite();
  const std::vector<QByteArray> second = BuildAndWrite();
  EXPECT_EQ(first, second);
  EXPECT_EQ(first[2].size(), 467);
}

TEST_F(BankFiles, NothingOfAnotherProjectSurvivesABuild)
{
  PutFixture("mqtt/ParGen.xml", "ParGen.xml");
  PutFixture("s7/S7_Protocol.xml", "S7_Protocol.xml");
  PutFixture("mqtt/MQTT_Set_Topic.xml", "MQTT_Set_Topic.xml");
  BuildAndWrite();
  for (const char *f : {"ParGen.xml", "S7_Protocol.xml", "MQTT_Set_Topic.xml"})
    QFile::remove(Path(f));
  const std::vector<QByteArray> banks = BuildAndWrite();
  EXPECT_EQ(U32(banks[0], 0x7FC), 3476u);
  EXPECT_EQ(banks[1], QByteArray(28672, '\0'));
  EXPECT_EQ(banks[2].size(), 213);
}

TEST_F(BankFiles, AFileThatCannotBeBuiltWritesNothing)
{
  struct Case {
    const char *name;
    const char *file;
    const char *content;
  };
  const Case cases[] = {
      {"ParGen not XML", "ParGen.xml", "<Par_Gen><S7_Protocol_IP1>1</Par_Gen>"},
      {"S7 not XML", "S7_Protocol.xml", "<S7_Protocol"},
      {"MQTT not XML", "MQTT_Set_Topic.xml", "not xml at all"},
      {"S7 without write section", "S7_Protocol.xml", "<S7_Protocol><S7_Protocol_Read/></S7_Protocol>"},
      {"MQTT without subscribe section", "MQTT_Set_Topic.xml", "<MQTT_Set_Topic><MQTT_Publish/></MQTT_Set_Topic>"},
      {"MQTT file with another root", "MQTT_Set_Topic.xml", "<!--x--><Other><MQTT_Publish/></Other>"},
  };
  const std::vector<QByteArray> good = BuildAndWrite();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Put(c.file, c.content);
    EXPECT_ANY_THROW(Builder->Compile_Banks());
    QString error;
    EXPECT_FALSE(Builder->Save_Bin(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(testsupport::ReadBytes(Bin(1)), good[0]);
    EXPECT_EQ(testsupport::ReadBytes(Bin(2)), good[1]);
    EXPECT_EQ(testsupport::ReadBytes(Bin(3)), good[2]);
    QFile::remove(Path(c.file));
  }
  EXPECT_EQ(QDir(Path("bin")).entryList(QDir::Files), QStringList({"bank1.bin", "bank2.bin", "bank3.bin"}));
}

TEST_F(BankFiles, SectionErrorNamesTheSection)
{
  Put("S7_Protocol.xml", "<S7_Protocol><S7_Protocol_Read/></S7_Protocol>");
  try {
    Builder->Compile_Banks();
    FAIL() << "no exception";
  } catch (const EBankError &e) {
    EXPECT_TRUE(e.Message().contains("S7_Protocol_Write")) << e.Message().toStdString();
  }
}

TEST_F(BankFiles, FirstFileThatCannotBeWrittenIsReported)
{
  BuildAndWrite();
  const QByteArray old1 = testsupport::ReadBytes(Bin(1));
  // bank2.bin replaced by a folder: it cannot be written; bank 1 and bank 3 still are.
  QFile::remove(Bin(2));
  ASSERT_TRUE(QDir().mkpath(Bin(2)));
  PutFixture("form_defaults/ParGen.xml", "ParGen.xml");
  Builder->Compile_Banks();
  QString error;
  EXPECT_FALSE(Builder->Write_Bank_Files(&error));
  EXPECT_TRUE(error.contains("bank2.bin")) << error.toStdString();
  EXPECT_NE(testsupport::ReadBytes(Bin(1)), old1);
  EXPECT_EQ(U32(testsupport::ReadBytes(Bin(1)), 0x7FC), 5429u);
  EXPECT_TRUE(QFileInfo(Bin(2)).isDir());
  EXPECT_EQ(testsupport::ReadBytes(Bin(3)).size(), 213 + 13);  // now with the NTP server "pool.ntp.org"
}

TEST_F(BankFiles, NoBuildOrNoProjectWritesNothing)
{
  QString error;
  EXPECT_FALSE(Builder->Write_Bank_Files(&error));  // never built
  EXPECT_FALSE(QDir(Path("bin")).exists());
  Builder->Compile_Banks();
  AppState().Project_Dir.clear();
  EXPECT_FALSE(Builder->Write_Bank_Files(&error));
  EXPECT_FALSE(QDir(Path("bin")).exists());
}

TEST_F(BankFiles, BuilderWithoutDocumentRefusesToReadProjectFiles)
{
  PutFixture("form_defaults/ParGen.xml", "ParGen.xml");
  Builder->XML1 = nullptr;
  EXPECT_THROW(Builder->Compile_Banks(), EBankError);
}

TEST_F(BankFiles, DocumentKeepsTheLastFileRead)
{
  PutFixture("form_defaults/ParGen.xml", "ParGen.xml");
  PutFixture("mqtt/MQTT_Set_Topic.xml", "MQTT_Set_Topic.xml");
  Builder->Compile_Banks();
  EXPECT_EQ(XML1.DocumentElement().NodeName(), QString("MQTT_Set_Topic"));
}
