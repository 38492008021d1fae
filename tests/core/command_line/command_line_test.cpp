#include "command_line/command_line.h"
#include "command_line/batch_download.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "tests/core/golden.h"

namespace varomil {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// The whole line as Windows gives it, read by the one tokenizer: without a switch
// the first argument is the file to open, whatever it is called.
TEST(CommandLine, WithoutSwitchesTheFirstArgumentIsOpened) {
    const std::pair<const char*, const char*> cases[] = {
        {R"("C:\Program Files\varomil.exe" "C:\My Sites\dock.NET")", R"(C:\My Sites\dock.NET)"},
        {R"(varomil.exe C:\a.net)", R"(C:\a.net)"},
        {R"(varomil.exe notes.txt other.NET)", "notes.txt"},
        {R"(C:\varomil.NET)", ""},  // the program's own name is never the file
        {"", ""},
    };
    for (const auto& [line, file] : cases) {
        const CommandLine c = parseCommandLine(commandLineArguments(line));
        EXPECT_EQ(c.kind, CommandLine::Kind::Interactive) << line;
        EXPECT_EQ(c.file, file) << line;
    }
    const CommandLine batch =
        parseCommandLine(commandLineArguments(R"(v.exe -DOWNLOAD "C:\a b.NET" -count 2)"));
    ASSERT_EQ(batch.kind, CommandLine::Kind::Batch) << batch.error;
    EXPECT_EQ(batch.batch.file, R"(C:\a b.NET)");
    EXPECT_EQ(batch.batch.count, 2);
}

TEST(CommandLine, EveryOptionIsTaken) {
    const CommandLine c = parseCommandLine(
        words("/PROGRAM fw.shx /via RS232 /port com9 /baud 9600 /count 999 /wait 1 /log out.log"));
    ASSERT_EQ(c.kind, CommandLine::Kind::Batch) << c.error;
    const BatchOptions& o = c.batch;
    EXPECT_EQ(std::tie(o.kind, o.file, o.via, o.ports, o.speed, o.count, o.waitSeconds, o.logFile),
              std::make_tuple(TransferKind::Program, "fw.shx", 1, std::vector<int>{8}, 3, 999, 1,
                              "out.log"));

    const CommandLine site = parseCommandLine(
        words("/download s.net /port COM4,com2,COM9 /each t.csv /set A=1 /set B=x=y /parallel 64 "
              "/allow 10.0.0.0/8,127.0.0.2 /report r.csv"));
    ASSERT_EQ(site.kind, CommandLine::Kind::Batch) << site.error;
    const BatchOptions& so = site.batch;
    EXPECT_EQ(std::tie(so.ports, so.eachFile, so.sets, so.parallel, so.allow, so.reportFile,
                       so.countGiven),
              std::make_tuple(std::vector<int>{3, 1, 8}, "t.csv",
                              std::vector<std::string>{"A=1", "B=x=y"}, 64, "10.0.0.0/8,127.0.0.2",
                              "r.csv", false));
    EXPECT_TRUE(parseCommandLine(words("/download s.net /count 1")).batch.countGiven);
    // Over RF, and where the file names the link, the RF switches are taken.
    for (const char* line : {"/download s.net /via rf /parallel 1 /allow 1.2.3.4 /port COM2",
                             "/download s.net /parallel 1 /allow 1.2.3.4"}) {
        EXPECT_EQ(parseCommandLine(words(line)).kind, CommandLine::Kind::Batch) << line;
    }

    const BatchOptions d = parseCommandLine(words("/download site.net")).batch;
    EXPECT_EQ(std::tie(d.kind, d.count, d.waitSeconds, d.parallel),
              std::make_tuple(TransferKind::Settings, 1, 60, 8));
    EXPECT_FALSE(d.via || !d.ports.empty() || d.speed);
    EXPECT_TRUE(d.eachFile.empty() && d.sets.empty() && d.allow.empty() && d.reportFile.empty());
}

// The cases are in tests/data/command_line/bad_lines.txt.
TEST(CommandLine, BadInputIsOneLineOfWhy) {
    const auto cases = readCases("command_line/bad_lines.txt");
    ASSERT_GE(cases.size(), 34u);
    for (const auto& c : cases) {
        const CommandLine r = parseCommandLine(words(c.at(0)));
        EXPECT_EQ(r.kind, CommandLine::Kind::Invalid) << c[0];
        EXPECT_EQ(r.error, c.at(1)) << c[0];
    }
    // A refused line still names its log, so the refusal can be written there.
    EXPECT_EQ(parseCommandLine(words("/download a.net /count 0 /log x.log")).batch.logFile,
              "x.log");
}

// The batch's own lines: who may connect, what it waits for, whom it refused.
TEST(BatchDownload, LinesOfTheSiteLog) {
    AllowList some;
    std::string error;
    ASSERT_TRUE(some.parse("10.1.2.0/24,10.9.9.9", error)) << error;
    EXPECT_EQ(allowedLine(AllowList{}), "every address is allowed");
    EXPECT_EQ(allowedLine(some), "allowed: 10.1.2.0/24, 10.9.9.9");
    EXPECT_EQ(waitingLine("21:04:05", 2, "COM3"), "21:04:05  waiting for terminal 2 on COM3");
    const std::pair<SiteRefusal, const char*> refusals[] = {
        {SiteRefusal::NotAllowed, "refused: address not allowed"},
        {SiteRefusal::RowTaken, "refused: its row is served already"},
        {SiteRefusal::NoRow, "refused: no row left for it"},
        {SiteRefusal::NoHandshake, "closed: no terminal answered"},
    };
    for (const auto& [why, text] : refusals)
        EXPECT_EQ(refusedLine("t", "10.0.0.9:40312", why),
                  std::string("t  10.0.0.9:40312  ") + text);
    EXPECT_EQ(batchSummaryLine(3, 1, 35140), "3 terminals: 2 ok, 1 failed, 35.14 s");
}

}  // namespace
}  // namespace varomil
