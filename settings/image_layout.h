// Byte layout of the settings image. The image is at the same time the in-memory
// model, the first part of a settings file and the payload of a settings download,
// so every offset here is a wire and file format and must never move.
#pragma once

#include <array>
#include <cstddef>

namespace varomil {

constexpr std::size_t kSettingsImageSize = 59659;

// A fixed slot of the image: where it starts and how many bytes it has.
struct Field {
    std::size_t offset;
    std::size_t width;
    constexpr std::size_t end() const { return offset + width; }
};

// The regions of the image in order; checked below to tile the image exactly.
struct Region {
    const char* name;
    Field field;
};

constexpr std::array<Region, 19> kRegionMap{{
    {"VersionTag", {0, 5}},
    {"ProductIndex", {5, 1}},
    {"reserved", {6, 19}},
    {"system settings", {25, 57}},
    {"PromptTexts", {82, 2788}},
    {"reserved", {2870, 820}},
    {"Reader1DBlock", {3690, 23}},
    {"barcode data handling", {3713, 70}},
    {"network, host and login", {3783, 666}},
    {"emulation and feedback", {4449, 116}},
    {"function-key mapping", {4565, 400}},
    {"screen reformatting", {4965, 52694}},
    {"reserved", {57659, 500}},
    {"WpaPassphrase", {58159, 64}},
    {"reserved", {58223, 436}},
    {"Reader2DBlock", {58659, 45}},
    {"reserved", {58704, 55}},
    {"RfidSettings", {58759, 13}},
    {"reserved", {58772, 887}},
}};

constexpr bool regionsTileImage() {
    std::size_t next = 0;
    for (const Region& r : kRegionMap) {
        if (r.field.offset != next) return false;
        next = r.field.end();
    }
    return next == kSettingsImageSize;
}
static_assert(regionsTileImage(), "the region map must cover the image without gaps");

namespace fld {
// Header
constexpr Field VersionTag{0, 5};
constexpr Field ProductIndex{5, 1};

// System settings
constexpr Field PowerOnMode{25, 1};
constexpr Field AutoPowerOffLow{26, 1};
constexpr Field KeyClick{27, 1};
constexpr Field BacklightMode{28, 1};
constexpr Field BacklightIdleTime{29, 1};
constexpr Field LockTcpIpSettings{30, 1};
constexpr Field LockEmulationSettings{31, 1};
constexpr Field LockDateTime{32, 1};
constexpr Field ResumeProtection{33, 1};
constexpr Field LockUtilityMenu{34, 1};
constexpr Field SystemPassword{50, 10};
constexpr Field DownloadVia{60, 1};
constexpr Field DownloadBaudRate{61, 1};
constexpr Field AutoPowerOffHigh{62, 1};
constexpr Field FunctionKeyLock{63, 1};
constexpr Field MacroFrame{64, 10};

// Prompt and message texts: 68 slots of 41 bytes
constexpr Field PromptTexts{82, 2788};
constexpr std::size_t kPromptSlotWidth = 41;
constexpr std::size_t kPromptSlotCount = 68;

constexpr Field Reader1DBlock{3690, 23};

// Barcode data handling and scanner control
constexpr Field AddPrefixCode{3713, 1};
constexpr Field PrefixCode{3714, 10};
constexpr Field AddSuffixCode{3724, 1};
constexpr Field SuffixCode{3725, 10};
constexpr Field AutoEnter{3735, 1};
constexpr Field CheckLeadingCode{3736, 1};
constexpr Field LeadingCode{3737, 10};
constexpr Field CheckCodeLength{3747, 1};
constexpr Field CodeLength{3748, 1};
constexpr Field ReadPartialCode{3749, 1};
constexpr Field PartialStartPosition{3750, 1};
constexpr Field PartialMaxLength{3751, 1};
constexpr Field GoodBeep{3752, 1};
constexpr Field ScanControl{3753, 1};
constexpr Field ScanEnableCommand{3754, 6};
constexpr Field ScanDisableCommand{3760, 6};
constexpr Field ScanAutoEnterCommand{3766, 6};
constexpr Field CharReplace{3772, 4};
constexpr Field AdvancedSelector{3776, 1};
constexpr Field ScanSwitchKey{3777, 1};
constexpr Field Ean128FieldSeparator{3778, 1};
constexpr Field ReaderType{3779, 1};

// Network, host and login
constexpr Field SubnetMask{3783, 24};
constexpr Field Gateway{3807, 24};
constexpr Field DnsServer{3831, 24};
constexpr Field DhcpEnable{3855, 1};
constexpr Field TerminalIp{3856, 24};
constexpr Field LocalName{3880, 20};
constexpr Field HostAddresses{3900, 250};
constexpr std::size_t kHostAddressWidth = 50;
constexpr std::size_t kHostAddressCount = 5;
constexpr Field ActiveHostIndex{4150, 1};
constexpr Field TelnetPort{4151, 2};
constexpr Field WlanSecurityFlags{4153, 1};
constexpr Field WepKeyLength{4154, 1};
constexpr Field ActiveWepKey{4155, 1};
constexpr Field WepKeys{4156, 64};
constexpr std::size_t kWepKeyWidth = 16;
constexpr std::size_t kWepKeyCount = 4;
constexpr Field EapId{4220, 33};
constexpr Field EapPassword{4253, 33};
constexpr Field Ssid{4286, 20};
constexpr Field LoginName{4306, 20};
constexpr Field LoginNameKey{4326, 1};
constexpr Field LoginPassword{4327, 20};
constexpr Field LoginPasswordKey{4347, 1};
constexpr Field LogoutKey{4348, 1};
constexpr Field LogoutCommand{4349, 10};
constexpr Field KeepAliveMinutes{4359, 1};
constexpr Field AutoLogin{4360, 1};
constexpr Field NamePrompt{4361, 15};
constexpr Field PasswordPrompt{4376, 15};
constexpr Field WlanInterface{4391, 1};

// Emulation and feedback settings
constexpr Field EmulationTypeIndex{4449, 1};
constexpr Field CaseConversion{4450, 1};
constexpr Field FontSize{4451, 1};
constexpr Field EmulationReserved1{4452, 2};
constexpr Field Navigator{4454, 1};
constexpr Field NavigatorKey{4455, 1};
constexpr Field HorizontalSteps{4456, 1};
constexpr Field VerticalSteps{4457, 1};
constexpr Field ViewOrgX{4458, 1};
constexpr Field ViewOrgY{4459, 1};
constexpr Field CursorTracking{4460, 1};
constexpr Field TrimSpaces{4461, 1};
constexpr Field EmulationReserved2{4462, 3};
constexpr Field DisableLocalEcho{4465, 1};
constexpr Field EmulationReserved3{4466, 1};
constexpr Field TerminalType{4467, 30};
constexpr Field FeedbackByCommand{4497, 1};
constexpr Field GoodFeedbackCommand{4498, 6};
constexpr Field ErrorFeedbackCommand{4504, 6};
constexpr Field GoodBeepSequence{4510, 10};
constexpr Field ErrorBeepSequence{4520, 10};
constexpr Field LocalBeepSequence{4530, 10};
constexpr Field GoodVibrator{4540, 1};
constexpr Field ErrorVibrator{4541, 1};
constexpr Field LocalVibrator{4542, 1};
constexpr Field CursorFlashing{4543, 1};
constexpr Field LineBuffer{4544, 1};

// Function-key mapping: 50 key records
constexpr std::size_t kKeyRecordCount = 50;
constexpr Field FunctionKeyBindings{4565, 150};
constexpr std::size_t kBindingWidth = 3;
constexpr Field FunctionKeySequences{4715, 250};
constexpr std::size_t kSequenceWidth = 5;

// Screen reformatting; p = page 0..49, l = terminal line 0..23
constexpr std::size_t kPageCount = 50;
constexpr std::size_t kLinesPerPage = 24;
constexpr Field ScreensPresent{4965, 1};
constexpr Field PageCount{4966, 1};
constexpr Field PageLayout{4967, 50};
constexpr Field LineText{5017, 41 * 24 * 50};
constexpr std::size_t kLineTextWidth = 41;
constexpr Field LineHostRow{54217, 24 * 50};
constexpr Field PageCharacteristics{55417, 20 * 50};
constexpr std::size_t kCharacteristicCount = 20;
constexpr Field CharacteristicLength{56417, 1};
constexpr Field CharacteristicColumns{56418, 20};
constexpr Field CharacteristicRows{56438, 20};
constexpr Field CursorLocationMode{56458, 1};
constexpr Field LineHostColumn{56459, 24 * 50};

// Tail
constexpr Field WpaPassphrase{58159, 64};
constexpr Field Reader2DBlock{58659, 45};
constexpr Field RfidSettings{58759, 13};
constexpr Field RfidReadUid{58759, 1};
constexpr Field RfidReadData{58760, 1};
constexpr Field RfidUseDelimiter{58761, 1};
constexpr Field RfidDataStart{58762, 2};      // big-endian
constexpr Field RfidDataMaxLength{58764, 2};  // big-endian
constexpr Field RfidDelimiter{58766, 1};
constexpr Field RfidRereadDelay{58767, 2};  // big-endian, tenths of a second
constexpr Field RfidWorkingMode{58769, 1};
constexpr Field RfidReadingMode{58770, 1};
constexpr Field RfidControl{58771, 1};
}  // namespace fld

static_assert(fld::PromptTexts.width == fld::kPromptSlotWidth * fld::kPromptSlotCount);
static_assert(fld::LineText.end() == fld::LineHostRow.offset);
static_assert(fld::LineHostRow.end() == fld::PageCharacteristics.offset);
static_assert(fld::PageCharacteristics.end() == fld::CharacteristicLength.offset);
static_assert(fld::LineHostColumn.end() == 57659,
              "screen region ends where the reserved tail starts");
static_assert(fld::FunctionKeyBindings.end() == fld::FunctionKeySequences.offset);
static_assert(fld::FunctionKeySequences.end() == fld::ScreensPresent.offset);
static_assert(fld::LineBuffer.end() + 20 == fld::FunctionKeyBindings.offset);
static_assert(fld::WlanInterface.end() + 57 == fld::EmulationTypeIndex.offset);
static_assert(fld::ReaderType.end() + 3 == fld::SubnetMask.offset);
static_assert(fld::MacroFrame.end() + 8 == fld::PromptTexts.offset);
static_assert(fld::RfidControl.end() == fld::RfidSettings.end());

// Indexed slots of the repeated fields. Indexes are wrapped into range so that a
// value read from an untrusted image can never address a neighbouring field.
namespace slot {
constexpr Field hostAddress(std::size_t i) {
    return {fld::HostAddresses.offset + fld::kHostAddressWidth * (i % fld::kHostAddressCount),
            fld::kHostAddressWidth};
}
constexpr Field wepKey(std::size_t i) {
    return {fld::WepKeys.offset + fld::kWepKeyWidth * (i % fld::kWepKeyCount), fld::kWepKeyWidth};
}
constexpr Field promptSlot(std::size_t n) {
    return {fld::PromptTexts.offset + fld::kPromptSlotWidth * (n % fld::kPromptSlotCount),
            fld::kPromptSlotWidth};
}
constexpr Field binding(std::size_t n) {
    return {fld::FunctionKeyBindings.offset + fld::kBindingWidth * (n % fld::kKeyRecordCount),
            fld::kBindingWidth};
}
constexpr Field sequence(std::size_t n) {
    return {fld::FunctionKeySequences.offset + fld::kSequenceWidth * (n % fld::kKeyRecordCount),
            fld::kSequenceWidth};
}
constexpr std::size_t pageLine(std::size_t p, std::size_t l) {
    return fld::kLinesPerPage * (p % fld::kPageCount) + l % fld::kLinesPerPage;
}
constexpr Field pageLayout(std::size_t p) {
    return {fld::PageLayout.offset + p % fld::kPageCount, 1};
}
constexpr Field lineText(std::size_t p, std::size_t l) {
    return {fld::LineText.offset + fld::kLineTextWidth * pageLine(p, l), fld::kLineTextWidth};
}
constexpr Field lineHostRow(std::size_t p, std::size_t l) {
    return {fld::LineHostRow.offset + pageLine(p, l), 1};
}
constexpr Field lineHostColumn(std::size_t p, std::size_t l) {
    return {fld::LineHostColumn.offset + pageLine(p, l), 1};
}
constexpr Field pageCharacteristics(std::size_t p) {
    return {fld::PageCharacteristics.offset + fld::kCharacteristicCount * (p % fld::kPageCount),
            fld::kCharacteristicCount};
}
}  // namespace slot

}  // namespace varomil
