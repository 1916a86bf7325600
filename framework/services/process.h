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
// Same, and gives the started program's id in Pid (0 when it was not started), so that a
// caller can tell whether a program it left running at the time-out still runs.
bool StartProgramAndWait(const QString &Path, const QString &Params, bool Hidden, int TimeoutMs, qint64 &Pid);

// True while the program with this id runs.
bool ProgramRunning(qint64 Pid);

// Tests: caps every wait of StartProgramAndWait at Ms milliseconds (0 removes the cap).
void SetProgramWaitLimitOverride(int Ms);
