// The default text editor: typed characters per editor type, the length limit, the clipboard,
// password cells, lookup completion and line breaks.
#include "tests/grid/view/edit_fixture.h"

#include "framework/controls/clipboard.h"
#include "grid/core/text_conversion.h"

namespace {

struct TextEditor : EditGridTest {
  TEditorType type = edNormal;
  TextEditor()
  {
    g->OnGetEditorType = [this](TObject *, int c, int, TEditorType &e) {
      if (c == cText)
        e = type;
    };
  }
  // Opens the editor on (cText, 1) holding Start with the caret at Caret.
  void Open(TEditorType AType, const QString &Start, int Caret = -1)
  {
    g->HideInplaceEdit();
    type = AType;
    g->SetCells(cText, 1, Start);
    Go(cText, 1);
    SimKey(g, VK_F2);
    ASSERT_TRUE(EditorShown());
    Editor()->SetSelStart(Caret < 0 ? Start.length() : Caret);
    Editor()->SetSelLength(0);
  }
};

TEST_F(TextEditor, TypedCharactersAreFilteredPerType)
{
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  struct TCase {
    TEditorType type;
    const char *start;
    int caret;
    const char *typed;
    const char *result;
  } cases[] = {
      {edNumeric, "", 0, "-1a2", "-12"},
      {edNumeric, "5", 1, "-", "5"},         // "-" only at the start
      {edNumeric, "-5", 0, "-", "-5"},       // and only once
      {edPositiveNumeric, "", 0, "-7x", "7"},
      {edFloat, "1,5", 3, ",2", "1,52"},     // a second decimal separator is dropped
      {edFloat, "", 0, "1.000", "1000"},     // the thousand separator never enters
      {edPositiveFloat, "", 0, "-3,1", "3,1"},
      {edUpperCase, "", 0, "abC", "ABC"},
      {edLowerCase, "", 0, "AbC", "abc"},
      {edMixedCase, "", 0, "john mc", "John Mc"},
      {edNormal, "", 0, "a-1,", "a-1,"},
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.typed);
    Open(t.type, t.start, t.caret);
    SimType(Editor(), t.typed);
    EXPECT_EQ(Editor()->Text(), t.result);
  }
  ResetFormatSettings();
}

TEST_F(TextEditor, ValidCharsAcceptOnlyTheirCharacters)
{
  g->SetValidChars("AB");
  Open(edValidChars, "");
  SimType(Editor(), "AxBa");
  EXPECT_EQ(Editor()->Text(), "AB");
}

TEST_F(TextEditor, LengthLimitStopsTypingButNotBackspace)
{
  g->Columns()->Items(cText)->SetEditLength(5);
  Open(edNormal, "abcde");
  SimType(Editor(), "f");
  EXPECT_EQ(Editor()->Text(), "abcde");
  SimKey(Editor(), VK_BACK);
  EXPECT_EQ(Editor()->Text(), "abcd");
  SetClipboardText("xy");  // would exceed the limit
  Editor()->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(Editor()->Text(), "abcd");
}

TEST_F(TextEditor, PasteGoesThroughTheTypeFilterAndIntoTheCell)
{
  struct TCase {
    TEditorType type;
    const char *clip;
    const char *result;
  } cases[] = {
      {edNumeric, "12\r\n", "12"},              // a trailing line break is dropped
      {edNormal, "1\r\n2", "1\r\n2"},           // inside it stays
      {edNumeric, "1\r\n2", ""},                // a number cell refuses it
      {edPositiveNumeric, "-4", ""},
      {edUpperCase, "abc", "ABC"},
  };
  for (const TCase &t : cases) {
    SCOPED_TRACE(t.clip);
    Open(t.type, "");
    SetClipboardText(t.clip);
    SimKey(Editor(), 'V', {ssCtrl});
    EXPECT_EQ(Editor()->Text(), t.result);
    EXPECT_EQ(g->Cells(cText, 1), t.result);
  }
}

TEST_F(TextEditor, ClipboardEventsMayVetoPaste)
{
  g->OnClipboardPaste = [](TObject *, bool &allow) { allow = false; };
  Open(edNormal, "a");
  SetClipboardText("zz");
  SimKey(Editor(), 'V', {ssCtrl});
  EXPECT_EQ(Editor()->Text(), "a");
}

TEST_F(TextEditor, PasswordCellsHideTheirTextAndKeepItOutOfHistoryAndClipboard)
{
  g->SetLookupHistory(true);
  Open(edPassword, "");
  SimType(Editor(), "secret");
  EXPECT_EQ(Editor()->PasswordChar(), g->PasswordChar());
  SetClipboardText("before");
  Editor()->SelectAll();
  SimKey(Editor(), 'C', {ssCtrl});
  EXPECT_EQ(ClipboardText(), "before");
  SimKey(Editor(), VK_RETURN);
  g->HideInplaceEdit();
  SimProcess();
  EXPECT_EQ(g->Cells(cText, 1), "secret");
  EXPECT_EQ(g->LookupItems()->IndexOf("secret"), -1);
  // A plain cell's text does go into the history.
  Open(edNormal, "");
  SimType(Editor(), "plain");
  Editor()->Perform(WM_KILLFOCUS, 0, 0);
  EXPECT_NE(g->LookupItems()->IndexOf("plain"), -1);
}

TEST_F(TextEditor, LookupCompletesFromTheItems)
{
  g->SetLookup(true);
  g->LookupItems()->Add("Alpha");
  g->LookupItems()->Add("Beta");
  Open(edNormal, "");
  SimType(Editor(), "be");
  EXPECT_EQ(Editor()->Text(), "beta");
  EXPECT_EQ(Editor()->SelStart(), 2);
  EXPECT_EQ(Editor()->SelLength(), 2);
}

TEST_F(TextEditor, CtrlEnterBreaksTheLineAndEnterEndsTheEdit)
{
  Open(edNormal, "ab");
  SimKey(Editor(), VK_RETURN, {ssCtrl});
  EXPECT_TRUE(EditorShown());
  EXPECT_TRUE(Editor()->Text().contains('\n'));
  SimKey(Editor(), VK_RETURN);
  SimProcess();
  EXPECT_FALSE(EditorShown());
}

TEST_F(TextEditor, SizeWhileTypingGrowsTheColumnAndTheRow)
{
  QList<int> rowsSized;
  g->OnEndRowSize = [&](TObject *, int r) { rowsSized << r; };
  const QString text = "a text far wider than the column";
  const struct {
    bool width, height;
  } cases[] = {{false, false}, {true, false}, {false, true}};
  for (const auto &c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << c.height);
    g->HideInplaceEdit();
    g->Columns()->Items(cText)->SetWidth(90);
    g->SetRowHeights(1, 22);
    rowsSized.clear();
    g->SizeWhileTyping()->SetWidth(c.width);
    g->SizeWhileTyping()->SetHeight(c.height);
    Open(edNormal, "");
    SimType(Editor(), text);
    ASSERT_EQ(g->Cells(cText, 1), text);
    if (c.width)
      EXPECT_EQ(g->ColWidths(cText), g->GetCellTextSize(cText, 1, false, false).cx + 8);
    else
      EXPECT_EQ(g->ColWidths(cText), 90);
    if (c.height) {
      EXPECT_GE(g->RowHeights(1), 2 * g->Canvas()->TextHeight("gh") + 6) << "the wrapped text's lines";
      EXPECT_EQ(rowsSized.value(0), 1);
    } else {
      EXPECT_EQ(g->RowHeights(1), 22);
      EXPECT_TRUE(rowsSized.isEmpty());
    }
    // The editor stays exactly over its grown cell.
    EXPECT_EQ(Editor()->Width(), g->ColWidths(cText) - 1);
    EXPECT_EQ(Editor()->Height(), g->RowHeights(1) - 1);
  }
}

TEST_F(TextEditor, CtrlEnterMakesRoomForTheNewLine)
{
  g->SetWordWrap(false);
  g->SetMultilinecells(true);
  g->SizeWhileTyping()->SetHeight(true);
  int sized = -1;
  g->OnEndRowSize = [&](TObject *, int r) { sized = r; };
  Open(edNormal, "ab");
  g->Canvas()->Font()->Assign(Editor()->Font());
  const int h = g->Canvas()->TextHeight("gh");
  SimKey(Editor(), VK_RETURN, {ssCtrl});
  EXPECT_GE(g->RowHeights(1), 2 * h + 6);
  EXPECT_LT(g->RowHeights(1), 3 * h + 6);
  EXPECT_EQ(sized, 1);
  EXPECT_EQ(Editor()->Height(), g->RowHeights(1) - 1);
}

}  // namespace
