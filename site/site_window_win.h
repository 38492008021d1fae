// Download to Many Terminals: a modeless window that serves a site's terminals
// on a worker thread while the main window stays usable, one row per terminal.
#pragma once

#include <windows.h>

namespace varomil {

// Opens the window owned by `frame`, or brings the open one to the front.
void openSiteWindow(HWND frame);

// The open window, or nullptr.
HWND siteWindow();

// True from Start until every terminal has finished and the log is written.
bool siteWindowRunning();

// The message loop's part for the window: its keyboard navigation. True when the
// message was taken.
bool siteWindowMessage(MSG& msg);

}  // namespace varomil
