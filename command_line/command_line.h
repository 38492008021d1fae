// The switches of a batch download from the command line:
//   varomil.exe /download FILE.NET | /program FILE.SHX
//               [/via rf|rs232|irda|cradle] [/port COM1..COM9]
//               [/baud 115200|57600|38400|9600] [/count N] [/wait SECONDS] [/log FILE]
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
    BatchOptions batch;
    std::string error;  // one line, for Invalid
};

// The program's arguments without its own name. Arguments that do not begin with
// '/' are left to the interactive start (a settings file to open); the first
// switch makes the whole line a batch, and anything it cannot take is Invalid.
CommandLine parseCommandLine(const std::vector<std::string>& args);

}  // namespace varomil
