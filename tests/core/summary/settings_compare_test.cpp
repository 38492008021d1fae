#include "summary/settings_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "settings/factory_defaults.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

struct Settings {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    Settings() { applyFactoryDefaults(*image, *comp, 2); }
};

// A case's changes to the other side, separated by blanks: OFFSET:HH sets a byte,
// OFFSET^HH flips bits, OFFSET=TEXT writes a text and its NUL, sS.I:HH is byte I of
// captured screen S; "pad" pads every prompt line with blanks, as OK stores them.
void change(Settings& s, const std::string& changes) {
    std::istringstream in(changes);
    for (std::string c; in >> c;) {
        if (c == "pad") {
            for (std::size_t n = 0; n < fld::kPromptSlotCount; ++n) {
                const Field f = slot::promptSlot(n);
                for (std::size_t i = f.offset; i + 1 < f.end(); ++i)
                    if (s.image->bytes()[i] == 0) s.image->bytes()[i] = ' ';
            }
            continue;
        }
        const std::size_t op = c.find_first_of(":^=");
        const std::string v = c.substr(op + 1);
        Byte* at = c[0] == 's' ? &s.comp->capturedScreens[std::stoul(c.substr(1))]
                                                         [std::stoul(c.substr(c.find('.') + 1))]
                               : &s.image->bytes()[std::stoul(c)];
        if (c[op] == '=') std::copy(v.c_str(), v.c_str() + v.size() + 1, at);
        if (c[op] == '^') *at ^= static_cast<Byte>(std::stoi(v, nullptr, 16));
        if (c[op] == ':') *at = static_cast<Byte>(std::stoi(v, nullptr, 16));
    }
}

// Each case of tests/data/settings_compare.txt: "== what | changes", then its rows.
TEST(SettingsCompare, EachKindOfDifferenceGivesItsRows) {
    std::istringstream file(readGolden("settings_compare.txt"));
    std::string all;
    int cases = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.compare(0, 3, "== ") != 0) continue;
        Settings mine, theirs;
        // "| ~ changes" makes them on my side instead.
        const std::string changes = line.substr(line.find(" | ") + 3);
        const bool mineChanged = changes.compare(0, 2, "~ ") == 0;
        change(mineChanged ? mine : theirs, changes.substr(mineChanged ? 2 : 0));
        all += line + "\n" +
               compareText(compareSettings(*mine.image, *mine.comp, *theirs.image, *theirs.comp,
                                           programSummaryContext()));
        ++cases;
    }
    EXPECT_GE(cases, 12);
    expectGolden("settings_compare.txt", all);
}

TEST(SettingsCompare, RowsCarryTheirGroupsAndBothValues) {
    Settings mine, theirs;
    theirs.image->setText(fld::SystemPassword, "1234");
    const auto rows = compareSettings(*mine.image, *mine.comp, *theirs.image, *theirs.comp,
                                      programSummaryContext());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].groups, (std::vector<std::string>{"System", "Security"}));
    EXPECT_EQ(rows[0].text(), "Password :  | 1234");
}

}  // namespace
}  // namespace varomil
