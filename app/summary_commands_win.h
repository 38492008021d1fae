// Commands on the settings summary: Export Summary, Compare With, Compare with
// Factory Settings, and the tree's Copy, Find and Find Next.
#pragma once

#include <windows.h>

#include "settings/summary_tree.h"

namespace varomil {

// The program's texts for the summary: resource strings and the product table.
SummaryContext summaryContext();

void exportSummary(HWND frame);
void compareWithFile(HWND frame);
void compareWithFactory(HWND frame);
void copySummaryBranch(HWND frame);
void findInSummary(HWND frame);
void findNextInSummary(HWND frame);

// The tree's context menu (right click, Shift+F10 or the menu key); true when the
// message came from the tree.
bool onSummaryContextMenu(HWND frame, HWND source, LPARAM screenPoint);

}  // namespace varomil
