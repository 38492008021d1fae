#include "settings/settings_image.h"

#include <algorithm>
#include <cstring>

namespace varomil {

std::uint16_t SettingsImage::u16le(Field f) const {
    return static_cast<std::uint16_t>(byte(f, 0) | (byte(f, 1) << 8));
}

void SettingsImage::setU16le(Field f, std::uint16_t v) {
    setByte(f, static_cast<Byte>(v & 0xFF), 0);
    setByte(f, static_cast<Byte>(v >> 8), 1);
}

std::uint16_t SettingsImage::u16be(Field f) const {
    return static_cast<std::uint16_t>((byte(f, 0) << 8) | byte(f, 1));
}

void SettingsImage::setU16be(Field f, std::uint16_t v) {
    setByte(f, static_cast<Byte>(v >> 8), 0);
    setByte(f, static_cast<Byte>(v & 0xFF), 1);
}

std::string SettingsImage::text(Field f) const {
    const Byte* start = bytes_.data() + f.offset;
    const Byte* stop = std::find(start, start + f.width, Byte{0});
    return std::string(start, stop);
}

void SettingsImage::setText(Field f, std::string_view s) {
    if (f.width == 0) return;
    const std::size_t n = std::min(s.size(), f.width - 1);
    std::memcpy(bytes_.data() + f.offset, s.data(), n);
    bytes_[f.offset + n] = 0;
}

void SettingsImage::tidyText(Field f) {
    if (f.width == 0) return;
    Byte* start = bytes_.data() + f.offset;
    std::fill(std::find(start, start + f.width, Byte{0}), start + f.width, Byte{0});
    start[f.width - 1] = 0;
}

void SettingsImage::setCodes(Field f, std::string_view s) {
    const std::size_t n = std::min(s.size(), f.width);
    std::memcpy(bytes_.data() + f.offset, s.data(), n);
    if (n < f.width) bytes_[f.offset + n] = 0;
}

void SettingsImage::setRaw(Field f, const Byte* data, std::size_t n) {
    std::memcpy(bytes_.data() + f.offset, data, std::min(n, f.width));
}

void SettingsImage::fill(Field f, Byte v) {
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(f.offset), f.width, v);
}

KeyCode FunctionKeyTable::entry(unsigned modifier, unsigned hostKey) const {
    if (!valid(modifier, hostKey)) return KeyCode{};
    return table_[modifier * kHostKeyCount + hostKey];
}

void FunctionKeyTable::setEntry(unsigned modifier, unsigned hostKey, const KeyCode& code) {
    if (valid(modifier, hostKey)) table_[modifier * kHostKeyCount + hostKey] = code;
}

SettingsImage& settingsImage() {
    static SettingsImage image;
    return image;
}

Companions& companions() {
    static Companions c;
    return c;
}

void storeReaderBlocks(SettingsImage& image, const Companions& c) {
    image.setRaw(fld::Reader1DBlock, c.reader1D.data(), c.reader1D.size());
    image.setRaw(fld::Reader2DBlock, c.reader2D.data(), c.reader2D.size());
}

void loadReaderBlocks(const SettingsImage& image, Companions& c) {
    std::memcpy(c.reader1D.data(), image.bytes().data() + fld::Reader1DBlock.offset,
                c.reader1D.size());
    std::memcpy(c.reader2D.data(), image.bytes().data() + fld::Reader2DBlock.offset,
                c.reader2D.size());
}

void rebuildFunctionKeyTable(const SettingsImage& image, FunctionKeyTable& table) {
    for (std::size_t n = 0; n < fld::kKeyRecordCount; ++n) {
        const Field rec = slot::binding(n);
        const Field seq = slot::sequence(n);
        const unsigned modifier = image.byte(rec, 0);
        const unsigned hostKey = image.byte(rec, 1);
        // Roles (201..205) and "User defined" (20) have no standard code entry.
        if (!FunctionKeyTable::valid(modifier, hostKey) || image.byte(seq, 0) == 0) continue;
        KeyCode code{};
        for (std::size_t i = 0; i < kKeyCodeWidth; ++i) code[i] = image.byte(seq, i);
        table.setEntry(modifier, hostKey, code);
    }
}

}  // namespace varomil
