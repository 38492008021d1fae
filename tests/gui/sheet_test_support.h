// Driving the settings sheet in GUI tests: the sheet runs modeless under a
// driver, and the helpers act on controls as the user's typing and clicks do.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/property_sheet_win.h"
#include "pages/grid_value.h"
#include "resources/settings_page_ids.h"
#include "settings/settings_image.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {

// Every test starts from a fresh main window for `Product`, chosen through the selector.
template <int Product>
class SheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        chooseProduct(Product);
    }
};

// Runs Configure with `steps` driving the sheet (they press OK or Cancel).
inline void configure(const std::function<void(HWND sheet)>& steps) {
    setSettingsSheetDriver([&](HWND sheet) { steps(sheet); });
    sendCommand(cmd::Configure);
    setSettingsSheetDriver([](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_CANCEL); });
}

inline HWND currentPage(HWND sheet) {
    return PropSheet_GetCurrentPageHwnd(sheet);
}
// Configure with `steps` on the page of `tab`.
inline void onTab(int tab, const std::function<void(HWND sheet, HWND page)>& steps) {
    configure([&](HWND sheet) {
        PropSheet_SetCurSel(sheet, nullptr, tab);
        steps(sheet, currentPage(sheet));
    });
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
// The controls' texts (a combo box's chosen entry), each followed by '|'.
inline std::string texts(HWND page, std::initializer_list<int> ids) {
    std::string out;
    for (int id : ids) {
        char kind[16] = "";
        GetClassNameA(GetDlgItem(page, id), kind, sizeof kind);
        out += (lstrcmpiA(kind, "ComboBox") == 0 ? comboText(page, id) : dialogItemText(page, id)) +
               "|";
    }
    return out;
}
// One '1' or '0' a control: enabled(page, {a, b}) == "10" when only a is.
inline std::string enabled(HWND page, std::initializer_list<int> ids) {
    std::string out;
    for (int id : ids) out += itemEnabled(page, id) ? '1' : '0';
    return out;
}
inline std::string checks(HWND page, std::initializer_list<int> ids) {
    std::string out;
    for (int id : ids) out += checked(page, id) ? '1' : '0';
    return out;
}

inline std::string imageBytes(std::size_t offset, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(settingsImage().bytes().data()) + offset, n);
}
inline void post(HWND window, int command) {
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}
// A click on a grid-enabled edit, which opens the grid (posted: the grid is modal).
inline void postClick(HWND page, int id) {
    PostMessageA(GetDlgItem(page, id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
}
// Clicks the chart cell of `code` in an open grid; `twice` sends the second
// click of a quick pair, which arrives as a double click.
inline void clickCell(HWND grid, int code, GridMode mode, bool twice = false) {
    HWND chart = GetDlgItem(grid, IDC_GRID_CHART);
    RECT r{};
    GetClientRect(chart, &r);
    const GridChart c = gridChart(mode, r.right, r.bottom);
    const LPARAM at = MAKELPARAM((code / 16 + 1) * c.cellWidth + c.cellWidth / 2,
                                 (code % 16 + 1) * c.cellHeight + c.cellHeight / 2);
    SendMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (twice) SendMessageA(chart, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
}
// In an open grid: Clear, the codes' cells, then OK.
inline void enterCodes(HWND grid, GridMode mode, const std::vector<int>& codes) {
    SendMessageA(grid, WM_COMMAND, IDC_GRID_CLEAR, 0);
    for (int code : codes) clickCell(grid, code, mode);
    post(grid, IDOK);
}

}  // namespace varomil::test
