// The main window driven by command ids and control notifications, as the user's
// menu clicks, accelerators, toolbar buttons and product choices reach it. Long
// expectations are logs under tests/data/gui/.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <sstream>
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

class MainWindowTest : public FreshWindowTest<0> {
  protected:
    const MainWindow& w() const { return mainWindow(); }
    std::ostringstream log;  // `<<` keeps the steps in order
};

// A change the user made that no set of factory values contains.
void markEdited() {
    settingsImage().setText(fld::LocalName, "EDITED");
    document().SettingsModified = true;
    document().CurrentFileName = "C:\\site.net";
}
std::string edited() {
    return settingsImage().text(fld::LocalName) == "EDITED" ? "edited\n" : "not edited\n";
}

std::string rect(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// The window as the user finds it: selector, title, settings, geometry (the
// frame's size less the screen's), views, status bar, tree font, then every menu
// item ("-" a separator), the accelerators (key flags, key, command) and the
// toolbar buttons (command, image, tooltip).
TEST_F(MainWindowTest, StartsWithNoProductAnEmptyTreeAndEveryCommandInPlace) {
    char text[128];
    log << document().ProductCount << " products:";
    for (int i = 0; SendMessageA(w().selector, CB_GETLBTEXT, i, (LPARAM)text) != CB_ERR; ++i)
        log << " " << text;
    log << ", item " << SendMessageA(w().selector, CB_GETCURSEL, 0, 0) << "\n"
        << windowText(frame) << "\n"
        << settingsImage().text(fld::VersionTag) << ", " << documentState();
    RECT r{};
    GetWindowRect(frame, &r);
    r.right -= GetSystemMetrics(SM_CXSCREEN);
    r.bottom -= GetSystemMetrics(SM_CYSCREEN);
    log << "frame " << rect(r) << ", selector " << rect(childRect(w().selector))
        << (GetParent(w().selector) == w().toolbar ? " on the toolbar\n" : "\n")
        << SendMessageA(w().tree, TVM_GETCOUNT, 0, 0) << " items, tree "
        << IsWindowVisible(w().tree) << ", terminal " << IsWindowVisible(w().terminal)
        << ", status \"" << statusText() << "\"\n";
    LOGFONTA f{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(w().tree, WM_GETFONT, 0, 0)), sizeof f, &f);
    log << "font " << f.lfHeight << " " << f.lfWidth << " " << f.lfWeight << " " << int{f.lfCharSet}
        << " " << (f.lfPitchAndFamily & 0xF0) << " " << f.lfFaceName << "\n";

    HMENU bar = GetMenu(frame);
    for (int m = 0; m < GetMenuItemCount(bar); ++m) {
        GetMenuStringA(bar, static_cast<UINT>(m), text, sizeof text, MF_BYPOSITION);
        log << "menu " << text << "\n";
        HMENU popup = GetSubMenu(bar, m);
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)
                log << "  -\n";
            else
                log << "  " << GetMenuItemID(popup, i) << " " << text << "\n";
        }
    }
    for (const char* name : {"Varomil", "SUMMARYTREE"}) {
        ACCEL keys[16];
        HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), name);
        const int n = table != nullptr ? CopyAcceleratorTableA(table, keys, 16) : 0;
        log << "accelerators " << name << ":";
        for (int i = 0; i < n; ++i)
            log << " " << (keys[i].fVirt & (FVIRTKEY | FCONTROL | FALT | FSHIFT)) << "/"
                << keys[i].key << "=" << keys[i].cmd;
        log << "\n";
    }
    HWND tips = reinterpret_cast<HWND>(SendMessageA(w().toolbar, TB_GETTOOLTIPS, 0, 0));
    EXPECT_EQ(tips, w().tooltip);
    for (int i = 0; i < SendMessageA(w().toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
        TBBUTTON b{};
        SendMessageA(w().toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = w().toolbar;
        tool.uId = static_cast<UINT_PTR>(b.idCommand);
        tool.lpszText = text;
        text[0] = 0;
        SendMessageA(tips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        if (b.fsStyle & BTNS_SEP)
            log << "button -\n";
        else
            log << "button " << b.idCommand << " " << b.iBitmap << " " << text << "\n";
    }
    expectLog("main_window_start.txt", log.str());
}

TEST_F(MainWindowTest, CommandsThatNeedAProductAskForOneAndDoNothingElse) {
    for (int command : {cmd::New, cmd::Save, cmd::SaveAs, cmd::Configure, cmd::DownloadSettings}) {
        SetFocus(frame);
        const Asked asked = answering({IDOK}, {}, [&] { sendCommand(command); });
        ASSERT_EQ(asked.boxes.size(), 1u);
        log << describe(asked) << "while up: \"" << asked.boxes[0].statusText << "\""
            << (asked.boxes[0].owner == frame ? ", owned" : "")
            << (GetFocus() == w().selector ? ", then the selector has the focus" : "")
            << ", status \"" << statusText() << "\", " << documentState();
    }
    expectLog("needs_product.txt", log.str());
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
        tv.stateMask = TVIS_EXPANDED;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        EXPECT_EQ(std::make_pair(tv.lParam, tv.state & TVIS_EXPANDED),
                  std::make_pair(LPARAM{depth}, 0u))
            << text;
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
        markEdited();
        log << logged(discarded ? std::initializer_list<int>{IDNO} : std::initializer_list<int>{},
                      {}, [product = product] { chooseProduct(product); })
            << edited();
        if (product != 2) continue;
        SummaryContext ctx{
            "Dornwick", "V2.90.0", loadResourceString(4003), {"4410/4420", "4630/4640", "4850"}};
        const std::string expected = printSummaryTree(buildSummaryTree(settingsImage(), ctx));
        EXPECT_EQ(treeViewText(w().tree, TreeView_GetRoot(w().tree), 0), expected);
    }
    EXPECT_EQ(SendMessageA(w().tree, TVM_GETCOUNT, 0, 0), 0);
    expectLog("choose_product.txt", log.str());
}

// Closing, Exit, New and Open with changes ask to save them first; Cancel keeps
// the window and the settings; no question without a product or without changes.
TEST_F(MainWindowTest, ClosingNewAndOpenAskToSaveChangesFirst) {
    const auto close = [this] { SendMessageA(frame, WM_CLOSE, 0, 0); };
    const auto window = [this] { return IsWindow(frame) ? "window open\n" : "window closed\n"; };
    chooseProduct(1);
    markEdited();
    log << logged({IDCANCEL}, {}, close) << window() << edited() << loggedCommand(cmd::Exit, {IDNO})
        << window();
    MSG quit{};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
    frame = freshMainWindow();
    markEdited();
    log << loggedCommand(cmd::Exit) << window();
    frame = freshMainWindow();
    chooseProduct(2);
    log << logged({}, {}, close) << window();

    frame = freshMainWindow();
    chooseProduct(2);
    markEdited();
    log << loggedCommand(cmd::New, {IDCANCEL}) << edited() << loggedCommand(cmd::New, {IDNO})
        << edited();
    chooseProduct(0);
    markEdited();  // Open asks even without a product; then the Open dialog is cancelled
    log << loggedCommand(cmd::Open, {IDNO}, {""}) << edited();  // no file opened: they stay
    expectLog("save_question.txt", log.str());
}

// Enabled ('1') or not ('0'): Connect, Disconnect, Start Capture, Capture, Stop
// Capture, on the toolbar and in the menu alike.
std::string telnetCommands() {
    std::string buttons, items;
    for (int id :
         {cmd::Connect, cmd::Disconnect, cmd::StartCapture, cmd::Capture, cmd::StopCapture}) {
        buttons += buttonEnabled(id) ? '1' : '0';
        items += menuItemEnabled(id) ? '1' : '0';
    }
    return "toolbar " + buttons + ", menu " + items + "\n";
}

TEST_F(MainWindowTest, ConnectionAndCaptureStatesOnToolbarAndMenu) {
    log << telnetCommands();
    for (int fileCommand : {cmd::New, cmd::Open, cmd::Save, cmd::SaveAs, cmd::Exit, cmd::Configure,
                            cmd::DownloadSettings, cmd::DownloadProgram})
        EXPECT_TRUE(menuItemEnabled(fileCommand)) << fileCommand;
    showTerminalView(true);  // what a successful Connect does
    SetConnectionState(frame, false);
    SetCaptureState(frame, true);
    log << telnetCommands();
    EXPECT_TRUE(IsWindowVisible(w().terminal) && !IsWindowVisible(w().tree));
    SetFocus(w().selector);
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), w().terminal) << "the frame hands the focus to the terminal";
    SetCaptureState(frame, false);  // what a successful Start Capture does
    log << telnetCommands();
    sendCommand(cmd::StopCapture);
    log << telnetCommands();
    sendCommand(cmd::Disconnect);
    log << telnetCommands();
    EXPECT_TRUE(IsWindowVisible(w().tree) && !IsWindowVisible(w().terminal));
    SetFocus(w().tree);
    SetFocus(frame);
    EXPECT_EQ(GetFocus(), w().selector) << "the frame hands the focus to the selector or tree";
    expectLog("telnet_commands.txt", log.str());
}

TEST_F(MainWindowTest, StatusBarShowsCaptureCountsAndIsClearedAfterOtherCommands) {
    const auto status = [] {
        return "\"" + statusText() + "\" " + std::to_string(document().CapturedScreenCount) + "\n";
    };
    SetConnectionState(frame, false);
    SetCaptureState(frame, false);
    for (int i = 0; i < 3; ++i) sendCommand(cmd::Capture);
    log << status();
    sendCommand(cmd::StopCapture);
    log << status();
    // Start Capture that opens no file leaves its help text and the idle state.
    log << loggedCommand(cmd::StartCapture, {}, {""}) << status() << telnetCommands();
    log << loggedCommand(cmd::DownloadProgram, {}, {""}) << status();  // no program file
    // Menu help: the highlighted item's text in simple mode, normal mode after.
    HMENU telnet = GetSubMenu(GetMenu(frame), 2);
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(cmd::Connect, MF_HILITE), (LPARAM)telnet);
    log << SendMessageA(w().status, SB_ISSIMPLE, 0, 0) << " " << status();
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    log << SendMessageA(w().status, SB_ISSIMPLE, 0, 0) << "\n";
    expectLog("status_bar.txt", log.str());
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
              std::make_tuple(1, kProgramTitle + " (V2.90.0)", frame,
                              std::string("Copyright information"), std::string()));
}

// Toolbar on top (a bordered toolbar sizes itself to the full width, its border
// outside the client area), the views 2 pixels under it, the status bar at the
// bottom, after each size.
TEST_F(MainWindowTest, ResizingKeepsToolbarTopStatusBottomAndTheViewsBetween) {
    for (const SIZE size : {SIZE{0, 0}, SIZE{640, 480}, SIZE{1003, 701}}) {
        if (size.cx == 1003) showTerminalView(true);
        if (size.cx != 0)
            SetWindowPos(frame, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{}, toolbarClient{}, statusClient{};
        GetClientRect(frame, &client);
        GetClientRect(w().toolbar, &toolbarClient);
        GetClientRect(w().status, &statusClient);
        const LONG W = client.right, H = client.bottom;
        const LONG T = toolbarClient.bottom, B = statusClient.bottom;
        ASSERT_TRUE(T > 0 && B > 0);
        const RECT toolbar = childRect(w().toolbar);
        EXPECT_TRUE(toolbar.left <= 0 && toolbar.top <= 0 && toolbar.right >= W);
        for (HWND view : {w().tree, w().terminal})
            EXPECT_EQ(rect(childRect(view)), rect({0, T + 2, W, H - B}));
        EXPECT_EQ(rect(childRect(w().status)), rect({0, H - B, W, H}));
    }
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
        PostMessageA(owner, WM_COMMAND, cmd::Exit, 0);  // then Exit, through the message loop
    });
    ScriptedMessageBoxes none;
    EXPECT_EQ(runApplication(instance, SW_SHOWNORMAL), 0);
    EXPECT_EQ(std::make_tuple(hook.dialogsSeen(), ownerVisible, title, selector,
                              IsWindow(mainWindow().frame)),
              std::make_tuple(1, true, kProgramTitle + " (V2.90.0)", std::string("Select Product"),
                              FALSE));
}

}  // namespace
}  // namespace varomil::test
