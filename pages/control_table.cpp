#include "pages/control_table.h"

namespace varomil {

namespace {
// The byte `i` of a whole-byte field, or nothing outside the area.
Byte* byteAt(ByteSpan area, Field f, std::size_t i) {
    const std::size_t at = f.offset + i;
    return area.data != nullptr && i < f.width && at < area.size ? area.data + at : nullptr;
}

constexpr unsigned kCodeOn = 1;
constexpr unsigned kCodeOff = 2;
}  // namespace

bool storedCheck(const ControlSpec& c, ByteSpan area) {
    const unsigned v = readBits(area, c.at);
    return (c.flags & kTwoBitCode) ? v < kCodeOff : v != 0;
}

void storeCheck(const ControlSpec& c, ByteSpan area, bool checked) {
    if (c.flags & kTwoBitCode) {
        writeBits(area, c.at, checked ? kCodeOn : kCodeOff);
        return;
    }
    writeBits(area, c.at, checked ? 1 : 0);
}

bool storedRadio(const ControlSpec& c, ByteSpan area) {
    return readBits(area, c.at) == c.value;
}

void storeRadio(const ControlSpec& c, ByteSpan area) {
    writeBits(area, c.at, c.value);
}

int storedSelection(const ControlSpec& c, ByteSpan area) {
    const unsigned v = readBits(area, c.at);
    return v < c.itemCount ? static_cast<int>(v) : -1;
}

void storeSelection(const ControlSpec& c, ByteSpan area, int selection) {
    if (selection < 0 || static_cast<std::size_t>(selection) >= c.itemCount) return;
    writeBits(area, c.at, static_cast<unsigned>(selection));
}

unsigned storedNumber(const ControlSpec& c, ByteSpan area) {
    auto get = [&](Field f, std::size_t i) {
        const Byte* b = byteAt(area, f, i);
        return b ? static_cast<unsigned>(*b) : 0u;
    };
    switch (c.storage) {
        case NumberStorage::Byte:
            return readBits(area, c.at);
        case NumberStorage::SplitLowHigh:
            return get(c.at.field, 0) | (get(c.highByte, 0) << 8);
        case NumberStorage::U16le:
            return get(c.at.field, 0) | (get(c.at.field, 1) << 8);
        case NumberStorage::U16be:
            return (get(c.at.field, 0) << 8) | get(c.at.field, 1);
    }
    return 0;
}

CorrectedNumber correctedNumber(const ControlSpec& c, std::string_view shown) {
    if (shown.empty() && (c.flags & kEmptyStays)) return {c.low, {}, false, false};
    if (c.maxChars != 0) shown = shown.substr(0, c.maxChars);
    CorrectedNumber n = correctNumber(shown, c.low, c.high, (c.flags & kAboveToLow) != 0);
    n.rewrite = n.text != shown;
    return n;
}

void storeNumber(const ControlSpec& c, ByteSpan area, unsigned value) {
    auto put = [&](Field f, std::size_t i, unsigned v) {
        if (Byte* b = byteAt(area, f, i)) *b = static_cast<Byte>(v & 0xFF);
    };
    switch (c.storage) {
        case NumberStorage::Byte:
            writeBits(area, c.at, value);
            break;
        case NumberStorage::SplitLowHigh:
            put(c.at.field, 0, value);
            put(c.highByte, 0, value >> 8);
            break;
        case NumberStorage::U16le:
            put(c.at.field, 0, value);
            put(c.at.field, 1, value >> 8);
            break;
        case NumberStorage::U16be:
            put(c.at.field, 0, value >> 8);
            put(c.at.field, 1, value);
            break;
    }
}

std::size_t gridCapacity(const ControlSpec& c, ByteSpan area) {
    if (c.capacityFrom.field.width == 0) return c.capacity;
    const unsigned v = readBits(area, c.capacityFrom);
    return v < c.capacities.size() ? c.capacities[v] : c.capacities[0];
}

void commitRow(const ControlSpec& c, ByteSpan from, ByteSpan to) {
    switch (c.kind) {
        case ControlKind::Check:
            storeCheck(c, to, storedCheck(c, from));
            break;
        case ControlKind::Radio:
            if (storedRadio(c, from)) storeRadio(c, to);
            break;
        case ControlKind::Combo:
            storeSelection(c, to, storedSelection(c, from));
            break;
        case ControlKind::Number:
            storeNumber(c, to, storedNumber(c, from));
            break;
        case ControlKind::Text:
        case ControlKind::Grid:
            for (std::size_t i = 0; i < c.at.field.width; ++i) {
                const Byte* b = byteAt(from, c.at.field, i);
                Byte* t = byteAt(to, c.at.field, i);
                if (b && t) *t = *b;
            }
            break;
        case ControlKind::RoleKey:
            break;  // given at once, never deferred
    }
}

bool ruleEnables(const EnableRule& r, ByteSpan area) {
    const bool match = r.when.field.width == 0 || readBits(area, r.when) == r.equals;
    return match != r.inverted;
}

}  // namespace varomil
