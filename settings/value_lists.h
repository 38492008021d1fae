// The value lists of the settings: the texts of each stored byte (or bit field),
// in value order, shown alike by the pages, the dialogs and the summary tree.
#pragma once

#include <array>
#include <string_view>

namespace varomil::lists {

using std::string_view;

constexpr std::array<string_view, 2> kFlag{"Disable", "Enable"};
constexpr std::array<string_view, 11> kKeySelector{
    "Disable", "FN+1", "FN+2", "FN+3", "FN+4", "FN+5", "FN+6", "FN+7", "FN+8", "FN+9", "FN+0"};

// System
constexpr std::array<string_view, 2> kPowerOnMode{"Resume", "Restart"};
constexpr std::array<string_view, 2> kBacklightMode{"Turn Off", "Turn On upon power up"};
constexpr std::array<string_view, 4> kDownloadVia{"Cradle-IR", "RS-232", "IrDA", "RF"};
constexpr std::array<string_view, 4> kBaudRate{"115200 bps", "57600 bps", "38400 bps", "9600 bps"};
constexpr std::array<string_view, 2> kFunctionKeyLock{"Unlocked", "Locked"};

// Barcode
// By reader-type list index (ReaderType codes 0, 1 and 4).
constexpr std::array<string_view, 3> kReaderType{"1D Laser/CCD Reader", "2D Reader",
                                                 "1D Long Range Laser"};
constexpr std::array<string_view, 9> kScanMode{"Auto Off",  "Continuous", "Auto Power Off",
                                               "Alternate", "Momentary",  "Repeat",
                                               "Laser",     "Test",       "Aiming"};
constexpr std::array<string_view, 4> kReadRedundancy{"None", "One time", "Two times",
                                                     "Three times"};
constexpr std::array<string_view, 3> kStartStopSelection{"Industrial 25", "Interleave 25",
                                                         "Matrix 25"};
constexpr std::array<string_view, 4> kCodabarStartStop{"abcd / abcd", "abcd / tn*e", "ABCD / ABCD",
                                                       "ABCD / TN*E"};
constexpr std::array<string_view, 3> kMsiVerification{"Single Modulo 10", "Double Modulo 10",
                                                      "Modulo 11 && 10"};
constexpr std::array<string_view, 3> kMsiTransmission{"Last digit not transmitted", "Transmitted",
                                                      "Last 2 digits not transmitted"};
constexpr std::array<string_view, 2> kLengthMode{"Fixed Length", "Max / Min Length"};
// Indexed by the TelepenNumeric bit as the Telepen dialog writes it.
constexpr std::array<string_view, 2> kTelepenMode{"AIM Telepen  (Full ASCII)",
                                                  "Original Telepen  (Numeric)"};
constexpr std::array<string_view, 3> kGoodBeep{"No", "One-beep", "Two-beep"};
constexpr std::array<string_view, 3> kScanControl{"Always enable after login",
                                                  "Controled by ESC command", "Share Key"};

// Barcode, 2D reader
constexpr std::array<string_view, 4> kLedIllumination{"Turn off", "Internal", "External", "Both"};
constexpr std::array<string_view, 2> kAimerPattern{"Turn off", "Turn on"};
constexpr std::array<string_view, 4> kLengthOption{"Any Length", "One Length", "Two Lengths",
                                                   "Range"};
constexpr std::array<string_view, 3> kPreamble{"No Preamble", "System Character",
                                               "System Character & Country Code"};
constexpr std::array<string_view, 3> kSupplementals{
    "Ignore Supplementaries", "Decode Only With Supplementaries", "Decode With Supplementaries"};
// The leading blanks are the dialog's own.
constexpr std::array<string_view, 3> kI25Verify{" No verify", " USS", " OPCC"};
constexpr std::array<string_view, 2> kMsiCheckDigits{"One Check Digit", "Two Check Digits"};
constexpr std::array<string_view, 2> kMsiAlgorithm{"Mod 10/Mod 11", "Mod 10/Mod 10"};

// Wireless LAN
constexpr std::array<string_view, 2> kAuthentication{"Share Key", "Open System"};
constexpr std::array<string_view, 2> kWepKeyLength{"64 bits (5 bytes)", "128 bits (13 bytes)"};
constexpr std::array<string_view, 2> kWlanInterface{"802.11b", "Bluetooth"};

// Emulation
constexpr std::array<string_view, 2> kFontSize{"Small (6x8)", "Large (8x16)"};
constexpr std::array<string_view, 3> kCaseConversion{"No conversion", "to lower case",
                                                     "to upper case"};
constexpr std::array<string_view, 4> kNavigator{"None", "Icon", "20*15", "32*24"};
// Local echo shows the inverse of DisableLocalEcho.
constexpr std::array<string_view, 2> kLocalEcho{"Enable", "Disable"};
// Function-key record byte 0: modifiers 0..2, then roles from 201.
constexpr std::array<string_view, 3> kModifier{"", "Shift", "Alt"};
// The modifier as the function-key dialog offers it.
constexpr std::array<string_view, 3> kModifierChoice{"nil", "Shift", "Alt"};
// Function-key record byte 1: the host key.
constexpr std::array<string_view, 21> kHostKey{
    "Undefined", "F1",   "F2",  "F3",     "F4",     "F5",  "F6",
    "F7",        "F8",   "F9",  "F10",    "F11",    "F12", "Page Up",
    "Page Down", "Home", "End", "Insert", "Delete", "Tab", "User defined"};
// Offered in the terminal type's list; any other text may be typed.
constexpr std::array<string_view, 4> kTerminalType{"vt100", "vt102", "vt220", "ansi"};
// The name given to the host when the settings name no terminal type.
constexpr string_view kDefaultTerminalType = kTerminalType[0];
constexpr unsigned kFirstRole = 201;
constexpr std::array<string_view, 5> kRole{"Name Key", "Password Key", "Exit Key", "Navigator Key",
                                           "SwitchKey"};

// Screen
constexpr std::array<string_view, 2> kCursorLocation{"Underline character", "Host row and column"};

}  // namespace varomil::lists
