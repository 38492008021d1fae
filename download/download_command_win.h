// Download Settings and Download Program: which of the two is told by
// document().DownloadKind.
#pragma once

#include <windows.h>

namespace varomil {

void runDownloadCommand(HWND owner);

}  // namespace varomil
