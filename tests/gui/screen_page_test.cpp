// The Screen page driven as a user would: loading a capture through its open
// dialog, paging, editing lines, deleting a page, Reset, then OK and Save or Cancel.
#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/document.h"
#include "resources/screen_ids.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

constexpr int kScreenTab = 4;

struct Text {
    int row;
    int column;
    const char* text;
};
using Screen = std::vector<Text>;

// A screen record: blank rows 0..23 with the texts, zero row 24 and prefix.
std::string block(const Screen& s) {
    std::string b(80, '\0');
    b += std::string(24 * 80, ' ') + std::string(80, '\0');
    for (const Text& t : s) b.replace(80 + 80 * t.row + t.column, strlen(t.text), t.text);
    return b;
}

// A host-screen file of blank screens with the given texts.
std::string captureFile(const std::string& name, const std::vector<Screen>& screens) {
    std::string bytes = std::string("V100") + std::string(16, '\0');
    for (const Screen& s : screens) bytes += block(s);
    const std::string path = scratchPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The first host screen looks like rich text, which the preview must not read as such.
const std::vector<Screen> kThree{{{0, 0, "{\\rtf1 SIGN ON}"}, {2, 2, "A"}},
                                 {{0, 0, "MENU\x1b"}, {2, 2, "B"}, {22, 79, "Z"}},
                                 {{0, 0, "{\\rtf1 SIGN ON}"}, {2, 2, "A"}},  // a copy of the first
                                 {{0, 0, "ITEM"}, {2, 2, "C"}}};

std::string screenSlot(std::size_t p) {
    const CapturedScreenBlock& b = companions().capturedScreens[p];
    return std::string(b.begin(), b.end());
}

void load(HWND page, const std::string& path) {
    answering({}, {path}, [&] { clickButton(page, IDC_SCR_LOAD); });
}

class ScreenPageTest : public SheetTest<2> {
  protected:
    void SetUp() override {
        SheetTest<2>::SetUp();
        three = captureFile("three.scr", kThree);
    }
    std::string three;
};

TEST_F(ScreenPageTest, LoadShowsThePagesAndTheirPreview) {
    onTab(kScreenTab, [&](HWND sheet, HWND page) {
        EXPECT_EQ(texts(page, {IDC_SCR_TOTAL_PAGES, IDC_SCR_CARET}), "0|(0, 0)|");
        EXPECT_EQ(enabled(page, {IDC_SCR_FIRST_PAGE, IDC_SCR_LAST_PAGE, IDC_SCR_DELETE}), "000");

        const Asked asked = answering({}, {three}, [&] { clickButton(page, IDC_SCR_LOAD); });
        ASSERT_EQ(asked.files.size(), 1u);
        EXPECT_EQ(asked.files[0].filter, std::string("Host Session Screens (*.SCR)\0*.SCR\0", 35));
        const DWORD flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        EXPECT_EQ(asked.files[0].flags & flags, flags);
        EXPECT_TRUE(asked.boxes.empty());
        EXPECT_EQ(texts(page, {IDC_SCR_TOTAL_PAGES, IDC_SCR_CURRENT_PAGE, IDC_SCR_REFORMAT_PAGE,
                               IDC_SCR_CARET}),
                  "3|1|1|(1, 1)|");
        EXPECT_EQ(enabled(page, {IDC_SCR_FIRST_PAGE, IDC_SCR_PREVIOUS_PAGE, IDC_SCR_NEXT_PAGE,
                                 IDC_SCR_LAST_PAGE, IDC_SCR_DELETE}),
                  "00111");
        EXPECT_EQ(settingsImage().byte(fld::ScreensPresent), 1);

        HWND preview = GetDlgItem(page, IDC_SCR_PREVIEW);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(windowText(preview).substr(0, 17), "{\\rtf1 SIGN ON}  ");
        clickButton(page, IDC_SCR_LAST_PAGE);
        EXPECT_EQ(dialogItemText(page, IDC_SCR_CURRENT_PAGE), "3");
        EXPECT_EQ(enabled(page, {IDC_SCR_FIRST_PAGE, IDC_SCR_PREVIOUS_PAGE, IDC_SCR_NEXT_PAGE,
                                 IDC_SCR_LAST_PAGE}),
                  "1100");
        clickButton(page, IDC_SCR_PREVIOUS_PAGE);
        // The preview: rows 0..22 of the page's screen, 80 characters each.
        const std::string shown = windowText(preview);
        EXPECT_EQ(shown.substr(0, 82), "MENU" + std::string(76, ' ') + "\r\n");  // ESC as a blank
        EXPECT_EQ(shown.substr(2 * 82, 4), "  B ");
        EXPECT_EQ(shown.find('Z'), std::string::npos);  // row 22 is shown, row 23 is not
        // The caret's row and column, counted as the preview counts its lines.
        SendMessageA(preview, EM_SETSEL, 2 * 82 + 2, 2 * 82 + 2);
        EXPECT_EQ(dialogItemText(page, IDC_SCR_CARET), "(3, 3)");

        // A capture that no try separates, a header-only file and Cancel change nothing.
        const std::string hopeless = captureFile("hopeless.scr", {{{0, 0, "X"}}, {{0, 0, "Y"}}});
        const Asked refused =
            answering({IDOK}, {hopeless}, [&] { clickButton(page, IDC_SCR_LOAD); });
        ASSERT_EQ(refused.boxes.size(), 1u);
        expectBox(refused.boxes[0],
                  "Can not find enough characteristics to differentiate the host screens.",
                  "Screen", MB_ICONWARNING);
        load(page, captureFile("empty.scr", {}));
        load(page, "");
        EXPECT_EQ(texts(page, {IDC_SCR_TOTAL_PAGES, IDC_SCR_CURRENT_PAGE}), "3|2|");
        EXPECT_EQ(screenSlot(2), block(kThree[3]));
        pressOk(sheet);
    });
}

// Line edits and layouts on three.scr: tests/data/pages/screen.txt.
TEST_F(ScreenPageTest, LinesFollowTheLayoutAndTheirRules) {
    runSheetCases("pages/screen.txt");
}

TEST_F(ScreenPageTest, DeleteAsksFirstAndResetClearsEveryPage) {
    onTab(kScreenTab, [&](HWND sheet, HWND page) {
        load(page, three);
        clickButton(page, IDC_SCR_NEXT_PAGE);
        const Asked no = answering({IDNO}, {}, [&] { clickButton(page, IDC_SCR_DELETE); });
        ASSERT_EQ(no.boxes.size(), 1u);
        expectBox(no.boxes[0], "Are you sure to delete this page ?", "Screen",
                  MB_YESNO | MB_ICONWARNING);
        EXPECT_EQ(dialogItemText(page, IDC_SCR_TOTAL_PAGES), "3");
        answering({IDYES}, {}, [&] { clickButton(page, IDC_SCR_DELETE); });
        EXPECT_EQ(texts(page, {IDC_SCR_TOTAL_PAGES, IDC_SCR_CURRENT_PAGE}), "2|1|");
        EXPECT_EQ(settingsImage().byte(fld::ScreensPresent), 2);
        EXPECT_EQ(screenSlot(1), block(kThree[3]));

        // 51 different screens: the first 50 become pages.
        std::vector<std::string> marks;
        for (int i = 0; i < 51; ++i) marks.push_back(std::string(1, static_cast<char>('0' + i)));
        std::vector<Screen> many;
        for (const std::string& m : marks) many.push_back({{2, 2, m.c_str()}});
        const Asked full = answering({IDOK}, {captureFile("many.scr", many)},
                                     [&] { clickButton(page, IDC_SCR_LOAD); });
        ASSERT_EQ(full.boxes.size(), 1u);
        expectBox(full.boxes[0], " Screen buffer full !! \r\n Accept at most 50 screens. ",
                  "Screen", MB_ICONWARNING);
        EXPECT_EQ(dialogItemText(page, IDC_SCR_TOTAL_PAGES), "50");

        clickButton(page, IDC_SCR_RESET);
        EXPECT_EQ(texts(page, {IDC_SCR_TOTAL_PAGES, IDC_SCR_CARET}), "0|(0, 0)|");
        EXPECT_FALSE(itemEnabled(page, IDC_SCR_DELETE));
        EXPECT_EQ(settingsImage().byte(fld::PageCount), 0);
        EXPECT_EQ(screenSlot(0), std::string(2080, '\0'));
        pressOk(sheet);
    });
}

TEST_F(ScreenPageTest, OkThenSaveWritesThePagesAndCancelRestoresThem) {
    chooseProduct(3);  // one layout for all pages
    settingsImage().fill(slot::lineText(0, 0), 'x');
    onTab(kScreenTab, [&](HWND sheet, HWND page) {
        EXPECT_FALSE(itemEnabled(page, IDC_SCR_LAYOUT));
        EXPECT_EQ(comboText(page, IDC_SCR_LAYOUT), "40 characters * 16 lines");
        load(page, three);
        typeInto(page, IDC_SCR_LINE_TEXT_1, "Qty");
        pressOk(sheet);
    });
    const std::string path = scratchPath("pages.NET");
    DeleteFileA(path.c_str());
    answering({}, {path}, [] { sendCommand(cmd::SaveAs); });
    const std::string bytes = fileBytes(path);
    ASSERT_EQ(bytes.size(), 163659u);
    EXPECT_EQ(bytes.substr(4965, 2), std::string("\x01\x03", 2));
    EXPECT_EQ(bytes.substr(5017, 41), "Qty" + std::string(38, '\0'));  // zero-filled on OK
    for (std::size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(bytes.substr(59659 + 2080 * p, 2080), block(kThree[p < 2 ? p : 3])) << p;
    }
    EXPECT_EQ(bytes.substr(59659 + 2080 * 3, 2080), std::string(2080, '\0'));
    for (std::size_t k = 0; k < 20; ++k) {  // the first diagonal told the screens apart
        EXPECT_EQ(bytes[56418 + k], static_cast<char>(2 + k));
        EXPECT_EQ(bytes[56438 + k], static_cast<char>(2 + k));
    }

    const auto image = std::make_unique<SettingsImage>(settingsImage());
    const auto screens = std::make_unique<Companions>(companions());
    onTab(kScreenTab, [&](HWND sheet, HWND page) {
        answering({IDYES}, {}, [&] { clickButton(page, IDC_SCR_DELETE); });
        typeInto(page, IDC_SCR_LINE_TEXT_1, "gone");
        load(page, captureFile("other.scr", {{{2, 2, "Q"}}}));
        EXPECT_EQ(dialogItemText(page, IDC_SCR_TOTAL_PAGES), "1");
        pressCancel(sheet);
    });
    EXPECT_EQ(settingsImage().bytes(), image->bytes());
    EXPECT_EQ(companions().capturedScreens, screens->capturedScreens);
}

}  // namespace
}  // namespace varomil::test
