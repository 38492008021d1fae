// The terminal window (class "Client"): shows the telnet screen while connected.
#pragma once

#include <windows.h>

#include "app/command_ids.h"

namespace varomil {

constexpr char kTerminalClassName[] = "Client";

// kTerminalSpanChanged (1324) and kTerminalCursorMoved (1325) are in app/command_ids.h:
// wParam holds the row in the high word and the column in the low word; for a
// span, lParam holds the length in the high word.
//
// Posted by the receive thread after a block: the session's pending notifications
// are waiting for the window (one notice covers every block until it is taken).
constexpr UINT kTerminalUpdate = WM_USER + 302;
// Posted by the receive thread when the connection ended; wParam: its generation.
constexpr UINT kTerminalHostClosed = WM_USER + 303;

LRESULT CALLBACK TerminalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Takes the session's pending notifications and shows them: repaints the changed
// cells (or the whole window), moves and shows or hides the caret, beeps.
void deliverTerminalUpdates(HWND terminal);

}  // namespace varomil
