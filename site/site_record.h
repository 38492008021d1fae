// What each terminal of a site batch got, as the log and the report record it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "download/download_outcome.h"
#include "site/site_plan.h"

namespace varomil {

struct TerminalRecord {
    int terminal = 0;                   // 1.. in the order the terminals finished
    const SiteTerminal* row = nullptr;  // the table's row; none without a table
    std::string peer;                   // "192.168.1.57:49152" over RF, "COM3" over serial
    int via = 0;                        // LinkInterface
    DownloadOutcome outcome;
    std::uint32_t ms = 0;
    std::optional<std::uint32_t> crc;  // of the 59,659 image bytes sent (settings only)
};

// "2026-12-08 21:04:05  terminal 2  row 3 WH-17  192.168.1.57:49152  RF  ok  1.3 s  CRC 1A2B3C4D"
// (the row part only with a table, the name only when the row has one; a failure
// reads "failed: " and its cause; a terminal that never came "no terminal within N s").
std::string siteLogLine(const std::string& time, const TerminalRecord& r, std::uint32_t waitMs);
// The report: the terminal's number, the table's own columns, then peer, link,
// result, seconds, CRC-32; CSV with CR LF after each line, fields quoted where
// needed, passwords as "***". UTF-8: the header starts with the byte-order mark
// that spreadsheets take as the sign of it.
std::string siteReportHeader(const SitePlan& plan);
std::string siteReportRow(const SitePlan& plan, const TerminalRecord& r, std::uint32_t waitMs);

}  // namespace varomil
