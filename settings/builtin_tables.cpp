// Terminal keys of the function-key mapping, host keys, the standard host key
// codes, the keys each model has, and the screen layouts. Key names are in
// key_names.cpp, prompt sections and their factory texts in prompt_texts.cpp.
#include "settings/builtin_tables.h"

#include <algorithm>
#include <cstring>

#include "settings/value_lists.h"

namespace varomil {

namespace {

// Name in the function-key dialog of each key record; record 49 has no key.
// clang-format off
constexpr std::array<std::string_view, fld::kKeyRecordCount> kTerminalKeyNames{{
    "FN+0", "FN+1", "FN+2", "FN+3", "FN+4", "FN+5", "FN+6", "FN+7", "FN+8", "FN+9",
    "BS", "SP", "ENTER",
    "FN+D", "FN+E", "FN+F", "FN+G", "FN+H", "FN+I", "FN+J", "FN+K", "FN+L", "FN+M",
    "FN+N", "FN+O", "FN+P", "FN+Q", "FN+R", "FN+S", "FN+T", "FN+U", "FN+V", "FN+W",
    "FN+X", "FN+Y", "FN+Z",
    "Up  ", "Down", "Left", "Right",
    "Home", "End ", "PgUp", "PgDn",
    "Insert", "Del ", "TAB ",
    "F11 ", "F12 ",
    "",
}};

constexpr std::array<std::size_t, kEmulationButtonCount> kEmulationButtonRecords{{
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9,
    13, 17, 21, 22,
    24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35,
    36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48,
    10, 11, 12,
}};

// The code each (modifier, host key) pair sends: nil, Shift, Alt. An empty text
// is no code; "\177" is DEL.
struct StandardCodes {
    std::string_view nil, shift, alt;
};
constexpr std::array<StandardCodes, kHostKeyCount> kStandardCodes{{
    {"", "", ""},                              // Undefined
    {"\033OP", "\033OP", "\033[23~"},          // F1
    {"\033OQ", "\033OQ", "\033[24~"},          // F2
    {"\033OR", "\033OR", "\033[25~"},          // F3
    {"\033OS", "\033OS", "\033[26~"},          // F4
    {"\033[15~", "\033[K", "\033[28~"},        // F5
    {"\033[17~", "\033[31~", "\033[29~"},      // F6
    {"\033[18~", "\033[32~", "\033[31~"},      // F7
    {"\033[19~", "\033[33~", "\033[32~"},      // F8
    {"\033[20~", "\033[34~", "\033[33~"},      // F9
    {"\033[21~", "\033[35~", "\033[34~"},      // F10
    {"\033[23~", "\033[1~", ""},               // F11
    {"\033[24~", "\033[2~", ""},               // F12
    {"\033[V", "", "\033[5~"},                 // Page Up
    {"\033[U", "", "\033[6~"},                 // Page Down
    {"\033[H", "\033[H", "\033[4~"},           // Home
    {"\033[K", "", "\033[1~"},                 // End
    {"\033[2~", "", "\033[2~"},                // Insert
    {"\177", "\177", "\033[3~"},               // Delete
    {"\t", "\033[Z", ""},                      // Tab
}};

// Keys per model as ranges of record indexes [first, last].
struct KeyRange {
    std::size_t first, last;
};
constexpr KeyRange kProduct1Keys[] = {{0, 12}, {36, 37}};
constexpr KeyRange kProduct2Keys[] = {{0, 12}, {13, 13}, {17, 17}, {21, 22}, {24, 39}};
constexpr KeyRange kProduct3Keys[] = {{0, 12}, {36, 48}};

constexpr std::array<std::array<Layout, 2>, kLayoutCount> kLayouts{{
    {{{20, 8, "20 characters *  8 lines"}, {15, 4, "15 characters *  4 lines"}}},
    {{{20, 16, "20 characters * 16 lines"}, {15, 8, "15 characters *  8 lines"}}},
    {{{20, 24, "20 characters * 24 lines"}, {15, 12, "15 characters * 12 lines"}}},
    {{{40, 8, "40 characters *  8 lines"}, {30, 4, "30 characters *  4 lines"}}},
    {{{40, 16, "40 characters * 16 lines"}, {30, 8, "30 characters *  8 lines"}}},
}};
// clang-format on

KeyCode toKeyCode(std::string_view s) {
    KeyCode code{};
    std::memcpy(code.data(), s.data(), std::min(s.size(), code.size()));
    return code;
}

FunctionKeyTable buildStandardTable() {
    FunctionKeyTable table;
    for (unsigned key = 0; key < kHostKeyCount; ++key) {
        table.setEntry(0, key, toKeyCode(kStandardCodes[key].nil));
        table.setEntry(1, key, toKeyCode(kStandardCodes[key].shift));
        table.setEntry(2, key, toKeyCode(kStandardCodes[key].alt));
    }
    return table;
}

template <std::size_t N>
KeyAvailability fromRanges(const KeyRange (&ranges)[N]) {
    KeyAvailability keys{};
    for (const KeyRange& r : ranges) {
        for (std::size_t n = r.first; n <= r.last; ++n) keys[n] = true;
    }
    return keys;
}

}  // namespace

std::string_view terminalKeyName(std::size_t record) {
    return record < kTerminalKeyNames.size() ? kTerminalKeyNames[record] : std::string_view{};
}

const std::array<std::size_t, kEmulationButtonCount>& emulationButtonRecords() {
    return kEmulationButtonRecords;
}

std::string_view hostKeyName(unsigned hostKey) {
    return lookupName(lists::kHostKey, hostKey);
}

const FunctionKeyTable& standardKeyCodes() {
    static const FunctionKeyTable table = buildStandardTable();
    return table;
}

KeyAvailability keyAvailability(int product) {
    switch (product) {
        case 1:
            return fromRanges(kProduct1Keys);
        case 2:
            return fromRanges(kProduct2Keys);
        case 3:
            return fromRanges(kProduct3Keys);
        default: {
            KeyAvailability all{};
            all.fill(true);
            return all;
        }
    }
}

const Layout* layoutFor(unsigned index, unsigned fontSize) {
    if (index >= kLayoutCount || fontSize >= 2) return nullptr;
    return &kLayouts[index][fontSize];
}

}  // namespace varomil
