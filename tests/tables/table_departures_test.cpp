// The ways a form departs from the common pattern, said in its description and carried out by the
// base form and the generic routines: each shown on a small one-grid description.
#include "framework/stdctrls/comctrls.h"
#include "framework/system/paths.h"
#include "grid/foundation/cell_properties.h"
#include "grid/view/editor_wrappers.h"
#include "project/table_rows.h"
#include "tables/table_data.h"
#include "tests/tables/tables_fixture.h"

#include <QDir>

using namespace tablestest;

namespace {

// One grid of four rows: N, Enable, Key, Value, Note; rows under the root "Small".
TTableFormDesc Small(bool Plain = false)
{
  TTableFormDesc D;
  D.Form_Name = QStringLiteral("FSmall");
  D.Client_Width = 500;
  D.File = &TAppState::File_KNX_SetAccess;
  D.Root = "Small";
  D.Version = QStringLiteral("SW_VERSION = 1.000");
  D.Caption_Text = 1200;
  D.Desc_Text = 1201;
  D.First_Button_Text = 1202;
  D.Error_Row_Text = 1270;
  D.Delete_Question_Text = 1325;
  TGridDesc G;
  G.Grid_Name = QStringLiteral("ZSG");
  G.Data_Rows = 4;
  G.Key_Col = 2;
  G.Enable_Col = 1;
  G.Insert_Enabled = true;
  G.Plain_String_Grid = Plain;
  const TCellKeeping Box = Plain ? TCellKeeping::ckGridCheckBox : TCellKeeping::ckText;
  G.Columns = {
      {.Col = 0, .Header_Text = 1216, .Load = TLoadPolicy::lpNotLoaded, .Width = 40},
      {.Col = 1, .Header_Text = 1217, .Hint_Text = 1244, .Editor = Plain ? edNormal : edDataCheckBox, .Keeping = Box,
       .Attribute = "Enable", .Load = TLoadPolicy::lpDefault, .Default = QStringLiteral("Y"),
       .Reset_Text = QStringLiteral("Y"), .Width = 50, .Color = clYellow, .Alignment = taCenter},
      {.Col = 2, .Header_Text = 1218, .Hint_Text = 1245, .Attribute = "Key", .Load = TLoadPolicy::lpDefault,
       .Width = 80, .Color = clAqua},
      {.Col = 3, .Header_Text = 1219, .Hint_Text = 1246, .Attribute = "Value", .Load = TLoadPolicy::lpDefault,
       .Width = 60},
      {.Col = 4, .Header_Text = 1220, .Hint_Text = 1247, .Attribute = "Note", .Load = TLoadPolicy::lpDefault,
       .Width = 60},
  };
  G.Checks = {Check_Range(3, 0, 10, 1272)};
  D.Grids = {G};
  return D;
}

class TFSmall : public TTableForm {
public:
  explicit TFSmall(TTableFormDesc D) : TTableForm(nullptr, std::move(D)) {}
};

class TableDeparturesTest : public TablesTest {
protected:
  TZavStringGrid *Open(TTableFormDesc D)
  {
    F = std::make_unique<TFSmall>(std::move(D));
    F->AfterConstruction();
    F->FormShow(nullptr);
    return F->Grid(0);
  }
  QString Path() const { return AppState().File_KNX_SetAccess; }
  bool Checked(TZavStringGrid *G, int Col, int Row)
  {
    bool State = false;
    EXPECT_TRUE(G->GetCheckBoxState(Col, Row, State));
    return State;
  }

  std::unique_ptr<TFSmall> F;
};

// A grid-held check box is cleared by exactly "N" and checked by anything else (missing too).
TEST_F(TableDeparturesTest, AGridHeldCheckBoxLoadsUncheckedOnlyForExactlyN)
{
  testsupport::WriteBytes(Path(), "<Small><row Enable=\"Y\" Key=\"a\"/><row Enable=\"y\" Key=\"b\"/>"
                                  "<row Enable=\"n\" Key=\"c\"/><row Enable=\"\" Key=\"d\"/></Small>");
  TZavStringGrid *G = Open(Small(true));
  for (int R = 1; R <= 4; ++R)
    EXPECT_TRUE(Checked(G, 1, R)) << R;
  testsupport::WriteBytes(Path(), "<Small><row Enable=\"N\" Key=\"a\"/><row Key=\"b\"/><row Enable=\"N \" Key=\"c\"/></Small>");
  F->FormShow(nullptr);
  EXPECT_FALSE(Checked(G, 1, 1));
  EXPECT_TRUE(Checked(G, 1, 2));
  EXPECT_TRUE(Checked(G, 1, 3));
  EXPECT_TRUE(Checked(G, 1, 4));  // the reset
  F->Save_Table();
  EXPECT_TRUE(testsupport::ReadBytes(Path()).startsWith("<Small><row Enable=\"N\" Key=\"a\""));
}

// Multi-line texts (certificates in PEM form) with tabs come back exactly, in either grid kind.
TEST_F(TableDeparturesTest, LineBreaksAndTabsSurviveSaveAndLoad)
{
  const QString Text = QStringLiteral("-----BEGIN CERTIFICATE-----\r\nMIIB\tIjAN\nBgkq\r-----END-----\n");
  for (bool Plain : {false, true}) {
    SCOPED_TRACE(Plain);
    TZavStringGrid *G = Open(Small(Plain));
    G->SetCells(2, 1, Text);
    G->SetCells(3, 1, QStringLiteral("1"));
    G->SetCells(4, 1, QStringLiteral("\t tab first"));
    F->Btn_OKClick(nullptr);
    ASSERT_EQ(F->ModalResult(), mrOk) << Box_Texts().join("|").toStdString();
    G->SetCells(2, 1, "");
    F->FormShow(nullptr);
    EXPECT_EQ(G->Cells(2, 1), Text);
    EXPECT_EQ(G->Cells(4, 1), "\t tab first");
    EXPECT_TRUE(F->Load_Complete());
  }
}

TEST_F(TableDeparturesTest, HeaderTextsGoWhereTheDescriptionSays)
{
  for (THeaderPlace Place : {THeaderPlace::hpColumnItems, THeaderPlace::hpHeaderCells}) {
    TTableFormDesc D = Small();
    D.Grids[0].Header_Place = Place;
    Open(D);
    TZavColumnGrid *CG = F->Column_Grid(0);
    EXPECT_EQ(CG->Cells(2, 0), Lang_Text(1218));
    EXPECT_EQ(CG->Columns()->Items(2)->Header(), Place == THeaderPlace::hpColumnItems ? Lang_Text(1218) : QString());
  }
}

TEST_F(TableDeparturesTest, TheHintRuleDecidesColumnListAndOtherCells)
{
  struct TCase {
    THintRule Rule;
    int Row, Col;
    QString Hint;
  } Cases[] = {
      // Column 2 is hidden: display column 2 is real column 3.
      {THintRule::hrRealColumnKeep, 0, 2, Lang_Text(1246)},
      {THintRule::hrRealColumnKeep, 1, 2, "kept"},
      {THintRule::hrRealColumnKeep, 0, 0, "kept"},
      {THintRule::hrRealColumnEmpty, 0, 2, Lang_Text(1246)},
      {THintRule::hrRealColumnEmpty, 1, 2, ""},
      {THintRule::hrRealColumnEmpty, 0, 0, ""},
      {THintRule::hrDisplayEmpty, 0, 2, Lang_Text(1245)},
      {THintRule::hrDisplayEmpty, 2, 3, ""},
      {THintRule::hrActivePageEmpty, 0, 1, Lang_Text(1244)},
      {THintRule::hrActivePageEmpty, 3, 1, ""},
      {THintRule::hrNone, 0, 1, "kept"},
      {THintRule::hrNone, 1, 1, "kept"},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(testing::Message() << int(C.Rule) << ": " << C.Row << "," << C.Col);
    TTableFormDesc D = Small();
    D.Grids[0].Hint_Rule = C.Rule;
    D.Grids[0].Columns[2].Hidden = true;
    TZavStringGrid *G = Open(D);
    QString Hint = "kept";
    G->OnGridHint(G, C.Row, C.Col, Hint);
    EXPECT_EQ(Hint, C.Hint);
  }
}

// On a two-grid form the active-page rule takes the list of the shown tab, whichever grid asks.
TEST_F(TableDeparturesTest, TheActivePageRuleTakesTheShownTabsList)
{
  TTableFormDesc D = Small();
  D.Grids[0].Sheet_Name = QStringLiteral("TS_A");
  D.Grids[0].Hint_Rule = THintRule::hrActivePageEmpty;
  D.Grids[0].Section = "A";
  TGridDesc B = D.Grids[0];
  B.Grid_Name = QStringLiteral("ZSG_B");
  B.Sheet_Name = QStringLiteral("TS_B");
  B.Section = "B";
  for (TColumnDesc &C : B.Columns)
    C.Hint_Text += 10;
  D.Grids.push_back(B);
  TZavStringGrid *G = Open(D);
  F->PageControl1->SetActivePageIndex(1);
  QString Hint;
  G->OnGridHint(G, 0, 2, Hint);
  EXPECT_EQ(Hint, Lang_Text(1255));
}

TEST_F(TableDeparturesTest, OnlyTheEventsTheDescriptionNamesAreBound)
{
  TTableFormDesc D = Small();
  TZavStringGrid *G = Open(D);
  EXPECT_TRUE(G->OnClickCell && G->OnDblClickCell && G->OnKeyPress && G->OnGridHint);
  EXPECT_FALSE(G->OnGetEditorType || G->OnComboChange || G->OnCheckBoxClick);
  D.Grids[0].Events = {.Click = false, .Dbl_Click = false, .Key_Press = false, .Hint = false};
  G = Open(D);
  EXPECT_FALSE(G->OnClickCell || G->OnDblClickCell || G->OnKeyPress || G->OnGridHint);
  D.Grids[0].Events = {.Click = false};
  G = Open(D);
  EXPECT_FALSE(G->OnClickCell);
  EXPECT_TRUE(G->OnDblClickCell && G->OnKeyPress && G->OnGridHint);
  // A handler of an event the description leaves unbound does nothing when called.
  D.Grids[0].Events = {.Click = false, .Dbl_Click = false, .Key_Press = false, .Hint = false};
  G = Open(D);
  G->SetRowEx(3);
  F->ClickCell(G, 1, 0);
  EXPECT_EQ(G->GetRowEx(), 3);
  QString Hint = QStringLiteral("grid's own");
  F->GridHint(G, 0, 2, Hint);
  EXPECT_EQ(Hint, "grid's own");
}

// What the row checks gather for a form-wide check (here the keys, which must differ) starts
// empty at every walk, also after a walk that stopped at a failing row.
TEST_F(TableDeparturesTest, WhatTheChecksGatherStartsEmptyAtEveryWalk)
{
  QStringList Keys;
  TTableFormDesc D = Small();
  D.Grids[0].Checks.push_back(Check_Custom(2, 1273, [this, &Keys](int Row) {
    Keys << F->Grid(0)->Cells(2, Row);
    return false;
  }));
  D.Table_Checks = {{.Message = 1274, .Fails = [&Keys] { return Keys.removeDuplicates() > 0; }}};
  D.Before_Checks = [&Keys] { Keys.clear(); };
  TZavStringGrid *G = Open(D);
  struct TCase {
    const char *Name;
    QStringList Rows;  // key:value per row
    bool Passes;
    QStringList Gathered;
  };
  const TCase Cases[] = {
      {"a row fails after one was gathered", {"a:1", "b:11"}, false, {"a"}},
      {"every row gathered, all different", {"a:1", "b:2"}, true, {"a", "b"}},
      {"the same key twice", {"a:1", "a:2", "c:3"}, false, {"a", "c"}},
      {"again, all different", {"c:1", "a:2"}, true, {"c", "a"}},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    for (int R = 1; R <= 4; ++R) {
      const QStringList Cell = R <= C.Rows.size() ? C.Rows[R - 1].split(':') : QStringList{"", ""};
      G->SetCells(2, R, Cell[0]);
      G->SetCells(3, R, Cell[1]);
    }
    Boxes.clear();
    EXPECT_EQ(F->Controllo_dati(), C.Passes);
    EXPECT_EQ(Keys, C.Gathered);
  }
}

TEST_F(TableDeparturesTest, TheEnableTestReadsTheCellAsTheDescriptionSays)
{
  struct TCase {
    TEnableTest Test;
    QString Text;
    bool Enabled;
  } Cases[] = {
      {TEnableTest::etTrimmed, "Y", true},          {TEnableTest::etTrimmed, " Y ", true},
      {TEnableTest::etTrimmed, "y", false},         {TEnableTest::etTrimmedUpper, " y\t", true},
      {TEnableTest::etTrimmedUpper, "N", false},    {TEnableTest::etUpper, "y", true},
      {TEnableTest::etUpper, " y", false},          {TEnableTest::etUpper, "Y ", false},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(testing::Message() << int(C.Test) << " '" << C.Text.toStdString() << "'");
    TTableFormDesc D = Small();
    D.Grids[0].Enable_Test = C.Test;
    TZavStringGrid *G = Open(D);
    G->SetCells(1, 1, C.Text);
    G->SetCells(2, 1, "k");
    G->SetCells(3, 1, "99");  // fails the range when checked
    EXPECT_EQ(Row_Enabled(G, D.Grids[0], 1), C.Enabled);
    EXPECT_EQ(F->Controllo_dati(), !C.Enabled);
  }
  // A plain grid's Enable is its check box.
  TTableFormDesc D = Small(true);
  TZavStringGrid *G = Open(D);
  G->SetCheckBoxState(1, 1, false);
  EXPECT_FALSE(Row_Enabled(G, D.Grids[0], 1));
  G->SetCheckBoxState(1, 1, true);
  EXPECT_TRUE(Row_Enabled(G, D.Grids[0], 1));
}

// Skipping blank keys: the walk goes past them to the last row, the save writes every row with a
// key, and a file row with a blank key loads without a report (nothing is lost by it).
TEST_F(TableDeparturesTest, ABlankKeyStopsOrIsSkipped)
{
  for (TBlankKey Rule : {TBlankKey::bkStop, TBlankKey::bkSkip}) {
    SCOPED_TRACE(int(Rule));
    TTableFormDesc D = Small();
    D.Grids[0].Blank_Key = Rule;
    TZavStringGrid *G = Open(D);
    G->SetCells(2, 1, "a");
    G->SetCells(3, 1, "1");
    G->SetCells(3, 2, "99");  // no key: never checked
    G->SetCells(2, 3, "c");
    G->SetCells(3, 3, "99");
    Boxes.clear();
    EXPECT_EQ(F->Controllo_dati(), Rule == TBlankKey::bkStop);
    EXPECT_EQ(Rows_In_Use(G, D.Grids[0]), Rule == TBlankKey::bkStop ? 1 : 2);
    G->SetCells(3, 3, "2");
    F->Btn_OKClick(nullptr);
    EXPECT_EQ(F->ModalResult(), mrOk);
    const QByteArray Saved = testsupport::ReadBytes(Path());
    EXPECT_EQ(Saved.contains("Key=\"c\""), Rule == TBlankKey::bkSkip) << Saved.toStdString();
    EXPECT_FALSE(Saved.contains("99"));

    testsupport::WriteBytes(Path(), "<Small><row Key=\"a\"/><row Key=\" \"/><row Key=\"c\"/></Small>");
    Boxes.clear();
    F->FormShow(nullptr);
    EXPECT_EQ(F->Load_Complete(), Rule == TBlankKey::bkSkip);
    EXPECT_EQ(Boxes.size(), Rule == TBlankKey::bkSkip ? 0u : 1u);
  }
}

// Numbering the enabled rows only: after the load, every row button and a click on an Enable box.
TEST_F(TableDeparturesTest, EnabledRowNumbersFollowLoadRowButtonsAndEnableClicks)
{
  TTableFormDesc D = Small();
  D.Grids[0].Row_Numbers = TRowNumbers::rnEnabled;
  D.Grids[0].Enable_Test = TEnableTest::etUpper;
  testsupport::WriteBytes(Path(), "<Small><row Key=\"a\"/><row Enable=\"N\" Key=\"b\"/><row Enable=\"y\" Key=\"c\"/></Small>");
  TZavStringGrid *G = Open(D);
  auto Numbers = [&G] {
    QStringList L;
    for (int R = 1; R <= 4; ++R)
      L << G->Cells(0, R);
    return L.join(",");
  };
  EXPECT_EQ(Numbers(), "1,,2,3");
  ASSERT_TRUE(G->OnCheckBoxClick);
  G->SetCells(1, 2, "Y");
  G->OnCheckBoxClick(G, 1, 2, true);
  EXPECT_EQ(Numbers(), "1,2,3,4");
  G->SetCells(1, 1, "N");
  G->OnCheckBoxClick(G, 3, 1, false);  // another column: nothing
  EXPECT_EQ(Numbers(), "1,2,3,4");
  G->SetRowEx(1);
  Answers = {mrYes};
  F->Btn_DelRowClick(nullptr);  // the last row comes back empty and disabled
  EXPECT_EQ(Numbers(), "1,2,3,");
  F->Btn_InsRowClick(nullptr);
  EXPECT_EQ(Numbers(), "1,2,3,4");
  F->Btn_CopyRowClick(nullptr);
  G->SetCells(1, 2, "N");
  G->SetRowEx(3);
  Answers = {mrYes};
  F->Btn_PasteRowClick(nullptr);
  EXPECT_EQ(Numbers(), "1,,2,3");

  D.Grids[0].Row_Numbers = TRowNumbers::rnAll;
  G = Open(D);
  EXPECT_EQ(Numbers(), "1,2,3,4");
  EXPECT_FALSE(G->OnCheckBoxClick);
}

// One formatter: the joined texts with a bound by row and a text after it, form-wide messages
// without a row, and format texts with the row and the bound for their "%d"s.
TEST_F(TableDeparturesTest, MessagesAreFormattedInOnePlace)
{
  AppState().Lang_Texts[1290] = QStringLiteral("Error row %d!! Value Must be Between 0 and %d");
  AppState().Lang_Texts[1291] = QStringLiteral("Are you sure to delete the Row number %d");
  struct TCase {
    const char *Name;
    bool Format;
    TRowCheck Check;
    std::vector<TTableCheck> Table;
    QString Value;
    QString Message;
  };
  TRowCheck Bounded = Check_Custom(3, 1272, [](int) { return true; });
  Bounded.Suffix_Number = [](int Row) { return Row * 100; };
  Bounded.Suffix_Text = 1273;
  TRowCheck Sized = Check_Position(3, 1277);
  TRowCheck Formatted = Check_Position(3, 1290);
  const TTableCheck Limit{.Message = 1274, .Fails = [] { return true; }, .Suffix_Number = [] { return 2000; }};
  const TCase Cases[] = {
      {"row bound and a text after", false, Bounded, {}, "1", Lang_Text(1270) + "2" + Lang_Text(1272) + "200" + Lang_Text(1273)},
      {"size - 1", false, Sized, {}, "1500", Lang_Text(1270) + "2" + Lang_Text(1277) + "1499"},
      {"format text", true, Formatted, {}, "1500", "Error row 2!! Value Must be Between 0 and 1499"},
      {"form-wide after the rows pass", false, Check_Range(3, 0, 10, 1272), {Limit}, "1", Lang_Text(1274) + "2000"},
  };
  for (const TCase &C : Cases) {
    SCOPED_TRACE(C.Name);
    TTableFormDesc D = Small();
    D.Grids[0].Checks = {C.Check};
    D.Table_Checks = C.Table;
    if (C.Format) {
      D.Message_Style = TTableFormDesc::msFormat;
      D.Delete_Question_Text = 1291;
    }
    TZavStringGrid *G = Open(D);
    for (int R : {1, 2}) {
      G->SetCells(2, R, "k");
      G->SetCells(3, R, R == 1 ? QStringLiteral("1") : C.Value);
    }
    if (C.Check.Kind == TCheckKind::ckCustom)
      F->Grid(0)->SetCells(1, 1, "N");  // the first row is not checked
    Boxes.clear();
    EXPECT_FALSE(F->Controllo_dati());
    EXPECT_EQ(Box_Texts(), QStringList{C.Message});
    G->SetRowEx(2);
    Boxes.clear();
    F->Btn_DelRowClick(nullptr);
    EXPECT_EQ(Box_Texts(), QStringList{C.Format ? QStringLiteral("Are you sure to delete the Row number 2")
                                                : Lang_Text(1325) + "2"});
  }
}

// A load-time fix: a text that is none of the items (case counts) loads as the default.
TEST_F(TableDeparturesTest, ALoadedTextOutsideTheItemsBecomesTheDefault)
{
  TTableFormDesc D = Small();
  TColumnDesc &C = D.Grids[0].Columns[4];
  C.Editor = edComboList;
  C.Items = {{"System", "Urgent", "Normal", "Low"}};
  C.Default = QStringLiteral("Normal");
  C.Load_Only_Items = true;
  testsupport::WriteBytes(Path(), "<Small><row Key=\"a\" Note=\"Low\"/><row Key=\"b\" Note=\"low\"/>"
                                  "<row Key=\"c\" Note=\"\"/><row Key=\"d\"/></Small>");
  TZavStringGrid *G = Open(D);
  EXPECT_EQ(G->Cells(4, 1), "Low");
  EXPECT_EQ(G->Cells(4, 2), "Normal");
  EXPECT_EQ(G->Cells(4, 3), "Normal");
  EXPECT_EQ(G->Cells(4, 4), "Normal");
}

// The hook after each loaded row sees the row's cells and the file row (to tell a missing
// attribute from an empty one).
TEST_F(TableDeparturesTest, AHookRunsAfterEachLoadedRow)
{
  TTableFormDesc D = Small();
  std::vector<QString> Seen;
  TZavStringGrid *Grid = nullptr;
  D.Grids[0].After_Row_Load = [&](int Row, const TTableRow &File_Row) {
    Seen.push_back(QStringLiteral("%1:%2:%3").arg(Row).arg(Grid->Cells(2, Row)).arg(File_Row.Has("Value")));
    if (!File_Row.Has("Value") && Grid->Cells(1, Row) == QLatin1String("Y"))
      Grid->SetCells(3, Row, QStringLiteral("0"));
  };
  testsupport::WriteBytes(Path(), "<Small><row Key=\"a\"/><row Key=\"b\" Value=\"\"/><row Enable=\"N\" Key=\"c\"/></Small>");
  F = std::make_unique<TFSmall>(D);
  F->AfterConstruction();
  Grid = F->Grid(0);
  F->FormShow(nullptr);
  EXPECT_EQ(Seen, (std::vector<QString>{"1:a:0", "2:b:1", "3:c:0"}));
  EXPECT_EQ(Grid->Cells(3, 1), "0");
  EXPECT_EQ(Grid->Cells(3, 2), "");
  EXPECT_EQ(Grid->Cells(3, 3), "");
}

TEST_F(TableDeparturesTest, ThePlainGridLookComesFromTheDescription)
{
  TTableFormDesc D = Small(true);
  D.Grids[0].Look = {.Row_Height = 60, .Header_Height = 22, .Center_Vertically = true, .Col_Sizing = true,
                     .Row_Sizing = true};
  TZavStringGrid *G = Open(D);
  EXPECT_EQ(G->RowHeights(1), 60);
  EXPECT_EQ(G->RowHeights(4), 60);
  EXPECT_EQ(G->RowHeights(0), 22);
  EXPECT_EQ(G->VAlignment(), vtaCenter);
  EXPECT_TRUE(G->Options().Contains(goColSizing));
  EXPECT_TRUE(G->Options().Contains(goRowSizing));
  EXPECT_EQ(G->CellProperties(1, 3)->BrushColor(), clYellow);
  EXPECT_EQ(G->CellProperties(1, 3)->Alignment(), taCenter);
  EXPECT_EQ(G->CellProperties(2, 4)->BrushColor(), clAqua);
  EXPECT_EQ(G->ColWidths(2), 80);

  D.Grids[0].Look = {.Col_Sizing = false};
  G = Open(D);
  EXPECT_FALSE(G->Options().Contains(goColSizing));
  EXPECT_FALSE(G->Options().Contains(goRowSizing));
  EXPECT_EQ(G->VAlignment(), vtaTop);
}

// A plain grid has no column items: its drop-down columns get their kind and items when a cell
// is about to be edited; a choice reaches the column's hook.
TEST_F(TableDeparturesTest, APlainGridServesDropDownsAndReportsChoices)
{
  TTableFormDesc D = Small(true);
  D.Grids[0].Columns[3].Editor = edComboList;
  D.Grids[0].Columns[3].Items = {{"Int16", "String"}};
  std::vector<QString> Chosen;
  D.Grids[0].Columns[3].On_Combo_Change = [&Chosen](int Row, int Index, const QString &Text) {
    Chosen.push_back(QStringLiteral("%1:%2:%3").arg(Row).arg(Index).arg(Text));
  };
  TZavStringGrid *G = Open(D);
  ASSERT_TRUE(G->OnGetEditorType);
  TEditorType Kind = edNormal;
  G->OnGetEditorType(G, 3, 2, Kind);
  EXPECT_EQ(Kind, edComboList);
  QStringList Items;
  for (int I = 0; I < G->Combobox()->Items()->Count(); ++I)
    Items << G->Combobox()->Items()->Strings(I);
  EXPECT_EQ(Items, (QStringList{"Int16", "String"}));
  Kind = edNormal;
  G->OnGetEditorType(G, 2, 2, Kind);
  EXPECT_EQ(Kind, edNormal);

  ASSERT_TRUE(G->OnComboChange);
  G->OnComboChange(G, 3, 2, 1, "String");
  G->OnComboChange(G, 4, 2, 0, "x");  // a column without a hook
  EXPECT_EQ(Chosen, std::vector<QString>{"2:1:String"});
}

// A form may choose fewer rows at a showing than its description holds (a project setting): a
// file saved with more rows is then not loaded completely, which the user is told, and OK asks
// before dropping the surplus.
class TFSized : public TTableForm {
public:
  explicit TFSized(TTableFormDesc D) : TTableForm(nullptr, std::move(D)) {}
  int Rows = 4;
  bool Keep_Page = false;

protected:
  void Show_Sizes() override
  {
    TTableForm::Show_Sizes();
    Set_Table_Rows(0, Rows);
  }
  void Show_First_Page() override
  {
    if (!Keep_Page)
      TTableForm::Show_First_Page();
  }
};

TEST_F(TableDeparturesTest, ASizeChosenAtShowingBelowTheFilesRowsIsAnIncompleteLoad)
{
  const QByteArray Xml = "<Small><row Key=\"a\"/><row Key=\"b\"/><row Key=\"c\"/></Small>";
  testsupport::WriteBytes(Path(), Xml);
  TFSized S(Small());
  S.AfterConstruction();
  S.Rows = 2;
  S.FormShow(nullptr);
  TZavStringGrid *G = S.Grid(0);
  EXPECT_EQ(G->RowCount(), 3);
  EXPECT_FALSE(S.Load_Complete());
  ASSERT_EQ(Boxes.size(), 1u);
  EXPECT_TRUE(Boxes[0].Text.contains("more rows")) << Boxes[0].Text.toStdString();
  EXPECT_EQ(G->Cells(2, 2), "b");
  Boxes.clear();
  Answers = {mrNo};
  S.Btn_OKClick(nullptr);
  EXPECT_EQ(S.ModalResult(), mrNone);
  EXPECT_EQ(testsupport::ReadBytes(Path()), Xml);

  S.Rows = 4;  // the full size again: the reset covers every row, and the file loads whole
  Boxes.clear();
  S.FormShow(nullptr);
  EXPECT_EQ(G->RowCount(), 5);
  EXPECT_TRUE(S.Load_Complete());
  EXPECT_EQ(G->Cells(2, 3), "c");
  EXPECT_EQ(G->Cells(0, 4), "4");
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(TableDeparturesTest, AFormMayKeepItsPageAcrossShowings)
{
  TTableFormDesc D = Small();
  D.Grids[0].Sheet_Name = QStringLiteral("TS_A");
  D.Grids[0].Section = "A";
  TGridDesc B = D.Grids[0];
  B.Grid_Name = QStringLiteral("ZSG_B");
  B.Sheet_Name = QStringLiteral("TS_B");
  B.Section = "B";
  D.Grids.push_back(B);
  for (bool Keep : {false, true}) {
    TFSized S(D);
    S.AfterConstruction();
    S.Keep_Page = Keep;
    S.FormShow(nullptr);
    S.PageControl1->SetActivePageIndex(1);
    S.FormShow(nullptr);
    EXPECT_EQ(S.Active_Grid(), Keep ? 1 : 0);
  }
}

}  // namespace
