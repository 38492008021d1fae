#include "shell/user_settings_win.h"

#include "common/text_helpers.h"

#include <windows.h>

#include <cstdlib>

namespace varomil {

std::string readUserSetting(const char* name, const std::string& fallback) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserSettingsKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return fallback;
    char text[MAX_PATH + 1] = "";
    DWORD type = 0;
    DWORD size = sizeof text - 1;  // room for a NUL the stored value may lack
    const LONG result =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return fallback;
    text[size < sizeof text ? size : sizeof text - 1] = '\0';
    return text;
}

void writeUserSetting(const char* name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kUserSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

int readUserChoice(const char* name, int limit, int fallback) {
    const std::string text = readUserSetting(name);
    if (text.size() > 3) return fallback;
    return parseDecimal(text, 0, limit - 1).value_or(fallback);
}

void writeUserChoice(const char* name, int value) {
    writeUserSetting(name, std::to_string(value));
}

}  // namespace varomil
