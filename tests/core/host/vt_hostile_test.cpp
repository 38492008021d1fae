// Hostile parameters: every position and count stays on the 24 x 80 screen.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

TEST(VtHostile, PositionsAreClampedToTheScreen) {
    const auto cases = caseFile("vt_clamp.txt");
    ASSERT_GE(cases.size(), 18u);
    for (const std::vector<std::string>& c : cases) {
        SessionRig rig;
        rig.feed(unescaped(c[0]));
        EXPECT_EQ(std::to_string(rig.screen().row) + " " + std::to_string(rig.screen().column),
                  c.at(1))
            << c[0];
    }
}

TEST(VtHostile, CountsAreClippedToTheRow) {
    SessionRig rig;
    rig.feed(std::string(80, 'a') + "\x1b[1;76H\x1b[99999@");
    EXPECT_EQ(rig.row(0), std::string(75, 'a'));  // then five blanks
    EXPECT_EQ(rig.screen().cell(0, 79), ' ');
    EXPECT_EQ(rig.screen().cell(1, 0), 0);  // nothing spilled to the next row

    rig.feed("\x1b[1;1H" + std::string(80, 'b') + "\x1b[1;78H\x1b[99999P");
    EXPECT_EQ(rig.row(0), std::string(77, 'b'));

    rig.feed("\x1b[2;1H" + std::string(80, 'c') + "\x1b[2;79H\x1b[99999X");
    EXPECT_EQ(rig.row(1), std::string(78, 'c'));

    rig.feed("\x1b[3;1Hxy\x1b[99999b");
    EXPECT_EQ(rig.row(2), "x" + std::string(79, 'y'));
    EXPECT_EQ(rig.screen().column, 80);
    EXPECT_EQ(rig.screen().cell(3, 0), 0);
}

TEST(VtHostile, RepeatAtColumnZeroWritesNothing) {
    SessionRig rig;
    rig.feed("\x1b[2;1H\x1b[5b");
    EXPECT_EQ(rig.row(0), "");
    EXPECT_EQ(rig.row(1), "");
    EXPECT_EQ(rig.screen().column, 0);
}

TEST(VtHostile, EraseToCursorAtThePendingWrapColumnStopsAt79) {
    SessionRig rig;
    rig.feed(std::string(80, 'a') + "a\r\n" + std::string(80, 'b') + "\x1b[1K");
    EXPECT_EQ(rig.row(1), "");
    EXPECT_EQ(rig.row(0), std::string(80, 'a'));
    rig.feed(std::string(80, 'c') + "\x1b[1J");  // row 1 column 80, then ED 1
    EXPECT_EQ(rig.row(0), "");
    EXPECT_EQ(rig.row(1), "");
    EXPECT_EQ(rig.row(2), "");
}

TEST(VtHostile, InsertAndDeleteLinesOutsideTheRegionDoNothing) {
    SessionRig rig;
    rig.feed("\x1b[21;1Hbottom\x1b[5;10r\x1b[21;1H");  // row 20 + region offset -> 23
    rig.feed("\x1b[99;1H\x1b[L\x1b[M");
    EXPECT_EQ(rig.row(20), "bottom");
    // Inside the region a huge count clears to the region end only.
    rig.feed("\x1b[1;1Hx\x1b[1;1H\x1b[999L");
    EXPECT_EQ(rig.row(20), "bottom");
    EXPECT_EQ(rig.row(4), "");
}

TEST(VtHostile, OverlongSequencesAreDroppedWhole) {
    SessionRig rig;
    rig.feed("\x1b[" + std::string(300, '1') + "GX");
    EXPECT_EQ(rig.row(0), "X");
    rig.feed("\x1b(" + std::string(300, '(') + "B");                          // long designation
    rig.feed(std::string(40, ';') + "\x1b[" + std::string(40, ';') + "7mY");  // too many values
    EXPECT_FALSE(rig.screen().reverseAt(0, 1 + 40));
}

TEST(VtHostile, ArbitraryBytesKeepTheCursorOnTheScreen) {
    SessionRig rig;
    unsigned seed = 12345;
    std::string chunk;
    const char alphabet[] = "\x1b[;0123456789?=>/:HfrJKLMPX@bdGABCDEFsu78hlDEM\r\n\b\t\x0e\x0f#(";
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        chunk += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
        if (chunk.size() == 64) {
            rig.feed(chunk);
            chunk.clear();
            ASSERT_GE(rig.screen().row, 0);
            ASSERT_LT(rig.screen().row, kScreenRows);
            ASSERT_GE(rig.screen().column, 0);
            ASSERT_LE(rig.screen().column, kScreenColumns);
        }
    }
}

}  // namespace
}  // namespace varomil
