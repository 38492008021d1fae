// The Wireless LAN page driven as a user would: DHCP and the address edits, the
// security bits, WEP keys across a length change, the passphrase limit, numbers,
// the host list and Reset; every field through OK (Save and Open keep every byte:
// tests/core/settings and settings_file_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/grid_value.h"
#include "resources/settings_page_ids.h"
#include "resources/wlan_ids.h"
#include "settings/settings_image.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

constexpr int kWirelessTab = 2;

Byte flags() {
    return settingsImage().byte(fld::WlanSecurityFlags);
}

// Opens the grid on a hex target and clicks `codes`, then OK.
void enterHex(HWND page, int id, const std::vector<int>& codes) {
    DialogHook hook([&](HWND dialog) {
        if (windowText(dialog) != "The Grid Control") return;
        SendMessageA(dialog, WM_COMMAND, IDC_GRID_CLEAR, 0);
        HWND chart = GetDlgItem(dialog, IDC_GRID_CHART);
        RECT r{};
        GetClientRect(chart, &r);
        const GridChart c = gridChart(GridMode::Hex, r.right, r.bottom);
        for (int code : codes) {
            SendMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM((code / 16 + 1) * c.cellWidth + c.cellWidth / 2,
                                    (code % 16 + 1) * c.cellHeight + c.cellHeight / 2));
        }
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(GetDlgItem(page, id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
}

// Typing in the edit part of the host box.
void typeHost(HWND page, const std::string& text) {
    HWND box = GetDlgItem(page, IDC_WLAN_HOST);
    SetWindowTextA(box, text.c_str());
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_WLAN_HOST, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(box));
}
std::string hostEntry(HWND page, int i) {
    char text[64] = "";
    SendDlgItemMessageA(page, IDC_WLAN_HOST, CB_GETLBTEXT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(text));
    return text;
}

class WirelessLanPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        chooseProduct(2);
    }
};

TEST_F(WirelessLanPageTest, DhcpEnablesTheAddressesAndTextsKeepTheirLimit) {
    configure([](HWND sheet) {
        showTab(sheet, kWirelessTab);
        HWND page = currentPage(sheet);
        const int addresses[] = {IDC_WLAN_SUBNET_MASK, IDC_WLAN_GATEWAY, IDC_WLAN_DNS_SERVER,
                                 IDC_WLAN_TERMINAL_IP};
        for (int on : {1, 0, 1}) {
            EXPECT_EQ(settingsImage().byte(fld::DhcpEnable), on);
            for (int id : addresses) EXPECT_EQ(itemEnabled(page, id), on == 0) << id;
            clickButton(page, IDC_WLAN_DHCP);
        }
        const std::string longName = "terminal-name-of-25-chars";
        typeInto(page, IDC_WLAN_LOCAL_NAME, longName);
        EXPECT_EQ(dialogItemText(page, IDC_WLAN_LOCAL_NAME), longName);
        EXPECT_EQ(settingsImage().text(fld::LocalName), longName.substr(0, 19));
        typeInto(page, IDC_WLAN_GATEWAY, "10.0.0.1");
        pressOk(sheet);
    });
    EXPECT_EQ(settingsImage().codes(fld::Gateway), "10.0.0.1");
    const Field gateway = fld::Gateway;
    for (std::size_t i = 8; i < gateway.width; ++i) EXPECT_EQ(settingsImage().byte(gateway, i), 0);
}

TEST_F(WirelessLanPageTest, SecurityBoxesWriteTheirOwnBitsAndEnableTheirControls) {
    settingsImage().setByte(fld::WlanSecurityFlags, 0xA1);  // bits 4..7 from a file
    configure([](HWND sheet) {
        showTab(sheet, kWirelessTab);
        HWND page = currentPage(sheet);
        EXPECT_TRUE(checked(page, IDC_WLAN_OPEN_SYSTEM));
        EXPECT_FALSE(itemEnabled(page, IDC_WLAN_KEY_LENGTH));
        const struct {
            int id;
            Byte after;
            int follower;
        } clicks[] = {
            {IDC_WLAN_WEP, 0xA3, IDC_WLAN_WEP_KEY_1 + 3},
            {IDC_WLAN_EAP, 0xA7, IDC_WLAN_EAP_PASSWORD},
            {IDC_WLAN_WPA, 0xAF, IDC_WLAN_PASSPHRASE},
            {IDC_WLAN_SHARE_KEY, 0xAE, 0},
            {IDC_WLAN_EAP, 0xAA, IDC_WLAN_EAP_ID},
            {IDC_WLAN_OPEN_SYSTEM, 0xAB, 0},
        };
        for (const auto& c : clicks) {
            clickButton(page, c.id);
            EXPECT_EQ(flags(), c.after) << c.id;
            if (c.follower) {
                EXPECT_EQ(itemEnabled(page, c.follower), checked(page, c.id)) << c.id;
            }
        }
        clickButton(page, IDC_WLAN_ACTIVE_KEY_1 + 2);
        EXPECT_EQ(settingsImage().byte(fld::ActiveWepKey), 2);
        pressOk(sheet);
    });
    EXPECT_EQ(flags(), 0xAB);
}

TEST_F(WirelessLanPageTest, WepKeysFollowTheKeyLengthAndThePassphraseHoldsSixtyThreeBytes) {
    SettingsImage& image = settingsImage();
    image.setByte(fld::WlanSecurityFlags, 0x0B);  // WEP and WPA on
    image.setByte(fld::WepKeyLength, 1);
    for (std::size_t k = 0; k < 4; ++k) {
        for (std::size_t i = 0; i < 16; ++i) {
            image.setByte(slot::wepKey(k), static_cast<Byte>(0x10 * k + i + 1), i);
        }
    }
    configure([&](HWND sheet) {
        showTab(sheet, kWirelessTab);
        HWND page = currentPage(sheet);
        EXPECT_EQ(dialogItemText(page, IDC_WLAN_WEP_KEY_1 + 1),
                  "11 12 13 14 15 16 17 18 19 1A 1B 1C 1D ");
        chooseItem(page, IDC_WLAN_KEY_LENGTH, 0);
        EXPECT_EQ(dialogItemText(page, IDC_WLAN_WEP_KEY_1 + 3), "31 32 33 34 35 ");
        // Every key is trimmed at once, not when its edit next notifies.
        for (std::size_t k = 0; k < 4; ++k) {
            for (std::size_t i = 5; i < 16; ++i) EXPECT_EQ(image.byte(slot::wepKey(k), i), 0);
            EXPECT_EQ(image.byte(slot::wepKey(k), 4), 0x10 * k + 5);
        }
        enterHex(page, IDC_WLAN_WEP_KEY_1, {0xAB, 0x00, 0xCD});
        EXPECT_EQ(image.codes(slot::wepKey(0)), "\xAB");
        EXPECT_EQ(image.byte(slot::wepKey(0), 2), 0xCD);

        std::vector<int> passphrase(63, 'p');
        Asked asked = answering({}, {}, [&] { enterHex(page, IDC_WLAN_PASSPHRASE, passphrase); });
        EXPECT_TRUE(asked.boxes.empty());
        passphrase.push_back('q');
        asked = answering({IDOK}, {}, [&] { enterHex(page, IDC_WLAN_PASSPHRASE, passphrase); });
        ASSERT_EQ(asked.boxes.size(), 1u);
        expectBox(asked.boxes[0], "Too many characters !!!", "The Grid Control", MB_ICONWARNING,
                  MB_ICONMASK);
        image.setByte(fld::WpaPassphrase, 'z', 63);  // as a 64-byte passphrase from a file
        pressOk(sheet);
    });
    EXPECT_EQ(image.text(fld::WpaPassphrase), std::string(63, 'p'));
    EXPECT_EQ(image.byte(fld::WpaPassphrase, 63), 0);
}

TEST_F(WirelessLanPageTest, PortAndKeepAliveAreCorrectedInPlace) {
    configure([](HWND sheet) {
        showTab(sheet, kWirelessTab);
        HWND page = currentPage(sheet);
        const struct {
            int id;
            const char* typed;
            const char* shown;
            unsigned stored;
        } cases[] = {
            {IDC_WLAN_TELNET_PORT, "70000", "65535", 65535},
            {IDC_WLAN_TELNET_PORT, "abc", "0", 0},
            {IDC_WLAN_TELNET_PORT, "2323", "2323", 2323},
            {IDC_WLAN_TELNET_PORT, "", "", 0},
            {IDC_WLAN_KEEP_ALIVE, "300", "255", 255},
            {IDC_WLAN_KEEP_ALIVE, "007", "7", 7},
            {IDC_WLAN_KEEP_ALIVE, "x", "0", 0},
        };
        for (const auto& c : cases) {
            typeInto(page, c.id, c.typed);
            EXPECT_EQ(dialogItemText(page, c.id), c.shown) << c.typed;
            const unsigned stored = c.id == IDC_WLAN_TELNET_PORT
                                        ? settingsImage().u16le(fld::TelnetPort)
                                        : settingsImage().byte(fld::KeepAliveMinutes);
            EXPECT_EQ(stored, c.stored) << c.typed;
        }
        pressCancel(sheet);
    });
}

TEST_F(WirelessLanPageTest, HostListEditsTheActiveEntryAndResetShowsTheFactoryHosts) {
    configure([](HWND sheet) {
        showTab(sheet, kWirelessTab);
        HWND page = currentPage(sheet);
        typeHost(page, "host.zero");
        chooseItem(page, IDC_WLAN_HOST, 2);
        typeHost(page, "host.two");
        // The active index, entries 0 and 2, the list's entry 2 and the box's text.
        EXPECT_EQ(std::to_string(settingsImage().byte(fld::ActiveHostIndex)) + "|" +
                      settingsImage().text(slot::hostAddress(0)) + "|" +
                      settingsImage().text(slot::hostAddress(2)) + "|" + hostEntry(page, 2) + "|" +
                      comboText(page, IDC_WLAN_HOST),
                  "2|host.zero|host.two|host.two|host.two");

        typeInto(page, IDC_WLAN_SSID, "mine");
        typeInto(page, IDC_WLAN_TELNET_PORT, "99");
        clickButton(page, IDC_WLAN_RESET);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_WLAN_HOST, CB_GETCOUNT, 0, 0), 5);
        EXPECT_EQ(hostEntry(page, 0) + "|" + hostEntry(page, 2) + "|" +
                      comboText(page, IDC_WLAN_HOST) + "|" + dialogItemText(page, IDC_WLAN_SSID) +
                      "|" + dialogItemText(page, IDC_WLAN_TELNET_PORT),
                  "192.168.1.100||192.168.1.100|WLAN|23");
        pressOk(sheet);
    });
    EXPECT_EQ(settingsImage().text(slot::hostAddress(2)), "");
}

TEST_F(WirelessLanPageTest, EveryFieldReachesTheImageOnOk) {
    configure([](HWND sheet) {
        showTab(sheet, kWirelessTab);
        HWND page = currentPage(sheet);
        clickButton(page, IDC_WLAN_DHCP);
        const std::pair<int, const char*> texts[] = {
            {IDC_WLAN_SUBNET_MASK, "255.0.0.0"},
            {IDC_WLAN_GATEWAY, "10.1.1.1"},
            {IDC_WLAN_DNS_SERVER, "10.1.1.2"},
            {IDC_WLAN_TERMINAL_IP, "10.1.1.3"},
            {IDC_WLAN_LOCAL_NAME, "t1"},
            {IDC_WLAN_SSID, "site"},
            {IDC_WLAN_EAP_ID, "me"},
            {IDC_WLAN_EAP_PASSWORD, "secret"},
            {IDC_WLAN_LOGIN_NAME, "user"},
            {IDC_WLAN_NAME_PROMPT, "Name?"},
            {IDC_WLAN_LOGIN_PASSWORD, "pw"},
            {IDC_WLAN_PASSWORD_PROMPT, "Pass?"},
            {IDC_WLAN_LOGOUT, "bye"},
            {IDC_WLAN_TELNET_PORT, "2001"},
            {IDC_WLAN_KEEP_ALIVE, "12"},
        };
        for (const auto& [id, text] : texts) typeInto(page, id, text);
        for (int id :
             {IDC_WLAN_WEP, IDC_WLAN_EAP, IDC_WLAN_WPA, IDC_WLAN_SHARE_KEY, IDC_WLAN_AUTO_SIGNON,
              IDC_WLAN_RESUME_PROTECTION, IDC_WLAN_ACTIVE_KEY_1 + 3}) {
            clickButton(page, id);
        }
        chooseItem(page, IDC_WLAN_KEY_LENGTH, 1);
        enterHex(page, IDC_WLAN_WEP_KEY_1 + 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
        enterHex(page, IDC_WLAN_PASSPHRASE, {'a', 'b'});
        chooseItem(page, IDC_WLAN_HOST, 4);
        typeHost(page, "last.host");
        chooseItem(page, IDC_WLAN_NAME_KEY, 1);
        chooseItem(page, IDC_WLAN_PASSWORD_KEY, 2);
        chooseItem(page, IDC_WLAN_LOGOUT_KEY, 10);
        chooseItem(page, IDC_WLAN_INTERFACE, 1);
        pressOk(sheet);
    });
    const SettingsImage& saved = settingsImage();
    // Security flags, WEP key 3's last byte, FN+0's role, Resume Protection.
    EXPECT_EQ(
        std::vector<int>({saved.byte(fld::WlanSecurityFlags), saved.byte(slot::wepKey(2), 12),
                          saved.byte(slot::binding(0), 0), saved.byte(fld::ResumeProtection)}),
        std::vector<int>({0x0E, 13, 203, 1}));
    EXPECT_EQ(saved.text(fld::WpaPassphrase), "ab");
}

}  // namespace
}  // namespace varomil::test
