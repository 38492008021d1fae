#include "command_line/command_line_file.h"

#include <cctype>
#include <vector>

namespace varomil {

namespace {

// Blank-separated arguments; a quoted stretch keeps its blanks (quotes removed).
std::vector<std::string> splitArguments(std::string_view line) {
    std::vector<std::string> args;
    std::string current;
    bool quoted = false;
    bool any = false;
    for (char c : line) {
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
    return args;
}

bool endsWithNet(const std::string& s) {
    if (s.size() <= 4) return false;
    std::string tail = s.substr(s.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".net";
}

}  // namespace

std::string settingsFileOnCommandLine(std::string_view commandLine) {
    const std::vector<std::string> args = splitArguments(commandLine);
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!args[i].empty() && args[i][0] != '/' && endsWithNet(args[i])) return args[i];
    }
    return {};
}

}  // namespace varomil
