#pragma once
// Shared helpers for the test executables.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

// Folder under the build tree where tests leave pictures and files worth looking at.
QString OutputDir();

// Absolute path of a file below tests/fixtures.
QString Fixture(const QString &relative);

// The whole file; empty when it cannot be read.
QByteArray ReadBytes(const QString &Path);
// Writes the file anew; a test failure when it cannot be written.
void WriteBytes(const QString &Path, const QByteArray &Data);

// Ends the child processes of the test process still running after GraceMs, each with the
// process group it leads; answers them ("name (pid)").
QStringList EndChildProcesses(int GraceMs);

}  // namespace testsupport
