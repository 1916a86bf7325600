// The SNMP access tables on the main road: rows typed into both tables of the real form by mouse
// and keyboard, OK, then the hidden "SNMP MIB" button writes the MIB, which smilint accepts and
// which holds exactly the typed enabled rows, numbered as column N shows them.
#include "tables/fsnmp_trap_access.h"
#include "tests/app/table_forms_support.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace shelltest;
using namespace snmpcols;

namespace {

// smilint's messages at error levels (0 to 3) for File, with the SMI base modules of the
// fixtures as the only import path; Missing when smilint is not installed.
QStringList Smilint_Errors(const QString &File, bool &Missing)
{
  const QString Exe = QStandardPaths::findExecutable("smilint");
  Missing = Exe.isEmpty();
  if (Missing)
    return {};
  QProcess P;
  QProcessEnvironment Env = QProcessEnvironment::systemEnvironment();
  Env.insert("SMIPATH", testsupport::Fixture("side/smi"));
  P.setProcessEnvironment(Env);
  P.start(Exe, {"-c", "/dev/null", "-l", "9", "-s", File});
  if (!P.waitForFinished(60000))
    return {"smilint did not finish"};
  QStringList Errors;
  static const QRegularExpression Level(": \\[([0-9])\\] ");
  for (const QString &Line : QString::fromLatin1(P.readAllStandardOutput() + P.readAllStandardError()).split('\n')) {
    const QRegularExpressionMatch M = Level.match(Line);
    if ((M.hasMatch() && M.captured(1).toInt() <= 3) || (!M.hasMatch() && !Line.trimmed().isEmpty()))
      Errors << Line;
  }
  return Errors;
}

// A column scrolled off to the left brought back, as the user does with the scroll bar.
void Scroll_Back_To(TZavColumnGrid *Grid, int Col)
{
  if (Grid->DisplColIndex(Col) < Grid->LeftCol()) {
    Grid->SetLeftCol(Grid->FixedCols());
    SimProcess();
  }
}

// A drop-down list cell picked; a combo with free text typed into its edit (the first key opens
// it), Enter; any other cell typed.
void Enter(TZavColumnGrid *Grid, int Col, int Row, const QString &Text)
{
  // Enter in the last cell of a row may leave the next cell's editor open: close it first.
  if (Grid->EditorMode()) {
    SimKey(Grid, VK_ESCAPE);
    SimProcess();
  }
  Scroll_Back_To(Grid, Col);
  const TEditorType Editor = Grid->Columns()->Items(Col)->Editor();
  if (Editor == edComboList)
    return TableFormsEndToEnd::Pick_Cell(Grid, Col, Row, Text);
  if (Editor != edComboEdit)
    return TableFormsEndToEnd::Type_Cell(Grid, Col, Row, Text);
  TableFormsEndToEnd::Click_Cell(Grid, Col, Row);
  SimType(Grid, Text.left(1));
  SimProcess();
  TGridCombo *Combo = Grid->Combobox();
  ASSERT_TRUE(Combo && Combo->Visible()) << Text.toStdString();
  SimType(Combo, Text.mid(1));
  SimProcess();
  SimKey(Combo, VK_RETURN);
  SimProcess();
}

TEST_F(TableFormsEndToEnd, SNMPRowsTypedIntoTheFormBecomeTheMIBObjects)
{
  Start_New_Project("Plant SNMP");
  TFSNMP_Trap_Access *F = FSNMP_Trap_Access;
  Modal_Actions["FSNMP_Trap_Access"] = [F](TCustomForm *) {
    SimProcess();
    TZavColumnGrid *R = F->ACG_SNMP_Read;
    struct TRow {
      int Row;
      std::vector<std::pair<int, QString>> Cells;
    };
    const TRow Read_Rows[] = {
        {1, {{cCommunity_Name, "Tarvex"}, {cType, "Int"}, {cTime, "1000"}, {cRead_Position, "12"},
             {cRead_Start_Bit, "0"}, {cRead_Num_Bits, "16"}, {cRead_Description, "tankLevel"},
             {cIP_Address, "192.168.1.20"}, {cRead_Conversion, "None"}}},
        {2, {{cCommunity_Name, "Tarvex"}, {cType, "String"}, {cRead_Description, "notThere"}}},
        // The Description takes 15 characters; the rest of the typing is refused.
        {3, {{cCommunity_Name, "public2"}, {cType, "String"}, {cRead_Position, "30"}, {cRead_Start_Bit, "0"},
             {cRead_Num_Bits, "8"}, {cRead_Description, "pumpStateOfLine7"}, {cIP_Address, "10.0.0.9"},
             {cRead_Conversion, "Float"}}},
    };
    for (const TRow &Row : Read_Rows)
      for (const auto &[Col, Text] : Row.Cells) {
        Enter(R, Col, Row.Row, Text);
        EXPECT_EQ(R->Cells(Col, Row.Row), Text.left(15)) << Col << " " << Row.Row;
      }
    EXPECT_EQ(R->Cells(cRead_Description, 3), "pumpStateOfLine");
    // Its 15 are characters: the column's border drags wider than 15 pixels.
    {
      Cell_Point(R, cRead_Description, 0);
      const TRect H = R->CellRect(R->DisplColIndex(cRead_Description), 0);
      const int Y = (H.Top + H.Bottom) / 2;
      SimMouseMove(R, H.Right, Y);
      SimMouseDown(R, H.Right, Y);
      SimMouseMove(R, H.Right + 40, Y);
      SimMouseUp(R, H.Right + 40, Y);
      SimProcess();
      EXPECT_EQ(R->ColWidths(R->DisplColIndex(cRead_Description)), 170);
    }
    EXPECT_EQ(R->Cells(cRead_Position, 1), "12");
    // On Timer ticked by the mouse; row 2 disabled, which takes its number away.
    Scroll_Back_To(R, cEnable);
    Click_Cell(R, cOn_Timer, 1);
    EXPECT_EQ(R->Cells(cOn_Timer, 1), "Y");
    Click_Cell(R, cEnable, 2);
    EXPECT_EQ(R->Cells(cEnable, 2), "N");
    EXPECT_EQ(R->Cells(cN, 1), "1");
    EXPECT_EQ(R->Cells(cN, 2), "");
    EXPECT_EQ(R->Cells(cN, 3), "2");

    Click_Tab(F->PageControl1, 1);
    ASSERT_EQ(F->PageControl1->ActivePage(), F->TS_SNMP_Write);
    TZavColumnGrid *W = F->ACG_SNMP_Write;
    const std::pair<int, QString> Write_Row[] = {
        {cCommunity_Name, "Quendol"}, {cType, "Int"}, {cWrite_Position, "20"}, {cWrite_Start_Bit, "3"},
        {cWrite_Num_Bits, "1"}, {cWrite_Description, "setPoint"}, {cWrite_Conversion, "Float * 10"}};
    for (const auto &[Col, Text] : Write_Row) {
      Enter(W, Col, 1, Text);
      EXPECT_EQ(W->Cells(Col, 1), Text) << Col;
    }
    GrabToPng(F, testsupport::OutputDir() + "/snmp_form_write.png");
    Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrOk);
  };
  FQuillomarkeFirmWare->Btn_SNMP_Trap->OnClick(FQuillomarkeFirmWare->Btn_SNMP_Trap);
  for (const TShownBox &B : Boxes)
    ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Project + "/SNMP_Trap.xml"));

  const QString Mib = Project + "/agent.mib";
  SetFileDialogHook([&](TFileDialogRequest &R) {
    R.FileName = Mib;
    return true;
  });
  FQuillomarkeFirmWare->Btn_SNMP_MIB->OnClick(FQuillomarkeFirmWare->Btn_SNMP_MIB);
  SetFileDialogHook(nullptr);
  for (const TShownBox &B : Boxes)
    ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Mib));

  bool Missing = false;
  const QStringList Errors = Smilint_Errors(Mib, Missing);
  if (Missing)
    GTEST_SKIP() << "smilint (Debian package smitools) is not installed";
  EXPECT_EQ(Errors, QStringList());

  QStringList Objects;
  for (const QString &Line : QString::fromLatin1(ReadBytes(Mib)).split(QRegularExpression("\r?\n")))
    if (Line.contains("::= { bufferinval ") || Line.contains("::= { bufferoutval ") || Line.contains("::= { trapsval "))
      Objects << Line;
  EXPECT_EQ(Objects,
            (QStringList{
                "tankLevel OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"tankLevel\" ::= { bufferinval 1 }",
                "pumpStateOfLine OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only STATUS current DESCRIPTION \"pumpStateOfLine\" ::= { bufferinval 2 }",
                "setPoint OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"setPoint\" ::= { bufferoutval 1 }",
                "trapval1 NOTIFICATION-TYPE OBJECTS { tankLevel } STATUS current DESCRIPTION \"tankLevel\" ::= { trapsval 1 }",
                "trapval2 NOTIFICATION-TYPE OBJECTS { pumpStateOfLine } STATUS current DESCRIPTION \"pumpStateOfLine\" ::= { trapsval 2 }"}));
}

}  // namespace
