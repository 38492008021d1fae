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

    const BatchOptions d = parseCommandLine(words("/download site.net")).batch;
    EXPECT_EQ(d.kind, TransferKind::Settings);
    EXPECT_FALSE(d.via || !d.ports.empty() || d.speed);
    EXPECT_EQ(d.count, 1);
    EXPECT_EQ(d.waitSeconds, 60);
}

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
        {"/download a.net /port", "Missing value for /port (COM1..COM9)"},
        {"/download a.net /via /count 2", "Missing value for /via (rf, rs232, irda or cradle)"},
        {"/download a.net /count 0", "Bad value for /count: 0 (1..999)"},
        {"/download a.net /count 1000", "Bad value for /count: 1000 (1..999)"},
        {"/download a.net /count 2x", "Bad value for /count: 2x (1..999)"},
        {"/download a.net /port COM0", "Bad value for /port: COM0 (COM1..COM9)"},
        {"/download a.net /port COM10", "Bad value for /port: COM10 (COM1..COM9)"},
        {"/download a.net /port LPT1", "Bad value for /port: LPT1 (COM1..COM9)"},
        {"/download a.net /baud 19200",
         "Bad value for /baud: 19200 (115200, 57600, 38400 or 9600)"},
        {"/download a.net /via usb", "Bad value for /via: usb (rf, rs232, irda or cradle)"},
        {"/download a.net /wait 0", "Bad value for /wait: 0 (seconds, 1..86400)"},
        {"/download a.net /count 2 /count 3", "Option given twice: /count"},
        {"/download a.net /program b.shx", "Give one of /download and /program, once"},
        {"/count 3", "Missing /download FILE.NET or /program FILE.SHX"},
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
