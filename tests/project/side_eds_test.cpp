// CANopen EDS writer: PDO and SDO objects, times, failure on a bad SDO row, the structure of the
// result read back as an INI file, and a golden file.
#include "tests/project/side_test_helpers.h"

#include "framework/services/xmldoc.h"
#include "tests/project/strict_ini.h"

using namespace sidetest;

namespace {

class EdsTest : public SideTest {
protected:
  QStringList Write()
  {
    TXMLDocument XML1;
    Write_EDS_File(Path("out.eds"), XML1);
    return Lines(ReadBytes(Path("out.eds")));
  }

  void Write_PDO(const QString &Receive, const QString &Transmit = QString())
  {
    Write_File("PDO_CANopen.xml", "<PDO_CANopen><Receive_PDO>" + Receive + "</Receive_PDO><Transmit_PDO>" +
                                      Transmit + "</Transmit_PDO></PDO_CANopen><!--SW_VERSION = 1.000-->");
  }

  void Write_SDO(const QString &Read, const QString &Write = QString())
  {
    Write_File("SDO_Server_CANopen.xml", "<SDO_Server_CANopen><SDO_Read>" + Read + "</SDO_Read><SDO_Write>" +
                                             Write + "</SDO_Write></SDO_Server_CANopen>");
  }
};

QString Sdo_Row(const QString &Index, const QString &Sub, const QString &NByte)
{
  return "<row Index=\"" + Index + "\" SubIndex=\"" + Sub + "\" NByte=\"" + NByte + "\" Mnemonic=\"\"/>";
}

TEST_F(EdsTest, EmptyTablesGiveTheFixedObjectsOnly)
{
  // Once without files, once with files whose sections are empty or missing.
  for (int Pass = 0; Pass < 2; ++Pass) {
    SCOPED_TRACE(Pass);
    if (Pass == 1) {
      Write_PDO("");
      Write_File("SDO_Server_CANopen.xml", "<SDO_Server_CANopen/>");
    }
    const QStringList L = Write();
    const TIni Ini(L);
    EXPECT_EQ(Ini.Value("DeviceInfo", "NrOfRXPDO"), "0");
    EXPECT_EQ(Ini.Value("DeviceInfo", "NrOfTXPDO"), "0");
    EXPECT_EQ(Ini.Value("OptionalObjects", "SupportedObjects"), "8");
    EXPECT_EQ(Ini.Value("ManufacturerObjects", "SupportedObjects"), "0");
    EXPECT_EQ(Ini.Order.last(), "1280sub3");
    EXPECT_EQ(Ini.Order.size(), 32);
    EXPECT_EQ(Ini.Check_Objects(), QStringList());
    // The last section is followed by exactly one empty line.
    EXPECT_EQ(L.mid(L.size() - 2), (QStringList{"PDOMapping=0", ""}));
  }
}

TEST_F(EdsTest, ReceivePdoWithoutDimensionMapsEightBytes)
{
  Write_PDO("<row COB-ID=\"385\" TimeOut=\"0\"/>");
  const QStringList L = Write();
  const TIni Ini(L);
  EXPECT_EQ(Ini.Check_Objects(), QStringList());
  EXPECT_EQ(Ini.Value("DeviceInfo", "NrOfRXPDO"), "1");
  EXPECT_EQ(Ini.Value("OptionalObjects", "SupportedObjects"), "11");
  EXPECT_EQ(Ini.Value("OptionalObjects", "9"), "0x1400");
  EXPECT_EQ(Ini.Value("OptionalObjects", "10"), "0x1600");
  EXPECT_EQ(Ini.Value("OptionalObjects", "11"), "0x7000");
  EXPECT_EQ(Ini.Value("1400", "ParameterName"), "Receive PDO Communication Parameter 1");
  EXPECT_EQ(Ini.Value("1400sub1", "DefaultValue"), "0x00000181");
  EXPECT_EQ(Ini.Value("1600", "SubNumber"), "9");
  EXPECT_EQ(Ini.Value("1600", "ParameterName"), "Receive PDO Mapping Parameter");
  EXPECT_EQ(Ini.Value("1600sub0", "DefaultValue"), "0x08");
  EXPECT_EQ(Ini.Value("7000", "SubNumber"), "9");
  EXPECT_EQ(Ini.Value("7000", "ParameterName"), "RPDO1");
  for (int J = 1; J <= 8; ++J) {
    const QString Sub = QString::number(J);
    EXPECT_EQ(Ini.Value("1600sub" + Sub, "ParameterName"), "Mapping Entry " + Sub);
    EXPECT_EQ(Ini.Value("1600sub" + Sub, "DefaultValue"), "0x70000" + Sub + "08");
    EXPECT_EQ(Ini.Value("7000sub" + Sub, "ParameterName"), "b" + Sub);
    EXPECT_EQ(Ini.Value("7000sub" + Sub, "AccessType"), "rww");
    EXPECT_EQ(Ini.Value("7000sub" + Sub, "PDOMapping"), "1");
  }
  EXPECT_FALSE(Ini.Sections.contains("1600sub9"));
  // The PDO blocks follow the fixed objects without an empty line.
  const int P = L.indexOf("[1400]");
  EXPECT_EQ(L[P - 1], "PDOMapping=0");
  EXPECT_EQ(L[P - 2], "AccessType=rw");
}

TEST_F(EdsTest, PdoValuesAndLimits)
{
  // COB-IDs in the forms the PDO table accepts; a Dimension that no PDO can carry is held at 8.
  Write_PDO("<row COB-ID=\"0x201\" Dimension=\"2\"/><row COB-ID=\"x\" Dimension=\"-1\"/>",
            "<row COB-ID=\"$181\" Dimension=\"1\"/><row COB-ID=\"2047\" Dimension=\"0\"/>");
  const TIni Ini(Write());
  EXPECT_EQ(Ini.Check_Objects(), QStringList());
  EXPECT_EQ(Ini.Value("1400sub1", "DefaultValue"), "0x00000201");
  EXPECT_EQ(Ini.Value("1401sub1", "DefaultValue"), "0x00000000");
  EXPECT_EQ(Ini.Value("1601", "SubNumber"), "9");
  EXPECT_EQ(Ini.Value("1800sub1", "DefaultValue"), "0x00000181");
  EXPECT_EQ(Ini.Value("1801sub1", "DefaultValue"), "0x000007FF");
  EXPECT_EQ(Ini.Value("1800", "ParameterName"), "Transmit PDO Communication Parameter 1");
  EXPECT_EQ(Ini.Value("1A00", "ParameterName"), "Transmit PDO Mapping Parameter 1");
  EXPECT_EQ(Ini.Value("1A00sub1", "DefaultValue"), "0x70500108");
  EXPECT_EQ(Ini.Value("1A01", "SubNumber"), "1");
  EXPECT_EQ(Ini.Value("1A01sub0", "DefaultValue"), "0x00");
  EXPECT_EQ(Ini.Value("7050", "ParameterName"), "TPDO1");
  EXPECT_EQ(Ini.Value("7050sub0", "AccessType"), "rw");
  EXPECT_EQ(Ini.Value("7050sub1", "ParameterName"), "l1");
  EXPECT_EQ(Ini.Value("7050sub1", "AccessType"), "rwr");
  EXPECT_EQ(Ini.Value("7051sub0", "DefaultValue"), "0x00");
}

TEST_F(EdsTest, AtMostThirtyPdosPerDirection)
{
  QString Rows;
  for (int I = 0; I < 32; ++I) Rows += "<row COB-ID=\"" + QString::number(0x200 + I) + "\" Dimension=\"1\"/>";
  Write_PDO(Rows, Rows);
  const TIni Ini(Write());
  EXPECT_EQ(Ini.Check_Objects(), QStringList());
  EXPECT_EQ(Ini.Value("DeviceInfo", "NrOfRXPDO"), "30");
  EXPECT_EQ(Ini.Value("DeviceInfo", "NrOfTXPDO"), "30");
  EXPECT_EQ(Ini.Value("OptionalObjects", "SupportedObjects"), "188");
  EXPECT_EQ(Ini.Value("701Dsub1", "ParameterName"), "av1");
  EXPECT_EQ(Ini.Value("706Dsub1", "ParameterName"), "cv1");
  EXPECT_FALSE(Ini.Sections.contains("141E"));
}

// The main window lends its document; the PDO table must not stay loaded in it.
TEST_F(EdsTest, PdoLoadClosesTheLentDocument)
{
  Write_PDO("<row COB-ID=\"385\"/>");
  TXMLDocument XML1;
  Load_EDS_PDO_Table(XML1);
  EXPECT_EQ(SideFileState().EDS_RX_PDO_Count, 1);
  EXPECT_FALSE(XML1.Active());
}

TEST_F(EdsTest, SdoSubEntriesInOrderWithHexSectionNames)
{
  Write_SDO(Sdo_Row("0x2000", "3", "2") + Sdo_Row("0x2000", "1", "1") + Sdo_Row("8193", "0", "4"),
            Sdo_Row("0x2000", "12", "4") + Sdo_Row("8193", "2", "1") + Sdo_Row("$3000", "0", "3"));
  const QStringList L = Write();
  const TIni Ini(L);
  EXPECT_EQ(Ini.Check_Objects(), QStringList());
  EXPECT_EQ(Ini.Value("ManufacturerObjects", "SupportedObjects"), "3");
  EXPECT_EQ(Ini.Value("ManufacturerObjects", "1"), "0x2000");
  EXPECT_EQ(Ini.Value("ManufacturerObjects", "2"), "0x2001");
  EXPECT_EQ(Ini.Value("ManufacturerObjects", "3"), "0x3000");

  // Smallest sub-index not 0: an extra sub0 with the largest sub-index.
  EXPECT_EQ(Ini.Value("2000", "SubNumber"), "4");
  EXPECT_EQ(Ini.Value("2000", "ParameterName"), "App Vars");
  EXPECT_EQ(Ini.Value("2000", "ObjectType"), "0x9");
  EXPECT_EQ(Ini.Value("2000sub0", "ParameterName"), "Largest Sub-Index supported");
  EXPECT_EQ(Ini.Value("2000sub0", "DefaultValue"), "0x0C");
  const QStringList Order = Ini.Order.mid(Ini.Order.indexOf("2000"));
  EXPECT_EQ(Order.mid(0, 5), (QStringList{"2000", "2000sub0", "2000sub1", "2000sub3", "2000subC"}));
  // Smallest sub-index 0: no extra section.
  EXPECT_EQ(Order.mid(5, 3), (QStringList{"2001", "2001sub0", "2001sub2"}));
  EXPECT_EQ(Ini.Value("2001", "SubNumber"), "2");
  EXPECT_EQ(Ini.Value("2001sub0", "ParameterName"), "Application Variable");

  // Size and access of each entry.
  struct Case {
    QString Section, DataType, High, Default, Access;
  };
  const Case Cases[] = {
      {"2000sub1", "0x0005", "0xFF", "0x00", "ro"},
      {"2000sub3", "0x0006", "0xFFFF", "0x0000", "ro"},
      {"2000subC", "0x0007", "0xFFFFFFFF", "0x00000000", "rw"},
      {"2001sub0", "0x0007", "0xFFFFFFFF", "0x00000000", "ro"},
      {"2001sub2", "0x0005", "0xFF", "0x00", "rw"},
      {"3000sub0", "0x0007", "0xFFFFFFFF", "0x00000000", "rw"},
  };
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Section.toStdString());
    EXPECT_EQ(Ini.Value(C.Section, "DataType"), C.DataType);
    EXPECT_EQ(Ini.Value(C.Section, "HighLimit"), C.High);
    EXPECT_EQ(Ini.Value(C.Section, "DefaultValue"), C.Default);
    EXPECT_EQ(Ini.Value(C.Section, "AccessType"), C.Access);
  }
  // Two empty lines at the end: the last section's and the final one.
  EXPECT_EQ(L.mid(L.size() - 3), (QStringList{"PDOMapping=0", "", ""}));
}

// Strict INI readers refuse a section twice: one sub-entry per index and sub-index, "rw" when
// the read and the write table both hold it, the first row's size otherwise.
TEST_F(EdsTest, RepeatedSdoSubIndexesGiveOneSubEntry)
{
  Write_SDO(Sdo_Row("0x2000", "1", "1") + Sdo_Row("0x2000", "1", "2") + Sdo_Row("0x2000", "2", "2") +
                Sdo_Row("0x2000", "4", "1") + Sdo_Row("8192", "4", "4"),
            Sdo_Row("0x2000", "2", "4") + Sdo_Row("0x2000", "3", "1") + Sdo_Row("0x2000", "3", "2") +
                Sdo_Row("8192", "1", "4"));
  const TIni Ini(Write());
  EXPECT_EQ(Ini.Check_Objects(), QStringList());
  EXPECT_EQ(Ini.Value("ManufacturerObjects", "SupportedObjects"), "1");
  EXPECT_EQ(Ini.Value("2000", "SubNumber"), "5");
  EXPECT_EQ(Ini.Value("2000sub0", "DefaultValue"), "0x04");
  const QStringList Order = Ini.Order.mid(Ini.Order.indexOf("2000"));
  EXPECT_EQ(Order, (QStringList{"2000", "2000sub0", "2000sub1", "2000sub2", "2000sub3", "2000sub4"}));
  const std::tuple<QString, QString, QString> Cases[] = {
      {"2000sub1", "0x0005", "rw"},  // read, read again, then write
      {"2000sub2", "0x0006", "rw"},  // read, then write with another size
      {"2000sub3", "0x0005", "rw"},  // write twice
      {"2000sub4", "0x0005", "ro"},  // read twice
  };
  for (const auto &[Section, DataType, Access] : Cases) {
    SCOPED_TRACE(Section.toStdString());
    EXPECT_EQ(Ini.Value(Section, "DataType"), DataType);
    EXPECT_EQ(Ini.Value(Section, "AccessType"), Access);
  }
}

TEST_F(EdsTest, CreationTimeOnTheTwelveHourClock)
{
  struct Case {
    int Hour, Minute;
    QString Time;
  };
  const Case Cases[] = {{0, 5, "12:05AM"},  {9, 0, "09:00AM"}, {11, 59, "11:59AM"},
                        {12, 30, "12:30PM"}, {13, 7, "01:07PM"}, {23, 59, "11:59PM"}};
  for (const Case &C : Cases) {
    SCOPED_TRACE(C.Time.toStdString());
    SetNowOverride(EncodeDateTime(2026, 1, 2, C.Hour, C.Minute, 0, 0));
    const TIni Ini(Write());
    EXPECT_EQ(Ini.Value("FileInfo", "CreationTime"), C.Time);
    EXPECT_EQ(Ini.Value("FileInfo", "ModificationTime"), C.Time);
    EXPECT_EQ(Ini.Value("FileInfo", "CreationDate"), "01-02-2026");
    EXPECT_EQ(Ini.Value("FileInfo", "ModificationDate"), "01-02-2026");
  }
}

TEST_F(EdsTest, BadSdoRowEndsTheExportWithoutWriting)
{
  const QString Bad[] = {Sdo_Row("0x2000", "one", "1"), Sdo_Row("0x2000", "1", ""),
                         "<row Index=\"0x2000\" NByte=\"1\"/>"};
  for (const QString &Row : Bad) {
    SCOPED_TRACE(Row.toStdString());
    WriteBytes(Path("out.eds"), "previous");
    Write_SDO(Sdo_Row("0x2000", "1", "1"), Row);
    TXMLDocument XML1;
    EXPECT_THROW(Write_EDS_File(Path("out.eds"), XML1), EConvertError);
    EXPECT_EQ(ReadBytes(Path("out.eds")), QByteArray("previous"));
  }
}

TEST_F(EdsTest, ActionAsksForTheNameOnlyAndOverwrites)
{
  WriteBytes(Path("x.eds"), "previous");
  TScriptedUI S;
  S.Save_Name = Path("x.eds");
  TXMLDocument XML1;
  Build_EDS_File(S.UI(), XML1);
  EXPECT_EQ(S.Saves, std::vector<TSideSaveDialog>{TSideSaveDialog::sdEDS});
  EXPECT_EQ(S.Save_Dir, Dir.path());
  EXPECT_TRUE(S.Questions.empty());
  EXPECT_TRUE(ReadBytes(Path("x.eds")).startsWith("[FileInfo]\r\n"));

  S.Save_OK = false;
  S.Save_Name = Path("y.eds");
  Build_EDS_File(S.UI(), XML1);
  EXPECT_FALSE(QFile::exists(Path("y.eds")));
}

TEST_F(EdsTest, GoldenFile)
{
  Copy_All_Fixtures();
  const QStringList L = Write();
  EXPECT_EQ(TIni(L).Check_Objects(), QStringList());
  Expect_Golden(Path("out.eds"), "golden.eds");
}

}  // namespace
