// Bank 1: the general parameter block and its checksum.
#include "tests/project/bank_fixture.h"

namespace {

void Put32(QByteArray &b, int at, uint32_t v)
{
  for (int i = 0; i < 4; ++i)
    b[at + i] = char(uint8_t(v >> (8 * i)));
}
void Put16(QByteArray &b, int at, uint16_t v)
{
  b[at] = char(uint8_t(v));
  b[at + 1] = char(uint8_t(v >> 8));
}
void PutBytes(QByteArray &b, int at, std::initializer_list<int> v)
{
  for (int x : v)
    b[at++] = char(uint8_t(x));
}

// The block of a project without "ParGen.xml" and without S7 rows, written out field by field.
QByteArray EmptyProjectBlock()
{
  QByteArray b(2048, '\0');
  Put32(b, 0x000, 250000);
  Put32(b, 0x004, 250000);
  Put32(b, 0x00C, 9600);
  PutBytes(b, 0x028, {192, 168, 2, 205});
  PutBytes(b, 0x02C, {255, 255, 255, 0});
  PutBytes(b, 0x030, {255, 255, 255, 255});
  Put16(b, 0x034, 10000);
  Put16(b, 0x036, 10001);
  Put16(b, 0x038, 10001);
  PutBytes(b, 0x1B4, {8, 8, 8, 8, 8, 8, 8, 8});
  Put32(b, 0x590, 0xA0000);
  Put32(b, 0x654, 0x80000);
  Put32(b, 0x7FC, 3476);
  return b;
}

uint32_t ByteSum(const QByteArray &b)
{
  uint32_t sum = 0;
  for (int i = 0; i < 0x7FC; ++i)
    sum += uint8_t(b[i]);
  return sum;
}

}  // namespace

using GeneralBlock = BankProject;

TEST_F(GeneralBlock, ProjectWithoutFilesGivesInitialImageWithChecksum3476)
{
  const std::vector<QByteArray> banks = BuildAndWrite();
  EXPECT_EQ(banks[0], EmptyProjectBlock());
  EXPECT_EQ(U32(banks[0], 0x7FC), 3476u);
}

TEST_F(GeneralBlock, FormDefaultsGiveChecksum5429)
{
  PutFixture("form_defaults/ParGen.xml", "ParGen.xml");
  const QByteArray b = BuildAndWrite()[0];
  ASSERT_EQ(b.size(), 2048);
  EXPECT_EQ(Bytes(b, 0x028, 4), (std::vector<int>{0xC0, 0xA8, 0x00, 0x05}));
  EXPECT_EQ(Bytes(b, 0x02C, 4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(Bytes(b, 0x030, 4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Bytes(b, 0x184, 4), (std::vector<int>{0xC0, 0xA8, 0x00, 0x0A}));
  EXPECT_EQ(Bytes(b, 0x188, 4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0x00}));
  EXPECT_EQ(Bytes(b, 0x18C, 4), (std::vector<int>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Bytes(b, 0x58C, 4), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(U32(b, 0x7FC), 5429u);
  // Apart from the address fields the block is the initial image.
  QByteArray expected = EmptyProjectBlock();
  PutBytes(expected, 0x028, {192, 168, 0, 5});
  PutBytes(expected, 0x184, {192, 168, 0, 10, 255, 255, 255, 0, 255, 255, 255, 255});
  Put32(expected, 0x7FC, 5429);
  EXPECT_EQ(b, expected);
}

TEST_F(GeneralBlock, SettingsElementsAndTheirDefaults)
{
  struct Case {
    const char *name;
    const char *elements;  // children of the root
    int offset;
    std::vector<int> bytes;
  };
  const Case cases[] = {
      {"S7 gateway on", "<S7_Protocol_EN_GAT>1</S7_Protocol_EN_GAT><S7_Protocol_GAT1>192</S7_Protocol_GAT1>"
       "<S7_Protocol_GAT2>168</S7_Protocol_GAT2><S7_Protocol_GAT3>0</S7_Protocol_GAT3><S7_Protocol_GAT4>254</S7_Protocol_GAT4>",
       0x030, {0xC0, 0xA8, 0x00, 0xFE}},
      {"S7 gateway on, octets missing", "<S7_Protocol_EN_GAT>1</S7_Protocol_EN_GAT>", 0x030, {192, 168, 0, 1}},
      {"S7 gateway switch \"01\" is off", "<S7_Protocol_EN_GAT>01</S7_Protocol_EN_GAT><S7_Protocol_GAT1>10</S7_Protocol_GAT1>",
       0x030, {255, 255, 255, 255}},
      {"Ethernet gateway on", "<Ethernet_EN_GAT>1</Ethernet_EN_GAT><Ethernet_GAT1>10</Ethernet_GAT1>"
       "<Ethernet_GAT2>0</Ethernet_GAT2><Ethernet_GAT3>0</Ethernet_GAT3><Ethernet_GAT4>1</Ethernet_GAT4>",
       0x18C, {10, 0, 0, 1}},
      {"Ethernet gateway switch missing", "<Ethernet_GAT1>10</Ethernet_GAT1>", 0x18C, {255, 255, 255, 255}},
      {"DNS off", "<Ethernet_EN_DNS>0</Ethernet_EN_DNS><Ethernet_DNS1>8</Ethernet_DNS1><Ethernet_DNS2>8</Ethernet_DNS2>"
       "<Ethernet_DNS3>8</Ethernet_DNS3><Ethernet_DNS4>8</Ethernet_DNS4>",
       0x58C, {0, 0, 0, 0}},
      {"DNS on", "<Ethernet_EN_DNS>1</Ethernet_EN_DNS><Ethernet_DNS1>1</Ethernet_DNS1><Ethernet_DNS2>0</Ethernet_DNS2>"
       "<Ethernet_DNS3>0</Ethernet_DNS3><Ethernet_DNS4>1</Ethernet_DNS4>",
       0x58C, {1, 0, 0, 1}},
      {"DNS on, octets missing", "<Ethernet_EN_DNS>1</Ethernet_EN_DNS>", 0x58C, {8, 8, 8, 8}},
      {"empty root", "", 0x028, {192, 168, 0, 10, 255, 255, 255, 0, 255, 255, 255, 255}},
      {"empty root, Ethernet side", "", 0x184, {192, 168, 0, 10, 255, 255, 255, 0, 255, 255, 255, 255}},
      {"octet not a number", "<S7_Protocol_IP4>x</S7_Protocol_IP4>", 0x02B, {10}},
      {"octet with trailing blank", "<S7_Protocol_IP4>7 </S7_Protocol_IP4>", 0x02B, {10}},
      {"octet with leading blanks", "<S7_Protocol_IP4>  7</S7_Protocol_IP4>", 0x02B, {7}},
      {"octet 300 keeps low bits", "<S7_Protocol_IP4>300</S7_Protocol_IP4>", 0x02B, {44}},
      {"octet 256 keeps low bits", "<S7_Protocol_IP4>256</S7_Protocol_IP4>", 0x02B, {0}},
      {"octet -1 keeps low bits", "<S7_Protocol_IP4>-1</S7_Protocol_IP4>", 0x02B, {255}},
      {"octet in hexadecimal", "<S7_Protocol_IP4>0x66</S7_Protocol_IP4><S7_Protocol_IP3>$10</S7_Protocol_IP3>",
       0x02A, {0x10, 0x66}},
      {"octet element holding an element", "<S7_Protocol_IP1><x>1</x></S7_Protocol_IP1>", 0x028, {192}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    Put("ParGen.xml", QByteArray("<Par_Gen>") + c.elements + "</Par_Gen><!--SW_VERSION = 1.000-->");
    Builder->Compile_Banks();
    const QByteArray b(reinterpret_cast<const char *>(Builder->Bank_Buffer_1.data()), Builder->Bank_Length_1);
    EXPECT_EQ(Bytes(b, c.offset, int(c.bytes.size())), c.bytes);
    EXPECT_EQ(U32(b, 0x7FC), ByteSum(b));
  }
}

TEST_F(GeneralBlock, RootIsTheFirstElementAfterDeclarationAndComments)
{
  Put("ParGen.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved by hand -->\n"
                    "<Par_Gen><S7_Protocol_IP4>99</S7_Protocol_IP4><Ethernet_EN_DNS>1</Ethernet_EN_DNS></Par_Gen>");
  const QByteArray b = BuildAndWrite()[0];
  EXPECT_EQ(Bytes(b, 0x028, 4), (std::vector<int>{192, 168, 0, 99}));
  EXPECT_EQ(Bytes(b, 0x58C, 4), (std::vector<int>{8, 8, 8, 8}));
}

TEST_F(GeneralBlock, ChecksumCoversS7EntryCount)
{
  Put("S7_Protocol.xml", "<S7_Protocol><S7_Protocol_Read><row Enable=\"Y\"/><row Enable=\"Y\"/></S7_Protocol_Read>"
                         "<S7_Protocol_Write/></S7_Protocol>");
  const QByteArray b = BuildAndWrite()[0];
  EXPECT_EQ(U32(b, 0x658), 2u);
  EXPECT_EQ(U32(b, 0x7FC), 3476u + 2u);
}
