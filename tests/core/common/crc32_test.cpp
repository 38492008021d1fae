#include "common/crc32.h"

#include <gtest/gtest.h>

#include <string>

#include "common/windows_1252.h"

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

TEST(Windows1252, Utf8TextIsTheTerminalsOrAnError) {
    struct Case {
        const char* utf8;
        TextConversion result;
        const char* text;  // Ok: the single-byte text
        char32_t unheld;   // NotHeld: the character
    };
    const Case cases[] = {
        {"WH-17 \xC3\xA9\xE2\x82\xAC\xC5\xB8\xC2\xA0\xC3\xBF", TextConversion::Ok,
         "WH-17 \xE9\x80\x9F\xA0\xFF", 0},
        {"\xE2\x80\x9A\xCB\x9C", TextConversion::Ok, "\x82\x98", 0},
        {"\xE4\xB8\xAD", TextConversion::NotHeld, "", 0x4E2D},
        {"\xF0\x9F\x98\x80", TextConversion::NotHeld, "", 0x1F600},
        {"\xC2\x81", TextConversion::NotHeld, "", 0x81},  // a control, no letter of the set
        {"\xC2\x9F", TextConversion::NotHeld, "", 0x9F},
        {"\xC5\x92", TextConversion::Ok, "\x8C", 0},
        {"\xC5\x93", TextConversion::Ok, "\x9C", 0},
        {"\xC4\x80", TextConversion::NotHeld, "", 0x100},
        {"\xE9", TextConversion::NotUtf8, "", 0},               // Windows-1252, not UTF-8
        {"\xC3", TextConversion::NotUtf8, "", 0},               // cut short
        {"\xE2\x82", TextConversion::NotUtf8, "", 0},           // cut short
        {"\xC3\x28", TextConversion::NotUtf8, "", 0},           // no continuation
        {"\xC0\xAF", TextConversion::NotUtf8, "", 0},           // overlong
        {"\xC1\xBF", TextConversion::NotUtf8, "", 0},           // overlong
        {"\xE0\x9F\xBF", TextConversion::NotUtf8, "", 0},       // overlong
        {"\xF0\x8F\xBF\xBF", TextConversion::NotUtf8, "", 0},   // overlong
        {"\xED\xA0\x80", TextConversion::NotUtf8, "", 0},       // a surrogate
        {"\xED\xBF\xBF", TextConversion::NotUtf8, "", 0},       // a surrogate
        {"\xEE\x80\x80", TextConversion::NotHeld, "", 0xE000},  // just past them
        {"\xF4\x90\x80\x80", TextConversion::NotUtf8, "", 0},   // beyond U+10FFFF
        {"\xF5\x80\x80\x80", TextConversion::NotUtf8, "", 0},
        {"\xF4\x8F\xBF\xBF", TextConversion::NotHeld, "", 0x10FFFF},
        {"\xBF", TextConversion::NotUtf8, "", 0},
    };
    for (const Case& c : cases) {
        std::string out = "stale";
        char32_t unheld = 0;
        EXPECT_EQ(utf8ToWindows1252(c.utf8, out, unheld), c.result) << c.utf8;
        if (c.result == TextConversion::Ok) EXPECT_EQ(out, c.text) << c.utf8;
        if (c.result == TextConversion::NotHeld) EXPECT_EQ(unheld, c.unheld) << c.utf8;
    }
    EXPECT_EQ(windows1252ToUtf8(std::string("a\0\x81\x80", 4)),
              std::string("a\0\xEF\xBF\xBD\xE2\x82\xAC", 8));
}

}  // namespace
}  // namespace varomil
