// Automatic answers to the host's login prompts.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

struct LoginRig : SessionRig {
    LoginRig(const char* namePrompt, const char* name, const char* passwordPrompt,
             const char* password) {
        image->setFlag(fld::AutoLogin, true);
        image->setText(fld::NamePrompt, namePrompt);
        image->setText(fld::LoginName, name);
        image->setText(fld::PasswordPrompt, passwordPrompt);
        image->setText(fld::LoginPassword, password);
        connect();
    }
};

TEST(LoginAuto, NameThenPasswordEachOnce) {
    LoginRig rig("login:", "clerk", "password:", "s3cret");
    rig.feed("Welcome\r\n");
    EXPECT_EQ(rig.out.all, "");
    rig.feed("login: ");
    EXPECT_EQ(rig.out.all, "clerk\r\n");
    EXPECT_EQ(rig.out.sends, 2);
    rig.feed("\r\nlogin: ");
    EXPECT_EQ(rig.out.all, "clerk\r\n");
    rig.feed("\r\npassword:");
    EXPECT_EQ(rig.out.all, "clerk\r\ns3cret\r\n");
    rig.feed("\r\npassword:");
    EXPECT_EQ(rig.out.all, "clerk\r\ns3cret\r\n");
    // A new connection answers again.
    rig.connect();
    rig.feed("login:");
    EXPECT_EQ(rig.out.all, "clerk\r\ns3cret\r\nclerk\r\n");
}

TEST(LoginAuto, PromptMustStartTheCursorRow) {
    LoginRig rig("login:", "clerk", "password:", "pw");
    rig.feed(" login:");
    rig.feed("\x1b[5;1Hlogin:\x1b[1;1H");  // prompt on another row than the cursor
    EXPECT_EQ(rig.out.all, "");
}

TEST(LoginAuto, PasswordDoesNotWaitForTheName) {
    LoginRig rig("login:", "clerk", "Password", "pw");
    rig.feed("Password: ");
    EXPECT_EQ(rig.out.all, "pw\r\n");
}

TEST(LoginAuto, EmptyPromptMatchesAtOnceAndEmptyNameKeepsChecking) {
    LoginRig rig("", "clerk", "password:", "");
    rig.feed("x");
    EXPECT_EQ(rig.out.all, "clerk\r\n");
    rig.feed("\r\npassword:");
    EXPECT_EQ(rig.out.all, "clerk\r\n\r\n");  // empty password: the line end alone

    LoginRig noName("", "", "zzz", "pw");
    noName.feed("x");
    EXPECT_EQ(noName.out.all, "");
    EXPECT_FALSE(noName.session->login().nameSent());
}

TEST(LoginAuto, OffSendsNothing) {
    LoginRig rig("login:", "clerk", "password:", "pw");
    rig.image->setFlag(fld::AutoLogin, false);
    rig.connect();
    rig.feed("login:\r\npassword:");
    EXPECT_EQ(rig.out.all, "");
}

}  // namespace
}  // namespace varomil
