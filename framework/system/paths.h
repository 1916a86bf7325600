#pragma once
// File-name routines and file-system helpers. Paths use "/" as the delimiter; "\" is also
// accepted as a delimiter when splitting names, since names written by the original program
// may carry it.
#include <QString>
#include <QStringList>

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
// Names of the sub-folders of `dir` (without "." and ".."), sorted case-insensitively.
QStringList FindDirectories(const QString &dir);

// The executable's full path; the program folder is ExtractFilePath(ExeName()).
QString ExeName();
// Tests point the program folder at a temporary folder: SetExeNameOverride(dir + "/quillomark").
// An empty path removes the override.
void SetExeNameOverride(const QString &path);
