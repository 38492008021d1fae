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

void AutoLogin::check(const SettingsImage& image, const TerminalScreen& screen, ByteSink& out) {
    if (!image.flag(fld::AutoLogin)) return;
    const std::string row = screen.rowText(screen.row);
    if (!nameSent_ && rowStartsWith(row, image.text(fld::NamePrompt))) {
        const std::string name = image.text(fld::LoginName);
        if (!name.empty()) {
            out.send(telnetData(name));
            out.send("\r\n");
            nameSent_ = true;
        }
    }
    if (!passwordSent_ && rowStartsWith(row, image.text(fld::PasswordPrompt))) {
        const std::string password = telnetData(image.text(fld::LoginPassword));
        if (!password.empty()) out.send(password);
        out.send("\r\n");
        passwordSent_ = true;
    }
}

}  // namespace varomil
