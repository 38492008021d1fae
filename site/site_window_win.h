// Download to Many Terminals: a modeless window that serves a site's terminals
// on a worker thread while the main window stays usable, one row per terminal.
#pragma once

#include <windows.h>

#include <functional>

namespace varomil {

// Opens the window owned by `frame`, or brings the open one to the front.
// `running` is told when a run starts (true) and when it has ended (false).
void openSiteWindow(HWND frame, std::function<void(bool running)> running);

// The open window, or nullptr.
HWND siteWindow();

// True from Start until every terminal has finished and the log is written.
bool siteWindowRunning();

// The message loop's part for the window: its keyboard navigation. True when the
// message was taken.
bool siteWindowMessage(MSG& msg);

}  // namespace varomil
