// Reading and writing whole files in tests.
#include "tests/support/test_support.h"

#include <QFile>
#include <gtest/gtest.h>

namespace testsupport {

QByteArray ReadBytes(const QString &Path)
{
  QFile f(Path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString &Path, const QByteArray &Data)
{
  QFile f(Path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Path.toStdString();
  ASSERT_EQ(f.write(Data), Data.size()) << Path.toStdString();
}

}  // namespace testsupport
