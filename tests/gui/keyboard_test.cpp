// The keyboard everywhere: the Barcode page's mnemonics in both families, the
// tree's context-menu keys, Esc and Enter from the Screen preview, the Host IP
// dialog (a host name, "." between the parts, connecting by name), and a full
// grid field replaced by one pick.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>

#include "app/command_ids.h"
#include "app/main_window_win.h"
#include "host/session_state_win.h"
#include "pages/grid_editor_win.h"
#include "pages/grid_field_win.h"
#include "resources/barcode_ids.h"
#include "resources/host_ids.h"
#include "resources/screen_ids.h"
#include "resources/settings_page_ids.h"
#include "resources/wlan_ids.h"
#include "settings/image_layout.h"
#include "settings/settings_image.h"
#include "summary/summary_tree_view_win.h"
#include "tests/gui/host_telnet_peer.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

constexpr int kBarcodeTab = 1, kWirelessTab = 2, kScreenTab = 4;
using KeyboardTest = FreshWindowTest<0>;

// The mnemonic of a control text, 0 for none ("&&" is a plain '&').
char mnemonic(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return static_cast<char>(std::tolower(text[i + 1]));
        ++i;
    }
    return 0;
}

// The visible controls' mnemonics, each once; the ids given must have one.
void expectMnemonics(HWND page, std::initializer_list<int> mustHave, const char* family) {
    std::map<char, int> used;
    for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const char m = IsWindowVisible(c) ? mnemonic(windowText(c)) : 0;
        if (m == 0) continue;
        const auto [at, fresh] = used.emplace(m, GetDlgCtrlID(c));
        EXPECT_TRUE(fresh) << family << ": '" << m << "' on " << at->second << " and "
                           << GetDlgCtrlID(c);
    }
    for (int id : mustHave) EXPECT_NE(mnemonic(dialogItemText(page, id)), 0) << family << id;
}

TEST_F(KeyboardTest, BarcodePageHasMnemonicsOfItsOwnInBothFamilies) {
    chooseProduct(3);  // the reader type can be chosen
    configure([](HWND sheet) {
        showTab(sheet, kBarcodeTab);
        HWND page = currentPage(sheet);
        for (const int reader : {1, 0}) {
            chooseItem(page, IDC_BC_READER_TYPE, reader);
            expectMnemonics(page,
                            {IDC_BC_READER_LABEL, IDC_BC_RFID_SETTINGS, IDC_BC_LABEL_401,
                             IDC_BC_LABEL_402, IDC_BC_TIMEOUT_LABEL, IDC_BC_AIM_LABEL,
                             IDC_BC_ADVANCED, IDC_BC_RESET, IDC_BC_FIRST_CHECK},
                            reader ? "2D" : "1D");
        }
        pressCancel(sheet);
    });
}

TEST_F(KeyboardTest, ShiftF10AndTheMenuKeyOpenTheTreeMenu) {
    HWND tree = mainWindow().tree;
    SetFocus(tree);
    TreeView_SelectItem(tree, TreeView_GetRoot(tree));
    BYTE keys[256] = {};
    for (const bool shiftF10 : {true, false}) {
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shiftF10 ? 0x80 : 0;
        SetKeyboardState(keys);
        const UINT down = shiftF10 ? WM_SYSKEYDOWN : WM_KEYDOWN, vk = shiftF10 ? VK_F10 : VK_APPS;
        EXPECT_EQ(popupMenuItems([&] {
                      SendMessageA(tree, down, vk, 1);
                      SendMessageA(tree, down + 1, vk, 0xC0000001);
                  }),
                  "1150 &Copy\tCtrl+Ins|1160 &Find...\tCtrl+F|")
            << (shiftF10 ? "Shift+F10" : "menu key");
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Posts a key to a control of the sheet and runs the sheet's own loop until the
// sheet closes (true) or a second has passed.
bool keyClosesSheet(HWND sheet, HWND control, UINT vk) {
    SetFocus(control);
    PostMessageA(control, WM_KEYDOWN, vk, 1);
    const DWORD start = GetTickCount();
    while (currentPage(sheet) != nullptr && GetTickCount() - start < 1000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!PropSheet_IsDialogMessage(sheet, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return currentPage(sheet) == nullptr;
}

TEST_F(KeyboardTest, EscFromTheScreenPreviewCancelsTheSheetAndEnterTakesIt) {
    chooseProduct(1);
    const Byte layout = settingsImage().byte(slot::pageLayout(0));
    for (const UINT vk : {VK_ESCAPE, VK_RETURN}) {
        configure([&](HWND sheet) {
            showTab(sheet, kScreenTab);
            HWND page = currentPage(sheet);
            chooseItem(page, IDC_SCR_LAYOUT, layout == 0 ? 1 : 0);
            // A dropped list takes Return itself: it closes, the sheet stays.
            HWND list = GetDlgItem(page, IDC_SCR_LAYOUT);
            SendMessageA(list, CB_SHOWDROPDOWN, TRUE, 0);
            EXPECT_FALSE(keyClosesSheet(sheet, list, VK_RETURN));
            EXPECT_FALSE(SendMessageA(list, CB_GETDROPPEDSTATE, 0, 0));
            EXPECT_TRUE(keyClosesSheet(sheet, GetDlgItem(page, IDC_SCR_PREVIEW), vk));
        });
        EXPECT_EQ(settingsImage().byte(slot::pageLayout(0)) != layout, vk == VK_RETURN);
    }
}

// Connect with `action` on the Host IP dialog, which then cancels it unless the
// action pressed OK.
void onHostIp(const std::function<void(HWND)>& action) {
    DialogHook hook([&](HWND d) {
        action(d);
        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    sendCommand(cmd::Connect);
}

std::string parts(HWND d) {
    std::string s;
    for (int id = IDC_HOST_OCTET1; id <= IDC_HOST_OCTET4; ++id) s += dialogItemText(d, id) + "|";
    return s;
}

TEST_F(KeyboardTest, HostIpShowsAStoredNameAndThePortAndADotMovesToTheNextPart) {
    SettingsImage& image = settingsImage();
    image.setByte(fld::ActiveHostIndex, 1);
    image.setText(slot::hostAddress(1), "depot-host");
    image.setU16le(fld::TelnetPort, 2323);
    onHostIp([](HWND d) {
        EXPECT_EQ(dialogItemText(d, IDC_HOST_NAME) + parts(d) + dialogItemText(d, IDC_HOST_PORT),
                  "depot-host||||2323");
        // Typed part by part, "." going on to the next box.
        SetDlgItemTextA(d, IDC_HOST_OCTET1, "");
        SetFocus(GetDlgItem(d, IDC_HOST_OCTET1));
        for (const char c : std::string("10.1.2.3.")) SendMessageA(GetFocus(), WM_CHAR, c, 1);
        EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_HOST_OCTET4));
        EXPECT_EQ(parts(d) + dialogItemText(d, IDC_HOST_NAME), "10|1|2|3|10.1.2.3");
        // Or typed whole.
        SetDlgItemTextA(d, IDC_HOST_NAME, "192.168.7");
        EXPECT_EQ(parts(d), "192|168|7||");
    });
    EXPECT_EQ(image.text(slot::hostAddress(1)), "depot-host") << "Cancel keeps it";
}

TEST_F(KeyboardTest, AHostNameConnectsAndIsStoredAsTyped) {
    ScriptedTelnetHost host([](ScriptedTelnetHost& h) {
        h.reach(1);
        if (!h.expectClosed()) h.reach(-1);
    });
    settingsImage().setU16le(fld::TelnetPort, static_cast<std::uint16_t>(host.port()));
    settingsImage().setByte(fld::ActiveHostIndex, 0);
    onHostIp([](HWND d) {
        SetDlgItemTextA(d, IDC_HOST_NAME, "localhost");
        SendMessageA(d, WM_COMMAND, IDOK, 0);
    });
    char link[128] = "";
    SendMessageA(mainWindow().status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(std::string(link), "Connected to localhost:" + std::to_string(host.port()));
    EXPECT_EQ(settingsImage().text(slot::hostAddress(0)), "localhost");
    sendCommand(cmd::Disconnect);
    ASSERT_TRUE(pumpUntil([&] { return host.finished(); }));
    EXPECT_EQ(host.stage(), 1) << "the host saw no connection, or no close";
}

TEST_F(KeyboardTest, AFullWepKeyLooksLikeAFieldAndOnePickReplacesIt) {
    chooseProduct(2);
    configure([](HWND sheet) {
        showTab(sheet, kWirelessTab);
        HWND page = currentPage(sheet);
        if (!checked(page, IDC_WLAN_WEP)) clickButton(page, IDC_WLAN_WEP);
        HWND key = GetDlgItem(page, IDC_WLAN_WEP_KEY_1);
        ASSERT_TRUE(IsWindowEnabled(key));
        EXPECT_NE(windowText(key), "");
        // Coloured as a field to fill, not as a disabled one; the cue says how.
        HDC dc = GetDC(key);
        EXPECT_EQ(SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(key)),
                  reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
        ReleaseDC(key, dc);
        wchar_t cue[64] = L"";
        SendMessageW(key, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 64);
        const std::string want = kGridFieldCue;  // plain ASCII
        EXPECT_EQ(std::wstring(cue), std::wstring(want.begin(), want.end()));
        char tip[64] = "";
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = page;
        tool.uId = reinterpret_cast<UINT_PTR>(key);
        tool.lpszText = tip;
        for (HWND t = FindWindowA(TOOLTIPS_CLASSA, nullptr); t != nullptr && !*tip;
             t = FindWindowExA(nullptr, t, TOOLTIPS_CLASSA, nullptr))
            SendMessageA(t, TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(tip, kGridFieldTip);

        ScriptedMessageBoxes boxes;  // none expected: "Too many characters !!!" fails
        DialogHook hook([](HWND d) {
            if (windowText(d) != "The Grid Control") return;
            HWND chart = GetDlgItem(d, IDC_GRID_CHART);
            RECT r{};
            GetClientRect(chart, &r);
            const GridChart c = gridChart(GridMode::Hex, r.right, r.bottom);
            const int code = 0x41;
            SendMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM((code / 16 + 1) * c.cellWidth + c.cellWidth / 2,
                                    (code % 16 + 1) * c.cellHeight + c.cellHeight / 2));
            PostMessageA(d, WM_COMMAND, IDOK, 0);
        });
        SendMessageA(key, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        EXPECT_EQ(windowText(key), "41 ");
        EXPECT_TRUE(boxes.calls().empty());
        pressCancel(sheet);
    });
}

}  // namespace
}  // namespace varomil::test
