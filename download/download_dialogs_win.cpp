#include "download/download_dialogs_win.h"

#include <commctrl.h>

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "shell/file_dialog_win.h"
#include "shell/message_box_win.h"
#include "download/link_interfaces.h"
#include "download/serial_link.h"
#include "resources/download_ids.h"
#include "settings/value_lists.h"
#include "shell/dialog_controls_win.h"
#include "shell/link_status_win.h"
#include "shell/user_settings_win.h"

namespace varomil {
namespace {

constexpr int kBarMargin = 14;
constexpr int kBarHeight = 20;

HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

template <std::size_t N>
void showList(HWND dialog, int id, const std::array<std::string_view, N>& names, int selected) {
    const HWND combo = GetDlgItem(dialog, id);
    fillCombo(combo, names);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

// The chosen entry; the first when none is chosen.
int chosen(HWND dialog, int id) {
    const int i = comboSelection(GetDlgItem(dialog, id));
    return i < 0 ? 0 : i;
}

// The last choice of the user, kept for the next download.
constexpr char kLastVia[] = "DownloadVia";
constexpr char kLastPort[] = "DownloadPort";
constexpr char kLastSpeed[] = "DownloadSpeed";

// RF needs no serial port and no line speed.
void grayUnusedLists(HWND dialog) {
    const bool serial = chosen(dialog, IDC_DOWNLOAD_VIA) != kViaRf;
    EnableWindow(GetDlgItem(dialog, IDC_DOWNLOAD_PORT), serial);
    EnableWindow(GetDlgItem(dialog, IDC_DOWNLOAD_SPEED), serial);
}

INT_PTR CALLBACK DownloadPropertiesProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            const auto& choice = *reinterpret_cast<const LinkChoice*>(lParam);
            std::array<std::string, kComPortCount> ports;
            std::array<std::string_view, kComPortCount> portNames;
            for (int i = 0; i < kComPortCount; ++i) {
                ports[i] = "COM" + std::to_string(i + 1);
                portNames[i] = ports[i];
            }
            showList(dialog, IDC_DOWNLOAD_VIA, lists::kDownloadVia, choice.via);
            showList(dialog, IDC_DOWNLOAD_PORT, portNames, choice.port);
            showList(dialog, IDC_DOWNLOAD_SPEED, lists::kBaudRate, choice.speed);
            grayUnusedLists(dialog);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_DOWNLOAD_VIA && HIWORD(wParam) == CBN_SELCHANGE) {
                grayUnusedLists(dialog);
                return TRUE;
            }
            if (LOWORD(wParam) == IDOK) {
                auto& choice = *reinterpret_cast<LinkChoice*>(GetWindowLongPtrA(dialog, DWLP_USER));
                choice.via = chosen(dialog, IDC_DOWNLOAD_VIA);
                choice.port = chosen(dialog, IDC_DOWNLOAD_PORT);
                choice.speed = chosen(dialog, IDC_DOWNLOAD_SPEED);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

// The erase notice has no buttons and ignores input.
INT_PTR CALLBACK NoticeProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

// The progress window: Cancel (the button or Escape) marks the download as
// cancelled; the transfer sees it before its next block or record.
INT_PTR CALLBACK CancelNoticeProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                *reinterpret_cast<bool*>(GetWindowLongPtrA(dialog, DWLP_USER)) = true;
                EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

// The wait notice: Cancel (the button, Escape or the close box) marks the wait
// as cancelled; the download sees it at its next look.
struct WaitNotice {
    bool* cancelled;
    const char* text;
};

INT_PTR CALLBACK WaitNoticeProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            const auto& notice = *reinterpret_cast<const WaitNotice*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(notice.cancelled));
            SetDlgItemTextA(dialog, IDC_WAIT_TEXT, notice.text);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                *reinterpret_cast<bool*>(GetWindowLongPtrA(dialog, DWLP_USER)) = true;
                EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

// Keys and clicks that waited in the queue during a blocking wait were meant for
// something else: a question shown now must not take them as its answer.
void discardQueuedInput() {
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&m, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

// The transfer blocks this thread: paint now what changed, and look at the queue
// without taking anything from it, so that the system does not take the program
// for hung (a queue that is looked at is a thread that answers).
void paintNow(HWND window) {
    if (window == nullptr) return;
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG m;
    PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace

WinDownloadUi::~WinDownloadUi() {
    endProgress();
    hideEraseNotice();
    hideWaitNotice();
}

void WinDownloadUi::message(std::string_view text, std::string_view caption, MessageIcon icon) {
    discardQueuedInput();
    const std::string t(text), c(caption);
    showMessage(GetActiveWindow(), t.c_str(), c.c_str(),
                MB_OK | (icon == MessageIcon::Question ? MB_ICONQUESTION : MB_ICONWARNING));
}

bool WinDownloadUi::ask(std::string_view text, std::string_view caption) {
    discardQueuedInput();
    const std::string t(text), c(caption);
    return showMessage(GetActiveWindow(), t.c_str(), c.c_str(), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

bool WinDownloadUi::chooseLinkSettings(LinkChoice& choice) {
    choice.via = readUserChoice(kLastVia, static_cast<int>(lists::kDownloadVia.size()), choice.via);
    choice.port = readUserChoice(kLastPort, kComPortCount, choice.port);
    choice.speed =
        readUserChoice(kLastSpeed, static_cast<int>(lists::kBaudRate.size()), choice.speed);
    if (DialogBoxParamA(instance(), "DOWNLOADDLG", GetFocus(), DownloadPropertiesProc,
                        reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return false;
    writeUserChoice(kLastVia, choice.via);
    writeUserChoice(kLastPort, choice.port);
    writeUserChoice(kLastSpeed, choice.speed);
    return true;
}

bool WinDownloadUi::chooseProgramFile(std::string& name) {
    const auto chosen =
        chooseFile(GetActiveWindow(), FileDialogKind::Open, FileType::Program, name);
    if (!chosen) return false;
    name = *chosen;
    return true;
}

void WinDownloadUi::beginProgress(int range) {
    endProgress();
    progress_ = CreateDialogParamA(instance(), "PROGRESSDLG", nullptr, CancelNoticeProc,
                                   reinterpret_cast<LPARAM>(&cancelled_));
    if (progress_ == nullptr) return;
    RECT client{};
    GetClientRect(progress_, &client);
    bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "Downloading", WS_CHILD | WS_VISIBLE, kBarMargin,
                           client.bottom / 2, client.right - 2 * kBarMargin, kBarHeight, progress_,
                           nullptr, instance(), nullptr);
    SendMessageA(bar_, PBM_SETPOS, 0, 0);
    SendMessageA(bar_, PBM_SETRANGE32, 0, range);
    ShowWindow(progress_, SW_SHOW);
    paintNow(progress_);
}

void WinDownloadUi::setProgress(int position) {
    if (bar_ == nullptr) return;
    SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    paintNow(progress_);
}

void WinDownloadUi::progressCount(std::string_view text) {
    if (progress_ == nullptr) return;
    SetDlgItemTextA(progress_, IDC_PROGRESS_COUNT, std::string(text).c_str());
    paintNow(progress_);
}

void WinDownloadUi::endProgress() {
    if (progress_ != nullptr) DestroyWindow(progress_);  // the bar goes with it
    progress_ = nullptr;
    bar_ = nullptr;
}

void WinDownloadUi::showEraseNotice() {
    hideEraseNotice();
    erase_ = CreateDialogParamA(instance(), "EraseDlg", nullptr, NoticeProc, 0);
    if (erase_ == nullptr) return;
    ShowWindow(erase_, SW_SHOW);
    paintNow(erase_);
}

void WinDownloadUi::hideEraseNotice() {
    if (erase_ != nullptr) DestroyWindow(erase_);
    erase_ = nullptr;
}

}  // namespace varomil

namespace varomil {

void WinDownloadUi::showWaitNotice(std::string_view text) {
    // A Cancel lasts for the whole command: the notice of the next stage must not
    // forget one clicked as the last stage ended.
    hideWaitNotice();
    HWND owner = statusWindow_ != nullptr ? GetAncestor(statusWindow_, GA_ROOT) : nullptr;
    const std::string t(text);
    WaitNotice notice{&cancelled_, t.c_str()};
    wait_ = CreateDialogParamA(instance(), "WAITDLG", owner, WaitNoticeProc,
                               reinterpret_cast<LPARAM>(&notice));
    if (wait_ == nullptr) return;
    ShowWindow(wait_, SW_SHOW);
    paintNow(wait_);
    lastLook_ = GetTickCount();
}

namespace {
// Handles what is queued for the notice (and its button) alone; everything else
// stays queued and is discarded before the next question.
void takeNoticeInput(HWND notice) {
    MSG m;
    while (PeekMessageA(&m, notice, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(notice, &m)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
}
}  // namespace

// A Cancel pressed just before the wait ended still counts.
void WinDownloadUi::hideWaitNotice() {
    if (wait_ == nullptr) return;
    takeNoticeInput(wait_);
    DestroyWindow(wait_);
    wait_ = nullptr;
}

bool WinDownloadUi::cancelled() {
    // The wait notice and the progress window are never up together.
    const HWND notice = wait_ != nullptr ? wait_ : progress_;
    if (cancelled_ || notice == nullptr) return cancelled_;
    const DWORD now = GetTickCount();
    if (now - lastLook_ < kLookEveryMs) return false;
    lastLook_ = now;
    takeNoticeInput(notice);
    return cancelled_;
}

void WinDownloadUi::linkStatus(std::string_view text) {
    if (statusWindow_ == nullptr) return;
    const std::string t(text);
    showLinkStatus(statusWindow_, t.c_str());
    // The download blocks the thread: show the status bar's parts now.
    paintNow(GetAncestor(statusWindow_, GA_ROOT));
}

}  // namespace varomil
