// BACnet EDE writer: instance numbering, name lengths, device instance, the field layout read
// back as ";"-separated text, the user action's dialogs and a golden file.
#include "tests/project/side_test_helpers.h"

#include "framework/services/xmldoc.h"

using namespace sidetest;

namespace {

class EdeTest : public SideTest {
protected:
  QStringList Write()
  {
    Save_EDE_File(Path("out.csv"), XML1);
    return Lines(ReadBytes(Path("out.csv")));
  }

  // The object lines split into their fields.
  std::vector<QStringList> Objects()
  {
    std::vector<QStringList> R;
    const QStringList L = Write();
    for (int I = 7; I < L.size(); ++I) R.push_back(L[I].split(';'));
    return R;
  }

  void Write_BACnet(const QString &Read, const QString &Write = QString())
  {
    Write_File("BACnet_Slave.xml", "<BACnet_to_Modbus><BACnet_in_Read>" + Read + "</BACnet_in_Read><BACnet_in_Write>" +
                                       Write + "</BACnet_in_Write></BACnet_to_Modbus><!--SW_VERSION = 1.000-->");
  }

  void Write_ParGen(const QString &Elements) { Write_File("ParGen.xml", "<Par_Gen>" + Elements + "</Par_Gen>"); }

  TXMLDocument XML1;
};

QString Row(const QString &Type, const QString &Mnemonic, const QString &Unit = "62")
{
  return "<row Data_Type=\"" + Type + "\" Eng_Unit=\"" + Unit + "\" Position=\"0\" Bit=\"0\" Length=\"4\" Swap=\"N\" Mnemonic=\"" +
         Mnemonic + "\"/>";
}

TEST_F(EdeTest, InstancesCountPerTypeAcrossReadAndWriteRows)
{
  Write_ParGen("<BACnet_DEV_IDE>7</BACnet_DEV_IDE>");
  Write_BACnet(Row("Analog Input", "A") + Row("Binary Input", "B") + Row("Analog Input", "C") +
                   Row("Weird Type", "D") + Row("positive integer value", "E"),
               Row("ANALOG INPUT", "F") + Row("Binary Out", "G") + Row("Positive Integer Value", "H") +
                   Row("Analog Out", "I"));
  const std::vector<QStringList> O = Objects();
  // name, type, instance
  const QStringList Want[] = {{"A", "0", "0"}, {"B", "3", "0"},  {"C", "0", "1"}, {"D", "0", "2"}, {"E", "48", "0"},
                              {"F", "0", "3"}, {"G", "4", "0"}, {"H", "48", "1"}, {"I", "1", "0"}};
  ASSERT_EQ(O.size(), std::size(Want));
  for (size_t I = 0; I < O.size(); ++I) {
    SCOPED_TRACE(I);
    EXPECT_EQ(O[I][2], Want[I][0]);
    EXPECT_EQ(O[I][3], Want[I][1]);
    EXPECT_EQ(O[I][4], Want[I][2]);
    EXPECT_EQ(O[I][0], "7_" + Want[I][0] + "_" + Want[I][2]);
  }
}

TEST_F(EdeTest, TypeCodesAndCounters)
{
  struct Case {
    const char *Text;
    int Code;
  };
  const Case Cases[] = {{"ANALOG INPUT", 0},          {"ANALOG OUT", 1},          {"ANALOG VALUE", 2},
                        {"BINARY INPUT", 3},          {"BINARY OUT", 4},          {"BINARY VALUE", 5},
                        {"MULTI STATE INPUT", 13},    {"MULTI STATE OUTPUT", 14}, {"MULTI STATE VALUE", 19},
                        {"LIFE SAFETY POINT", 21},    {"LIFE SAFETY ZONE", 22},   {"ACCUMULATOR", 23},
                        {"ACCESS DOOR", 30},          {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44},
                        {"INTEGER VALUE", 45},        {"LARGE ANALOG VALUE", 46}, {"POSITIVE INTEGER VALUE", 48},
                        {"Analog Input", 0},          {"", 0},                    {"ANALOG OUTPUT", 0}};
  Reset_EDE_Instances();
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Text);
    EXPECT_EQ(BACnet_Object_Type_Code(C.Text), C.Code);
  }
  // A type without a counter answers 0 and counts nothing.
  for (int Type : {6, 47, 49, -1, 1000}) {
    EXPECT_EQ(Next_EDE_Instance(Type), 0);
    EXPECT_EQ(Next_EDE_Instance(Type), 0);
  }
  EXPECT_EQ(Next_EDE_Instance(45), 0);
  EXPECT_EQ(Next_EDE_Instance(45), 1);
  EXPECT_EQ(Next_EDE_Instance(46), 0);
}

TEST_F(EdeTest, NamesAreCutAt16Or32CharactersButKeyNamesKeepThemWhole)
{
  const QString M20 = "Pump_Running_State_1";        // 20 characters
  const QString M40 = "Chilled_Water_Supply_Temperature_Zone_12";  // 40 characters
  Write_BACnet(Row("Analog Input", M20) + Row("Analog Input", M40));

  // Two exports in one run: the first with long names, the second without the setting.
  Write_ParGen("<BACnet_DEV_IDE>5</BACnet_DEV_IDE><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>");
  std::vector<QStringList> O = Objects();
  ASSERT_EQ(O.size(), 2u);
  EXPECT_EQ(O[0][2], M20);
  EXPECT_EQ(O[1][2], M40.left(32));
  EXPECT_EQ(O[1][5], M40.left(32));
  EXPECT_EQ(O[1][0], "5_" + M40 + "_1");

  Write_ParGen("<BACnet_DEV_IDE>5</BACnet_DEV_IDE>");
  O = Objects();
  ASSERT_EQ(O.size(), 2u);
  EXPECT_EQ(O[0][2], M20.left(16));
  EXPECT_EQ(O[0][5], M20.left(16));
  EXPECT_EQ(O[0][0], "5_" + M20 + "_0");
  EXPECT_EQ(O[1][2], M40.left(16));
  // Instances start again at 0 for every export.
  EXPECT_EQ(O[1][4], "1");
}

TEST_F(EdeTest, DeviceInstanceByBACnetType)
{
  struct Case {
    QString ParGen;  // empty: no file
    QString Instance;
  };
  const Case Cases[] = {
      {"<BACnet_DEV_IDE>1000</BACnet_DEV_IDE>", "1000"},
      {"<BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>1000</BACnet_DEV_IDE><BACnet_Ser_DEV_IDE>9</BACnet_Ser_DEV_IDE>", "1000"},
      {"<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1000</BACnet_DEV_IDE><BACnet_Ser_DEV_IDE>9</BACnet_Ser_DEV_IDE>", "9"},
      {"<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1000</BACnet_DEV_IDE>", ""},
      {"<BACnet_Type>x</BACnet_Type><BACnet_DEV_IDE>1000</BACnet_DEV_IDE>", "1000"},
      {"<Other/>", ""},
      {QString(), ""},
  };
  Write_BACnet(Row("Analog Input", "T1"));
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.ParGen.toStdString());
    QFile::remove(Path("ParGen.xml"));
    if (!C.ParGen.isNull()) Write_ParGen(C.ParGen);
    const std::vector<QStringList> O = Objects();
    ASSERT_EQ(O.size(), 1u);
    EXPECT_EQ(O[0][1], C.Instance);
    EXPECT_EQ(O[0][0], C.Instance + "_T1_0");
  }
}

TEST_F(EdeTest, HeaderAndKeyNameOfASmallProject)
{
  Write_ParGen("<BACnet_DEV_IDE>1000</BACnet_DEV_IDE>");
  Write_BACnet(Row("Analog Input", "T1", "62"));
  const QStringList L = Write();
  ASSERT_EQ(L.size(), 8);
  EXPECT_EQ(L[0], "PROJECT_NAME; Velmora--Plant;;;;;;");
  EXPECT_EQ(L[2], "TIMESTAMP_OF_LAST_CHANGE;13:07:09 04/03/2026;;;;;;");
  EXPECT_EQ(L[7], "1000_T1_0;1000;T1;0;0;T1;62;");
}

TEST_F(EdeTest, MissingFilesGiveTheHeaderOnly)
{
  const QStringList L = Write();
  ASSERT_EQ(L.size(), 7);
  EXPECT_EQ(L[6], "# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;");
  EXPECT_TRUE(SideFileState().EDE_Objects.empty());
}

TEST_F(EdeTest, EveryLineHasTheSameFieldCount)
{
  // Separators and line breaks inside a mnemonic, a unit or the project name would add fields
  // or lines.
  Set_Project("North;Hall");
  Write_ParGen("<BACnet_DEV_IDE>1;2</BACnet_DEV_IDE>");
  Write_BACnet(Row("Analog Input", "T;1") + Row("Analog Input", "T&#10;2", "6;2") + Row("Analog Input", ""));
  const QStringList L = Write();
  ASSERT_EQ(L.size(), 10);
  for (const QString &Line : L) EXPECT_EQ(Line.count(';'), 7) << Line.toStdString();
  EXPECT_EQ(L[0], "PROJECT_NAME; Velmora--North,Hall;;;;;;");
  EXPECT_EQ(L[7], "1,2_T,1_0;1,2;T,1;0;0;T,1;62;");
  EXPECT_EQ(L[8], "1,2_T 2_1;1,2;T 2;0;1;T 2;6,2;");
  EXPECT_EQ(L[9], "1,2__2;1,2;;0;2;;62;");
}

TEST_F(EdeTest, FileNameGetsCsvUnlessItEndsInCsv)
{
  const std::pair<QString, QString> Cases[] = {
      {"/p/a.csv", "/p/a.csv"}, {"/p/a.CsV", "/p/a.CsV"}, {"/p/a", "/p/a.csv"},
      {"/p/a.csv.txt", "/p/a.csv.txt.csv"}, {"/p/csv", "/p/csv.csv"}};
  for (const auto &[Chosen, Want] : Cases) EXPECT_EQ(EDE_File_Name(Chosen), Want) << Chosen.toStdString();
}

TEST_F(EdeTest, ActionAsksForTheNameAndForOverwritingWithCancel)
{
  TScriptedUI S;
  S.Save_Name = Path("plant");
  BACnet_EDE_File(S.UI(), XML1);
  EXPECT_EQ(S.Saves, std::vector<TSideSaveDialog>{TSideSaveDialog::sdEDE});
  EXPECT_EQ(S.Save_Dir, Dir.path());
  EXPECT_TRUE(S.Questions.empty());
  ASSERT_TRUE(QFile::exists(Path("plant.csv")));

  WriteBytes(Path("plant.csv"), "old");
  S.Answer_Yes = false;
  BACnet_EDE_File(S.UI(), XML1);
  ASSERT_EQ(S.Questions.size(), 1u);
  EXPECT_EQ(S.Questions[0], std::make_pair(1105, true));
  EXPECT_EQ(ReadBytes(Path("plant.csv")), QByteArray("old"));
  S.Answer_Yes = true;
  BACnet_EDE_File(S.UI(), XML1);
  EXPECT_TRUE(ReadBytes(Path("plant.csv")).startsWith("PROJECT_NAME"));

  S.Save_OK = false;
  S.Save_Name = Path("other");
  BACnet_EDE_File(S.UI(), XML1);
  EXPECT_FALSE(QFile::exists(Path("other.csv")));
}

TEST_F(EdeTest, ObjectsAreReleasedAlsoWhenTheExportFails)
{
  Write_BACnet(Row("Analog Input", "T1"));
  // A folder of that name cannot be replaced by the file.
  ASSERT_TRUE(QDir().mkpath(Path("blocked.csv")));
  EXPECT_THROW(Save_EDE_File(Path("blocked.csv"), XML1), Exception);
  EXPECT_TRUE(SideFileState().EDE_Objects.empty());
  // A project file that cannot be parsed reaches the caller as well.
  Write_File("BACnet_Slave.xml", "<BACnet_to_Modbus><BACnet_in_Read>");
  EXPECT_THROW(Save_EDE_File(Path("x.csv"), XML1), Exception);
  EXPECT_FALSE(QFile::exists(Path("x.csv")));
}

TEST_F(EdeTest, GoldenFileInTheAnsiCodePage)
{
  Copy_All_Fixtures();
  Set_Project(QString::fromUtf8("Kühlhaus"));
  Write();
  Expect_Golden(Path("out.csv"), "golden.csv");
  EXPECT_TRUE(ReadBytes(Path("out.csv")).startsWith("PROJECT_NAME; Velmora--K\xFC" "hlhaus;"));
}

}  // namespace
