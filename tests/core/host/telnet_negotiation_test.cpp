// The terminal type the client sends, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

// The answers to option requests, the data stream and the terminal type sent
// again each time it is asked are cases of tests/data/host/vt_screen.txt.
const std::string kSendTerminalType("\xff\xfa\x18\x01\xff\xf0", 6);

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

}  // namespace
}  // namespace varomil
