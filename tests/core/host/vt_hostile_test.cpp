// Hostile parameters: every position and count stays on the 24 x 80 screen.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// Clamped positions, replies and the rows of huge counts are cases of
// tests/data/host/vt_screen.txt; what those cannot show: blanks inserted, not empty cells, and
// attributes of a dropped list.
TEST(VtHostile, HugeCountsInsertBlanksAndOverlongListsAreDropped) {
    SessionRig rig;
    rig.feed(std::string(80, 'a') + "\x1b[1;76H\x1b[99999@");
    EXPECT_EQ(rig.screen().cell(0, 79), ' ');
    EXPECT_EQ(rig.screen().cell(1, 0), 0);                     // nothing spilled to the next row
    rig.feed("\x1b[2;1H\x1b(" + std::string(300, '(') + "B");  // a long designation
    rig.feed(std::string(40, ';') + "\x1b[" + std::string(40, ';') + "7mY");  // too many values
    EXPECT_EQ(rig.row(1), std::string(40, ';') + "Y");
    EXPECT_FALSE(rig.screen().reverseAt(1, 40));
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
