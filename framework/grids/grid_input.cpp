// TCustomGrid input: mouse press, move and release (selection, sizing, moving), the
// auto-scroll timer, cursor shapes, keyboard navigation, characters and focus.
#include "framework/grids/inplace_edit.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------
// Sizing and moving feedback

void TCustomGrid::CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                                  int &SizingOfs, TGridDrawInfo &FixedInfo)
{
  State = gsNormal;
  Index = -1;
  const TGridOptions options = FOptions;
  if (!options.Contains(goColSizing) && !options.Contains(goRowSizing))
    return;
  auto axisState = [&](const TGridAxisDrawInfo &a, int pos, TGridState newState) {
    int line = a.FixedBoundary;
    int range = a.EffectiveLineWidth;
    int back = 0;
    // A zone of at least 7 pixels around the line, centred on it.
    if (range < 7) {
      range = 7;
      back = (range - a.EffectiveLineWidth) >> 1;
    }
    for (int i = a.FirstGridCell; i < a.GridCellCount; ++i) {
      line += a.GetExtent(i);
      if (line > a.GridBoundary)
        break;
      if (pos >= line - back && pos <= line - back + range) {
        State = newState;
        SizingPos = line;
        SizingOfs = line - pos;
        Index = i;
        return;
      }
      line += a.EffectiveLineWidth;
    }
    if (a.GridBoundary == a.GridExtent && pos >= a.GridExtent - back && pos <= a.GridExtent) {
      State = newState;
      SizingPos = a.GridExtent;
      SizingOfs = a.GridExtent - pos;
      Index = a.LastFullVisibleCell + 1;
    }
  };
  FixedInfo.Horz.GridExtent = ClientWidth();
  FixedInfo.Vert.GridExtent = ClientHeight();
  if (X > FixedInfo.Horz.FixedBoundary && options.Contains(goColSizing)) {
    if (Y >= FixedInfo.Vert.FixedBoundary)
      return;
    axisState(FixedInfo.Horz, X, gsColSizing);
  } else if (Y > FixedInfo.Vert.FixedBoundary && options.Contains(goRowSizing)) {
    if (X >= FixedInfo.Horz.FixedBoundary)
      return;
    axisState(FixedInfo.Vert, Y, gsRowSizing);
  }
  // A zone past the last cell sizes nothing.
  if (State != gsNormal && Index >= (State == gsColSizing ? FColCount : FRowCount)) {
    State = gsNormal;
    Index = -1;
  }
}

void TCustomGrid::DrawSizingLine(const TGridDrawInfo &DrawInfo)
{
  TCanvas *canvas = Canvas();
  TPen old;
  old.Assign(canvas->Pen());
  canvas->Pen()->SetStyle(psDot);
  canvas->Pen()->SetMode(pmXor);
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetColor(clWhite);
  // A shown line is erased where it was drawn.
  if (!FSizingLineShown && (FGridState == gsRowSizing || FGridState == gsColSizing))
    FSizingLineRows = FGridState == gsRowSizing;
  if (FSizingLineRows) {
    canvas->MoveTo(0, FSizingPos);
    canvas->LineTo(DrawInfo.Horz.GridBoundary, FSizingPos);
  } else {
    canvas->MoveTo(FSizingPos, 0);
    canvas->LineTo(FSizingPos, DrawInfo.Vert.GridBoundary);
  }
  canvas->SetPen(&old);
  FSizingLineShown = !FSizingLineShown;
  if (!FPainting)
    Update();
}

void TCustomGrid::DrawMove()
{
  TCanvas *canvas = Canvas();
  TPen old;
  old.Assign(canvas->Pen());
  canvas->Pen()->SetStyle(psDot);
  canvas->Pen()->SetMode(pmXor);
  canvas->Pen()->SetWidth(5);
  canvas->Pen()->SetColor(clWhite);
  // A shown mark is erased where it was drawn.
  if (FMoveLineShown < 0 && (FGridState == gsRowMoving || FGridState == gsColMoving))
    FMoveLineRows = FGridState == gsRowMoving;
  const int movePos = FMoveLineShown >= 0 ? FMoveLineShown : FMovePos;
  if (FMoveLineRows) {
    const TRect r = CellRect(0, movePos);
    const int pos = movePos > FMoveIndex ? r.Bottom : r.Top;
    canvas->MoveTo(0, pos);
    canvas->LineTo(ClientWidth(), pos);
  } else {
    const TRect r = CellRect(movePos, 0);
    const int pos = movePos > FMoveIndex ? r.Right : r.Left;
    canvas->MoveTo(pos, 0);
    canvas->LineTo(pos, ClientHeight());
  }
  canvas->SetPen(&old);
  FMoveLineShown = FMoveLineShown < 0 ? FMovePos : -1;
  if (!FPainting)
    Update();
}

bool TCustomGrid::Sizing(int X, int Y)
{
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TGridState state = gsNormal;
  int index = -1, pos = 0, ofs = 0;
  CalcSizingState(X, Y, state, index, pos, ofs, info);
  return state != gsNormal;
}

bool TCustomGrid::CheckColumnDrag(int &Origin, int &Destination, const TPoint &MousePt)
{
  (void)Origin;
  (void)Destination;
  (void)MousePt;
  return true;
}

bool TCustomGrid::CheckRowDrag(int &Origin, int &Destination, const TPoint &MousePt)
{
  (void)Origin;
  (void)Destination;
  (void)MousePt;
  return true;
}

void TCustomGrid::MoveAndScroll(int Mouse, int CellHit, TGridDrawInfo &DrawInfo, TGridAxisDrawInfo &Axis,
                                int ScrollBar, const TPoint &MousePt)
{
  if (CellHit == FMovePos)
    return;
  if (FMovePos == Axis.FixedCellCount && Mouse < Axis.FixedBoundary)
    return;
  if (FMovePos == Axis.GridCellCount - 1 && Mouse > Axis.GridBoundary)
    return;
  DrawMove();  // off
  if (Mouse < Axis.FixedBoundary) {
    if (FMovePos > Axis.FixedCellCount) {
      ModifyScrollBar(ScrollBar, SB_LINEUP, 0, false);
      CalcDrawInfo(DrawInfo);
    }
    CellHit = Axis.FirstGridCell;
  } else if (Mouse >= Axis.FullVisBoundary) {
    if (FMovePos == Axis.LastFullVisibleCell && FMovePos < Axis.GridCellCount - 1) {
      ModifyScrollBar(ScrollBar, SB_LINEDOWN, 0, false);
      CalcDrawInfo(DrawInfo);
    }
    CellHit = Axis.LastFullVisibleCell;
  } else if (CellHit < 0) {
    CellHit = FMovePos;
  }
  if (CellHit >= Axis.FixedCellCount) {
    if ((FGridState == gsColMoving && CheckColumnDrag(FMoveIndex, CellHit, MousePt)) ||
        (FGridState == gsRowMoving && CheckRowDrag(FMoveIndex, CellHit, MousePt)))
      FMovePos = CellHit;
  }
  DrawMove();  // on
}

// ---------------------------------------------------------------------------------------
// Mouse

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  bool moveDrawn = false;
  // The editor goes away for the press but editor mode stays: a press on the current
  // cell shows it again.
  HideEdit();
  if (!ComponentState().Contains(csDesigning) && (CanFocus() || !GetParentForm(this))) {
    SetFocus();
    if (!IsActiveControl()) {
      SetMouseCapture(false);
      return;
    }
  }
  FLastMouse = TPoint(X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble)) {
    DblClick();
  } else if (Button == mbLeft) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs, info);
    if (FGridState != gsNormal) {
      FSizingLineShown = false;
      DrawSizingLine(info);
      TCustomControl::MouseDown(Button, Shift, X, Y);
      return;
    }
    const TGridCoord hit = CalcCoordFromPoint(X, Y, info);
    if (hit.X >= FFixedCols && hit.Y >= FFixedRows) {
      if (FOptions.Contains(goEditing)) {
        if (hit.X == FCurrent.X && hit.Y == FCurrent.Y)
          ShowEditor();
        else {
          MoveCurrent(hit.X, hit.Y, true, true);
          UpdateEdit();
        }
        Click();
      } else {
        FGridState = gsSelecting;
        ::SetTimer(Handle(), ScrollTimerId, 60);
        FTimerActive = true;
        if (Shift.Contains(ssShift))
          MoveAnchor(hit);
        else
          MoveCurrent(hit.X, hit.Y, true, true);
      }
    } else if (FOptions.Contains(goRowMoving) && hit.X >= 0 && hit.X < FFixedCols && hit.Y >= FFixedRows) {
      FMoveIndex = hit.Y;
      FMovePos = FMoveIndex;
      FGridState = gsRowMoving;
      FMoveLineShown = -1;
      DrawMove();
      moveDrawn = true;
      ::SetTimer(Handle(), ScrollTimerId, 60);
      FTimerActive = true;
    } else if (FOptions.Contains(goColMoving) && hit.Y >= 0 && hit.Y < FFixedRows && hit.X >= FFixedCols) {
      FMoveIndex = hit.X;
      FMovePos = FMoveIndex;
      FGridState = gsColMoving;
      FMoveLineShown = -1;
      DrawMove();
      moveDrawn = true;
      ::SetTimer(Handle(), ScrollTimerId, 60);
      FTimerActive = true;
    }
  }
  try {
    TCustomControl::MouseDown(Button, Shift, X, Y);
  } catch (...) {
    if (moveDrawn && FMoveLineShown >= 0)
      DrawMove();
    throw;
  }
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
  FLastMouse = TPoint(X, Y);
  TGridDrawInfo info;
  CalcDrawInfo(info);
  switch (FGridState) {
  case gsSelecting: {
    const TGridCoord hit = CalcCoordFromPoint(X, Y, info);
    if (hit.X >= FFixedCols && hit.Y >= FFixedRows && hit.X <= info.Horz.LastFullVisibleCell + 1 &&
        hit.Y <= info.Vert.LastFullVisibleCell + 1 && !(hit == FAnchor) && SelectCell(hit.X, hit.Y))
      MoveAnchor(hit);
    break;
  }
  case gsColSizing:
  case gsRowSizing:
    if (FSizingLineShown)
      DrawSizingLine(info);  // off
    FSizingPos = (FGridState == gsRowSizing ? Y : X) + FSizingOfs;
    DrawSizingLine(info);  // on
    break;
  case gsColMoving: {
    const TGridCoord hit = CalcCoordFromPoint(X, Y, info);
    MoveAndScroll(X, hit.X, info, info.Horz, SB_HORZ, TPoint(X, Y));
    break;
  }
  case gsRowMoving: {
    const TGridCoord hit = CalcCoordFromPoint(X, Y, info);
    MoveAndScroll(Y, hit.Y, info, info.Vert, SB_VERT, TPoint(X, Y));
    break;
  }
  default:
    break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
  FLastMouse = TPoint(X, Y);
  // The width or height the sizing line gives, measured from the cell's left or top.
  auto resizeLine = [&](const TGridAxisDrawInfo &a) {
    int start = 0;
    if (FSizingIndex < a.FixedCellCount) {
      for (int i = 0; i < FSizingIndex; ++i)
        start += a.GetExtent(i) + a.EffectiveLineWidth;
    } else {
      start = a.FixedBoundary;
      for (int i = a.FirstGridCell; i < FSizingIndex; ++i)
        start += a.GetExtent(i) + a.EffectiveLineWidth;
    }
    return FSizingPos - start;
  };
  try {
    switch (FGridState) {
    case gsSelecting:
      MouseMove(Shift, X, Y);
      ::KillTimer(Handle(), ScrollTimerId);
      FTimerActive = false;
      UpdateEdit();
      Click();
      break;
    case gsColSizing:
    case gsRowSizing: {
      TGridDrawInfo info;
      CalcDrawInfo(info);
      if (FSizingLineShown)
        DrawSizingLine(info);
      const TGridState state = FGridState;
      FGridState = gsNormal;
      if (state == gsColSizing) {
        const int size = resizeLine(info.Horz);
        if (size > 1 && FSizingIndex >= 0 && FSizingIndex < FColCount)
          TCustomGrid::SetColWidths(FSizingIndex, size);
      } else {
        const int size = resizeLine(info.Vert);
        if (size > 1 && FSizingIndex >= 0 && FSizingIndex < FRowCount)
          TCustomGrid::SetRowHeights(FSizingIndex, size);
      }
      break;
    }
    case gsColMoving:
    case gsRowMoving: {
      if (FMoveLineShown >= 0)
        DrawMove();
      ::KillTimer(Handle(), ScrollTimerId);
      FTimerActive = false;
      const TGridState state = FGridState;
      FGridState = gsNormal;
      if (FMoveIndex != FMovePos) {
        if (state == gsColMoving)
          TCustomGrid::MoveColumn(FMoveIndex, FMovePos);
        else
          TCustomGrid::MoveRow(FMoveIndex, FMovePos);
      }
      UpdateEdit();
      break;
    }
    default:
      UpdateEdit();
      break;
    }
  } catch (...) {
    FGridState = gsNormal;
    EndGestureFeedback();
    throw;
  }
  FGridState = gsNormal;
  EndGestureFeedback();
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::EndGestureFeedback()
{
  if (FSizingLineShown) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    DrawSizingLine(info);
  }
  if (FMoveLineShown >= 0)
    DrawMove();
  if (HandleAllocated())
    ::KillTimer(Handle(), ScrollTimerId);
  FTimerActive = false;
}

void TCustomGrid::TimedScroll(TGridScrollDirection Direction)
{
  TGridCoord anchor = FAnchor;
  if (Direction.Contains(TGridScrollDirectionItem::sdLeft) && FAnchor.X > FFixedCols)
    --anchor.X;
  if (Direction.Contains(TGridScrollDirectionItem::sdRight) && FAnchor.X < FColCount - 1)
    ++anchor.X;
  if (Direction.Contains(TGridScrollDirectionItem::sdUp) && FAnchor.Y > FFixedRows)
    --anchor.Y;
  if (Direction.Contains(TGridScrollDirectionItem::sdDown) && FAnchor.Y < FRowCount - 1)
    ++anchor.Y;
  if (!(anchor == FAnchor) && SelectCell(anchor.X, anchor.Y))
    MoveAnchor(anchor);
}

void TCustomGrid::WMTimer(TWMTimer &Message)
{
  if (Message.TimerID != WPARAM(ScrollTimerId)) {
    TCustomControl::WMTimer(Message);
    return;
  }
  if (FGridState != gsSelecting && FGridState != gsRowMoving && FGridState != gsColMoving)
    return;
  const TPoint pt = FLastMouse;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const TGridCoord hit = CalcCoordFromPoint(pt.X, pt.Y, info);
  switch (FGridState) {
  case gsColMoving:
    MoveAndScroll(pt.X, hit.X, info, info.Horz, SB_HORZ, pt);
    break;
  case gsRowMoving:
    MoveAndScroll(pt.Y, hit.Y, info, info.Vert, SB_VERT, pt);
    break;
  case gsSelecting: {
    TGridScrollDirection dir;
    if (pt.X < info.Horz.FixedBoundary)
      dir += TGridScrollDirectionItem::sdLeft;
    else if (pt.X > info.Horz.FullVisBoundary)
      dir += TGridScrollDirectionItem::sdRight;
    if (pt.Y < info.Vert.FixedBoundary)
      dir += TGridScrollDirectionItem::sdUp;
    else if (pt.Y > info.Vert.FullVisBoundary)
      dir += TGridScrollDirectionItem::sdDown;
    if (!dir.Empty())
      TimedScroll(dir);
    break;
  }
  default:
    break;
  }
}

void TCustomGrid::CancelMode()
{
  try {
    EndGestureFeedback();
  } catch (...) {
    FGridState = gsNormal;
    FTimerActive = false;
    throw;
  }
  FGridState = gsNormal;
}

void TCustomGrid::WMCancelMode(TWMCancelMode &Message)
{
  TCustomControl::WMCancelMode(Message);
  CancelMode();
}

void TCustomGrid::WMSetCursor(TWMSetCursor &Message)
{
  TGridState state = FGridState;
  if (Message.HitTest == HTCLIENT) {
    if (FGridState == gsNormal) {
      TGridDrawInfo info;
      CalcDrawInfo(info);
      int index = -1, pos = 0, ofs = 0;
      TPoint pt;
      GetCursorPos(pt);
      pt = ScreenToClient(pt);
      CalcSizingState(pt.X, pt.Y, state, index, pos, ofs, info);
    }
    if (state == gsRowSizing || state == gsColSizing) {
      SetWindowCursor(Handle(), state == gsRowSizing ? crVSplit : crHSplit);
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(Message);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
  bool result = TCustomControl::DoMouseWheelDown(Shift, MousePos);
  if (!result) {
    if (FCurrent.Y < FRowCount - 1)
      SetRow(FCurrent.Y + 1);
    result = true;
  }
  return result;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
  bool result = TCustomControl::DoMouseWheelUp(Shift, MousePos);
  if (!result) {
    if (FCurrent.Y > FFixedRows)
      SetRow(FCurrent.Y - 1);
    result = true;
  }
  return result;
}

// ---------------------------------------------------------------------------------------
// Keyboard

bool TCustomGrid::CanGridAcceptKey(uint16_t Key, TShiftState Shift)
{
  (void)Key;
  (void)Shift;
  return true;
}

void TCustomGrid::KeyDown(uint16_t &Key, TShiftState Shift)
{
  TCustomControl::KeyDown(Key, Shift);
  if (!CanGridAcceptKey(Key, Shift))
    Key = 0;
  if (Key == 0)
    return;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const int pageWidth = std::max(1, info.Horz.LastFullVisibleCell - FTopLeft.X);
  const int pageHeight = std::max(1, info.Vert.LastFullVisibleCell - FTopLeft.Y);
  const bool rowSelect = FOptions.Contains(goRowSelect);
  TGridCoord cur = FCurrent;
  TGridCoord tl = FTopLeft;
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
    case VK_UP: --tl.Y; break;
    case VK_DOWN: ++tl.Y; break;
    case VK_LEFT:
      if (!rowSelect) {
        cur.X -= pageWidth;
        tl.X -= pageWidth;
      }
      break;
    case VK_RIGHT:
      if (!rowSelect) {
        cur.X += pageWidth;
        tl.X += pageWidth;
      }
      break;
    case VK_PRIOR: cur.Y = FTopLeft.Y; break;
    case VK_NEXT: cur.Y = info.Vert.LastFullVisibleCell; break;
    case VK_HOME: cur = TGridCoord(FFixedCols, FFixedRows); break;
    case VK_END: cur = TGridCoord(FColCount - 1, FRowCount - 1); break;
    default: break;
    }
  } else {
    switch (Key) {
    case VK_UP: --cur.Y; break;
    case VK_DOWN: ++cur.Y; break;
    case VK_LEFT:
      if (rowSelect)
        --tl.X;
      else
        --cur.X;
      break;
    case VK_RIGHT:
      if (rowSelect)
        ++tl.X;
      else
        ++cur.X;
      break;
    case VK_NEXT:
      cur.Y += pageHeight;
      tl.Y += pageHeight;
      break;
    case VK_PRIOR:
      cur.Y -= pageHeight;
      tl.Y -= pageHeight;
      break;
    case VK_HOME:
      if (rowSelect)
        cur.Y = FFixedRows;
      else
        cur.X = FFixedCols;
      break;
    case VK_END:
      if (rowSelect)
        cur.Y = FRowCount - 1;
      else
        cur.X = FColCount - 1;
      break;
    case VK_TAB:
      if (FOptions.Contains(goTabs) && !Shift.Contains(ssAlt)) {
        if (Shift.Contains(ssShift)) {
          --cur.X;
          if (cur.X < FFixedCols) {
            cur.X = FColCount - 1;
            --cur.Y;
            if (cur.Y < FFixedRows)
              cur.Y = FRowCount - 1;
          }
          Shift -= ssShift;  // a backward tab does not extend the selection
        } else {
          ++cur.X;
          if (cur.X >= FColCount) {
            cur.X = FFixedCols;
            ++cur.Y;
            if (cur.Y >= FRowCount)
              cur.Y = FFixedRows;
          }
        }
      }
      break;
    case VK_F2:
      SetEditorMode(true);
      break;
    default:
      break;
    }
  }
  CalcDrawInfo(info);
  const TGridCoord maxTl = CalcMaxTopLeft(TGridCoord(FColCount - 1, FRowCount - 1), info);
  tl.X = std::clamp(tl.X, FFixedCols, std::max(FFixedCols, maxTl.X));
  tl.Y = std::clamp(tl.Y, FFixedRows, std::max(FFixedRows, maxTl.Y));
  if (!(tl == FTopLeft))
    MoveTopLeft(tl.X, tl.Y);
  cur.X = std::clamp(cur.X, FFixedCols, FColCount - 1);
  cur.Y = std::clamp(cur.Y, FFixedRows, FRowCount - 1);
  if (!(cur == FCurrent))
    FocusCell(cur.X, cur.Y, !Shift.Contains(ssShift));
}

void TCustomGrid::KeyPress(QChar &Key)
{
  TCustomControl::KeyPress(Key);
  if (!FOptions.Contains(goAlwaysShowEditor) && Key == QChar(13)) {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = QChar(0);
  }
}

void TCustomGrid::WMChar(TWMKey &Message)
{
  const uint16_t ch = Message.CharCode;
  if (FOptions.Contains(goEditing) && (ch == 8 || (ch >= 32 && ch != 127))) {
    ShowEditorChar(QChar(ch));
    return;
  }
  TCustomControl::WMChar(Message);
}

void TCustomGrid::WMGetDlgCode(TWMGetDlgCode &Message)
{
  Message.Result = DLGC_WANTARROWS;
  if (FOptions.Contains(goRowSelect))
    return;
  if (FOptions.Contains(goTabs))
    Message.Result |= DLGC_WANTTAB;
  if (FOptions.Contains(goEditing))
    Message.Result |= DLGC_WANTCHARS;
}

void TCustomGrid::WMSetFocus(TWMSetFocus &Message)
{
  TCustomControl::WMSetFocus(Message);
  if (!FInplaceEdit || !FInplaceEdit->HandleAllocated() || Message.FocusedWnd != FInplaceEdit->Handle()) {
    InvalidateRect(Selection());
    UpdateEdit();
  }
}

void TCustomGrid::WMKillFocus(TWMKillFocus &Message)
{
  TCustomControl::WMKillFocus(Message);
  InvalidateRect(Selection());
  if (FInplaceEdit && !(FInplaceEdit->HandleAllocated() && Message.FocusedWnd == FInplaceEdit->Handle()))
    HideEditor();
}

void TCustomGrid::WMCommand(TWMCommand &Message)
{
  // Only the editor's change notification is the grid's business.
  if (FInplaceEdit && FInplaceEdit->HandleAllocated() && Message.Ctl == FInplaceEdit->Handle() &&
      Message.NotifyCode == EN_CHANGE)
    UpdateText();
}

void TCustomGrid::WndProc(TMessage &Message)
{
  // The framework's cancel-mode broadcast ends a drag like WM_CANCELMODE does.
  if (Message.Msg == CM_CANCELMODE) {
    TCustomControl::WndProc(Message);
    if (MessageAs<TCMCancelMode>(Message).Control != this)
      CancelMode();
    return;
  }
  TCustomControl::WndProc(Message);
}
