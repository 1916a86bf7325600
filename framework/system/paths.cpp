#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/system/paths.h"
#include "framework/system/sysutils.h"

namespace {

QString gExeNameOverride;

bool IsDelim(QChar c) { return c == '/' || c == '\\'; }

int LastDelim(const QString &s)
{
  for (int i = int(s.size()) - 1; i >= 0; --i)
    if (IsDelim(s[i])) return i;
  return -1;
}

}  // namespace

QString ExtractFilePath(const QString &fileName) { return fileName.left(LastDelim(fileName) + 1); }

QString ExtractFileDir(const QString &fileName)
{
  const int i = LastDelim(fileName);
  if (i < 0) return QString();
  if (i == 0) return fileName.left(1);  // the root keeps its delimiter
  return fileName.left(i);
}

QString ExtractFileName(const QString &fileName) { return fileName.mid(LastDelim(fileName) + 1); }

QString ExtractFileExt(const QString &fileName)
{
  for (int i = int(fileName.size()) - 1; i >= 0; --i) {
    if (IsDelim(fileName[i])) break;
    if (fileName[i] == '.') return fileName.mid(i);
  }
  return QString();
}

QString ChangeFileExt(const QString &fileName, const QString &ext)
{
  for (int i = int(fileName.size()) - 1; i >= 0; --i) {
    if (IsDelim(fileName[i])) break;
    if (fileName[i] == '.') return fileName.left(i) + ext;
  }
  return fileName + ext;
}

QString IncludeTrailingPathDelimiter(const QString &path)
{
  if (!path.isEmpty() && IsDelim(path.back())) return path;
  return path + QChar(PathDelim);
}

QString ExcludeTrailingPathDelimiter(const QString &path)
{
  if (path.size() > 1 && IsDelim(path.back())) return path.left(path.size() - 1);
  return path;
}

QString ExpandFileName(const QString &fileName)
{
  if (fileName.isEmpty()) return fileName;
  return QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

bool FileExists(const QString &fileName)
{
  if (fileName.isEmpty()) return false;
  const QFileInfo fi(fileName);
  return fi.exists() && !fi.isDir();
}

bool DirectoryExists(const QString &dir)
{
  if (dir.isEmpty()) return false;
  return QFileInfo(dir).isDir();
}

bool ForceDirectories(const QString &dir)
{
  if (dir.isEmpty()) return false;
  return QDir().mkpath(ExcludeTrailingPathDelimiter(dir));
}

bool CreateDir(const QString &dir)
{
  if (dir.isEmpty()) return false;
  return QDir().mkdir(ExcludeTrailingPathDelimiter(dir));
}

bool RemoveDir(const QString &dir) { return !dir.isEmpty() && QDir().rmdir(dir); }

bool DeleteFile(const QString &fileName) { return FileExists(fileName) && QFile::remove(fileName); }

bool RenameFile(const QString &oldName, const QString &newName)
{
  // Like the platform: fails when the new name exists.
  if (QFileInfo::exists(newName)) return false;
  return QFile::rename(oldName, newName);
}

bool CopyFile(const QString &source, const QString &dest, bool failIfExists)
{
  if (!FileExists(source)) return false;
  if (QFileInfo::exists(dest)) {
    if (failIfExists || !QFile::remove(dest)) return false;
  }
  return QFile::copy(source, dest);
}

int64_t FileSize(const QString &fileName)
{
  const QFileInfo fi(fileName);
  return fi.exists() && !fi.isDir() ? fi.size() : -1;
}

QStringList FindFiles(const QString &dir, const QString &mask, bool includeReadOnly)
{
  QDir d(dir);
  if (dir.isEmpty() || !d.exists()) return {};
  const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(mask, QRegularExpression::UnanchoredWildcardConversion),
                              QRegularExpression::CaseInsensitiveOption);
  const QRegularExpression anchored(QRegularExpression::anchoredPattern(re.pattern()), re.patternOptions());
  QStringList r;
  for (const QFileInfo &fi : d.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
    if (!includeReadOnly && !(fi.permissions() & QFileDevice::WriteOwner)) continue;
    if (anchored.match(fi.fileName()).hasMatch()) r << fi.fileName();
  }
  std::sort(r.begin(), r.end(), [](const QString &a, const QString &b) { return CompareText(a, b) < 0; });
  return r;
}

QStringList FindDirectories(const QString &dir)
{
  QDir d(dir);
  if (dir.isEmpty() || !d.exists()) return {};
  QStringList r = d.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  std::sort(r.begin(), r.end(), [](const QString &a, const QString &b) { return CompareText(a, b) < 0; });
  return r;
}

QString ExeName()
{
  if (!gExeNameOverride.isEmpty()) return gExeNameOverride;
  QString p = QCoreApplication::applicationFilePath();
  if (p.isEmpty()) p = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
  return p;
}

void SetExeNameOverride(const QString &path) { gExeNameOverride = path; }

bool PathExists(const QString &path)
{
  if (path.isEmpty()) return false;
  const QFileInfo fi(path);
  return fi.exists() || fi.isSymLink();
}

QString FindFileIgnoreCase(const QString &dir, const QString &name)
{
  if (dir.isEmpty() || name.isEmpty()) return QString();
  const QString exact = IncludeTrailingPathDelimiter(dir) + name;
  if (FileExists(exact)) return exact;
  QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString &e : entries)
    if (e.compare(name, Qt::CaseInsensitive) == 0) return IncludeTrailingPathDelimiter(dir) + e;
  return QString();
}

bool ReadFileBytes(const QString &fileName, QByteArray &data, QString *reason)
{
  data.clear();
  auto fail = [&](const QString &why) {
    if (reason) *reason = why;
    return false;
  };
  auto systemError = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
  if (fileName.isEmpty()) return fail(QStringLiteral("No file name."));
  const QByteArray native = QFile::encodeName(fileName);
  // Opening a FIFO without O_NONBLOCK would wait for a writer; it is refused below anyway.
  int fd;
  do {
    fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return fail(systemError());
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st;
  if (::fstat(fd, &st) != 0) return fail(systemError());
  if (S_ISDIR(st.st_mode)) return fail(QStringLiteral("It is a folder."));
  if (!S_ISREG(st.st_mode)) return fail(QStringLiteral("It is not a regular file."));
  const QString tooLarge = QStringLiteral("The file is larger than %1 MiB.").arg(MaxReadFileSize >> 20);
  if (st.st_size > MaxReadFileSize) return fail(tooLarge);
  // The size is only a hint: the file may grow while it is read.
  QByteArray bytes;
  bytes.reserve(qsizetype(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(systemError());
    }
    if (n == 0) break;
    if (bytes.size() + n > MaxReadFileSize) return fail(tooLarge);
    bytes.append(buffer, qsizetype(n));
  }
  data = bytes;
  return true;
}
