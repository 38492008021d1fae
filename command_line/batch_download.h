// Downloads to a batch of terminals without a user: the dialogs are answered from
// the command line, the message boxes become one log line per terminal, and a
// terminal that does not turn up within its wait is logged as never come.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "download/download_command.h"
#include "site/site_run.h"

namespace varomil {

// Stands in for the dialogs and message boxes of one download command at a time.
class ConsoleDownloadUi : public DownloadUi {
  public:
    ConsoleDownloadUi(Clock& clock, LinkChoice choice, std::string programFile)
        : clock_(clock), choice_(choice), programFile_(std::move(programFile)) {}

    // A new terminal: it has waitMs to turn up.
    void startTerminal(std::uint32_t waitMs);
    // Time left of the terminal's wait, 0 once it is over.
    std::uint32_t waitLeftMs() const;

    void message(std::string_view, std::string_view, MessageIcon) override {}
    bool ask(std::string_view, std::string_view) override { return false; }
    // Tried again while no terminal has turned up and its wait lasts, so the
    // command keeps listening or knocking; a terminal that came and failed is not
    // served again in its place.
    bool retry(const DownloadOutcome& attempt, std::string_view) override {
        return attempt.result == DownloadResult::NoTerminal && waitLeftMs() > 0;
    }
    bool chooseLinkSettings(LinkChoice& choice) override {
        choice = choice_;
        return true;
    }
    bool chooseProgramFile(std::string& name) override {
        name = programFile_;
        return true;
    }
    void beginProgress(int) override {}
    void setProgress(int) override {}
    void endProgress() override {}
    void showEraseNotice() override {}
    void hideEraseNotice() override {}

  private:
    Clock& clock_;
    LinkChoice choice_;
    std::string programFile_;
    std::uint32_t start_ = 0;
    std::uint32_t waitMs_ = 0;
};

struct BatchOutput {
    // Local date and time as the log shows it.
    std::function<std::string()> now;
    // One finished line, without its line end.
    std::function<void(const std::string&)> line;
};

// What the console and the log file show of a site batch, and the report.
class SiteLog : public SiteObserver {
  public:
    SiteLog(const SitePlan& plan, std::uint32_t waitMs, BatchOutput out)
        : plan_(plan), waitMs_(waitMs), out_(std::move(out)) {}
    // The first line over RF: which addresses may connect.
    void allowed();
    void waiting(int slot, const std::string& link) override;
    void finished(int slot, const TerminalRecord& record) override;
    void refused(const std::string& peer, SiteRefusal why) override;
    void summary(const SiteSummary& s);
    // The report's header and one row per terminal, in the order they finished.
    const std::string& report() const { return report_; }

  private:
    const SitePlan& plan_;
    std::uint32_t waitMs_;
    BatchOutput out_;
    std::string report_;
};

// "every address is allowed", or "allowed: " and the list.
std::string allowedLine(const AllowList& allow);
// "21:04:05  waiting for terminal 2 on port 3000"
std::string waitingLine(const std::string& time, int slot, const std::string& link);
// "21:04:05  10.0.0.9:40312  refused: address not allowed"
std::string refusedLine(const std::string& time, const std::string& peer, SiteRefusal why);

// "3 terminals: 2 ok, 1 failed, 35.1 s"
std::string batchSummaryLine(int count, int failed, std::uint32_t ms);

}  // namespace varomil
