// Fills the main window's tree view with the settings summary.
#pragma once

#include <windows.h>

#include <vector>

#include "settings/summary_tree.h"

namespace varomil {

// Replaces the tree's items: each item goes to the end of its parent, collapsed,
// with its depth (0 for a root) as item data.
void fillSummaryTreeView(HWND tree, const std::vector<SummaryItem>& roots);

}  // namespace varomil
