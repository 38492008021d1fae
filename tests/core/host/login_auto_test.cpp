// Automatic answers to the host's login prompts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

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

}  // namespace
}  // namespace varomil
