// The Barcode page's own rules without windows: the reader type and its list
// index, which family, block and table are in force, and what applying the
// page adds to what its table stores.
#pragma once

#include <cstddef>

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

// The page's table in force (barcodeTables()) for the stored reader type.
std::size_t barcodeTableFor(const SettingsImage& image);

// Choosing reader-type entry `index` stores the new type; false when it is the
// type in force already (or no entry).
bool chooseReaderType(SettingsImage& image, int index);

// Applying the page, after the table in force stored its values into its
// family's working block (the other block keeps its values): the long-range
// laser has none of Code 11, Postal Codes and the 2D codes; then both working
// blocks go into the image.
void finishBarcodeApply(SettingsImage& image, Companions& c);

}  // namespace varomil
