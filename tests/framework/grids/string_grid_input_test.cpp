// A plain string grid on a form, used through real input events: the whole message
// pipeline (cursor queries, capture, key translation, double clicks) reaches the grid.
#include "framework/testing/input.h"
#include "tests/framework/grids/grid_test_support.h"

#include <QCursor>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

namespace {

struct InputGrid : TGridForm {
  InputGrid() : TGridForm(400, 300)
  {
    Grid->SetBorderStyle(bsNone);
    Grid->SetColCount(8);
    Grid->SetRowCount(30);
    for (int r = 1; r < 30; ++r)
      for (int c = 1; c < 8; ++c)
        Grid->SetCells(c, r, QString("%1:%2").arg(c).arg(r));
    SimProcess();
  }
  TGridCoord Current() const { return TGridCoord(Grid->Col(), Grid->Row()); }
};

// Client point in the middle of a cell.
TPoint Mid(TProbeGrid *g, int c, int r)
{
  const TRect rc = g->CellRect(c, r);
  return TPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
}

TEST(StringGridInput, ClickDragAndKeysLikeAClassicGrid)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  const TPoint a = Mid(g, 2, 2);
  const TPoint b = Mid(g, 4, 5);
  SimMouseDown(g, a.X, a.Y);
  SimMouseMove(g, b.X, b.Y);
  SimMouseUp(g, b.X, b.Y);
  EXPECT_EQ(g->Selection(), TGridRect(2, 2, 4, 5));
  EXPECT_EQ(f.Current(), TGridCoord(2, 2));
  EXPECT_TRUE(g->Focused());

  SimKey(g, VK_DOWN);
  SimKey(g, VK_RIGHT);
  EXPECT_EQ(f.Current(), TGridCoord(3, 3));
  EXPECT_EQ(g->Selection(), TGridRect(3, 3, 3, 3));
  SimKey(g, VK_DOWN, {ssShift});
  SimKey(g, VK_DOWN, {ssShift});
  EXPECT_EQ(g->Selection(), TGridRect(3, 3, 3, 5));
  SimKey(g, VK_END, {ssCtrl});
  EXPECT_EQ(f.Current(), TGridCoord(7, 29));
  EXPECT_EQ(g->TopRow() + g->VisibleRowCount(), 30);  // scrolled into view
  SimKey(g, VK_HOME, {ssCtrl});
  EXPECT_EQ(f.Current(), TGridCoord(1, 1));
  EXPECT_EQ(g->TopRow(), 1);
}

TEST(StringGridInput, TypingEditsTheCellAndEnterCommits)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goEditing);
  SimClick(g, Mid(g, 2, 3).X, Mid(g, 2, 3).Y);
  ASSERT_EQ(f.Current(), TGridCoord(2, 3));
  EXPECT_FALSE(g->EditorMode());
  SimType(g, "hello");
  ASSERT_TRUE(g->EditorMode());
  EXPECT_EQ(g->InplaceEditor()->Text(), "hello");
  EXPECT_EQ(g->Cells(2, 3), "hello");  // every change reaches the cell
  SimKey(g->InplaceEditor(), VK_RETURN);
  EXPECT_FALSE(g->EditorMode());
  EXPECT_FALSE(g->InplaceEditor()->Visible());
  EXPECT_TRUE(g->Focused());
  EXPECT_EQ(g->Cells(2, 3), "hello");
  // F2 opens the editor again; Down inside it goes to the grid, which closes it and moves.
  SimKey(g, VK_F2);
  ASSERT_TRUE(g->InplaceEditor()->Visible());
  EXPECT_EQ(g->InplaceEditor()->BoundsRect(), g->CellRect(2, 3));
  SimKey(g->InplaceEditor(), VK_DOWN);
  EXPECT_EQ(f.Current(), TGridCoord(2, 4));
  EXPECT_FALSE(g->EditorMode());
  EXPECT_TRUE(g->Focused());
  // With the editor always shown it follows the current cell.
  g->SetOptions(g->Options() + goAlwaysShowEditor);
  ASSERT_TRUE(g->InplaceEditor()->Visible());
  SimKey(g->InplaceEditor(), VK_DOWN);
  EXPECT_EQ(f.Current(), TGridCoord(2, 5));
  EXPECT_EQ(g->InplaceEditor()->Text(), "2:5");
  EXPECT_EQ(g->InplaceEditor()->BoundsRect(), g->CellRect(2, 5));
}

TEST(StringGridInput, DoubleClickAndWheel)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  int dbl = 0;
  g->OnDblClick = [&](TObject *) { ++dbl; };
  const TPoint p = Mid(g, 3, 3);
  SimDblClick(g, p.X, p.Y);
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(f.Current(), TGridCoord(3, 3));
  SimWheel(g, p.X, p.Y, -120);
  EXPECT_EQ(g->Row(), 4);
  SimWheel(g, p.X, p.Y, 240);
  EXPECT_EQ(g->Row(), 2);
}

TEST(StringGridInput, SplitCursorOverASizingLine)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goColSizing);
  const TRect header = g->CellRect(2, 0);
  SimMouseMove(g, header.Right, 5);
  EXPECT_EQ(CursorShapeOf(g), int(Screen->Cursors(crHSplit).shape()));
  SimMouseMove(g, (header.Left + header.Right) / 2, 5);
  EXPECT_NE(CursorShapeOf(g), int(Screen->Cursors(crHSplit).shape()));
  // Dragging the line sizes the column; meanwhile an inverted line marks the new edge.
  g->SetCells(3, 2, QString());
  const TPoint probe(header.Right + 30, g->CellRect(3, 2).Top + 5);  // blank cell area
  SimMouseDown(g, header.Right, 5);
  SimMouseMove(g, header.Right + 30, 5);
  QImage during = GrabControl(g);
  EXPECT_EQ(during.pixelColor(probe.X, probe.Y).lightness() < 128 ||
                during.pixelColor(probe.X, probe.Y + 1).lightness() < 128, true);
  SimMouseUp(g, header.Right + 30, 5);
  EXPECT_EQ(g->ColWidths(2), 64 + 30);
  g->SetCells(3, 2, QString());
  QImage after = GrabControl(g);
  const TPoint inside(g->CellRect(3, 2).Left + 20, g->CellRect(3, 2).Top + 5);
  EXPECT_EQ(after.pixelColor(inside.X, inside.Y), QColor(Qt::white));
}

TEST(StringGridInput, DragBelowTheGridScrollsOnTheTimer)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  const TPoint a = Mid(g, 2, 2);
  SimMouseDown(g, a.X, a.Y);
  SimMouseMove(g, a.X, g->ClientHeight() + 20);  // below the last visible row
  const int top = g->TopRow();
  // The auto-scroll timer moves the selection's far corner one row per tick.
  ASSERT_TRUE(SimWaitFor([&] { return g->TopRow() > top + 1; }, 3000));
  SimMouseUp(g, a.X, g->ClientHeight() + 20);
  EXPECT_EQ(g->Selection().Top, 2);
  EXPECT_GT(g->Selection().Bottom, top + g->VisibleRowCount());
  EXPECT_EQ(g->GridState(), gsNormal);
}

TEST(StringGridInput, EditorHandsNavigationKeysToTheGrid)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goEditing + goTabs);
  g->SetCells(2, 3, "abcd");
  g->FocusCell(2, 3, true);
  struct Case {
    const char *name;
    uint16_t key;
    TShiftState shift;
    bool alwaysShow;
    int caret;  // -1: all selected
    bool toGrid;
  } cases[] = {
      {"up", VK_UP, {}, false, 2, true},
      {"page down", VK_NEXT, {}, false, 2, true},
      {"escape", VK_ESCAPE, {}, false, 2, true},
      {"insert", VK_INSERT, {}, false, 2, true},
      {"ctrl delete", VK_DELETE, {ssCtrl}, false, 2, true},
      {"delete", VK_DELETE, {}, false, 2, false},
      {"left inside the text", VK_LEFT, {}, true, 2, false},
      {"left at the text start", VK_LEFT, {}, true, 0, true},
      {"right at the end, editor not always shown", VK_RIGHT, {}, false, 4, false},
      {"right at the end", VK_RIGHT, {}, true, 4, true},
      {"ctrl home", VK_HOME, {ssCtrl}, true, 2, true},
      {"f2", VK_F2, {}, false, 2, false},
      {"tab", VK_TAB, {}, false, 2, true},
  };
  for (const Case &c : cases) {
    g->SetOptions(c.alwaysShow ? g->Options() + goAlwaysShowEditor : g->Options() - goAlwaysShowEditor);
    g->FocusCell(2, 3, true);
    g->SetCells(2, 3, "abcd");
    g->ShowEditor();
    TInplaceEdit *ed = g->InplaceEditor();
    ASSERT_TRUE(ed && ed->Visible()) << c.name;
    ed->SetSelStart(c.caret);
    ed->SetSelLength(0);
    g->RecordKeys = true;
    g->Calls.clear();
    SimKeyDown(ed, c.key, c.shift);
    SimKeyUp(ed, c.key, c.shift);
    g->RecordKeys = false;
    EXPECT_EQ(g->Calls.contains(QString("KeyDown(%1)").arg(c.key)), c.toGrid) << c.name;
  }
}

TEST(StringGridInput, FocusLeavingAndComingBackWhileEditing)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  auto *other = new TEdit(f.Form.get());
  other->SetParent(f.Form.get());
  other->SetBounds(0, 305, 100, 20);
  g->SetOptions(g->Options() + goEditing);
  g->FocusCell(1, 1, true);
  SimType(g, "typed");
  TInplaceEdit *ed = g->InplaceEditor();
  ASSERT_TRUE(ed->Visible());
  EXPECT_TRUE(ed->Focused());
  EXPECT_EQ(f.Form->ActiveControl(), g);  // the editor does not become the active control
  // The text is in the cell already; the editor stays open, as on the classic grid.
  other->SetFocus();
  SimProcess();
  EXPECT_EQ(g->Cells(1, 1), "typed");
  EXPECT_TRUE(g->EditorMode());
  // Coming back puts the focus into the editor again.
  g->SetFocus();
  SimProcess();
  EXPECT_TRUE(ed->Visible());
  EXPECT_TRUE(ed->Focused());
}

// A grid that records its focus changes and which window its editor hands the focus to.
class TFocusGrid : public TProbeGrid {
public:
  using TProbeGrid::TProbeGrid;
  bool RecordFocus = false;

  class TFocusEdit : public TInplaceEdit {
  public:
    using TInplaceEdit::TInplaceEdit;

  protected:
    void WndProc(TMessage &Message) override
    {
      auto *g = static_cast<TFocusGrid *>(Grid());
      if (Message.Msg == WM_KILLFOCUS && g && g->RecordFocus) {
        const HWND to = MessageAs<TWMKillFocus>(Message).FocusedWnd;
        g->Calls << (to == g->Handle() ? QString("EditorKillFocus(grid)") : QString("EditorKillFocus(other)"));
      }
      TInplaceEdit::WndProc(Message);
    }
  };

protected:
  TInplaceEdit *CreateEditor() override { return new TFocusEdit(this); }
  void DoEnter() override
  {
    if (RecordFocus)
      Calls << "DoEnter";
    TProbeGrid::DoEnter();
  }
  void DoExit() override
  {
    if (RecordFocus)
      Calls << "DoExit";
    TProbeGrid::DoExit();
  }
};

TEST(StringGridInput, ClosingTheEditorHandsTheFocusStraightToTheGrid)
{
  struct Case {
    const char *name;
    std::function<void(TFocusGrid *)> act;
    TGridCoord current;
  } cases[] = {
      {"down", [](TFocusGrid *g) { SimKey(g->InplaceEditor(), VK_DOWN); }, TGridCoord(2, 3)},
      {"up", [](TFocusGrid *g) { SimKey(g->InplaceEditor(), VK_UP); }, TGridCoord(2, 1)},
      {"enter", [](TFocusGrid *g) { SimKey(g->InplaceEditor(), VK_RETURN); }, TGridCoord(2, 2)},
      {"click on another cell", [](TFocusGrid *g) { const TPoint p = Mid(g, 4, 4); SimClick(g, p.X, p.Y); },
       TGridCoord(4, 4)},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(420, 320);
    auto *g = new TFocusGrid(form.get());
    g->SetParent(form.get());
    g->SetBounds(0, 0, 400, 300);
    g->SetOptions(g->Options() + goEditing);
    form->Show();
    g->SetFocus();
    g->SetCells(2, 2, "old");
    g->FocusCell(2, 2, true);
    SimType(g, "typed");
    TInplaceEdit *ed = g->InplaceEditor();
    ASSERT_TRUE(ed && ed->Visible() && ed->Focused());
    g->Calls.clear();
    g->RecordFocus = true;
    c.act(g);
    SimProcess();
    g->RecordFocus = false;
    EXPECT_EQ(TGridCoord(g->Col(), g->Row()), c.current);
    EXPECT_TRUE(g->Focused());
    EXPECT_FALSE(ed->Visible());
    EXPECT_EQ(g->Cells(2, 2), "typed");
    EXPECT_TRUE(g->Calls.filter("DoE").isEmpty()) << g->Calls.join(' ').toStdString();
    EXPECT_EQ(g->Calls.filter("EditorKillFocus"), QStringList{"EditorKillFocus(grid)"});
    // Written back once, and the old cell is not loaded again.
    EXPECT_EQ(g->Calls.filter("SetEditText(2,2"), QStringList{"SetEditText(2,2,typed)"});
    EXPECT_TRUE(g->Calls.filter("GetEditText(2,2)").isEmpty());
  }
}

TEST(StringGridInput, AFixedCountChangeWritesBackAndMovesTheEditor)
{
  for (bool rows : {false, true}) {
    SCOPED_TRACE(rows ? "fixed rows" : "fixed columns");
    InputGrid f;
    TProbeGrid *g = f.Grid;
    g->SetOptions(g->Options() + goEditing + goAlwaysShowEditor);
    g->FocusCell(1, 1, true);
    SimType(g, "typed");
    TInplaceEdit *ed = g->InplaceEditor();
    ASSERT_TRUE(ed && ed->Visible());
    g->Calls.clear();
    if (rows)
      g->SetFixedRows(2);
    else
      g->SetFixedCols(2);
    const TGridCoord now = rows ? TGridCoord(1, 2) : TGridCoord(2, 1);
    EXPECT_EQ(TGridCoord(g->Col(), g->Row()), now);
    EXPECT_EQ(g->Calls.filter("SetEditText"), QStringList{"SetEditText(1,1,typed)"});
    EXPECT_TRUE(ed->Visible());
    EXPECT_EQ(ed->BoundsRect(), g->CellRect(now.X, now.Y));
    EXPECT_EQ(ed->Text(), g->Cells(now.X, now.Y));
    // The next key goes to the new current cell, not into the one that is now fixed.
    SimType(ed, "x");
    EXPECT_EQ(g->Cells(1, 1), "typed");
    EXPECT_EQ(g->Cells(now.X, now.Y), "x");
  }
}

TEST(StringGridInput, MovingARowByMouse)
{
  InputGrid f;
  TProbeGrid *g = f.Grid;
  g->SetOptions(g->Options() + goRowMoving);
  g->Calls.clear();
  const TRect from = g->CellRect(0, 2);
  const TRect to = g->CellRect(0, 5);
  SimMouseDown(g, 10, (from.Top + from.Bottom) / 2);
  EXPECT_EQ(g->GridState(), gsRowMoving);
  SimMouseMove(g, 10, (to.Top + to.Bottom) / 2);
  SimMouseUp(g, 10, (to.Top + to.Bottom) / 2);
  EXPECT_EQ(g->Calls.filter("Moved"), QStringList{"RowMoved(2,5)"});
  EXPECT_EQ(g->Cells(1, 5), "1:2");
  EXPECT_EQ(g->Cells(1, 2), "1:3");
  EXPECT_EQ(g->GridState(), gsNormal);
}

}  // namespace
