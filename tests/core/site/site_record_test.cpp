// What the log and the report record of each terminal: exact lines, passwords
// never shown, cells quoted as spreadsheets read them.
#include "site/site_record.h"

#include <gtest/gtest.h>

#include "download/link_interfaces.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

SitePlan plan() {
    SitePlan p;
    SiteInput input;
    input.tableName = "dock.csv";
    input.tableBytes =
        "LocalName;LoginPassword;EapId;ConnectFrom\n"
        "WH-17;s3cret;\"a,b\";127.0.0.2\n"
        ";;\"say \"\"hi\"\"\";127.0.0.3\n"
        "K\xC3\xB6ln;;\" x\";127.0.0.4\n";
    std::string error;
    EXPECT_TRUE(buildSitePlan(input, SettingsImage{}, p, error)) << error;
    return p;
}

// Log lines, then the report's header and rows, in tests/data/site/records.golden.
TEST(SiteRecord, LogLinesAndReportRows) {
    const SitePlan p = plan();
    std::string out;
    TerminalRecord r{
        2,    &p.terminals[0], "192.168.1.57:49152", kViaRf, {DownloadResult::Succeeded, ""},
        1250, 0x1A2B3C4Du};
    out += siteLogLine("2026-12-08 21:04:05", r, 60000) + "\n";
    r.row = &p.terminals[1];  // no name
    r.crc = 0x0000ABCDu;
    r.ms = 49;
    out += siteLogLine("t", r, 60000) + "\n";
    r.row = nullptr;
    r.peer = "COM3";
    r.via = kViaRs232;
    r.crc.reset();
    r.ms = 35150;
    r.outcome = {DownloadResult::Failed, "Checksum error"};
    out += siteLogLine("t", r, 60000) + "\n";
    r.outcome = {DownloadResult::LinkUnavailable, ""};
    out += siteLogLine("t", r, 60000) + "\n";
    r.outcome = {DownloadResult::NoTerminal, "No answer"};
    r.peer.clear();
    r.via = 7;
    out += siteLogLine("t", r, 30500) + "\n";
    out += siteReportHeader(p);
    r = {1,    &p.terminals[0], "127.0.0.2:5000", kViaRf, {DownloadResult::Succeeded, ""},
         1300, 0xCBF43926u};
    out += siteReportRow(p, r, 60000);
    r.row = &p.terminals[1];
    r.outcome = {DownloadResult::Failed, "Bad; \"reply\""};
    r.crc.reset();
    out += siteReportRow(p, r, 60000);
    r.row = &p.terminals[2];
    r.outcome = {DownloadResult::Failed, "line\nbreak"};
    out += siteReportRow(p, r, 60000);
    r.row = nullptr;  // a terminal without a row of its own: its table cells stay empty
    r.outcome = {DownloadResult::NoTerminal, ""};
    r.peer.clear();
    out += siteReportRow(p, r, 60000);
    out += siteReportHeader(SitePlan{});
    r.outcome = {DownloadResult::Succeeded, ""};
    r.peer = "COM1 ";
    out += siteReportRow(SitePlan{}, r, 60000);
    expectGolden("site/records.golden", out);
}

}  // namespace
}  // namespace varomil
