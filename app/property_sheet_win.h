// The modal settings property sheet (System, Barcode, Wireless LAN, Emulation,
// Screen).
#pragma once

#include <windows.h>

#include <functional>

namespace varomil {

// Runs the sheet modally and returns when it is closed; after OK the summary
// tree shows the new settings.
void openSettingsSheet(HWND owner);

// For tests: while a driver is set, openSettingsSheet creates the sheet modeless
// and hands it to the driver, which works its pages and presses OK or Cancel
// (PSM_PRESSBUTTON); a sheet the driver leaves open is cancelled. The sheet then
// finishes exactly as after a modal run. An empty function restores the modal run.
using SettingsSheetDriver = std::function<void(HWND sheet)>;
void setSettingsSheetDriver(SettingsSheetDriver driver);

}  // namespace varomil
