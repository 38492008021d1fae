// What a connection works with once it is open: its own copy of the settings, and
// the user's typed characters, which are the user's and not the host's.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

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

TEST(HostConnection, TypedControlsAreSentButOnlyLineControlsEcho) {
    SessionRig rig;
    rig.feed("ab");
    rig.session->takeNotifications();
    // ENQ, SO, ESC, BEL, HT, CAN, DEL: sent, never interpreted as host output.
    const std::string controls("\x05\x0e\x1b\x07\x09\x18\x7f", 7);
    for (char ch : controls) rig.session->typeCharacter(static_cast<std::uint8_t>(ch));
    rig.session->typeCharacter('q');
    EXPECT_EQ(rig.out.all, controls + "q") << "no answerback";
    EXPECT_EQ(rig.row(0), "abq") << "no line drawing, no tab";
    EXPECT_EQ(rig.session->takeNotifications().beeps(), 0);
    // BS and LF move the cursor as they would for the host.
    rig.session->typeCharacter('\b');
    rig.session->typeCharacter('\n');
    rig.session->typeCharacter('z');
    EXPECT_EQ(rig.row(1), "  z");
}

}  // namespace
}  // namespace varomil
