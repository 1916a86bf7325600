// The CANopen SDO server form: its checks on OK with every message and boundary, the address
// checks gated by N Byte, the walk to the first blank Index, and its table file.
#include "tests/tables/canopen_fixture.h"

using namespace sdoservercols;
using namespace tablestest;

namespace {

class SDOServerForm : public CANopenFormTest<TSDO_Server_Traits> {
protected:
  // A row that passes every check.
  void Fill_Valid(int Grid, int Row)
  {
    Fill(Grid, Row, {Grid ? "0x2100" : "0x2000", "1", "4", "0", "1", "2", "3", "value"});
  }
};

TEST_F(SDOServerForm, EachCellFaultFailsWithItsMessageInBothTables)
{
  struct TCase {
    int Col;
    const char *Value;
    int Read;  // message of the read table, 0: passes; the write table's is 7 further
    const char *Suffix;
  } Cases[] = {
      {cIndex, "0x2000", 0, ""},
      {cIndex, "8192", 0, ""},
      {cIndex, "0x5FFF", 0, ""},
      {cIndex, "0x1FFF", 2151, ""},
      {cIndex, "0x6000", 2151, ""},
      {cIndex, "0x2000 ", 2151, ""},
      {cSubIndex, "0", 0, ""},
      {cSubIndex, "255", 0, ""},
      {cSubIndex, "0x100", 2152, ""},
      {cSubIndex, "-1", 2152, ""},
      {cNByte, "1", 0, ""},
      {cNByte, "0", 2153, ""},
      {cNByte, "3", 2153, ""},
      {cNByte, "", 2153, ""},
      {cAdd_Byte1, "1499", 0, ""},
      {cAdd_Byte1, "1500", 2154, "1499"},
      {cAdd_Byte1 + 1, "", 2155, "1499"},
      {cAdd_Byte1 + 2, "a", 2156, "1499"},
      {cAdd_Byte4, "1500", 2157, "1499"},
      {cMnemonic, "", 0, ""},
  };
  for (int Grid = 0; Grid < 2; ++Grid)
    for (const TCase &C : Cases) {
      SCOPED_TRACE(std::string(Grid ? "write " : "read ") + std::to_string(C.Col) + " \"" + C.Value + "\"");
      F->FormShow(nullptr);
      Fill_Valid(0, 1);
      Fill_Valid(1, 1);
      Fill_Valid(Grid, 2);
      G(Grid)->SetCells(C.Col, 2, QString::fromUtf8(C.Value));
      const int Message = C.Read ? C.Read + (Grid ? 7 : 0) : 0;
      EXPECT_EQ(Check(), Message ? Error(2, Message, QString::fromUtf8(C.Suffix)) : QString());
    }
  EXPECT_EQ(Lang_Text(2158), "!! [SDO in Write] Index must be between 0x2000 and 0x5FFF");
  EXPECT_EQ(Lang_Text(2164), "!! [SDO in Write] Address Byte4 must be between 0 and ");
}

// N Byte 1 checks Add Byte1, 2 the first two, 4 all four; the rest is saved as it is.
TEST_F(SDOServerForm, NByteDecidesWhichAddressesAreChecked)
{
  for (int Grid = 0; Grid < 2; ++Grid)
    for (int NByte : {1, 2, 4}) {
      SCOPED_TRACE(std::to_string(Grid) + " N Byte " + std::to_string(NByte));
      F->FormShow(nullptr);
      Fill_Valid(Grid, 1);
      G(Grid)->SetCells(cNByte, 1, QString::number(NByte));
      for (int K = NByte + 1; K <= 4; ++K)
        G(Grid)->SetCells(cAdd_Byte1 + K - 1, 1, "abc");
      EXPECT_EQ(Check(), QString());
      G(Grid)->SetCells(cAdd_Byte1 + NByte - 1, 1, "-1");
      EXPECT_EQ(Check(), Error(1, (Grid ? 2161 : 2154) + NByte - 1, "1499"));
    }
}

TEST_F(SDOServerForm, AnEmptyIndexInRow1LeavesTheReadTableUncheckedAndUnsaved)
{
  Fill(0, 2, {"1"});
  Fill_Valid(1, 1);
  Fill_Valid(1, 2);
  G(1)->SetCells(cSubIndex, 2, "256");
  EXPECT_EQ(Check(), Error(2, 2159));
  G(1)->SetCells(cSubIndex, 2, "2");
  EXPECT_EQ(Check(), QString());
}

TEST_F(SDOServerForm, FileHoldsTheUntrimmedCellsInColumnOrderAndLoadsBack)
{
  // The same index and sub-index in both tables: accepted and saved in both sections.
  Fill(0, 1, {" 0x2000", "1", "1", "7", "abc", "", "", " speed "});
  Fill(1, 1, {"8192", "$01", "2", "8", "9", "", "", ""});
  Fill(1, 3, {"0x2001", "1", "1", "1", "", "", "", "below a blank Index"});
  F->Btn_OK_Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join('|').toStdString();
  EXPECT_EQ(ReadBytes(Path()),
            QByteArray("<SDO_Server_CANopen><SDO_Read>"
                       "<row Index=\" 0x2000\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"7\" Address_B2=\"abc\" "
                       "Address_B3=\"\" Address_B4=\"\" Mnemonic=\" speed \"/>"
                       "</SDO_Read><SDO_Write>"
                       "<row Index=\"8192\" SubIndex=\"$01\" NByte=\"2\" Address_B1=\"8\" Address_B2=\"9\" "
                       "Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/>"
                       "</SDO_Write></SDO_Server_CANopen><!--SW_VERSION = 1.000-->\n"))
      << ReadBytes(Path()).toStdString();
  F->FormShow(nullptr);
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_EQ(G(0)->Cells(cIndex, 1), " 0x2000");
  EXPECT_EQ(G(0)->Cells(cMnemonic, 1), " speed ");
  EXPECT_EQ(G(1)->Cells(cSubIndex, 1), "$01");
  EXPECT_EQ(G(1)->Cells(cIndex, 3), "");
  EXPECT_EQ(G(1)->Cells(0, 3), "3");

  // No defaults: a row without NByte ends the load there, what was read until then staying.
  WriteBytes(Path(), "<SDO_Server_CANopen><SDO_Read><row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"0\" "
                     "Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/><row Index=\"0x2001\" "
                     "SubIndex=\"1\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/>"
                     "</SDO_Read><SDO_Write/></SDO_Server_CANopen>");
  Boxes.clear();
  F->FormShow(nullptr);
  EXPECT_FALSE(F->Load_Complete());
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(Boxes[0].Text.contains("no attribute \"NByte\"")) << Boxes[0].Text.toStdString();
  EXPECT_EQ(G(0)->Cells(cIndex, 1), "0x2000");
  EXPECT_EQ(G(0)->Cells(cIndex, 2), "0x2001");
  EXPECT_EQ(G(0)->Cells(cNByte, 2), "");
  EXPECT_EQ(G(0)->Cells(cAdd_Byte1, 2), "");
}

}  // namespace
