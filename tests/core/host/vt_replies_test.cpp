// Status replies to the host, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

struct ReplyCase {
    std::string input;
    std::string reply;
    int sends = 1;  // each reply is one send
};

const ReplyCase kReplyCases[] = {
    {"\x1b[c", "\x1b[?1;0c"},
    {"\x1b[0c", "\x1b[?1;0c"},
    {"\x1b[=c", std::string{27, 91, 33, 124, 1, 1, 2, 5, '\x9c'}},
    {"\x1b[=0c", std::string{27, 91, 33, 124, 1, 1, 2, 5, '\x9c'}},
    {"\x1b[>c", "\x1b[>1;20;1c"},
    {"\x1b[>0c", "\x1b[>1;20;1c"},
    {"\x1b[1c", "", 0},
    {"\x1b[=1c", "", 0},
    {"\x1b[?c", "", 0},
    {"\x1b[3;10H\x1b[6n", "\x1b[3;10R"},
    {"\x1b[5n", "\x1b[0n"},
    {"\x1b[?6n", "", 0},
    {"\x1b[?5n", "", 0},
    {"\x05", "plovekt"},
    {"\x1bZ", "\x1b/Z"},
    {"\x1b[x", "\x1b[2;5;2;64;64;1;0x"},
    {"\x1b[1x", "\x1b[3;5;2;64;64;1;0x"},
    {"\x1b[2x", "", 0},
    {std::string(80, 'a') + "\x1b[6n", "\x1b[1;81R"},  // the pending-wrap column counts
    {"\x1b[5;20r\x1b[2;3H\x1b[6n", "\x1b[6;3R"},       // absolute inside a region
    {"\x1b[c\x1b[5n\x05", "\x1b[?1;0c\x1b[0nplovekt", 3},
};

TEST(VtReplies, StatusRequestsAreAnsweredByteForByte) {
    for (const ReplyCase& c : kReplyCases) {
        SessionRig rig;
        rig.feed(c.input);
        EXPECT_EQ(rig.out.all, c.reply) << "input " << ::testing::PrintToString(c.input);
        EXPECT_EQ(rig.out.sends, c.sends) << "input " << ::testing::PrintToString(c.input);
    }
}

}  // namespace
}  // namespace varomil
