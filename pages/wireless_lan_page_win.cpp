#include "pages/wireless_lan_page_win.h"

#include <string>

#include "pages/wireless_lan_controls.h"
#include "pages/wireless_lan_texts.h"
#include "settings/factory_defaults.h"

namespace varomil {

namespace {

using wlan::kEap;
using wlan::kHostChars;
using wlan::kWep;
using wlan::kWpa;

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
    trimWepKeys(image);
    for (std::size_t k = 0; k < fld::kWepKeyCount; ++k) {
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
                                          .withControls(kWirelessLanControls)
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
