#include "framework/services/process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <cerrno>
#include <signal.h>

namespace {

int gWaitLimitOverride = 0;

// The started program is detached (its parent is not this process), so that a program that
// outlives the wait is neither killed nor left as a zombie; it is polled by its id.
bool ProcessAlive(qint64 Pid)
{
  if (Pid <= 0) return false;
  if (::kill(pid_t(Pid), 0) != 0) return errno == EPERM;
  // An ended program stays a zombie until its new parent reaps it, which some init
  // processes do only now and then.
  QFile Stat(QStringLiteral("/proc/%1/stat").arg(Pid));
  if (Stat.open(QIODevice::ReadOnly)) {
    const QByteArray Line = Stat.readAll();
    const int Close = Line.lastIndexOf(')');
    if (Close >= 0 && Close + 2 < Line.size()) {
      const char State = Line[Close + 2];
      if (State == 'Z' || State == 'X') return false;
    }
  }
  return true;
}

}  // namespace

void SetProgramWaitLimitOverride(int Ms) { gWaitLimitOverride = Ms > 0 ? Ms : 0; }

bool ProgramRunning(qint64 Pid) { return ProcessAlive(Pid); }

bool StartProgramAndWait(const QString &Path, const QString &Params, bool Hidden, int TimeoutMs)
{
  qint64 Pid = 0;
  return StartProgramAndWait(Path, Params, Hidden, TimeoutMs, Pid);
}

bool StartProgramAndWait(const QString &Path, const QString &Params, bool Hidden, int TimeoutMs, qint64 &Pid)
{
  Q_UNUSED(Hidden);
  Pid = 0;
  if (Path.isEmpty()) return false;
  const QStringList Args = Params.trimmed().isEmpty() ? QStringList() : QProcess::splitCommand(Params);
  if (!QProcess::startDetached(Path, Args, QString(), &Pid)) {
    Pid = 0;
    return false;
  }

  int Limit = TimeoutMs;
  if (gWaitLimitOverride > 0 && (Limit < 0 || Limit > gWaitLimitOverride)) Limit = gWaitLimitOverride;
  QElapsedTimer Clock;
  Clock.start();
  for (;;) {
    if (!ProcessAlive(Pid)) {
      QThread::msleep(10);
      break;
    }
    if (Clock.elapsed() > Limit) break;
    QThread::msleep(10);
    // Windows may repaint; nothing else runs.
    if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
  }
  return true;
}
