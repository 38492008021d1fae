// The File menu's recent files, kept under HKEY_CURRENT_USER\Software\Varomil and
// shown just above Exit.
#pragma once

#include <windows.h>

#include <string>

namespace varomil {

// Command ids of the four menu entries, newest first.
constexpr int kFirstRecentFileCommand = 1081;
constexpr bool isRecentFileCommand(int id) {
    return id >= kFirstRecentFileCommand && id < kFirstRecentFileCommand + 4;
}

// The path behind a recent-file command as the menu shows it; empty when there is none.
std::string recentFile(int command);

// Puts the file first (or drops it) in the stored list and shows the list in the
// frame's File menu.
void rememberFile(HWND frame, const std::string& path);
void forgetFile(HWND frame, const std::string& path);

// Shows the stored list in the File menu (at start-up).
void showRecentFiles(HWND frame);

}  // namespace varomil
