#include "settings/summary_tree.h"

namespace varomil {

// Placeholder until the tree content lands.
std::vector<SummaryItem> buildSummaryTree(const SettingsImage&, const SummaryContext&) {
    return {};
}

namespace {
void printItem(const SummaryItem& item, int depth, std::string& out) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    out += item.text;
    out += '\n';
    for (const SummaryItem& child : item.children) printItem(child, depth + 1, out);
}
}  // namespace

std::string printSummaryTree(const std::vector<SummaryItem>& roots) {
    std::string out;
    for (const SummaryItem& root : roots) printItem(root, 0, out);
    return out;
}

}  // namespace varomil
