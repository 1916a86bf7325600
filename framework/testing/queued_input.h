#pragma once
// Input made while the program is busy: the events are queued, as the window system queues
// them, and reach the windows only when events are next handled. Coordinates are client
// coordinates of the control given.
#include <QString>

#include "framework/controls/controls.h"

// A left click (press and release) at the point, queued for the window under it.
void SimQueueClick(TControl *Control, int X, int Y);
// Each character (a letter, digit or blank) as its key press and release, queued for the
// control's window.
void SimQueueType(TWinControl *Control, const QString &Text);
