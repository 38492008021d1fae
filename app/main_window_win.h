// The main window: toolbar with the product selector, summary tree, status bar
// and the terminal window, and the procedure that routes every command.
#pragma once

#include <windows.h>

#include <string>

#include "summary/summary_commands_win.h"

namespace varomil {

// Child windows and the tree font, created once per main window in its creation
// handler.
struct MainWindow {
    HWND frame = nullptr;
    HWND toolbar = nullptr;
    HWND tree = nullptr;
    HWND status = nullptr;
    HWND terminal = nullptr;
    HWND selector = nullptr;
    HWND tooltip = nullptr;
    HFONT treeFont = nullptr;
    HWND lastFocus = nullptr;  // the selector or the tree, given the focus back
    int dpi = 96;              // fixed sizes are given for 96 DPI and scaled by this
};

const MainWindow& mainWindow();

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Enable and gray the Telnet commands on the toolbar and in the menu.
void SetConnectionState(HWND frame, bool disconnected);
void SetCaptureState(HWND frame, bool idle);
// Gray the other downloads and Configure while a site download runs.
void SetSiteRunState(HWND frame, bool running);

// Shows the terminal window instead of the tree (connected) or the other way round.
void showTerminalView(bool connected);

// True while connected: the terminal window is shown instead of the tree.
bool terminalShown();

// While connected and this window is the active one, the keys go to the
// terminal, whatever command, menu or dialog had them before.
void keepKeysWithTerminal(HWND frame);

// Replaces the status bar's text (part 0).
void setStatusText(const char* text);

// Replaces the text of the status bar's link part (part 1).
void setLinkStatusText(const char* text);

// Rebuilds the summary tree from the settings image; the branches that were
// expanded stay expanded where they are still there.
void rebuildSummaryTree();

// What the summary commands see of this window and the document.
SummaryFrame summaryFrame(HWND frame);

// Tab and F6 between the product selector and the tree. True when the key was
// taken; the message loop then passes it no further.
bool handleFrameKey(const MSG& msg);

// True while the connected terminal window has the focus: Ctrl+letter then goes
// to the host rather than to the frame's accelerators.
bool terminalTakesKeys();

// The window's DPI (the system's before Windows 10) and a 96-DPI size scaled to it.
int windowDpi(HWND window);
int scaled(int pixels, int dpi);

// Opens a settings file named by path the way Open does (drag and drop, the
// command line, the recent files).
void openNamedFile(HWND frame, const std::string& path);

}  // namespace varomil
