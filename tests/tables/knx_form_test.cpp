// The KNX access form: its checks (every message, the length bound by bit mode and extension,
// the position sum bounded by the size), its file and its departures from the common pattern.
#include "tables/fknx_access.h"
#include "tests/tables/tables_fixture.h"

#include "framework/system/paths.h"

using namespace knxcols;
using namespace tablestest;

namespace {

class KNXForm : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().File_KNX_SetAccess = Dir.path() + QStringLiteral("/KNX_SetAccess.xml");
    F = std::make_unique<TFKNXAccess>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
    G = F->Grid(0);
  }
  // A row that passes every check.
  void Fill(int Row)
  {
    const QStringList Cells = {"Y", "1.1.20", "1/2/3", "Write", "Normal", "None", "N", "N", "N", "Y", "N", "",
                               "10", "No", "2", "lamp"};
    for (int C = 0; C < Cells.size(); ++C)
      G->SetCells(C + 1, Row, Cells[C]);
  }
  QString Check()
  {
    Boxes.clear();
    const bool Passed = F->Controllo_dati();
    EXPECT_EQ(Passed, Boxes.empty());
    return Boxes.empty() ? QString() : Boxes[0].Text;
  }
  static QString Error(int Message, const QString &Suffix = QString())
  {
    return Lang_Text(1448) + QStringLiteral("2") + Lang_Text(Message) + Suffix;
  }
  QString Path() const { return AppState().File_KNX_SetAccess; }

  std::unique_ptr<TFKNXAccess> F;
  TZavStringGrid *G = nullptr;
};

TEST_F(KNXForm, EveryCheckFailsWithItsMessageAtItsBoundaries)
{
  struct TCase {
    std::vector<std::pair<int, const char *>> Cells;  // changes to the passing row 2
    int Message;                                      // 0: passes
    const char *Suffix;
  } Cases[] = {
      {{{cSource, "0.0.0"}}, 0, ""},
      {{{cSource, " 1.1.20 "}}, 0, ""},
      {{{cSource, "16.1.1"}}, 1449, ""},
      {{{cSource, "1/2/3"}}, 1449, ""},
      {{{cSource, "65535"}}, 0, ""},
      {{{cDest, "0/0"}}, 1451, ""},
      {{{cDest, "0/0/0"}}, 1451, ""},
      {{{cDest, "31/2047"}}, 0, ""},
      {{{cDest, "32/0"}}, 1451, ""},
      {{{cDest, "1/8/0"}}, 1451, ""},
      {{{cDest, ""}}, 1451, ""},
      {{{cDest, "1.1.20"}}, 0, ""},
      {{{cDest, "0.0.0"}}, 0, ""},
      {{{cDest, "1.1/20"}}, 1450, ""},
      {{{cDest, "65535"}}, 0, ""},
      {{{cDest, "0"}}, 1451, ""},
      {{{cAPCI, "read"}}, 0, ""},
      {{{cAPCI, "1023"}}, 0, ""},
      {{{cAPCI, "1024"}}, 1452, ""},
      {{{cAPCI, "-1"}}, 1452, ""},
      {{{cAPCI, "Rd"}}, 1452, ""},
      {{{cAPCI, ""}}, 1452, ""},
      {{{cPriority, "normal"}}, 1453, ""},
      {{{cPriority, "Low "}}, 1453, ""},
      {{{cPriority, "System"}}, 0, ""},
      {{{cFormat, " "}}, 1454, ""},
      {{{cOn_Timer, "N"}, {cPoll_Time, "0"}}, 0, ""},
      {{{cOn_Timer, "y"}, {cPoll_Time, "0"}}, 1455, ""},
      {{{cOn_Timer, "Y"}, {cPoll_Time, "100000000"}}, 0, ""},
      {{{cOn_Timer, "Y"}, {cPoll_Time, "100000001"}}, 1455, ""},
      {{{cPosition, "1500"}}, 1456, "1499"},
      {{{cPosition, ""}}, 1456, "1499"},
      {{{cPosition, "1499"}, {cLength, "1"}}, 0, ""},
      {{{cPosition, "1499"}, {cLength, "2"}}, 1459, "1500"},
      {{{cBit_Mode, "no"}}, 0, ""},
      {{{cBit_Mode, "8"}}, 1457, ""},
      {{{cBit_Mode, ""}}, 1457, ""},
      {{{cBit_Mode, "No"}, {cLength, "14"}}, 0, ""},
      {{{cBit_Mode, "No"}, {cLength, "15"}}, 1458, "14"},
      {{{cBit_Mode, "No"}, {cLength, "0"}}, 1458, "14"},
      {{{cBit_Mode, "No"}, {cExtended, "Y"}, {cLength, "255"}}, 0, ""},
      {{{cBit_Mode, "No"}, {cExtended, "y"}, {cLength, "256"}}, 1458, "255"},
      {{{cBit_Mode, "3"}, {cLength, "112"}}, 0, ""},
      {{{cBit_Mode, "3"}, {cLength, "113"}}, 1458, "112"},
      {{{cBit_Mode, "3"}, {cExtended, "Y"}, {cLength, "2040"}}, 0, ""},
      {{{cBit_Mode, "3"}, {cExtended, "Y"}, {cLength, "2041"}}, 1458, "2040"},
      {{{cBit_Mode, "", }, {cLength, ""}}, 1457, ""},
      {{{cLength, ""}}, 1458, "14"},
      // In bit mode the bits reach (112 + 3 + 7) div 8 = 15 bytes from the position.
      {{{cBit_Mode, "3"}, {cLength, "112"}, {cPosition, "1485"}}, 0, ""},
      {{{cBit_Mode, "3"}, {cLength, "112"}, {cPosition, "1486"}}, 1459, "1500"},
      {{{cBit_Mode, "7"}, {cLength, "2"}, {cPosition, "1498"}}, 0, ""},
      {{{cBit_Mode, "7"}, {cLength, "2"}, {cPosition, "1499"}}, 1459, "1500"},
  };
  for (const TCase &C : Cases) {
    std::string Name;
    for (const auto &[Col, Value] : C.Cells)
      Name += std::to_string(Col) + "='" + Value + "' ";
    SCOPED_TRACE(Name);
    F->FormShow(nullptr);
    Fill(1);
    Fill(2);
    for (const auto &[Col, Value] : C.Cells)
      G->SetCells(Col, 2, QString::fromUtf8(Value));
    EXPECT_EQ(Check(), C.Message ? Error(C.Message, QString::fromUtf8(C.Suffix)) : QString());
  }
}

// A destination with one "." is the two-level form, two numbers of 0 to 255 (the example the
// destination message gives); a source address has three levels always.
TEST_F(KNXForm, TheDestinationTakesTheTwoLevelForm)
{
  const struct {
    int Col;
    const char *Text;
    int Message;  // 0: passes
  } Cases[] = {
      {cDest, "230.240", 0},    {cDest, " 230 . 240 ", 0}, {cDest, "255.255", 0},   {cDest, "0.0", 0},
      {cDest, "256.0", 1450},   {cDest, "0.256", 1450},    {cDest, "-1.5", 1450},   {cDest, "a.b", 1450},
      {cDest, "230.", 1450},    {cDest, ".240", 1450},     {cDest, "$E6.240", 1450}, {cDest, "230.240/1", 1450},
      {cSource, "230.240", 1449}, {cSource, "1.2", 1449},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(std::to_string(C.Col) + " '" + C.Text + "'");
    F->FormShow(nullptr);
    Fill(1);
    Fill(2);
    G->SetCells(C.Col, 2, QString::fromUtf8(C.Text));
    EXPECT_EQ(Check(), C.Message ? Error(C.Message) : QString());
  }
}

// A fresh row (only Source Add typed) is refused first for its blank destination; a disabled row
// and the rows below a blank Source Add are not checked.
TEST_F(KNXForm, FreshDisabledAndUnusedRows)
{
  G->SetCells(cSource, 1, "1.1.1");
  EXPECT_EQ(Check(), Lang_Text(1448) + "1" + Lang_Text(1451));
  G->SetCells(cEnable, 1, "N");
  G->SetCells(cSource, 3, "x");
  EXPECT_EQ(Check(), "");
}

TEST_F(KNXForm, LengthBoundAndSizeByBitModeAndExtension)
{
  struct TCase {
    const char *Bit_Mode, *Extended, *Length;
    int Max, Size;
  } Cases[] = {
      {"No", "N", "14", 14, 14},   {"NO", "Y", "255", 255, 255}, {"0", "", "112", 112, 14},
      {"3", "N", "112", 112, 15},  {"7", "y", "2040", 2040, 256}, {"0", "Y", "1", 2040, 1},
      {"5", "N", "3", 112, 1},     {"6", "N", "3", 112, 2},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(std::string(C.Bit_Mode) + "/" + C.Extended + "/" + C.Length);
    EXPECT_EQ(TFKNXAccess::Max_Length(C.Bit_Mode, C.Extended), C.Max);
    EXPECT_EQ(TFKNXAccess::Size_In_Bytes(C.Bit_Mode, C.Length), C.Size);
  }
}

TEST_F(KNXForm, FileShapeExactlyAndBackAgain)
{
  Fill(1);
  G->SetCells(cMnemonic, 1, " lamp\r\nhall ");
  G->SetCells(cEnable, 2, "N");
  G->SetCells(cSource, 2, "bad");
  G->SetCells(cSource, 4, "1.1.4");  // below the first blank Source Add: dropped
  F->Btn_OKClick(nullptr);
  ASSERT_EQ(F->ModalResult(), mrOk) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<BACnet_to_KNX><KNX_in_Write><row Enable=\"Y\" Source_Address=\"1.1.20\" "
                       "Destination_Address=\"1/2/3\" APCI=\"Write\" Priority=\"Normal\" Format=\"None\" Extended=\"N\" "
                       "ReTest=\"N\" On_Command=\"N\" On_Change=\"Y\" On_Timer=\"N\" Poll_Time=\"\" Position=\"10\" "
                       "Bit_Mode=\"No\" Length=\"2\" Mnemonic=\" lamp&#13;&#10;hall \"/><row Enable=\"N\" "
                       "Source_Address=\"bad\" Destination_Address=\"\" APCI=\"\" Priority=\"\" Format=\"\" Extended=\"\" "
                       "ReTest=\"\" On_Command=\"\" On_Change=\"\" On_Timer=\"\" Poll_Time=\"\" Position=\"\" "
                       "Bit_Mode=\"\" Length=\"\" Mnemonic=\"\"/></KNX_in_Write></BACnet_to_KNX>"
                       "<!--SW_VERSION = 1.000-->\n"));
  F->FormShow(nullptr);
  EXPECT_EQ(G->Cells(cMnemonic, 1), " lamp\r\nhall ");
  EXPECT_EQ(G->Cells(cSource, 2), "bad");
  EXPECT_EQ(G->Cells(cSource, 4), "");
  EXPECT_TRUE(F->Load_Complete());
}

// The defaults of Enable, Priority, Format, On_Command and On_Timer; a Priority in another
// spelling loads as "Normal"; every other attribute is required.
TEST_F(KNXForm, LoadDefaultsPriorityFixAndRequiredAttributes)
{
  const QByteArray Required = "Source_Address=\"1.1.1\" Destination_Address=\"1/1\" APCI=\"Read\" Extended=\"N\" "
                              "ReTest=\"N\" On_Change=\"N\" Poll_Time=\"\" Position=\"0\" Bit_Mode=\"No\" Length=\"1\" "
                              "Mnemonic=\"\"";
  testsupport::WriteBytes(Path(), "<BACnet_to_KNX><KNX_in_Write><row " + Required + "/><row " + Required +
                                      " Priority=\"low\"/><row " + Required + " Priority=\"Urgent\"/></KNX_in_Write>"
                                      "</BACnet_to_KNX>");
  F->FormShow(nullptr);
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_EQ(G->Cells(cEnable, 1), "Y");
  EXPECT_EQ(G->Cells(cPriority, 1), "Normal");
  EXPECT_EQ(G->Cells(cFormat, 1), "None");
  EXPECT_EQ(G->Cells(cOn_Command, 1), "N");
  EXPECT_EQ(G->Cells(cOn_Timer, 1), "N");
  EXPECT_EQ(G->Cells(cPriority, 2), "Normal");
  EXPECT_EQ(G->Cells(cPriority, 3), "Urgent");
  EXPECT_EQ(Check(), "");

  for (const char *Attribute : {"Source_Address", "Destination_Address", "APCI", "Extended", "ReTest", "On_Change",
                                "Poll_Time", "Position", "Bit_Mode", "Length", "Mnemonic"}) {
    SCOPED_TRACE(Attribute);
    QByteArray Row = Required;
    const int At = Row.indexOf(QByteArray(Attribute) + "=\"");
    Row.remove(At, Row.indexOf('"', Row.indexOf('"', At) + 1) - At + 1);
    testsupport::WriteBytes(Path(), "<BACnet_to_KNX><KNX_in_Write><row " + Required + "/><row " + Row +
                                        "/></KNX_in_Write></BACnet_to_KNX>");
    Boxes.clear();
    F->FormShow(nullptr);
    EXPECT_FALSE(F->Load_Complete());
    EXPECT_EQ(G->Cells(cSource, 1), "1.1.1");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_TRUE(Boxes[0].Text.contains(QString::fromLatin1(Attribute))) << Boxes[0].Text.toStdString();
  }

  testsupport::WriteBytes(Path(), "<BACnet_to_KNX><KNX_in_Write><row Source_Address=");
  Boxes.clear();
  F->FormShow(nullptr);
  EXPECT_FALSE(F->Load_Complete());
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(G->Cells(cSource, 1), "");
}

// Header texts in the header cells, hints by displayed column and none outside the header, the
// Position list from the data-array size, rows of 22 pixels.
TEST_F(KNXForm, Departures)
{
  EXPECT_EQ(G->Cells(cDest, 0), Lang_Text(1417));
  EXPECT_EQ(F->ACG_KNX_in_Write->Columns()->Items(cDest)->Header(), "");
  QString Hint = "x";
  G->OnGridHint(G, 0, cOn_Command, Hint);
  EXPECT_EQ(Hint, Lang_Text(1440));
  G->OnGridHint(G, 3, cOn_Command, Hint);
  EXPECT_EQ(Hint, "");
  EXPECT_EQ(F->Hint()->Count(), 16);
  TStringList *Positions = F->ACG_KNX_in_Write->Columns()->Items(cPosition)->ComboItems();
  ASSERT_EQ(Positions->Count(), 1500);
  EXPECT_EQ(Positions->Strings(1499), "1499");
  EXPECT_EQ(G->RowCount(), 1025);
  EXPECT_EQ(G->RowHeights(5), 22);
  EXPECT_EQ(F->ClientWidth(), 1141);

  // Delete on the last row empties it, Enable too; Insert gives an enabled empty row.
  Fill(1024);
  G->SetRowEx(1024);
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList{Lang_Text(1460) + "1024"});
  EXPECT_EQ(G->Cells(cEnable, 1024), "");
  EXPECT_EQ(G->Cells(cSource, 1024), "");
  Fill(1);
  G->SetRowEx(1);
  F->Btn_InsRowClick(nullptr);
  EXPECT_EQ(G->Cells(cEnable, 1), "Y");
  EXPECT_EQ(G->Cells(cSource, 1), "");
  EXPECT_EQ(G->Cells(cSource, 2), "1.1.20");
}

}  // namespace
