#include "settings/summary_tree_view_win.h"

#include <commctrl.h>

namespace varomil {

namespace {
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

void fillSummaryTreeView(HWND tree, const std::vector<SummaryItem>& roots) {
    // One repaint for the whole tree instead of one per item.
    SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (const SummaryItem& root : roots) insertItem(tree, TVI_ROOT, root, 0);
    SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree, nullptr, TRUE);
}

}  // namespace varomil
