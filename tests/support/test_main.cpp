// Test main shared by every test executable: a headless Qt application with a fixed
// font set, created before any test runs.
#include "tests/support/test_support.h"

#include "framework/controls/platform_app.h"
#include "framework/system/clock.h"
#include "framework/system/collation.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace testsupport {

QString OutputDir()
{
  const QString dir = QStringLiteral(QM_TEST_OUTPUT);
  QDir().mkpath(dir);
  return dir;
}

QString Fixture(const QString &relative)
{
  return QStringLiteral(QM_FIXTURES) + QLatin1Char('/') + relative;
}

}  // namespace testsupport

int main(int argc, char **argv)
{
  // Headless unless a run on a real display asks for its platform (xcb under Xvfb).
  const char *platform = getenv("QM_TEST_PLATFORM");
  setenv("QT_QPA_PLATFORM", platform && *platform ? platform : "offscreen", 1);
  setenv("FONTCONFIG_FILE", QM_FONTS_CONF, 1);
  setenv("QT_QPA_FONTDIR", "/usr/share/fonts/truetype", 1);
  unsetenv("QT_SCALE_FACTOR");
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  if (!getenv("XDG_RUNTIME_DIR")) {
    // Qt wants a private runtime folder; CI runs without a login session.
    static char runtime[] = "/tmp/quillomark-tests-XXXXXX";
    if (mkdtemp(runtime))
      setenv("XDG_RUNTIME_DIR", runtime, 1);
  }
  // The framework's timers wait on a simulated clock that only the tests move on, so that
  // no test depends on how fast the machine is.
  SetClockSimulated(true);
  // Locale-aware comparisons give the same order on every machine.
  SetCollationLocale(QStringLiteral("en_US"));
  ::testing::InitGoogleTest(&argc, argv);
  TPlatformApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
