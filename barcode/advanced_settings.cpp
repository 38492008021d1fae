#include "barcode/advanced_settings.h"

#include <algorithm>

#include "pages/field_rules.h"
#include "resources/barcode_ids.h"

namespace varomil {

namespace {

constexpr std::size_t kLeadingCodeChars = 9;
constexpr std::size_t kPrefixCapacity = 9;  // the tenth byte stays 0
constexpr unsigned kMaxPartial = 50;
// Typed start and maximum are kept as numbers up to here, which is past any
// byte, so that OK still sees "too big" as too big.
constexpr unsigned long kTypedCeiling = 65535;

constexpr Field replaceByte(std::size_t i) {
    return {fld::CharReplace.offset + i, 1};
}

constexpr ControlSpec kControls[] = {
    checkBox(IDC_ADV_CHECK_LEADING, fld::CheckLeadingCode),
    text(IDC_ADV_LEADING_CODE, fld::LeadingCode, kLeadingCodeChars),
    checkBox(IDC_ADV_CHECK_LENGTH, fld::CheckCodeLength),
    // A typed length above a byte stops at 255 rather than wrapping round.
    number(IDC_ADV_CODE_LENGTH, fld::CodeLength, 0, 255, NumberStorage::Byte, kEmptyStays),
    checkBox(IDC_ADV_READ_PARTIAL, fld::ReadPartialCode),
    checkBox(IDC_ADV_ADD_PREFIX, fld::AddPrefixCode),
    grid(IDC_ADV_PREFIX, fld::PrefixCode, GridMode::KeyNames, GridLength::UpToZero,
         kPrefixCapacity),
    checkBox(IDC_ADV_ADD_SUFFIX, fld::AddSuffixCode),
    grid(IDC_ADV_SUFFIX, fld::SuffixCode, GridMode::KeyNames, GridLength::UpToZero,
         kPrefixCapacity),
    checkBox(IDC_ADV_AUTO_ENTER, fld::AutoEnter),
    // A stored 2 ("Share Key") selects neither button and stays unless one is clicked.
    radio(IDC_ADV_SCAN_ALWAYS, fld::ScanControl, 0),
    radio(IDC_ADV_SCAN_BY_ESC, fld::ScanControl, 1),
    grid(IDC_ADV_SCAN_ENABLE, fld::ScanEnableCommand, GridMode::KeyNames7Bit, GridLength::UpToZero),
    grid(IDC_ADV_SCAN_DISABLE, fld::ScanDisableCommand, GridMode::KeyNames7Bit,
         GridLength::UpToZero),
    grid(IDC_ADV_SCAN_AUTO_ENTER, fld::ScanAutoEnterCommand, GridMode::KeyNames7Bit,
         GridLength::UpToZero),
    grid(IDC_ADV_REPLACE_FIRST, replaceByte(0), GridMode::KeyNames, GridLength::OneIfNonZero),
    grid(IDC_ADV_REPLACE_FIRST + 1, replaceByte(1), GridMode::KeyNames, GridLength::OneIfNonZero),
    grid(IDC_ADV_REPLACE_FIRST + 2, replaceByte(2), GridMode::KeyNames, GridLength::OneIfNonZero),
    grid(IDC_ADV_REPLACE_FIRST + 3, replaceByte(3), GridMode::KeyNames, GridLength::OneIfNonZero),
    checkBox(IDC_ADV_FEEDBACK_BY_COMMAND, fld::FeedbackByCommand),
    grid(IDC_ADV_GOOD_COMMAND, fld::GoodFeedbackCommand, GridMode::KeyNames7Bit,
         GridLength::UpToZero),
    grid(IDC_ADV_ERROR_COMMAND, fld::ErrorFeedbackCommand, GridMode::KeyNames7Bit,
         GridLength::UpToZero),
    grid(IDC_ADV_GOOD_BEEP, fld::GoodBeepSequence, GridMode::Hex, GridLength::TrailingPairs),
    grid(IDC_ADV_ERROR_BEEP, fld::ErrorBeepSequence, GridMode::Hex, GridLength::TrailingPairs),
    grid(IDC_ADV_LOCAL_BEEP, fld::LocalBeepSequence, GridMode::Hex, GridLength::TrailingPairs),
    number(IDC_ADV_GOOD_VIBRATOR, fld::GoodVibrator, 0, 255, NumberStorage::Byte, kAboveToLow),
    number(IDC_ADV_ERROR_VIBRATOR, fld::ErrorVibrator, 0, 255, NumberStorage::Byte, kAboveToLow),
    number(IDC_ADV_LOCAL_VIBRATOR, fld::LocalVibrator, 0, 255, NumberStorage::Byte, kAboveToLow),
};

// Each edit is usable only while its box is checked (a flag counts as set when
// it is not 0); the scanner commands unless the scanner is always enabled.
constexpr EnableRule kEnables[] = {
    {IDC_ADV_LEADING_CODE, IDC_ADV_LEADING_CODE, inImage(fld::CheckLeadingCode), 0, true},
    {IDC_ADV_CODE_LENGTH, IDC_ADV_CODE_LENGTH, inImage(fld::CheckCodeLength), 0, true},
    {IDC_ADV_CODE_LENGTH_SPIN, IDC_ADV_CODE_LENGTH_SPIN, inImage(fld::CheckCodeLength), 0, true},
    {IDC_ADV_PARTIAL_START, IDC_ADV_PARTIAL_MAX, inImage(fld::ReadPartialCode), 0, true},
    {IDC_ADV_PARTIAL_START_SPIN, IDC_ADV_PARTIAL_MAX_SPIN, inImage(fld::ReadPartialCode), 0, true},
    {IDC_ADV_PREFIX, IDC_ADV_PREFIX, inImage(fld::AddPrefixCode), 0, true},
    {IDC_ADV_SUFFIX, IDC_ADV_SUFFIX, inImage(fld::AddSuffixCode), 0, true},
    {IDC_ADV_SCAN_ENABLE, IDC_ADV_SCAN_AUTO_ENTER, inImage(fld::ScanControl), 0, true},
    {IDC_ADV_LOCAL_BEEP, IDC_ADV_LOCAL_BEEP, inImage(fld::FeedbackByCommand), 0},
};

}  // namespace

ControlRows advancedControls() {
    return {kControls, std::size(kControls)};
}

EnableRows advancedEnableRules() {
    return {kEnables, std::size(kEnables)};
}

PartialRead partialReadShown(Byte storedStart, Byte storedMaximum) {
    PartialRead p;
    p.start = std::max<unsigned>(storedStart, 1);
    p.maximum = storedMaximum == 0 || storedMaximum > kMaxPartial ? kMaxPartial : storedMaximum;
    return p;
}

PartialTyped startTyped(std::string_view text) {
    const ParsedNumber n = parseSaturating(text, kTypedCeiling);
    if (n.isNumber) return {static_cast<unsigned>(n.value), std::nullopt};
    PartialTyped t{1, std::nullopt};
    if (!text.empty()) t.replaceWith = "1";
    return t;
}

PartialTyped maximumTyped(std::string_view text) {
    if (text.empty()) return {0, std::nullopt};
    const ParsedNumber n = parseSaturating(text, kTypedCeiling);
    if (n.isNumber) return {std::min<unsigned>(static_cast<unsigned>(n.value), kMaxPartial), {}};
    return {kMaxPartial, std::to_string(kMaxPartial)};
}

PartialRead partialReadStored(PartialRead typed) {
    PartialRead p = typed;
    p.maximum = std::clamp<unsigned>(p.maximum, 1, kMaxPartial);
    if (p.start > p.maximum) {
        p.start = p.maximum;
    } else if (p.start < 1) {
        p.start = 1;
    }
    return p;
}

void finishAdvancedOk(SettingsImage& image, PartialRead typed) {
    for (Field f : {fld::LeadingCode, fld::PrefixCode, fld::SuffixCode}) image.tidyText(f);
    const PartialRead p = partialReadStored(typed);
    image.setByte(fld::PartialStartPosition, static_cast<Byte>(p.start));
    image.setByte(fld::PartialMaxLength, static_cast<Byte>(p.maximum));
}

VibratorEnables vibratorEnables(int product, bool feedbackByCommand) {
    const bool fitted = product == 2 || product == 3;
    return {fitted, fitted, product == 2 || (product == 3 && !feedbackByCommand)};
}

}  // namespace varomil
