#include "barcode/rfid_settings.h"

#include <iterator>

#include "resources/barcode_ids.h"
#include "settings/key_roles.h"

namespace varomil {

namespace {

constexpr unsigned kBelow16BitLimit = 65279;  // 65280 and above are refused
constexpr Byte kHybrid = 1;
constexpr BitField kDelimiterBuffer{Area::Buffer, {0, kDelimiterBufferSize}, 0, 0};

constexpr ControlSpec kControls[] = {
    checkBox(IDC_RFID_READ_UID, fld::RfidReadUid),
    checkBox(IDC_RFID_READ_DATA, fld::RfidReadData),
    checkBox(IDC_RFID_USE_DELIMITER, fld::RfidUseDelimiter),
    number(IDC_RFID_DATA_START, fld::RfidDataStart, 0, kBelow16BitLimit, NumberStorage::U16be,
           kAboveToLow),
    number(IDC_RFID_DATA_MAX, fld::RfidDataMaxLength, 0, kBelow16BitLimit, NumberStorage::U16be,
           kAboveToLow),
    grid(IDC_RFID_DELIMITER, kDelimiterBuffer, GridMode::KeyNames, GridLength::OneIfNonZero, 1),
    number(IDC_RFID_REREAD_DELAY, fld::RfidRereadDelay, 1, kBelow16BitLimit, NumberStorage::U16be,
           kAboveToLow),
    radio(IDC_RFID_TOGGLE, fld::RfidWorkingMode, 0),
    radio(IDC_RFID_HYBRID, fld::RfidWorkingMode, kHybrid),
    radio(IDC_RFID_ALWAYS_ENABLE, fld::RfidControl, 0),
    radio(IDC_RFID_BY_ESC, fld::RfidControl, 1),
    radio(IDC_RFID_TRIGGER, fld::RfidReadingMode, 0),
    radio(IDC_RFID_CONTINUOUS, fld::RfidReadingMode, 1),
};

constexpr EnableRule kEnables[] = {
    {IDC_RFID_DATA_START, IDC_RFID_DATA_MAX, inImage(fld::RfidReadData), 0, true},
    {IDC_RFID_DELIMITER, IDC_RFID_DELIMITER, inImage(fld::RfidUseDelimiter), 0, true},
    // Hybrid leaves the switching to the terminal.
    {IDC_RFID_ALWAYS_ENABLE, IDC_RFID_BY_ESC, inImage(fld::RfidWorkingMode), kHybrid, true},
    {IDC_RFID_SWITCH_KEY, IDC_RFID_SWITCH_KEY, inImage(fld::RfidWorkingMode), kHybrid, true},
    {IDC_RFID_SWITCH_KEY_LABEL, IDC_RFID_SWITCH_KEY_LABEL, inImage(fld::RfidWorkingMode), kHybrid,
     true},
};

void copyField(const SettingsImage& from, SettingsImage& to, Field f) {
    to.setRaw(f, from.bytes().data() + f.offset, f.width);
}

}  // namespace

ControlRows rfidControls() {
    return {kControls, std::size(kControls)};
}

EnableRows rfidEnableRules() {
    return {kEnables, std::size(kEnables)};
}

DelimiterBuffer delimiterShown(const SettingsImage& image) {
    DelimiterBuffer b{};
    if (image.flag(fld::RfidUseDelimiter)) b[0] = image.byte(fld::RfidDelimiter);
    return b;
}

bool hybridStored(const SettingsImage& image) {
    return image.byte(fld::RfidWorkingMode) == kHybrid;
}

void hybridChosen(SettingsImage& image, const FunctionKeyTable& table) {
    image.setByte(fld::RfidControl, 0);
    chooseRoleKey(image, table, fld::ScanSwitchKey, KeyRole::SwitchKey, 0);
}

void rfidOpened(SettingsImage& image, const FunctionKeyTable& table) {
    if (hybridStored(image)) hybridChosen(image, table);
}

void copyKeyFields(const SettingsImage& from, SettingsImage& to) {
    for (Field f : {fld::ScanSwitchKey, fld::FunctionKeyBindings, fld::FunctionKeySequences}) {
        copyField(from, to, f);
    }
}

void copyImmediateFields(const SettingsImage& from, SettingsImage& to) {
    copyField(from, to, fld::RfidControl);
    copyKeyFields(from, to);
}

void finishRfidOk(SettingsImage& image, const FunctionKeyTable& table,
                  const DelimiterBuffer& delimiter, bool switchKeyUsable) {
    image.setByte(fld::RfidDelimiter, delimiter[0]);
    if (!switchKeyUsable) chooseRoleKey(image, table, fld::ScanSwitchKey, KeyRole::SwitchKey, 0);
}

}  // namespace varomil
