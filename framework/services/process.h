#pragma once
// Starting another program and following it. Waiting for it with the windows kept painted is
// the UI's business (framework/controls/busywait.h).
#include <QString>

// What is known of a started program.
struct TProgramStatus {
  qint64 Pid = 0;        // 0: the program could not be started
  bool Running = false;  // it had not ended yet
  int ExitCode = 0;      // exit code of a program that ended by itself
  int Signal = 0;        // the signal that ended it, 0 when it ended by itself
};

// Starts the program file Path with the command-line text Params (split like a shell line;
// empty for none) in the current folder, in a session of its own, so that it outlives this
// program. Hidden asks for no visible window (platforms without such a request ignore it).
// Answers the program's id, 0 when it could not be started. The program is reaped in the
// background when it ends, whether anybody still waits for it or not.
qint64 StartProgram(const QString &Path, const QString &Params, bool Hidden);

// The state of a program started by StartProgram (an unknown id reads as not running).
TProgramStatus ProgramStatus(qint64 Pid);
bool ProgramRunning(qint64 Pid);

// Tests: caps every program wait at Ms milliseconds (0 removes the cap).
void SetProgramWaitLimitOverride(int Ms);
// TimeoutMs with the test cap applied.
int ProgramWaitLimit(int TimeoutMs);
