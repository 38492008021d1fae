// The RF link: a TCP connection that the terminal opens to this PC on port 3000.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "download/download_ui.h"
#include "download/link.h"

namespace varomil {

constexpr std::uint16_t kDownloadPort = 3000;
constexpr std::uint32_t kAcceptWaitMs = 10000;

// The listening socket and the data socket as the shell keeps them.
class SocketHost {
  public:
    enum class ListenResult { Ok, LibraryFailed, CreateFailed, BindFailed, ListenFailed };

    virtual ~SocketHost() = default;
    // Starts the socket library, creates an IPv4 stream socket, binds it to any
    // local address at `port` and listens with a backlog of 1. Stops at the first
    // failure; whatever was set up stays for close() to release.
    virtual ListenResult listen(std::uint16_t port) = 0;
    // Waits up to `ms` for the terminal; on a connection accepts it as the data
    // socket and asks to be told when the terminal closes it.
    virtual bool accept(std::uint32_t ms) = 0;
    // Sends without waiting: bytes sent, 0 when the socket would block, negative on
    // failure.
    virtual long send(const Byte* data, std::size_t n) = 0;
    // Returns at once: bytes received, 0 when none arrived or the receive failed.
    virtual std::size_t receive(Byte* buf, std::size_t max) = 0;
    // False once the data socket is closed (by the terminal or by close()).
    virtual bool connected() const = 0;
    // The address the terminal connected from ("192.168.1.57"), from its accept
    // until the next listen; empty where the host cannot tell.
    virtual std::string peerAddress() const { return {}; }
    // Closes both sockets and ends the use of the socket library, once for each
    // start; a second call does nothing.
    virtual void close() = 0;
};

enum class SocketOpenResult {
    Connected,
    NoTerminal,  // none connected within 10 s; not reported
    Cancelled,   // the user stopped the wait
    LibraryFailed,
    SocketFailed,
    BindFailed,
    ListenFailed,
};

// Listens on the download port and waits for the terminal. Failures of the socket
// library, socket, bind or listen are reported to the user. The caller closes the
// host whatever the result. The wait is taken in slices, so that the user's
// Cancel (DownloadUi::cancelled) ends it.
SocketOpenResult openSocketLink(SocketHost& host, DownloadUi& ui);
constexpr std::uint32_t kAcceptSliceMs = 100;

class SocketLink : public Link {
  public:
    SocketLink(SocketHost& host, Clock& clock) : Link(clock), host_(host) {}
    bool connected() const override { return host_.connected(); }

  protected:
    std::size_t readLimit() const override { return kReceiveChunk; }
    std::size_t receive(Byte* buf, std::size_t max) override { return host_.receive(buf, max); }
    void transmit(const Byte* data, std::size_t n) override;

  private:
    SocketHost& host_;
};

}  // namespace varomil
