// The site batch's platform side: a clock every worker may use, and the download
// port's listening socket with one non-blocking socket per terminal, without a
// window.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "site/site_run.h"

namespace varomil {

// GetTickCount and Sleep, safe from any thread (no message queue is looked at).
class SharedClock : public Clock {
  public:
    std::uint32_t ticks() override { return GetTickCount(); }
    void sleep(std::uint32_t ms) override { Sleep(ms); }
};

class WinSiteConnection : public SiteConnection {
  public:
    explicit WinSiteConnection(SOCKET s) : socket_(s) {}
    ~WinSiteConnection() override { close(); }
    long send(const Byte* data, std::size_t n) override;
    std::size_t receive(Byte* buf, std::size_t max, std::uint32_t waitMs) override;
    bool connected() const override { return socket_ != INVALID_SOCKET && !peerClosed_; }
    void close() override;

  private:
    SOCKET socket_;
    bool peerClosed_ = false;
};

// Listens on every local address with the system's longest queue, so that the
// terminals that connect while every worker is busy wait their turn.
class WinSiteListener : public SiteListener {
  public:
    ~WinSiteListener() override { close(); }
    SocketHost::ListenResult listen(std::uint16_t port) override;
    std::unique_ptr<SiteConnection> accept(std::uint32_t ms, SitePeer& peer) override;
    void close() override;

  private:
    bool started_ = false;
    SOCKET listen_ = INVALID_SOCKET;
};

}  // namespace varomil
