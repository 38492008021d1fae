#include "app/property_sheet_win.h"

namespace varomil {

// Placeholder until the property sheet lands: opens nothing.
void openSettingsSheet(HWND) {}

}  // namespace varomil
