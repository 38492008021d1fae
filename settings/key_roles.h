// Roles that the function-key selectors give to the FN+0..FN+9 key records.
#pragma once

#include "settings/settings_image.h"

namespace varomil {

enum class KeyRole : Byte {
    NameKey = 201,
    PasswordKey = 202,
    ExitKey = 203,
    NavigatorKey = 204,
    SwitchKey = 205,
};

// Key choice k: 1..9 = FN+1..FN+9, 10 = FN+0; it names record k % 10. Choices
// outside 1..10 name no key: keyTaken is false and the others do nothing.
bool keyTaken(const SettingsImage& image, int choice);
void assignRole(SettingsImage& image, const FunctionKeyTable& table, int choice, KeyRole role);
void releaseRole(SettingsImage& image, const FunctionKeyTable& table, int choice);

}  // namespace varomil
