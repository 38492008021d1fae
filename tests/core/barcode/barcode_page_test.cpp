#include <gtest/gtest.h>

#include <memory>

#include "barcode/reader_page.h"

namespace varomil {
namespace {

TEST(BarcodePage, ReaderTypeIndexKindAndChoice) {
    struct Case {
        unsigned stored;
        int index;
        ReaderKind kind;
    };
    const Case cases[] = {
        {0x00, 0, ReaderKind::Laser1D},
        {0x01, 1, ReaderKind::Reader2D},
        {0x04, 2, ReaderKind::LongRange},
        {0x02, 0, ReaderKind::Laser1D},  // RFID bit aside
        {0xF3, 1, ReaderKind::Reader2D},
        {0x06, 2, ReaderKind::LongRange},
        // Bits that match no entry show no selection; bit 2 wins over bit 0.
        {0x05, -1, ReaderKind::LongRange},
        {0x08, -1, ReaderKind::Laser1D},
        {0x09, -1, ReaderKind::Reader2D},
        {0x0D, -1, ReaderKind::LongRange},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readerTypeIndex(c.stored), c.index) << c.stored;
        EXPECT_EQ(readerKind(c.stored), c.kind) << c.stored;
    }
    EXPECT_EQ(readerTypeForIndex(0xFF, 0), 0xF2u);
    EXPECT_EQ(readerTypeForIndex(0x0A, 1), 0x03u);
    EXPECT_EQ(readerTypeForIndex(0x09, 2), 0x04u);
    EXPECT_EQ(readerTypeForIndex(0x09, -1), 0x09u);
    EXPECT_EQ(readerTypeForIndex(0x09, 3), 0x09u);
}

TEST(BarcodePage, ListsNameTheirBoxesButtonsAndDialogs) {
    const SymbologyList l1 = symbologyList1D();
    const SymbologyList l2 = symbologyList2D();
    ASSERT_EQ(l1.count, 26u);
    ASSERT_EQ(l2.count, 27u);
    for (int id = 301; id <= 326; ++id) EXPECT_NE(entryForCheck(l1, id), nullptr);
    EXPECT_EQ(entryForCheck(l1, 327), nullptr);
    EXPECT_EQ(entryForMore(l1, 505)->dialog, "INTERLEAVE25DLG");
    EXPECT_EQ(entryForMore(l1, 511), nullptr);
    EXPECT_EQ(entryForMore(l2, 512)->dialog, "CODE93_2D_DLG");
    EXPECT_EQ(entryForMore(l2, 511), nullptr);
    int longRangeOff = 0;
    for (const SymbologyEntry& e : l2) longRangeOff += e.longRangeOff;
    EXPECT_EQ(longRangeOff, 8);  // Code 11, Postal Codes and the six 2D codes
}

struct Settings {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    Settings(unsigned readerType, Byte fill1D, Byte fill2D) {
        image->bytes()[fld::ReaderType.offset] = static_cast<Byte>(readerType);
        comp->reader1D.fill(fill1D);
        comp->reader2D.fill(fill2D);
    }
    Byte b1(std::size_t i) const { return comp->reader1D[i]; }
    Byte b2(std::size_t i) const { return comp->reader2D[i]; }
};

BarcodePageState allBoxes(const Settings& s, bool on) {
    BarcodePageState st = barcodePageState(*s.image, *s.comp);
    st.checked.fill(on);
    return st;
}

TEST(BarcodePage, Apply1DWritesTheBoxesAndSettingsOfThe1DBlockOnly) {
    Settings s(0x00, 0x00, 0x5A);
    BarcodePageState st = allBoxes(s, true);
    st.list401 = 8;  // "Aiming"
    st.list402 = 3;
    st.timeout = 300;  // low eight bits
    applyBarcodePage(st, *s.image, *s.comp);
    const Byte expected[23] = {0xFF, 0xFF, 0xF5, 0xC0, 0, 0, 0, 0, 0,    0,    0,   0x1C,
                               0,    0,    0,    0,    0, 0, 0, 0, 0x80, 0x2C, 0x40};
    for (std::size_t i = 0; i < 23; ++i) EXPECT_EQ(s.b1(i), expected[i]) << i;
    for (Byte b : s.comp->reader2D) EXPECT_EQ(b, 0x5A);
    EXPECT_EQ(s.image->byte(fld::Reader1DBlock, 2), 0xF5);  // stored into the image
    EXPECT_EQ(s.image->byte(fld::Reader2DBlock, 44), 0x5A);

    Settings off(0x00, 0xFF, 0x5A);
    st = allBoxes(off, false);  // lists as stored: ScanMode 15 shows none and stays
    EXPECT_EQ(st.list401, -1);
    applyBarcodePage(st, *off.image, *off.comp);
    const Byte kept[23] = {0x00, 0x00, 0x0A, 0x3F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF,
                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xBF};
    for (std::size_t i = 0; i < 23; ++i) EXPECT_EQ(off.b1(i), kept[i]) << i;
}

TEST(BarcodePage, Ean128CodesZeroAndOneShowCheckedAndApplyWritesOneOrTwo) {
    const SymbologyEntry& ean128 = *entryForCheck(symbologyList1D(), 325);
    for (Byte code : {0, 1, 2, 3}) {
        Settings s(0x00, 0x00, 0x00);
        s.comp->reader1D[22] = static_cast<Byte>(code << 6 | 0x3F);
        const BarcodePageState st = barcodePageState(*s.image, *s.comp);
        EXPECT_EQ(st.box(325), code < 2) << int(code);
        EXPECT_EQ(enableShown(ean128, {s.comp->reader1D.data(), 23}), code < 2);
        applyBarcodePage(st, *s.image, *s.comp);
        EXPECT_EQ(s.b1(22), code < 2 ? 0x7F : 0xBF) << int(code);
    }
}

TEST(BarcodePage, Apply2DAndLongRange) {
    // 2D reader: every enable of the 2D list, LED, aimer and the time-out digit.
    Settings s(0x01, 0x33, 0x00);
    BarcodePageState st = allBoxes(s, true);
    st.list401 = 3;
    st.list402 = 1;
    st.timeout = 0x1F;    // low four bits
    st.aimDuration = 77;  // not the 2D reader's
    applyBarcodePage(st, *s.image, *s.comp);
    const std::pair<std::size_t, Byte> set2D[] = {
        {0, 0xFC},  {4, 0xE0},  {5, 0xC0},  {8, 0x80},  {11, 0x80}, {14, 0x80}, {17, 0x80},
        {20, 0x80}, {23, 0x80}, {27, 0x80}, {28, 0xE0}, {29, 0xFC}, {30, 0x7F}, {31, 0x00}};
    for (const auto& [at, v] : set2D) EXPECT_EQ(s.b2(at), v) << at;
    for (Byte b : s.comp->reader1D) EXPECT_EQ(b, 0x33);

    // Long range from a 2D block full of ones: LED and aimer stay, Code 11, Postal
    // Codes and the 2D symbologies go, even when checked.
    Settings lr(0x04, 0x33, 0xFF);
    st = allBoxes(lr, true);
    st.box(301) = false;
    st.list401 = 0;
    st.list402 = 0;
    st.timeout = 2;
    st.aimDuration = 300;
    applyBarcodePage(st, *lr.image, *lr.comp);
    const std::pair<std::size_t, Byte> setLr[] = {{0, 0x7F},  {11, 0x7F}, {27, 0x7F}, {29, 0x03},
                                                  {30, 0xF2}, {31, 0x2C}, {28, 0xFF}};
    for (const auto& [at, v] : setLr) EXPECT_EQ(lr.b2(at), v) << at;

    // A reader type that matches no entry is applied unchanged, in its family.
    Settings odd(0x09, 0x33, 0x00);
    st = allBoxes(odd, true);
    EXPECT_EQ(st.readerIndex, -1);
    applyBarcodePage(st, *odd.image, *odd.comp);
    EXPECT_EQ(odd.image->byte(fld::ReaderType), 0x09);
    EXPECT_EQ(odd.b2(29), 0xFC);
    EXPECT_EQ(odd.b1(0), 0x33);
}

}  // namespace
}  // namespace varomil
