// End of a left-button gesture, the double click and the right button.
#include "grid/core/zav_string_grid.h"

#include "framework/graphics/graphics.h"
#include "grid/core/aux_controls.h"
#include "grid/core/control_look.h"
#include "grid/core/feature_settings.h"
#include "grid/core/grid_helper_classes.h"
#include "grid/core/sort_settings.h"
#include "grid/foundation/grid_options.h"

#include <algorithm>
#include <cmath>

// A fixed column or row dragged past its left (top) edge ends at width (height) 0: a negative
// size would corrupt the layout.
void TZavStringGrid::EndFixedSizing(int X, int Y)
{
  if (FSizingFixed) {
    FSizeFixed = FSizingFixed = false;
    const int col = FSizingFixedCol;
    if (col >= 0 && col < ColCount()) {
      const int width = std::max(0, X - (col > 0 ? FixedColBorder(col - 1) : 0));
      SetColWidths(col, width);
      if (OnEndColumnSize)
        OnEndColumnSize(this, col);
      if (OnUpdateColumnSize) {
        int w = width;
        OnUpdateColumnSize(this, col, w);
        if (ColWidths(col) != w)
          SetColWidths(col, std::max(0, w));
      }
    }
    Invalidate();
  }
  if (FSizingFixedR) {
    FSizeFixedR = FSizingFixedR = false;
    const int row = FSizingFixedRow;
    if (row >= 0 && row < RowCount()) {
      SetRowHeights(row, std::max(0, Y - (row > 0 ? FixedRowBorder(row - 1) : 0)));
      if (OnEndRowSize)
        OnEndRowSize(this, row);
    }
    Invalidate();
  }
}

void TZavStringGrid::WMLButtonUp(TWMMouse &Message)
{
  const int X = Message.XPos, Y = Message.YPos;
  // Cells painted while the button was down show the range look of a disjunct selection: the
  // release paints them with the lists' look.
  TMouseActions *ma = MouseActions();
  if (FMouseDown || ma->DisjunctRowSelect() || ma->DisjunctColSelect() || ma->DisjunctCellSelect())
    TBaseGrid::Invalidate();
  FMouseDown = FMouseKeepDown = FMouseDownMove = false;
  FMouseSelectMode = msNormal;
  FMouseSelectStart = -1;
  if (FCtrlDown) {
    FCtrlDown = false;
    const int c = RealToDisplCol(FCtrlXY.X);
    if (c >= 0)
      RepaintCell(c, FCtrlXY.Y);
  }
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);

  EndFixedSizing(X, Y);

  if (FPushedCellButton.X != -1) {
    const TPoint pushed = FPushedCellButton;
    bool enabled = Options().Contains(goEditing);
    if (ACol >= 0 && ARow >= 0 && !ControlLook()->NoDisabledButtonLook())
      enabled = CellInputEditable(DisplToRealCol(pushed.X), pushed.Y);
    const bool inFixed = pushed.X < FixedCols() || pushed.Y < FixedRows();
    if (enabled || ControlLook()->NoDisabledButtonLook() || inFixed) {
      if (!IsNode(pushed.Y))
        PushButton(pushed.X, pushed.Y, false);
      if (ACol >= 0 && ARow >= 0) {
        const TPoint b = BaseCell(ACol, ARow);
        const int realCol = DisplToRealCol(pushed.X);
        const bool fixedCase = (FixedAsButtons() && pushed.X < FixedCols()) || pushed.Y < FixedRows();
        if (HasButton(realCol, pushed.Y) && (GetCellButtonRect(b.X, b.Y).Contains(TPoint(X, Y)) || fixedCase))
          DoButtonClick(pushed.X, pushed.Y);
        if (HasExpand(realCol, pushed.Y) && (GetExpandRect(b.X, b.Y).Contains(TPoint(X, Y)) || fixedCase)) {
          const bool expanded = ToggleExpand(pushed.X, pushed.Y);
          DoExpandClick(pushed.X, pushed.Y, expanded);
        }
      }
    } else if (!IsNode(pushed.Y)) {
      PushButton(pushed.X, pushed.Y, false);
    }
    FPushedCellButton = TPoint(-1, -1);
    SetMouseCapture(false);
  }

  if (FSizeHintShown) {
    FSizeHintShown = false;
    if (FScrollHintWnd)
      FScrollHintWnd->ReleaseHandle();
  }

  // A resize dragged onto a cell button still ends as a resize.
  if (!FMouseResize && ACol >= 0 && ARow >= 0) {
    const TPoint b = BaseCell(ACol, ARow);
    const int realCol = DisplToRealCol(b.X);
    if ((HasButton(realCol, b.Y) && GetCellButtonRect(b.X, b.Y).Contains(TPoint(X, Y))) ||
        (HasExpand(realCol, b.Y) && GetExpandRect(b.X, b.Y).Contains(TPoint(X, Y))))
      return;
  }

  const bool sizingGrab = ARow >= 0 && ARow < FixedRows() && ACol >= 0 && Options().Contains(goColSizing) &&
                          (GridState() == gsColSizing || Sizing(X, Y));
  if (OnClick && FDoOnClick && !sizingGrab && ACol >= 0 && ARow >= 0 &&
      (ARow < FixedRows() || ACol < FixedCols()))
    OnClick(this);
  FDoOnClick = false;

  const bool wasSizing = GridState() == gsColSizing || GridState() == gsRowSizing;
  const bool wasMoving = GridState() == gsColMoving || GridState() == gsRowMoving;
  const TGridState state = GridState();
  if (ReleaseSelect(ACol, ARow, X, Y)) {
    FSelectionClick = FDeselectState = false;
    return;
  }
  TBaseGrid::WMLButtonUp(Message);
  if (state == gsSelecting)
    FGridState = gsNormal;
  EndSelectionResize();

  if (wasSizing || wasMoving || ACol < 0 || ARow < 0)
    return;

  if (ACol >= FixedCols() || SortSettings()->FixedCols()) {
    const int realCol = DisplToRealCol(ACol);
    bool state = false;
    if (HasCheckBox(realCol, ARow) && OnCheckBoxMouseUp) {
      GetCheckBoxState(realCol, ARow, state);
      OnCheckBoxMouseUp(this, realCol, ARow, state);
    }
    int idx = -1;
    if (IsRadio(realCol, ARow) && OnRadioMouseUp && GetRadioIdx(realCol, ARow, idx))
      OnRadioMouseUp(this, realCol, ARow, idx);
  }

  // A click on the sort row sorts by the column; the first click of a double click that
  // auto-sized a column does not.
  if (FDblClk) {
    FDblClk = false;
    return;
  }
  const TRect R = CellRect(ACol, ARow);
  if (ARow == 0 && Options().Contains(goColSizing) && (std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4))
    return;
  int pcol = -1, prow = -1;
  MouseToCell(Clickposx, Clickposy, pcol, prow);
  const int realCol = DisplToRealCol(ACol);
  if (X > R.Right - 16 && GetColumnFilterList(realCol))
    return;
  if (!(ARow == SortSettings()->Row() && prow == ARow && FixedRows() > 0 && SortSettings()->Show() &&
        RowCount() > 2 && !IsInCheckBox(realCol, ARow, X, Y)))
    return;
  bool doSort = !IsIgnoredColumn(realCol);
  if (OnCanSort)
    OnCanSort(this, realCol, doSort);
  if (!doSort) {
    RepaintCell(ACol, SortSettings()->Row());
    return;
  }
  HeaderSortClick(realCol);
}

namespace {

// Fills, sizes and places a column's filter list below the glyph of header cell R and shows it.
void ShowFilterList(TZavStringGrid *Grid, TCustomListBox *List, int ACol, const TRect &R)
{
  TFilterDropDown *dd = Grid->FilterDropDown();
  List->SetColor(dd->Color());
  List->Font()->Assign(dd->Font());
  FillFilterList(List, Grid->FilterList(), Grid->Filter(), Grid->FilterColumn(), Grid->FilterDropDownClear());
  auto *checks = dynamic_cast<TCheckListBox *>(List);
  if (!checks)
    List->SetItemIndex(0);
  int w = dd->Width(), h = dd->Height();
  if (dd->AutoSize()) {
    TBitmap measure;
    measure.Canvas()->Font()->Assign(dd->Font());
    int widest = 0;
    for (int i = 0; i < List->Items()->Count(); ++i)
      widest = std::max(widest, measure.Canvas()->TextWidth(List->Items()->Strings(i)));
    // The check boxes take room before the texts, which would otherwise be cut.
    if (checks)
      widest += checks->CheckWidth();
    h = List->Items()->Count() * List->ItemHeight() + 2 * GetSystemMetrics(SM_CYEDGE);
    w = 2 * GetSystemMetrics(SM_CXEDGE) + widest + 8;
  }
  int left = R.Right - 16;
  if (dd->ColumnWidth()) {
    left = R.Left;
    w = R.Right - R.Left;
  }
  if (left + w > Grid->Width())
    left = std::max(0, Grid->CellRect(ACol, 0).Right - w);
  List->SetParent(Grid);
  List->SetBounds(left, R.Top + 16, w, h);
  List->SetVisible(true);
  if (List->CanFocus())
    List->SetFocus();
}

} // namespace

void TZavStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  const bool notify = Button == mbLeft || (Button == mbRight && MouseActions()->SelectOnRightClick());
  const TGridRect oldSel = Selection();
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  // A release on a column's filter glyph opens its list; any other release closes the lists (a
  // check list left open without its column would filter nothing).
  const int filterCol = ACol >= 0 ? RealColIndex(ACol) : -1;
  bool filterOpened = false;
  if (ARow >= 0 && ARow == FFilterDropDownRow && filterCol >= 0 && filterCol != FFilterColumn) {
    const TRect R = CellRect(ACol, ARow);
    if (X > R.Right - 16 && X < R.Right - 3 && Y < R.Top + 19 && GetColumnFilterList(filterCol)) {
      FFilterColumn = filterCol;
      TCustomListBox *list = FFilterDropDownCheck ? static_cast<TCustomListBox *>(FFilterCheckList.get())
                                                  : FFilterValueList.get();
      ShowFilterList(this, list, ACol, R);
      filterOpened = true;
    }
  }
  if (!filterOpened) {
    FFilterValueList->SetVisible(false);
    FFilterCheckList->SetVisible(false);
    FFilterColumn = -1;
  }
  // A sizing drag that ended outside the grid changes nothing.
  if ((X > Width() && GridState() == gsColSizing) || (Y > Height() && GridState() == gsRowSizing)) {
    FGridState = gsNormal;
    return;
  }
  if (Button == mbLeft && ACol >= 0 && ARow >= 0 && MouseActions()->DisjunctCellSelect() &&
      !ReleaseDisjunctCells(ACol, ARow))
    return;
  // The press already moved the selection: every release reports where it stands.
  if (notify)
    DoSelectionChanged(oldSel.Left, oldSel.Top, oldSel.Right, oldSel.Bottom);
  if (GridState() == gsColMoving && Button == mbRight)
    return;
  TBaseGrid::MouseUp(Button, Shift, X, Y);
  const TGridRect sel = Selection();
  if (notify && !(sel == oldSel))
    DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

void TZavStringGrid::WMLButtonDblClk(TWMMouse &Message)
{
  const int X = Message.XPos, Y = Message.YPos;
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (MouseActions()->RangeSelectAndEdit() && ACol >= 0 && ARow >= 0 && !IsClickControlCell(DisplToRealCol(ACol), ARow))
    FForceSel = true;
  if (ACol == -1) {
    if (FixedRowAlways()) {
      TBaseGrid::WMLButtonDblClk(Message);
      FForceSel = false;
      return;
    }
    ACol = ColCount() - 1;
    ARow = 0;
  }
  if (ARow < 0) {
    FForceSel = false;
    TBaseGrid::WMLButtonDblClk(Message);
    return;
  }

  if (ARow < FixedRows() && Options().Contains(goColSizing) && MouseActions()->AutoSizeColOnDblClick()) {
    const TRect R = CellRect(ACol, ARow);
    int target = -1;
    if (std::abs(X - R.Left) <= 3 && ACol - 1 >= FixedCols())
      target = ACol - 1;
    else if (std::abs(X - R.Right) <= 3 && ACol >= FixedCols())
      target = ACol;
    if (target >= 0) {
      FDblClk = true;
      bool allow = true;
      if (OnColumnSize)
        OnColumnSize(this, target, allow);
      if (allow) {
        AutoSizeCol(target, 0);
        if (OnEndColumnSize)
          OnEndColumnSize(this, target);
      }
      FForceSel = false;
      TBaseGrid::WMLButtonDblClk(Message);
      return;
    }
  }

  const int realCol = DisplToRealCol(ACol);
  const TPoint b = BaseCell(ACol, ARow);
  if ((HasButton(realCol, ARow) && GetCellButtonRect(b.X, b.Y).Contains(TPoint(X, Y))) ||
      (HasExpand(realCol, ARow) && GetExpandRect(b.X, b.Y).Contains(TPoint(X, Y)))) {
    FForceSel = false;
    return;
  }
  if (IsClickControlCell(realCol, ARow)) {
    FForceSel = false;
    TBaseGrid::WMLButtonDblClk(Message);
    return;
  }

  TBaseGrid::WMLButtonDblClk(Message);
  if (OnDblClickCell)
    OnDblClickCell(this, ARow, ACol);

  if (MouseActions()->EditOnDblClickOnly()) {
    const bool keep = MouseActions()->RangeSelectAndEdit();
    MouseActions()->SetRangeSelectAndEdit(true);
    const bool editable = CellInputEditable(realCol, ARow);
    MouseActions()->SetRangeSelectAndEdit(keep);
    if (editable) {
      SetOptions(Options() + goEditing);
      FOldCol = ACol;
      FOldRow = ARow;
      ShowInplaceEdit();
    }
  } else if (MouseActions()->RangeSelectAndEdit() && CellInputEditable(realCol, ARow)) {
    SetOptions(Options() + goEditing);
    const TRect br = CellRect(b.X, b.Y);
    MouseDown(mbLeft, {}, br.Left + 4, br.Top + 4);
  }
  FForceSel = false;
  if ((ARow < FixedRows() && MouseActions()->FixedRowsEdit() == fceDblClick) ||
      (ACol < FixedCols() && MouseActions()->FixedColsEdit() == fceDblClick))
    ShowFixedCellEditor(ACol, ARow);
}

void TZavStringGrid::WMRButtonDown(TWMMouse &Message)
{
  TBaseGrid::WMRButtonDown(Message);
  const int X = Message.XPos, Y = Message.YPos;
  int ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (MouseActions()->SelectOnRightClick() && ACol >= 0 && ARow >= 0 && !IsFixed(ACol, ARow)) {
    if (!IsClickControlCell(DisplToRealCol(ACol), ARow)) {
      if (OnRightClickCell) {
        FocusCell(ACol, ARow, true);
      } else {
        MouseDown(mbLeft, {}, X, Y);
        MouseUp(mbLeft, {}, X, Y);
      }
    }
    const TPoint b = BaseCell(ACol, ARow);
    if (b.X != Col() || b.Y != Row()) {
      const int left = LeftCol();
      FocusCell(b.X, b.Y, true);
      if (Navigation()->KeepHorizScroll())
        SetLeftCol(left);
    }
  }
  if (OnRightClickCell)
    OnRightClickCell(this, ARow, ACol);
}

void TZavStringGrid::WMRButtonUp(TWMMouse &Message)
{
  if ((GridState() == gsRowMoving || GridState() == gsColMoving) && EnhRowColMove() &&
      (Screen->Cursor() == crDrag || Screen->Cursor() == crNoDrop)) {
    Message.Result = 0;
    return;
  }
  TBaseGrid::WMRButtonUp(Message);
}
