// Window functions: messages, timers, focus, capture, invalidation, geometry, cursor and
// system metrics on the framework's windows.
#include "framework/controls/pump.h"

#include <QApplication>

#include "framework/controls/forms.h"

// ---------------------------------------------------------------------------------------------
// Window functions

TControlHandle *WindowHandleOf(HWND Wnd) { return Wnd ? TMessagePump::Instance().HandleOf(Wnd) : nullptr; }

TWinControl *FindControl(HWND Handle)
{
  TControlHandle *h = WindowHandleOf(Handle);
  return h ? h->Control : nullptr;
}

LRESULT SendMessage(HWND Wnd, uint32_t Msg, WPARAM WParam, LPARAM LParam)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return 0;
  TMessage m(Msg, WParam, LParam);
  return TMessagePump::Instance().Deliver(h->Control, m);
}

bool PostMessage(HWND Wnd, uint32_t Msg, WPARAM WParam, LPARAM LParam)
{
  if (!WindowHandleOf(Wnd))
    return false;
  TMessagePump::Instance().Post(Wnd, Msg, WParam, LParam);
  return true;
}

uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse, void *)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return 0;
  auto &t = h->Timers[IDEvent];
  if (!t) {
    TControlHandle *handle = h;
    t = std::make_unique<TClockTimer>([handle, IDEvent]() {
      TMessage m(WM_TIMER, IDEvent, 0);
      TMessagePump::Instance().Deliver(handle->Control, m);
    });
  }
  t->Start(std::max<uint32_t>(Elapse, 1));
  return IDEvent ? IDEvent : 1;
}

bool KillTimer(HWND Wnd, uintptr_t IDEvent)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return false;
  auto it = h->Timers.find(IDEvent);
  if (it == h->Timers.end())
    return false;
  h->Timers.erase(it);
  return true;
}

HWND GetFocus() { return TMessagePump::Instance().FocusWnd.data(); }

HWND SetFocus(HWND Wnd)
{
  auto &p = TMessagePump::Instance();
  HWND old = p.FocusWnd.data();
  if (Wnd && !WindowHandleOf(Wnd))
    return old;
  p.SetFocusWnd(Wnd);
  return old;
}

HWND GetCapture() { return TMessagePump::Instance().CaptureWnd.data(); }

HWND SetCapture(HWND Wnd)
{
  auto &p = TMessagePump::Instance();
  HWND old = p.CaptureWnd.data();
  if (old == Wnd)
    return old;
  p.CaptureWnd = Wnd;
  if (old) {
    if (TControlHandle *h = WindowHandleOf(old)) {
      TMessage m(WM_CAPTURECHANGED, 0, LPARAM(Wnd));
      p.Deliver(h->Control, m);
    }
  }
  return old;
}

bool ReleaseCapture()
{
  SetCapture(nullptr);
  return true;
}

TControl *GetCaptureControl()
{
  auto &p = TMessagePump::Instance();
  if (!p.CaptureWnd)
    return nullptr;
  if (p.CaptureControl && p.CaptureControl->Parent() && p.CaptureControl->Parent()->HandleAllocated() &&
      p.CaptureControl->Parent()->Handle() == p.CaptureWnd)
    return p.CaptureControl;
  return FindControl(p.CaptureWnd);
}

void SetCaptureControl(TControl *Control)
{
  auto &p = TMessagePump::Instance();
  ReleaseCapture();
  p.CaptureControl = nullptr;
  if (!Control)
    return;
  TWinControl *w = dynamic_cast<TWinControl *>(Control);
  if (!w) {
    if (!Control->Parent())
      return;
    p.CaptureControl = Control;
    w = Control->Parent();
  }
  SetCapture(w->Handle());
}

bool InvalidateRect(HWND Wnd, const TRect *Rect, bool Erase)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return false;
  if (h->Native) {
    h->Widget->update();
    return true;
  }
  if (!Rect) {
    h->PaintPending = true;
    if (Erase)
      h->ErasePending = true;
    h->ScheduleUpdate();
    return true;
  }
  const TRect cr = h->Control->ClientRect();
  const TRect r(std::max(Rect->Left, 0), std::max(Rect->Top, 0), std::min(Rect->Right, cr.Width()),
                std::min(Rect->Bottom, cr.Height()));
  if (r.IsEmpty())
    return true;
  const QRect part(r.Left, r.Top, r.Width(), r.Height());
  if (!h->PaintPending)
    h->UpdateRgn |= part;
  if (Erase)
    h->ErasePending = true;
  // The window shows only that part again, not the whole image (unless all of it waits anyway).
  if (h->PaintPending || h->FramePending)
    h->ScheduleUpdate();
  else if (h->Widget && h->Redraw)
    h->Widget->update(part.translated(h->NCLeft(), h->NCTop()));
  return true;
}

bool UpdateWindow(HWND Wnd)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return false;
  if (!h->Native && (h->PaintPending || !h->UpdateRgn.isEmpty())) {
    h->PaintPendingNow();
    if (h->Widget && h->Widget->isVisible())
      h->Widget->repaint();
  }
  return true;
}

bool IsWindowVisible(HWND Wnd) { return Wnd && Wnd->isVisible(); }
bool IsWindowEnabled(HWND Wnd) { return Wnd && Wnd->isEnabled(); }
bool EnableWindow(HWND Wnd, bool Enable)
{
  if (!Wnd)
    return false;
  const bool was = !Wnd->isEnabled();
  Wnd->setEnabled(Enable);
  return was;
}
bool IsWindow(HWND Wnd) { return WindowHandleOf(Wnd) != nullptr; }

HWND GetParent(HWND Wnd)
{
  TWinControl *c = FindControl(Wnd);
  if (c && c->Parent() && c->Parent()->HandleAllocated())
    return c->Parent()->Handle();
  return nullptr;
}

bool IsChild(HWND Parent, HWND Wnd)
{
  for (HWND w = GetParent(Wnd); w; w = GetParent(w))
    if (w == Parent)
      return true;
  return false;
}

bool GetClientRect(HWND Wnd, TRect &Rect)
{
  TWinControl *c = FindControl(Wnd);
  if (!c)
    return false;
  Rect = c->ClientRect();
  return true;
}

bool GetWindowRect(HWND Wnd, TRect &Rect)
{
  TWinControl *c = FindControl(Wnd);
  if (!c)
    return false;
  TControlHandle *h = WindowHandleOf(Wnd);
  TPoint o = c->ClientOrigin();
  o.X -= h->NCLeft();
  o.Y -= h->NCTop();
  Rect = Bounds(o.X, o.Y, c->Width(), c->Height());
  return true;
}

bool ClientToScreen(HWND Wnd, TPoint &Point)
{
  TWinControl *c = FindControl(Wnd);
  if (!c)
    return false;
  Point = c->ClientToScreen(Point);
  return true;
}

bool ScreenToClient(HWND Wnd, TPoint &Point)
{
  TWinControl *c = FindControl(Wnd);
  if (!c)
    return false;
  Point = c->ScreenToClient(Point);
  return true;
}

bool GetCursorPos(TPoint &Point)
{
  Point = TMessagePump::Instance().CursorPos;
  return true;
}

bool SetCursorPos(int X, int Y)
{
  TMessagePump::Instance().CursorPos = TPoint(X, Y);
  QCursor::setPos(X, Y);
  return true;
}

void MessageBeep(uint32_t) { QApplication::beep(); }

bool SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, uint32_t Flags)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h)
    return false;
  TWinControl *c = h->Control;
  if ((Flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
    const int x = (Flags & SWP_NOMOVE) ? c->Left() : X;
    const int y = (Flags & SWP_NOMOVE) ? c->Top() : Y;
    const int w = (Flags & SWP_NOSIZE) ? c->Width() : CX;
    const int hh = (Flags & SWP_NOSIZE) ? c->Height() : CY;
    c->SetBounds(x, y, w, hh);
  }
  if (!(Flags & SWP_NOZORDER) && h->Widget && !TMessagePump::Instance().Offscreen()) {
    if (InsertAfter == HWND_BOTTOM)
      h->Widget->lower();
    else if (InsertAfter == HWND_TOP || InsertAfter == HWND_TOPMOST)
      h->Widget->raise();
  }
  if (h->Widget) {
    if (Flags & SWP_SHOWWINDOW)
      h->Widget->show();
    else if (Flags & SWP_HIDEWINDOW)
      h->Widget->hide();
  }
  return true;
}

bool ShowWindow(HWND Wnd, int CmdShow)
{
  TControlHandle *h = WindowHandleOf(Wnd);
  if (!h || !h->Widget)
    return false;
  const bool was = h->Widget->isVisible();
  if (CmdShow == SW_HIDE)
    h->Widget->hide();
  else
    h->Widget->show();
  return was;
}
QCursor CursorToQCursor(TCursor Cursor)
{
  switch (Cursor) {
  case crNone: return QCursor(Qt::BlankCursor);
  case crCross: return QCursor(Qt::CrossCursor);
  case crIBeam: return QCursor(Qt::IBeamCursor);
  case crSizeNESW: return QCursor(Qt::SizeBDiagCursor);
  case crSizeNS: return QCursor(Qt::SizeVerCursor);
  case crSizeNWSE: return QCursor(Qt::SizeFDiagCursor);
  case crSizeWE: return QCursor(Qt::SizeHorCursor);
  case crUpArrow: return QCursor(Qt::UpArrowCursor);
  case crHourGlass: case crSQLWait: return QCursor(Qt::WaitCursor);
  case crDrag: case crMultiDrag: return QCursor(Qt::DragCopyCursor);
  case crNoDrop: case crNo: return QCursor(Qt::ForbiddenCursor);
  case crHSplit: return QCursor(Qt::SplitHCursor);
  case crVSplit: return QCursor(Qt::SplitVCursor);
  case crAppStart: return QCursor(Qt::BusyCursor);
  case crHelp: return QCursor(Qt::WhatsThisCursor);
  case crHandPoint: return QCursor(Qt::PointingHandCursor);
  case crSizeAll: return QCursor(Qt::SizeAllCursor);
  default: return QCursor(Qt::ArrowCursor);
  }
}
int GetWheelScrollLines() { return QApplication::wheelScrollLines(); }

int GetSystemMetrics(int Index)
{
  switch (Index) {
  case SM_CXSCREEN: case SM_CXFULLSCREEN: return Screen ? Screen->Width() : 1024;
  case SM_CYSCREEN: case SM_CYFULLSCREEN: return Screen ? Screen->Height() : 768;
  case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 17;
  case SM_CYVTHUMB: case SM_CXHTHUMB: return 17;
  case SM_CYCAPTION: return 22;
  case SM_CXBORDER: case SM_CYBORDER: return 1;
  case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
  case SM_CXFRAME: case SM_CYFRAME: return 4;
  case SM_CXEDGE: case SM_CYEDGE: return 2;
  case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
  case SM_CXSMICON: case SM_CYSMICON: return 16;
  case SM_CYMENU: return 20;
  case SM_CYSMCAPTION: return 18;
  case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
  case SM_CXDRAG: case SM_CYDRAG: return 4;
  case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
  default: return 0;
  }
}

uint32_t GetDoubleClickTime() { return 500; }
