#include "pages/system_page_win.h"

#include <cstddef>
#include <string>

#include "pages/prompt_lines.h"
#include "pages/system_controls.h"
#include "settings/builtin_tables.h"
#include "settings/factory_defaults.h"

namespace varomil {

namespace {

// The label of Utilities line 6 is fixed; the static shows it without mnemonics.
constexpr char kDateTimeLabel[] = "6.Set Date & Time   ";
constexpr std::size_t kUtilitiesSection = 1;
constexpr std::size_t kDateTimeLine = 5;

// Page state: the section on display and the working copy of every prompt line.
struct SystemState : PageState {
    std::size_t section = 0;
    PromptLines lines;
};

int product() {
    return settingsImage().byte(fld::ProductIndex);
}

// A prompt line as its edit shows it: without the blanks the image pads it
// with, so that typing at the end of the text works (apply pads it again).
std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

void showSection(HWND page, SystemState& state) {
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
        setTextQuietly(edit, withoutTrailingBlanks(state.lines.line(state.section, l)));
        EnableWindow(label, inUse);
        EnableWindow(edit, inUse);
    }
}

void setUp(PageContext& ctx) {
    HWND page = ctx.page;
    SystemState& state = ctx.as<SystemState>();
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
    showSection(page, state);
}

void reset(PageContext& ctx) {
    defaultSystemSettings(ctx.table.image());
    defaultPromptTexts(ctx.table.image());
}

bool command(PageContext& ctx, int id, int code) {
    HWND page = ctx.page;
    SystemState& state = ctx.as<SystemState>();
    if (id == IDC_SYS_PROMPT_SECTION && code == CBN_SELCHANGE) {
        const int sel = comboSelection(GetDlgItem(page, id));
        if (sel >= 0 && static_cast<std::size_t>(sel) < kPromptSectionCount) {
            state.section = static_cast<std::size_t>(sel);
            showSection(page, state);
        }
        return true;
    }
    if (id >= IDC_SYS_LINE_EDIT_1 && id < IDC_SYS_LINE_EDIT_1 + 8 && code == EN_CHANGE) {
        const auto line = static_cast<std::size_t>(id - IDC_SYS_LINE_EDIT_1);
        state.lines.setLine(state.section, line, controlText(GetDlgItem(page, id)));
        state.lines.storeSection(ctx.table.image(), state.section);
        return true;
    }
    return false;
}

void apply(PageContext& ctx) {
    tidyPromptSlots(ctx.table.image());
}

constexpr PageSpec kSystemPage = PageSpec{"SYSTEM_DLG", PageProtocol::Snapshot}
                                     .withControls(kSystemControls)
                                     .withState(makePageState<SystemState>)
                                     .onSetUp(setUp)
                                     .onCommand(command)
                                     .onApply(apply)
                                     .withReset(IDC_SYS_RESET, reset);

}  // namespace

const PageSpec& systemPage() {
    return kSystemPage;
}

}  // namespace varomil
