#include "settings/settings_file_win.h"

#include <commdlg.h>

#include <optional>
#include <string>

#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "shell/file_dialog_win.h"
#include "shell/message_box_win.h"
#include "shell/resource_strings_win.h"

namespace varomil {

namespace {

// The finished temporary file takes the target's place in one step, written
// through to the disk before the call returns.
bool replaceFile(const std::string& temporary, const std::string& target) {
    // A read-only file is the user's way of keeping it: never replace it.
    const DWORD attributes = GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExA(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// The system's own words for the last failure, without the line end.
std::string systemReason(DWORD error) {
    char text[512] = "";
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, text, sizeof text, nullptr);
    std::string reason(text, n);
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

void tell(HWND owner, const std::string& text, UINT icon) {
    showMessage(owner, text.c_str(), loadResourceString(IDS_TITLE).c_str(), MB_OK | icon);
}

}  // namespace

OpenResult openSettingsFileAt(HWND owner, const std::string& path, std::string& fileName,
                              int productCount) {
    fileName = path;
    SetLastError(ERROR_SUCCESS);
    const LoadResult result = readSettingsFile(path, settingsImage(), companions(), productCount);
    const DWORD error = GetLastError();
    switch (result) {
        case LoadResult::Loaded:
            return OpenResult::Loaded;
        case LoadResult::ReplacedByDefaults:
            // The file is not ours to overwrite: the next Save asks for a name.
            fileName.clear();
            tell(owner,
                 path +
                     " is not a settings file of a known version.\n"
                     "The factory settings are loaded instead; Save asks for a new file name.",
                 MB_ICONWARNING);
            return OpenResult::Defaults;
        case LoadResult::TooShort:
            fileName.clear();
            tell(owner,
                 "Can not open the settings from " + path +
                     ".\nThe file is too short to be a settings file.",
                 MB_ICONWARNING);
            return OpenResult::Failed;
        case LoadResult::CaptureFile:
            fileName.clear();
            tell(owner, path + " is a host-screen capture file, not a settings file.",
                 MB_ICONWARNING);
            return OpenResult::Failed;
        case LoadResult::CannotOpen:
        case LoadResult::ReadError:
            break;
    }
    // A file that could not be loaded must not become the target of a later Save.
    fileName.clear();
    tell(owner, "Can not open the settings from " + path + ".\n" + systemReason(error),
         MB_ICONWARNING);
    return OpenResult::Failed;
}

bool openSettingsFile(HWND owner, std::string& fileName, int productCount) {
    const auto name = chooseFile(owner, FileDialogKind::Open, FileType::Settings);
    if (!name) return false;
    return openSettingsFileAt(owner, *name, fileName, productCount) != OpenResult::Failed;
}

bool saveSettingsFile(HWND owner, std::string& fileName) {
    if (fileName.empty()) return saveSettingsFileAs(owner, fileName);
    SetLastError(ERROR_SUCCESS);
    if (writeSettingsFile(fileName, settingsImage(), companions(), replaceFile)) return true;
    // The user must not believe the settings are kept.
    const DWORD error = GetLastError();
    tell(owner,
         "Can not save the settings to " + fileName + ".\n" +
             systemReason(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT),
         MB_ICONWARNING);
    return false;
}

bool saveSettingsFileAs(HWND owner, std::string& fileName) {
    const auto name = chooseFile(owner, FileDialogKind::Save, FileType::Settings);
    if (!name) return false;
    // A name that would not fit with ".NET" appended is refused, not cut short.
    const std::optional<std::string> chosen = saveAsFileName(*name);
    if (!chosen) return false;
    // The document takes the new name only once the settings are in it.
    std::string target = *chosen;
    if (!saveSettingsFile(owner, target)) return false;
    fileName = target;
    return true;
}

}  // namespace varomil
