#include "download/download_command_win.h"

namespace varomil {

// Placeholder until the download lands: sends nothing.
void runDownloadCommand(HWND) {}

LRESULT onDownloadSocketMessage(WPARAM, LPARAM) {
    return 0;
}

}  // namespace varomil
