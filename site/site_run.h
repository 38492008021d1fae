// Serves a site's terminals: over RF up to N at the same time from one listening
// socket, over serial one after another on each port and all ports at the same
// time. Each terminal runs the download command of its own (its own dialogs
// stand-in, link and image), so the time-outs, retries and messages of a single
// download apply to each, and a terminal that stalls holds only its own slot.
//
// What counts as a terminal served: one that answered the handshake (its
// transfer began). A connection that closes, keeps silent or answers garbage
// before that is logged as a refusal and its row and count go to the next one.
// A worker whose wait passes without a terminal records one terminal that never
// came ("no terminal within N s").
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "download/download_command.h"
#include "site/site_plan.h"
#include "site/site_record.h"

namespace varomil {

// One connection a terminal opened to the download port.
class SiteConnection {
  public:
    virtual ~SiteConnection() = default;
    // As SocketHost::send: bytes sent, 0 when it would block, negative on failure.
    virtual long send(const Byte* data, std::size_t n) = 0;
    // Waits up to `waitMs` for bytes: bytes received, 0 for none or a closed link.
    virtual std::size_t receive(Byte* buf, std::size_t max, std::uint32_t waitMs) = 0;
    // False once the peer closed it, or after close().
    virtual bool connected() const = 0;
    virtual void close() = 0;
};

struct SitePeer {
    std::uint32_t address = 0;  // host byte order
    std::uint16_t port = 0;
};
// "192.168.1.57:49152"
std::string formatPeer(const SitePeer& peer);

// The listening socket on the download port.
class SiteListener {
  public:
    virtual ~SiteListener() = default;
    virtual SocketHost::ListenResult listen(std::uint16_t port) = 0;
    // Waits up to `ms` for a connection: it and its peer, or nullptr.
    virtual std::unique_ptr<SiteConnection> accept(std::uint32_t ms, SitePeer& peer) = 0;
    virtual void close() = 0;
};

// Why a connection got no settings.
enum class SiteRefusal {
    NotAllowed,   // its address is not allowed: closed before a byte was sent
    RowTaken,     // its ConnectFrom row was served already, or is being served
    NoRow,        // no row is left for an address without a ConnectFrom row
    NoHandshake,  // it closed, kept silent or answered garbage before the handshake
};

// Told what happens, from the workers' threads; the runner makes one call at a
// time. `slot` is 1.. in the order the runner began waiting for terminals, and
// names one terminal in every call about it.
class SiteObserver {
  public:
    virtual ~SiteObserver() = default;
    // Waiting for a terminal on `link` ("port 3000", "COM2").
    virtual void waiting(int /*slot*/, const std::string& /*link*/) {}
    // A terminal answered: its row (none without a table), "address:port" or "COM2".
    virtual void started(int /*slot*/, const SiteTerminal* /*row*/, const std::string& /*peer*/) {}
    virtual void progress(int /*slot*/, int /*position*/, int /*range*/) {}
    // Served, failed, stopped, or never came (outcome NoTerminal).
    virtual void finished(int /*slot*/, const TerminalRecord& /*record*/) {}
    virtual void refused(const std::string& /*peer*/, SiteRefusal /*why*/) {}
};

// What the runner talks through. The clock is shared by every worker: ticks()
// and sleep() are called from many threads at once.
struct SiteLinks {
    Clock& clock;
    SiteListener* listener = nullptr;  // RF
    std::vector<SerialDevice*> ports;  // serial: one per SiteRun::ports entry
    // One program file per worker (program downloads only).
    std::function<std::unique_ptr<ProgramFile>()> programFile;
};

// A program file read once for every worker: each terminal gets the same bytes,
// and the file need not be shared while the batch runs.
class MemoryProgramFile : public ProgramFile {
  public:
    explicit MemoryProgramFile(const std::vector<Byte>& bytes) : bytes_(bytes) {}
    bool open(const std::string&) override {
        at_ = 0;
        return true;
    }
    bool size(std::uint64_t& bytes) override {
        bytes = bytes_.size();
        return true;
    }
    std::size_t read(Byte* buf, std::size_t max) override;
    void close() override { at_ = 0; }

  private:
    const std::vector<Byte>& bytes_;
    std::size_t at_ = 0;
};

struct SiteRun {
    TransferKind kind = TransferKind::Settings;
    LinkChoice choice;       // via and speed; the port comes from `ports`
    std::vector<int> ports;  // serial: COM ports 0..8, each served by one worker
    int count = 1;           // terminals in all
    int parallel = 8;        // RF: terminals served at the same time
    std::uint32_t waitMs = 60000;
    std::string programFile;
};

struct SiteSummary {
    int terminals = 0;  // records finished, those that never came included
    int failed = 0;     // every one that is not ok
    std::uint32_t ms = 0;
};

// "Stopped": the outcome cause of a terminal ended by the stop flag.
constexpr const char* kSiteStopped = "Stopped";

// Runs to the end on the calling thread, with its workers on threads of their
// own. Once `stop` is set every wait and transfer ends at its next look at the
// clock or the link, the connections and ports are closed, and each terminal not
// finished is recorded as stopped.
SiteSummary runSite(const SiteRun& run, const SitePlan& plan, const Companions& companions,
                    SiteLinks& links, SiteObserver& observer, const std::atomic<bool>& stop);

}  // namespace varomil
