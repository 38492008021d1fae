#include "summary/settings_compare.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace varomil {

namespace {

constexpr const char* kNone = "(none)";

// "Name : value" splits at its first colon; "Enable X" / "Disable X" reads as the
// setting X with its flag; any other line is compared whole.
void split(const std::string& text, std::string& name, std::string& value) {
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
        std::size_t end = colon;
        while (end > 0 && text[end - 1] == ' ') --end;
        std::size_t start = colon + 1;
        while (start < text.size() && text[start] == ' ') ++start;
        name = text.substr(0, end);
        value = text.substr(start);
        return;
    }
    for (const char* flag : {"Enable ", "Disable "}) {
        const std::size_t n = std::strlen(flag);
        if (text.compare(0, n, flag) == 0) {
            name = text.substr(n);
            value = std::string(flag, n - 1);
            return;
        }
    }
    name.clear();
    value = text;
}

CompareRow row(const std::vector<std::string>& groups, const std::string* mine,
               const std::string* theirs) {
    CompareRow r;
    r.groups = groups;
    std::string theirName;
    if (mine != nullptr) split(*mine, r.name, r.mine);
    if (theirs != nullptr) split(*theirs, mine != nullptr ? theirName : r.name, r.theirs);
    if (mine == nullptr) r.mine = kNone;
    if (theirs == nullptr) r.theirs = kNone;
    // Lines whose names differ as well (a line of text, a different key) are shown whole.
    if (mine != nullptr && theirs != nullptr && theirName != r.name) {
        r.name.clear();
        r.mine = *mine;
        r.theirs = *theirs;
    }
    return r;
}

// Items are matched by position: both trees come from the same builder, so they
// differ in shape only where a count differs (pages, lines, keys of a product).
void compareItems(const std::vector<SummaryItem>& a, const std::vector<SummaryItem>& b,
                  std::vector<std::string>& groups, std::vector<CompareRow>& rows) {
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const SummaryItem* x = i < a.size() ? &a[i] : nullptr;
        const SummaryItem* y = i < b.size() ? &b[i] : nullptr;
        if (x == nullptr || y == nullptr || x->text != y->text) {
            rows.push_back(row(groups, x ? &x->text : nullptr, y ? &y->text : nullptr));
        }
        static const std::vector<SummaryItem> kEmpty;
        groups.push_back(x != nullptr ? x->text : y->text);
        compareItems(x ? x->children : kEmpty, y ? y->children : kEmpty, groups, rows);
        groups.pop_back();
    }
}

std::size_t bytesDiffering(const SettingsImage& a, const SettingsImage& b, Field f) {
    std::size_t n = 0;
    for (std::size_t i = f.offset; i < f.end(); ++i) n += a.bytes()[i] != b.bytes()[i];
    return n;
}

}  // namespace

std::string CompareRow::text() const {
    return (name.empty() ? std::string() : name + " : ") + mine + (twoSided ? " | " + theirs : "");
}

std::vector<CompareRow> compareSettings(const SettingsImage& mine, const Companions& mineScreens,
                                        const SettingsImage& theirs, const Companions& theirScreens,
                                        const SummaryContext& ctx) {
    std::vector<CompareRow> rows;
    std::vector<std::string> groups;
    const std::vector<SummaryItem> mineTree = buildSummaryTree(mine, ctx);
    compareItems(mineTree, buildSummaryTree(theirs, ctx), groups, rows);

    for (std::size_t s = 0; s < kCapturedScreenCount; ++s) {
        if (mineScreens.capturedScreens[s] != theirScreens.capturedScreens[s]) {
            CompareRow r;
            r.groups = {"Captured Screens"};
            r.mine = "screen " + std::to_string(s + 1) + " differs";
            r.twoSided = false;
            rows.push_back(std::move(r));
        }
    }
    // Bytes the summary does not show (the 2D reader block, the utility-menu lock,
    // prompt lines beyond those in use, reserved bytes) still make a file differ:
    // a region whose other side leaves the summary as it is says so itself.
    const std::string mineText = printSummaryTree(mineTree);
    auto mixed = std::make_unique<SettingsImage>();
    for (const Region& region : kRegionMap) {
        const std::size_t n = bytesDiffering(mine, theirs, region.field);
        if (n == 0 || std::strcmp(region.name, "VersionTag") == 0) continue;
        *mixed = mine;
        std::copy_n(theirs.bytes().begin() + static_cast<std::ptrdiff_t>(region.field.offset),
                    region.field.width,
                    mixed->bytes().begin() + static_cast<std::ptrdiff_t>(region.field.offset));
        if (printSummaryTree(buildSummaryTree(*mixed, ctx)) != mineText) continue;
        CompareRow r;
        r.groups = {"Other Settings"};
        r.name = region.name;
        r.mine = std::to_string(n) + (n == 1 ? " byte differs" : " bytes differ");
        r.twoSided = false;
        rows.push_back(std::move(r));
    }
    return rows;
}

std::string compareText(const std::vector<CompareRow>& rows) {
    std::string out;
    std::vector<std::string> shown;
    for (const CompareRow& r : rows) {
        std::size_t same = 0;
        while (same < shown.size() && same < r.groups.size() && shown[same] == r.groups[same]) {
            ++same;
        }
        shown.resize(same);
        for (std::size_t g = same; g < r.groups.size(); ++g) {
            out.append(g * 2, ' ');
            out += r.groups[g] + '\n';
            shown.push_back(r.groups[g]);
        }
        out.append(r.groups.size() * 2, ' ');
        out += r.text() + '\n';
    }
    return out;
}

}  // namespace varomil
