// The CANopen SDO client form: its checks on OK with every message and boundary, the address
// checks gated by N Byte, the walk to the first blank ID Device, and its table file.
#include "tests/tables/canopen_fixture.h"

using namespace sdoclientcols;
using namespace tablestest;

namespace {

class SDOClientForm : public CANopenFormTest<TSDO_Client_Traits> {
protected:
  int Add_Byte1(int Grid) const { return Grid ? cWrite_Add_Byte1 : cRead_Add_Byte1; }
  // A row that passes every check.
  void Fill_Valid(int Grid, int Row)
  {
    if (Grid == 0)
      Fill(0, Row, {"5", "0x1018", "1", "4", "1000", "0", "1", "2", "3", "serial"});
    else
      Fill(1, Row, {"6", "0x2000", "0", "4", "0", "Y", "10", "11", "12", "13", "set"});
  }
};

TEST_F(SDOClientForm, EachCellFaultFailsWithItsMessageInBothTables)
{
  struct TCase {
    int Col;  // the read grid's column; addresses are counted from Add Byte1
    const char *Value;
    int Read, Write;  // message; 0: passes
    const char *Suffix;
  } Cases[] = {
      {cDevice_ID, "1", 0, 0, ""},
      {cDevice_ID, "127", 0, 0, ""},
      {cDevice_ID, "0x7F", 0, 0, ""},
      {cDevice_ID, "0", 2061, 2070, ""},
      {cDevice_ID, "128", 2061, 2070, ""},
      {cDevice_ID, "5 ", 2061, 2070, ""},
      {cIndex, "0x1000", 0, 0, ""},
      {cIndex, "4096", 0, 0, ""},
      {cIndex, "0xFFFF", 0, 0, ""},
      {cIndex, "0x0FFF", 2062, 2071, ""},
      {cIndex, "65536", 2062, 2071, ""},
      {cSubIndex, "0", 0, 0, ""},
      {cSubIndex, "0xFF", 0, 0, ""},
      {cSubIndex, "256", 2063, 2072, ""},
      {cSubIndex, "", 2063, 2072, ""},
      {cNByte, "1", 0, 0, ""},
      {cNByte, "2", 0, 0, ""},
      {cNByte, "3", 2064, 2073, ""},
      {cNByte, "0", 2064, 2073, ""},
      {cNByte, "8", 2064, 2073, ""},
      {cPoll_Time, "0", 2065, 0, ""},
      {cPoll_Time, "1", 0, 0, ""},
      {cPoll_Time, "100000000", 0, 0, ""},
      {cPoll_Time, "100000001", 2065, 2074, ""},
      {cRead_Add_Byte1, "1499", 0, 0, ""},
      {cRead_Add_Byte1, "1500", 2066, 2075, "1499"},
      {cRead_Add_Byte1 + 1, "", 2067, 2076, "1499"},
      {cRead_Add_Byte1 + 2, "-1", 2068, 2077, "1499"},
      {cRead_Add_Byte1 + 3, "1500", 2069, 2078, "1499"},
      {cRead_Mnemonic, "", 0, 0, ""},
  };
  for (int Grid = 0; Grid < 2; ++Grid)
    for (const TCase &C : Cases) {
      SCOPED_TRACE(std::string(Grid ? "write " : "read ") + std::to_string(C.Col) + " \"" + C.Value + "\"");
      F->FormShow(nullptr);
      Fill_Valid(0, 1);
      Fill_Valid(1, 1);
      Fill_Valid(Grid, 2);
      // The write grid has On Change before the addresses.
      const int Col = Grid && C.Col >= cRead_Add_Byte1 ? C.Col + 1 : C.Col;
      G(Grid)->SetCells(Col, 2, QString::fromUtf8(C.Value));
      const int Message = Grid ? C.Write : C.Read;
      EXPECT_EQ(Check(), Message ? Error(2, Message, QString::fromUtf8(C.Suffix)) : QString());
    }
  // On Change is not checked.
  F->FormShow(nullptr);
  Fill_Valid(1, 1);
  G(1)->SetCells(cOn_Change, 1, "?");
  EXPECT_EQ(Check(), QString());
}

// N Byte 1 checks Add Byte1, 2 the first two, 4 all four; the rest is saved as it is.
TEST_F(SDOClientForm, NByteDecidesWhichAddressesAreChecked)
{
  const struct {
    int NByte;
    int Checked;
  } Cases[] = {{1, 1}, {2, 2}, {4, 4}};
  for (int Grid = 0; Grid < 2; ++Grid)
    for (const auto &C : Cases) {
      SCOPED_TRACE(std::to_string(Grid) + " N Byte " + std::to_string(C.NByte));
      F->FormShow(nullptr);
      Fill_Valid(Grid, 1);
      G(Grid)->SetCells(cNByte, 1, QString::number(C.NByte));
      for (int K = C.Checked + 1; K <= 4; ++K)
        G(Grid)->SetCells(Add_Byte1(Grid) + K - 1, 1, "abc");
      EXPECT_EQ(Check(), QString());
      G(Grid)->SetCells(Add_Byte1(Grid) + C.Checked - 1, 1, "1500");
      EXPECT_EQ(Check(), Error(1, (Grid ? 2075 : 2066) + C.Checked - 1, "1499"));
    }
}

TEST_F(SDOClientForm, AnEmptyIDDeviceInRow1LeavesTheReadTableUncheckedAndUnsaved)
{
  Fill(0, 2, {"bad"});
  Fill_Valid(1, 1);
  Fill_Valid(1, 2);
  G(1)->SetCells(cWrite_Add_Byte1, 2, "1500");
  EXPECT_EQ(Check(), Error(2, 2075, "1499"));
  EXPECT_EQ(Check(), "Error row 2!! [SDO Write] Address Byte1 must be between 0 and 1499");
  G(1)->SetCells(cWrite_Add_Byte1, 2, "7");
  Boxes.clear();
  F->Btn_OK_Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(ReadBytes(Path()),
            QByteArray("<SDO_Client_CANopen><SDO_Read/><SDO_Write>"
                       "<row Device_ID=\"6\" Index=\"0x2000\" SubIndex=\"0\" NByte=\"4\" Poll_Time=\"0\" On_Change=\"Y\" "
                       "Address_B1=\"10\" Address_B2=\"11\" Address_B3=\"12\" Address_B4=\"13\" Mnemonic=\"set\"/>"
                       "<row Device_ID=\"6\" Index=\"0x2000\" SubIndex=\"0\" NByte=\"4\" Poll_Time=\"0\" On_Change=\"Y\" "
                       "Address_B1=\"7\" Address_B2=\"11\" Address_B3=\"12\" Address_B4=\"13\" Mnemonic=\"set\"/>"
                       "</SDO_Write></SDO_Client_CANopen><!--SW_VERSION = 1.000-->\n"))
      << ReadBytes(Path()).toStdString();
}

TEST_F(SDOClientForm, FileHoldsTheUntrimmedCellsInColumnOrderAndLoadsBack)
{
  Fill(0, 1, {" 5", "4120", "$1", "1", "100", "3", "x", "", "", " a "});
  Fill(0, 2, {"127", "0x1018", "0", "2", "1", "4", "5", "", "", ""});
  F->Btn_OK_Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(ReadBytes(Path()),
            QByteArray("<SDO_Client_CANopen><SDO_Read>"
                       "<row Device_ID=\" 5\" Index=\"4120\" SubIndex=\"$1\" NByte=\"1\" Poll_Time=\"100\" "
                       "Address_B1=\"3\" Address_B2=\"x\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\" a \"/>"
                       "<row Device_ID=\"127\" Index=\"0x1018\" SubIndex=\"0\" NByte=\"2\" Poll_Time=\"1\" "
                       "Address_B1=\"4\" Address_B2=\"5\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/>"
                       "</SDO_Read><SDO_Write/></SDO_Client_CANopen><!--SW_VERSION = 1.000-->\n"))
      << ReadBytes(Path()).toStdString();
  F->FormShow(nullptr);
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_EQ(G(0)->Cells(cDevice_ID, 1), " 5");
  EXPECT_EQ(G(0)->Cells(cRead_Add_Byte1 + 1, 1), "x");
  EXPECT_EQ(G(0)->Cells(cRead_Mnemonic, 1), " a ");
  EXPECT_EQ(G(0)->Cells(cIndex, 2), "0x1018");
  EXPECT_EQ(G(0)->Cells(cDevice_ID, 3), "");

  // No defaults: a write row without On_Change ends the load.
  WriteBytes(Path(), "<SDO_Client_CANopen><SDO_Read/><SDO_Write><row Device_ID=\"1\" Index=\"0x1000\" SubIndex=\"0\" "
                     "NByte=\"1\" Poll_Time=\"0\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" "
                     "Mnemonic=\"\"/></SDO_Write></SDO_Client_CANopen>");
  Boxes.clear();
  F->FormShow(nullptr);
  EXPECT_FALSE(F->Load_Complete());
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(Boxes[0].Text.contains("no attribute \"On_Change\"")) << Boxes[0].Text.toStdString();
}

}  // namespace
