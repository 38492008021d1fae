#include "summary/summary_commands_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <cstring>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "resources/resource_ids.h"
#include "resources/summary_ids.h"
#include "summary/compare_window_win.h"
#include "settings/factory_defaults.h"
#include "summary/settings_compare.h"
#include "settings/settings_file.h"
#include "summary/summary_tree_view_win.h"
#include "shell/file_dialog_win.h"
#include "shell/message_box_win.h"
#include "shell/resource_strings_win.h"

namespace varomil {

namespace {

// What Find looked for last; F3 looks for it again.
std::string& lastSearch() {
    static std::string text;
    return text;
}

void tell(const SummaryFrame& frame, const std::string& text, UINT icon) {
    showMessage(frame.window, text.c_str(), frame.title.c_str(), MB_OK | icon);
}

// The settings in memory as a file would hold them: the working reader blocks
// are what Save would store.
void compareAndShow(const SummaryFrame& frame, const SettingsImage& theirs,
                    const Companions& theirScreens, const std::string& theirName) {
    auto mine = std::make_unique<SettingsImage>(settingsImage());
    storeReaderBlocks(*mine, companions());
    const std::vector<CompareRow> rows = compareSettings(*mine, companions(), theirs, theirScreens,
                                                         summaryContext(frame.productNames));
    const std::string& current = frame.fileName;
    showCompareWindow(frame.window, current.empty() ? "(current settings, not saved)" : current,
                      theirName, rows);
}

bool treeShown(HWND tree) {
    return tree != nullptr && IsWindowVisible(tree);
}

HTREEITEM selectedItem(HWND tree) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void findFrom(const SummaryFrame& frame) {
    const HTREEITEM found = findSummaryItem(frame.tree, lastSearch(), selectedItem(frame.tree));
    if (found == nullptr) {
        tell(frame, "Cannot find \"" + lastSearch() + "\".", MB_ICONINFORMATION);
        return;
    }
    selectSummaryItem(frame.tree, found);
    SetFocus(frame.tree);
}

INT_PTR CALLBACK findProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_LIMITTEXT, 99, 0);
            SetDlgItemTextA(dialog, IDC_FIND_TEXT, lastSearch().c_str());
            SendDlgItemMessageA(dialog, IDC_FIND_TEXT, EM_SETSEL, 0, -1);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                char text[100] = "";
                GetDlgItemTextA(dialog, IDC_FIND_TEXT, text, sizeof text);
                lastSearch() = text;
                EndDialog(dialog, text[0] != '\0' ? IDOK : IDCANCEL);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

bool putOnClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    bool done = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        done = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!done) GlobalFree(memory);
    }
    CloseClipboard();
    return done;
}

}  // namespace

SummaryContext summaryContext(const std::vector<std::string>& productNames) {
    SummaryContext ctx;
    ctx.maker = loadResourceString(IDS_MAKER);
    ctx.version = loadResourceString(IDS_VERSION);
    ctx.notice = loadResourceString(IDS_NOTICE);
    ctx.productNames = productNames;
    return ctx;
}

void exportSummary(const SummaryFrame& frame) {
    const auto chosen = chooseFile(frame.window, FileDialogKind::Save, FileType::Text);
    if (!chosen) return;
    const char* name = chosen->c_str();
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    const std::string text =
        summaryExportFile(buildSummaryTree(settingsImage(), summaryContext(frame.productNames)),
                          frame.fileName, date);
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) tell(frame, std::string("Can't write the file ") + name + ".", MB_ICONWARNING);
}

void compareWithFile(const SummaryFrame& frame) {
    const auto chosen = chooseFile(frame.window, FileDialogKind::Open, FileType::Settings);
    if (!chosen) return;
    const std::string& name = *chosen;
    // The other file is read beside the settings in memory, which stay untouched.
    auto image = std::make_unique<SettingsImage>();
    auto screens = std::make_unique<Companions>();
    const LoadResult r =
        readSettingsFile(name, *image, *screens, static_cast<int>(frame.productNames.size()));
    if (r != LoadResult::Loaded) {
        tell(frame, std::string(loadFailureText(r)) + " " + name, MB_ICONWARNING);
        return;
    }
    compareAndShow(frame, *image, *screens, name);
}

void compareWithFactory(const SummaryFrame& frame) {
    auto image = std::make_unique<SettingsImage>();
    auto screens = std::make_unique<Companions>();
    applyFactoryDefaults(*image, *screens, frame.product);
    const std::size_t index = static_cast<std::size_t>(frame.product) - 1;
    const std::string name = index < frame.productNames.size() ? frame.productNames[index] : "";
    compareAndShow(frame, *image, *screens, "Factory Settings of " + name);
}

void copySummaryBranch(const SummaryFrame& frame) {
    if (!treeShown(frame.tree)) return;
    const HTREEITEM item = selectedItem(frame.tree);
    if (item == nullptr) return;
    const std::vector<SummaryItem> roots =
        buildSummaryTree(settingsImage(), summaryContext(frame.productNames));
    const SummaryItem* branch = summaryItemAt(roots, summaryItemPath(frame.tree, item));
    if (branch == nullptr) return;
    std::string text;
    for (const char c : printSummaryTree({*branch})) {
        if (c == '\n') text += '\r';
        text += c;
    }
    putOnClipboard(frame.window, text);
}

void findInSummary(const SummaryFrame& frame) {
    if (!treeShown(frame.tree)) return;
    if (DialogBoxParamA(GetModuleHandleA(nullptr), "FINDDLG", frame.window, findProc, 0) != IDOK)
        return;
    findFrom(frame);
}

void findNextInSummary(const SummaryFrame& frame) {
    if (!treeShown(frame.tree)) return;
    if (lastSearch().empty()) {
        findInSummary(frame);
        return;
    }
    findFrom(frame);
}

bool onSummaryContextMenu(const SummaryFrame& frame, HWND source, LPARAM screenPoint) {
    const HWND tree = frame.tree;
    if (source != tree) return false;
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: beside the selected item.
        RECT r{};
        const HTREEITEM item = selectedItem(tree);
        // TVM_GETITEMRECT takes the item in the rectangle it fills.
        std::memcpy(&r, &item, sizeof item);
        if (item == nullptr ||
            !SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) {
            r = RECT{0, 0, 0, 0};
        }
        at = {r.left, r.bottom};
        ClientToScreen(tree, &at);
    } else {
        // A right click selects the item under the pointer first.
        TVHITTESTINFO hit{};
        hit.pt = at;
        ScreenToClient(tree, &hit.pt);
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.hItem != nullptr) selectSummaryItem(tree, hit.hItem);
    }
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TREE_MENU));
    if (menu == nullptr) return true;
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   frame.window, nullptr);
    DestroyMenu(menu);
    return true;
}

}  // namespace varomil
