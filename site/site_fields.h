// The settings a site table's column or /set may name: every text, number and
// flag of the Wireless LAN, System and Emulation pages, by the image's own field
// names, each stored through the page's own control row and rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "pages/control_table.h"

namespace varomil {

enum class SitePage : std::uint8_t { WirelessLan, System, Emulation };

enum class SiteRule : std::uint8_t {
    Control,       // the control row's own kind
    Address,       // a text the terminal reads as dotted IPv4
    WepKeyLength,  // a new length trims the keys, as the page does
    FontSize,      // a new font brings the steps that fit it, as the page does
    TerminalType,  // the editable list's text; none gives the standard type
};

struct SiteField {
    std::string_view name;
    SitePage page = SitePage::WirelessLan;
    ControlSpec control;  // the page's row (a radio group: its first button)
    SiteRule rule = SiteRule::Control;
    bool password = false;  // shown as "***" in logs and reports
    // A radio group's texts by value, when the page has them.
    const std::string_view* names = nullptr;
    std::size_t nameCount = 0;
};

Rows<SiteField> siteFields();
// The field of a name, in any letter case; none for an unknown name.
const SiteField* findSiteField(std::string_view name);
// What a value must be, for the README and messages: "text, at most 19 characters".
std::string describeSiteField(const SiteField& field);

// Checks `value` and stores it as the page stores its control; false with the
// rule it breaks in `rule` ("21 characters, at most 19"), the image unchanged.
// Text is Windows-1252, as the terminal holds it.
bool storeSiteValue(const SiteField& field, std::string_view value, SettingsImage& image,
                    std::string& rule);

// The bit of a page in the set that applySitePages takes.
constexpr unsigned sitePageBit(SitePage page) {
    return 1u << static_cast<unsigned>(page);
}
// What apply does on each page of `pages` (text slots tidied with zeros, the
// active host entry, the prompt lines, the terminal type).
void applySitePages(SettingsImage& image, unsigned pages);

}  // namespace varomil
