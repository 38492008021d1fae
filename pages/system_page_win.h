// The "System" page of the settings sheet (SYSTEM_DLG).
#pragma once

#include "pages/settings_page_win.h"

namespace varomil {

const PageSpec& systemPage();

}  // namespace varomil
