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
// True when the key of this choice holds exactly this role.
bool holdsRole(const SettingsImage& image, int choice, KeyRole role);

// A key selector (one byte holding a choice, 0 = "Disable") whose key gets
// `role`. Choosing `choice`: refused (nothing changes) when another role already
// holds that key; otherwise the old key is released (only when it still holds
// this selector's role: a damaged file may name one key in two selectors), the
// new key gets the role and the selector stores the choice.
bool chooseRoleKey(SettingsImage& image, const FunctionKeyTable& table, Field selector,
                   KeyRole role, int choice);

}  // namespace varomil
