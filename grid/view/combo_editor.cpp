// The grid's combo cell editor: keys that end the edit, commit with validation, moves to the
// neighbouring cells, wheel stepping, lookup completion and the grid's combo events.
#include <algorithm>

#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_kind.h"
#include "grid/view/editor_wrappers.h"

namespace {

constexpr QChar KeyEsc(0x1B);
constexpr QChar KeyEnter(0x0D);
constexpr QChar KeyTab(0x09);
// Completion never makes the text longer than the platform's combo edit takes.
constexpr int MaxCompletedLength = 255;

bool HandledKey(uint16_t Key, bool ListMode)
{
  if (ListMode)
    return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
  return Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT ||
         Key == VK_END || Key == VK_UP || Key == VK_DOWN;
}

// Index of the first entry of List that starts with Prefix; -1 when none or Prefix is empty.
int FirstMatch(const TStrings *List, const QString &Prefix, bool CaseSensitive)
{
  if (Prefix.isEmpty())
    return -1;
  const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
  for (int i = 0; i < List->Count(); ++i)
    if (List->Strings(i).startsWith(Prefix, cs))
      return i;
  return -1;
}

} // namespace

bool TGridCombo::GridHandlesTab() const
{
  return FGrid->Options().Contains(goTabs) || FGrid->OnCellValidate || FGrid->OnCellValidateWide;
}

bool TGridCombo::CommitText()
{
  const QString text = Text();
  FGrid->SetCurrentCell(text);
  return FGrid->ValidateCell(text);
}

void TGridCombo::FocusGrid()
{
  TNavigation *nav = FGrid->Navigation();
  const bool alwaysEdit = nav->AlwaysEdit();
  nav->SetAlwaysEdit(false);
  if (FGrid->CanFocus())
    FGrid->SetFocus();
  nav->SetAlwaysEdit(alwaysEdit);
}

void TGridCombo::GridKey(uint16_t Key, TShiftState Shift)
{
  uint16_t k = Key;
  FGrid->KeyDown(k, Shift);
}

void TGridCombo::FireItemEvents(int Index, const QString &Value)
{
  const int col = FGrid->RealColIndex(FGrid->Col());
  const int row = FGrid->GetRowEx();
  // No item selected (an empty list, or typed text): no object to hand over.
  TObject *object = Index >= 0 && Index < Items()->Count() ? Items()->Objects(Index) : nullptr;
  if (FGrid->OnComboChange)
    FGrid->OnComboChange(FGrid, col, row, Index, Value);
  if (FGrid->OnComboObjectChange)
    FGrid->OnComboObjectChange(FGrid, col, row, Index, Value, object);
}

void TGridCombo::SizeDropDownWidth()
{
  TCanvas *canvas = FGrid->Canvas();
  int w = Width();
  const bool scrollBar = Items()->Count() > DropDownCount();
  for (int i = 0; i < Items()->Count(); ++i) {
    const int t = canvas->TextWidth(Items()->Strings(i));
    if (scrollBar) {
      if (t > w - 25)
        w = t + 25;
    } else if (t > w - 5) {
      w = t + 8;
    }
  }
  SetDroppedWidth(w);
}

void TGridCombo::DoChange()
{
  if (!WorkMode || !FGrid->Lookup())
    return;
  const bool cs = FGrid->LookupCaseSensitive();
  const QString typed = Text();
  const QString prefix = typed.left(SelStart());
  auto complete = [&](const QString &Item) {
    const QString text = (prefix + Item.mid(prefix.size())).left(MaxCompletedLength);
    SetEditText(text);
    SetSelStart(prefix.size());
    SetSelLength(text.size() - prefix.size());
  };
  const int i = FirstMatch(Items(), prefix, cs);
  if (i != -1) {
    SetItemIndex(i);
    complete(Items()->Strings(i));
    return;
  }
  const int j = FirstMatch(FGrid->LookupItems(), prefix, cs);
  if (j != -1)
    complete(FGrid->LookupItems()->Strings(j));
}

void TGridCombo::KeyDown(uint16_t &Key, TShiftState Shift)
{
  TNavigation *nav = FGrid->Navigation();
  const bool listMode = Style() == csDropDownList || DroppedDown();
  WorkMode = Key != VK_BACK && Key != VK_DELETE;

  // Refused value: the proposed text stays in the editor and the grid does not advance.
  auto refused = [&](bool SelectAll) {
    SetText(FGrid->NewCellText());
    if (SelectAll)
      this->SelectAll();
    else
      SetSelStart(Text().size());
    Repaint();
    Key = 0;
  };
  auto showStored = [&](bool ClearWhenMissing) {
    const QString stored = FGrid->CurrentCell();
    if (Style() == csDropDownList) {
      const int i = Items()->IndexOf(stored);
      if (i != -1 || ClearWhenMissing)
        SetItemIndex(i);
    } else {
      SetText(stored);
    }
  };

  // Up or Down with the list closed leaves the editor: the value goes into the edited cell
  // first, then the grid moves once (Alt+Down opens the list instead).
  if ((Key == VK_UP || Key == VK_DOWN) && !nav->ComboGetUpDown() && !DroppedDown() && !Shift.Contains(ssAlt)) {
    if (!CommitText()) {
      refused(Style() != csDropDownList);
      FGrid->FNoAutoAdvance = true;
      return;
    }
    const uint16_t k = Key;
    Key = 0;
    FGrid->HideInplaceEdit();
    FocusGrid();
    GridKey(k, Shift);
    return;
  }

  if (!HandledKey(Key, listMode) || (Key == VK_DOWN && Shift.Contains(ssAlt))) {
    TZsgComboBox::KeyDown(Key, Shift);
    return;
  }

  if (Key == VK_ESCAPE) {
    if (const TSpecialEditor *kind = SpecialEditorFor(FGrid->EditorType()))
      kind->Cancel(*FGrid);
    Key = 0;
    FGrid->HideInplaceEdit();
    if (FGrid->CanFocus())
      FGrid->SetFocus();
    return;
  }

  if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    if (!CommitText()) {
      refused(Style() != csDropDownList);
      FGrid->FNoAutoAdvance = true;
      return;
    }
    showStored(false);
  }

  if (Key == VK_TAB && GridHandlesTab()) {
    if (!CommitText()) {
      refused(false);
      return;
    }
    showStored(true);
    if (FGrid->Options().Contains(goTabs)) {
      const bool backward = Shift.Contains(ssShift) || (GetKeyState(VK_SHIFT) & 0x8000) != 0;
      Key = 0;
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus())
        FGrid->SetFocus();
      FGrid->TabToNextCell(backward);
      return;
    }
    if (FGrid->HandleAllocated())
      PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
  }

  if (listMode) {
    TMouseActions *ma = FGrid->MouseActions();
    const bool directClose = ma->DirectComboClose();
    ma->SetDirectComboClose(false);
    FGrid->HideInplaceEdit();
    ma->SetDirectComboClose(directClose);
    if (Key == VK_LEFT || Key == VK_RIGHT) {
      const uint16_t k = Key;
      Key = 0;
      FocusGrid();
      GridKey(k, Shift);
      return;
    }
  } else if (Key == VK_END) {
    TZsgComboBox::KeyDown(Key, Shift);
    return;
  }

  const uint16_t k = Key;
  Key = 0;
  FGrid->DoneInplaceEdit(k, Shift);
  if (nav->AdvanceOnEnter() && nav->AdvanceAutoEdit())
    FGrid->ShowInplaceEdit();
}

void TGridCombo::CursorWalk(bool Forward)
{
  const int target = CursorWalkClickCell(FGrid, Forward);
  if (target != -1) {
    if (FGrid->ValidateCell(Text())) {
      FGrid->HideInplaceEdit();
      FGrid->SetCol(target);
    }
    return;
  }
  if (FGrid->CanFocus())
    FGrid->SetFocus();
  CursorWalkAdvance(FGrid, Forward);
  if (FGrid->Navigation()->CursorWalkAlwaysEdit())
    FGrid->ShowEditor();
}

void TGridCombo::KeyUp(uint16_t &Key, TShiftState Shift)
{
  TNavigation *nav = FGrid->Navigation();
  const bool walk = Style() == csDropDown && nav->CursorWalkEditor() && SelLength() == 0 && Shift.Empty();
  if (walk && Key == VK_LEFT && SelStart() == 0) {
    Key = 0;
    CursorWalk(false);
  } else if (walk && Key == VK_RIGHT && SelStart() == Text().size()) {
    Key = 0;
    CursorWalk(true);
  }
  FGrid->FNoAutoAdvance = false;
  if (Key != VK_RETURN)
    TZsgComboBox::KeyUp(Key, Shift);
  DoChange();
}

void TGridCombo::KeyPress(QChar &Key)
{
  const int before = ItemIndex();
  if (FGrid->OnKeyPress)
    FGrid->OnKeyPress(this, Key);
  if (Key == KeyEsc)
    Key = QChar();
  if (Key == KeyEnter && OnReturnKey)
    OnReturnKey(this);
  if (Key == KeyEnter || Key == KeyTab)
    Key = QChar();
  TZsgComboBox::KeyPress(Key);
  // A drop-down list searches with the combo's type-ahead; the grid reports the item itself.
  if (Style() == csDropDownList && !Key.isNull() && Key.isPrint()) {
    if (TypeAhead(Key) != before)
      Select();
    Key = QChar();
  }
  const int after = ItemIndex();
  if (after != before)
    FireItemEvents(after, Text());
}

void TGridCombo::Change()
{
  TZsgComboBox::Change();
  if (FGrid->OnEditChange && !FGrid->FNoEditChange)
    FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->GetRowEx(), Text());
}

void TGridCombo::WndProc(TMessage &Message)
{
  const uint32_t wheel = FGrid->WheelMsg() ? uint32_t(FGrid->WheelMsg()) : uint32_t(WM_MOUSEWHEEL);
  if (Message.Msg != wheel) {
    TZsgComboBox::WndProc(Message);
    return;
  }
  const int delta = int16_t(HiWord(uintptr_t(Message.WParam)));
  const int i = ItemIndex();
  if (delta < 0) {
    if (i + 1 < Items()->Count())
      SetItemIndex(i + 1);
  } else if (i > 0) {
    SetItemIndex(i - 1);
  }
  const int now = ItemIndex();
  const QString value = now >= 0 && now < Items()->Count() ? Items()->Strings(now) : QString();
  if (FGrid->OnEditChange)
    FGrid->OnEditChange(FGrid, FGrid->RealColIndex(FGrid->Col()), FGrid->GetRowEx(), value);
  FireItemEvents(now, value);
  // Neither the list nor the grid scrolls.
  Message.Result = 0;
}

void TGridCombo::CMWantSpecialKey(TCMWantSpecialKey &Message)
{
  TZsgComboBox::CMWantSpecialKey(Message);
  if (Message.CharCode == VK_RETURN || Message.CharCode == VK_ESCAPE || (Message.CharCode == VK_TAB && GridHandlesTab()))
    Message.Result = 1;
}

void TGridCombo::WMSetFocus(TWMSetFocus &Message)
{
  TZsgComboBox::WMSetFocus(Message);
  if (Style() != csDropDown)
    return;
  if (!FGrid->Navigation()->EditSelectAll())
    SetSelStart(Text().size());
  if (!FGrid->LButFlg)
    return;
  TPoint p;
  GetCursorPos(p);
  p = ScreenToClient(p);
  if (p.X < 0 || p.X > Width() || p.Y < 0 || p.Y > Height())
    return;
  const int pos = CharFromPos(p.X);
  if (pos != -1) {
    SetSelStart(pos);
    FGrid->LButFlg = false;
  }
}

void TGridCombo::DoExit()
{
  if (FGrid->LookupHistory()) {
    const QString text = Text();
    if (!text.isEmpty() && Items()->IndexOf(text) == -1)
      Items()->Add(text);
  }
  FGrid->HideInplaceEdit();
  TZsgComboBox::DoExit();
}
