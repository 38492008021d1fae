// The System page driven as a user would: typing, toggling, switching prompt
// sections, Reset, then OK or Cancel; the image bytes are checked after each.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/document.h"
#include "resources/settings_page_ids.h"
#include "settings/settings_image.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

const Byte* at(std::size_t offset) {
    return settingsImage().bytes().data() + offset;
}
std::string bytesAt(std::size_t offset, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(at(offset)), n);
}

class SystemPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        chooseProduct(2);
    }
};

TEST_F(SystemPageTest, NumbersAreCorrectedInPlace) {
    configure([](HWND sheet) {
        HWND page = currentPage(sheet);
        typeInto(page, IDC_SYS_AUTO_POWER_OFF, "1000");
        EXPECT_EQ(*at(26), 0xE8);
        EXPECT_EQ(*at(62), 0x03);
        // Digits typed past the highest value leave it at the highest.
        typeKeys(page, IDC_SYS_AUTO_POWER_OFF, "99999999999");
        EXPECT_EQ(dialogItemText(page, IDC_SYS_AUTO_POWER_OFF), "60255");
        EXPECT_EQ(*at(26) + 256 * *at(62), 60255);
        // Typed text and what the field shows after: the value brought into range.
        const std::tuple<int, const char*, const char*> corrections[] = {
            {IDC_SYS_AUTO_POWER_OFF, "0042", "42"},
            {IDC_SYS_AUTO_POWER_OFF, "", "0"},
            {IDC_SYS_IDLE_TIME, "0", "1"},
            {IDC_SYS_IDLE_TIME, "12", "9"},
        };
        for (const auto& [id, typed, shown] : corrections) {
            typeInto(page, id, typed);
            EXPECT_EQ(dialogItemText(page, id), shown) << typed;
        }
        EXPECT_EQ(*at(26) + *at(62), 0);
        EXPECT_EQ(*at(29), 9);
        typeKeys(page, IDC_SYS_IDLE_TIME, "x4");  // digits only from the keyboard
        EXPECT_EQ(dialogItemText(page, IDC_SYS_IDLE_TIME), "4");
        EXPECT_EQ(*at(29), 4);
        // Backspace over the one digit: the field shows 1, selected, so that the
        // next digit replaces it instead of making 15.
        HWND idle = GetDlgItem(page, IDC_SYS_IDLE_TIME);
        SendMessageA(idle, EM_SETSEL, 1, 1);
        SendMessageA(idle, WM_CHAR, VK_BACK, 0);
        EXPECT_EQ(dialogItemText(page, IDC_SYS_IDLE_TIME), "1");
        SendMessageA(idle, WM_CHAR, '5', 0);
        EXPECT_EQ(dialogItemText(page, IDC_SYS_IDLE_TIME), "5");
        EXPECT_EQ(*at(29), 5);
        typeKeys(page, IDC_SYS_IDLE_TIME, "4");
        pressOk(sheet);
    });
    EXPECT_EQ(*at(29), 4);
}

TEST_F(SystemPageTest, PasswordIsCutToEightAnyCharactersAndZeroFilledOnApply) {
    settingsImage().fill(fld::SystemPassword, 'z');
    configure([](HWND sheet) {
        HWND page = currentPage(sheet);
        typeInto(page, IDC_SYS_PASSWORD, "12345678901");
        EXPECT_EQ(dialogItemText(page, IDC_SYS_PASSWORD), "12345678");
        EXPECT_EQ(settingsImage().text(fld::SystemPassword), "12345678");
        typeKeys(page, IDC_SYS_PASSWORD, "ab#4567890");  // a full field takes no more
        EXPECT_EQ(dialogItemText(page, IDC_SYS_PASSWORD), "ab#45678");
        typeInto(page, IDC_SYS_PASSWORD, "a1");
        pressOk(sheet);
    });
    EXPECT_EQ(bytesAt(50, 10), std::string("a1\0\0\0\0\0\0\0\0", 10));
}

TEST_F(SystemPageTest, PromptSectionsShowTheirLinesAndStoreTheirWidth) {
    configure([](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboText(page, IDC_SYS_PROMPT_SECTION),
                  "Main Menu (15*2)" + std::string(14, ' '));
        for (int l = 0; l < 8; ++l) {
            EXPECT_EQ(itemEnabled(page, IDC_SYS_LINE_EDIT_1 + l), l < 2) << l;
            EXPECT_EQ(itemEnabled(page, IDC_SYS_LINE_LABEL_1 + l), l < 2) << l;
        }
        // Shown without the blanks the image pads it with; an unedited line keeps them.
        EXPECT_EQ(dialogItemText(page, IDC_SYS_LINE_EDIT_1), "1. Telnet");
        chooseItem(page, IDC_SYS_PROMPT_SECTION, 1);  // Utilities, 8 lines of 20
        EXPECT_EQ(dialogItemText(page, IDC_SYS_LINE_LABEL_1 + 5), "6.Set Date & Time   ");
        EXPECT_EQ(dialogItemText(page, IDC_SYS_LINE_LABEL_1), "1.TCP/IP Settings   ");
        typeInto(page, IDC_SYS_LINE_EDIT_1 + 2, "ABCDEFGHIJKLMNOPQRSTUVWXY");
        EXPECT_EQ(dialogItemText(page, IDC_SYS_LINE_EDIT_1 + 2), "ABCDEFGHIJKLMNOPQRSTUVWXY");
        chooseItem(page, IDC_SYS_PROMPT_SECTION, 10);  // Error Messages: 7 of 8 slots
        EXPECT_TRUE(itemEnabled(page, IDC_SYS_LINE_EDIT_1 + 6));
        EXPECT_FALSE(itemEnabled(page, IDC_SYS_LINE_EDIT_1 + 7));
        chooseItem(page, IDC_SYS_PROMPT_SECTION, 4);  // Backlight, 4 slots
        typeInto(page, IDC_SYS_LINE_EDIT_1, "Lights out");
        pressOk(sheet);
    });
    // Utilities line 3 is slot 6; Backlight line 1 slot 28, Navigator starts at slot 32.
    EXPECT_EQ(bytesAt(82 + 41 * 6, 41), "ABCDEFGHIJKLMNOPQRST" + std::string(20, ' ') + '\0');
    EXPECT_EQ(bytesAt(82 + 41 * 28, 41), "Lights out" + std::string(30, ' ') + '\0');
    EXPECT_EQ(bytesAt(82 + 41 * 32, 8), "1. None ");
    EXPECT_EQ(bytesAt(82, 41), "1. Telnet" + std::string(31, ' ') + '\0');
}

TEST_F(SystemPageTest, ResetGivesFactoryValuesAndTheProductDecidesFuncToggle) {
    chooseProduct(1);
    configure([](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_FALSE(itemEnabled(page, IDC_SYS_FUNC_TOGGLE));
        EXPECT_EQ(comboText(page, IDC_SYS_FUNC_TOGGLE), "Locked");
        EXPECT_EQ(comboText(page, IDC_SYS_PROMPT_SECTION),
                  "Main Menu (12*2)" + std::string(14, ' '));
        typeInto(page, IDC_SYS_AUTO_POWER_OFF, "1000");
        typeInto(page, IDC_SYS_PASSWORD, "9");
        clickButton(page, IDC_SYS_KEY_CLICK);
        chooseItem(page, IDC_SYS_PROMPT_SECTION, 3);
        typeInto(page, IDC_SYS_LINE_EDIT_1, "changed");
        clickButton(page, IDC_SYS_RESET);
        EXPECT_EQ(dialogItemText(page, IDC_SYS_AUTO_POWER_OFF), "180");
        EXPECT_EQ(dialogItemText(page, IDC_SYS_PASSWORD), "");
        EXPECT_TRUE(checked(page, IDC_SYS_KEY_CLICK));
        EXPECT_EQ(comboText(page, IDC_SYS_PROMPT_SECTION),
                  "Main Menu (12*2)" + std::string(14, ' '));
        EXPECT_EQ(settingsImage().text(slot::promptSlot(20)), "1.Emulation Type");
        pressOk(sheet);
    });
    EXPECT_EQ(*at(26), 180);
    EXPECT_EQ(*at(62), 0);
    EXPECT_EQ(*at(63), 1);
    EXPECT_EQ(*at(27), 1);
}

TEST_F(SystemPageTest, BoxesRadiosCombosAndTextsWriteTheirBytes) {
    configure([](HWND sheet) {
        HWND page = currentPage(sheet);
        clickButton(page, IDC_SYS_POWER_RESTART);
        typeInto(page, IDC_SYS_AUTO_POWER_OFF, "300");
        clickButton(page, IDC_SYS_KEY_CLICK);
        typeInto(page, IDC_SYS_PASSWORD, "4711");
        for (int id : {IDC_SYS_LOCK_TCPIP, IDC_SYS_LOCK_EMULATION, IDC_SYS_LOCK_DATE_TIME,
                       IDC_SYS_LOCK_UTILITY, IDC_SYS_LOCK_DATE_TIME}) {  // the last: off again
            clickButton(page, id);
        }
        clickButton(page, IDC_SYS_BACKLIGHT_ON);
        typeInto(page, IDC_SYS_IDLE_TIME, "7");
        chooseItem(page, IDC_SYS_DOWNLOAD_VIA, 3);
        chooseItem(page, IDC_SYS_BAUD_RATE, 2);
        chooseItem(page, IDC_SYS_FUNC_TOGGLE, 1);
        EXPECT_EQ(comboText(page, IDC_SYS_DOWNLOAD_VIA), "RF");
        EXPECT_EQ(comboText(page, IDC_SYS_BAUD_RATE), "38400 bps");
        chooseItem(page, IDC_SYS_PROMPT_SECTION, 11);
        typeInto(page, IDC_SYS_LINE_EDIT_1 + 5, "New value:");
        pressOk(sheet);
    });
    // PowerOnMode 25, AutoPowerOff 26 and 62 (300), KeyClick 27, BacklightMode 28,
    // IdleTime 29, locks 30 31 32 34, download via 60, baud rate 61, FuncToggle 63.
    EXPECT_EQ(bytesAt(25, 10), std::string("\x01\x2C\x00\x01\x07\x01\x01\x00\x00\x01", 10));
    EXPECT_EQ(bytesAt(60, 4), std::string("\x03\x02\x01\x01", 4));
    EXPECT_EQ(settingsImage().text(fld::SystemPassword), "4711");
    EXPECT_EQ(settingsImage().text(slot::promptSlot(65)).substr(0, 10), "New value:");

    // A macro frame already in the image is shown as the grid shows it.
    settingsImage().setRaw(fld::MacroFrame, reinterpret_cast<const Byte*>("\x02\x1B"), 2);
    std::string macroShown;
    configure([&](HWND sheet) {
        macroShown = dialogItemText(currentPage(sheet), IDC_SYS_MACRO_FRAME);
        pressCancel(sheet);
    });
    EXPECT_EQ(macroShown, "02 1B ");
}

}  // namespace
}  // namespace varomil::test
