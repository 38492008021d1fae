// The Barcode page, Advanced Settings and RFID Settings driven as a user would:
// reader types, boxes that wait for apply, Reset, the dialogs' corrections and
// immediate writes, then OK or Cancel of the sheet, Save and Open.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "barcode/reader_page.h"
#include "pages/grid_value.h"
#include "resources/barcode_ids.h"
#include "resources/settings_page_ids.h"
#include "settings/factory_defaults.h"
#include "settings/key_roles.h"
#include "settings/settings_image.h"
#include "tests/gui/sheet_test_support.h"

namespace varomil::test {
namespace {

constexpr int kBarcodeTab = 1;

std::string imageBytes(std::size_t offset, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(settingsImage().bytes().data()) + offset, n);
}

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

// The name a screen reader is told for the control.
std::string accessibleName(HWND control) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
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

void post(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
}

// In the grid, clicks the chart cell of `code` and confirms; then closes `owner`.
std::function<void(HWND)> gridChoosing(int code, HWND& owner) {
    return [code, &owner](HWND grid) {
        HWND chart = GetDlgItem(grid, IDC_GRID_CHART);
        RECT r{};
        GetClientRect(chart, &r);
        const GridChart c = gridChart(GridMode::KeyNames, r.right, r.bottom);
        SendMessageA(chart, WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM((code / 16 + 1) * c.cellWidth + c.cellWidth / 2,
                                (code % 16 + 1) * c.cellHeight + c.cellHeight / 2));
        post(grid, IDOK);
        post(owner, IDOK);  // after the grid's OK, so that it sees the grid's value
    };
}

class BarcodePageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        chooseProduct(3);
    }
    // Configure on the Barcode tab.
    static void onBarcodeTab(const std::function<void(HWND sheet, HWND page)>& steps) {
        configure([&](HWND sheet) {
            showTab(sheet, kBarcodeTab);
            steps(sheet, currentPage(sheet));
        });
    }
};

TEST_F(BarcodePageTest, ReaderTypeSwitchesTheListAndApplyWritesOnlyItsFamily) {
    const Companions before = companions();
    onBarcodeTab([](HWND sheet, HWND page) {
        EXPECT_EQ(comboText(page, IDC_BC_READER_TYPE), "1D Laser/CCD Reader");
        EXPECT_TRUE(itemEnabled(page, IDC_BC_READER_TYPE));
        EXPECT_EQ(dialogItemText(page, IDC_BC_LABEL_401), "Scan &mode :");
        EXPECT_EQ(dialogItemText(page, IDC_BC_SYMBOLOGY_GROUP), "Barcode Parameters");
        // Labels and "more..." buttons from the string table, as the list has them.
        auto expectList = [page](SymbologyList list, int hiddenBox) {
            for (const SymbologyEntry& e : list) {
                EXPECT_FALSE(dialogItemText(page, e.checkId).empty()) << e.checkId;
                const HWND more =
                    GetDlgItem(page, e.checkId - IDC_BC_FIRST_CHECK + IDC_BC_FIRST_MORE);
                EXPECT_EQ(IsWindowVisible(more) != 0, e.moreId != 0) << e.checkId;
                EXPECT_EQ(windowText(more), "more...");
            }
            if (hiddenBox) {
                EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, hiddenBox)));
            }
        };
        expectList(symbologyList1D(), 327);
        EXPECT_EQ(dialogItemText(page, IDC_BC_CHECK_16), "EAN13  &&  UP&CA");
        EXPECT_EQ(dialogItemText(page, IDC_BC_CHECK_26), "Ne&gative Barcode");
        EXPECT_FALSE(itemEnabled(page, IDC_BC_AIM_DURATION));
        // Every "more..." says its symbology to a screen reader.
        EXPECT_EQ(accessibleName(GetDlgItem(page, IDC_BC_MORE_1)), "Code 39 more...");
        EXPECT_EQ(accessibleName(GetDlgItem(page, IDC_BC_MORE_16)), "EAN13  &  UPCA more...");
        EXPECT_TRUE(checked(page, IDC_BC_CHECK_1));  // Code 39, factory on
        EXPECT_TRUE(checked(page, IDC_BC_CHECK_7));  // Codabar
        clickButton(page, IDC_BC_CHECK_1);
        clickButton(page, IDC_BC_CHECK_7);
        EXPECT_FALSE(checked(page, IDC_BC_CHECK_1));

        chooseItem(page, IDC_BC_READER_TYPE, 1);  // stored at once
        EXPECT_EQ(settingsImage().byte(fld::ReaderType), 1);
        EXPECT_EQ(dialogItemText(page, IDC_BC_LABEL_401), "&LED Illumination :");
        expectList(symbologyList2D(), 0);
        EXPECT_EQ(dialogItemText(page, IDC_BC_CHECK_5), "EA&N13");
        EXPECT_EQ(dialogItemText(page, IDC_BC_CHECK_27), "&QR Code");
        EXPECT_FALSE(itemEnabled(page, IDC_BC_LIST_401));
        EXPECT_EQ(accessibleName(GetDlgItem(page, IDC_BC_MORE_1)), "UPC-A more...");
        clickButton(page, IDC_BC_CHECK_5);  // EAN13 off: Bookland EAN disabled, still checked
        // "more..." opens the parameter dialog of the list on display.
        withDialogs({{"Code 93 Parameters", [](HWND d) { post(d, IDCANCEL); }}},
                    [page] { clickButton(page, IDC_BC_MORE_12); });
        EXPECT_FALSE(itemEnabled(page, IDC_BC_CHECK_6));

        chooseItem(page, IDC_BC_READER_TYPE, 2);
        EXPECT_EQ(comboText(page, IDC_BC_READER_TYPE), "1D Long Range Laser");
        EXPECT_FALSE(itemEnabled(page, IDC_BC_CHECK_13));

        // Each family keeps its clicks until OK: the cleared Codabar and EAN13 are back.
        chooseItem(page, IDC_BC_READER_TYPE, 0);
        EXPECT_FALSE(checked(page, IDC_BC_CHECK_1));
        EXPECT_FALSE(checked(page, IDC_BC_CHECK_7));
        chooseItem(page, IDC_BC_READER_TYPE, 1);
        EXPECT_FALSE(checked(page, IDC_BC_CHECK_5));
        chooseItem(page, IDC_BC_READER_TYPE, 0);
        clickButton(page, IDC_BC_CHECK_7);   // Codabar on again
        clickButton(page, IDC_BC_CHECK_25);  // EAN128 off: code 2
        clickButton(page, IDC_BC_CHECK_26);  // Negative Barcode on
        pressOk(sheet);
    });
    // Factory 9B .. 03: Code 39 (0.7) off, byte 11 bit 4 on, byte 22 bits 7-6 = 2.
    EXPECT_EQ(companions().reader1D[0], 0x1B);
    EXPECT_EQ(companions().reader1D[11], 0x10);
    EXPECT_EQ(companions().reader1D[22], 0x83);
    EXPECT_EQ(companions().reader2D, before.reader2D);
    EXPECT_EQ(imageBytes(fld::Reader1DBlock.offset, 23),
              std::string(companions().reader1D.begin(), companions().reader1D.end()));
    EXPECT_EQ(settingsImage().byte(fld::ReaderType), 0);
}

TEST_F(BarcodePageTest, LongRangeApplyClearsTwoDimensionalCodesAndNumbersAreCorrected) {
    settingsImage().setByte(fld::ReaderType, 0x06);  // long range, RFID fitted
    companions().reader2D[11] |= 0x80;
    companions().reader2D[27] |= 0x80;
    companions().reader2D[29] = 0xFF;
    companions().reader2D[30] = 0x30;  // Internal LED, aimer on, time-out 0
    onBarcodeTab([](HWND sheet, HWND page) {
        // Shown as stored while the page is created; corrected once it is on screen.
        EXPECT_EQ(dialogItemText(page, IDC_BC_TIMEOUT), "0");
        const std::pair<const char*, const char*> typed[] = {
            {"300", "255"}, {"abc", "0"}, {"007", "7"}, {"42", "42"}};
        for (const auto& [text, shown] : typed) {
            typeInto(page, IDC_BC_AIM_DURATION, text);
            EXPECT_EQ(dialogItemText(page, IDC_BC_AIM_DURATION), shown) << text;
        }
        typeInto(page, IDC_BC_TIMEOUT, "0");
        EXPECT_EQ(dialogItemText(page, IDC_BC_TIMEOUT), "1");
        typeInto(page, IDC_BC_TIMEOUT, "5");
        clickButton(page, IDC_BC_CHECK_1);  // UPC-A off
        pressOk(sheet);
    });
    const auto& b = companions().reader2D;
    EXPECT_EQ(b[0] & 0x80, 0);
    EXPECT_EQ(b[11] & 0x80, 0);
    EXPECT_EQ(b[27] & 0x80, 0);
    EXPECT_EQ(b[29], 0x03);  // bits 1-0 are not the page's
    EXPECT_EQ(b[30], 0x35);  // LED and aimer kept, time-out 5
    EXPECT_EQ(b[31], 42);
    EXPECT_EQ(settingsImage().byte(fld::ReaderType), 0x06);
    EXPECT_EQ(imageBytes(fld::Reader2DBlock.offset, 45), std::string(b.begin(), b.end()));
}

TEST_F(BarcodePageTest, UnknownReaderTypeShowsNoSelectionAndIsKeptAndListsNeedProducts) {
    chooseProduct(2);
    settingsImage().setByte(fld::ReaderType, 9);
    onBarcodeTab([](HWND sheet, HWND page) {
        EXPECT_EQ(comboText(page, IDC_BC_READER_TYPE), "<none>");
        EXPECT_FALSE(itemEnabled(page, IDC_BC_READER_TYPE));
        EXPECT_TRUE(itemEnabled(page, IDC_BC_RFID_SETTINGS));
        EXPECT_EQ(dialogItemText(page, IDC_BC_CHECK_27), "&QR Code");  // bit 0: the 2D list
        pressOk(sheet);
    });
    EXPECT_EQ(settingsImage().byte(fld::ReaderType), 9);
    answering({IDNO}, {}, [] { chooseProduct(1); });  // the edits are not saved
    onBarcodeTab([](HWND sheet, HWND page) {
        EXPECT_FALSE(itemEnabled(page, IDC_BC_RFID_SETTINGS));
        pressCancel(sheet);
    });
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
    onBarcodeTab([](HWND sheet, HWND page) {
        clickButton(page, IDC_BC_RESET);
        EXPECT_EQ(dialogItemText(page, IDC_BC_LABEL_401), "&LED Illumination :");
        pressOk(sheet);
    });
    EXPECT_EQ(imageBytes(slot::binding(3).offset, 3), std::string("\0\3\0", 3));
    EXPECT_EQ(image.byte(slot::binding(4), 0), 201);
    EXPECT_EQ(imageBytes(slot::binding(20).offset, 2), "\x01\x05");
    EXPECT_EQ(image.byte(fld::ScanSwitchKey), 0);
    EXPECT_EQ(image.byte(fld::GoodVibrator), 0);
    EXPECT_EQ(image.byte(fld::ReaderType), 1);
    EXPECT_EQ(companions().reader1D[0], 0x9B);
}

TEST_F(BarcodePageTest, AdvancedCorrectsOnOkKeepsShareKeyAndCancelStoresNothing) {
    settingsImage().setByte(fld::ScanControl, 2);
    onBarcodeTab([](HWND sheet, HWND page) {
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
                          shown += checked(d, IDC_ADV_SCAN_ALWAYS) ? "always " : "";
                          shown += checked(d, IDC_ADV_SCAN_BY_ESC) ? "esc " : "";
                          shown += itemEnabled(d, IDC_ADV_SCAN_ENABLE) ? "commands " : "";
                          shown += itemEnabled(d, IDC_ADV_PARTIAL_START) ? "partial " : "";
                          clickButton(d, IDC_ADV_READ_PARTIAL);
                          shown += itemEnabled(d, IDC_ADV_PARTIAL_START) ? "partial " : "";
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
                          shown += itemEnabled(d, IDC_ADV_LOCAL_VIBRATOR) ? "local" : "";
                          clickButton(d, IDC_ADV_FEEDBACK_BY_COMMAND);  // product 3
                          shown += itemEnabled(d, IDC_ADV_LOCAL_VIBRATOR) ? "+local" : "";
                          post(d, IDOK);
                      }}},
                    [page] { clickButton(page, IDC_BC_ADVANCED); });
        EXPECT_EQ(shown, "commands partial 99 255 0 local");
        pressOk(sheet);
    });
    const SettingsImage& image = settingsImage();
    // ReadPartialCode, start and maximum 20/20; CodeLength 255; ScanControl still 2.
    EXPECT_EQ(imageBytes(fld::CheckCodeLength.offset, 5), std::string("\1\xFF\1\x14\x14", 5));
    EXPECT_EQ(imageBytes(fld::LeadingCode.offset, 10), std::string("ABCDEFGHI\0", 10));
    EXPECT_EQ(image.byte(fld::ScanControl), 2);
    EXPECT_EQ(image.byte(fld::FeedbackByCommand), 1);
}

TEST_F(BarcodePageTest, ConfirmedDialogsReachTheSavedFileAndEveryFieldSurvivesOpen) {
    chooseProduct(2);
    SettingsImage& image = settingsImage();
    ASSERT_TRUE(
        chooseRoleKey(image, companions().functionKeys, fld::LoginNameKey, KeyRole::NameKey, 3));
    const std::string file = scratchPath("barcode.NET");
    std::vector<MessageBoxCall> boxes;
    onBarcodeTab([&boxes](HWND sheet, HWND page) {
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
                          EXPECT_EQ(dialogItemText(d, IDC_RFID_DATA_MAX), "0");
                          EXPECT_EQ(dialogItemText(d, IDC_RFID_REREAD_DELAY), "1");
                          clickButton(d, IDC_RFID_USE_DELIMITER);
                          PostMessageA(GetDlgItem(d, IDC_RFID_DELIMITER), WM_LBUTTONDOWN,
                                       MK_LBUTTON, MAKELPARAM(2, 2));
                      }},
                     {"The Grid Control", gridChoosing(';', rfid)}},
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
        EXPECT_EQ(
            imageBytes(f.offset, f.width),
            std::string(reinterpret_cast<const char*>(saved.bytes().data()) + f.offset, f.width))
            << f.offset;
    }
}

TEST_F(BarcodePageTest, SwitchKeyIsReleasedWhenHybridForcesItAndCancelOfTheSheetTakesAllBack) {
    chooseProduct(2);
    const SettingsImage atStart = settingsImage();
    onBarcodeTab([&atStart](HWND sheet, HWND page) {
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
        withDialogs({{"RFID Settings", [](HWND d) { post(d, IDCANCEL); }}},
                    [page] { clickButton(page, IDC_BC_RFID_SETTINGS); });
        EXPECT_EQ(settingsImage().byte(fld::ScanSwitchKey), 0);
        EXPECT_EQ(imageBytes(slot::binding(4).offset, 3), std::string("\0\4\0", 3));
        // Confirmed changes of the sheet, key roles included, are taken back by its Cancel.
        withDialogs({{"RFID Settings",
                      [](HWND d) {
                          clickButton(d, IDC_RFID_TOGGLE);
                          chooseItem(d, IDC_RFID_SWITCH_KEY, 6);
                          post(d, IDOK);
                      }}},
                    [page] { clickButton(page, IDC_BC_RFID_SETTINGS); });
        withDialogs({{"Advanced Settings",
                      [](HWND d) {
                          clickButton(d, IDC_ADV_AUTO_ENTER);
                          post(d, IDOK);
                      }}},
                    [page] { clickButton(page, IDC_BC_ADVANCED); });
        EXPECT_EQ(settingsImage().byte(slot::binding(6), 0), 205);
        EXPECT_NE(settingsImage().bytes(), atStart.bytes());
        pressCancel(sheet);
    });
    EXPECT_EQ(settingsImage().bytes(), atStart.bytes());
}

}  // namespace
}  // namespace varomil::test
