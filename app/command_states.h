// Which Telnet commands are enabled in each connection and capture state. The
// toolbar and the menu apply the same layouts, each tested on its own current
// Connect (or Start Capture) state.
#pragma once

#include <array>

#include "app/command_ids.h"

namespace varomil {

struct CommandState {
    int id;
    bool enabled;
};

using ConnectionLayout = std::array<CommandState, 5>;
using CaptureLayout = std::array<CommandState, 3>;
using SiteRunLayout = std::array<CommandState, 3>;

// The connected layout (Connect off; Disconnect and the capture commands on)
// applies only when the disconnected flag is clear and Connect is still enabled;
// otherwise Connect is on and the four others are off.
ConnectionLayout connectionLayout(bool disconnected, bool connectEnabled);

// The capturing layout (Start Capture off; Capture and Stop Capture on) applies
// only when the idle flag is clear and Start Capture is still enabled.
CaptureLayout captureLayout(bool idle, bool startCaptureEnabled);

// While Download to Many Terminals runs, the other downloads and Configure are off.
SiteRunLayout siteRunLayout(bool running);
bool grayedWhileSiteRuns(int id);

}  // namespace varomil
