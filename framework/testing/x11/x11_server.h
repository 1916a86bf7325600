#pragma once
// The X server side of x11_input: a connection of its own and the XTEST requests, kept apart
// from the framework's headers (Xlib's names Screen and Time would clash with the framework's).
#include <cstdint>

namespace x11server {

// Opens the connection once; answers whether the server offers XTEST.
bool Open();
// Waits until the server has handled every request sent so far.
void Sync();
void Motion(int ScreenX, int ScreenY);
void Button(bool Down);
void Key(uint32_t KeySym, bool Down);
// Strikes the key that types KeySym, with Shift when the keyboard's first level lacks it.
void Type(uint32_t KeySym);
// Sends a client message of type MarkerAtom() carrying Serial to Window; it reaches the
// program after every event that the requests before it caused.
void SendMarker(unsigned long Window, uint32_t Serial);
uint32_t MarkerAtom();
// Move and click on a connection of the calling thread's own.
void ClickFromAnyThread(int ScreenX, int ScreenY);

}  // namespace x11server
