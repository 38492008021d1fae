// The command dispatcher of the main window.
#pragma once

#include <windows.h>

#include <string>

namespace varomil {

// Runs a command: menu item, accelerator, toolbar button or product selector.
void dispatchCommand(HWND frame, int id);

// "Save the program ?" with Yes/No/Cancel; Yes saves. False when the user cancels.
bool askToSave(HWND frame);

// The title names the current file and marks unsaved changes.
void updateTitle(HWND frame);

// After a file was loaded (Open, or a file named by path): the sheet, the product
// selector, the tree and the recent files.
void showOpenedFile(HWND frame);

// Opens the file of a recent-file command (1081..1084).
void openRecentFile(HWND frame, int command);

}  // namespace varomil
