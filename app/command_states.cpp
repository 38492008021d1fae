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

SiteRunLayout siteRunLayout(bool running) {
    return {{
        {cmd::Configure, !running},
        {cmd::DownloadSettings, !running},
        {cmd::DownloadProgram, !running},
    }};
}

bool grayedWhileSiteRuns(int id) {
    for (const CommandState& s : siteRunLayout(true))
        if (s.id == id) return true;
    return false;
}

}  // namespace varomil
