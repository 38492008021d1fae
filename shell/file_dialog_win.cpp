#include "shell/file_dialog_win.h"

#include <string>
#include <utility>

#include "shell/user_settings_win.h"

namespace varomil {

namespace {
FileDialogHook& hook() {
    static FileDialogHook h;
    return h;
}

constexpr char kLastFolder[] = "LastFolder";

// Every Open and Save As dialog starts in the folder used last, unless the
// caller names one or the name it offers carries its own folder.
template <typename Choose>
bool chooseInLastFolder(OPENFILENAMEA& ofn, Choose choose) {
    const std::string folder = readUserSetting(kLastFolder);
    const char* given = ofn.lpstrInitialDir;
    if (given == nullptr && !folder.empty()) ofn.lpstrInitialDir = folder.c_str();
    const bool chosen = choose();
    ofn.lpstrInitialDir = given;
    if (chosen && ofn.lpstrFile != nullptr) {
        const std::string path = ofn.lpstrFile;
        const std::size_t cut = path.find_last_of("\\/");
        if (cut != std::string::npos) {
            // "C:\name" keeps its separator: "C:" alone is the drive's current folder.
            writeUserSetting(kLastFolder, path.substr(0, cut == 2 ? 3 : cut));
        }
    }
    return chosen;
}

// The dialog's settings for a file name buffer of `capacity` characters: the
// filter's first entry chosen, the read-only box hidden, `defExt` (may be null)
// added to a name typed without one.
OPENFILENAMEA fileDialogFor(HWND owner, char* name, DWORD capacity, const char* filter,
                            const char* defExt, DWORD flags) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = capacity;
    ofn.lpstrDefExt = defExt;
    ofn.Flags = flags | OFN_HIDEREADONLY;
    return ofn;
}

bool chooseOpenFile(OPENFILENAMEA& ofn) {
    return chooseInLastFolder(ofn, [&] {
        if (hook()) return hook()(FileDialogKind::Open, ofn);
        return GetOpenFileNameA(&ofn) != FALSE;
    });
}

bool chooseSaveFile(OPENFILENAMEA& ofn) {
    return chooseInLastFolder(ofn, [&] {
        if (hook()) return hook()(FileDialogKind::Save, ofn);
        return GetSaveFileNameA(&ofn) != FALSE;
    });
}

struct FileTypeInfo {
    FileType type;
    const char* filter;
    const char* extension;
    bool extensionOnOpen;  // also added to a name typed in the Open dialog
};

constexpr FileTypeInfo kFileTypes[] = {
    {FileType::Settings, "Settings (*.NET)\0*.NET\0", "NET", false},
    {FileType::Program, "Absolute object programs {*.SHX}\0*.SHX\0", "SHX", true},
    {FileType::Screens, "Host Session Screens (*.SCR)\0*.SCR\0", "SCR", false},
    {FileType::Text, "Text (*.TXT)\0*.TXT\0", "TXT", false},
    {FileType::Table, "Tables (*.CSV)\0*.CSV\0", "CSV", false},
};

}  // namespace

void setFileDialogHook(FileDialogHook h) {
    hook() = std::move(h);
}

std::optional<std::string> chooseFile(HWND owner, FileDialogKind kind, FileType type,
                                      const std::string& initial) {
    const FileTypeInfo* info = &kFileTypes[0];
    for (const FileTypeInfo& t : kFileTypes) {
        if (t.type == type) info = &t;
    }
    char name[MAX_PATH] = "";
    if (initial.size() < sizeof name) initial.copy(name, initial.size());
    const bool save = kind == FileDialogKind::Save;
    OPENFILENAMEA ofn =
        fileDialogFor(owner, name, sizeof name, info->filter,
                      save || info->extensionOnOpen ? info->extension : nullptr,
                      save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    if (!(save ? chooseSaveFile(ofn) : chooseOpenFile(ofn))) return std::nullopt;
    name[sizeof name - 1] = '\0';
    return std::string(name);
}

}  // namespace varomil
