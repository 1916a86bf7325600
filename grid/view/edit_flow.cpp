// Which editor a cell gets, opening it over the cell with the cell's value, writing the value
// back when it closes, and the edit-done notification.
#include "grid/core/zav_string_grid.h"

#include "framework/controls/forms.h"
#include "grid/core/control_look.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/grid_module.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

bool TZavStringGrid::IsTextEditor(TEditorType AEditor)
{
  switch (AEditor) {
  case edNormal:
  case edNumeric:
  case edPositiveNumeric:
  case edFloat:
  case edCapital:
  case edMixedCase:
  case edPassword:
  case edLowerCase:
  case edUpperCase:
  case edValidChars:
  case edPositiveFloat:
    return true;
  default:
    return false;
  }
}

TColor TZavStringGrid::EditorLook(int ACol, int ARow, TFont *AFont, TAlignment &HAlign)
{
  TBrush brush;
  TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
  TGridDrawState state;
  TVAlignment va = vtaTop;
  bool ww = false;
  TCellGradientDirection gd = GradientVertical;
  HAlign = taLeftJustify;
  GetVisualProperties(ACol, ARow, state, false, false, true, &brush, colorTo, mirror, mirrorTo, AFont, HAlign,
                      va, ww, gd);
  return brush.Color();
}

namespace {

// A unit edit shows the value and the unit apart: the unit is the longest of its units the
// text ends with.
void SplitValueAndUnit(TGridUnitEditBtn *e, const QString &text)
{
  QString unit;
  for (int i = 0; i < e->Units()->Count(); ++i) {
    const QString u = e->Units()->Strings(i);
    if (!u.isEmpty() && text.endsWith(u) && u.length() > unit.length())
      unit = u;
  }
  e->SetUnitID(unit);
  e->SetText(text.left(text.length() - unit.length()));
}

} // namespace

bool TZavStringGrid::CanEditShow()
{
  if (FValidating)
    return false;
  const bool platform = TBaseGrid::CanEditShow();
  if (IsDesignTime())
    return platform;
  const TPoint base = BaseCell(RealColIndex(Col()), Row());
  // Check boxes, radios and buttons change by click or Space, never through an editor.
  if (platform && !EditMode && IsClickControlCell(base.X, base.Y))
    return false;
  bool result = platform;
  if (platform && !EditMode) {
    // Validation compares with the text from before this edit.
    if (!FEditing)
      RememberOldCell(Col(), Row());
    FNoEditChange = true;
    FCellCache = GetCurrentCell();
    EditControl = FDefaultEditor;
    GetCellEditor(base.X, base.Y, EditControl);
    if (EditControl == edNone)
      return false;
    EditMode = true;
    if (IsTextEditor(EditControl)) {
      FShowEditProcess = true;
    } else {
      const TPoint b = BaseCell(Col(), Row());
      ShowSpecialEditor(b.X, b.Y);
      FEntered = true;
      return false;
    }
  }
  if (result) {
    FEntered = true;
    FEditing = true;
  }
  return result;
}

int TZavStringGrid::GetEditLimit() { return FMaxEditLength; }

void TZavStringGrid::ShowComboEditor(int ACol, int ARow, const TRect &R, TColor C)
{
  TGridCombo *combo = Combobox();
  const int w = R.Right - R.Left - 1, h = R.Bottom - R.Top - 1;
  combo->SetDropDownCount(ControlLook()->DropDownCount());
  DoGetEditorProp(RealColIndex(ACol), ARow, FEditLink);
  combo->SetBounds(R.Left, R.Top, 0, 0);
  combo->SetEnabled(true);
  combo->SetDroppedDown(false);
  combo->SetStyle(EditControl == edComboEdit ? csDropDown : csDropDownList);
  if (EditControl == edComboEdit)
    combo->SetMaxLength(FMaxComboLength);
  combo->SetBounds(R.Left, R.Top, w, h);
  combo->SetColor(C);

  const QString stored = GetCellEx(RealColIndex(ACol), ARow);
  TStrings *items = combo->Items();
  bool report = false;
  if (EditControl == edComboEdit) {
    combo->SetText(GetEditText(ACol, ARow));
    if (FComboIdx != -1 && combo->ItemIndex() == -1)
      combo->SetItemIndex(FComboIdx);
  } else {
    int idx = items->IndexOf(stored);
    if (idx == -1 && FComboIdx == -1) {
      idx = items->IndexOf(GetEditText(ACol, ARow));
      if (idx == -1)
        idx = 0;
      report = items->Count() > 0;
    } else if (idx == -1) {
      idx = FComboIdx;
    }
    combo->SetItemIndex(idx < items->Count() ? idx : -1);
  }
  combo->SetVisible(true);
  if (combo->CanFocus())
    combo->SetFocus();
  combo->SetDroppedDown(MouseActions()->DirectComboDrop() || ControlLook()->DropDownAlwaysVisible());
  if (MouseActions()->DirectEdit() && MouseActions()->DirectComboDrop()) {
    const TGridRect sel = Selection();
    DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
  }
  // The program hears which item a cell without a listed text now shows: the item really
  // selected, not always the first one.
  if (report)
    ComboChanged(combo->ItemIndex());
  if (!FStartEditChar.isNull() && combo->HandleAllocated())
    PostMessage(combo->Handle(), WM_CHAR, WPARAM(FStartEditChar.unicode()), 0);
  EditCtrl = combo;
}

QString TZavStringGrid::GetEditText(int ACol, int ARow) { return TBaseGrid::GetEditText(RealColIndex(ACol), ARow); }

void TZavStringGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
  TBaseGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

void TZavStringGrid::ShowSpecialEditor(int ACol, int ARow)
{
  // Asked for directly while a text type is chosen: the only special editor that can serve
  // is the custom editor link.
  if (IsTextEditor(EditControl) && FEditLink)
    EditControl = edCustom;
  FEditing = true;
  FSpecialEditor = true;
  FEditActive = true;
  const TRect R = CellRect(ACol, ARow);
  const int w = R.Right - R.Left - 1, h = R.Bottom - R.Top - 1;
  const int realCol = RealColIndex(ACol);
  TFont font;
  TAlignment ha;
  const TColor C = EditorLook(ACol, Row(), &font, ha);
  CancelMode();
  EditCtrl = nullptr;
  if (EditControl != edCustom)
    FLastValidation = 1;
  const QString text = GetEditText(ACol, ARow);
  auto postChar = [this](TWinControl *ctl) {
    if (ctl && !FStartEditChar.isNull() && ctl->HandleAllocated())
      PostMessage(ctl->Handle(), WM_CHAR, WPARAM(FStartEditChar.unicode()), 0);
  };

  switch (EditControl) {
  case edComboEdit:
  case edComboList:
    EditMode = true;
    ShowComboEditor(ACol, ARow, R, C);
    break;
  case edEditBtn:
  case edNumericEditBtn:
  case edFloatEditBtn:
  case edMaskEditBtn: {
    EditMode = true;
    TGridEditBtn *e = BtnEdit();
    e->SetBounds(R.Left, R.Top, w, h);
    e->SetText(text);
    e->SetMaxLength(GetEditLimit());
    e->SetEditMask(EditControl == edMaskEditBtn ? GetEditMask(ACol, ARow) : QString());
    e->SetColor(C);
    e->SetVisible(true);
    e->SetEnabled(true);
    if (e->CanFocus())
      e->SetFocus();
    postChar(e);
    EditCtrl = e;
    break;
  }
  case edUnitEditBtn:
  case edNumericUnitEditBtn:
  case edFloatUnitEditBtn: {
    EditMode = true;
    TGridUnitEditBtn *e = BtnUnitEdit();
    e->SetBounds(R.Left, R.Top, w, h);
    e->SetMaxLength(GetEditLimit());
    e->SetUnitID(QString());
    e->SetText(QString());
    SplitValueAndUnit(e, text);
    e->SetColor(C);
    e->SetVisible(true);
    e->SetEnabled(true);
    DoGetEditorProp(realCol, ARow, FEditLink);
    if (e->CanFocus())
      e->SetFocus();
    postChar(e);
    EditCtrl = e;
    break;
  }
  case edCheckBox: {
    EditMode = true;
    TGridCheckBox *e = FGridCheckBox.get();
    e->SetBounds(R.Left, R.Top, w, h);
    e->SetCaption(text);
    e->SetChecked(false);
    e->SetEnabled(true);
    e->SetVisible(true);
    if (e->CanFocus())
      e->SetFocus();
    break;
  }
  case edButton: {
    EditMode = true;
    TGridButton *e = Btn();
    // The button covers the cell's borders.
    e->SetBounds(R.Left - 1, R.Top - 1, w + 2, h + 2);
    e->SetCaption(text);
    e->SetVisible(true);
    e->SetEnabled(true);
    if (e->CanFocus())
      e->SetFocus();
    EditCtrl = e;
    break;
  }
  case edCustom:
    if (!FEditLink)
      break;
    EditMode = true;
    FEditLink->SetEditCell(TPoint(realCol, ARow));
    if (FEditLink->EditStyle() == esPopup) {
      if (FEditLink->AutoPopupWidth())
        FEditLink->SetPopupWidth(R.Right - R.Left);
      // The popup form belongs to this grid; a form of the application that happens to
      // carry some name is never touched.
      if (!FEditLink->PopupForm()) {
        auto *popup = new TForm(this);
        popup->SetBorderStyle(bsNone);
        popup->SetFormStyle(fsStayOnTop);
        FEditLink->SetPopupForm(popup);
      }
      TForm *popup = FEditLink->PopupForm();
      TEditLink *link = FEditLink;
      popup->OnDeactivate = [link](TObject *Sender) { link->FormExit(Sender); };
      const TPoint at = FEditLink->PopupLeft() != -1 && FEditLink->PopupTop() != -1
                            ? TPoint(FEditLink->PopupLeft(), FEditLink->PopupTop())
                            : ClientToScreen(TPoint(R.Left, R.Top));
      popup->SetBounds(at.X, at.Y, FEditLink->PopupWidth(), FEditLink->PopupHeight());
      popup->Show();
      FEditLink->CreateEditor(popup);
      FEditLink->SetRect(TRect(0, 0, FEditLink->PopupWidth(), FEditLink->PopupHeight()));
    } else {
      FEditLink->CreateEditor(this);
      FEditLink->SetRect(R);
    }
    FEditLink->SetVisible(true);
    FEditLink->SetCellProps(C, &font);
    FEditLink->SetProperties();
    DoGetEditorProp(realCol, ARow, FEditLink);
    FEditCellText = text;
    FEditLink->SetEditorValue(text);
    FEditLink->SetFocus(true);
    FEditActive = true;
    EditCtrl = FEditLink->GetEditControl();
    postChar(EditCtrl);
    break;
  default:
    // Editors this grid does not host (spin, date, rich text and drop-down families) open
    // nothing: the cell keeps its value.
    EditMode = false;
    FSpecialEditor = false;
    FEditActive = false;
    break;
  }
  FStartEditChar = QChar();
}

void TZavStringGrid::HideSpecialEditor(int ACol, int ARow)
{
  if (ComponentState().Contains(csDestroying))
    return;
  FSpecialEditor = false;
  FBlockKill = true;
  const int col = RealColIndex(ACol);
  FStartEditChar = QChar();
  // A hidden editor hands the focus back to the grid, as the text editor does.
  auto giveFocusBack = [this](TWinControl *c) {
    if (c && c->HandleAllocated() && c->Focused() && CanFocus())
      SetFocus();
  };
  auto close = [&](TWinControl *c) {
    giveFocusBack(c);
    c->SetEnabled(false);
    c->SetVisible(false);
  };
  switch (EditControl) {
  case edComboEdit:
  case edComboList:
    if (EditMode) {
      EditMode = false;
      SetEditorCellText(col, ARow, Combobox()->Text());
      giveFocusBack(Combobox());
      Combobox()->SetVisible(false);
      Combobox()->SetEnabled(false);
    }
    break;
  case edEditBtn:
  case edNumericEditBtn:
  case edFloatEditBtn:
  case edMaskEditBtn:
    if (EditMode) {
      EditMode = false;
      SetEditorCellText(col, ARow, BtnEdit()->Text());
      close(BtnEdit());
    }
    break;
  case edUnitEditBtn:
  case edNumericUnitEditBtn:
  case edFloatUnitEditBtn:
    EditMode = false;
    SetEditorCellText(col, ARow, BtnUnitEdit()->Text() + BtnUnitEdit()->UnitID());
    close(BtnUnitEdit());
    break;
  case edCheckBox:
    EditMode = false;
    close(FGridCheckBox.get());
    break;
  case edButton:
    EditMode = false;
    close(Btn());
    break;
  case edCustom:
    if (ControlLook()->DropDownAlwaysVisible())
      DoGetEditorType(ACol, ARow, EditControl);
    if (FEditLink) {
      EditMode = false;
      SetEditorCellText(col, ARow, FEditLink->GetEditorValue());
      if (FEditLink->EditStyle() != esPopup)
        FEditLink->SetVisible(false);
      FEditLink->RestoreWinProc();
    }
    break;
  default:
    break;
  }
  if (EditControl != edNormal && FEditActive)
    NotifyEditingDone(col, ARow);
  FBlockKill = false;
  FEditActive = false;
}

void TZavStringGrid::ShowInplaceEdit()
{
  const int realCol = RealColIndex(Col());
  if (IsClickControlCell(realCol, Row()))
    return;
  if (Row() < TopRow())
    SetTopRow(Row());
  if (Col() < LeftCol())
    SetLeftCol(Col());
  FEditText = GetCellEx(realCol, Row());
  ShowEditor();
}

void TZavStringGrid::HideInplaceEdit()
{
  if (!EditMode)
    return;
  HideEditor();
  HideSpecialEditor(Col(), Row());
  EditMode = false;
  SelectCell(Col(), Row());
}

void TZavStringGrid::HideCellEdit() { HideSpecialEditor(Col(), Row()); }

void TZavStringGrid::ShowCellEdit()
{
  if (HandleAllocated())
    Perform(WM_KEYDOWN, VK_F2, 0);
}

void TZavStringGrid::NotifyEditingDone(int ACol, int ARow)
{
  if (OnEditingDone)
    OnEditingDone(this);
  EditMode = false;
  if (HandleAllocated())
    PostMessage(Handle(), GridModule().GridEditDoneMessage, WPARAM(ACol), LPARAM(ARow));
}

void TZavStringGrid::DoneInplaceEdit(uint16_t Key, TShiftState Shift)
{
  FBlockFocus = true;
  FEditing = false;
  HideInplaceEdit();
  if (Key == VK_DOWN && Navigation()->AppendOnArrowDown() && Row() == RowCount() - FixedFooters() - 1) {
    bool canAdd = true;
    DoCanAddRow(canAdd);
    if (canAdd) {
      AddRow();
      if (OnAutoAddRow)
        OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
    }
  }
  if (Key == VK_TAB || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN) {
    uint16_t k = Key;
    KeyDown(k, Shift);
  }
  const bool alwaysEdit = Navigation()->AlwaysEdit();
  Navigation()->SetAlwaysEdit(false);
  if (CanFocus())
    SetFocus();
  if (Key == VK_RETURN)
    AdvanceCell(Col(), Row(), false, false, true, true, false);
  Navigation()->SetAlwaysEdit(alwaysEdit);
  FBlockFocus = false;
}

bool TZavStringGrid::CellEditable(int ACol, int ARow)
{
  const TPoint base = BaseCell(ACol, ARow);
  bool canEdit = true, isFixed = false;
  QueryCanEdit(base.X, base.Y, canEdit);
  DoIsFixedCell(ACol, ARow, isFixed);
  return canEdit && !isFixed;
}

bool TZavStringGrid::IsEditable(int ACol, int ARow)
{
  const bool enabled =
      Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit() || FEditingDisabled;
  return enabled && CellEditable(ACol, ARow);
}
