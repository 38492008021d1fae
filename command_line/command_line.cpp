#include "command_line/command_line.h"

#include <algorithm>
#include <cctype>

#include "common/text_helpers.h"
#include "download/link_interfaces.h"
#include "download/serial_link.h"

namespace varomil {

namespace {

std::string lower(std::string_view s) {
    return lowercase(s);
}

std::optional<int> number(const std::string& text, int lo, int hi) {
    return parseDecimal(text, lo, hi);
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

bool isSwitch(const std::string& a) {
    return !a.empty() && (a[0] == '/' || a[0] == '-');
}

// A switch as the table names it: "-Count" is "/count".
std::string switchName(const std::string& a) {
    return isSwitch(a) ? "/" + lower(a.substr(1)) : lower(a);
}

// Where the one-line message of a refused command line goes besides the console:
// the log, when its switch can be made out.
std::string logFileOf(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (switchName(args[i]) == "/log" && !args[i + 1].empty() && !isSwitch(args[i + 1])) {
            return args[i + 1];
        }
    }
    return {};
}

}  // namespace

std::vector<std::string> commandLineArguments(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) args.push_back(current);
    if (!args.empty()) args.erase(args.begin());  // the program's own name
    return args;
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    if (std::none_of(args.begin(), args.end(), isSwitch)) {
        CommandLine interactive;
        if (!args.empty()) interactive.file = args.front();
        return interactive;
    }
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
        const std::string name = switchName(args[i]);
        const Switch* sw = nullptr;
        for (const Switch& s : kSwitches) {
            if (name == s.name) sw = &s;
        }
        if (sw == nullptr) {
            return invalid(isSwitch(args[i]) ? "Unknown option: " + args[i]
                                             : "Unexpected argument: " + args[i]);
        }
        const bool isFile = name == "/download" || name == "/program";
        if (std::find(seen.begin(), seen.end(), isFile ? "file" : name) != seen.end()) {
            return invalid(isFile ? "Give one of /download and /program, once"
                                  : "Option given twice: " + name);
        }
        seen.push_back(isFile ? "file" : name);
        if (i + 1 >= args.size() || args[i + 1].empty() || isSwitch(args[i + 1])) {
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
            {
                const auto port = portOf(v);
                if (!port) return invalid(bad);
                o.ports = {*port};
            }
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
