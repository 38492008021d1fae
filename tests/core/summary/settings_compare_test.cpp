#include "summary/settings_compare.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "settings/factory_defaults.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

struct Settings {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    Settings() { applyFactoryDefaults(*image, *comp, 2); }
};

std::string compared(const std::function<void(Settings&)>& change) {
    Settings mine, theirs;
    change(theirs);
    return compareText(compareSettings(*mine.image, *mine.comp, *theirs.image, *theirs.comp,
                                       programSummaryContext()));
}

// The rows of each case are in tests/data/settings_compare.txt.
TEST(SettingsCompare, EachKindOfDifferenceGivesItsRows) {
    struct Case {
        const char* what;
        std::function<void(Settings&)> change;
    };
    const Case cases[] = {
        {"identical", [](Settings&) {}},
        {"one byte", [](Settings& s) { s.image->setByte(fld::AutoPowerOffHigh, 1); }},
        {"one bit of the 1D reader block",
         [](Settings& s) { s.image->bytes()[fld::Reader1DBlock.offset] ^= 0x80; }},
        {"a prompt text", [](Settings& s) { s.image->setText(slot::promptSlot(0), "Hello"); }},
        {"a page on one side only, listed once",
         [](Settings& s) {
             s.image->setByte(fld::PageCount, 1);
             s.image->setText(slot::lineText(0, 0), "ABC");
         }},
        {"captured screens, the first and the last",
         [](Settings& s) {
             s.comp->capturedScreens[0][100] = 'A';
             s.comp->capturedScreens[kCapturedScreenCount - 1][0] = 'A';
         }},
        {"a prompt line beyond those in use",
         [](Settings& s) { s.image->setText(slot::promptSlot(3), "X"); }},
        {"a byte the summary does not show",
         [](Settings& s) { s.image->bytes()[fld::Reader2DBlock.offset + 3] ^= 1; }},
        {"a shown and a hidden byte of one region",
         [](Settings& s) {
             s.image->setByte(fld::LockUtilityMenu, 1);
             s.image->setByte(fld::KeyClick, 1 - s.image->byte(fld::KeyClick));
         }},
        {"prompt lines padded with blanks, as OK stores them",
         [](Settings& s) {
             for (std::size_t n = 0; n < fld::kPromptSlotCount; ++n) {
                 const Field f = slot::promptSlot(n);
                 for (std::size_t i = f.offset; i + 1 < f.end(); ++i)
                     if (s.image->bytes()[i] == 0) s.image->bytes()[i] = ' ';
             }
         }},
    };
    std::string all;
    for (const Case& c : cases) all += std::string("== ") + c.what + "\n" + compared(c.change);
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
