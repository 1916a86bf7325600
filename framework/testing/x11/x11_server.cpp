#include "framework/testing/x11/x11_server.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace x11server {
namespace {

Display *D = nullptr;

void Click(Display *Dpy, int X, int Y)
{
  XTestFakeMotionEvent(Dpy, -1, X, Y, CurrentTime);
  XTestFakeButtonEvent(Dpy, 1, True, CurrentTime);
  XTestFakeButtonEvent(Dpy, 1, False, CurrentTime);
  XSync(Dpy, False);
}

}  // namespace

bool Open()
{
  static const bool opened = [] {
    D = XOpenDisplay(nullptr);
    int event, error, major, minor;
    if (D && !XTestQueryExtension(D, &event, &error, &major, &minor)) {
      XCloseDisplay(D);
      D = nullptr;
    }
    return D != nullptr;
  }();
  return opened;
}

void Sync()
{
  if (D)
    XSync(D, False);
}

void Motion(int ScreenX, int ScreenY)
{
  if (D)
    XTestFakeMotionEvent(D, -1, ScreenX, ScreenY, CurrentTime);
}

void Button(bool Down)
{
  if (D)
    XTestFakeButtonEvent(D, 1, Down, CurrentTime);
}

void Key(uint32_t KeySym, bool Down)
{
  if (!D)
    return;
  const KeyCode code = XKeysymToKeycode(D, KeySym);
  if (code != 0)
    XTestFakeKeyEvent(D, code, Down, CurrentTime);
}

void Type(uint32_t Sym)
{
  if (!D)
    return;
  const KeyCode code = XKeysymToKeycode(D, Sym);
  if (code == 0)
    return;
  const bool shift = XkbKeycodeToKeysym(D, code, 0, 0) != Sym;
  if (shift)
    Key(XK_Shift_L, true);
  XTestFakeKeyEvent(D, code, True, CurrentTime);
  XTestFakeKeyEvent(D, code, False, CurrentTime);
  if (shift)
    Key(XK_Shift_L, false);
}

uint32_t MarkerAtom()
{
  static const Atom atom = D ? XInternAtom(D, "QM_TEST_INPUT_DONE", False) : 0;
  return uint32_t(atom);
}

void SendMarker(unsigned long Window, uint32_t Serial)
{
  if (!D)
    return;
  XEvent ev = {};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = Window;
  ev.xclient.message_type = MarkerAtom();
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = long(Serial);
  XSendEvent(D, Window, False, NoEventMask, &ev);
  XSync(D, False);
}

void ClickFromAnyThread(int ScreenX, int ScreenY)
{
  // Xlib connections are not shared between threads.
  if (Display *d = XOpenDisplay(nullptr)) {
    Click(d, ScreenX, ScreenY);
    XCloseDisplay(d);
  }
}

}  // namespace x11server
