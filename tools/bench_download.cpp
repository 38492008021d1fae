// Settings download speed: over a simulated 115,200 bit/s 8N1 line against an
// instantly answering terminal, as a ratio to the line-rate limit; and the time
// per exchange over TCP on loopback against the terminal simulator.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>

#include "download/settings_transfer.h"
#include "download/socket_link.h"
#include "tools/sim/posix_peer.h"
#include "tools/sim/sim_line.h"

using namespace varomil;

namespace {

struct QuietUi : DownloadUi {
    void message(std::string_view, std::string_view, MessageIcon) override {}
    bool ask(std::string_view, std::string_view) override { return false; }
    bool chooseLinkSettings(LinkChoice&) override { return true; }
    bool chooseProgramFile(std::string&) override { return false; }
    void beginProgress(int) override {}
    void setProgress(int) override {}
    void endProgress() override {}
    void showEraseNotice() override {}
    void hideEraseNotice() override {}
};

struct RealClock : Clock {
    std::uint32_t ticks() override {
        return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                              std::chrono::steady_clock::now().time_since_epoch())
                                              .count());
    }
    void sleep(std::uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

// The socket library's side on POSIX, enough for a loopback measurement.
class LoopbackHost : public SocketHost {
  public:
    explicit LoopbackHost(int listener) : listener_(listener) {}
    ListenResult listen(std::uint16_t) override { return ListenResult::Ok; }
    bool accept(std::uint32_t) override {
        data_ = ::accept(listener_, nullptr, nullptr);
        return data_ >= 0;
    }
    long send(const Byte* d, std::size_t n) override {
        const ssize_t r = ::send(data_, d, n, MSG_DONTWAIT | MSG_NOSIGNAL);
        return r < 0 ? (errno == EAGAIN ? 0 : -1) : static_cast<long>(r);
    }
    std::size_t receive(Byte* b, std::size_t max) override {
        const ssize_t r = ::recv(data_, b, max, MSG_DONTWAIT);
        return r > 0 ? static_cast<std::size_t>(r) : 0;
    }
    bool connected() const override { return data_ >= 0; }
    void close() override {
        if (data_ >= 0) ::close(data_);
        data_ = -1;
    }

  private:
    int listener_;
    int data_ = -1;
};

}  // namespace

int main() {
    QuietUi ui;
    auto image = std::make_unique<SettingsImage>();
    auto companions = std::make_unique<Companions>();

    // Simulated line.
    sim::SimClock clock;
    sim::TerminalSim term;
    sim::SimSerialPort port(clock, term);
    port.open(0);
    port.apply({115200, false, false});
    port.setSessionTimeouts();
    SerialLink serial(port, clock);
    const auto wall0 = std::chrono::steady_clock::now();
    const bool ok =
        settingsHandshake(serial) && sendSettingsBlocks(serial, *image, *companions, ui);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    const double limit = (7.0 + 597 * 103 + 598 * 4) * 10 / 115200;
    const double took = clock.us() / 1e6;
    std::printf(
        "serial 115200 8N1 (simulated): %s, %.3f s, limit %.3f s, ratio %.4f (%.3f s of CPU)\n",
        ok ? "ok" : "FAILED", took, limit, took / limit, wall);

    // Loopback TCP.
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(listener, 1) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        std::printf("loopback: cannot listen\n");
        return 1;
    }
    sim::TerminalSim peerTerm;
    std::thread peer([&] {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0)
            sim::servePeer(fd, peerTerm, {}, 3000);
        ::close(fd);
    });
    RealClock real;
    LoopbackHost host(listener);
    host.accept(0);
    SocketLink link(host, real);
    const auto t0 = std::chrono::steady_clock::now();
    const bool tcpOk = settingsHandshake(link) && sendSettingsBlocks(link, *image, *companions, ui);
    const double tcp = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    host.close();
    peer.join();
    ::close(listener);
    std::printf("tcp loopback: %s, %.3f s for 598 exchanges, %.1f us per exchange\n",
                tcpOk ? "ok" : "FAILED", tcp, tcp / 598 * 1e6);
    return ok && tcpOk ? 0 : 1;
}
