// The Wireless LAN page driven as a user would: DHCP and the address edits, the
// security bits, WEP keys across a length change, the passphrase limit, numbers,
// the host list and Reset; every field through OK (Save and Open keep every byte:
// tests/core/settings and settings_file_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/wlan_ids.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

constexpr int kWirelessTab = 2;

// Opens the grid on a hex target and enters `codes`.
void enterHex(HWND page, int id, const std::vector<int>& codes) {
    DialogHook hook([&](HWND grid) {
        if (windowText(grid) == "The Grid Control") enterCodes(grid, GridMode::Hex, codes);
    });
    SendMessageA(GetDlgItem(page, id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
}

using WirelessLanPageTest = SheetTest<2>;

// DHCP, the security bits, numbers, the host list and every field: the steps
// and the bytes they leave are in tests/data/pages/wireless_lan.txt.
TEST_F(WirelessLanPageTest, StepsLeaveTheirBytes) {
    runSheetCases("pages/wireless_lan.txt");
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
    onTab(kWirelessTab, [&](HWND sheet, HWND page) {
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

}  // namespace
}  // namespace varomil::test
