// The main window: toolbar with the product selector, summary tree, status bar
// and the terminal window, and the procedure that routes every command.
#pragma once

#include <windows.h>

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
};

const MainWindow& mainWindow();

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Enable and gray the Telnet commands on the toolbar and in the menu.
void SetConnectionState(HWND frame, bool disconnected);
void SetCaptureState(HWND frame, bool idle);

// Shows the terminal window instead of the tree (connected) or the other way round.
void showTerminalView(bool connected);

// Replaces the status bar's text (part 0).
void setStatusText(const char* text);

// Rebuilds the summary tree from the settings image.
void rebuildSummaryTree();

}  // namespace varomil
