#pragma once
// Whole-file writes that never leave a half-written file behind.
#include <QByteArray>
#include <QString>

#include <functional>

// A file written in pieces and put in place whole: the data goes to a temporary file
// "<name>.<random>.tmp" in the folder of the target, which Commit forces to the disk and renames
// over the target. Until then the file that was there stays untouched; a writer destroyed
// without Commit removes its temporary file.
class TAtomicFile {
public:
  explicit TAtomicFile(const QString &Path);
  ~TAtomicFile();
  TAtomicFile(const TAtomicFile &) = delete;
  TAtomicFile &operator=(const TAtomicFile &) = delete;

  // Appends to the temporary file. A failure (a full disk) is kept and answered by Commit.
  void Write(const char *Data, qsizetype Size);
  void Write(const QByteArray &Data) { Write(Data.constData(), Data.size()); }
  // Forces the data to the disk, renames the file over the target and forces the folder, so
  // that the new name survives a power cut; then removes the temporary files that earlier
  // saves of this target left when they were killed. Answers false when any step failed (a
  // full disk, a read-only file, a folder in the way): the old file stays and `Error` (when
  // given) receives a message naming the file and the reason.
  bool Commit(QString *Error = nullptr);

private:
  QString FPath;
  QByteArray FTarget;
  QByteArray FTemp;
  int FFd = -1;
  int FCode = 0;       // the first error number, 0 while all went well
  QString FReason;     // a reason that is no error number
  bool FDone = false;  // committed or failed for good
};

// Writes `data` to `path` through a TAtomicFile. A symbolic link at `path` is replaced by the
// new file; the file it points to is never written.
bool WriteFileAtomic(const QString &path, const QByteArray &data, QString *error = nullptr);

// Same, but raises EFCreateError with that message on failure.
void WriteFileAtomicOrRaise(const QString &path, const QByteArray &data);

// Called with the name of every file and folder the writers force to the disk, in order (tests
// only; empty by default).
void SetAtomicFileSyncHook(std::function<void(const QByteArray &Name)> Hook);
