#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/services/atomicfile.h"
#include "framework/system/sysutils.h"

namespace {

QString SystemError(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// Writes all of `data` to `fd`, then forces it to the disk: a full disk must show here, while
// the old file is still in place, and not after the rename.
int WriteAllAndSync(int fd, const QByteArray &data)
{
  const char *p = data.constData();
  qsizetype left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 30)));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return ENOSPC;
    p += n;
    left -= n;
  }
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP) return errno;
  return 0;
}

}  // namespace

bool WriteFileAtomic(const QString &path, const QByteArray &data, QString *error)
{
  auto fail = [&](const QString &reason) {
    if (error) *error = QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason);
    return false;
  };
  if (path.isEmpty()) return fail(QStringLiteral("No file name."));
  const QByteArray target = QFile::encodeName(path);
  // The name itself is looked at, not what a link there points to: a link is replaced by the
  // new file and its target is never written. A folder that is a link stays usable.
  struct stat old;
  const bool exists = ::lstat(target.constData(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return fail(QStringLiteral("A folder of that name exists."));
  // Replacing by rename would ignore a read-only file; the original platform refuses it.
  if (exists && S_ISREG(old.st_mode) && !(old.st_mode & S_IWUSR))
    return fail(QStringLiteral("The file is read-only."));

  // A temporary file beside the target, so that the rename stays on one file system.
  QByteArray temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
    fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST && errno != EINTR) break;
  }
  if (fd < 0) return fail(SystemError(errno));
  if (exists && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);

  int code = WriteAllAndSync(fd, data);
  if (::close(fd) != 0 && code == 0 && errno != EINTR) code = errno;
  if (code == 0 && ::rename(temp.constData(), target.constData()) != 0) code = errno;
  if (code != 0) {
    ::unlink(temp.constData());
    return fail(SystemError(code));
  }
  if (error) error->clear();
  return true;
}

void WriteFileAtomicOrRaise(const QString &path, const QByteArray &data)
{
  QString error;
  if (!WriteFileAtomic(path, data, &error)) throw EFCreateError(error);
}
