#include "pages/system_page_win.h"

#include <cstddef>
#include <string>

#include "pages/prompt_lines.h"
#include "resources/settings_page_ids.h"
#include "settings/builtin_tables.h"
#include "settings/factory_defaults.h"

namespace varomil {

namespace {

constexpr const char* kInterfaces[] = {"Cradle-IR", "RS-232", "IrDA", "RF"};
constexpr const char* kSpeeds[] = {"115200 bps", "57600 bps", "38400 bps", "9600 bps"};
constexpr const char* kFunctionKeyLock[] = {"Unlocked", "Locked"};
constexpr std::size_t kPasswordChars = 8;
constexpr unsigned kMaxAutoPowerOff = 60255;
// The label of Utilities line 6 is fixed; the static shows it without mnemonics.
constexpr char kDateTimeLabel[] = "6.Set Date & Time   ";
constexpr std::size_t kUtilitiesSection = 1;
constexpr std::size_t kDateTimeLine = 5;

constexpr ControlSpec kControls[] = {
    radio(IDC_SYS_POWER_RESUME, fld::PowerOnMode, 0),
    radio(IDC_SYS_POWER_RESTART, fld::PowerOnMode, 1),
    number(IDC_SYS_AUTO_POWER_OFF, fld::AutoPowerOffLow, 0, kMaxAutoPowerOff,
           fld::AutoPowerOffHigh),
    checkBox(IDC_SYS_KEY_CLICK, fld::KeyClick),
    text(IDC_SYS_PASSWORD, fld::SystemPassword, kPasswordChars),
    checkBox(IDC_SYS_LOCK_TCPIP, fld::LockTcpIpSettings),
    checkBox(IDC_SYS_LOCK_EMULATION, fld::LockEmulationSettings),
    checkBox(IDC_SYS_LOCK_DATE_TIME, fld::LockDateTime),
    checkBox(IDC_SYS_LOCK_UTILITY, fld::LockUtilityMenu),
    radio(IDC_SYS_BACKLIGHT_OFF, fld::BacklightMode, 0),
    radio(IDC_SYS_BACKLIGHT_ON, fld::BacklightMode, 1),
    number(IDC_SYS_IDLE_TIME, fld::BacklightIdleTime, 1, 9),
    combo(IDC_SYS_DOWNLOAD_VIA, fld::DownloadVia, kInterfaces),
    combo(IDC_SYS_BAUD_RATE, fld::DownloadBaudRate, kSpeeds),
    combo(IDC_SYS_FUNC_TOGGLE, fld::FunctionKeyLock, kFunctionKeyLock),
    grid(IDC_SYS_MACRO_FRAME, fld::MacroFrame, GridMode::Hex, GridLength::UpToZero),
};

// Page state: the section on display and the working copy of every prompt line.
struct SystemState {
    std::size_t section = 0;
    PromptLines lines;
};
SystemState state;

int product() {
    return settingsImage().byte(fld::ProductIndex);
}

void showSection(HWND page) {
    const PromptSection& s = promptSection(state.section);
    for (std::size_t l = 0; l < kPromptLinesPerSection; ++l) {
        HWND label = GetDlgItem(page, IDC_SYS_LINE_LABEL_1 + static_cast<int>(l));
        HWND edit = GetDlgItem(page, IDC_SYS_LINE_EDIT_1 + static_cast<int>(l));
        const bool inUse = l < s.lines;
        std::string caption = inUse ? factoryPromptText(product(), state.section, l)
                                    : state.lines.line(state.section, l);
        if (state.section == kUtilitiesSection && l == kDateTimeLine) caption = kDateTimeLabel;
        SetWindowTextA(label, caption.c_str());
        SendMessageA(edit, EM_LIMITTEXT, s.width, 0);
        setTextQuietly(edit, state.lines.line(state.section, l));
        EnableWindow(label, inUse);
        EnableWindow(edit, inUse);
    }
}

void setUp(HWND page) {
    HWND sections = GetDlgItem(page, IDC_SYS_PROMPT_SECTION);
    SendMessageA(sections, CB_RESETCONTENT, 0, 0);
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) {
        const std::string name = promptSectionName(product(), s);
        SendMessageA(sections, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    state.lines.load(settingsImage());
    state.section = 0;
    SendMessageA(sections, CB_SETCURSEL, 0, 0);
    EnableWindow(GetDlgItem(page, IDC_SYS_FUNC_TOGGLE), product() != 1);
    showSection(page);
}

void reset(HWND page) {
    defaultSystemSettings(settingsImage());
    defaultPromptTexts(settingsImage());
    showPageValues(page);
    setUp(page);
}

bool command(HWND page, int id, int code) {
    if (id == IDC_SYS_PROMPT_SECTION && code == CBN_SELCHANGE) {
        const LRESULT sel = SendMessageA(GetDlgItem(page, id), CB_GETCURSEL, 0, 0);
        if (sel >= 0 && static_cast<std::size_t>(sel) < kPromptSectionCount) {
            state.section = static_cast<std::size_t>(sel);
            showSection(page);
        }
        return true;
    }
    if (id >= IDC_SYS_LINE_EDIT_1 && id < IDC_SYS_LINE_EDIT_1 + 8 && code == EN_CHANGE) {
        const auto line = static_cast<std::size_t>(id - IDC_SYS_LINE_EDIT_1);
        state.lines.setLine(state.section, line, controlText(GetDlgItem(page, id)));
        state.lines.storeSection(settingsImage(), state.section);
        return true;
    }
    if (id == IDC_SYS_RESET && code == BN_CLICKED) {
        reset(page);
        return true;
    }
    return false;
}

void apply(HWND) {
    tidyPromptSlots(settingsImage());
}

const PageSpec kSystemPage{"SYSTEM_DLG", PageProtocol::Snapshot,
                           kControls,    sizeof kControls / sizeof kControls[0],
                           setUp,        command,
                           apply};

}  // namespace

const PageSpec& systemPage() {
    return kSystemPage;
}

}  // namespace varomil
