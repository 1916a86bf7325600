#pragma once
// Waits of the UI thread that the user cannot interrupt, such as the wait for an external
// program: the windows stay painted, the cursor shows the hourglass, and what the user does
// meanwhile is dropped rather than carried out once the wait is over.
#include "framework/services/process.h"

#include <QString>

#include <functional>

// Waits until Done answers true or TimeoutMs have passed, asking it about every 10 ms, and
// answers Done's last answer. Meanwhile windows repaint (also when uncovered) and the cursor
// is the hourglass; mouse and key input and requests to close a window are dropped, and timers
// wait until the end. A modal window opened meanwhile takes input as usual.
bool BusyWait(const std::function<bool()> &Done, int TimeoutMs);

// Starts a program (StartProgram) and waits for it with BusyWait, for at most TimeoutMs
// (ProgramWaitLimit). A program still running then is left running: Running is true in the
// answer. Pid is 0 when it could not be started.
TProgramStatus StartProgramAndWait(const QString &Path, const QString &Params, bool Hidden, int TimeoutMs);

// Tests: Probe runs on every turn of a busy wait, before pending events are handled (empty for
// none), so that a test can act as the user while the program is busy.
void SetBusyWaitProbe(std::function<void()> Probe);
