// The settings summary: every setting of the image as a tree of texts, built in
// the core so that it can be tested and printed without a window.
#pragma once

#include <string>
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

// The six roots, or nothing when no product is selected.
std::vector<SummaryItem> buildSummaryTree(const SettingsImage& image, const SummaryContext& ctx);

// Indented text of the tree, two blanks per level: for tests and tools.
std::string printSummaryTree(const std::vector<SummaryItem>& roots);

}  // namespace varomil
