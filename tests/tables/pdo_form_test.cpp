// The CANopen PDO form: its checks on OK with every message and boundary, the address checks
// gated by Dimension, the walk to the first blank COB-ID, and its table file.
#include "tests/tables/canopen_fixture.h"

using namespace pdocols;
using namespace tablestest;

namespace {

class PDOForm : public CANopenFormTest<TPDO_Traits> {
protected:
  // A row that passes every check.
  void Fill_Valid(int Grid, int Row)
  {
    if (Grid == 0)
      Fill(0, Row, {"0x181", "8", "0", "1", "2", "3", "4", "5", "6", "7", "100", "rx"});
    else
      Fill(1, Row, {"0x201", "8", "10", "11", "12", "13", "14", "15", "16", "17", "1000", "N", "tx"});
  }
};

TEST_F(PDOForm, EachCellFaultFailsWithItsMessageInBothTables)
{
  struct TCase {
    int Col;
    const char *Value;
    int Receive, Transmit;  // message; 0: passes, -1: not that grid's column
    const char *Suffix;
  } Cases[] = {
      {cCOB_ID, "2047", 0, 0, ""},
      {cCOB_ID, "0x7FF", 0, 0, ""},
      {cCOB_ID, "$7FF", 0, 0, ""},
      {cCOB_ID, "x7FF", 0, 0, ""},
      {cCOB_ID, "0", 0, 0, ""},
      {cCOB_ID, " 12", 0, 0, ""},
      {cCOB_ID, "2048", 1969, 1980, ""},
      {cCOB_ID, "0x800", 1969, 1980, ""},
      {cCOB_ID, "-1", 1969, 1980, ""},
      {cCOB_ID, "abc", 1969, 1980, ""},
      {cCOB_ID, "12 ", 1969, 1980, ""},
      {cCOB_ID, "99999999999", 1969, 1980, ""},
      {cDimension, "1", 0, 0, ""},
      {cDimension, "0", 1970, 1981, ""},
      {cDimension, "9", 1970, 1981, ""},
      {cDimension, "", 1970, 1981, ""},
      {cAdd_B1, "1499", 0, 0, ""},
      {cAdd_B1, "$5DB", 0, 0, ""},
      {cAdd_B1, "1500", 1971, 1982, "1499"},
      {cAdd_B1, "-1", 1971, 1982, "1499"},
      {cAdd_B1 + 1, "", 1972, 1983, "1499"},
      {cAdd_B1 + 2, "x", 1973, 1984, "1499"},
      {cAdd_B1 + 3, "1500", 1974, 1985, "1499"},
      {cAdd_B1 + 4, "1500", 1975, 1986, "1499"},
      {cAdd_B1 + 5, "1500", 1976, 1987, "1499"},
      {cAdd_B1 + 6, "1500", 1977, 1988, "1499"},
      {cAdd_B8, "1500", 1978, 1989, "1499"},
      {cTimeOut, "0", 0, -1, ""},
      {cTimeOut, "65535", 0, -1, ""},
      {cTimeOut, "65536", 1979, -1, ""},
      {cTimeOut, "", 1979, -1, ""},
      {cSend_Time, "0", -1, 0, ""},
      {cSend_Time, "100000000", -1, 0, ""},
      {cSend_Time, "100000001", -1, 1990, ""},
      {cSend_Time, "", -1, 1990, ""},
      {cOn_Change, "", -1, 0, ""},
      {cOn_Change, "maybe", -1, 0, ""},
      {cRec_Mnemonic, "", 0, -1, ""},
      {cTra_Mnemonic, "", -1, 0, ""},
  };
  for (int Grid = 0; Grid < 2; ++Grid)
    for (const TCase &C : Cases) {
      const int Message = Grid ? C.Transmit : C.Receive;
      if (Message < 0)
        continue;
      SCOPED_TRACE(std::string(Grid ? "transmit " : "receive ") + std::to_string(C.Col) + " \"" + C.Value + "\"");
      F->FormShow(nullptr);
      Fill_Valid(0, 1);
      Fill_Valid(1, 1);
      Fill_Valid(Grid, 2);
      G(Grid)->SetCells(C.Col, 2, QString::fromUtf8(C.Value));
      EXPECT_EQ(Check(), Message ? Error(2, Message, QString::fromUtf8(C.Suffix)) : QString());
    }
}

// Only the addresses up to the row's Dimension are checked; the others are saved as they are.
TEST_F(PDOForm, DimensionDecidesWhichAddressesAreChecked)
{
  for (int Grid = 0; Grid < 2; ++Grid)
    for (int Dimension = 1; Dimension <= 8; ++Dimension) {
      SCOPED_TRACE(std::to_string(Grid) + " dimension " + std::to_string(Dimension));
      F->FormShow(nullptr);
      Fill_Valid(Grid, 1);
      G(Grid)->SetCells(cDimension, 1, QString::number(Dimension));
      for (int K = Dimension + 1; K <= 8; ++K)
        G(Grid)->SetCells(cAdd_B1 + K - 1, 1, "abc");
      EXPECT_EQ(Check(), QString());
      G(Grid)->SetCells(cAdd_B1 + Dimension - 1, 1, "1500");
      EXPECT_EQ(Check(), Error(1, (Grid ? 1981 : 1970) + Dimension, "1499"));
    }
  // Dimension 3 with abc in Add B4 passes and is saved so.
  F->FormShow(nullptr);
  Fill_Valid(0, 1);
  G(0)->SetCells(cDimension, 1, "3");
  G(0)->SetCells(cAdd_B1 + 3, 1, "abc");
  F->Btn_OK_Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(ReadBytes(Path()).contains("Address_B4=\"abc\""));
}

TEST_F(PDOForm, EachTableIsWalkedToItsFirstBlankCOBIDAndTheReceiveTableFirst)
{
  // Row 1 of the receive table blank: rows 2 to 5 are neither checked nor saved.
  for (int R = 2; R <= 5; ++R)
    Fill(0, R, {"bad"});
  Fill_Valid(1, 1);
  Fill_Valid(1, 2);
  G(1)->SetCells(cCOB_ID, 3, " \t");
  Fill(1, 4, {"bad"});
  EXPECT_EQ(Check(), QString());
  G(1)->SetCells(cSend_Time, 2, "x");
  EXPECT_EQ(Check(), Error(2, 1990));
  // An error of the receive table hides the transmit table's.
  Fill_Valid(0, 1);
  Fill_Valid(0, 2);
  G(0)->SetCells(cCOB_ID, 3, "");
  G(0)->SetCells(cTimeOut, 1, "-5");
  EXPECT_EQ(Check(), Error(1, 1979));
  G(0)->SetCells(cTimeOut, 1, "5");
  G(1)->SetCells(cSend_Time, 2, "7");
  // The same COB-ID and array positions twice, and in both tables: accepted.
  G(1)->SetCells(cCOB_ID, 1, "0x181");
  G(1)->SetCells(cAdd_B1, 1, "0");
  EXPECT_EQ(Check(), QString());

  Boxes.clear();
  F->Btn_OK_Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  F->FormShow(nullptr);
  EXPECT_EQ(G(0)->Cells(cCOB_ID, 2), "0x181");
  EXPECT_EQ(G(0)->Cells(cCOB_ID, 4), "");  // the rows below the blank key are gone
  EXPECT_EQ(G(1)->Cells(cCOB_ID, 2), "0x201");
  EXPECT_EQ(G(1)->Cells(cCOB_ID, 4), "");
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join('|').toStdString();
}

TEST_F(PDOForm, FileHoldsTheUntrimmedCellsInColumnOrderAndLoadsBack)
{
  Fill(0, 1, {" 12", "2", "0", "1", "abc", "", "", "", "", "", "100", " rx <1> "});
  Fill(1, 1, {"$201", "1", "5", "", "", "", "", "", "", "", "0", "", "tx"});  // On Change never touched
  Fill(1, 2, {"x202", "1", "6", "", "", "", "", "", "", "", "10", "Y", "line 1\r\nline 2"});
  F->Btn_OK_Click(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join('|').toStdString();
  const QByteArray Expected =
      "<PDO_CANopen><Receive_PDO>"
      "<row COB-ID=\" 12\" Dimension=\"2\" Address_B1=\"0\" Address_B2=\"1\" Address_B3=\"abc\" Address_B4=\"\" "
      "Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"100\" Mnemonic=\" rx &lt;1> \"/>"
      "</Receive_PDO><Transmit_PDO>"
      "<row COB-ID=\"$201\" Dimension=\"1\" Address_B1=\"5\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" "
      "Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" Send_Time=\"0\" On_Change=\"\" Mnemonic=\"tx\"/>"
      "<row COB-ID=\"x202\" Dimension=\"1\" Address_B1=\"6\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" "
      "Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" Send_Time=\"10\" On_Change=\"Y\" "
      "Mnemonic=\"line 1&#13;&#10;line 2\"/>"
      "</Transmit_PDO></PDO_CANopen><!--SW_VERSION = 1.000-->\n";
  EXPECT_EQ(ReadBytes(Path()), Expected) << ReadBytes(Path()).toStdString();

  F->FormShow(nullptr);
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_EQ(G(0)->Cells(cCOB_ID, 1), " 12");
  EXPECT_EQ(G(0)->Cells(cAdd_B1 + 2, 1), "abc");
  EXPECT_EQ(G(0)->Cells(cRec_Mnemonic, 1), " rx <1> ");
  EXPECT_EQ(G(1)->Cells(cOn_Change, 1), "");
  EXPECT_EQ(G(1)->Cells(cOn_Change, 2), "Y");
  EXPECT_EQ(G(1)->Cells(cTra_Mnemonic, 2), "line 1\r\nline 2");
  EXPECT_EQ(G(1)->Cells(0, 2), "2");
  EXPECT_EQ(G(0)->Cells(cCOB_ID, 2), "");

  // Both sections empty: the root, its two empty sections and the comment.
  F->FormShow(nullptr);
  G(0)->SetCells(cCOB_ID, 1, "");
  G(1)->SetCells(cCOB_ID, 1, " ");
  F->Btn_OK_Click(nullptr);
  EXPECT_EQ(ReadBytes(Path()), QByteArray("<PDO_CANopen><Receive_PDO/><Transmit_PDO/></PDO_CANopen>"
                                          "<!--SW_VERSION = 1.000-->\n"));
}

// No attribute has a default: a row without one ends the load there, as does a damaged file;
// the user is told, and OK asks before replacing the file.
TEST_F(PDOForm, ARowWithoutAnAttributeOrADamagedFileEndsTheLoad)
{
  const QByteArray Row1 = "<row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" "
                          "Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" "
                          "Mnemonic=\"\"/>";
  struct TCase {
    const char *Name;
    QByteArray Xml;
    const char *Reason;
  } Cases[] = {
      {"no Mnemonic", "<PDO_CANopen><Receive_PDO>" + Row1 + "<row COB-ID=\"2\" Dimension=\"1\" Address_B1=\"0\" "
                      "Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" "
                      "Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\"/></Receive_PDO><Transmit_PDO/></PDO_CANopen>",
       "no attribute \"Mnemonic\""},
      {"transmit row without On_Change",
       "<PDO_CANopen><Receive_PDO>" + Row1 + "</Receive_PDO><Transmit_PDO><row COB-ID=\"2\" Dimension=\"1\" "
       "Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" "
       "Address_B7=\"\" Address_B8=\"\" Send_Time=\"0\" Mnemonic=\"\"/></Transmit_PDO></PDO_CANopen>",
       "no attribute \"On_Change\""},
      {"damaged", "<PDO_CANopen><Receive_PDO>" + Row1 + "<row COB-ID=", "PDO_CANopen.xml"},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    Boxes.clear();
    WriteBytes(Path(), C.Xml);
    F->FormShow(nullptr);
    EXPECT_FALSE(F->Load_Complete());
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_TRUE(Boxes[0].Text.contains(QString::fromUtf8(C.Reason))) << Boxes[0].Text.toStdString();
    if (QByteArray(C.Name) != "damaged")
      EXPECT_EQ(G(0)->Cells(cCOB_ID, 1), "1");  // the rows read until then stay
    Boxes.clear();
    Answers = {mrNo};
    F->SetModalResult(mrNone);
    F->Btn_OK_Click(nullptr);
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_EQ(ReadBytes(Path()), C.Xml);
  }
}

}  // namespace
