// Leaving the text editor with the arrow keys, masks that advance once filled, and the
// character set of edValidChars cells.
#include "tests/grid/view/edit_fixture.h"

#include "framework/controls/clipboard.h"

namespace {

// Columns 1 to 3 are text cells here; column 4 stays the data check box.
struct CursorWalk : EditGridTest {
  CursorWalk()
  {
    g->OnGetEditorType = [](TObject *, int c, int, TEditorType &e) {
      if (c == cList || c == cEdit)
        e = edNormal;
    };
    for (int r = 1; r < 6; ++r)
      for (int c : {cList, cEdit})
        g->SetCells(c, r, "abc");
  }
  void Open(int c, int r, const QString &Text, int Caret)
  {
    g->HideInplaceEdit();
    g->SetCells(c, r, Text);
    Go(c, r);
    SimKey(g, VK_F2);
    ASSERT_TRUE(EditorShown());
    Editor()->SetSelStart(Caret);
    Editor()->SetSelLength(0);
  }
};

TEST_F(CursorWalk, ArrowsLeaveTheEditorOnlyAtTheEdgesOfTheText)
{
  struct TCase {
    const char *what;
    bool walk, alwaysEdit;
    int col;
    uint16_t key;
    TShiftState shift;
    int caret;
    int newCol;
    bool editor;  // an editor is open afterwards
  } cases[] = {
      {"right at the end", true, true, cList, VK_RIGHT, {}, 3, cEdit, true},
      {"right in the middle", true, true, cList, VK_RIGHT, {}, 1, cList, true},
      {"right one short of the end", true, true, cList, VK_RIGHT, {}, 2, cList, true},
      {"right at the end, walk off", false, true, cList, VK_RIGHT, {}, 3, cList, true},
      {"left at the start", true, true, cList, VK_LEFT, {}, 0, cText, true},
      {"left reaching the start", true, true, cList, VK_LEFT, {}, 1, cList, true},
      {"left at the start, walk off", false, true, cList, VK_LEFT, {}, 0, cList, true},
      {"ctrl+right at the end", true, true, cList, VK_RIGHT, {ssCtrl}, 3, cList, true},
      {"right onto a check box", true, true, cEdit, VK_RIGHT, {}, 3, cCheck, false},
      {"right without reopening", true, false, cList, VK_RIGHT, {}, 3, cEdit, false},
      {"shift+right at the end", true, true, cList, VK_RIGHT, {ssShift}, 3, cList, false},
      {"shift+left in the middle", true, true, cList, VK_LEFT, {ssShift}, 1, cList, true},
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.what);
    g->Navigation()->SetCursorWalkEditor(t.walk);
    g->Navigation()->SetCursorWalkAlwaysEdit(t.alwaysEdit);
    Open(t.col, 2, "abc", t.caret);
    SimKey(Editor(), t.key, t.shift);
    SimProcess();
    EXPECT_EQ(g->Col(), t.newCol);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(EditorShown(), t.editor);
  }
}

TEST_F(CursorWalk, LeftAtTheFirstCellWrapsToTheRowAbove)
{
  g->Navigation()->SetCursorWalkEditor(true);
  Open(cText, 3, "abc", 0);
  SimKey(Editor(), VK_LEFT);
  SimProcess();
  EXPECT_EQ(g->Row(), 2);
  EXPECT_EQ(g->Col(), cCheck);  // the read-only last column is skipped
  EXPECT_EQ(g->Cells(cCheck, 2), "Y");
}

TEST_F(CursorWalk, TheValueIsValidatedBeforeTheEditorIsLeft)
{
  g->Navigation()->SetCursorWalkEditor(true);
  QStringList validated;
  g->OnCellValidate = [&](TObject *, int c, int r, QString &v, bool &ok) {
    validated << QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(v);
    ok = v != "bad";
  };
  for (uint16_t key : {VK_RIGHT, VK_LEFT}) {
    SCOPED_TRACE(key);
    validated.clear();
    Open(cList, 2, "", 0);
    SimType(Editor(), "new");
    Editor()->SetSelStart(key == VK_RIGHT ? 3 : 0);
    SimKey(Editor(), key);
    SimProcess();
    EXPECT_EQ(validated, QStringList{"2,2 new"});
    EXPECT_EQ(g->Cells(cList, 2), "new");
    EXPECT_NE(g->Col(), cList);

    // A refused value keeps the editor on its cell, the old text in the cell.
    Open(cList, 2, "old", 0);
    Editor()->SetSelStart(0);
    Editor()->SetSelLength(3);
    SimType(Editor(), "bad");
    Editor()->SetSelStart(key == VK_RIGHT ? 3 : 0);
    SimKey(Editor(), key);
    SimProcess();
    EXPECT_EQ(g->Col(), cList);
    EXPECT_TRUE(EditorShown());
    EXPECT_EQ(g->Cells(cList, 2), "old");
  }
}

TEST_F(CursorWalk, UpAndDownLeaveAMultiLineTextOnlyFromItsFirstAndLastLine)
{
  g->SetWordWrap(true);
  struct TCase {
    uint16_t key;
    int caret;
    int newRow;
  } cases[] = {
      {VK_UP, 5, 3},    // second line: the caret goes up a line
      {VK_UP, 1, 2},    // first line: the cell above
      {VK_DOWN, 1, 3},  // first line: the caret goes down a line
      {VK_DOWN, 5, 4},  // last line: the cell below
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.caret);
    Open(cList, 3, "ab\r\ncd", t.caret);
    ASSERT_GE(Editor()->Text().indexOf('\n'), 0);
    SimKey(Editor(), t.key);
    SimProcess();
    EXPECT_EQ(g->Row(), t.newRow);
    EXPECT_EQ(g->Col(), cList);
  }
}

struct MaskedEdit : CursorWalk {
  MaskedEdit()
  {
    g->Navigation()->SetAdvanceAuto(true);
    g->Navigation()->SetAdvanceOnEnter(true);
  }
};

TEST_F(MaskedEdit, AFilledMaskMovesToTheNextCell)
{
  struct TCase {
    const char *mask, *typed;
    int col;
  } cases[] = {
      {"00:00;1;_", "1234", cEdit},
      {"00:00;1;_", "123", cList},     // a position still open
      {"00 00;1;_", "1234", cEdit},    // a literal blank of the mask is no open position
      {"", "1234", cList},             // no mask, no length limit
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.mask);
    g->Columns()->Items(cList)->SetEditMask(t.mask);
    Open(cList, 2, "", 0);
    Editor()->SetSelStart(0);
    SimType(Editor(), t.typed);
    SimProcess();
    EXPECT_EQ(g->Col(), t.col);
  }
  EXPECT_EQ(g->Cells(cList, 2), "1234");
}

TEST_F(CursorWalk, ValidCharSetServesWhenValidCharsIsEmpty)
{
  g->OnGetEditorType = [](TObject *, int c, int, TEditorType &e) {
    if (c == cList)
      e = edValidChars;
  };
  std::bitset<256> hex;
  for (char c : QByteArray("0123456789ABCDEF"))
    hex.set(uchar(c));
  g->SetValidCharSet(hex);
  Open(cList, 2, "", 0);
  SimType(Editor(), "1xAg");
  EXPECT_EQ(Editor()->Text(), "1A");
  struct TCase {
    const char *clip, *result;
  } pastes[] = {{"BEEF", "1ABEEF"}, {"BEEFY", "1ABEEF"}};
  for (const TCase &t : pastes) {
    SCOPED_TRACE(t.clip);
    SetClipboardText(t.clip);
    Editor()->SetSelStart(Editor()->Text().length());
    SimKey(Editor(), 'V', {ssCtrl});
    EXPECT_EQ(Editor()->Text(), t.result);
  }
  // ValidChars, once set, decides alone.
  g->SetValidChars("xy");
  Open(cList, 2, "", 0);
  SimType(Editor(), "x1y");
  EXPECT_EQ(Editor()->Text(), "xy");
}

}  // namespace

namespace {

// The move of a full field is the move of Enter: the value is validated first, and the cell
// left behind is settled (the next editor opens plain on its own cell).
TEST_F(MaskedEdit, AFilledValueIsValidatedBeforeTheMove)
{
  QStringList validated;
  g->OnCellValidate = [&](TObject *, int, int, QString &v, bool &ok) {
    validated << v;
    ok = v != "99:99";
  };
  g->Columns()->Items(cEdit)->SetEditMask("00:00;1;_");
  Open(cEdit, 2, "", 0);
  SimType(Editor(), "9999");
  SimProcess();
  EXPECT_EQ(validated, QStringList{"99:99"});
  EXPECT_EQ(g->Col(), cEdit);
  EXPECT_TRUE(EditorShown());

  Open(cEdit, 2, "", 0);
  SimType(Editor(), "1234");
  SimProcess();
  EXPECT_EQ(validated.last(), "12:34");
  EXPECT_EQ(g->Col(), cCheck);
  EXPECT_EQ(g->Cells(cEdit, 2), "12:34");

  SimClick(g, g->CellRect(cText, 3).Left + 5, g->CellRect(cText, 3).Top + 5);
  SimKey(g, VK_F2);
  SimProcess();
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->EditMask(), "");
  EXPECT_EQ(Editor()->Text(), "t3");
}

}  // namespace
