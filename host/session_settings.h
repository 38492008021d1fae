// What one telnet connection needs of the settings, copied at Connect on the
// user-interface thread. The receive thread reads only this copy: the pages and
// the file commands go on editing the settings image meanwhile.
#pragma once

#include <string>

#include "settings/settings_image.h"
#include "settings/value_lists.h"

namespace varomil {

struct SessionSettings {
    bool autoLogin = false;
    std::string namePrompt;
    std::string loginName;
    std::string passwordPrompt;
    std::string loginPassword;
    std::string terminalType = std::string(lists::kDefaultTerminalType);
};

// The copy for a new connection. An empty TerminalType is set to "vt100" in the
// image first, as the host will be told that name.
SessionSettings settingsForConnection(SettingsImage& image);

}  // namespace varomil
