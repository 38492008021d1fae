// Texts of the string table.
#pragma once

#include <windows.h>

#include <string>

namespace varomil {

// The string resource id of this program, or an empty text when there is none.
std::string loadResourceString(UINT id);

}  // namespace varomil
