// Every message box of the program goes through showMessage, so that the GUI tests
// can answer it from a script and check its exact text, caption and flags.
#pragma once

#include <windows.h>

#include <functional>

namespace varomil {

// MessageBoxA, or the installed hook when there is one.
int showMessage(HWND owner, const char* text, const char* caption, UINT flags);

// Answers message boxes instead of the user; an empty function removes the hook.
using MessageBoxHook =
    std::function<int(HWND owner, const char* text, const char* caption, UINT flags)>;
void setMessageBoxHook(MessageBoxHook hook);

}  // namespace varomil
