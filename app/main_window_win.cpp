#include "app/main_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/application_win.h"
#include "app/commands_win.h"
#include "summary/summary_commands_win.h"
#include "app/document.h"
#include "app/toolbar_win.h"
#include "host/telnet_connection_win.h"
#include "host/terminal_window_win.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "summary/summary_tree.h"
#include "summary/summary_tree_view_win.h"
#include "shell/window_messages.h"

namespace varomil {

namespace {

MainWindow& windows() {
    static MainWindow w;
    return w;
}

HINSTANCE instanceOf(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
}

// Room of the status bar's link part at 96 DPI.
constexpr int kLinkPartWidth = 280;

bool onCreate(HWND frame) {
    MainWindow& w = windows();
    w = MainWindow{};
    w.frame = frame;
    const HINSTANCE instance = instanceOf(frame);

    document().CurrentFileName.clear();
    document().SettingsModified = false;
    applyFactoryDefaults(settingsImage(), companions(), 0);

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    w.toolbar = createToolbar(frame, instance);
    w.tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | TVS_HASBUTTONS |
                                 TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP,
                             0, 0, 0, 0, frame, reinterpret_cast<HMENU>(IDC_SUMMARY_TREE), instance,
                             nullptr);
    w.status =
        CreateWindowExA(0, STATUSCLASSNAMEA, "",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP | CCS_BOTTOM, 0, 0,
                        0, 0, frame, reinterpret_cast<HMENU>(IDC_STATUS_BAR), instance, nullptr);
    w.terminal = CreateWindowExA(WS_EX_CLIENTEDGE, kTerminalClassName, "",
                                 WS_CHILD | WS_CLIPCHILDREN | WS_BORDER, 0, 0, 0, 0, frame, nullptr,
                                 instance, nullptr);
    if (w.toolbar == nullptr || w.tree == nullptr || w.status == nullptr || w.terminal == nullptr) {
        return false;
    }
    takeContextMenuKeys(w.tree);
    w.dpi = windowDpi(frame);
    w.tooltip = fillToolbar(frame, w.toolbar, instance, w.dpi);
    SetConnectionState(frame, true);

    w.treeFont = CreateFontA(scaled(16, w.dpi), scaled(8, w.dpi), 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "System");
    SendMessageA(w.tree, WM_SETFONT, reinterpret_cast<WPARAM>(w.treeFont), FALSE);

    w.selector = createProductSelector(w.toolbar, instance, w.dpi);
    w.lastFocus = w.selector;
    DragAcceptFiles(frame, TRUE);
    return w.selector != nullptr;
}

// The command texts keep the left part; the state of a link has the right end.
void setStatusParts(int width) {
    const MainWindow& w = windows();
    int edges[2] = {width - scaled(kLinkPartWidth, w.dpi), -1};
    if (edges[0] < width / 2) edges[0] = width / 2;
    SendMessageA(w.status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(edges));
}

// Toolbar at the top, status bar at the bottom, and the tree and the terminal
// window both in the space between, 2 pixels below the toolbar.
void layout(int width, int height) {
    const MainWindow& w = windows();
    RECT toolbarClient{};
    RECT statusClient{};
    GetClientRect(w.toolbar, &toolbarClient);
    GetClientRect(w.status, &statusClient);
    const int toolbarHeight = toolbarClient.bottom;
    const int statusHeight = statusClient.bottom;
    const int viewTop = toolbarHeight + 2;
    const int viewHeight = height - statusHeight - toolbarHeight - 2;
    MoveWindow(w.toolbar, 0, 0, width, toolbarHeight, TRUE);
    MoveWindow(w.tree, 0, viewTop, width, viewHeight, TRUE);
    MoveWindow(w.status, 0, height - statusHeight, width, statusHeight, TRUE);
    MoveWindow(w.terminal, 0, viewTop, width, viewHeight, TRUE);
    setStatusParts(width);
}

// The focus goes back to the child that had it when the window was left.
void onActivate(WPARAM state) {
    MainWindow& w = windows();
    if (LOWORD(state) != WA_INACTIVE) return;
    HWND focus = GetFocus();
    if (focus == w.selector || focus == w.tree) w.lastFocus = focus;
}

void onSetFocus() {
    const MainWindow& w = windows();
    if (IsWindowVisible(w.terminal)) {
        SetFocus(w.terminal);
    } else if (w.lastFocus != nullptr && IsWindowVisible(w.lastFocus)) {
        SetFocus(w.lastFocus);
    }
}

void onDropFiles(HWND frame, HDROP drop) {
    char path[MAX_PATH] = "";
    const bool named = DragQueryFileA(drop, 0, path, sizeof path) > 0;
    DragFinish(drop);
    // A drop arrives from another program: answer it before any dialog is shown.
    SetForegroundWindow(frame);
    if (named) openNamedFile(frame, path);
}

void onClose(HWND frame) {
    if (closeAsksToSave(selectedProduct(), document().SettingsModified) && !askToSave(frame)) {
        return;
    }
    // The receive thread must not outlive the windows it reports to.
    disconnectHost(frame);
    DestroyWindow(frame);
}

void onDestroy() {
    MainWindow& w = windows();
    // The tree must not keep a deleted font, whichever way the window goes.
    SendMessageA(w.tree, WM_SETFONT, 0, FALSE);
    DeleteObject(w.treeFont);
    w.treeFont = nullptr;
    PostQuitMessage(0);
}

}  // namespace

const MainWindow& mainWindow() {
    return windows();
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE:
            return onCreate(hwnd) ? 0 : -1;
        case WM_SIZE:
            layout(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_ACTIVATE:
            onActivate(wParam);
            // A closing dialog may hand the focus back to whichever child had it.
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(hwnd, kKeysToTerminalMessage, 0, 0);
            break;
        case WM_EXITMENULOOP:
        case kKeysToTerminalMessage:
            keepKeysWithTerminal(hwnd);
            return 0;
        case WM_SETFOCUS:
            onSetFocus();
            return 0;
        case WM_DROPFILES:
            onDropFiles(hwnd, reinterpret_cast<HDROP>(wParam));
            return 0;
        case kLinkStatusMessage:
            setLinkStatusText(reinterpret_cast<const char*>(lParam));
            return 0;
        case WM_COMMAND:
            // Of the selector's notifications only a new selection is a command: its
            // focus changes come with every question the choice asks.
            if (reinterpret_cast<HWND>(lParam) == windows().selector &&
                HIWORD(wParam) != CBN_SELCHANGE) {
                // A list opened and closed again chose nothing: back to the terminal.
                if (HIWORD(wParam) == CBN_CLOSEUP) PostMessageA(hwnd, kKeysToTerminalMessage, 0, 0);
                return 0;
            }
            dispatchCommand(hwnd, LOWORD(wParam));
            return 0;
        case WM_MENUSELECT: {
            UINT helpIds[] = {0, 0};
            MenuHelp(WM_MENUSELECT, wParam, lParam, GetMenu(hwnd), instanceOf(hwnd),
                     windows().status, helpIds);
            return 0;
        }
        case WM_CONTEXTMENU:
            if (onSummaryContextMenu(summaryFrame(hwnd), reinterpret_cast<HWND>(wParam), lParam))
                return 0;
            break;
        case WM_CLOSE:
            onClose(hwnd);
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        case WM_NCDESTROY:
            windows() = MainWindow{};
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void showTerminalView(bool connected) {
    const MainWindow& w = windows();
    ShowWindow(w.terminal, connected ? SW_SHOW : SW_HIDE);
    ShowWindow(w.tree, connected ? SW_HIDE : SW_SHOW);
}

bool terminalShown() {
    const MainWindow& w = windows();
    return w.terminal != nullptr && IsWindowVisible(w.terminal);
}

void keepKeysWithTerminal(HWND frame) {
    const MainWindow& w = windows();
    if (terminalShown() && GetActiveWindow() == frame && GetFocus() != w.terminal)
        SetFocus(w.terminal);
}

void setStatusText(const char* text) {
    if (windows().status == nullptr) return;
    SendMessageA(windows().status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void setLinkStatusText(const char* text) {
    if (windows().status == nullptr) return;
    SendMessageA(windows().status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text ? text : ""));
}

bool handleFrameKey(const MSG& msg) {
    MainWindow& w = windows();
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_TAB && msg.wParam != VK_F6)) return false;
    if (msg.hwnd != w.selector && msg.hwnd != w.tree) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    w.lastFocus = msg.hwnd == w.selector ? w.tree : w.selector;
    SetFocus(w.lastFocus);
    return true;
}

bool terminalTakesKeys() {
    const MainWindow& w = windows();
    return w.terminal != nullptr && IsWindowVisible(w.terminal) && GetFocus() == w.terminal;
}

int scaled(int pixels, int dpi) {
    return MulDiv(pixels, dpi, 96);
}

int windowDpi(HWND window) {
    // GetDpiForWindow exists from Windows 10 on; before, the system DPI applies.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow != nullptr) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void rebuildSummaryTree() {
    if (windows().tree == nullptr) return;
    refillSummaryTreeView(
        windows().tree,
        buildSummaryTree(settingsImage(), summaryContext(productNames(document()))));
}

SummaryFrame summaryFrame(HWND frame) {
    SummaryFrame f;
    f.window = frame;
    f.tree = windows().tree;
    f.title = windowTitle();
    f.fileName = document().CurrentFileName;
    f.productNames = productNames(document());
    f.product = selectedProduct();
    return f;
}

}  // namespace varomil
