#include "summary/summary_tree_view_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "common/text_helpers.h"

namespace varomil {

namespace {

constexpr UINT_PTR kMenuKeysSubclass = 1;

// Both keys are taken when they go down, and their release too: F10's would
// otherwise open the menu bar.
LRESULT CALLBACK contextMenuKeys(HWND tree, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR) {
    const bool f10 = wParam == VK_F10 && (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP);
    const bool apps = wParam == VK_APPS && (message == WM_KEYDOWN || message == WM_KEYUP);
    if ((f10 && GetKeyState(VK_SHIFT) < 0) || apps) {
        if (message == WM_SYSKEYDOWN || message == WM_KEYDOWN)
            SendMessageA(GetParent(tree), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree), -1);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(tree, contextMenuKeys, kMenuKeysSubclass);
    return DefSubclassProc(tree, message, wParam, lParam);
}
void insertItem(HWND tree, HTREEITEM parent, const SummaryItem& item, int depth) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM;
    ins.item.pszText = const_cast<char*>(item.text.c_str());
    ins.item.lParam = depth;
    const HTREEITEM node = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    if (node == nullptr) return;
    for (const SummaryItem& child : item.children) insertItem(tree, node, child, depth + 1);
}
}  // namespace

void takeContextMenuKeys(HWND tree) {
    SetWindowSubclass(tree, contextMenuKeys, kMenuKeysSubclass, 0);
}

void fillSummaryTreeView(HWND tree, const std::vector<SummaryItem>& roots) {
    // One repaint for the whole tree instead of one per item.
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (const SummaryItem& root : roots) insertItem(tree, TVI_ROOT, root, 0);
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
}

namespace {

HTREEITEM next(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// Reading order: children first, then the next sibling of the item or of the
// nearest ancestor that has one.
HTREEITEM following(HWND tree, HTREEITEM item) {
    if (HTREEITEM child = next(tree, item, TVGN_CHILD)) return child;
    for (HTREEITEM at = item; at != nullptr; at = next(tree, at, TVGN_PARENT)) {
        if (HTREEITEM sibling = next(tree, at, TVGN_NEXT)) return sibling;
    }
    return nullptr;
}

bool holds(std::string_view text, std::string_view part) {
    return containsIgnoringCase(text, part);
}

}  // namespace

std::vector<std::size_t> summaryItemPath(HWND tree, HTREEITEM item) {
    std::vector<std::size_t> path;
    for (HTREEITEM at = item; at != nullptr; at = next(tree, at, TVGN_PARENT)) {
        std::size_t index = 0;
        for (HTREEITEM s = next(tree, at, TVGN_PREVIOUS); s != nullptr;
             s = next(tree, s, TVGN_PREVIOUS)) {
            ++index;
        }
        path.insert(path.begin(), index);
    }
    return path;
}

const SummaryItem* summaryItemAt(const std::vector<SummaryItem>& roots,
                                 const std::vector<std::size_t>& path) {
    const std::vector<SummaryItem>* level = &roots;
    const SummaryItem* item = nullptr;
    for (const std::size_t i : path) {
        if (i >= level->size()) return nullptr;
        item = &(*level)[i];
        level = &item->children;
    }
    return item;
}

HTREEITEM findSummaryItem(HWND tree, std::string_view text, HTREEITEM after) {
    const HTREEITEM first = next(tree, nullptr, TVGN_ROOT);
    if (first == nullptr || text.empty()) return nullptr;
    HTREEITEM start = after != nullptr ? following(tree, after) : first;
    if (start == nullptr) start = first;
    HTREEITEM at = start;
    do {
        if (holds(summaryItemText(tree, at), text)) return at;
        at = following(tree, at);
        if (at == nullptr) at = first;
    } while (at != start);
    return nullptr;
}

void selectSummaryItem(HWND tree, HTREEITEM item) {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
}

namespace {

bool isExpanded(HWND tree, HTREEITEM item) {
    return (TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

void collectExpanded(HWND tree, HTREEITEM item, const std::string& prefix,
                     std::vector<std::string>& out) {
    for (; item != nullptr; item = next(tree, item, TVGN_NEXT)) {
        if (!isExpanded(tree, item)) continue;
        const std::string path = prefix + summaryItemText(tree, item) + '\n';
        out.push_back(path);
        collectExpanded(tree, next(tree, item, TVGN_CHILD), path, out);
    }
}

void expandAgain(HWND tree, HTREEITEM item, const std::string& prefix,
                 const std::vector<std::string>& expanded) {
    for (; item != nullptr; item = next(tree, item, TVGN_NEXT)) {
        const std::string path = prefix + summaryItemText(tree, item) + '\n';
        if (std::find(expanded.begin(), expanded.end(), path) == expanded.end()) continue;
        TreeView_Expand(tree, item, TVE_EXPAND);
        expandAgain(tree, next(tree, item, TVGN_CHILD), path, expanded);
    }
}

}  // namespace

void refillSummaryTreeView(HWND tree, const std::vector<SummaryItem>& roots) {
    std::vector<std::string> expanded;
    collectExpanded(tree, next(tree, nullptr, TVGN_ROOT), "", expanded);
    fillSummaryTreeView(tree, roots);
    expandAgain(tree, next(tree, nullptr, TVGN_ROOT), "", expanded);
}

std::string summaryItemText(HWND tree, HTREEITEM item) {
    char text[256] = "";
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

}  // namespace varomil
