#include "common/crc32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/windows_1252.h"
#include "common/text_helpers.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

std::uint32_t crcOf(const std::string& s) {
    return crc32(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

// The check value every CRC-32 tool gives, so a recorded CRC can be checked anywhere.
TEST(Crc32, KnownValues) {
    EXPECT_EQ(crcOf("123456789"), 0xCBF43926u);
    EXPECT_EQ(crcOf(""), 0u);
    EXPECT_EQ(crcOf(std::string(1, '\0')), 0xD202EF8Du);
    EXPECT_EQ(crcOf("\xFF\xFF\xFF\xFF"), 0xFFFFFFFFu);
}

// The cases are in tests/data/common/windows_1252.txt.
TEST(Windows1252, Utf8TextIsTheTerminalsOrAnError) {
    const auto cases = readCases("common/windows_1252.txt");
    ASSERT_GE(cases.size(), 28u);
    const char* const results[] = {"Ok", "NotUtf8", "NotHeld"};
    for (const auto& c : cases) {
        std::string out = "stale";
        char32_t unheld = 0;
        const int r = static_cast<int>(utf8ToWindows1252(unescaped(c.at(0)), out, unheld));
        char code[12];
        std::snprintf(code, sizeof code, "%X", static_cast<unsigned>(unheld));
        const std::string got = r == 0 ? out : r == 2 ? code : "-";
        EXPECT_EQ(results[r] + (" " + got), c.at(1) + " " + unescaped(c.at(2))) << c[0];
    }
    EXPECT_EQ(windows1252ToUtf8(std::string("a\0\x81\x80", 4)),
              std::string("a\0\xEF\xBF\xBD\xE2\x82\xAC", 8));
}

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
