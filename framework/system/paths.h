#pragma once
// File-name routines and file-system helpers. Paths use "/" as the delimiter; "\" is also
// accepted as a delimiter when splitting names, since names written by the original program
// may carry it.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

constexpr char PathDelim = '/';

QString ExtractFilePath(const QString &fileName);   // with the trailing delimiter
QString ExtractFileDir(const QString &fileName);    // without the trailing delimiter
QString ExtractFileName(const QString &fileName);
QString ExtractFileExt(const QString &fileName);    // with the dot, "" when none
QString ChangeFileExt(const QString &fileName, const QString &ext);
QString IncludeTrailingPathDelimiter(const QString &path);
QString ExcludeTrailingPathDelimiter(const QString &path);
QString ExpandFileName(const QString &fileName);

bool FileExists(const QString &fileName);       // a file, not a folder
// Anything at that path: a file, a folder, a device, also a link that leads nowhere.
bool PathExists(const QString &path);
bool DirectoryExists(const QString &dir);
bool ForceDirectories(const QString &dir);      // creates every missing level
bool CreateDir(const QString &dir);             // one level
bool RemoveDir(const QString &dir);             // an empty folder
bool DeleteFile(const QString &fileName);
bool RenameFile(const QString &oldName, const QString &newName);
bool CopyFile(const QString &source, const QString &dest, bool failIfExists);
int64_t FileSize(const QString &fileName);      // -1 when missing

// Names (not paths) of the files in `dir` matching the wildcard `mask` ("*.lng"), sorted
// case-insensitively. Matching ignores case, as the original file system did. Files without
// the owner's write permission count as read-only and are left out unless asked for.
QStringList FindFiles(const QString &dir, const QString &mask, bool includeReadOnly = true);
// Full path of the file in `dir` named `name` ignoring case, as the original file system
// matched names (an exact match wins); "" when there is none.
QString FindFileIgnoreCase(const QString &dir, const QString &name);
// Names of the sub-folders of `dir` (without "." and ".."), sorted case-insensitively.
QStringList FindDirectories(const QString &dir);

// Largest file read whole; anything larger is no file of this program.
constexpr int64_t MaxReadFileSize = int64_t(64) << 20;
// Reads a regular file whole. Anything else (a folder, a FIFO, a device, also through a link)
// and files above MaxReadFileSize are refused without blocking or reading on: the answer is
// false and `reason` (when given) says why, without the file name.
bool ReadFileBytes(const QString &fileName, QByteArray &data, QString *reason = nullptr);

// The executable's full path; the program folder is ExtractFilePath(ExeName()).
QString ExeName();
// Tests point the program folder at a temporary folder: SetExeNameOverride(dir + "/quillomark").
// An empty path removes the override.
void SetExeNameOverride(const QString &path);
