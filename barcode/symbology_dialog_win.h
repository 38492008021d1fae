// The parameter dialogs of the symbologies ("more..." on the Barcode page): one
// procedure serves every template, each dialog being a table of its controls.
#pragma once

#include <windows.h>

namespace varomil {

// Runs the parameter dialog with this template name (for example "CODE39DLG" or
// "CODE93_2D_DLG") on the working reader block of its family; true after OK.
bool runSymbologyDialog(HWND owner, const char* templateName);

}  // namespace varomil
