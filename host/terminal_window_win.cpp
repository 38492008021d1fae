#include "host/terminal_window_win.h"

#include "download/download_command_win.h"

namespace varomil {

// Minimal until the terminal screen lands: a blank window that takes the focus.
LRESULT CALLBACK TerminalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The download link's listening socket reports its close here.
    if (msg == kDownloadSocketMessage) return onDownloadSocketMessage(wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace varomil
