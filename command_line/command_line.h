// The program's command line: a settings file to open, as Explorer passes it, or
// the switches of a batch download:
//   varomil.exe /download FILE.NET | /program FILE.SHX
//               [/via rf|rs232|irda|cradle] [/port COM1..COM9[,COMn...]]
//               [/baud 115200|57600|38400|9600] [/count N] [/wait SECONDS] [/log FILE]
//               [/each TABLE.csv] [/set NAME=VALUE]... [/parallel N] [/allow LIST]
//               [/report FILE.csv]
// Every switch may begin with '-' instead of '/', as Windows tools take them.
// A switch that would be taken and not used is refused: /each and /set with
// /program, /parallel and /allow with a serial /via, a list of ports with /via rf.
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
constexpr int kDefaultParallel = 8;
constexpr int kMaxParallel = 64;

struct BatchOptions {
    TransferKind kind = TransferKind::Settings;
    std::string file;
    // Not given: the settings file's stored interface and speed, and COM1.
    std::optional<int> via;    // LinkInterface
    std::vector<int> ports;    // 0..8 each, no port twice; empty: COM1
    std::optional<int> speed;  // index into kLinkSpeeds
    int count = 1;
    bool countGiven = false;  // without /count a table gives one terminal a row
    int waitSeconds = kDefaultWaitSeconds;
    std::string logFile;
    std::string eachFile;             // /each: one row of values per terminal
    std::vector<std::string> sets;    // /set NAME=VALUE, in the order given
    int parallel = kDefaultParallel;  // RF: terminals served at the same time
    std::string allow;                // /allow ADDRESS[/BITS],... as given
    std::string reportFile;           // /report
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
