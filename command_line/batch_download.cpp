#include "command_line/batch_download.h"

#include <cstdio>
#include <iterator>

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

std::string allowedLine(const AllowList& allow) {
    return allow.allowsEveryone() ? "every address is allowed" : "allowed: " + allow.describe();
}

std::string waitingLine(const std::string& time, int slot, const std::string& link) {
    return time + "  waiting for terminal " + std::to_string(slot) + " on " + link;
}

std::string refusedLine(const std::string& time, const std::string& peer, SiteRefusal why) {
    static constexpr std::string_view kWhy[] = {
        "refused: address not allowed",
        "refused: its row is served already",
        "refused: no row left for it",
        "closed: no terminal answered",
    };
    static_assert(std::size(kWhy) == static_cast<std::size_t>(SiteRefusal::NoHandshake) + 1,
                  "one text for each refusal");
    return time + "  " + peer + "  " + std::string(kWhy[static_cast<int>(why)]);
}

void SiteLog::allowed() {
    out_.line(allowedLine(plan_.allow));
}

void SiteLog::waiting(int slot, const std::string& link) {
    out_.line(waitingLine(out_.now(), slot, link));
}

void SiteLog::finished(int, const TerminalRecord& record) {
    out_.line(siteLogLine(out_.now(), record, waitMs_));
    if (report_.empty()) report_ = siteReportHeader(plan_);
    report_ += siteReportRow(plan_, record, waitMs_);
}

void SiteLog::refused(const std::string& peer, SiteRefusal why) {
    out_.line(refusedLine(out_.now(), peer, why));
}

void SiteLog::summary(const SiteSummary& s) {
    if (report_.empty()) report_ = siteReportHeader(plan_);
    out_.line(batchSummaryLine(s.terminals, s.failed, s.ms));
}

std::string batchSummaryLine(int count, int failed, std::uint32_t ms) {
    return std::to_string(count) + (count == 1 ? " terminal: " : " terminals: ") +
           std::to_string(count - failed) + " ok, " + std::to_string(failed) + " failed, " +
           seconds(ms);
}

}  // namespace varomil
