// The command dispatcher of the main window.
#pragma once

#include <windows.h>

namespace varomil {

// Runs a command: menu item, accelerator, toolbar button or product selector.
void dispatchCommand(HWND frame, int id);

// "Save the program ?" with Yes/No/Cancel; Yes saves. False when the user cancels.
bool askToSave(HWND frame);

}  // namespace varomil
