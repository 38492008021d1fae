#include "app/main_window_win.h"

#include <commctrl.h>

#include "app/application_win.h"
#include "app/commands_win.h"
#include "app/summary_commands_win.h"
#include "app/document.h"
#include "app/toolbar_win.h"
#include "host/telnet_connection_win.h"
#include "host/terminal_window_win.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/summary_tree.h"
#include "settings/summary_tree_view_win.h"

namespace varomil {

namespace {

MainWindow& windows() {
    static MainWindow w;
    return w;
}

HINSTANCE instanceOf(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
}

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
    int oneWholePart = -1;
    SendMessageA(w.status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&oneWholePart));

    w.tooltip = fillToolbar(frame, w.toolbar, instance);
    SetConnectionState(frame, true);

    w.treeFont =
        CreateFontA(16, 8, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "System");
    SendMessageA(w.tree, WM_SETFONT, reinterpret_cast<WPARAM>(w.treeFont), FALSE);

    w.selector = createProductSelector(w.toolbar, instance);
    return w.selector != nullptr;
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
        case WM_SETFOCUS:
            if (IsWindowVisible(windows().terminal)) SetFocus(windows().terminal);
            return 0;
        case WM_COMMAND:
            dispatchCommand(hwnd, LOWORD(wParam));
            return 0;
        case WM_MENUSELECT: {
            UINT helpIds[] = {0, 0};
            MenuHelp(WM_MENUSELECT, wParam, lParam, GetMenu(hwnd), instanceOf(hwnd),
                     windows().status, helpIds);
            return 0;
        }
        case WM_CONTEXTMENU:
            if (onSummaryContextMenu(hwnd, reinterpret_cast<HWND>(wParam), lParam)) return 0;
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

void setStatusText(const char* text) {
    if (windows().status == nullptr) return;
    SendMessageA(windows().status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
}

void rebuildSummaryTree() {
    if (windows().tree == nullptr) return;
    fillSummaryTreeView(windows().tree, buildSummaryTree(settingsImage(), summaryContext()));
}

}  // namespace varomil
