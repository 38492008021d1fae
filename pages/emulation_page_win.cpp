#include "pages/emulation_page_win.h"

#include <string>

#include "pages/field_rules.h"
#include "pages/function_key_dialog_win.h"
#include "pages/function_key_mapping.h"
#include "resources/emulation_ids.h"
#include "settings/builtin_tables.h"
#include "settings/factory_defaults.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

constexpr std::size_t kTerminalTypeChars = 28;

// Steps that fit each font's display: horizontal, vertical.
struct Steps {
    Byte horizontal;
    Byte vertical;
};
constexpr Steps kStepsForFont[] = {{19, 7}, {14, 3}};

constexpr ControlSpec kControls[] = {
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

// Texts, and what may be pressed, of the 42 keys. Every refresh recomputes
// both: another page may have given a key a role or taken it back.
void showKeys(HWND page) {
    const SettingsImage& image = settingsImage();
    const KeyAvailability available = keyAvailability(image.byte(fld::ProductIndex));
    const auto& records = emulationButtonRecords();
    for (int n = 0; n < EMU_KEY_COUNT; ++n) {
        const std::size_t record = records[static_cast<std::size_t>(n)];
        const std::string text = mappingText(image, record);
        SetDlgItemTextA(page, IDC_EMU_KEY_TEXT + n, text.c_str());
        EnableWindow(GetDlgItem(page, IDC_EMU_KEY_TEXT + n), available[record]);
        EnableWindow(GetDlgItem(page, IDC_EMU_KEY_ARROW + n), available[record]);
        EnableWindow(GetDlgItem(page, IDC_EMU_KEY_BUTTON + n),
                     available[record] && !recordHoldsRole(image, record));
    }
}

void setUp(PageContext& ctx) {
    HWND page = ctx.page;
    const SettingsImage& image = settingsImage();
    HWND font = GetDlgItem(page, IDC_EMU_FONT_SIZE);
    fillCombo(font, lists::kFontSize);
    const unsigned size = image.byte(fld::FontSize);
    SendMessageA(font, CB_SETCURSEL, size < lists::kFontSize.size() ? size : WPARAM(-1), 0);

    HWND type = GetDlgItem(page, IDC_EMU_TERMINAL_TYPE);
    fillCombo(type, lists::kTerminalType);
    SendMessageA(type, CB_LIMITTEXT, kTerminalTypeChars, 0);
    setTextQuietly(type, image.text(fld::TerminalType).substr(0, kTerminalTypeChars));
    showKeys(page);
}

void activate(PageContext& ctx) {
    showKeys(ctx.page);
}

// A font changes the steps only when it differs from the stored one, so that
// choosing the same font again keeps steps typed earlier.
void chooseFont(PageContext& ctx) {
    const int chosen = comboSelection(GetDlgItem(ctx.page, IDC_EMU_FONT_SIZE));
    SettingsImage& image = ctx.table.image();
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= lists::kFontSize.size() ||
        chosen == image.byte(fld::FontSize)) {
        return;
    }
    image.setByte(fld::FontSize, static_cast<Byte>(chosen));
    image.setByte(fld::HorizontalSteps, kStepsForFont[chosen].horizontal);
    image.setByte(fld::VerticalSteps, kStepsForFont[chosen].vertical);
    ctx.table.show(ctx.page, IDC_EMU_H_STEPS);
    ctx.table.show(ctx.page, IDC_EMU_V_STEPS);
}

bool command(PageContext& ctx, int id, int code) {
    if (id == IDC_EMU_FONT_SIZE) {
        if (code == CBN_SELCHANGE) chooseFont(ctx);
        return true;
    }
    if (id >= IDC_EMU_KEY_BUTTON && id < IDC_EMU_KEY_BUTTON + EMU_KEY_COUNT && code == BN_CLICKED) {
        editKey(ctx.page,
                emulationButtonRecords()[static_cast<std::size_t>(id - IDC_EMU_KEY_BUTTON)]);
        showKeys(ctx.page);
        return true;
    }
    return false;
}

void changed(PageContext& ctx, int id) {
    if (id == IDC_EMU_NAVIGATOR_KEY) showKeys(ctx.page);
}

void apply(PageContext& ctx) {
    std::string type =
        controlText(GetDlgItem(ctx.page, IDC_EMU_TERMINAL_TYPE)).substr(0, kTerminalTypeChars);
    if (type.empty()) type = std::string(lists::kDefaultTerminalType);
    ctx.table.image().setText(fld::TerminalType, type);
    zeroFillTextSlot(ctx.table.image(), fld::TerminalType);
}

// The key-code table goes back to the standard codes with the mapping.
void reset(PageContext& ctx) {
    defaultEmulationSettings(ctx.table.image(), companions());
    defaultFunctionKeyMap(ctx.table.image(), companions());
}

constexpr PageSpec kEmulationPage = PageSpec{"EMULATION_DLG", PageProtocol::Snapshot}
                                        .withControls(kControls)
                                        .onSetUp(setUp)
                                        .onActivate(activate)
                                        .onCommand(command)
                                        .onChanged(changed)
                                        .onApply(apply)
                                        .withReset(IDC_EMU_RESET, reset);

}  // namespace

const PageSpec& emulationPage() {
    return kEmulationPage;
}

}  // namespace varomil
