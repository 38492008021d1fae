// Every private window message of the program, so that no two share a number.
// Plain numbers (UINT is unsigned) so that core files may name them too; the
// terminal window checks them against WM_USER.
#pragma once

namespace varomil {

// Sent by the receive thread to the terminal window: wParam holds the row in the
// high word and the column in the low word; for a span, lParam holds the length
// in the high word.
constexpr unsigned kTerminalSpanChanged = 1324;  // WM_USER + 300
constexpr unsigned kTerminalCursorMoved = 1325;  // WM_USER + 301
// Posted by the receive thread after a block: the session's pending notifications
// are waiting for the window (one notice covers every block until it is taken).
constexpr unsigned kTerminalUpdate = 1326;  // WM_USER + 302
// Posted by the receive thread when the connection ended; wParam: its generation.
constexpr unsigned kTerminalHostClosed = 1327;  // WM_USER + 303
// The download link's socket notifications (FD_CLOSE) arrive at the terminal
// window as this message, which hands them on to the download.
constexpr unsigned kDownloadSocketMessage = 1424;  // WM_USER + 400
// Sent to the main window: lParam is the NUL-terminated text for the status bar's
// link part (the state of a telnet connection or of a download's wait).
constexpr unsigned kLinkStatusMessage = 1328;  // WM_USER + 304
// Posted to the main window once a menu, a dialog or the selector's list is
// done: while connected, the keys go back to the terminal.
constexpr unsigned kKeysToTerminalMessage = 1329;  // WM_USER + 305
// Posted by a site run's worker thread to its window: what the terminals did is
// queued for it (one notice covers every event until it is taken).
constexpr unsigned kSiteEventsMessage = 1524;  // WM_USER + 500
// Posted once the site run has ended and its log and report are written.
constexpr unsigned kSiteDoneMessage = 1525;  // WM_USER + 501

}  // namespace varomil
