// The grid editor's names, length rules, loading and storing, and the chart.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "pages/grid_value.h"

namespace varomil {
namespace {

TEST(PagesGrid, ClicksGiveNamesAndBytesPerMode) {
    GridValue keys(GridMode::KeyNames, 9);
    GridValue hex(GridMode::Hex, 10);
    for (Byte code : {0x41, 0x0D, 0x1B}) {
        EXPECT_TRUE(keys.append(code));
        EXPECT_TRUE(hex.append(code));
    }
    EXPECT_EQ(keys.text(), "A Enter ESC ");
    EXPECT_EQ(hex.text(), "41 0D 1B ");
    // Backspace takes the last code and its name off, and nothing from nothing.
    EXPECT_TRUE(hex.removeLast());
    EXPECT_EQ(hex.text(), "41 0D ");
    EXPECT_EQ(hex.length(), 2u);
    GridValue empty(GridMode::Hex, 2);
    EXPECT_FALSE(empty.removeLast());
    std::array<Byte, 10> stored;
    stored.fill(0xEE);
    keys.store(stored.data(), 9);
    EXPECT_EQ(stored, (std::array<Byte, 10>{0x41, 0x0D, 0x1B, 0, 0, 0, 0, 0, 0, 0xEE}));
}

TEST(PagesGrid, CapacityRefusesTheNextCode) {
    GridValue one(GridMode::KeyNames, 1);
    EXPECT_TRUE(one.append('x'));
    EXPECT_FALSE(one.append('y'));
    EXPECT_EQ(one.text(), "x ");
    EXPECT_EQ(one.length(), 1u);
    // A delimiter of one character stored into its two-byte buffer.
    std::array<Byte, 2> delimiter{0xAA, 0xBB};
    one.store(delimiter.data(), delimiter.size());
    EXPECT_EQ(delimiter, (std::array<Byte, 2>{'x', 0}));
    one.clear();
    one.store(delimiter.data(), delimiter.size());
    EXPECT_EQ(delimiter, (std::array<Byte, 2>{0, 0}));
    // Never more than 64 bytes, whatever a page asks for.
    GridValue big(GridMode::Hex, 500);
    EXPECT_EQ(big.capacity(), 64u);
}

TEST(PagesGrid, StoredLengthRules) {
    const Byte beep[10] = {14, 5, 0, 0, 30, 0, 0, 0, 0, 0};
    EXPECT_EQ(storedGridLength(beep, 10, GridLength::TrailingPairs), 6u);
    const Byte zeros[10] = {};
    EXPECT_EQ(storedGridLength(zeros, 10, GridLength::TrailingPairs), 0u);
    // A pair with a code in its second byte stays; an odd last byte is no pair.
    const Byte odd[5] = {14, 5, 0, 7, 9};
    EXPECT_EQ(storedGridLength(odd, 5, GridLength::TrailingPairs), 4u);
    EXPECT_EQ(storedGridLength(beep, 10, GridLength::UpToZero), 2u);
    const Byte full[6] = {0x1B, '[', '9', '9', 'h', 'x'};
    EXPECT_EQ(storedGridLength(full, 6, GridLength::UpToZero), 6u);
    EXPECT_EQ(storedGridLength(full, 1, GridLength::OneIfNonZero), 1u);
    EXPECT_EQ(storedGridLength(zeros, 1, GridLength::OneIfNonZero), 0u);
    EXPECT_EQ(storedGridLength(zeros, 13, GridLength::Capacity), 13u);
}

TEST(PagesGrid, LoadingStopsAtZeroInKeyModesAndShowsHighBytesByNumber) {
    const Byte stored[9] = {'A', 0, 'B', 0, 0, 0, 0, 0, 0};
    GridValue keys(GridMode::KeyNames, 9);
    keys.load(stored, 9);
    EXPECT_EQ(keys.text(), "A ");
    EXPECT_EQ(keys.length(), 1u);
    std::array<Byte, 9> out;
    out.fill(0xEE);
    keys.store(out.data(), out.size());
    EXPECT_EQ(out, (std::array<Byte, 9>{'A', 0, 0, 0, 0, 0, 0, 0, 0}));

    const Byte high[5] = {0x80, 0xC8, 0x7F, 0x20, 0};
    GridValue seven(GridMode::KeyNames7Bit, 5);
    seven.load(high, 5);
    EXPECT_EQ(seven.text(), "128 200 DEL SP ");

    GridValue hex(GridMode::Hex, 4);
    const Byte withZero[4] = {0x00, 0xFF, 0x00, 0x0A};
    hex.load(withZero, 4);
    EXPECT_EQ(hex.text(), "00 FF 00 0A ");
    EXPECT_TRUE(GridValue(GridMode::Hex, 1).append(0));
    std::string text;
    EXPECT_EQ(gridTextFor(GridMode::KeyNames, withZero + 1, 3, text), 1u);  // 0 ends it
    EXPECT_EQ(text, "255 ");
}

TEST(PagesGrid, ChartCellsHeadingsAndTinyCharts) {
    const GridChart c = gridChart(GridMode::KeyNames, 170, 170);  // 10 x 10 cells
    EXPECT_EQ(c.cellWidth, 10);
    EXPECT_EQ(c.cellHeight, 10);
    EXPECT_EQ(gridCodeAt(c, 55, 25), Byte{0x41});  // column "40", row "01"
    EXPECT_EQ(gridCodeAt(c, 165, 165), Byte{0xFF});
    EXPECT_FALSE(gridCodeAt(c, 5, 50));    // heading column
    EXPECT_FALSE(gridCodeAt(c, 50, 5));    // heading row
    EXPECT_FALSE(gridCodeAt(c, 175, 50));  // beyond the last column
    EXPECT_FALSE(gridCodeAt(c, 50, 175));  // below the last row
    const GridChart seven = gridChart(GridMode::KeyNames7Bit, 90, 170);
    EXPECT_EQ(seven.columns, 8u);
    EXPECT_EQ(gridCodeAt(seven, 85, 165), Byte{0x7F});
    EXPECT_FALSE(gridCodeAt(seven, 95, 165));
    const GridChart tiny = gridChart(GridMode::Hex, 3, 2);
    EXPECT_EQ(tiny.cellWidth, 1);
    EXPECT_EQ(tiny.cellHeight, 1);
}

TEST(PagesGrid, HexNamesParseBackStrictly) {
    EXPECT_EQ(parseHexNames("1B 5B 41 ", 10), std::string("\x1B\x5B\x41"));
    EXPECT_EQ(parseHexNames("00 ff", 10), std::string("\0\xFF", 2));
    EXPECT_EQ(parseHexNames("09 AF af", 10), std::string("\x09\xAF\xAF"));
    for (const char* bad : {"/0", ":0", "@0", "G0", "`0", "g0"})
        EXPECT_FALSE(parseHexNames(bad, 10)) << bad;
    EXPECT_EQ(parseHexNames("", 10), std::string());
    EXPECT_FALSE(parseHexNames("1B5B", 10));
    EXPECT_FALSE(parseHexNames("1G", 10));
    EXPECT_FALSE(parseHexNames("1", 10));
    EXPECT_FALSE(parseHexNames("01 02 03", 2));
}

}  // namespace
}  // namespace varomil
