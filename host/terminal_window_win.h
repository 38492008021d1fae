// The terminal window (class "Client"): shows the telnet screen while connected.
#pragma once

#include <windows.h>

#include "shell/window_messages.h"

namespace varomil {

constexpr char kTerminalClassName[] = "Client";

LRESULT CALLBACK TerminalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Takes the session's pending notifications and shows them: repaints the changed
// cells (or the whole window), moves and shows or hides the caret, beeps.
void deliverTerminalUpdates(HWND terminal);

}  // namespace varomil
