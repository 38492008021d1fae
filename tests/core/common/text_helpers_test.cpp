#include "common/text_helpers.h"

#include <gtest/gtest.h>

namespace varomil {
namespace {

TEST(TextHelpers, CaseAndNumbers) {
    EXPECT_EQ(lowercase("C:\\Sites\\DOCK.Net"), "c:\\sites\\dock.net");
    EXPECT_TRUE(equalsIgnoringCase("COM1", "com1"));
    EXPECT_FALSE(equalsIgnoringCase("COM1", "com10"));
    EXPECT_FALSE(equalsIgnoringCase("a\xC4", "a\xE4"));  // only ASCII letters fold
    EXPECT_TRUE(endsWithIgnoringCase("dock.Net", ".NET"));
    EXPECT_FALSE(endsWithIgnoringCase("NET", ".NET"));
    EXPECT_TRUE(endsWithIgnoringCase(".net", ".NET"));
    EXPECT_TRUE(containsIgnoringCase("Key Click : On", "CLICK"));
    EXPECT_FALSE(containsIgnoringCase("Key", "Keys"));

    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {{"0", 0},
                          {"999", 999},
                          {"1000", std::nullopt},
                          {"", std::nullopt},
                          {"-1", std::nullopt},
                          {"2x", std::nullopt},
                          {" 2", std::nullopt},
                          {"000000005", 5},
                          {"9999999999", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(parseDecimal(c.text, 0, 999), c.value) << c.text;
}

}  // namespace
}  // namespace varomil
