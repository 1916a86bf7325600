// The message pump: Qt events to messages, delivery, the posted queue, focus, capture and the
// mouse and keyboard state of the input being handled.
#include "framework/controls/pump.h"

#include <QApplication>
#include <QChildEvent>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>

#include "framework/controls/forms.h"

// ---------------------------------------------------------------------------------------------
// Registered messages

uint32_t RegisterWindowMessage(const QString &Name)
{
  static QHash<QString, uint32_t> names;
  const QString key = Name.toUpper();
  auto it = names.find(key);
  if (it != names.end())
    return *it;
  const uint32_t id = 0xC000u + uint32_t(names.size());
  names.insert(key, id);
  return id;
}

// ---------------------------------------------------------------------------------------------
// Exceptions out of handlers

void SafeCall(TObject *Sender, const std::function<void()> &Fn)
{
  try {
    Fn();
  } catch (...) {
    if (Application)
      Application->HandleException(Sender, std::current_exception());
  }
}

// ---------------------------------------------------------------------------------------------
// The pump

namespace {
constexpr QEvent::Type FlushEventType = QEvent::Type(QEvent::User + 731);
uint32_t MouseKeys(Qt::MouseButtons b, Qt::KeyboardModifiers m)
{
  uint32_t k = 0;
  if (b & Qt::LeftButton) k |= MK_LBUTTON;
  if (b & Qt::RightButton) k |= MK_RBUTTON;
  if (b & Qt::MiddleButton) k |= MK_MBUTTON;
  if (m & Qt::ShiftModifier) k |= MK_SHIFT;
  if (m & Qt::ControlModifier) k |= MK_CONTROL;
  return k;
}

bool IsInputEvent(QEvent::Type t)
{
  switch (t) {
  case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove: case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::Wheel:
  case QEvent::ContextMenu:
    return true;
  default:
    return false;
  }
}

// A disabled control or parent takes no input.
bool InputBlocked(TControl *c)
{
  for (; c; c = c->Parent())
    if (!c->Enabled())
      return true;
  return false;
}
}  // namespace

TMessagePump &TMessagePump::Instance()
{
  static TMessagePump *pump = new TMessagePump();
  return *pump;
}

TMessagePump::TMessagePump() = default;

void TMessagePump::Reset()
{
  ResetInput();
  FocusWnd = nullptr;
  CaptureWnd = nullptr;
  CaptureControl = nullptr;
  MouseControl = nullptr;
  CursorPos = TPoint();
  CursorWidget = nullptr;
  FQueue.clear();
}

void TMessagePump::ResetInput()
{
  Modifiers = Qt::NoModifier;
  Buttons = Qt::NoButton;
  FKeysDown.clear();
  FLastPressButton = 0;
  FLastPressTime = 0;
  FLastPressPos = TPoint();
  FLastPressWasDouble = false;
  FSwallowDblClick = false;
}

bool TMessagePump::KeyDown(int VirtKey) const
{
  auto it = FKeysDown.find(VirtKey);
  return it != FKeysDown.end() && it->second;
}

void TMessagePump::Register(QWidget *Widget, TControlHandle *Handle)
{
  FRegistry[Widget] = Handle;
  Widget->installEventFilter(this);
}

void TMessagePump::Unregister(QWidget *Widget)
{
  FRegistry.erase(Widget);
}

TControlHandle *TMessagePump::HandleOf(QWidget *Widget) const
{
  auto it = FRegistry.find(Widget);
  return it == FRegistry.end() ? nullptr : it->second;
}

LRESULT TMessagePump::Deliver(TControl *Control, TMessage &Message)
{
  if (!Control)
    return 0;
  if (AtLoopLevel())
    ++Serial;
  ++Depth;
  try {
    Control->WindowProc(Message);
  } catch (...) {
    --Depth;
    if (Application)
      Application->HandleException(Control, std::current_exception());
    return Message.Result;
  }
  --Depth;
  return Message.Result;
}

void TMessagePump::Post(HWND Target, uint32_t Msg, WPARAM WParam, LPARAM LParam, QWidget *Origin)
{
  TPostedMessage m;
  m.Target = Target;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  m.Origin = Origin;
  FQueue.push_back(m);
  if (!FFlushScheduled) {
    FFlushScheduled = true;
    QCoreApplication::postEvent(this, new QEvent(FlushEventType));
  }
}

bool TMessagePump::event(QEvent *Event)
{
  if (Event->type() == FlushEventType) {
    FFlushScheduled = false;
    FlushPosted();
    return true;
  }
  return QObject::event(Event);
}

void TMessagePump::FlushPosted()
{
  while (!FQueue.empty()) {
    TPostedMessage m = FQueue.front();
    FQueue.pop_front();
    if (!m.Target)
      continue;
    if (m.Msg >= WM_KEYFIRST && m.Msg <= WM_KEYLAST) {
      DeliverKey(m.Target, m.Msg, m.WParam, m.LParam, QChar(), m.Origin ? m.Origin.data() : m.Target.data());
      continue;
    }
    TControlHandle *h = HandleOf(m.Target);
    if (!h)
      continue;
    TMessage msg(m.Msg, m.WParam, m.LParam);
    FContexts.push_back({&msg, m.Origin ? m.Origin.data() : m.Target.data()});
    Deliver(h->Control, msg);
    FContexts.pop_back();
  }
}

void TMessagePump::DeliverKey(QWidget *Target, uint32_t Msg, WPARAM WParam, LPARAM LParam, QChar Char, QWidget *Origin)
{
  QPointer<QWidget> target = Target;
  TControlHandle *h = HandleOf(Target);
  if (!h)
    return;
  if ((Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN) && Application)
    Application->CancelHint();
  // The capture window previews keys (a drag can be cancelled with Esc).
  TControlHandle *cn = CaptureWnd ? HandleOf(CaptureWnd) : h;
  if (!cn)
    cn = h;
  TMessage pre(Msg + CN_BASE, WParam, LParam);
  Deliver(cn->Control, pre);
  if (pre.Result != 0 || !target)
    return;
  h = HandleOf(target);
  if (!h)
    return;
  if ((Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN) && !Char.isNull())
    Post(target, Msg == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, Char.unicode(), LParam & ~LPARAM(0xC0000000), Origin);
  TMessage m(Msg, WParam, LParam);
  FContexts.push_back({&m, Origin});
  Deliver(h->Control, m);
  FContexts.pop_back();
}

void TMessagePump::SetFocusWnd(QWidget *Widget)
{
  if (FocusWnd.data() == Widget)
    return;
  QPointer<QWidget> old = FocusWnd;
  QPointer<QWidget> now = Widget;
  FocusWnd = Widget;
  if (old) {
    if (TControlHandle *h = HandleOf(old)) {
      TMessage m(WM_KILLFOCUS, WPARAM(Widget), 0);
      Deliver(h->Control, m);
    }
  }
  if (now && FocusWnd == now) {
    if (TControlHandle *h = HandleOf(now)) {
      FSettingFocus = true;
      now->setFocus(Qt::OtherFocusReason);
      FSettingFocus = false;
      TMessage m(WM_SETFOCUS, WPARAM(old.data()), 0);
      Deliver(h->Control, m);
    }
  }
}

void TMessagePump::ControlDestroyed(TControl *Control)
{
  if (MouseControl == Control)
    MouseControl = nullptr;
  if (CaptureControl == Control)
    CaptureControl = nullptr;
}

void TMessagePump::UpdateMouseControl(TControl *Control)
{
  if (Control == MouseControl)
    return;
  TControl *old = MouseControl;
  MouseControl = Control;
  if (!Control && Application)
    Application->CancelHint();
  if (old)
    old->Perform(CM_MOUSELEAVE, 0, LPARAM(old));
  if (Control && MouseControl == Control)
    Control->Perform(CM_MOUSEENTER, 0, LPARAM(Control));
}

bool TMessagePump::eventFilter(QObject *Object, QEvent *Event)
{
  if (!Object->isWidgetType())
    return false;
  QWidget *w = static_cast<QWidget *>(Object);
  const QEvent::Type type = Event->type();
  if (ReplayDepth > 0) {
    if (w == FReplayTarget)
      return false;
    if (IsInputEvent(type)) {
      Event->accept();
      return true;
    }
  }
  TControlHandle *h = HandleOf(w);
  if (!h || !h->Widget)
    return false;

  if (type == QEvent::ChildAdded && h->Native) {
    // Parts a native widget makes later (the edit of a combo box) belong to its control too.
    auto *ce = static_cast<QChildEvent *>(Event);
    if (ce->child()->isWidgetType()) {
      auto *child = static_cast<QWidget *>(ce->child());
      if (!child->isWindow() && !HandleOf(child)) {
        Register(child, h);
        child->setMouseTracking(true);
        child->setFocusPolicy(Qt::NoFocus);
      }
    }
    return false;
  }

  switch (type) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
    return HandleMouse(w, h, Event);
  case QEvent::Wheel:
    return HandleWheel(w, h, Event);
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
    return HandleKey(w, h, Event);
  case QEvent::ShortcutOverride:
    // Keys belong to the controls, not to Qt shortcuts.
    Event->accept();
    return true;
  case QEvent::ContextMenu:
    // WM_CONTEXTMENU comes from the right button's release.
    Event->accept();
    return true;
  case QEvent::FocusIn:
    if (!FSettingFocus && !Offscreen() && h->Widget && FocusWnd != h->Widget) {
      QPointer<QWidget> hw = h->Widget.data();
      QTimer::singleShot(0, this, [this, hw]() { if (hw && FocusWnd != hw) SetFocusWnd(hw); });
    }
    return false;
  case QEvent::Leave:
    if (MouseControl && w == h->Widget) {
      TControl *mc = MouseControl;
      if (mc == h->Control || mc->Parent() == h->Control)
        UpdateMouseControl(nullptr);
    }
    return false;
  case QEvent::Close:
    if (w == h->Widget && w->isWindow()) {
      Event->ignore();
      TMessage m(WM_CLOSE, 0, 0);
      Deliver(h->Control, m);
      return true;
    }
    return false;
  case QEvent::WindowActivate:
    if (!Offscreen() && w == h->Widget) {
      TMessage m(WM_ACTIVATE, WA_ACTIVE, 0);
      Deliver(h->Control, m);
    }
    return false;
  case QEvent::Move:
    if (w == h->Widget && w->isWindow()) {
      // A window moved from outside (the user): the control's position follows.
      TWinControl *c = h->Control;
      const TPoint o = c->ClientOrigin();
      const QPoint p = w->geometry().topLeft();
      const int dx = p.x() + h->NCLeft() - o.X, dy = p.y() + h->NCTop() - o.Y;
      if (dx != 0 || dy != 0)
        c->UpdateBoundsRect(Bounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height()));
    }
    return false;
  case QEvent::Resize:
    if (w == h->Widget && !h->Native && w->isWindow()) {
      // A window resized from outside (the user): the control follows.
      TWinControl *c = h->Control;
      const QSize s = w->size();
      TRect cr = c->ClientRect();
      if (s.width() != cr.Width() + h->NCLeft() + h->NCRight() || s.height() != cr.Height() + h->NCTop() + h->NCBottom()) {
        SafeCall(c, [&]() { c->SetClientSize(s.width() - h->NCLeft() - h->NCRight(), s.height() - h->NCTop() - h->NCBottom()); });
      }
    }
    return false;
  default:
    return false;
  }
}

bool TMessagePump::HandleMouse(QWidget *w, TControlHandle *h, QEvent *Event)
{
  auto *me = static_cast<QMouseEvent *>(Event);
  Event->accept();
  Modifiers = me->modifiers();
  Buttons = me->buttons();
  const QPoint gp = me->globalPosition().toPoint();
  CursorPos = TPoint(gp.x(), gp.y());
  CursorWidget = w;
  if (InputBlocked(h->Control))
    return true;

  const bool press = Event->type() == QEvent::MouseButtonPress || Event->type() == QEvent::MouseButtonDblClick;
  // A capture lives only while a button is held: one still set when a button goes down with
  // no other held lost its release somewhere else (a popup that took the pointer).
  if (press && CaptureWnd && (me->buttons() & ~me->button()) == Qt::NoButton) {
    ReleaseCapture();
    CaptureControl = nullptr;
  }

  // The window that receives the message: the capture window, else the one under the mouse.
  TControlHandle *target = h;
  if (CaptureWnd && CaptureWnd != h->Widget) {
    if (TControlHandle *ch = HandleOf(CaptureWnd))
      target = ch;
  }
  QPointer<QWidget> tw = target->Widget.data();
  const QPoint lp = tw->mapFromGlobal(gp);
  const TPoint client(lp.x() - target->NCLeft(), lp.y() - target->NCTop());

  uint32_t msg = 0;
  const Qt::MouseButton button = me->button();
  auto downMsg = [&](bool dbl) -> uint32_t {
    switch (button) {
    case Qt::LeftButton: return dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
    case Qt::RightButton: return dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
    case Qt::MiddleButton: return dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN;
    default: return 0;
    }
  };
  switch (Event->type()) {
  case QEvent::MouseMove:
    msg = WM_MOUSEMOVE;
    break;
  case QEvent::MouseButtonPress: {
    const uint64_t t = me->timestamp();
    const int dist = std::abs(CursorPos.X - FLastPressPos.X) + std::abs(CursorPos.Y - FLastPressPos.Y);
    const bool dbl = FLastPressButton == int(button) && !FLastPressWasDouble && t >= FLastPressTime &&
                     t - FLastPressTime <= uint64_t(GetDoubleClickTime()) && dist <= 4 && t != 0;
    msg = downMsg(dbl);
    FLastPressButton = int(button);
    FLastPressTime = t;
    FLastPressPos = CursorPos;
    FLastPressWasDouble = dbl;
    FSwallowDblClick = dbl;
    break;
  }
  case QEvent::MouseButtonDblClick:
    if (FSwallowDblClick) {
      FSwallowDblClick = false;
      return true;
    }
    msg = downMsg(true);
    FLastPressButton = int(button);
    FLastPressTime = me->timestamp();
    FLastPressPos = CursorPos;
    FLastPressWasDouble = true;
    break;
  case QEvent::MouseButtonRelease:
    switch (button) {
    case Qt::LeftButton: msg = WM_LBUTTONUP; break;
    case Qt::RightButton: msg = WM_RBUTTONUP; break;
    case Qt::MiddleButton: msg = WM_MBUTTONUP; break;
    default: break;
    }
    break;
  default:
    break;
  }
  if (!msg)
    return true;

  if (msg != WM_MOUSEMOVE && msg != WM_LBUTTONUP && msg != WM_RBUTTONUP && msg != WM_MBUTTONUP && Application)
    Application->CancelHint();

  // Enter and leave follow the control under the mouse.
  if (!CaptureWnd) {
    TWinControl *wc = target->Control;
    TControl *under = wc->ControlAtPos(client, false, false);
    UpdateMouseControl(under ? under : wc);
    if (!tw)
      return true;
    // WM_SETCURSOR before the mouse message, as long as the mouse is not captured.
    TMessage sc(WM_SETCURSOR, WPARAM(tw.data()), MakeLParam(HTCLIENT, int(msg)));
    if (TControlHandle *th = HandleOf(tw))
      Deliver(th->Control, sc);
    if (!tw)
      return true;
  }
  TControlHandle *th = HandleOf(tw);
  if (!th)
    return true;
  TMessage m(msg, MouseKeys(Buttons, Modifiers), PointToLParam(client));
  FContexts.push_back({&m, w});
  Deliver(th->Control, m);
  FContexts.pop_back();
  // A native popup opened by the press (a combo box's list) has taken the pointer: the
  // release goes to it, so the capture ends here, as when another window takes it.
  if (press && CaptureWnd && NativePopupActive()) {
    ReleaseCapture();
    CaptureControl = nullptr;
  }
  if (AtLoopLevel())
    FlushPosted();
  return true;
}

bool TMessagePump::NativePopupActive() const
{
  QWidget *popup = QApplication::activePopupWidget();
  return popup && !HandleOf(popup);
}

bool TMessagePump::HandleWheel(QWidget *w, TControlHandle *h, QEvent *Event)
{
  auto *we = static_cast<QWheelEvent *>(Event);
  Event->accept();
  Modifiers = we->modifiers();
  Buttons = we->buttons();
  const QPoint gp = we->globalPosition().toPoint();
  CursorPos = TPoint(gp.x(), gp.y());
  if (InputBlocked(h->Control))
    return true;
  const int delta = we->angleDelta().y();
  if (delta == 0)
    return true;
  if (Application)
    Application->CancelHint();
  TMessage m(WM_MOUSEWHEEL, MakeWParam(int(MouseKeys(Buttons, Modifiers)), delta), MakeLParam(gp.x(), gp.y()));
  FContexts.push_back({&m, w});
  Deliver(h->Control, m);
  FContexts.pop_back();
  if (AtLoopLevel())
    FlushPosted();
  return true;
}

bool TMessagePump::HandleKey(QWidget *w, TControlHandle *h, QEvent *Event)
{
  auto *ke = static_cast<QKeyEvent *>(Event);
  Modifiers = ke->modifiers();
  const uint16_t vk = QtKeyToVK(ke->key(), ke->modifiers());
  if (vk == 0) {
    // A key the platform has no code for: its text still arrives as a character.
    if (Event->type() == QEvent::KeyPress && !ke->text().isEmpty() && ke->text().at(0).isPrint()) {
      Event->accept();
      Post(h->Widget, WM_CHAR, ke->text().at(0).unicode(), 1, w);
      if (AtLoopLevel())
        FlushPosted();
      return true;
    }
    return false;
  }
  Event->accept();
  if (InputBlocked(h->Control))
    return true;
  const bool alt = ke->modifiers() & Qt::AltModifier;
  const bool ctrl = ke->modifiers() & Qt::ControlModifier;
  const bool sys = (alt && !ctrl) || vk == VK_F10;
  int32_t keyData = 1;
  switch (vk) {
  case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END: case VK_PRIOR:
  case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_DIVIDE:
    keyData |= 1 << 24;
    break;
  default: break;
  }
  if (alt)
    keyData |= 1 << 29;
  uint32_t msg;
  QChar ch;
  if (Event->type() == QEvent::KeyPress) {
    if (ke->isAutoRepeat())
      keyData |= 1 << 30;
    FKeysDown[vk] = true;
    msg = sys ? WM_SYSKEYDOWN : WM_KEYDOWN;
    ch = KeyEventChar(ke->key(), ke->modifiers(), ke->text());
    // Alt with a letter or digit still makes its character (WM_SYSCHAR, for accelerators).
    if (sys && ch.isNull() && ke->key() >= Qt::Key_A && ke->key() <= Qt::Key_Z)
      ch = QChar(ke->modifiers() & Qt::ShiftModifier ? 'A' + (ke->key() - Qt::Key_A) : 'a' + (ke->key() - Qt::Key_A));
    else if (sys && ch.isNull() && ke->key() >= Qt::Key_0 && ke->key() <= Qt::Key_9)
      ch = QChar('0' + (ke->key() - Qt::Key_0));
  } else {
    keyData |= int32_t(0xC0000000u);
    FKeysDown[vk] = false;
    msg = sys ? WM_SYSKEYUP : WM_KEYUP;
  }
  DeliverKey(h->Widget, msg, vk, keyData, ch, w);
  if (AtLoopLevel())
    FlushPosted();
  return true;
}
