// Apply on the Wireless LAN page: the text slots of a foreign file, full to
// their last byte or with stray bytes behind their 0, end with zeros.
#include <gtest/gtest.h>

#include <string>

#include "pages/wireless_lan_texts.h"

namespace varomil {
namespace {

std::string bytesOf(const SettingsImage& image, Field f) {
    const auto* p = reinterpret_cast<const char*>(image.bytes().data()) + f.offset;
    return std::string(p, f.width);
}

TEST(WirelessLanTexts, ApplyEndsEveryTextWithZerosAndLeavesTheBytesBetween) {
    SettingsImage image;
    const Field page{fld::SubnetMask.offset, fld::PasswordPrompt.end() - fld::SubnetMask.offset};
    image.fill(page, 'q');
    image.fill(fld::WpaPassphrase, 'q');
    image.setText(fld::Gateway, "10.0.0.1");
    image.setByte(fld::WpaPassphrase, 0, 3);
    const SettingsImage before = image;
    tidyWirelessLanTexts(image, 2);

    const Field texts[] = {fld::SubnetMask,    fld::Gateway,        fld::DnsServer,
                           fld::TerminalIp,    fld::LocalName,      slot::hostAddress(2),
                           fld::Ssid,          fld::EapId,          fld::EapPassword,
                           fld::WpaPassphrase, fld::LoginName,      fld::NamePrompt,
                           fld::LoginPassword, fld::PasswordPrompt, fld::LogoutCommand};
    SettingsImage expected = before;
    for (Field f : texts) {
        std::string text = before.text(f).substr(0, f.width - 1);
        text.resize(f.width, '\0');
        expected.setRaw(f, reinterpret_cast<const Byte*>(text.data()), f.width);
    }
    EXPECT_EQ(bytesOf(image, fld::Gateway), std::string("10.0.0.1") + std::string(16, '\0'));
    EXPECT_EQ(bytesOf(image, fld::WpaPassphrase), "qqq" + std::string(61, '\0'));
    EXPECT_EQ(bytesOf(image, slot::hostAddress(1)), std::string(50, 'q'));  // not the active one
    for (Field f : {page, fld::WpaPassphrase}) {
        EXPECT_EQ(bytesOf(image, f), bytesOf(expected, f));
    }
}

}  // namespace
}  // namespace varomil
