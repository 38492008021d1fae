// Downloads from the command line (/download, /program), without the main window.
#pragma once

namespace varomil {

// False when the command line asks for no batch: the program then starts as
// usual. Otherwise runs the batch, or refuses a bad command line or file, and
// gives the process's exit code: 0 all terminals ok, 1 any failed, 2 refused.
bool runCommandLineBatch(int& exitCode);

}  // namespace varomil
