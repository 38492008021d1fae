#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/key_mapping.h"
#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// What a connection works with once it is open: its own copy of the settings, and
// the user's typed characters (cases of tests/data/host/vt_screen.txt), which are
// the user's and not the host's.
std::string terminalTypeIs(const std::string& name) {
    return std::string("\xff\xfa\x18\x00", 4) + name + "\xff\xf0";
}
const std::string kSendTerminalType("\xff\xfa\x18\x01\xff\xf0", 6);

TEST(HostConnection, EditsOfTheImageAfterConnectDoNotReachTheSession) {
    SessionRig rig;
    SettingsImage& image = *rig.image;
    image.setFlag(fld::AutoLogin, true);
    image.setText(fld::NamePrompt, "login:");
    image.setText(fld::LoginName, "clerk");
    image.setText(fld::PasswordPrompt, "password:");
    image.setText(fld::LoginPassword, "pw");
    image.setText(fld::TerminalType, "ansi");
    rig.connect();
    // The sheet, Open, New and the product selector go on editing the image.
    image.setFlag(fld::AutoLogin, false);
    image.setText(fld::NamePrompt, "user:");
    image.setText(fld::LoginName, "other");
    image.setText(fld::PasswordPrompt, "pass:");
    image.setText(fld::LoginPassword, "x");
    image.setText(fld::TerminalType, "");
    rig.feed(kSendTerminalType + "login:");
    rig.feed("\r\npassword:");
    EXPECT_EQ(rig.out.all, terminalTypeIs("ansi") + "clerk\r\npw\r\n");
    EXPECT_EQ(image.text(fld::TerminalType), "") << "the session never writes the image";

    // The next connection takes the edits; the empty type becomes "vt100" then.
    rig.out.all.clear();
    rig.connect();
    EXPECT_EQ(image.text(fld::TerminalType), "vt100");
    rig.feed(kSendTerminalType + "user:\r\npass:");
    EXPECT_EQ(rig.out.all, terminalTypeIs("vt100"));
}

// The terminal type the client sends, byte for byte.
// The answers to option requests, the data stream and the terminal type sent
// again each time it is asked are cases of tests/data/host/vt_screen.txt.

TEST(TelnetTerminalType, AFullSettingIsSentBoundedWithIacDoubled) {
    SessionRig rig;
    rig.image->fill(fld::TerminalType, 'x');
    rig.image->setByte(fld::TerminalType, 0xFF, 1);
    rig.connect();
    rig.feed(kSendTerminalType);
    std::string text(30, 'x');
    text.replace(1, 1, "\xff\xff");
    EXPECT_EQ(rig.out.all, std::string("\xff\xfa\x18\x00", 4) + text + "\xff\xf0");
}

// Automatic answers to the host's login prompts.
// The cases are in tests/data/host/login.txt.
TEST(LoginAuto, PromptsAreAnsweredOnceAConnection) {
    const auto cases = caseFile("login.txt");
    ASSERT_GE(cases.size(), 7u);
    for (const std::vector<std::string>& c : cases) {
        SCOPED_TRACE(c[0]);
        ASSERT_EQ(c.size(), 10u);
        SessionRig rig;
        rig.image->setFlag(fld::AutoLogin, c[1] == "on");
        rig.image->setText(fld::NamePrompt, c[2]);
        rig.image->setText(fld::LoginName, c[3]);
        rig.image->setText(fld::PasswordPrompt, c[4]);
        rig.image->setText(fld::LoginPassword, c[5]);
        rig.connect();
        std::istringstream blocks(c[6]);
        for (std::string block; std::getline(blocks, block, '~');)
            block == "^" ? rig.connect() : rig.feed(unescaped(block));
        EXPECT_EQ(rig.out.all, c[7] == "-" ? "" : unescaped(c[7]));
        EXPECT_EQ(rig.out.sends, std::stoi(c[8]));
        EXPECT_EQ(rig.session->login().nameSent(), c[9] == "1");
    }
}

// Bytes sent for special and typed keys.
// The bytes of each key are in tests/data/host/keys.txt.
TEST(KeyMapping, SpecialKeysSendTheirSequences) {
    const auto cases = caseFile("keys.txt");
    ASSERT_EQ(cases.size(), static_cast<std::size_t>(HostKey::F20) + 1);
    const auto bytes = [](const std::string& s) { return s == "-" ? "" : unescaped(s); };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const HostKey key = static_cast<HostKey>(k);
        EXPECT_EQ(keyBytes(key, false, false), bytes(cases[k].at(1))) << cases[k][0];
        EXPECT_EQ(keyBytes(key, true, false), bytes(cases[k].at(2))) << cases[k][0];
    }
    EXPECT_EQ(keyBytes(HostKey::Return, false, true), "\r\n\n");
}

// What a session sends for keys and typed characters: cases of vt_screen.txt.
TEST(KeyMapping, TypedCharacters) {
    EXPECT_EQ(typedCharacterBytes('a'), "a");
    EXPECT_EQ(typedCharacterBytes('\r'), "");
    EXPECT_EQ(typedCharacterBytes(255), "\xff\xff");
}

// Hostile parameters: every position and count stays on the 24 x 80 screen.
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
