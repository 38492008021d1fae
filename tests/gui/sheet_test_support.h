// Driving the settings sheet in GUI tests: the sheet runs modeless under a
// driver, and the helpers act on controls as the user's typing and clicks do.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/property_sheet_win.h"
#include "pages/grid_value.h"
#include "resources/settings_page_ids.h"
#include "settings/settings_image.h"
#include "tests/core/golden.h"
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
// The control's text; a combo box's chosen entry.
inline std::string shownText(HWND page, int id) {
    char kind[16] = "";
    GetClassNameA(GetDlgItem(page, id), kind, sizeof kind);
    return lstrcmpiA(kind, "ComboBox") == 0 ? comboText(page, id) : dialogItemText(page, id);
}
// The controls' texts, each followed by '|'.
inline std::string texts(HWND page, std::initializer_list<int> ids) {
    std::string out;
    for (int id : ids) out += shownText(page, id) + "|";
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

// A number by its name: a control id of resources/*_ids.h or the offset of a
// field of settings/image_layout.h; "NAME+N" adds N, and digits are themselves.
inline int named(const std::string& name) {
    static const std::map<std::string, int> numbers = [] {
        std::map<std::string, int> m;
        for (const char* header : {"settings_page_ids", "wlan_ids", "emulation_ids", "screen_ids",
                                   "barcode_ids", "symbology_ids", "../settings/image_layout"}) {
            std::ifstream in(std::string("resources/") + header + ".h");
            for (std::string line; std::getline(in, line);) {
                std::istringstream words(line);
                std::string word, key, value;
                words >> word >> key >> value;
                const std::size_t brace = key == "Field" ? value.find('{') : 0;
                if (brace != std::string::npos && brace > 0) {
                    m[value.substr(0, brace)] = std::stoi(value.substr(brace + 1));
                }
                if (word == "#define" && !value.empty()) {
                    m[key] = m.count(value) ? m[value] : std::atoi(value.c_str());
                }
            }
        }
        return m;
    }();
    const std::size_t plus = name.find('+');
    const auto found = numbers.find(name.substr(0, plus));
    const int base = std::isdigit(static_cast<unsigned char>(name[0])) ? std::stoi(name)
                     : found != numbers.end()                          ? found->second
                                                                       : -1;
    EXPECT_GE(base, 0) << "no such name: " << name;
    return base + (plus == std::string::npos ? 0 : std::stoi(name.substr(plus + 1)));
}

// One step of a sheet case (tests/data/pages/README.md); `sheet` is null once it is closed.
inline void sheetStep(HWND sheet, const std::string& line) {
    SCOPED_TRACE(line);
    std::istringstream in(line);
    std::string op, a, rest;
    in >> op >> a;
    std::getline(in >> std::ws, rest);
    rest = unescaped(rest);
    HWND page = sheet ? currentPage(sheet) : nullptr;
    const std::string known =
        " type keys caret chars click choose shows edit entry count hex open tab"
        " enabled checked set bytes ok cancel ";
    const std::size_t at = known.find(" " + op + " ");
    EXPECT_NE(at, std::string::npos) << "no such step";
    const int id = at < known.find(" tab ") ? named(a) : 0;
    std::istringstream more(rest);
    std::string got;
    for (std::string other; (op == "enabled" || op == "checked") && more >> other;) {
        const int at = named(other);
        got += (op == "enabled" ? itemEnabled(page, at) : checked(page, at)) ? '1' : '0';
    }
    if (op == "tab") showTab(sheet, std::stoi(a));
    if (op == "type") typeInto(page, id, rest);
    if (op == "keys") typeKeys(page, id, rest);
    if (op == "caret") SendDlgItemMessageA(page, id, EM_SETSEL, std::stoi(rest), std::stoi(rest));
    for (char c : op == "chars" ? rest : "") SendDlgItemMessageA(page, id, WM_CHAR, c & 0xFF, 0);
    if (op == "click") clickButton(page, id);
    if (op == "choose") chooseItem(page, id, std::stoi(rest));
    if (op == "shows") {
        EXPECT_EQ(shownText(page, id), rest);
    }
    if (op == "enabled" || op == "checked") {
        EXPECT_EQ(got, a);
    }
    if (op == "set")
        settingsImage().setRaw({static_cast<std::size_t>(named(a)), rest.size()},
                               reinterpret_cast<const Byte*>(rest.data()), rest.size());
    if (op == "bytes") {
        EXPECT_EQ(imageBytes(named(a), rest.size()), rest);
    }
    if (op == "edit") {  // typed into the edit part of a combo box
        SetDlgItemTextA(page, id, rest.c_str());
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    }
    char entry[64] = "";
    const std::size_t space = rest.find(' ');
    if (op == "entry")
        SendDlgItemMessageA(page, id, CB_GETLBTEXT, std::stoi(rest),
                            reinterpret_cast<LPARAM>(entry));
    if (op == "entry") {
        EXPECT_EQ(entry, space == std::string::npos ? "" : rest.substr(space + 1));
    }
    if (op == "count") {
        EXPECT_EQ(SendDlgItemMessageA(page, id, CB_GETCOUNT, 0, 0), std::stoi(rest));
    }
    std::vector<int> codes;
    for (std::string code; op == "hex" && more >> code;)
        codes.push_back(std::stoi(code, nullptr, 16));
    if (op == "hex") {  // the grid opened by a click on the edit
        DialogHook hook([&](HWND grid) {
            if (windowText(grid) == "The Grid Control") enterCodes(grid, GridMode::Hex, codes);
        });
        SendDlgItemMessageA(page, id, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    }
    // The button's open dialog answered with a scratch file of the test.
    if (op == "open") answering({}, {scratchPath(rest)}, [&] { clickButton(page, id); });
    if (op == "ok") pressOk(sheet);
    if (op == "cancel") pressCancel(sheet);
}

// Runs the cases of a file under tests/data: each from a fresh main window, its
// steps between "configure" and "ok" or "cancel" on the settings sheet.
inline void runSheetCases(const std::string& file) {
    std::istringstream lines(readGolden(file));
    ASSERT_FALSE(lines.str().empty()) << file;
    std::vector<std::string> onSheet;
    bool open = false;
    std::string name;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("case ", 0) == 0) name = line;
        SCOPED_TRACE(name);
        if (line.rfind("case ", 0) == 0) {
            ASSERT_NE(freshMainWindow(), nullptr);
            chooseProduct(std::stoi(line.substr(line.rfind(' '))));
        } else if (line == "configure") {
            open = true;
        } else if (open) {
            onSheet.push_back(line);
            if (line != "ok" && line != "cancel") continue;
            configure([&](HWND sheet) {
                for (const std::string& step : onSheet) sheetStep(sheet, step);
            });
            onSheet.clear();
            open = false;
        } else {
            sheetStep(nullptr, line);
        }
    }
}

}  // namespace varomil::test
