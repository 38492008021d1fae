#include "site/site_record.h"

#include <cstdio>

#include "common/windows_1252.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

std::string tenths(std::uint32_t ms) {
    const std::uint32_t t = (ms + 50) / 100;
    return std::to_string(t / 10) + "." + std::to_string(t % 10);
}

std::string linkName(int via) {
    return via >= 0 && via < static_cast<int>(lists::kDownloadVia.size())
               ? std::string(lists::kDownloadVia[static_cast<std::size_t>(via)])
               : "?";
}

std::string resultOf(const TerminalRecord& r, std::uint32_t waitMs) {
    switch (r.outcome.result) {
        case DownloadResult::Succeeded:
            return "ok";
        case DownloadResult::NoTerminal:
            return "no terminal within " + std::to_string((waitMs + 999) / 1000) + " s";
        default:
            return "failed: " + (r.outcome.cause.empty() ? "Failed to download" : r.outcome.cause);
    }
}

std::string crcText(std::uint32_t crc) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
    return text;
}

// A cell as spreadsheets read it: quoted when it holds a separator (either of
// the two), a quote, a line break or blanks at an end.
std::string csvCell(const std::string& text) {
    const bool quote = text.find_first_of(",;\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// Cells are Windows-1252 like the terminal's texts; the report is UTF-8.
std::string csvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += ',';
        line += csvCell(windows1252ToUtf8(cells[i]));
    }
    return line + "\r\n";
}

}  // namespace

std::string siteLogLine(const std::string& time, const TerminalRecord& r, std::uint32_t waitMs) {
    std::string line = time + "  terminal " + std::to_string(r.terminal);
    if (r.row != nullptr) {
        line += "  row " + std::to_string(r.row->row);
        if (!r.row->localName.empty()) line += " " + r.row->localName;
    }
    if (!r.peer.empty()) line += "  " + r.peer;
    line += "  " + linkName(r.via) + "  " + resultOf(r, waitMs) + "  " + tenths(r.ms) + " s";
    if (r.crc) line += "  CRC " + crcText(*r.crc);
    return line;
}

std::string siteReportHeader(const SitePlan& plan) {
    std::vector<std::string> cells{"Terminal"};
    cells.insert(cells.end(), plan.columns.begin(), plan.columns.end());
    for (const char* c : {"Peer", "Link", "Result", "Seconds", "CRC-32"}) cells.emplace_back(c);
    // The byte-order mark makes spreadsheets read the file as UTF-8.
    return "\xEF\xBB\xBF" + csvLine(cells);
}

std::string siteReportRow(const SitePlan& plan, const TerminalRecord& r, std::uint32_t waitMs) {
    std::vector<std::string> cells{std::to_string(r.terminal)};
    if (r.row != nullptr) {
        cells.insert(cells.end(), r.row->shownCells.begin(), r.row->shownCells.end());
    }
    cells.resize(1 + plan.columns.size());
    cells.push_back(r.peer);
    cells.push_back(linkName(r.via));
    cells.push_back(resultOf(r, waitMs));
    cells.push_back(tenths(r.ms));
    cells.push_back(r.crc ? crcText(*r.crc) : std::string());
    return csvLine(cells);
}

}  // namespace varomil
