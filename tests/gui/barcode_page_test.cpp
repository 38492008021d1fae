// The Barcode page, Advanced Settings and RFID Settings driven as a user would:
// reader types, boxes that wait for apply, Reset, the dialogs' corrections and
// immediate writes, then OK or Cancel of the sheet, Save and Open.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "barcode/reader_page.h"
#include "resources/barcode_ids.h"
#include "settings/factory_defaults.h"
#include "settings/key_roles.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

constexpr int kBarcodeTab = 1;

// Runs the dialogs that open while `action` runs, each by its title; a step
// posts the button that closes its dialog.
void withDialogs(const std::map<std::string, std::function<void(HWND)>>& steps,
                 const std::function<void()>& action) {
    std::vector<std::string> seen;
    DialogHook hook([&](HWND d) {
        const auto step = steps.find(windowText(d));
        if (step == steps.end()) return;
        seen.push_back(step->first);
        step->second(d);
    });
    action();
    EXPECT_EQ(seen.size(), steps.size());
}
// A dialog of the page that is only closed with `button`.
void closeDialog(HWND page, int opener, const std::string& title, int button) {
    withDialogs({{title, [button](HWND d) { post(d, button); }}},
                [&] { clickButton(page, opener); });
}

// The name a screen reader is told for the control.
std::string accessibleName(HWND page, int id) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(GetDlgItem(page, id), OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return "(no object)";
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (SUCCEEDED(object->get_accName(self, &name)) && name) {
        char buffer[256]{};
        WideCharToMultiByte(CP_ACP, 0, name, -1, buffer, sizeof buffer, nullptr, nullptr);
        text = buffer;
        SysFreeString(name);
    }
    object->Release();
    return text;
}

using BarcodePageTest = SheetTest<3>;

TEST_F(BarcodePageTest, ReaderTypeSwitchesTheListAndApplyWritesOnlyItsFamily) {
    const Companions before = companions();
    onTab(kBarcodeTab, [](HWND sheet, HWND page) {
        EXPECT_EQ(texts(page, {IDC_BC_READER_TYPE, IDC_BC_LABEL_401, IDC_BC_SYMBOLOGY_GROUP,
                               IDC_BC_CHECK_16, IDC_BC_CHECK_26}),
                  "1D Laser/CCD Reader|Scan &mode :|Barcode Parameters|EAN13  &&  UP&CA|"
                  "Ne&gative Barcode|");
        EXPECT_EQ(enabled(page, {IDC_BC_READER_TYPE, IDC_BC_AIM_DURATION}), "10");
        // Labels and "more..." buttons from the string table, as the list has them.
        auto expectList = [page](SymbologyList list, bool lastHidden) {
            for (const SymbologyEntry& e : list) {
                EXPECT_FALSE(dialogItemText(page, e.checkId).empty()) << e.checkId;
                const HWND more =
                    GetDlgItem(page, e.checkId - IDC_BC_FIRST_CHECK + IDC_BC_FIRST_MORE);
                EXPECT_EQ(IsWindowVisible(more) != 0, e.moreId != 0) << e.checkId;
                EXPECT_EQ(windowText(more), "more...");
            }
            EXPECT_EQ(IsWindowVisible(GetDlgItem(page, IDC_BC_CHECK_27)) == 0, lastHidden);
        };
        expectList(symbologyList1D(), true);
        // Every "more..." says its symbology to a screen reader.
        EXPECT_EQ(accessibleName(page, IDC_BC_MORE_1) + "|" + accessibleName(page, IDC_BC_MORE_16),
                  "Code 39 more...|EAN13  &  UPCA more...");
        EXPECT_EQ(checks(page, {IDC_BC_CHECK_1, IDC_BC_CHECK_7}), "11");  // factory on
        clickButton(page, IDC_BC_CHECK_1);
        clickButton(page, IDC_BC_CHECK_7);

        chooseItem(page, IDC_BC_READER_TYPE, 1);  // stored at once
        EXPECT_EQ(settingsImage().byte(fld::ReaderType), 1);
        EXPECT_EQ(texts(page, {IDC_BC_LABEL_401, IDC_BC_CHECK_5, IDC_BC_CHECK_27}),
                  "&LED Illumination :|EA&N13|&QR Code|");
        expectList(symbologyList2D(), false);
        EXPECT_FALSE(itemEnabled(page, IDC_BC_LIST_401));
        EXPECT_EQ(accessibleName(page, IDC_BC_MORE_1), "UPC-A more...");
        clickButton(page, IDC_BC_CHECK_5);  // EAN13 off: Bookland EAN disabled, still checked
        // "more..." opens the parameter dialog of the list on display.
        closeDialog(page, IDC_BC_MORE_12, "Code 93 Parameters", IDCANCEL);
        EXPECT_FALSE(itemEnabled(page, IDC_BC_CHECK_6));

        chooseItem(page, IDC_BC_READER_TYPE, 2);
        EXPECT_EQ(comboText(page, IDC_BC_READER_TYPE), "1D Long Range Laser");
        EXPECT_FALSE(itemEnabled(page, IDC_BC_CHECK_13));

        // Each family keeps its clicks until OK: the cleared Codabar and EAN13 are back.
        chooseItem(page, IDC_BC_READER_TYPE, 0);
        EXPECT_EQ(checks(page, {IDC_BC_CHECK_1, IDC_BC_CHECK_7}), "00");
        chooseItem(page, IDC_BC_READER_TYPE, 1);
        EXPECT_FALSE(checked(page, IDC_BC_CHECK_5));
        chooseItem(page, IDC_BC_READER_TYPE, 0);
        for (int id : {IDC_BC_CHECK_7, IDC_BC_CHECK_25, IDC_BC_CHECK_26}) clickButton(page, id);
        pressOk(sheet);  // Codabar on again, EAN128 off (code 2), Negative Barcode on
    });
    // Factory 9B .. 03: Code 39 (0.7) off, byte 11 bit 4 on, byte 22 bits 7-6 = 2.
    const auto& b = companions().reader1D;
    EXPECT_EQ(std::vector<int>({b[0], b[11], b[22]}), std::vector<int>({0x1B, 0x10, 0x83}));
    EXPECT_EQ(companions().reader2D, before.reader2D);
    EXPECT_EQ(imageBytes(fld::Reader1DBlock.offset, 23), std::string(b.begin(), b.end()));
    EXPECT_EQ(settingsImage().byte(fld::ReaderType), 0);
}

TEST_F(BarcodePageTest, LongRangeApplyClearsTwoDimensionalCodesAndNumbersAreCorrected) {
    settingsImage().setByte(fld::ReaderType, 0x06);  // long range, RFID fitted
    companions().reader2D[11] |= 0x80;
    companions().reader2D[27] |= 0x80;
    companions().reader2D[29] = 0xFF;
    companions().reader2D[30] = 0x30;  // Internal LED, aimer on, time-out 0
    onTab(kBarcodeTab, [](HWND sheet, HWND page) {
        // Shown as stored while the page is created; corrected once it is on screen.
        EXPECT_EQ(dialogItemText(page, IDC_BC_TIMEOUT), "0");
        const std::tuple<int, const char*, const char*> typed[] = {
            {IDC_BC_AIM_DURATION, "300", "255"},
            {IDC_BC_AIM_DURATION, "42", "42"},
            {IDC_BC_TIMEOUT, "0", "1"},
            {IDC_BC_TIMEOUT, "5", "5"}};
        for (const auto& [id, text, shown] : typed) {
            typeInto(page, id, text);
            EXPECT_EQ(dialogItemText(page, id), shown) << text;
        }
        clickButton(page, IDC_BC_CHECK_1);  // UPC-A off
        pressOk(sheet);
    });
    const auto& b = companions().reader2D;
    EXPECT_EQ(std::vector<int>({b[0] & 0x80, b[11] & 0x80, b[27] & 0x80}), std::vector<int>(3, 0));
    EXPECT_EQ(b[29], 0x03);  // bits 1-0 are not the page's
    EXPECT_EQ(b[30], 0x35);  // LED and aimer kept, time-out 5
    EXPECT_EQ(b[31], 42);
    EXPECT_EQ(settingsImage().byte(fld::ReaderType), 0x06);
    EXPECT_EQ(imageBytes(fld::Reader2DBlock.offset, 45), std::string(b.begin(), b.end()));
}

// An unknown reader type, and the products RFID Settings needs:
// tests/data/pages/barcode.txt.
TEST_F(BarcodePageTest, StepsLeaveTheirBytes) {
    runSheetCases("pages/barcode.txt");
}

TEST_F(BarcodePageTest, ResetGivesBackOnlyTheSwitchKeysRole) {
    SettingsImage& image = settingsImage();
    const FunctionKeyTable& keys = companions().functionKeys;
    ASSERT_TRUE(chooseRoleKey(image, keys, fld::ScanSwitchKey, KeyRole::SwitchKey, 3));
    ASSERT_TRUE(chooseRoleKey(image, keys, fld::LoginNameKey, KeyRole::NameKey, 4));
    image.setRaw(slot::binding(20), reinterpret_cast<const Byte*>("\x01\x05"), 2);  // Shift F5
    image.setByte(fld::ReaderType, 1);
    image.setByte(fld::GoodVibrator, 9);
    companions().reader1D[0] = 0;
    onTab(kBarcodeTab, [](HWND sheet, HWND page) {
        clickButton(page, IDC_BC_RESET);
        EXPECT_EQ(dialogItemText(page, IDC_BC_LABEL_401), "&LED Illumination :");
        pressOk(sheet);
    });
    EXPECT_EQ(imageBytes(slot::binding(3).offset, 3), std::string("\0\3\0", 3));
    EXPECT_EQ(imageBytes(slot::binding(20).offset, 2), "\x01\x05");
    // FN+4 keeps its role; the switch key, vibrator and reader type; the 1D block.
    EXPECT_EQ(std::vector<int>({image.byte(slot::binding(4), 0), image.byte(fld::ScanSwitchKey),
                                image.byte(fld::GoodVibrator), image.byte(fld::ReaderType),
                                companions().reader1D[0]}),
              std::vector<int>({201, 0, 0, 1, 0x9B}));
}

TEST_F(BarcodePageTest, AdvancedCorrectsOnOkKeepsShareKeyAndCancelStoresNothing) {
    settingsImage().setByte(fld::ScanControl, 2);
    onTab(kBarcodeTab, [](HWND sheet, HWND page) {
        const SettingsImage before = settingsImage();
        withDialogs({{"Advanced Settings",
                      [](HWND d) {
                          clickButton(d, IDC_ADV_CHECK_LENGTH);
                          typeInto(d, IDC_ADV_CODE_LENGTH, "9");
                          clickButton(d, IDC_ADV_ADD_PREFIX);
                          post(d, IDCANCEL);
                      }}},
                    [page] { clickButton(page, IDC_BC_ADVANCED); });
        EXPECT_EQ(settingsImage().bytes(), before.bytes());

        std::string shown;
        withDialogs({{"Advanced Settings",
                      [&shown](HWND d) {
                          // Share Key: no button chosen, the commands usable.
                          shown += checks(d, {IDC_ADV_SCAN_ALWAYS, IDC_ADV_SCAN_BY_ESC}) + " ";
                          shown += enabled(d, {IDC_ADV_SCAN_ENABLE, IDC_ADV_PARTIAL_START});
                          clickButton(d, IDC_ADV_READ_PARTIAL);
                          shown += enabled(d, {IDC_ADV_PARTIAL_START}) + " ";
                          typeInto(d, IDC_ADV_PARTIAL_START, "30");
                          typeInto(d, IDC_ADV_PARTIAL_MAX, "99");
                          shown += dialogItemText(d, IDC_ADV_PARTIAL_MAX) + " ";
                          typeInto(d, IDC_ADV_PARTIAL_MAX, "20");
                          clickButton(d, IDC_ADV_CHECK_LENGTH);
                          typeInto(d, IDC_ADV_CODE_LENGTH, "300");
                          shown += dialogItemText(d, IDC_ADV_CODE_LENGTH) + " ";
                          clickButton(d, IDC_ADV_CHECK_LEADING);
                          typeInto(d, IDC_ADV_LEADING_CODE, "ABCDEFGHIJKL");
                          typeInto(d, IDC_ADV_GOOD_VIBRATOR, "256");
                          shown += dialogItemText(d, IDC_ADV_GOOD_VIBRATOR) + " ";
                          shown += enabled(d, {IDC_ADV_LOCAL_VIBRATOR});
                          clickButton(d, IDC_ADV_FEEDBACK_BY_COMMAND);  // product 3
                          shown += enabled(d, {IDC_ADV_LOCAL_VIBRATOR});
                          post(d, IDOK);
                      }}},
                    [page] { clickButton(page, IDC_BC_ADVANCED); });
        EXPECT_EQ(shown, "00 101 99 255 0 10");
        pressOk(sheet);
    });
    // ReadPartialCode, start and maximum 20/20; CodeLength 255; ScanControl still 2.
    EXPECT_EQ(imageBytes(fld::CheckCodeLength.offset, 5), std::string("\1\xFF\1\x14\x14", 5));
    EXPECT_EQ(imageBytes(fld::LeadingCode.offset, 10), std::string("ABCDEFGHI\0", 10));
    EXPECT_EQ(settingsImage().byte(fld::ScanControl), 2);
    EXPECT_EQ(settingsImage().byte(fld::FeedbackByCommand), 1);
}

TEST_F(BarcodePageTest, ConfirmedDialogsReachTheSavedFileAndEveryFieldSurvivesOpen) {
    chooseProduct(2);
    SettingsImage& image = settingsImage();
    ASSERT_TRUE(
        chooseRoleKey(image, companions().functionKeys, fld::LoginNameKey, KeyRole::NameKey, 3));
    const std::string file = scratchPath("barcode.NET");
    std::vector<MessageBoxCall> boxes;
    onTab(kBarcodeTab, [&boxes](HWND sheet, HWND page) {
        withDialogs({{"Interleave 25 Parameters",
                      [](HWND d) {
                          clickButton(d, 605);  // Max / Min Length
                          typeInto(d, 201, "10");
                          typeInto(d, 202, "20");
                          post(d, IDOK);
                      }}},
                    [page] { clickButton(page, IDC_BC_MORE_5); });
        HWND rfid = nullptr;
        withDialogs({{"RFID Settings",
                      [&rfid, &boxes](HWND d) {
                          rfid = d;
                          // Factory Hybrid: the switch key is not the user's to choose.
                          EXPECT_FALSE(itemEnabled(d, IDC_RFID_SWITCH_KEY));
                          clickButton(d, IDC_RFID_TOGGLE);
                          // Before the switch key, which must not take the choice back.
                          clickButton(d, IDC_RFID_BY_ESC);
                          ScriptedMessageBoxes answers;
                          answers.answer(IDOK);
                          chooseItem(d, IDC_RFID_SWITCH_KEY, 3);  // FN+3 is the Name Key
                          boxes = answers.calls();
                          EXPECT_EQ(comboText(d, IDC_RFID_SWITCH_KEY), "Disable");
                          chooseItem(d, IDC_RFID_SWITCH_KEY, 2);
                          EXPECT_EQ(settingsImage().byte(fld::ScanSwitchKey), 2);  // at once
                          clickButton(d, IDC_RFID_READ_DATA);
                          typeInto(d, IDC_RFID_DATA_START, "300");
                          typeInto(d, IDC_RFID_DATA_MAX, "65280");
                          typeInto(d, IDC_RFID_REREAD_DELAY, "0");
                          EXPECT_EQ(texts(d, {IDC_RFID_DATA_MAX, IDC_RFID_REREAD_DELAY}), "0|1|");
                          clickButton(d, IDC_RFID_USE_DELIMITER);
                          postClick(d, IDC_RFID_DELIMITER);
                      }},
                     {"The Grid Control",
                      [&rfid](HWND grid) {
                          clickCell(grid, ';', GridMode::KeyNames);
                          post(grid, IDOK);
                          post(rfid, IDOK);  // after the grid's OK, so that it sees the value
                      }}},
                    [page] { clickButton(page, IDC_BC_RFID_SETTINGS); });
        pressOk(sheet);
    });
    ASSERT_EQ(boxes.size(), 1u);
    expectBox(boxes[0], "The function key is defined already !! ", "Function Key Mapping",
              MB_ICONWARNING, MB_ICONMASK);

    answering({}, {file}, [] { sendCommand(cmd::SaveAs); });
    const std::string bytes = fileBytes(file);
    ASSERT_GE(bytes.size(), 59659u);
    // Read UID, Read Data, Use Delimiter; start 300 (01 2C); maximum 0; ';'; delay 1;
    // Toggle, Continuous, By ESC Command.
    EXPECT_EQ(bytes.substr(fld::RfidSettings.offset, 13),
              std::string("\1\1\1\x01\x2C\0\0;\0\1\0\1\1", 13));
    EXPECT_EQ(bytes.substr(fld::ScanSwitchKey.offset, 1), "\2");
    EXPECT_EQ(bytes.substr(fld::Reader1DBlock.offset + 14, 2), "\x94\x0A");  // max 20 first
    EXPECT_EQ(bytes.substr(slot::binding(2).offset, 3), std::string("\xCD\0\0", 3));
    EXPECT_EQ(bytes.substr(slot::binding(3).offset, 1), "\xC9");

    // Every barcode field comes back from the file.
    const SettingsImage saved = settingsImage();
    chooseProduct(3);
    answering({}, {file}, [] { sendCommand(cmd::Open); });
    DeleteFileA(file.c_str());
    const Field regions[] = {{fld::Reader1DBlock.offset, 93}, {4497, 48}, {58659, 113}};
    for (const Field& f : regions) {
        EXPECT_EQ(imageBytes(f.offset, f.width),
                  std::string(saved.bytes().begin() + f.offset, saved.bytes().begin() + f.end()))
            << f.offset;
    }
}

TEST_F(BarcodePageTest, SwitchKeyIsReleasedWhenHybridForcesItAndCancelOfTheSheetTakesAllBack) {
    chooseProduct(2);
    const SettingsImage atStart = settingsImage();
    onTab(kBarcodeTab, [&atStart](HWND sheet, HWND page) {
        // Toggle, FN+4, then Cancel: the choice stays (made at once).
        withDialogs({{"RFID Settings",
                      [](HWND d) {
                          clickButton(d, IDC_RFID_TOGGLE);
                          chooseItem(d, IDC_RFID_SWITCH_KEY, 4);
                          post(d, IDCANCEL);
                      }}},
                    [page] { clickButton(page, IDC_BC_RFID_SETTINGS); });
        EXPECT_EQ(settingsImage().byte(fld::ScanSwitchKey), 4);
        EXPECT_EQ(settingsImage().byte(slot::binding(4), 0), 205);
        // Hybrid is still stored: reopening releases FN+4 before disabling it.
        closeDialog(page, IDC_BC_RFID_SETTINGS, "RFID Settings", IDCANCEL);
        EXPECT_EQ(settingsImage().byte(fld::ScanSwitchKey), 0);
        EXPECT_EQ(imageBytes(slot::binding(4).offset, 3), std::string("\0\4\0", 3));
        // Confirmed changes of the sheet, key roles included, are taken back by its Cancel.
        withDialogs({{"RFID Settings",
                      [](HWND d) {
                          clickButton(d, IDC_RFID_TOGGLE);
                          chooseItem(d, IDC_RFID_SWITCH_KEY, 6);
                          post(d, IDOK);
                      }},
                     {"Advanced Settings",
                      [](HWND d) {
                          clickButton(d, IDC_ADV_AUTO_ENTER);
                          post(d, IDOK);
                      }}},
                    [page] {
                        clickButton(page, IDC_BC_RFID_SETTINGS);
                        clickButton(page, IDC_BC_ADVANCED);
                    });
        EXPECT_EQ(settingsImage().byte(slot::binding(6), 0), 205);
        EXPECT_NE(settingsImage().bytes(), atStart.bytes());
        pressCancel(sheet);
    });
    EXPECT_EQ(settingsImage().bytes(), atStart.bytes());
}

}  // namespace
}  // namespace varomil::test
