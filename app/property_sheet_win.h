// The modal settings property sheet (System, Barcode, Wireless LAN, Emulation,
// Screen).
#pragma once

#include <windows.h>

namespace varomil {

void openSettingsSheet(HWND owner);

}  // namespace varomil
