// Settings files opened by path rather than through the Open dialog (drag and
// drop, the command line, the recent files), and the title that names the file.
#include <string>

#include "app/application_win.h"
#include "app/commands_win.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "app/property_sheet_win.h"
#include "app/recent_files.h"
#include "app/recent_files_win.h"
#include "settings/settings_file_win.h"

namespace varomil {

void updateTitle(HWND frame) {
    const Document& doc = document();
    const std::string title =
        windowTitleFor(windowTitle(), doc.CurrentFileName, doc.SettingsModified);
    if (frame != nullptr) SetWindowTextA(frame, title.c_str());
}

void showOpenedFile(HWND frame) {
    // The selector shows the file's product before the sheet closes: the focus
    // comes back to the selector then, and its notification must find no change.
    SendMessageA(mainWindow().selector, CB_SETCURSEL, static_cast<WPARAM>(selectedProduct()), 0);
    openSettingsSheet(frame);
    // Whatever the sheet returned, the tree must show the file just loaded.
    rebuildSummaryTree();
    if (!document().CurrentFileName.empty()) rememberFile(frame, document().CurrentFileName);
}

void openNamedFile(HWND frame, const std::string& path) {
    if (document().SettingsModified && !askToSave(frame)) return;
    const std::string previousName = document().CurrentFileName;
    const bool previouslyModified = document().SettingsModified;
    document().CurrentFileName.clear();
    document().SettingsModified = false;
    const OpenResult result =
        openSettingsFileAt(frame, path, document().CurrentFileName, document().ProductCount);
    if (result == OpenResult::Failed) {
        // The settings in memory are still those of before, and so is their file.
        document().CurrentFileName = previousName;
        document().SettingsModified = previouslyModified;
        // A recent file that is gone or unreadable leaves the list.
        forgetFile(frame, path);
    } else {
        showOpenedFile(frame);
    }
    updateTitle(frame);
}

void openRecentFile(HWND frame, int command) {
    const std::string path = recentFile(command);
    if (!path.empty()) openNamedFile(frame, path);
}

}  // namespace varomil
