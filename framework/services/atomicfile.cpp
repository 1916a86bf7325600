#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/services/atomicfile.h"
#include "framework/system/sysutils.h"

namespace {

std::function<void(const QByteArray &)> &SyncHook()
{
  static std::function<void(const QByteArray &)> Hook;
  return Hook;
}

QString SystemError(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// fsync, with the file systems that cannot sync counted as done.
int Sync(int fd, const QByteArray &name)
{
  if (SyncHook()) SyncHook()(name);
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP) return errno;
  return 0;
}

// The folder part of a file name as the system takes it ("." for a bare name).
QByteArray FolderOf(const QByteArray &target)
{
  const qsizetype slash = target.lastIndexOf('/');
  if (slash < 0) return ".";
  return slash == 0 ? QByteArray("/") : target.left(slash);
}

// True for the name of a temporary file TAtomicFile makes for a target named `base`: the
// base, a dot, a 32-bit number in lower-case base 36 and ".tmp".
bool IsOurTemporary(const char *name, const QByteArray &base)
{
  const qsizetype length = qsizetype(std::strlen(name));
  const qsizetype digits = length - base.size() - 1 - 4;
  if (digits < 1 || digits > 7) return false;
  if (std::strncmp(name, base.constData(), size_t(base.size())) != 0 || name[base.size()] != '.') return false;
  if (std::strcmp(name + length - 4, ".tmp") != 0) return false;
  const char *d = name + base.size() + 1;
  if (digits > 1 && d[0] == '0') return false;
  uint64_t value = 0;
  for (qsizetype i = 0; i < digits; ++i) {
    const char c = d[i];
    if (c >= '0' && c <= '9')
      value = value * 36 + uint64_t(c - '0');
    else if (c >= 'a' && c <= 'z')
      value = value * 36 + uint64_t(c - 'a' + 10);
    else
      return false;
  }
  return value <= 0xFFFFFFFFu;
}

// A save that was killed leaves its temporary file; the next save of the same file removes it.
void RemoveStaleTemporaries(const QByteArray &folder, const QByteArray &target)
{
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray base = slash < 0 ? target : target.mid(slash + 1);
  DIR *dir = ::opendir(folder.constData());
  if (!dir) return;
  while (const dirent *e = ::readdir(dir)) {
    if (!IsOurTemporary(e->d_name, base)) continue;
    const QByteArray name = folder + '/' + e->d_name;
    struct stat st;
    if (::lstat(name.constData(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(name.constData());
  }
  ::closedir(dir);
}

}  // namespace

TAtomicFile::TAtomicFile(const QString &Path) : FPath(Path), FTarget(QFile::encodeName(Path))
{
  if (Path.isEmpty()) {
    FReason = QStringLiteral("No file name.");
    return;
  }
  // The name itself is looked at, not what a link there points to: a link is replaced by the
  // new file and its target is never written. A folder that is a link stays usable.
  struct stat old;
  const bool exists = ::lstat(FTarget.constData(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
    FReason = QStringLiteral("A folder of that name exists.");
    return;
  }
  // Replacing by rename would ignore a read-only file; the original platform refuses it.
  if (exists && S_ISREG(old.st_mode) && !(old.st_mode & S_IWUSR)) {
    FReason = QStringLiteral("The file is read-only.");
    return;
  }
  // A temporary file beside the target, so that the rename stays on one file system.
  for (int attempt = 0; attempt < 100 && FFd < 0; ++attempt) {
    FTemp = FTarget + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
    FFd = ::open(FTemp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FFd < 0 && errno != EEXIST && errno != EINTR) break;
  }
  if (FFd < 0) {
    FCode = errno;
    FTemp.clear();
    return;
  }
  if (exists && S_ISREG(old.st_mode)) ::fchmod(FFd, old.st_mode & 07777);
}

TAtomicFile::~TAtomicFile()
{
  if (FFd >= 0) ::close(FFd);
  if (!FDone && !FTemp.isEmpty()) ::unlink(FTemp.constData());
}

void TAtomicFile::Write(const char *Data, qsizetype Size)
{
  if (FFd < 0 || FCode != 0) return;
  // A full disk must show here, while the old file is still in place, and not after the rename.
  while (Size > 0) {
    const ssize_t n = ::write(FFd, Data, size_t(std::min<qsizetype>(Size, qsizetype(1) << 30)));
    if (n < 0) {
      if (errno == EINTR) continue;
      FCode = errno;
      return;
    }
    if (n == 0) {
      FCode = ENOSPC;
      return;
    }
    Data += n;
    Size -= n;
  }
}

bool TAtomicFile::Commit(QString *Error)
{
  auto fail = [&](const QString &reason) {
    if (FFd >= 0) ::close(FFd);
    FFd = -1;
    if (!FTemp.isEmpty()) ::unlink(FTemp.constData());
    FTemp.clear();
    FDone = true;
    if (Error) *Error = QStringLiteral("Cannot write file \"%1\". %2").arg(FPath, reason);
    return false;
  };
  if (FDone) return fail(QStringLiteral("The file was written already."));
  if (!FReason.isEmpty()) return fail(FReason);
  int code = FCode;
  if (code == 0) code = Sync(FFd, FTemp);
  if (FFd >= 0 && ::close(FFd) != 0 && code == 0 && errno != EINTR) code = errno;
  FFd = -1;
  if (code == 0 && ::rename(FTemp.constData(), FTarget.constData()) != 0) code = errno;
  if (code != 0) return fail(SystemError(code));
  FTemp.clear();
  FDone = true;
  // The rename is an entry of the folder: without forcing it the old file may come back.
  const QByteArray folder = FolderOf(FTarget);
  const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    Sync(dir, folder);
    ::close(dir);
  }
  RemoveStaleTemporaries(folder, FTarget);
  if (Error) Error->clear();
  return true;
}

bool WriteFileAtomic(const QString &path, const QByteArray &data, QString *error)
{
  TAtomicFile file(path);
  file.Write(data);
  return file.Commit(error);
}

void WriteFileAtomicOrRaise(const QString &path, const QByteArray &data)
{
  QString error;
  if (!WriteFileAtomic(path, data, &error)) throw EFCreateError(error);
}

void SetAtomicFileSyncHook(std::function<void(const QByteArray &Name)> Hook) { SyncHook() = std::move(Hook); }
