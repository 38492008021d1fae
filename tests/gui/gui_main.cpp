// The GUI test program: registers the window classes once, then every test works
// on a main window of its own inside this one process. New, Open and Configure
// open the settings sheet; tests that do not drive it see it cancelled at once,
// as a user closing it unchanged would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/application_win.h"
#include "app/property_sheet_win.h"
#include "tests/gui/gui_support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!varomil::startApplication(GetModuleHandleA(nullptr))) {
        std::fprintf(stderr, "window class registration failed\n");
        return 1;
    }
    varomil::test::refuseUnscriptedDialogs();
    varomil::setSettingsSheetDriver([](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_CANCEL); });
    return RUN_ALL_TESTS();
}
