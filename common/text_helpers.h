// Small text helpers shared by the features: case-insensitive comparison as
// Windows file names and search texts need it, and whole decimal numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varomil {

// ASCII case only: settings texts and file names are single-byte.
std::string lowercase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool endsWithIgnoringCase(std::string_view text, std::string_view tail);
bool containsIgnoringCase(std::string_view text, std::string_view part);

// A whole decimal number of at most nine digits in [lo, hi], or nothing: no sign,
// no blanks, nothing after the digits.
std::optional<int> parseDecimal(std::string_view text, int lo, int hi);

}  // namespace varomil
