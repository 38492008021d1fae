// The telnet connection to the host application.
#pragma once

#include <windows.h>

namespace varomil {

// True when a connection is open.
bool connectHost(HWND owner);
// Closes the connection (and a capture in progress); harmless when none is open.
void disconnectHost(HWND owner);

}  // namespace varomil
