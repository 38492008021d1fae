// Advanced Settings and RFID Settings without windows: the partial read the
// dialog keeps until OK, the number corrections of their table rows with the
// bytes they store, the delimiter buffer and the immediate "Hybrid" writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "barcode/advanced_settings.h"
#include "barcode/rfid_settings.h"
#include "pages/field_rules.h"
#include "resources/barcode_ids.h"
#include "settings/factory_defaults.h"
#include "settings/key_roles.h"

namespace varomil {
namespace {

ByteSpan span(SettingsImage& image) {
    return {image.bytes().data(), image.bytes().size()};
}

std::vector<Byte> bytesOf(const SettingsImage& image, std::size_t offset, std::size_t n) {
    return {image.bytes().begin() + static_cast<std::ptrdiff_t>(offset),
            image.bytes().begin() + static_cast<std::ptrdiff_t>(offset + n)};
}

// Each edit follows its own box alone; the scanner commands are usable unless the
// scanner is always enabled, the local beep only without feedback by command.
TEST(BarcodeAdvanced, EachEditFollowsItsOwnBox) {
    const std::pair<Field, const char*> cases[] = {
        {{}, "000000001"},
        {fld::CheckLeadingCode, "100000001"},
        {fld::CheckCodeLength, "011000001"},
        {fld::ReadPartialCode, "000110001"},
        {fld::AddPrefixCode, "000001001"},
        {fld::AddSuffixCode, "000000101"},
        {fld::ScanControl, "000000011"},
        {fld::FeedbackByCommand, "000000000"},
    };
    for (const auto& [box, want] : cases) {
        SettingsImage image;
        image.setByte(box, 1);
        std::string on;
        for (const EnableRule& r : advancedEnableRules())
            on += ruleEnables(r, span(image)) ? '1' : '0';
        EXPECT_EQ(on, want) << box.offset;
    }
}

TEST(BarcodeAdvanced, PartialReadIsKeptAsTypedAndPutInOrderOnOk) {
    // Opening: stored start and maximum brought into 1..50.
    const struct {
        Byte start, maximum;
        unsigned shownStart, shownMaximum;
    } opened[] = {{0, 0, 1, 50}, {7, 51, 7, 50}, {60, 20, 60, 20}};
    for (const auto& o : opened) {
        const PartialRead p = partialReadShown(o.start, o.maximum);
        EXPECT_EQ(p.start, o.shownStart);
        EXPECT_EQ(p.maximum, o.shownMaximum);
    }
    // Typing: the value kept and the text put in the edit's place (empty: none).
    const struct {
        bool maximum;
        const char* typed;
        unsigned kept;
        const char* replaced;
    } typed[] = {
        {false, "30", 30, ""}, {false, "", 1, ""},
        {false, "x", 1, "1"},  {true, "99", 50, ""},
        {true, "", 0, ""},     {true, "x", 50, "50"},
        {true, "0", 0, ""},    {false, "99999999", 65535, ""},
    };
    for (const auto& t : typed) {
        const PartialTyped r = t.maximum ? maximumTyped(t.typed) : startTyped(t.typed);
        EXPECT_EQ(r.value, t.kept) << t.typed;
        EXPECT_EQ(r.replaceWith.value_or(""), t.replaced) << t.typed;
    }
    // OK: start 30 with maximum 20 gives 20/20; an emptied maximum gives 1 and
    // pulls the start down; a start of 0 becomes 1; a huge start stays a byte.
    const struct {
        unsigned start, maximum;
        Byte storedStart, storedMaximum;
    } stored[] = {{30, 20, 20, 20}, {5, 0, 1, 1}, {0, 12, 1, 12}, {65535, 50, 50, 50}};
    for (const auto& s : stored) {
        SettingsImage image;
        finishAdvancedOk(image, {s.start, s.maximum});
        EXPECT_EQ(image.byte(fld::PartialStartPosition), s.storedStart) << s.start;
        EXPECT_EQ(image.byte(fld::PartialMaxLength), s.storedMaximum) << s.start;
    }
}

TEST(BarcodeAdvanced, OkEndsTheCodeSlotsWithZerosAndTheProductDecidesTheVibrators) {
    // From a foreign file: a prefix that fills its slot, a suffix and a leading
    // code with stray bytes behind them; the flags between stay as they are.
    SettingsImage image;
    const Field codes{fld::PrefixCode.offset, fld::LeadingCode.end() - fld::PrefixCode.offset};
    image.fill(codes, 'z');
    image.setByte(fld::SuffixCode, 0, 1);
    image.setText(fld::LeadingCode, "AB");
    finishAdvancedOk(image, {1, 50});
    const std::string z9(9, 'z'), zeros(8, '\0'), zeros9(9, '\0');
    const std::vector<Byte> got = bytesOf(image, codes.offset, codes.width);
    EXPECT_EQ(std::string(got.begin(), got.end()), z9 + '\0' + "zz" + zeros9 + "zzAB" + zeros);

    // {product, feedback by command} -> good, error, local.
    const struct {
        int product;
        bool byCommand;
        bool good, error, local;
    } cases[] = {{0, false, false, false, false},
                 {1, false, false, false, false},
                 {2, true, true, true, true},
                 {3, false, true, true, true},
                 {3, true, true, true, false}};
    for (const auto& c : cases) {
        const VibratorEnables v = vibratorEnables(c.product, c.byCommand);
        EXPECT_EQ(v.good, c.good) << c.product;
        EXPECT_EQ(v.error, c.error) << c.product;
        EXPECT_EQ(v.local, c.local) << c.product << c.byCommand;
    }
}

// The number rows of both dialogs: what a typed text becomes, and the bytes
// the corrected value lands in.
TEST(BarcodeAdvanced, NumberRowsCorrectTypedTextAndStoreTheirBytes) {
    const ControlRows advanced = advancedControls();
    const ControlRows rfid = rfidControls();
    const struct {
        const ControlSpec* row;
        const char* typed;
        const char* shown;
        std::vector<Byte> bytes;  // at the row's field
    } cases[] = {
        // A code length past a byte stops at 255 instead of wrapping to 44.
        {advanced.find(IDC_ADV_CODE_LENGTH), "300", "255", {255}},
        {advanced.find(IDC_ADV_CODE_LENGTH), "x", "0", {0}},
        {advanced.find(IDC_ADV_GOOD_VIBRATOR), "256", "0", {0}},
        {advanced.find(IDC_ADV_LOCAL_VIBRATOR), "25", "25", {25}},
        // RFID values are stored high byte first; 65280 and above start again.
        {rfid.find(IDC_RFID_DATA_START), "300", "300", {0x01, 0x2C}},
        {rfid.find(IDC_RFID_DATA_START), "0", "0", {0, 0}},
        {rfid.find(IDC_RFID_DATA_MAX), "65279", "65279", {0xFE, 0xFF}},
        {rfid.find(IDC_RFID_DATA_MAX), "65280", "0", {0, 0}},
        {rfid.find(IDC_RFID_DATA_MAX), "-3", "0", {0, 0}},
        {rfid.find(IDC_RFID_REREAD_DELAY), "0", "1", {0, 1}},
        {rfid.find(IDC_RFID_REREAD_DELAY), "99999", "1", {0, 1}},
        {rfid.find(IDC_RFID_REREAD_DELAY), "4660", "4660", {0x12, 0x34}},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.row, nullptr) << c.typed;
        const ControlSpec& row = *c.row;
        const CorrectedNumber n =
            correctNumber(c.typed, row.low, row.high, (row.flags & kAboveToLow) != 0);
        EXPECT_EQ(n.text, c.shown) << row.id << " " << c.typed;
        SettingsImage image;
        image.bytes().fill(0xAA);
        storeNumber(row, span(image), n.value);
        const Field f = row.at.field;
        EXPECT_EQ(bytesOf(image, f.offset, f.width), c.bytes) << row.id << " " << c.typed;
        EXPECT_EQ(image.bytes()[f.offset - 1], 0xAA);
        EXPECT_EQ(image.bytes()[f.end()], 0xAA);
    }
}

class BarcodeRfid : public ::testing::Test {
  protected:
    void SetUp() override { applyFactoryDefaults(image, c, 2); }
    Byte role(int key) const { return image.byte(slot::binding(static_cast<std::size_t>(key)), 0); }
    SettingsImage image;
    Companions c;
};

TEST_F(BarcodeRfid, HybridReleasesTheSwitchKeyBeforeDisablingIt) {
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, fld::ScanSwitchKey, KeyRole::SwitchKey, 3));
    image.setByte(fld::RfidControl, 1);
    image.setByte(fld::RfidWorkingMode, 0);
    rfidOpened(image, c.functionKeys);  // Toggle stored: nothing happens
    EXPECT_EQ(image.byte(fld::ScanSwitchKey), 3);
    EXPECT_EQ(image.byte(fld::RfidControl), 1);

    image.setByte(fld::RfidWorkingMode, 1);
    rfidOpened(image, c.functionKeys);
    EXPECT_EQ(image.byte(fld::ScanSwitchKey), 0);
    EXPECT_EQ(image.byte(fld::RfidControl), 0);
    // FN+3 is F3 again, with its code.
    EXPECT_EQ(bytesOf(image, slot::binding(3).offset, 3), (std::vector<Byte>{0, 3, 0}));
    EXPECT_EQ(image.codes(slot::sequence(3)), "\x1BOR");

    // A damaged file names a key that holds another role: that role stays.
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, fld::LoginNameKey, KeyRole::NameKey, 4));
    image.setByte(fld::ScanSwitchKey, 4);
    hybridChosen(image, c.functionKeys);
    EXPECT_EQ(image.byte(fld::ScanSwitchKey), 0);
    EXPECT_EQ(role(4), 201);
}

TEST_F(BarcodeRfid, DelimiterLivesInTheDialogsBufferAndOkStoresOneByte) {
    EXPECT_EQ(delimiterShown(image), (DelimiterBuffer{0, 0}));  // factory: ',' unused
    image.setByte(fld::RfidUseDelimiter, 1);
    EXPECT_EQ(delimiterShown(image), (DelimiterBuffer{',', 0}));

    const std::vector<Byte> delay = bytesOf(image, fld::RfidRereadDelay.offset, 2);
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, fld::ScanSwitchKey, KeyRole::SwitchKey, 7));
    finishRfidOk(image, c.functionKeys, {';', 0}, true);
    EXPECT_EQ(image.byte(fld::RfidDelimiter), ';');
    EXPECT_EQ(bytesOf(image, fld::RfidRereadDelay.offset, 2), delay);
    EXPECT_EQ(role(7), 205);
    // The switch-key list disabled: the key goes back to F7 before the selector is 0.
    finishRfidOk(image, c.functionKeys, {0, 0}, false);
    EXPECT_EQ(image.byte(fld::RfidDelimiter), 0);
    EXPECT_EQ(image.byte(fld::ScanSwitchKey), 0);
    EXPECT_EQ(bytesOf(image, slot::binding(7).offset, 3), (std::vector<Byte>{0, 7, 0}));
}

TEST_F(BarcodeRfid, ImmediateWritesReachTheDialogsCopyAndNothingElse) {
    SettingsImage copy = image;
    copy.setByte(fld::RfidReadData, 1);  // an edit of the dialog, waiting for OK
    ASSERT_TRUE(chooseRoleKey(image, c.functionKeys, fld::ScanSwitchKey, KeyRole::SwitchKey, 2));
    image.setByte(fld::RfidControl, 1);
    image.setByte(fld::RfidReadUid, 0);  // not an immediate field
    copyImmediateFields(image, copy);
    EXPECT_EQ(copy.byte(fld::ScanSwitchKey), 2);
    EXPECT_EQ(copy.byte(fld::RfidControl), 1);
    EXPECT_EQ(copy.byte(slot::binding(2), 0), 205);
    EXPECT_EQ(copy.byte(fld::RfidReadData), 1);
    EXPECT_EQ(copy.byte(fld::RfidReadUid), 1);
}

}  // namespace
}  // namespace varomil
