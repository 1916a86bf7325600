// The per-test listener of every test executable (see test_listener.h). Compiled into each
// executable directly, so that its static registration is never dropped by the linker.
#include "tests/support/test_listener.h"

#include "tests/support/test_support.h"

#include "framework/system/clock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {
namespace {

std::vector<std::function<void()>> &Hooks()
{
  static std::vector<std::function<void()>> hooks;
  return hooks;
}

class TResetListener : public ::testing::EmptyTestEventListener {
public:
  void OnTestStart(const ::testing::TestInfo &) override
  {
    ResetSimulatedClock();
    for (const auto &hook : Hooks())
      hook();
  }
  void OnTestEnd(const ::testing::TestInfo &Info) override
  {
    // Ended here so that they do not disturb the tests after this one.
    const QStringList children = EndChildProcesses(0);
    if (children.isEmpty())
      return;
    const std::string what = std::string(Info.test_suite_name()) + "." + Info.name() + " left " +
                             children.join(QStringLiteral(", ")).toStdString();
    fprintf(stderr, "%s\n", what.c_str());
    Leftovers().push_back(what);
  }
  static std::vector<std::string> &Leftovers()
  {
    static std::vector<std::string> leftovers;
    return leftovers;
  }
};

// Fails the run at its end when a test left a child process behind.
class TLeftoverCheck : public ::testing::Environment {
public:
  void TearDown() override
  {
    for (const std::string &what : TResetListener::Leftovers())
      ADD_FAILURE() << "child process left running: " << what;
  }
};

[[maybe_unused]] const bool Installed = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new TResetListener);
  ::testing::AddGlobalTestEnvironment(new TLeftoverCheck);
  return true;
}();

}  // namespace

void AddResetHook(std::function<void()> Hook) { Hooks().push_back(std::move(Hook)); }

}  // namespace testsupport
