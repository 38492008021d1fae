// Commands on the settings summary: Export Summary, Compare With, Compare with
// Factory Settings, and the tree's Copy, Find and Find Next.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "summary/summary_tree.h"

namespace varomil {

// What the summary commands need of the frame, filled by the frame per command.
struct SummaryFrame {
    HWND window = nullptr;  // owner of the dialogs and messages
    HWND tree = nullptr;
    std::string title;                      // caption of the messages
    std::string fileName;                   // of the settings in memory; empty: unsaved
    std::vector<std::string> productNames;  // products 1..N
    int product = 0;                        // the selected one, 0 for none
};

// The program's texts for the summary: resource strings and the product names.
SummaryContext summaryContext(const std::vector<std::string>& productNames);

void exportSummary(const SummaryFrame& frame);
void compareWithFile(const SummaryFrame& frame);
void compareWithFactory(const SummaryFrame& frame);
void copySummaryBranch(const SummaryFrame& frame);
void findInSummary(const SummaryFrame& frame);
void findNextInSummary(const SummaryFrame& frame);

// The tree's context menu (right click, Shift+F10 or the menu key); true when the
// message came from the tree.
bool onSummaryContextMenu(const SummaryFrame& frame, HWND source, LPARAM screenPoint);

}  // namespace varomil
