// The bank build as a whole and the bank files.
#include "tests/project/bank_fixture.h"
#include "tests/support/special_files.h"

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

TEST_F(BankFiles, FullDiskKeepsTheOldBanksAndNamesEveryFileThatFailed)
{
  // bank1.bin is 2048 bytes, bank2.bin 28,672 and bank3.bin 226 once the settings are read.
  const struct {
    rlim_t limit;
    bool bank1_fails;
  } cases[] = {{1024, true}, {4096, false}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.limit);
    QFile::remove(Path("ParGen.xml"));
    const std::vector<QByteArray> old = BuildAndWrite();
    PutFixture("form_defaults/ParGen.xml", "ParGen.xml");
    PutFixture("s7/S7_Protocol.xml", "S7_Protocol.xml");
    Builder->Compile_Banks();
    QString error;
    bool written;
    {
      testsupport::DiskFullAbove full(c.limit);
      written = Builder->Write_Bank_Files(&error);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error.contains("bank1.bin"), c.bank1_fails) << error.toStdString();
    EXPECT_TRUE(error.contains("bank2.bin")) << error.toStdString();
    EXPECT_FALSE(error.contains("bank3.bin")) << error.toStdString();
    EXPECT_EQ(testsupport::ReadBytes(Bin(1)) == old[0], c.bank1_fails);
    EXPECT_EQ(testsupport::ReadBytes(Bin(1)).size(), 2048);
    EXPECT_EQ(testsupport::ReadBytes(Bin(2)), old[1]);
    EXPECT_EQ(testsupport::ReadBytes(Bin(3)).size(), 226);
    EXPECT_EQ(QDir(Path("bin")).entryList(QDir::Files), QStringList({"bank1.bin", "bank2.bin", "bank3.bin"}));
    QFile::remove(Path("S7_Protocol.xml"));
  }
}

TEST_F(BankFiles, ALinkedBankFileIsReplacedAndItsTargetLeftAlone)
{
  ASSERT_TRUE(QDir().mkpath(Path("bin")));
  Put("elsewhere.txt", "precious");
  ASSERT_TRUE(QFile::link(Path("elsewhere.txt"), Bin(1)));
  const std::vector<QByteArray> banks = BuildAndWrite();
  EXPECT_EQ(testsupport::ReadBytes(Path("elsewhere.txt")), "precious");
  EXPECT_FALSE(QFileInfo(Bin(1)).isSymLink());
  EXPECT_EQ(banks[0].size(), 2048);

  // A project folder that is itself a link is written through as before.
  QTemporaryDir other;
  ASSERT_TRUE(QFile::link(FDir.path(), other.filePath("project")));
  AppState().Project_Dir = other.filePath("project");
  QFile::remove(Bin(2));
  Builder->Compile_Banks();
  EXPECT_TRUE(Builder->Write_Bank_Files());
  EXPECT_EQ(testsupport::ReadBytes(Bin(2)).size(), 28672);
}

TEST_F(BankFiles, AProjectFileThatIsNoRegularFileIsAnError)
{
  const std::vector<QByteArray> good = BuildAndWrite();
  const struct {
    const char *file;
    const char *fixture;
  } files[] = {
      {"ParGen.xml", "mqtt/ParGen.xml"},
      {"S7_Protocol.xml", "s7/S7_Protocol.xml"},
      {"MQTT_Set_Topic.xml", "mqtt/MQTT_Set_Topic.xml"},
  };
  for (const auto &f : files) {
    for (const bool fifo : {false, true}) {
      SCOPED_TRACE(std::string(f.file) + (fifo ? " as a FIFO" : " as a folder"));
      QFile fixture(testsupport::Fixture(QStringLiteral("banks/") + f.fixture));
      ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
      std::unique_ptr<testsupport::FedFifo> feeder;
      if (fifo)
        feeder = std::make_unique<testsupport::FedFifo>(Path(f.file), fixture.readAll());
      else
        ASSERT_TRUE(QDir().mkpath(Path(f.file)));
      try {
        Builder->Compile_Banks();
        ADD_FAILURE() << "built";
      } catch (const Exception &e) {
        EXPECT_TRUE(e.Message().contains(Path(f.file))) << e.Message().toStdString();
      }
      EXPECT_FALSE(Builder->Save_Bin());
      EXPECT_EQ(testsupport::ReadBytes(Bin(1)), good[0]);
      EXPECT_EQ(testsupport::ReadBytes(Bin(2)), good[1]);
      EXPECT_EQ(testsupport::ReadBytes(Bin(3)), good[2]);
      feeder.reset();
      QFile::remove(Path(f.file));
      QDir().rmdir(Path(f.file));
    }
  }
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
