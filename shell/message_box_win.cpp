#include "shell/message_box_win.h"

#include <utility>

namespace varomil {

namespace {
MessageBoxHook& hook() {
    static MessageBoxHook h;
    return h;
}
}  // namespace

int showMessage(HWND owner, const char* text, const char* caption, UINT flags) {
    if (hook()) return hook()(owner, text, caption, flags);
    return MessageBoxA(owner, text, caption, flags);
}

void setMessageBoxHook(MessageBoxHook h) {
    hook() = std::move(h);
}

}  // namespace varomil
