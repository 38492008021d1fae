// A settings page or parameter dialog as data: one row per control, naming the
// kind of control and the setting it edits. No windows here, so that the tables
// (and the rules of storing a control's value) are checked natively; the page
// kit (settings_page_win.*) shows and stores them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "pages/field_rules.h"
#include "pages/grid_value.h"
#include "settings/bit_field.h"
#include "settings/key_roles.h"

namespace varomil {

enum class ControlKind : std::uint8_t {
    Check,    // the field holds 1 when checked (0/1 byte or one bit)
    Radio,    // the field takes `value` when this button is chosen
    Combo,    // the field is the selection; a stored value outside `items` shows none
    RoleKey,  // a key selector (0 "Disable", 1..10 "FN+1".."FN+0") whose key gets `role`
    Number,   // decimal within [low, high] of at most `maxChars` digits (0: any),
              // corrected in place, stored as `storage` says
    Text,     // at most `maxChars` characters
    Grid,     // bytes entered with the grid editor
};

enum class NumberStorage : std::uint8_t {
    Byte,          // one byte (or the bit field)
    SplitLowHigh,  // low byte in `at`, high byte in `highByte`
    U16le,         // two bytes, low first
    U16be,         // two bytes, high first
};

enum ControlFlag : std::uint8_t {
    kEmptyStays = 1,  // Number: an emptied edit stays empty and stores `low`
    kKeepTyped = 2,   // Text: characters past the limit stay in the control, unstored
    // Stored into the table's own copy of its area, and from there into the area
    // when the page commits: clicks survive the table's turn off screen.
    kDeferred = 4,
    // Number: a value above `high` starts again at `low` instead of stopping at `high`.
    kAboveToLow = 8,
    // Check: a two-bit code; 0 and 1 show checked, checked stores 1, cleared stores 2.
    kTwoBitCode = 16,
};

struct ControlSpec {
    int id = 0;
    ControlKind kind = ControlKind::Check;
    BitField at{};
    unsigned value = 0;  // Radio: the value; RoleKey: the KeyRole it gives
    const std::string_view* items = nullptr;
    std::size_t itemCount = 0;
    unsigned low = 0;
    unsigned high = 0;
    NumberStorage storage = NumberStorage::Byte;
    Field highByte{0, 0};
    std::size_t maxChars = 0;
    GridMode gridMode = GridMode::KeyNames;
    GridLength gridLength = GridLength::UpToZero;
    // Grid: the bytes entered; when `capacityFrom` has a width, the capacity is
    // capacities[value of capacityFrom] (a value outside gives capacities[0]).
    std::size_t capacity = 0;
    BitField capacityFrom{};
    std::array<std::uint8_t, 2> capacities{};
    std::uint8_t flags = 0;
};

// Rows of a table and their count: a page's controls, its enable rules, a list.
template <class Row>
struct Rows {
    const Row* rows = nullptr;
    std::size_t count = 0;
    constexpr Rows() = default;
    constexpr Rows(const Row* r, std::size_t n) : rows(r), count(n) {}
    template <std::size_t N>
    constexpr Rows(const Row (&r)[N]) : rows(r), count(N) {}  // NOLINT: a table is its rows
    template <std::size_t N>
    constexpr Rows(const std::array<Row, N>& r) : rows(r.data()), count(N) {}  // NOLINT
    constexpr const Row* begin() const { return rows; }
    constexpr const Row* end() const { return rows + count; }
    constexpr const Row& operator[](std::size_t i) const { return rows[i]; }
    // The row of a control, or none.
    const Row* find(int id) const {
        for (const Row& r : *this) {
            if (r.id == id) return &r;
        }
        return nullptr;
    }
};

// Table helpers, so that a table reads like the page.
constexpr ControlSpec checkBox(int id, BitField at, std::uint8_t flags = 0) {
    ControlSpec c{id, ControlKind::Check, at};
    c.flags = flags;
    return c;
}
constexpr ControlSpec checkBox(int id, Field f, std::uint8_t flags = 0) {
    return checkBox(id, inImage(f), flags);
}
constexpr ControlSpec radio(int id, BitField at, unsigned value) {
    return {id, ControlKind::Radio, at, value};
}
constexpr ControlSpec radio(int id, Field f, unsigned value) {
    return radio(id, inImage(f), value);
}
template <std::size_t N>
constexpr ControlSpec combo(int id, BitField at, const std::array<std::string_view, N>& items) {
    ControlSpec c{id, ControlKind::Combo, at};
    c.items = items.data();
    c.itemCount = N;
    return c;
}
template <std::size_t N>
constexpr ControlSpec combo(int id, Field f, const std::array<std::string_view, N>& items) {
    return combo(id, inImage(f), items);
}
constexpr ControlSpec roleKey(int id, Field f, KeyRole role) {
    return {id, ControlKind::RoleKey, inImage(f), static_cast<unsigned>(role)};
}
constexpr ControlSpec number(int id, BitField at, unsigned low, unsigned high,
                             NumberStorage storage = NumberStorage::Byte, std::uint8_t flags = 0) {
    ControlSpec c{id, ControlKind::Number, at};
    c.low = low;
    c.high = high;
    c.storage = storage;
    c.flags = flags;
    return c;
}
constexpr ControlSpec number(int id, Field f, unsigned low, unsigned high,
                             NumberStorage storage = NumberStorage::Byte, std::uint8_t flags = 0) {
    return number(id, inImage(f), low, high, storage, flags);
}
// A row stored only when the page commits (see kDeferred).
constexpr ControlSpec deferred(ControlSpec c) {
    c.flags = static_cast<std::uint8_t>(c.flags | kDeferred);
    return c;
}
// A number edit that takes at most `digits` characters.
constexpr ControlSpec withDigits(ControlSpec c, std::size_t digits) {
    c.maxChars = digits;
    return c;
}
// A 16-bit number whose two bytes are separate fields.
constexpr ControlSpec splitNumber(int id, Field lowByte, Field highByte, unsigned low,
                                  unsigned high) {
    ControlSpec c = number(id, lowByte, low, high, NumberStorage::SplitLowHigh);
    c.highByte = highByte;
    return c;
}
constexpr ControlSpec text(int id, BitField at, std::size_t maxChars, std::uint8_t flags = 0) {
    ControlSpec c{id, ControlKind::Text, at};
    c.maxChars = maxChars;
    c.flags = flags;
    return c;
}
constexpr ControlSpec text(int id, Field f, std::size_t maxChars, std::uint8_t flags = 0) {
    return text(id, inImage(f), maxChars, flags);
}
constexpr ControlSpec grid(int id, BitField at, GridMode mode, GridLength length,
                           std::size_t capacity = 0) {
    ControlSpec c{id, ControlKind::Grid, at};
    c.gridMode = mode;
    c.gridLength = length;
    c.capacity = capacity == 0 ? at.field.width : capacity;
    return c;
}
constexpr ControlSpec grid(int id, Field f, GridMode mode, GridLength length,
                           std::size_t capacity = 0) {
    return grid(id, inImage(f), mode, length, capacity);
}
// A grid whose capacity follows another setting (the WEP key length).
constexpr ControlSpec gridSized(int id, Field f, GridMode mode, GridLength length,
                                BitField capacityFrom, std::array<std::uint8_t, 2> capacities) {
    ControlSpec c = grid(id, f, mode, length, capacities[0]);
    c.capacityFrom = capacityFrom;
    c.capacities = capacities;
    return c;
}

// Controls enabled only while a setting has (or, inverted, has not) a value:
// ids first..last. A rule without a setting (`when` of no width) holds always:
// a table that takes turns with another sets the state of the controls the
// other one disables. Rules run in order, so a later one has the last word.
struct EnableRule {
    int first;
    int last;
    BitField when;
    unsigned equals;
    bool inverted = false;
};
constexpr EnableRule alwaysEnabled(int first, int last) {
    return {first, last, BitField{}, 0};
}
constexpr EnableRule alwaysDisabled(int first, int last) {
    return {first, last, BitField{}, 0, true};
}
// Whether the rule's controls are enabled for the area its setting is in.
bool ruleEnables(const EnableRule& r, ByteSpan area);

using ControlRows = Rows<ControlSpec>;
using EnableRows = Rows<EnableRule>;

// A table of controls with the rules that enable them.
struct PageTable {
    ControlRows controls{};
    EnableRows enables{};
};

// What a control shows for the stored settings, and how its state is stored:
// every write stays inside the control's field and bits.
bool storedCheck(const ControlSpec& c, ByteSpan area);
void storeCheck(const ControlSpec& c, ByteSpan area, bool checked);
bool storedRadio(const ControlSpec& c, ByteSpan area);
void storeRadio(const ControlSpec& c, ByteSpan area);  // this button was chosen
// The entry to select, or -1 when the stored value is not in the list.
int storedSelection(const ControlSpec& c, ByteSpan area);
// A selection outside the list (none) keeps the stored value.
void storeSelection(const ControlSpec& c, ByteSpan area, int selection);
unsigned storedNumber(const ControlSpec& c, ByteSpan area);
// The one correction of a number control for what it holds.
CorrectedNumber correctedNumber(const ControlSpec& c, std::string_view shown);
void storeNumber(const ControlSpec& c, ByteSpan area, unsigned value);
// Grid: the capacity in force (fixed, or following another setting).
std::size_t gridCapacity(const ControlSpec& c, ByteSpan area);
// Stores into `to` what the control shows for `from` (a deferred control's
// value, from the table's copy into the settings).
void commitRow(const ControlSpec& c, ByteSpan from, ByteSpan to);

}  // namespace varomil
