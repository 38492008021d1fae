// The Emulation page's controls and value rules as data: the page shows them,
// and a site batch applies its per-terminal values through the very same rows.
#pragma once

#include <cstddef>
#include <string_view>

#include "pages/control_table.h"
#include "resources/emulation_ids.h"
#include "settings/value_lists.h"

namespace varomil {

constexpr std::size_t kTerminalTypeChars = 28;

inline constexpr ControlSpec kEmulationControls[] = {
    combo(IDC_EMU_CASE_CONVERSION, fld::CaseConversion, lists::kCaseConversion),
    combo(IDC_EMU_NAVIGATOR, fld::Navigator, lists::kNavigator),
    roleKey(IDC_EMU_NAVIGATOR_KEY, fld::NavigatorKey, KeyRole::NavigatorKey),
    number(IDC_EMU_H_STEPS, fld::HorizontalSteps, 1, 255),
    number(IDC_EMU_V_STEPS, fld::VerticalSteps, 1, 255),
    checkBox(IDC_EMU_CURSOR_TRACKING, fld::CursorTracking),
    checkBox(IDC_EMU_TRIM_SPACES, fld::TrimSpaces),
    checkBox(IDC_EMU_DISABLE_ECHO, fld::DisableLocalEcho),
    checkBox(IDC_EMU_CURSOR_FLASHING, fld::CursorFlashing),
    checkBox(IDC_EMU_LINE_BUFFER, fld::LineBuffer),
};

// A font other than the stored one (0..1) is stored with the steps that fit its
// display; false when it is the stored font or none, so that choosing the same
// font again keeps steps typed earlier.
bool chooseFontSize(SettingsImage& image, std::size_t font);

// The terminal type as apply stores it: at most kTerminalTypeChars characters, the
// standard type for none, zeros after it.
void storeTerminalType(SettingsImage& image, std::string_view type);

}  // namespace varomil
