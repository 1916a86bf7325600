#pragma once
// Shared helpers for the test executables.
#include <QString>

namespace testsupport {

// Folder under the build tree where tests leave pictures and files worth looking at.
QString OutputDir();

// Absolute path of a file below tests/fixtures.
QString Fixture(const QString &relative);

}  // namespace testsupport
