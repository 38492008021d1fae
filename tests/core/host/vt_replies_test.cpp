// Status replies to the host, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// The cases are in tests/data/host/vt_replies.txt.
TEST(VtReplies, StatusRequestsAreAnsweredByteForByte) {
    const auto cases = caseFile("vt_replies.txt");
    ASSERT_GE(cases.size(), 21u);
    for (const std::vector<std::string>& c : cases) {
        SessionRig rig;
        rig.feed(unescaped(c[0]));
        EXPECT_EQ(rig.out.all, c.at(1) == "-" ? "" : unescaped(c[1])) << c[0];
        EXPECT_EQ(rig.out.sends, std::stoi(c.at(2))) << c[0];
    }
}

}  // namespace
}  // namespace varomil
