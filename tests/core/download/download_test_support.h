// A scripted user, an in-memory program file and a simulated terminal wired to a
// download session, shared by the download tests.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "download/download_command.h"
#include "tools/sim/sim_line.h"

namespace varomil::testing {

class ScriptedUi : public DownloadUi {
  public:
    std::vector<std::string> log;
    std::vector<bool> retryAnswers;  // Yes/No per question; No when they run out
    bool linkOk = true;
    LinkChoice choice;        // what the user picks
    LinkChoice preselection;  // what the dialog was opened with
    std::string fileName = "PROG.SHX";
    int lastProgress = -1;

    void message(std::string_view text, std::string_view caption, MessageIcon icon) override {
        log.push_back(std::string(icon == MessageIcon::Warning ? "warning" : "question") + " [" +
                      std::string(caption) + "] " + std::string(text));
    }
    bool ask(std::string_view text, std::string_view caption) override {
        log.push_back("ask [" + std::string(caption) + "] " + std::string(text));
        const bool yes = asked < retryAnswers.size() && retryAnswers[asked];
        ++asked;
        return yes;
    }
    bool chooseLinkSettings(LinkChoice& c) override {
        preselection = c;
        log.push_back("link dialog");
        if (linkOk) c = choice;
        return linkOk;
    }
    bool chooseProgramFile(std::string& name) override {
        log.push_back("file dialog");
        name = fileName;
        return true;
    }
    void beginProgress(int range) override { log.push_back("progress " + std::to_string(range)); }
    void setProgress(int p) override { lastProgress = p; }
    void endProgress() override { log.push_back("progress end"); }
    void showEraseNotice() override { log.push_back("erase notice"); }
    void hideEraseNotice() override { log.push_back("erase notice end"); }
    bool answered = false;  // told that the terminal answered the handshake
    void terminalAnswered() override { answered = true; }
    // The wait notice and the status bar's link part, apart from the log.
    std::vector<std::string> waitNotices, linkStatuses;
    int cancelAfterPolls = -1;    // the user's Cancel: after this many looks; never below 0
    bool cancelSeenOnce = false;  // a shell that tells of the Cancel at one look only
    int polls = 0;
    // The progress window's count, and its Cancel once it has counted this far.
    std::string lastCount;
    int counts = 0, cancelAfterCounts = -1;
    void progressCount(std::string_view text) override {
        lastCount = text;
        ++counts;
    }
    void showWaitNotice(std::string_view text) override { waitNotices.emplace_back(text); }
    bool cancelled() override {
        if (cancelAfterCounts >= 0 && counts >= cancelAfterCounts) return true;
        if (cancelAfterPolls < 0) return false;
        ++polls;
        return cancelSeenOnce ? polls == cancelAfterPolls + 1 : polls > cancelAfterPolls;
    }
    void linkStatus(std::string_view text) override { linkStatuses.emplace_back(text); }

  private:
    std::size_t asked = 0;
};

class MemoryFile : public ProgramFile {
  public:
    std::map<std::string, std::string> files;
    int opens = 0, closes = 0;
    bool isOpen = false;

    bool open(const std::string& name) override {
        ++opens;
        auto it = files.find(name);
        if (it == files.end()) return false;
        text_ = it->second;
        pos_ = 0;
        isOpen = true;
        return true;
    }
    bool size(std::uint64_t& n) override {
        n = text_.size();
        return isOpen;
    }
    std::size_t read(Byte* buf, std::size_t max) override {
        if (!isOpen) return 0;
        const std::size_t n = std::min(max, text_.size() - pos_);
        std::copy(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                  text_.begin() + static_cast<std::ptrdiff_t>(pos_ + n), buf);
        pos_ += n;
        return n;
    }
    void close() override {
        if (isOpen) ++closes;
        isOpen = false;
    }

  private:
    std::string text_;
    std::size_t pos_ = 0;
};

// A socket host that tells the address the terminal connected from.
class PeerSocketHost : public sim::SimSocketHost {
  public:
    using SimSocketHost::SimSocketHost;
    std::string peer = "192.168.1.57";
    std::string peerAddress() const override { return peer; }
};

// One download command against a simulated terminal.
struct Rig {
    explicit Rig(sim::TerminalFaults faults = {})
        : term(std::move(faults)),
          serial(clock, term),
          socket(clock, term),
          image(std::make_unique<SettingsImage>()),
          companions(std::make_unique<Companions>()) {}

    // As the shell runs it: the final message comes once the link is closed.
    DownloadOutcome run(TransferKind kind) {
        DownloadSession s{ui, clock, serial, socket, file, *image, *companions, fileName};
        const DownloadOutcome outcome = runDownloadCommand(kind, s);
        showFinalMessage(outcome, ui);
        return outcome;
    }
    // Protocol writes of whichever link was used.
    const std::vector<sim::Bytes>& writes() const {
        return serial.writes.empty() ? socket.writes : serial.writes;
    }

    sim::SimClock clock;
    sim::TerminalSim term;
    sim::SimSerialPort serial;
    PeerSocketHost socket;
    ScriptedUi ui;
    MemoryFile file;
    std::unique_ptr<SettingsImage> image;
    std::unique_ptr<Companions> companions;
    std::string fileName;
};

using Log = std::vector<std::string>;

inline sim::Bytes bytesOf(std::string_view s) {
    return sim::Bytes(s.begin(), s.end());
}

// Terminal faults with the fields set by one small function.
template <typename Set>
sim::TerminalFaults faults(Set set) {
    sim::TerminalFaults f;
    set(f);
    return f;
}

}  // namespace varomil::testing
