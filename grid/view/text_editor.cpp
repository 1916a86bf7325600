// The grid's default text editor: per-type character filtering, the length limit, lookup
// completion, the clipboard with veto events, the keys that end the edit (with validation)
// and the edit-done notification when it loses the focus.
#include "grid/view/editor_wrappers.h"

#include <algorithm>

#include "framework/controls/clipboard.h"
#include "grid/core/grid_settings.h"
#include "grid/core/text_conversion.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"
#include "grid/foundation/grid_utils.h"

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

TZavInplaceEdit::TZavInplaceEdit(TComponent *AOwner) : TInplaceEdit(AOwner), FGrid(OwnerGrid(AOwner)) {}

void TZavInplaceEdit::SetWordWrap(bool Value)
{
  if (FWordWrap == Value)
    return;
  FWordWrap = Value;
  if (HandleAllocated())
    RecreateWnd();
}

void TZavInplaceEdit::SetVAlign(bool Value)
{
  if (FValign == Value)
    return;
  FValign = Value;
  if (HandleAllocated())
    RecreateWnd();
}

bool TZavInplaceEdit::IsPasswordEdit()
{
  return FGrid->EditControl == edPassword || FGrid->IsPasswordCell(FGrid->RealColIndex(FGrid->Col()), FGrid->Row());
}

void TZavInplaceEdit::CreateParams(TCreateParams &Params)
{
  TInplaceEdit::CreateParams(Params);
  if (FValign)
    Params.Style |= ES_RIGHT;
  if (FWordWrap && !FPassword) {
    Params.Style |= ES_MULTILINE;
    Params.Style &= ~uint32_t(ES_AUTOHSCROLL);
  }
  if (FPassword) {
    Params.Style |= ES_PASSWORD;
    Params.Style &= ~uint32_t(ES_MULTILINE);
  }
  Params.Style |= ES_WANTRETURN;
  GotKey = false;
  Workmode = true;
}

void TZavInplaceEdit::CreateWnd()
{
  TInplaceEdit::CreateWnd();
  SetPasswordChar(FPassword ? FGrid->PasswordChar() : QChar());
  FLengthLimit = FGrid->GetEditLimit();
}

void TZavInplaceEdit::UpdateContents()
{
  // A password cell needs a one-line window with hidden characters: the window follows the
  // kind of cell it is loaded for.
  const bool password = IsPasswordEdit();
  const bool wrap = FGrid->WordWrap();
  if (password != FPassword || wrap != FWordWrap) {
    FPassword = password;
    FWordWrap = wrap;
    if (HandleAllocated())
      RecreateWnd();
  }
  SetPasswordChar(FPassword ? FGrid->PasswordChar() : QChar());
  FGrid->FNoEditChange = true;
  try {
    TInplaceEdit::UpdateContents();
  } catch (...) {
    FGrid->FNoEditChange = false;
    throw;
  }
  FGrid->FNoEditChange = false;
  TAlignment ha = taLeftJustify;
  SetColor(FGrid->EditorLook(FGrid->Col(), FGrid->Row(), Font(), ha));
  SetAlignment(ha);
  FColE = FGrid->Col();
  FRowE = FGrid->Row();
  FGrid->DoGetEditorProp(FGrid->Col(), FGrid->Row(), nullptr);
}

void TZavInplaceEdit::BoundsChanged()
{
  TInplaceEdit::BoundsChanged();
  // The grid lines stay visible: the editor is one pixel smaller than the cell each way.
  const TRect r = FGrid->CellRect(FGrid->Col(), FGrid->Row());
  SetBounds(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}

void TZavInplaceEdit::Change()
{
  TInplaceEdit::Change();
  if (!FGrid->FNoEditChange && FGrid->OnEditChange)
    FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

bool TZavInplaceEdit::WantsTab()
{
  return FGrid->Options().Contains(goTabs) || FGrid->OnCellValidate || FGrid->OnCellValidateWide;
}

bool TZavInplaceEdit::Validate() { return FGrid->ValidateCell(Text()); }

bool TZavInplaceEdit::StoreAndValidate()
{
  // The cell gets the text without validating inside the store; the validation follows.
  const QString old = FGrid->FOldCellText;
  FGrid->FValidating = true;
  FGrid->SetCurrentCell(Text());
  FGrid->FValidating = false;
  if (Validate()) {
    SetText(FGrid->FNewCellText);
    return true;
  }
  KeepAfterRefusal();
  FGrid->FOldCellText = old;
  return false;
}

bool TZavInplaceEdit::CursorWalk(uint16_t Key, TShiftState Shift)
{
  const bool forward = Key == VK_RIGHT;
  const bool noShift = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  // Left leaves only when the caret already stood at the start before the key; Right when it
  // stood at the end, so the key that reaches the edge does not leave yet.
  const bool atEdge = forward ? FOldSelStart == Text().length() && SelStart() == Text().length()
                              : SelStart() == 0 && FSelKeyDown == 0;
  if (!FGrid->Navigation()->CursorWalkEditor() || SelLength() != 0 || !noShift || !atEdge)
    return false;
  // The value is final before the cell is left; a refused one keeps the editor on its cell
  // (the refusal has put it back there with the old text).
  if (!Validate())
    return true;
  FGrid->HideInplaceEdit();
  const int target = CursorWalkClickCell(FGrid, forward);
  if (target != -1) {
    FGrid->SetCol(target);
    return true;
  }
  CursorWalkAdvance(FGrid, forward);
  if (FGrid->Navigation()->CursorWalkAlwaysEdit()) {
    if (!FGrid->EditorMode())
      FGrid->ShowEditor();
  } else {
    FGrid->HideInplaceEdit();
  }
  return true;
}

void TZavInplaceEdit::KeepAfterRefusal()
{
  // The refused or corrected value stays in the editor for another try.
  SetText(FGrid->FNewCellText);
  if (FGrid->Navigation()->EditSelectAll())
    SelectAll();
  else
    SetSelStart(Text().length());
}

void TZavInplaceEdit::WMKeyDown(TMessage &Message)
{
  uint16_t key = uint16_t(Message.WParam);
  const TShiftState shift = KeyboardStateToShiftState();
  FGrid->EditorWMKeyDown(key, shift);
  FOldSelStart = SelStart();
  TNavigation *nav = FGrid->Navigation();
  const bool ctrl = shift.Contains(ssCtrl);
  const bool multi = FGrid->WordWrap() || FGrid->Multilinecells();
  switch (key) {
  case VK_ESCAPE:
    SetText(FGrid->FCellCache);
    FGrid->HideInplaceEdit();
    break;
  case 'A':
    if (ctrl && !shift.Contains(ssAlt)) {
      SelectAll();
      return;
    }
    break;
  case 'V':
  case 'C':
  case 'X':
    if (ctrl && !shift.Contains(ssAlt)) {
      Perform(key == 'V' ? WM_PASTE : key == 'C' ? WM_COPY : WM_CUT, 0, 0);
      return;
    }
    break;
  case VK_INSERT:
    if (shift.Contains(ssShift) && !ctrl) {
      Perform(WM_PASTE, 0, 0);
      return;
    }
    if (ctrl && !shift.Contains(ssShift)) {
      Perform(WM_COPY, 0, 0);
      return;
    }
    break;
  case VK_TAB:
    if (WantsTab()) {
      const QString old = FGrid->FOldCellText;
      if (Validate()) {
        SetText(FGrid->FNewCellText);
        FGrid->HideInplaceEdit();
        if (FGrid->Options().Contains(goTabs))
          FGrid->TabToNextCell(shift.Contains(ssShift));
        else
          PostMessage(FGrid->Handle(), WM_KEYDOWN, VK_TAB, 0);
      } else {
        KeepAfterRefusal();
        FGrid->FOldCellText = old;
      }
      return;
    }
    break;
  case VK_RETURN:
    if (ctrl && !(nav->AllowCtrlEnter() && multi))
      return;
    if (!nav->LineFeedOnEnter() && !ctrl) {
      const QString old = FGrid->FOldCellText;
      if (!Validate()) {
        KeepAfterRefusal();
        FGrid->FOldCellText = old;
        // One refusal per key: the character that follows does not validate again.
        FSkipEnterChar = true;
        return;
      }
      SetText(FGrid->FNewCellText);
    }
    break;
  case VK_LEFT:
  case VK_RIGHT: {
    const bool atEdge = key == VK_LEFT ? SelStart() == 0 : SelStart() + SelLength() == Text().length();
    if (shift.Contains(ssShift) && nav->CursorWalkEditor() && atEdge) {
      if (!StoreAndValidate()) {
        Invalidate();
        return;
      }
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus())
        FGrid->SetFocus();
    }
    break;
  }
  case VK_HOME:
    if (!ctrl && !shift.Contains(ssShift)) {
      SetSelStart(0);
      SetSelLength(0);
    }
    break;
  case VK_END:
    if (!ctrl && !shift.Contains(ssShift)) {
      SetSelStart(Text().length());
      SetSelLength(0);
    }
    break;
  default:
    break;
  }
  TInplaceEdit::WndProc(Message);
}

bool TZavInplaceEdit::ValidCharAccepted(QChar Ch) const
{
  const QString &chars = FGrid->ValidChars();
  if (!chars.isEmpty())
    return chars.contains(Ch);
  return Ch.unicode() < 256 && FGrid->ValidCharSet().test(Ch.unicode());
}

bool TZavInplaceEdit::MaskFilled() const
{
  // Every input position holds a character (a literal blank of the mask does not count) and
  // the caret stands after the last one.
  if (!IsMasked())
    return false;
  const QString shown = EditText();
  for (int i = 0; i < shown.size(); ++i) {
    const bool literal = i < FLayout.Literals.size() && !FLayout.Literals.at(i).isNull();
    if (!literal && (shown.at(i) == FLayout.Blank || shown.at(i) == QLatin1Char(' ')))
      return false;
  }
  return SelLength() == 0 && SelStart() == shown.size();
}

bool TZavInplaceEdit::FilterChar(QChar &Ch)
{
  const char16_t k = Ch.unicode();
  const TNavigation *nav = FGrid->Navigation();
  if (Ch == QLatin1Char('.') && FGrid->ExcelStyleDecimalSeparator() && GetKeyState(VK_DECIMAL) < 0)
    Ch = FormatSettings.DecimalSeparator;
  if (k == 1)
    return false;
  const bool multi = FGrid->WordWrap() || FGrid->Multilinecells();
  if (k == 10 && !(nav->AllowCtrlEnter() && multi))
    return false;
  const QString text = Text();
  if (FLengthLimit > 0 && text.length() >= FLengthLimit && SelLength() == 0 && k != 8 && k != 27 && k != 13)
    return false;
  const bool control = k == 8 || k == 9 || k == 13 || k == 27;
  const QChar decimal = FormatSettings.DecimalSeparator;
  const QString sel = SelText();
  switch (FGrid->EditControl) {
  case edNumeric:
  case edPositiveNumeric:
    if (control || IsDigit(Ch))
      return true;
    if (Ch == QLatin1Char('-') && FGrid->EditControl == edNumeric && !text.contains(QLatin1Char('-')) &&
        SelStart() == 0)
      return true;
    MessageBeep(0);
    return false;
  case edFloat:
  case edPositiveFloat: {
    if (Ch == FormatSettings.ThousandSeparator && Ch != decimal)
      return false;
    if (Ch == decimal && text.contains(decimal) && !sel.contains(decimal))
      return false;
    if (Ch == QLatin1Char('-')) {
      if (FGrid->EditControl == edPositiveFloat)
        return false;
      if ((SelStart() != 0 || text.contains(QLatin1Char('-'))) && !sel.contains(QLatin1Char('-'))) {
        MessageBeep(0);
        return false;
      }
      return true;
    }
    if (control || IsDigit(Ch) || Ch == QLatin1Char(',') || Ch == QLatin1Char('.'))
      return true;
    return KeyboardStateToShiftState().Contains(ssCtrl);
  }
  case edCapital:
  case edUpperCase:
    Ch = Ch.toUpper();
    return true;
  case edLowerCase:
    Ch = Ch.toLower();
    return true;
  case edValidChars: {
    if (k == 8 || k == 13 || ValidCharAccepted(Ch))
      return true;
    MessageBeep(0);
    return false;
  }
  default:
    return true;
  }
}

void TZavInplaceEdit::WMKillFocus(TMessage &Message)
{
  FGrid->FStartEditChar = QChar();
  // Password texts never go into the lookup history.
  if (FGrid->LookupHistory() && !FPassword && !Text().isEmpty() && FGrid->LookupItems()->IndexOf(Text()) == -1)
    FGrid->LookupItems()->Add(Text());
  TInplaceEdit::WndProc(Message);
  if (FAltBack)
    return;
  const HWND to = HWND(Message.WParam);
  const bool toGrid = FGrid->HandleAllocated() && to == FGrid->Handle();
  if (!toGrid)
    FGrid->PopInvalidEntryBalloon();  // the user went elsewhere
  if (!toGrid && FGrid->EditMode) {
    try {
      Validate();
      SetText(FGrid->GetCurrentCell());
    } catch (...) {
      FGrid->HideInplaceEdit();
      FGrid->FEditing = false;
      FGrid->EditMode = false;
      throw;
    }
    FGrid->HideInplaceEdit();
    FGrid->FEditing = false;
    FGrid->EditMode = false;
    FGrid->SelectCell(FColE, FRowE);
  }
  FGrid->FNoEditChange = true;
  SetText(FGrid->GetCurrentCell());
  FGrid->FNoEditChange = false;
  if (FGotFocus) {
    FGotFocus = false;
    FGrid->NotifyEditingDone(FGrid->RealColIndex(FColE), FRowE);
  }
}

void TZavInplaceEdit::WMSetFocus(TMessage &Message)
{
  TInplaceEdit::WndProc(Message);
  FGotFocus = true;
  FGrid->FNoEditChange = false;
  FLengthLimit = FGrid->GetEditLimit();
  if (FLengthLimit > 0)
    SetMaxLength(FLengthLimit);
  if (IsMasked() && FGrid->Navigation()->ImproveMaskSel()) {
    SetSelStart(0);
    SetSelLength(1);
    return;
  }
  if (!FGrid->Navigation()->EditSelectAll()) {
    SetSelStart(Text().length());
    SetSelLength(0);
  }
}

void TZavInplaceEdit::Paste()
{
  bool allow = ClipboardHasText();
  QString S = ClipboardText();
  if (FGrid->OnClipboardPaste)
    FGrid->OnClipboardPaste(this, allow);
  if (allow && FGrid->OnClipboardBeforePasteCell)
    FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), S, allow);
  if (!allow || (FLengthLimit >= 1 && S.length() > FLengthLimit))
    return;
  const int crlf = S.indexOf(QLatin1String("\r\n"));
  if (crlf != -1 && crlf == S.length() - 2)
    S.chop(2);
  const QString text = Text();
  const int start = SelStart(), len = SelLength();
  QString result = text.left(start) + S + text.mid(start + len);
  if (FLengthLimit >= 1 && result.length() > FLengthLimit)
    return;
  const TEditorType t = FGrid->EditControl;
  bool ok = true;
  switch (t) {
  case edNumeric:
  case edPositiveNumeric:
    ok = ClassifyNumberText(result) == 0 && (!result.contains(QLatin1Char('-')) || t == edNumeric);
    break;
  case edFloat:
  case edPositiveFloat: {
    const int c = ClassifyNumberText(result);
    ok = (c == 0 || c == 1) && (!result.contains(QLatin1Char('-')) || t == edFloat);
    break;
  }
  case edMixedCase:
    result = CapitalizeWords(result);
    break;
  case edLowerCase:
    result = result.toLower();
    break;
  case edCapital:
  case edUpperCase:
    result = result.toUpper();
    break;
  case edValidChars:
    // A paste passes the same characters as typing does.
    ok = !S.isEmpty();
    for (QChar c : S)
      ok = ok && ValidCharAccepted(c);
    break;
  default:
    break;
  }
  if (!ok)
    return;
  SetText(result);
  FGrid->SetCurrentCellEx(Text());
  if (len > 0) {
    SetSelStart(start);
    SetSelLength(S.length());
  } else {
    SetSelStart(start + S.length());
    SetSelLength(0);
  }
  if (FGrid->OnClipboardAfterPasteCell)
    FGrid->OnClipboardAfterPasteCell(this, FGrid->Col(), FGrid->Row(), Text());
}

void TZavInplaceEdit::WndProc(TMessage &Message)
{
  switch (Message.Msg) {
  case WM_SYSKEYDOWN:
    if (Message.WParam == VK_BACK)
      FAltBack = true;
    break;
  case WM_SYSKEYUP:
    if (Message.WParam == VK_BACK)
      FAltBack = false;
    break;
  case WM_KEYDOWN:
    // The next key answers the refused-value balloon.
    FGrid->PopInvalidEntryBalloon();
    FSkipEnterChar = false;
    WMKeyDown(Message);
    return;
  case WM_CHAR: {
    QChar ch(uint16_t(Message.WParam));
    if (ch.unicode() == 13 && FSkipEnterChar) {
      FSkipEnterChar = false;
      return;
    }
    const TEditorType t = FGrid->EditControl;
    const bool lineType = t == edNormal || t == edCapital || t == edMixedCase || t == edLowerCase ||
                          t == edUpperCase || t == edValidChars;
    if (!(ch.unicode() == 13 && lineType && FGrid->Navigation()->LineFeedOnEnter()) && !FilterChar(ch))
      return;
    Message.WParam = WPARAM(ch.unicode());
    const int caret = SelStart();
    TInplaceEdit::WndProc(Message);
    if (t == edMixedCase && ch.isPrint()) {
      SetText(CapitalizeWords(Text()));
      SetSelStart(caret + 1);
    }
    const TNavigation *nav = FGrid->Navigation();
    const bool fullLength = nav->AdvanceOnEnter() && FGrid->MaxEditLength() > 0 &&
                            Text().length() >= FGrid->MaxEditLength() && SelLength() == 0 &&
                            SelStart() == Text().length();
    if (ch.isPrint() && nav->AdvanceAuto() && (fullLength || MaskFilled())) {
      // A full field moves on as Enter does, its value validated first.
      QChar enter(13);
      KeyPress(enter);
    }
    return;
  }
  case WM_KEYUP:
    TInplaceEdit::WndProc(Message);
    FGrid->InplaceFormulaState();
    return;
  case WM_SETFOCUS:
    WMSetFocus(Message);
    return;
  case WM_KILLFOCUS:
    WMKillFocus(Message);
    return;
  case WM_COPY:
  case WM_CUT: {
    bool allow = true;
    auto &event = Message.Msg == WM_COPY ? FGrid->OnClipboardCopy : FGrid->OnClipboardCut;
    if (event)
      event(this, allow);
    if (!allow)
      return;
    // Never hand out the text of a password cell.
    if (!FPassword)
      SetClipboardText(SelText());
    if (Message.Msg == WM_CUT && !FPassword)
      SetSelText(QString());
    return;
  }
  case WM_PASTE:
    Paste();
    return;
  case WM_LBUTTONDBLCLK:
    TInplaceEdit::WndProc(Message);
    if (FGrid->OnDblClickCell)
      FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
    return;
  case CM_WANTSPECIALKEY:
    TInplaceEdit::WndProc(Message);
    if (Message.WParam == VK_TAB && WantsTab())
      Message.Result = 1;
    return;
  default:
    break;
  }
  TInplaceEdit::WndProc(Message);
}

void TZavInplaceEdit::KeyDown(uint16_t &Key, TShiftState Shift)
{
  FSelKeyDown = SelStart();
  if (Key == VK_BACK || Key == VK_DELETE)
    Workmode = false;
  else if (Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN)
    Workmode = true;
  const QString text = Text();
  const int caret = SelStart();
  if (Key == VK_RETURN && !FGrid->Navigation()->AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->Multilinecells()))
    FGrid->FEditing = false;
  if (Key == VK_RETURN && (Shift.Contains(ssCtrl) || Shift.Contains(ssShift)) && FGrid->SizeWhileTyping()->Height() &&
      FGrid->Multilinecells()) {
    // Room for the line the Enter is about to start.
    TCanvas *canvas = FGrid->Canvas();
    canvas->Font()->Assign(Font());
    TRect r(0, 0, std::max(1, Width() - 5), 0);
    const int textH = canvas->DrawText(text + QStringLiteral("\r\n "), r,
                                       DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
    const int height = textH + FGrid->GetTotalYOffset() + 2 * FGrid->GridLineWidth();
    SizeRowWhileTyping(FGrid->RowHeights(FGrid->Row()) > height ? 0 : height);
  }
  // Up and Down move between the lines of a multi-line text and leave the cell at its edges.
  if (Key == VK_UP && text.left(caret).contains(QLatin1Char('\n')))
    return;
  if (Key == VK_DOWN && text.mid(caret).contains(QLatin1Char('\n')))
    return;
  if ((Key == VK_UP || Key == VK_DOWN) && !StoreAndValidate()) {
    Key = 0;
    return;
  }
  FGrid->EditorKeyDown(Key, Shift);
  TInplaceEdit::KeyDown(Key, Shift);
}

void TZavInplaceEdit::KeyPress(QChar &Key)
{
  if (Key == QChar(13) && !FGrid->Navigation()->LineFeedOnEnter()) {
    if (!Validate()) {
      SetText(FGrid->GetCurrentCell());
      Key = QChar();
      return;
    }
  }
  TInplaceEdit::KeyPress(Key);
}

void TZavInplaceEdit::KeyUp(uint16_t &Key, TShiftState Shift)
{
  if (Key == VK_LEFT || Key == VK_RIGHT) {
    if (!CursorWalk(Key, Shift))
      return;
    Key = 0;
  }
  TInplaceEdit::KeyUp(Key, Shift);
  LookupComplete();
  if (Key == VK_LEFT || Key == VK_RIGHT)
    return;
  // The cell already holds the typed text, so the fits measure what the user sees.
  if (FGrid->SizeWhileTyping()->Width())
    FGrid->AutoSizeCol(FGrid->Col(), 0);
  if (FGrid->SizeWhileTyping()->Height() && FGrid->WordWrap())
    SizeRowWhileTyping(0);
}

void TZavInplaceEdit::SizeRowWhileTyping(int Height)
{
  const int row = FGrid->Row();
  TColumnSize *cs = FGrid->ColumnSize();
  const bool synch = cs->SynchWithGrid();
  cs->SetSynchWithGrid(false);
  if (Height > 0)
    FGrid->SetRowHeights(row, Height);
  else
    FGrid->AutoSizeRow(row, 0);
  cs->SetSynchWithGrid(synch);
  if (FGrid->OnEndRowSize)
    FGrid->OnEndRowSize(FGrid, row);
}

void TZavInplaceEdit::LookupComplete()
{
  if (!Workmode || SelLength() != 0 || !FGrid->Lookup() || FPassword)
    return;
  TStringList *items = FGrid->LookupItems();
  if (!items || items->Count() == 0)
    return;
  const bool cs = FGrid->LookupCaseSensitive();
  const QString text = Text();
  const QString typed = text.left(SelStart());
  if (typed.isEmpty())
    return;
  const QString key = cs ? typed : typed.toUpper();
  for (int i = 0; i < items->Count(); ++i) {
    const QString item = items->Strings(i);
    if ((cs ? item : item.toUpper()).startsWith(key)) {
      const QString completed = typed + item.mid(typed.length(), 255);
      if (completed == text)
        return;
      SetText(completed);
      SetSelStart(typed.length());
      SetSelLength(completed.length() - typed.length());
      GotKey = false;
      return;
    }
  }
}
