#include "framework/testing/input.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QThread>
#include <QWheelEvent>

#include <algorithm>
#include <deque>
#include <map>

#include "framework/controls/forms.h"
#include "framework/controls/pump.h"
#include "framework/system/clock.h"

namespace {
uint64_t Clock = 1000000;
QPointer<QWidget> PressWidget;
Qt::MouseButtons Held;

// A key held down: the window its press went to and the focus at that moment.
struct THeldKey {
  QPointer<QWidget> Target;
  QPointer<QWidget> Focus;
};
std::map<uint16_t, THeldKey> HeldKeys;

// A native popup (a combo box's list) holds the pointer and keyboard grab while it is open.
QWidget *GrabbingPopup()
{
  return TMessagePump::Instance().NativePopupActive() ? QApplication::activePopupWidget() : nullptr;
}

Qt::MouseButton QtButton(TMouseButton b)
{
  switch (b) {
  case mbRight: return Qt::RightButton;
  case mbMiddle: return Qt::MiddleButton;
  default: return Qt::LeftButton;
  }
}

// The window of a control and the point in that window's coordinates.
QWidget *WindowOf(TControl *Control, int X, int Y, QPoint &Local)
{
  TWinControl *w = dynamic_cast<TWinControl *>(Control);
  int x = X, y = Y;
  if (!w) {
    w = Control->Parent();
    if (!w)
      return nullptr;
    x += Control->Left();
    y += Control->Top();
  }
  QWidget *widget = w->Handle();
  TControlHandle *h = TMessagePump::Instance().HandleOf(widget);
  Local = QPoint(x + (h ? h->NCLeft() : 0), y + (h ? h->NCTop() : 0));
  return widget;
}

QWidget *TargetAt(QWidget *Window, QPoint &Local)
{
  QWidget *child = Window->childAt(Local);
  if (!child)
    return Window;
  Local = child->mapFrom(Window, Local);
  return child;
}

void SendMouse(QEvent::Type Type, QWidget *Target, QPoint Local, Qt::MouseButton Button, Qt::MouseButtons Buttons,
               Qt::KeyboardModifiers Mods)
{
  const QPoint global = Target->mapToGlobal(Local);
  QMouseEvent ev(Type, QPointF(Local), QPointF(global), Button, Buttons, Mods);
  ev.setTimestamp(Clock);
  QApplication::sendEvent(Target, &ev);
}

void Mouse(QEvent::Type Type, TControl *Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
  QPoint local;
  QWidget *window = WindowOf(Control, X, Y, local);
  if (!window)
    return;
  QWidget *target;
  const QPoint global = window->mapToGlobal(local);
  if (QWidget *popup = GrabbingPopup()) {
    local = popup->mapFromGlobal(global);
    target = TargetAt(popup, local);
  } else if (PressWidget && Held != Qt::NoButton && Type != QEvent::MouseButtonPress) {
    // The window that got the press keeps the mouse until the last button is up.
    target = PressWidget;
    local = target->mapFromGlobal(global);
  } else {
    target = TargetAt(window, local);
  }
  const Qt::MouseButton b = Type == QEvent::MouseMove ? Qt::NoButton : QtButton(Button);
  if (Type == QEvent::MouseButtonPress || Type == QEvent::MouseButtonDblClick) {
    Held |= b;
    PressWidget = target;
  } else if (Type == QEvent::MouseButtonRelease) {
    Held &= ~b;
  }
  QPointer<QWidget> guard = target;
  SendMouse(Type, target, local, b, Held, ShiftStateToModifiers(Shift));
  if (Held == Qt::NoButton)
    PressWidget = nullptr;
  (void)guard;
}

QWidget *KeyTarget(TWinControl *Control)
{
  if (QWidget *popup = GrabbingPopup())
    return popup->focusWidget() ? popup->focusWidget() : popup;
  if (!Control)
    return ::GetFocus();
  if (auto *f = dynamic_cast<TCustomForm *>(Control)) {
    HWND focus = ::GetFocus();
    TWinControl *fc = FindControl(focus);
    if (fc && (fc == f || f->ContainsControl(fc)))
      return focus;
  }
  return Control->Handle();
}

struct TKeyText {
  int Key;
  QString Text;
};

QString KeyText(uint16_t VK, TShiftState Shift)
{
  const bool shift = Shift.Contains(ssShift);
  if (Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) {
    if (Shift.Contains(ssCtrl) && VK >= 'A' && VK <= 'Z')
      return QString(QChar(VK - 'A' + 1));
    return QString();
  }
  if (VK >= 'A' && VK <= 'Z')
    return QString(QChar(shift ? VK : VK + 32));
  if (VK >= '0' && VK <= '9' && !shift)
    return QString(QChar(VK));
  if (VK >= VK_NUMPAD0 && VK <= VK_NUMPAD9)
    return QString(QChar('0' + (VK - VK_NUMPAD0)));
  switch (VK) {
  case VK_SPACE: return QStringLiteral(" ");
  case VK_RETURN: return QStringLiteral("\r");
  case VK_ESCAPE: return QString(QChar(27));
  case VK_BACK: return QString(QChar(8));
  case VK_TAB: return QStringLiteral("\t");
  case VK_OEM_PERIOD: case VK_DECIMAL: return shift ? QStringLiteral(">") : QStringLiteral(".");
  case VK_OEM_COMMA: return shift ? QStringLiteral("<") : QStringLiteral(",");
  case VK_OEM_MINUS: case VK_SUBTRACT: return shift ? QStringLiteral("_") : QStringLiteral("-");
  case VK_OEM_PLUS: return shift ? QStringLiteral("+") : QStringLiteral("=");
  case VK_ADD: return QStringLiteral("+");
  case VK_MULTIPLY: return QStringLiteral("*");
  case VK_DIVIDE: case VK_OEM_2: return shift ? QStringLiteral("?") : QStringLiteral("/");
  default: return QString();
  }
}

void SendKey(QEvent::Type Type, QWidget *Target, uint16_t VK, TShiftState Shift, const QString &Text)
{
  if (!Target)
    return;
  int key = VKToQtKey(VK);
  Qt::KeyboardModifiers mods = ShiftStateToModifiers(Shift);
  if (VK >= VK_NUMPAD0 && VK <= VK_DIVIDE)
    mods |= Qt::KeypadModifier;
  if (key == Qt::Key_Tab && Shift.Contains(ssShift))
    key = Qt::Key_Backtab;
  QKeyEvent ev(Type, key, mods, Type == QEvent::KeyPress ? Text : QString());
  QApplication::sendEvent(Target, &ev);
}

// The key that types a character, with Shift when needed.
bool CharKey(QChar C, uint16_t &VK, TShiftState &Shift)
{
  Shift = {};
  const ushort u = C.unicode();
  if (u >= 'a' && u <= 'z') { VK = uint16_t(u - 32); return true; }
  if (u >= 'A' && u <= 'Z') { VK = u; Shift = {ssShift}; return true; }
  if (u >= '0' && u <= '9') { VK = u; return true; }
  switch (u) {
  case ' ': VK = VK_SPACE; return true;
  case '.': VK = VK_OEM_PERIOD; return true;
  case ',': VK = VK_OEM_COMMA; return true;
  case '-': VK = VK_OEM_MINUS; return true;
  case '=': VK = VK_OEM_PLUS; return true;
  case '/': VK = VK_OEM_2; return true;
  case '\r': case '\n': VK = VK_RETURN; return true;
  case '\t': VK = VK_TAB; return true;
  case '\b': VK = VK_BACK; return true;
  case 27: VK = VK_ESCAPE; return true;
  default: return false;
  }
}
}  // namespace

void SimMouseDown(TControl *Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
  Clock += 1000;
  Mouse(QEvent::MouseButtonPress, Control, X, Y, Button, Shift);
}

void SimMouseUp(TControl *Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
  Clock += 10;
  Mouse(QEvent::MouseButtonRelease, Control, X, Y, Button, Shift);
}

void SimMouseMove(TControl *Control, int X, int Y, TShiftState Shift)
{
  Clock += 10;
  Mouse(QEvent::MouseMove, Control, X, Y, mbLeft, Shift);
}

void SimClick(TControl *Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
  SimMouseDown(Control, X, Y, Button, Shift);
  SimMouseUp(Control, X, Y, Button, Shift);
}

void SimDblClick(TControl *Control, int X, int Y, TMouseButton Button, TShiftState Shift)
{
  SimMouseDown(Control, X, Y, Button, Shift);
  SimMouseUp(Control, X, Y, Button, Shift);
  Clock += 50;
  Mouse(QEvent::MouseButtonDblClick, Control, X, Y, Button, Shift);
  SimMouseUp(Control, X, Y, Button, Shift);
}

void SimWheel(TControl *Control, int X, int Y, int Delta, TShiftState Shift)
{
  QPoint local;
  QWidget *window = WindowOf(Control, X, Y, local);
  if (!window)
    return;
  QWidget *target;
  if (QWidget *popup = GrabbingPopup()) {
    local = popup->mapFromGlobal(window->mapToGlobal(local));
    target = TargetAt(popup, local);
  } else {
    target = TargetAt(window, local);
  }
  const QPoint global = target->mapToGlobal(local);
  QWheelEvent ev(QPointF(local), QPointF(global), QPoint(), QPoint(0, Delta), Held, ShiftStateToModifiers(Shift),
                 Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &ev);
}

namespace {

// The window a key's release goes to: the one focused now, as X sends it. While the focus
// stays where it was at the press, that is the press's window (tests may press keys on a
// control without focusing it); a window that has gone from the screen gets no keys.
QWidget *ReleaseTarget(TWinControl *Control, uint16_t Key)
{
  auto it = HeldKeys.find(Key);
  if (it == HeldKeys.end() || GrabbingPopup())
    return KeyTarget(Control);
  const THeldKey held = it->second;
  HeldKeys.erase(it);
  QWidget *focus = ::GetFocus();
  if (focus != held.Focus.data() || !held.Target || !held.Target->isVisible())
    return focus;
  return held.Target;
}

void Release(TWinControl *Control, uint16_t Key, TShiftState Shift)
{
  SendKey(QEvent::KeyRelease, ReleaseTarget(Control, Key), Key, Shift, QString());
}

// Work that waits until no modal loop is about to end: a user's key comes up only after the
// dialog that its press closed has gone.
class TAfterModalLoops : public QObject {
public:
  std::deque<std::function<void()>> Actions;

  void Add(std::function<void()> Action)
  {
    Actions.push_back(std::move(Action));
    Post();
  }

protected:
  bool event(QEvent *Event) override
  {
    if (Event->type() != QEvent::User)
      return QObject::event(Event);
    FPosted = false;
    if (ModalLoopEnding()) {
      Post();
      return true;
    }
    while (!Actions.empty()) {
      const std::function<void()> action = std::move(Actions.front());
      Actions.pop_front();
      action();
    }
    return true;
  }

private:
  bool FPosted = false;
  void Post()
  {
    if (!FPosted) {
      FPosted = true;
      QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }
  }
};

TAfterModalLoops &AfterModalLoops()
{
  static TAfterModalLoops *queue = new TAfterModalLoops();
  return *queue;
}

void LateRelease(uint16_t Key, TShiftState Shift)
{
  AfterModalLoops().Add([Key, Shift]() {
    Release(nullptr, Key, Shift);
    TMessagePump::Instance().Modifiers = Qt::NoModifier;
  });
}

// One key as a user strikes it: the press, what the program does about it, then the release.
void Strike(TWinControl *Control, uint16_t Key, TShiftState Shift, const QString &Text)
{
  QWidget *target = KeyTarget(Control);
  if (!target)
    return;
  HeldKeys[Key] = {target, ::GetFocus()};
  SendKey(QEvent::KeyPress, target, Key, Shift, Text);
  Application->ProcessMessages();
  if (ModalLoopEnding())
    LateRelease(Key, Shift);
  else
    Release(Control, Key, Shift);
}

}  // namespace

void SimAfterModalLoops(std::function<void()> Action) { AfterModalLoops().Add(std::move(Action)); }

bool ModalLoopEnding()
{
  if (!Screen)
    return false;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm *f = Screen->Forms(i);
    if (f->FormState().Contains(fsModal) && f->ModalResult() != mrNone)
      return true;
  }
  return false;
}

void SimKeyDown(TWinControl *Control, uint16_t Key, TShiftState Shift)
{
  QWidget *target = KeyTarget(Control);
  HeldKeys[Key] = {target, ::GetFocus()};
  SendKey(QEvent::KeyPress, target, Key, Shift, KeyText(Key, Shift));
}

void SimKeyUp(TWinControl *Control, uint16_t Key, TShiftState Shift)
{
  Release(Control, Key, Shift);
}

void SimQueueKeyUp(uint16_t Key, TShiftState Shift)
{
  HeldKeys[Key] = {nullptr, nullptr};
  LateRelease(Key, Shift);
}

void SimKey(TWinControl *Control, uint16_t Key, TShiftState Shift)
{
  Strike(Control, Key, Shift, KeyText(Key, Shift));
  // The modifier keys are up again afterwards.
  TMessagePump::Instance().Modifiers = Qt::NoModifier;
  Application->ProcessMessages();
}

void SimType(TWinControl *Control, const QString &Text)
{
  for (QChar c : Text) {
    uint16_t vk = 0;
    TShiftState shift;
    if (CharKey(c, vk, shift)) {
      Strike(Control, vk, shift, QString(c));
    } else {
      QPointer<QWidget> target = KeyTarget(Control);
      if (!target)
        return;
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(target, &press);
    }
    // A user's keys queue behind the messages the previous key posted (its character,
    // a focus move), so each key is handled in full before the next one.
    Application->ProcessMessages();
  }
  TMessagePump::Instance().Modifiers = Qt::NoModifier;
}

void SimResetInput()
{
  auto &pump = TMessagePump::Instance();
  Held = Qt::NoButton;
  PressWidget = nullptr;
  HeldKeys.clear();
  AfterModalLoops().Actions.clear();
  pump.ResetInput();
  ReleaseCapture();
  pump.CaptureControl = nullptr;
}

void SimProcess()
{
  for (int i = 0; i < 3; ++i)
    Application->ProcessMessages();
}

bool SimWaitFor(const std::function<bool()> &Condition, int TimeoutMs)
{
  QDeadlineTimer deadline(TimeoutMs);
  const uint64_t until = ClockMs() + uint64_t(std::max(TimeoutMs, 0));
  while (!Condition()) {
    Application->ProcessMessages();
    if (Condition())
      return true;
    if (ClockSimulated() && FireNextClockTimer(until))
      continue;
    if (deadline.hasExpired()) {
      SetSimulatedClock(until);
      return false;
    }
    QThread::msleep(1);
  }
  return true;
}

void SimAdvanceTime(uint32_t Ms)
{
  if (!ClockSimulated()) {
    QDeadlineTimer deadline{qint64(Ms)};
    while (!deadline.hasExpired()) {
      Application->ProcessMessages();
      QThread::msleep(1);
    }
    Application->ProcessMessages();
    return;
  }
  const uint64_t until = ClockMs() + Ms;
  Application->ProcessMessages();
  while (FireNextClockTimer(until))
    Application->ProcessMessages();
  SetSimulatedClock(until);
  Application->ProcessMessages();
}

QImage GrabControl(TControl *Control)
{
  TWinControl *w = dynamic_cast<TWinControl *>(Control);
  TRect cut;
  if (!w) {
    w = Control->Parent();
    if (!w)
      return QImage();
    TControlHandle *h = TMessagePump::Instance().HandleOf(w->Handle());
    cut = Bounds(Control->Left() + h->NCLeft(), Control->Top() + h->NCTop(), Control->Width(), Control->Height());
  }
  QWidget *widget = w->Handle();
  SimProcess();
  QImage img = widget->grab().toImage();
  if (!cut.IsEmpty())
    img = img.copy(cut.Left, cut.Top, cut.Width(), cut.Height());
  return img;
}

bool GrabToPng(TControl *Control, const QString &FileName)
{
  const QImage img = GrabControl(Control);
  return !img.isNull() && img.save(FileName, "PNG");
}

bool HoldsBackingImage(TWinControl *Control) { return !TMessagePump::HandleObject(Control)->Image.isNull(); }

uint64_t BackingImageAllocations() { return TControlHandle::ImageAllocations; }

int CursorShapeOf(TControl *Control)
{
  TWinControl *w = dynamic_cast<TWinControl *>(Control);
  if (!w)
    w = Control->Parent();
  if (!w || !w->HandleAllocated())
    return Qt::ArrowCursor;
  auto &pump = TMessagePump::Instance();
  QWidget *widget = w->Handle();
  if (pump.CursorWidget && (pump.CursorWidget == widget || widget->isAncestorOf(pump.CursorWidget)))
    widget = pump.CursorWidget;
  if (QGuiApplication::overrideCursor())
    return QGuiApplication::overrideCursor()->shape();
  return widget->cursor().shape();
}
