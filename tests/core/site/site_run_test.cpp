#include "site/site_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>
#include <tuple>

#include "common/crc32.h"
#include "download/link_interfaces.h"
#include "tests/core/download/download_test_support.h"

namespace varomil {
namespace {

using Steady = std::chrono::steady_clock;

// Real time run 50 times faster, so that reply time-outs of 2.5 s take 50 ms.
class FastClock : public Clock {
  public:
    std::uint32_t ticks() override {
        using namespace std::chrono;
        return static_cast<std::uint32_t>(
            duration_cast<microseconds>(Steady::now() - start_).count() / 20);
    }
    void sleep(std::uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::microseconds(ms * 20));
    }

  private:
    Steady::time_point start_ = Steady::now();
};

enum class Peer { Ok, Closes, Garbage, Silent, Stalls };

// A terminal at the other end of a connection or a port: answers at once, or
// in one of the ways a stranger or a broken terminal does.
class FakeTerminal {
  public:
    explicit FakeTerminal(Peer kind)
        : kind_(kind), term_(testing::faults([kind](sim::TerminalFaults& f) {
              f.silent = kind == Peer::Silent;
          })) {}
    void take(const Byte* data, std::size_t n) {
        std::lock_guard<std::mutex> lock(m_);
        received += n;
        if (kind_ == Peer::Garbage) {
            in_.insert(in_.end(), {'?', '%', '&', '\r'});
            return;
        }
        for (auto& e : term_.receive(data, n))
            if (kind_ != Peer::Stalls || term_.packets < 40)
                in_.insert(in_.end(), e.bytes.begin(), e.bytes.end());
    }
    std::size_t give(Byte* buf, std::size_t max) {
        std::lock_guard<std::mutex> lock(m_);
        const std::size_t n = std::min(max, in_.size());
        std::copy_n(in_.begin(), n, buf);
        in_.erase(in_.begin(), in_.begin() + static_cast<long>(n));
        return n;
    }
    // The image the terminal stored, as long as the settings image.
    sim::Bytes image() const {
        return sim::Bytes(term_.image().begin(), term_.image().begin() + kSettingsImageSize);
    }
    std::size_t blocks() const {
        std::lock_guard<std::mutex> lock(m_);
        return term_.blocksStored();
    }
    Peer kind() const { return kind_; }
    std::size_t received = 0;

  private:
    Peer kind_;
    sim::TerminalSim term_;
    mutable std::mutex m_;
    std::deque<Byte> in_;
};

class FakeConnection : public SiteConnection {
  public:
    explicit FakeConnection(FakeTerminal& t) : t_(t), open_(t.kind() != Peer::Closes) {}
    long send(const Byte* data, std::size_t n) override {
        return open_ ? (t_.take(data, n), static_cast<long>(n)) : -1;
    }
    std::size_t receive(Byte* buf, std::size_t max, std::uint32_t) override {
        const std::size_t n = open_ ? t_.give(buf, max) : 0;
        if (n == 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
        return n;
    }
    bool connected() const override { return open_; }
    void close() override { open_ = false; }

  private:
    FakeTerminal& t_;
    bool open_;
};

class FakeListener : public SiteListener {
  public:
    // Peers in the order they connect: the address each comes from, and its kind.
    explicit FakeListener(const std::vector<std::pair<std::uint32_t, Peer>>& arrivals) {
        for (const auto& [address, kind] : arrivals)
            peers_.push_back({address, std::make_unique<FakeTerminal>(kind)});
    }
    SocketHost::ListenResult listen(std::uint16_t port) override {
        listened = port;
        return SocketHost::ListenResult::Ok;
    }
    std::unique_ptr<SiteConnection> accept(std::uint32_t, SitePeer& peer) override {
        std::lock_guard<std::mutex> lock(m_);
        if (next_ == peers_.size()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return nullptr;
        }
        peer = {peers_[next_].first, static_cast<std::uint16_t>(40000 + next_)};
        return std::make_unique<FakeConnection>(*peers_[next_++].second);
    }
    void close() override { closed = true; }
    FakeTerminal& terminal(std::size_t i) { return *peers_[i].second; }

    std::uint16_t listened = 0;
    bool closed = false;

  private:
    std::mutex m_;
    std::size_t next_ = 0;
    std::vector<std::pair<std::uint32_t, std::unique_ptr<FakeTerminal>>> peers_;
};

class FakePort : public SerialDevice {
  public:
    explicit FakePort(bool opens = true) : opens_(opens) {}
    bool open(int) override {
        return opens_ && (terminals.push_back(std::make_unique<FakeTerminal>(Peer::Ok)), true);
    }
    bool apply(const LineSettings&) override { return true; }
    void setReadsImmediate() override {}
    void setSessionTimeouts() override {}
    bool write(const Byte* data, std::size_t n) override {
        return terminals.back()->take(data, n), true;
    }
    std::size_t read(Byte* buf, std::size_t max) override {
        return terminals.back()->give(buf, max);
    }
    void close() override {}
    // One terminal each time the port is opened.
    std::vector<std::unique_ptr<FakeTerminal>> terminals;

  private:
    bool opens_;
};

// What the runner told.
struct Told : SiteObserver {
    void waiting(int slot, const std::string& link) override {
        if (waits++ == 0) firstWait = std::to_string(slot) + " " + link;
    }
    void progress(int, int position, int) override { furthest = std::max(furthest, position); }
    void finished(int, const TerminalRecord& r) override { records.push_back(r); }
    void refused(const std::string& peer, SiteRefusal why) override {
        refusals.push_back(peer + " " + std::to_string(static_cast<int>(why)));
    }
    std::string firstWait;
    std::vector<std::string> refusals;
    std::vector<TerminalRecord> records;
    int furthest = 0;
    std::atomic<int> waits{0};
};

// One run on fake links at the fast clock.
struct Site {
    SiteSummary run(const SiteRun& r, const SitePlan& plan, SiteListener* listener,
                    std::vector<SerialDevice*> ports = {}) {
        SiteLinks links{clock, listener, std::move(ports), {}};
        return runSite(r, plan, Companions{}, links, told, stop);
    }
    FastClock clock;
    Told told;
    std::atomic<bool> stop{false};
};

std::uint32_t ip(int last) {
    return 0x7F000000u | static_cast<std::uint32_t>(last);
}

SitePlan planOf(const std::string& table) {
    SitePlan plan;
    std::string error;
    SiteInput input{"site.csv", table, {}, ""};
    EXPECT_TRUE(buildSitePlan(input, SettingsImage{}, plan, error)) << error;
    return plan;
}

sim::Bytes expectedImage(const SitePlan& plan, std::size_t row) {
    SettingsImage image;
    plan.imageFor(row, image);
    return sim::Bytes(image.bytes().begin(), image.bytes().end());
}

SiteRun runOf(int via, std::vector<int> ports, int count, int parallel = 8,
              std::uint32_t waitMs = 60000) {
    return {TransferKind::Settings, {via, 0, 0}, std::move(ports), count, parallel, waitMs, ""};
}

// Rows go by ConnectFrom whatever the order of arrival; a stranger is closed
// before a byte, and peers that close, answer garbage or connect twice take
// neither a row nor a count from the terminals.
TEST(SiteRun, EachTerminalGetsTheRowOfItsAddressAndStrangersNothing) {
    const SitePlan plan = planOf(
        "LocalName,ConnectFrom\nWH-1,127.0.0.2\nWH-2,127.0.0.3\n"
        "WH-3,127.0.0.4\n");
    FakeListener listener({{ip(9), Peer::Ok},
                           {ip(4), Peer::Closes},
                           {ip(3), Peer::Garbage},
                           {ip(4), Peer::Ok},
                           {ip(2), Peer::Silent},
                           {ip(2), Peer::Ok},
                           {ip(3), Peer::Ok}});
    Site site;
    const SiteSummary s = site.run(runOf(kViaRf, {}, 3, 2), plan, &listener);
    EXPECT_EQ(std::make_tuple(s.terminals, s.failed, listener.listened, listener.closed),
              std::make_tuple(3, 0, kDownloadPort, true));
    EXPECT_EQ(listener.terminal(0).received, 0u);
    const std::size_t rowOf[] = {9, 9, 9, 2, 9, 0, 1};
    for (std::size_t i = 0; i < 7; ++i) {
        if (rowOf[i] == 9) continue;
        EXPECT_EQ(listener.terminal(i).image(), expectedImage(plan, rowOf[i])) << i;
    }
    Told& told = site.told;
    ASSERT_EQ(told.records.size(), 3u);
    for (const TerminalRecord& r : told.records) {
        ASSERT_NE(r.row, nullptr);
        const std::size_t row = static_cast<std::size_t>(r.row->row - 1);
        EXPECT_EQ(r.peer.substr(0, r.peer.find(':')), "127.0.0." + std::to_string(row + 2));
        EXPECT_EQ(r.outcome.result, DownloadResult::Succeeded);
        const sim::Bytes image = expectedImage(plan, row);
        EXPECT_EQ(r.crc, crc32(image.data(), image.size()));
    }
    std::sort(told.refusals.begin(), told.refusals.end());
    EXPECT_EQ(told.refusals, (std::vector<std::string>{"127.0.0.2:40004 3", "127.0.0.3:40002 3",
                                                       "127.0.0.4:40001 3", "127.0.0.9:40000 0"}));
    EXPECT_EQ(told.furthest, 597);
}

// Once its row is served, its address gets nothing more.
TEST(SiteRun, AServedRowIsNotServedAgain) {
    FakeListener listener({{ip(2), Peer::Ok}, {ip(2), Peer::Ok}});
    Site site;
    const SiteSummary s = site.run(runOf(kViaRf, {}, 2, 1, 1000),
                                   planOf("LocalName,ConnectFrom\nWH-1,127.0.0.2\n"), &listener);
    EXPECT_EQ(std::make_tuple(s.terminals, s.failed, listener.terminal(1).received),
              std::make_tuple(2, 1, 0u));
    EXPECT_EQ(site.told.refusals, (std::vector<std::string>{"127.0.0.2:40001 1"}));
}

// A stalled terminal fails on its own while the others complete; without a
// table the terminals need no row; a slot nobody comes for is recorded as such.
TEST(SiteRun, AStalledTerminalHoldsOnlyItsOwnSlot) {
    FakeListener listener({{ip(5), Peer::Stalls}, {ip(6), Peer::Ok}, {ip(7), Peer::Ok}});
    Site site;
    const SiteSummary s = site.run(runOf(kViaRf, {}, 4, 3, 20000), SitePlan{}, &listener);
    EXPECT_EQ(std::make_tuple(s.terminals, s.failed, listener.terminal(0).blocks(),
                              listener.terminal(1).blocks(), listener.terminal(2).blocks()),
              std::make_tuple(4, 2, 40u, 597u, 597u));
    int ok = 0, failed = 0, missing = 0;
    for (const TerminalRecord& r : site.told.records) {
        ok += r.outcome.result == DownloadResult::Succeeded;
        failed += r.outcome.result == DownloadResult::Failed && r.peer == "127.0.0.5:40000";
        missing += r.outcome.result == DownloadResult::NoTerminal && r.peer.empty();
    }
    EXPECT_EQ(ok * 100 + failed * 10 + missing, 211);
}

// The stop ends a transfer and a wait at once, each recorded as stopped.
TEST(SiteRun, StopEndsEveryTransferAndWait) {
    FakeListener listener({{ip(5), Peer::Stalls}});
    Site site;
    std::thread stopper([&] {
        // Both slots begun: the stalled transfer and the wait of the other.
        while (listener.terminal(0).blocks() < 40 || site.told.waits < 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        site.stop = true;
    });
    const SiteSummary s = site.run(runOf(kViaRf, {}, 2, 2), SitePlan{}, &listener);
    stopper.join();
    EXPECT_EQ(s.failed, 2);
    ASSERT_EQ(site.told.records.size(), 2u);
    for (const TerminalRecord& r : site.told.records) {
        EXPECT_EQ(r.outcome.result, DownloadResult::Cancelled);
        EXPECT_EQ(r.outcome.cause, kSiteStopped);
    }
    EXPECT_LT(s.ms, 20000u);
}

// Serial: every port serves its terminals one after another, the rows in the
// order served; a port that cannot open fails once and leaves the rest to the
// others.
TEST(SiteRun, EveryPortServesTerminalsInTurn) {
    const SitePlan plan = planOf("LocalName\nA\nB\nC\nD\n");
    FakePort com1, com2, com3(false);
    Site site;
    const SiteSummary s =
        site.run(runOf(kViaRs232, {0, 1, 2}, 4), plan, nullptr, {&com1, &com2, &com3});
    EXPECT_EQ(s.terminals, 4);
    // COM3's worker fails the slot it claims, if the other two leave it one.
    long unavailable = 0;
    std::vector<sim::Bytes> got, want;
    for (const TerminalRecord& r : site.told.records) {
        if (r.outcome.result == DownloadResult::LinkUnavailable) {
            EXPECT_EQ(r.peer, "COM3");
            ++unavailable;
            continue;
        }
        ASSERT_NE(r.row, nullptr);
        want.push_back(expectedImage(plan, static_cast<std::size_t>(r.row->row - 1)));
    }
    EXPECT_LE(unavailable, 1);
    EXPECT_EQ(s.failed, unavailable);
    for (FakePort* p : {&com1, &com2})
        for (auto& t : p->terminals) got.push_back(t->image());
    EXPECT_FALSE(com1.terminals.empty() || com2.terminals.empty());
    ASSERT_EQ(got.size(), static_cast<std::size_t>(4 - unavailable));
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
}
// On the simulated line: a terminal missing from its port is knocked for until
// its wait is over (three wakes per attempt of 7.5 s: three attempts fit 20 s),
// then recorded as never come; one that fails midway is not tried again.
TEST(SiteRun, ASerialTerminalIsWaitedForAndNotRetriedOnceAnswered) {
    struct Case {
        bool silent;
        int neverAck;
        DownloadResult result;
        std::size_t wakes;
    };
    const Case cases[] = {
        {false, -1, DownloadResult::Succeeded, 1},
        {true, -1, DownloadResult::NoTerminal, 9},
        {false, 3, DownloadResult::Failed, 1},
    };
    for (const Case& c : cases) {
        testing::Rig rig(testing::faults([&c](sim::TerminalFaults& f) {
            f.silent = c.silent;
            f.neverAckBlock = c.neverAck;
        }));
        SiteLinks links{rig.clock, nullptr, {&rig.serial}, {}};
        Told told;
        std::atomic<bool> stop{false};
        runSite(runOf(kViaRs232, {0}, 1, 8, 20000), SitePlan{}, Companions{}, links, told, stop);
        ASSERT_EQ(told.records.size(), 1u);
        EXPECT_EQ(told.records[0].outcome.result, c.result);
        std::size_t wakes = 0;
        for (const auto& w : rig.writes()) wakes += w == testing::bytesOf("TAMBRO\r");
        EXPECT_EQ(wakes, c.wakes);
        EXPECT_EQ(told.firstWait, "1 COM1");
    }
}

}  // namespace
}  // namespace varomil
