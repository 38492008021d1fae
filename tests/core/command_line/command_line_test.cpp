#include "command_line/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

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
    EXPECT_EQ(o.kind, TransferKind::Program);
    EXPECT_EQ(o.file, "fw.shx");
    EXPECT_EQ(o.via, 1);
    EXPECT_EQ(o.ports, std::vector<int>{8});
    EXPECT_EQ(o.speed, 3);
    EXPECT_EQ(o.count, 999);
    EXPECT_EQ(o.waitSeconds, 1);
    EXPECT_EQ(o.logFile, "out.log");

    const CommandLine site = parseCommandLine(
        words("/download s.net /port COM4,com2,COM9 /each t.csv /set A=1 /set B=x=y /parallel 64 "
              "/allow 10.0.0.0/8,127.0.0.2 /report r.csv"));
    ASSERT_EQ(site.kind, CommandLine::Kind::Batch) << site.error;
    const BatchOptions& so = site.batch;
    EXPECT_EQ(so.ports, (std::vector<int>{3, 1, 8}));
    EXPECT_EQ(so.eachFile, "t.csv");
    EXPECT_EQ(so.sets, (std::vector<std::string>{"A=1", "B=x=y"}));
    EXPECT_EQ(so.parallel, 64);
    EXPECT_EQ(so.allow, "10.0.0.0/8,127.0.0.2");
    EXPECT_EQ(so.reportFile, "r.csv");
    EXPECT_FALSE(so.countGiven);
    EXPECT_TRUE(parseCommandLine(words("/download s.net /count 1")).batch.countGiven);
    // Over RF, and where the file names the link, the RF switches are taken.
    for (const char* line : {"/download s.net /via rf /parallel 1 /allow 1.2.3.4 /port COM2",
                             "/download s.net /parallel 1 /allow 1.2.3.4"}) {
        EXPECT_EQ(parseCommandLine(words(line)).kind, CommandLine::Kind::Batch) << line;
    }

    const BatchOptions d = parseCommandLine(words("/download site.net")).batch;
    EXPECT_EQ(d.kind, TransferKind::Settings);
    EXPECT_FALSE(d.via || !d.ports.empty() || d.speed);
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(d.waitSeconds, 60);
    EXPECT_EQ(d.parallel, 8);
    EXPECT_TRUE(d.eachFile.empty() && d.sets.empty() && d.allow.empty() && d.reportFile.empty());
}

#define PORTS "COM1..COM9, or a list COM1,COM2,... of each once"

TEST(CommandLine, BadInputIsOneLineOfWhy) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"/download a.net /fast", "Unknown option: /fast"},
        {"-download a.net -fast", "Unknown option: -fast"},
        {"/download a.net extra", "Unexpected argument: extra"},
        {"/download", "Missing value for /download (a settings file)"},
        {"/download a.net /port", "Missing value for /port (" PORTS ")"},
        {"/download a.net /via /count 2", "Missing value for /via (rf, rs232, irda or cradle)"},
        {"/download a.net /count 0", "Bad value for /count: 0 (1..999)"},
        {"/download a.net /count 1000", "Bad value for /count: 1000 (1..999)"},
        {"/download a.net /count 2x", "Bad value for /count: 2x (1..999)"},
        {"/download a.net /port COM0", "Bad value for /port: COM0 (" PORTS ")"},
        {"/download a.net /port COM10", "Bad value for /port: COM10 (" PORTS ")"},
        {"/download a.net /port LPT1", "Bad value for /port: LPT1 (" PORTS ")"},
        {"/download a.net /baud 19200",
         "Bad value for /baud: 19200 (115200, 57600, 38400 or 9600)"},
        {"/download a.net /via usb", "Bad value for /via: usb (rf, rs232, irda or cradle)"},
        {"/download a.net /wait 0", "Bad value for /wait: 0 (seconds, 1..86400)"},
        {"/download a.net /count 2 /count 3", "Option given twice: /count"},
        {"/download a.net /program b.shx", "Give one of /download and /program, once"},
        {"/count 3", "Missing /download FILE.NET or /program FILE.SHX"},
        {"/download a.net /port COM1,COM1", "Bad value for /port: COM1,COM1 (" PORTS ")"},
        {"/download a.net /port COM1,", "Bad value for /port: COM1, (" PORTS ")"},
        {"/download a.net /port ,COM1", "Bad value for /port: ,COM1 (" PORTS ")"},
        {"/download a.net /port COM1;COM2", "Bad value for /port: COM1;COM2 (" PORTS ")"},
        {"/download a.net /set LocalName", "Bad value for /set: LocalName (NAME=VALUE)"},
        {"/download a.net /set =x", "Bad value for /set: =x (NAME=VALUE)"},
        {"/download a.net /parallel 0", "Bad value for /parallel: 0 (1..64)"},
        {"/download a.net /parallel 65", "Bad value for /parallel: 65 (1..64)"},
        {"/download a.net /allow 10.0.0.0/33",
         "Bad value for /allow: 10.0.0.0/33 (ADDRESS[/BITS],...)"},
        {"/download a.net /each", "Missing value for /each (a table of terminals, FILE.csv)"},
        {"/download a.net /report a.csv /report b.csv", "Option given twice: /report"},
        {"/program f.shx /each t.csv",
         "/each and /set give settings: they go with /download FILE.NET"},
        {"/program f.shx /set A=1",
         "/each and /set give settings: they go with /download FILE.NET"},
        {"/download a.net /via rs232 /parallel 2", "/parallel is for RF: it goes with /via rf"},
        {"/download a.net /allow 1.2.3.4 /via cradle", "/allow is for RF: it goes with /via rf"},
        {"/download a.net /via rf /port COM1,COM2",
         "A list of ports is for serial links: it does not go with /via rf"},
    };
    for (const Case& c : cases) {
        const CommandLine r = parseCommandLine(words(c.line));
        EXPECT_EQ(r.kind, CommandLine::Kind::Invalid) << c.line;
        EXPECT_EQ(r.error, c.error) << c.line;
    }
    // A refused line still names its log, so the refusal can be written there.
    EXPECT_EQ(parseCommandLine(words("/download a.net /count 0 /log x.log")).batch.logFile,
              "x.log");
}

}  // namespace
}  // namespace varomil
