#pragma once
// Files that are not what a reader or writer expects: a disk that fills up, a FIFO, a
// sparse file of any size. All of them work unprivileged and on any file system.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace testsupport {

// While alive, a file of this process cannot grow beyond `limit` bytes: the write that would
// pass it fails (EFBIG), as on a full disk. SIGXFSZ is ignored meanwhile so that the write
// returns the error instead of ending the process. Keep the scope to the write under test.
class DiskFullAbove {
public:
  explicit DiskFullAbove(rlim_t limit)
  {
    ::getrlimit(RLIMIT_FSIZE, &FOld);
    FOldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit r = FOld;
    r.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &r);
  }
  ~DiskFullAbove()
  {
    ::setrlimit(RLIMIT_FSIZE, &FOld);
    ::signal(SIGXFSZ, FOldHandler);
  }
  DiskFullAbove(const DiskFullAbove &) = delete;
  DiskFullAbove &operator=(const DiskFullAbove &) = delete;

private:
  rlimit FOld{};
  sighandler_t FOldHandler = SIG_DFL;
};

// A FIFO at `path` that hands `content` to every reader that opens it. A reader that opens it
// the blocking way is served (so a test of such a reader ends, and fails) instead of waiting
// for ever; a reader that refuses FIFOs leaves the content unread.
class FedFifo {
public:
  FedFifo(const QString &path, QByteArray content) : FPath(QFile::encodeName(path)), FContent(std::move(content))
  {
    FOk = ::mkfifo(FPath.constData(), 0600) == 0;
    FOldPipe = ::signal(SIGPIPE, SIG_IGN);  // the reader may be gone before the write
    FThread = std::thread([this] { Feed(); });
  }
  ~FedFifo()
  {
    FStop = true;
    FThread.join();
    ::signal(SIGPIPE, FOldPipe);
  }
  FedFifo(const FedFifo &) = delete;
  FedFifo &operator=(const FedFifo &) = delete;

  bool Ok() const { return FOk; }

private:
  void Feed()
  {
    while (!FStop) {
      // Opening for writing without blocking succeeds only while a reader has it open.
      const int fd = ::open(FPath.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, FContent.constData(), size_t(FContent.size()));
        ::close(fd);
        ::usleep(50000);  // time for that reader to see the end and close
        continue;
      }
      ::usleep(2000);
    }
  }

  QByteArray FPath;
  QByteArray FContent;
  bool FOk = false;
  sighandler_t FOldPipe = SIG_DFL;
  std::atomic<bool> FStop{false};
  std::thread FThread;
};

// A file that starts with `head` and is `size` bytes long; the rest is a hole that takes no
// disk space.
inline bool MakeSparseFile(const QString &path, const QByteArray &head, qint64 size)
{
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return f.write(head) == head.size() && f.resize(size);
}

}  // namespace testsupport
