// Roles that the function-key selectors give to the FN+0..FN+9 key records.
#pragma once

#include <array>
#include <optional>

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

// What the keys held before a selector gave them a role. Arrowing through a
// selector gives and frees the role at every step; a key the selection only
// passed over gets its own mapping back instead of the plain host key.
class KeyRoleMemory {
  public:
    void clear() { held_ = {}; }
    // Before `choice` gets a role: its record and code, unless it holds a role.
    void remember(const SettingsImage& image, int choice);
    // Puts back what `choice` held before its role; false when nothing is known.
    bool restore(SettingsImage& image, int choice);

  private:
    struct Held {
        std::array<Byte, 3> record;
        KeyCode code;
    };
    std::array<std::optional<Held>, 10> held_{};
};

// The memory of the browse under way: a selector clears it when it gets or
// loses the keyboard focus.
KeyRoleMemory& keyRoleMemory();

// A key selector (one byte holding a choice, 0 = "Disable") whose key gets
// `role`. Choosing `choice`: refused (nothing changes) when another role already
// holds that key; otherwise the old key is released (only when it still holds
// this selector's role: a damaged file may name one key in two selectors), the
// new key gets the role and the selector stores the choice. With a memory, a
// released key gets back what it held before this selector's role.
bool chooseRoleKey(SettingsImage& image, const FunctionKeyTable& table, Field selector,
                   KeyRole role, int choice, KeyRoleMemory* memory = nullptr);

}  // namespace varomil
