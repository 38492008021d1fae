// Download Settings and Download Program: which of the two is told by
// document().DownloadKind.
#pragma once

#include <windows.h>

namespace varomil {

void runDownloadCommand(HWND owner);

// The download link's socket notifications (FD_CLOSE) arrive at the terminal
// window as this message; the window hands them on here.
constexpr UINT kDownloadSocketMessage = 1424;
LRESULT onDownloadSocketMessage(WPARAM socket, LPARAM event);

}  // namespace varomil
