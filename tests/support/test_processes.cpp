// Child processes of the test process, found in /proc.
#include "tests/support/test_support.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <signal.h>
#include <unistd.h>

namespace testsupport {
namespace {

struct TChild {
  pid_t Pid;
  QString Command;
};

// Children still running (zombies are ended, only not yet reaped).
QList<TChild> LivingChildren()
{
  QList<TChild> found;
  const pid_t self = getpid();
  for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    bool number = false;
    const pid_t pid = entry.toInt(&number);
    if (!number)
      continue;
    QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
      continue;
    // pid (command) state ppid ...; the command may hold spaces and parentheses.
    const QByteArray line = stat.readAll();
    const int open = line.indexOf('('), close = line.lastIndexOf(')');
    if (open < 0 || close < open)
      continue;
    const QList<QByteArray> rest = line.mid(close + 2).split(' ');
    if (rest.size() < 2 || rest[0] == "Z" || rest[0] == "X" || rest[1].toInt() != self)
      continue;
    found.push_back({pid, QString::fromLocal8Bit(line.mid(open + 1, close - open - 1))});
  }
  return found;
}

}  // namespace

QStringList EndChildProcesses(int GraceMs)
{
  for (int waited = 0; waited < GraceMs && !LivingChildren().isEmpty(); waited += 10)
    QThread::msleep(10);
  QStringList ended;
  for (const TChild &child : LivingChildren()) {
    // A program started by the framework leads a process group of its own: its children go too.
    if (getpgid(child.Pid) == child.Pid)
      kill(-child.Pid, SIGKILL);
    kill(child.Pid, SIGKILL);
    ended << QStringLiteral("%1 (%2)").arg(child.Command).arg(child.Pid);
  }
  return ended;
}

}  // namespace testsupport
