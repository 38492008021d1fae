// The program's command line: a settings file to open, as Explorer passes it, or
// the switches of a batch download:
//   varomil.exe /download FILE.NET | /program FILE.SHX
//               [/via rf|rs232|irda|cradle] [/port COM1..COM9]
//               [/baud 115200|57600|38400|9600] [/count N] [/wait SECONDS] [/log FILE]
// Every switch may begin with '-' instead of '/', as Windows tools take them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "download/download_command.h"

namespace varomil {

constexpr int kMaxBatchCount = 999;
constexpr int kDefaultWaitSeconds = 60;
constexpr int kMaxWaitSeconds = 86400;

struct BatchOptions {
    TransferKind kind = TransferKind::Settings;
    std::string file;
    // Not given: the settings file's stored interface and speed, and COM1.
    std::optional<int> via;    // LinkInterface
    std::optional<int> port;   // 0..8
    std::optional<int> speed;  // index into kLinkSpeeds
    int count = 1;
    int waitSeconds = kDefaultWaitSeconds;
    std::string logFile;
};

struct CommandLine {
    enum class Kind { Interactive, Batch, Invalid };
    Kind kind = Kind::Interactive;
    std::string file;  // Interactive: the file to open, empty for none
    BatchOptions batch;
    std::string error;  // one line, for Invalid
};

// The arguments of a whole command line (GetCommandLine), without the program's
// own name: blank-separated, a quoted stretch keeps its blanks, the quotes go.
std::vector<std::string> commandLineArguments(std::string_view line);

// The program's arguments without its own name. Without a switch the program
// starts as usual, opening the first argument if there is one; a switch makes the
// whole line a batch, and anything it cannot take is Invalid.
CommandLine parseCommandLine(const std::vector<std::string>& args);

}  // namespace varomil
