// The Barcode page's own rules without windows: the reader type and its list
// index, which family and block are in force, what the page shows for the
// working blocks, and what applying the page writes.
#pragma once

#include <array>

#include "barcode/symbology_lists.h"
#include "settings/settings_image.h"

namespace varomil {

enum class ReaderKind : std::uint8_t {
    Laser1D,    // "1D Laser/CCD Reader": the 1D block and list
    Reader2D,   // "2D Reader": the 2D block and list
    LongRange,  // "1D Long Range Laser": the 2D block without the 2D-only symbologies
};

// The reader in force for a stored ReaderType. Bit 2 (long range) wins over bit 0
// when a file sets both.
ReaderKind readerKind(unsigned readerType);
inline bool uses2DBlock(ReaderKind k) {
    return k != ReaderKind::Laser1D;
}
SymbologyList symbologyList(ReaderKind k);

// Index in the reader-type list (0 1D, 1 2D, 2 long range), or -1 when the stored
// bits match none of the three (the list then shows no selection).
int readerTypeIndex(unsigned readerType);
// ReaderType after choosing list entry `index`: bits 1 and 4-7 kept, bit 3
// cleared. An index outside the list keeps the stored value whole.
unsigned readerTypeForIndex(unsigned readerType, int index);

// What the page's controls hold: filled from the settings, changed by the user,
// written back by applyBarcodePage.
struct BarcodePageState {
    int readerIndex = -1;
    std::array<bool, kSymbologyBoxCount> checked{};  // boxes 301..327
    int list401 = -1;                                // scan mode, or LED illumination; -1: none
    int list402 = -1;                                // read redundancy, or aimer pattern; -1: none
    unsigned timeout = 0;                            // edit 201
    unsigned aimDuration = 0;                        // edit 202
    bool& box(int checkId) {
        return checked[static_cast<std::size_t>(checkId - kFirstSymbologyCheck)];
    }
    bool box(int checkId) const {
        return checked[static_cast<std::size_t>(checkId - kFirstSymbologyCheck)];
    }
};

// Whether a list entry shows checked for its working block.
bool enableShown(const SymbologyEntry& e, ByteSpan block);

// The page's controls for the reader type stored in the image.
BarcodePageState barcodePageState(const SettingsImage& image, const Companions& c);

// Applying the page: the reader type, then the reader settings and enable bits of
// the family in force only (the other block keeps its values), then both working
// blocks into the image.
void applyBarcodePage(const BarcodePageState& s, SettingsImage& image, Companions& c);

}  // namespace varomil
