#include "download/download_command_win.h"

namespace varomil {

// Placeholder until the download lands: sends nothing.
void runDownloadCommand(HWND) {}

}  // namespace varomil
