// The System page's controls as data: the page shows them, and a site batch
// applies its per-terminal values through the very same rows.
#pragma once

#include <cstddef>

#include "pages/control_table.h"
#include "resources/settings_page_ids.h"
#include "settings/value_lists.h"

namespace varomil {

namespace sys {
constexpr std::size_t kPasswordChars = 8;
constexpr unsigned kMaxAutoPowerOff = 60255;
}  // namespace sys

inline constexpr ControlSpec kSystemControls[] = {
    radio(IDC_SYS_POWER_RESUME, fld::PowerOnMode, 0),
    radio(IDC_SYS_POWER_RESTART, fld::PowerOnMode, 1),
    splitNumber(IDC_SYS_AUTO_POWER_OFF, fld::AutoPowerOffLow, fld::AutoPowerOffHigh, 0,
                sys::kMaxAutoPowerOff),
    checkBox(IDC_SYS_KEY_CLICK, fld::KeyClick),
    text(IDC_SYS_PASSWORD, fld::SystemPassword, sys::kPasswordChars),
    checkBox(IDC_SYS_LOCK_TCPIP, fld::LockTcpIpSettings),
    checkBox(IDC_SYS_LOCK_EMULATION, fld::LockEmulationSettings),
    checkBox(IDC_SYS_LOCK_DATE_TIME, fld::LockDateTime),
    checkBox(IDC_SYS_LOCK_UTILITY, fld::LockUtilityMenu),
    radio(IDC_SYS_BACKLIGHT_OFF, fld::BacklightMode, 0),
    radio(IDC_SYS_BACKLIGHT_ON, fld::BacklightMode, 1),
    number(IDC_SYS_IDLE_TIME, fld::BacklightIdleTime, 1, 9),
    combo(IDC_SYS_DOWNLOAD_VIA, fld::DownloadVia, lists::kDownloadVia),
    combo(IDC_SYS_BAUD_RATE, fld::DownloadBaudRate, lists::kBaudRate),
    combo(IDC_SYS_FUNC_TOGGLE, fld::FunctionKeyLock, lists::kFunctionKeyLock),
    grid(IDC_SYS_MACRO_FRAME, fld::MacroFrame, GridMode::Hex, GridLength::UpToZero),
};

}  // namespace varomil
