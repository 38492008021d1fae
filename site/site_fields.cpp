#include "site/site_fields.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "common/text_helpers.h"
#include "pages/emulation_controls.h"
#include "pages/field_rules.h"
#include "pages/grid_value.h"
#include "pages/prompt_lines.h"
#include "pages/system_controls.h"
#include "pages/wireless_lan_controls.h"
#include "pages/wireless_lan_texts.h"
#include "site/allow_list.h"

namespace varomil {

namespace {

// The page's own row of a control; a missing id stops the build.
template <std::size_t N>
constexpr ControlSpec row(const ControlSpec (&rows)[N], int id) {
    for (const ControlSpec& c : rows) {
        if (c.id == id) return c;
    }
    throw "no such control";
}

using P = SitePage;
constexpr SiteRule kAddress = SiteRule::Address;

constexpr SiteField wlan(std::string_view name, int id, SiteRule rule = SiteRule::Control) {
    return {name, P::WirelessLan, row(kWirelessLanControls, id), rule};
}
constexpr SiteField secret(SiteField f) {
    f.password = true;
    return f;
}
template <std::size_t N>
constexpr SiteField named(SiteField f, const std::array<std::string_view, N>& names) {
    f.names = names.data();
    f.nameCount = N;
    return f;
}
constexpr SiteField sys(std::string_view name, int id) {
    return {name, P::System, row(kSystemControls, id)};
}
constexpr SiteField emu(std::string_view name, int id) {
    return {name, P::Emulation, row(kEmulationControls, id)};
}
// The host box is the page's own code, not a row: its entries as rows of their own.
constexpr SiteField host(std::string_view name, std::size_t entry) {
    return {name, P::WirelessLan, text(IDC_WLAN_HOST, slot::hostAddress(entry), wlan::kHostChars)};
}

// In the order a page's user would give them, which is the order they are
// stored: a key length before the keys, a font before the steps.
constexpr SiteField kFields[] = {
    wlan("DhcpEnable", IDC_WLAN_DHCP),
    wlan("TerminalIp", IDC_WLAN_TERMINAL_IP, kAddress),
    wlan("SubnetMask", IDC_WLAN_SUBNET_MASK, kAddress),
    wlan("Gateway", IDC_WLAN_GATEWAY, kAddress),
    wlan("DnsServer", IDC_WLAN_DNS_SERVER, kAddress),
    wlan("LocalName", IDC_WLAN_LOCAL_NAME),
    wlan("Ssid", IDC_WLAN_SSID),
    named(wlan("OpenSystem", IDC_WLAN_SHARE_KEY), lists::kAuthentication),
    wlan("Wep", IDC_WLAN_WEP),
    wlan("WepKeyLength", IDC_WLAN_KEY_LENGTH, SiteRule::WepKeyLength),
    secret(wlan("WepKeys0", IDC_WLAN_WEP_KEY_1)),
    secret(wlan("WepKeys1", IDC_WLAN_WEP_KEY_1 + 1)),
    secret(wlan("WepKeys2", IDC_WLAN_WEP_KEY_1 + 2)),
    secret(wlan("WepKeys3", IDC_WLAN_WEP_KEY_1 + 3)),
    wlan("ActiveWepKey", IDC_WLAN_ACTIVE_KEY_1),
    wlan("Eap", IDC_WLAN_EAP),
    wlan("EapId", IDC_WLAN_EAP_ID),
    secret(wlan("EapPassword", IDC_WLAN_EAP_PASSWORD)),
    wlan("Wpa", IDC_WLAN_WPA),
    secret(wlan("WpaPassphrase", IDC_WLAN_PASSPHRASE)),
    host("HostAddresses0", 0),
    host("HostAddresses1", 1),
    host("HostAddresses2", 2),
    host("HostAddresses3", 3),
    host("HostAddresses4", 4),
    {"ActiveHostIndex", P::WirelessLan,
     number(IDC_WLAN_HOST, fld::ActiveHostIndex, 0, fld::kHostAddressCount - 1)},
    wlan("TelnetPort", IDC_WLAN_TELNET_PORT),
    wlan("LoginName", IDC_WLAN_LOGIN_NAME),
    wlan("NamePrompt", IDC_WLAN_NAME_PROMPT),
    secret(wlan("LoginPassword", IDC_WLAN_LOGIN_PASSWORD)),
    wlan("PasswordPrompt", IDC_WLAN_PASSWORD_PROMPT),
    wlan("LogoutCommand", IDC_WLAN_LOGOUT),
    wlan("KeepAliveMinutes", IDC_WLAN_KEEP_ALIVE),
    wlan("AutoLogin", IDC_WLAN_AUTO_SIGNON),
    wlan("ResumeProtection", IDC_WLAN_RESUME_PROTECTION),
    wlan("WlanInterface", IDC_WLAN_INTERFACE),
    named(sys("PowerOnMode", IDC_SYS_POWER_RESUME), lists::kPowerOnMode),
    sys("AutoPowerOff", IDC_SYS_AUTO_POWER_OFF),
    sys("KeyClick", IDC_SYS_KEY_CLICK),
    secret(sys("SystemPassword", IDC_SYS_PASSWORD)),
    sys("LockTcpIpSettings", IDC_SYS_LOCK_TCPIP),
    sys("LockEmulationSettings", IDC_SYS_LOCK_EMULATION),
    sys("LockDateTime", IDC_SYS_LOCK_DATE_TIME),
    sys("LockUtilityMenu", IDC_SYS_LOCK_UTILITY),
    named(sys("BacklightMode", IDC_SYS_BACKLIGHT_OFF), lists::kBacklightMode),
    sys("BacklightIdleTime", IDC_SYS_IDLE_TIME),
    sys("DownloadVia", IDC_SYS_DOWNLOAD_VIA),
    sys("DownloadBaudRate", IDC_SYS_BAUD_RATE),
    sys("FunctionKeyLock", IDC_SYS_FUNC_TOGGLE),
    sys("MacroFrame", IDC_SYS_MACRO_FRAME),
    emu("CaseConversion", IDC_EMU_CASE_CONVERSION),
    emu("Navigator", IDC_EMU_NAVIGATOR),
    {"FontSize", P::Emulation, combo(IDC_EMU_FONT_SIZE, fld::FontSize, lists::kFontSize),
     SiteRule::FontSize},
    emu("HorizontalSteps", IDC_EMU_H_STEPS),
    emu("VerticalSteps", IDC_EMU_V_STEPS),
    emu("CursorTracking", IDC_EMU_CURSOR_TRACKING),
    emu("TrimSpaces", IDC_EMU_TRIM_SPACES),
    emu("DisableLocalEcho", IDC_EMU_DISABLE_ECHO),
    emu("CursorFlashing", IDC_EMU_CURSOR_FLASHING),
    emu("LineBuffer", IDC_EMU_LINE_BUFFER),
    {"TerminalType", P::Emulation,
     text(IDC_EMU_TERMINAL_TYPE, fld::TerminalType, kTerminalTypeChars), SiteRule::TerminalType},
};

Rows<ControlSpec> pageControls(SitePage page) {
    switch (page) {
        case SitePage::WirelessLan:
            return {kWirelessLanControls, std::size(kWirelessLanControls)};
        case SitePage::System:
            return {kSystemControls, std::size(kSystemControls)};
        case SitePage::Emulation:
            return {kEmulationControls, std::size(kEmulationControls)};
    }
    return {};
}

ByteSpan spanOf(SettingsImage& image) {
    return {image.bytes().data(), image.bytes().size()};
}

// The values a radio group takes: its buttons' values, in the page's order.
std::vector<const ControlSpec*> radioGroup(const SiteField& f) {
    std::vector<const ControlSpec*> group;
    for (const ControlSpec& c : pageControls(f.page)) {
        if (c.kind == ControlKind::Radio && c.at.field.offset == f.control.at.field.offset &&
            c.at.shift == f.control.at.shift && c.at.count == f.control.at.count) {
            group.push_back(&c);
        }
    }
    return group;
}

// A whole decimal; beyond nine digits it is only "above".
struct Decimal {
    bool isNumber = false;
    std::uint64_t value = 0;
};
Decimal decimal(std::string_view text) {
    Decimal d{!text.empty(), 0};
    for (const char c : text) {
        if (c < '0' || c > '9') return {};
        d.value =
            std::min<std::uint64_t>(d.value * 10 + static_cast<unsigned>(c - '0'), 1000000000);
    }
    return d;
}

std::string quoted(std::string_view value) {
    return value.empty() ? std::string("an empty value") : std::string(value);
}

// The entry of a list a value names, by its index or its text; -1 for none.
int choiceOf(std::string_view value, const std::string_view* names, std::size_t count) {
    const Decimal d = decimal(value);
    if (d.isNumber) return d.value < count ? static_cast<int>(d.value) : -1;
    for (std::size_t i = 0; names != nullptr && i < count; ++i) {
        if (equalsIgnoringCase(value, names[i])) return static_cast<int>(i);
    }
    return -1;
}

std::string choices(std::size_t count, const std::string_view* names) {
    std::string text = "0.." + std::to_string(count - 1);
    if (names == nullptr) return text;
    text += " or ";
    for (std::size_t i = 0; i < count; ++i) {
        text += std::string(i == 0           ? ""
                            : i + 1 == count ? " or "
                                             : ", ") +
                "\"" + std::string(names[i]) + "\"";
    }
    return text;
}

bool storeText(const SiteField& f, std::string_view value, SettingsImage& image,
               std::string& rule) {
    const ControlSpec& c = f.control;
    for (const char ch : value) {
        if (static_cast<unsigned char>(ch) < 0x20) {
            rule = "a line break or control character in the text";
            return false;
        }
    }
    std::uint32_t address = 0;
    if (f.rule == SiteRule::Address && !parseIpv4(value, address)) {
        rule = quoted(value) + " is not dotted IPv4 text";
        return false;
    }
    if (value.size() > c.maxChars) {
        rule = std::to_string(value.size()) + " characters, at most " + std::to_string(c.maxChars);
        return false;
    }
    if (f.rule == SiteRule::TerminalType) {
        storeTerminalType(image, value);
    } else {
        image.setText(c.at.field, value);
    }
    return true;
}

bool storeHex(const SiteField& f, std::string_view value, SettingsImage& image, std::string& rule) {
    const ControlSpec& c = f.control;
    const auto bytes = parseHexNames(std::string(value), kGridMaxCapacity);
    if (!bytes) {
        rule = "not bytes in hex as the grid shows them (\"1B 5B 41\")";
        return false;
    }
    const std::size_t capacity = gridCapacity(c, spanOf(image));
    if (bytes->size() > capacity) {
        rule = std::to_string(bytes->size()) + " bytes, at most " + std::to_string(capacity);
        return false;
    }
    image.fill(c.at.field, 0);
    image.setRaw(c.at.field, reinterpret_cast<const Byte*>(bytes->data()), bytes->size());
    return true;
}

}  // namespace

Rows<SiteField> siteFields() {
    return {kFields, std::size(kFields)};
}

const SiteField* findSiteField(std::string_view name) {
    for (const SiteField& f : siteFields()) {
        if (equalsIgnoringCase(f.name, name)) return &f;
    }
    return nullptr;
}

std::string describeSiteField(const SiteField& f) {
    const ControlSpec& c = f.control;
    std::string text;
    switch (c.kind) {
        case ControlKind::Check:
            return "flag, 0 or 1";
        case ControlKind::Radio: {
            const auto group = radioGroup(f);
            return "choice, " + choices(group.size(), f.names);
        }
        case ControlKind::Combo:
            return "choice, " + choices(c.itemCount, c.items);
        case ControlKind::Number:
            return "number, " + std::to_string(c.low) + ".." + std::to_string(c.high);
        case ControlKind::Grid:
            text = "bytes in hex, at most " +
                   (c.capacityFrom.field.width != 0
                        ? std::to_string(c.capacities[0]) + " or " +
                              std::to_string(c.capacities[1]) + " by WepKeyLength"
                        : std::to_string(c.capacity));
            break;
        default:
            text = f.rule == SiteRule::Address
                       ? "dotted IPv4 text"
                       : "text, at most " + std::to_string(c.maxChars) + " characters";
            break;
    }
    return f.password ? text + ", a password" : text;
}

bool storeSiteValue(const SiteField& f, std::string_view value, SettingsImage& image,
                    std::string& rule) {
    const ControlSpec& c = f.control;
    const ByteSpan area = spanOf(image);
    switch (c.kind) {
        case ControlKind::Text:
            return storeText(f, value, image, rule);
        case ControlKind::Grid:
            return storeHex(f, value, image, rule);
        case ControlKind::Check: {
            const std::string v = lowercase(value);
            const bool on = v == "1" || v == "yes" || v == "true";
            if (!on && v != "0" && v != "no" && v != "false") {
                rule = quoted(value) + " is not 0 or 1";
                return false;
            }
            storeCheck(c, area, on);
            return true;
        }
        case ControlKind::Number: {
            const Decimal d = decimal(value);
            if (!d.isNumber) {
                rule = quoted(value) + " is not a number";
                return false;
            }
            if (d.value < c.low || d.value > c.high) {
                rule = std::string(value) + (d.value < c.low ? " is below " : " is above ") +
                       std::to_string(d.value < c.low ? c.low : c.high);
                return false;
            }
            storeNumber(c, area, static_cast<unsigned>(d.value));
            return true;
        }
        case ControlKind::Radio: {
            const auto group = radioGroup(f);
            const int choice = choiceOf(value, f.names, f.names ? f.nameCount : group.size());
            if (choice < 0 || static_cast<std::size_t>(choice) >= group.size()) {
                rule = quoted(value) + " is not " + choices(group.size(), f.names);
                return false;
            }
            storeRadio(*group[static_cast<std::size_t>(choice)], area);
            return true;
        }
        case ControlKind::Combo: {
            const int choice = choiceOf(value, c.items, c.itemCount);
            if (choice < 0) {
                rule = quoted(value) + " is not " + choices(c.itemCount, c.items);
                return false;
            }
            if (f.rule == SiteRule::FontSize) {
                chooseFontSize(image, static_cast<std::size_t>(choice));
            } else if (f.rule == SiteRule::WepKeyLength) {
                const int before = storedSelection(c, area);
                storeSelection(c, area, choice);
                if (before != choice) trimWepKeys(image);
            } else {
                storeSelection(c, area, choice);
            }
            return true;
        }
        case ControlKind::RoleKey:
            break;
    }
    rule = "not a field a table can set";
    return false;
}

void applySitePages(SettingsImage& image, unsigned pages) {
    for (SitePage page : {SitePage::WirelessLan, SitePage::System, SitePage::Emulation}) {
        if ((pages & sitePageBit(page)) == 0) continue;
        for (const ControlSpec& c : pageControls(page)) {
            if (c.kind == ControlKind::Text) zeroFillTextSlot(image, c.at.field);
        }
    }
    if (pages & sitePageBit(SitePage::WirelessLan)) tidyWirelessLanTexts(image, activeHost(image));
    if (pages & sitePageBit(SitePage::System)) tidyPromptSlots(image);
    if (pages & sitePageBit(SitePage::Emulation)) {
        storeTerminalType(image, image.text(fld::TerminalType));
    }
}

}  // namespace varomil
