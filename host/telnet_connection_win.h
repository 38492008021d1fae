// The telnet connection to the host application.
#pragma once

#include <windows.h>

namespace varomil {

// Asks for the host address (the dialog is owned by the focus window, or by
// `owner`) and connects. The terminal window owns the failure messages and is told
// of the host's output. True when a connection is open.
bool connectHost(HWND owner, HWND terminal);
// Closes the connection (and a capture in progress); harmless when none is open.
void disconnectHost(HWND owner);

}  // namespace varomil
