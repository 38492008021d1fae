#include "barcode/symbology_dialog_win.h"

#include "barcode/symbology_dialogs.h"
#include "pages/table_dialog_win.h"
#include "settings/value_lists.h"
#include "shell/dialog_controls_win.h"

namespace varomil {

namespace {

// The dialog being run, and the length option its lengths were last set for:
// the combo box also notifies when it merely loses the focus.
struct Running {
    const SymbologyDialog& dialog;
    unsigned option = 0;
};

Running& running(const DialogContext& ctx) {
    return *static_cast<Running*>(ctx.user);
}

const SymbologyDialog& symbology(const DialogContext& ctx) {
    return running(ctx).dialog;
}

// The dialog's copy of its working block.
ByteSpan block(DialogContext& ctx) {
    return ctx.table.areas()[symbology(ctx).block];
}

bool is2D(const SymbologyDialog& d) {
    return d.block == Area::Reader2D;
}

void showLengthLabels(DialogContext& ctx) {
    const SymbologyDialog& d = symbology(ctx);
    if (!d.lengths) return;
    const LengthLabels labels = lengthLabels(d, readBits(block(ctx), d.lengths->mode));
    const int first = is2D(d) ? dlgid::kFirstLengthLabel2D : dlgid::kFirstLengthLabel;
    const int second = is2D(d) ? dlgid::kSecondLengthLabel2D : dlgid::kSecondLengthLabel;
    SetDlgItemTextA(ctx.dialog, first, std::string(labels.first).c_str());
    SetDlgItemTextA(ctx.dialog, second, std::string(labels.second).c_str());
}

void showI25Verify(DialogContext& ctx) {
    SendDlgItemMessageA(ctx.dialog, dlgid::kI25Verify, CB_SETCURSEL,
                        static_cast<WPARAM>(i25VerifyShown(block(ctx))), 0);
}

void setUp(DialogContext& ctx) {
    const SymbologyDialog& d = symbology(ctx);
    if (d.lengths) {
        running(ctx).option = readBits(block(ctx), d.lengths->mode);
        showLengthLabels(ctx);
    }
    if (d.extra == DialogExtra::I25Verify) {
        fillCombo(GetDlgItem(ctx.dialog, dlgid::kI25Verify), lists::kI25Verify);
        showI25Verify(ctx);
    }
}

// Shows again what the dialog's rules may have changed besides the control used.
void showRuleResults(DialogContext& ctx, int id) {
    const SymbologyDialog& d = symbology(ctx);
    dialogChanged(d, block(ctx), id);
    if (is2D(d) && d.lengths && id == dlgid::kLengthOption) {
        ctx.table.show(ctx.dialog, dlgid::kFirstLength);
        ctx.table.show(ctx.dialog, dlgid::kSecondLength);
    }
    if (d.extra == DialogExtra::I25Verify) {
        ctx.table.show(ctx.dialog, dlgid::kI25TransmitCheck);
        ctx.table.show(ctx.dialog, dlgid::kI25ToEan13);
        showI25Verify(ctx);
    }
    showLengthLabels(ctx);
}

void changed(DialogContext& ctx, int id) {
    const SymbologyDialog& d = symbology(ctx);
    if (d.lengths && id == dlgid::kLengthOption) {
        const unsigned option = readBits(block(ctx), d.lengths->mode);
        if (option == running(ctx).option) return;
        running(ctx).option = option;
    }
    showRuleResults(ctx, id);
}

// The Interleaved 25 verification combo stands for two bits of its own.
bool command(DialogContext& ctx, int id, int code) {
    if (symbology(ctx).extra != DialogExtra::I25Verify || id != dlgid::kI25Verify) return false;
    if (code == CBN_SELCHANGE) {
        storeI25Verify(block(ctx), comboSelection(GetDlgItem(ctx.dialog, id)));
        showRuleResults(ctx, id);
    }
    return true;
}

bool ok(DialogContext& ctx) {
    finishDialogOk(symbology(ctx), block(ctx));
    return true;
}

}  // namespace

bool runSymbologyDialog(HWND owner, const char* templateName) {
    const SymbologyDialog* d = findSymbologyDialog(templateName ? templateName : "");
    if (!d) return false;
    // What the dialog clears on opening stays cleared when it is cancelled.
    openDialog(*d, liveAreas()[d->block]);
    DialogSpec definition = DialogSpec{templateName}
                                .withControls(d->table.controls)
                                .withEnableRules(d->table.enables)
                                .onSetUp(setUp)
                                .onCommand(command)
                                .onChanged(changed)
                                .onOk(ok);
    Running run{*d};
    return runTableDialog(owner, definition, &run);
}

}  // namespace varomil
