// The few choices the program remembers for the user between runs (recent files,
// the last folder, the last download link), as string values under
// HKEY_CURRENT_USER\Software\Varomil. Nothing else is kept there.
#pragma once

#include <string>

namespace varomil {

constexpr char kUserSettingsKey[] = "Software\\Varomil";

// The stored text, or `fallback` when the value is missing or not a string.
std::string readUserSetting(const char* name, const std::string& fallback = {});
// Stores the text; a failure only loses the memory of the choice.
void writeUserSetting(const char* name, const std::string& value);

// The stored number when it lies in 0..limit - 1, else `fallback`.
int readUserChoice(const char* name, int limit, int fallback);
void writeUserChoice(const char* name, int value);

}  // namespace varomil
