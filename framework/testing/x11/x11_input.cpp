#include "framework/testing/x11/x11_input.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWindow>

#include <functional>

#include "framework/controls/forms.h"
#include "framework/testing/input.h"
#include "framework/testing/x11/x11_server.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>

namespace {

uint32_t KeySymOf(uint16_t VK)
{
  if (VK >= 'A' && VK <= 'Z')
    return XK_a + (VK - 'A');
  if (VK >= '0' && VK <= '9')
    return XK_0 + (VK - '0');
  if (VK >= VK_F1 && VK <= VK_F1 + 11)
    return XK_F1 + (VK - VK_F1);
  switch (VK) {
  case VK_RETURN: return XK_Return;
  case VK_ESCAPE: return XK_Escape;
  case VK_TAB: return XK_Tab;
  case VK_SPACE: return XK_space;
  case VK_BACK: return XK_BackSpace;
  case VK_DELETE: return XK_Delete;
  case VK_LEFT: return XK_Left;
  case VK_RIGHT: return XK_Right;
  case VK_UP: return XK_Up;
  case VK_DOWN: return XK_Down;
  case VK_HOME: return XK_Home;
  case VK_END: return XK_End;
  case VK_SHIFT: return XK_Shift_L;
  case VK_CONTROL: return XK_Control_L;
  case VK_MENU: return XK_Alt_L;
  case VK_OEM_PERIOD: return XK_period;
  case VK_OEM_COMMA: return XK_comma;
  case VK_OEM_MINUS: return XK_minus;
  default: return XK_VoidSymbol;
  }
}

// Notes the markers coming back from the server. Qt reads the server's events on a thread of
// its own: an event seen here was read after every event the server sent before it.
class TMarkerFilter : public QAbstractNativeEventFilter {
public:
  uint32_t Seen = 0;
  bool nativeEventFilter(const QByteArray &EventType, void *Message, qintptr *) override
  {
    if (EventType != "xcb_generic_event_t")
      return false;
    auto *ev = static_cast<xcb_generic_event_t *>(Message);
    if ((ev->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
      return false;
    auto *cm = reinterpret_cast<xcb_client_message_event_t *>(ev);
    if (cm->type != x11server::MarkerAtom())
      return false;
    Seen = cm->data.data32[0];
    return true;
  }
};

struct TMarkers {
  TMarkerFilter Filter;
  QWindow Window;  // never shown: a window of the program for the markers to go to
  uint32_t Sent = 0;
  TMarkers()
  {
    QCoreApplication::instance()->installNativeEventFilter(&Filter);
    Window.create();
  }
};

TMarkers &Markers()
{
  static TMarkers *markers = new TMarkers();
  return *markers;
}

// Sends what Fake makes once the program's own requests (a focus change, a window mapped)
// have reached the server, then handles what comes back.
void Send(const std::function<void()> &Fake)
{
  if (!XInputAvailable())
    return;
  QGuiApplication::sync();
  Fake();
  x11server::Sync();
  XSettle();
}

TPoint ScreenPoint(TControl *Control, int X, int Y) { return Control->ClientToScreen(TPoint(X, Y)); }

}  // namespace

bool XInputAvailable()
{
  return QGuiApplication::platformName() == QLatin1String("xcb") && x11server::Open();
}

void XSettle()
{
  if (!XInputAvailable())
    return;
  TMarkers &m = Markers();
  const uint32_t serial = ++m.Sent;
  x11server::SendMarker(m.Window.winId(), serial);
  SimWaitFor([&m, serial]() { return m.Filter.Seen >= serial; }, 5000);
  // What came in before the marker waits in Qt's window-system queue: deliver it.
  for (int i = 0; i < 2; ++i)
    Application->ProcessMessages();
}

void XClickAt(int ScreenX, int ScreenY)
{
  // The pointer arrives first, so that the window under it knows it is there. Press and
  // release then reach the server together, as from a hand: a press that opens a modal form
  // (a double-click) must not leave the button held down inside that form's loop.
  Send([ScreenX, ScreenY]() { x11server::Motion(ScreenX, ScreenY); });
  Send([]() {
    x11server::Button(true);
    x11server::Button(false);
  });
}

void XClick(TControl *Control, int X, int Y)
{
  const TPoint p = ScreenPoint(Control, X, Y);
  XClickAt(p.X, p.Y);
}

void XMoveTo(TControl *Control, int X, int Y)
{
  const TPoint p = ScreenPoint(Control, X, Y);
  Send([p]() { x11server::Motion(p.X, p.Y); });
}

void XClickAtFromAnyThread(int ScreenX, int ScreenY) { x11server::ClickFromAnyThread(ScreenX, ScreenY); }

void XKeyDown(uint16_t Key)
{
  Send([Key]() { x11server::Key(KeySymOf(Key), true); });
}

void XKeyUp(uint16_t Key)
{
  Send([Key]() { x11server::Key(KeySymOf(Key), false); });
}

void XKey(uint16_t Key)
{
  XKeyDown(Key);
  if (ModalLoopEnding())
    SimAfterModalLoops([Key]() { XKeyUp(Key); });
  else
    XKeyUp(Key);
}

void XType(const QString &Text)
{
  for (QChar c : Text) {
    // Latin-1 characters are their own key symbols.
    const uint32_t sym = c.unicode();
    Send([sym]() { x11server::Type(sym); });
  }
}
