// The twelve prompt sections of the terminal's display texts and the factory text
// of every slot. Product 1 has a narrow display with its own wording; products 2
// and 3 share the wide texts. Texts are kept without their trailing blanks and
// padded to the section's display width when read.
#include "settings/builtin_tables.h"

namespace varomil {

namespace {

struct SectionNames {
    std::string_view narrow;  // product 1
    std::string_view wide;    // every other product
    std::size_t narrowWidth;  // display width the name gives
    std::size_t wideWidth;
};

// clang-format off
constexpr std::array<PromptSection, kPromptSectionCount> kSections{{
    {0, 4, 2, 15},   // Main Menu
    {4, 8, 8, 20},   // Utilities
    {12, 8, 8, 20},  // TCP / IP Settings
    {20, 8, 8, 20},  // Emulation Settings
    {28, 4, 4, 20},  // Backlight
    {32, 4, 4, 15},  // Navigator
    {36, 4, 4, 15},  // Download Port
    {40, 4, 4, 15},  // Battery Voltage
    {44, 4, 4, 15},  // Connecting
    {48, 4, 4, 15},  // Download Messages
    {52, 8, 7, 20},  // Error Messages
    {60, 8, 6, 20},  // Miscellaneous
}};

constexpr std::array<SectionNames, kPromptSectionCount> kSectionNames{{
    {"Main Menu (12*2)", "Main Menu (15*2)", 12, 15},
    {"Utilities (16*8)", "Utilities (20*8)", 16, 20},
    {"TCP / IP Settings (16*8)", "TCP / IP Settings (20*8)", 16, 20},
    {"Emulation Settings (16*8)", "Emulation Settings (20*8)", 16, 20},
    {"Backlight (16*4)", "Backlight (20*4)", 16, 20},
    {"Navigator (12*4)", "Navigator (15*4)", 12, 15},
    {"Download Port (12*4)", "Download Port (15*4)", 12, 15},
    {"Battery Voltage (12*4)", "Battery Voltage (15*4)", 12, 15},
    {"Connecting (12*4)", "Connecting (15*4)", 12, 15},
    {"Download Messages (12*4)", "Download Messages (15*4)", 12, 15},
    {"Error Messages (16*7)", "Error Messages (20*7)", 16, 20},
    {"Miscellaneous (16*6)", "Miscellaneous (20*6)", 16, 20},
}};

struct FactoryText {
    std::string_view narrow;  // product 1
    std::string_view wide;    // products 2 and 3
};

// One entry per slot, in slot order; an empty text is a blank line.
constexpr std::array<FactoryText, fld::kPromptSlotCount> kFactoryTexts{{
    // Main Menu
    {"1. Telnet", "1. Telnet"},
    {"2. Utilities", "2. Utilities"},
    {"", ""},
    {"", ""},
    // Utilities
    {"1.TCP/IP Setting", "1.TCP/IP Settings"},
    {"2.Emulation para", "2.Emulation settings"},
    {"3.Reader Test", "3.Reader Test"},
    {"4.Backlight", "4.Backlight"},
    {"5.Batt. Voltage", "5.Battery Voltage"},
    {"6.Set Date/Time", "6.Set Date & Time"},
    {"7.Baud rate", "7.Baud rate"},
    {"8.Download", "8.Download"},
    // TCP / IP Settings
    {"1. Subnet Mask", "1. Subnet Mask"},
    {"2. Gateway", "2. Default Gateway"},
    {"3. DHCP Server", "3. DHCP Server"},
    {"4. SSID", "4. SSID"},
    {"5. Terminal IP", "5. Terminal IP"},
    {"6. Host IP/Name", "6. Host IP or Name"},
    {"7. Telnet Port", "7. Telnet Port"},
    {"8. View Settings", "8. View Settings"},
    // Emulation Settings
    {"1.Emulation Type", "1. Emulation Type"},
    {"2.Login Name", "2. Login Name"},
    {"3.Login Password", "3. Login Password"},
    {"4.Navigator", "4. Navigator"},
    {"5.H scroll steps", "5. Hori scroll steps"},
    {"6.V scroll steps", "6. Vert scroll steps"},
    {"7.Cursor Track", "7. Cursor Tracking"},
    {"", ""},  // line 8: no factory text is known, so it starts blank
    // Backlight
    {"Turn OFF backlit", "Turn OFF backlight"},
    {"Turn ON  backlit", "Turn ON  backlight"},
    {"Backlit off if", "Turn baclight off if"},
    {"idle for _0 sec.", "idle for _0 seconds."},
    // Navigator
    {"1. None", "1. None"},
    {"2. Icon", "2. Icon"},
    {"3. 20x15", "3. 20x15"},
    {"4. 32x24", "4. 32x24"},
    // Download Port
    {"1.Via Cradle", "1.Via Cradle-IR"},
    {"2.Via RS-232", "2.Via RS-232"},
    {"3.Via IrDA", "3.Via IrDA"},
    {"4.Via RF", "4.Via RF"},
    // Battery Voltage
    {"Batt Voltage", "Battery Voltage"},
    {"", ""},
    {"Main:", "Main:"},
    {"Backup:", "Backup:"},
    // Connecting
    {"Connecting..", "Connecting..."},
    {"", ""},
    {"Press ESC to", "Press ESC to"},
    {"cancel.", "cancel."},
    // Download Messages
    {"Downloading", "Downloading..."},
    {"Please wait", "Please wait..."},
    {"Download OK!", "Download OK!"},
    {"Download NG!", "Download failed"},
    // Error Messages
    {"Data too short!", "Data is too short!"},
    {"Data too long!", "Data is too long!"},
    {"Err leading code", "Wrong leading code!"},
    {"Press any key...", "Press any key..."},
    {"Wrong Password!", "Wrong Password!"},
    {"Wrong Value!", "Wrong Value!"},
    {"", ""},  // line 7: no factory text is known, so it starts blank
    {"", ""},
    // Miscellaneous
    {"Input Password", "Input Password"},
    {"[Up/DOWN] select", "[Up/DOWN] to select"},
    {"[Enter]: confirm", "[Enter]: to confirm"},
    {"[ ESC ]: cancel", "[ ESC ]: to cancel"},
    {" Current :", " Current :"},
    {" New :", " New :"},
    {"", ""},
    {"", ""},
}};
// clang-format on

constexpr std::size_t kSectionNameWidth = 30;

constexpr bool sectionsTilePromptTexts() {
    std::size_t next = 0;
    for (const PromptSection& s : kSections) {
        if (s.firstSlot != next || s.lines > s.slots) return false;
        next += s.slots;
    }
    return next == fld::kPromptSlotCount;
}
static_assert(sectionsTilePromptTexts(), "the sections must cover the 68 prompt slots in order");

constexpr bool textsFitTheirDisplay() {
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) {
        for (std::size_t l = 0; l < kSections[s].slots; ++l) {
            const FactoryText& t = kFactoryTexts[kSections[s].firstSlot + l];
            if (t.narrow.size() > kSectionNames[s].narrowWidth) return false;
            if (t.wide.size() > kSectionNames[s].wideWidth) return false;
        }
    }
    return true;
}
static_assert(textsFitTheirDisplay(), "a factory text is wider than its display");

bool narrow(int product) {
    return product == 1;
}
bool hasFactoryTexts(int product) {
    return product >= 1 && product <= kProductCount;
}

std::string padded(std::string_view s, std::size_t width) {
    std::string out(s);
    if (out.size() < width) out.append(width - out.size(), ' ');
    return out;
}

}  // namespace

const PromptSection& promptSection(std::size_t section) {
    return kSections[section % kPromptSectionCount];
}

std::string promptSectionName(int product, std::size_t section) {
    const SectionNames& n = kSectionNames[section % kPromptSectionCount];
    return padded(narrow(product) ? n.narrow : n.wide, kSectionNameWidth);
}

std::size_t promptDisplayWidth(int product, std::size_t section) {
    const SectionNames& n = kSectionNames[section % kPromptSectionCount];
    return narrow(product) ? n.narrowWidth : n.wideWidth;
}

std::string factoryPromptText(int product, std::size_t section, std::size_t line) {
    if (!hasFactoryTexts(product) || section >= kPromptSectionCount) return {};
    const PromptSection& s = kSections[section];
    if (line >= s.slots) return {};
    const FactoryText& t = kFactoryTexts[s.firstSlot + line];
    return padded(narrow(product) ? t.narrow : t.wide, promptDisplayWidth(product, section));
}

}  // namespace varomil
