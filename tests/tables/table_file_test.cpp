// The table files of the access-table forms: the shape written on OK, the load back into the
// grids, and what happens with files that do not load completely.
#include "tables/fs7_protocol_set_access.h"
#include "tests/tables/tables_fixture.h"

#include "framework/system/paths.h"

#include <QDir>

using namespace tablestest;

namespace {

class TableFileTest : public MiniFormTest {
protected:
  QString Path() const { return AppState().File_KNX_SetAccess; }
};

TEST_F(TableFileTest, OkWritesRootThenVersionCommentUpToTheFirstBlankKeyAndLoadsBackUntrimmed)
{
  A->SetCells(2, 1, QStringLiteral(" a b "));
  A->SetCells(3, 1, QStringLiteral("3"));
  A->SetCells(4, 1, QStringLiteral("x"));  // the hidden column is saved all the same
  A->SetCells(6, 1, QStringLiteral("not saved"));
  A->SetCells(1, 2, QStringLiteral("N"));
  A->SetCells(2, 2, QStringLiteral("line 1\r\nline 2\tend"));
  A->SetCells(3, 2, QStringLiteral("<&\">"));
  A->SetCells(2, 4, QStringLiteral("below a blank key"));
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();

  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<Mini><Sec_A>"
                       "<row Enable=\"Y\" Key=\" a b \" Number=\"3\" Secret=\"x\"/>"
                       "<row Enable=\"N\" Key=\"line 1&#13;&#10;line 2&#09;end\" Number=\"&lt;&amp;&quot;>\" Secret=\"\"/>"
                       "</Sec_A><Sec_B/></Mini><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(Path()).toStdString();

  F->FormShow(nullptr);
  EXPECT_EQ(A->Cells(2, 1), " a b ");
  EXPECT_EQ(A->Cells(4, 1), "x");
  EXPECT_EQ(A->Cells(5, 1), "N");  // computed for every loaded row
  EXPECT_EQ(A->Cells(6, 1), "");
  EXPECT_EQ(A->Cells(1, 2), "N");
  EXPECT_EQ(A->Cells(2, 2), "line 1\r\nline 2\tend");
  EXPECT_EQ(A->Cells(3, 2), "<&\">");
  EXPECT_EQ(A->Cells(5, 3), "");  // rows the file does not mention keep the reset
  EXPECT_EQ(A->Cells(2, 4), "");
  EXPECT_EQ(A->Cells(1, 4), "Y");
  EXPECT_EQ(A->Cells(0, 4), "4");
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(TableFileTest, MissingAttributesWithADefaultTakeIt)
{
  testsupport::WriteBytes(Path(), "<Mini><Sec_A><row Key=\"k\"/></Sec_A><Sec_B><row Key=\"b\"/></Sec_B></Mini>");
  F->FormShow(nullptr);
  EXPECT_EQ(A->Cells(1, 1), "Y");
  EXPECT_EQ(A->Cells(3, 1), "");
  EXPECT_EQ(A->Cells(4, 1), "h");
  EXPECT_EQ(B->Cells(2, 1), "b");
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_TRUE(Boxes.empty());
}

// A file that does not load completely (a row with a blank key included: OK would drop it and
// every row below it): the rows read until the failure stay, the user is told which file and
// why, and OK asks before replacing it (No leaves it as it was).
TEST_F(TableFileTest, IncompleteLoadsAreReportedAndOkAsksBeforeReplacingTheFile)
{
  struct TCase {
    const char *Name;
    QByteArray Xml;
    int Rows_A;  // rows of grid A that were loaded
    const char *Reason;
  } Cases[] = {
      {"damaged", "<Mini><Sec_A><row Key=\"a\"/><row Key=", 0, "Mini.xml"},
      {"required attribute missing", "<Mini><Sec_A><row Key=\"a\"/><row Number=\"1\"/></Sec_A><Sec_B/></Mini>", 1,
       "no attribute \"Key\""},
      {"missing section", "<Mini><Sec_A><row Key=\"a\"/></Sec_A></Mini>", 1, "no section \"Sec_B\""},
      {"more rows than the grid", "<Mini><Sec_A/><Sec_B><row Key=\"1\" Number=\"n\"/><row Key=\"2\" Number=\"n\"/><row Key=\"3\" Number=\"n\"/><row Key=\"4\" Number=\"n\"/></Sec_B></Mini>",
       0, "more rows"},
      {"no table", "<!-- nothing -->", 0, "cannot be read"},
      {"blank key with rows below", "<Mini><Sec_A><row Key=\"a\"/><row Key=\" \t\"/><row Key=\"c\"/></Sec_A><Sec_B/></Mini>", 1,
       "Row 2 of \"Sec_A\""},
      {"blank key in the last row", "<Mini><Sec_A><row Key=\"a\"/><row Key=\"\" Number=\"5\"/></Sec_A><Sec_B/></Mini>", 1,
       "blank \"Key\""},
      {"attribute named twice", "<Mini><Sec_A><row Key=\"a\"/><row Key=\"b\" Number=\"1\" Key=\"c\"/></Sec_A><Sec_B/></Mini>",
       0, "\"Key\" more than once"},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    Boxes.clear();
    testsupport::WriteBytes(Path(), C.Xml);
    A->SetCells(2, 1, "typed before");
    F->Set_Do_Copy(0, true);  // a copy of an earlier showing
    F->FormShow(nullptr);
    EXPECT_FALSE(F->Do_Copy(0));
    EXPECT_FALSE(F->Load_Complete());
    EXPECT_EQ(A->Cells(2, 1), C.Rows_A ? "a" : "");
    EXPECT_EQ(A->Cells(2, 2), "");
    EXPECT_EQ(A->Cells(3, 2), "");
    EXPECT_EQ(A->Cells(2, 3), "");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Type, mtError);
    EXPECT_TRUE(Boxes[0].Text.contains(Path()) || Boxes[0].Text.contains("Mini.xml")) << Boxes[0].Text.toStdString();
    EXPECT_TRUE(Boxes[0].Text.contains(QString::fromUtf8(C.Reason))) << Boxes[0].Text.toStdString();

    A->SetCells(2, 1, "edited");
    A->SetCells(3, 1, "1");
    Boxes.clear();
    Answers = {mrNo};
    F->SetModalResult(mrNone);
    F->Btn_OKClick(nullptr);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Type, mtConfirmation);
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_EQ(testsupport::ReadBytes(Path()), C.Xml);

    Answers = {mrYes};
    F->Btn_OKClick(nullptr);
    EXPECT_EQ(F->ModalResult(), mrOk);
    EXPECT_TRUE(testsupport::ReadBytes(Path()).startsWith("<Mini><Sec_A><row Enable=\"Y\" Key=\"edited\""))
        << testsupport::ReadBytes(Path()).toStdString();
    EXPECT_TRUE(F->Load_Complete());
  }
}

TEST_F(TableFileTest, NoFileLoadsNothingAndOkWritesWithoutAQuestion)
{
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(A->Cells(1, 1), "Y");
  EXPECT_EQ(B->Cells(1, 1), "");
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(testsupport::ReadBytes(Path()), QByteArray("<Mini><Sec_A/><Sec_B/></Mini><!--SW_VERSION = 1.000-->\n"));
}

TEST_F(TableFileTest, AFileThatCannotBeWrittenIsReportedAndTheFormStaysOpen)
{
  AppState().File_KNX_SetAccess = Dir.path() + QStringLiteral("/gone/Mini.xml");
  A->SetCells(2, 1, "k");
  A->SetCells(3, 1, "1");
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrNone);
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(Boxes[0].Type, mtError);
  EXPECT_TRUE(Boxes[0].Text.contains("Mini.xml")) << Boxes[0].Text.toStdString();
}

// Whatever calls the save, the file stays well-formed XML 1.0: a cell holding a control
// character is refused (the old file stays), never written as a character reference.
TEST_F(TableFileTest, TheSaveRefusesACellWithAControlCharacterAndKeepsTheFile)
{
  testsupport::WriteBytes(Path(), "<Mini><Sec_A/><Sec_B/></Mini>");
  A->SetCells(2, 1, "k");
  A->SetCells(6, 1, QStringLiteral("\x01 not saved"));
  A->SetCells(4, 1, QStringLiteral("hidden\x02"));
  try {
    F->Save_Table();
    ADD_FAILURE() << testsupport::ReadBytes(Path()).toStdString();
  } catch (const EXMLDocError &E) {
    EXPECT_TRUE(E.Message().contains("\"Secret\"")) << E.Message().toStdString();
  }
  EXPECT_EQ(testsupport::ReadBytes(Path()), "<Mini><Sec_A/><Sec_B/></Mini>");
  EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"Mini.xml"});
}

// The S7 file exactly: every column of the row but column 0 in column order, the defaults of
// Enable, Rack and Slot on load, and the version line of this table.
TEST_F(TableFileTest, S7FileShapeAndDefaults)
{
  TFS7_Protocol_Set_Access S7(nullptr);
  S7.AfterConstruction();
  S7.FormShow(nullptr);
  TZavStringGrid *R = S7.Grid(0);
  const QStringList Row = {"Y", "192.168.1.10", "102", "S71500", "0", "1", "Int", "DB", "5",
                           "Inputs (I)", "8", "0", "1000", "12", "0", "N", "Y", " pump "};
  for (int C = 1; C <= Row.size(); ++C)
    R->SetCells(C, 1, Row[C - 1]);
  S7.Save_Table();
  EXPECT_EQ(testsupport::ReadBytes(AppState().File_S7_Protocol),
            QByteArray("<S7_Protocol><S7_Protocol_Read><row Enable=\"Y\" PLC_Address=\"192.168.1.10\" PLC_Port=\"102\" "
                       "PLC_Type=\"S71500\" Rack=\"0\" Slot=\"1\" Data_Type=\"Int\" Data_Identifier=\"DB\" "
                       "DB_Number=\"5\" PLC_Area=\"Inputs (I)\" PLC_Add=\"8\" PLC_Bit=\"0\" PollTime=\"1000\" "
                       "Position=\"12\" Bit=\"0\" Swap=\"N\" SwapWord=\"Y\" Mnemonic=\" pump \"/></S7_Protocol_Read>"
                       "<S7_Protocol_Write/></S7_Protocol><!--SW_VERSION = 1.003-->\n"));

  testsupport::WriteBytes(AppState().File_S7_Protocol,
                          "<S7_Protocol><S7_Protocol_Read/><S7_Protocol_Write><row PLC_Address=\"10.0.0.1\" "
                          "PLC_Port=\"102\" PLC_Type=\"S7300\" Data_Type=\"Bit\" Data_Identifier=\"DB\" DB_Number=\"1\" "
                          "PLC_Area=\"Output (Q)\" PLC_Add=\"0\" PLC_Bit=\"3\" PollTime=\"0\" OnChange=\"Y\" OnCMD=\"N\" "
                          "Position=\"7\" Bit=\"2\" Swap=\"N\" SwapWord=\"N\" Mnemonic=\"\"/></S7_Protocol_Write>"
                          "</S7_Protocol>");
  S7.FormShow(nullptr);
  TZavStringGrid *W = S7.Grid(1);
  EXPECT_EQ(W->Cells(s7cols::cEnable, 1), "Y");
  EXPECT_EQ(W->Cells(s7cols::cRack, 1), "0");
  EXPECT_EQ(W->Cells(s7cols::cSlot, 1), "0");
  EXPECT_EQ(W->Cells(s7cols::cOn_Change, 1), "Y");
  EXPECT_EQ(W->Cells(s7cols::cWrite_Position, 1), "7");
  EXPECT_EQ(R->Cells(s7cols::cPLC_Address, 1), "");
  EXPECT_TRUE(Boxes.empty());
  EXPECT_TRUE(S7.Controllo_dati());  // no Rack and Slot in the file: "0" passes
}

}  // namespace
