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
            return TRUE;
        }
        case WM_COMMAND:
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

// The progress window and the erase notice have no buttons and ignore input.
INT_PTR CALLBACK NoticeProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG ? TRUE : FALSE;
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
}

void WinDownloadUi::message(std::string_view text, std::string_view caption, MessageIcon icon) {
    const std::string t(text), c(caption);
    showMessage(GetActiveWindow(), t.c_str(), c.c_str(),
                MB_OK | (icon == MessageIcon::Question ? MB_ICONQUESTION : MB_ICONWARNING));
}

bool WinDownloadUi::ask(std::string_view text, std::string_view caption) {
    const std::string t(text), c(caption);
    return showMessage(GetActiveWindow(), t.c_str(), c.c_str(), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

bool WinDownloadUi::chooseLinkSettings(LinkChoice& choice) {
    return DialogBoxParamA(instance(), "DOWNLOADDLG", GetFocus(), DownloadPropertiesProc,
                           reinterpret_cast<LPARAM>(&choice)) == IDOK;
}

bool WinDownloadUi::chooseProgramFile(std::string& name) {
    char file[kProgramNameSize] = "";
    if (name.size() < sizeof file) std::memcpy(file, name.c_str(), name.size() + 1);
    static const char filter[] = "Absolute object programs {*.SHX}\0*.SHX\0";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrDefExt = "SHX";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!chooseOpenFile(ofn)) return false;
    file[sizeof file - 1] = '\0';
    name = file;
    return true;
}

void WinDownloadUi::beginProgress(int range) {
    endProgress();
    progress_ = CreateDialogParamA(instance(), "PROGRESSDLG", nullptr, NoticeProc, 0);
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
