// Every private window message of the program, so that no two share a number.
#pragma once

#include <windows.h>

namespace varomil {

// Sent by the receive thread to the terminal window: wParam holds the row in the
// high word and the column in the low word; for a span, lParam holds the length
// in the high word.
constexpr UINT kTerminalSpanChanged = 1324;
constexpr UINT kTerminalCursorMoved = 1325;
// Posted by the receive thread after a block: the session's pending notifications
// are waiting for the window (one notice covers every block until it is taken).
constexpr UINT kTerminalUpdate = WM_USER + 302;  // 1326
// Posted by the receive thread when the connection ended; wParam: its generation.
constexpr UINT kTerminalHostClosed = WM_USER + 303;  // 1327
// The download link's socket notifications (FD_CLOSE) arrive at the terminal
// window as this message, which hands them on to the download.
constexpr UINT kDownloadSocketMessage = 1424;
// Sent to the main window: lParam is the NUL-terminated text for the status bar's
// link part (the state of a telnet connection or of a download's wait).
constexpr UINT kLinkStatusMessage = WM_USER + 304;  // 1328

// Shows the state of a link in the status bar of the main window that `window`
// belongs to.
inline void showLinkStatus(HWND window, const char* text) {
    SendMessageA(GetAncestor(window, GA_ROOT), kLinkStatusMessage, 0,
                 reinterpret_cast<LPARAM>(text));
}

static_assert(kTerminalUpdate == 1326 && kTerminalHostClosed == 1327,
              "private messages keep their numbers");

}  // namespace varomil
