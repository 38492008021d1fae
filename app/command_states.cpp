#include "app/command_states.h"

namespace varomil {

ConnectionLayout connectionLayout(bool disconnected, bool connectEnabled) {
    const bool connected = !disconnected && connectEnabled;
    return {{
        {cmd::Connect, !connected},
        {cmd::Disconnect, connected},
        {cmd::Capture, connected},
        {cmd::StartCapture, connected},
        {cmd::StopCapture, connected},
    }};
}

CaptureLayout captureLayout(bool idle, bool startCaptureEnabled) {
    const bool capturing = !idle && startCaptureEnabled;
    return {{
        {cmd::StartCapture, !capturing},
        {cmd::Capture, capturing},
        {cmd::StopCapture, capturing},
    }};
}

}  // namespace varomil
