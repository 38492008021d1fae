#include <gtest/gtest.h>

#include "pages/control_table.h"
#include "settings/bit_field.h"

namespace varomil {
namespace {

TEST(BitField, WritesOnlyItsOwnBitsAndReadsThemBack) {
    struct Case {
        BitField f;
        unsigned value;
        Byte before, after;
        unsigned read;
    };
    const Case cases[] = {
        {reader1D(1, 4, 4), 0x9, 0x00, 0x90, 0x9},
        {reader1D(1, 4, 4), 0x19, 0xFF, 0x9F, 0x9},  // masked to the field
        {reader1D(1, 2, 2), 0, 0xFF, 0xF3, 0},
        {reader1D(1, 7, 1), 1, 0x00, 0x80, 1},
        {reader1D(1), 0x1AB, 0x00, 0xAB, 0xAB},  // whole byte
    };
    for (const Case& c : cases) {
        Byte bytes[3] = {0x55, c.before, 0x55};
        writeBits({bytes, 3}, c.f, c.value);
        EXPECT_EQ(bytes[1], c.after);
        EXPECT_EQ(bytes[0], 0x55);
        EXPECT_EQ(bytes[2], 0x55);
        EXPECT_EQ(readBits({bytes, 3}, c.f), c.read);
    }
}

TEST(BitField, FieldsOutsideTheAreaAreNeitherReadNorWritten) {
    Byte bytes[2] = {0xFF, 0xFF};
    writeBits({bytes, 2}, reader1D(2, 0, 8), 0);
    EXPECT_EQ(readBits({bytes, 2}, reader1D(2, 0, 8)), 0u);
    EXPECT_EQ(bytes[0] & bytes[1], 0xFF);
    EXPECT_EQ(areaBytes(Area::Buffer, settingsImage(), companions()).data, nullptr);
    EXPECT_EQ(areaBytes(Area::Reader2D, settingsImage(), companions()).size, kReader2DSize);
}

TEST(ControlSpec, NumbersKeepTheirByteOrderAndSelectionsOutsideTheListKeepTheValue) {
    Byte b[4] = {};
    const ByteSpan area{b, 4};
    storeNumber(number(1, Field{0, 2}, 0, 65535, NumberStorage::U16be), area, 300);
    EXPECT_EQ(b[0], 0x01);
    EXPECT_EQ(b[1], 0x2C);
    storeNumber(number(1, Field{2, 2}, 0, 65535, NumberStorage::U16le), area, 300);
    EXPECT_EQ(b[2], 0x2C);
    EXPECT_EQ(b[3], 0x01);
    EXPECT_EQ(storedNumber(splitNumber(1, Field{3, 1}, Field{0, 1}, 0, 65535), area), 0x0101u);

    static constexpr std::array<std::string_view, 3> kThree{"a", "b", "c"};
    const ControlSpec c = combo(1, BitField{Area::Buffer, {1, 1}, 4, 4}, kThree);
    b[1] = 0x9C;  // 9: not in the list
    EXPECT_EQ(storedSelection(c, area), -1);
    storeSelection(c, area, -1);
    EXPECT_EQ(b[1], 0x9C);
    storeSelection(c, area, 2);
    EXPECT_EQ(b[1], 0x2C);

    const ControlSpec code = checkBox(1, BitField{Area::Buffer, {1, 1}, 0, 2}, kTwoBitCode);
    storeCheck(code, area, false);
    EXPECT_EQ(b[1], 0x2E);
    EXPECT_FALSE(storedCheck(code, area));
    storeCheck(code, area, true);
    EXPECT_EQ(b[1], 0x2D);
}

}  // namespace
}  // namespace varomil
