// Download Settings and Download Program: which of the two is told by
// document().DownloadKind.
#pragma once

#include <windows.h>

#include "shell/window_messages.h"

namespace varomil {

void runDownloadCommand(HWND owner);

// The terminal window hands the download link's socket notifications on here.
LRESULT onDownloadSocketMessage(WPARAM socket, LPARAM event);

}  // namespace varomil
