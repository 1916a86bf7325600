// The BACnet access tables on the main road: rows typed into both grids of the real form by
// mouse and keyboard (a unit chosen in the picker on the way), OK, then the EDE file written
// from the project holds exactly those rows, every line with the layout's field count.
#include "framework/dialogs/dialogs.h"
#include "tables/fbacnet_eng_unit.h"
#include "tables/fbacnet_slave_set_access.h"
#include "tests/app/table_forms_support.h"
#include "ui/lbbutton.h"

using namespace shelltest;
using namespace bacnetcols;

namespace {

// A cell of any row: a drop-down list's item picked, any other cell typed.
void Enter(TZavColumnGrid *Grid, int Col, int Row, const QString &Text)
{
  if (Grid->Columns()->Items(Col)->Editor() == edComboList)
    TableFormsEndToEnd::Pick_Cell(Grid, Col, Row, Text);
  else
    TableFormsEndToEnd::Type_Cell(Grid, Col, Row, Text);
}

TEST_F(TableFormsEndToEnd, BACnetRowsTypedIntoTheFormReachTheEDEFile)
{
  Start_New_Project("Plant BACnet");
  TFBACnetSlaveSetAccess *F = FBACnetSlaveSetAccess;
  // The picker, opened by a double-click on the write row's unit: a category and a unit.
  Modal_Actions["FBACnet_Eng_Unit"] = [](TCustomForm *) {
    TFBACnet_Eng_Unit *P = FBACnet_Eng_Unit;
    SimProcess();
    SimType(P->CB_Select_Type, QStringLiteral("Power"));
    SimProcess();
    SimAdvanceTime(TCustomComboBox::TypeAheadInterval + 1);
    SimType(P->CB_Select_Unit, QStringLiteral("kilowatts"));
    SimProcess();
    Click(P->Btn_Select_Eng_Unit);
    Click(P->Btn_OK);
  };
  Modal_Actions["FBACnetSlaveSetAccess"] = [this, F](TCustomForm *) {
    SimProcess();
    TZavColumnGrid *R = F->ACG_BACnet_in_Read;
    EXPECT_EQ(R->RowCount(), 2001);
    // OK with a row begun: the first fault is told and the form stays open.
    Enter(R, cData_Type, 1, "Analog Input");
    Click(F->Btn_OK);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535");
    EXPECT_EQ(F->ModalResult(), mrNone);
    Boxes.clear();
    const struct {
      int Row, Col;
      const char *Text;
    } Read_Cells[] = {{1, cEng_Unit, "62"},           {1, cPosition, "12"},         {1, cLength, "4"},
                      {1, cMnemonic, "Supply temp"},  {2, cData_Type, "Binary Input"}, {2, cEng_Unit, "95"},
                      {2, cPosition, "3"},            {2, cStart_Bit, "5"},         {2, cMnemonic, "Pump run"}};
    for (const auto &C : Read_Cells) {
      Enter(R, C.Col, C.Row, QString::fromUtf8(C.Text));
      EXPECT_EQ(R->Cells(C.Col, C.Row).toStdString(), C.Text) << C.Row << "," << C.Col;
    }

    Click_Tab(F->PageControl1, 1);
    ASSERT_EQ(F->PageControl1->ActivePage(), F->TS_BACnet_in_Write);
    TZavColumnGrid *W = F->ACG_BACnet_in_Write;
    // The Data Type choice fills in the Length.
    Enter(W, cData_Type, 1, "Large Analog Value");
    EXPECT_EQ(W->Cells(cLength, 1), "8");
    const TPoint P = Cell_Point(W, cEng_Unit, 1);
    SimDblClick(W, P.X, P.Y);
    SimProcess();
    EXPECT_EQ(W->Cells(cEng_Unit, 1), "48");
    Enter(W, cPosition, 1, "100");
    Enter(W, cMnemonic, 1, "Power set");
    Click(F->Btn_OK);
    EXPECT_EQ(F->ModalResult(), mrOk);
  };
  FQuillomarkeFirmWare->Btn_BACnet_SetAccess->OnClick(FQuillomarkeFirmWare->Btn_BACnet_SetAccess);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Project + "/BACnet_Slave.xml"));

  const QString Out = App_Dir + "/objects.csv";
  SetFileDialogHook([&](TFileDialogRequest &R) {
    R.FileName = Out;
    return true;
  });
  FQuillomarkeFirmWare->Btn_BACnet_EDE_File->OnClick(FQuillomarkeFirmWare->Btn_BACnet_EDE_File);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();

  const QStringList Lines = QString::fromUtf8(ReadBytes(Out)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  // The layout: seven header lines, then one line per object, every line with eight fields.
  ASSERT_EQ(Lines.size(), 7 + 3) << Lines.join('\n').toStdString();
  for (const QString &Line : Lines)
    EXPECT_EQ(Line.count(';'), 7) << Line.toStdString();
  // name, type, instance, unit
  const QStringList Want[] = {{"Supply temp", "0", "0", "62"}, {"Pump run", "3", "0", "95"},
                              {"Power set", "46", "0", "48"}};
  for (int I = 0; I < 3; ++I) {
    const QStringList Fields = Lines[7 + I].split(';');
    SCOPED_TRACE(Lines[7 + I].toStdString());
    EXPECT_EQ(Fields[2], Want[I][0]);
    EXPECT_EQ(Fields[3], Want[I][1]);
    EXPECT_EQ(Fields[4], Want[I][2]);
    EXPECT_EQ(Fields[5], Want[I][0]);
    EXPECT_EQ(Fields[6], Want[I][3]);
    EXPECT_EQ(Fields[0], Fields[1] + "_" + Want[I][0] + "_" + Want[I][2]);
  }
}

}  // namespace
