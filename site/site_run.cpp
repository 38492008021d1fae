#include "site/site_run.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "command_line/batch_download.h"
#include "common/crc32.h"
#include "download/download_messages.h"
#include "download/link_interfaces.h"

namespace varomil {

namespace {

// A reply wait looks at its connection this often instead of spinning on it.
constexpr std::uint32_t kPollMs = 2;
// Once stopped, every look at a worker's clock moves it on by this much, so any
// wait of the download ends within a few looks.
constexpr std::uint32_t kStoppedStepMs = 3000;
constexpr std::uint32_t kAcceptSliceMs = 50;
constexpr std::size_t kMaxQueued = 256;

// Each worker's clock: the shared one, until the stop makes time run out.
class WorkerClock : public Clock {
  public:
    WorkerClock(Clock& clock, const std::atomic<bool>& stop) : clock_(clock), stop_(stop) {}
    std::uint32_t ticks() override {
        if (stop_) skipped_ += kStoppedStepMs;
        return clock_.ticks() + skipped_;
    }
    void sleep(std::uint32_t ms) override {
        if (!stop_) clock_.sleep(ms);
    }

  private:
    Clock& clock_;
    const std::atomic<bool>& stop_;
    std::uint32_t skipped_ = 0;
};

// The download port as one terminal's command sees it: already listening, its
// connection already there.
class ConnectionHost : public SocketHost {
  public:
    ConnectionHost(SiteConnection& c, const std::atomic<bool>& stop) : c_(c), stop_(stop) {}
    ListenResult listen(std::uint16_t) override { return ListenResult::Ok; }
    bool accept(std::uint32_t) override { return true; }
    long send(const Byte* data, std::size_t n) override { return stop_ ? -1 : c_.send(data, n); }
    std::size_t receive(Byte* buf, std::size_t max) override {
        return stop_ ? 0 : c_.receive(buf, max, kPollMs);
    }
    bool connected() const override { return !stop_ && c_.connected(); }
    void close() override { c_.close(); }

  private:
    SiteConnection& c_;
    const std::atomic<bool>& stop_;
};

// A port shared by the terminals of one worker: a read that finds nothing waits
// a moment, so that many ports do not spin on the processor.
class PacedSerial : public SerialDevice {
  public:
    PacedSerial(SerialDevice& d, Clock& clock, const std::atomic<bool>& stop)
        : d_(d), clock_(clock), stop_(stop) {}
    bool open(int port) override { return !stop_ && d_.open(port); }
    bool apply(const LineSettings& s) override { return d_.apply(s); }
    void setReadsImmediate() override { d_.setReadsImmediate(); }
    void setSessionTimeouts() override { d_.setSessionTimeouts(); }
    bool write(const Byte* data, std::size_t n) override { return !stop_ && d_.write(data, n); }
    std::size_t read(Byte* buf, std::size_t max) override {
        if (stop_) return 0;
        const std::size_t n = d_.read(buf, max);
        if (n == 0) clock_.sleep(1);
        return n;
    }
    void close() override { d_.close(); }

  private:
    SerialDevice& d_;
    Clock& clock_;
    const std::atomic<bool>& stop_;
};

class NoSerial : public SerialDevice {
  public:
    bool open(int) override { return false; }
    bool apply(const LineSettings&) override { return false; }
    void setReadsImmediate() override {}
    void setSessionTimeouts() override {}
    bool write(const Byte*, std::size_t) override { return false; }
    std::size_t read(Byte*, std::size_t) override { return 0; }
    void close() override {}
};

class NoSocket : public SocketHost {
  public:
    ListenResult listen(std::uint16_t) override { return ListenResult::CreateFailed; }
    bool accept(std::uint32_t) override { return false; }
    long send(const Byte*, std::size_t) override { return -1; }
    std::size_t receive(Byte*, std::size_t) override { return 0; }
    bool connected() const override { return false; }
    void close() override {}
};

class NoProgramFile : public ProgramFile {
  public:
    bool open(const std::string&) override { return false; }
    bool size(std::uint64_t&) override { return false; }
    std::size_t read(Byte*, std::size_t) override { return 0; }
    void close() override {}
};

// What happens on one terminal's link: the batch's dialog stand-in, which also
// tells when the terminal answered and how far its transfer is.
class TerminalUi : public ConsoleDownloadUi {
  public:
    TerminalUi(Clock& clock, LinkChoice choice, const std::string& programFile,
               const std::atomic<bool>& stop, std::function<void()> onAnswer,
               std::function<void(int, int)> onProgress)
        : ConsoleDownloadUi(clock, choice, programFile),
          stop_(stop),
          onAnswer_(std::move(onAnswer)),
          onProgress_(std::move(onProgress)) {}
    // The connection whose closing before the handshake ends the wait for it.
    void watch(const SiteConnection* c) { watched_ = c; }
    bool answered() const { return answered_; }

    void beginProgress(int range) override {
        range_ = range;
        onProgress_(0, range);
    }
    void setProgress(int position) override { onProgress_(position, range_); }
    // A program terminal that answers and then fails its erase is a terminal
    // that failed, not one that never came.
    void terminalAnswered() override { answer(); }
    bool cancelled() override {
        return stop_ || (!answered_ && watched_ != nullptr && !watched_->connected());
    }

  private:
    void answer() {
        if (answered_) return;
        answered_ = true;
        onAnswer_();
    }
    const std::atomic<bool>& stop_;
    std::function<void()> onAnswer_;
    std::function<void(int, int)> onProgress_;
    const SiteConnection* watched_ = nullptr;
    bool answered_ = false;
    int range_ = 0;
};

struct Pending {
    std::unique_ptr<SiteConnection> connection;
    SitePeer peer;
};

enum class RowState { Free, Busy, Done };

class Site {
  public:
    Site(const SiteRun& run, const SitePlan& plan, const Companions& companions, SiteLinks& links,
         SiteObserver& observer, const std::atomic<bool>& stop)
        : run_(run),
          plan_(plan),
          companions_(companions),
          links_(links),
          observer_(observer),
          stop_(stop),
          rows_(plan.terminals.size(), RowState::Free) {}

    SiteSummary run();

  private:
    using Row = std::optional<std::size_t>;
    struct Served {
        DownloadOutcome outcome;
        std::uint32_t ms = 0;
        std::optional<std::uint32_t> crc;
        bool answered = false;
    };

    void rfWorker();
    void serialWorker(std::size_t index);
    void acceptLoop();
    bool takeConnection(ConsoleDownloadUi& ui, Pending& p);
    Served serve(int slot, Clock& clock, TerminalUi& ui, SocketHost& socket, SerialDevice& serial,
                 Row row);
    int claimSlot();
    bool reserveRow(const SitePeer* peer, Row& row, SiteRefusal& why);
    void releaseRow(Row row);
    void finish(int slot, Row row, const std::string& peer, const DownloadOutcome& outcome,
                std::uint32_t ms, std::optional<std::uint32_t> crc);
    void finishUnserved(int slot, const std::string& peer) {
        if (stop_) {
            finish(slot, std::nullopt, peer, {DownloadResult::Cancelled, kSiteStopped}, 0, {});
        } else {
            finish(slot, std::nullopt, peer, {DownloadResult::NoTerminal, ""}, run_.waitMs, {});
        }
    }
    template <typename F>
    void tell(F f) {
        std::lock_guard<std::mutex> lock(observerMutex_);
        f(observer_);
    }

    const SiteRun& run_;
    const SitePlan& plan_;
    const Companions& companions_;
    SiteLinks& links_;
    SiteObserver& observer_;
    const std::atomic<bool>& stop_;

    std::mutex mutex_;  // guards everything below
    std::condition_variable changed_;
    std::vector<RowState> rows_;
    std::deque<Pending> queue_;
    bool workersDone_ = false;
    int claimed_ = 0;
    SiteSummary summary_;

    std::mutex observerMutex_;
};

int Site::claimSlot() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stop_ || claimed_ >= run_.count) return 0;
    return ++claimed_;
}

// Over RF a ConnectFrom row goes to its address only, and the other rows in
// order to the other addresses; over serial (no peer) the rows go in order.
bool Site::reserveRow(const SitePeer* peer, Row& row, SiteRefusal& why) {
    row.reset();
    if (plan_.terminals.empty()) return true;
    std::unique_lock<std::mutex> lock(mutex_);
    if (peer != nullptr) {
        if (const Row from = plan_.rowFrom(peer->address)) {
            // Another connection from the address holds the row: whichever of
            // the two is the terminal, this one waits for the other to end.
            while (rows_[*from] == RowState::Busy && !stop_)
                changed_.wait_for(lock, std::chrono::milliseconds(kAcceptSliceMs));
            if (rows_[*from] != RowState::Free) {
                why = SiteRefusal::RowTaken;
                return false;
            }
            rows_[*from] = RowState::Busy;
            row = from;
            return true;
        }
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i] != RowState::Free) continue;
        if (peer != nullptr && plan_.terminals[i].connectFrom) continue;
        rows_[i] = RowState::Busy;
        row = i;
        return true;
    }
    why = SiteRefusal::NoRow;
    return false;
}

void Site::releaseRow(Row row) {
    if (!row) return;
    std::lock_guard<std::mutex> lock(mutex_);
    rows_[*row] = RowState::Free;
    changed_.notify_all();
}

void Site::finish(int slot, Row row, const std::string& peer, const DownloadOutcome& outcome,
                  std::uint32_t ms, std::optional<std::uint32_t> crc) {
    TerminalRecord r;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (row) rows_[*row] = RowState::Done;
        changed_.notify_all();
        r.terminal = ++summary_.terminals;
        if (outcome.result != DownloadResult::Succeeded) ++summary_.failed;
    }
    r.row = row ? &plan_.terminals[*row] : nullptr;
    r.peer = peer;
    r.via = run_.choice.via;
    r.outcome = outcome;
    r.ms = ms;
    r.crc = crc;
    tell([&](SiteObserver& o) { o.finished(slot, r); });
}

Site::Served Site::serve(int slot, Clock& clock, TerminalUi& ui, SocketHost& socket,
                         SerialDevice& serial, Row row) {
    auto image = std::make_unique<SettingsImage>();
    plan_.imageFor(row.value_or(0), *image);
    auto companions = std::make_unique<Companions>(companions_);
    std::unique_ptr<ProgramFile> file =
        links_.programFile ? links_.programFile() : std::make_unique<NoProgramFile>();
    std::string programFileName = run_.programFile;
    DownloadSession session{ui, clock, serial, socket, *file, *image, *companions, programFileName};
    Served s;
    const std::uint32_t start = clock.ticks();
    s.outcome = runDownloadCommand(run_.kind, session);
    s.ms = clock.ticks() - start;
    s.answered = ui.answered();
    if (stop_ && s.outcome.result != DownloadResult::Succeeded)
        s.outcome = {DownloadResult::Cancelled, kSiteStopped};
    // What the terminal got: the image after the reader blocks went into it.
    if (run_.kind == TransferKind::Settings && s.outcome.result == DownloadResult::Succeeded)
        s.crc = crc32(image->bytes().data(), kSettingsImageSize);
    (void)slot;
    return s;
}

bool Site::takeConnection(ConsoleDownloadUi& ui, Pending& p) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (queue_.empty() && !stop_ && ui.waitLeftMs() > 0)
        changed_.wait_for(lock, std::chrono::milliseconds(kAcceptSliceMs));
    if (queue_.empty() || stop_) return false;
    p = std::move(queue_.front());
    queue_.pop_front();
    changed_.notify_all();
    return true;
}

void Site::rfWorker() {
    WorkerClock clock(links_.clock, stop_);
    NoSerial serial;
    for (int slot; (slot = claimSlot()) != 0;) {
        tell([&](SiteObserver& o) { o.waiting(slot, "port " + std::to_string(kDownloadPort)); });
        // The wait is the slot's, whoever came and went meanwhile.
        const Deadline wait(clock, run_.waitMs);
        for (;;) {
            std::string peer;
            const SiteTerminal* shown = nullptr;
            TerminalUi ui(
                clock, run_.choice, run_.programFile, stop_,
                [&] { tell([&](SiteObserver& o) { o.started(slot, shown, peer); }); },
                [&](int position, int range) {
                    tell([&](SiteObserver& o) { o.progress(slot, position, range); });
                });
            ui.startTerminal(wait.passed() ? 0 : run_.waitMs - wait.elapsed());
            Pending p;
            if (!takeConnection(ui, p)) {
                finishUnserved(slot, "");
                break;
            }
            peer = formatPeer(p.peer);
            Row row;
            SiteRefusal why = SiteRefusal::NoRow;
            if (!reserveRow(&p.peer, row, why)) {
                p.connection->close();
                tell([&](SiteObserver& o) { o.refused(peer, why); });
                continue;
            }
            shown = row ? &plan_.terminals[*row] : nullptr;
            ui.watch(p.connection.get());
            ConnectionHost host(*p.connection, stop_);
            const Served s = serve(slot, clock, ui, host, serial, row);
            p.connection->close();
            if (s.answered) {
                finish(slot, row, peer, s.outcome, s.ms, s.crc);
                break;
            }
            releaseRow(row);
            // A connection that never answered was no terminal: the slot stopped
            // while it waited.
            if (stop_) {
                finishUnserved(slot, "");
                break;
            }
            tell([&](SiteObserver& o) { o.refused(peer, SiteRefusal::NoHandshake); });
        }
    }
}

void Site::serialWorker(std::size_t index) {
    WorkerClock clock(links_.clock, stop_);
    PacedSerial port(*links_.ports[index], clock, stop_);
    NoSocket socket;
    LinkChoice choice = run_.choice;
    choice.port = run_.ports[index];
    const std::string link = "COM" + std::to_string(choice.port + 1);
    for (int slot; (slot = claimSlot()) != 0;) {
        Row row;
        SiteRefusal why = SiteRefusal::NoRow;
        reserveRow(nullptr, row, why);
        const SiteTerminal* shown = row ? &plan_.terminals[*row] : nullptr;
        tell([&](SiteObserver& o) { o.waiting(slot, link); });
        TerminalUi ui(
            clock, choice, run_.programFile, stop_,
            [&] { tell([&](SiteObserver& o) { o.started(slot, shown, link); }); },
            [&](int position, int range) {
                tell([&](SiteObserver& o) { o.progress(slot, position, range); });
            });
        ui.startTerminal(run_.waitMs);
        const Served s = serve(slot, clock, ui, socket, port, row);
        if (s.answered) {
            finish(slot, row, link, s.outcome, s.ms, s.crc);
            continue;
        }
        releaseRow(row);
        if (s.outcome.result == DownloadResult::LinkUnavailable) {
            // The port cannot be used: the other ports serve the rest.
            finish(slot, std::nullopt, link, s.outcome, s.ms, {});
            return;
        }
        finishUnserved(slot, link);
    }
}

void Site::acceptLoop() {
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            // Connections are taken as they come, up to a bound: one left in
            // the system's queue for long is dropped by it while the terminal
            // still takes itself for connected.
            changed_.wait_for(lock, std::chrono::milliseconds(kAcceptSliceMs),
                              [this] { return workersDone_ || queue_.size() < kMaxQueued; });
            if (workersDone_) return;
            if (queue_.size() >= kMaxQueued) continue;
        }
        SitePeer peer;
        std::unique_ptr<SiteConnection> c = links_.listener->accept(kAcceptSliceMs, peer);
        if (!c) continue;
        if (!plan_.allow.allows(peer.address)) {
            c->close();
            const std::string shown = formatPeer(peer);
            tell([&](SiteObserver& o) { o.refused(shown, SiteRefusal::NotAllowed); });
            continue;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back({std::move(c), peer});
        changed_.notify_all();
    }
}

SiteSummary Site::run() {
    const std::uint32_t start = links_.clock.ticks();
    std::vector<std::thread> workers;
    std::thread acceptor;
    if (run_.choice.via == kViaRf) {
        using R = SocketHost::ListenResult;
        const R listened = links_.listener->listen(kDownloadPort);
        if (listened != R::Ok) {
            const std::string_view cause = listened == R::LibraryFailed  ? msg::kWinsockFailed
                                           : listened == R::CreateFailed ? msg::kSocketFailed
                                           : listened == R::BindFailed   ? msg::kBindFailed
                                                                         : msg::kListenFailed;
            links_.listener->close();
            finish(1, std::nullopt, "", {DownloadResult::LinkUnavailable, std::string(cause)}, 0,
                   {});
            summary_.ms = links_.clock.ticks() - start;
            return summary_;
        }
        acceptor = std::thread([this] { acceptLoop(); });
        const int n = std::max(1, std::min(run_.parallel, run_.count));
        for (int i = 0; i < n; ++i) workers.emplace_back([this] { rfWorker(); });
    } else {
        for (std::size_t i = 0; i < run_.ports.size() && i < links_.ports.size(); ++i)
            workers.emplace_back([this, i] { serialWorker(i); });
    }
    for (std::thread& t : workers) t.join();
    if (acceptor.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            workersDone_ = true;
        }
        changed_.notify_all();
        acceptor.join();
        for (Pending& p : queue_) p.connection->close();
        queue_.clear();
        links_.listener->close();
    }
    summary_.ms = links_.clock.ticks() - start;
    return summary_;
}

}  // namespace

std::size_t MemoryProgramFile::read(Byte* buf, std::size_t max) {
    const std::size_t n = std::min(max, bytes_.size() - at_);
    std::copy(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
              bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + n), buf);
    at_ += n;
    return n;
}

std::string formatPeer(const SitePeer& peer) {
    return formatIpv4(peer.address) + ":" + std::to_string(peer.port);
}

SiteSummary runSite(const SiteRun& run, const SitePlan& plan, const Companions& companions,
                    SiteLinks& links, SiteObserver& observer, const std::atomic<bool>& stop) {
    Site site(run, plan, companions, links, observer, stop);
    return site.run();
}

}  // namespace varomil
