// Symbology parameter dialogs driven as a user does: clicks, typing, a combo
// choice, then Cancel or OK; the working reader blocks are checked byte by byte
// (what each dialog's OK stores: tests/core/barcode/barcode_dialogs_test.cpp).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win.h"
#include "barcode/symbology_dialog_win.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

// Runs the dialog with `steps`, which end by pressing `button`.
bool run(const char* name, int button, const std::function<void(HWND)>& steps) {
    DialogHook hook([&](HWND dialog) {
        steps(dialog);
        post(dialog, button);
    });
    const bool ok = runSymbologyDialog(mainWindow().frame, name);
    EXPECT_EQ(hook.dialogsSeen(), 1);
    return ok;
}

using SymbologyDialogTest = SheetTest<2>;

TEST_F(SymbologyDialogTest,
       Interleave25CancelKeepsTheBlockOkStoresMaxFirstAndCode39ClearsReservedBits) {
    const auto factory = companions().reader1D;
    std::string shown;
    auto steps = [&](HWND d) {
        clickButton(d, 603);  // Matrix 25 start/stop
        clickButton(d, 301);  // Verify Checksum on (factory off)
        clickButton(d, 605);  // Max / Min Length
        shown = texts(d, {101, 102});
        const std::pair<int, const char*> corrected[] = {{201, "007"}, {201, "200"}, {202, "0"}};
        for (const auto& [id, typed] : corrected) {
            typeInto(d, id, typed);
            shown += dialogItemText(d, id) + " ";
        }
        typeInto(d, 201, "10");
        typeInto(d, 202, "20");
    };
    EXPECT_FALSE(run("INTERLEAVE25DLG", IDCANCEL, steps));
    EXPECT_EQ(shown, "Max Length :|Min Length :|7 127 1 ");
    EXPECT_EQ(companions().reader1D, factory);

    EXPECT_TRUE(run("INTERLEAVE25DLG", IDOK, steps));
    auto expected = factory;
    expected[5] = 0x2D | 0x02;  // verify on, transmit kept
    expected[6] = (0x54 & ~0x0C) | 0x08;
    expected[14] = 0x94;
    expected[15] = 0x0A;
    EXPECT_EQ(companions().reader1D, expected);
    // The settings image is written only when the page is applied or saved.
    EXPECT_EQ(settingsImage().byte(fld::Reader1DBlock, 14), 0xFE);

    companions().reader2D[5] = 0xFF;
    EXPECT_FALSE(run("CODE39_2D_DLG", IDCANCEL, [](HWND) {}));
    EXPECT_EQ(companions().reader2D[5], 0xCF);
}

TEST_F(SymbologyDialogTest, ChoicesUpdateTheOtherControlsAtOnce) {
    // Code 93 "Two Lengths" enables the second length and stores the larger first.
    auto expected = companions().reader2D;
    std::string shown;
    EXPECT_TRUE(run("CODE93_2D_DLG", IDOK, [&](HWND d) {
        shown = enabled(d, {202});
        chooseItem(d, 401, 2);
        shown += enabled(d, {202});
        typeInto(d, 201, "8");
        typeInto(d, 202, "12");
    }));
    EXPECT_EQ(shown, "01");
    expected[8] = 0x40;
    expected[9] = 0x0C;
    expected[10] = 0x08;
    EXPECT_EQ(companions().reader2D, expected);

    // Interleaved 2 of 5 conversion takes back verification and transmit.
    companions().reader2D[14] = 0x62;  // USS, transmit, OPCC
    EXPECT_TRUE(run("INTERLEAVE25_2D_DLG", IDOK, [&](HWND d) {
        shown = comboText(d, 402);
        clickButton(d, 303);
        shown += "|" + comboText(d, 402) + "|" + checks(d, {302});
    }));
    EXPECT_EQ(shown, " OPCC| No verify|0");
    EXPECT_EQ(companions().reader2D[14], 0x10);
}

TEST_F(SymbologyDialogTest, Ean128SeparatorComesFromTheGridOnOk) {
    HWND parameters = nullptr;
    std::string titles;
    DialogHook hook([&](HWND dialog) {
        titles += windowText(dialog) + "|";
        if (parameters == nullptr) {
            parameters = dialog;
            postClick(dialog, 201);
            return;
        }
        // The grid's OK, then the dialog's once the grid has closed.
        clickCell(dialog, 0x20, GridMode::KeyNames);
        post(dialog, IDOK);
        post(parameters, IDOK);
    });
    EXPECT_TRUE(runSymbologyDialog(mainWindow().frame, "EAN128DLG"));
    EXPECT_EQ(titles, "EAN128 Parameters|The Grid Control|");
    EXPECT_EQ(settingsImage().byte(fld::Ean128FieldSeparator), 0x20);
}

}  // namespace
}  // namespace varomil::test
