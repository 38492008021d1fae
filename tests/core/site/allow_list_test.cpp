#include "site/allow_list.h"

#include <gtest/gtest.h>

namespace varomil {
namespace {

TEST(AllowList, DottedQuadsOnly) {
    const std::pair<const char*, std::uint32_t> good[] = {
        {"0.0.0.0", 0},
        {"255.255.255.255", 0xFFFFFFFF},
        {"192.168.1.57", 0xC0A80139},
        {"10.0.200.9", 0x0A00C809},
    };
    for (const auto& [text, address] : good) {
        std::uint32_t a = 1;
        EXPECT_TRUE(parseIpv4(text, a)) << text;
        EXPECT_EQ(a, address) << text;
        EXPECT_EQ(formatIpv4(address), text);
    }
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "1.2.3.", ".1.2.3", "1..2.3", "256.1.1.1",
                            "1.2.3.256", "+1.2.3.4", "1.2.3.4 ", " 1.2.3.4", "1.2.3.4x", "01.2.3.4",
                            "1.2.3.04", "1000.2.3.4", "1.2.3.-4", "a.b.c.d", "12345"}) {
        std::uint32_t a = 7;
        EXPECT_FALSE(parseIpv4(bad, a)) << bad;
        EXPECT_EQ(a, 7u) << bad;
    }
}

TEST(AllowList, AddressesAndPrefixes) {
    AllowList list;
    std::string error;
    EXPECT_TRUE(list.allowsEveryone());
    EXPECT_TRUE(list.allows(0x01020304));
    EXPECT_EQ(list.describe(), "every address");
    ASSERT_TRUE(list.parse("10.1.2.0/24 , 192.168.1.5,172.16.0.0/12", error)) << error;
    EXPECT_EQ(list.describe(), "10.1.2.0/24, 192.168.1.5, 172.16.0.0/12");
    const std::pair<std::uint32_t, bool> cases[] = {
        {0x0A010200, true}, {0x0A0102FF, true},  {0x0A010300, false}, {0x0A0101FF, false},
        {0xC0A80105, true}, {0xC0A80104, false}, {0xC0A80106, false}, {0xAC100000, true},
        {0xAC1FFFFF, true}, {0xAC200000, false}, {0xAC0FFFFF, false}, {0x0B010200, false},
    };
    for (const auto& [address, allowed] : cases) {
        EXPECT_EQ(list.allows(address), allowed) << formatIpv4(address);
    }
    AllowList all;
    ASSERT_TRUE(all.parse("1.2.3.4/0", error));
    EXPECT_TRUE(all.allows(0xFFFFFFFF));
    EXPECT_EQ(all.describe(), "1.2.3.4/0");
    AllowList one;
    ASSERT_TRUE(one.parse("1.2.3.4/32", error));
    one.add(0x05060000, 16);
    EXPECT_EQ(one.describe(), "1.2.3.4, 5.6.0.0/16");
    EXPECT_TRUE(one.allows(0x0506FFFF));
    EXPECT_FALSE(one.allows(0x01020305));
}

TEST(AllowList, ListsThatDoNotParse) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "an empty entry"},
        {"1.2.3.4,", "an empty entry"},
        {"1.2.3.4, ,5.6.7.8", "an empty entry"},
        {"1.2.3.400", "1.2.3.400 is not dotted IPv4 text"},
        {"1.2.3.4/33", "1.2.3.4/33: the bits after / must be 0..32"},
        {"1.2.3.4/", "1.2.3.4/: the bits after / must be 0..32"},
        {"1.2.3.4/08", "1.2.3.4/08: the bits after / must be 0..32"},
        {"1.2.3.4/-1", "1.2.3.4/-1: the bits after / must be 0..32"},
        {"1.2.3.4;5.6.7.8", "1.2.3.4;5.6.7.8 is not dotted IPv4 text"},
    };
    for (const auto& [text, why] : cases) {
        AllowList list;
        std::string error;
        EXPECT_FALSE(list.parse(text, error)) << text;
        EXPECT_EQ(error, why) << text;
        EXPECT_TRUE(list.allowsEveryone()) << text;  // nothing of a refused list is kept
    }
}

}  // namespace
}  // namespace varomil
