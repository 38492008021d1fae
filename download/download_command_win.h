// Download Settings and Download Program in the Win32 shell.
#pragma once

#include <windows.h>

#include "download/download_command.h"
#include "shell/window_messages.h"

namespace varomil {

// `socketWindow` receives the RF link's socket notifications (kDownloadSocketMessage)
// and hands them on to onDownloadSocketMessage.
DownloadOutcome runDownloadCommand(TransferKind kind, HWND socketWindow);

// The terminal window hands the download link's socket notifications on here.
LRESULT onDownloadSocketMessage(WPARAM socket, LPARAM event);

}  // namespace varomil
