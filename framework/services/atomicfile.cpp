#include <QFileInfo>
#include <QSaveFile>

#include "framework/services/atomicfile.h"
#include "framework/system/sysutils.h"

bool WriteFileAtomic(const QString &path, const QByteArray &data, QString *error)
{
  auto fail = [&](const QString &reason) {
    if (error) *error = QStringLiteral("Cannot write file \"%1\". %2").arg(path, reason);
    return false;
  };
  if (path.isEmpty()) return fail(QStringLiteral("No file name."));
  const QFileInfo info(path);
  if (info.isDir()) return fail(QStringLiteral("A folder of that name exists."));
  // Replacing by rename would ignore a read-only file; the original platform refuses it.
  if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
    return fail(QStringLiteral("The file is read-only."));
  // QSaveFile writes a temporary file next to the target and renames it on commit.
  QSaveFile f(path);
  f.setDirectWriteFallback(false);
  if (!f.open(QIODevice::WriteOnly)) return fail(f.errorString());
  if (f.write(data) != data.size()) {
    const QString why = f.errorString();
    f.cancelWriting();
    return fail(why);
  }
  if (!f.commit()) return fail(f.errorString());
  if (error) error->clear();
  return true;
}

void WriteFileAtomicOrRaise(const QString &path, const QByteArray &data)
{
  QString error;
  if (!WriteFileAtomic(path, data, &error)) throw EFCreateError(error);
}
