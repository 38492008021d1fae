#include "command_line/command_line.h"

#include <algorithm>
#include <cctype>

#include "download/link_interfaces.h"
#include "download/serial_link.h"

namespace varomil {

namespace {

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// A whole decimal number in [lo, hi], or nothing.
std::optional<int> number(const std::string& text, int lo, int hi) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    const int v = std::stoi(text);
    if (v < lo || v > hi) return std::nullopt;
    return v;
}

std::optional<int> viaOf(const std::string& v) {
    const std::string s = lower(v);
    if (s == "cradle") return kViaCradle;
    if (s == "rs232") return kViaRs232;
    if (s == "irda") return kViaIrda;
    if (s == "rf") return kViaRf;
    return std::nullopt;
}

std::optional<int> portOf(const std::string& v) {
    const std::string s = lower(v);
    if (s.size() != 4 || s.compare(0, 3, "com") != 0) return std::nullopt;
    const auto n = number(s.substr(3), 1, kComPortCount);
    if (!n) return std::nullopt;
    return *n - 1;
}

std::optional<int> speedOf(const std::string& v) {
    for (std::size_t i = 0; i < kLinkSpeeds.size(); ++i) {
        if (std::to_string(kLinkSpeeds[i].baudRate) == v) return static_cast<int>(i);
    }
    return std::nullopt;
}

struct Switch {
    const char* name;
    const char* expected;  // what a bad value should have been
};

constexpr Switch kSwitches[] = {
    {"/download", "a settings file"},
    {"/program", "a program file"},
    {"/via", "rf, rs232, irda or cradle"},
    {"/port", "COM1..COM9"},
    {"/baud", "115200, 57600, 38400 or 9600"},
    {"/count", "1..999"},
    {"/wait", "seconds, 1..86400"},
    {"/log", "a file name"},
};

// Where the one-line message of a refused command line goes besides the console:
// the log, when its switch can be made out.
std::string logFileOf(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (lower(args[i]) == "/log" && !args[i + 1].empty() && args[i + 1][0] != '/') {
            return args[i + 1];
        }
    }
    return {};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    const bool anySwitch = std::any_of(
        args.begin(), args.end(), [](const std::string& a) { return !a.empty() && a[0] == '/'; });
    if (!anySwitch) return {};
    CommandLine c;
    c.kind = CommandLine::Kind::Batch;
    BatchOptions& o = c.batch;
    o.logFile = logFileOf(args);
    const auto invalid = [&c](std::string error) {
        c.kind = CommandLine::Kind::Invalid;
        c.error = std::move(error);
        return c;
    };
    std::vector<std::string> seen;
    bool haveFile = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string name = lower(args[i]);
        const Switch* sw = nullptr;
        for (const Switch& s : kSwitches) {
            if (name == s.name) sw = &s;
        }
        if (sw == nullptr) {
            return invalid(args[i].empty() || args[i][0] != '/' ? "Unexpected argument: " + args[i]
                                                                : "Unknown option: " + args[i]);
        }
        const bool isFile = name == "/download" || name == "/program";
        if (std::find(seen.begin(), seen.end(), isFile ? "file" : name) != seen.end()) {
            return invalid(isFile ? "Give one of /download and /program, once"
                                  : "Option given twice: " + name);
        }
        seen.push_back(isFile ? "file" : name);
        if (i + 1 >= args.size() || args[i + 1].empty() || args[i + 1][0] == '/') {
            return invalid("Missing value for " + name + " (" + sw->expected + ")");
        }
        const std::string& v = args[++i];
        const std::string bad = "Bad value for " + name + ": " + v + " (" + sw->expected + ")";
        if (isFile) {
            o.kind = name == "/program" ? TransferKind::Program : TransferKind::Settings;
            o.file = v;
            haveFile = true;
        } else if (name == "/via") {
            if (!(o.via = viaOf(v))) return invalid(bad);
        } else if (name == "/port") {
            if (!(o.port = portOf(v))) return invalid(bad);
        } else if (name == "/baud") {
            if (!(o.speed = speedOf(v))) return invalid(bad);
        } else if (name == "/count") {
            const auto n = number(v, 1, kMaxBatchCount);
            if (!n) return invalid(bad);
            o.count = *n;
        } else if (name == "/wait") {
            const auto n = number(v, 1, kMaxWaitSeconds);
            if (!n) return invalid(bad);
            o.waitSeconds = *n;
        } else {
            o.logFile = v;
        }
    }
    if (!haveFile) return invalid("Missing /download FILE.NET or /program FILE.SHX");
    return c;
}

}  // namespace varomil
