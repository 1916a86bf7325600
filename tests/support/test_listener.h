#pragma once
// Each test starts from the state a fresh program has: before every test the listener sets the
// framework's simulated clock back to its start and runs the reset routines the test executable registered (a GUI executable resets simulated input and
// the message pump, one linking the project resets the application state). After every test it
// looks for child processes the test left running; the executable fails at its end, naming the
// tests, if there were any.
#include <functional>

namespace testsupport {

// Registers a routine run before every test; called from a static object's constructor in the
// file that registers it (which the executable must link as an object, not from an archive).
void AddResetHook(std::function<void()> Hook);

}  // namespace testsupport
