// A settings file named on the command line, as Explorer passes it when a *.NET
// file is opened with the program.
#pragma once

#include <string>
#include <string_view>

namespace varomil {

// The first argument after the program's own name that is a plain path ending in
// ".NET" (any case), without its quotes; switches (a leading '/') and other
// arguments are left to whoever reads them. Empty when there is none.
std::string settingsFileOnCommandLine(std::string_view commandLine);

}  // namespace varomil
