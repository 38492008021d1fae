#include "pages/wireless_lan_page_win.h"

#include <string>

#include "pages/wireless_lan_texts.h"
#include "resources/wlan_ids.h"
#include "settings/factory_defaults.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

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

constexpr ControlSpec kControls[] = {
    checkBox(IDC_WLAN_DHCP, fld::DhcpEnable),
    text(IDC_WLAN_SUBNET_MASK, fld::SubnetMask, kAddressChars, kKeepTyped),
    text(IDC_WLAN_GATEWAY, fld::Gateway, kAddressChars, kKeepTyped),
    text(IDC_WLAN_DNS_SERVER, fld::DnsServer, kAddressChars, kKeepTyped),
    text(IDC_WLAN_TERMINAL_IP, fld::TerminalIp, kAddressChars, kKeepTyped),
    text(IDC_WLAN_LOCAL_NAME, fld::LocalName, kNameChars, kKeepTyped),
    text(IDC_WLAN_SSID, fld::Ssid, kNameChars, kKeepTyped),
    radio(IDC_WLAN_SHARE_KEY, kOpenSystem, 0),
    radio(IDC_WLAN_OPEN_SYSTEM, kOpenSystem, 1),
    checkBox(IDC_WLAN_WEP, kWep),
    combo(IDC_WLAN_KEY_LENGTH, fld::WepKeyLength, lists::kWepKeyLength),
    wepKey(0),
    wepKey(1),
    wepKey(2),
    wepKey(3),
    radio(IDC_WLAN_ACTIVE_KEY_1, fld::ActiveWepKey, 0),
    radio(IDC_WLAN_ACTIVE_KEY_1 + 1, fld::ActiveWepKey, 1),
    radio(IDC_WLAN_ACTIVE_KEY_1 + 2, fld::ActiveWepKey, 2),
    radio(IDC_WLAN_ACTIVE_KEY_1 + 3, fld::ActiveWepKey, 3),
    checkBox(IDC_WLAN_EAP, kEap),
    text(IDC_WLAN_EAP_ID, fld::EapId, kEapChars, kKeepTyped),
    text(IDC_WLAN_EAP_PASSWORD, fld::EapPassword, kEapChars, kKeepTyped),
    checkBox(IDC_WLAN_WPA, kWpa),
    grid(IDC_WLAN_PASSPHRASE, fld::WpaPassphrase, GridMode::Hex, GridLength::UpToZero,
         kPassphraseBytes),
    number(IDC_WLAN_TELNET_PORT, fld::TelnetPort, 0, 65535, NumberStorage::U16le, kEmptyStays),
    text(IDC_WLAN_LOGIN_NAME, fld::LoginName, kNameChars, kKeepTyped),
    roleKey(IDC_WLAN_NAME_KEY, fld::LoginNameKey, KeyRole::NameKey),
    text(IDC_WLAN_NAME_PROMPT, fld::NamePrompt, kPromptChars, kKeepTyped),
    text(IDC_WLAN_LOGIN_PASSWORD, fld::LoginPassword, kNameChars, kKeepTyped),
    roleKey(IDC_WLAN_PASSWORD_KEY, fld::LoginPasswordKey, KeyRole::PasswordKey),
    text(IDC_WLAN_PASSWORD_PROMPT, fld::PasswordPrompt, kPromptChars, kKeepTyped),
    text(IDC_WLAN_LOGOUT, fld::LogoutCommand, kLogoutChars, kKeepTyped),
    roleKey(IDC_WLAN_LOGOUT_KEY, fld::LogoutKey, KeyRole::ExitKey),
    number(IDC_WLAN_KEEP_ALIVE, fld::KeepAliveMinutes, 0, 255),
    checkBox(IDC_WLAN_AUTO_SIGNON, fld::AutoLogin),
    checkBox(IDC_WLAN_RESUME_PROTECTION, fld::ResumeProtection),
    combo(IDC_WLAN_INTERFACE, fld::WlanInterface, lists::kWlanInterface),
};

constexpr EnableRule kEnables[] = {
    {IDC_WLAN_SUBNET_MASK, IDC_WLAN_TERMINAL_IP, inImage(fld::DhcpEnable), 0},
    {IDC_WLAN_KEY_LENGTH, IDC_WLAN_KEY_LENGTH, kWep, 1},
    {IDC_WLAN_WEP_KEY_1, IDC_WLAN_WEP_KEY_1 + 3, kWep, 1},
    {IDC_WLAN_ACTIVE_KEY_1, IDC_WLAN_ACTIVE_KEY_1 + 3, kWep, 1},
    {IDC_WLAN_EAP_ID, IDC_WLAN_EAP_PASSWORD, kEap, 1},
    {IDC_WLAN_PASSPHRASE, IDC_WLAN_PASSPHRASE, kWpa, 1},
};

// The key length the keys are shown with, to tell a new length from the same.
struct WlanState : PageState {
    unsigned keyLength = 0;
};

HWND hostBox(HWND page) {
    return GetDlgItem(page, IDC_WLAN_HOST);
}

unsigned activeHost(SettingsImage& image) {
    if (image.byte(fld::ActiveHostIndex) >= fld::kHostAddressCount) {
        image.setByte(fld::ActiveHostIndex, 0);
    }
    return image.byte(fld::ActiveHostIndex);
}

void setUp(PageContext& ctx) {
    SettingsImage& image = ctx.table.image();
    HWND hosts = hostBox(ctx.page);
    SendMessageA(hosts, CB_LIMITTEXT, kHostChars, 0);
    if (SendMessageA(hosts, CB_GETCOUNT, 0, 0) <= 0) {
        for (std::size_t h = 0; h < fld::kHostAddressCount; ++h) {
            const std::string host = image.text(slot::hostAddress(h));
            SendMessageA(hosts, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(host.c_str()));
        }
    }
    SendMessageA(hosts, CB_SETCURSEL, activeHost(image), 0);
    EnableWindow(GetDlgItem(ctx.page, IDC_WLAN_INTERFACE), image.byte(fld::ProductIndex) > 1);
    ctx.as<WlanState>().keyLength = image.byte(fld::WepKeyLength);
}

// Other pages may have given or freed the keys of the login selectors.
void activate(PageContext& ctx) {
    showPageValues(ctx.page);
}

// Typing in the host box edits the entry being edited, and the list with it.
void editHost(PageContext& ctx) {
    SettingsImage& image = ctx.table.image();
    HWND hosts = hostBox(ctx.page);
    const std::string text = controlText(hosts).substr(0, kHostChars);
    const unsigned active = activeHost(image);
    image.setText(slot::hostAddress(active), text);
    SendMessageA(hosts, CB_DELETESTRING, active, 0);
    SendMessageA(hosts, CB_INSERTSTRING, active, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(hosts, CB_SETCURSEL, active, 0);
    const auto end = static_cast<WORD>(text.size());
    SendMessageA(hosts, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
}

bool command(PageContext& ctx, int id, int code) {
    if (id != IDC_WLAN_HOST) return false;
    if (code == CBN_SELCHANGE) {
        const int chosen = comboSelection(hostBox(ctx.page));
        if (chosen >= 0 && static_cast<std::size_t>(chosen) < fld::kHostAddressCount) {
            ctx.table.image().setByte(fld::ActiveHostIndex, static_cast<Byte>(chosen));
        }
    } else if (code == CBN_EDITCHANGE) {
        editHost(ctx);
    }
    return true;
}

// A new key length trims every key to it at once, in the image and in what the
// key edits hold, so no byte of a longer key stays behind unseen.
void changed(PageContext& ctx, int id) {
    if (id != IDC_WLAN_KEY_LENGTH) return;
    SettingsImage& image = ctx.table.image();
    WlanState& state = ctx.as<WlanState>();
    const unsigned length = image.byte(fld::WepKeyLength);
    if (length == state.keyLength) return;
    state.keyLength = length;
    const std::size_t used = kWepKeyBytes[length < kWepKeyBytes.size() ? length : 0];
    for (std::size_t k = 0; k < fld::kWepKeyCount; ++k) {
        const Field key = slot::wepKey(k);
        for (std::size_t i = used; i < key.width; ++i) image.setByte(key, 0, i);
        ctx.table.show(ctx.page, IDC_WLAN_WEP_KEY_1 + static_cast<int>(k));
    }
}

void apply(PageContext& ctx) {
    SettingsImage& image = ctx.table.image();
    tidyWirelessLanTexts(image, activeHost(image));
}

// The list is filled again from the factory hosts.
void reset(PageContext& ctx) {
    SendMessageA(hostBox(ctx.page), CB_RESETCONTENT, 0, 0);
    defaultNetworkSettings(ctx.table.image(), companions());
}

constexpr PageSpec kWirelessLanPage = PageSpec{"WLAN_DLG", PageProtocol::Snapshot}
                                          .withControls(kControls)
                                          .withEnableRules(kEnables)
                                          .withState(makePageState<WlanState>)
                                          .onSetUp(setUp)
                                          .onActivate(activate)
                                          .onCommand(command)
                                          .onChanged(changed)
                                          .onApply(apply)
                                          .withReset(IDC_WLAN_RESET, reset);

}  // namespace

const PageSpec& wirelessLanPage() {
    return kWirelessLanPage;
}

}  // namespace varomil
