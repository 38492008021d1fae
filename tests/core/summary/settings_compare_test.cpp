#include "summary/settings_compare.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "settings/factory_defaults.h"

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

TEST(SettingsCompare, EachKindOfDifferenceGivesItsRows) {
    struct Case {
        const char* what;
        std::function<void(Settings&)> change;
        const char* text;
    };
    const Case cases[] = {
        {"identical", [](Settings&) {}, ""},
        {"one byte", [](Settings& s) { s.image->setByte(fld::AutoPowerOffHigh, 1); },
         "System\n  Auto Power Off : 180 seconds | 436 seconds\n"},
        {"one bit of the 1D reader block",
         [](Settings& s) { s.image->bytes()[fld::Reader1DBlock.offset] ^= 0x80; },
         "Barcode\n  Barcode Parameters\n    Code 39 : Enable | Disable\n"},
        {"a prompt text", [](Settings& s) { s.image->setText(slot::promptSlot(0), "Hello"); },
         "System\n  Prompts and Messages\n    Main Menu (15*2)              \n"
         "      1. Telnet | Hello\n"},
        {"a page on one side only, listed once",
         [](Settings& s) {
             s.image->setByte(fld::PageCount, 1);
             s.image->setText(slot::lineText(0, 0), "ABC");
         },
         "Screen\n"
         "  Page  1\n"
         "    (none) | Reformat page  1 to 20 characters *  8 lines\n"
         "    Cursor location is specified by : (none) | Underline character\n"
         "    Terminal Line No :  1\n"
         "      Host Row, Column : (none) | 0, 1\n"
         "      Terminal Screen : (none) | ABC\n"
         "    Terminal Line No : (none) | 2\n"
         "    Terminal Line No : (none) | 3\n"
         "    Terminal Line No : (none) | 4\n"
         "    Terminal Line No : (none) | 5\n"
         "    Terminal Line No : (none) | 6\n"
         "    Terminal Line No : (none) | 7\n"
         "    Terminal Line No : (none) | 8\n"},
        {"a captured screen", [](Settings& s) { s.comp->capturedScreens[2][100] = 'A'; },
         "Captured Screens\n  screen 3 differs\n"},
        {"a prompt line beyond those in use",
         [](Settings& s) { s.image->setText(slot::promptSlot(3), "X"); },
         "Other Settings\n  PromptTexts : 1 byte differs\n"},
        {"a byte the summary does not show",
         [](Settings& s) { s.image->bytes()[fld::Reader2DBlock.offset + 3] ^= 1; },
         "Other Settings\n  Reader2DBlock : 1 byte differs\n"},
        {"a shown and a hidden byte of one region",
         [](Settings& s) {
             s.image->setByte(fld::LockUtilityMenu, 1);
             s.image->setByte(fld::KeyClick, 1 - s.image->byte(fld::KeyClick));
         },
         "System\n  Key Click : Enable | Disable\nOther Settings\n  system settings : 1 byte "
         "differs\n"},
        {"prompt lines padded with blanks, as OK stores them",
         [](Settings& s) {
             for (std::size_t n = 0; n < fld::kPromptSlotCount; ++n) {
                 const Field f = slot::promptSlot(n);
                 for (std::size_t i = f.offset; i + 1 < f.end(); ++i)
                     if (s.image->bytes()[i] == 0) s.image->bytes()[i] = ' ';
             }
         },
         ""},
    };
    for (const Case& c : cases) EXPECT_EQ(compared(c.change), c.text) << c.what;
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
