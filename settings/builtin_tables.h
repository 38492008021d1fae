// Constant tables that several parts of the program read: key names, terminal
// keys of the function-key mapping, standard host key codes, keys per model,
// prompt sections with their factory texts, and the screen layouts.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings_image.h"

namespace varomil {

constexpr int kProductNone = 0;
constexpr int kProductCount = 3;  // products 1..3

// Name of a key-code byte ("ESC", "SP", "A", "DEL", "200"; empty for 0x00).
std::string keyName(Byte code);

// Name of terminal key record n in the function-key dialog ("FN+0", "Up  ", ...);
// empty for a record that has no key (49) or an index out of range.
std::string_view terminalKeyName(std::size_t record);

// The Emulation page's 42 key buttons in their order, as key record indexes
// (FN+0..FN+9, FN+D, FN+H, FN+L, FN+M, FN+O..FN+Z, Up .. F12, BS, SP, Enter).
constexpr std::size_t kEmulationButtonCount = 42;
const std::array<std::size_t, kEmulationButtonCount>& emulationButtonRecords();

// Host key names by number 0..20 ("Undefined", "F1".."F12", "Page Up", ...,
// "User defined"); empty above 20.
std::string_view hostKeyName(unsigned hostKey);

// Built-in standard key codes: modifier 0..2 (nil, Shift, Alt) x host key 0..19.
const FunctionKeyTable& standardKeyCodes();

// One flag per key record: does this key exist on the product (0 = none: all;
// a value outside 0..3, e.g. from a damaged file, counts as none selected).
using KeyAvailability = std::array<bool, fld::kKeyRecordCount>;
KeyAvailability keyAvailability(int product);

// Prompt sections 0..11.
constexpr std::size_t kPromptSectionCount = 12;
struct PromptSection {
    std::size_t firstSlot;  // index of the first of its 41-byte slots
    std::size_t slots;      // 4 or 8
    std::size_t lines;      // lines in use
    std::size_t width;      // characters a line may hold
};
const PromptSection& promptSection(std::size_t section);  // section % 12
// Section name, 30 characters padded with blanks (product 1 has its own names).
std::string promptSectionName(int product, std::size_t section);
// Display width of a section for a product: the width its section name gives
// (12 or 16 for product 1, 15 or 20 otherwise); factory texts are padded to it.
std::size_t promptDisplayWidth(int product, std::size_t section);
// Factory text of a line (0-based), padded with blanks to the product's display
// width; empty for product 0 or a line outside the section's slots.
std::string factoryPromptText(int product, std::size_t section, std::size_t line);

// Screen layouts: index 0..4 by font size 0..1.
struct Layout {
    int columns;
    int lines;
    std::string_view text;  // "20 characters *  8 lines"
};
constexpr std::size_t kLayoutCount = 5;
// Layout of an index and font size; nullptr when either is out of range.
const Layout* layoutFor(unsigned index, unsigned fontSize);

}  // namespace varomil
