#include "barcode/reader_page.h"

#include "settings/reader_bits.h"

namespace varomil {

namespace {

constexpr unsigned kBit2D = 0x01;
constexpr unsigned kBitLongRange = 0x04;
constexpr unsigned kTypeBits = 0x0D;  // bits 0, 2 and 3, which a choice replaces
constexpr unsigned kCodes[] = {0, kBit2D, kBitLongRange};

}  // namespace

ReaderKind readerKind(unsigned readerType) {
    if (readerType & kBitLongRange) return ReaderKind::LongRange;
    if (readerType & kBit2D) return ReaderKind::Reader2D;
    return ReaderKind::Laser1D;
}

SymbologyList symbologyList(ReaderKind k) {
    return uses2DBlock(k) ? symbologyList2D() : symbologyList1D();
}

int readerTypeIndex(unsigned readerType) {
    const unsigned code = readerType & kTypeBits;
    for (int i = 0; i < 3; ++i) {
        if (kCodes[i] == code) return i;
    }
    return -1;
}

unsigned readerTypeForIndex(unsigned readerType, int index) {
    if (index < 0 || index > 2) return readerType & 0xFF;
    return ((readerType & 0xF2) | kCodes[index]) & 0xFF;
}

std::size_t barcodeTableFor(const SettingsImage& image) {
    return uses2DBlock(readerKind(image.byte(fld::ReaderType))) ? 1 : 0;
}

bool chooseReaderType(SettingsImage& image, int index) {
    const unsigned stored = image.byte(fld::ReaderType);
    if (index < 0 || index == readerTypeIndex(stored)) return false;
    image.setByte(fld::ReaderType, static_cast<Byte>(readerTypeForIndex(stored, index)));
    return true;
}

void finishBarcodeApply(SettingsImage& image, Companions& c) {
    if (readerKind(image.byte(fld::ReaderType)) == ReaderKind::LongRange) {
        const ByteSpan block{c.reader2D.data(), c.reader2D.size()};
        writeBits(block, rb::D2EnableCode11, 0);
        writeBits(block, rb::D2EnablePostal, 0);
        writeBits(block, rb::D2TwoDimensionalEnables, 0);
    }
    storeReaderBlocks(image, c);
}

}  // namespace varomil
