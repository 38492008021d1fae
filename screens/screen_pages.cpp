#include "screens/screen_pages.h"

#include <algorithm>

#include "host/capture_file.h"
#include "settings/builtin_tables.h"

namespace varomil {

namespace {

constexpr unsigned kProductWithFixedLayout = 3;
constexpr std::size_t kFixedLayout = 4;

void copyField(SettingsImage& image, Field to, Field from) {
    for (std::size_t i = 0; i < to.width; ++i) image.setByte(to, image.byte(from, i), i);
}

// Moves page `from` of every per-page field (and its screen) into page `to`.
void movePage(SettingsImage& image, Companions& c, std::size_t to, std::size_t from) {
    c.capturedScreens[to] = c.capturedScreens[from];
    for (std::size_t l = 0; l < fld::kLinesPerPage; ++l) {
        copyField(image, slot::lineText(to, l), slot::lineText(from, l));
        copyField(image, slot::lineHostColumn(to, l), slot::lineHostColumn(from, l));
        copyField(image, slot::lineHostRow(to, l), slot::lineHostRow(from, l));
    }
    copyField(image, slot::pageCharacteristics(to), slot::pageCharacteristics(from));
    copyField(image, slot::pageLayout(to), slot::pageLayout(from));
}

void clearPage(SettingsImage& image, Companions& c, std::size_t p) {
    c.capturedScreens[p].fill(0);
    for (std::size_t l = 0; l < fld::kLinesPerPage; ++l) {
        image.fill(slot::lineText(p, l), 0);
        image.setByte(slot::lineHostColumn(p, l), static_cast<Byte>(kFirstHostColumn));
        image.setByte(slot::lineHostRow(p, l), 0);
    }
    image.fill(slot::pageCharacteristics(p), 0);
    image.setByte(slot::pageLayout(p), 0);
}

}  // namespace

std::size_t pagesInUse(const SettingsImage& image) {
    return std::min<std::size_t>(image.byte(fld::PageCount), fld::kPageCount);
}

LoadOutcome loadHostScreens(const std::vector<CapturedScreenBlock>& records, SettingsImage& image,
                            Companions& companions) {
    LoadOutcome out;
    if (records.empty()) return out;
    const Differentiation d = differentiateScreens(records, image.byte(fld::CharacteristicLength));
    out.tries = d.tries;
    if (!d.found) {
        out.status = LoadStatus::NotSeparable;
        return out;
    }
    out.status = LoadStatus::Loaded;
    for (CapturedScreenBlock& screen : companions.capturedScreens) screen.fill(0);
    image.setRaw(fld::CharacteristicColumns, d.columns.data(), d.columns.size());
    image.setRaw(fld::CharacteristicRows, d.rows.data(), d.rows.size());
    for (std::size_t j = 0; j < records.size() && !out.bufferFull; ++j) {
        if (d.duplicate[j]) continue;
        const std::size_t p = out.pages++;
        companions.capturedScreens[p] = records[j];
        image.setRaw(slot::pageCharacteristics(p), d.keys[j].data(), d.keys[j].size());
        out.bufferFull = out.pages == fld::kPageCount;
    }
    image.setByte(fld::PageCount, static_cast<Byte>(out.pages));
    image.setByte(fld::ScreensPresent, 1);
    return out;
}

bool deleteCurrentPage(SettingsImage& image, Companions& companions, std::size_t& currentPage) {
    const std::size_t count = pagesInUse(image);
    if (currentPage >= count) return false;
    for (std::size_t p = currentPage; p + 1 < count; ++p) movePage(image, companions, p, p + 1);
    clearPage(image, companions, count - 1);
    if (currentPage > 0) --currentPage;
    image.setByte(fld::PageCount, static_cast<Byte>(count - 1));
    image.setByte(fld::ScreensPresent, static_cast<Byte>(count - 1));
    return true;
}

bool layoutFixedByProduct(const SettingsImage& image) {
    return image.byte(fld::ProductIndex) == kProductWithFixedLayout;
}

PageGeometry pageGeometry(const SettingsImage& image, std::size_t page) {
    PageGeometry g;
    g.fontSize = image.byte(fld::FontSize) < 2 ? image.byte(fld::FontSize) : 0;
    g.layoutIndex = layoutFixedByProduct(image) ? kFixedLayout : image.byte(slot::pageLayout(page));
    const Layout* layout = layoutFor(static_cast<unsigned>(g.layoutIndex), g.fontSize);
    if (!layout) {
        g.layoutIndex = 0;
        layout = layoutFor(0, g.fontSize);
    }
    g.columns = static_cast<std::size_t>(layout->columns);
    g.lines = std::min<std::size_t>(static_cast<std::size_t>(layout->lines), fld::kLinesPerPage);
    return g;
}

void loadShownLines(const SettingsImage& image, std::size_t page, const PageGeometry& g,
                    std::size_t firstLine, ByteSpan shownLines) {
    if (shownLines.size < shown::kSize) return;
    for (std::size_t k = 0; k < kShownLines; ++k) {
        const std::size_t line = firstLine + k;
        const Field text = slot::lineText(page, line);
        std::copy_n(image.bytes().data() + text.offset, text.width,
                    shownLines.data + shown::text(k).offset);
        shownLines.data[shown::hostRow(k).offset] = image.byte(slot::lineHostRow(page, line));
        shownLines.data[shown::hostColumn(k).offset] = image.byte(slot::lineHostColumn(page, line));
        shownLines.data[shown::inUse(k).offset] = line < g.lines ? 1 : 0;
    }
}

void storeShownLines(ByteSpan shownLines, std::size_t page, std::size_t firstLine,
                     SettingsImage& image) {
    if (shownLines.size < shown::kSize) return;
    for (std::size_t k = 0; k < kShownLines; ++k) {
        const std::size_t line = firstLine + k;
        const Field text = slot::lineText(page, line);
        std::copy_n(shownLines.data + shown::text(k).offset, text.width,
                    image.bytes().data() + text.offset);
        image.setByte(slot::lineHostRow(page, line), shownLines.data[shown::hostRow(k).offset]);
        image.setByte(slot::lineHostColumn(page, line),
                      shownLines.data[shown::hostColumn(k).offset]);
    }
}

void tidyLineTexts(SettingsImage& image) {
    for (std::size_t p = 0; p < fld::kPageCount; ++p) {
        for (std::size_t l = 0; l < fld::kLinesPerPage; ++l) {
            zeroFillTextSlot(image, slot::lineText(p, l));
        }
    }
}

std::string previewText(const CapturedScreenBlock& block) {
    std::string text;
    text.reserve(kPreviewRows * kPreviewLineLength);
    for (std::size_t r = 0; r < kPreviewRows; ++r) {
        for (std::size_t c = 0; c < static_cast<std::size_t>(kScreenColumns); ++c) {
            const Byte cell = block[kCapturedScreenTextOffset + r * kScreenColumns + c];
            text += cell < ' ' ? ' ' : static_cast<char>(cell);
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace varomil
