// Everyday use of the main window as a user meets it: the title and the recent
// files, a product change over unsaved edits, keys that move the focus or reach
// the host, the tree that keeps its open branches, a file named on the command line.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/application_win.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "app/property_sheet_win.h"
#include "app/recent_files_win.h"
#include "shell/message_box_win.h"
#include "shell/user_settings_win.h"
#include "host/session_state_win.h"
#include "resources/settings_page_ids.h"
#include "settings/settings_image.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/host_telnet_peer.h"
#include "tests/gui/sheet_test_support.h"
#include "tests/gui/download_port.h"

namespace varomil::test {
namespace {

const std::string kTitle = "Varomil Terminal Emulation For VT";

class EverydayUseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = freshMainWindow();
        ASSERT_NE(frame, nullptr);
        folder = scratchPath("everyday");
        CreateDirectoryA(folder.c_str(), nullptr);
        folder += "\\";
    }
    HWND frame = nullptr;
    std::string folder;
};

// The File menu from Save As down to the place of the recent files, "-" for a
// separator.
const std::string kFileHead =
    "1040 Save &As...|-|1050 Export Su&mmary...|1060 &Compare With...|"
    "1070 Compare with &Factory Settings|-|";

std::string fileMenuTail(HWND frame) {
    HMENU file = GetSubMenu(GetMenu(frame), 0);
    std::string out;
    for (int i = 3; i < GetMenuItemCount(file); ++i) {
        char text[300] = "";
        GetMenuStringA(file, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const bool separator =
            GetMenuState(file, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR;
        out +=
            (separator ? std::string("-") : std::to_string(GetMenuItemID(file, i)) + " " + text) +
            "|";
    }
    return out;
}

TEST_F(EverydayUseTest, TitleAndRecentFilesFollowSaveAsAndOpenAgainAfterARestart) {
    chooseProduct(2);
    EXPECT_EQ(windowText(frame), kTitle);
    configure([](HWND sheet) { pressOk(sheet); });
    EXPECT_EQ(windowText(frame), "Untitled* - " + kTitle);
    EXPECT_EQ(fileMenuTail(frame), kFileHead + "1090 &Exit\tAlt+F4|");
    const std::string first = folder + "first.NET", dock = folder + "dock.NET";
    answering({}, {first}, [] { sendCommand(cmd::SaveAs); });
    settingsImage().setText(fld::LocalName, "DOCK");
    const Asked asked = answering({}, {dock}, [] { sendCommand(cmd::SaveAs); });
    EXPECT_EQ(asked.files.at(0).initialDir, folder.substr(0, folder.size() - 1))
        << "the dialog starts in the folder used last";
    EXPECT_EQ(windowText(frame), "dock.NET - " + kTitle);
    EXPECT_EQ(fileMenuTail(frame),
              kFileHead + "1081 &1 " + dock + "|1082 &2 " + first + "|-|1090 &Exit\tAlt+F4|");
    configure([](HWND sheet) { pressOk(sheet); });
    EXPECT_EQ(windowText(frame), "dock.NET* - " + kTitle);

    // Another run finds the list and opens the newest entry, asking to save first.
    answering({IDNO}, {}, [] { sendCommand(cmd::New); });
    DestroyWindow(frame);
    drainQuitMessage();
    frame = createMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    EXPECT_EQ(fileMenuTail(frame),
              kFileHead + "1081 &1 " + dock + "|1082 &2 " + first + "|-|1090 &Exit\tAlt+F4|");
    // A second copy of the program puts its own file first meanwhile: each entry
    // still opens the file its text names.
    writeUserSetting("File1", first);
    writeUserSetting("File2", dock);
    sendCommand(kFirstRecentFileCommand + 1);
    EXPECT_EQ(windowText(frame), "first.NET - " + kTitle);
    EXPECT_EQ(fileMenuTail(frame).substr(0, kFileHead.size() + 20),
              (kFileHead + "1081 &1 " + first).substr(0, kFileHead.size() + 20));
    DeleteFileA(dock.c_str());
    const Asked gone = answering({IDOK}, {}, [] { sendCommand(kFirstRecentFileCommand + 1); });
    ASSERT_EQ(gone.boxes.size(), 1u) << "a recent file that is gone is reported";
    EXPECT_NE(gone.boxes[0].text.find(dock), std::string::npos) << gone.boxes[0].text;
    EXPECT_EQ(windowText(frame), "first.NET - " + kTitle) << "the open file stays open";
    EXPECT_EQ(fileMenuTail(frame), kFileHead + "1081 &1 " + first + "|-|1090 &Exit\tAlt+F4|");
}

TEST_F(EverydayUseTest, AProductChangeOverEditsAsksAndCancelKeepsProductAndEdits) {
    chooseProduct(1);
    settingsImage().setText(fld::LocalName, "EDITED");
    document().SettingsModified = true;
    // A real box takes the focus from the selector and gives it back on closing:
    // the selector's notifications meanwhile choose nothing and ask nothing.
    SetFocus(mainWindow().selector);
    std::vector<MessageBoxCall> boxes;
    setMessageBoxHook([&boxes](HWND owner, const char* text, const char* caption, UINT flags) {
        boxes.push_back({owner, text, caption, flags, ""});
        SetFocus(mainWindow().tree);
        SetFocus(mainWindow().selector);
        return IDCANCEL;
    });
    chooseProduct(2);
    refuseUnscriptedDialogs();
    ASSERT_EQ(boxes.size(), 1u);
    expectBox(boxes[0], "Save the program ?", kTitle, MB_YESNOCANCEL | MB_ICONEXCLAMATION,
              MB_ICONMASK | MB_TYPEMASK);
    EXPECT_EQ(std::make_tuple(int{settingsImage().byte(fld::ProductIndex)},
                              SendMessageA(mainWindow().selector, CB_GETCURSEL, 0, 0),
                              settingsImage().text(fld::LocalName), document().SettingsModified),
              std::make_tuple(1, LRESULT{1}, std::string("EDITED"), true));

    answering({IDNO}, {}, [] { chooseProduct(3); });
    EXPECT_EQ(
        std::make_pair(int{settingsImage().byte(fld::ProductIndex)}, document().SettingsModified),
        std::make_pair(3, false));
    answering({}, {}, [] { chooseProduct(2); });  // nothing to lose: no question
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 2);
}

// Runs a key through what the message loop does, with Ctrl held when asked.
void pressKey(HWND target, UINT vk, bool control) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), "Varomil");
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        if (translateFrameMessage(mainWindow().frame, accelerators, msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    keys[VK_CONTROL] = keys[VK_LCONTROL] = 0;
    SetKeyboardState(keys);
}

TEST_F(EverydayUseTest, FocusStartsInTheSelectorAndTabOrF6MovesToTheTreeAndBack) {
    const MainWindow& w = mainWindow();
    EXPECT_EQ(GetFocus(), w.selector);
    for (const auto& [key, from, to] :
         {std::make_tuple(VK_TAB, w.selector, w.tree), std::make_tuple(VK_F6, w.tree, w.selector),
          std::make_tuple(VK_F6, w.selector, w.tree)}) {
        pressKey(from, key, false);
        EXPECT_EQ(GetFocus(), to) << key;
    }
    SetFocus(nullptr);
    SetFocus(frame);  // back from another window: the tree again
    EXPECT_EQ(GetFocus(), w.tree);
}

TEST_F(EverydayUseTest, CtrlCInTheConnectedTerminalGoesToTheHostAndOpensNoSheet) {
    int sheets = 0;
    setSettingsSheetDriver([&](HWND sheet) {
        ++sheets;
        pressCancel(sheet);
    });
    chooseProduct(2);
    pressKey(mainWindow().tree, 'C', true);
    EXPECT_EQ(sheets, 1) << "away from the terminal Ctrl+C is Configure";

    ScriptedTelnetHost host(hostScript("reach 1\nexpect Ctrl+C|\\x03\nreach 2\nclose"));
    settingsImage().setText(slot::hostAddress(0), "127.0.0.1");
    settingsImage().setByte(fld::ActiveHostIndex, 0);
    settingsImage().setFlag(fld::AutoLogin, false);
    settingsImage().setU16le(fld::TelnetPort, static_cast<std::uint16_t>(host.port()));
    {
        DialogHook ok([](HWND d) { PostMessageA(d, WM_COMMAND, IDOK, 0); });
        sendCommand(cmd::Connect);
    }
    ASSERT_TRUE(pumpUntil([&] { return host.stage() == 1; }));
    ASSERT_EQ(GetFocus(), mainWindow().terminal);
    EXPECT_EQ(linkStatusText(), "Connected to 127.0.0.1:" + std::to_string(host.port()));
    pressKey(mainWindow().terminal, 'C', true);
    EXPECT_TRUE(pumpUntil([&] { return host.finished(); }));
    EXPECT_EQ(std::make_pair(host.stage(), sheets), std::make_pair(2, 1));
    EXPECT_TRUE(pumpUntil([] { return IsWindowVisible(mainWindow().tree); }));
    EXPECT_EQ(linkStatusText(), "Connection closed by the host");
    setSettingsSheetDriver([](HWND sheet) { pressCancel(sheet); });
}

// The keys go where the focus is, first the "Auto Power Off" edit; after each
// switch the focus is on the page on display, so a typed 7 changes no hidden field.
TEST_F(EverydayUseTest, CtrlTabAndCtrlPageKeysSwitchTheSheetsTabsAndTheFocus) {
    chooseProduct(2);
    std::vector<int> shown;
    configure([&](HWND sheet) {
        HWND system = currentPage(sheet);
        const std::string powerOff = dialogItemText(system, IDC_SYS_AUTO_POWER_OFF);
        SetFocus(GetDlgItem(system, IDC_SYS_AUTO_POWER_OFF));
        const std::pair<WPARAM, bool> keys[] = {{VK_TAB, false},
                                                {VK_NEXT, false},
                                                {VK_TAB, true},
                                                {VK_PRIOR, false},
                                                {VK_PRIOR, false}};
        BYTE state[256] = {};
        for (const auto& [key, shift] : keys) {
            state[VK_CONTROL] = 0x80;
            state[VK_SHIFT] = shift ? 0x80 : 0;
            SetKeyboardState(state);
            PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            shown.push_back(TabCtrl_GetCurSel(PropSheet_GetTabControl(sheet)));
            EXPECT_TRUE(IsChild(currentPage(sheet), GetFocus())) << shown.back();
        }
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
        SendMessageA(GetFocus(), WM_CHAR, '7', 1);
        EXPECT_EQ(dialogItemText(system, IDC_SYS_AUTO_POWER_OFF), powerOff);
        pressCancel(sheet);
    });
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 1, 0, 4}));
}

std::vector<std::string> expandedItems(HWND tree) {
    std::vector<std::string> out;
    for (HTREEITEM i = TreeView_GetRoot(tree); i != nullptr; i = TreeView_GetNextSibling(tree, i)) {
        char text[256] = "";
        TVITEMA tv{};
        tv.mask = TVIF_TEXT | TVIF_STATE;
        tv.hItem = i;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        tv.stateMask = TVIS_EXPANDED;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        if (tv.state & TVIS_EXPANDED) out.push_back(text);
    }
    return out;
}

TEST_F(EverydayUseTest, TheTreeKeepsItsExpandedBranchesAcrossOkNewAndOpen) {
    chooseProduct(2);
    HWND tree = mainWindow().tree;
    HTREEITEM second = TreeView_GetNextSibling(tree, TreeView_GetRoot(tree));
    ASSERT_NE(second, nullptr);
    TreeView_Expand(tree, second, TVE_EXPAND);
    const std::vector<std::string> open = expandedItems(tree);
    ASSERT_EQ(open.size(), 1u);
    configure([](HWND sheet) { pressOk(sheet); });
    EXPECT_EQ(expandedItems(tree), open);
    answering({IDNO}, {}, [] { sendCommand(cmd::New); });
    EXPECT_EQ(expandedItems(tree), open);
}

TEST_F(EverydayUseTest, AFileNamedOnTheCommandLineIsOpenAfterStartUp) {
    chooseProduct(3);
    settingsImage().setText(fld::LocalName, "FROM-ARGS");
    const std::string path = folder + "site one.NET";
    answering({}, {path}, [] { sendCommand(cmd::SaveAs); });
    frame = freshMainWindow();
    openCommandLineFile(frame, ("\"C:\\varomil.exe\" \"" + path + "\"").c_str());
    EXPECT_EQ(
        std::make_tuple(settingsImage().text(fld::LocalName), document().CurrentFileName,
                        SendMessageA(mainWindow().selector, CB_GETCURSEL, 0, 0), windowText(frame)),
        std::make_tuple(std::string("FROM-ARGS"), path, LRESULT{3}, "site one.NET - " + kTitle));
}

// No terminal on RF: the notice says what is waited for, keys typed meanwhile
// answer nothing, Cancel ends the command, and the link chosen is offered again.

TEST_F(EverydayUseTest, AnRfWaitShowsItsNoticeIgnoresKeysTypedMeanwhileAndCancelEndsIt) {
    if (!downloadPortFree()) GTEST_SKIP() << "another program holds port 3000";
    chooseProduct(2);
    std::vector<std::string> notices;
    bool grayed = false;
    int viaOffered = -1;
    DialogHook hook([&](HWND d) {
        if (windowText(d) == "Download Properties") {
            HWND via = GetDlgItem(d, 401);
            viaOffered = static_cast<int>(SendMessageA(via, CB_GETCURSEL, 0, 0));
            SendMessageA(via, CB_SETCURSEL, 3, 0);
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(401, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(via));
            grayed = !IsWindowEnabled(GetDlgItem(d, 402)) && !IsWindowEnabled(GetDlgItem(d, 403));
            PostMessageA(d, WM_COMMAND, notices.empty() ? IDOK : IDCANCEL, 0);
            return;
        }
        if (GetDlgItem(d, 103) == nullptr) return;
        notices.push_back(dialogItemText(d, 103));
        if (notices.size() == 1) {  // an impatient user's Return and Escape
            PostMessageA(mainWindow().frame, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageA(mainWindow().frame, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
            PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
        }
    });
    std::vector<std::string> asked;
    bool keysLeft = true;
    setMessageBoxHook([&](HWND, const char* text, const char*, UINT) {
        MSG m;
        keysLeft = PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE) != FALSE;
        asked.emplace_back(text);
        return IDYES;
    });
    sendCommand(cmd::DownloadSettings);
    refuseUnscriptedDialogs();
    EXPECT_TRUE(grayed) << "COM port and Baur rate mean nothing for RF";
    const std::string waiting = "Waiting for the terminal to connect on port 3000...";
    EXPECT_EQ(notices, (std::vector<std::string>{waiting, waiting}));
    EXPECT_EQ(asked, (std::vector<std::string>{"Failed to download, would you like to retry?"}));
    EXPECT_FALSE(keysLeft);
    EXPECT_EQ(linkStatusText(), "port 3000: cancelled");
    sendCommand(cmd::DownloadSettings);  // the link chosen last is offered again
    EXPECT_EQ(viaOffered, 3);
    EXPECT_EQ(linkStatusText(), "") << "told until the next command";
}

}  // namespace
}  // namespace varomil::test
