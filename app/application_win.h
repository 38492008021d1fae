// Start-up of the program: product table, window classes, main window, About box
// and message loop. Split so that the GUI tests can create the main window
// without the modal About box and without running the message loop.
#pragma once

#include <windows.h>

#include <string>

#include "shell/resource_strings_win.h"

namespace varomil {

// Main window class name (string 1001) and window title (string 1002).
const std::string& mainClassName();
const std::string& windowTitle();

// Loads the class name, the title and the product table, and registers the
// window classes "Varomil" and "Client". False when a registration fails.
bool startApplication(HINSTANCE instance);

// Creates the main window and shows it; nullptr on failure.
HWND createMainWindow(HINSTANCE instance, int show);

void showAboutBox(HWND owner);

// What the message loop does before TranslateMessage: the frame's own keys (Tab,
// F6) and the accelerators. True when the message is done with.
bool translateFrameMessage(HWND mainWindow, HACCEL accelerators, MSG& msg);

// Runs the message loop with the accelerator table; returns the quit code.
int runMessageLoop(HWND mainWindow);

// Opens the *.NET file that the command line names, if any, as Open would.
void openCommandLineFile(HWND frame, const char* commandLine);

// The whole program: start-up, About box, message loop. Returns the loop's exit
// code, or 0 when start-up fails.
int runApplication(HINSTANCE instance, int show);

}  // namespace varomil
