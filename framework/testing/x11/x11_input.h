#pragma once
// Input through the X server, for tests on Qt's xcb platform (Xvfb without a window manager).
// The XTEST extension makes the server itself produce the pointer and key events, so they
// take the way a user's take: a popup's pointer grab gets the release, keys go to the window
// the server has focused, a key's release to the window focused when it comes up. Each call
// returns once the program has handled what the server sent for it.
//
// Coordinates are client coordinates of the control given, or screen coordinates.
#include <QString>

#include "framework/controls/controls.h"

// The program runs on xcb and the server offers XTEST.
bool XInputAvailable();

// Moves there, presses and releases the left button.
void XClick(TControl *Control, int X, int Y);
void XClickAt(int ScreenX, int ScreenY);
// Moves the pointer there, no button.
void XMoveTo(TControl *Control, int X, int Y);
// The same from any thread, without waiting for the program: for input that a user gives
// while the program is busy and that waits in the queue meanwhile.
void XClickAtFromAnyThread(int ScreenX, int ScreenY);

void XKeyDown(uint16_t Key);
void XKeyUp(uint16_t Key);
// Down, the program's answer, then up; an up whose down ended a modal loop comes once that
// loop is over, as a user's finger leaves the key after the dialog has gone.
void XKey(uint16_t Key);
// Each character as its keys (with Shift where the keyboard needs it).
void XType(const QString &Text);

// Lets the server's events for what was sent so far reach the program and be handled.
void XSettle();
