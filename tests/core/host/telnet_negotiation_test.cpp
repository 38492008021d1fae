// What the client answers to each option request, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

struct NegotiationCase {
    std::string host;
    std::string answer;
};

std::string cmd(int command, int option) {
    return std::string{'\xff', static_cast<char>(command), static_cast<char>(option)};
}
constexpr int kWill = 251, kWont = 252, kDo = 253, kDont = 254;

TEST(TelnetNegotiation, AnswersFromTheOptionTable) {
    const NegotiationCase cases[] = {
        {cmd(kWill, 0), cmd(kDo, 0)},
        {cmd(kDo, 0), cmd(kWill, 0)},
        {cmd(kWont, 0) + cmd(kDont, 0), ""},
        {cmd(kWill, 1), cmd(kDo, 1)},
        {cmd(kWill, 1) + cmd(kWill, 1), cmd(kDo, 1) + cmd(kDo, 1)},
        {cmd(kWont, 1), ""},
        {cmd(kWill, 1) + cmd(kWont, 1), cmd(kDo, 1) + cmd(kDont, 1)},
        {cmd(kDo, 1) + cmd(kDont, 1), cmd(kWont, 1) + cmd(kWont, 1)},
        {cmd(kWill, 25) + cmd(kWont, 25) + cmd(kDo, 25) + cmd(kDont, 25),
         cmd(kDo, 25) + cmd(kDont, 25) + cmd(kWill, 25) + cmd(kWont, 25)},
        {cmd(kWill, 3), cmd(kDo, 3) + cmd(kWill, 3) + cmd(kDo, 1)},
        {cmd(kDo, 3), ""},
        {cmd(kDont, 3), cmd(kDont, 3)},
        {cmd(kWont, 3) + cmd(kWont, 3) + cmd(kDo, 3), cmd(kDont, 3) + cmd(kWont, 3) + cmd(kDo, 3)},
        {cmd(kDo, 24), cmd(kWill, 24)},
        {cmd(kWill, 24) + cmd(kWont, 24) + cmd(kDont, 24), cmd(kDont, 24)},
        {cmd(kDo, 31), cmd(kWill, 31) + std::string("\xff\xfa\x1f\x00\x50\x00\x18\xff\xf0", 9)},
        {cmd(kWill, 31), cmd(kDont, 31)},
        {cmd(kWill, 39) + cmd(kDo, 39) + cmd(kWont, 39) + cmd(kDont, 39),
         cmd(kDont, 39) + cmd(kWont, 39)},
        {cmd(kDo, 255), cmd(kWont, 255)},
    };
    for (const NegotiationCase& c : cases) {
        SessionRig rig;
        rig.feed(c.host);
        EXPECT_EQ(rig.out.all, c.answer) << ::testing::PrintToString(c.host);
        EXPECT_EQ(rig.row(0), "");
    }
}

TEST(TelnetNegotiation, EchoAndGoAheadSetTheRemoteEchoFlag) {
    SessionRig rig;
    rig.feed(cmd(kWill, 3));
    EXPECT_TRUE(rig.screen().remoteEcho);
    rig.feed(cmd(kWont, 3));
    EXPECT_FALSE(rig.screen().remoteEcho);
    EXPECT_FALSE(rig.screen().suppressGoAhead);
    rig.feed(cmd(kWill, 1));
    EXPECT_TRUE(rig.screen().remoteEcho);
    rig.connect();
    EXPECT_FALSE(rig.screen().remoteEcho);
    EXPECT_TRUE(rig.screen().suppressGoAhead);
}

const std::string kSendTerminalType("\xff\xfa\x18\x01\xff\xf0", 6);

TEST(TelnetTerminalType, EmptySettingAnswersVt100AndStoresIt) {
    SessionRig rig;
    rig.image->setText(fld::TerminalType, "");
    rig.connect();
    rig.feed(kSendTerminalType);
    EXPECT_EQ(rig.out.all, std::string("\xff\xfa\x18\x00vt100\xff\xf0", 11));
    EXPECT_EQ(rig.out.sends, 1);
    EXPECT_EQ(rig.image->text(fld::TerminalType), "vt100");
}

TEST(TelnetTerminalType, SettingIsSentBoundedWithIacDoubled) {
    SessionRig rig;
    rig.image->setText(fld::TerminalType, "ansi");
    rig.connect();
    rig.feed(kSendTerminalType + kSendTerminalType + kSendTerminalType);  // the same each time
    const std::string one(
        "\xff\xfa\x18\x00"
        "ansi\xff\xf0",
        10);
    EXPECT_EQ(rig.out.all, one + one + one);

    rig.out.all.clear();
    rig.image->fill(fld::TerminalType, 'x');
    rig.image->setByte(fld::TerminalType, 0xFF, 1);
    rig.connect();
    rig.feed(kSendTerminalType);
    std::string text(30, 'x');
    text.replace(1, 1, "\xff\xff");
    EXPECT_EQ(rig.out.all, std::string("\xff\xfa\x18\x00", 4) + text + "\xff\xf0");
}

TEST(TelnetTerminalType, OtherSubnegotiationBytesAreIgnored) {
    SessionRig rig;
    rig.feed(std::string("\xff\xfa\x18\x00junk\xff\xf0", 10) + "ok");
    EXPECT_EQ(rig.out.all, "");
    EXPECT_EQ(rig.row(0), "ok");
}

TEST(TelnetData, IacHandlingInTheDataStream) {
    SessionRig rig;
    // IAC IAC gives one data byte 255, which the interpreter ignores; 241..249 are dropped.
    rig.feed(
        "a\xff\xff"
        "b\xff\xf1"
        "c\xff\xf9"
        "d\xff\x41"
        "e");
    EXPECT_EQ(rig.row(0), "abcde");
    // A subnegotiation without a handler reaches the screen as data.
    rig.feed(std::string("\xff\xfa\x1fxy\xff\xf0", 7));
    EXPECT_EQ(rig.row(0), "abcdexy");
    // Commands split across received blocks.
    rig.feed("\xff");
    rig.feed("\xfd");
    rig.feed("\x18");
    EXPECT_EQ(rig.out.all, cmd(kWill, 24));
}

TEST(TelnetData, NewConnectionEndsAnOpenSubnegotiation) {
    SessionRig rig;
    rig.feed("\xff\xfa\x18");  // the line drops inside a subnegotiation
    rig.connect();
    rig.feed("\x01hello");
    EXPECT_EQ(rig.out.all, "");
    EXPECT_EQ(rig.row(0), "hello");
}

}  // namespace
}  // namespace varomil
