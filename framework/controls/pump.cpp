// The message pipeline: Qt events to messages, the posted queue, focus, capture, keyboard
// state, timers and the window functions.
#include "framework/controls/pump.h"

#include <QApplication>
#include <QChildEvent>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QStyleHints>
#include <QWheelEvent>

#include <cstdlib>

#include "framework/controls/classiclook.h"
#include "framework/controls/forms.h"

// ---------------------------------------------------------------------------------------------
// Keyboard state

TShiftState ModifiersToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
  TShiftState s;
  if (Modifiers & Qt::ShiftModifier) s += ssShift;
  if (Modifiers & Qt::AltModifier) s += ssAlt;
  if (Modifiers & Qt::ControlModifier) s += ssCtrl;
  if (Buttons & Qt::LeftButton) s += ssLeft;
  if (Buttons & Qt::RightButton) s += ssRight;
  if (Buttons & Qt::MiddleButton) s += ssMiddle;
  return s;
}

Qt::KeyboardModifiers ShiftStateToModifiers(TShiftState Shift)
{
  Qt::KeyboardModifiers m;
  if (Shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (Shift.Contains(ssAlt)) m |= Qt::AltModifier;
  if (Shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  return m;
}

TShiftState KeyboardStateToShiftState()
{
  auto &p = TMessagePump::Instance();
  return ModifiersToShiftState(p.Modifiers, p.Buttons);
}

TShiftState KeyDataToShiftState(int32_t KeyData)
{
  auto &p = TMessagePump::Instance();
  TShiftState s;
  if (p.Modifiers & Qt::ShiftModifier) s += ssShift;
  if (p.Modifiers & Qt::ControlModifier) s += ssCtrl;
  if (KeyData & 0x20000000) s += ssAlt;
  return s;
}

TShiftState KeysToShiftState(uint32_t Keys)
{
  TShiftState s;
  if (Keys & MK_SHIFT) s += ssShift;
  if (Keys & MK_CONTROL) s += ssCtrl;
  if (Keys & MK_LBUTTON) s += ssLeft;
  if (Keys & MK_RBUTTON) s += ssRight;
  if (Keys & MK_MBUTTON) s += ssMiddle;
  if (TMessagePump::Instance().Modifiers & Qt::AltModifier) s += ssAlt;
  return s;
}

int16_t GetKeyState(int VirtKey)
{
  auto &p = TMessagePump::Instance();
  bool down = false;
  switch (VirtKey) {
  case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: down = p.Modifiers & Qt::ShiftModifier; break;
  case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: down = p.Modifiers & Qt::ControlModifier; break;
  case VK_MENU: case VK_LMENU: case VK_RMENU: down = p.Modifiers & Qt::AltModifier; break;
  case VK_LBUTTON: down = p.Buttons & Qt::LeftButton; break;
  case VK_RBUTTON: down = p.Buttons & Qt::RightButton; break;
  case VK_MBUTTON: down = p.Buttons & Qt::MiddleButton; break;
  default: {
    auto it = p.KeysDown.find(VirtKey);
    down = it != p.KeysDown.end() && it->second;
  }
  }
  return down ? int16_t(0x8000) : 0;
}

int16_t GetAsyncKeyState(int VirtKey) { return GetKeyState(VirtKey); }

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
// Key codes

uint16_t QtKeyToVK(int Key, Qt::KeyboardModifiers Modifiers)
{
  const bool keypad = Modifiers & Qt::KeypadModifier;
  if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
    return uint16_t('A' + (Key - Qt::Key_A));
  if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
    return keypad ? uint16_t(VK_NUMPAD0 + (Key - Qt::Key_0)) : uint16_t('0' + (Key - Qt::Key_0));
  if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24)
    return uint16_t(VK_F1 + (Key - Qt::Key_F1));
  switch (Key) {
  case Qt::Key_Backspace: return VK_BACK;
  case Qt::Key_Tab: case Qt::Key_Backtab: return VK_TAB;
  case Qt::Key_Clear: return VK_CLEAR;
  case Qt::Key_Return: case Qt::Key_Enter: return VK_RETURN;
  case Qt::Key_Shift: return VK_SHIFT;
  case Qt::Key_Control: return VK_CONTROL;
  case Qt::Key_Alt: return VK_MENU;
  case Qt::Key_Pause: return VK_PAUSE;
  case Qt::Key_CapsLock: return VK_CAPITAL;
  case Qt::Key_Escape: return VK_ESCAPE;
  case Qt::Key_Space: return VK_SPACE;
  case Qt::Key_PageUp: return VK_PRIOR;
  case Qt::Key_PageDown: return VK_NEXT;
  case Qt::Key_End: return VK_END;
  case Qt::Key_Home: return VK_HOME;
  case Qt::Key_Left: return VK_LEFT;
  case Qt::Key_Up: return VK_UP;
  case Qt::Key_Right: return VK_RIGHT;
  case Qt::Key_Down: return VK_DOWN;
  case Qt::Key_Select: return VK_SELECT;
  case Qt::Key_Print: return VK_SNAPSHOT;
  case Qt::Key_Execute: return VK_EXECUTE;
  case Qt::Key_Insert: return VK_INSERT;
  case Qt::Key_Delete: return VK_DELETE;
  case Qt::Key_Help: return VK_HELP;
  case Qt::Key_Meta: return VK_LWIN;
  case Qt::Key_Menu: return VK_APPS;
  case Qt::Key_NumLock: return VK_NUMLOCK;
  case Qt::Key_ScrollLock: return VK_SCROLL;
  case Qt::Key_Asterisk: return keypad ? uint16_t(VK_MULTIPLY) : uint16_t('8');
  case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
  case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
  case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
  case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
  case Qt::Key_Comma: return VK_OEM_COMMA;
  case Qt::Key_Semicolon: case Qt::Key_Colon: return VK_OEM_1;
  case Qt::Key_Equal: return VK_OEM_PLUS;
  case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return VK_OEM_3;
  case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return VK_OEM_4;
  case Qt::Key_Backslash: case Qt::Key_Bar: return VK_OEM_5;
  case Qt::Key_BracketRight: case Qt::Key_BraceRight: return VK_OEM_6;
  case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return VK_OEM_7;
  case Qt::Key_Question: return VK_OEM_2;
  case Qt::Key_Underscore: return VK_OEM_MINUS;
  case Qt::Key_Less: return VK_OEM_COMMA;
  case Qt::Key_Greater: return VK_OEM_PERIOD;
  case Qt::Key_Exclam: return '1';
  case Qt::Key_At: return '2';
  case Qt::Key_NumberSign: return '3';
  case Qt::Key_Dollar: return '4';
  case Qt::Key_Percent: return '5';
  case Qt::Key_AsciiCircum: return '6';
  case Qt::Key_Ampersand: return '7';
  case Qt::Key_ParenLeft: return '9';
  case Qt::Key_ParenRight: return '0';
  default: break;
  }
  return 0;
}

int VKToQtKey(uint16_t VK)
{
  if (VK >= 'A' && VK <= 'Z')
    return Qt::Key_A + (VK - 'A');
  if (VK >= '0' && VK <= '9')
    return Qt::Key_0 + (VK - '0');
  if (VK >= VK_NUMPAD0 && VK <= VK_NUMPAD9)
    return Qt::Key_0 + (VK - VK_NUMPAD0);
  if (VK >= VK_F1 && VK <= VK_F1 + 23)
    return Qt::Key_F1 + (VK - VK_F1);
  switch (VK) {
  case VK_BACK: return Qt::Key_Backspace;
  case VK_TAB: return Qt::Key_Tab;
  case VK_CLEAR: return Qt::Key_Clear;
  case VK_RETURN: return Qt::Key_Return;
  case VK_SHIFT: return Qt::Key_Shift;
  case VK_CONTROL: return Qt::Key_Control;
  case VK_MENU: return Qt::Key_Alt;
  case VK_PAUSE: return Qt::Key_Pause;
  case VK_CAPITAL: return Qt::Key_CapsLock;
  case VK_ESCAPE: return Qt::Key_Escape;
  case VK_SPACE: return Qt::Key_Space;
  case VK_PRIOR: return Qt::Key_PageUp;
  case VK_NEXT: return Qt::Key_PageDown;
  case VK_END: return Qt::Key_End;
  case VK_HOME: return Qt::Key_Home;
  case VK_LEFT: return Qt::Key_Left;
  case VK_UP: return Qt::Key_Up;
  case VK_RIGHT: return Qt::Key_Right;
  case VK_DOWN: return Qt::Key_Down;
  case VK_INSERT: return Qt::Key_Insert;
  case VK_DELETE: return Qt::Key_Delete;
  case VK_HELP: return Qt::Key_Help;
  case VK_APPS: return Qt::Key_Menu;
  case VK_MULTIPLY: return Qt::Key_Asterisk;
  case VK_ADD: return Qt::Key_Plus;
  case VK_SUBTRACT: return Qt::Key_Minus;
  case VK_DECIMAL: return Qt::Key_Period;
  case VK_DIVIDE: return Qt::Key_Slash;
  case VK_OEM_PLUS: return Qt::Key_Equal;
  case VK_OEM_MINUS: return Qt::Key_Minus;
  case VK_OEM_COMMA: return Qt::Key_Comma;
  case VK_OEM_PERIOD: return Qt::Key_Period;
  case VK_OEM_1: return Qt::Key_Semicolon;
  case VK_OEM_2: return Qt::Key_Slash;
  case VK_OEM_3: return Qt::Key_QuoteLeft;
  case VK_OEM_4: return Qt::Key_BracketLeft;
  case VK_OEM_5: return Qt::Key_Backslash;
  case VK_OEM_6: return Qt::Key_BracketRight;
  case VK_OEM_7: return Qt::Key_Apostrophe;
  default: return 0;
  }
}

// The character a key press produces, as the platform translates it: Ctrl+letter gives the
// control character, Enter #13, Esc #27, Backspace #8, Tab #9; no character otherwise.
QChar KeyEventChar(int Key, Qt::KeyboardModifiers Modifiers, const QString &Text)
{
  const bool ctrl = Modifiers & Qt::ControlModifier;
  const bool alt = Modifiers & Qt::AltModifier;
  switch (Key) {
  case Qt::Key_Return: case Qt::Key_Enter: return ctrl ? QChar(10) : QChar(13);
  case Qt::Key_Escape: return QChar(27);
  case Qt::Key_Backspace: return ctrl ? QChar(127) : QChar(8);
  case Qt::Key_Tab: case Qt::Key_Backtab: return ctrl ? QChar() : QChar(9);
  case Qt::Key_Delete: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
  case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
  case Qt::Key_Insert:
    return QChar();
  default: break;
  }
  if (ctrl && !alt) {
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
      return QChar(1 + (Key - Qt::Key_A));
    return QChar();
  }
  if (!Text.isEmpty() && (Text.at(0).isPrint() || Text.at(0).unicode() >= 0xA0))
    return Text.at(0);
  return QChar();
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

TMessagePump::TMessagePump()
{

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
    Control->WndProc(Message);
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
  Queue.push_back(m);
  if (!FlushScheduled) {
    FlushScheduled = true;
    QCoreApplication::postEvent(this, new QEvent(FlushEventType));
  }
}

bool TMessagePump::event(QEvent *Event)
{
  if (Event->type() == FlushEventType) {
    FlushScheduled = false;
    FlushPosted();
    return true;
  }
  return QObject::event(Event);
}

void TMessagePump::FlushPosted()
{
  while (!Queue.empty()) {
    TPostedMessage m = Queue.front();
    Queue.pop_front();
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
    Contexts.push_back({&msg, m.Origin ? m.Origin.data() : m.Target.data()});
    Deliver(h->Control, msg);
    Contexts.pop_back();
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
  Contexts.push_back({&m, Origin});
  Deliver(h->Control, m);
  Contexts.pop_back();
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
      SettingFocus = true;
      now->setFocus(Qt::OtherFocusReason);
      SettingFocus = false;
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
    if (w == ReplayTarget)
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
    if (!SettingFocus && !Offscreen() && h->Widget && FocusWnd != h->Widget) {
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
  if (w != tw && target == h) {
    // From a child widget of a native control: its coordinates were mapped above.
  }

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
    const int dist = std::abs(CursorPos.X - LastPressPos.X) + std::abs(CursorPos.Y - LastPressPos.Y);
    const bool dbl = LastPressButton == int(button) && !LastPressWasDouble && t >= LastPressTime &&
                     t - LastPressTime <= uint64_t(GetDoubleClickTime()) && dist <= 4 && t != 0;
    msg = downMsg(dbl);
    LastPressButton = int(button);
    LastPressTime = t;
    LastPressPos = CursorPos;
    LastPressWasDouble = dbl;
    SwallowDblClick = dbl;
    break;
  }
  case QEvent::MouseButtonDblClick:
    if (SwallowDblClick) {
      SwallowDblClick = false;
      return true;
    }
    msg = downMsg(true);
    LastPressButton = int(button);
    LastPressTime = me->timestamp();
    LastPressPos = CursorPos;
    LastPressWasDouble = true;
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
  Contexts.push_back({&m, w});
  Deliver(th->Control, m);
  Contexts.pop_back();
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
  Contexts.push_back({&m, w});
  Deliver(h->Control, m);
  Contexts.pop_back();
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
    KeysDown[vk] = true;
    msg = sys ? WM_SYSKEYDOWN : WM_KEYDOWN;
    ch = KeyEventChar(ke->key(), ke->modifiers(), ke->text());
    // Alt with a letter or digit still makes its character (WM_SYSCHAR, for accelerators).
    if (sys && ch.isNull() && ke->key() >= Qt::Key_A && ke->key() <= Qt::Key_Z)
      ch = QChar(ke->modifiers() & Qt::ShiftModifier ? 'A' + (ke->key() - Qt::Key_A) : 'a' + (ke->key() - Qt::Key_A));
    else if (sys && ch.isNull() && ke->key() >= Qt::Key_0 && ke->key() <= Qt::Key_9)
      ch = QChar('0' + (ke->key() - Qt::Key_0));
  } else {
    keyData |= int32_t(0xC0000000u);
    KeysDown[vk] = false;
    msg = sys ? WM_SYSKEYUP : WM_KEYUP;
  }
  DeliverKey(h->Widget, msg, vk, keyData, ch, w);
  if (AtLoopLevel())
    FlushPosted();
  return true;
}

// ---------------------------------------------------------------------------------------------
// The window object

TControlWidget::TControlWidget(TControlHandle *AHandle, QWidget *Parent, Qt::WindowFlags Flags)
    : QWidget(Parent, Flags), Handle(AHandle)
{
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

void TControlWidget::paintEvent(QPaintEvent *Event)
{
  if (!Handle)
    return;
  QPointer<QWidget> self = this;
  Handle->PaintPendingNow();
  // A paint handler may have destroyed the window.
  if (!self || !Handle)
    return;
  // Rectangle by rectangle: clipped to one rectangle the copy is a plain blit, where the whole
  // region (a window less its child windows) goes the general way, on threads Qt starts for it.
  QPainter p(this);
  for (const QRect &r : Event->region()) {
    p.setClipRect(r);
    p.drawImage(r.topLeft(), Handle->Image, r);
  }
}

TControlHandle::~TControlHandle() = default;

int TControlHandle::EdgeSize() const
{
  if (IsForm)
    return 0;
  if (ExStyle & WS_EX_CLIENTEDGE)
    return 2;
  if ((ExStyle & WS_EX_STATICEDGE) || (Style & WS_BORDER))
    return 1;
  return 0;
}

bool TControlHandle::BarVisible(int Bar) const
{
  return Bars[Bar].Shown;
}

int TControlHandle::NCLeft() const { return EdgeSize() + Control->BorderWidth(); }
int TControlHandle::NCTop() const { return EdgeSize() + Control->BorderWidth(); }
int TControlHandle::NCRight() const
{
  return EdgeSize() + Control->BorderWidth() + (BarVisible(SB_VERT) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
}
int TControlHandle::NCBottom() const
{
  return EdgeSize() + Control->BorderWidth() + (BarVisible(SB_HORZ) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
}

void TControlHandle::EnsureImage()
{
  if (Native)
    return;
  int w = Control->Width();
  int hgt = Control->Height();
  if (auto *f = dynamic_cast<TCustomForm *>(Control)) {
    w = f->ClientWidth();
    hgt = f->ClientHeight();
  }
  w = std::max(w, 1);
  hgt = std::max(hgt, 1);
  if (Image.width() != w || Image.height() != hgt) {
    QImage img(w, hgt, QImage::Format_RGB32);
    ++ImageAllocations;
    img.fill(ColorToQColor(Control->Color()));
    if (!Image.isNull()) {
      QPainter p(&img);
      p.drawImage(0, 0, Image);
    }
    Image.swap(img);
    PaintPending = true;
    ErasePending = true;
    FramePending = true;
  }
}

QImage *TControlHandle::DrawingImage()
{
  if (Image.isNull()) {
    static QImage scratch(1, 1, QImage::Format_RGB32);
    return &scratch;
  }
  EnsureImage();
  return &Image;
}

void TControlHandle::ScheduleUpdate()
{
  if (Widget && Redraw)
    Widget->update();
}

void TControlHandle::DrawFrame()
{
  const int e = EdgeSize();
  const int bw = Control->BorderWidth();
  QPainter p(&Image);
  const int W = Image.width(), H = Image.height();
  if (bw > 0) {
    const QColor c = ColorToQColor(Control->Color());
    p.fillRect(e, e, W - 2 * e, bw, c);
    p.fillRect(e, H - e - bw, W - 2 * e, bw, c);
    p.fillRect(e, e, bw, H - 2 * e, c);
    p.fillRect(W - e - bw, e, bw, H - 2 * e, c);
  }
  auto hline = [&](int x1, int x2, int y, TColor c) { p.fillRect(x1, y, x2 - x1, 1, ColorToQColor(c)); };
  auto vline = [&](int x, int y1, int y2, TColor c) { p.fillRect(x, y1, 1, y2 - y1, ColorToQColor(c)); };
  if (e == 2) {
    hline(0, W - 1, 0, clBtnShadow);
    vline(0, 0, H - 1, clBtnShadow);
    hline(0, W, H - 1, clBtnHighlight);
    vline(W - 1, 0, H, clBtnHighlight);
    hline(1, W - 2, 1, cl3DDkShadow);
    vline(1, 1, H - 2, cl3DDkShadow);
    hline(1, W - 1, H - 2, cl3DLight);
    vline(W - 2, 1, H - 1, cl3DLight);
  } else if (e == 1) {
    const TColor c = (ExStyle & WS_EX_STATICEDGE) ? clBtnShadow : clWindowFrame;
    hline(0, W, 0, c);
    hline(0, W, H - 1, c);
    vline(0, 0, H, c);
    vline(W - 1, 0, H, c);
  }
  if (BarVisible(SB_HORZ) && BarVisible(SB_VERT)) {
    // The square between the two bars.
    const int sx = W - NCRight() + bw, sy = H - NCBottom() + bw;
    p.fillRect(W - e - bw - GetSystemMetrics(SM_CXVSCROLL), H - e - bw - GetSystemMetrics(SM_CYHSCROLL),
               GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL), ColorToQColor(clBtnFace));
    (void)sx;
    (void)sy;
  }
}

void TControlHandle::PaintPendingNow()
{
  if (Native || Painting || !Redraw)
    return;
  EnsureImage();
  if (!FramePending && !PaintPending && UpdateRgn.isEmpty())
    return;
  QPointer<QWidget> guard = Widget.data();
  ++Painting;
  auto &pump = TMessagePump::Instance();
  if (FramePending) {
    FramePending = false;
    TMessage nc(WM_NCPAINT, 1, 0);
    pump.Deliver(Control, nc);
  }
  if (PaintPending || !UpdateRgn.isEmpty()) {
    // What this paint repaints; an invalidation made while it runs waits for the next one.
    const TRect cr = Control->ClientRect();
    const QRegion client(0, 0, std::max(cr.Width(), 0), std::max(cr.Height(), 0));
    PaintRgn = PaintPending ? client : UpdateRgn & client;
    PaintPending = false;
    UpdateRgn = QRegion();
    if (!PaintRgn.isEmpty()) {
      if (ErasePending) {
        ErasePending = false;
        TMessage er(WM_ERASEBKGND, 0, 0);
        pump.Deliver(Control, er);
      }
      TMessage pm(WM_PAINT, 0, 0);
      pump.Deliver(Control, pm);
    }
  }
  if (guard || !Widget) {
    PaintRgn = QRegion();
    --Painting;
  }
}

void TControlHandle::EnsureStyle()
{
  // Before the window exists the style follows the properties as they change.
  if (StyleKnown && Widget)
    return;
  TCreateParams params;
  Control->CreateParams(params);
  Style = params.Style;
  ExStyle = params.ExStyle;
  StyleKnown = true;
  Bars[SB_HORZ].Shown = Style & WS_HSCROLL;
  Bars[SB_VERT].Shown = Style & WS_VSCROLL;
  for (auto &b : Bars) {
    b.Info.nMin = 0;
    b.Info.nMax = 100;
  }
}

void TControlHandle::LayoutBars()
{
  if (!Widget || Native)
    return;
  const int e = EdgeSize() + Control->BorderWidth();
  const int W = Widget->width(), H = Widget->height();
  const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  for (int bar = 0; bar < 2; ++bar) {
    TBar &b = Bars[bar];
    if (!b.Shown) {
      if (b.Widget)
        b.Widget->hide();
      continue;
    }
    if (!b.Widget) {
      auto *sb = new QScrollBar(bar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, Widget);
      sb->setFocusPolicy(Qt::NoFocus);
      ApplyClassicLook(sb, clScrollBar, nullptr);
      b.Widget = sb;
      QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [this, bar, sb](int action) {
        TBar &tb = Bars[bar];
        if (tb.Updating)
          return;
        int code = -1;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        default: break;
        }
        if (code < 0)
          return;
        const int pos = sb->sliderPosition();
        tb.Info.nTrackPos = pos;
        QPointer<QScrollBar> guard = sb;
        TMessage m(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MakeWParam(code, pos), 0);
        TMessagePump::Instance().Deliver(Control, m);
        if (guard && code != SB_THUMBTRACK) {
          tb.Updating = true;
          guard->setSliderPosition(tb.Info.nPos);
          tb.Updating = false;
        }
      });
      QObject::connect(sb, &QAbstractSlider::sliderReleased, sb, [this, bar, sb]() {
        TBar &tb = Bars[bar];
        const int pos = sb->sliderPosition();
        QPointer<QScrollBar> guard = sb;
        TMessage m(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MakeWParam(SB_THUMBPOSITION, pos), 0);
        TMessagePump::Instance().Deliver(Control, m);
        TMessage end(bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MakeWParam(SB_ENDSCROLL, 0), 0);
        TMessagePump::Instance().Deliver(Control, end);
        if (guard) {
          tb.Updating = true;
          guard->setSliderPosition(tb.Info.nPos);
          tb.Updating = false;
        }
      });
    }
    if (bar == SB_HORZ)
      b.Widget->setGeometry(e, H - e - cy, W - 2 * e - (Bars[SB_VERT].Shown ? cx : 0), cy);
    else
      b.Widget->setGeometry(W - e - cx, e, cx, H - 2 * e - (Bars[SB_HORZ].Shown ? cy : 0));
    UpdateBar(bar);
    b.Widget->show();
  }
}

void TControlHandle::UpdateBar(int Bar)
{
  TBar &b = Bars[Bar];
  if (!b.Widget)
    return;
  b.Updating = true;
  const SCROLLINFO &i = b.Info;
  const int maxPos = i.nPage > 0 ? std::max(i.nMin, i.nMax - int(i.nPage) + 1) : i.nMax;
  b.Widget->setRange(i.nMin, maxPos);
  b.Widget->setPageStep(i.nPage > 0 ? int(i.nPage) : 1);
  b.Widget->setSingleStep(1);
  b.Widget->setValue(i.nPos);
  b.Widget->setEnabled(b.Enabled && Enabled);
  b.Updating = false;
}

// ---------------------------------------------------------------------------------------------
// Window functions

namespace {
TControlHandle *H(HWND Wnd) { return Wnd ? TMessagePump::Instance().HandleOf(Wnd) : nullptr; }
}  // namespace

TWinControl *FindControl(HWND Handle)
{
  TControlHandle *h = H(Handle);
  return h ? h->Control : nullptr;
}

LRESULT SendMessage(HWND Wnd, uint32_t Msg, WPARAM WParam, LPARAM LParam)
{
  TControlHandle *h = H(Wnd);
  if (!h)
    return 0;
  TMessage m(Msg, WParam, LParam);
  return TMessagePump::Instance().Deliver(h->Control, m);
}

bool PostMessage(HWND Wnd, uint32_t Msg, WPARAM WParam, LPARAM LParam)
{
  if (!H(Wnd))
    return false;
  TMessagePump::Instance().Post(Wnd, Msg, WParam, LParam);
  return true;
}

uintptr_t SetTimer(HWND Wnd, uintptr_t IDEvent, uint32_t Elapse, void *)
{
  TControlHandle *h = H(Wnd);
  if (!h)
    return 0;
  auto &t = h->Timers[IDEvent];
  if (!t) {
    t = std::make_unique<QTimer>();
    TControlHandle *handle = h;
    QObject::connect(t.get(), &QTimer::timeout, t.get(), [handle, IDEvent]() {
      TMessage m(WM_TIMER, IDEvent, 0);
      TMessagePump::Instance().Deliver(handle->Control, m);
    });
  }
  t->start(int(std::max<uint32_t>(Elapse, 1)));
  return IDEvent ? IDEvent : 1;
}

bool KillTimer(HWND Wnd, uintptr_t IDEvent)
{
  TControlHandle *h = H(Wnd);
  if (!h)
    return false;
  auto it = h->Timers.find(IDEvent);
  if (it == h->Timers.end())
    return false;
  it->second->stop();
  it->second.release()->deleteLater();
  h->Timers.erase(it);
  return true;
}

HWND GetFocus() { return TMessagePump::Instance().FocusWnd.data(); }

HWND SetFocus(HWND Wnd)
{
  auto &p = TMessagePump::Instance();
  HWND old = p.FocusWnd.data();
  if (Wnd && !H(Wnd))
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
    if (TControlHandle *h = H(old)) {
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
  TControlHandle *h = H(Wnd);
  if (!h)
    return false;
  if (h->Native) {
    h->Widget->update();
    return true;
  }
  if (!Rect) {
    h->PaintPending = true;
  } else {
    const TRect cr = h->Control->ClientRect();
    const TRect r(std::max(Rect->Left, 0), std::max(Rect->Top, 0), std::min(Rect->Right, cr.Width()),
                  std::min(Rect->Bottom, cr.Height()));
    if (r.IsEmpty())
      return true;
    if (!h->PaintPending)
      h->UpdateRgn |= QRect(r.Left, r.Top, r.Width(), r.Height());
  }
  if (Erase)
    h->ErasePending = true;
  h->ScheduleUpdate();
  return true;
}

bool UpdateWindow(HWND Wnd)
{
  TControlHandle *h = H(Wnd);
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
bool IsWindow(HWND Wnd) { return H(Wnd) != nullptr; }

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
  TControlHandle *h = H(Wnd);
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
  TControlHandle *h = H(Wnd);
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
  TControlHandle *h = H(Wnd);
  if (!h || !h->Widget)
    return false;
  const bool was = h->Widget->isVisible();
  if (CmdShow == SW_HIDE)
    h->Widget->hide();
  else
    h->Widget->show();
  return was;
}


int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO &Info, bool Redraw)
{
  TControlHandle *h = H(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return 0;
  h->EnsureStyle();
  auto &b = h->Bars[Bar];
  if (Info.fMask & SIF_RANGE) {
    b.Info.nMin = Info.nMin;
    b.Info.nMax = Info.nMax;
  }
  if (Info.fMask & SIF_PAGE)
    b.Info.nPage = Info.nPage;
  if (Info.fMask & SIF_POS)
    b.Info.nPos = Info.nPos;
  // Page and position stay inside the range, as the platform keeps them.
  const int span = b.Info.nMax - b.Info.nMin + 1;
  if (int(b.Info.nPage) > span)
    b.Info.nPage = uint32_t(std::max(span, 0));
  const int maxPos = b.Info.nMax - std::max(int(b.Info.nPage) - 1, 0);
  if (b.Info.nPos > maxPos)
    b.Info.nPos = maxPos;
  if (b.Info.nPos < b.Info.nMin)
    b.Info.nPos = b.Info.nMin;
  if (Info.fMask & SIF_RANGE || Info.fMask & SIF_PAGE) {
    const bool scrollable = b.Info.nPage > 0 ? span > int(b.Info.nPage) : b.Info.nMax > b.Info.nMin;
    const bool show = scrollable || (Info.fMask & SIF_DISABLENOSCROLL);
    b.Enabled = scrollable;
    if (show != b.Shown) {
      b.Shown = show;
      h->FramePending = true;
      h->LayoutBars();
      h->Control->Realign();
      TMessage m(WM_SIZE, SIZE_RESTORED, MakeLParam(h->Control->ClientWidth(), h->Control->ClientHeight()));
      TMessagePump::Instance().Deliver(h->Control, m);
      h->Control->Invalidate();
    }
  }
  h->UpdateBar(Bar);
  (void)Redraw;
  return b.Info.nPos;
}

bool GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO &Info)
{
  TControlHandle *h = H(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return false;
  h->EnsureStyle();
  const auto &b = h->Bars[Bar].Info;
  if (Info.fMask & SIF_RANGE) {
    Info.nMin = b.nMin;
    Info.nMax = b.nMax;
  }
  if (Info.fMask & SIF_PAGE)
    Info.nPage = b.nPage;
  if (Info.fMask & SIF_POS)
    Info.nPos = b.nPos;
  if (Info.fMask & SIF_TRACKPOS)
    Info.nTrackPos = b.nTrackPos;
  return true;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, bool Redraw)
{
  TControlHandle *h = H(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return 0;
  const int old = h->Bars[Bar].Info.nPos;
  SCROLLINFO i;
  i.fMask = SIF_POS;
  i.nPos = Pos;
  SetScrollInfo(Wnd, Bar, i, Redraw);
  return old;
}

int GetScrollPos(HWND Wnd, int Bar)
{
  TControlHandle *h = H(Wnd);
  if (!h || Bar < 0 || Bar > 1)
    return 0;
  return h->Bars[Bar].Info.nPos;
}

bool SetScrollRange(HWND Wnd, int Bar, int MinPos, int MaxPos, bool Redraw)
{
  SCROLLINFO i;
  i.fMask = SIF_RANGE;
  i.nMin = MinPos;
  i.nMax = MaxPos;
  return SetScrollInfo(Wnd, Bar, i, Redraw) >= 0 && H(Wnd);
}

bool GetScrollRange(HWND Wnd, int Bar, int &MinPos, int &MaxPos)
{
  SCROLLINFO i;
  i.fMask = SIF_RANGE;
  if (!GetScrollInfo(Wnd, Bar, i))
    return false;
  MinPos = i.nMin;
  MaxPos = i.nMax;
  return true;
}

bool ShowScrollBar(HWND Wnd, int Bar, bool Show)
{
  TControlHandle *h = H(Wnd);
  if (!h)
    return false;
  h->EnsureStyle();
  bool changed = false;
  for (int b = 0; b < 2; ++b) {
    if (Bar == b || Bar == SB_BOTH) {
      if (h->Bars[b].Shown != Show) {
        h->Bars[b].Shown = Show;
        changed = true;
      }
    }
  }
  if (changed) {
    h->FramePending = true;
    h->LayoutBars();
    h->Control->Realign();
    TMessage m(WM_SIZE, SIZE_RESTORED, MakeLParam(h->Control->ClientWidth(), h->Control->ClientHeight()));
    TMessagePump::Instance().Deliver(h->Control, m);
    h->Control->Invalidate();
  }
  return true;
}

bool EnableScrollBar(HWND Wnd, int Bar, uint32_t Arrows)
{
  TControlHandle *h = H(Wnd);
  if (!h)
    return false;
  for (int b = 0; b < 2; ++b)
    if (Bar == b || Bar == SB_BOTH) {
      h->Bars[b].Enabled = Arrows != ESB_DISABLE_BOTH;
      h->UpdateBar(b);
    }
  return true;
}

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
