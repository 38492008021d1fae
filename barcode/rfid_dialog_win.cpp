#include "barcode/rfid_dialog_win.h"

#include <algorithm>

#include "barcode/rfid_settings.h"
#include "pages/table_dialog_win.h"
#include "resources/barcode_ids.h"
#include "settings/key_roles.h"
#include "settings/value_lists.h"
#include "shell/dialog_controls_win.h"

namespace varomil {

namespace {

const FunctionKeyTable& keyCodes() {
    return companions().functionKeys;
}

// The dialog edits a copy of the settings; what changes at once is written to
// the settings and copied into the copy, so that OK keeps it too.
void immediateWritesDone(DialogContext& ctx) {
    copyImmediateFields(settingsImage(), ctx.image);
}

void showSwitchKey(DialogContext& ctx) {
    const unsigned key = ctx.image.byte(fld::ScanSwitchKey);
    SendDlgItemMessageA(ctx.dialog, IDC_RFID_SWITCH_KEY, CB_SETCURSEL,
                        key < lists::kKeySelector.size() ? key : static_cast<WPARAM>(-1), 0);
}

void prepare(DialogContext& ctx) {
    rfidOpened(settingsImage(), keyCodes());
    immediateWritesDone(ctx);
    const DelimiterBuffer delimiter = delimiterShown(ctx.image);
    std::copy(delimiter.begin(), delimiter.end(), ctx.buffer.begin());
}

void setUp(DialogContext& ctx) {
    fillCombo(GetDlgItem(ctx.dialog, IDC_RFID_SWITCH_KEY), lists::kKeySelector);
    showSwitchKey(ctx);
}

void switchKeyChosen(DialogContext& ctx) {
    HWND box = GetDlgItem(ctx.dialog, IDC_RFID_SWITCH_KEY);
    const int choice = comboSelection(box);
    if (choice < 0) return;
    // Keys an arrow-key browse passes over keep their own mappings.
    if (!chooseRoleKey(settingsImage(), keyCodes(), fld::ScanSwitchKey, KeyRole::SwitchKey, choice,
                       GetFocus() == box ? &keyRoleMemory() : nullptr)) {
        showKeyTakenMessage(ctx.dialog);
    }
    copyKeyFields(settingsImage(), ctx.image);
    showSwitchKey(ctx);
}

bool command(DialogContext& ctx, int id, int code) {
    if (id != IDC_RFID_SWITCH_KEY) return false;
    if (code == CBN_SELCHANGE) switchKeyChosen(ctx);
    if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS) keyRoleMemory().clear();
    return true;
}

void changed(DialogContext& ctx, int id) {
    if (id != IDC_RFID_HYBRID || IsDlgButtonChecked(ctx.dialog, id) != BST_CHECKED) return;
    hybridChosen(settingsImage(), keyCodes());
    immediateWritesDone(ctx);
    ctx.table.show(ctx.dialog, IDC_RFID_ALWAYS_ENABLE);
    ctx.table.show(ctx.dialog, IDC_RFID_BY_ESC);
    showSwitchKey(ctx);
}

bool ok(DialogContext& ctx) {
    DelimiterBuffer delimiter{};
    std::copy_n(ctx.buffer.begin(), delimiter.size(), delimiter.begin());
    const bool switchKeyUsable = IsWindowEnabled(GetDlgItem(ctx.dialog, IDC_RFID_SWITCH_KEY));
    finishRfidOk(ctx.image, keyCodes(), delimiter, switchKeyUsable);
    return true;
}

const DialogSpec kSpec = DialogSpec{"RFID_PARAM_DLG"}
                             .withControls(rfidControls())
                             .withEnableRules(rfidEnableRules())
                             .withBuffer(kDelimiterBufferSize)
                             .onPrepare(prepare)
                             .onSetUp(setUp)
                             .onCommand(command)
                             .onChanged(changed)
                             .onOk(ok);

}  // namespace

bool runRfidDialog(HWND owner) {
    return runTableDialog(owner, kSpec);
}

}  // namespace varomil
