#include "pages/table_dialog_win.h"

#include <memory>

#include "shell/dialog_controls_win.h"

namespace varomil {

DialogContext::DialogContext(const DialogSpec& s, void* u)
    : definition(s),
      user(u),
      image(settingsImage()),
      reader1D(companions().reader1D),
      reader2D(companions().reader2D),
      buffer(s.bufferSize) {
    table = ControlTable(s.table, {&image,
                                   {reader1D.data(), reader1D.size()},
                                   {reader2D.data(), reader2D.size()},
                                   {buffer.data(), buffer.size()}});
}

namespace {

DialogContext* contextOf(HWND dialog) {
    return reinterpret_cast<DialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

bool onCommand(DialogContext& ctx, int id, int code) {
    const DialogSpec& definition = ctx.definition;
    bool changed = false;
    if (ctx.table.handle(ctx.dialog, id, code, &changed)) {
        if (changed && definition.changed) definition.changed(ctx, id);
        return true;
    }
    if (definition.command && definition.command(ctx, id, code)) return true;
    if (id == IDOK && code == BN_CLICKED) {
        ctx.table.commitDeferred();
        if (definition.ok && !definition.ok(ctx)) return true;
        EndDialog(ctx.dialog, IDOK);
        return true;
    }
    if (id == IDCANCEL && code == BN_CLICKED) {
        EndDialog(ctx.dialog, IDCANCEL);
        return true;
    }
    return false;
}

INT_PTR CALLBACK tableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* ctx = reinterpret_cast<DialogContext*>(lParam);
            ctx->dialog = dialog;
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            ctx->table.showAll(dialog);
            if (ctx->definition.setUp) ctx->definition.setUp(*ctx);
            return TRUE;
        }
        case WM_COMMAND: {
            DialogContext* ctx = contextOf(dialog);
            if (!ctx || textIsQuiet()) return FALSE;
            return onCommand(*ctx, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

bool runTableDialog(HWND owner, const DialogSpec& definition, void* user) {
    auto ctx = std::make_unique<DialogContext>(definition, user);
    if (definition.prepare) definition.prepare(*ctx);
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), definition.templateName, owner, tableDialogProc,
                        reinterpret_cast<LPARAM>(ctx.get()));
    if (result != IDOK) return false;
    settingsImage() = ctx->image;
    companions().reader1D = ctx->reader1D;
    companions().reader2D = ctx->reader2D;
    if (definition.committed) definition.committed(*ctx);
    return true;
}

}  // namespace varomil
