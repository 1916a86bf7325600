// Before every test of an executable linking the project: the application state, the bank
// builder and the side-file state as at program start.
#include "project/app_state.h"
#include "project/banks.h"
#include "project/side_files.h"
#include "tests/support/test_listener.h"

namespace {

[[maybe_unused]] const bool Registered = [] {
  testsupport::AddResetHook([] {
    AppState().Reset();
    ResetBankBuilder();
    SideFileState().Reset();
  });
  return true;
}();

}  // namespace
