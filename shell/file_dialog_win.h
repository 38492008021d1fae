// Every common Open or Save As dialog of the program goes through chooseFile, so
// that the GUI tests can choose the file (or cancel) from a script, and so that
// each starts in the folder the user chose last.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <optional>
#include <string>

namespace varomil {

enum class FileDialogKind { Open, Save };

// The kinds of file the program reads and writes, each with its filter.
enum class FileType { Settings, Program, Screens, Text, Table };

// The Open (the file must exist) or Save As (a replaced file is asked about)
// dialog for one kind of file, offering `initial`; the chosen path, or nothing
// for Cancel. A name typed without an extension gets the kind's own on Save.
std::optional<std::string> chooseFile(HWND owner, FileDialogKind kind, FileType type,
                                      const std::string& initial = {});

// The tests' stand-in for the dialog: fills ofn.lpstrFile and returns true, or
// returns false for Cancel; an empty function removes it.
using FileDialogHook = std::function<bool(FileDialogKind kind, OPENFILENAMEA& ofn)>;
void setFileDialogHook(FileDialogHook hook);

}  // namespace varomil
