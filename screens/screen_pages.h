// The pages of the Screen page without a window: loading captured host screens
// into pages, deleting a page, and the rules of a page's terminal lines.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "pages/field_rules.h"
#include "screens/differentiation.h"
#include "settings/bit_field.h"
#include "settings/settings_image.h"

namespace varomil {

// The pages in use: the stored count, never more than the 50 slots.
std::size_t pagesInUse(const SettingsImage& image);

enum class LoadStatus {
    NoRecords,     // the file holds no whole record: nothing changes
    NotSeparable,  // no try tells the screens apart: nothing changes
    Loaded,
};
struct LoadOutcome {
    LoadStatus status = LoadStatus::NoRecords;
    std::size_t pages = 0;
    bool bufferFull = false;  // 50 pages were filled; the rest of the file is ignored
    int tries = 0;
};

// Turns the records of a host-screen file into pages. Only a load that accepts a
// record touches the settings: then the 50 screen slots are cleared and refilled,
// and the characteristic cells, the pages' characters, `PageCount` and
// `ScreensPresent` are stored. The pages' reformat definitions stay with the page
// numbers.
LoadOutcome loadHostScreens(const std::vector<CapturedScreenBlock>& records, SettingsImage& image,
                            Companions& companions);

// Removes the current page: later pages move down one, the freed last slot gets
// the factory values, the current page steps back unless it is the first. False
// (nothing changed) without pages or with a current page that is not in use.
bool deleteCurrentPage(SettingsImage& image, Companions& companions, std::size_t& currentPage);

// What a page's layout gives: its index in the layout list and its size. A
// product 3 terminal always has layout 4; a stored layout or font size outside
// the tables is shown and measured as 0 (the byte stays until the user changes it).
struct PageGeometry {
    std::size_t layoutIndex = 0;
    std::size_t fontSize = 0;
    std::size_t columns = 0;
    std::size_t lines = 0;
};
PageGeometry pageGeometry(const SettingsImage& image, std::size_t page);
// True for the product whose pages all have the one layout (the list is then fixed).
bool layoutFixedByProduct(const SettingsImage& image);

// A fixed text holds one character less than the line, so that a field shows
// exactly what is stored.
inline std::size_t lineTextLimit(const PageGeometry& g) {
    return g.columns - 1;
}

// The eight terminal lines on display, as the working bytes the page's controls
// edit: each line's text, host row (0 "nil", 1..24) and host column (1..80), and
// whether the page's layout uses the line.
constexpr std::size_t kShownLines = 8;
constexpr std::size_t kFirstHostColumn = 1;
constexpr std::size_t kLastHostColumn = 80;
constexpr std::size_t kHostColumnChars = 2;
namespace shown {
constexpr Field text(std::size_t k) {
    return {fld::kLineTextWidth * k, fld::kLineTextWidth};
}
constexpr Field hostRow(std::size_t k) {
    return {fld::kLineTextWidth * kShownLines + k, 1};
}
constexpr Field hostColumn(std::size_t k) {
    return {(fld::kLineTextWidth + 1) * kShownLines + k, 1};
}
constexpr Field inUse(std::size_t k) {
    return {(fld::kLineTextWidth + 2) * kShownLines + k, 1};
}
constexpr std::size_t kSize = (fld::kLineTextWidth + 3) * kShownLines;
}  // namespace shown

// Lines firstLine.. of a page into the working bytes (`kSize` of them), and back.
void loadShownLines(const SettingsImage& image, std::size_t page, const PageGeometry& g,
                    std::size_t firstLine, ByteSpan shownLines);
void storeShownLines(ByteSpan shownLines, std::size_t page, std::size_t firstLine,
                     SettingsImage& image);

// On apply: every line text slot of every page is zero-filled behind its text.
void tidyLineTexts(SettingsImage& image);

// The preview of a captured screen: rows 0..22 of 80 characters, each followed by
// CR LF; a cell below 32 shows as a blank.
constexpr std::size_t kPreviewRows = 23;
constexpr std::size_t kPreviewLineLength = 82;
std::string previewText(const CapturedScreenBlock& block);

}  // namespace varomil
