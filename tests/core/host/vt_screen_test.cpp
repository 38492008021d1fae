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

// What the window is told: "whole" or the spans as row,column,length; then the
// cursor, the caret and the beeps where they changed.
std::string notes(const ScreenNotifications& n) {
    std::string out = n.wholeWindow() ? " whole" : "";
    for (std::size_t i = 0; !n.wholeWindow() && i < n.spanCount(); ++i)
        out += " " + std::to_string(n.spanAt(i).row) + "," + std::to_string(n.spanAt(i).column) +
               "," + std::to_string(n.spanAt(i).length);
    if (n.cursorChanged())
        out += " cursor " + std::to_string(n.cursorRow()) + "," + std::to_string(n.cursorColumn());
    if (n.caretChanged()) out += std::string(" caret ") + (n.caretVisible() ? "1" : "0");
    if (n.beeps() > 0) out += " beeps " + std::to_string(n.beeps());
    return out.substr(out.empty() ? 0 : 1);
}

// The cases are in tests/data/host/vt_screen.txt.
TEST(VtScreen, BytesGiveTheScreen) {
    const auto cases = caseFile("vt_screen.txt");
    const auto keys = caseFile("keys.txt");  // the keys' names, in the order of HostKey
    ASSERT_GE(cases.size(), 150u);
    for (const std::vector<std::string>& c : cases) {
        SCOPED_TRACE(c[0]);
        ASSERT_GE(c.size(), 3u);
        SessionRig rig;
        // Blocks from the host, "~" between them: "^" is a new connection, ">..." typed,
        // "@Key" a key pressed.
        std::istringstream steps(c[1]);
        for (std::string step; std::getline(steps, step, '~');) {
            if (step == "^") {
                rig.connect();
            } else if (step == "!") {
                rig.session->takeNotifications();
            } else if (!step.empty() && step[0] == '>') {
                for (char ch : unescaped(step.substr(1))) rig.session->typeCharacter(ch);
            } else if (!step.empty() && step[0] == '@') {
                for (std::size_t k = 0; k < keys.size(); ++k)
                    if (keys[k][0] == step.substr(1)) rig.session->pressKey(HostKey(k));
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
            if (key == "modes") {
                EXPECT_EQ(modeFlags(rig.screen()), value);
            }
            if (key == "notes") {
                EXPECT_EQ(notes(rig.session->takeNotifications()), value);
            }
            if (key == "sent") {
                EXPECT_EQ(rig.out.all, value);
            }
            if (key == "sends") {
                EXPECT_EQ(std::to_string(rig.out.sends), value);
            }
            if (key == "margins") {
                EXPECT_EQ(std::to_string(rig.screen().topMargin) + " " +
                              std::to_string(rig.screen().bottomMargin),
                          value);
            }
            const std::size_t colon = value.find(':');
            std::string reverse;  // "reverse=R:bits" from column 0 of row R
            for (std::size_t k = colon + 1; key == "reverse" && k < value.size(); ++k)
                reverse += rig.screen().reverseAt(std::stoi(value), int(k - colon - 1)) ? '1' : '0';
            if (key == "reverse") {
                EXPECT_EQ(reverse, value.substr(colon + 1));
            }
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

}  // namespace
}  // namespace varomil
