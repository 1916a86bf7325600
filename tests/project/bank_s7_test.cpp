// Bank 2: the S7 access table.
#include "tests/project/bank_fixture.h"

namespace {

QByteArray S7File(int ReadRows, int WriteRows)
{
  QByteArray x = "<S7_Protocol><S7_Protocol_Read>";
  for (int i = 0; i < ReadRows; ++i)
    x += QStringLiteral("<row Enable=\"Y\" PLC_Address=\"10.0.0.%1\" PLC_Port=\"102\" Position=\"%1\"/>")
             .arg(i % 256)
             .toUtf8();
  x += "</S7_Protocol_Read><S7_Protocol_Write>";
  for (int i = 0; i < WriteRows; ++i)
    x += "<row Enable=\"Y\" PLC_Address=\"10.0.1.1\"/>";
  x += "</S7_Protocol_Write></S7_Protocol><!--SW_VERSION = 1.003-->";
  return x;
}

}  // namespace

using S7Bank = BankProject;

TEST_F(S7Bank, EnabledRowsBecomeEntriesReadSectionFirst)
{
  PutFixture("s7/S7_Protocol.xml", "S7_Protocol.xml");
  const std::vector<QByteArray> banks = BuildAndWrite();
  const QByteArray &b = banks[1];
  ASSERT_EQ(b.size(), 28672);
  EXPECT_EQ(U32(banks[0], 0x658), 4u);

  // Entry layout: address, poll time, PLC_Add, DB, port, position, reserved, bit, type,
  // data type, block, reserved, flags, PLC bit, area, rack/slot, reserved.
  const std::vector<std::vector<int>> expected = {
      // read: 192.168.0.10, poll time empty, position 70000 cut to 16 bits, Swap, rack 0 slot 2
      {0x0A, 0x00, 0xA8, 0xC0, 0xE8, 0x03, 0x00, 0x00, 0x2C, 0x01, 0x05, 0x00, 0x66, 0x00,
       0x70, 0x11, 0x00, 0x00, 0x01, 40, 4, 10, 0x00, 0x04, 3, 0x83, 2, 0x00},
      // read: three-part address, hex port, unknown type and block, PLC_Add 65537, SwapWord, rack 1 slot 3
      {0x00, 0x00, 0x00, 0x00, 0xFA, 0x00, 0x00, 0x00, 0x01, 0x00, 0x07, 0x00, 0x66, 0x00,
       0x01, 0x00, 0x00, 0x00, 0x00, 0, 8, 8, 0x00, 0x08, 0, 0x80, 35, 0x00},
      // write: OnChange + Swap, no Rack/Slot attributes
      {0x03, 0x02, 0x01, 0x0A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x66, 0x00,
       0xDB, 0x05, 0x00, 0x00, 0xFF, 1, 1, 15, 0x00, 0x25, 7, 0x82, 0, 0x00},
      // write: OnCMD + SwapWord; port 65538 and rack 9 cut, poll time beyond 32 bits defaults
      {0x01, 0xFE, 0x10, 0xAC, 0xE8, 0x03, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x02, 0x00,
       0x02, 0x00, 0x00, 0x00, 0x00, 20, 7, 12, 0x00, 0x38, 0, 0x81, 32, 0x00},
  };
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Bytes(b, int(i) * 28, 28), expected[i]);
  }
  EXPECT_EQ(b.mid(4 * 28), QByteArray(28672 - 4 * 28, '\0'));
}

TEST_F(S7Bank, CodeMapsCompareExactly)
{
  struct Case {
    uint8_t (*map)(const QString &);
    const char *text;
    int code;
  };
  const Case cases[] = {
      {S7_PLC_Type_Code, "Logo0BA8", 1}, {S7_PLC_Type_Code, "S7200", 0}, {S7_PLC_Type_Code, "S7300", 10},
      {S7_PLC_Type_Code, "S7400", 20}, {S7_PLC_Type_Code, "S71200", 30}, {S7_PLC_Type_Code, "S71500", 40},
      {S7_PLC_Type_Code, "s71500", 0}, {S7_PLC_Type_Code, "", 0},
      {S7_Data_Type_Code, "Bit", 1}, {S7_Data_Type_Code, "Byte", 2}, {S7_Data_Type_Code, "Char", 3},
      {S7_Data_Type_Code, "Word", 4}, {S7_Data_Type_Code, "Int", 5}, {S7_Data_Type_Code, "DWord", 6},
      {S7_Data_Type_Code, "DInt", 7}, {S7_Data_Type_Code, "Real", 8}, {S7_Data_Type_Code, "REAL", 1},
      {S7_Data_Type_Code, " Int", 1},
      {S7_Block_Code, "OB", 8}, {S7_Block_Code, "DB", 10}, {S7_Block_Code, "SDB", 11}, {S7_Block_Code, "FC", 12},
      {S7_Block_Code, "SFC", 13}, {S7_Block_Code, "FB", 14}, {S7_Block_Code, "SFB", 15}, {S7_Block_Code, "db", 8},
      {S7_Area_Code, "Direct peripheral access (P)", 0x80}, {S7_Area_Code, "Inputs (I)", 0x81},
      {S7_Area_Code, "Output (Q)", 0x82}, {S7_Area_Code, "Flags (M) (Merker)", 0x83},
      {S7_Area_Code, "Flags (M)", 0x80},
  };
  for (const Case &c : cases)
    EXPECT_EQ(c.map(QString::fromUtf8(c.text)), c.code) << c.text;
}

TEST_F(S7Bank, ShrinkingTheTableZeroesTheEntriesLeftBehind)
{
  Put("S7_Protocol.xml", S7File(7, 3));
  const QByteArray ten = BuildAndWrite()[1];
  EXPECT_EQ(U32(ten, 9 * 28), 0x0A000101u);
  Put("S7_Protocol.xml", S7File(3, 0));
  const std::vector<QByteArray> banks = BuildAndWrite();
  EXPECT_EQ(U32(banks[0], 0x658), 3u);
  EXPECT_EQ(banks[1].left(3 * 28), ten.left(3 * 28));
  EXPECT_EQ(banks[1].mid(3 * 28), QByteArray(28672 - 3 * 28, '\0'));
}

TEST_F(S7Bank, FullTableIsAcceptedOneMoreEnabledRowIsRefused)
{
  Put("S7_Protocol.xml", S7File(512, 512));
  const std::vector<QByteArray> full = BuildAndWrite();
  EXPECT_EQ(U32(full[0], 0x658), 1024u);
  EXPECT_EQ(U32(full[1], 1023 * 28), 0x0A000101u);

  // One more enabled row: the build stops and the files of the last build stay.
  QByteArray x = S7File(512, 512);
  x.replace("<S7_Protocol_Write>", "<S7_Protocol_Write><row Enable=\"N\"/><row Enable=\"Y\"/>");
  Put("S7_Protocol.xml", x);
  EXPECT_THROW(Builder->Compile_Banks(), EBankError);
  EXPECT_FALSE(Builder->Write_Bank_Files());
  EXPECT_EQ(testsupport::ReadBytes(Bin(1)), full[0]);
  EXPECT_EQ(testsupport::ReadBytes(Bin(2)), full[1]);
  EXPECT_EQ(testsupport::ReadBytes(Bin(3)), full[2]);
}

// A row naming an attribute twice would be read one way here and another way by the form:
// the build stops, naming the file and the line, and the files of the last build stay.
TEST_F(S7Bank, ARowRepeatingAnAttributeStopsTheBuild)
{
  const std::vector<QByteArray> last = BuildAndWrite();
  QByteArray x = S7File(2, 1);
  x.replace("<row Enable=\"Y\" PLC_Address=\"10.0.1.1\"/>",
            "\n<row Enable=\"Y\" PLC_Address=\"10.0.1.1\" Enable=\"N\"/>");
  Put("S7_Protocol.xml", x);
  try {
    Builder->Compile_Banks();
    ADD_FAILURE() << "built";
  } catch (const EXMLDocError &e) {
    EXPECT_TRUE(e.Message().contains("S7_Protocol.xml")) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains("\"Enable\" more than once")) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains("line 2")) << e.Message().toStdString();
  }
  EXPECT_FALSE(Builder->Write_Bank_Files());
  EXPECT_EQ(testsupport::ReadBytes(Bin(2)), last[1]);
}

TEST_F(S7Bank, RackSlotKeepsTheLowEightBitsOfAnySum)
{
  struct Case {
    const char *rack, *slot;
    int code;
  };
  const Case cases[] = {
      {"0", "2", 2},     {"1", "3", 35},   {"8", "1", 1},     {"-1", "0", 0xE0},
      {"", "x", 0},      {"2147483647", "2147483647", 0xDF},  {"67108864", "2147483647", 0xFF},
  };
  QByteArray x = "<S7_Protocol><S7_Protocol_Read>";
  for (const Case &c : cases)
    x += QStringLiteral("<row Enable=\"Y\" Rack=\"%1\" Slot=\"%2\"/>").arg(c.rack, c.slot).toUtf8();
  x += "</S7_Protocol_Read><S7_Protocol_Write/></S7_Protocol>";
  Put("S7_Protocol.xml", x);
  const QByteArray b = BuildAndWrite()[1];
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(uint8_t(b[int(i) * 28 + 26]), cases[i].code) << cases[i].rack << " " << cases[i].slot;
}
