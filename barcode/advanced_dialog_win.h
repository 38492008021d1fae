// "Advanced Settings": data editing, scanner commands and feedback. Edits a
// copy of the settings; OK stores every field, Cancel none.
#pragma once

#include <windows.h>

namespace varomil {

// Runs ADVANCEDDLG modally over `owner`; true after OK.
bool runAdvancedDialog(HWND owner);

}  // namespace varomil
