// Host bytes in, screen rows and cursor out, for each family of sequences.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <sstream>
#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// Cursor keys, insert, wrap, remote echo, new line, keypad, caret, suppress
// go-ahead: '1' for on.
std::string modeFlags(const TerminalScreen& s) {
    std::string out;
    for (bool f : {s.applicationCursorKeys, s.insertMode, s.autoWrap, s.remoteEcho, s.newLineMode,
                   s.keypadApplication, s.caretVisible, s.suppressGoAhead})
        out += f ? '1' : '0';
    return out;
}

// The cases are in tests/data/host/vt_screen.txt.
TEST(VtScreen, BytesGiveTheScreen) {
    const auto cases = caseFile("vt_screen.txt");
    ASSERT_GE(cases.size(), 145u);
    for (const std::vector<std::string>& c : cases) {
        SCOPED_TRACE(c[0]);
        ASSERT_GE(c.size(), 3u);
        SessionRig rig;
        // Blocks from the host, "~" between them: "^" is a new connection, ">..." typed.
        std::istringstream steps(c[1]);
        for (std::string step; std::getline(steps, step, '~');) {
            if (step == "^") {
                rig.connect();
            } else if (!step.empty() && step[0] == '>') {
                for (char ch : unescaped(step.substr(1))) rig.session->typeCharacter(ch);
            } else {
                rig.feed(unescaped(step));
            }
        }
        // Rows "N:text" (rows not listed must be empty), then what else a case checks.
        std::map<int, std::string> rows;
        for (std::size_t i = 3; i < c.size(); ++i) {
            const std::size_t at = c[i].find_first_of("=:");
            const std::string key = c[i].substr(0, at), value = unescaped(c[i].substr(at + 1));
            if (std::isdigit(static_cast<unsigned char>(key[0]))) rows[std::stoi(key)] = value;
            if (key == "modes") EXPECT_EQ(modeFlags(rig.screen()), value);
            if (key == "sent") EXPECT_EQ(rig.out.all, value);
            if (key == "sends") EXPECT_EQ(std::to_string(rig.out.sends), value);
            if (key == "margins")
                EXPECT_EQ(std::to_string(rig.screen().topMargin) + " " +
                              std::to_string(rig.screen().bottomMargin),
                          value);
            std::string reverse;  // "reverse=R:bits" from column 0 of row R
            for (std::size_t k = 2; key == "reverse" && k < value.size(); ++k)
                reverse += rig.screen().reverseAt(std::stoi(value), int(k) - 2) ? '1' : '0';
            if (key == "reverse") EXPECT_EQ(reverse, value.substr(2));
        }
        for (int r = 0; r < kScreenRows; ++r) {
            const auto it = rows.find(r);
            EXPECT_EQ(rig.row(r), it == rows.end() ? "" : it->second) << "row " << r;
        }
        EXPECT_EQ(std::to_string(rig.screen().row) + " " + std::to_string(rig.screen().column),
                  c[2]);
    }
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

}  // namespace
}  // namespace varomil
