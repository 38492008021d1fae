#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "barcode/reader_page.h"
#include "resources/barcode_ids.h"

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
    // A choice stores the new type only.
    SettingsImage image;
    image.setByte(fld::ReaderType, 0x03);
    EXPECT_FALSE(chooseReaderType(image, 1));
    EXPECT_FALSE(chooseReaderType(image, -1));
    EXPECT_TRUE(chooseReaderType(image, 2));
    EXPECT_EQ(image.byte(fld::ReaderType), 0x06);
    EXPECT_TRUE(chooseReaderType(image, 0));
    EXPECT_EQ(image.byte(fld::ReaderType), 0x02);
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
    EXPECT_EQ(entryForMore(l2, 0), nullptr);
    // What a screen reader says for a "more..." button.
    EXPECT_EQ(moreButtonName("Code 39", "more..."), "Code 39 more...");
    EXPECT_EQ(moreButtonName("EAN13  &&  UPCA", "&more..."), "EAN13  &  UPCA more...");
    EXPECT_EQ(moreButtonName("Code &93&", ""), "Code 93& ");
}

struct Settings {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    Settings(unsigned readerType, Byte fill1D, Byte fill2D) {
        image->bytes()[fld::ReaderType.offset] = static_cast<Byte>(readerType);
        comp->reader1D.fill(fill1D);
        comp->reader2D.fill(fill2D);
    }
    Settings(const Settings& s)
        : image(std::make_unique<SettingsImage>(*s.image)),
          comp(std::make_unique<Companions>(*s.comp)) {}
    ByteSpan area(Area a) const { return areaBytes(a, *image, *comp); }
    Byte b1(std::size_t i) const { return comp->reader1D[i]; }
    Byte b2(std::size_t i) const { return comp->reader2D[i]; }
};

// The page as the kit runs it: the table in force for the reader type works on
// its own copy of the settings (what the controls show); OK commits each row
// from the copy, then runs the page's own apply.
struct Page {
    Settings& live;
    Settings shown;
    PageTable table;
    explicit Page(Settings& s)
        : live(s), shown(s), table(barcodeTables()[barcodeTableFor(*s.image)]) {}
    const ControlSpec& row(int id) const { return *table.controls.find(id); }
    ByteSpan at(int id) const { return shown.area(row(id).at.area); }
    void boxes(bool on) {
        for (const ControlSpec& c : table.controls) {
            if (c.kind == ControlKind::Check) storeCheck(c, shown.area(c.at.area), on);
        }
    }
    void select(int id, int entry) { storeSelection(row(id), at(id), entry); }
    void number(int id, unsigned v) { storeNumber(row(id), at(id), v); }
    void ok() {
        for (const ControlSpec& c : table.controls) {
            EXPECT_TRUE(c.flags & kDeferred) << c.id;
            commitRow(c, shown.area(c.at.area), live.area(c.at.area));
        }
        finishBarcodeApply(*live.image, *live.comp);
    }
    // The ids the rules of the table leave disabled.
    std::string disabled() const {
        std::map<int, bool> on;
        for (const EnableRule& r : table.enables) {
            for (int id = r.first; id <= r.last; ++id) on[id] = ruleEnables(r, at(r.when.area));
        }
        std::string ids;
        for (const auto& [id, enabled] : on) ids += enabled ? "" : std::to_string(id) + " ";
        return ids;
    }
    ByteSpan at(Area a) const { return shown.area(a); }
};

TEST(BarcodePage, RulesEnableTheSettingsOfTheFamilyAndTheBoxesOfTheReader) {
    const struct {
        unsigned readerType;
        bool ean13;
        const char* disabled;
    } cases[] = {
        {0x00, true, "202 909 910 "},  // AIM duration: the long-range laser's
        {0x01, true, "201 202 401 402 902 903 904 905 909 910 "},
        {0x01, false, "201 202 306 401 402 902 903 904 905 909 910 "},  // Bookland with EAN13
        {0x04, true, "201 313 318 322 323 324 325 326 327 401 402 513 518 902 903 904 905 "},
    };
    for (const auto& c : cases) {
        Settings s(c.readerType, 0x00, c.ean13 ? 0x08 : 0x00);
        EXPECT_EQ(Page(s).disabled(), c.disabled) << c.readerType << c.ean13;
    }
    // A click on EAN13 in the table's copy decides, not the stored bit.
    Settings s(0x01, 0x00, 0x00);
    Page page(s);
    page.boxes(true);
    EXPECT_EQ(page.disabled().find("306"), std::string::npos);
    EXPECT_EQ(s.b2(0), 0x00);
}

TEST(BarcodePage, Apply1DWritesTheBoxesAndSettingsOfThe1DBlockOnly) {
    Settings s(0x00, 0x00, 0x5A);
    Page page(s);
    page.boxes(true);
    page.select(IDC_BC_LIST_401, 8);  // "Aiming"
    page.select(IDC_BC_LIST_402, 3);
    // Seconds are corrected to 1..255 as they are typed, the 2D digit to 1..9.
    EXPECT_EQ(correctedNumber(page.row(IDC_BC_TIMEOUT), "0").text, "1");
    EXPECT_EQ(correctedNumber(page.row(IDC_BC_TIMEOUT), "3000").text, "255");
    EXPECT_EQ(correctedNumber(page.row(IDC_BC_AIM_DURATION), "0").text, "0");
    page.number(IDC_BC_TIMEOUT, 300);  // low eight bits
    EXPECT_EQ(s.b1(0), 0x00);          // nothing stored before OK
    page.ok();
    const Byte expected[23] = {0xFF, 0xFF, 0xF5, 0xC0, 0, 0, 0, 0, 0,    0,    0,   0x1C,
                               0,    0,    0,    0,    0, 0, 0, 0, 0x80, 0x2C, 0x40};
    for (std::size_t i = 0; i < 23; ++i) EXPECT_EQ(s.b1(i), expected[i]) << i;
    for (Byte b : s.comp->reader2D) EXPECT_EQ(b, 0x5A);
    EXPECT_EQ(s.image->byte(fld::Reader1DBlock, 2), 0xF5);  // stored into the image
    EXPECT_EQ(s.image->byte(fld::Reader2DBlock, 44), 0x5A);

    Settings off(0x00, 0xFF, 0x5A);
    Page cleared(off);
    cleared.boxes(false);  // lists as stored: ScanMode 15 shows none and stays
    EXPECT_EQ(storedSelection(cleared.row(IDC_BC_LIST_401), cleared.at(IDC_BC_LIST_401)), -1);
    cleared.select(IDC_BC_LIST_401, -1);
    cleared.ok();
    const Byte kept[23] = {0x00, 0x00, 0x0A, 0x3F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF,
                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xBF};
    for (std::size_t i = 0; i < 23; ++i) EXPECT_EQ(off.b1(i), kept[i]) << i;
}

TEST(BarcodePage, Ean128CodesZeroAndOneShowCheckedAndApplyWritesOneOrTwo) {
    for (Byte code : {0, 1, 2, 3}) {
        Settings s(0x00, 0x00, 0x00);
        s.comp->reader1D[22] = static_cast<Byte>(code << 6 | 0x3F);
        Page page(s);
        const ControlSpec& ean128 = page.row(325);
        EXPECT_EQ(storedCheck(ean128, page.at(325)), code < 2) << int(code);
        page.ok();
        EXPECT_EQ(s.b1(22), code < 2 ? 0x7F : 0xBF) << int(code);
        storeCheck(ean128, page.at(325), true);
        EXPECT_EQ(page.shown.b1(22), 0x7F);
    }
}

TEST(BarcodePage, Apply2DAndLongRange) {
    // 2D reader: every enable of the 2D list, LED, aimer and the time-out digit.
    Settings s(0x01, 0x33, 0x00);
    Page page(s);
    page.boxes(true);
    page.select(IDC_BC_LIST_401, 3);
    page.select(IDC_BC_LIST_402, 1);
    EXPECT_EQ(correctedNumber(page.row(IDC_BC_TIMEOUT), "12").text, "1");
    EXPECT_EQ(correctedNumber(page.row(IDC_BC_TIMEOUT), "0").text, "1");
    page.number(IDC_BC_TIMEOUT, 0x1F);  // low four bits
    page.ok();
    const std::pair<std::size_t, Byte> set2D[] = {
        {0, 0xFC},  {4, 0xE0},  {5, 0xC0},  {8, 0x80},  {11, 0x80}, {14, 0x80}, {17, 0x80},
        {20, 0x80}, {23, 0x80}, {27, 0x80}, {28, 0xE0}, {29, 0xFC}, {30, 0x7F}, {31, 0x00}};
    for (const auto& [at, v] : set2D) EXPECT_EQ(s.b2(at), v) << at;
    for (Byte b : s.comp->reader1D) EXPECT_EQ(b, 0x33);

    // Long range from a 2D block full of ones: LED and aimer stay, Code 11, Postal
    // Codes and the 2D symbologies go, even when checked.
    Settings lr(0x04, 0x33, 0xFF);
    Page longRange(lr);
    longRange.boxes(true);
    storeCheck(longRange.row(301), longRange.at(301), false);
    longRange.number(IDC_BC_TIMEOUT, 2);
    longRange.number(IDC_BC_AIM_DURATION, 300);
    longRange.ok();
    const std::pair<std::size_t, Byte> setLr[] = {{0, 0x7F},  {11, 0x7F}, {27, 0x7F}, {29, 0x03},
                                                  {30, 0xF2}, {31, 0x2C}, {28, 0xFF}};
    for (const auto& [at, v] : setLr) EXPECT_EQ(lr.b2(at), v) << at;

    // A reader type that matches no entry is applied unchanged, in its family.
    Settings odd(0x09, 0x33, 0x00);
    Page oddPage(odd);
    oddPage.boxes(true);
    oddPage.ok();
    EXPECT_EQ(odd.image->byte(fld::ReaderType), 0x09);
    EXPECT_EQ(odd.b2(29), 0xFC);
    EXPECT_EQ(odd.b1(0), 0x33);
}

}  // namespace
}  // namespace varomil
