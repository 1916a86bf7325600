// Which editor a cell gets, opening it over the cell with the cell's value, writing the value
// back when it closes, and the edit-done notification. Each special editor kind does its own
// opening and closing (editor_kinds.cpp); the flow around them is the same for all.
#include "grid/core/zav_string_grid.h"

#include "grid/core/grid_module.h"
#include "grid/foundation/grid_options.h"
#include "grid/view/editor_kind.h"

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
  TEditorCell cell;
  cell.Col = ACol;
  cell.Row = ARow;
  cell.RealCol = RealColIndex(ACol);
  cell.Rect = CellRect(ACol, ARow);
  cell.Width = cell.Rect.Right - cell.Rect.Left - 1;
  cell.Height = cell.Rect.Bottom - cell.Rect.Top - 1;
  TFont font;
  TAlignment ha;
  cell.Color = EditorLook(ACol, Row(), &font, ha);
  cell.Font = &font;
  CancelMode();
  EditCtrl = nullptr;
  if (EditControl != edCustom)
    FLastValidation = 1;
  cell.Text = GetEditText(ACol, ARow);

  if (const TSpecialEditor *kind = SpecialEditorFor(EditControl)) {
    if (kind->CanOpen(*this)) {
      EditMode = true;
      EditCtrl = kind->Open(*this, cell);
      if (EditCtrl && kind->TakesStartChar() && !FStartEditChar.isNull() && EditCtrl->HandleAllocated())
        PostMessage(EditCtrl->Handle(), WM_CHAR, WPARAM(FStartEditChar.unicode()), 0);
    }
  } else {
    // Kinds this grid does not host open nothing: the cell keeps its value.
    EditMode = false;
    FSpecialEditor = false;
    FEditActive = false;
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
  if (const TSpecialEditor *kind = SpecialEditorFor(EditControl))
    kind->Close(*this, ACol, col, ARow);
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

// The window procedure an edit link installs on a custom editor control.
void TZavStringGrid::EditControlWndProc(TMessage &Message)
{
  if (Message.Msg == WM_GETDLGCODE && Options().Contains(goTabs)) {
    Message.Result |= DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTARROWS;  // 0x83
    return;
  }
  if (FGridControlWndProc)
    FGridControlWndProc(Message);
}
