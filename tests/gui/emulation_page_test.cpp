// The Emulation page and the Function Key Mapping dialog driven as a user would:
// the font and steps rules, key roles given on either page, the dialog's codes,
// Reset and Cancel, the keys of each product; every field through OK (Save and
// Open keep every byte: tests/core/settings and settings_file_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "pages/function_key_dialog_win.h"
#include "resources/emulation_ids.h"
#include "resources/wlan_ids.h"
#include "settings/builtin_tables.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

constexpr int kWirelessTab = 2;
constexpr int kEmulationTab = 3;

// Button position of a key record (FN+0..FN+9 are the first ten).
int buttonOf(std::size_t record) {
    const auto& records = emulationButtonRecords();
    return static_cast<int>(std::find(records.begin(), records.end(), record) - records.begin());
}
std::string keyText(HWND page, std::size_t record) {
    return dialogItemText(page, IDC_EMU_KEY_TEXT + buttonOf(record));
}
// The records' key texts, each followed by "+|" if its button is enabled, "-|" if not.
std::string keys(HWND page, std::initializer_list<std::size_t> records) {
    std::string out;
    for (std::size_t r : records) {
        out +=
            keyText(page, r) + (itemEnabled(page, IDC_EMU_KEY_BUTTON + buttonOf(r)) ? "+|" : "-|");
    }
    return out;
}

// One run of the mapping dialog: `steps` act in it; a non-empty `code` is then
// entered with the grid (cleared first, '+' clicks the cell before it
// again as a double click); `button` closes the dialog.
struct KeyDialogRun {
    std::function<void(HWND)> steps;
    std::string code = "";
    int button = IDOK;
};
int runKeyDialog(HWND page, std::size_t record, const KeyDialogRun& run) {
    HWND keyDialog = nullptr;
    DialogHook hook([&](HWND dialog) {
        const std::string title = windowText(dialog);
        if (title == "Function Key Mapping") {
            keyDialog = dialog;
            run.steps(dialog);
            if (run.code.empty()) post(dialog, run.button);
            if (!run.code.empty()) postClick(dialog, IDC_FK_CODE);
        } else if (title == "The Grid Control") {
            SendMessageA(dialog, WM_COMMAND, IDC_GRID_CLEAR, 0);
            for (std::size_t i = 0; i < run.code.size(); ++i) {
                if (run.code[i] == '+') continue;
                const bool twice = i + 1 < run.code.size() && run.code[i + 1] == '+';
                clickCell(dialog, static_cast<unsigned char>(run.code[i]), GridMode::KeyNames7Bit,
                          twice);
            }
            post(dialog, IDOK);
            post(keyDialog, run.button);
        }
    });
    clickButton(page, IDC_EMU_KEY_BUTTON + buttonOf(record));
    return hook.dialogsSeen();
}

using EmulationPageTest = SheetTest<2>;

// The font and steps rules: tests/data/pages/emulation.txt.
TEST_F(EmulationPageTest, StepsLeaveTheirBytes) {
    runSheetCases("pages/emulation.txt");
}

TEST_F(EmulationPageTest, RolesGivenOnEitherPageAreRefusedElsewhereAndKeepTheButtonsInStep) {
    configure([](HWND sheet) {
        showTab(sheet, kEmulationTab);  // created before the other page gives a role
        showTab(sheet, kWirelessTab);
        chooseItem(currentPage(sheet), IDC_WLAN_NAME_KEY, 3);
        showTab(sheet, kEmulationTab);
        HWND emu = currentPage(sheet);
        EXPECT_EQ(keys(emu, {3}), "Name Key-|");
        EXPECT_FALSE(editKey(emu, 3));  // the dialog refuses a role key too

        Asked asked = answering({IDOK}, {}, [&] { chooseItem(emu, IDC_EMU_NAVIGATOR_KEY, 3); });
        ASSERT_EQ(asked.boxes.size(), 1u);
        expectBox(asked.boxes[0], "The function key is defined already !! ", "Function Key Mapping",
                  MB_ICONWARNING, MB_ICONMASK);
        EXPECT_EQ(comboText(emu, IDC_EMU_NAVIGATOR_KEY), "Disable");

        chooseItem(emu, IDC_EMU_NAVIGATOR_KEY, 2);
        chooseItem(emu, IDC_EMU_NAVIGATOR_KEY, 5);  // frees FN+2
        EXPECT_EQ(keys(emu, {2, 5}), "F2+|Navigator Key-|");

        showTab(sheet, kWirelessTab);
        HWND wlan = currentPage(sheet);
        asked = answering({IDOK}, {}, [&] { chooseItem(wlan, IDC_WLAN_PASSWORD_KEY, 5); });
        ASSERT_EQ(asked.boxes.size(), 1u);
        EXPECT_EQ(comboText(wlan, IDC_WLAN_PASSWORD_KEY), "Disable");
        EXPECT_EQ(settingsImage().byte(fld::LoginPasswordKey), 0);
        chooseItem(wlan, IDC_WLAN_NAME_KEY, 10);  // FN+3 freed, FN+0 taken
        showTab(sheet, kEmulationTab);
        EXPECT_EQ(keys(emu, {3, 0}), "F3+|Name Key-|");

        // Reset keeps the Wireless LAN roles and frees the navigator's.
        clickButton(emu, IDC_EMU_RESET);
        EXPECT_EQ(keys(emu, {0, 5}), "Name Key-|F5+|");
        showTab(sheet, kWirelessTab);
        chooseItem(wlan, IDC_WLAN_NAME_KEY, 0);  // FN+0 goes back to F10
        showTab(sheet, kEmulationTab);
        EXPECT_EQ(keyText(emu, 0), "F10");
        pressCancel(sheet);
    });
    // Cancel on the Emulation tab restores its snapshot, taken before any of this.
    EXPECT_EQ(settingsImage().byte(slot::binding(3), 0), 0);
    EXPECT_EQ(settingsImage().byte(fld::LoginNameKey), 0);
}

// Arrowing "Navigator Key" from "Disable" down to FN+3 passes over FN+1 and
// FN+2: they keep their mappings, Shift+F5 on FN+2 included.
TEST_F(EmulationPageTest, ArrowingThroughTheNavigatorKeyKeepsThePassedKeys) {
    const Byte shiftF5[] = {1, 5, 0};
    settingsImage().setRaw(slot::binding(2), shiftF5, 3);
    onTab(kEmulationTab, [](HWND sheet, HWND page) {
        const std::string shown = keyText(page, 2);
        HWND box = GetDlgItem(page, IDC_EMU_NAVIGATOR_KEY);
        SetFocus(box);
        for (int i = 0; i < 3; ++i) SendMessageA(box, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(comboText(page, IDC_EMU_NAVIGATOR_KEY), "FN+3");
        EXPECT_EQ(keys(page, {3, 2, 1}), "Navigator Key-|" + shown + "+|F1+|");
        pressCancel(sheet);
    });
}

TEST_F(EmulationPageTest, MappingDialogOffersTheTablesCodesUntilResetOrCancel) {
    // A damaged record on FN+D: no name, the dialog starts from nil and Undefined.
    settingsImage().setByte(slot::binding(13), 250, 0);
    settingsImage().setByte(slot::binding(13), 33, 1);
    onTab(kEmulationTab, [](HWND sheet, HWND page) {
        ASSERT_EQ(keys(page, {13}), "+|");
        runKeyDialog(page, 13, {[](HWND d) {
                         EXPECT_EQ(texts(d, {IDC_FK_KEY_NAME, IDC_FK_MODIFIER, IDC_FK_HOST_KEY}),
                                   "FN+D|nil|Undefined|");
                         EXPECT_FALSE(itemEnabled(d, IDC_FK_CODE));
                     }});
        EXPECT_EQ(keyText(page, 13), "Undefined");

        // What each (modifier, key) offers; then (nil, F5) edited to ESC [99~,
        // the second 9 clicked as the second click of a quick pair.
        runKeyDialog(page, 5,
                     {[](HWND d) {
                          EXPECT_EQ(dialogItemText(d, IDC_FK_CODE), "ESC [ 1 5 ~ ");
                          chooseItem(d, IDC_FK_MODIFIER, 1);
                          EXPECT_EQ(dialogItemText(d, IDC_FK_CODE), "ESC [ K ");
                          chooseItem(d, IDC_FK_MODIFIER, 2);
                          chooseItem(d, IDC_FK_HOST_KEY, 11);
                          EXPECT_EQ(texts(d, {IDC_FK_CODE}) + enabled(d, {IDC_FK_CODE}), "|1");
                          chooseItem(d, IDC_FK_MODIFIER, 0);
                          chooseItem(d, IDC_FK_HOST_KEY, 5);
                      },
                      "\x1b[9+~"});
        EXPECT_EQ(settingsImage().codes(slot::sequence(5)), "\x1b[99~");
        EXPECT_EQ(keyText(page, 5), "F5");
        // What (nil, host key) offers in another key's dialog, then Cancel.
        auto offered = [page](std::size_t record, int hostKey) {
            std::string code;
            runKeyDialog(page, record,
                         {[&](HWND d) {
                              chooseItem(d, IDC_FK_HOST_KEY, hostKey);
                              code = dialogItemText(d, IDC_FK_CODE);
                          },
                          "", IDCANCEL});
            return code;
        };
        EXPECT_EQ(offered(6, 5), "ESC [ 9 9 ~ ");
        EXPECT_EQ(keyText(page, 6), "F6");

        // A code of the key's own goes into its record only.
        runKeyDialog(page, 7, {[](HWND d) { chooseItem(d, IDC_FK_HOST_KEY, 20); }, "A"});
        EXPECT_EQ(keyText(page, 7), "User defined");
        EXPECT_EQ(settingsImage().codes(slot::sequence(7)), "A");
        EXPECT_EQ(offered(8, 7), "ESC [ 1 8 ~ ");

        clickButton(page, IDC_EMU_RESET);
        EXPECT_EQ(offered(6, 5), "ESC [ 1 5 ~ ");
        EXPECT_EQ(keyText(page, 13), "Undefined");

        // Edited again, then the sheet cancelled: the table is restored with the image.
        runKeyDialog(page, 5, {[](HWND) {}, "Q"});
        pressCancel(sheet);
    });
    EXPECT_EQ(companions().functionKeys.entry(0, 5), standardKeyCodes().entry(0, 5));
    EXPECT_EQ(settingsImage().byte(slot::binding(13), 0), 250);
}

// The keys of each product, and "Wlan Interface" from product 2 on.
TEST_F(EmulationPageTest, EachProductEnablesItsKeysAndWlanInterface) {
    const std::pair<int, int> products[] = {{1, 15}, {2, 33}, {3, 26}};
    for (const auto& [product, keys] : products) {
        chooseProduct(product);
        configure([&, product = product, keys = keys](HWND sheet) {
            showTab(sheet, kWirelessTab);
            EXPECT_EQ(itemEnabled(currentPage(sheet), IDC_WLAN_INTERFACE), product > 1);
            showTab(sheet, kEmulationTab);
            HWND page = currentPage(sheet);
            int buttons = 0, texts = 0, arrows = 0;
            for (int n = 0; n < EMU_KEY_COUNT; ++n) {
                buttons += itemEnabled(page, IDC_EMU_KEY_BUTTON + n);
                texts += itemEnabled(page, IDC_EMU_KEY_TEXT + n);
                arrows += itemEnabled(page, IDC_EMU_KEY_ARROW + n);
            }
            // Buttons, texts and arrows enabled; Down always, record 38 from product 2.
            EXPECT_EQ(std::make_tuple(buttons, texts, arrows,
                                      itemEnabled(page, IDC_EMU_KEY_BUTTON + buttonOf(37)),
                                      itemEnabled(page, IDC_EMU_KEY_BUTTON + buttonOf(38))),
                      std::make_tuple(keys, keys, keys, true, product != 1))
                << product;
            pressCancel(sheet);
        });
    }
}

TEST_F(EmulationPageTest, EveryFieldReachesTheImageOnOk) {
    onTab(kEmulationTab, [](HWND sheet, HWND page) {
        chooseItem(page, IDC_EMU_FONT_SIZE, 1);
        chooseItem(page, IDC_EMU_CASE_CONVERSION, 2);
        chooseItem(page, IDC_EMU_NAVIGATOR, 3);
        chooseItem(page, IDC_EMU_NAVIGATOR_KEY, 4);
        typeInto(page, IDC_EMU_H_STEPS, "33");
        typeInto(page, IDC_EMU_V_STEPS, "5");
        for (int id = IDC_EMU_CURSOR_TRACKING; id <= IDC_EMU_LINE_BUFFER; ++id) {
            clickButton(page, id);
        }
        SetDlgItemTextA(page, IDC_EMU_TERMINAL_TYPE, "xterm-with-a-rather-long-name-cut");
        runKeyDialog(page, 40, {[](HWND d) {
                         chooseItem(d, IDC_FK_MODIFIER, 1);
                         chooseItem(d, IDC_FK_HOST_KEY, 13);
                     }});
        pressOk(sheet);
    });
    const SettingsImage& saved = settingsImage();
    EXPECT_EQ(saved.text(fld::TerminalType), "xterm-with-a-rather-long-nam");
    // Case, navigator, FN+4's role, FN+40's modifier and key; CursorTracking was on,
    // the other four off.
    EXPECT_EQ(std::vector<int>({saved.byte(fld::CaseConversion), saved.byte(fld::Navigator),
                                saved.byte(slot::binding(4), 0), saved.byte(slot::binding(40), 0),
                                saved.byte(slot::binding(40), 1), saved.byte(fld::CursorTracking),
                                saved.byte(fld::TrimSpaces), saved.byte(fld::DisableLocalEcho),
                                saved.byte(fld::CursorFlashing), saved.byte(fld::LineBuffer)}),
              std::vector<int>({2, 3, 204, 1, 13, 0, 1, 1, 1, 1}));
}

}  // namespace
}  // namespace varomil::test
