#include "pages/function_key_dialog_win.h"

#include <algorithm>
#include <string>

#include "pages/function_key_mapping.h"
#include "pages/table_dialog_win.h"
#include "resources/emulation_ids.h"
#include "settings/builtin_tables.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

// The dialog edits a buffer: the modifier, the host key, then the 5-byte code.
constexpr std::size_t kModifierByte = 0;
constexpr std::size_t kHostKeyByte = 1;
constexpr std::size_t kCodeOffset = 2;
constexpr std::size_t kBufferSize = kCodeOffset + kKeyCodeWidth;

constexpr BitField inBuffer(std::size_t offset, std::size_t width = 1) {
    return {Area::Buffer, {offset, width}, 0, 0};
}

constexpr ControlSpec kControls[] = {
    combo(IDC_FK_MODIFIER, inBuffer(kModifierByte), lists::kModifierChoice),
    combo(IDC_FK_HOST_KEY, inBuffer(kHostKeyByte), lists::kHostKey),
    grid(IDC_FK_CODE, inBuffer(kCodeOffset, kKeyCodeWidth), GridMode::KeyNames7Bit,
         GridLength::UpToZero, kKeyCodeWidth),
};

// The code is entered only for a host key other than "Undefined".
constexpr EnableRule kEnables[] = {
    {IDC_FK_CODE, IDC_FK_CODE, inBuffer(kHostKeyByte), 0, true},
};

// The caller's side: the key, and the key-code table as OK will leave it.
struct KeyEdit {
    std::size_t record;
    FunctionKeyTable table;
};

KeyEdit& editOf(DialogContext& ctx) {
    return *static_cast<KeyEdit*>(ctx.user);
}

KeyChoice choiceIn(const DialogContext& ctx) {
    KeyChoice c;
    c.modifier = ctx.buffer[kModifierByte];
    c.hostKey = ctx.buffer[kHostKeyByte];
    std::copy_n(ctx.buffer.begin() + kCodeOffset, kKeyCodeWidth, c.code.begin());
    return c;
}

void prepare(DialogContext& ctx) {
    const KeyChoice c = choiceOf(ctx.image, editOf(ctx).record);
    ctx.buffer[kModifierByte] = static_cast<Byte>(c.modifier);
    ctx.buffer[kHostKeyByte] = static_cast<Byte>(c.hostKey);
    std::copy(c.code.begin(), c.code.end(), ctx.buffer.begin() + kCodeOffset);
}

void setUp(DialogContext& ctx) {
    const std::string name(terminalKeyName(editOf(ctx).record));
    SetDlgItemTextA(ctx.dialog, IDC_FK_KEY_NAME, name.c_str());
}

// A new modifier or host key offers its code: the table's, or the key's own.
void changed(DialogContext& ctx, int id) {
    if (id != IDC_FK_MODIFIER && id != IDC_FK_HOST_KEY) return;
    const KeyChoice c = choiceIn(ctx);
    const KeyCode code =
        offeredCode(ctx.image, editOf(ctx).table, editOf(ctx).record, c.modifier, c.hostKey);
    std::copy(code.begin(), code.end(), ctx.buffer.begin() + kCodeOffset);
    ctx.table.show(ctx.dialog, IDC_FK_CODE);
}

bool ok(DialogContext& ctx) {
    return commitKeyChoice(ctx.image, editOf(ctx).table, editOf(ctx).record, choiceIn(ctx));
}

void committed(DialogContext& ctx) {
    companions().functionKeys = editOf(ctx).table;
}

constexpr DialogSpec kDialog = DialogSpec{"FUNCTIONKEYDLG"}
                                   .withControls(kControls)
                                   .withEnableRules(kEnables)
                                   .withBuffer(kBufferSize)
                                   .onPrepare(prepare)
                                   .onSetUp(setUp)
                                   .onChanged(changed)
                                   .onOk(ok)
                                   .onCommitted(committed);

}  // namespace

bool editKey(HWND owner, std::size_t record) {
    if (record >= fld::kKeyRecordCount || recordHoldsRole(settingsImage(), record)) return false;
    KeyEdit edit{record, companions().functionKeys};
    return runTableDialog(owner, kDialog, &edit);
}

}  // namespace varomil
