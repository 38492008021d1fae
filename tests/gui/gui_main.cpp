// The GUI test program: registers the window classes once, then every test works
// on a main window of its own inside this one process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/application_win.h"
#include "tests/gui/gui_support.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!varomil::startApplication(GetModuleHandleA(nullptr))) {
        std::fprintf(stderr, "window class registration failed\n");
        return 1;
    }
    varomil::test::refuseUnscriptedDialogs();
    return RUN_ALL_TESTS();
}
