// The settings sheet as Configure, New and Open run it: tabs, buttons, and the
// order in which pages keep or undo edits and mark the settings modified.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "app/document.h"
#include "app/main_window_win.h"
#include "resources/settings_page_ids.h"
#include "settings/settings_image.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

using SettingsSheetTest = FreshWindowTest<2>;

TEST_F(SettingsSheetTest, ShowsFiveTabsInOrderWithOkAndCancelOnly) {
    std::string seen;
    configure([&](HWND sheet) {
        seen = windowText(sheet) + ":";
        HWND tab = PropSheet_GetTabControl(sheet);
        for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
            char text[64] = "";
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
            seen += std::string(text) + "|";
        }
        // Buttons shown (Apply 0x3021 and Help 9 are not), the owner, the first page.
        for (int id : {IDOK, IDCANCEL, 0x3021, 0x0009}) {
            HWND button = GetDlgItem(sheet, id);
            if (button != nullptr && IsWindowVisible(button)) seen += windowText(button) + "|";
        }
        seen += GetWindow(sheet, GW_OWNER) == frame ? "owned|" : "unowned|";
        seen += std::to_string(PropSheet_HwndToIndex(sheet, currentPage(sheet)));
        pressCancel(sheet);
    });
    EXPECT_EQ(seen, "Settings:System|Barcode|Wireless LAN|Emulation|Screen|OK|Cancel|owned|0");
}

TEST_F(SettingsSheetTest, OkWithoutChangesMarksTheSettingsModifiedAndCancelLeavesTheMark) {
    std::string marks = std::to_string(document().SettingsModified);
    configure(pressCancel);
    marks += std::to_string(document().SettingsModified);
    TreeView_DeleteAllItems(mainWindow().tree);
    configure(pressOk);
    marks += std::to_string(document().SettingsModified);
    EXPECT_GT(TreeView_GetCount(mainWindow().tree), 0u);
    configure(pressCancel);  // Cancel keeps changes announced before the sheet opened
    EXPECT_EQ(marks + std::to_string(document().SettingsModified), "0011");
}

TEST_F(SettingsSheetTest, CancelOnTheFirstPageOrTheBarcodeTabRestoresTheOpeningState) {
    const SettingsImage before = settingsImage();
    const auto reader = companions().reader1D;
    const std::function<void(HWND)> edits[] = {
        [](HWND sheet) {  // edits on two tabs, then back to the first
            typeInto(currentPage(sheet), IDC_SYS_AUTO_POWER_OFF, "300");
            showTab(sheet, 3);
            settingsImage().setByte(fld::CursorTracking, 0);  // an Emulation edit
            companions().functionKeys.setEntry(0, 1, {'Q', 0, 0, 0, 0});
            showTab(sheet, 0);
        },
        [](HWND sheet) {
            clickButton(currentPage(sheet), IDC_SYS_KEY_CLICK);
            showTab(sheet, 1);
            settingsImage().setByte(fld::GoodBeep, 0);  // as its Reset would
            companions().reader1D[0] = 0x11;
        },
    };
    for (const auto& edit : edits) {
        configure([&](HWND sheet) {
            edit(sheet);
            pressCancel(sheet);
        });
        EXPECT_TRUE(settingsImage().bytes() == before.bytes());
        EXPECT_TRUE(companions().reader1D == reader && !document().SettingsModified);
        EXPECT_EQ(companions().functionKeys.entry(0, 1)[0], 0x1B) << "F1 again";
    }
}

TEST_F(SettingsSheetTest, CancelOnALaterPageKeepsEarlierEditsAndAnnouncesThem) {
    TreeView_DeleteAllItems(mainWindow().tree);
    configure([](HWND sheet) {
        typeInto(currentPage(sheet), IDC_SYS_AUTO_POWER_OFF, "300");
        showTab(sheet, 3);  // Emulation: created now, with the System edit in its snapshot
        settingsImage().setByte(fld::CursorTracking, 0);
        pressCancel(sheet);
    });
    EXPECT_EQ(std::make_tuple(settingsImage().byte(fld::AutoPowerOffLow),
                              settingsImage().byte(fld::AutoPowerOffHigh),
                              settingsImage().byte(fld::CursorTracking)),
              std::make_tuple(44, 1, 1));
    EXPECT_TRUE(document().SettingsModified) << "the kept edit must be saved at Exit";
    EXPECT_EQ(TreeView_GetCount(mainWindow().tree), 0u) << "no rebuild after Cancel";
}

}  // namespace
}  // namespace varomil::test
