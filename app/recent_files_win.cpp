#include "app/recent_files_win.h"

#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/recent_files.h"
#include "shell/user_settings_win.h"

namespace varomil {

namespace {

static_assert(kRecentFileCount == 4);

// The list the File menu shows: an entry opens the file its text names, even
// when another copy of the program has changed the stored list since.
std::vector<std::string>& shownList() {
    static std::vector<std::string> list;
    return list;
}

std::string valueName(std::size_t i) {
    return "File" + std::to_string(i + 1);
}

std::vector<std::string> storedList() {
    std::vector<std::string> stored;
    for (std::size_t i = 0; i < kRecentFileCount; ++i)
        stored.push_back(readUserSetting(valueName(i).c_str()));
    return cleanRecentFiles(stored);
}

void store(const std::vector<std::string>& list) {
    for (std::size_t i = 0; i < kRecentFileCount; ++i)
        writeUserSetting(valueName(i).c_str(), i < list.size() ? list[i] : std::string());
}

// The File menu and the position of Exit in it, found by command id so that
// items added elsewhere in the menu do not matter.
HMENU fileMenu(HWND frame, int& exitPosition) {
    HMENU bar = GetMenu(frame);
    for (int m = 0; bar != nullptr && m < GetMenuItemCount(bar); ++m) {
        HMENU popup = GetSubMenu(bar, m);
        for (int i = 0; popup != nullptr && i < GetMenuItemCount(popup); ++i) {
            if (GetMenuItemID(popup, i) == static_cast<UINT>(cmd::Exit)) {
                exitPosition = i;
                return popup;
            }
        }
    }
    return nullptr;
}

// The entries and the separator below them sit just above Exit.
void showList(HWND frame, const std::vector<std::string>& list) {
    shownList() = list;
    int exitPosition = 0;
    HMENU menu = fileMenu(frame, exitPosition);
    if (menu == nullptr) return;
    for (int i = 0; i < 4; ++i) {
        if (DeleteMenu(menu, static_cast<UINT>(kFirstRecentFileCommand + i), MF_BYCOMMAND))
            --exitPosition;
    }
    // The separator of an earlier list is the item right above Exit, below the
    // separator that the menu itself has there.
    const bool hadList =
        exitPosition >= 2 &&
        (GetMenuState(menu, static_cast<UINT>(exitPosition - 1), MF_BYPOSITION) & MF_SEPARATOR) &&
        (GetMenuState(menu, static_cast<UINT>(exitPosition - 2), MF_BYPOSITION) & MF_SEPARATOR);
    if (hadList) DeleteMenu(menu, static_cast<UINT>(--exitPosition), MF_BYPOSITION);
    if (list.empty()) return;
    UINT at = static_cast<UINT>(exitPosition);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string text = recentFileMenuText(i, list[i]);
        InsertMenuA(menu, at++, MF_BYPOSITION | MF_STRING,
                    static_cast<UINT_PTR>(kFirstRecentFileCommand + static_cast<int>(i)),
                    text.c_str());
    }
    InsertMenuA(menu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

}  // namespace

std::string recentFile(int command) {
    const std::vector<std::string>& list = shownList();
    const std::size_t i = static_cast<std::size_t>(command - kFirstRecentFileCommand);
    return isRecentFileCommand(command) && i < list.size() ? list[i] : std::string();
}

void rememberFile(HWND frame, const std::string& path) {
    std::vector<std::string> list = storedList();
    rememberRecentFile(list, path);
    store(list);
    showList(frame, list);
}

void forgetFile(HWND frame, const std::string& path) {
    std::vector<std::string> list = storedList();
    forgetRecentFile(list, path);
    store(list);
    showList(frame, list);
}

void showRecentFiles(HWND frame) {
    showList(frame, storedList());
}

}  // namespace varomil
