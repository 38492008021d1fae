// What the log and the report record of each terminal: exact lines, passwords
// never shown, cells quoted as spreadsheets read them.
#include "site/site_record.h"

#include <gtest/gtest.h>

#include "download/link_interfaces.h"

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

TEST(SiteRecord, LogLines) {
    const SitePlan p = plan();
    TerminalRecord r{
        2,    &p.terminals[0], "192.168.1.57:49152", kViaRf, {DownloadResult::Succeeded, ""},
        1250, 0x1A2B3C4Du};
    EXPECT_EQ(siteLogLine("2026-12-08 21:04:05", r, 60000),
              "2026-12-08 21:04:05  terminal 2  row 1 WH-17  192.168.1.57:49152  RF  ok  1.3 s  "
              "CRC 1A2B3C4D");
    r.row = &p.terminals[1];  // no name
    r.crc = 0x0000ABCDu;
    r.ms = 49;
    EXPECT_EQ(siteLogLine("t", r, 60000),
              "t  terminal 2  row 2  192.168.1.57:49152  RF  ok  0.0 s  CRC 0000ABCD");
    r.row = nullptr;
    r.peer = "COM3";
    r.via = kViaRs232;
    r.crc.reset();
    r.ms = 35150;
    r.outcome = {DownloadResult::Failed, "Checksum error"};
    EXPECT_EQ(siteLogLine("t", r, 60000),
              "t  terminal 2  COM3  RS-232  failed: Checksum error  35.2 s");
    r.outcome = {DownloadResult::LinkUnavailable, ""};
    EXPECT_EQ(siteLogLine("t", r, 60000),
              "t  terminal 2  COM3  RS-232  failed: Failed to download  35.2 s");
    r.outcome = {DownloadResult::NoTerminal, "No answer"};
    r.peer.clear();
    r.via = 7;
    EXPECT_EQ(siteLogLine("t", r, 30500), "t  terminal 2  ?  no terminal within 31 s  35.2 s");
}

TEST(SiteRecord, ReportIsATableSpreadsheetsOpen) {
    const SitePlan p = plan();
    EXPECT_EQ(siteReportHeader(p),
              "\xEF\xBB\xBFTerminal,LocalName,LoginPassword,EapId,ConnectFrom,Peer,Link,Result,"
              "Seconds,CRC-32\r\n");
    TerminalRecord r{
        1,    &p.terminals[0], "127.0.0.2:5000", kViaRf, {DownloadResult::Succeeded, ""},
        1300, 0xCBF43926u};
    EXPECT_EQ(siteReportRow(p, r, 60000),
              "1,WH-17,***,\"a,b\",127.0.0.2,127.0.0.2:5000,RF,ok,1.3,CBF43926\r\n");
    r.row = &p.terminals[1];
    r.outcome = {DownloadResult::Failed, "Bad; \"reply\""};
    r.crc.reset();
    EXPECT_EQ(siteReportRow(p, r, 60000),
              "1,,,\"say \"\"hi\"\"\",127.0.0.3,127.0.0.2:5000,RF,\"failed: Bad; "
              "\"\"reply\"\"\",1.3,\r\n");
    r.row = &p.terminals[2];
    r.outcome = {DownloadResult::Failed, "line\nbreak"};
    EXPECT_EQ(siteReportRow(p, r, 60000),
              "1,K\xC3\xB6ln,,\" x\",127.0.0.4,127.0.0.2:5000,RF,\"failed: line\nbreak\",1.3,\r\n");
    r.row = nullptr;  // a terminal without a row of its own: its table cells stay empty
    r.outcome = {DownloadResult::NoTerminal, ""};
    r.peer.clear();
    EXPECT_EQ(siteReportRow(p, r, 60000), "1,,,,,,RF,no terminal within 60 s,1.3,\r\n");
    EXPECT_EQ(siteReportHeader(SitePlan{}),
              "\xEF\xBB\xBFTerminal,Peer,Link,Result,Seconds,CRC-32\r\n");
    r.outcome = {DownloadResult::Succeeded, ""};
    r.peer = "COM1 ";
    EXPECT_EQ(siteReportRow(SitePlan{}, r, 60000), "1,\"COM1 \",RF,ok,1.3,\r\n");
}

}  // namespace
}  // namespace varomil
