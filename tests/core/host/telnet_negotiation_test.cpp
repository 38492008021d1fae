// What the client answers to each option request, byte for byte.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

std::string cmd(int command, int option) {
    return std::string{'\xff', static_cast<char>(command), static_cast<char>(option)};
}
constexpr int kWill = 251, kWont = 252, kDo = 253, kDont = 254;

// "WILL 1, DO 3, \xFF..." as bytes.
std::string commands(const std::string& list) {
    std::istringstream in(list);
    std::string out;
    for (std::string word; in >> word;) {
        const int command = word == "WILL"   ? kWill
                            : word == "WONT" ? kWont
                            : word == "DO"   ? kDo
                            : word == "DONT" ? kDont
                                             : 0;
        int option = 0;
        if (command != 0 && in >> option) out += cmd(command, option);
        if (command == 0 && word != "-" && word != ",")
            out += unescaped(word.substr(0, word.find(',')));
    }
    return out;
}

// The cases are in tests/data/host/telnet_options.txt; the data stream's are in
// vt_screen.txt.
TEST(TelnetNegotiation, AnswersFromTheOptionTable) {
    const auto cases = caseFile("telnet_options.txt");
    ASSERT_GE(cases.size(), 19u);
    for (const std::vector<std::string>& c : cases) {
        SessionRig rig;
        rig.feed(commands(c[0]));
        EXPECT_EQ(rig.out.all, commands(c.at(1))) << c[0];
        EXPECT_EQ(rig.row(0), "");
    }
}

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
