#pragma once
// Inside of the message pipeline: the window object behind a TWinControl, the event filter
// that turns Qt events into messages, the posted-message queue, the emulated focus and
// capture, and the keyboard state. Not for use outside framework/.
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <map>
#include <memory>

#include "framework/controls/controls.h"

// The framework's own window: paints the non-client frame and the control's backing image.
class TControlWidget : public QWidget {
public:
  TControlWidget(TControlHandle *AHandle, QWidget *Parent, Qt::WindowFlags Flags);
  TControlHandle *Handle;

protected:
  void paintEvent(QPaintEvent *Event) override;
};

struct TControlHandle {
  explicit TControlHandle(TWinControl *AControl) : Control(AControl) {}
  ~TControlHandle();

  TWinControl *Control;
  QPointer<QWidget> Widget;
  bool Native = false;
  Qt::FocusPolicy NativeFocusPolicy = Qt::NoFocus;
  QCursor NativeCursor;
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  bool StyleKnown = false;

  // Whole-window image (frame and client) of framework windows, made by the first paint and
  // fitted to the window's size by the paints after a resize: a window never painted (one on
  // a form never shown) holds none, and resizes between two paints allocate nothing.
  QImage Image;
  // Images allocated so far, process-wide (made or fitted to a new size).
  static inline uint64_t ImageAllocations = 0;
  bool PaintPending = true;  // the whole client area waits for a paint
  QRegion UpdateRgn;          // parts of the client waiting for a paint (client coordinates)
  QRegion PaintRgn;           // the part the current WM_PAINT repaints, empty outside a paint
  bool ErasePending = true;
  bool FramePending = true;
  int Painting = 0;
  bool Redraw = true;
  bool Enabled = true;
  bool IsForm = false;
  // The control is being deleted: its window goes without hiding first (no callbacks).
  bool Destroying = false;

  struct TBar {
    SCROLLINFO Info;
    bool Shown = false;
    bool Enabled = true;
    QPointer<QScrollBar> Widget;
    bool Updating = false;
  } Bars[2];

  std::map<uintptr_t, std::unique_ptr<TClockTimer>> Timers;

  // Non-client edges: left, top, right, bottom.
  int NCLeft() const;
  int NCTop() const;
  int NCRight() const;
  int NCBottom() const;
  int EdgeSize() const;
  bool BarVisible(int Bar) const;
  void EnsureStyle();
  // Makes the image or fits it to the window's size (a paint is then pending everywhere).
  void EnsureImage();
  // What drawing outside a paint goes to: the image, fitted, once the window has painted;
  // before that a scratch image, as the first paint covers the whole window anyway.
  QImage *DrawingImage();
  void LayoutBars();
  void UpdateBar(int Bar);
  // Paints whatever is pending into the image (frame, background, client).
  void PaintPendingNow();
  void DrawFrame();
  void ScheduleUpdate();
};

// One queued message.
struct TPostedMessage {
  QPointer<QWidget> Target;
  uint32_t Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  QPointer<QWidget> Origin;
};

struct TMessagePump : QObject {
  static TMessagePump &Instance();

  // Back to the state of a fresh program, between tests: no focus, capture, mouse control,
  // keys or buttons held, double-click memory or posted messages. Delivers nothing.
  void Reset();
  // Forgets held keys and buttons and the double-click memory.
  void ResetInput();

  bool eventFilter(QObject *Object, QEvent *Event) override;
  void ReplayToNative(TControlHandle *Handle, TMessage &Message);
  bool event(QEvent *Event) override;

  // Window registry
  void Register(QWidget *Widget, TControlHandle *Handle);
  void Unregister(QWidget *Widget);
  TControlHandle *HandleOf(QWidget *Widget) const;
  // The window object of a control, whether its window exists or not.
  static TControlHandle *HandleObject(TWinControl *Control) { return Control->FHandle.get(); }

  // Delivery
  LRESULT Deliver(TControl *Control, TMessage &Message);
  void Post(HWND Target, uint32_t Msg, WPARAM WParam, LPARAM LParam, QWidget *Origin = nullptr);
  void FlushPosted();

  // Focus
  void SetFocusWnd(QWidget *Widget);
  QPointer<QWidget> FocusWnd;

  // Capture
  QPointer<QWidget> CaptureWnd;
  TControl *CaptureControl = nullptr;

  // Mouse tracking
  TControl *MouseControl = nullptr;
  TPoint CursorPos;
  QPointer<QWidget> CursorWidget;

  // Keyboard state of the input being handled.
  Qt::KeyboardModifiers Modifiers;
  Qt::MouseButtons Buttons;
  bool KeyDown(int VirtKey) const;

  // Depth of replays of an event to a native widget's own class.
  int ReplayDepth = 0;

  // Messages being handled.
  int Depth = 0;
  // Depth at which the innermost message loop dispatches (a modal loop runs inside the handler
  // that opened it): input handled at this level has its posted messages delivered before the
  // loop goes on, so a key's character comes before its key up.
  int LoopDepth = 0;
  bool AtLoopLevel() const { return Depth <= LoopDepth; }
  // Counts deliveries from outside any handler: a canvas used outside a paint starts fresh.
  uint64_t Serial = 0;
  // Headless (tests): Qt's own activation and focus changes are not followed.
  bool Offscreen() const { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

  // A popup window of Qt's own (a combo box's list, a menu) has the pointer and keyboard.
  bool NativePopupActive() const;

  void ControlDestroyed(TControl *Control);


private:
  TMessagePump();
  bool HandleMouse(QWidget *Widget, TControlHandle *Handle, QEvent *Event);
  bool HandleKey(QWidget *Widget, TControlHandle *Handle, QEvent *Event);
  bool HandleWheel(QWidget *Widget, TControlHandle *Handle, QEvent *Event);
  // A key message out of the queue or from a widget: CN_ first, then translation into a
  // character and the WM_ message.
  void DeliverKey(QWidget *Target, uint32_t Msg, WPARAM WParam, LPARAM LParam, QChar Char, QWidget *Origin);
  void UpdateMouseControl(TControl *Control);

  std::map<QWidget *, TControlHandle *> FRegistry;
  bool FSettingFocus = false;
  // Double clicks: the last press, and whether Qt's own double-click event for it is still due.
  int FLastPressButton = 0;
  uint64_t FLastPressTime = 0;
  TPoint FLastPressPos;
  bool FLastPressWasDouble = false;
  bool FSwallowDblClick = false;
  std::map<int, bool> FKeysDown;
  // The widget an event is being replayed to.
  QWidget *FReplayTarget = nullptr;
  // The messages being handled and the widget their event came from.
  struct TContext {
    TMessage *Message;
    QWidget *Origin;
  };
  std::vector<TContext> FContexts;
  std::deque<TPostedMessage> FQueue;
  bool FFlushScheduled = false;
};

// Focus changes so far; a focus message handler that moves the focus again stops the chain.
int GlobalFocusCount();
void IncFocusCount();

// Tells the application a control is gone (hint state).
void ApplicationControlDestroyed(TControl *Control);

// The window object of one of our windows, or null.
TControlHandle *WindowHandleOf(HWND Wnd);

// Key codes.
uint16_t QtKeyToVK(int Key, Qt::KeyboardModifiers Modifiers);
int VKToQtKey(uint16_t VK);
QChar KeyEventChar(int Key, Qt::KeyboardModifiers Modifiers, const QString &Text);
Qt::KeyboardModifiers ShiftStateToModifiers(TShiftState Shift);
TShiftState ModifiersToShiftState(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
QCursor CursorToQCursor(TCursor Cursor);
