// Validation of an edited value and the move of the current cell.
#include "tests/grid/view/edit_fixture.h"

namespace {

using Validation = EditGridTest;

// What OnCellValidate does with a typed "new" on a cell holding "t2".
TEST_F(Validation, TheValidateEventDecidesWhatTheCellKeeps)
{
  struct TCase {
    const char *name;
    const char *typed;
    bool refuse;
    const char *correct;  // nullptr: the value is left alone
    const char *cell;
    const char *editor;  // what an editor left open shows
    bool modified, editorOpen;
    int validations, reports;
  } cases[] = {
      {"unchanged text is not validated", "t2", false, nullptr, "t2", "", false, false, 0, 0},
      {"accepted", "new", false, nullptr, "new", "", true, false, 1, 1},
      {"corrected and accepted", "new", false, "NEW", "NEW", "", true, false, 1, 1},
      // A refusal brings the old text back: nothing is marked modified; the editor keeps
      // the refused text for another try.
      {"refused", "new", true, nullptr, "t2", "new", false, true, 1, 0},
      {"refused with a correction", "new", true, "fix", "fix", "fix", true, true, 1, 0},
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.name);
    g->HideInplaceEdit();
    g->SetCells(cText, 2, "t2");
    g->SetModified(false);
    g->ClearModifiedRows();
    int validations = 0, reports = 0;
    g->OnCellValidate = [&](TObject *, int, int, QString &v, bool &ok) {
      ++validations;
      if (t.correct)
        v = t.correct;
      ok = !t.refuse;
    };
    g->OnCellsChanged = [&](TObject *, TRect) { ++reports; };
    Go(cText, 2);
    SimKey(g, VK_F2);
    ASSERT_TRUE(EditorShown());
    Editor()->SetText(t.typed);
    SimKey(Editor(), VK_RETURN);
    SimProcess();
    EXPECT_EQ(g->Cells(cText, 2), t.cell);
    EXPECT_EQ(g->Modified(), t.modified);
    EXPECT_EQ(g->RowModified(2), t.modified);
    EXPECT_EQ(EditorShown(), t.editorOpen);
    if (t.editorOpen) {
      EXPECT_EQ(Editor()->Text(), t.editor);
      EXPECT_EQ(g->Col(), int(cText));
    }
    EXPECT_EQ(validations, t.validations);
    EXPECT_EQ(reports, t.reports);
  }
}

TEST_F(Validation, LeavingAnEditedCellByAnotherCellValidatesFirst)
{
  QStringList seen;
  g->OnCellValidate = [&](TObject *, int c, int r, QString &v, bool &) { seen << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(v); };
  Go(cList, 2);
  SimKey(g, VK_F2);
  g->Combobox()->SetItemIndex(1);
  Go(cText, 4);
  EXPECT_EQ(seen, QStringList{"2,2=S7400"});
  EXPECT_EQ(g->Cells(cList, 2), "S7400");
  EXPECT_FALSE(g->Combobox()->Visible());
}

TEST_F(Validation, ReadOnlyCellsSwitchEditingOff)
{
  Go(cReadOnly, 2);
  EXPECT_FALSE(g->Options().Contains(goEditing));
  SimKey(g, VK_F2);
  EXPECT_FALSE(EditorShown());
  Go(cText, 2);
  EXPECT_TRUE(g->Options().Contains(goEditing));
}

TEST_F(Validation, AVetoOfAnyMoveEventKeepsTheCell)
{
  Go(cText, 2);
  g->OnRowChanging = [](TObject *, int, int, bool &allow) { allow = false; };
  bool asked = false;
  g->OnCellChanging = [&](TObject *, int, int, int, int, bool &) { asked = true; };  // leaves Allow as it came
  Go(cText, 4);
  EXPECT_EQ(g->Row(), 2);
  EXPECT_TRUE(asked);
  g->OnRowChanging = nullptr;
  Go(cText, 4);
  EXPECT_EQ(g->Row(), 4);
}

}  // namespace
