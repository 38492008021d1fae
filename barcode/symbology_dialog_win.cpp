#include "barcode/symbology_dialog_win.h"

namespace varomil {

bool runSymbologyDialog(HWND, const char*) {
    return false;  // the dialogs come with their tables
}

}  // namespace varomil
