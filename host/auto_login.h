// Answers the host's login prompts with the name and password of the connection's
// settings, each at most once per connection.
#pragma once

#include "host/byte_sink.h"
#include "host/session_settings.h"
#include "host/terminal_screen.h"

namespace varomil {

class AutoLogin {
  public:
    // A new connection: both may be sent again.
    void reset() { nameSent_ = passwordSent_ = false; }
    // Looks at the cursor's row after a received block.
    void check(const SessionSettings& settings, const TerminalScreen& screen, ByteSink& out);

    bool nameSent() const { return nameSent_; }
    bool passwordSent() const { return passwordSent_; }

  private:
    bool nameSent_ = false;
    bool passwordSent_ = false;
};

}  // namespace varomil
