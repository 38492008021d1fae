#include "settings/settings_file_win.h"

#include <commdlg.h>

#include <optional>
#include <string>

#include "shell/file_dialog_win.h"
#include "settings/settings_file.h"

namespace varomil {

namespace {

constexpr char kFilter[] = "Settings (*.NET)\0*.NET\0";
constexpr char kDefaultExtension[] = "NET";

// The finished temporary file takes the target's place in one step, written
// through to the disk before the call returns.
bool replaceFile(const std::string& temporary, const std::string& target) {
    // A read-only file is the user's way of keeping it: never replace it.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return false;
    }
    return MoveFileExA(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

OPENFILENAMEA fileDialog(HWND owner, char* name, DWORD capacity, DWORD flags) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = capacity;
    ofn.Flags = flags | OFN_HIDEREADONLY;
    return ofn;
}

}  // namespace

bool openSettingsFile(HWND owner, std::string& fileName, int productCount) {
    char name[kSettingsFileNameCapacity] = "";
    OPENFILENAMEA ofn = fileDialog(owner, name, sizeof name, OFN_FILEMUSTEXIST);
    if (!chooseOpenFile(ofn)) return false;
    fileName = name;
    const LoadResult result = readSettingsFile(name, settingsImage(), companions(), productCount);
    // A file that could not be loaded must not become the target of a later Save.
    if (!succeeded(result)) fileName.clear();
    return succeeded(result);
}

bool saveSettingsFile(HWND owner, std::string& fileName) {
    if (fileName.empty()) return saveSettingsFileAs(owner, fileName);
    return writeSettingsFile(fileName, settingsImage(), companions(), replaceFile);
}

bool saveSettingsFileAs(HWND owner, std::string& fileName) {
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn =
        fileDialog(owner, name, sizeof name, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    ofn.lpstrDefExt = kDefaultExtension;
    if (!chooseSaveFile(ofn)) return false;
    // A name that would not fit with ".NET" appended is refused, not cut short.
    const std::optional<std::string> chosen = saveAsFileName(name);
    if (!chosen) return false;
    fileName = *chosen;
    return saveSettingsFile(owner, fileName);
}

}  // namespace varomil
