// What a connection works with once it is open: its own copy of the settings, and
// the user's typed characters (cases of tests/data/host/vt_screen.txt), which are
// the user's and not the host's.
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

}  // namespace
}  // namespace varomil
