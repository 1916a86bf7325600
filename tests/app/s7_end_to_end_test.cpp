// The S7 access tables on the main road: rows typed into both grids, OK, then "Update Device";
// bank 2 carries exactly those rows.
#include "tables/fs7_protocol_set_access.h"
#include "tests/app/table_forms_support.h"
#include "ui/lbbutton.h"

using namespace shelltest;
using namespace s7cols;

namespace {

TEST_F(TableFormsEndToEnd, S7RowsTypedIntoTheFormReachBank2)
{
  Start_New_Project("Plant S7");
  TFS7_Protocol_Set_Access *F = FS7_Protocol_Set_Access;
  Modal_Actions["FS7_Protocol_Set_Access"] = [this, F](TCustomForm *) {
    SimProcess();
    TZavColumnGrid *R = F->ACG_S7_Read;
    // OK with a row begun: the first fault is shown and the form stays open.
    Enter_Cell(R, cPLC_Address, "192.168.1.10");
    Click(F->Btn_OK);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Error row 1!! [S7comm Read] PLC Port must be between 0 and 65535");
    EXPECT_EQ(F->ModalResult(), mrNone);
    Boxes.clear();
    const struct {
      int Col;
      const char *Text;
    } Read_Row[] = {{cPLC_Address, "192.168.1.10"}, {cPLC_Port, "102"}, {cPLC_Type, "S71500"}, {cRack, "0"},
                    {cSlot, "1"}, {cData_Type, "Int"}, {cData_Identifier, "DB"}, {cDB_Number, "5"},
                    {cPLC_Area, "Inputs (I)"}, {cPLC_Add, "8"}, {cPLC_Bit, "0"}, {cPoll_Time, "1000"},
                    {cRead_Position, "12"}, {cRead_Start_Bit, "3"}, {cRead_Mnemonic, "pump"}};
    for (const auto &C : Read_Row) {
      Enter_Cell(R, C.Col, QString::fromUtf8(C.Text));
      EXPECT_EQ(R->Cells(C.Col, 1).toStdString(), C.Text) << C.Col;
    }
    Click_Cell(R, cRead_Swap, 1);
    EXPECT_EQ(R->Cells(cRead_Swap, 1), "Y");

    Click_Tab(F->PageControl1, 1);
    ASSERT_EQ(F->PageControl1->ActivePage(), F->TS_S7_Write);
    TZavColumnGrid *W = F->ACG_S7_Write;
    const struct {
      int Col;
      const char *Text;
    } Write_Row[] = {{cPLC_Address, "10.0.0.2"}, {cPLC_Port, "102"}, {cPLC_Type, "S7300"}, {cRack, "0"},
                     {cSlot, "2"}, {cData_Type, "Word"}, {cData_Identifier, "DB"}, {cDB_Number, "7"},
                     {cPLC_Area, "Output (Q)"}, {cPLC_Add, "16"}, {cPLC_Bit, "1"}, {cPoll_Time, "0"},
                     {cWrite_Position, "20"}, {cWrite_Start_Bit, "0"}};
    for (const auto &C : Write_Row) {
      Enter_Cell(W, C.Col, QString::fromUtf8(C.Text));
      EXPECT_EQ(W->Cells(C.Col, 1).toStdString(), C.Text) << C.Col;
    }
    Click_Cell(W, cOn_Change, 1);
    EXPECT_EQ(W->Cells(cOn_Change, 1), "Y");
    GrabToPng(F, testsupport::OutputDir() + "/s7_form_write.png");
    Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrOk);
  };
  Click(FQuillomarkeFirmWare->Btn_S7_Protocol_Access);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Project + "/S7_Protocol.xml"));

  Update_Device();
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();

  // Bank 2: 1024 entries of 28 bytes, the enabled read rows first, then the write rows.
  TLEBytes Expected;
  Expected.U32(0xC0A8010A).U32(1000).U16(8).U16(5).U16(102).U16(12).U16(0)  // 192.168.1.10
      .U8(3).U8(40).U8(5).U8(10).U8(0).U8(0x04).U8(0).U8(0x81).U8(0 * 32 + 1).U8(0);
  Expected.U32(0x0A000002).U32(0).U16(16).U16(7).U16(102).U16(20).U16(0)  // 10.0.0.2
      .U8(0).U8(10).U8(4).U8(10).U8(0).U8(0x20 | 0x01).U8(1).U8(0x82).U8(0 * 32 + 2).U8(0);
  Expected.Bytes.append(QByteArray(28 * (1024 - 2), '\0'));
  const QByteArray Bank2 = Bank(2);
  ASSERT_EQ(Bank2.size(), Expected.Bytes.size());
  EXPECT_EQ(Bank2.left(56).toHex(' '), Expected.Bytes.left(56).toHex(' '));
  EXPECT_EQ(Bank2, Expected.Bytes);
  // Bank 1 counts the entries.
  const QByteArray Bank1 = Bank(1);
  ASSERT_GE(Bank1.size(), 0x65C);
  EXPECT_EQ(Bank1.mid(0x658, 4), QByteArray::fromHex("02000000"));
}

}  // namespace
