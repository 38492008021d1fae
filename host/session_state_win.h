// The one host session of the process and the lock that guards it. The receive
// thread and the user-interface thread both run the interpreter; every call into
// the session, every read of its screen and the window's pending notifications
// happen under `lock`, and no window is called while it is held.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>

#include "host/byte_sink.h"
#include "host/host_session.h"
#include "host/screen_notifications.h"

namespace varomil {

// The open connection's socket; INVALID_SOCKET while none is open. Each send is
// completed (partial sends are continued); errors are ignored.
class SocketSink : public ByteSink {
  public:
    using ByteSink::send;
    void send(const std::uint8_t* data, std::size_t size) override;
    SOCKET socket = INVALID_SOCKET;
};

struct SessionState {
    std::mutex lock;
    SocketSink sink;
    HostSession session;
    // Changes on every connect and disconnect; a receive thread or a message of an
    // earlier connection that sees another value does nothing.
    unsigned generation = 0;
    // Gathered for the window and not yet taken by it.
    ScreenNotifications pending;
    bool updatePosted = false;

    // Figures for the throughput benchmark.
    std::atomic<std::uint64_t> blocks{0};
    std::atomic<std::uint64_t> bytes{0};
    std::atomic<std::uint64_t> messages{0};

    SessionState();
};

SessionState& sessionState();

// Under the lock: moves the session's new notifications into the pending list.
// True when the window has to be told, that is when no notice is on its way yet.
bool stashNotifications(SessionState& s);

}  // namespace varomil
