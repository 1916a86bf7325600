// TCustomGrid's window: create parameters (border, scroll bars) and the two scroll bars,
// whose thumbs run from 0 to 127 over the scrollable columns and rows.
#include "framework/grids/inplace_edit.h"

#include <algorithm>

namespace {

constexpr int MaxShortInt = 127;

int LongMulDiv(int Mult1, int Mult2, int Div1)
{
  if (Div1 == 0)
    return 0;
  return int((int64_t(Mult1) * Mult2) / Div1);
}

}  // namespace

void TCustomGrid::CreateParams(TCreateParams &Params)
{
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth)
    Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
    Params.Style |= WS_HSCROLL;
  Params.WindowClass.style = CS_DBLCLKS;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D()) {
      Params.Style &= ~uint32_t(WS_BORDER);
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    } else {
      Params.Style |= WS_BORDER;
    }
  }
}

void TCustomGrid::CreateWnd()
{
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::WMSize(TWMSize &Message)
{
  TCustomControl::WMSize(Message);
  UpdateScrollRange();
  // The editor keeps standing over its cell (or goes when the cell left the view).
  if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible())
    FInplaceEdit->UpdateLoc(CellRect(FCurrent.X, FCurrent.Y));
}

void TCustomGrid::ApplyBorder()
{
  if (HandleAllocated())
    RecreateWnd();
}

void TCustomGrid::UpdateScrollRange()
{
  if (FUpdatingScrollRange || !HandleAllocated())
    return;
  FUpdatingScrollRange = true;
  const bool wantH = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
  const bool wantV = FScrollBars == ssVertical || FScrollBars == ssBoth;
  // The client area without any bar, then the bars each axis needs given the other.
  auto barShown = [&](int bar) {
    int lo = 0, hi = 0;
    GetScrollRange(Handle(), bar, lo, hi);
    return lo != hi;
  };
  const int vBarW = GetSystemMetrics(SM_CXVSCROLL);
  const int hBarH = GetSystemMetrics(SM_CYHSCROLL);
  const int fullW = ClientWidth() + (wantV && barShown(SB_VERT) ? vBarW : 0);
  const int fullH = ClientHeight() + (wantH && barShown(SB_HORZ) ? hBarH : 0);
  TGridDrawInfo info;
  CalcFixedInfo(info);
  auto needs = [&](TGridAxisDrawInfo a, int extent) {
    a.FirstGridCell = a.FixedCellCount;
    a.Calc(extent);
    return a.MaxFirstCell() > a.FixedCellCount;
  };
  bool needH = wantH && needs(info.Horz, fullW);
  bool needV = wantV && needs(info.Vert, fullH - (needH ? hBarH : 0));
  if (wantH && !needH && needV)
    needH = needs(info.Horz, fullW - vBarW);
  if (wantV && !needV && needH)
    needV = needs(info.Vert, fullH - hBarH);
  const TGridCoord oldTopLeft = FTopLeft;
  if (wantH)
    SetScrollRange(Handle(), SB_HORZ, 0, needH ? MaxShortInt : 0, true);
  if (wantV)
    SetScrollRange(Handle(), SB_VERT, 0, needV ? MaxShortInt : 0, true);
  // Keep the view inside what the new client area allows.
  CalcDrawInfo(info);
  const TGridCoord maxTl = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), info);
  TGridCoord tl(std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, maxTl.X)),
                std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, maxTl.Y)));
  FUpdatingScrollRange = false;
  if (!(tl == oldTopLeft))
    MoveTopLeft(tl.X, tl.Y);
  else
    UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos()
{
  if (!HandleAllocated() || FScrollBars == ssNone)
    return;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const TGridCoord maxTl = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), info);
  auto setPos = [&](int bar, int value) {
    if (GetScrollPos(Handle(), bar) != value)
      SetScrollPos(Handle(), bar, value, true);
  };
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
    setPos(SB_HORZ, LongMulDiv(FTopLeft.X - FFixedCols, MaxShortInt, maxTl.X - FFixedCols));
  if (FScrollBars == ssVertical || FScrollBars == ssBoth)
    setPos(SB_VERT, LongMulDiv(FTopLeft.Y - FFixedRows, MaxShortInt, maxTl.Y - FFixedRows));
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft)
{
  (void)UseRightToLeft;
  if (Visible() && CanFocus() && TabStop() && !ComponentState().Contains(csDesigning))
    SetFocus();
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const TGridCoord maxTl = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), info);
  const bool horz = ScrollBar == SB_HORZ;
  const TGridAxisDrawInfo &axis = horz ? info.Horz : info.Vert;
  const int minPos = horz ? FFixedCols : FFixedRows;
  const int maxPos = std::max(minPos, horz ? maxTl.X : maxTl.Y);
  const int current = horz ? FTopLeft.X : FTopLeft.Y;
  // One page back: as many cells before the first as fit into the scrolled area.
  auto pageUp = [&] {
    const int room = axis.GridExtent - axis.FixedBoundary;
    int used = 0, count = 0;
    for (int i = current - 1; i >= axis.FixedCellCount; --i) {
      used += axis.GetExtent(i) + axis.EffectiveLineWidth;
      if (used > room + axis.EffectiveLineWidth)
        break;
      ++count;
    }
    return std::max(1, count);
  };
  auto pageDown = [&] { return std::max(1, axis.LastFullVisibleCell - current); };
  auto extent = [&](int i) { return horz ? ColWidths(i) : RowHeights(i); };
  int value = current;
  int previous;
  do {
    previous = value;
    switch (ScrollCode) {
    case SB_LINEUP: --value; break;
    case SB_LINEDOWN: ++value; break;
    case SB_PAGEUP: value -= pageUp(); break;
    case SB_PAGEDOWN: value += pageDown(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      if (FOptions.Contains(goThumbTracking) || ScrollCode == SB_THUMBPOSITION)
        value = minPos + LongMulDiv(Pos, maxPos - minPos, MaxShortInt);
      break;
    case SB_BOTTOM: value = maxPos; break;
    case SB_TOP: value = minPos; break;
    default: break;
    }
    // Steps skip cells of zero size.
  } while ((ScrollCode == SB_LINEUP || ScrollCode == SB_LINEDOWN) && value > minPos && value < maxPos &&
           extent(value) <= 0 && value != previous);
  value = std::clamp(value, minPos, maxPos);
  if (value == current)
    return;
  if (horz)
    MoveTopLeft(value, FTopLeft.Y);
  else
    MoveTopLeft(FTopLeft.X, value);
}

void TCustomGrid::WMHScroll(TWMScroll &Message)
{
  ModifyScrollBar(SB_HORZ, Message.ScrollCode, Message.Pos, true);
}

void TCustomGrid::WMVScroll(TWMScroll &Message)
{
  ModifyScrollBar(SB_VERT, Message.ScrollCode, Message.Pos, true);
}
