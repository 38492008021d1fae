// Fills the main window's tree view with the settings summary.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "summary/summary_tree.h"

namespace varomil {

// Shift+F10 and the context-menu key ask the tree's parent for the context menu,
// as from the keyboard (WM_CONTEXTMENU at -1, -1: beside the selected item).
void takeContextMenuKeys(HWND tree);
// Replaces the tree's items: each item goes to the end of its parent, collapsed,
// with its depth (0 for a root) as item data.
void fillSummaryTreeView(HWND tree, const std::vector<SummaryItem>& roots);
// Fills it again, opening the branches that were open (found by their texts from
// the root), so that a rebuild does not fold up what the user was reading.
// The text of one item as shown.
std::string summaryItemText(HWND tree, HTREEITEM item);
void refillSummaryTreeView(HWND tree, const std::vector<SummaryItem>& roots);

// Where an item sits: its index among its siblings, for each level from the root.
std::vector<std::size_t> summaryItemPath(HWND tree, HTREEITEM item);
// The model item at such a path, or nullptr.
const SummaryItem* summaryItemAt(const std::vector<SummaryItem>& roots,
                                 const std::vector<std::size_t>& path);

// The next item after `after` in reading order (from the first item without one)
// whose text holds `text`, ignoring case; the search wraps at the end. nullptr
// when no item holds it.
HTREEITEM findSummaryItem(HWND tree, std::string_view text, HTREEITEM after);
// Selects the item, opening its parents and scrolling it into view.
void selectSummaryItem(HWND tree, HTREEITEM item);

}  // namespace varomil
