// The grid editor opened by a click on a grid-enabled edit: cells are clicked
// in the chart, OK or Cancel closes it; stored bytes and shown texts are checked.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_win.h"
#include "pages/grid_editor_win.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

// Opens the grid on `edit`, clicks `codes`, then presses `button` (or Clear first);
// true if the edit being edited was painted blue meanwhile.
bool runGrid(HWND edit, GridMode mode, const std::vector<int>& codes, int button,
             bool clearFirst = false) {
    bool blue = false;
    int grids = 0;
    DialogHook hook([&](HWND dialog) {
        // The settings sheet is activated again when the grid closes: not ours.
        if (windowText(dialog) != "The Grid Control") return;
        ++grids;
        if (clearFirst) SendMessageA(dialog, WM_COMMAND, IDC_GRID_CLEAR, 0);
        for (int code : codes) clickCell(dialog, code, mode);
        UpdateWindow(edit);
        HDC dc = GetDC(edit);
        RECT r{};
        GetClientRect(edit, &r);
        blue = GetPixel(dc, r.right / 2, r.bottom / 2) == RGB(0, 0, 255);
        ReleaseDC(edit, dc);
        post(dialog, button);
    });
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_EQ(grids, 1);
    return blue;
}

class GridEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        edit = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 200, 22,
                             mainWindow().frame, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(edit, nullptr);
    }
    void TearDown() override { DestroyWindow(edit); }
    void target(GridMode mode, std::size_t capacity, GridLength rule, std::size_t storageSize = 0) {
        enableGrid(edit,
                   {storage.data(), storageSize ? storageSize : capacity, capacity, mode, rule});
        SetWindowTextA(edit, gridTextOf({storage.data(), capacity, capacity, mode, rule}).c_str());
    }
    HWND edit = nullptr;
    std::array<Byte, 64> storage{};
};

TEST_F(GridEditorTest, KeyNameAndHexClicksGiveNamesAndBytes) {
    storage.fill(0xEE);
    storage[0] = 0;
    target(GridMode::KeyNames, 9, GridLength::UpToZero);
    EXPECT_TRUE(runGrid(edit, GridMode::KeyNames, {0x41, 0x0D, 0x1B}, IDOK));
    EXPECT_EQ(windowText(edit), "A Enter ESC ");
    EXPECT_EQ(std::vector<Byte>(storage.begin(), storage.begin() + 10),
              (std::vector<Byte>{0x41, 0x0D, 0x1B, 0, 0, 0, 0, 0, 0, 0xEE}));

    storage.fill(0);
    target(GridMode::Hex, 10, GridLength::TrailingPairs);
    runGrid(edit, GridMode::Hex, {0x41, 0x00, 0x0D, 0x1B}, IDOK);
    EXPECT_EQ(windowText(edit), "41 00 0D 1B ");
    EXPECT_EQ(std::vector<Byte>(storage.begin(), storage.begin() + 5),
              (std::vector<Byte>{0x41, 0, 0x0D, 0x1B, 0}));
}

// The chart has the focus when the grid opens; arrows move the selected cell,
// Space takes its code, Backspace takes the last one off, and Enter presses OK
// without taking the code again.
HWND keyedGrid = nullptr;
bool chartHadFocus = false;

// Runs once the grid's own loop runs (the dialog is active by then): notes the
// focus, then types the keys and presses OK.
void CALLBACK typeIntoChart(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND chart = GetDlgItem(keyedGrid, IDC_GRID_CHART);
    chartHadFocus = GetFocus() == chart;
    const WPARAM keys[] = {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN,  VK_SPACE, VK_LEFT,
                           VK_LEFT,  VK_LEFT,  VK_LEFT,  VK_LEFT,  VK_UP,    VK_UP,    VK_SPACE,
                           VK_BACK,  VK_DOWN,  VK_DOWN,  VK_SPACE, VK_RETURN};
    for (WPARAM k : keys) PostMessageA(chart, WM_KEYDOWN, k, 1);
    post(keyedGrid, IDCANCEL);  // only if Enter left the dialog open
}

TEST_F(GridEditorTest, TheChartWorksWithKeysAlone) {
    storage.fill(0);
    target(GridMode::Hex, 4, GridLength::TrailingPairs);
    DialogHook hook([&](HWND dialog) {
        if (windowText(dialog) != "The Grid Control") return;
        keyedGrid = dialog;
        SetTimer(nullptr, 0, 0, typeIntoChart);
    });
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_TRUE(chartHadFocus);
    EXPECT_EQ(windowText(edit), "41 02 ");
    EXPECT_EQ(storage[1], 0x02);
}

TEST_F(GridEditorTest, CapacityOneRefusesASecondClickWithAWarning) {
    // A one-character delimiter lives in a two-byte buffer: the character and its 0.
    std::array<Byte, 2> delimiter{0x00, 0x55};
    enableGrid(edit, {delimiter.data(), 2, 1, GridMode::KeyNames, GridLength::OneIfNonZero});
    ScriptedMessageBoxes boxes;
    boxes.answer(IDOK);
    runGrid(edit, GridMode::KeyNames, {0x2C, 0x42}, IDOK);
    ASSERT_EQ(boxes.calls().size(), 1u);
    expectBox(boxes.calls()[0], "Too many characters !!!", "The Grid Control", MB_ICONWARNING,
              MB_ICONMASK);
    EXPECT_EQ(windowText(edit), ", ");
    EXPECT_EQ(delimiter, (std::array<Byte, 2>{0x2C, 0}));
}

TEST_F(GridEditorTest, SevenBitChartHasEightColumnsButShowsHighStoredBytes) {
    storage = {};
    storage[0] = 0xC8;
    storage[1] = 0x20;
    target(GridMode::KeyNames7Bit, 5, GridLength::UpToZero);
    EXPECT_EQ(windowText(edit), "200 SP ");
    // A click right of column "70" (where 0x81 would be) is beyond the chart.
    runGrid(edit, GridMode::KeyNames7Bit, {0x81, 0x7F}, IDOK);
    EXPECT_EQ(windowText(edit), "200 SP DEL ");
    EXPECT_EQ(storage[2], 0x7F);
}

TEST_F(GridEditorTest, ClearThenOkEmptiesAndCancelRestores) {
    storage = {};
    storage[0] = 0x31;
    target(GridMode::Hex, 10, GridLength::UpToZero);
    runGrid(edit, GridMode::Hex, {0x40, 0x41}, IDCANCEL);
    EXPECT_EQ(windowText(edit) + "|" + std::to_string(storage[0]) + std::to_string(storage[1]),
              "31 |490");
    runGrid(edit, GridMode::Hex, {}, IDOK, true);
    EXPECT_EQ(windowText(edit) + "|" + std::to_string(storage[0]), "|0");

    // A zero in the middle ends a key name value, and OK stores it so.
    storage = {};
    storage[0] = 'A';
    storage[2] = 'B';
    target(GridMode::KeyNames, 9, GridLength::UpToZero);
    EXPECT_EQ(windowText(edit), "A ");
    runGrid(edit, GridMode::KeyNames, {}, IDOK);
    EXPECT_EQ(std::make_pair(storage[0], storage[2]), std::make_pair(Byte{'A'}, Byte{0}));

    // WEP keys load their whole capacity.
    storage = {};
    storage[4] = 0xAB;
    target(GridMode::Hex, 5, GridLength::Capacity);
    EXPECT_EQ(windowText(edit), "00 00 00 00 AB ");
}

TEST_F(GridEditorTest, TheMacroFrameIsEnteredThroughTheGridOnTheSystemPage) {
    chooseProduct(2);
    configure([](HWND sheet) {
        HWND page = currentPage(sheet);
        HWND macro = GetDlgItem(page, IDC_SYS_MACRO_FRAME);
        runGrid(macro, GridMode::Hex, {0x02, 0x00, 0x03}, IDOK);
        EXPECT_EQ(windowText(macro), "02 00 03 ");
        EXPECT_EQ(imageBytes(fld::MacroFrame.offset, 10),
                  std::string("\x02\x00\x03\0\0\0\0\0\0\0", 10));
        clickButton(page, IDC_SYS_RESET);  // Reset clears it, and the grid still opens
        EXPECT_EQ(windowText(macro), "");
        runGrid(macro, GridMode::Hex, {0x7E}, IDOK);
        pressOk(sheet);
    });
    EXPECT_EQ(settingsImage().codes(fld::MacroFrame), "\x7E");
}

}  // namespace
}  // namespace varomil::test
