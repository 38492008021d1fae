// Deleting pages, the geometry of a page's lines and the rules of its fields.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>

#include "screens/screen_pages.h"
#include "settings/factory_defaults.h"

namespace varomil {
namespace {

struct Rig {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    explicit Rig(int product = 2) { applyFactoryDefaults(*image, *comp, product); }
};

// Gives page p contents that name it in every per-page field.
void markPage(Rig& rig, std::size_t p) {
    const Byte mark = static_cast<Byte>('a' + p);
    rig.comp->capturedScreens[p].fill(mark);
    for (std::size_t l = 0; l < 24; ++l) {
        rig.image->setText(slot::lineText(p, l), std::string(1 + l, static_cast<char>(mark)));
        rig.image->setByte(slot::lineHostRow(p, l), static_cast<Byte>(p + 1));
        rig.image->setByte(slot::lineHostColumn(p, l), static_cast<Byte>(p + 2));
    }
    rig.image->fill(slot::pageCharacteristics(p), mark);
    rig.image->setByte(slot::pageLayout(p), static_cast<Byte>(p % 5));
}

// The page's fields as one comparable text.
std::string pageOf(const Rig& rig, std::size_t p) {
    const auto& b = rig.image->bytes();
    std::string s(rig.comp->capturedScreens[p].begin(), rig.comp->capturedScreens[p].end());
    for (Field f : {slot::pageCharacteristics(p), slot::pageLayout(p)}) {
        s.append(b.begin() + f.offset, b.begin() + f.end());
    }
    for (std::size_t l = 0; l < 24; ++l) {
        s.append(b.begin() + slot::lineText(p, l).offset, b.begin() + slot::lineText(p, l).end());
        s += static_cast<char>(rig.image->byte(slot::lineHostRow(p, l)));
        s += static_cast<char>(rig.image->byte(slot::lineHostColumn(p, l)));
    }
    return s;
}

TEST(ScreensPages, DeleteMovesLaterPagesDownAndClearsTheLastSlot) {
    Rig fresh;
    const std::string cleared = pageOf(fresh, 0);
    const struct {
        std::size_t current;
        std::size_t currentAfter;
    } cases[] = {{0, 0}, {1, 0}, {2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        Rig rig;
        for (std::size_t p = 0; p < 4; ++p) markPage(rig, p);
        rig.image->setByte(fld::PageCount, 3);
        std::string was[4];  // the page that slides into each slot
        for (std::size_t p = 0; p < 4; ++p) was[p] = pageOf(rig, p);
        std::size_t current = c.current;
        ASSERT_TRUE(deleteCurrentPage(*rig.image, *rig.comp, current));
        EXPECT_EQ(current, c.currentAfter);
        EXPECT_EQ(rig.image->byte(fld::PageCount), 2);
        EXPECT_EQ(rig.image->byte(fld::ScreensPresent), 2);
        for (std::size_t p = 0; p < 2; ++p) {
            EXPECT_EQ(pageOf(rig, p), was[p < c.current ? p : p + 1]) << p;
        }
        EXPECT_EQ(pageOf(rig, 2), cleared);
        EXPECT_EQ(pageOf(rig, 3), was[3]);  // beyond the pages in use
    }
}

TEST(ScreensPages, DeleteNeedsACurrentPageInUse) {
    Rig rig;
    markPage(rig, 49);
    const struct {
        Byte count;
        std::size_t current;
        bool deletes;
        Byte countAfter;
    } cases[] = {{0, 0, false, 0}, {2, 2, false, 2}, {255, 49, true, 49}, {255, 50, false, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        rig.image->setByte(fld::PageCount, c.count);
        std::size_t current = c.current;
        EXPECT_EQ(deleteCurrentPage(*rig.image, *rig.comp, current), c.deletes);
        EXPECT_EQ(rig.image->byte(fld::PageCount), c.countAfter);
    }
    EXPECT_EQ(rig.comp->capturedScreens[49], CapturedScreenBlock{});
    EXPECT_EQ(pagesInUse(*rig.image), 50u);
}

TEST(ScreensPages, GeometryFollowsLayoutFontAndProduct) {
    const struct {
        int product;
        Byte font, layout;
        std::size_t index, columns, lines;
    } cases[] = {
        {2, 0, 0, 0, 20, 8}, {2, 0, 2, 2, 20, 24}, {2, 1, 0, 0, 15, 4},
        {2, 1, 4, 4, 30, 8}, {3, 0, 0, 4, 40, 16}, {3, 1, 2, 4, 30, 8},
        {2, 0, 9, 0, 20, 8}, {2, 7, 3, 3, 40, 8},  {2, 9, 9, 0, 20, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.product << " " << int(c.font) << " " << int(c.layout));
        Rig rig(c.product);
        rig.image->setByte(fld::FontSize, c.font);
        rig.image->setByte(slot::pageLayout(5), c.layout);
        const PageGeometry g = pageGeometry(*rig.image, 5);
        EXPECT_EQ(std::make_tuple(g.layoutIndex, g.columns, g.lines, lineTextLimit(g)),
                  std::make_tuple(c.index, c.columns, c.lines, c.columns - 1));
        EXPECT_EQ(rig.image->byte(slot::pageLayout(5)), c.layout);  // shown as 0, kept
    }
}

TEST(ScreensPages, ShownLinesComeFromTheirPageAndGoBackOnlyThere) {
    Rig rig;
    SettingsImage& image = *rig.image;
    image.setText(slot::lineText(3, 9), "nine");
    image.setByte(slot::lineHostRow(3, 9), 24);
    image.setByte(slot::lineHostColumn(3, 9), 80);
    PageGeometry g;
    g.lines = 12;
    std::array<Byte, shown::kSize> lines{};
    const ByteSpan span{lines.data(), lines.size()};
    loadShownLines(image, 3, g, 8, span);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(lines.data() + shown::text(1).offset)),
              "nine");
    // Line 12 of 12 is in use, line 13 not.
    EXPECT_EQ(std::make_tuple(lines[shown::hostRow(1).offset], lines[shown::hostColumn(1).offset],
                              lines[shown::inUse(3).offset], lines[shown::inUse(4).offset]),
              std::make_tuple(24, 80, 1, 0));
    const SettingsImage before = image;
    lines[shown::hostColumn(7).offset] = 45;  // line 16
    storeShownLines(span, 3, 8, image);
    EXPECT_EQ(image.byte(slot::lineHostColumn(3, 15)), 45);
    image.setByte(slot::lineHostColumn(3, 15), before.byte(slot::lineHostColumn(3, 15)));
    EXPECT_EQ(image.bytes(), before.bytes());
}

TEST(ScreensPages, ApplyZeroFillsEveryLineBehindItsText) {
    Rig rig;
    const Field tail = slot::lineText(49, 23), full = slot::lineText(0, 0);
    rig.image->fill(tail, 'x');
    rig.image->setText(tail, "AB");
    rig.image->fill(full, 'y');  // no NUL: left alone
    tidyLineTexts(*rig.image);
    EXPECT_EQ(std::string(rig.image->bytes().begin() + tail.offset,
                          rig.image->bytes().begin() + tail.end()),
              "AB" + std::string(39, '\0'));
    EXPECT_EQ(rig.image->text(full), std::string(41, 'y'));
}

}  // namespace
}  // namespace varomil
