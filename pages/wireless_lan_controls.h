// The Wireless LAN page's controls as data: the page shows them, and a site
// batch applies its per-terminal values through the very same rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "pages/control_table.h"
#include "resources/wlan_ids.h"
#include "settings/value_lists.h"

namespace varomil {

namespace wlan {
constexpr std::size_t kAddressChars = 23;
constexpr std::size_t kNameChars = 19;
constexpr std::size_t kEapChars = 32;
constexpr std::size_t kPromptChars = 13;
constexpr std::size_t kLogoutChars = 9;
constexpr std::size_t kHostChars = fld::kHostAddressWidth - 1;
// One byte short of the field, so that its last byte stays the text's end.
constexpr std::size_t kPassphraseBytes = 63;
constexpr std::array<std::uint8_t, 2> kWepKeyBytes{5, 13};  // by WepKeyLength

constexpr BitField securityBit(std::uint8_t bit) {
    return imageBits(fld::WlanSecurityFlags, bit, 1);
}
constexpr BitField kOpenSystem = securityBit(0);
constexpr BitField kWep = securityBit(1);
constexpr BitField kEap = securityBit(2);
constexpr BitField kWpa = securityBit(3);

constexpr ControlSpec wepKey(std::size_t i) {
    return gridSized(IDC_WLAN_WEP_KEY_1 + static_cast<int>(i), slot::wepKey(i), GridMode::Hex,
                     GridLength::Capacity, inImage(fld::WepKeyLength), kWepKeyBytes);
}
}  // namespace wlan

inline constexpr ControlSpec kWirelessLanControls[] = {
    checkBox(IDC_WLAN_DHCP, fld::DhcpEnable),
    text(IDC_WLAN_SUBNET_MASK, fld::SubnetMask, wlan::kAddressChars, kKeepTyped),
    text(IDC_WLAN_GATEWAY, fld::Gateway, wlan::kAddressChars, kKeepTyped),
    text(IDC_WLAN_DNS_SERVER, fld::DnsServer, wlan::kAddressChars, kKeepTyped),
    text(IDC_WLAN_TERMINAL_IP, fld::TerminalIp, wlan::kAddressChars, kKeepTyped),
    text(IDC_WLAN_LOCAL_NAME, fld::LocalName, wlan::kNameChars, kKeepTyped),
    text(IDC_WLAN_SSID, fld::Ssid, wlan::kNameChars, kKeepTyped),
    radio(IDC_WLAN_SHARE_KEY, wlan::kOpenSystem, 0),
    radio(IDC_WLAN_OPEN_SYSTEM, wlan::kOpenSystem, 1),
    checkBox(IDC_WLAN_WEP, wlan::kWep),
    combo(IDC_WLAN_KEY_LENGTH, fld::WepKeyLength, lists::kWepKeyLength),
    wlan::wepKey(0),
    wlan::wepKey(1),
    wlan::wepKey(2),
    wlan::wepKey(3),
    radio(IDC_WLAN_ACTIVE_KEY_1, fld::ActiveWepKey, 0),
    radio(IDC_WLAN_ACTIVE_KEY_1 + 1, fld::ActiveWepKey, 1),
    radio(IDC_WLAN_ACTIVE_KEY_1 + 2, fld::ActiveWepKey, 2),
    radio(IDC_WLAN_ACTIVE_KEY_1 + 3, fld::ActiveWepKey, 3),
    checkBox(IDC_WLAN_EAP, wlan::kEap),
    text(IDC_WLAN_EAP_ID, fld::EapId, wlan::kEapChars, kKeepTyped),
    text(IDC_WLAN_EAP_PASSWORD, fld::EapPassword, wlan::kEapChars, kKeepTyped),
    checkBox(IDC_WLAN_WPA, wlan::kWpa),
    grid(IDC_WLAN_PASSPHRASE, fld::WpaPassphrase, GridMode::Hex, GridLength::UpToZero,
         wlan::kPassphraseBytes),
    number(IDC_WLAN_TELNET_PORT, fld::TelnetPort, 0, 65535, NumberStorage::U16le, kEmptyStays),
    text(IDC_WLAN_LOGIN_NAME, fld::LoginName, wlan::kNameChars, kKeepTyped),
    roleKey(IDC_WLAN_NAME_KEY, fld::LoginNameKey, KeyRole::NameKey),
    text(IDC_WLAN_NAME_PROMPT, fld::NamePrompt, wlan::kPromptChars, kKeepTyped),
    text(IDC_WLAN_LOGIN_PASSWORD, fld::LoginPassword, wlan::kNameChars, kKeepTyped),
    roleKey(IDC_WLAN_PASSWORD_KEY, fld::LoginPasswordKey, KeyRole::PasswordKey),
    text(IDC_WLAN_PASSWORD_PROMPT, fld::PasswordPrompt, wlan::kPromptChars, kKeepTyped),
    text(IDC_WLAN_LOGOUT, fld::LogoutCommand, wlan::kLogoutChars, kKeepTyped),
    roleKey(IDC_WLAN_LOGOUT_KEY, fld::LogoutKey, KeyRole::ExitKey),
    number(IDC_WLAN_KEEP_ALIVE, fld::KeepAliveMinutes, 0, 255),
    checkBox(IDC_WLAN_AUTO_SIGNON, fld::AutoLogin),
    checkBox(IDC_WLAN_RESUME_PROTECTION, fld::ResumeProtection),
    combo(IDC_WLAN_INTERFACE, fld::WlanInterface, lists::kWlanInterface),
};

// The host entry being edited: ActiveHostIndex, put back to the first entry when
// a foreign file holds one beyond the five.
unsigned activeHost(SettingsImage& image);

// Every WEP key cut to the key length in force, zeros after it: a new key length
// trims the keys at once, so no byte of a longer key stays behind unseen.
void trimWepKeys(SettingsImage& image);

}  // namespace varomil
