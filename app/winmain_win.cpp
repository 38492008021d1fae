#include <windows.h>

#include "app/application_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    return varomil::runApplication(instance, show);
}
