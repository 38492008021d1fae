#include "command_line/batch_download.h"

#include <cstdio>

#include "download/link_interfaces.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {
std::string seconds(std::uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%02u s", ms / 1000, ms % 1000 / 10);
    return text;
}
}  // namespace

void ConsoleDownloadUi::startTerminal(std::uint32_t waitMs) {
    start_ = clock_.ticks();
    waitMs_ = waitMs;
}

std::uint32_t ConsoleDownloadUi::waitLeftMs() const {
    const std::uint32_t elapsed = clock_.ticks() - start_;
    return elapsed < waitMs_ ? waitMs_ - elapsed : 0;
}

int runBatchDownload(const BatchPlan& plan, DownloadSession& session, ConsoleDownloadUi& ui,
                     const BatchOutput& out) {
    const std::uint32_t batchStart = session.clock.ticks();
    int failed = 0;
    for (int t = 1; t <= plan.count; ++t) {
        const std::uint32_t start = session.clock.ticks();
        ui.startTerminal(plan.waitMs);
        const DownloadOutcome outcome = runDownloadCommand(plan.kind, session);
        if (outcome.result != DownloadResult::Succeeded) ++failed;
        out.line(batchLogLine(out.now(), t, plan.via, outcome, session.clock.ticks() - start));
    }
    out.line(batchSummaryLine(plan.count, failed, session.clock.ticks() - batchStart));
    return failed == 0 ? 0 : 1;
}

std::string batchLogLine(const std::string& time, int terminal, int via,
                         const DownloadOutcome& outcome, std::uint32_t ms) {
    const bool ok = outcome.result == DownloadResult::Succeeded;
    // No terminal answered at all: what the retry question says.
    const std::string failure = outcome.cause.empty() ? "Failed to download" : outcome.cause;
    const std::string_view name = via >= 0 && via < static_cast<int>(lists::kDownloadVia.size())
                                      ? lists::kDownloadVia[via]
                                      : "?";
    return time + "  terminal " + std::to_string(terminal) + "  " + std::string(name) + "  " +
           (ok ? std::string("ok") : "failed: " + failure) + "  " + seconds(ms);
}

std::string batchSummaryLine(int count, int failed, std::uint32_t ms) {
    return std::to_string(count) + (count == 1 ? " terminal: " : " terminals: ") +
           std::to_string(count - failed) + " ok, " + std::to_string(failed) + " failed, " +
           seconds(ms);
}

}  // namespace varomil
