#include "common/crc32.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/windows_1252.h"
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

}  // namespace
}  // namespace varomil
