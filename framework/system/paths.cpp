#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

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
