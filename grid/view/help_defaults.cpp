// The edit-flow members the custom cell editors and the rich-text control call; the edit flow
// replaces these plain versions.
#include "grid/core/zav_string_grid.h"

#include "grid/core/grid_helper_classes.h"
#include "grid/foundation/grid_options.h"

bool TZavStringGrid::TabToNextCell(bool Backward)
{
  int c = Col(), r = Row();
  if (Backward) {
    if (--c < FixedCols()) {
      c = ColCount() - 1;
      --r;
    }
  } else if (++c >= ColCount()) {
    c = FixedCols();
    ++r;
  }
  if (r < FixedRows() || r >= RowCount())
    return false;
  FocusCell(c, r, true);
  return Col() == c && Row() == r;
}

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
