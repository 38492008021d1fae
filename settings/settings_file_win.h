// The settings-file commands of the main window: choose a *.NET file and read or
// write the settings image with the captured screens.
#pragma once

#include <windows.h>

namespace varomil {

// Each returns true when a file was read or written.
bool openSettingsFile(HWND owner);
bool saveSettingsFile(HWND owner);
bool saveSettingsFileAs(HWND owner);

}  // namespace varomil
