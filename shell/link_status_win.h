// The status bar's link part, reached from the subsystems that run a link (the
// telnet connection, the download) without knowing the main window.
#pragma once

#include <windows.h>

#include "shell/window_messages.h"

namespace varomil {

// Shows the state of a link in the status bar of the main window that `window`
// belongs to.
inline void showLinkStatus(HWND window, const char* text) {
    SendMessageA(GetAncestor(window, GA_ROOT), kLinkStatusMessage, 0,
                 reinterpret_cast<LPARAM>(text));
}

}  // namespace varomil
