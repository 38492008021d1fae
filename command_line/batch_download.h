// Downloads to a batch of terminals without a user: the dialogs are answered from
// the command line, the message boxes become one log line per terminal, and a
// terminal that does not turn up within its wait counts as failed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "download/download_command.h"

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

struct BatchPlan {
    TransferKind kind = TransferKind::Settings;
    int count = 1;
    std::uint32_t waitMs = 60000;
    int via = 0;  // for the log lines
};

struct BatchOutput {
    // Local time of day as the log shows it.
    std::function<std::string()> now;
    // One finished line, without its line end.
    std::function<void(const std::string&)> line;
};

// Serves plan.count terminals one after another through runDownloadCommand; the
// session's ui must be `ui`. Returns the exit code: 0 when every terminal
// succeeded, 1 when any failed.
int runBatchDownload(const BatchPlan& plan, DownloadSession& session, ConsoleDownloadUi& ui,
                     const BatchOutput& out);

// "21:04:05  terminal 2  RF  ok  1.3 s"; a failure reads "failed: " and its cause.
std::string batchLogLine(const std::string& time, int terminal, int via,
                         const DownloadOutcome& outcome, std::uint32_t ms);
// "3 terminals: 2 ok, 1 failed, 35.1 s"
std::string batchSummaryLine(int count, int failed, std::uint32_t ms);

}  // namespace varomil
