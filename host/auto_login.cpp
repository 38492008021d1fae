#include "host/auto_login.h"

#include <string>

namespace varomil {

namespace {

// The row begins with the prompt; an empty prompt matches any row.
bool rowStartsWith(const std::string& row, const std::string& prompt) {
    return row.compare(0, prompt.size(), prompt) == 0;
}

// Data bytes 255 are doubled so that the host's telnet layer sees data, not IAC.
std::string telnetData(const std::string& text) {
    std::string out;
    for (char ch : text) {
        out += ch;
        if (static_cast<unsigned char>(ch) == 255) out += ch;
    }
    return out;
}

}  // namespace

void AutoLogin::check(const SessionSettings& settings, const TerminalScreen& screen,
                      ByteSink& out) {
    if (!settings.autoLogin) return;
    const std::string row = screen.rowText(screen.row);
    if (!nameSent_ && rowStartsWith(row, settings.namePrompt)) {
        if (!settings.loginName.empty()) {
            out.send(telnetData(settings.loginName));
            out.send("\r\n");
            nameSent_ = true;
        }
    }
    if (!passwordSent_ && rowStartsWith(row, settings.passwordPrompt)) {
        const std::string password = telnetData(settings.loginPassword);
        if (!password.empty()) out.send(password);
        out.send("\r\n");
        passwordSent_ = true;
    }
}

}  // namespace varomil
