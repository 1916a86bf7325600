// The CANopen PDO and SDO server tables on the main road: rows typed into both forms by mouse
// and keyboard, OK, then the EDS export, whose file the strict INI reader accepts and which
// holds exactly the typed PDOs and object dictionary entries.
#include "tables/fset_pdo_access.h"
#include "tables/fset_sdo_server_access.h"
#include "tests/app/table_forms_support.h"
#include "tests/project/strict_ini.h"
#include "ui/lbbutton.h"

using namespace shelltest;

namespace {

struct TTyped {
  int Col;
  const char *Text;
};

void Type_Row(TZavColumnGrid *Grid, int Row, std::initializer_list<TTyped> Cells)
{
  for (const TTyped &C : Cells) {
    TableFormsEndToEnd::Type_Cell(Grid, C.Col, Row, QString::fromUtf8(C.Text));
    EXPECT_EQ(Grid->Cells(C.Col, Row).toStdString(), C.Text) << Grid->Name().toStdString() << " " << C.Col;
  }
}

TEST_F(TableFormsEndToEnd, PDOAndSDOServerRowsTypedIntoTheFormsReachTheEDS)
{
  Start_New_Project("Plant CANopen");
  TFQuillomarkeFirmWare *M = FQuillomarkeFirmWare;

  TFSet_PDO_Access *P = FSet_PDO_Access;
  Modal_Actions["FSet_PDO_Access"] = [this, P](TCustomForm *) {
    using namespace pdocols;
    SimProcess();
    // OK with a row begun: the first fault is shown and the form stays open.
    Type_Row(P->sga, 1, {{cCOB_ID, "0x181"}});
    Click(P->Btn_OK);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "Error row 1!! [Receive PDO] Dimension must be between 1 and 8");
    EXPECT_EQ(P->ModalResult(), mrNone);
    Boxes.clear();
    Type_Row(P->sga, 1, {{cDimension, "2"}, {cAdd_B1, "0"}, {cAdd_B1 + 1, "1"}, {cTimeOut, "100"},
                         {cRec_Mnemonic, "speed"}});
    Type_Row(P->sga, 2, {{cCOB_ID, "$182"}, {cDimension, "1"}, {cAdd_B1, "2"}, {cTimeOut, "0"}});
    Click_Tab(P->PageControl1, 1);
    ASSERT_EQ(P->PageControl1->ActivePage(), P->TS_Transmit_PDO);
    Type_Row(P->sgb, 1, {{cCOB_ID, "0x201"}, {cDimension, "4"}, {cAdd_B1, "10"}, {cAdd_B1 + 1, "11"},
                         {cAdd_B1 + 2, "12"}, {cAdd_B1 + 3, "13"}, {cSend_Time, "1000"}, {cTra_Mnemonic, "out"}});
    Click_Cell(P->sgb, cOn_Change, 1);
    EXPECT_EQ(P->sgb->Cells(cOn_Change, 1), "Y");
    GrabToPng(P, testsupport::OutputDir() + "/pdo_form_transmit.png");
    Click(P->Btn_OK);
    EXPECT_EQ(P->ModalResult(), mrOk);
  };
  M->Btn_PDO_CANopen->OnClick(M->Btn_PDO_CANopen);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Project + "/PDO_CANopen.xml"));

  TFSet_SDO_Server_Access *S = FSet_SDO_Server_Access;
  Modal_Actions["FSet_SDO_Server_Access"] = [this, S](TCustomForm *) {
    using namespace sdoservercols;
    SimProcess();
    Type_Row(S->sga, 1, {{cIndex, "0x2000"}, {cSubIndex, "1"}, {cNByte, "2"}, {cAdd_Byte1, "5"}, {cAdd_Byte1 + 1, "6"},
                         {cMnemonic, "level"}});
    Type_Row(S->sga, 2, {{cIndex, "0x2000"}, {cSubIndex, "0"}, {cNByte, "1"}, {cAdd_Byte1, "4"}});
    Click_Tab(S->PageControl1, 1);
    ASSERT_EQ(S->PageControl1->ActivePage(), S->TS_SDO_Write);
    Type_Row(S->sgb, 1, {{cIndex, "8193"}, {cSubIndex, "3"}, {cNByte, "4"}, {cAdd_Byte1, "20"},
                         {cAdd_Byte1 + 1, "21"}, {cAdd_Byte1 + 2, "22"}, {cAdd_Byte4, "23"}});
    GrabToPng(S, testsupport::OutputDir() + "/sdo_server_form_write.png");
    Click(S->Btn_OK);
    EXPECT_EQ(S->ModalResult(), mrOk);
  };
  M->Btn_SDO_Server_CANopen->OnClick(M->Btn_SDO_Server_CANopen);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Project + "/SDO_Server_CANopen.xml"));

  const QString Eds = Project + "/node.eds";
  SetFileDialogHook([&](TFileDialogRequest &R) {
    R.FileName = Eds;
    return true;
  });
  M->Btn_CANopen_EDS->OnClick(M->Btn_CANopen_EDS);
  for (const TShownBox &B : Boxes) ADD_FAILURE() << "message box: " << B.Text.toStdString();
  ASSERT_TRUE(QFile::exists(Eds));

  QStringList Lines = QString::fromLatin1(ReadBytes(Eds)).split("\r\n");
  const sidetest::TIni Ini(Lines);
  EXPECT_EQ(Ini.Check_Objects(), QStringList());

  // The PDOs: two receive, one transmit, each with its COB-ID and as many mapped bytes as its
  // Dimension.
  EXPECT_EQ(Ini.Value("DeviceInfo", "NrOfRXPDO"), "2");
  EXPECT_EQ(Ini.Value("DeviceInfo", "NrOfTXPDO"), "1");
  EXPECT_EQ(Ini.Value("1400sub1", "DefaultValue"), "0x00000181");
  EXPECT_EQ(Ini.Value("1401sub1", "DefaultValue"), "0x00000182");
  EXPECT_EQ(Ini.Value("1800sub1", "DefaultValue"), "0x00000201");
  EXPECT_EQ(Ini.Value("1600sub0", "DefaultValue"), "0x02");
  EXPECT_EQ(Ini.Value("1601sub0", "DefaultValue"), "0x01");
  EXPECT_EQ(Ini.Value("1A00sub0", "DefaultValue"), "0x04");
  for (const char *Absent : {"1402", "1602", "1801", "1A01", "7002", "7051"})
    EXPECT_FALSE(Ini.Sections.contains(Absent)) << Absent;

  // The SDO server entries: index 0x2000 with sub-indexes 0 and 1 read-only, 0x2001 (8193)
  // sub-index 3 writable, each of its size.
  const QMap<QString, QString> Manufacturer = Ini.Sections.value("ManufacturerObjects");
  EXPECT_EQ(Manufacturer, (QMap<QString, QString>{{"SupportedObjects", "2"}, {"1", "0x2000"}, {"2", "0x2001"}}));
  QStringList Objects;
  for (const QString &Name : Ini.Order)
    if (Name.startsWith("2000") || Name.startsWith("2001"))
      Objects << Name;
  EXPECT_EQ(Objects, (QStringList{"2000", "2000sub0", "2000sub1", "2001", "2001sub0", "2001sub3"}));
  EXPECT_EQ(Ini.Value("2000sub0", "DataType"), "0x0005");
  EXPECT_EQ(Ini.Value("2000sub0", "AccessType"), "ro");
  EXPECT_EQ(Ini.Value("2000sub1", "DataType"), "0x0006");
  EXPECT_EQ(Ini.Value("2000sub1", "AccessType"), "ro");
  EXPECT_EQ(Ini.Value("2001sub0", "DefaultValue"), "0x03");  // the largest sub-index
  EXPECT_EQ(Ini.Value("2001sub3", "DataType"), "0x0007");
  EXPECT_EQ(Ini.Value("2001sub3", "AccessType"), "rw");
}

}  // namespace
