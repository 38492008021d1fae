// A simulated clock and the PC side of a simulated serial line and TCP link with
// the terminal simulator at the other end, for in-process tests and benchmarks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "download/serial_link.h"
#include "download/socket_link.h"
#include "tools/sim/terminal_sim.h"

namespace varomil::sim {

// Time in microseconds; the tick count starts at `base` so wrapping can be tested.
class SimClock : public Clock {
  public:
    explicit SimClock(std::uint32_t base = 0) : base_(base) {}
    std::uint32_t ticks() override { return base_ + static_cast<std::uint32_t>(us_ / 1000); }
    void sleep(std::uint32_t ms) override { us_ += std::uint64_t{ms} * 1000; }
    std::uint64_t us() const { return us_; }
    void advanceUs(std::uint64_t d) { us_ += d; }
    void setUs(std::uint64_t t) { us_ = std::max(us_, t); }

  private:
    std::uint32_t base_;
    std::uint64_t us_ = 0;
};

// The terminal-to-PC direction: bytes with their arrival times. A poll that finds
// nothing costs a little time, more the longer nothing comes, as a busy loop does.
class Inbound {
  public:
    Inbound(SimClock& clock, std::uint64_t byteUs) : clock_(clock), byteUs_(byteUs) {}

    void schedule(TerminalSim& term, std::vector<TerminalSim::Emission> replies,
                  std::uint64_t requestEndUs) {
        std::uint64_t t = requestEndUs;
        for (auto& e : replies) {
            t = std::max(t + std::uint64_t{e.afterMs} * 1000, lineFree_);
            for (std::uint8_t b : e.bytes) {
                t += byteUs_;
                queue_.push_back({t, b});
            }
            lineFree_ = t;
        }
        (void)term;
    }
    void push(std::uint64_t at, std::uint8_t b) { queue_.push_back({at, b}); }

    std::size_t read(std::uint8_t* buf, std::size_t max) {
        std::size_t n = 0;
        while (n < max && !queue_.empty() && queue_.front().first <= clock_.us()) {
            buf[n++] = queue_.front().second;
            queue_.pop_front();
        }
        if (n > 0) {
            idleStep_ = kPollUs;
            return n;
        }
        std::uint64_t step = idleStep_;
        if (!queue_.empty()) step = std::min(step, queue_.front().first - clock_.us());
        clock_.advanceUs(std::max<std::uint64_t>(step, 1));
        idleStep_ = std::min<std::uint64_t>(idleStep_ * 2, 1000);
        return 0;
    }
    void clear() { queue_.clear(); }
    void setByteUs(std::uint64_t us) { byteUs_ = us; }
    void resetIdle() { idleStep_ = kPollUs; }

  private:
    static constexpr std::uint64_t kPollUs = 20;
    SimClock& clock_;
    std::uint64_t byteUs_;
    std::uint64_t lineFree_ = 0;
    std::uint64_t idleStep_ = kPollUs;
    std::deque<std::pair<std::uint64_t, std::uint8_t>> queue_;
};

struct CradleWrite {
    LineSettings settings;
    std::uint8_t byte;
};

class SimSerialPort : public SerialDevice {
  public:
    SimSerialPort(SimClock& clock, TerminalSim& term) : clock_(clock), term_(term), in_(clock, 0) {}

    // Set-up faults and the cradle: the speed at which it answers the probe (0:
    // never).
    bool openFails = false;
    int refuseApply = 0;  // this apply call (counted from 1) is refused
    std::uint32_t cradleSpeed = 115200;

    bool open(int port) override {
        openedPort = port;
        ++opens;
        isOpen = !openFails;
        return isOpen;
    }
    bool apply(const LineSettings& s) override {
        applied.push_back(s);
        current_ = s;
        in_.setByteUs(s.baudRate ? (10000000ull + s.baudRate / 2) / s.baudRate : 0);
        return static_cast<int>(applied.size()) != refuseApply;
    }
    void setReadsImmediate() override { ++readsImmediate; }
    void setSessionTimeouts() override {
        session_ = true;
        ++sessionTimeouts;
    }
    bool write(const std::uint8_t* data, std::size_t n) override {
        const std::uint64_t byteUs =
            current_.baudRate ? (10000000ull + current_.baudRate / 2) / current_.baudRate : 0;
        const std::uint64_t end = std::max(clock_.us(), txFree_) + byteUs * n;
        txFree_ = end;
        if (!session_) {
            for (std::size_t i = 0; i < n; ++i) cradleWrites.push_back({current_, data[i]});
            if (n == 1 && data[0] == kCradleProbe && current_.baudRate == cradleSpeed &&
                !current_.rtsEnable)
                in_.push(end + 2000, kCradleProbe);
            return true;
        }
        writes.emplace_back(data, data + n);
        in_.schedule(term_, term_.receive(data, n), end);
        in_.resetIdle();
        return true;
    }
    std::size_t read(std::uint8_t* buf, std::size_t max) override { return in_.read(buf, max); }
    Inbound& in() { return in_; }
    void close() override {
        if (isOpen) ++closes;
        isOpen = false;
    }

    bool isOpen = false;
    int openedPort = -1, opens = 0, closes = 0, readsImmediate = 0, sessionTimeouts = 0;
    std::vector<LineSettings> applied;
    std::vector<CradleWrite> cradleWrites;
    std::vector<Bytes> writes;  // every protocol write, in order

  private:
    SimClock& clock_;
    TerminalSim& term_;
    Inbound in_;
    LineSettings current_{};
    std::uint64_t txFree_ = 0;
    bool session_ = false;
};

class SimSocketHost : public SocketHost {
  public:
    SimSocketHost(SimClock& clock, TerminalSim& term, std::uint64_t latencyUs = 50)
        : clock_(clock), term_(term), in_(clock, 0), latencyUs_(latencyUs) {}

    ListenResult listenResult = ListenResult::Ok;
    std::vector<bool> connects{true};  // per attempt; the last entry repeats
    std::size_t maxSendChunk = 1 << 20;

    ListenResult listen(std::uint16_t port) override {
        listenedPort = port;
        ++startups;
        open_ = true;
        return listenResult;
    }
    bool accept(std::uint32_t ms) override {
        // One entry per listen: the program waits in slices, all of one attempt.
        const std::size_t attempt = startups > 0 ? static_cast<std::size_t>(startups - 1) : 0;
        const bool c = connects[std::min(attempt, connects.size() - 1)];
        ++accepts;
        if (!c) {
            clock_.sleep(ms);
            return false;
        }
        clock_.advanceUs(1000);
        connected_ = true;
        hangUpUs_ = 0;
        return true;
    }
    long send(const std::uint8_t* data, std::size_t n) override {
        if (!connected()) {
            ++refusedSends;
            return -1;
        }
        const std::size_t k = std::min(n, maxSendChunk);
        chunk_.insert(chunk_.end(), data, data + k);
        ++sendCalls;
        if (k == n || chunk_.size() >= 103) flush();
        return static_cast<long>(k);
    }
    std::size_t receive(std::uint8_t* buf, std::size_t max) override {
        if (!connected_) return 0;
        const std::size_t n = in_.read(buf, max);
        return n;
    }
    bool connected() const override {
        return connected_ && !(hangUpUs_ != 0 && clock_.us() >= hangUpUs_);
    }
    void close() override {
        if (open_) ++cleanups;
        open_ = false;
        connected_ = false;
        in_.clear();
    }

    std::uint16_t listenedPort = 0;
    std::size_t accepts = 0;
    int startups = 0, cleanups = 0, sendCalls = 0, refusedSends = 0;
    std::vector<Bytes> writes;

  private:
    void flush() {
        writes.push_back(chunk_);
        const std::uint64_t end = clock_.us() + latencyUs_;
        in_.schedule(term_, term_.receive(chunk_.data(), chunk_.size()), end);
        in_.resetIdle();
        chunk_.clear();
        if (term_.hungUp() && hangUpUs_ == 0) hangUpUs_ = end;
    }

    SimClock& clock_;
    TerminalSim& term_;
    Inbound in_;
    std::uint64_t latencyUs_;
    bool open_ = false;
    bool connected_ = false;
    std::uint64_t hangUpUs_ = 0;
    Bytes chunk_;
};

}  // namespace varomil::sim
