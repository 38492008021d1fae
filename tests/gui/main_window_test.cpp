// The main window driven by command ids and control notifications, as the user's
// menu clicks, accelerators, toolbar buttons and product choices reach it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "app/application_win.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "settings/settings_image.h"
#include "summary/summary_tree.h"
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

std::string comboItem(HWND box, int i) {
    char item[64] = "";
    SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    return item;
}

TEST_F(MainWindowTest, StartsWithNoProductAnEmptyTreeAndTheScreenGeometry) {
    EXPECT_EQ(document().ProductCount, 3);
    std::string selector;
    for (int i = 0; i < SendMessageA(w().selector, CB_GETCOUNT, 0, 0); ++i)
        selector += comboItem(w().selector, i) + "|";
    EXPECT_EQ(selector, "Select Product|4410/4420|4630/4640|4850|");
    EXPECT_EQ(SendMessageA(w().selector, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(std::make_tuple(windowText(frame), int{settingsImage().byte(fld::ProductIndex)},
                              settingsImage().text(fld::VersionTag), document().CurrentFileName,
                              document().SettingsModified),
              std::make_tuple(kTitle, 0, std::string("V106"), std::string(), false));

    RECT r{};
    GetWindowRect(frame, &r);
    EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(15L, 15L));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN) - 30);
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN) - 60);
    const RECT sel = childRect(w().selector);
    EXPECT_EQ(GetParent(w().selector), w().toolbar);
    EXPECT_EQ(std::make_tuple(sel.left, sel.top, sel.right - sel.left),
              std::make_tuple(270L, 1L, 130L));

    EXPECT_EQ(std::make_tuple(SendMessageA(w().tree, TVM_GETCOUNT, 0, 0), IsWindowVisible(w().tree),
                              IsWindowVisible(w().terminal), statusText()),
              std::make_tuple(LRESULT{0}, TRUE, FALSE, std::string()));

    LOGFONTA f{};
    HFONT treeFont = reinterpret_cast<HFONT>(SendMessageA(w().tree, WM_GETFONT, 0, 0));
    ASSERT_EQ(GetObjectA(treeFont, sizeof f, &f), static_cast<int>(sizeof f));
    EXPECT_EQ(std::make_tuple(f.lfHeight, f.lfWidth, f.lfWeight, f.lfCharSet,
                              f.lfPitchAndFamily & 0xF0, std::string(f.lfFaceName)),
              std::make_tuple(16L, 8L, 400L, static_cast<BYTE>(ANSI_CHARSET), FF_SWISS,
                              std::string("System")));
}

// Every menu item by position as id and text, "0-" a separator, "|0" a new popup.
TEST_F(MainWindowTest, MenuHasEveryItemWithItsIdAndTheAcceleratorsAreLoaded) {
    const std::string want =
        "|0&File,1010&New\tCtrl+N,1020&Open...\tCtrl+O,1030&Save\tCtrl+S,1040Save &As...,0-,"
        "1050Export Su&mmary...,1060&Compare With...,1070Compare with &Factory Settings,0-,"
        "1090&Exit\tAlt+F4,|0&Utilities,1110&Configure...\tCtrl+C,0-,"
        "1210&Download Settings...\tCtrl+D,1220Download &Program...\tCtrl+P,"
        "1230Download to &Many Terminals...,|0&Telnet,"
        "1340Connect...,1350Disconnect,0-,1320Start Capture...,1310Capture,1330Stop Capture,"
        "|0&Help,1910About &Varomil...,";
    std::string got;
    HMENU bar = GetMenu(frame);
    char text[128];
    for (int m = 0; m < GetMenuItemCount(bar); ++m) {
        GetMenuStringA(bar, static_cast<UINT>(m), text, sizeof text, MF_BYPOSITION);
        got += std::string("|0") + text + ",";
        HMENU popup = GetSubMenu(bar, m);
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const bool separator =
                GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR;
            GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            got += separator ? std::string("0-,")
                             : std::to_string(GetMenuItemID(popup, i)) + text + ",";
        }
    }
    EXPECT_EQ(got, want);

    const auto table = [](const char* name) {
        HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), name);
        EXPECT_NE(table, nullptr) << name;
        ACCEL keys[16];
        const int n = table != nullptr ? CopyAcceleratorTableA(table, keys, 16) : 0;
        std::string accelerators;
        for (int i = 0; i < n; ++i) {
            const BYTE mods = keys[i].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT);
            accelerators +=
                (mods == (FVIRTKEY | FCONTROL) ? "Ctrl+"
                 : mods == FVIRTKEY            ? ""
                                               : "?") +
                (keys[i].key == VK_INSERT ? std::string("Ins")
                 : keys[i].key == VK_F3   ? std::string("F3")
                                          : std::string(1, static_cast<char>(keys[i].key))) +
                "=" + std::to_string(keys[i].cmd) + " ";
        }
        return accelerators;
    };
    EXPECT_EQ(table("Varomil"),
              "Ctrl+N=1010 Ctrl+O=1020 Ctrl+S=1030 Ctrl+C=1110 Ctrl+D=1210 Ctrl+P=1220 ");
    EXPECT_EQ(table("SUMMARYTREE"), "Ctrl+Ins=1150 Ctrl+F=1160 F3=1170 ");
}

TEST_F(MainWindowTest, ToolbarHasTheButtonsImagesAndTooltipsInOrder) {
    // Standard small images first (15 of them), then bitmap 1000, then 1100;
    // a separator is "-".
    const std::string want =
        "-,1010/6 New,1020/7 Open,1030/8 Save,-,1110/10 Configure,"
        "1210/1 Download Settings,-,1340/15 Connect,1350/16 Disconnect,-,"
        "1320/17 Start Capture,1310/18 Capture,1330/19 Stop Capture,";
    static_assert(STD_FILENEW == 6 && STD_FILEOPEN == 7 && STD_FILESAVE == 8 &&
                  STD_PROPERTIES == 10 && STD_COPY == 1);
    HWND tips = reinterpret_cast<HWND>(SendMessageA(w().toolbar, TB_GETTOOLTIPS, 0, 0));
    EXPECT_EQ(tips, w().tooltip);
    std::string got;
    for (int i = 0; i < SendMessageA(w().toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
        TBBUTTON b{};
        SendMessageA(w().toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&b));
        if (b.fsStyle & BTNS_SEP) {
            got += "-,";
            continue;
        }
        char text[80] = "";
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = w().toolbar;
        tool.uId = static_cast<UINT_PTR>(b.idCommand);
        tool.lpszText = text;
        SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        got += std::to_string(b.idCommand) + "/" + std::to_string(b.iBitmap) + " " + text + ",";
    }
    EXPECT_EQ(got, want);
}

TEST_F(MainWindowTest, CommandsThatNeedAProductAskForOneAndDoNothingElse) {
    for (int command : {1010, 1030, 1040, 1110, 1210}) {
        SCOPED_TRACE(command);
        SetFocus(frame);
        const Asked asked = answering({IDOK}, {}, [&] { sendCommand(command); });
        ASSERT_EQ(asked.boxes.size(), 1u);
        expectBox(asked.boxes[0], "Please select product !!", kTitle, MB_OK | MB_ICONEXCLAMATION,
                  MB_ICONMASK | MB_TYPEMASK);
        EXPECT_EQ(asked.boxes[0].owner, frame);
        EXPECT_EQ(asked.boxes[0].statusText, loadResourceString(static_cast<UINT>(command)));
        EXPECT_EQ(std::make_tuple(GetFocus(), statusText(),
                                  int{settingsImage().byte(fld::ProductIndex)}, asked.files.size()),
                  std::make_tuple(w().selector, std::string(), 0, std::size_t{0}));
    }
}

TEST_F(MainWindowTest, DownloadProgramNeedsNoProductAndDownloadSettingsRunsWithOne) {
    // No program file: the download ends there. Any message box fails the test.
    EXPECT_EQ(answering({}, {""}, [] { sendCommand(cmd::DownloadProgram); }).files.size(), 1u);
    chooseProduct(1);
    {
        // The settings download asks for no file, only for the link.
        DialogHook cancel([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_TRUE(answering({}, {}, [] { sendCommand(cmd::DownloadSettings); }).files.empty());
        EXPECT_EQ(cancel.dialogsSeen(), 1) << "Download Properties";
    }
    sendCommand(cmd::Configure);  // Configure with a product: no question either
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

TEST_F(MainWindowTest, ChoosingAProductDiscardsTheSettingsAfterNoAndTheSameOneDoesNothing) {
    // Product chosen after an edit; whether the edit, the mark and the name go
    // (after "No" to the save question).
    const std::pair<int, bool> steps[] = {{2, true}, {3, true}, {3, false}, {0, true}};
    for (const auto& [product, discarded] : steps) {
        SCOPED_TRACE(product);
        markEdited();
        ScriptedMessageBoxes boxes;
        if (discarded) boxes.answer(IDNO);
        chooseProduct(product);
        EXPECT_EQ(std::make_tuple(int{settingsImage().byte(fld::ProductIndex)}, stillEdited(),
                                  document().SettingsModified, document().CurrentFileName.empty()),
                  std::make_tuple(product, !discarded, !discarded, discarded));
        if (product != 2) continue;
        SummaryContext ctx{
            "Dornwick", "V2.90.0", loadResourceString(4003), {"4410/4420", "4630/4640", "4850"}};
        const std::string expected = printSummaryTree(buildSummaryTree(settingsImage(), ctx));
        EXPECT_EQ(treeViewText(w().tree, TreeView_GetRoot(w().tree), 0), expected);
    }
    EXPECT_EQ(SendMessageA(w().tree, TVM_GETCOUNT, 0, 0), 0);
}

void expectSaveQuestion(const MessageBoxCall& call) {
    expectBox(call, "Save the program ?", kTitle, MB_YESNOCANCEL | MB_ICONEXCLAMATION,
              MB_ICONMASK | MB_TYPEMASK);
}

TEST_F(MainWindowTest, ClosingWithChangesToAProductAsksAndCancelKeepsTheWindow) {
    chooseProduct(1);
    markEdited();
    Asked asked = answering({IDCANCEL}, {}, [&] { SendMessageA(frame, WM_CLOSE, 0, 0); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    expectSaveQuestion(asked.boxes[0]);
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(stillEdited());
    answering({IDNO}, {}, [] { sendCommand(cmd::Exit); });  // Exit takes the same road
    EXPECT_FALSE(IsWindow(frame));
    MSG quit{};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);

    // No question without a product, or without changes.
    frame = freshMainWindow();
    markEdited();
    answering({}, {}, [] { sendCommand(cmd::Exit); });
    EXPECT_FALSE(IsWindow(frame));
    frame = freshMainWindow();
    chooseProduct(2);
    answering({}, {}, [&] { SendMessageA(frame, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(MainWindowTest, NewAndOpenAskToSaveChangesFirst) {
    chooseProduct(2);
    markEdited();
    Asked asked = answering({IDCANCEL}, {}, [] { sendCommand(cmd::New); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    expectSaveQuestion(asked.boxes[0]);
    EXPECT_TRUE(stillEdited());
    EXPECT_TRUE(document().SettingsModified);
    answering({IDNO}, {}, [] { sendCommand(cmd::New); });
    EXPECT_EQ(std::make_tuple(stillEdited(), int{settingsImage().byte(fld::ProductIndex)},
                              document().SettingsModified, document().CurrentFileName),
              std::make_tuple(false, 2, false, std::string()));

    chooseProduct(0);
    markEdited();  // Open asks even without a product; then the Open dialog is cancelled
    asked = answering({IDNO}, {""}, [] { sendCommand(cmd::Open); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    expectSaveQuestion(asked.boxes[0]);
    EXPECT_FALSE(document().SettingsModified);
    EXPECT_TRUE(document().CurrentFileName.empty());
    EXPECT_TRUE(stillEdited()) << "no file was opened: the settings stay";
}

// Enabled ('1') or not ('0'): Connect, Disconnect, Start Capture, Capture, Stop
// Capture, on the toolbar and in the menu alike.
void expectTelnetCommands(const std::string& want) {
    const int ids[] = {1340, 1350, 1320, 1310, 1330};
    std::string buttons, items;
    for (int id : ids) {
        buttons += buttonEnabled(id) ? '1' : '0';
        items += menuItemEnabled(id) ? '1' : '0';
    }
    EXPECT_EQ(buttons, want) << "toolbar";
    EXPECT_EQ(items, want) << "menu";
}

TEST_F(MainWindowTest, ConnectionAndCaptureStatesOnToolbarAndMenu) {
    expectTelnetCommands("10000");
    for (int fileCommand : {1010, 1020, 1030, 1040, 1090, 1110, 1210, 1220}) {
        EXPECT_TRUE(menuItemEnabled(fileCommand)) << fileCommand;
    }

    // What a successful Connect does.
    showTerminalView(true);
    SetConnectionState(frame, false);
    SetCaptureState(frame, true);
    expectTelnetCommands("01100");
    EXPECT_TRUE(IsWindowVisible(w().terminal));
    EXPECT_FALSE(IsWindowVisible(w().tree));
    SetFocus(w().selector);
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), w().terminal) << "the frame hands the focus to the terminal";

    // What a successful Start Capture does.
    SetCaptureState(frame, false);
    expectTelnetCommands("01011");

    sendCommand(cmd::StopCapture);  // Stop Capture
    expectTelnetCommands("01100");

    sendCommand(cmd::Disconnect);  // Disconnect
    expectTelnetCommands("10000");
    EXPECT_TRUE(IsWindowVisible(w().tree));
    EXPECT_FALSE(IsWindowVisible(w().terminal));
    SetFocus(w().tree);
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), w().selector) << "the frame hands the focus to the selector or tree";
}

TEST_F(MainWindowTest, StatusBarShowsCaptureCountsAndIsClearedAfterOtherCommands) {
    SetConnectionState(frame, false);
    SetCaptureState(frame, false);
    for (int i = 0; i < 3; ++i) sendCommand(cmd::Capture);
    EXPECT_EQ(statusText() + "|" + std::to_string(document().CapturedScreenCount),
              "Captured : 3 screens|3");
    sendCommand(cmd::StopCapture);
    EXPECT_EQ(statusText() + "|" + std::to_string(document().CapturedScreenCount), "|0");

    // Start Capture that opens no file leaves its help text and the idle state.
    ScriptedFileDialogs dialogs;
    dialogs.choose("");
    sendCommand(cmd::StartCapture);
    EXPECT_EQ(std::make_tuple(statusText(), buttonEnabled(1320), buttonEnabled(1330)),
              std::make_tuple(std::string("Start capture the current screen"), true, false));

    dialogs.choose("");  // Download Program: no program file chosen
    sendCommand(cmd::DownloadProgram);
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
    sendCommand(cmd::About);
    EXPECT_EQ(std::make_tuple(hook.dialogsSeen(), title, owner, status, statusText()),
              std::make_tuple(1, kTitle + " (V2.90.0)", frame, std::string("Copyright information"),
                              std::string()));
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
    EXPECT_TRUE(toolbar.left <= 0 && toolbar.top <= 0 && toolbar.right >= W);
    for (HWND view : {w.tree, w.terminal}) {
        const RECT r = childRect(view);  // 2 pixels under the toolbar
        EXPECT_EQ(std::make_tuple(r.left, r.top, r.right, r.bottom - r.top),
                  std::make_tuple(0L, T + 2, W, H - B - T - 2));
    }
    const RECT status = childRect(w.status);
    EXPECT_EQ(std::make_tuple(status.left, status.top, status.right, status.bottom),
              std::make_tuple(0L, H - B, W, H));
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
    EXPECT_EQ(
        std::make_tuple(hook.dialogsSeen(), ownerVisible, title, selector,
                        IsWindow(mainWindow().frame)),
        std::make_tuple(1, true, kTitle + " (V2.90.0)", std::string("Select Product"), FALSE));
}

}  // namespace
}  // namespace varomil::test
