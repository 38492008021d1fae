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
// differ in shape only where a count differs (pages, lines, keys of a product). An
// item on one side only with items under it is their heading, not a row of its
// own as well: each line is listed once.
void compareItems(const std::vector<SummaryItem>& a, const std::vector<SummaryItem>& b,
                  std::vector<std::string>& groups, std::vector<CompareRow>& rows) {
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const SummaryItem* x = i < a.size() ? &a[i] : nullptr;
        const SummaryItem* y = i < b.size() ? &b[i] : nullptr;
        const SummaryItem& present = x != nullptr ? *x : *y;
        const bool oneSided = x == nullptr || y == nullptr;
        if (oneSided ? present.children.empty() : x->text != y->text) {
            rows.push_back(row(groups, x ? &x->text : nullptr, y ? &y->text : nullptr));
        }
        static const std::vector<SummaryItem> kEmpty;
        groups.push_back(present.text);
        compareItems(x ? x->children : kEmpty, y ? y->children : kEmpty, groups, rows);
        groups.pop_back();
    }
}

// A prompt line is shown without trimming, but blanks and zeros at its end show
// nothing: the tidying on OK pads with blanks what the factory pads with zeros.
void clearPromptEnds(SettingsImage& image) {
    for (std::size_t n = 0; n < fld::kPromptSlotCount; ++n) {
        const Field f = slot::promptSlot(n);
        std::size_t end = f.end();
        while (end > f.offset && (image.bytes()[end - 1] == ' ' || image.bytes()[end - 1] == 0))
            image.bytes()[--end] = 0;
    }
}

// The differing bytes of one region, in units that a row explains together or not
// at all: the shown part of a text slot (up to the longer text's end) with the
// host position of its screen line; then single bytes; last, one by one, the text
// bytes behind both ends, which show nowhere. Grouping keeps the probes few.
struct Units {
    std::vector<std::size_t> offsets;
    std::vector<std::size_t> ends;  // one past the last offset of each unit
    void close() {
        if (offsets.size() > (ends.empty() ? 0 : ends.back())) ends.push_back(offsets.size());
    }
    std::size_t begin(std::size_t unit) const { return unit == 0 ? 0 : ends[unit - 1]; }
};

Units unitsOf(const SettingsImage& a, const SettingsImage& b, Field region) {
    const auto differs = [&](std::size_t i) { return a.bytes()[i] != b.bytes()[i]; };
    const auto inside = [&](Field f) {
        return f.offset >= region.offset && f.end() <= region.end();
    };
    Units units;
    std::vector<bool> taken(region.width);
    std::vector<std::size_t> tails;
    const auto add = [&](Field text, std::initializer_list<Field> with) {
        if (!inside(text)) return;
        const std::size_t shown = std::max(a.text(text).size(), b.text(text).size()) + 1;
        for (std::size_t i = text.offset; i < text.end(); ++i) {
            taken[i - region.offset] = true;
            if (differs(i)) (i - text.offset < shown ? units.offsets : tails).push_back(i);
        }
        for (Field f : with) {
            if (!inside(f)) continue;
            for (std::size_t i = f.offset; i < f.end(); ++i) {
                taken[i - region.offset] = true;
                if (differs(i)) units.offsets.push_back(i);
            }
        }
        units.close();
    };
    for (std::size_t n = 0; n < fld::kPromptSlotCount; ++n) add(slot::promptSlot(n), {});
    for (std::size_t p = 0; p < fld::kPageCount; ++p) {
        for (std::size_t l = 0; l < fld::kLinesPerPage; ++l) {
            add(slot::lineText(p, l), {slot::lineHostRow(p, l), slot::lineHostColumn(p, l)});
        }
    }
    for (std::size_t i = region.offset; i < region.end(); ++i) {
        if (differs(i) && !taken[i - region.offset]) {
            units.offsets.push_back(i);
            units.close();
        }
    }
    for (std::size_t i : tails) {
        units.offsets.push_back(i);
        units.close();
    }
    return units;
}

// Counts the differing bytes that no row explains: taken over alone, either way
// (into this side from the other, or back into the other from this one), they
// leave the summary as it is. Units that change nothing are taken together; a
// set that changes something is halved down to single units.
class Accounting {
  public:
    Accounting(const SettingsImage& mine, const SettingsImage& theirs, const SummaryContext& ctx)
        : ctx_(ctx), sides_{Side(mine, theirs, ctx), Side(theirs, mine, ctx)} {}

    std::size_t unexplained(const Units& u, std::size_t first, std::size_t last) {
        if (first == last) return 0;
        const std::size_t* from = u.offsets.data() + u.begin(first);
        const std::size_t* to = u.offsets.data() + u.ends[last - 1];
        if (unchanged(sides_[0], from, to) && unchanged(sides_[1], from, to))
            return static_cast<std::size_t>(to - from);
        if (last - first == 1) return 0;
        const std::size_t middle = first + (last - first) / 2;
        return unexplained(u, first, middle) + unexplained(u, middle, last);
    }

  private:
    // One side's image, with bytes of the other swapped in and out again.
    struct Side {
        Side(const SettingsImage& own, const SettingsImage& other, const SummaryContext& ctx)
            : own(own),
              other(other),
              text(summaryOf(own, ctx)),
              mixed(std::make_unique<SettingsImage>(own)) {}
        const SettingsImage& own;
        const SettingsImage& other;
        std::string text;
        std::unique_ptr<SettingsImage> mixed;
    };

    static std::string summaryOf(const SettingsImage& image, const SummaryContext& ctx) {
        return printSummaryTree(buildSummaryTree(image, ctx));
    }

    bool unchanged(Side& side, const std::size_t* first, const std::size_t* last) const {
        SettingsImage::Bytes& bytes = side.mixed->bytes();
        for (const std::size_t* p = first; p != last; ++p) bytes[*p] = side.other.bytes()[*p];
        const bool same = summaryOf(*side.mixed, ctx_) == side.text;
        for (const std::size_t* p = first; p != last; ++p) bytes[*p] = side.own.bytes()[*p];
        return same;
    }

    const SummaryContext& ctx_;
    Side sides_[2];
};

}  // namespace

std::string CompareRow::text() const {
    return (name.empty() ? std::string() : name + " : ") + mine + (twoSided ? " | " + theirs : "");
}

std::vector<CompareRow> compareSettings(const SettingsImage& mineImage,
                                        const Companions& mineScreens,
                                        const SettingsImage& theirImage,
                                        const Companions& theirScreens, const SummaryContext& ctx) {
    auto mine = std::make_unique<SettingsImage>(mineImage);
    auto theirs = std::make_unique<SettingsImage>(theirImage);
    clearPromptEnds(*mine);
    clearPromptEnds(*theirs);
    std::vector<CompareRow> rows;
    std::vector<std::string> groups;
    compareItems(buildSummaryTree(*mine, ctx), buildSummaryTree(*theirs, ctx), groups, rows);

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
    // each region counts those of its differing bytes that no row above explains.
    Accounting accounting(*mine, *theirs, ctx);
    for (const Region& region : kRegionMap) {
        if (std::strcmp(region.name, "VersionTag") == 0) continue;
        const Units units = unitsOf(*mine, *theirs, region.field);
        const std::size_t n = accounting.unexplained(units, 0, units.ends.size());
        if (n == 0) continue;
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
