#pragma once
// Whole-file writes that never leave a half-written file behind.
#include <QByteArray>
#include <QString>

// Writes `data` to a temporary file in the folder of `path`, forces it to the disk and renames
// it over `path`. Answers false when any step fails (a full disk, a read-only file, a folder
// in the way); the file that was there before stays untouched and `error` (when given)
// receives a message naming the file and the reason. A symbolic link at `path` is replaced
// by the new file; the file it points to is never written.
bool WriteFileAtomic(const QString &path, const QByteArray &data, QString *error = nullptr);

// Same, but raises EFCreateError with that message on failure.
void WriteFileAtomicOrRaise(const QString &path, const QByteArray &data);
