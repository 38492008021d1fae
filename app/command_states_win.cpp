// SetConnectionState and SetCaptureState: the toolbar and the menu each test their
// own current state of Connect (Start Capture) and get the layout that gives.
#include <windows.h>
#include <commctrl.h>

#include "app/command_states.h"
#include "app/main_window_win.h"

namespace varomil {

namespace {

bool buttonEnabled(HWND toolbar, int id) {
    return SendMessageA(toolbar, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
}

bool menuItemEnabled(HMENU menu, int id) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

template <typename Layout>
void applyToToolbar(HWND toolbar, const Layout& layout) {
    for (const CommandState& s : layout) {
        SendMessageA(toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(s.id), MAKELPARAM(s.enabled, 0));
    }
}

template <typename Layout>
void applyToMenu(HMENU menu, const Layout& layout) {
    for (const CommandState& s : layout) {
        EnableMenuItem(menu, static_cast<UINT>(s.id),
                       MF_BYCOMMAND | (s.enabled ? MF_ENABLED : MF_GRAYED));
    }
}

}  // namespace

void SetConnectionState(HWND frame, bool disconnected) {
    HWND toolbar = GetDlgItem(frame, IDC_TOOLBAR);
    HMENU menu = GetMenu(frame);
    applyToToolbar(toolbar, connectionLayout(disconnected, buttonEnabled(toolbar, cmd::Connect)));
    applyToMenu(menu, connectionLayout(disconnected, menuItemEnabled(menu, cmd::Connect)));
}

void SetCaptureState(HWND frame, bool idle) {
    HWND toolbar = GetDlgItem(frame, IDC_TOOLBAR);
    HMENU menu = GetMenu(frame);
    applyToToolbar(toolbar, captureLayout(idle, buttonEnabled(toolbar, cmd::StartCapture)));
    applyToMenu(menu, captureLayout(idle, menuItemEnabled(menu, cmd::StartCapture)));
}

void SetSiteRunState(HWND frame, bool running) {
    applyToToolbar(GetDlgItem(frame, IDC_TOOLBAR), siteRunLayout(running));
    applyToMenu(GetMenu(frame), siteRunLayout(running));
}

}  // namespace varomil
