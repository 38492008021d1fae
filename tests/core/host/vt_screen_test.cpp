// Host bytes in, screen rows and cursor out, for each family of sequences.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

struct ScreenCase {
    const char* name;
    std::string input;
    std::map<int, std::string> rows;  // rows not listed must be empty
    int row;
    int column;
};

const std::string k80(80, 'a');

const ScreenCase kScreenCases[] = {
    {"plain text", "abc", {{0, "abc"}}, 0, 3},
    {"cr lf", "ab\r\ncd", {{0, "ab"}, {1, "cd"}}, 1, 2},
    {"81st character overwrites column 79 without wrap",
     k80 + "b",
     {{0, std::string(79, 'a') + "b"}},
     0,
     80},
    {"wrap when enabled", "\x1b[?7h" + k80 + "b", {{0, k80}, {1, "b"}}, 1, 1},
    {"bs from the pending-wrap column lands on 78",
     k80 + "\bX",
     {{0, std::string(78, 'a') + "Xa"}},
     0,
     79},
    {"bs moves one left", "abc\bX", {{0, "abX"}}, 0, 3},
    {"bs at column 0 stays", "\bX", {{0, "X"}}, 0, 1},
    {"tab stops at 7 and 15", "\tX\tY", {{0, "       X       Y"}}, 0, 16},
    {"no tab stops after tbc 3", "\x1b[3g\tX", {{0, std::string(79, ' ') + "X"}}, 0, 80},
    {"hts sets a stop on its row only",
     "\x1b[3g\x1b[5G\x1bH\r\tX\r\n\tZ",
     {{0, "    X"}, {1, std::string(79, ' ') + "Z"}},
     1,
     80},
    {"tbc 0 clears the stop at the cursor",
     "\x1b[8G\x1b[g\r\tX",
     {{0, std::string(15, ' ') + "X"}},
     0,
     16},
    {"cup", "\x1b[3;10HX", {{2, "         X"}}, 2, 10},
    {"cup 0 stays 0, f as H", "\x1b[5;5f\x1b[0;0fX", {{0, "X"}}, 0, 1},
    {"decstbm puts the cursor below the top margin", "\x1b[5;20rA", {{5, "A"}}, 5, 1},
    {"cup is relative to the region", "\x1b[5;20r\x1b[1;1HX", {{4, "X"}}, 4, 1},
    {"empty decstbm restores full-screen addressing",
     "\x1b[5;20r\x1b[r\x1b[1;1HX",
     {{0, "X"}},
     0,
     1},
    {"decstbm with only a top is refused", "\x1b[2;2H\x1b[5rX", {{1, " X"}}, 1, 2},
    {"origin mode set goes to the top margin", "\x1b[5;20r\x1b[?6l\x1b[?6hX", {{4, "X"}}, 4, 1},
    {"esc ( 0 does not select line drawing", "\x1b(0qx", {{0, "qx"}}, 0, 2},
    {"so translates, si ends it", "\x0eqjr\x0fq", {{0, "-\xd9_q"}}, 0, 4},
    {"esc ) B shifts out, esc ( B back", "\x1b)Bq\x1b(Bq", {{0, "-q"}}, 0, 2},
    {"el 0 keeps the cursor", "abcdef\x1b[4G\x1b[0K", {{0, "abc"}}, 0, 3},
    {"el 1 clears through the cursor", "abcdef\x1b[4G\x1b[1K", {{0, "    ef"}}, 0, 0},
    {"el 2 clears the row", "abcdef\x1b[4G\x1b[2K", {{}}, 0, 0},
    {"el reads the last digit", "abcdef\x1b[4G\x1b[12K", {{}}, 0, 0},
    {"el with ? leader still reads the last digit", "abcdef\x1b[4G\x1b[?1K", {{0, "    ef"}}, 0, 0},
    {"el other selector does nothing", "abc\x1b[2G\x1b[3K", {{0, "abc"}}, 0, 1},
    {"ed 0", "a\r\nbc\r\nd\x1b[2;2H\x1b[J", {{0, "a"}, {1, "b"}}, 1, 1},
    {"ed 1", "a\r\nbc\r\nd\x1b[2;1H\x1b[1J", {{1, " c"}, {2, "d"}}, 1, 0},
    {"ed 2 leaves the cursor", "a\r\nb\x1b[2J", {}, 1, 1},
    {"cuu cud cuf cub", "\x1b[10;10H\x1b[3A\x1b[2D\x1b[0C\x1b[BX", {{7, "        X"}}, 7, 9},
    {"cuf stops at 79", "\x1b[200CX", {{0, std::string(79, ' ') + "X"}}, 0, 80},
    {"cuu stops at the region top", "\x1b[3;10r\x1b[9AX", {{2, "X"}}, 2, 1},
    {"il", "a\r\nb\r\nc\x1b[2;1H\x1b[L", {{0, "a"}, {2, "b"}, {3, "c"}}, 1, 0},
    {"dl", "a\r\nb\r\nc\x1b[1;1H\x1b[M", {{0, "b"}, {1, "c"}}, 0, 0},
    {"il inside a region loses the region's last row",
     "a\r\nb\r\nc\r\nd\x1b[1;3r\x1b[1;1H\x1b[L",
     {{1, "a"}, {2, "b"}, {3, "d"}},
     0,
     0},
    {"dl inside a region keeps the rows below it",
     "a\r\nb\r\nc\r\nd\x1b[1;3r\x1b[1;1H\x1b[M",
     {{0, "b"}, {1, "c"}, {3, "d"}},
     0,
     0},
    {"cuf as a", "ab\x1b[3aX", {{0, "ab   X"}}, 0, 6},
    {"cud as e stops at the region bottom", "\x1b[3;10r\x1b[20eX", {{9, "X"}}, 9, 1},
    {"rep", "ab\x1b[3b", {{0, "abbbb"}}, 0, 5},
    {"cha", "abc\x1b[2GX", {{0, "aXc"}}, 0, 2},
    {"dch", "abcdef\x1b[2G\x1b[2P", {{0, "adef"}}, 0, 1},
    {"ech", "abcdef\x1b[2G\x1b[2X", {{0, "a  def"}}, 0, 1},
    {"ich", "abcdef\x1b[2G\x1b[2@", {{0, "a  bcdef"}}, 0, 1},
    {"vpa", "\x1b[5;7H\x1b[3dX", {{2, "      X"}}, 2, 7},
    {"cnl", "\x1b[5;7H\x1b[2EX", {{6, "X"}}, 6, 1},
    {"cpl", "\x1b[5;7H\x1b[2FX", {{2, "X"}}, 2, 1},
    {"esc 7 / esc 8",
     "\x1b[3;4H\x1b"
     "7\x1b[10;10H\x1b"
     "8X",
     {{2, "   X"}},
     2,
     4},
    {"csi s / csi u", "\x1b[3;4H\x1b[s\x1b[10;10H\x1b[uX", {{2, "   X"}}, 2, 4},
    {"insert mode", "abc\r\x1b[4hX", {{0, "Xabc"}}, 0, 1},
    {"new-line mode", "\x1b[20hab\ncd", {{0, "ab"}, {1, "cd"}}, 1, 2},
    {"lf in a region scrolls the region",
     "A\r\nB\r\nC\r\nD\r\nE\x1b[2;4r\n\n",
     {{0, "A"}, {1, "C"}, {2, "D"}, {4, "E"}},
     3,
     0},
    {"ri at the top scrolls down", "A\r\nB\x1b[1;1H\x1bM", {{1, "A"}, {2, "B"}}, 0, 0},
    {"ind at the bottom scrolls up",
     "A\x1b[24;1HZ\x1b"
     "D",
     {{22, "Z"}},
     23,
     1},
    {"nel",
     "ab\x1b"
     "EX",
     {{0, "ab"}, {1, "X"}},
     1,
     1},
    {"column mode reset clears", "abc\x1b[?3l", {}, 0, 0},
    {"8-bit csi",
     "\x9b"
     "5GX",
     {{0, "    X"}},
     0,
     5},
    {"can aborts a sequence", "\x1b[5\x18GX", {{0, "GX"}}, 0, 2},
    {"controls act inside sequences", "ab\x1b[5\rGX", {{0, "ab  X"}}, 0, 5},
    {"high byte after esc prints without its high bit", "\x1b\xc1", {{0, "A"}}, 0, 1},
    {"unknown final is dropped", "a\x1b[5zb", {{0, "ab"}}, 0, 2},
    {"esc then 96..126 drops both", "a\x1b`b\x1b~c", {{0, "abc"}}, 0, 3},
    {"ff and vt act as lf",
     "a\x0b"
     "b\x0c"
     "c",
     {{0, "a"}, {1, " b"}, {2, "  c"}},
     2,
     3},
    {"cup in origin mode stays inside the region",
     "\x1b[2;3r\x1b[?6h\x1b[5;1HX\r\nY",
     {{1, "X"}, {2, "Y"}},
     2,
     1},
    {"a 33rd parameter is ignored, the first 32 are kept",
     "\x1b[5;10" + std::string(31, ';') + "99HX",
     {{4, "         X"}},
     4,
     10},
};

TEST(VtScreen, BytesGiveTheScreen) {
    for (const ScreenCase& c : kScreenCases) {
        SCOPED_TRACE(c.name);
        SessionRig rig;
        rig.feed(c.input);
        for (int r = 0; r < kScreenRows; ++r) {
            const auto it = c.rows.find(r);
            EXPECT_EQ(rig.row(r), it == c.rows.end() ? "" : it->second) << "row " << r;
        }
        EXPECT_EQ(rig.screen().row, c.row);
        EXPECT_EQ(rig.screen().column, c.column);
    }
}

TEST(VtScreenScroll, TwentyFiveLinesScrollTheWholeScreen) {
    SessionRig rig;
    for (int i = 0; i < 25; ++i) rig.feed((i ? "\r\nL" : "L") + std::to_string(i));
    EXPECT_EQ(rig.row(0), "L1");
    EXPECT_EQ(rig.row(23), "L24");
}

TEST(VtScreenAttributes, ReverseVideoFollowsSgr) {
    SessionRig rig;
    rig.feed("a\x1b[7mbc\x1b[mde\x1b[1;7mf\x1b[0mg");
    const std::string expected = "0110010";
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(rig.screen().reverseAt(0, c), expected[c] == '1') << "column " << c;
    // Erasing clears the bit, ECH leaves it.
    rig.feed("\x1b[1;2H\x1b[X");
    EXPECT_TRUE(rig.screen().reverseAt(0, 1));
    rig.feed("\x1b[K");
    EXPECT_FALSE(rig.screen().reverseAt(0, 2));
}

TEST(VtScreenAttributes, AlignmentFillCoversAllTextRowsWithoutARepaint) {
    SessionRig rig;
    rig.feed("\x1b#8");
    EXPECT_EQ(rig.row(0), std::string(80, 'E'));
    EXPECT_EQ(rig.screen().cell(24, 79), 'E');
    EXPECT_FALSE(rig.session->takeNotifications().wholeWindow());
}

TEST(VtScreenNotifications, PrintedTextIsOneSpanAndManyRowsTheWholeWindow) {
    SessionRig rig;
    rig.feed("\x1b[3;5Hhello");
    ScreenNotifications n = rig.session->takeNotifications();
    ASSERT_EQ(n.spanCount(), 1u);
    EXPECT_EQ(n.spanAt(0).row, 2);
    EXPECT_EQ(n.spanAt(0).column, 4);
    EXPECT_EQ(n.spanAt(0).length, 5);
    EXPECT_TRUE(n.cursorChanged());
    EXPECT_EQ(n.cursorColumn(), 9);

    rig.feed("\x1b[1;1Ha\x1b[2;1Hb\x1b[3;1Hc\x1b[4;1Hd");
    n = rig.session->takeNotifications();
    EXPECT_EQ(n.spanCount(), 4u);
    EXPECT_FALSE(n.wholeWindow());
    rig.feed("\x1b[1;1Ha\x1b[2;1Hb\x1b[3;1Hc\x1b[4;1Hd\x1b[5;1He");
    EXPECT_TRUE(rig.session->takeNotifications().wholeWindow());
}

TEST(VtScreenNotifications, CaretVisibilityAndBell) {
    SessionRig rig;
    rig.feed("\x1b[?25l\x07");
    const ScreenNotifications n = rig.session->takeNotifications();
    EXPECT_TRUE(n.caretChanged());
    EXPECT_FALSE(n.caretVisible());
    EXPECT_EQ(n.beeps(), 1);
}

// Cursor keys, insert, wrap, remote echo, new line, keypad, caret: '1' for on.
std::string modeFlags(const TerminalScreen& s) {
    std::string out;
    for (bool f : {s.applicationCursorKeys, s.insertMode, s.autoWrap, s.remoteEcho, s.newLineMode,
                   s.keypadApplication, s.caretVisible})
        out += f ? '1' : '0';
    return out;
}

TEST(VtScreenModes, ModeFlagsFollowSetAndReset) {
    SessionRig rig;
    rig.feed("\x1b[?1h\x1b[4h\x1b[?7h\x1b[12h\x1b[20h\x1b=\x1b[?25l");
    EXPECT_EQ(modeFlags(rig.screen()), "1111110");
    // A mode given with the other prefix does nothing.
    rig.feed("\x1b[1l\x1b[?4l\x1b[7l\x1b[?12l\x1b[?20l\x1b[25h");
    EXPECT_EQ(modeFlags(rig.screen()), "1111110");
    rig.feed("\x1b[?1l\x1b[4l\x1b[?7l\x1b[12l\x1b[20l\x1b>\x1b[?25h");
    EXPECT_EQ(modeFlags(rig.screen()), "0000001");
}

TEST(VtScreenModes, ANewConnectionResetsRegionModesAndAttributes) {
    SessionRig rig;
    rig.feed("\x1b[5;20r\x1b[?1h\x1b[4h\x1b[?7h\x1b[12h\x1b[20h\x1b=\x1b[?25l\x0e\x1b[7m\x1b[3g");
    rig.connect();
    EXPECT_EQ(modeFlags(rig.screen()), "0000001");
    rig.feed("\x1b[?6h\x1b[3;1Hq\tx");  // origin mode counts from the top again
    EXPECT_EQ(rig.row(2), "q      x");
    EXPECT_FALSE(rig.screen().reverseAt(2, 0));
    EXPECT_EQ(std::make_pair(rig.screen().topMargin, rig.screen().bottomMargin),
              std::make_pair(1, 24));
}

TEST(VtScreenEcho, TypedCharactersEchoUnlessTheHostEchoes) {
    SessionRig rig;
    rig.session->typeCharacter('x');
    rig.session->typeCharacter('\b');
    rig.session->typeCharacter('y');
    EXPECT_EQ(rig.row(0), "y");
    EXPECT_EQ(rig.out.all, "x\by");
    rig.feed("\xff\xfb\x01");  // WILL ECHO
    rig.out.all.clear();
    rig.session->typeCharacter('z');
    EXPECT_EQ(rig.row(0), "y");
    EXPECT_EQ(rig.out.all, "z");
}

TEST(VtScreenEcho, EchoDoesNotBreakAHostSequence) {
    SessionRig rig;
    rig.feed("\x1b[3");
    rig.session->typeCharacter(27);
    rig.feed(";4HX");
    EXPECT_EQ(rig.row(2), "   X");
}

}  // namespace
}  // namespace varomil
