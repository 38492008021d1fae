// Interpreter throughput in MB/s on two generated host streams, plain text and
// escape-heavy full-screen redraws, through our interpreter (alone, and with the
// telnet layer and login check as the receive thread runs it) and through
// libvterm with its screen layer as a reference, printed as ratios.
// Run it from an optimised build; the figures from a sanitizer build mean nothing.
#include <vterm.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "host/host_session.h"
#include "settings/factory_defaults.h"

using namespace varomil;

namespace {

constexpr std::size_t kStreamSize = 8u << 20;  // bytes per stream
constexpr std::size_t kBlock = 4096;           // one socket receive
constexpr int kRepeats = 5;                    // best of

// Deterministic, so every run and every machine measures the same bytes.
class Lcg {
  public:
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

  private:
    std::uint32_t state_ = 12345;
};

void appendText(std::string& s, Lcg& rng, int n) {
    for (int i = 0; i < n; ++i) s += static_cast<char>(32 + rng.below(95));
}

// Lines of 0..79 printable characters ending in CR LF; the screen scrolls.
std::string plainStream() {
    Lcg rng;
    std::string s;
    s.reserve(kStreamSize + 100);
    while (s.size() < kStreamSize) {
        appendText(s, rng, rng.below(80));
        s += "\r\n";
    }
    return s;
}

// Full-screen redraws as a forms host sends them: clear, then every row addressed,
// with normal and reverse fields and the rest of the row erased.
std::string escapeStream() {
    Lcg rng;
    std::string s;
    s.reserve(kStreamSize + 4096);
    char buf[32];
    while (s.size() < kStreamSize) {
        s += "\x1b[H\x1b[2J";
        for (int row = 1; row <= kScreenRows; ++row) {
            std::snprintf(buf, sizeof buf, "\x1b[%d;1H", row);
            s += buf;
            appendText(s, rng, 4 + rng.below(16));
            s += "\x1b[7m";
            appendText(s, rng, 2 + rng.below(12));
            s += "\x1b[0m";
            std::snprintf(buf, sizeof buf, "\x1b[%d;%dH", row, 40 + rng.below(10));
            s += buf;
            appendText(s, rng, 2 + rng.below(20));
            s += "\x1b[K";
        }
    }
    return s;
}

// Best time of several passes over the stream, as MB/s (1 MB = 10^6 bytes).
double measure(const std::string& stream, const std::function<void()>& begin,
               const std::function<void(const char*, std::size_t)>& feed) {
    double best = 1e30;
    for (int r = 0; r < kRepeats; ++r) {
        begin();
        const auto t0 = std::chrono::steady_clock::now();
        for (std::size_t i = 0; i < stream.size(); i += kBlock)
            feed(stream.data() + i, std::min(kBlock, stream.size() - i));
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
    }
    return static_cast<double>(stream.size()) / best / 1e6;
}

struct Ours {
    Ours() { applyFactoryDefaults(*image, *companions, 1); }
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> companions = std::make_unique<Companions>();
    NullSink out;
    std::unique_ptr<HostSession> session = std::make_unique<HostSession>(out);
    // The interpreter alone, on a screen of its own.
    TerminalScreen screen;
    ScreenNotifications notes;
    VtInterpreter vt{screen, out, notes};
};

struct Vterm {
    Vterm() {
        // Same geometry as ours: 24 rows of 80.
        vt = vterm_new(kScreenRows, kScreenColumns);
        vterm_set_utf8(vt, 0);
        screen = vterm_obtain_screen(vt);
    }
    ~Vterm() { vterm_free(vt); }
    VTerm* vt;
    VTermScreen* screen;
};

struct Figures {
    double interpreter;
    double session;
    double vterm;
};

Figures run(const std::string& stream) {
    Ours ours;
    Vterm ref;
    Figures f{};
    f.interpreter = measure(
        stream,
        [&] {
            ours.vt.resetParser();
            ours.vt.resetTerminal();
            ours.notes.clear();
        },
        [&](const char* d, std::size_t n) {
            ours.vt.interpret(reinterpret_cast<const std::uint8_t*>(d), n);
            ours.notes.clear();  // the receive loop delivers once per block
        });
    f.session = measure(
        stream, [&] { ours.session->beginConnection(settingsForConnection(*ours.image)); },
        [&](const char* d, std::size_t n) {
            ours.session->receive(reinterpret_cast<const std::uint8_t*>(d), n);
            ours.session->takeNotifications();
        });
    f.vterm = measure(
        stream, [&] { vterm_screen_reset(ref.screen, 1); },
        [&](const char* d, std::size_t n) { vterm_input_write(ref.vt, d, n); });
    return f;
}

void print(const char* name, const Figures& f, double target) {
    std::printf("%-13s interpreter %8.1f MB/s  session %8.1f MB/s  libvterm %7.1f MB/s\n", name,
                f.interpreter, f.session, f.vterm);
    std::printf("%-13s ratio interpreter/libvterm %5.2f  session/libvterm %5.2f  (target %.1f)\n",
                "", f.interpreter / f.vterm, f.session / f.vterm, target);
}

}  // namespace

int main() {
    const std::string plain = plainStream();
    const std::string escapes = escapeStream();
    std::printf("streams: plain %zu bytes, escape-heavy %zu bytes, blocks of %zu, best of %d\n",
                plain.size(), escapes.size(), kBlock, kRepeats);
    print("plain", run(plain), 5.0);
    print("escape-heavy", run(escapes), 1.5);
    return 0;
}
