// The function-key mapping without windows: the text shown beside a terminal
// key, what the mapping dialog starts from and offers, and what its OK writes.
#pragma once

#include <cstddef>
#include <string>

#include "settings/settings_image.h"

namespace varomil {

// Host key 20: a code of the key's own, never taken from the key-code table.
constexpr unsigned kUserDefinedKey = 20;

// The text beside a key: the host key's name ("F5", "Undefined"), "Shift + F5"
// with a modifier, or the role's name; empty for a value no list names (a
// damaged file's modifier 3..200, role 206..255 or host key above 20).
std::string mappingText(const SettingsImage& image, std::size_t record);

// True when the record holds one of the five roles, which only the selector that
// gave it may change.
bool recordHoldsRole(const SettingsImage& image, std::size_t record);

// What the dialog edits: a modifier 0..2, a host key 0..20 and the code.
struct KeyChoice {
    unsigned modifier = 0;
    unsigned hostKey = 0;
    KeyCode code{};
};

// The record as the dialog opens on it; a value no list names starts as
// "nil" / "Undefined".
KeyChoice choiceOf(const SettingsImage& image, std::size_t record);

// The code shown for a (modifier, host key) choice: the record's own for "User
// defined", else the table's entry (none for "Undefined").
KeyCode offeredCode(const SettingsImage& image, const FunctionKeyTable& table, std::size_t record,
                    unsigned modifier, unsigned hostKey);

// OK: the record takes the choice and its code; a standard host key (0..19) also
// gives the code to the table's entry, so that the next key given that pair is
// offered it. False, and nothing changes, for a record that holds a role or a
// record index out of range.
bool commitKeyChoice(SettingsImage& image, FunctionKeyTable& table, std::size_t record,
                     const KeyChoice& choice);

}  // namespace varomil
