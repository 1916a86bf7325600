// The IEC 61850 variable form: its checks (the factor read with the program's decimal
// separator), its file of rows under the root with every attribute optional, its departures.
#include "tables/fiec61850_variables.h"
#include "tests/tables/tables_fixture.h"

#include "framework/system/sysutils.h"
#include "project/validators.h"

using namespace ieccols;
using namespace tablestest;

namespace {

class IECForm : public TablesTest {
protected:
  void SetUp() override
  {
    TablesTest::SetUp();
    Saved_Separator = FormatSettings.DecimalSeparator;
    AppState().File_IEC61850_Variables = Dir.path() + QStringLiteral("/IEC61850_Variables.xml");
    F = std::make_unique<TFIEC61850_Variables>(nullptr);
    F->AfterConstruction();
    F->FormShow(nullptr);
    G = F->Grid(0);
  }
  void TearDown() override
  {
    FormatSettings.DecimalSeparator = Saved_Separator;
    TablesTest::TearDown();
  }
  void Fill(int Row)
  {
    const QStringList Cells = {"Y", "temp", "Float", "4", "N", "100", "", "None", "None", "N", "N", "boiler"};
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
  QString Path() const { return AppState().File_IEC61850_Variables; }

  QChar Saved_Separator;
  std::unique_ptr<TFIEC61850_Variables> F;
  TZavStringGrid *G = nullptr;
};

TEST_F(IECForm, EveryCheckFailsWithItsMessageAtItsBoundaries)
{
  struct TCase {
    std::vector<std::pair<int, const char *>> Cells;
    int Message;
    const char *Suffix;
  } Cases[] = {
      {{{cLength, "4"}}, 0, ""},
      {{{cLength, "5"}}, 1541, ""},
      {{{cLength, "0"}}, 1541, ""},
      {{{cLength, ""}, {cType, "Digital (Bit)"}}, 1541, ""},
      {{{cPosition, "1437"}}, 0, ""},
      {{{cPosition, "1438"}}, 1530, "1437"},
      {{{cPosition, " 7"}}, 0, ""},
      {{{cType, "Digital (Bit)"}}, 1538, ""},
      {{{cType, "Digital (Bit)"}, {cStart_Bit, "3"}}, 0, ""},
      {{{cType, "digital (bit)"}}, 0, ""},
      {{{cType, "Int"}}, 0, ""},
      {{{cType, ""}}, 0, ""},
      {{{cConversion, " "}}, 1539, ""},
      {{{cConversion, ""}, {cType, "Int"}}, 1539, ""},
      {{{cFactor, "none"}}, 0, ""},
      {{{cFactor, " NONE "}}, 0, ""},
      {{{cFactor, "2,5"}}, 0, ""},
      {{{cFactor, "2.5"}}, 0, ""},
      {{{cFactor, "-0.001"}}, 0, ""},
      {{{cFactor, ""}}, 1540, ""},
      {{{cFactor, "2,5,1"}}, 1540, ""},
      {{{cFactor, "abc"}}, 1540, ""},
      {{{cFactor, "1e40"}}, 1540, ""},
  };
  for (QChar Separator : {QLatin1Char('.'), QLatin1Char(',')}) {
    FormatSettings.DecimalSeparator = Separator;
    for (const TCase &C : Cases) {
      std::string Name = std::string("separator ") + char(Separator.unicode()) + ": ";
      for (const auto &[Col, Value] : C.Cells)
        Name += std::to_string(Col) + "='" + Value + "' ";
      SCOPED_TRACE(Name);
      F->FormShow(nullptr);
      Fill(1);
      Fill(2);
      for (const auto &[Col, Value] : C.Cells)
        G->SetCells(Col, 2, QString::fromUtf8(Value));
      EXPECT_EQ(Check(), C.Message ? Lang_Text(1529) + "2" + Lang_Text(C.Message) + C.Suffix : QString());
    }
  }
}

// A factor the form accepts is one the program reads back with its own separator.
TEST_F(IECForm, AnAcceptedFactorReadsBack)
{
  for (QChar Separator : {QLatin1Char('.'), QLatin1Char(',')}) {
    FormatSettings.DecimalSeparator = Separator;
    EXPECT_EQ(Get_Decimal_Separator(), Separator);
    for (const char *Text : {"2,5", "2.5"}) {
      EXPECT_FALSE(TFIEC61850_Variables::Error_In_Factor(Text, Get_Decimal_Separator()));
      float Value = 0;
      EXPECT_TRUE(Text_To_Single(Text, Get_Decimal_Separator(), Value));
      EXPECT_FLOAT_EQ(Value, 2.5f);
    }
  }
  // The form takes the separator at OK, not at its creation.
  FormatSettings.DecimalSeparator = QLatin1Char('.');
  Fill(1);
  G->SetCells(cFactor, 1, "1,25");
  EXPECT_EQ(Check(), "");
}

TEST_F(IECForm, FileShapeExactlyAndBackAgain)
{
  Fill(1);
  G->SetCells(cName, 1, " temp ");
  G->SetCells(cEnable, 2, "N");
  G->SetCells(cName, 2, "bad\tname");
  G->SetCells(cLength, 2, "9");
  G->SetCells(cName, 4, "dropped");
  F->Btn_OKClick(nullptr);
  ASSERT_EQ(F->ModalResult(), mrOk) << Box_Texts().join("|").toStdString();
  EXPECT_EQ(testsupport::ReadBytes(Path()),
            QByteArray("<IEC61850_Variables><row Enable=\"Y\" Name=\" temp \" Type=\"Float\" Length=\"4\" ReadOnly=\"N\" "
                       "Position=\"100\" StartBit=\"\" Conversion=\"None\" MultiplicationFactor=\"None\" Swap=\"N\" "
                       "SwapWord=\"N\" Mnemonic=\"boiler\"/><row Enable=\"N\" Name=\"bad&#09;name\" Type=\"\" "
                       "Length=\"9\" ReadOnly=\"\" Position=\"\" StartBit=\"\" Conversion=\"\" "
                       "MultiplicationFactor=\"\" Swap=\"\" SwapWord=\"\" Mnemonic=\"\"/></IEC61850_Variables>"
                       "<!--SW_VERSION = 1.000-->\n"));
  F->FormShow(nullptr);
  EXPECT_EQ(G->Cells(cName, 1), " temp ");
  EXPECT_EQ(G->Cells(cName, 2), "bad\tname");
  EXPECT_EQ(G->Cells(cName, 4), "");
  EXPECT_TRUE(F->Load_Complete());
}

// No attribute is required: a missing one gives "Y" for Enable, "N" for the three boxes and an
// empty cell otherwise; a row without a Name ends what OK keeps, which the user is told.
TEST_F(IECForm, EveryAttributeIsOptional)
{
  testsupport::WriteBytes(Path(), "<IEC61850_Variables><row Name=\"a\"/><row Name=\"b\" ReadOnly=\"Y\" Length=\"2\"/>"
                                  "</IEC61850_Variables>");
  F->FormShow(nullptr);
  EXPECT_TRUE(F->Load_Complete());
  EXPECT_TRUE(Boxes.empty());
  struct TCase {
    int Row, Col;
    const char *Text;
  } Cases[] = {{1, cEnable, "Y"}, {1, cRead_Only, "N"}, {1, cSwap, "N"},   {1, cSwap_Word, "N"},
               {1, cType, ""},    {1, cFactor, ""},     {2, cRead_Only, "Y"}, {2, cLength, "2"}};
  for (const TCase &C : Cases)
    EXPECT_EQ(G->Cells(C.Col, C.Row), C.Text) << C.Row << "," << C.Col;

  testsupport::WriteBytes(Path(), "<IEC61850_Variables><row Name=\"a\"/><row Length=\"2\"/><row Name=\"c\"/>"
                                  "</IEC61850_Variables>");
  Boxes.clear();
  F->FormShow(nullptr);
  EXPECT_FALSE(F->Load_Complete());
  EXPECT_EQ(Boxes.size(), 1u);
  EXPECT_EQ(G->Cells(cName, 1), "a");

  testsupport::WriteBytes(Path(), "<IEC61850_Variables><row Name=\"a\"");
  Boxes.clear();
  F->FormShow(nullptr);
  EXPECT_FALSE(F->Load_Complete());
  EXPECT_EQ(Boxes.size(), 1u);
}

// 50 rows, a data array of 1438, hints never shown (the grid does not ask) and emptied outside
// the header, the header texts in the column items.
TEST_F(IECForm, Departures)
{
  EXPECT_EQ(G->RowCount(), 51);
  EXPECT_EQ(F->NByte_IN(), 1438);
  EXPECT_FALSE(G->ShowHint());
  QString Hint = "x";
  G->OnGridHint(G, 0, cFactor, Hint);
  EXPECT_EQ(Hint, Lang_Text(1537));
  G->OnGridHint(G, 1, cFactor, Hint);
  EXPECT_EQ(Hint, "");
  EXPECT_EQ(F->ACG->Columns()->Items(cStart_Bit)->Header(), Lang_Text(1532));
  EXPECT_EQ(F->ClientWidth(), 1055);
  G->SetRowEx(50);
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);
  EXPECT_EQ(Box_Texts(), QStringList{Lang_Text(1531) + "50"});
}

}  // namespace
