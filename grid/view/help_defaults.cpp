// The edit-flow members the custom cell editors and the rich-text control call; the edit flow
// replaces these plain versions.
#include "grid/core/zav_string_grid.h"

#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"

void TZavStringGrid::HideInplaceEdit()
{
  if (!EditorMode())
    return;
  if (FEditLink && FEditLink->GetEditControl() && FEditLink->GetEditControl()->Visible())
    HideSpecialEditor(Col(), Row());
  SetEditorMode(false);
}

void TZavStringGrid::ShowSpecialEditor(int ACol, int ARow)
{
  if (!FEditLink)
    return;
  FEditCellText = Cells(ACol, ARow);
  FLastValidation = 0;
  FEditLink->SetEditCell(TPoint(ACol, ARow));
  FEditLink->CreateEditor(FEditLink->GetParent());
  FEditLink->SetRect(CellRect(ACol, ARow));
  FEditLink->SetCellProps(Color(), Font());
  FEditLink->SetEditorValue(FEditCellText);
  FEditLink->SetVisible(true);
  FEditLink->SetFocus(true);
}

void TZavStringGrid::HideSpecialEditor(int ACol, int ARow)
{
  if (!FEditLink || !FEditLink->GetEditControl() || !FEditLink->GetEditControl()->Visible())
    return;
  SetEditorCellText(ACol, ARow, FEditLink->GetEditorValue());
  FEditLink->SetVisible(false);
}

void TZavStringGrid::SetEditorCellText(int ACol, int ARow, const QString &Value) { SetCells(ACol, ARow, Value); }

void TZavStringGrid::EditControlWndProc(TMessage &Message)
{
  if (Message.Msg == WM_GETDLGCODE && Options().Contains(goTabs)) {
    Message.Result |= DLGC_WANTCHARS | DLGC_WANTTAB | DLGC_WANTARROWS;  // 0x83
    return;
  }
  if (FGridControlWndProc)
    FGridControlWndProc(Message);
}

TZavRichEdit *TZavStringGrid::GetRichEdit()
{
  if (!FRichEdit) {
    FRichEdit = new TZavRichEdit(this);
    FRichEdit->SetVisible(false);
    FRichEdit->SetParent(this);
  }
  return FRichEdit;
}

TZavRichEdit *TZavStringGrid::GetInplaceRichEdit()
{
  if (!FInplaceRichEdit) {
    FInplaceRichEdit = new TZavRichEdit(this);
    FInplaceRichEdit->SetVisible(false);
    FInplaceRichEdit->SetParent(this);
  }
  return FInplaceRichEdit;
}
