// TCustomGrid's in-place editor cycle (show, reload, write back, hide) and TInplaceEdit.
#include "framework/grids/inplace_edit.h"

// ---------------------------------------------------------------------------------------
// Grid side

TInplaceEdit *TCustomGrid::CreateEditor()
{
  return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow()
{
  if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect) || !FEditorMode)
    return false;
  if (ComponentState().Contains(csDesigning) || !HandleAllocated())
    return false;
  return FOptions.Contains(goAlwaysShowEditor) || IsActiveControl();
}

bool TCustomGrid::CanEditModify()
{
  return FCanEditModify;
}

bool TCustomGrid::CanEditAcceptKey(QChar Key)
{
  (void)Key;
  return true;
}

QString TCustomGrid::GetEditText(int ACol, int ARow)
{
  (void)ACol;
  (void)ARow;
  return QString();
}

void TCustomGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
  (void)ACol;
  (void)ARow;
  (void)Value;
}

QString TCustomGrid::GetEditMask(int ACol, int ARow)
{
  (void)ACol;
  (void)ARow;
  return QString();
}

int TCustomGrid::GetEditLimit()
{
  return 0;
}

void TCustomGrid::SetEditorMode(bool Value)
{
  if (!Value)
    HideEditor();
  else {
    ShowEditor();
    if (FInplaceEdit)
      FInplaceEdit->Deselect();
  }
}

void TCustomGrid::ShowEditor()
{
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::ShowEditorChar(QChar Ch)
{
  ShowEditor();
  if (FInplaceEdit && FInplaceEdit->Visible())
    PostMessage(FInplaceEdit->Handle(), WM_CHAR, WPARAM(Ch.unicode()), 0);
}

void TCustomGrid::HideEditor()
{
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::HideEdit()
{
  if (!FInplaceEdit)
    return;
  try {
    UpdateText();
  } catch (...) {
    FInplaceCol = -1;
    FInplaceRow = -1;
    FInplaceEdit->Hide();
    throw;
  }
  FInplaceCol = -1;
  FInplaceRow = -1;
  FInplaceEdit->Hide();
}

void TCustomGrid::UpdateText()
{
  if (FInplaceEdit && FInplaceCol != -1 && FInplaceRow != -1)
    SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::InitializeEditor()
{
  // The editor reports the load as a change; with no cell assigned yet that report does
  // not write the half-loaded text into the cell.
  FInplaceCol = -1;
  FInplaceRow = -1;
  FInplaceEdit->UpdateContents();
  FInplaceCol = FCurrent.X;
  FInplaceRow = FCurrent.Y;
  FCanEditModify = FInplaceEdit->MaxLength() != -1;
  FInplaceEdit->SelectAll();
}

void TCustomGrid::UpdateEdit()
{
  if (!CanEditShow())
    return;
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetGrid(this);
    FInplaceEdit->SetParent(this);
    InitializeEditor();
  } else if (FCurrent.X != FInplaceCol || FCurrent.Y != FInplaceRow) {
    HideEdit();
    InitializeEditor();
  }
  // The editor may have been refused while loading (a hook changed the options).
  if (CanEditShow())
    FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

void TCustomGrid::InvalidateEditor()
{
  FInplaceCol = -1;
  FInplaceRow = -1;
  UpdateEdit();
}

// ---------------------------------------------------------------------------------------
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent *AOwner) : TCustomMaskEdit(AOwner)
{
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetVisible(false);
}

void TInplaceEdit::Deselect()
{
  const int len = Text().length();
  SetSelStart(len);
  SetSelLength(0);
}

bool TInplaceEdit::Visible() const
{
  return HandleAllocated() && TCustomMaskEdit::Visible();
}

void TInplaceEdit::Hide()
{
  if (!HandleAllocated() || !TCustomMaskEdit::Visible())
    return;
  Invalidate();
  // The focus goes straight to the grid before the window hides: hiding a focused window
  // would hand it to the form first (a DoExit and DoEnter on the grid, and a grid that
  // reopens the editor when the focus comes back).
  if (Focused() && FGrid && FGrid->HandleAllocated())
    ::SetFocus(FGrid->Handle());
  SetBounds(0, 0, 0, 0);
  SetVisible(false);
}

void TInplaceEdit::Invalidate()
{
  TCustomMaskEdit::Invalidate();
  if (FGrid && FGrid->HandleAllocated() && HandleAllocated() && TCustomMaskEdit::Visible()) {
    const TRect r = BoundsRect();
    ::InvalidateRect(FGrid->Handle(), &r, false);
  }
}

void TInplaceEdit::Move(const TRect &Loc)
{
  UpdateLoc(Loc);
}

bool TInplaceEdit::PosEqual(const TRect &Rect) const
{
  return BoundsRect() == Rect;
}

void TInplaceEdit::UpdateLoc(const TRect &Loc)
{
  if (Loc.IsEmpty()) {
    Hide();
    return;
  }
  HandleNeeded();
  SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
  SetVisible(true);
  BringToFront();
  BoundsChanged();
  Invalidate();
  if (FGrid && FGrid->Focused())
    TCustomMaskEdit::SetFocus();
}

void TInplaceEdit::SetFocus()
{
  if (Visible())
    TCustomMaskEdit::SetFocus();
}

void TInplaceEdit::BoundsChanged()
{
}

void TInplaceEdit::UpdateContents()
{
  if (!FGrid)
    return;
  SetText(QString());
  SetEditMask(FGrid->GetEditMask(FGrid->Col(), FGrid->Row()));
  SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
  SetMaxLength(FGrid->GetEditLimit());
}

void TInplaceEdit::KeyDown(uint16_t &Key, TShiftState Shift)
{
  if (!FGrid) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    return;
  }
  auto sendToParent = [&] {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  };
  auto parentEvent = [&] {
    if (FGrid->OnKeyDown)
      FGrid->OnKeyDown(FGrid, Key, Shift);
  };
  const bool forward = FGrid->Options().Contains(goAlwaysShowEditor);
  const bool ctrl = Shift.Contains(ssCtrl);
  const int textLen = Text().length();
  const int selStart = SelStart();
  const int selEnd = selStart + SelLength();
  const bool rightSide = (selStart == 0 || selEnd == selStart) && selEnd == textLen;
  const bool leftSide = selStart == 0 && (selEnd == 0 || selEnd == textLen);
  switch (Key) {
  case VK_UP:
  case VK_DOWN:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_ESCAPE:
    sendToParent();
    break;
  case VK_INSERT:
    if (Shift.Empty())
      sendToParent();
    else if (Shift == TShiftState{ssShift} && !FGrid->CanEditModify())
      Key = 0;
    break;
  case VK_LEFT:
  case VK_HOME:
    if (forward && (ctrl || leftSide))
      sendToParent();
    break;
  case VK_RIGHT:
  case VK_END:
    if (forward && (ctrl || rightSide))
      sendToParent();
    break;
  case VK_F2:
    parentEvent();
    if (Key == VK_F2) {
      Deselect();
      return;
    }
    break;
  case VK_TAB:
    if (!Shift.Contains(ssAlt))
      sendToParent();
    break;
  case VK_DELETE:
    if (ctrl)
      sendToParent();
    else if (!FGrid->CanEditModify())
      Key = 0;
    break;
  default:
    break;
  }
  if (Key != 0) {
    parentEvent();
    TCustomMaskEdit::KeyDown(Key, Shift);
  }
}

void TInplaceEdit::KeyPress(QChar &Key)
{
  if (!FGrid) {
    TCustomMaskEdit::KeyPress(Key);
    return;
  }
  FGrid->KeyPress(Key);
  const char16_t k = Key.unicode();
  if (k >= 32 && !FGrid->CanEditAcceptKey(Key))
    Key = QChar(0);
  switch (Key.unicode()) {
  case 9:
  case 27:
    Key = QChar(0);
    break;
  case 13:
    // Enter that the grid left alone toggles between all selected and the caret at the end.
    if (SelStart() == 0 && SelLength() == Text().length())
      Deselect();
    else
      SelectAll();
    Key = QChar(0);
    break;
  case 8:
  case 22:
  case 24:
    if (!FGrid->CanEditModify())
      Key = QChar(0);
    break;
  default:
    if (Key.unicode() >= 32 && !FGrid->CanEditModify())
      Key = QChar(0);
    break;
  }
  if (Key != QChar(0))
    TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(uint16_t &Key, TShiftState Shift)
{
  if (FGrid)
    FGrid->KeyUp(Key, Shift);
}

void TInplaceEdit::DblClick()
{
  if (FGrid)
    FGrid->DblClick();
}

bool TInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
  return FGrid ? FGrid->DoMouseWheel(Shift, WheelDelta, MousePos) : false;
}

void TInplaceEdit::WMGetDlgCode(TWMGetDlgCode &Message)
{
  TCustomMaskEdit::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS;
  if (FGrid && FGrid->Options().Contains(goTabs))
    Message.Result |= DLGC_WANTTAB;
}

void TInplaceEdit::WndProc(TMessage &Message)
{
  // The form keeps the grid as its active control while the editor has the focus.
  if (Message.Msg == WM_SETFOCUS) {
    TCustomForm *form = GetParentForm(this);
    if (!form || form->SetFocusedControl(FGrid ? static_cast<TWinControl *>(FGrid) : this))
      Dispatch(Message);
    return;
  }
  TCustomMaskEdit::WndProc(Message);
}
