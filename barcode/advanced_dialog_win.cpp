#include "barcode/advanced_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "barcode/advanced_settings.h"
#include "pages/table_dialog_win.h"
#include "resources/barcode_ids.h"
#include "shell/dialog_controls_win.h"

namespace varomil {

namespace {

constexpr int kSpinLow = 1;
constexpr int kSpinHigh = 50;

PartialRead& partial(DialogContext& ctx) {
    return *static_cast<PartialRead*>(ctx.user);
}

void enableVibrators(DialogContext& ctx) {
    const VibratorEnables v =
        vibratorEnables(ctx.image.byte(fld::ProductIndex), ctx.image.flag(fld::FeedbackByCommand));
    EnableWindow(GetDlgItem(ctx.dialog, IDC_ADV_GOOD_VIBRATOR), v.good);
    EnableWindow(GetDlgItem(ctx.dialog, IDC_ADV_ERROR_VIBRATOR), v.error);
    EnableWindow(GetDlgItem(ctx.dialog, IDC_ADV_LOCAL_VIBRATOR), v.local);
}

void setUp(DialogContext& ctx) {
    HWND dialog = ctx.dialog;
    for (int spin :
         {IDC_ADV_CODE_LENGTH_SPIN, IDC_ADV_PARTIAL_START_SPIN, IDC_ADV_PARTIAL_MAX_SPIN}) {
        SendDlgItemMessageA(dialog, spin, UDM_SETRANGE32, kSpinLow, kSpinHigh);
    }
    PartialRead& p = partial(ctx);
    p = partialReadShown(ctx.image.byte(fld::PartialStartPosition),
                         ctx.image.byte(fld::PartialMaxLength));
    setTextQuietly(GetDlgItem(dialog, IDC_ADV_PARTIAL_START), std::to_string(p.start));
    setTextQuietly(GetDlgItem(dialog, IDC_ADV_PARTIAL_MAX), std::to_string(p.maximum));
    enableVibrators(ctx);
}

// The partial read's numbers live in the dialog until OK.
bool command(DialogContext& ctx, int id, int code) {
    if ((id != IDC_ADV_PARTIAL_START && id != IDC_ADV_PARTIAL_MAX) || code != EN_CHANGE) {
        return false;
    }
    HWND edit = GetDlgItem(ctx.dialog, id);
    const std::string text = controlText(edit);
    const PartialTyped typed = id == IDC_ADV_PARTIAL_START ? startTyped(text) : maximumTyped(text);
    (id == IDC_ADV_PARTIAL_START ? partial(ctx).start : partial(ctx).maximum) = typed.value;
    if (typed.replaceWith) {
        setTextQuietly(edit, *typed.replaceWith);
        SendMessageA(edit, EM_SETSEL, 0, -1);
    }
    return true;
}

void changed(DialogContext& ctx, int) {
    enableVibrators(ctx);
}

bool ok(DialogContext& ctx) {
    finishAdvancedOk(ctx.image, partial(ctx));
    return true;
}

const DialogSpec kSpec = DialogSpec{"ADVANCEDDLG"}
                             .withControls(advancedControls())
                             .withEnableRules(advancedEnableRules())
                             .onSetUp(setUp)
                             .onCommand(command)
                             .onChanged(changed)
                             .onOk(ok);

}  // namespace

bool runAdvancedDialog(HWND owner) {
    PartialRead partialRead;
    return runTableDialog(owner, kSpec, &partialRead);
}

}  // namespace varomil
