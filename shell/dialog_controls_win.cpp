#include "shell/dialog_controls_win.h"

namespace varomil {

namespace {
// Above zero while the program itself rewrites a control's text.
int quietDepth = 0;
}  // namespace

std::string controlText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void setTextQuietly(HWND control, const std::string& text) {
    ++quietDepth;
    SetWindowTextA(control, text.c_str());
    --quietDepth;
}

bool textIsQuiet() {
    return quietDepth > 0;
}

void fillCombo(HWND combo, const std::string_view* items, std::size_t count) {
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (std::size_t n = 0; n < count; ++n) {
        const std::string item(items[n]);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

int comboSelection(HWND combo) {
    const LRESULT sel = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return sel == CB_ERR ? -1 : static_cast<int>(sel);
}

}  // namespace varomil
