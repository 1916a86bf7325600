// The combo editor's item list, the combo's notifications as grid events, typed text copied
// into the cell while an editor is open, and the hooks that write an edit's value.
#include "grid/core/zav_string_grid.h"

#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_wrappers.h"

void TZavStringGrid::ClearComboString() { Combobox()->Items()->Clear(); }

void TZavStringGrid::AddComboString(const QString &s) { Combobox()->Items()->Add(s); }

void TZavStringGrid::AddComboStringObject(const QString &s, TObject *AObject)
{
  Combobox()->Items()->AddObject(s, AObject);
}

bool TZavStringGrid::RemoveComboString(const QString &s)
{
  TStrings *items = Combobox()->Items();
  const int i = items->IndexOf(s);
  if (i == -1)
    return false;
  items->Delete(i);
  return true;
}

bool TZavStringGrid::SetComboSelectionString(const QString &s)
{
  const int i = Combobox()->Items()->IndexOf(s);
  if (i == -1)
    return false;
  FComboIdx = i;
  return true;
}

int TZavStringGrid::GetComboCount() { return Combobox()->Items()->Count(); }

void TZavStringGrid::SetComboIndex(int ACol, int ARow, int Value)
{
  DoGetEditorProp(ACol, ARow, nullptr);
  TStrings *items = Combobox()->Items();
  // An index outside the list names no item: the cell keeps its text.
  if (Value < 0 || Value >= items->Count())
    return;
  SetCellEx(ACol, ARow, items->Strings(Value));
}

int TZavStringGrid::GetComboIndex(int ACol, int ARow)
{
  DoGetEditorProp(ACol, ARow, nullptr);
  return Combobox()->Items()->IndexOf(GetCellEx(ACol, ARow));
}

// OnComboChange and OnComboObjectChange for the current cell; no item selected gives the
// combo's text and no object.
void TZavStringGrid::ComboChanged(int ItemIndex)
{
  TGridCombo *combo = Combobox();
  TStrings *items = combo->Items();
  const bool listed = ItemIndex >= 0 && ItemIndex < items->Count();
  const QString selection = listed ? items->Strings(ItemIndex) : combo->Text();
  const int col = RealColIndex(Col());
  if (OnComboChange)
    OnComboChange(this, col, Row(), ItemIndex, selection);
  if (OnComboObjectChange)
    OnComboObjectChange(this, col, Row(), ItemIndex, selection, listed ? items->Objects(ItemIndex) : nullptr);
}

void TZavStringGrid::ComboNotify(uint16_t Code)
{
  TGridCombo *combo = Combobox();
  switch (Code) {
  case CBN_SELCHANGE:
  case CBN_EDITCHANGE:
    if (EditMode)
      ComboChanged(combo->ItemIndex());
    // Typing reports once more with the display column and no item; handlers take both.
    if (Code == CBN_EDITCHANGE && OnComboChange)
      OnComboChange(this, Col(), Row(), -1, combo->Text());
    break;
  case CBN_CLOSEUP:
    if (MouseActions()->DirectComboClose()) {
      const int i = combo->ItemIndex();
      if (i >= 0 && i < combo->Items()->Count())
        combo->SetText(combo->Items()->Strings(i));
      ComboChanged(i);
      EditControl = edComboEdit;
      EditMode = true;
      const bool direct = MouseActions()->DirectEdit();
      MouseActions()->SetDirectEdit(false);
      HideInplaceEdit();
      if (CanFocus())
        SetFocus();
      MouseActions()->SetDirectEdit(direct);
    }
    DoComboCloseUp(Row(), RealColIndex(Col()));
    break;
  case CBN_DROPDOWN:
    DoComboDropDown(Row(), RealColIndex(Col()));
    break;
  default:
    break;
  }
}

void TZavStringGrid::WMCommand(TWMCommand &Message)
{
  // The source sees its own notification first (the platform grid routes none to it).
  if (TWinControl *source = FindControl(Message.Ctl); source && source != this)
    source->Perform(CN_COMMAND, AsMessage(Message).WParam, AsMessage(Message).LParam);
  TGridCombo *combo = Combobox();
  const bool fromCombo = combo && combo->HandleAllocated() && Message.Ctl == combo->Handle();
  if (fromCombo) {
    ComboNotify(Message.NotifyCode);
    return;
  }
  if (Message.NotifyCode == EN_CHANGE && FShowEditProcess) {
    // The text the user types reaches the cell at once; validation compares it later.
    if (!FEditStart && EditMode) {
      TInplaceEdit *ed = InplaceEditor();
      if (IsTextEditor(EditControl) && EditControl != edValidChars && ed && ed->HandleAllocated() &&
          Message.Ctl == ed->Handle())
        SetEditText(Col(), Row(), ed->Text());
      else if ((EditControl == edEditBtn || EditControl == edNumericEditBtn || EditControl == edFloatEditBtn ||
                EditControl == edMaskEditBtn) &&
               BtnEdit()->HandleAllocated() && Message.Ctl == BtnEdit()->Handle())
        SetEditText(Col(), Row(), BtnEdit()->Text());
    }
    return;
  }
  TBaseGrid::WMCommand(Message);
}

void TZavStringGrid::SetEditorCellText(int ACol, int ARow, const QString &Value)
{
  SetEditText(RealToDisplCol(ACol), ARow, Value);
  SetCellEx(ACol, ARow, Value);
}

void TZavStringGrid::RestoreCellCache() { SetCellEx(RealColIndex(Col()), Row(), FCellCache); }

void TZavStringGrid::DoGetEditorProp(int ACol, int ARow, TEditLink *AEditLink)
{
  if (OnGetEditorProp)
    OnGetEditorProp(this, ACol, ARow, AEditLink);
  // Called with the column first, as the drop-down editors that hook it expect.
  if (OnGetEditorPropInt)
    OnGetEditorPropInt(this, ACol, ARow);
}

bool TZavStringGrid::IsPasswordCell(int ACol, int ARow)
{
  bool result = false;
  DoIsPasswordCell(ACol, ARow, result);
  return result;
}
