// The kit's rows: a deferred row's value carried from the table's copy into
// the settings, and the enable rules.
#include <gtest/gtest.h>

#include <array>

#include "pages/control_table.h"

namespace varomil {
namespace {

using Bytes = std::array<Byte, 4>;

ByteSpan span(Bytes& b) {
    return {b.data(), b.size()};
}

TEST(PagesControlTable, CommitRowCarriesTheRowsValueAndNothingElse) {
    constexpr std::array<std::string_view, 3> kItems{"a", "b", "c"};
    const BitField bit2{Area::Image, {0, 1}, 2, 1};
    const BitField twoBits{Area::Image, {1, 1}, 0, 2};
    const struct {
        ControlSpec row;
        Bytes from;
        Bytes to;
        Bytes after;
    } cases[] = {
        {checkBox(1, bit2), {0x04, 9, 9, 9}, {0xF0, 0, 0, 0}, {0xF4, 0, 0, 0}},
        {checkBox(1, bit2), {0xFB, 9, 9, 9}, {0xFF, 0, 0, 0}, {0xFB, 0, 0, 0}},
        {radio(2, twoBits, 2), {0, 2, 0, 0}, {0, 0xF1, 0, 0}, {0, 0xF2, 0, 0}},
        {radio(2, twoBits, 2), {0, 1, 0, 0}, {0, 3, 0, 0}, {0, 3, 0, 0}},  // another button's
        {combo(3, twoBits, kItems), {0, 2, 0, 0}, {0, 1, 0, 0}, {0, 2, 0, 0}},
        {combo(3, twoBits, kItems), {0, 3, 0, 0}, {0, 1, 0, 0}, {0, 1, 0, 0}},  // no entry: kept
        {number(4, Field{0, 2}, 0, 65535, NumberStorage::U16be),
         {0x12, 0x34, 9, 9},
         {},
         {0x12, 0x34, 0, 0}},
        {splitNumber(5, Field{0, 1}, Field{3, 1}, 0, 65535),
         {0x12, 9, 9, 0x34},
         {},
         {0x12, 0, 0, 0x34}},
        {text(6, Field{1, 2}, 1), {1, 2, 3, 4}, {}, {0, 2, 3, 0}},
        {grid(7, Field{2, 2}, GridMode::Hex, GridLength::UpToZero), {1, 2, 3, 4}, {}, {0, 0, 3, 4}},
        {roleKey(8, Field{0, 1}, KeyRole::NameKey), {5, 5, 5, 5}, {}, {}},  // given at once
    };
    for (const auto& c : cases) {
        Bytes from = c.from;
        Bytes to = c.to;
        commitRow(c.row, span(from), span(to));
        EXPECT_EQ(to, c.after) << c.row.id;
        EXPECT_EQ(from, c.from) << c.row.id;
    }
    // Bytes past the end of either area are not carried.
    Bytes from{1, 2, 3, 4};
    Bytes to{};
    commitRow(text(9, Field{3, 4}, 3), span(from), span(to));
    EXPECT_EQ(to, (Bytes{0, 0, 0, 4}));
    to = {};
    commitRow(grid(10, Field{0, 4}, GridMode::Hex, GridLength::UpToZero), {from.data(), 2},
              span(to));
    EXPECT_EQ(to, (Bytes{1, 2, 0, 0}));
}

TEST(PagesControlTable, SelectionsOutsideTheListAndCapacitiesThatFollowASetting) {
    constexpr std::array<std::string_view, 3> kItems{"a", "b", "c"};
    Bytes b{1, 1, 7, 0};
    storeSelection(combo(1, Field{0, 1}, kItems), span(b), 3);
    EXPECT_EQ(b[0], 1);
    const ControlSpec key = gridSized(2, Field{3, 1}, GridMode::Hex, GridLength::Capacity,
                                      BitField{Area::Image, {1, 1}, 0, 0}, {5, 13});
    EXPECT_EQ(gridCapacity(key, span(b)), 13u);
    b[1] = 7;  // no such length: the first
    EXPECT_EQ(gridCapacity(key, span(b)), 5u);
    // Two-byte numbers read back in their byte order.
    Bytes n{0x34, 0x12, 0, 0};
    EXPECT_EQ(storedNumber(number(3, Field{0, 2}, 0, 65535, NumberStorage::U16le), span(n)),
              0x1234u);
    EXPECT_EQ(storedNumber(number(3, Field{0, 2}, 0, 65535, NumberStorage::U16be), span(n)),
              0x3412u);
}

TEST(PagesControlTable, EnableRulesFollowTheirSettingOrHoldAlways) {
    const BitField bit0{Area::Image, {1, 1}, 0, 1};
    Bytes set{0, 1, 0, 0};
    Bytes clear{0xFF, 0xFE, 0xFF, 0xFF};
    const struct {
        EnableRule rule;
        bool whenSet;
        bool whenClear;
    } cases[] = {
        {{1, 2, bit0, 1}, true, false},       {{1, 2, bit0, 0}, false, true},
        {{1, 2, bit0, 1, true}, false, true}, {alwaysEnabled(1, 2), true, true},
        {alwaysDisabled(1, 2), false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ruleEnables(c.rule, span(set)), c.whenSet);
        EXPECT_EQ(ruleEnables(c.rule, span(clear)), c.whenClear);
    }
}

}  // namespace
}  // namespace varomil
