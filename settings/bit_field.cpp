#include "settings/bit_field.h"

namespace varomil {

namespace {
bool inside(ByteSpan bytes, BitField f) {
    return bytes.data != nullptr && f.field.offset < bytes.size;
}
}  // namespace

ByteSpan areaBytes(Area area, SettingsImage& image, Companions& companions) {
    switch (area) {
        case Area::Image:
            return {image.bytes().data(), image.bytes().size()};
        case Area::Reader1D:
            return {companions.reader1D.data(), companions.reader1D.size()};
        case Area::Reader2D:
            return {companions.reader2D.data(), companions.reader2D.size()};
        case Area::Buffer:
            break;
    }
    return {};
}

unsigned readBits(ByteSpan bytes, BitField f) {
    if (!inside(bytes, f)) return 0;
    return (static_cast<unsigned>(bytes.data[f.field.offset]) >> f.shift) & f.mask();
}

void writeBits(ByteSpan bytes, BitField f, unsigned value) {
    if (!inside(bytes, f)) return;
    const unsigned mask = f.mask() << f.shift;
    Byte& b = bytes.data[f.field.offset];
    b = static_cast<Byte>((b & ~mask) | ((value << f.shift) & mask));
}

}  // namespace varomil
