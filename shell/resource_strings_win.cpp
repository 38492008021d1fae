#include "shell/resource_strings_win.h"

namespace varomil {

std::string loadResourceString(UINT id) {
    char buffer[512];
    const int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace varomil
