// The terminal window (class "Client"): shows the telnet screen while connected.
#pragma once

#include <windows.h>

namespace varomil {

constexpr char kTerminalClassName[] = "Client";

LRESULT CALLBACK TerminalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace varomil
