// The RF download port and the download's traces as the GUI tests see them from
// outside the program.
#pragma once

#include <winsock2.h>

#include <string>

namespace varomil {

// 127.0.0.1 (any address with `anyAddress`), port 3000.
sockaddr_in downloadPortAddress(bool anyAddress = false);
// True when port 3000 can be bound: nothing, the program included, listens on it.
bool downloadPortFree();
// True when a connection to port 3000 is taken: a download's socket is open.
bool downloadPortListens();

namespace test {

// An environment variable set by an end-to-end script ("" when unset).
std::string env(const char* name);
// The link part of the main window's status bar.
std::string linkStatusText();

}  // namespace test
}  // namespace varomil
