// The "Emulation" page of the settings sheet.
#pragma once

#include "pages/settings_page_win.h"

namespace varomil {

const PageSpec& emulationPage();

}  // namespace varomil
