// The settings-file commands of the main window: choose a *.NET file and read or
// write the settings image with the captured screens.
#pragma once

#include <windows.h>

#include <string>

namespace varomil {

// Each returns true when a file was read or written. `fileName` is the document's
// current file (empty: none yet); the commands set it to the file chosen, and
// clear it when a file could not be loaded. A file may name products
// 1..productCount.
bool openSettingsFile(HWND owner, std::string& fileName, int productCount);
bool saveSettingsFile(HWND owner, std::string& fileName);
bool saveSettingsFileAs(HWND owner, std::string& fileName);

}  // namespace varomil
