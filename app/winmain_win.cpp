#include <windows.h>

#include "app/application_win.h"
#include "command_line/batch_download_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    int exitCode = 0;
    if (varomil::runCommandLineBatch(exitCode)) return exitCode;
    return varomil::runApplication(instance, show);
}
