// The settings summary: every setting of the image as a tree of texts, built in
// the core so that it can be tested and printed without a window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_image.h"

namespace varomil {

struct SummaryItem {
    std::string text;
    std::vector<SummaryItem> children;
};

// Texts the tree shows that come from the program's resources.
struct SummaryContext {
    std::string maker;                      // string 4001
    std::string version;                    // string 4002
    std::string notice;                     // string 4003
    std::vector<std::string> productNames;  // ProductTable, product 1 first
};

// The program's own texts (the resource strings 4001..4003 and the product
// table), for tools that show the summary without the resources.
SummaryContext programSummaryContext();

// The six roots, or nothing when no product is selected.
std::vector<SummaryItem> buildSummaryTree(const SettingsImage& image, const SummaryContext& ctx);

// Indented text of the tree, two blanks per level: for tests and tools.
std::string printSummaryTree(const std::vector<SummaryItem>& roots);

// The same text as UTF-8: what Export Summary writes and print_summary prints.
// Item texts are single-byte Windows-1252 text, as the tree shows them.
std::string summaryExportText(const std::vector<SummaryItem>& roots);

// The file Export Summary writes: "Summary of SOURCE, DATE" (source the settings
// file's path, "Untitled" without one), then the lines of summaryExportText
// without their trailing blanks; every line ends in CR LF. Source and date are
// Windows-1252 text as well.
std::string summaryExportFile(const std::vector<SummaryItem>& roots, const std::string& source,
                              const std::string& date);

// Windows-1252 text as UTF-8; bytes the code page leaves undefined become U+FFFD.
std::string ansiToUtf8(std::string_view ansi);

}  // namespace varomil
