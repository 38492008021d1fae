#include "barcode/reader_page.h"

#include "settings/reader_bits.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

constexpr unsigned kBit2D = 0x01;
constexpr unsigned kBitLongRange = 0x04;
constexpr unsigned kTypeBits = 0x0D;  // bits 0, 2 and 3, which a choice replaces
constexpr unsigned kCodes[] = {0, kBit2D, kBitLongRange};

ByteSpan blockOf(ReaderKind k, Companions& c) {
    return uses2DBlock(k) ? ByteSpan{c.reader2D.data(), c.reader2D.size()}
                          : ByteSpan{c.reader1D.data(), c.reader1D.size()};
}

ByteSpan imageSpan(SettingsImage& image) {
    return {image.bytes().data(), image.bytes().size()};
}

int selection(const BitField& f, ByteSpan block, std::size_t items) {
    const unsigned v = readBits(block, f);
    return v < items ? static_cast<int>(v) : -1;
}

// A list with no valid selection keeps the stored bits.
void storeSelected(const BitField& f, ByteSpan block, int sel, std::size_t items) {
    if (sel >= 0 && static_cast<std::size_t>(sel) < items) {
        writeBits(block, f, static_cast<unsigned>(sel));
    }
}

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

bool enableShown(const SymbologyEntry& e, ByteSpan block) {
    const unsigned v = readBits(block, e.enable);
    return e.kind == EnableKind::Ean128 ? v < 2 : v != 0;
}

BarcodePageState barcodePageState(const SettingsImage& image, const Companions& c) {
    Companions& comp = const_cast<Companions&>(c);  // read only below
    const unsigned type = image.byte(fld::ReaderType);
    const ReaderKind kind = readerKind(type);
    const ByteSpan block = blockOf(kind, comp);
    BarcodePageState s;
    s.readerIndex = readerTypeIndex(type);
    for (const SymbologyEntry& e : symbologyList(kind)) s.box(e.checkId) = enableShown(e, block);
    if (uses2DBlock(kind)) {
        s.list401 = selection(rb::LedIllumination, block, lists::kLedIllumination.size());
        s.list402 = selection(rb::AimerPattern, block, lists::kAimerPattern.size());
        s.timeout = readBits(block, rb::Timeout2D);
    } else {
        s.list401 = selection(rb::ScanMode, block, lists::kScanMode.size());
        s.list402 = selection(rb::ReadRedundancy, block, lists::kReadRedundancy.size());
        s.timeout = readBits(block, rb::ScanTimeout);
    }
    s.aimDuration = c.reader2D[rb::AimDuration.field.offset];
    return s;
}

void applyBarcodePage(const BarcodePageState& s, SettingsImage& image, Companions& c) {
    const ByteSpan img = imageSpan(image);
    writeBits(img, rb::ReaderType,
              readerTypeForIndex(readBits(img, rb::ReaderType), s.readerIndex));
    const ReaderKind kind = readerKind(readBits(img, rb::ReaderType));
    const ByteSpan block = blockOf(kind, c);
    for (const SymbologyEntry& e : symbologyList(kind)) {
        if (kind == ReaderKind::LongRange && e.longRangeOff) continue;
        const bool on = s.box(e.checkId);
        writeBits(block, e.enable, e.kind == EnableKind::Ean128 ? (on ? 1 : 2) : (on ? 1 : 0));
    }
    switch (kind) {
        case ReaderKind::Reader2D:
            storeSelected(rb::LedIllumination, block, s.list401, lists::kLedIllumination.size());
            storeSelected(rb::AimerPattern, block, s.list402, lists::kAimerPattern.size());
            writeBits(block, rb::Timeout2D, s.timeout);
            break;
        case ReaderKind::LongRange:
            // LED and aimer keep what the 2D reader stored.
            writeBits(block, rb::Timeout2D, s.timeout);
            writeBits(block, rb::AimDuration, s.aimDuration);
            writeBits(block, rb::D2EnableCode11, 0);
            writeBits(block, rb::D2EnablePostal, 0);
            writeBits(block, rb::D2TwoDimensionalEnables, 0);
            break;
        case ReaderKind::Laser1D:
            storeSelected(rb::ScanMode, block, s.list401, lists::kScanMode.size());
            storeSelected(rb::ReadRedundancy, block, s.list402, lists::kReadRedundancy.size());
            writeBits(block, rb::ScanTimeout, s.timeout);
            break;
    }
    storeReaderBlocks(image, c);
}

}  // namespace varomil
