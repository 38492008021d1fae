// Everything the receive thread runs for one block of host bytes, bundled: the
// telnet layer, the interpreter, the screen, the automatic login, the
// connection's copy of its settings and the list of notifications for the window. Not thread-safe
// by design: the program holds one lock around every call and around painting and capture, and
// delivers the notifications (takeNotifications) after releasing it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/auto_login.h"
#include "host/byte_sink.h"
#include "host/key_mapping.h"
#include "host/session_settings.h"
#include "host/screen_notifications.h"
#include "host/telnet_receiver.h"
#include "host/terminal_screen.h"
#include "host/vt_interpreter.h"

namespace varomil {

class HostSession {
  public:
    // The sink carries replies, login answers and keys to the host.
    explicit HostSession(ByteSink& out)
        : out_(out), vt_(screen_, out, notes_), telnet_(vt_, screen_, out, settings_) {}
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // A new connection: screen, modes, parsers and login flags from scratch, and
    // the settings it works with (see settingsForConnection), kept as a copy.
    void beginConnection(const SessionSettings& settings);
    // One received block: telnet layer and interpreter, then the login prompts.
    void receive(const std::uint8_t* data, std::size_t size);
    // The host closed the stream: the login prompts are still looked at once.
    void endOfStream() { login_.check(settings_, screen_, out_); }

    // A special key; nothing is echoed.
    void pressKey(HostKey key);
    // A typed character: sent, and echoed unless the host echoes.
    void typeCharacter(std::uint8_t ch);

    // The notifications gathered since the last call; the list starts empty again.
    ScreenNotifications takeNotifications() {
        ScreenNotifications n = notes_;
        notes_.clear();
        return n;
    }

    const TerminalScreen& screen() const { return screen_; }
    TerminalScreen& screen() { return screen_; }
    VtInterpreter& interpreter() { return vt_; }
    TelnetReceiver& telnet() { return telnet_; }
    const AutoLogin& login() const { return login_; }
    const SessionSettings& settings() const { return settings_; }

  private:
    ByteSink& out_;
    SessionSettings settings_;
    TerminalScreen screen_;
    ScreenNotifications notes_;
    VtInterpreter vt_;
    TelnetReceiver telnet_;
    AutoLogin login_;
};

}  // namespace varomil
