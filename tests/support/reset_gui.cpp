// Before every test of an executable linking the framework's controls: no held keys or
// buttons, no capture, no queued messages, no main form or hint from an earlier test.
#include "framework/controls/forms.h"
#include "framework/controls/pump.h"
#include "framework/testing/input.h"
#include "tests/support/test_listener.h"

namespace {

[[maybe_unused]] const bool Registered = [] {
  testsupport::AddResetHook([] {
    SimResetInput();
    TMessagePump::Instance().Reset();
    Application->ResetForTests();
  });
  return true;
}();

}  // namespace
