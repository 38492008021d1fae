// Host-screen capture into a *.SCR file.
#pragma once

#include <windows.h>

namespace varomil {

// True when a capture file is open.
bool startCapture(HWND owner);
void captureScreen(HWND owner);
void stopCapture(HWND owner);

}  // namespace varomil
