#include "host/host_session.h"

namespace varomil {

void HostSession::beginConnection(const SessionSettings& settings) {
    settings_ = settings;
    telnet_.resetParser();
    vt_.resetParser();
    vt_.resetTerminal();
    login_.reset();
    notes_.clear();
    notes_.invalidateAll();
    notes_.cursorMoved(screen_.row, screen_.column);
}

void HostSession::receive(const std::uint8_t* data, std::size_t size) {
    telnet_.receive(data, size);
    login_.check(settings_, screen_, out_);
}

void HostSession::pressKey(HostKey key) {
    const std::string bytes = keyBytes(key, screen_.applicationCursorKeys, screen_.newLineMode);
    if (!bytes.empty()) out_.send(bytes);
}

void HostSession::typeCharacter(std::uint8_t ch) {
    const std::string bytes = typedCharacterBytes(ch);
    if (bytes.empty()) return;
    out_.send(bytes);
    if (!screen_.remoteEcho) vt_.echoTyped(ch);
}

}  // namespace varomil
