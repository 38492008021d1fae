// "RFID Settings" without windows: its control table and the rules of its own.
// Most fields wait for OK; choosing "Hybrid" (or opening with it stored) and the
// switch-key choice change the settings at once, and always through the key
// roles, so that no key keeps a role that no selector names.
#pragma once

#include <array>

#include "pages/control_table.h"

namespace varomil {

ControlRows rfidControls();
EnableRows rfidEnableRules();

// The delimiter as the grid edits it: one character and the 0 byte the grid
// writes behind it, in bytes of the dialog's own (Area::Buffer), never in the
// image, whose next byte is the reread delay.
constexpr std::size_t kDelimiterBufferSize = 2;
using DelimiterBuffer = std::array<Byte, kDelimiterBufferSize>;

// Opening: the delimiter only when "Use Delimiter" is set, else empty.
DelimiterBuffer delimiterShown(const SettingsImage& image);

bool hybridStored(const SettingsImage& image);
// "Hybrid": the terminal switches the reader itself, so the control is "Always
// Enable" and the switch key is released and set to "Disable".
void hybridChosen(SettingsImage& image, const FunctionKeyTable& table);
// Opening with "Hybrid" stored does the same.
void rfidOpened(SettingsImage& image, const FunctionKeyTable& table);

// The fields those immediate changes touch, copied so that the dialog's copy of
// the image agrees with the settings (OK makes the copy the settings). A switch
// key touches only the key fields: the control on display stays the user's.
void copyImmediateFields(const SettingsImage& from, SettingsImage& to);
void copyKeyFields(const SettingsImage& from, SettingsImage& to);

// OK, on the dialog's copy after the table stored its controls: the delimiter
// from the buffer; without a usable switch key the key is released and 0.
void finishRfidOk(SettingsImage& image, const FunctionKeyTable& table,
                  const DelimiterBuffer& delimiter, bool switchKeyUsable);

}  // namespace varomil
