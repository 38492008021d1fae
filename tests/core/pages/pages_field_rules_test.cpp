// Number correction, text cutting, slot tidying and the prompt working copy.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/control_table.h"
#include "pages/field_rules.h"
#include "pages/prompt_lines.h"
#include "settings/factory_defaults.h"

namespace varomil {
namespace {

TEST(PagesNumbers, AutoPowerOffIsCorrectedToItsRangeWithoutWrapping) {
    struct Case {
        const char* typed;
        unsigned value;
        const char* shown;
    };
    const Case cases[] = {
        {"1000", 1000, "1000"},
        {"60255", 60255, "60255"},
        {"60256", 60255, "60255"},
        {"99999999999", 60255, "60255"},
        {"4294967297", 60255, "60255"},
        {"", 0, "0"},
        {"abc", 0, "0"},
        {"007", 7, "7"},
        {"0", 0, "0"},
        {"12x", 12, "12"},
        {"99999999999999999999999999", 60255, "60255"},
    };
    for (const Case& c : cases) {
        const CorrectedNumber n = correctNumber(c.typed, 0, 60255);
        EXPECT_EQ(n.value, c.value) << c.typed;
        EXPECT_EQ(n.text, c.shown) << c.typed;
        EXPECT_EQ(n.rewrite, std::string(c.typed) != c.shown) << c.typed;
    }
}

// An edit control as the user drives it: 'A' selects all, 'B' is Backspace,
// a digit replaces the selection (refused when the edit is full); after each
// change the number control's correction runs, as the kit runs it.
struct Edit {
    std::string text;
    TextSelection sel;
};

Edit typeKeys(const ControlSpec& c, Edit e, std::string_view keys) {
    for (char key : keys) {
        if (key == 'A') {
            e.sel = {0, e.text.size()};
            continue;
        }
        if (key == 'B') {
            if (e.sel.start == e.sel.end && e.sel.start == 0) continue;
            const std::size_t from = e.sel.start == e.sel.end ? e.sel.start - 1 : e.sel.start;
            e.text.erase(from, e.sel.end - from);
            e.sel = {from, from};
        } else {
            const std::size_t kept = e.text.size() - (e.sel.end - e.sel.start);
            if (c.maxChars != 0 && kept >= c.maxChars) continue;
            e.text.replace(e.sel.start, e.sel.end - e.sel.start, 1, key);
            e.sel = {e.sel.start + 1, e.sel.start + 1};
        }
        const CorrectedNumber n = correctedNumber(c, e.text);
        if (n.rewrite) e = {n.text, selectionAfter(n)};
    }
    return e;
}

TEST(PagesNumbers, KeysTypedIntoANumberEndAsTheUserExpects) {
    const ControlSpec autoPowerOff = number(1, Field{0, 2}, 0, 60255, NumberStorage::U16le);
    const ControlSpec idle = number(2, Field{0, 1}, 1, 9);
    const ControlSpec hostColumn = withDigits(number(3, Field{0, 1}, 1, 80), 2);
    const ControlSpec startsAgain =
        number(4, Field{0, 2}, 0, 65279, NumberStorage::U16be, kAboveToLow);
    const ControlSpec mayBeEmpty = number(5, Field{0, 1}, 0, 255, NumberStorage::Byte, kEmptyStays);
    const struct {
        const ControlSpec& row;
        const char* before;
        const char* keys;
        const char* text;
        TextSelection sel;
    } cases[] = {
        // Past the highest: corrected in place, the caret stays at the end.
        {autoPowerOff, "0", "A99999999999", "60255", {5, 5}},
        {autoPowerOff, "0", "A0042", "42", {2, 2}},
        {idle, "4", "A12", "9", {1, 1}},
        // Emptied or below the lowest: the value filled in is selected.
        {autoPowerOff, "7", "AB", "0", {0, 1}},
        {idle, "4", "AB", "1", {0, 1}},
        {idle, "4", "AB5", "5", {1, 1}},
        {idle, "4", "A0", "1", {0, 1}},
        {hostColumn, "1", "B45", "45", {2, 2}},
        {hostColumn, "1", "A00", "1", {0, 1}},
        {hostColumn, "45", "6", "45", {2, 2}},
        {hostColumn, "8", "1", "80", {2, 2}},
        {hostColumn, "12", "A05", "5", {1, 1}},
        // A value that starts again at the lowest is the program's.
        {startsAgain, "6528", "0", "0", {0, 1}},
        {startsAgain, "6528", "05", "5", {1, 1}},
        {mayBeEmpty, "25", "BB", "", {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " + " + c.keys);
        const std::size_t end = std::string_view(c.before).size();
        const Edit e = typeKeys(c.row, {c.before, {end, end}}, c.keys);
        EXPECT_EQ(e.text, c.text);
        EXPECT_TRUE(e.sel == c.sel) << e.sel.start << ".." << e.sel.end;
    }
    EXPECT_EQ(correctedNumber(mayBeEmpty, "").value, 0u);
    // Auto Power Off keeps its two bytes apart: low byte first field, high byte the other.
    Byte bytes[4] = {};
    storeNumber(splitNumber(6, Field{0, 1}, Field{3, 1}, 0, 60255), {bytes, 4}, 60255);
    EXPECT_EQ(std::vector<Byte>(bytes, bytes + 4), (std::vector<Byte>{0x5F, 0, 0, 0xEB}));
    EXPECT_EQ(correctedNumber(hostColumn, "123").value, 12u);
}

TEST(PagesNumbers, SaturatingParseStopsAtTheCeiling) {
    EXPECT_FALSE(parseSaturating("x1", 100).isNumber);
    EXPECT_EQ(parseSaturating("18446744073709551617", 2).value, 2u);
    EXPECT_EQ(parseSaturating("9", 2).value, 2u);
    EXPECT_EQ(parseSaturating("42", 100).value, 42u);
}

TEST(PagesTexts, CutAndTidy) {
    EXPECT_EQ(cutText("123456789", 8).text, "12345678");
    EXPECT_TRUE(cutText("123456789", 8).rewrite);
    EXPECT_FALSE(cutText("ab#!", 8).rewrite);

    SettingsImage image;
    image.fill(fld::SystemPassword, 'x');
    image.setText(fld::SystemPassword, "12");
    zeroFillTextSlot(image, fld::SystemPassword);
    EXPECT_EQ(std::string(image.bytes().begin() + 50, image.bytes().begin() + 60),
              std::string("12\0\0\0\0\0\0\0\0", 10));
}

// Slot n of the prompt texts starts at 82 + 41 n.
std::string slotBytes(const SettingsImage& image, std::size_t n) {
    const auto* p = image.bytes().data() + 82 + 41 * n;
    return std::string(reinterpret_cast<const char*>(p), 41);
}

TEST(PagesPrompts, ALineKeepsTheSectionWidthAndApplyPadsWithBlanks) {
    SettingsImage image;
    image.setByte(fld::ProductIndex, 2);
    defaultPromptTexts(image);
    PromptLines lines;
    lines.load(image);
    // Utilities (section 1, slots 4..11, width 20), line 3.
    const std::string utilities1 = lines.line(1, 0);
    lines.setLine(0, 8, "no such line");  // neither reaches the next section
    lines.setLine(12, 0, "no such section");
    EXPECT_EQ(lines.line(1, 0), utilities1);
    lines.setLine(1, 2, "ABCDEFGHIJKLMNOPQRSTUVWXY");
    lines.storeSection(image, 1);
    EXPECT_EQ(image.text(slot::promptSlot(6)), "ABCDEFGHIJKLMNOPQRST");
    tidyPromptSlots(image);
    EXPECT_EQ(slotBytes(image, 6), "ABCDEFGHIJKLMNOPQRST" + std::string(20, ' ') + '\0');
    EXPECT_EQ(slotBytes(image, 0), "1. Telnet" + std::string(31, ' ') + '\0');
    for (std::size_t n = 0; n < 68; ++n) EXPECT_EQ(image.bytes()[82 + 41 * n + 40], 0) << n;
}

TEST(PagesPrompts, EachSectionIsWrittenIntoItsOwnSlotsOnly) {
    // Slots: Main Menu 0..3, Utilities 4..11, TCP/IP 12..19, Emulation 20..27,
    // Backlight 28..31, Navigator 32..35, Download Port 36..39, Battery 40..43,
    // Connecting 44..47, Download Messages 48..51, Errors 52..59, Misc 60..67.
    const std::size_t first[] = {0, 4, 12, 20, 28, 32, 36, 40, 44, 48, 52, 60};
    const std::size_t slots[] = {4, 8, 8, 8, 4, 4, 4, 4, 4, 4, 8, 8};
    for (std::size_t s = 0; s < 12; ++s) {
        SettingsImage image;
        image.fill(fld::PromptTexts, '#');
        const SettingsImage before = image;
        PromptLines lines;
        lines.load(image);
        for (std::size_t l = 0; l < 8; ++l) lines.setLine(s, l, "L" + std::to_string(l));
        lines.storeSection(image, s);
        for (std::size_t n = 0; n < 68; ++n) {
            const bool own = n >= first[s] && n < first[s] + slots[s];
            if (own) {
                EXPECT_EQ(image.text(slot::promptSlot(n)), "L" + std::to_string(n - first[s]));
            } else {
                EXPECT_EQ(slotBytes(image, n), slotBytes(before, n))
                    << "section " << s << " slot " << n;
            }
        }
        // Nothing outside the prompt texts moved either.
        EXPECT_TRUE(
            std::equal(image.bytes().begin(), image.bytes().begin() + 82, before.bytes().begin()));
        EXPECT_TRUE(std::equal(image.bytes().begin() + 2870, image.bytes().end(),
                               before.bytes().begin() + 2870));
    }
}

}  // namespace
}  // namespace varomil
