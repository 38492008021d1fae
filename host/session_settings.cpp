#include "host/session_settings.h"

namespace varomil {

SessionSettings settingsForConnection(SettingsImage& image) {
    if (image.text(fld::TerminalType).empty())
        image.setText(fld::TerminalType, lists::kDefaultTerminalType);
    SessionSettings s;
    s.autoLogin = image.flag(fld::AutoLogin);
    s.namePrompt = image.text(fld::NamePrompt);
    s.loginName = image.text(fld::LoginName);
    s.passwordPrompt = image.text(fld::PasswordPrompt);
    s.loginPassword = image.text(fld::LoginPassword);
    s.terminalType = image.text(fld::TerminalType);
    return s;
}

}  // namespace varomil
