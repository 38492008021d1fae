// Runs the terminal simulator on a file descriptor (a pty or a TCP socket): feeds
// it what arrives and sends its replies at their times. POSIX only: a test peer.
#pragma once

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <deque>

#include "tools/sim/terminal_sim.h"

namespace varomil::sim {

struct CradleOptions {
    bool enabled = false;
    std::uint32_t answerSpeed = 0;  // 0: never answers; 1: at any speed
    Bytes* seen = nullptr;          // when set, collects the cradle bytes received
};

inline std::uint32_t ptySpeed(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return 0;
    switch (cfgetospeed(&t)) {
        case B9600:
            return 9600;
        case B19200:
            return 19200;
        case B38400:
            return 38400;
        case B57600:
            return 57600;
        case B115200:
            return 115200;
        default:
            return 0;
    }
}

// Serves until the peer hangs up, the simulator hangs up, or `idleMs` pass
// without traffic. Returns false on a read error other than a hang-up.
inline bool servePeer(int fd, TerminalSim& term, CradleOptions cradle, int idleMs) {
    using Clock = std::chrono::steady_clock;
    std::deque<std::pair<Clock::time_point, Bytes>> out;
    bool cradlePhase = cradle.enabled;
    auto last = Clock::now();
    for (;;) {
        const auto now = Clock::now();
        while (!out.empty() && out.front().first <= now) {
            const Bytes& b = out.front().second;
            if (write(fd, b.data(), b.size()) < 0) return true;
            out.pop_front();
            last = now;
        }
        if (term.hungUp() && out.empty()) return true;
        int wait =
            idleMs - static_cast<int>(
                         std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count());
        if (wait <= 0) return true;
        if (!out.empty()) {
            const auto d =
                std::chrono::duration_cast<std::chrono::milliseconds>(out.front().first - now)
                    .count();
            wait = static_cast<int>(d < wait ? d + 1 : wait);
        }
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, wait) <= 0) continue;
        std::uint8_t buf[512];
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) return n == 0 || errno == EIO;
        last = Clock::now();
        std::size_t start = 0;
        while (cradlePhase && start < static_cast<std::size_t>(n)) {
            const std::uint8_t b = buf[start];
            if (cradle.seen != nullptr) cradle.seen->push_back(b);
            if (b == 0x0F) {
                const bool answer = cradle.answerSpeed == 1 ||
                                    (cradle.answerSpeed != 0 && ptySpeed(fd) == cradle.answerSpeed);
                if (answer) out.push_back({last, Bytes{0x0F}});
            } else if (b == 'Q') {
                cradlePhase = false;
            } else if (b != 0x07 && (b < '2' || b > '6')) {
                cradlePhase = false;
                break;
            }
            ++start;
        }
        if (start >= static_cast<std::size_t>(n)) continue;
        auto at = last;
        for (auto& e : term.receive(buf + start, static_cast<std::size_t>(n) - start)) {
            at += std::chrono::milliseconds(e.afterMs);
            out.push_back({at, std::move(e.bytes)});
        }
    }
}

}  // namespace varomil::sim
