#include "settings/factory_defaults.h"

#include <algorithm>
#include <string_view>

#include "settings/builtin_tables.h"
#include "settings/key_roles.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

struct ByteValue {
    Field field;
    Byte value;
};

// A text or byte string written into a cleared slot, so that no leftovers of an
// earlier, longer value stay behind it.
struct TextValue {
    Field field;
    std::string_view text;
};

struct SelectorRole {
    Field selector;
    KeyRole role;
};

// clang-format off
constexpr ByteValue kSystemBytes[] = {
    {fld::PowerOnMode, 0},
    {fld::AutoPowerOffLow, 180},
    {fld::AutoPowerOffHigh, 0},
    {fld::KeyClick, 1},
    {fld::BacklightMode, 0},
    {fld::BacklightIdleTime, 2},
    {fld::LockTcpIpSettings, 0},
    {fld::LockEmulationSettings, 0},
    {fld::LockDateTime, 0},
    {fld::LockUtilityMenu, 0},
    {fld::DownloadVia, 0},
    {fld::DownloadBaudRate, 0},
};
constexpr Field kSystemZeroed[] = {fld::SystemPassword, fld::MacroFrame};

constexpr std::array<Byte, kReader1DSize> kReader1DFactory{{
    0x9B, 0xC9, 0x00, 0x3F, 0x80, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
    0xFF, 0x01, 0xFE, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0x03,
}};
constexpr std::array<Byte, kReader2DSize> kReader2DFactory{{
    0xD8, 0x57, 0x80, 0x06, 0xE0, 0x80,
    0, 0, 0, 0, 0, 0, 0, 0,
    0x80,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0xFF, 0x80, 0xE0, 0x9C, 0x39,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
}};

constexpr ByteValue kBarcodeBytes[] = {
    {fld::AddPrefixCode, 0},
    {fld::AddSuffixCode, 0},
    {fld::AutoEnter, 1},
    {fld::CheckLeadingCode, 0},
    {fld::CheckCodeLength, 0},
    {fld::CodeLength, 1},
    {fld::ReadPartialCode, 0},
    {fld::PartialStartPosition, 1},
    {fld::PartialMaxLength, 50},
    {fld::GoodBeep, 1},
    {fld::ScanControl, 0},
    {fld::AdvancedSelector, 2},
    {fld::ScanSwitchKey, 0},
    {fld::Ean128FieldSeparator, 0},
    // Feedback
    {fld::FeedbackByCommand, 0},
    {fld::GoodVibrator, 0},
    {fld::ErrorVibrator, 0},
    {fld::LocalVibrator, 0},
};
constexpr TextValue kBarcodeTexts[] = {
    {fld::PrefixCode, ""},
    {fld::SuffixCode, ""},
    {fld::LeadingCode, ""},
    {fld::ScanEnableCommand, "\033[99h"},
    {fld::ScanDisableCommand, "\033[99l"},
    {fld::ScanAutoEnterCommand, ""},
    {fld::CharReplace, ""},
    {fld::GoodFeedbackCommand, ""},
    {fld::ErrorFeedbackCommand, ""},
    {fld::GoodBeepSequence, "\x0E\x05"},
    {fld::ErrorBeepSequence, std::string_view("\x1E\x07\x00\x05\x1E\x07", 6)},
    {fld::LocalBeepSequence, "\x0E\x05"},
};
constexpr std::array<Byte, 13> kRfidFactory{{1, 0, 0, 0, 0, 0, 128, 44, 0, 4, 1, 1, 0}};

constexpr ByteValue kNetworkBytes[] = {
    {fld::DhcpEnable, 1},
    {fld::ActiveHostIndex, 0},
    {fld::WlanSecurityFlags, 1},
    {fld::WepKeyLength, 0},
    {fld::ActiveWepKey, 0},
    {fld::LoginNameKey, 0},
    {fld::LoginPasswordKey, 0},
    {fld::LogoutKey, 0},
    {fld::KeepAliveMinutes, 0},
    {fld::AutoLogin, 0},
    {fld::WlanInterface, 0},
    {fld::ResumeProtection, 0},
};
constexpr TextValue kNetworkTexts[] = {
    {fld::SubnetMask, "255.255.128.0"},
    {fld::Gateway, "192.168.1.250"},
    {fld::DnsServer, "0.0.0.0"},
    {fld::TerminalIp, "192.168.1.241"},
    {fld::LocalName, ""},
    {slot::hostAddress(0), "192.168.1.100"},
    {slot::hostAddress(1), ""},
    {slot::hostAddress(2), ""},
    {slot::hostAddress(3), ""},
    {slot::hostAddress(4), ""},
    {fld::WepKeys, ""},
    {fld::EapId, ""},
    {fld::EapPassword, ""},
    {fld::Ssid, "WLAN"},
    {fld::LoginName, "new"},
    {fld::LoginPassword, "wicks"},
    {fld::LogoutCommand, "EXIT"},
    {fld::NamePrompt, "login:"},
    {fld::PasswordPrompt, "password:"},
};
constexpr std::uint16_t kTelnetPort = 23;

// The reserved emulation bytes at 4452..4453 and 4462..4464 carry the firmware's
// own factory values; 4466 is left alone like every unnamed byte.
constexpr ByteValue kEmulationBytes[] = {
    {fld::EmulationTypeIndex, 0},
    {fld::CaseConversion, 0},
    {fld::FontSize, 0},
    {{fld::EmulationReserved1.offset, 1}, 0},
    {{fld::EmulationReserved1.offset + 1, 1}, 0},
    {fld::Navigator, 1},
    {fld::NavigatorKey, 0},
    {fld::HorizontalSteps, 19},
    {fld::VerticalSteps, 7},
    {fld::ViewOrgX, 0},
    {fld::ViewOrgY, 0},
    {fld::CursorTracking, 1},
    {fld::TrimSpaces, 0},
    {{fld::EmulationReserved2.offset, 1}, 0},
    {{fld::EmulationReserved2.offset + 1, 1}, 0},
    {{fld::EmulationReserved2.offset + 2, 1}, 20},
    {fld::DisableLocalEcho, 0},
    {fld::CursorFlashing, 0},
    {fld::LineBuffer, 0},
};
constexpr TextValue kEmulationTexts[] = {{fld::TerminalType, lists::kDefaultTerminalType}};

// Selectors in the order in which their roles are given again.
constexpr SelectorRole kSelectorRoles[] = {
    {fld::LoginNameKey, KeyRole::NameKey},
    {fld::LoginPasswordKey, KeyRole::PasswordKey},
    {fld::LogoutKey, KeyRole::ExitKey},
    {fld::NavigatorKey, KeyRole::NavigatorKey},
    {fld::ScanSwitchKey, KeyRole::SwitchKey},
};
constexpr SelectorRole kNetworkSelectorRoles[] = {
    {fld::LoginNameKey, KeyRole::NameKey},
    {fld::LoginPasswordKey, KeyRole::PasswordKey},
    {fld::LogoutKey, KeyRole::ExitKey},
};
// clang-format on

constexpr Byte kLineHostColumnDefault = 1;
constexpr Byte kCharacteristicLengthDefault = 20;
// Rows 0..23 of a captured screen and the 80 bytes before them; row 24 stays.
constexpr std::size_t kCapturedScreenClearedBytes = 80 + 24 * 80;

template <std::size_t N>
void writeBytes(SettingsImage& image, const ByteValue (&values)[N]) {
    for (const ByteValue& v : values) image.setByte(v.field, v.value);
}

template <std::size_t N>
void writeTexts(SettingsImage& image, const TextValue (&values)[N]) {
    for (const TextValue& v : values) {
        image.fill(v.field, 0);
        image.setCodes(v.field, v.text);
    }
}

void releaseIfSet(SettingsImage& image, const FunctionKeyTable& table, Field selector) {
    const int choice = image.byte(selector);
    if (choice != 0) releaseRole(image, table, choice);
}

template <std::size_t N>
void giveRoles(SettingsImage& image, const FunctionKeyTable& table,
               const SelectorRole (&selectors)[N]) {
    for (const SelectorRole& s : selectors) {
        const int choice = image.byte(s.selector);
        if (choice != 0) assignRole(image, table, choice, s.role);
    }
}

}  // namespace

void applyFactoryDefaults(SettingsImage& image, Companions& c, int product) {
    // A product outside the table would select no texts and no keys anyway;
    // storing it would only leave an invalid ProductIndex behind.
    if (product < kProductNone || product > kProductCount) product = kProductNone;
    image.clear();
    image.setText(fld::VersionTag, kCurrentVersionTag);
    image.setByte(fld::ProductIndex, static_cast<Byte>(product));
    // The key availability is a pure function of ProductIndex (keyAvailability);
    // the pages that show it compute it from the image, so nothing is kept here.
    defaultSystemSettings(image);
    defaultPromptTexts(image);
    defaultBarcodeSettings(image, c);
    defaultNetworkSettings(image, c);
    defaultEmulationSettings(image, c);
    defaultFunctionKeyMap(image, c);
    defaultScreenPages(image, c);
}

void defaultSystemSettings(SettingsImage& image) {
    writeBytes(image, kSystemBytes);
    for (const Field& f : kSystemZeroed) image.fill(f, 0);
    image.setByte(fld::FunctionKeyLock, image.byte(fld::ProductIndex) == 1 ? 1 : 0);
    // The System page keeps a working copy of the macro frame; it reloads that
    // copy from MacroFrame when it shows its values after a Reset, which clears it.
}

void defaultPromptTexts(SettingsImage& image) {
    const int product = image.byte(fld::ProductIndex);
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) {
        const PromptSection& section = promptSection(s);
        for (std::size_t line = 0; line < section.slots; ++line) {
            // Only the text and its NUL: the firmware ignores the bytes behind it.
            image.setText(slot::promptSlot(section.firstSlot + line),
                          factoryPromptText(product, s, line));
        }
    }
}

void defaultBarcodeSettings(SettingsImage& image, Companions& c) {
    releaseIfSet(image, c.functionKeys, fld::ScanSwitchKey);
    c.reader1D = kReader1DFactory;
    c.reader2D = kReader2DFactory;
    storeReaderBlocks(image, c);
    writeBytes(image, kBarcodeBytes);
    writeTexts(image, kBarcodeTexts);
    image.setRaw(fld::RfidSettings, kRfidFactory.data(), kRfidFactory.size());
}

void defaultNetworkSettings(SettingsImage& image, const Companions& c) {
    for (const SelectorRole& s : kNetworkSelectorRoles) {
        releaseIfSet(image, c.functionKeys, s.selector);
    }
    writeBytes(image, kNetworkBytes);
    writeTexts(image, kNetworkTexts);
    image.setU16le(fld::TelnetPort, kTelnetPort);
    giveRoles(image, c.functionKeys, kNetworkSelectorRoles);
}

void defaultEmulationSettings(SettingsImage& image, const Companions& c) {
    releaseIfSet(image, c.functionKeys, fld::NavigatorKey);
    writeBytes(image, kEmulationBytes);
    writeTexts(image, kEmulationTexts);
}

void defaultFunctionKeyMap(SettingsImage& image, Companions& c) {
    c.functionKeys = standardKeyCodes();
    for (std::size_t n = 0; n < fld::kKeyRecordCount; ++n) {
        const Byte hostKey = n <= 9 ? static_cast<Byte>(n) : 0;
        const Field rec = slot::binding(n);
        image.fill(rec, 0);
        image.setByte(rec, hostKey, 1);
        const KeyCode code = c.functionKeys.entry(0, hostKey);
        image.setRaw(slot::sequence(n), code.data(), code.size());
    }
    giveRoles(image, c.functionKeys, kSelectorRoles);
}

void defaultScreenPages(SettingsImage& image, Companions& c) {
    image.setByte(fld::ScreensPresent, 0);
    image.setByte(fld::PageCount, 0);
    image.fill(fld::PageLayout, 0);
    for (std::size_t p = 0; p < fld::kPageCount; ++p) {
        for (std::size_t l = 0; l < fld::kLinesPerPage; ++l) {
            image.setByte(slot::lineText(p, l), 0);
            image.setByte(slot::lineHostRow(p, l), 0);
            image.setByte(slot::lineHostColumn(p, l), kLineHostColumnDefault);
        }
    }
    image.fill(fld::PageCharacteristics, 0);
    image.setByte(fld::CharacteristicLength, kCharacteristicLengthDefault);
    image.fill(fld::CharacteristicColumns, 0);
    image.fill(fld::CharacteristicRows, 0);
    image.setByte(fld::CursorLocationMode, 0);
    for (CapturedScreenBlock& screen : c.capturedScreens) {
        std::fill_n(screen.begin(), kCapturedScreenClearedBytes, Byte{0});
    }
}

}  // namespace varomil
