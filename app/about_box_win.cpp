#include "app/about_box_win.h"

#include <string>

#include "app/application_win.h"
#include "resources/resource_ids.h"

namespace varomil {

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG: {
            const std::string title = windowTitle() + " (" + loadResourceString(IDS_VERSION) + ")";
            SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, title.c_str());
            SetDlgItemTextA(dialog, IDC_ABOUT_MAKER, loadResourceString(IDS_MAKER).c_str());
            SetDlgItemTextA(dialog, IDC_ABOUT_NOTICE, loadResourceString(IDS_NOTICE).c_str());
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

void showAboutBox(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), "AboutBox", owner, AboutBoxProc, 0);
}

}  // namespace varomil
