#include "summary/compare_window_win.h"

#include <commctrl.h>

#include "resources/summary_ids.h"

namespace varomil {

namespace {

struct CompareView {
    const std::string* mine;
    const std::string* theirs;
    const std::vector<CompareRow>* rows;
};

HTREEITEM addItem(HWND tree, HTREEITEM parent, const std::string& text) {
    TVINSERTSTRUCTA ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT;
    ins.item.pszText = const_cast<char*>(text.c_str());
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void fill(HWND tree, const std::vector<CompareRow>& rows) {
    if (rows.empty()) {
        addItem(tree, TVI_ROOT, "No differences");
        return;
    }
    // The group items of the previous row, reused while the groups stay the same.
    std::vector<std::pair<std::string, HTREEITEM>> open;
    std::vector<HTREEITEM> groups;
    for (const CompareRow& r : rows) {
        std::size_t same = 0;
        while (same < open.size() && same < r.groups.size() && open[same].first == r.groups[same]) {
            ++same;
        }
        open.resize(same);
        for (std::size_t g = same; g < r.groups.size(); ++g) {
            const HTREEITEM parent = g == 0 ? TVI_ROOT : open[g - 1].second;
            const HTREEITEM item = addItem(tree, parent, r.groups[g]);
            open.emplace_back(r.groups[g], item);
            groups.push_back(item);
        }
        addItem(tree, open.empty() ? TVI_ROOT : open.back().second, r.text());
    }
    for (const HTREEITEM g : groups)
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(g));
    const HTREEITEM first =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(first));
}

INT_PTR CALLBACK compareProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG: {
            const auto* view = reinterpret_cast<const CompareView*>(lParam);
            SetDlgItemTextA(dialog, IDC_COMPARE_MINE, view->mine->c_str());
            SetDlgItemTextA(dialog, IDC_COMPARE_THEIRS, view->theirs->c_str());
            fill(GetDlgItem(dialog, IDC_COMPARE_ROWS), *view->rows);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

void showCompareWindow(HWND owner, const std::string& mine, const std::string& theirs,
                       const std::vector<CompareRow>& rows) {
    CompareView view{&mine, &theirs, &rows};
    DialogBoxParamA(GetModuleHandleA(nullptr), "COMPAREDLG", owner, compareProc,
                    reinterpret_cast<LPARAM>(&view));
}

}  // namespace varomil
