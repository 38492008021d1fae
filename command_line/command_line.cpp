#include "command_line/command_line.h"

#include <algorithm>
#include <cctype>

#include "common/text_helpers.h"
#include "download/link_interfaces.h"
#include "download/serial_link.h"
#include "site/allow_list.h"

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

// "COM1,COM3": each port once.
std::optional<std::vector<int>> portsOf(const std::string& v) {
    std::vector<int> ports;
    for (std::size_t start = 0; start <= v.size();) {
        const std::size_t comma = std::min(v.find(',', start), v.size());
        const auto port = portOf(v.substr(start, comma - start));
        if (!port || std::find(ports.begin(), ports.end(), *port) != ports.end()) {
            return std::nullopt;
        }
        ports.push_back(*port);
        start = comma + 1;
    }
    return ports;
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
    {"/port", "COM1..COM9, or a list COM1,COM2,... of each once"},
    {"/baud", "115200, 57600, 38400 or 9600"},
    {"/count", "1..999"},
    {"/wait", "seconds, 1..86400"},
    {"/log", "a file name"},
    {"/each", "a table of terminals, FILE.csv"},
    {"/set", "NAME=VALUE"},
    {"/parallel", "1..64"},
    {"/allow", "ADDRESS[/BITS],..."},
    {"/report", "a file name"},
};

// Switches that may be given more than once.
bool repeatable(const std::string& name) {
    return name == "/set";
}

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
        if (!repeatable(name) &&
            std::find(seen.begin(), seen.end(), isFile ? "file" : name) != seen.end()) {
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
            const auto ports = portsOf(v);
            if (!ports) return invalid(bad);
            o.ports = *ports;
        } else if (name == "/baud") {
            if (!(o.speed = speedOf(v))) return invalid(bad);
        } else if (name == "/count") {
            const auto n = number(v, 1, kMaxBatchCount);
            if (!n) return invalid(bad);
            o.count = *n;
            o.countGiven = true;
        } else if (name == "/wait") {
            const auto n = number(v, 1, kMaxWaitSeconds);
            if (!n) return invalid(bad);
            o.waitSeconds = *n;
        } else if (name == "/each") {
            o.eachFile = v;
        } else if (name == "/set") {
            if (v.find('=') == std::string::npos || v.front() == '=') return invalid(bad);
            o.sets.push_back(v);
        } else if (name == "/parallel") {
            const auto n = number(v, 1, kMaxParallel);
            if (!n) return invalid(bad);
            o.parallel = *n;
        } else if (name == "/allow") {
            std::string why;
            if (!AllowList().parse(v, why)) return invalid(bad);
            o.allow = v;
        } else if (name == "/report") {
            o.reportFile = v;
        } else {
            o.logFile = v;
        }
    }
    if (!haveFile) return invalid("Missing /download FILE.NET or /program FILE.SHX");
    // Switches that would be taken and then not used are refused, so that a
    // batch never runs other than its line reads.
    const auto given = [&seen](const char* name) {
        return std::find(seen.begin(), seen.end(), name) != seen.end();
    };
    if (o.kind == TransferKind::Program && (given("/each") || given("/set"))) {
        return invalid("/each and /set give settings: they go with /download FILE.NET");
    }
    const bool serial = o.via && *o.via != kViaRf;
    for (const char* rfOnly : {"/parallel", "/allow"}) {
        if (serial && given(rfOnly)) {
            return invalid(std::string(rfOnly) + " is for RF: it goes with /via rf");
        }
    }
    if (o.via == kViaRf && o.ports.size() > 1) {
        return invalid("A list of ports is for serial links: it does not go with /via rf");
    }
    return c;
}

}  // namespace varomil
