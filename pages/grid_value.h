// The character grid editor's value rules: names of the chart cells per mode,
// the length of a value already stored, the text shown for a value, the chart
// geometry. The dialog itself is grid_editor_win.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "settings/settings_image.h"

namespace varomil {

enum class GridMode {
    KeyNames,      // codes 0x00..0xFF named by the key-name table
    Hex,           // codes 0x00..0xFF named "00".."FF"
    KeyNames7Bit,  // codes 0x00..0x7F named by the key-name table
};

// How much of a stored value counts as entered.
enum class GridLength {
    UpToZero,       // up to the first 0 byte (or the capacity)
    OneIfNonZero,   // single byte: 1 unless it is 0
    TrailingPairs,  // the capacity less each trailing pair of 0 bytes
    Capacity,       // always the whole capacity
};

constexpr std::size_t kGridMaxCapacity = 64;

// Name of a code in a mode (stored bytes of 0x80 and above keep their decimal
// key name in the 7-bit mode, although the chart cannot enter them).
std::string gridCellName(GridMode mode, Byte code);
// Data columns of the chart: 16, or 8 in the 7-bit mode.
std::size_t gridDataColumns(GridMode mode);

// Length of a stored value by its rule, never more than the capacity.
std::size_t storedGridLength(const Byte* stored, std::size_t capacity, GridLength rule);

// Appends, for each of `count` bytes, its name and one blank; in the key-name
// modes a 0 byte ends the value. Returns the bytes taken.
std::size_t gridTextFor(GridMode mode, const Byte* bytes, std::size_t count, std::string& text);

// The value being edited in the grid dialog.
class GridValue {
  public:
    GridValue(GridMode mode, std::size_t capacity);
    // Loads `length` stored bytes (the key-name modes stop at a 0 byte).
    void load(const Byte* stored, std::size_t length);
    // Appends a code; false (and nothing changes) when the value is full.
    bool append(Byte code);
    // Takes the last code off (Backspace); false when the value is empty.
    bool removeLast();
    void clear();
    // Copies the value into `storage` and zero-fills the rest of `storageSize`
    // bytes (a storage may be larger than the capacity, never smaller).
    void store(Byte* storage, std::size_t storageSize) const;

    GridMode mode() const { return mode_; }
    std::size_t capacity() const { return capacity_; }
    std::size_t length() const { return length_; }
    const Byte* bytes() const { return bytes_.data(); }
    const std::string& text() const { return text_; }

  private:
    GridMode mode_;
    std::size_t capacity_;
    std::array<Byte, kGridMaxCapacity> bytes_{};
    std::size_t length_ = 0;
    std::string text_;
};

// Chart geometry: a heading row and column plus the data cells, each cell at
// least one pixel so that a tiny chart never divides by zero.
struct GridChart {
    int cellWidth;
    int cellHeight;
    std::size_t columns;  // data columns
};
GridChart gridChart(GridMode mode, int clientWidth, int clientHeight);
// Code of the data cell under a point; none on the headings or beyond the cells.
std::optional<Byte> gridCodeAt(const GridChart& chart, int x, int y);

// Hexadecimal names as in the grid ("1B 5B 41 ") back into bytes; at most
// `capacity` bytes. Anything else than pairs of hex digits separated by blanks
// gives no value.
std::optional<std::string> parseHexNames(const std::string& text, std::size_t capacity);

}  // namespace varomil
