// Feeds arbitrary bytes to the host-screen reader and loads the records into pages,
// then deletes a page. The first byte is the stored cell count; the second picks
// the form of the rest: a raw *.SCR file, or compact screen edits (row, column,
// character; a row byte of 240 or more starts the next screen as a copy of the
// last), which reach many screens that differ in few cells with short inputs.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "screens/screen_file.h"
#include "screens/screen_pages.h"
#include "settings/factory_defaults.h"

using namespace varomil;

namespace {

std::vector<CapturedScreenBlock> compactScreens(const std::uint8_t* data, std::size_t size) {
    std::vector<CapturedScreenBlock> out(1);
    out[0].fill(' ');
    for (std::size_t i = 0; i + 3 <= size && out.size() <= kLoadBufferRecords; i += 3) {
        if (data[i] >= 240) {
            out.push_back(out.back());
            continue;
        }
        out.back()[kCapturedScreenTextOffset + (data[i] % 25) * 80 + data[i + 1] % 80] =
            data[i + 2];
    }
    if (out.size() > kLoadBufferRecords) out.resize(kLoadBufferRecords);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    auto image = std::make_unique<SettingsImage>();
    auto comp = std::make_unique<Companions>();
    applyFactoryDefaults(*image, *comp, 1 + data[1] % 3);
    image->setByte(fld::CharacteristicLength, data[0]);
    image->setByte(fld::PageCount, data[1]);
    const std::vector<CapturedScreenBlock> records =
        data[1] & 1 ? readScreenRecords(data + 2, size - 2) : compactScreens(data + 2, size - 2);
    if (records.size() > kLoadBufferRecords) std::abort();

    const LoadOutcome out = loadHostScreens(records, *image, *comp);
    if (out.status == LoadStatus::Loaded) {
        const std::size_t pages = image->byte(fld::PageCount);
        if (pages == 0 || pages > 50 || pages != out.pages) std::abort();
        const std::size_t n = std::min<std::size_t>(data[0], 20);
        for (std::size_t p = 0; p < pages; ++p) {
            // Each page's characters are its screen's at the stored cells, and no
            // two pages share them.
            for (std::size_t k = 0; k < n; ++k) {
                const std::size_t cell = image->byte(fld::CharacteristicRows, k) * 80u +
                                         image->byte(fld::CharacteristicColumns, k);
                if (cell >= 24 * 80) std::abort();
                if (image->byte(slot::pageCharacteristics(p), k) !=
                    comp->capturedScreens[p][kCapturedScreenTextOffset + cell]) {
                    std::abort();
                }
            }
            for (std::size_t q = 0; q < p; ++q) {
                bool same = true;
                for (std::size_t k = 0; k < 20; ++k) {
                    same = same && image->byte(slot::pageCharacteristics(p), k) ==
                                       image->byte(slot::pageCharacteristics(q), k);
                }
                if (same) std::abort();
            }
        }
    }
    std::size_t current = size % 64;
    deleteCurrentPage(*image, *comp, current);
    const PageGeometry g = pageGeometry(*image, current);
    if (g.columns == 0 || g.lines == 0 || g.lines > 24) std::abort();
    tidyLineTexts(*image);
    if (previewText(comp->capturedScreens[current % 50]).size() != 23 * 82) std::abort();
    return 0;
}
