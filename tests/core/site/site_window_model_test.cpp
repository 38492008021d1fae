#include "site/site_window_model.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <tuple>

#include "download/link_interfaces.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

SiteWindowInput defaults() {
    SiteWindowInput in;
    in.parallel = "8";
    in.wait = "60";
    in.ports = "COM1";
    return in;
}

using Text = std::string SiteWindowInput::*;

// The window's defaults with one field changed (two for a table), over RF or not.
SiteWindowInput with(bool rf, Text field, const std::string& value) {
    SiteWindowInput in = defaults();
    in.rf = rf;
    if (field != nullptr) in.*field = value;
    if (field == &SiteWindowInput::tableBytes) in.tableName = "dock.csv";
    return in;
}

// The cases are in tests/data/site/window_refusals.txt.
TEST(SiteWindowModel, EachFieldIsRefusedWithItsOneLine) {
    auto base = std::make_unique<SettingsImage>();
    using In = SiteWindowInput;
    const std::map<std::string, Text> fields{{"parallel", &In::parallel},    {"wait", &In::wait},
                                             {"count", &In::count},          {"ports", &In::ports},
                                             {"allow", &In::allow},          {"sets", &In::sets},
                                             {"tableBytes", &In::tableBytes}};
    const auto cases = readCases("site/window_refusals.txt");
    ASSERT_GE(cases.size(), 17u);
    for (const auto& c : cases) {
        SitePlan plan;
        SiteRun run;
        std::string error;
        const In in = with(c.at(0) == "rf", fields.at(c.at(1)), unescaped(c.at(2)));
        EXPECT_FALSE(prepareSiteRun(in, *base, plan, run, error));
        EXPECT_EQ(error, c.at(3)) << c[2];
    }
    SiteWindowInput in = with(true, &SiteWindowInput::tableBytes, "LocalName\nA\nB\n");
    in.count = "3";
    SitePlan plan;
    SiteRun run;
    std::string error;
    EXPECT_FALSE(prepareSiteRun(in, *base, plan, run, error));
    EXPECT_EQ(error, "dock.csv: 2 rows for 3 terminals");
}

TEST(SiteWindowModel, AcceptedFieldsMakeTheRun) {
    auto base = std::make_unique<SettingsImage>();
    base->setByte(fld::DownloadBaudRate, 2);
    struct Case {
        SiteWindowInput in;
        int via, count, parallel;
        std::uint32_t waitMs;
        std::vector<int> ports;
    };
    SiteWindowInput most = defaults();
    most.parallel = " 64 ";
    most.count = "999";
    most.wait = "86400";
    SiteWindowInput least = defaults();
    least.parallel = least.wait = least.count = "1";
    // Over serial the RF fields are not read, and the file's own serial link stays.
    SiteWindowInput serial = with(false, &SiteWindowInput::ports, "com3, COM1,COM9");
    serial.parallel = "x";
    serial.allow = "not read";
    const Case cases[] = {
        {defaults(), kViaRf, 1, 8, 60000, {0}},
        {most, kViaRf, 999, 64, 86400000, {0}},
        {least, kViaRf, 1, 1, 1000, {0}},
        {serial, kViaCradle, 1, 8, 60000, {2, 0, 8}},
        {with(true, &SiteWindowInput::tableBytes, "LocalName\nA\nB\n"), kViaRf, 2, 8, 60000, {0}},
    };
    for (const Case& c : cases) {
        SitePlan plan;
        SiteRun run;
        std::string error;
        ASSERT_TRUE(prepareSiteRun(c.in, *base, plan, run, error)) << error;
        EXPECT_EQ(std::tie(run.choice.via, run.choice.speed, run.count, run.waitMs, run.ports,
                           run.parallel),
                  std::make_tuple(c.via, 2, c.count, c.waitMs, c.ports, c.parallel));
        EXPECT_TRUE(plan.allow.allowsEveryone());
    }
}

TEST(SiteWindowModel, ValuesForAllReachEveryTerminalsImage) {
    auto base = std::make_unique<SettingsImage>();
    base->setText(fld::LocalName, "OLD");
    SiteWindowInput in = defaults();
    in.sets = "LocalName=DOCK\n";
    SitePlan plan;
    SiteRun run;
    std::string error;
    ASSERT_TRUE(prepareSiteRun(in, *base, plan, run, error)) << error;
    auto image = std::make_unique<SettingsImage>();
    plan.imageFor(0, *image);
    EXPECT_EQ(image->text(fld::LocalName), "DOCK");
}

// Two slots: one served, one that fails, then a third never comes; each event
// changes only its own row.
TEST(SiteWindowModel, RowsAndTotalsFollowTheRunnersCalls) {
    SiteTerminal wh17;
    wh17.row = 3;
    wh17.localName = "WH-17";
    SiteProgress p(4, 30000);
    EXPECT_EQ(p.totalsText(), "4 terminals: 0 served (0 ok, 0 failed), 4 waiting");
    EXPECT_EQ(p.waiting(1, "port 3000"), 0u);
    EXPECT_EQ(p.waiting(2, "port 3000"), 1u);
    EXPECT_EQ(p.started(2, &wh17, "10.0.0.9:4000"), 1u);
    EXPECT_EQ(p.progress(2, 50, 200), 1u);
    const auto cells = [&](std::size_t i) {
        std::string s;
        for (int c = 0; c <= static_cast<int>(SiteColumn::Progress); ++c)
            s += p.cell(i, static_cast<SiteColumn>(c)) + "|";
        return s;
    };
    EXPECT_EQ(cells(0), "||port 3000|Waiting||");
    EXPECT_EQ(cells(1), "3|WH-17|10.0.0.9:4000|Sending|25 %|");
    p.progress(2, 300, 200);
    EXPECT_EQ(cells(1), "3|WH-17|10.0.0.9:4000|Sending|100 %|");
    p.progress(2, 5, 0);
    EXPECT_EQ(cells(1), "3|WH-17|10.0.0.9:4000|Sending|100 %|");

    TerminalRecord ok;
    ok.outcome = {DownloadResult::Succeeded, ""};
    EXPECT_EQ(p.finished(2, ok), 1u);
    EXPECT_EQ(cells(1), "3|WH-17|10.0.0.9:4000|ok|100 %|");
    TerminalRecord failed;
    failed.row = &wh17;
    failed.peer = "10.0.0.5:4001";
    failed.outcome = {DownloadResult::Failed, "Error on downloading!"};
    EXPECT_EQ(p.finished(1, failed), 0u);
    EXPECT_EQ(cells(0), "3|WH-17|10.0.0.5:4001|failed: Error on downloading!||");
    EXPECT_EQ(p.totalsText(), "4 terminals: 2 served (1 ok, 1 failed), 2 waiting");

    TerminalRecord none;
    none.outcome = {DownloadResult::NoTerminal, ""};
    EXPECT_EQ(p.finished(3, none), 2u);
    EXPECT_EQ(cells(2), "|||no terminal within 30 s||");
    TerminalRecord stopped;
    stopped.outcome = {DownloadResult::Cancelled, kSiteStopped};
    p.waiting(4, "COM2");
    p.finished(4, stopped);
    EXPECT_EQ(cells(3), "||COM2|Stopped||");
    TerminalRecord bare;
    bare.outcome = {DownloadResult::Failed, ""};
    p.finished(4, bare);
    EXPECT_EQ(cells(3), "||COM2|failed: Failed to download||");
    const SiteTotals t = p.totals();
    EXPECT_EQ(std::make_tuple(t.served, t.ok, t.failed, t.waiting), std::make_tuple(4, 1, 3, 0));
    EXPECT_EQ(SiteProgress(1, 999).totalsText(),
              "1 terminal: 0 served (0 ok, 0 failed), 1 waiting");
}

}  // namespace
}  // namespace varomil
