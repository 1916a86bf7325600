#include "framework/services/process.h"

#include <QProcess>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <map>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

int gWaitLimitOverride = 0;

// Programs started here, with their wait status once reaped. Every program gets a thread that
// waits for its end, so that its exit code is known later and a program that outlives the
// caller's wait never stays a zombie.
struct TStarted {
  bool Ended = false;
  int Status = 0;
};
std::mutex gMutex;
std::map<qint64, TStarted> gStarted;

void Reap(pid_t Pid)
{
  int Status = 0;
  pid_t Got;
  do {
    Got = ::waitpid(Pid, &Status, 0);
  } while (Got < 0 && errno == EINTR);
  std::lock_guard<std::mutex> Lock(gMutex);
  TStarted &S = gStarted[Pid];
  S.Ended = true;
  // A program reaped by someone else counts as ended without a code.
  S.Status = Got == Pid ? Status : 0;
}

}  // namespace

void SetProgramWaitLimitOverride(int Ms) { gWaitLimitOverride = Ms > 0 ? Ms : 0; }

int ProgramWaitLimit(int TimeoutMs)
{
  if (gWaitLimitOverride > 0 && (TimeoutMs < 0 || TimeoutMs > gWaitLimitOverride)) return gWaitLimitOverride;
  return TimeoutMs;
}

qint64 StartProgram(const QString &Path, const QString &Params, bool Hidden)
{
  Q_UNUSED(Hidden);
  if (Path.isEmpty()) return 0;
  const QStringList Args = Params.trimmed().isEmpty() ? QStringList() : QProcess::splitCommand(Params);
  std::vector<QByteArray> Bytes;
  Bytes.push_back(Path.toLocal8Bit());
  for (const QString &A : Args) Bytes.push_back(A.toLocal8Bit());
  std::vector<char *> Argv;
  for (QByteArray &B : Bytes) Argv.push_back(B.data());
  Argv.push_back(nullptr);

  // The child starts with default signal handling and nothing blocked, whatever this
  // program has set up for itself.
  posix_spawnattr_t Attr;
  posix_spawnattr_init(&Attr);
  sigset_t None, All;
  sigemptyset(&None);
  sigfillset(&All);
  posix_spawnattr_setsigmask(&Attr, &None);
  posix_spawnattr_setsigdefault(&Attr, &All);
  posix_spawnattr_setflags(&Attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
  pid_t Pid = 0;
  const bool Searched = !Path.contains(QLatin1Char('/'));
  std::lock_guard<std::mutex> Lock(gMutex);
  const int Error = Searched ? ::posix_spawnp(&Pid, Argv[0], nullptr, &Attr, Argv.data(), environ)
                             : ::posix_spawn(&Pid, Argv[0], nullptr, &Attr, Argv.data(), environ);
  posix_spawnattr_destroy(&Attr);
  if (Error != 0 || Pid <= 0) return 0;
  // Registered before the reaper can report, which waits for the lock.
  gStarted[Pid] = TStarted{};
  std::thread(Reap, Pid).detach();
  return Pid;
}

TProgramStatus ProgramStatus(qint64 Pid)
{
  TProgramStatus Result;
  std::lock_guard<std::mutex> Lock(gMutex);
  const auto It = gStarted.find(Pid);
  if (It == gStarted.end()) return Result;
  Result.Pid = Pid;
  Result.Running = !It->second.Ended;
  if (It->second.Ended) {
    const int Status = It->second.Status;
    if (WIFSIGNALED(Status)) Result.Signal = WTERMSIG(Status);
    else if (WIFEXITED(Status)) Result.ExitCode = WEXITSTATUS(Status);
  }
  return Result;
}

bool ProgramRunning(qint64 Pid) { return ProgramStatus(Pid).Running; }
