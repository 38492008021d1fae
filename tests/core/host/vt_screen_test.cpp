// Host bytes in, screen rows and cursor out, for each family of sequences.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// The cases are in tests/data/host/vt_screen.txt.
TEST(VtScreen, BytesGiveTheScreen) {
    const auto cases = caseFile("vt_screen.txt");
    ASSERT_GE(cases.size(), 60u);
    for (const std::vector<std::string>& c : cases) {
        SCOPED_TRACE(c[0]);
        ASSERT_GE(c.size(), 3u);
        std::map<int, std::string> rows;  // rows not listed must be empty
        for (std::size_t i = 3; i < c.size(); ++i)
            rows[std::stoi(c[i])] = unescaped(c[i].substr(c[i].find(':') + 1));
        SessionRig rig;
        rig.feed(unescaped(c[1]));
        for (int r = 0; r < kScreenRows; ++r) {
            const auto it = rows.find(r);
            EXPECT_EQ(rig.row(r), it == rows.end() ? "" : it->second) << "row " << r;
        }
        EXPECT_EQ(std::to_string(rig.screen().row) + " " + std::to_string(rig.screen().column),
                  c[2]);
    }
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
