// The CAN receive and transmit frame forms: the checks (CobID by Type, the bytes within the
// Dimension, the transmit Time on its timer), the files with their defaults and the transmit Time
// decided by OnTimer, and where the forms depart from the common pattern.
#include "tables/freceivecan.h"
#include "tables/ftransmitcan.h"

#include "grid/core/column_grid.h"
#include "tests/tables/tables_fixture.h"

#include <map>

using namespace tablestest;

namespace {

namespace rx = cancols;
namespace tx = cantxcols;

class CANFormsTest : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().File_CAN_Rec_Frames = Dir.path() + QStringLiteral("/CAN_Rec_Frames.xml");
    AppState().File_CAN_Send_Frames = Dir.path() + QStringLiteral("/CAN_Send_Frames.xml");
    R = std::make_unique<TFReceiveCAN>(nullptr);
    R->AfterConstruction();
    R->FormShow(nullptr);
    T = std::make_unique<TFTransmitCAN>(nullptr);
    T->AfterConstruction();
    T->FormShow(nullptr);
  }
  // A row of either form that passes every check: an 11-bit frame of two bytes.
  static void Valid_Row(TZavStringGrid *G, int Row)
  {
    G->SetCells(rx::cCobID, Row, QStringLiteral("0x181"));
    G->SetCells(rx::cType, Row, QString::fromLatin1(CAN_Type_11_Bits));
    G->SetCells(rx::cDimension, Row, QStringLiteral("2"));
  }
  // The error box of one check of the form, or "" when the table passes.
  QString Check(TTableForm &Form)
  {
    Boxes.clear();
    const bool Ok = Form.Controllo_dati();
    EXPECT_EQ(Ok, Boxes.empty());
    return Boxes.empty() ? QString() : Boxes.back().Text;
  }
  std::unique_ptr<TFReceiveCAN> R;
  std::unique_ptr<TFTransmitCAN> T;
};

TEST_F(CANFormsTest, ReceiveChecksInOrderWithTheirBoundaries)
{
  const QString E = QStringLiteral("Error row 1!! ");
  const QString Cob11 = E + "CobID must be between 0 and 2047";
  const QString Cob29 = E + "CobID must be between 0x00000000 and 0x1FFFFFFF";
  const QString Dim = E + "Dimension must be between 1 and 8";
  const QString Time_Out = E + "TimeOut must be between 0 and 100000000 milliseconds";
  const char *B29 = "2.0B (29 bits)";
  const struct {
    std::map<int, const char *> Cells;
    QString Expected;
  } Cases[] = {
      {{}, ""},
      {{{rx::cCobID, "2047"}}, ""},
      {{{rx::cCobID, "$7FF"}}, ""},
      {{{rx::cCobID, "0x800"}}, Cob11},
      {{{rx::cCobID, "5 "}}, Cob11},
      {{{rx::cCobID, "-1"}}, Cob11},
      {{{rx::cCobID, "4000"}, {rx::cType, ""}}, ""},
      {{{rx::cCobID, "4000"}, {rx::cType, " 2.0A (11 bits) "}}, Cob11},
      {{{rx::cCobID, "0x1FFFFFFF"}, {rx::cType, B29}}, ""},
      {{{rx::cCobID, "536870912"}, {rx::cType, B29}}, Cob29},
      {{{rx::cCobID, "abc"}, {rx::cType, ""}}, Cob29},
      {{{rx::cDimension, "0"}}, Dim},
      {{{rx::cDimension, "9"}}, Dim},
      {{{rx::cDimension, ""}}, Dim},
      {{{rx::cDimension, "8"}}, ""},
      {{{rx::cTimeOut, ""}}, Time_Out},
      {{{rx::cTimeOut, "100000001"}}, Time_Out},
      {{{rx::cTimeOut, "100000000"}}, ""},
      // Bytes: positions 0..1499 or None, checked only within the Dimension.
      {{{rx::cByte1, "1500"}}, E + "Byte1 must be between 0 and 1499 or None"},
      {{{rx::cByte1, "1499"}, {rx::cByte1 + 1, "0"}}, ""},
      {{{rx::cByte1, "None"}, {rx::cByte1 + 1, " None "}}, ""},
      {{{rx::cByte1 + 1, "x"}}, E + "Byte2 must be between 0 and 1499 or None"},
      {{{rx::cByte1 + 2, "1500"}}, ""},
      {{{rx::cDimension, "3"}, {rx::cByte1 + 2, "1500"}}, E + "Byte3 must be between 0 and 1499 or None"},
      {{{rx::cDimension, "8"}, {rx::cByte1 + 7, "-1"}}, E + "Byte8 must be between 0 and 1499 or None"},
      // The Enable test is trimmed and upper-cased; a disabled row is not checked.
      {{{rx::cEnable, " y "}, {rx::cDimension, "0"}}, Dim},
      {{{rx::cEnable, "N"}, {rx::cCobID, "x"}, {rx::cDimension, "0"}, {rx::cTimeOut, ""}}, ""},
      {{{rx::cMnemonic, "<anything>"}}, ""},
  };
  for (const auto &C : Cases) {
    R->FormShow(nullptr);
    TZavStringGrid *G = R->ACG_CAN_Receive;
    Valid_Row(G, 1);
    G->SetCells(rx::cTimeOut, 1, QStringLiteral("0"));
    QString Cells;
    for (const auto &[Col, Text] : C.Cells) {
      G->SetCells(Col, 1, QString::fromUtf8(Text));
      Cells += QStringLiteral("%1=%2 ").arg(Col).arg(Text);
    }
    EXPECT_EQ(Check(*R), C.Expected) << Cells.toStdString();
  }
}

TEST_F(CANFormsTest, TransmitChecksTimeOnlyOnItsTimerAndBytesUpTo1799)
{
  const QString E = QStringLiteral("Error row 1!! ");
  const QString Time = E + "Time must be between 0 and 100000000 milliseconds";
  const struct {
    std::map<int, const char *> Cells;
    QString Expected;
  } Cases[] = {
      {{}, ""},
      {{{tx::cCobID, "2048"}}, E + "CobID must be between 0 and 2047"},
      {{{tx::cCobID, "0x20000000"}, {tx::cType, "2.0B (29 bits)"}}, E + "CobID must be between 0x00000000 and 0x1FFFFFFF"},
      {{{tx::cDimension, "9"}}, E + "Dimension must be between 1 and 8"},
      {{{tx::cOnTimer, "N"}, {tx::cTime, "abc"}}, ""},
      {{{tx::cOnTimer, "Y"}, {tx::cTime, ""}}, Time},
      {{{tx::cOnTimer, " y"}, {tx::cTime, "100000001"}}, Time},
      {{{tx::cOnTimer, "Y"}, {tx::cTime, "0"}}, ""},
      {{{tx::cOnTimer, "Y"}, {tx::cTime, "100000000"}}, ""},
      {{{tx::cByte1, "1799"}}, ""},
      {{{tx::cByte1, "1800"}}, E + "Byte1 must be between 0 and 1799 or None"},
      {{{tx::cDimension, "1"}, {tx::cByte1 + 1, "1800"}}, ""},
      {{{tx::cByte1 + 1, "$708"}}, E + "Byte2 must be between 0 and 1799 or None"},
      // Every sending option off is no fault.
      {{{tx::cOnChange, "N"}, {tx::cOnCMD, "N"}, {tx::cOnTimer, "N"}}, ""},
  };
  for (const auto &C : Cases) {
    T->FormShow(nullptr);
    TZavStringGrid *G = T->ACG_CAN_Transmit;
    Valid_Row(G, 1);
    QString Cells;
    for (const auto &[Col, Text] : C.Cells) {
      G->SetCells(Col, 1, QString::fromUtf8(Text));
      Cells += QStringLiteral("%1=%2 ").arg(Col).arg(Text);
    }
    EXPECT_EQ(Check(*T), C.Expected) << Cells.toStdString();
  }
}

TEST_F(CANFormsTest, ChecksAndSaveStopAtTheFirstBlankCobID)
{
  TZavStringGrid *G = R->ACG_CAN_Receive;
  // An empty table passes and saves the root and the comment only.
  R->Btn_OKClick(nullptr);
  EXPECT_EQ(R->ModalResult(), mrOk);
  EXPECT_EQ(testsupport::ReadBytes(AppState().File_CAN_Rec_Frames),
            QByteArray("<Receive_Frames/><!--SW_VERSION = 1.000-->\n"));

  R->SetModalResult(mrNone);
  Valid_Row(G, 1);
  G->SetCells(rx::cTimeOut, 1, QStringLiteral("0"));
  G->SetCells(rx::cCobID, 2, QStringLiteral(" "));
  G->SetCells(rx::cDimension, 2, QStringLiteral("0"));
  G->SetCells(rx::cCobID, 3, QStringLiteral("99999"));
  EXPECT_EQ(Check(*R), "");
  R->Btn_OKClick(nullptr);
  EXPECT_EQ(R->ModalResult(), mrOk);
  R->FormShow(nullptr);
  EXPECT_EQ(G->Cells(rx::cCobID, 1), "0x181");
  EXPECT_EQ(G->Cells(rx::cCobID, 3), "");
}

TEST_F(CANFormsTest, FilesHoldTheCellsAsTypedInTheirOrderAndLoadBack)
{
  TZavStringGrid *G = R->ACG_CAN_Receive;
  Valid_Row(G, 1);
  G->SetCells(rx::cTimeOut, 1, QStringLiteral(" 50"));
  G->SetCells(rx::cEnable, 1, QStringLiteral("N"));  // saved unchecked, invalid values kept
  G->SetCells(rx::cByte1, 1, QStringLiteral("None"));
  G->SetCells(rx::cByte1 + 1, 1, QStringLiteral("7"));
  G->SetCells(rx::cMnemonic, 1, QStringLiteral("a\r\nb\t\"c\""));
  R->Btn_OKClick(nullptr);
  ASSERT_EQ(R->ModalResult(), mrOk) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(testsupport::ReadBytes(AppState().File_CAN_Rec_Frames),
            QByteArray("<Receive_Frames><row Enable=\"N\" COBID=\"0x181\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" "
                       "TimeOut=\" 50\" Byte1=\"None\" Byte2=\"7\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\" "
                       "Byte7=\"\" Byte8=\"\" Mnemonic=\"a&#13;&#10;b&#09;&quot;c&quot;\"/>"
                       "</Receive_Frames><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(AppState().File_CAN_Rec_Frames).toStdString();
  R->FormShow(nullptr);
  EXPECT_EQ(G->Cells(rx::cTimeOut, 1), " 50");
  EXPECT_EQ(G->Cells(rx::cMnemonic, 1), "a\r\nb\t\"c\"");
  EXPECT_EQ(G->Cells(rx::cEnable, 1), "N");

  TZavStringGrid *H = T->ACG_CAN_Transmit;
  Valid_Row(H, 1);
  H->SetCells(tx::cOnChange, 1, QStringLiteral("N"));
  H->SetCells(tx::cOnCMD, 1, QStringLiteral("Y"));
  H->SetCells(tx::cOnTimer, 1, QStringLiteral("Y"));
  H->SetCells(tx::cTime, 1, QStringLiteral("100"));
  H->SetCells(tx::cByte1 + 7, 1, QStringLiteral("1799"));
  H->SetCells(tx::cMnemonic, 1, QStringLiteral("m"));
  T->Btn_OKClick(nullptr);
  ASSERT_EQ(T->ModalResult(), mrOk) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(testsupport::ReadBytes(AppState().File_CAN_Send_Frames),
            QByteArray("<Transmit_Frames><row Enable=\"Y\" COBID=\"0x181\" CAN_Type=\"2.0A (11 bits)\" Dim=\"2\" "
                       "OnChange=\"N\" OnCMD=\"Y\" OnTimer=\"Y\" Time=\"100\" Byte1=\"\" Byte2=\"\" Byte3=\"\" "
                       "Byte4=\"\" Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"1799\" Mnemonic=\"m\"/>"
                       "</Transmit_Frames><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(AppState().File_CAN_Send_Frames).toStdString();
}

TEST_F(CANFormsTest, MissingAttributesTakeTheirDefaultsAndTheTransmitTimeFollowsOnTimer)
{
  testsupport::WriteBytes(AppState().File_CAN_Rec_Frames,
                          "<Receive_Frames><row COBID=\"1\"/><row COBID=\"2\" Enable=\"N\" TimeOut=\"\"/>"
                          "</Receive_Frames><!--SW_VERSION = 1.000-->\n");
  R->FormShow(nullptr);
  TZavStringGrid *G = R->ACG_CAN_Receive;
  const struct {
    int Col;
    const char *Row1, *Row2;
  } Receive[] = {{rx::cEnable, "Y", "N"}, {rx::cCobID, "1", "2"}, {rx::cType, "", ""}, {rx::cTimeOut, "0", ""},
                 {rx::cByte1, "", ""}, {rx::cMnemonic, "", ""}};
  for (const auto &C : Receive) {
    EXPECT_EQ(G->Cells(C.Col, 1), C.Row1) << C.Col;
    EXPECT_EQ(G->Cells(C.Col, 2), C.Row2) << C.Col;
  }
  EXPECT_TRUE(Boxes.empty());

  testsupport::WriteBytes(AppState().File_CAN_Send_Frames,
                          "<Transmit_Frames><row COBID=\"1\"/><row COBID=\"2\" OnTimer=\"Y\"/>"
                          "<row COBID=\"3\" OnTimer=\"y\"/><row COBID=\"4\" OnTimer=\"Y\" Time=\"\"/></Transmit_Frames>");
  T->FormShow(nullptr);
  TZavStringGrid *H = T->ACG_CAN_Transmit;
  const struct {
    int Row;
    const char *Type, *OnChange, *OnCMD, *OnTimer, *Time;
  } Transmit[] = {{1, "2.0A (11 bits)", "Y", "N", "N", ""},
                  {2, "2.0A (11 bits)", "Y", "N", "Y", "0"},
                  {3, "2.0A (11 bits)", "Y", "N", "y", ""},
                  {4, "2.0A (11 bits)", "Y", "N", "Y", ""}};
  for (const auto &C : Transmit) {
    SCOPED_TRACE(C.Row);
    EXPECT_EQ(H->Cells(tx::cType, C.Row), C.Type);
    EXPECT_EQ(H->Cells(tx::cOnChange, C.Row), C.OnChange);
    EXPECT_EQ(H->Cells(tx::cOnCMD, C.Row), C.OnCMD);
    EXPECT_EQ(H->Cells(tx::cOnTimer, C.Row), C.OnTimer);
    EXPECT_EQ(H->Cells(tx::cTime, C.Row), C.Time);
  }
  // Rows the file does not mention keep the reset.
  EXPECT_EQ(H->Cells(tx::cType, 5), "");
  EXPECT_TRUE(Boxes.empty());
}

// A row without a COBID would end the table at the next OK and drop every row below it: the
// load stops there and says so, and OK asks before replacing the file. A damaged file likewise.
TEST_F(CANFormsTest, AFileThatWouldLoseRowsIsReportedAndOkAsksBeforeReplacingIt)
{
  const struct {
    const char *Name;
    QByteArray Xml;
    const char *Row1_CobID;
  } Cases[] = {
      {"row without COBID", "<Receive_Frames><row COBID=\"1\"/><row Dim=\"2\"/><row COBID=\"3\"/></Receive_Frames>", "1"},
      {"damaged", "<Receive_Frames><row COBID=\"1\"/><row", ""},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Name);
    testsupport::WriteBytes(AppState().File_CAN_Rec_Frames, C.Xml);
    Boxes.clear();
    R->FormShow(nullptr);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Type, mtError);
    EXPECT_TRUE(Boxes[0].Text.contains("CAN_Rec_Frames.xml")) << Boxes[0].Text.toStdString();
    EXPECT_FALSE(R->Load_Complete());
    EXPECT_EQ(R->ACG_CAN_Receive->Cells(rx::cCobID, 1), C.Row1_CobID);
    EXPECT_EQ(R->ACG_CAN_Receive->Cells(rx::cCobID, 3), "");
    Answers = {mrNo};
    R->SetModalResult(mrNone);
    R->Btn_OKClick(nullptr);
    EXPECT_EQ(R->ModalResult(), mrNone);
    EXPECT_EQ(testsupport::ReadBytes(AppState().File_CAN_Rec_Frames), C.Xml);
  }
}

TEST_F(CANFormsTest, GridsColumnsAndEventsOfBothForms)
{
  const struct {
    TTableForm *Form;
    TZavColumnGrid *Grid;
    int Cols, Byte1, Last_Position, Width;
    const char *Caption, *Hint1, *Hint_Last;
  } Cases[] = {
      {R.get(), R->ACG_CAN_Receive, rx::cCount, rx::cByte1, 1499, 1010, "Receive CAN Frames Set Access",
       "Enable or Disable the Rule for CAN Receive", "Insert a description of the CAN Frame"},
      {T.get(), T->ACG_CAN_Transmit, tx::cCount, tx::cByte1, 1799, 1100, "Transmit CAN Frames Set Access",
       "Enable or Disable the Rule for CAN Transmit", "Insert a description of the CAN Frame"},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Caption);
    EXPECT_EQ(C.Form->Caption(), C.Caption);
    EXPECT_EQ(C.Form->ClientWidth(), C.Width);
    EXPECT_EQ(C.Grid->ColCount(), C.Cols);
    EXPECT_EQ(C.Grid->RowCount(), 513);
    EXPECT_EQ(C.Form->Data_Size(0), C.Last_Position + 1);
    for (int K = 0; K < 8; ++K) {
      TStringList *Items = C.Grid->Columns()->Items(C.Byte1 + K)->ComboItems();
      ASSERT_EQ(Items->Count(), C.Last_Position + 2);
      EXPECT_EQ(Items->Strings(0), "None");
      EXPECT_EQ(Items->Strings(1), "0");
      EXPECT_EQ(Items->Strings(C.Last_Position + 1), QString::number(C.Last_Position));
    }
    // Header hints only; any other cell's hint is emptied.
    QString Hint = QStringLiteral("grid's own");
    C.Form->GridHint(C.Grid, 0, 1, Hint);
    EXPECT_EQ(Hint, C.Hint1);
    C.Form->GridHint(C.Grid, 0, C.Cols - 1, Hint);
    EXPECT_EQ(Hint, C.Hint_Last);
    Hint = QStringLiteral("grid's own");
    C.Form->GridHint(C.Grid, 2, 1, Hint);
    EXPECT_EQ(Hint, "");
    // A click in column 0 selects nothing.
    C.Grid->SetRowEx(3);
    C.Form->ClickCell(C.Grid, 1, 0);
    EXPECT_EQ(C.Grid->GetRowEx(), 3);
    // Insert Row gives an enabled empty row; Delete Row asks first.
    Valid_Row(C.Grid, 3);
    C.Form->Btn_InsRowClick(nullptr);
    EXPECT_EQ(C.Grid->Cells(rx::cEnable, 3), "Y");
    EXPECT_EQ(C.Grid->Cells(rx::cCobID, 3), "");
    EXPECT_EQ(C.Grid->Cells(rx::cCobID, 4), "0x181");
    Boxes.clear();
    Answers = {mrYes};
    C.Form->Btn_DelRowClick(nullptr);
    EXPECT_EQ(Box_Texts(), QStringList{"Are you sure to delete the Row number 3"});
    EXPECT_EQ(C.Grid->Cells(rx::cCobID, 3), "0x181");
  }
  EXPECT_EQ(T->ACG_CAN_Transmit->Columns()->Items(tx::cOnCMD)->Header(), "OnCMD");
  EXPECT_EQ(T->ACG_CAN_Transmit->Columns()->Items(tx::cMnemonic)->Width(), 110);
  EXPECT_EQ(R->ACG_CAN_Receive->Columns()->Items(rx::cTimeOut)->Header(), "TimeOut");
}

TEST(CANCheckHelpers, ByteCheckedWithinTheDimensionAndNotForNone)
{
  const struct {
    const char *Dimension;
    int K;
    const char *Byte;
    bool Checked;
  } Cases[] = {{"2", 2, "5", true},   {"2", 3, "5", false},   {"8", 8, "", false},   {"8", 8, " None", false},
               {"8", 8, "none", true}, {"x", 1, "5", false}, {"$8", 8, "0", true}};
  for (const auto &C : Cases)
    EXPECT_EQ(cancheck::Byte_Checked(C.Dimension, C.K, C.Byte), C.Checked) << C.Dimension << " " << C.K << " " << C.Byte;
  EXPECT_TRUE(cancheck::Is_11_Bits(" 2.0A (11 bits)"));
  EXPECT_FALSE(cancheck::Is_11_Bits("2.0a (11 bits)"));
  EXPECT_EQ(cancheck::Missing_Time("Y"), "0");
  EXPECT_EQ(cancheck::Missing_Time(" Y"), "");
  EXPECT_TRUE(cancheck::On_Timer(" y "));
}

}  // namespace
