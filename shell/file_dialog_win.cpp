#include "shell/file_dialog_win.h"

#include <utility>

namespace varomil {

namespace {
FileDialogHook& hook() {
    static FileDialogHook h;
    return h;
}
}  // namespace

bool chooseOpenFile(OPENFILENAMEA& ofn) {
    if (hook()) return hook()(FileDialogKind::Open, ofn);
    return GetOpenFileNameA(&ofn) != FALSE;
}

bool chooseSaveFile(OPENFILENAMEA& ofn) {
    if (hook()) return hook()(FileDialogKind::Save, ofn);
    return GetSaveFileNameA(&ofn) != FALSE;
}

void setFileDialogHook(FileDialogHook h) {
    hook() = std::move(h);
}

}  // namespace varomil
