#include "tests/gui/gui_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/application_win.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "shell/message_box_win.h"
#include "resources/resource_ids.h"

namespace varomil::test {

void refuseUnscriptedDialogs() {
    // A real dialog would wait for a user who is not there and hang the run.
    setMessageBoxHook([](HWND, const char* text, const char*, UINT) {
        ADD_FAILURE() << "unscripted message box: " << text;
        return IDCANCEL;
    });
    setFileDialogHook([](FileDialogKind, OPENFILENAMEA&) {
        ADD_FAILURE() << "unscripted file dialog";
        return false;
    });
}

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    setMessageBoxHook([this](HWND owner, const char* text, const char* caption, UINT flags) {
        calls_.push_back({owner, text, caption, flags, statusText()});
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected message box: " << text;
            return IDCANCEL;
        }
        const int button = answers_.front();
        answers_.pop_front();
        return button;
    });
}

ScriptedMessageBoxes::~ScriptedMessageBoxes() {
    refuseUnscriptedDialogs();
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " scripted answer(s) not used";
}

ScriptedFileDialogs::ScriptedFileDialogs() {
    setFileDialogHook([this](FileDialogKind kind, OPENFILENAMEA& ofn) {
        std::string filter;
        if (ofn.lpstrFilter != nullptr) {
            const char* pattern = ofn.lpstrFilter + lstrlenA(ofn.lpstrFilter) + 1;
            filter = std::string(ofn.lpstrFilter) + '\0' + pattern + '\0';
        }
        calls_.push_back({kind, filter, ofn.Flags, ofn.lpstrDefExt ? ofn.lpstrDefExt : ""});
        if (names_.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return false;
        }
        const std::string name = names_.front();
        names_.pop_front();
        if (name.empty() || name.size() >= ofn.nMaxFile) return false;
        lstrcpynA(ofn.lpstrFile, name.c_str(), static_cast<int>(ofn.nMaxFile));
        return true;
    });
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
    refuseUnscriptedDialogs();
    EXPECT_TRUE(names_.empty()) << names_.size() << " file dialog answer(s) not used";
}

namespace {
thread_local DialogHook* activeHook = nullptr;
}

DialogHook::DialogHook(std::function<void(HWND)> action) : action_(std::move(action)) {
    activeHook = this;
    hook_ = SetWindowsHookExA(WH_CBT, hookProc, nullptr, GetCurrentThreadId());
}

DialogHook::~DialogHook() {
    UnhookWindowsHookEx(hook_);
    activeHook = nullptr;
}

LRESULT CALLBACK DialogHook::hookProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogHook* self = activeHook;
    if (self != nullptr && code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        const bool isDialog = std::string(className) == "#32770";
        bool handled = false;
        for (HWND h : self->handled_) handled = handled || h == window;
        if (isDialog && !handled) {
            self->handled_.push_back(window);
            ++self->seen_;
            self->action_(window);
        }
    }
    return CallNextHookEx(self != nullptr ? self->hook_ : nullptr, code, wParam, lParam);
}

void expectBox(const MessageBoxCall& call, const std::string& text, const std::string& caption,
               UINT flags, UINT mask) {
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.caption, caption) << text;
    EXPECT_EQ(call.flags & mask, flags) << text;
}

Asked answering(std::initializer_list<int> boxes, std::initializer_list<std::string> files,
                const std::function<void()>& action) {
    ScriptedMessageBoxes scriptedBoxes;
    ScriptedFileDialogs scriptedFiles;
    for (int b : boxes) scriptedBoxes.answer(b);
    for (const std::string& f : files) scriptedFiles.choose(f);
    action();
    return {scriptedBoxes.calls(), scriptedFiles.calls()};
}

std::string scratchPath(const std::string& name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "varomil-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void drainQuitMessage() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

HWND freshMainWindow() {
    if (IsWindow(mainWindow().frame)) DestroyWindow(mainWindow().frame);
    drainQuitMessage();
    document().CapturedScreenCount = 0;
    return createMainWindow(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
}

std::string windowText(HWND hwnd) {
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string statusText() {
    HWND status = mainWindow().status;
    if (status == nullptr) return "<no status bar>";
    char text[512] = "";
    const LRESULT length = SendMessageA(status, SB_GETTEXTLENGTHA, 0, 0);
    if (LOWORD(length) >= sizeof text) return "<too long>";
    SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string dialogItemText(HWND dialog, int id) {
    return windowText(GetDlgItem(dialog, id));
}

bool buttonEnabled(int command) {
    return SendMessageA(mainWindow().toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(command),
                        0) != 0;
}

bool menuItemEnabled(int command) {
    const UINT state =
        GetMenuState(GetMenu(mainWindow().frame), static_cast<UINT>(command), MF_BYCOMMAND);
    EXPECT_NE(state, static_cast<UINT>(-1)) << "no menu item " << command;
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

RECT childRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void sendCommand(int command) {
    SendMessageA(mainWindow().frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void chooseProduct(int item) {
    const MainWindow& w = mainWindow();
    SendMessageA(w.selector, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageA(w.toolbar, WM_COMMAND, MAKEWPARAM(IDC_PRODUCT_SELECTOR, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(w.selector));
}

}  // namespace varomil::test
