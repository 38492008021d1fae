#include "app/property_sheet_win.h"

#include <commctrl.h>

#include <array>
#include <utility>

#include "app/document.h"
#include "app/main_window_win.h"
#include "pages/settings_page_win.h"
#include "pages/sheet_session.h"
#include "pages/system_page_win.h"
#include "pages/wireless_lan_page_win.h"
#include "pages/emulation_page_win.h"
#include "barcode/barcode_page_win.h"
#include "screens/screen_page_win.h"

namespace varomil {

namespace {

// The tabs in order; each page's title is its template's caption.
constexpr std::size_t kPageCount = 5;
std::array<SheetPage, kPageCount> sheetPages() {
    return {{{&systemPage(), 0},
             {&barcodePage(), 1},
             {&wirelessLanPage(), 2},
             {&emulationPage(), 3},
             {&screenPage(), 4}}};
}

SettingsSheetDriver& driver() {
    static SettingsSheetDriver d;
    return d;
}

// Ctrl+Tab and Ctrl+PgDn (with Shift, and Ctrl+PgUp, backwards) switch the tabs
// wherever the focus is in the sheet, as users of tabbed dialogs expect: a hook
// on the messages the sheet's loop takes, while the sheet is open.
HWND openSheet = nullptr;
HHOOK tabKeysHook = nullptr;

// The sheet only shows the next page: a focus left on a control of the hidden
// page would take the keys typed next. It goes to the first control of the page
// on display (the tab strip when the page has none).
void switchTab(HWND sheet, int step) {
    HWND tabs = PropSheet_GetTabControl(sheet);
    const int count = TabCtrl_GetItemCount(tabs);
    const int next = (TabCtrl_GetCurSel(tabs) + step + count) % count;
    const bool focusOnPage = IsChild(PropSheet_GetCurrentPageHwnd(sheet), GetFocus());
    PropSheet_SetCurSel(sheet, nullptr, next);
    if (!focusOnPage) return;
    HWND page = PropSheet_GetCurrentPageHwnd(sheet);
    HWND first = page != nullptr ? GetNextDlgTabItem(page, nullptr, FALSE) : nullptr;
    if (first == nullptr || !IsChild(page, first)) first = tabs;
    SendMessageA(sheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

LRESULT CALLBACK tabKeys(int code, WPARAM removal, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_KEYDOWN &&
        openSheet != nullptr && GetKeyState(VK_CONTROL) < 0 &&
        (msg->hwnd == openSheet || IsChild(openSheet, msg->hwnd))) {
        int step = 0;
        if (msg->wParam == VK_TAB) step = GetKeyState(VK_SHIFT) < 0 ? -1 : 1;
        if (msg->wParam == VK_NEXT) step = 1;
        if (msg->wParam == VK_PRIOR) step = -1;
        if (step != 0) {
            switchTab(openSheet, step);
            msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(tabKeysHook, code, removal, lParam);
}

int CALLBACK sheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) openSheet = sheet;
    return 0;
}

// A modeless sheet is closed once it has no current page any more.
void runUntilClosed(HWND sheet) {
    MSG msg;
    while (PropSheet_GetCurrentPageHwnd(sheet) != nullptr && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!PropSheet_IsDialogMessage(sheet, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void runDriven(PROPSHEETHEADERA& header) {
    header.dwFlags |= PSH_MODELESS;
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (sheet == nullptr) return;
    EnableWindow(header.hwndParent, FALSE);  // as modal as the real run
    driver()(sheet);
    if (PropSheet_GetCurrentPageHwnd(sheet) != nullptr) PropSheet_PressButton(sheet, PSBTN_CANCEL);
    runUntilClosed(sheet);
    EnableWindow(header.hwndParent, TRUE);
    DestroyWindow(sheet);
}

}  // namespace

void setSettingsSheetDriver(SettingsSheetDriver d) {
    driver() = std::move(d);
}

void openSettingsSheet(HWND owner) {
    std::array<SheetPage, kPageCount> pages = sheetPages();
    std::array<PROPSHEETPAGEA, kPageCount> psp{};
    for (std::size_t i = 0; i < kPageCount; ++i) {
        psp[i].dwSize = sizeof(PROPSHEETPAGEA);
        psp[i].dwFlags = PSP_DEFAULT;
        psp[i].hInstance = GetModuleHandleA(nullptr);
        psp[i].pszTemplate = pages[i].definition->templateName;
        psp[i].pfnDlgProc = settingsPageProc;
        psp[i].lParam = reinterpret_cast<LPARAM>(&pages[i]);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USEICONID | PSH_USECALLBACK;
    header.pfnCallback = sheetCallback;
    header.hwndParent = owner;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszIcon = "VAROMIL";
    header.pszCaption = "Settings";
    header.nPages = kPageCount;
    header.nStartPage = 0;
    header.ppsp = psp.data();

    SheetSession session(settingsImage(), companions(), document().SettingsModified);
    setSheetSession(&session);
    tabKeysHook = SetWindowsHookExA(WH_GETMESSAGE, tabKeys, nullptr, GetCurrentThreadId());
    if (driver()) {
        runDriven(header);
    } else {
        PropertySheetA(&header);
    }
    UnhookWindowsHookEx(tabKeysHook);
    tabKeysHook = nullptr;
    openSheet = nullptr;
    const bool ok = sheetApplied();
    setSheetSession(nullptr);
    session.closed(ok);
    if (ok) rebuildSummaryTree();
}

}  // namespace varomil
