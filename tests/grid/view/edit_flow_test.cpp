// The edit flow per editor kind: which editor opens, what it is loaded with, and how its value
// goes back into the cell.
#include "tests/grid/view/edit_fixture.h"

#include <functional>

#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/undo.h"

namespace {

using EditFlow = EditGridTest;

TEST_F(EditFlow, TypingIntoATextCellOpensTheEditorAndEnterCommitsOnce)
{
  TZavGridUndoRedo undo(nullptr);
  g->SetUndoRedo(&undo);
  int changed = 0;
  g->OnCellsChanged = [&](TObject *, TRect) { ++changed; };
  Go(cText, 2);
  SimType(g, "ab");
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "ab");
  EXPECT_EQ(g->Cells(cText, 2), "ab");  // copied while typing
  EXPECT_FALSE(g->Modified());
  SimKey(Editor(), VK_RETURN);
  SimProcess();
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(g->Cells(cText, 2), "ab");
  EXPECT_TRUE(g->Modified());
  EXPECT_TRUE(g->RowModified(2));
  EXPECT_EQ(changed, 1);
  EXPECT_EQ(log, QStringList{"done"});
  ASSERT_EQ(undo.Level(), 1);
  undo.Undo();
  EXPECT_EQ(g->Cells(cText, 2), "t2");
  g->SetUndoRedo(nullptr);
}

TEST_F(EditFlow, EscRestoresTheTextFromBeforeTheEdit)
{
  Go(cText, 3);
  SimKey(g, VK_F2);
  ASSERT_TRUE(EditorShown());
  SimType(Editor(), "zz");
  SimKey(Editor(), VK_ESCAPE);
  SimProcess();
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(g->Cells(cText, 3), "t3");
  EXPECT_FALSE(g->Modified());
}

TEST_F(EditFlow, ClickControlCellsAndEdNoneOpenNoEditor)
{
  g->OnGetEditorType = [](TObject *, int c, int, TEditorType &e) {
    if (c == EditGridTest::cCheck)
      e = edNormal;  // a check-box cell stays a check box whatever the program answers
    if (c == EditGridTest::cText)
      e = edNone;
  };
  for (int c : {int(cCheck), int(cText)}) {
    SCOPED_TRACE(c);
    Go(c, 1);
    SimKey(g, VK_F2);
    SimProcess();
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(g->EditorOpen());
    EXPECT_FALSE(g->Combobox()->Visible());
  }
}

// Opening a combo-list cell: which item is selected, and whether the program hears of it.
TEST_F(EditFlow, ComboListSelectionOnOpen)
{
  struct TCase {
    const char *cell;
    int fallback;  // SetComboSelection
    bool emptyList;
    int index;
    QStringList events;
  } cases[] = {
      {"", -1, false, 0, {"combo 2,1 0 S7300"}},  // an empty cell gets the first item, reported
      {"S7400", -1, false, 1, {}},                 // a listed text: selected, nothing reported
      {"S5", 2, false, 2, {}},                     // not listed, with a fallback
      {"", -1, true, -1, {}},                      // an empty list selects nothing
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.cell);
    g->HideInplaceEdit();
    log.clear();
    g->SetComboSelection(t.fallback);
    g->SetCells(cList, 1, t.cell);
    g->OnGetEditorProp = [&](TObject *, int, int, TEditLink *) {
      if (t.emptyList)
        g->ClearComboString();
    };
    Go(cList, 1);
    SimKey(g, VK_F2);
    SimProcess();
    ASSERT_TRUE(g->Combobox()->Visible());
    EXPECT_EQ(g->Combobox()->ItemIndex(), t.index);
    EXPECT_EQ(log, t.events);
    EXPECT_EQ(g->EditorType(), edComboList);
  }
}

TEST_F(EditFlow, ComboCommitsItsTextOnceAndReportsDoneOnce)
{
  Go(cList, 2);
  SimKey(g, VK_F2);
  SimProcess();
  ASSERT_TRUE(g->Combobox()->Visible());
  g->Combobox()->SetItemIndex(2);
  log.clear();
  g->HideInplaceEdit();
  g->HideCellEdit();  // a second close (the combo's exit) stores nothing more
  SimProcess();
  EXPECT_EQ(g->Cells(cList, 2), "S71200");
  EXPECT_FALSE(g->Combobox()->Visible());
  EXPECT_EQ(log, QStringList{"done"});
}

TEST_F(EditFlow, ComboNotificationsBecomeGridEvents)
{
  Go(cEdit, 1);
  SimKey(g, VK_F2);
  SimProcess();
  ASSERT_EQ(g->EditorType(), edComboEdit);
  TObject *seen = reinterpret_cast<TObject *>(1);
  g->OnComboObjectChange = [&](TObject *, int, int, int, const QString &, TObject *o) { seen = o; };
  log.clear();
  g->Combobox()->SetItemIndex(1);
  g->ComboNotify(CBN_SELCHANGE);
  EXPECT_EQ(log, QStringList{"combo 3,1 1 1"});
  // Typing reports twice (real column with the index, display column with -1).
  log.clear();
  g->Combobox()->SetItemIndex(-1);
  g->Combobox()->SetText("7");
  g->ComboNotify(CBN_EDITCHANGE);
  EXPECT_EQ(log, (QStringList{"combo 3,1 -1 7", "combo 3,1 -1 7"}));
  EXPECT_EQ(seen, nullptr);
  // No selection and an empty list: no item, no object, no failure.
  g->ClearComboString();
  log.clear();
  g->ComboNotify(CBN_SELCHANGE);
  EXPECT_EQ(log, QStringList{"combo 3,1 -1 7"});
}

TEST_F(EditFlow, DirectComboCloseEndsTheEditWithThePickedItem)
{
  g->MouseActions()->SetDirectComboClose(true);
  Go(cList, 3);
  SimKey(g, VK_F2);
  SimProcess();
  g->Combobox()->SetItemIndex(1);
  log.clear();
  g->ComboNotify(CBN_CLOSEUP);
  SimProcess();
  EXPECT_EQ(g->Cells(cList, 3), "S7400");
  EXPECT_FALSE(g->Combobox()->Visible());
  ASSERT_GE(log.size(), 2);
  EXPECT_EQ(log.indexOf("done") < log.indexOf("closeup"), true);
}

TEST_F(EditFlow, ComboItemApi)
{
  g->ClearComboString();
  g->AddComboString("a");
  g->AddComboString("b");
  EXPECT_EQ(g->GetComboCount(), 2);
  EXPECT_TRUE(g->RemoveComboString("a"));
  EXPECT_FALSE(g->RemoveComboString("zz"));
  g->SetComboSelection(0);
  EXPECT_FALSE(g->SetComboSelectionString("zz"));  // the old fallback stays
  EXPECT_TRUE(g->SetComboSelectionString("b"));
  g->SetCells(cText, 1, "b");
  EXPECT_EQ(g->GetComboIndex(cText, 1), 0);
  g->SetCells(cText, 1, "x");
  EXPECT_EQ(g->GetComboIndex(cText, 1), -1);
  // An index outside the list names no item: the cell keeps its text.
  for (int bad : {-1, 1, 99})
    g->SetComboIndex(cText, 1, bad);
  EXPECT_EQ(g->Cells(cText, 1), "x");
  g->SetComboIndex(cText, 1, 0);
  EXPECT_EQ(g->Cells(cText, 1), "b");
}

}  // namespace

namespace {

// A custom editor whose value is a text it keeps; it reports the parent it was made on.
class TTextLink : public TEditLink {
public:
  using TEditLink::TEditLink;
  QString Value;
  TWinControl *MadeOn = nullptr;
  void CreateEditor(TWinControl *AParent) override { MadeOn = AParent; }
  QString GetEditorValue() override { return Value; }
  void SetEditorValue(const QString &s) override { Value = s; }
};

// The combo-list cell whose displayed text names another item than its stored text: the
// program hears the item really selected.
TEST_F(EditFlow, ComboListReportsTheItemItSelects)
{
  g->SetCells(EditGridTest::cList, 1, "x");
  g->OnGetEditText = [](TObject *, int c, int, QString &v) {
    if (c == EditGridTest::cList)
      v = "S71200";
  };
  Go(cList, 1);
  SimKey(g, VK_F2);
  SimProcess();
  EXPECT_EQ(g->Combobox()->ItemIndex(), 2);
  EXPECT_EQ(log, QStringList{"combo 2,1 2 S71200"});
}

// A popup custom editor lives on a form of the grid's own, whatever forms the application has.
TEST_F(EditFlow, CustomPopupEditorOpensOnTheGridsOwnFormAndCommits)
{
  TForm other(nullptr);
  other.SetName("gridform");
  TTextLink link(g);
  link.SetEditStyle(esPopup);
  link.SetPopupWidth(120);
  link.SetPopupHeight(80);
  g->Columns()->Items(cText)->SetEditor(edCustom);
  g->Columns()->Items(cText)->SetEditLink(&link);
  Go(cText, 2);
  SimKey(g, VK_F2);
  SimProcess();
  ASSERT_NE(link.PopupForm(), nullptr);
  EXPECT_EQ(link.MadeOn, link.PopupForm());
  EXPECT_EQ(link.PopupForm()->Owner(), g);
  EXPECT_EQ(link.Value, "t2");
  link.Value = "custom";
  g->HideCellEdit();
  SimProcess();
  EXPECT_EQ(g->Cells(cText, 2), "custom");
  EXPECT_EQ(other.Name(), "gridform");  // untouched
  g->Columns()->Items(cText)->SetEditLink(nullptr);
}

}  // namespace

namespace {

// The special editors the grid hosts, each on the text column: the control that opens over the
// cell with the cell's value, a start character typed on the closed cell, and the value one
// close writes back (a second close writes nothing and reports nothing).
TEST_F(EditFlow, EachSpecialEditorOpensOverTheCellAndCommitsOnce)
{
  TGridCheckBox *check = nullptr;
  for (int i = 0; i < g->ComponentCount() && !check; ++i)
    check = dynamic_cast<TGridCheckBox *>(g->Components(i));
  ASSERT_NE(check, nullptr);
  g->BtnUnitEdit()->Units()->Add("m");
  g->BtnUnitEdit()->Units()->Add("mm");
  auto comboText = [&] { g->Combobox()->SetText("7"); };
  auto comboItem = [&] { g->Combobox()->SetItemIndex(0); };
  auto btnText = [&] { g->BtnEdit()->SetText("7"); };
  auto unitText = [&] { g->BtnUnitEdit()->SetText("7"); };
  auto nothing = [] {};
  struct TCase {
    TEditorType kind;
    TWinControl *control;  // nil: no editor opens
    bool coversBorders;    // placed one pixel outside the cell each way
    // What the control shows when opened with F2, and after "x" typed on the closed cell.
    QString loaded, typed;
    std::function<void()> edit;  // after F2
    // The cell after the close of an edit opened with F2, and of one started by "x".
    QString stored, typedStored;
  } cases[] = {
      {edComboEdit, g->Combobox(), false, "12mm", "12mmx", comboText, "7", "12mmx"},
      {edComboList, g->Combobox(), false, "B", "B", comboItem, "A", "B"},
      {edEditBtn, g->BtnEdit(), false, "12mm", "x", btnText, "7", "x"},
      {edNumericEditBtn, g->BtnEdit(), false, "12mm", "x", btnText, "7", "x"},
      {edFloatEditBtn, g->BtnEdit(), false, "12mm", "x", btnText, "7", "x"},
      {edMaskEditBtn, g->BtnEdit(), false, "12mm", "x", btnText, "7", "x"},
      {edUnitEditBtn, g->BtnUnitEdit(), false, "12", "x", unitText, "7mm", "xmm"},
      {edNumericUnitEditBtn, g->BtnUnitEdit(), false, "12", "x", unitText, "7mm", "xmm"},
      {edFloatUnitEditBtn, g->BtnUnitEdit(), false, "12", "x", unitText, "7mm", "xmm"},
      {edCheckBox, check, false, "12mm", "12mm", nothing, "12mm", "12mm"},
      {edButton, g->Btn(), true, "12mm", "12mm", nothing, "12mm", "12mm"},
      {edSpinEdit, nullptr, false, "", "", nothing, "12mm", "12mm"},  // not hosted: nothing opens
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(TEnumNames<TEditorType>::Names[size_t(t.kind)]);
    g->OnGetEditorType = [&](TObject *, int c, int, TEditorType &e) {
      if (c == EditGridTest::cText)
        e = t.kind;
    };
    g->OnGetEditorProp = [&](TObject *, int, int, TEditLink *) {
      g->ClearComboString();
      for (const char *s : {"A", "B"})
        g->AddComboString(s);
    };
    for (bool byChar : {false, true}) {
      SCOPED_TRACE(byChar);
      g->SetCells(cText, 2, t.kind == edComboList ? "B" : "12mm");
      Go(cText, 2);
      log.clear();
      if (byChar)
        SimType(g, "x");
      else
        SimKey(g, VK_F2);
      SimProcess();
      EXPECT_FALSE(EditorShown());
      EXPECT_EQ(g->EditorOpen(), t.control != nullptr);
      if (t.control) {
        EXPECT_TRUE(t.control->Visible());
        EXPECT_TRUE(t.control->Enabled());
        const TRect r = g->CellRect(cText, 2);
        const int d = t.coversBorders ? 1 : 0;
        EXPECT_EQ(t.control->Left(), r.Left - d);
        EXPECT_EQ(t.control->Top(), r.Top - d);
        EXPECT_EQ(t.control->Width(), r.Right - r.Left - 1 + 2 * d);
        EXPECT_EQ(t.control->Text(), byChar ? t.typed : t.loaded);
        if (!byChar)
          t.edit();
      }
      log.clear();
      g->HideInplaceEdit();
      g->HideCellEdit();
      SimProcess();
      EXPECT_EQ(g->Cells(cText, 2), byChar ? t.typedStored : t.stored);
      EXPECT_EQ(log, t.control ? QStringList{"done"} : QStringList{});
      EXPECT_FALSE(g->EditorOpen());
      if (t.control) {
        EXPECT_FALSE(t.control->Visible());
        EXPECT_FALSE(t.control->Enabled());
      }
    }
  }
}

}  // namespace
