#include "command_line/batch_download.h"

#include <gtest/gtest.h>

#include "download/link_interfaces.h"
#include "tests/core/download/download_test_support.h"

namespace varomil {
namespace {

using testing::Rig;

struct Batch {
    std::vector<std::string> lines;
    int exitCode = -1;
};

Batch runBatch(Rig& rig, int count, std::uint32_t waitMs) {
    ConsoleDownloadUi ui(rig.clock, {kViaRs232, 0, 0}, "");
    DownloadSession s{ui,       rig.clock,  rig.serial,      rig.socket,
                      rig.file, *rig.image, *rig.companions, rig.fileName};
    Batch b;
    b.exitCode = runBatchDownload({TransferKind::Settings, count, waitMs, kViaRs232}, s, ui,
                                  {[] { return std::string("12:00:00"); },
                                   [&b](const std::string& l) { b.lines.push_back(l); }});
    return b;
}

// The line without its seconds, which depend on the simulated line's speed.
std::string withoutTime(const std::string& line) {
    return line.substr(0, line.rfind(' ', line.rfind(' ') - 1));
}

std::size_t wakes(const Rig& rig) {
    std::size_t n = 0;
    for (const auto& w : rig.writes()) n += w == testing::bytesOf("TAMBRO\r");
    return n;
}

// A terminal that answers gets its line; one that is not there is knocked for
// until its wait is over (three wakes per attempt of 7.5 s: three attempts fit
// 20 s), then the batch goes on and ends with exit code 1.
TEST(BatchDownload, EachTerminalGetsItsLineAndTheSummaryEnds) {
    struct Case {
        bool silent;
        std::uint32_t waitMs;
        const char* line;
        const char* summary;
        int exitCode;
        std::size_t wakes;
    };
    const Case cases[] = {
        {false, 60000, "12:00:00  terminal 1  RS-232  ok ", "1 terminal: 1 ok, 0 failed,", 0, 1},
        {true, 20000, "12:00:00  terminal 1  RS-232  failed: Failed to download ",
         "1 terminal: 0 ok, 1 failed,", 1, 9},
    };
    for (const Case& c : cases) {
        Rig rig(testing::faults([&c](sim::TerminalFaults& f) { f.silent = c.silent; }));
        const Batch b = runBatch(rig, 1, c.waitMs);
        ASSERT_EQ(b.lines.size(), 2u);
        EXPECT_EQ(withoutTime(b.lines[0]), c.line);
        EXPECT_EQ(withoutTime(b.lines[1]), c.summary);
        EXPECT_EQ(b.exitCode, c.exitCode);
        EXPECT_EQ(wakes(rig), c.wakes);
        if (c.silent) EXPECT_GE(rig.clock.ticks(), c.waitMs);
    }

    // What is left of a wait bounds each RF accept.
    Rig rig;
    ConsoleDownloadUi ui(rig.clock, {}, "");
    ui.startTerminal(1000);
    rig.clock.sleep(400);
    EXPECT_EQ(ui.waitLeftMs(), 600u);
}

// Once a terminal has answered, its failure is final: no retry, which over RF
// would serve the next terminal in its place.
TEST(BatchDownload, ATerminalThatFailsMidwayIsNotRetried) {
    Rig rig(testing::faults([](sim::TerminalFaults& f) { f.neverAckBlock = 3; }));
    const Batch b = runBatch(rig, 1, 600000);
    EXPECT_EQ(withoutTime(b.lines[0]),
              "12:00:00  terminal 1  RS-232  failed: Error on downloading! ");
    EXPECT_EQ(wakes(rig), 1u);
}

}  // namespace
}  // namespace varomil
