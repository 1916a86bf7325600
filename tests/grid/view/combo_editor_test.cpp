#include <gtest/gtest.h>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

namespace {

struct ComboEvent {
  int col, row, index;
  QString value;
  TObject *object;
};

// A grid whose column 1 is edited with the combo (list or edit style) over the items
// Alpha, Beta, Gamma; each item carries an object.
struct ComboEditor : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *grid = nullptr;
  TEditorType editor = edComboList;
  QStringList items{QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma")};
  TObject objects[3];
  std::vector<ComboEvent> changes, objectChanges;
  std::vector<QString> editChanges;

  void SetUp() override
  {
    form.SetBounds(0, 0, 500, 300);
    grid = new TZavStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 480, 260);
    grid->SetColCount(4);
    grid->SetRowCount(6);
    grid->SetOptions(grid->Options() + goEditing);
    grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &AEditor) {
      if (ACol != 1)
        return;
      AEditor = editor;
      grid->ClearComboString();
      for (int i = 0; i < items.size(); ++i)
        grid->AddComboStringObject(items[i], &objects[i]);
    };
    grid->OnComboChange = [this](TObject *, int c, int r, int i, const QString &v) {
      changes.push_back({c, r, i, v, nullptr});
    };
    grid->OnComboObjectChange = [this](TObject *, int c, int r, int i, const QString &v, TObject *o) {
      objectChanges.push_back({c, r, i, v, o});
    };
    grid->OnEditChange = [this](TObject *, int, int, const QString &v) { editChanges.push_back(v); };
    for (int r = 1; r < 6; ++r)
      grid->SetCells(1, r, QStringLiteral("Beta"));
    form.Show();
    SimProcess();
  }

  TGridCombo *Combo() { return grid->Combobox(); }

  // Opens the combo on (1, ARow) and gives it the focus.
  void Open(int ARow, TEditorType AEditor)
  {
    editor = AEditor;
    grid->SetFocus();
    // Through another cell, as a user gets there: the grid remembers the cell it enters.
    grid->SetCol(2);
    grid->SetRow(ARow);
    grid->SetCol(1);
    grid->ShowInplaceEdit();
    SimProcess();
    ASSERT_TRUE(Combo()->Visible());
    ASSERT_TRUE(Combo()->Focused());
    changes.clear();
    objectChanges.clear();
    editChanges.clear();
  }
};

}  // namespace

TEST_F(ComboEditor, ArrowWithListClosedCommitsToTheEditedCellAndMovesOnce)
{
  const struct {
    TEditorType editor;
    bool getUpDown;
    uint16_t key;
    int startRow, endRow;
  } cases[] = {
      {edComboList, false, VK_DOWN, 2, 3},
      {edComboList, false, VK_UP, 2, 1},
      {edComboEdit, false, VK_DOWN, 2, 3},
      {edComboEdit, false, VK_UP, 3, 2},
      // An edit-style combo commits and moves on with the arrows either way.
      {edComboEdit, true, VK_DOWN, 2, 3},
  };
  for (const auto &c : cases) {
    grid->Navigation()->SetComboGetUpDown(c.getUpDown);
    for (int r = 1; r < 6; ++r)
      grid->SetCells(1, r, QStringLiteral("Beta"));
    Open(c.startRow, c.editor);
    if (c.editor == edComboEdit) {
      Combo()->SelectAll();
      SimType(Combo(), QStringLiteral("Typed"));
    } else {
      Combo()->SetItemIndex(2);
    }
    const QString expected = c.editor == edComboEdit ? QStringLiteral("Typed") : QStringLiteral("Gamma");
    SimKey(Combo(), c.key);
    SimProcess();
    EXPECT_EQ(grid->Row(), c.endRow) << int(c.editor) << " " << c.key;
    EXPECT_FALSE(Combo()->Visible());
    EXPECT_EQ(grid->Cells(1, c.startRow), expected);
    // No other cell took the value.
    for (int r = 1; r < 6; ++r) {
      if (r != c.startRow) {
        EXPECT_EQ(grid->Cells(1, r), QStringLiteral("Beta")) << r;
      }
    }
  }
}

TEST_F(ComboEditor, ComboGetUpDownStepsThroughTheListInstead)
{
  Open(2, edComboList);
  ASSERT_EQ(Combo()->ItemIndex(), 1);
  SimKey(Combo(), VK_DOWN);
  SimProcess();
  EXPECT_TRUE(Combo()->Visible());
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(Combo()->ItemIndex(), 2);
}

TEST_F(ComboEditor, EscRestoresTheStoredTextAndSelectsItsItem)
{
  Open(2, edComboEdit);
  Combo()->SelectAll();
  SimType(Combo(), QStringLiteral("Gam"));
  SimKey(Combo(), VK_ESCAPE);
  SimProcess();
  EXPECT_EQ(Combo()->Text(), QStringLiteral("Beta"));
  EXPECT_EQ(Combo()->ItemIndex(), 1);
  EXPECT_FALSE(Combo()->Visible());
  EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Beta"));
  EXPECT_TRUE(grid->Focused());
}

TEST_F(ComboEditor, EnterCommitsAdvancesAndReopensWithAutoEdit)
{
  grid->Navigation()->SetAdvanceOnEnter(true);
  grid->Navigation()->SetAdvanceDirection(adTopBottom);
  for (const bool autoEdit : {false, true}) {
    grid->Navigation()->SetAdvanceAutoEdit(autoEdit);
    Open(2, edComboEdit);
    Combo()->SelectAll();
    SimType(Combo(), QStringLiteral("New"));
    SimKey(Combo(), VK_RETURN);
    SimProcess();
    EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("New"));
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(Combo()->Visible(), autoEdit);
    if (autoEdit) {
      EXPECT_EQ(Combo()->Text(), QStringLiteral("Beta"));
      SimKey(Combo(), VK_ESCAPE);
    }
  }
}

TEST_F(ComboEditor, RefusedValueStaysInTheEditorFullySelected)
{
  grid->Navigation()->SetAdvanceOnEnter(true);
  grid->Navigation()->SetAdvanceDirection(adTopBottom);
  grid->OnCellValidate = [](TObject *, int, int, QString &Value, bool &Valid) {
    if (Value == QStringLiteral("bad")) {
      Value = QStringLiteral("fixed");
      Valid = false;
    }
  };
  Open(2, edComboEdit);
  Combo()->SelectAll();
  SimType(Combo(), QStringLiteral("bad"));
  SimKey(Combo(), VK_RETURN);
  SimProcess();
  EXPECT_TRUE(Combo()->Visible());
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(Combo()->Text(), QStringLiteral("fixed"));
  EXPECT_EQ(Combo()->SelStart(), 0);
  EXPECT_EQ(Combo()->SelLength(), 5);
  EXPECT_FALSE(grid->FNoAutoAdvance);  // cleared by the key's release
}

TEST_F(ComboEditor, LookupCompletesFromItemsThenLookupItems)
{
  grid->SetLookup(true);
  grid->LookupItems()->Add(QStringLiteral("Delta"));
  Open(2, edComboEdit);
  Combo()->SetText(QString());
  SimType(Combo(), QStringLiteral("b"));
  EXPECT_EQ(Combo()->Text(), QStringLiteral("beta"));
  EXPECT_EQ(Combo()->ItemIndex(), 1);
  EXPECT_EQ(Combo()->SelStart(), 1);
  EXPECT_EQ(Combo()->SelLength(), 3);
  // Backspace takes the completion away and does not complete again.
  SimKey(Combo(), VK_BACK);
  EXPECT_EQ(Combo()->Text(), QStringLiteral("b"));
  Combo()->SetText(QString());
  SimType(Combo(), QStringLiteral("d"));
  EXPECT_EQ(Combo()->Text(), QStringLiteral("delta"));
  EXPECT_EQ(Combo()->SelLength(), 4);
  // Case-sensitive lookup does not match a lower-case start.
  grid->SetLookupCaseSensitive(true);
  Combo()->SetText(QString());
  SimType(Combo(), QStringLiteral("g"));
  EXPECT_EQ(Combo()->Text(), QStringLiteral("g"));
}

TEST_F(ComboEditor, WheelStepsThroughTheItemsAndReportsEachTurn)
{
  const struct {
    int start, delta, expected;
  } cases[] = {
      {1, -120, 2}, {1, 120, 0}, {2, -120, 2}, {0, 120, 0},
  };
  for (const auto &c : cases) {
    Open(2, edComboList);
    Combo()->SetItemIndex(c.start);
    const int top = grid->TopRow();
    SimWheel(Combo(), 10, 5, c.delta);
    SimProcess();
    EXPECT_EQ(Combo()->ItemIndex(), c.expected) << c.start << " " << c.delta;
    EXPECT_EQ(grid->TopRow(), top);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].index, c.expected);
    EXPECT_EQ(changes[0].value, items[c.expected]);
    EXPECT_EQ(changes[0].col, 1);
    EXPECT_EQ(changes[0].row, 2);
    ASSERT_EQ(objectChanges.size(), 1u);
    EXPECT_EQ(objectChanges[0].object, &objects[c.expected]);
    ASSERT_EQ(editChanges.size(), 1u);
    EXPECT_EQ(editChanges[0], items[c.expected]);
    SimKey(Combo(), VK_ESCAPE);
  }
}

TEST_F(ComboEditor, WheelOverAnEmptyListReportsNoItemInsteadOfFailing)
{
  items.clear();
  Open(2, edComboList);
  SimWheel(Combo(), 10, 5, -120);
  SimProcess();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].index, -1);
  EXPECT_EQ(changes[0].value, QString());
  ASSERT_EQ(objectChanges.size(), 1u);
  EXPECT_EQ(objectChanges[0].object, nullptr);
}

TEST_F(ComboEditor, TypingInAListSelectsByFirstLetterAndReportsTheItem)
{
  Open(2, edComboList);
  SimType(Combo(), QStringLiteral("g"));
  EXPECT_EQ(Combo()->ItemIndex(), 2);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes[0].index, 2);
  EXPECT_EQ(changes[0].value, QStringLiteral("Gamma"));
  ASSERT_FALSE(objectChanges.empty());
  EXPECT_EQ(objectChanges[0].object, &objects[2]);
}

TEST_F(ComboEditor, TabIsWantedOnlyWhenTheGridHandlesIt)
{
  const struct {
    bool tabs, validator, wanted;
  } cases[] = {{false, false, false}, {true, false, true}, {false, true, true}};
  for (const auto &c : cases) {
    grid->SetOptions(c.tabs ? grid->Options() + goTabs : grid->Options() - goTabs);
    grid->OnCellValidate = nullptr;
    if (c.validator)
      grid->OnCellValidate = [](TObject *, int, int, QString &, bool &) {};
    TMessage m(CM_WANTSPECIALKEY, VK_TAB, 0);
    Combo()->WndProc(m);
    EXPECT_EQ(m.Result != 0, c.wanted) << c.tabs << c.validator;
    TMessage enter(CM_WANTSPECIALKEY, VK_RETURN, 0);
    Combo()->WndProc(enter);
    EXPECT_NE(enter.Result, 0);
  }
}

TEST_F(ComboEditor, TabWithGoTabsCommitsAndMovesToTheNextCell)
{
  grid->SetOptions(grid->Options() + goTabs);
  Open(2, edComboEdit);
  Combo()->SelectAll();
  SimType(Combo(), QStringLiteral("Tabbed"));
  SimKey(Combo(), VK_TAB);
  SimProcess();
  EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Tabbed"));
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
}

TEST_F(ComboEditor, DropDownWidthFitsTheWidestItem)
{
  TGridCombo *combo = Combo();
  combo->SetWidth(60);
  const QString wide = QStringLiteral("A rather long item text that needs room");
  const int t = grid->Canvas()->TextWidth(wide);
  const struct {
    int count, expected;
  } cases[] = {{10, t + 25}, {3, t + 8}};
  for (const auto &c : cases) {
    combo->Items()->Clear();
    for (int i = 0; i < c.count - 1; ++i)
      combo->Items()->Add(QStringLiteral("x"));
    combo->Items()->Add(wide);
    combo->SetDropDownCount(8);
    combo->SizeDropDownWidth();
    EXPECT_EQ(combo->DroppedWidth(), c.expected) << c.count;
  }
}

TEST_F(ComboEditor, OpeningSizesTheListForTheCellsItemsOnlyWhenAsked)
{
  const QString wide = QStringLiteral("An item far wider than the column it drops from");
  items.push_back(wide);
  const struct {
    bool autoSize;
    int dropWidth;
  } cases[] = {{true, 0}, {false, 0}, {false, 333}, {true, 0}, {false, 0}};
  for (const auto &c : cases) {
    grid->Navigation()->SetAutoComboDropSize(c.autoSize);
    Combo()->SetDropWidth(c.dropWidth);
    Open(2, edComboList);
    const int wanted = c.autoSize ? grid->Canvas()->TextWidth(wide) + 8 : c.dropWidth;
    EXPECT_EQ(Combo()->DroppedWidth(), wanted) << c.autoSize << " " << c.dropWidth;
    SimKey(Combo(), VK_ESCAPE);
    SimProcess();
  }
}

TEST_F(ComboEditor, LookupHistoryKeepsTypedTextsOnExit)
{
  grid->SetLookupHistory(true);
  Open(2, edComboEdit);
  Combo()->SelectAll();
  SimType(Combo(), QStringLiteral("Omega"));
  grid->SetFocus();
  SimProcess();
  EXPECT_GE(Combo()->Items()->IndexOf(QStringLiteral("Omega")), 0);
  EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Omega"));
}

TEST(ComboEditorOwner, MustBeAGrid)
{
  TForm form{nullptr};
  EXPECT_THROW(TGridCombo combo(&form), Exception);
}

TEST_F(ComboEditor, CursorWalkLeavesTheEditorAtEitherEndOfTheText)
{
  grid->Navigation()->SetCursorWalkEditor(true);
  const struct {
    uint16_t key;
    int caret, col;
  } cases[] = {{VK_RIGHT, 4, 2}, {VK_LEFT, 0, 0}, {VK_RIGHT, 2, 1}};
  for (const auto &c : cases) {
    grid->SetFixedCols(0);
    Open(2, edComboEdit);
    Combo()->SetSelStart(c.caret);
    SimKey(Combo(), c.key);
    SimProcess();
    EXPECT_EQ(grid->Col(), c.col) << c.key << " " << c.caret;
    EXPECT_EQ(grid->Row(), 2);
    if (Combo()->Visible())
      SimKey(Combo(), VK_ESCAPE);
  }
}

// A choice made in the dropped list reaches the grid as the combo's notification: the item
// events fire with the chosen item, and the list's opening and closing are reported.
TEST_F(ComboEditor, ChoosingFromTheDroppedListReportsTheItem)
{
  int drops = 0, closes = 0;
  grid->OnComboDropDown = [&](TObject *, int, int) { ++drops; };
  grid->OnComboCloseUp = [&](TObject *, int, int) { ++closes; };
  Open(2, edComboList);
  Combo()->SetDroppedDown(true);
  SimProcess();
  EXPECT_EQ(drops, 1);
  SimKey(Combo(), VK_DOWN);
  SimKey(Combo(), VK_RETURN);
  SimProcess();
  EXPECT_EQ(closes, 1);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back().index, 2);
  EXPECT_EQ(changes.back().value, "Gamma");
  ASSERT_FALSE(objectChanges.empty());
  EXPECT_EQ(objectChanges.back().object, &objects[2]);
}
