#pragma once
// Starting another program and waiting for it.
#include <QString>

// Starts the program file Path with the command-line text Params (split like a shell line;
// empty for none) in the current folder and waits until it ends or TimeoutMs have passed,
// checking every 10 ms. A program still running at the time-out is left running. While it
// waits, only pending repaints of the program's windows are carried out: no input, timers or
// queued messages are handled. Hidden asks for no visible window (platforms without such a
// request ignore it). Answers false when the program could not be started.
bool StartProgramAndWait(const QString &Path, const QString &Params, bool Hidden, int TimeoutMs);

// Tests: caps every wait of StartProgramAndWait at Ms milliseconds (0 removes the cap).
void SetProgramWaitLimitOverride(int Ms);
