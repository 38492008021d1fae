// The process-wide settings image and its companion areas, with bounded typed
// access. The image comes from files written by anyone, so every reader stops at
// its slot's width and never trusts a NUL to be present.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "settings/image_layout.h"

namespace varomil {

using Byte = std::uint8_t;

class SettingsImage {
  public:
    using Bytes = std::array<Byte, kSettingsImageSize>;

    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }
    void clear() { bytes_.fill(0); }

    Byte byte(Field f, std::size_t i = 0) const { return i < f.width ? bytes_[f.offset + i] : 0; }
    void setByte(Field f, Byte v, std::size_t i = 0) {
        if (i < f.width) bytes_[f.offset + i] = v;
    }
    bool flag(Field f) const { return byte(f) != 0; }
    void setFlag(Field f, bool on) { setByte(f, on ? 1 : 0); }

    // Two-byte numbers: little-endian everywhere except the RFID settings.
    std::uint16_t u16le(Field f) const;
    void setU16le(Field f, std::uint16_t v);
    std::uint16_t u16be(Field f) const;
    void setU16be(Field f, std::uint16_t v);

    // Text slot: the characters up to the first NUL or the end of the slot.
    std::string text(Field f) const;
    // Writes at most width - 1 characters and always a NUL; bytes behind the NUL
    // keep whatever they held (as the terminal firmware expects).
    void setText(Field f, std::string_view s);
    // Tidies a text slot for the terminal: every byte after the text is 0, and so
    // is the last byte, even when a foreign file's text filled the slot.
    void tidyText(Field f);
    // Key-code or raw byte field: up to the first NUL, or the whole slot when full.
    std::string codes(Field f) const { return text(f); }
    // Writes at most width bytes; a NUL follows when there is room.
    void setCodes(Field f, std::string_view s);
    // Copies raw bytes into the start of the field (at most its width).
    void setRaw(Field f, const Byte* data, std::size_t n);
    void fill(Field f, Byte v);

  private:
    Bytes bytes_{};
};

// Working copies of the two reader parameter blocks, the captured host screens and
// the standard key-code table: they live beside the image for the whole run.
constexpr std::size_t kReader1DSize = 23;
constexpr std::size_t kReader2DSize = 45;
constexpr std::size_t kCapturedScreenCount = 50;
constexpr std::size_t kCapturedScreenSize = 2080;
constexpr std::size_t kModifierCount = 3;
constexpr std::size_t kHostKeyCount = 20;
constexpr std::size_t kKeyCodeWidth = 5;

static_assert(kReader1DSize == fld::Reader1DBlock.width);
static_assert(kReader2DSize == fld::Reader2DBlock.width);

using KeyCode = std::array<Byte, kKeyCodeWidth>;

class FunctionKeyTable {
  public:
    // Out-of-range indexes name no entry: reads give zero bytes, writes do nothing.
    KeyCode entry(unsigned modifier, unsigned hostKey) const;
    void setEntry(unsigned modifier, unsigned hostKey, const KeyCode& code);
    static bool valid(unsigned modifier, unsigned hostKey) {
        return modifier < kModifierCount && hostKey < kHostKeyCount;
    }
    std::array<KeyCode, kModifierCount * kHostKeyCount>& raw() { return table_; }
    const std::array<KeyCode, kModifierCount * kHostKeyCount>& raw() const { return table_; }

  private:
    std::array<KeyCode, kModifierCount * kHostKeyCount> table_{};
};

using CapturedScreenBlock = std::array<Byte, kCapturedScreenSize>;

struct Companions {
    std::array<Byte, kReader1DSize> reader1D{};
    std::array<Byte, kReader2DSize> reader2D{};
    std::array<CapturedScreenBlock, kCapturedScreenCount> capturedScreens{};
    FunctionKeyTable functionKeys;
};

// The one image and the companions of this process.
// The version tag that files and terminals of this version carry.
constexpr char kCurrentVersionTag[] = "V106";

SettingsImage& settingsImage();
Companions& companions();

// Copy the working reader blocks into the image (before save, on apply, on defaults).
void storeReaderBlocks(SettingsImage& image, const Companions& c);
// Copy the stored reader blocks from the image into the working copies (after load).
void loadReaderBlocks(const SettingsImage& image, Companions& c);
// Patch the key-code table from the key records of the image (after load).
void rebuildFunctionKeyTable(const SettingsImage& image, FunctionKeyTable& table);

// Name of an enumerated byte: the table's entry, or an empty text for a value the
// table does not have (the stored byte itself is left as it is).
template <std::size_t N>
std::string_view lookupName(const std::array<std::string_view, N>& names, unsigned value) {
    return value < N ? names[value] : std::string_view{};
}

}  // namespace varomil
