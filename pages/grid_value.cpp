#include "pages/grid_value.h"

#include <algorithm>
#include <cstdio>

#include "settings/builtin_tables.h"

namespace varomil {

namespace {
constexpr std::size_t kRowCount = 16;

bool keyNameMode(GridMode mode) {
    return mode != GridMode::Hex;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
}  // namespace

std::string gridCellName(GridMode mode, Byte code) {
    if (mode == GridMode::Hex) {
        char text[3];
        std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(code));
        return text;
    }
    return keyName(code);
}

std::size_t gridDataColumns(GridMode mode) {
    return mode == GridMode::KeyNames7Bit ? 8 : 16;
}

std::size_t storedGridLength(const Byte* stored, std::size_t capacity, GridLength rule) {
    capacity = std::min(capacity, kGridMaxCapacity);
    switch (rule) {
        case GridLength::UpToZero: {
            std::size_t n = 0;
            while (n < capacity && stored[n] != 0) ++n;
            return n;
        }
        case GridLength::OneIfNonZero:
            return capacity > 0 && stored[0] != 0 ? 1 : 0;
        case GridLength::TrailingPairs: {
            std::size_t n = capacity - capacity % 2;
            while (n >= 2 && stored[n - 1] == 0 && stored[n - 2] == 0) n -= 2;
            return n;
        }
        case GridLength::Capacity:
            return capacity;
    }
    return 0;
}

std::size_t gridTextFor(GridMode mode, const Byte* bytes, std::size_t count, std::string& text) {
    std::size_t n = 0;
    for (; n < count; ++n) {
        if (keyNameMode(mode) && bytes[n] == 0) break;
        text += gridCellName(mode, bytes[n]);
        text += ' ';
    }
    return n;
}

GridValue::GridValue(GridMode mode, std::size_t capacity)
    : mode_(mode), capacity_(std::min(capacity, kGridMaxCapacity)) {}

void GridValue::load(const Byte* stored, std::size_t length) {
    clear();
    length_ = gridTextFor(mode_, stored, std::min(length, capacity_), text_);
    std::copy_n(stored, length_, bytes_.begin());
}

bool GridValue::append(Byte code) {
    if (length_ >= capacity_) return false;
    bytes_[length_++] = code;
    text_ += gridCellName(mode_, code);
    text_ += ' ';
    return true;
}

bool GridValue::removeLast() {
    if (length_ == 0) return false;
    bytes_[--length_] = 0;
    text_.clear();
    for (std::size_t i = 0; i < length_; ++i) {
        text_ += gridCellName(mode_, bytes_[i]);
        text_ += ' ';
    }
    return true;
}

void GridValue::clear() {
    bytes_.fill(0);
    length_ = 0;
    text_.clear();
}

void GridValue::store(Byte* storage, std::size_t storageSize) const {
    const std::size_t n = std::min(length_, storageSize);
    std::copy_n(bytes_.begin(), n, storage);
    std::fill(storage + n, storage + storageSize, Byte{0});
}

GridChart gridChart(GridMode mode, int clientWidth, int clientHeight) {
    const std::size_t columns = gridDataColumns(mode);
    const int divisions = static_cast<int>(columns) + 1;
    return {std::max(1, clientWidth / divisions), std::max(1, clientHeight / 17), columns};
}

std::optional<Byte> gridCodeAt(const GridChart& chart, int x, int y) {
    if (x < 0 || y < 0) return std::nullopt;
    const std::size_t column = static_cast<std::size_t>(x / chart.cellWidth);
    const std::size_t row = static_cast<std::size_t>(y / chart.cellHeight);
    if (column < 1 || row < 1 || column > chart.columns || row > kRowCount) return std::nullopt;
    return static_cast<Byte>(16 * (column - 1) + (row - 1));
}

std::optional<std::string> parseHexNames(const std::string& text, std::size_t capacity) {
    std::string bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) return std::nullopt;
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        const bool separated = i + 2 == text.size() || text[i + 2] == ' ';
        if (high < 0 || low < 0 || !separated || bytes.size() >= capacity) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return bytes;
}

}  // namespace varomil
