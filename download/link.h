// The byte pipe to one terminal while a download runs, and the reply rules every
// protocol step relies on: a reply is complete at its CR, after 10 bytes on a
// serial line, or when 2,500 ms have passed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace varomil {

using Byte = std::uint8_t;

// Millisecond tick count that wraps at 2^32 (the shell: GetTickCount and Sleep).
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::uint32_t ticks() = 0;
    virtual void sleep(std::uint32_t ms) = 0;
};

// A time limit measured as elapsed time, so a tick count that wraps between the
// start and the check cannot end it early or make it last for ever.
class Deadline {
  public:
    Deadline(Clock& clock, std::uint32_t ms) : clock_(clock), start_(clock.ticks()), ms_(ms) {}
    std::uint32_t elapsed() const { return clock_.ticks() - start_; }
    bool passed() const { return elapsed() > ms_; }
    void restart() { start_ = clock_.ticks(); }

  private:
    Clock& clock_;
    std::uint32_t start_;
    std::uint32_t ms_;
};

constexpr std::uint32_t kReplyTimeoutMs = 2500;
constexpr std::size_t kSerialReplyLimit = 10;
constexpr std::size_t kReceiveChunk = 256;
constexpr std::size_t kReplyCapacity = kSerialReplyLimit + kReceiveChunk;

// One open link. The transport primitives are implemented per kind of link; the
// request/reply rules on top of them are common.
class Link {
  public:
    explicit Link(Clock& clock) : clock_(clock) {}
    virtual ~Link() = default;
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Transmit the bytes, then collect one reply. A failed transmission is not
    // reported: it shows as a missing reply.
    void sendAndCollect(const Byte* data, std::size_t n);
    void sendAndCollect(std::string_view s) {
        sendAndCollect(reinterpret_cast<const Byte*>(s.data()), s.size());
    }
    void collectReply();

    // The terminal's last reply, without its CR.
    const std::string& reply() const { return reply_; }
    bool replyIs(std::string_view word) const { return reply_ == word; }

    // A reply wait ends early once `stop` says so (the user cancelled the wait).
    // Once stopped, nothing more is sent and every reply is empty.
    void setStopWaiting(std::function<bool()> stop) { stop_ = std::move(stop); }
    bool stopped() const { return stop_ && stop_(); }

    // False once the terminal has closed a socket connection.
    virtual bool connected() const { return true; }
    Clock& clock() { return clock_; }

  protected:
    // Serial: one read at a time of one byte and at most 10 bytes a reply; socket:
    // reads of up to 256 bytes, all of which are kept.
    virtual std::size_t readLimit() const = 0;
    // Returns at once with what has arrived (0: nothing, or a failed read).
    virtual std::size_t receive(Byte* buf, std::size_t max) = 0;
    virtual void transmit(const Byte* data, std::size_t n) = 0;
    // Called before every transmission: stale bytes must not be taken as the reply.
    virtual void discardInput() {}

  private:
    Clock& clock_;
    std::string reply_;
    std::function<bool()> stop_;
};

}  // namespace varomil
