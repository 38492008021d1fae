#include "site/site_window_model.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "command_line/command_line.h"
#include "download/link_interfaces.h"

namespace varomil {

namespace {

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::optional<int> numberIn(const std::string& text, int low, int high) {
    const std::string s = trimmed(text);
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int n = std::stoi(s);
    if (n < low || n > high) return std::nullopt;
    return n;
}

// "COM1, com3": each of COM1..COM9 once.
std::optional<std::vector<int>> portList(const std::string& text) {
    std::vector<int> ports;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string name = trimmed(text.substr(start, comma - start));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c); });
        if (name.size() != 4 || name.compare(0, 3, "COM") != 0) return std::nullopt;
        const auto n = numberIn(name.substr(3), 1, kComPortCount);
        if (!n || std::find(ports.begin(), ports.end(), *n - 1) != ports.end()) return std::nullopt;
        ports.push_back(*n - 1);
        start = comma + 1;
    }
    return ports;
}

std::vector<std::string> valueLines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!trimmed(line).empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool prepareSiteRun(const SiteWindowInput& in, const SettingsImage& base, SitePlan& plan,
                    SiteRun& run, std::string& error) {
    run = SiteRun{};
    run.choice = initialLinkChoice(base);
    if (in.rf) {
        const auto parallel = numberIn(in.parallel, 1, kMaxParallel);
        if (!parallel) {
            error = "Terminals at once: 1.." + std::to_string(kMaxParallel);
            return false;
        }
        run.parallel = *parallel;
        run.choice.via = kViaRf;
        run.ports = {run.choice.port};
    } else {
        const auto ports = portList(in.ports);
        if (!ports) {
            error = "COM ports: COM1..COM9, each once, as COM1,COM2";
            return false;
        }
        run.ports = *ports;
        // The stored serial link, or RS-232 when the file's link is RF.
        if (run.choice.via == kViaRf) run.choice.via = kViaRs232;
    }
    const auto wait = numberIn(in.wait, 1, kMaxWaitSeconds);
    if (!wait) {
        error = "Wait: seconds, 1.." + std::to_string(kMaxWaitSeconds);
        return false;
    }
    run.waitMs = static_cast<std::uint32_t>(*wait) * 1000u;
    std::optional<int> count;
    if (!trimmed(in.count).empty()) {
        count = numberIn(in.count, 1, kMaxBatchCount);
        if (!count) {
            error = "Terminals: 1.." + std::to_string(kMaxBatchCount);
            return false;
        }
    }
    SiteInput site;
    site.tableName = in.tableName;
    site.tableBytes = in.tableBytes;
    site.sets = valueLines(in.sets);
    site.allow = in.rf ? trimmed(in.allow) : std::string();
    if (!buildSitePlan(site, base, plan, error)) {
        // The window's own names for the fields the command line calls switches.
        for (const auto& [from, to] :
             {std::pair<std::string, std::string>{"/set ", "Values for all: "},
              {"/allow: ", "Allowed addresses: "}})
            if (error.compare(0, from.size(), from) == 0) error = to + error.substr(from.size());
        return false;
    }
    const int rows = static_cast<int>(plan.terminals.size());
    run.count = count.value_or(in.tableName.empty() ? 1 : rows);
    if (!in.tableName.empty() && rows < run.count) {
        error = in.tableName + ": " + std::to_string(rows) + (rows == 1 ? " row" : " rows") +
                " for " + std::to_string(run.count) + " terminals";
        return false;
    }
    return true;
}

SiteRowView& SiteProgress::rowOf(int slot) {
    for (SiteRowView& r : rows_)
        if (r.slot == slot) return r;
    rows_.push_back({});
    rows_.back().slot = slot;
    return rows_.back();
}

std::size_t SiteProgress::waiting(int slot, const std::string& link) {
    SiteRowView& r = rowOf(slot);
    r.link = link;
    r.state = SiteRowState::Waiting;
    return static_cast<std::size_t>(&r - rows_.data());
}

std::size_t SiteProgress::started(int slot, const SiteTerminal* row, const std::string& peer) {
    SiteRowView& r = rowOf(slot);
    r.row = row;
    r.link = peer;
    r.state = SiteRowState::Sending;
    r.percent = 0;
    return static_cast<std::size_t>(&r - rows_.data());
}

std::size_t SiteProgress::progress(int slot, int position, int range) {
    SiteRowView& r = rowOf(slot);
    if (range > 0) r.percent = static_cast<int>(std::clamp(position, 0, range) * 100LL / range);
    return static_cast<std::size_t>(&r - rows_.data());
}

std::size_t SiteProgress::finished(int slot, const TerminalRecord& record) {
    SiteRowView& r = rowOf(slot);
    if (record.row != nullptr) r.row = record.row;
    if (!record.peer.empty()) r.link = record.peer;
    r.cause = record.outcome.cause;
    switch (record.outcome.result) {
        case DownloadResult::Succeeded:
            r.state = SiteRowState::Ok;
            r.percent = 100;
            break;
        case DownloadResult::NoTerminal:
            r.state = SiteRowState::NoTerminal;
            break;
        default:
            r.state =
                record.outcome.cause == kSiteStopped ? SiteRowState::Stopped : SiteRowState::Failed;
    }
    return static_cast<std::size_t>(&r - rows_.data());
}

std::string SiteProgress::cell(std::size_t index, SiteColumn column) const {
    const SiteRowView& r = rows_.at(index);
    switch (column) {
        case SiteColumn::Row:
            return r.row != nullptr ? std::to_string(r.row->row) : std::string();
        case SiteColumn::Name:
            return r.row != nullptr ? r.row->localName : std::string();
        case SiteColumn::Link:
            return r.link;
        case SiteColumn::State:
            switch (r.state) {
                case SiteRowState::Waiting:
                    return "Waiting";
                case SiteRowState::Sending:
                    return "Sending";
                case SiteRowState::Ok:
                    return "ok";
                case SiteRowState::Failed:
                    return "failed: " + (r.cause.empty() ? "Failed to download" : r.cause);
                case SiteRowState::Stopped:
                    return kSiteStopped;
                case SiteRowState::NoTerminal:
                    return "no terminal within " + std::to_string((waitMs_ + 999) / 1000) + " s";
            }
            return {};
        case SiteColumn::Progress:
            return r.state == SiteRowState::Sending || r.state == SiteRowState::Ok
                       ? std::to_string(r.percent) + " %"
                       : std::string();
    }
    return {};
}

SiteTotals SiteProgress::totals() const {
    SiteTotals t;
    for (const SiteRowView& r : rows_) {
        if (r.state == SiteRowState::Waiting || r.state == SiteRowState::Sending) continue;
        ++t.served;
        ++(r.state == SiteRowState::Ok ? t.ok : t.failed);
    }
    t.waiting = std::max(0, count_ - t.served);
    return t;
}

std::string SiteProgress::totalsText() const {
    const SiteTotals t = totals();
    return std::to_string(count_) + (count_ == 1 ? " terminal: " : " terminals: ") +
           std::to_string(t.served) + " served (" + std::to_string(t.ok) + " ok, " +
           std::to_string(t.failed) + " failed), " + std::to_string(t.waiting) + " waiting";
}

}  // namespace varomil
