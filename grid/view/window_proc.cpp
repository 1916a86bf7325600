// The grid's window procedure: the posted edit-done notification, wheel scrolling and zoom,
// middle-button panning, focus, the cursor, key release, scrolling of the view and the controls
// embedded in cells.
#include "grid/core/zav_string_grid.h"

#include "grid/core/aux_controls.h"
#include "grid/core/control_look.h"
#include "grid/core/grid_module.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_helpers.h"
#include "grid/foundation/grid_options.h"

#include <algorithm>

namespace {
constexpr int WheelNotchDelta = 120;
}

void TZavStringGrid::WndProc(TMessage &Message)
{
  if (Message.Msg == WM_DESTROY && FGridTimerID != 0 && HandleAllocated()) {
    ::KillTimer(Handle(), FGridTimerID);
    FGridTimerID = 0;
  }
  if (ComponentState().Contains(csDestroying)) {
    TBaseGrid::WndProc(Message);
    return;
  }
  const TGridRect sel0 = Selection();
  if (FHToolTip)
    BalloonRelay(Message);

  if (Message.Msg == GridModule().GridEditDoneMessage && Message.Msg != 0) {
    if (OnEditCellDone)
      OnEditCellDone(this, int(Message.WParam), int(Message.LParam));
    if (MouseActions()->EditOnDblClickOnly()) {
      HideInplaceEdit();
      EditMode = false;
      SetOptions(Options() - goEditing);
    }
  }

  // Middle-button panning.
  if (wheelmsg != 0 && IntelliPan() != ipNone) {
    if (Message.Msg == WM_MBUTTONDOWN && !wheelpan && RowCount() > FixedRows()) {
      FPanOldCursor = Cursor();
      wheelpan = true;
      wheelpanpos = TPoint(int16_t(Message.LParam & 0xFFFF), int16_t((Message.LParam >> 16) & 0xFFFF));
      ::SetTimer(Handle(), WheelPanTimerID, 10);
      SetMouseCapture(true);
      SetShowHint(false);
      return;
    }
    if (wheelpan && (Message.Msg == WM_MBUTTONDOWN || Message.Msg == WM_LBUTTONDOWN ||
                     Message.Msg == WM_RBUTTONDOWN || Message.Msg == WM_KEYDOWN)) {
      WheelPanStop();
      if (Message.Msg == WM_MBUTTONDOWN)
        return;
    }
    if (wheelpan && Message.Msg == WM_TIMER && Message.WParam == WheelPanTimerID) {
      WheelPanTick();
      const TGridRect sel = Selection();
      if (!(sel == sel0))
        DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
      return;
    }
  }

  if (wheelmsg != 0 && Message.Msg == wheelmsg && !wheelpan) {
    const TWMMouseWheel &w = MessageAs<TWMMouseWheel>(Message);
    if (Parent() && Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) {
      TBaseGrid::WndProc(Message);
      return;
    }
    // High-resolution wheels send fractions of a notch; they add up to whole notches.
    FWheelRest += w.WheelDelta;
    const int notches = FWheelRest / WheelNotchDelta;
    FWheelRest -= notches * WheelNotchDelta;
    if (w.Keys & MK_CONTROL && IntelliZoom()) {
      for (int i = 0; i < std::abs(notches); ++i)
        Zoom(notches < 0 ? wheelscrl : -wheelscrl);
      // The cells follow the zoomed font.
      if (notches != 0)
        AutoSizeCells(true, 4, 4);
      return;
    }
    if (!EnableWheel() || (FixedRowAlways() && RowCount() == 1))
      return;
    for (int i = 0; i < std::abs(notches); ++i)
      WheelNotch(notches < 0 ? -1 : 1);
    const TGridRect sel = Selection();
    if (!(sel == sel0))
      DoSelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
    Message.Result = 1;
    return;
  }

  TBaseGrid::WndProc(Message);
}

// One wheel notch; Delta < 0 turns towards the user (down the grid).
void TZavStringGrid::WheelNotch(int Delta)
{
  const int step = MouseActions()->WheelIncrement() >= 1 ? MouseActions()->WheelIncrement() : std::max(1, wheelscrl);
  // The last top row that still fills the view; scrolling never goes past it.
  const int maxTop = std::max(FixedRows(), RowCount() - VisibleRowCount());
  if (MouseActions()->WheelAction() == waScroll) {
    if (Delta < 0) {
      if (TopRow() < maxTop)
        SetTopRow(std::min(TopRow() + step, maxTop));
    } else if (TopRow() > FixedRows()) {
      SetTopRow(std::max(FixedRows(), TopRow() - step));
    }
  } else {
    const int lastRow = RowCount() - FixedFooters() - 1;
    if (lastRow < FixedRows())
      return;
    const int target = std::clamp(Row() + (Delta < 0 ? step : -step), FixedRows(), lastRow);
    const int c = std::clamp(Col(), FixedCols(), ColCount() - 1);
    if (target != Row() || c != Col()) {
      const int left = LeftCol();
      if (MouseActions()->DisjunctRowSelect())
        ClearRowSelect();
      FocusCell(c, target, true);
      if (Row() != target) {
        // Refused: move half-way, halves to the even neighbour.
        const double half = (target - Row()) / 2.0;
        const int move = int(std::nearbyint(half));
        if (move != 0)
          FocusCell(c, Row() + move, true);
      }
      if (Options().Contains(goRowSelect) && Navigation()->KeepHorizScroll())
        SetLeftCol(left);
    }
  }
  AfterWheelScroll();
}

void TZavStringGrid::WheelPanStop()
{
  ::KillTimer(Handle(), WheelPanTimerID);
  SetMouseCapture(false);
  SetCursor(FPanOldCursor);
  SetShowHint(true);
  wheelpan = false;
  Invalidate();
}

void TZavStringGrid::WheelPanTick()
{
  TPoint pt;
  GetCursorPos(pt);
  pt = ScreenToClient(pt);
  const int dy = pt.Y - wheelpanpos.Y, dx = pt.X - wheelpanpos.X;
  const int v = IntelliPan() == ipHorizontal ? 0 : (dy < -5 ? -1 : dy > 5 ? 1 : 0);
  const int h = IntelliPan() == ipVertical ? 0 : (dx < -5 ? -1 : dx > 5 ? 1 : 0);
  if (v == 0 && h == 0)
    return;
  if (MouseActions()->WheelAction() == waScroll) {
    const int maxTop = std::max(FixedRows(), RowCount() - VisibleRowCount());
    const int maxLeft = std::max(FixedCols(), ColCount() - VisibleColCount());
    SetTopRow(std::clamp(TopRow() + v, FixedRows(), maxTop));
    SetLeftCol(std::clamp(LeftCol() + h, FixedCols(), maxLeft));
  } else {
    const int r = std::clamp(Row() + v, FixedRows(), std::max(FixedRows(), RowCount() - FixedFooters() - 1));
    const int c = std::clamp(Col() + h, FixedCols(), std::max(FixedCols(), ColCount() - FixedRightCols() - 1));
    FocusCell(c, r, true);
  }
}

bool TZavStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) { return WheelStep(true, Shift, MousePos); }

bool TZavStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) { return WheelStep(false, Shift, MousePos); }

// One wheel notch: the grid's own step with direct editing held off, or the plain events when
// the wheel scrolls or is switched off.
bool TZavStringGrid::WheelStep(bool Down, TShiftState Shift, TPoint MousePos)
{
  if (MouseActions()->WheelAction() == waScroll || !EnableWheel()) {
    bool handled = false;
    if (const auto &event = Down ? OnMouseWheelDown : OnMouseWheelUp)
      event(this, Shift, MousePos, handled);
    return handled;
  }
  if (!Down && (Row() >= RowCount() || Col() >= ColCount()))
    return true;
  const bool direct = MouseActions()->DirectEdit();
  MouseActions()->SetDirectEdit(false);
  const bool editing = EditorMode();
  bool result = false;
  try {
    result = Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
  } catch (...) {
    MouseActions()->SetDirectEdit(direct);
    throw;
  }
  MouseActions()->SetDirectEdit(direct);
  if (editing && CanFocus())
    SetFocus();
  return result;
}

void TZavStringGrid::WMSetFocus(TWMSetFocus &Message)
{
  if (InvokedFocusChange)
    return;
  TBaseGrid::WMSetFocus(Message);
  const int realCol = DisplToRealCol(Col());
  if (HasCheckBox(realCol, Row()))
    return;
  if (Navigation()->AlwaysEdit()) {
    bool canEdit = true;
    QueryCanEdit(realCol, Row(), canEdit);
    const bool visible = Col() >= LeftCol() && Col() <= LeftCol() + VisibleColCount() && Row() >= TopRow() &&
                         Row() <= TopRow() + VisibleRowCount();
    TInplaceEdit *ed = InplaceEditor();
    if (ed) {
      const bool fromEditor = ed->HandleAllocated() && Message.FocusedWnd == ed->Handle();
      if (!fromEditor && GridState() != gsRowMoving && GridState() != gsColMoving && EditControl == edNormal &&
          visible && canEdit) {
        ShowInplaceEdit();
        Message.Result = 0;
        return;
      }
    } else if (visible && canEdit && !MouseActions()->DirectEdit() && !ControlLook()->DropDownAlwaysVisible() &&
               HasComboEditor(realCol, Row())) {
      ShowInplaceEdit();
    }
  }
  if (IsMergedCell(Col(), Row()))
    RepaintCell(Col(), Row());
}

void TZavStringGrid::WMKillFocus(TWMKillFocus &Message)
{
  if (FBlockKill) {
    Message.Result = 1;
    return;
  }
  TBaseGrid::WMKillFocus(Message);
  if (IsMergedCell(Col(), Row()))
    RepaintCell(Col(), Row());
}

void TZavStringGrid::DoEnter()
{
  if (FBlockFocus)
    return;
  try {
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit())
      SelectCell(Col(), Row());
  } catch (...) {
    RememberOldCell(Col(), Row());
    throw;
  }
  RememberOldCell(Col(), Row());
}

void TZavStringGrid::DoExit()
{
  if (FBlockKill)
    return;
  if (FSelChange && MouseActions()->DisjunctRowSelect())
    SelectionToRowSelect(false);
  FSelChange = false;
  TBaseGrid::DoExit();
}

void TZavStringGrid::Select() { SelectCell(Col(), Row()); }

void TZavStringGrid::WMSetCursor(TWMSetCursor &Message)
{
  if (wheelpan) {
    SetWindowCursor(Handle(), crSizeAll);
    Message.Result = 1;
    return;
  }
  if (FSizeFixed || FSizingFixed) {
    SetWindowCursor(Handle(), crHSplit);
    Message.Result = 1;
    return;
  }
  if (FSizeFixedR || FSizingFixedR) {
    SetWindowCursor(Handle(), crVSplit);
    Message.Result = 1;
    return;
  }
  if (FMouseSelectMode != msNormal && GridState() != gsRowSizing && GridState() != gsColSizing) {
    if (FMouseSelectMode != msURL)
      SetWindowCursor(Handle(), SelectModeCursor());
    Message.Result = 1;
    return;
  }
  if (FCellSelectorMode) {
    SetWindowCursor(Handle(), CellSelectorCursor);
    Message.Result = 1;
    return;
  }
  TBaseGrid::WMSetCursor(Message);
  if (Message.Result == 0 && HandleAllocated()) {
    TPoint pt;
    GetCursorPos(pt);
    pt = ScreenToClient(pt);
    int c = -1, r = -1;
    MouseToCell(pt.X, pt.Y, c, r);
    if (c >= 0 && r >= 0)
      DoGetCellCursor(c, r, pt.X, pt.Y);
  }
}

void TZavStringGrid::KeyUp(uint16_t &Key, TShiftState Shift)
{
  switch (Key) {
  case VK_PRIOR: case VK_NEXT: case VK_END: case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
  case VK_INSERT: case VK_DELETE:
    SetIncrSearchText(QString());
    break;
  default:
    break;
  }
  const uint16_t key = Key;
  TBaseGrid::KeyUp(Key, Shift);
  // Disjunct cells: Shift with the keys takes in the range, Space picks the current cell as a
  // click does.
  if (MouseActions()->DisjunctCellSelect() && !Options().Contains(goEditing)) {
    if (key == VK_SPACE) {
      ReleaseDisjunctCells(Col(), Row());
    } else if (Shift.Contains(ssShift)) {
      const TGridRect s = Selection();
      for (int c = std::min(s.Left, s.Right); c <= std::max(s.Left, s.Right); ++c)
        for (int r = std::min(s.Top, s.Bottom); r <= std::max(s.Top, s.Bottom); ++r)
          if (!(c == Col() && r == Row()))
            SetSelectedCells(c, r, true);
    }
  }
  const bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
  if (Navigation()->AlwaysEdit() && (arrow || (key == VK_TAB && Options().Contains(goTabs))) &&
      !IsClickControlCell(DisplToRealCol(Col()), Row()) && !EditorMode())
    ShowInplaceEdit();
}

void TZavStringGrid::TopLeftChanged()
{
  TBaseGrid::TopLeftChanged();
  // A special editor or a text editor of another text type stays with its cell: it closes.
  if (EditMode && EditControl != edNormal)
    HideInplaceEdit();
  CellControlsUpdate(false);
  // The thin bars' thumbs follow the top row and the left column.
  for (TScrollControl *bar : {FVertThinBar, FHorzThinBar})
    if (bar)
      bar->Invalidate();
}

void TZavStringGrid::CellControlsUpdate(bool rebuildlist)
{
  if (!HandleAllocated())
    return;
  if (rebuildlist) {
    FControlList->Clear();
    for (int r = 0; r < RowCount(); ++r)
      for (int c = 0; c < AllColCount(); ++c)
        if (HasCellProperties(c, r))
          if (TControl *ctl = CellProperties(c, r)->Control())
            FControlList->AddControl(c, r, ctl);
  }
  const int lastCol = LeftCol() + VisibleColCount(), lastRow = TopRow() + VisibleRowCount();
  for (int i = 0; i < FControlList->Count(); ++i) {
    TControlItem *it = FControlList->Item(i);
    TControl *ctl = it->Control;
    if (!ctl)
      continue;
    if (IsHiddenColumn(it->X)) {
      ctl->SetVisible(false);
      continue;
    }
    const int dc = RealToDisplCol(it->X), r = it->Y;
    const bool fixed = dc < FixedCols() || r < FixedRows();
    const bool inView = dc >= LeftCol() && dc <= lastCol && r >= TopRow() && r <= lastRow;
    if (!fixed && !inView) {
      ctl->SetVisible(false);
      continue;
    }
    const TRect cr = CellRect(dc, r);
    ctl->SetBounds(cr.Left - 1, cr.Top - 1, cr.Right - cr.Left + 1, cr.Bottom - cr.Top + 1);
    ctl->SetVisible(true);
  }
}
