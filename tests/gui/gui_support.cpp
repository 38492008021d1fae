#include "tests/gui/gui_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>

#include "app/application_win.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "settings/settings_image.h"
#include "tests/core/golden.h"
#include "shell/message_box_win.h"
#include "shell/user_settings_win.h"
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

namespace {
// The next scripted answer, or `none` (and a failure) when the script is used up.
template <typename T>
T nextAnswer(std::deque<T>& answers, const T& none, const std::string& what) {
    if (answers.empty()) ADD_FAILURE() << "unexpected " << what;
    if (answers.empty()) return none;
    const T next = answers.front();
    answers.pop_front();
    return next;
}
}  // namespace

ScriptedMessageBoxes::ScriptedMessageBoxes() {
    setMessageBoxHook([this](HWND owner, const char* text, const char* caption, UINT flags) {
        calls_.push_back({owner, text, caption, flags, statusText()});
        return nextAnswer(answers_, IDCANCEL, std::string("message box: ") + text);
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
        calls_.push_back({kind, filter, ofn.Flags, ofn.lpstrDefExt ? ofn.lpstrDefExt : "",
                          ofn.lpstrInitialDir ? ofn.lpstrInitialDir : ""});
        const std::string name = nextAnswer(names_, std::string(), "file dialog");
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
        const auto& seen = self->handled_;
        if (isDialog && std::find(seen.begin(), seen.end(), window) == seen.end()) {
            self->handled_.push_back(window);
            ++self->seen_;
            self->action_(window);
        }
    }
    return CallNextHookEx(self != nullptr ? self->hook_ : nullptr, code, wParam, lParam);
}

void expectBox(const MessageBoxCall& call, const std::string& text, const std::string& caption,
               UINT flags, UINT mask) {
    EXPECT_EQ(std::tie(call.text, call.caption), std::tie(text, caption));
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
    // Each test starts with no recent files and no remembered folder or link.
    RegDeleteTreeA(HKEY_CURRENT_USER, kUserSettingsKey);
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

void expectLog(const std::string& name, const std::string& log) {
    std::istringstream file(readGolden("gui/" + name));
    std::string want;
    for (std::string line; std::getline(file, line);)
        if (line.empty() || line[0] != '#') want += line + "\n";
    ASSERT_FALSE(want.empty()) << "missing " << goldenPath("gui/" + name);
    EXPECT_EQ(log, want) << "differs from " << goldenPath("gui/" + name);
}

std::string scrubbed(std::string text) {
    const std::string scratch = scratchPath("");
    for (std::size_t at; (at = text.find(scratch)) != std::string::npos;)
        text.replace(at, scratch.size(), "<tmp>");
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;) text.replace(at, 1, "\\n");
    return text;
}

std::string describe(const Asked& asked) {
    std::string out;
    char flags[16];
    for (const MessageBoxCall& box : asked.boxes) {
        std::snprintf(flags, sizeof flags, "%X", box.flags);
        out += "box \"" + box.caption + "\" " + flags + ": " + scrubbed(box.text) + "\n";
    }
    for (const ScriptedFileDialogs::Call& file : asked.files) {
        std::snprintf(flags, sizeof flags, "%lX", file.flags);
        std::string filter = file.filter;
        std::replace(filter.begin(), filter.end(), '\0', '|');
        out += std::string(file.kind == FileDialogKind::Open ? "open " : "save ") + filter +
               " flags " + flags + " ext \"" + file.defaultExtension + "\" dir \"" +
               scrubbed(file.initialDir) + "\"\n";
    }
    return out;
}

std::string documentState() {
    return "product " + std::to_string(settingsImage().byte(fld::ProductIndex)) + ", file " +
           (document().CurrentFileName.empty() ? "none" : scrubbed(document().CurrentFileName)) +
           (document().SettingsModified ? ", modified" : "") + "\n";
}

std::string logged(std::initializer_list<int> boxes, std::initializer_list<std::string> files,
                   const std::function<void()>& action) {
    const std::string asked = describe(answering(boxes, files, action));
    return asked + documentState();  // after the action
}

std::string loggedCommand(int command, std::initializer_list<int> boxes,
                          std::initializer_list<std::string> files) {
    return logged(boxes, files, [command] { sendCommand(command); });
}

namespace {
std::string popupItems;
void CALLBACK readPopupAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND popup = FindWindowA("#32768", nullptr);
    const HMENU menu =
        popup ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)) : nullptr;
    char text[64];
    for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        popupItems += std::to_string(GetMenuItemID(menu, i)) + " " + text + "|";
    }
    EndMenu();
}
}  // namespace

std::string popupMenuItems(const std::function<void()>& open) {
    popupItems.clear();
    SetTimer(nullptr, 0, 50, readPopupAndClose);  // fires inside the menu's own loop
    open();
    return popupItems;
}

}  // namespace varomil::test
