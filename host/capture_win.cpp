#include "host/capture_win.h"

namespace varomil {

// Placeholders until host-screen capture lands: no file is opened or written.
bool startCapture(HWND) {
    return false;
}
void captureScreen(HWND) {}
void stopCapture(HWND) {}

}  // namespace varomil
