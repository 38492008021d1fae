#include "pages/emulation_page_win.h"

#include <string>

#include "pages/emulation_controls.h"
#include "pages/function_key_dialog_win.h"
#include "pages/function_key_mapping.h"
#include "settings/builtin_tables.h"
#include "settings/factory_defaults.h"

namespace varomil {

namespace {

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
    if (chosen < 0 || !chooseFontSize(ctx.table.image(), static_cast<std::size_t>(chosen))) {
        return;
    }
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
    storeTerminalType(ctx.table.image(), controlText(GetDlgItem(ctx.page, IDC_EMU_TERMINAL_TYPE)));
}

// The key-code table goes back to the standard codes with the mapping.
void reset(PageContext& ctx) {
    defaultEmulationSettings(ctx.table.image(), companions());
    defaultFunctionKeyMap(ctx.table.image(), companions());
}

constexpr PageSpec kEmulationPage = PageSpec{"EMULATION_DLG", PageProtocol::Snapshot}
                                        .withControls(kEmulationControls)
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
