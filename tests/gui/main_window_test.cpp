// The main window driven by command ids and control notifications, as the user's
// menu clicks, accelerators, toolbar buttons and product choices reach it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "app/application_win.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "settings/settings_image.h"
#include "settings/summary_tree.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

const std::string kTitle = "Varomil Terminal Emulation For VT";

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = freshMainWindow();
        ASSERT_NE(frame, nullptr);
    }
    const MainWindow& w() const { return mainWindow(); }
    HWND frame = nullptr;
};

// A change the user made that no set of factory values contains.
void markEdited() {
    settingsImage().setText(fld::LocalName, "EDITED");
    document().SettingsModified = true;
    document().CurrentFileName = "C:\\site.net";
}
bool stillEdited() {
    return settingsImage().text(fld::LocalName) == "EDITED";
}

TEST_F(MainWindowTest, StartsWithNoProductAnEmptyTreeAndTheScreenGeometry) {
    EXPECT_EQ(document().ProductCount, 3);
    EXPECT_EQ(document().ProductTable[0], "4410/4420");
    EXPECT_EQ(document().ProductTable[1], "4630/4640");
    EXPECT_EQ(document().ProductTable[2], "4850");
    EXPECT_EQ(windowText(frame), kTitle);
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 0);
    EXPECT_EQ(settingsImage().text(fld::VersionTag), "V106");
    EXPECT_TRUE(document().CurrentFileName.empty());
    EXPECT_FALSE(document().SettingsModified);

    RECT r{};
    GetWindowRect(frame, &r);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 15);
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) - 30);
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN) - 60);

    char item[32] = "";
    EXPECT_EQ(SendMessageA(w().selector, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(w().selector, CB_GETCURSEL, 0, 0), 0);
    SendMessageA(w().selector, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "Select Product");
    SendMessageA(w().selector, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "4850");
    const RECT sel = childRect(w().selector);
    EXPECT_EQ(GetParent(w().selector), w().toolbar);
    EXPECT_EQ(sel.left, 270);
    EXPECT_EQ(sel.top, 1);
    EXPECT_EQ(sel.right - sel.left, 130);

    EXPECT_EQ(SendMessageA(w().tree, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(IsWindowVisible(w().tree));
    EXPECT_FALSE(IsWindowVisible(w().terminal));
    EXPECT_EQ(statusText(), "");
    char className[32] = "";
    GetClassNameA(frame, className, sizeof className);
    EXPECT_STREQ(className, "Varomil");
    GetClassNameA(w().terminal, className, sizeof className);
    EXPECT_STREQ(className, "Client");
    EXPECT_EQ(GetDlgCtrlID(w().tree), 1);
    EXPECT_EQ(GetDlgCtrlID(w().status), 101);
    EXPECT_EQ(GetDlgCtrlID(w().toolbar), 102);

    LOGFONTA font{};
    HFONT treeFont = reinterpret_cast<HFONT>(SendMessageA(w().tree, WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectA(treeFont, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, 16);
    EXPECT_EQ(font.lfWidth, 8);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(font.lfPitchAndFamily & 0xF0, FF_SWISS);
    EXPECT_STREQ(font.lfFaceName, "System");
}

TEST_F(MainWindowTest, MenuHasEveryItemWithItsIdAndTheAcceleratorsAreLoaded) {
    struct Item {
        int menu;
        int position;
        int id;  // 0: separator
        const char* text;
    };
    const Item items[] = {
        {0, 0, 1010, "&New\tCtrl+N"},
        {0, 1, 1020, "&Open...\tCtrl+O"},
        {0, 2, 1030, "&Save\tCtrl+S"},
        {0, 3, 1040, "Save &As..."},
        {0, 4, 0, ""},
        {0, 5, 1090, "&Exit\tAlt+F4"},
        {1, 0, 1110, "&Configure...\tCtrl+C"},
        {1, 1, 0, ""},
        {1, 2, 1210, "&Download Settings...\tCtrl+D"},
        {1, 3, 1220, "Download &Program...\tCtrl+P"},
        {2, 0, 1340, "Connect..."},
        {2, 1, 1350, "Disconnect"},
        {2, 2, 0, ""},
        {2, 3, 1320, "Start Capture..."},
        {2, 4, 1310, "Capture"},
        {2, 5, 1330, "Stop Capture"},
        {3, 0, 1910, "About &Varomil..."},
    };
    HMENU bar = GetMenu(frame);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    const char* popups[] = {"&File", "&Utilities", "&Telnet", "&Help"};
    const int counts[] = {6, 4, 6, 1};
    char text[128];
    for (int m = 0; m < 4; ++m) {
        GetMenuStringA(bar, static_cast<UINT>(m), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, popups[m]);
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, m)), counts[m]) << popups[m];
    }
    for (const Item& item : items) {
        HMENU popup = GetSubMenu(bar, item.menu);
        const UINT id = GetMenuItemID(popup, item.position);
        if (item.id == 0) {
            EXPECT_TRUE(GetMenuState(popup, static_cast<UINT>(item.position), MF_BYPOSITION) &
                        MF_SEPARATOR);
            continue;
        }
        EXPECT_EQ(id, static_cast<UINT>(item.id)) << item.text;
        GetMenuStringA(popup, static_cast<UINT>(item.position), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, item.text);
    }

    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "Varomil");
    ASSERT_NE(table, nullptr);
    ACCEL keys[16];
    const int n = CopyAcceleratorTableA(table, keys, 16);
    const std::pair<char, int> expected[] = {{'N', 1010}, {'O', 1020}, {'S', 1030},
                                             {'C', 1110}, {'D', 1210}, {'P', 1220}};
    ASSERT_EQ(n, 6);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(keys[i].key, expected[i].first);
        EXPECT_EQ(keys[i].cmd, expected[i].second);
        EXPECT_EQ(keys[i].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT), FVIRTKEY | FCONTROL);
    }
}

TEST_F(MainWindowTest, ToolbarHasTheButtonsImagesAndTooltipsInOrder) {
    struct Button {
        int id;  // 0: separator
        int image;
        const char* tooltip;
    };
    // Standard small images first (15 of them), then bitmap 1000, then 1100.
    const Button buttons[] = {
        {0, 0, nullptr},
        {1010, STD_FILENEW, "New"},
        {1020, STD_FILEOPEN, "Open"},
        {1030, STD_FILESAVE, "Save"},
        {0, 0, nullptr},
        {1110, STD_PROPERTIES, "Configure"},
        {1210, STD_COPY, "Download Settings"},
        {0, 0, nullptr},
        {1340, 15, "Connect"},
        {1350, 16, "Disconnect"},
        {0, 0, nullptr},
        {1320, 17, "Start Capture"},
        {1310, 18, "Capture"},
        {1330, 19, "Stop Capture"},
    };
    ASSERT_EQ(SendMessageA(w().toolbar, TB_BUTTONCOUNT, 0, 0), 14);
    HWND tips = reinterpret_cast<HWND>(SendMessageA(w().toolbar, TB_GETTOOLTIPS, 0, 0));
    EXPECT_EQ(tips, w().tooltip);
    for (int i = 0; i < 14; ++i) {
        const Button& b = buttons[i];
        TBBUTTON got{};
        SendMessageA(w().toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&got));
        if (b.id == 0) {
            EXPECT_TRUE(got.fsStyle & BTNS_SEP) << "position " << i;
            continue;
        }
        EXPECT_EQ(got.idCommand, b.id) << "position " << i;
        EXPECT_EQ(got.iBitmap, b.image) << "position " << i;
        char text[80] = "";
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = w().toolbar;
        tool.uId = static_cast<UINT_PTR>(b.id);
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, b.tooltip) << "position " << i;
    }
}

TEST_F(MainWindowTest, CommandsThatNeedAProductAskForOneAndDoNothingElse) {
    for (int command : {1010, 1030, 1040, 1110, 1210}) {
        SCOPED_TRACE(command);
        SetFocus(frame);
        {
            ScriptedMessageBoxes boxes;
            boxes.answer(IDOK);
            sendCommand(command);
            ASSERT_EQ(boxes.calls().size(), 1u);
            const MessageBoxCall& call = boxes.calls()[0];
            EXPECT_EQ(call.text, "Please select product !!");
            EXPECT_EQ(call.caption, kTitle);
            EXPECT_EQ(call.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
            EXPECT_EQ(call.flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
            EXPECT_EQ(call.owner, frame);
            EXPECT_EQ(call.statusText, loadResourceString(static_cast<UINT>(command)));
        }
        EXPECT_EQ(GetFocus(), w().selector);
        EXPECT_EQ(statusText(), "");
        EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 0);
        EXPECT_EQ(document().DownloadKind, 0);
    }
}

TEST_F(MainWindowTest, DownloadProgramNeedsNoProductAndDownloadSettingsRunsWithOne) {
    {
        ScriptedMessageBoxes none;
        ScriptedFileDialogs dialogs;
        dialogs.choose("");  // no program file: the download ends there
        sendCommand(1220);
        EXPECT_EQ(document().DownloadKind, 1220);
        EXPECT_EQ(dialogs.calls().size(), 1u);
        chooseProduct(1);
        {
            DialogHook cancel([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
            sendCommand(1210);
            EXPECT_EQ(cancel.dialogsSeen(), 1) << "Download Properties";
        }
        EXPECT_EQ(document().DownloadKind, 1210);
        sendCommand(1110);  // Configure with a product: no question either
        EXPECT_TRUE(none.calls().empty());
    }
    EXPECT_EQ(statusText(), "");
}

// Walks the tree view into the same indented text as printSummaryTree, checking
// that every item carries its depth and is collapsed.
std::string treeViewText(HWND tree, HTREEITEM item, int depth) {
    std::string out;
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        char text[256] = "";
        TVITEMA tv{};
        tv.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        tv.stateMask = TVIS_EXPANDED;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        EXPECT_EQ(tv.lParam, depth) << text;
        EXPECT_FALSE(tv.state & TVIS_EXPANDED) << text;
        out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + text + "\n";
        out += treeViewText(tree, TreeView_GetChild(tree, item), depth + 1);
    }
    return out;
}

TEST_F(MainWindowTest, ChoosingAProductDiscardsTheSettingsSilentlyAndTheSameOneDoesNothing) {
    ScriptedMessageBoxes none;
    markEdited();
    chooseProduct(2);
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 2);
    EXPECT_FALSE(stillEdited());
    EXPECT_FALSE(document().SettingsModified);
    EXPECT_TRUE(document().CurrentFileName.empty());

    SummaryContext ctx{
        "Dornwick", "V2.90.0", loadResourceString(4003), {"4410/4420", "4630/4640", "4850"}};
    const std::string expected = printSummaryTree(buildSummaryTree(settingsImage(), ctx));
    EXPECT_EQ(treeViewText(w().tree, TreeView_GetRoot(w().tree), 0), expected);

    markEdited();
    chooseProduct(3);
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 3);
    EXPECT_FALSE(stillEdited());
    EXPECT_FALSE(document().SettingsModified);

    markEdited();
    chooseProduct(3);
    EXPECT_TRUE(stillEdited());
    EXPECT_TRUE(document().SettingsModified);
    EXPECT_EQ(document().CurrentFileName, "C:\\site.net");

    chooseProduct(0);
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 0);
    EXPECT_FALSE(stillEdited());
    EXPECT_EQ(SendMessageA(w().tree, TVM_GETCOUNT, 0, 0), 0);
    EXPECT_TRUE(none.calls().empty());
}

void expectSaveQuestion(const MessageBoxCall& call) {
    EXPECT_EQ(call.text, "Save the program ?");
    EXPECT_EQ(call.caption, kTitle);
    EXPECT_EQ(call.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(call.flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));
}

TEST_F(MainWindowTest, ClosingWithChangesToAProductAsksAndCancelKeepsTheWindow) {
    chooseProduct(1);
    markEdited();
    {
        ScriptedMessageBoxes boxes;
        boxes.answer(IDCANCEL);
        SendMessageA(frame, WM_CLOSE, 0, 0);
        ASSERT_EQ(boxes.calls().size(), 1u);
        expectSaveQuestion(boxes.calls()[0]);
    }
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(stillEdited());
    {
        ScriptedMessageBoxes boxes;
        boxes.answer(IDNO);
        sendCommand(1090);  // Exit takes the same road
        EXPECT_EQ(boxes.calls().size(), 1u);
    }
    EXPECT_FALSE(IsWindow(frame));
    MSG quit{};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

TEST_F(MainWindowTest, ClosingAsksNothingWithoutAProductOrWithoutChanges) {
    {
        ScriptedMessageBoxes none;
        markEdited();  // modified, but no product selected
        sendCommand(1090);
        EXPECT_FALSE(IsWindow(frame));
    }
    frame = freshMainWindow();
    {
        ScriptedMessageBoxes none;
        chooseProduct(2);  // product, no changes
        SendMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_FALSE(IsWindow(frame));
    }
}

TEST_F(MainWindowTest, NewAndOpenAskToSaveChangesFirst) {
    chooseProduct(2);
    markEdited();
    {
        ScriptedMessageBoxes boxes;
        boxes.answer(IDCANCEL);
        sendCommand(1010);
        ASSERT_EQ(boxes.calls().size(), 1u);
        expectSaveQuestion(boxes.calls()[0]);
    }
    EXPECT_TRUE(stillEdited());
    EXPECT_TRUE(document().SettingsModified);
    {
        ScriptedMessageBoxes boxes;
        boxes.answer(IDNO);
        sendCommand(1010);
    }
    EXPECT_FALSE(stillEdited());
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 2);
    EXPECT_FALSE(document().SettingsModified);
    EXPECT_TRUE(document().CurrentFileName.empty());

    chooseProduct(0);
    markEdited();  // Open asks even without a product
    {
        ScriptedMessageBoxes boxes;
        ScriptedFileDialogs dialogs;
        boxes.answer(IDNO);
        dialogs.choose("");  // and then the user cancels the Open dialog
        sendCommand(1020);
        ASSERT_EQ(boxes.calls().size(), 1u);
        expectSaveQuestion(boxes.calls()[0]);
    }
    EXPECT_FALSE(document().SettingsModified);
    EXPECT_TRUE(document().CurrentFileName.empty());
    EXPECT_TRUE(stillEdited()) << "no file was opened: the settings stay";
}

struct TelnetCommands {
    bool connect, disconnect, startCapture, capture, stopCapture;
};

void expectTelnetCommands(const TelnetCommands& want) {
    const std::array<std::pair<int, bool>, 5> states{{{1340, want.connect},
                                                      {1350, want.disconnect},
                                                      {1320, want.startCapture},
                                                      {1310, want.capture},
                                                      {1330, want.stopCapture}}};
    for (const auto& [id, enabled] : states) {
        EXPECT_EQ(buttonEnabled(id), enabled) << "toolbar button " << id;
        EXPECT_EQ(menuItemEnabled(id), enabled) << "menu item " << id;
    }
}

TEST_F(MainWindowTest, ConnectionAndCaptureStatesOnToolbarAndMenu) {
    expectTelnetCommands({true, false, false, false, false});
    for (int fileCommand : {1010, 1020, 1030, 1040, 1090, 1110, 1210, 1220}) {
        EXPECT_TRUE(menuItemEnabled(fileCommand)) << fileCommand;
    }

    // What a successful Connect does.
    showTerminalView(true);
    SetConnectionState(frame, false);
    SetCaptureState(frame, true);
    expectTelnetCommands({false, true, true, false, false});
    EXPECT_TRUE(IsWindowVisible(w().terminal));
    EXPECT_FALSE(IsWindowVisible(w().tree));
    SetFocus(w().selector);
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), w().terminal) << "the frame hands the focus to the terminal";

    // What a successful Start Capture does.
    SetCaptureState(frame, false);
    expectTelnetCommands({false, true, false, true, true});

    sendCommand(1330);  // Stop Capture
    expectTelnetCommands({false, true, true, false, false});

    sendCommand(1350);  // Disconnect
    expectTelnetCommands({true, false, false, false, false});
    EXPECT_TRUE(IsWindowVisible(w().tree));
    EXPECT_FALSE(IsWindowVisible(w().terminal));
    SetFocus(w().selector);
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), frame);
}

TEST_F(MainWindowTest, StatusBarShowsCaptureCountsAndIsClearedAfterOtherCommands) {
    SetConnectionState(frame, false);
    SetCaptureState(frame, false);
    for (int i = 0; i < 3; ++i) sendCommand(1310);
    EXPECT_EQ(statusText(), "Captured : 3 screens");
    EXPECT_EQ(document().CapturedScreenCount, 3);
    sendCommand(1330);
    EXPECT_EQ(statusText(), "");
    EXPECT_EQ(document().CapturedScreenCount, 0);

    // Start Capture that opens no file leaves its help text and the idle state.
    ScriptedFileDialogs dialogs;
    dialogs.choose("");
    sendCommand(1320);
    EXPECT_EQ(statusText(), "Start capture the current screen");
    EXPECT_TRUE(buttonEnabled(1320));
    EXPECT_FALSE(buttonEnabled(1330));

    dialogs.choose("");  // Download Program: no program file chosen
    sendCommand(1220);
    EXPECT_EQ(statusText(), "");

    // Menu help: the highlighted item's text in simple mode, normal mode after.
    HMENU telnet = GetSubMenu(GetMenu(frame), 2);
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(1340, MF_HILITE),
                 reinterpret_cast<LPARAM>(telnet));
    EXPECT_TRUE(SendMessageA(w().status, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(statusText(), "Connect to host");
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_FALSE(SendMessageA(w().status, SB_ISSIMPLE, 0, 0));
}

TEST_F(MainWindowTest, AboutShowsTitleAndVersionModallyOverTheWindow) {
    std::string title, status;
    HWND owner = nullptr;
    DialogHook hook([&](HWND dialog) {
        title = dialogItemText(dialog, 200);
        owner = GetWindow(dialog, GW_OWNER);
        status = statusText();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    sendCommand(1910);
    EXPECT_EQ(hook.dialogsSeen(), 1);
    EXPECT_EQ(title, kTitle + " (V2.90.0)");
    EXPECT_EQ(owner, frame);
    EXPECT_EQ(status, "Copyright information");
    EXPECT_EQ(statusText(), "");
}

void expectLayout(HWND frame, const MainWindow& w) {
    RECT client{}, toolbarClient{}, statusClient{};
    GetClientRect(frame, &client);
    GetClientRect(w.toolbar, &toolbarClient);
    GetClientRect(w.status, &statusClient);
    const int W = client.right, H = client.bottom;
    const int T = toolbarClient.bottom, B = statusClient.bottom;
    ASSERT_GT(T, 0);
    ASSERT_GT(B, 0);
    // A bordered toolbar sizes itself to the full width, its border outside the
    // window's client area.
    const RECT toolbar = childRect(w.toolbar);
    EXPECT_LE(toolbar.left, 0);
    EXPECT_LE(toolbar.top, 0);
    EXPECT_GE(toolbar.right, W);
    for (HWND view : {w.tree, w.terminal}) {
        const RECT r = childRect(view);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, T + 2) << "2 pixels under the toolbar";
        EXPECT_EQ(r.right, W);
        EXPECT_EQ(r.bottom - r.top, H - B - T - 2);
    }
    const RECT status = childRect(w.status);
    EXPECT_EQ(status.left, 0);
    EXPECT_EQ(status.top, H - B);
    EXPECT_EQ(status.right, W);
    EXPECT_EQ(status.bottom, H);
}

TEST_F(MainWindowTest, ResizingKeepsToolbarTopStatusBottomAndTheViewsBetween) {
    expectLayout(frame, w());
    SetWindowPos(frame, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    expectLayout(frame, w());
    showTerminalView(true);
    SetWindowPos(frame, nullptr, 0, 0, 1003, 701, SWP_NOMOVE | SWP_NOZORDER);
    expectLayout(frame, w());
}

TEST(StartUp, ShowsTheAboutBoxOverTheMainWindowThenRunsTheLoopUntilExit) {
    if (IsWindow(mainWindow().frame)) DestroyWindow(mainWindow().frame);
    drainQuitMessage();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    UnregisterClassA("Varomil", instance);
    UnregisterClassA("Client", instance);

    std::string title, selector;
    bool ownerVisible = false;
    DialogHook hook([&](HWND dialog) {
        HWND owner = GetWindow(dialog, GW_OWNER);
        ownerVisible = owner == mainWindow().frame && IsWindowVisible(owner);
        title = dialogItemText(dialog, 200);
        selector = windowText(mainWindow().selector);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(owner, WM_COMMAND, 1090, 0);  // then Exit, through the message loop
    });
    ScriptedMessageBoxes none;
    EXPECT_EQ(runApplication(instance, SW_SHOWNORMAL), 0);
    EXPECT_EQ(hook.dialogsSeen(), 1);
    EXPECT_TRUE(ownerVisible);
    EXPECT_EQ(title, kTitle + " (V2.90.0)");
    EXPECT_EQ(selector, "Select Product");
    EXPECT_FALSE(IsWindow(mainWindow().frame));
}

}  // namespace
}  // namespace varomil::test
