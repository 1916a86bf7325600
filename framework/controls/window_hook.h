#pragma once
// A hook on the program's window messages: the hook hears WM_WINDOWPOSCHANGED whenever any
// window of the program (top-level or child) has moved or changed size. It stays until it is
// removed.
#include <cstdint>
#include <functional>

using TWindowMessageHook = std::function<void(uint32_t Msg)>;

// The handle of the hook; nullptr when no application object exists yet.
void *SetWindowMessageHook(TWindowMessageHook Hook);
// Removes a hook set before; False for an unknown handle.
bool UnhookWindowMessageHook(void *Handle);
