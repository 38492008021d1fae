// Every common Open or Save As dialog of the program goes through these two
// functions, so that the GUI tests can choose the file (or cancel) from a script,
// and so that each starts in the folder the user chose last.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>

namespace varomil {

// GetOpenFileNameA / GetSaveFileNameA, or the installed hook when there is one.
// The result and the chosen name in ofn.lpstrFile are as from the real dialog.
bool chooseOpenFile(OPENFILENAMEA& ofn);
bool chooseSaveFile(OPENFILENAMEA& ofn);

// The dialog's settings for a file name buffer of `capacity` characters: the
// filter's first entry chosen, the read-only box hidden, `defExt` (may be null)
// added to a name typed without one.
OPENFILENAMEA fileDialogFor(HWND owner, char* name, DWORD capacity, const char* filter,
                            const char* defExt, DWORD flags);

enum class FileDialogKind { Open, Save };
// Fills ofn.lpstrFile and returns true, or returns false for Cancel; an empty
// function removes the hook.
using FileDialogHook = std::function<bool(FileDialogKind kind, OPENFILENAMEA& ofn)>;
void setFileDialogHook(FileDialogHook hook);

}  // namespace varomil
