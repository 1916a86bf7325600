// The TLS known-certificate form: nothing is checked, the certificates (PEM text over several
// lines) are kept exactly through save and load, the check boxes of the grid load unchecked only
// for "N", and the rows move, copy and paste with their check states.
#include "tables/ftls_server_known_cert.h"
#include "tables/fmqtt_set_topic.h"
#include "tests/tables/tables_fixture.h"

#include "framework/classes/classes.h"
#include "framework/system/paths.h"

using namespace tablestest;
using namespace tlscols;

namespace {

const QString Pem = QStringLiteral("-----BEGIN CERTIFICATE-----\n"
                                   "MIIBszCCAVmgAwIBAgIUQ2xvc2VyVGhhbkl0TG9va3MwCgYIKoZIzj0EAwIwEjEQ\n"
                                   "MA4GA1UEAwwHVGVzdCBDQTAeFw0yNjAxMDEwMDAwMDBaFw0zNjAxMDEwMDAwMDBa\n"
                                   "-----END CERTIFICATE-----\n");

class TLSFormTest : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    AppState().File_TLS_Known_Cert = Dir.path() + QStringLiteral("/TLS_Known_Cert.xml");
    F = std::make_unique<TFTLS_Server_Known_Cert>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
    G = F->ZSG;
  }
  QString Path() const { return AppState().File_TLS_Known_Cert; }
  void Row(int R, const QString &Certificate, const QString &Mnemonic, bool Enabled = true)
  {
    G->SetCells(cCertificate, R, Certificate);
    G->SetCells(cMnemonic, R, Mnemonic);
    G->SetCheckBoxState(cEnable, R, Enabled);
  }
  bool Checked(int R)
  {
    bool S = false;
    EXPECT_TRUE(G->GetCheckBoxState(cEnable, R, S));
    return S;
  }
  std::unique_ptr<TFTLS_Server_Known_Cert> F;
  TZavStringGrid *G = nullptr;
};

// The rows stand under the root; saving ends at the first Certificate that is blank after
// trimming, and a PEM certificate comes back line for line.
TEST_F(TLSFormTest, OkWritesTheRowsUnderTheRootAndTheCertificatesLoadBackWhole)
{
  Row(1, Pem, " root CA ");
  Row(2, QStringLiteral("  leading and trailing\t"), "", false);
  Row(3, QStringLiteral(" \r\n\t"), "blank certificate");
  Row(4, QStringLiteral("below a blank"), "dropped");
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  QByteArray Pem_Xml = Pem.toUtf8();
  Pem_Xml.replace("\n", "&#10;");
  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<TLS_Server_Known_Cert>"
                       "<row Enable=\"Y\" Certificate=\"" + Pem_Xml + "\" Mnemonic=\" root CA \"/>"
                       "<row Enable=\"N\" Certificate=\"  leading and trailing&#09;\" Mnemonic=\"\"/>"
                       "</TLS_Server_Known_Cert><!--SW_VERSION = 1.000-->\n"))
      << testsupport::ReadBytes(Path()).toStdString();

  F->FormShow(nullptr);
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_TRUE(Boxes.empty()) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(G->Cells(cCertificate, 1), Pem);
  EXPECT_EQ(G->Cells(cMnemonic, 1), " root CA ");
  EXPECT_TRUE(Checked(1));
  EXPECT_EQ(G->Cells(cCertificate, 2), "  leading and trailing\t");
  EXPECT_FALSE(Checked(2));
  for (int R : {3, 4}) {
    EXPECT_EQ(G->Cells(cCertificate, R), "");
    EXPECT_EQ(G->Cells(cMnemonic, R), "");
    EXPECT_TRUE(Checked(R));
    EXPECT_EQ(G->Cells(0, R), QString::number(R));
  }
}

// OK never refuses this table: there is nothing to check.
TEST_F(TLSFormTest, OkSavesWithoutChecksAndAnEmptyTableIsTheRootAlone)
{
  EXPECT_TRUE(F->Controllo_dati());
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrOk);
  EXPECT_EQ(testsupport::ReadBytes(Path()), QByteArray("<TLS_Server_Known_Cert/><!--SW_VERSION = 1.000-->\n"));
  Row(1, "not a certificate at all", "", false);
  EXPECT_TRUE(F->Controllo_dati());
  EXPECT_TRUE(Boxes.empty());
}

// The one refusal: a text the file cannot hold, named by its row and column, and nothing is written.
TEST_F(TLSFormTest, ACertificateWithAControlCharacterIsRefusedByRowAndColumn)
{
  Row(1, "good", "");
  Row(2, QStringLiteral("bad") + QChar(1), "");
  F->Btn_OKClick(nullptr);
  EXPECT_EQ(F->ModalResult(), mrNone);
  EXPECT_FALSE(FileExists(Path()));
  EXPECT_EQ(Box_Texts(), QStringList{"Error row 2" + Lang_Text(1106) + "Certificate" + Lang_Text(1107)});
}

// Every attribute but the key may be missing (a row without a certificate ends the load, as in
// every table: OK would drop the rows below it); the check box loads unchecked for exactly "N" only.
TEST_F(TLSFormTest, MissingAttributesAndTheEnableTexts)
{
  testsupport::WriteBytes(Path(), "<TLS_Server_Known_Cert>"
                                  "<row Enable=\"N\" Certificate=\"a\" Mnemonic=\"m\"/>"
                                  "<row Enable=\"Y\" Certificate=\"b\"/>"
                                  "<row Enable=\"n\" Certificate=\"c\" Mnemonic=\"only a mnemonic\"/>"
                                  "<row Enable=\"y\" Certificate=\"d\"/>"
                                  "<row Enable=\"\" Certificate=\"e\"/>"
                                  "<row Certificate=\"f\"/>"
                                  "<row Enable=\" N\" Certificate=\"g\"/>"
                                  "</TLS_Server_Known_Cert>");
  F->FormShow(nullptr);
  const struct {
    bool Checked;
    const char *Certificate, *Mnemonic;
  } Rows[] = {{false, "a", "m"}, {true, "b", ""}, {true, "c", "only a mnemonic"}, {true, "d", ""},
              {true, "e", ""},   {true, "f", ""}, {true, "g", ""},                  {true, "", ""}};
  for (int R = 1; R <= 8; ++R) {
    SCOPED_TRACE(R);
    EXPECT_EQ(Checked(R), Rows[R - 1].Checked);
    EXPECT_EQ(G->Cells(cCertificate, R), Rows[R - 1].Certificate);
    EXPECT_EQ(G->Cells(cMnemonic, R), Rows[R - 1].Mnemonic);
  }
}

TEST_F(TLSFormTest, AFileThatDoesNotLoadCompletelyIsReported)
{
  QByteArray Eleven = "<TLS_Server_Known_Cert>";
  for (int R = 1; R <= 11; ++R)
    Eleven += "<row Certificate=\"c" + QByteArray::number(R) + "\"/>";
  Eleven += "</TLS_Server_Known_Cert>";
  const struct {
    const char *Name;
    QByteArray Xml;
    const char *Row_1;
  } Cases[] = {
      {"damaged", "<TLS_Server_Known_Cert><row Certificate=\"a\"/><row Certificate=", ""},
      {"eleven rows", Eleven, "c1"},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Name);
    Boxes.clear();
    testsupport::WriteBytes(Path(), C.Xml);
    F->FormShow(nullptr);
    EXPECT_FALSE(F->Load_Complete());
    EXPECT_EQ(G->Cells(cCertificate, 1), C.Row_1);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Type, mtError);
    EXPECT_TRUE(Boxes[0].Text.contains("TLS_Known_Cert.xml")) << Boxes[0].Text.toStdString();
    Answers = {mrNo};
    F->SetModalResult(mrNone);
    F->Btn_OKClick(nullptr);
    EXPECT_EQ(F->ModalResult(), mrNone);
    EXPECT_EQ(testsupport::ReadBytes(Path()), C.Xml);
  }
}

TEST_F(TLSFormTest, RowButtonsMoveTextsAndCheckStates)
{
  for (int R = 1; R <= 10; ++R)
    Row(R, QStringLiteral("c%1").arg(R), QString(), R % 2 == 0);
  G->SetRowEx(10);
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList({"Are you sure to delete the Row number 10"}));
  EXPECT_EQ(G->Cells(cCertificate, 10), "");
  EXPECT_TRUE(Checked(10));

  G->SetRowEx(2);
  F->Btn_InsRowClick(nullptr);
  EXPECT_EQ(G->Cells(cCertificate, 2), "");
  EXPECT_TRUE(Checked(2));
  EXPECT_EQ(G->Cells(cCertificate, 3), "c2");
  EXPECT_TRUE(Checked(3));
  EXPECT_EQ(G->Cells(cCertificate, 10), "c9");

  // A row whose texts are empty is not in use, whatever its check box shows.
  G->SetRowEx(1);
  F->Btn_CopyRowClick(nullptr);
  EXPECT_TRUE(F->Do_Copy(0));
  G->SetRowEx(2);
  G->SetCheckBoxState(cEnable, 2, true);
  Boxes.clear();
  F->Btn_PasteRowClick(nullptr);
  EXPECT_TRUE(Boxes.empty());
  EXPECT_EQ(G->Cells(cCertificate, 2), "c1");
  EXPECT_FALSE(Checked(2));

  // A single blank makes it used.
  Row(4, "", " ");
  G->SetRowEx(4);
  Answers = {mrNo};
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1100)}));
  EXPECT_EQ(G->Cells(cCertificate, 4), "");
}

// A row copied in a column grid is not pasted here, and one copied here is not pasted there.
TEST_F(TLSFormTest, RowsDoNotCrossBetweenAColumnGridAndThisGrid)
{
  TFMQTT_Set_Topic MQTT(nullptr);
  MQTT.AfterConstruction();
  MQTT.FormShow(nullptr);
  MQTT.Grid(0)->SetCells(mqttcols::cTopic, 1, "a/b");
  MQTT.Btn_CopyRowClick(nullptr);
  F->FormShow(nullptr);
  F->Btn_PasteRowClick(nullptr);
  F->Set_Do_Copy(0, true);
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(G->Cells(cCertificate, 1), "");
  EXPECT_TRUE(Checked(1));

  Row(1, Pem, "m", false);
  F->Btn_CopyRowClick(nullptr);
  MQTT.FormShow(nullptr);
  MQTT.Grid(0)->SetRowEx(2);
  MQTT.Btn_PasteRowClick(nullptr);
  MQTT.Set_Do_Copy(0, true);
  MQTT.Btn_PasteRowClick(nullptr);
  EXPECT_EQ(MQTT.Grid(0)->Cells(mqttcols::cTopic, 2), "");
  EXPECT_EQ(Box_Texts(), QStringList({Lang_Text(1102), Lang_Text(1101), Lang_Text(1102), Lang_Text(1101)}));
}

// The plain-grid look, and the grid events of the common pattern with hints that never show.
TEST_F(TLSFormTest, TextsLookAndGridEvents)
{
  EXPECT_EQ(F->Caption(), "Definition the list of Known Certificates");
  EXPECT_EQ(F->ClientWidth(), 800);
  EXPECT_EQ(F->ClientHeight(), 337);
  EXPECT_EQ(G->ColCount(), 4);
  EXPECT_EQ(G->RowCount(), 11);
  const struct {
    int Col;
    const char *Header;
    int Width;
    TColor Color;
  } Cases[] = {
      {cN, "N", 40, clNone},
      {cEnable, "Enable", 50, RGB(0xFF, 0xD8, 0xB0)},
      {cCertificate, "Certificate", 500, RGB(0xE0, 0xFA, 0xFE)},
      {cMnemonic, "Mnemonic", 160, clWhite},
  };
  for (const auto &C : Cases) {
    SCOPED_TRACE(C.Header);
    EXPECT_EQ(G->Cells(C.Col, 0), C.Header);
    EXPECT_EQ(G->ColWidths(C.Col), C.Width);
    if (C.Col > 0)
      EXPECT_EQ(G->Colors(C.Col, 10), C.Color);
  }
  EXPECT_EQ(G->Alignments(cEnable, 3), taCenter);
  EXPECT_EQ(G->RowHeights(0), 22);
  EXPECT_EQ(G->RowHeights(1), 60);
  EXPECT_EQ(G->RowHeights(10), 60);
  EXPECT_EQ(G->VAlignment(), vtaCenter);
  EXPECT_TRUE(G->Options().Contains(goColSizing));
  EXPECT_TRUE(G->Options().Contains(goRowSizing));
  EXPECT_FALSE(G->ShowHint());

  ASSERT_TRUE(G->OnClickCell);
  G->OnClickCell(G, 4, 0);
  EXPECT_EQ(G->Selection().Top, 4);
  EXPECT_EQ(G->Selection().Bottom, 4);
  ASSERT_TRUE(G->OnGridHint);
  const struct {
    int Row, Col;
    const char *Hint;
  } Hints[] = {{0, 1, "Enable/Disable the Row with TLS Certificate"},
               {0, 3, "Insert a Description of TLS Certificate"},
               {0, 0, ""},
               {2, 2, ""}};
  for (const auto &H : Hints) {
    QString Hint = QStringLiteral("before");
    G->OnGridHint(G, H.Row, H.Col, Hint);
    EXPECT_EQ(Hint, H.Hint) << H.Row << "," << H.Col;
  }
  EXPECT_TRUE(G->OnDblClickCell);
  EXPECT_TRUE(G->OnKeyPress);
}

}  // namespace
