// Symbology parameter dialogs driven as a user does: clicks, typing, a combo
// choice, then Cancel or OK; the working reader blocks are checked byte by byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win.h"
#include "barcode/symbology_dialog_win.h"
#include "settings/settings_image.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

class SymbologyDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        // Through the selector, so that it and the image name the same product.
        chooseProduct(2);
    }
    // Runs the dialog with `steps`, which end by pressing `button`.
    bool run(const char* name, int button, const std::function<void(HWND)>& steps) {
        DialogHook hook([&](HWND dialog) {
            steps(dialog);
            PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
        });
        const bool ok = runSymbologyDialog(mainWindow().frame, name);
        EXPECT_EQ(hook.dialogsSeen(), 1);
        return ok;
    }
};

TEST_F(SymbologyDialogTest, Interleave25CancelKeepsTheBlockAndOkStoresMaxFirst) {
    const auto factory = companions().reader1D;
    std::string labels;
    auto steps = [&](HWND d) {
        clickButton(d, 603);  // Matrix 25 start/stop
        clickButton(d, 301);  // Verify Checksum on (factory off)
        clickButton(d, 605);  // Max / Min Length
        labels = dialogItemText(d, 101) + "|" + dialogItemText(d, 102);
        typeInto(d, 201, "007");
        EXPECT_EQ(dialogItemText(d, 201), "7");
        typeInto(d, 201, "200");
        EXPECT_EQ(dialogItemText(d, 201), "127");
        typeInto(d, 201, "10");
        typeInto(d, 202, "0");
        EXPECT_EQ(dialogItemText(d, 202), "1");
        typeInto(d, 202, "20");
    };
    EXPECT_FALSE(run("INTERLEAVE25DLG", IDCANCEL, steps));
    EXPECT_EQ(labels, "Max Length :|Min Length :");
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
}

TEST_F(SymbologyDialogTest, Code93TwoLengthsStoresTheLargerFirst) {
    const auto factory = companions().reader2D;
    bool enabledBefore = true;
    bool enabledAfter = false;
    EXPECT_TRUE(run("CODE93_2D_DLG", IDOK, [&](HWND d) {
        enabledBefore = itemEnabled(d, 202);
        chooseItem(d, 401, 2);  // "Two Lengths"
        enabledAfter = itemEnabled(d, 202);
        typeInto(d, 201, "8");
        typeInto(d, 202, "12");
    }));
    EXPECT_FALSE(enabledBefore);
    EXPECT_TRUE(enabledAfter);
    auto expected = factory;
    expected[8] = 0x40;
    expected[9] = 0x0C;
    expected[10] = 0x08;
    EXPECT_EQ(companions().reader2D, expected);
}

TEST_F(SymbologyDialogTest, Interleaved25ConversionTakesBackVerificationAndTransmit) {
    companions().reader2D[14] = 0x62;  // USS, transmit, OPCC
    std::string verify;
    bool transmit = true;
    EXPECT_TRUE(run("INTERLEAVE25_2D_DLG", IDOK, [&](HWND d) {
        EXPECT_EQ(comboText(d, 402), " OPCC");
        clickButton(d, 303);
        verify = comboText(d, 402);
        transmit = checked(d, 302);
    }));
    EXPECT_EQ(verify, " No verify");
    EXPECT_FALSE(transmit);
    EXPECT_EQ(companions().reader2D[14], 0x10);
}

TEST_F(SymbologyDialogTest, Code39ClearsItsReservedBitsOnOpeningEvenWhenCancelled) {
    companions().reader2D[5] = 0xFF;
    EXPECT_FALSE(run("CODE39_2D_DLG", IDCANCEL, [](HWND) {}));
    EXPECT_EQ(companions().reader2D[5], 0xCF);
}

TEST_F(SymbologyDialogTest, Ean128SeparatorComesFromTheGridOnOk) {
    int dialogs = 0;
    HWND parameters = nullptr;
    DialogHook hook([&](HWND dialog) {
        ++dialogs;
        if (windowText(dialog) == "The Grid Control") {
            // Column 2, row 0 of the chart is code 0x20; the grid's OK, then the
            // dialog's once the grid has closed.
            HWND chart = GetDlgItem(dialog, 101);
            RECT r{};
            GetClientRect(chart, &r);
            const int w = r.right / 17;
            const int h = r.bottom / 17;
            SendMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3 * w + w / 2, h + h / 2));
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            PostMessageA(parameters, WM_COMMAND, IDOK, 0);
            return;
        }
        EXPECT_EQ(windowText(dialog), "EAN128 Parameters");
        parameters = dialog;
        PostMessageA(GetDlgItem(dialog, 201), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    });
    EXPECT_TRUE(runSymbologyDialog(mainWindow().frame, "EAN128DLG"));
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(settingsImage().byte(fld::Ean128FieldSeparator), 0x20);
}

}  // namespace
}  // namespace varomil::test
