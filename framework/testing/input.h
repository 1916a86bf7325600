#pragma once
// Input for tests: real Qt events sent to the controls' windows, so that they travel the whole
// message pipeline (WM_SETCURSOR, capture, key translation, dialog keys ...), and pictures of
// controls.
//
// Coordinates are client coordinates of the control given. The mouse event goes to the window
// under the point (a child window, a scroll bar), or to the window holding the button down.
// Keys go to the control given; for a form, to the focused control on it. A key's release goes
// where X sends it: to the window focused when it comes up, once the program has handled the
// press (a release whose press ended a modal loop waits until that loop is over). While a
// native popup (a combo box's list) is open it takes the mouse and the keys, as its grab does.
#include <QImage>
#include <QString>

#include <functional>

#include "framework/controls/controls.h"

void SimMouseDown(TControl *Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
void SimMouseUp(TControl *Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Moves with the buttons held by earlier SimMouseDown calls.
void SimMouseMove(TControl *Control, int X, int Y, TShiftState Shift = {});
// Down and up; separate clicks never make a double click.
void SimClick(TControl *Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Down, up, double click, up.
void SimDblClick(TControl *Control, int X, int Y, TMouseButton Button = mbLeft, TShiftState Shift = {});
// One wheel notch is 120; positive turns away from the user.
void SimWheel(TControl *Control, int X, int Y, int Delta, TShiftState Shift = {});

void SimKeyDown(TWinControl *Control, uint16_t Key, TShiftState Shift = {});
void SimKeyUp(TWinControl *Control, uint16_t Key, TShiftState Shift = {});
// Key down (with its character) and key up.
void SimKey(TWinControl *Control, uint16_t Key, TShiftState Shift = {});
// Each character as its key press and release.
void SimType(TWinControl *Control, const QString &Text);
// The release of a key whose press went to a window outside the framework (a native message
// box that the press closed): it reaches the window focused when the program next handles input.
void SimQueueKeyUp(uint16_t Key, TShiftState Shift = {});
// A modal form has its result and its loop is about to end.
bool ModalLoopEnding();
// Runs Action from the message loop once no modal loop is about to end.
void SimAfterModalLoops(std::function<void()> Action);

// Forgets held keys and buttons, the capture, the double-click memory and the messages still
// queued (between tests).
void SimResetInput();

// Handles everything pending, posted messages included.
void SimProcess();
// Processes events until Condition holds or TimeoutMs passes; answers Condition. On the
// simulated clock (framework/system/clock.h) time moves on, whenever nothing else is left to
// handle, to the next framework timer due within TimeoutMs; beyond that only events from
// outside the program's clock (threads, processes, sockets) can still help, and those are
// waited for up to TimeoutMs of real time. A wait that fails has taken TimeoutMs.
bool SimWaitFor(const std::function<bool()> &Condition, int TimeoutMs = 2000);
// Lets Ms milliseconds of the program's time pass: on the simulated clock every framework
// timer falling due meanwhile fires in turn, at its time, with the messages it causes handled
// before the next one; on the real clock, a real wait handling events.
void SimAdvanceTime(uint32_t Ms);

// The control as it shows now (painted first when needed); a windowless control is cut from
// its parent's picture.
QImage GrabControl(TControl *Control);
// Saves GrabControl to a PNG file; answers whether it was written.
bool GrabToPng(TControl *Control, const QString &FileName);
// Whether the control holds its window's backing image now: a window gets one at its first
// paint, so one never painted (on a form never shown, or not yet made) holds none.
bool HoldsBackingImage(TWinControl *Control);
// Backing images allocated so far in the process (made, or fitted to a new window size).
uint64_t BackingImageAllocations();
// The Qt cursor shape a control's window shows now.
int CursorShapeOf(TControl *Control);
