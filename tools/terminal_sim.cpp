// The terminal's side of the settings and program downloads, for end-to-end tests
// of the program: listens on a pty of its own (linked at PATH), on an existing
// terminal device (such as one end of a socat pty pair), or connects to the
// program's download port, then writes what it received.
//
//   terminal_sim (--pty PATH | --tty PATH | --connect HOST:PORT [--from ADDRESS]
//                 [--connect-close N]) [faults]
//                [--image-out F]
//                [--records-out F] [--idle-ms N]
//   faults: --silent --never-ack N --nak-first K --delay-ms D --long --no-cr
//           --close-after N --stall-after N --garbage --cradle SPEED|any|never
//           --wake W --query W --download W --erase W[,W...] --record W --end W
// --from binds the connection to a local address (127.0.0.2 and so on) first;
// --connect-close connects and closes at once N times, then ends.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "tools/sim/posix_peer.h"

using namespace varomil::sim;

namespace {

int openPty(const std::string& link) {
    const int fd = posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) return -1;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    unlink(link.c_str());
    if (symlink(ptsname(fd), link.c_str()) != 0) return -1;
    return fd;
}

// A pty master reports a hang-up until the program opens the other end; serving
// before that would end at once.
bool waitForOpening(int fd, int waitMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (std::chrono::steady_clock::now() < until) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

int openTty(const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0) return -1;
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    return fd;
}

int connectTo(const std::string& hostPort, const std::string& from, int waitMs) {
    const auto colon = hostPort.rfind(':');
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<std::uint16_t>(std::atoi(hostPort.c_str() + colon + 1)));
    if (inet_pton(AF_INET, hostPort.substr(0, colon).c_str(), &a.sin_addr) != 1) return -1;
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (std::chrono::steady_clock::now() < until) {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        if (!from.empty()) {
            sockaddr_in local{};
            local.sin_family = AF_INET;
            if (inet_pton(AF_INET, from.c_str(), &local.sin_addr) != 1 ||
                bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
                close(fd);
                return -1;
            }
        }
        if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return fd;
        close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return -1;
}

std::vector<Script> words(const std::string& list) {
    Script s;
    std::size_t pos = 0;
    for (;;) {
        const auto comma = list.find(',', pos);
        s.push_back({list.substr(pos, comma - pos), s.empty() ? 0u : 1000u});
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    return {s};
}

}  // namespace

int main(int argc, char** argv) {
    TerminalFaults f;
    CradleOptions cradle;
    std::string pty, tty, peer, from, imageOut, recordsOut;
    int idleMs = 60000;
    int connectClose = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const std::string v = i + 1 < argc ? argv[i + 1] : "";
        auto num = [&] { return std::atoi(argv[++i]); };
        if (a == "--pty")
            pty = argv[++i];
        else if (a == "--tty")
            tty = argv[++i];
        else if (a == "--connect")
            peer = argv[++i];
        else if (a == "--from")
            from = argv[++i];
        else if (a == "--connect-close")
            connectClose = num();
        else if (a == "--stall-after")
            f.stallAfterBlock = num();
        else if (a == "--garbage")
            f.garbage = true;
        else if (a == "--image-out")
            imageOut = argv[++i];
        else if (a == "--records-out")
            recordsOut = argv[++i];
        else if (a == "--idle-ms")
            idleMs = num();
        else if (a == "--silent")
            f.silent = true;
        else if (a == "--never-ack")
            f.neverAckBlock = num();
        else if (a == "--nak-first")
            f.nakFirst = num();
        else if (a == "--delay-ms")
            f.delayMs = static_cast<std::uint32_t>(num());
        else if (a == "--long")
            f.longReplies = true;
        else if (a == "--no-cr")
            f.noCr = true;
        else if (a == "--close-after")
            f.closeAfterBlock = num();
        else if (a == "--cradle") {
            cradle.enabled = true;
            ++i;
            cradle.answerSpeed = v == "any"     ? 1
                                 : v == "never" ? 0
                                                : std::strtoul(v.c_str(), nullptr, 10);
        } else if (a == "--wake")
            f.wake = words(argv[++i]);
        else if (a == "--query")
            f.query = words(argv[++i]);
        else if (a == "--download")
            f.download = words(argv[++i]);
        else if (a == "--erase")
            f.erase = words(argv[++i]);
        else if (a == "--record")
            f.record = {argv[++i]};
        else if (a == "--end")
            f.endReply = argv[++i];
        else {
            std::fprintf(stderr, "terminal_sim: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    if (peer.empty()) peer = "127.0.0.1:3000";
    for (int n = 0; n < connectClose; ++n) {
        const int c = connectTo(peer, from, idleMs);
        if (c < 0) {
            std::fprintf(stderr, "terminal_sim: cannot connect\n");
            return 1;
        }
        close(c);
    }
    if (connectClose > 0) {
        std::printf("closed %d\n", connectClose);
        return 0;
    }
    const int fd = !pty.empty()   ? openPty(pty)
                   : !tty.empty() ? openTty(tty)
                                  : connectTo(peer, from, idleMs);
    if (fd < 0) {
        std::fprintf(stderr, "terminal_sim: cannot open the link\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    if (!pty.empty() && !waitForOpening(fd, idleMs)) {
        std::fprintf(stderr, "terminal_sim: nobody opened %s\n", pty.c_str());
        close(fd);
        unlink(pty.c_str());
        return 1;
    }
    TerminalSim term(f);
    Bytes cradleBytes;
    cradle.seen = &cradleBytes;
    const bool ok = servePeer(fd, term, cradle, idleMs);
    close(fd);
    if (!pty.empty()) unlink(pty.c_str());
    if (!imageOut.empty()) {
        std::ofstream(imageOut, std::ios::binary)
            .write(reinterpret_cast<const char*>(term.image().data()),
                   static_cast<std::streamsize>(term.image().size()));
    }
    if (!recordsOut.empty()) {
        std::ofstream out(recordsOut, std::ios::binary);
        for (const Bytes& r : term.records)
            out.write(reinterpret_cast<const char*>(r.data()),
                      static_cast<std::streamsize>(r.size()));
    }
    if (cradle.enabled) {
        std::printf("cradle");
        for (std::uint8_t b : cradleBytes) std::printf(" %02x", b);
        std::printf("\n");
    }
    std::printf("hellos %d packets %d blocks %zu records %zu erases %d\n", term.hellos,
                term.packets, term.blocksStored(), term.records.size(), term.erases);
    return ok ? 0 : 1;
}
