// The symbology lists of the Barcode page, one per reader family: which check
// box shows which enable bit, and which "more..." button opens which parameter
// dialog. One page template serves both lists.
#pragma once

#include <cstddef>
#include <string_view>

#include "pages/control_table.h"
#include "settings/bit_field.h"

namespace varomil {

enum class EnableKind : std::uint8_t {
    Bit,     // one enable bit
    Ean128,  // the two-bit EAN128 code: 0 and 1 show checked, apply writes 1 or 2
};

struct SymbologyEntry {
    int checkId;
    BitField enable;            // in the working block of the family
    int moreId = 0;             // 0: the "more..." button stays hidden
    std::string_view dialog{};  // template of the parameter dialog
    bool longRangeOff = false;  // box and button disabled for the long-range laser
    EnableKind kind = EnableKind::Bit;
};

using SymbologyList = Rows<SymbologyEntry>;

SymbologyList symbologyList1D();  // boxes 301-326 (327 hidden)
SymbologyList symbologyList2D();  // boxes 301-327

// The check boxes and "more..." buttons of the page: 301-327 and 501-527.
constexpr int kFirstSymbologyCheck = 301;
constexpr int kLastSymbologyCheck = 327;
constexpr int kFirstMoreButton = 501;
constexpr int kSymbologyBoxCount = kLastSymbologyCheck - kFirstSymbologyCheck + 1;

// The entry of a list with this check box or "more..." button, or none.
const SymbologyEntry* entryForCheck(SymbologyList list, int checkId);
const SymbologyEntry* entryForMore(SymbologyList list, int moreId);

}  // namespace varomil
