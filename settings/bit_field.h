// Where a setting lives and which of its bits it owns: a byte or a bit field of
// the settings image, of one of the two working reader blocks, or of a buffer a
// dialog keeps until OK. Pages, dialogs and the summary tree name each setting
// through one such constant, so that a bit is written down once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/settings_image.h"

namespace varomil {

enum class Area : std::uint8_t {
    Image,     // the settings image
    Reader1D,  // the 1D working reader block (23 bytes)
    Reader2D,  // the 2D working reader block (45 bytes)
    Buffer,    // bytes the editing dialog owns
};

struct BitField {
    Area area = Area::Image;
    Field field{0, 0};       // offset and width within the area
    std::uint8_t shift = 0;  // lowest bit of the value in the field's first byte
    std::uint8_t count = 0;  // bits of the value; 0: the whole first byte

    constexpr unsigned mask() const { return count == 0 ? 0xFFu : (1u << count) - 1u; }
};

constexpr BitField inImage(Field f) {
    return {Area::Image, f, 0, 0};
}
constexpr BitField imageBits(Field f, std::uint8_t shift, std::uint8_t count) {
    return {Area::Image, {f.offset, 1}, shift, count};
}
// Byte `byte` of a working reader block, bits shift..shift+count-1.
constexpr BitField reader1D(std::size_t byte, std::uint8_t shift = 0, std::uint8_t count = 0) {
    return {Area::Reader1D, {byte, 1}, shift, count};
}
constexpr BitField reader2D(std::size_t byte, std::uint8_t shift = 0, std::uint8_t count = 0) {
    return {Area::Reader2D, {byte, 1}, shift, count};
}

// A run of bytes that a BitField's offsets address.
struct ByteSpan {
    Byte* data = nullptr;
    std::size_t size = 0;
};

// The bytes of an area of the process's settings (the image or a working block);
// Buffer has no process-wide bytes and gives an empty span.
ByteSpan areaBytes(Area area, SettingsImage& image, Companions& companions);

// The value of the field, or 0 when the field lies outside the bytes.
unsigned readBits(ByteSpan bytes, BitField f);
// Stores value & mask into the field and leaves every other bit alone; a field
// outside the bytes is not written.
void writeBits(ByteSpan bytes, BitField f, unsigned value);

}  // namespace varomil
