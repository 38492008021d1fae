// The terminal type the client sends, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// The answers to option requests and the data stream are cases of
// tests/data/host/vt_screen.txt.
const std::string kSendTerminalType("\xff\xfa\x18\x01\xff\xf0", 6);

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
    EXPECT_EQ(rig.out.sends, 3) << "each answer is one send";

    rig.out.all.clear();
    rig.image->fill(fld::TerminalType, 'x');
    rig.image->setByte(fld::TerminalType, 0xFF, 1);
    rig.connect();
    rig.feed(kSendTerminalType);
    std::string text(30, 'x');
    text.replace(1, 1, "\xff\xff");
    EXPECT_EQ(rig.out.all, std::string("\xff\xfa\x18\x00", 4) + text + "\xff\xf0");
}

}  // namespace
}  // namespace varomil
