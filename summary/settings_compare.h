// The differences between two sets of settings, as rows of the summary's texts:
// what Compare With... and Compare with Factory Settings show.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_image.h"
#include "summary/summary_tree.h"

namespace varomil {

struct CompareRow {
    std::vector<std::string> groups;  // the tree items above the setting, root first
    std::string name;                 // empty where the summary line has no name part
    std::string mine;                 // this file's value
    std::string theirs;               // the other file's value
    bool twoSided = true;             // false: `mine` states the difference alone
    // "name : mine | theirs", or "mine | theirs" without a name; a one-sided row
    // reads "name : mine" or "mine".
    std::string text() const;
};

// Settings the summary shows, in the tree's order; then "screen N differs" for
// each captured screen slot; then, by region name, the count of the region's
// differing bytes that no row above explains. The version tag is not compared:
// every loaded file carries the current one. Prompt lines that differ only in the
// blanks and zeros at their end are the same.
std::vector<CompareRow> compareSettings(const SettingsImage& mine, const Companions& mineScreens,
                                        const SettingsImage& theirs, const Companions& theirScreens,
                                        const SummaryContext& ctx);

// The rows as indented text: each group heading once, rows under it.
std::string compareText(const std::vector<CompareRow>& rows);

}  // namespace varomil
