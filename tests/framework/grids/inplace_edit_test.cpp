// The string grid's in-place editor: masks and limits from the grid, a multi-line editor
// with word wrap, and the keys it hands to the grid.
#include "framework/testing/input.h"
#include "tests/framework/grids/grid_test_support.h"
#include "tests/support/test_support.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

// An editor that asks for a multi-line window that wraps words, as a descendant does.
class TWrapEdit : public TInplaceEdit {
public:
  using TInplaceEdit::TInplaceEdit;
  bool Wrap = true;

protected:
  void CreateParams(TCreateParams &Params) override
  {
    TInplaceEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | ES_WANTRETURN;
    if (Wrap)
      Params.Style &= ~uint32_t(ES_AUTOHSCROLL);
  }
};

// Column 1 has a mask, column 2 a limit; MultiLine picks the wrapping editor.
class TEditGrid : public TProbeGrid {
public:
  using TProbeGrid::TProbeGrid;
  bool MultiLine = false;
  QString Mask = "000-00;1;_";
  int Limit = 3;
  // Copies the editor's text into the current cell on its EN_CHANGE, as the family's
  // grid does, and counts the notifications.
  bool CopyOnChange = false;
  int EditorChanges = 0;

  void WMCommand(TWMCommand &Message) override
  {
    TInplaceEdit *ed = InplaceEditor();
    if (ed && ed->HandleAllocated() && Message.Ctl == ed->Handle() && Message.NotifyCode == EN_CHANGE) {
      ++EditorChanges;
      if (CopyOnChange)
        SetCells(Col(), Row(), ed->Text());
    }
    TProbeGrid::WMCommand(Message);
  }

protected:
  TInplaceEdit *CreateEditor() override
  {
    return MultiLine ? new TWrapEdit(this) : TProbeGrid::CreateEditor();
  }
  QString GetEditMask(int ACol, int ARow) override
  {
    (void)ARow;
    return ACol == 1 ? Mask : QString();
  }
  int GetEditLimit() override { return Col() == 2 ? Limit : 0; }
};

struct EditForm {
  std::unique_ptr<TForm> Form;
  TEditGrid *Grid = nullptr;  // owned by the form

  explicit EditForm(bool MultiLine)
  {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetClientSize(420, 200);
    Grid = new TEditGrid(Form.get());
    Grid->MultiLine = MultiLine;
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 400, 180);
    Grid->SetColCount(4);
    Grid->SetOptions(Grid->Options() + goEditing + goTabs);
    Grid->SetColWidths(3, 110);
    Form->Show();
    Grid->SetFocus();
    SimProcess();
  }
};

}  // namespace

TEST(InplaceEdit, TakesTheMaskAndTheLimitOfItsCell)
{
  EditForm f(false);
  TEditGrid *g = f.Grid;
  g->FocusCell(1, 1, true);
  SimType(g, "12a345");  // the letter does not fit the mask
  TInplaceEdit *ed = g->InplaceEditor();
  ASSERT_TRUE(ed && ed->Visible());
  EXPECT_EQ(ed->EditMask(), "000-00;1;_");
  EXPECT_EQ(ed->EditText(), "123-45");
  EXPECT_EQ(g->Cells(1, 1), "123-45");

  // The next cell has no mask but a limit of three characters.
  g->HideEditor();
  g->FocusCell(2, 1, true);
  SimType(g, "abcdef");
  ASSERT_TRUE(ed->Visible());
  EXPECT_EQ(ed->EditMask(), "");
  EXPECT_EQ(ed->MaxLength(), 3);
  EXPECT_EQ(g->Cells(2, 1), "abc");
}

TEST(InplaceEdit, MultiLineEditorWrapsKeepsLineBreaksAndWritesBack)
{
  EditForm f(true);
  TEditGrid *g = f.Grid;
  const QString text = "first line\r\nsecond line that is long enough to wrap in the cell";
  g->SetCells(3, 1, text);
  g->FocusCell(3, 1, true);
  g->SetRowHeights(1, 60);
  g->ShowEditor();
  TInplaceEdit *ed = g->InplaceEditor();
  ASSERT_TRUE(ed && ed->Visible());
  auto *w = qobject_cast<QPlainTextEdit *>(ed->Handle());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(ed->Text(), text);
  EXPECT_EQ(ed->SelLength(), int(text.size()));  // all selected, a line break counting two

  // Ctrl+Enter breaks the line; plain Enter ends the edit without adding one.
  ed->SetSelStart(int(text.size()));
  SimKey(ed, VK_RETURN, {ssCtrl});
  SimType(ed, "third");
  const QString edited = text + "\r\nthird";
  EXPECT_EQ(ed->Text(), edited);
  EXPECT_TRUE(ed->Modified());
  EXPECT_EQ(g->Cells(3, 1), edited);
  EXPECT_TRUE(g->Calls.contains(QString("SetEditText(3,1,%1)").arg(edited)));

  // Turning word wrap off re-creates the window; text, caret and place stay.
  auto *wrap = static_cast<TWrapEdit *>(ed);
  wrap->Wrap = false;
  ed->SetSelStart(3);
  wrap->RecreateWnd();
  w = qobject_cast<QPlainTextEdit *>(ed->Handle());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(ed->Text(), edited);
  EXPECT_EQ(ed->SelStart(), 3);
  EXPECT_TRUE(ed->Visible());
  EXPECT_TRUE(ed->Focused());
  EXPECT_EQ(ed->BoundsRect(), g->CellRect(3, 1));
  wrap->Wrap = true;
  wrap->RecreateWnd();
  SimKey(ed, VK_RETURN);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_EQ(g->Cells(3, 1), edited);

  // A limit counts a line break as two characters; typing stops at it.
  g->Limit = 14;
  g->SetCells(2, 1, "ab\r\ncd");
  g->FocusCell(2, 1, true);
  g->ShowEditor();
  ed->SetSelStart(6);
  SimType(ed, "efghijkl");
  EXPECT_EQ(ed->Text(), "ab\r\ncdefghijkl");
  EXPECT_EQ(g->Cells(2, 1), "ab\r\ncdefghijkl");
  g->HideEditor();

  // A masked cell gets a one-line window, the next plain cell the multi-line one again.
  g->SetCells(1, 1, "12345");
  g->FocusCell(1, 1, true);
  g->ShowEditor();
  EXPECT_NE(qobject_cast<QLineEdit *>(ed->Handle()), nullptr);
  EXPECT_EQ(ed->EditText(), "123-45");
  g->FocusCell(3, 1, true);
  g->ShowEditor();
  EXPECT_NE(qobject_cast<QPlainTextEdit *>(ed->Handle()), nullptr);
  EXPECT_EQ(ed->Text(), edited);
  EXPECT_EQ(g->Cells(1, 1), "123-45");
}

TEST(InplaceEdit, HandsNavigationKeysToTheGridInOneAndMultiLineEditors)
{
  // Up and Down go to the grid whatever line the caret is on: the editor does not move
  // between lines itself (a descendant that wants that filters them first).
  struct Case {
    const char *name;
    uint16_t key;
    TShiftState shift;
    bool alwaysShow;
    int caret;  // -1: at the end
    bool toGrid;
  } cases[] = {
      {"up on the first line", VK_UP, {}, false, 1, true},
      {"up on the last line", VK_UP, {}, false, -1, true},
      {"down on the first line", VK_DOWN, {}, false, 1, true},
      {"page up", VK_PRIOR, {}, false, 1, true},
      {"escape", VK_ESCAPE, {}, false, 1, true},
      {"tab", VK_TAB, {}, false, 1, true},
      {"insert", VK_INSERT, {}, false, 1, true},
      {"shift insert", VK_INSERT, {ssShift}, false, 1, false},
      {"ctrl delete", VK_DELETE, {ssCtrl}, false, 1, true},
      {"delete", VK_DELETE, {}, false, 1, false},
      {"left at the start", VK_LEFT, {}, true, 0, true},
      {"left at the start, editor not always shown", VK_LEFT, {}, false, 0, false},
      {"left inside", VK_LEFT, {}, true, 1, false},
      {"ctrl left inside", VK_LEFT, {ssCtrl}, true, 1, true},
      {"home at the start", VK_HOME, {}, true, 0, true},
      {"right at the end", VK_RIGHT, {}, true, -1, true},
      {"right inside", VK_RIGHT, {}, true, 1, false},
      {"end inside", VK_END, {}, true, 1, false},
      {"f2", VK_F2, {}, false, 1, false},
  };
  for (bool multiLine : {false, true}) {
    EditForm f(multiLine);
    TEditGrid *g = f.Grid;
    const QString text = multiLine ? "ab\r\ncd" : "abcd";
    for (const Case &c : cases) {
      const std::string name = std::string(c.name) + (multiLine ? " (multi-line)" : "");
      g->SetOptions(c.alwaysShow ? g->Options() + goAlwaysShowEditor : g->Options() - goAlwaysShowEditor);
      g->FocusCell(3, 2, true);
      g->SetCells(3, 2, text);
      g->ShowEditor();
      TInplaceEdit *ed = g->InplaceEditor();
      ASSERT_TRUE(ed && ed->Visible()) << name;
      ASSERT_EQ(qobject_cast<QPlainTextEdit *>(ed->Handle()) != nullptr, multiLine) << name;
      ed->SetSelStart(c.caret < 0 ? int(text.size()) : c.caret);
      ed->SetSelLength(0);
      g->RecordKeys = true;
      g->Calls.clear();
      SimKeyDown(ed, c.key, c.shift);
      SimKeyUp(ed, c.key, c.shift);
      g->RecordKeys = false;
      EXPECT_EQ(g->Calls.contains(QString("KeyDown(%1)").arg(c.key)), c.toGrid) << name;
      g->HideEditor();
    }
  }
}

TEST(InplaceEdit, EditorChangeReachesTheGridAsEnChange)
{
  EditForm f(false);
  TEditGrid *g = f.Grid;
  g->SetCells(3, 1, "x");
  g->FocusCell(3, 1, true);
  g->ShowEditor();
  TInplaceEdit *ed = g->InplaceEditor();
  g->Calls.clear();
  ed->SetSelStart(1);
  SimType(ed, "y");
  EXPECT_EQ(g->Calls.filter("SetEditText"), QStringList{"SetEditText(3,1,xy)"});
  // Another control's notification is not the grid's business.
  g->Calls.clear();
  g->Perform(WM_COMMAND, MakeWParam(0, EN_CHANGE), LPARAM(f.Form->Handle()));
  EXPECT_TRUE(g->Calls.filter("SetEditText").isEmpty());
}

TEST(InplaceEdit, PictureOfAMultiLineEditor)
{
  EditForm f(true);
  TEditGrid *g = f.Grid;
  for (int r = 1; r < 5; ++r)
    for (int c = 1; c < 4; ++c)
      g->SetCells(c, r, QString("%1:%2").arg(c).arg(r));
  g->SetRowHeights(2, 52);
  g->SetCells(3, 2, "A long text that wraps\r\nand a second line");
  g->FocusCell(3, 2, true);
  g->ShowEditor();
  g->InplaceEditor()->Deselect();
  SimProcess();
  const QString path = testsupport::OutputDir() + "/inplace_multiline.png";
  ASSERT_TRUE(GrabToPng(f.Form.get(), path));
  EXPECT_EQ(g->InplaceEditor()->BoundsRect(), g->CellRect(3, 2));
}

TEST(InplaceEdit, MultiLineEditorGivesDoubleClickAndWheelToTheGrid)
{
  EditForm f(true);
  TEditGrid *g = f.Grid;
  int dbl = 0;
  g->OnDblClick = [&](TObject *) { ++dbl; };
  g->SetCells(3, 2, "one\r\ntwo");
  g->FocusCell(3, 2, true);
  g->ShowEditor();
  TInplaceEdit *ed = g->InplaceEditor();
  ASSERT_NE(qobject_cast<QPlainTextEdit *>(ed->Handle()), nullptr);
  SimDblClick(ed, 5, 5);
  EXPECT_EQ(dbl, 1);
  SimWheel(ed, 5, 5, -120);
  EXPECT_EQ(g->Row(), 3);
  EXPECT_EQ(g->Cells(3, 2), "one\r\ntwo");
}

TEST(InplaceEdit, LoadingAMultiLineEditorReportsNoChange)
{
  // The program's text is no edit in a multi-line window; a one-line window reports it.
  for (bool multiLine : {true, false}) {
    SCOPED_TRACE(multiLine ? "multi-line" : "one line");
    EditForm f(multiLine);
    TEditGrid *g = f.Grid;
    g->CopyOnChange = multiLine;
    g->SetOptions(g->Options() + goAlwaysShowEditor);
    g->SetCells(3, 1, "first");
    g->SetCells(3, 2, "second");
    g->FocusCell(3, 1, true);
    g->ShowEditor();
    TInplaceEdit *ed = g->InplaceEditor();
    ASSERT_TRUE(ed && ed->Visible());
    g->EditorChanges = 0;
    SimKey(ed, VK_DOWN);  // writes back, moves and reloads the editor
    ASSERT_EQ(g->Row(), 2);
    if (!multiLine) {
      EXPECT_GT(g->EditorChanges, 0);
      continue;
    }
    EXPECT_EQ(g->EditorChanges, 0);
    EXPECT_EQ(g->Cells(3, 1), "first");
    EXPECT_EQ(g->Cells(3, 2), "second");
    EXPECT_EQ(ed->Text(), "second");
    // The user's typing still reports itself.
    ed->SetSelStart(6);
    SimType(ed, "!");
    EXPECT_EQ(g->EditorChanges, 1);
    EXPECT_EQ(g->Cells(3, 2), "second!");
  }
}
