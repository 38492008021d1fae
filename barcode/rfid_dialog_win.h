// "RFID Settings": how the RFID reader reads tags and which key switches it.
#pragma once

#include <windows.h>

namespace varomil {

// Runs RFID_PARAM_DLG modally over `owner`; true after OK. "Hybrid" and the
// switch-key choice change the settings at once, even when it is cancelled.
bool runRfidDialog(HWND owner);

}  // namespace varomil
