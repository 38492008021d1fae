// Driving the settings sheet in GUI tests: the sheet runs modeless under a
// driver, and the helpers act on controls as the user's typing and clicks do.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "app/property_sheet_win.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {

// Runs Configure with `steps` driving the sheet (they press OK or Cancel).
inline void configure(const std::function<void(HWND sheet)>& steps) {
    setSettingsSheetDriver([&](HWND sheet) { steps(sheet); });
    sendCommand(cmd::Configure);
    setSettingsSheetDriver([](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_CANCEL); });
}

inline HWND currentPage(HWND sheet) {
    return PropSheet_GetCurrentPageHwnd(sheet);
}
inline void showTab(HWND sheet, int tab) {
    PropSheet_SetCurSel(sheet, nullptr, tab);
}
inline void pressOk(HWND sheet) {
    PropSheet_PressButton(sheet, PSBTN_OK);
}
inline void pressCancel(HWND sheet) {
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

// The edit's text as if typed (the edit notifies its page as it does for keys).
inline void typeInto(HWND page, int id, const std::string& text) {
    SetDlgItemTextA(page, id, text.c_str());
}
// Characters typed one by one through the keyboard path (limits apply).
inline void typeKeys(HWND page, int id, const std::string& text) {
    HWND edit = GetDlgItem(page, id);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}
inline void clickButton(HWND page, int id) {
    SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0);
}
inline void chooseItem(HWND page, int id, int item) {
    HWND box = GetDlgItem(page, id);
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}
inline std::string comboText(HWND page, int id) {
    HWND box = GetDlgItem(page, id);
    const LRESULT sel = SendMessageA(box, CB_GETCURSEL, 0, 0);
    if (sel < 0) return "<none>";
    char text[128] = "";
    SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text));
    return text;
}
inline bool itemEnabled(HWND page, int id) {
    return IsWindowEnabled(GetDlgItem(page, id)) != 0;
}
inline bool checked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

}  // namespace varomil::test
