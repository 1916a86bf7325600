// The update lock, the grid's 500 ms timer and its handlers of window notifications.
#include "framework/controls/forms.h"
#include "framework/controls/messages.h"
#include "grid/core/footer.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_options.h"

void TZavStringGrid::BeginUpdate()
{
  if (!Visible())
    return;
  ++FUpdateCount;
  // Without a window there is nothing to hold back; the message round is most of the cost of
  // a row edit on a grid that is not shown.
  if (HandleAllocated()) {
    Perform(WM_SETREDRAW, 0, 0);
    FRedrawHeld = true;
  }
}

void TZavStringGrid::StartUpdate() { ++FUpdateCount; }

// The counter always goes down, so that a grid hidden during an update paints again once it is
// shown; only the redraw depends on visibility and waits for depth 0.
void TZavStringGrid::EndUpdate()
{
  if (FUpdateCount > 0)
    --FUpdateCount;
  if (ComponentState().Contains(csDestroying) || FUpdateCount > 0)
    return;
  // Redraw is given back even to a grid hidden meanwhile (else it would never paint once shown),
  // and when held on a window that is gone since: a window made again later keeps the flag.
  const bool window = HandleAllocated();
  if (FRedrawHeld || (window && Visible())) {
    FRedrawHeld = false;
    Perform(WM_SETREDRAW, 1, 0);
  }
  if (!Visible())
    return;
  FSelChange = false;
  if (window)
    ::InvalidateRect(Handle(), nullptr, false);
  DrawNCBorder();
}

void TZavStringGrid::SetLockUpdate(bool Value)
{
  if (Value)
    BeginUpdate();
  else
    EndUpdate();
}

void TZavStringGrid::ResetFixedCellHighlight()
{
  FSizeFixed = false;
  FSizeFixedR = false;
  FNoMouseLeave = false;
  if (FHoverFixedCells != hfNone && FHoverFixedX != -1 && FHoverFixedY != -1) {
    const int x = FHoverFixedX, y = FHoverFixedY;
    FHoverFixedX = -1;
    FHoverFixedY = -1;
    RepaintCell(x, y);
  }
}

void TZavStringGrid::CMHintShow(TCMHintShow &Message)
{
  if (Message.HintInfo)
    GetCellHint(Message.HintInfo->HintStr, Message.HintInfo);
  Message.Result = 0;
}

void TZavStringGrid::WMTimer(TWMTimer &Message)
{
  if (uintptr_t(Message.TimerID) != GridTimerID) {
    TBaseGrid::WMTimer(Message);
    return;
  }
  ++FTimerCount;
  if (FNavigation->AutoGotoIncremental()) {
    if (FSearchTickCount++ == 3) {
      FIncrSearchText.clear();
      FSearchTickCount = 0;
    }
  }
  if (FHovering && !IsDesignTime() && HandleAllocated()) {
    TPoint pt;
    GetCursorPos(pt);
    pt = ScreenToClient(pt);
    if (PtInRect(GetClientRect(), pt)) {
      int c = -1, r = -1;
      MouseToCell(pt.X, pt.Y, c, r);
      if (c >= FixedCols() && c < ColCount() && r >= FixedRows() && r < RowCount()) {
        if (CanFocus())
          SetFocus();
        SetRow(r);
        SetCol(c);
      }
    }
  }
  if (FEnableBlink) {
    FBlinkOn = !FBlinkOn;
    const auto blinks = [this](int c, int r) {
      return GridCells(c, r).contains(QLatin1String("<BLI"), Qt::CaseInsensitive);
    };
    const int visCols = VisibleColCount(), visRows = VisibleRowCount();
    for (int r = TopRow(); r <= TopRow() + visRows - 1 && r < RowCount(); ++r)
      for (int c = LeftCol(); c <= LeftCol() + visCols + NumHiddenColumns() - 1; ++c)
        if (blinks(c, r))
          RepaintCell(DisplColIndex(c), r);
    for (int r = 0; r < FixedRows(); ++r)
      for (int c = LeftCol(); c <= LeftCol() + visCols - 1 && c < ColCount(); ++c)
        if (blinks(c, r))
          RepaintCell(DisplColIndex(c), r);
    for (int c = 0; c < FixedCols(); ++c)
      for (int r = TopRow(); r <= TopRow() + visRows - 1 && r < RowCount(); ++r)
        if (blinks(c, r))
          RepaintCell(DisplColIndex(c), r);
  }
}

void TZavStringGrid::WMPaint(TWMPaint &Message)
{
  if (FUpdateCount >= 1) {
    Message.Result = 0;
    return;
  }
  // The framework double-buffers every custom control already.
  TBaseGrid::WMPaint(Message);
  if (!TabStop() && FPaintCount == 0) {
    FPaintCount = 1;
    UpdateProportionalVertScroll();
  }
}

void TZavStringGrid::CMDialogChar(TCMDialogChar &Message)
{
  Message.Result = 0;
  if (!FSearchFooter->Visible())
    return;
  // With the search panel: its forward, backward and highlight button accelerators run their
  // search-footer actions and answer 1.
}

void TZavStringGrid::CMEnabledChanged(TMessage &Message)
{
  TBaseGrid::CMEnabledChanged(Message);
  Invalidate();
}

void TZavStringGrid::CMColorChanged(TMessage &Message)
{
  TBaseGrid::CMColorChanged(Message);
  // The footer panel paints in the grid's colour.
  if (FFloatingFooter && FFloatingFooter->Visible() && FFooterPanel)
    FFooterPanel->Invalidate();
}

void TZavStringGrid::CMFontChanged(TMessage &Message) { TBaseGrid::CMFontChanged(Message); }

void TZavStringGrid::CMCursorChanged(TMessage &Message)
{
  TBaseGrid::CMCursorChanged(Message);
  if (!FOwnCursorChange)
    FMouseSelectMode = msNormal;
  FOwnCursorChange = false;
}
