// The settings-file commands of the main window: choose a *.NET file and read or
// write the settings image with the captured screens.
#pragma once

#include <windows.h>

#include <string>

namespace varomil {

// Each returns true when a file was read or written. `fileName` is the document's
// current file (empty: none yet); the commands set it to the file chosen, and
// clear it when a file could not be loaded. A file may name products
// 1..productCount. A file that cannot be read or written, or is no settings file
// of a known version, is reported in a message box with the system's reason.
bool openSettingsFile(HWND owner, std::string& fileName, int productCount);
bool saveSettingsFile(HWND owner, std::string& fileName);
bool saveSettingsFileAs(HWND owner, std::string& fileName);

// Loads the file at `path` as Open does once a file is chosen. Defaults: the file
// is no settings file of a known version; the factory settings were loaded and
// `fileName` is left empty, so that the file is never overwritten unasked.
enum class OpenResult { Loaded, Defaults, Failed };
OpenResult openSettingsFileAt(HWND owner, const std::string& path, std::string& fileName,
                              int productCount);

}  // namespace varomil
