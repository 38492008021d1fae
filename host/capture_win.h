// Host-screen capture into a *.SCR file.
#pragma once

#include <windows.h>

#include <string>

namespace varomil {

// Asks for the file in a dialog owned by `owner`; true when a capture file is open.
bool startCapture(HWND owner);
// Appends the screen when a capture is in progress. False only when a screen was
// lost: a short write is not a captured screen.
bool captureScreen(HWND owner);
// Ends the capture; says what was saved ("3 screens in site.SCR"), or nothing
// when no capture was open.
std::string stopCapture(HWND owner);

}  // namespace varomil
