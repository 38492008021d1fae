// The symbology lists of the Barcode page, one per reader family: which check
// box shows which enable bit, and which "more..." button opens which parameter
// dialog; and the page's control table for each family, made from its list.
// One page template serves both lists.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "pages/control_table.h"
#include "settings/bit_field.h"

namespace varomil {

struct SymbologyEntry {
    int checkId;
    BitField enable;            // in the working block of the family
    int moreId = 0;             // 0: the "more..." button stays hidden
    std::string_view dialog{};  // template of the parameter dialog
    std::uint8_t flags = 0;     // of the box's row (kTwoBitCode: the EAN128 code)
};

using SymbologyList = Rows<SymbologyEntry>;

SymbologyList symbologyList1D();  // boxes 1-26 (the 27th hidden)
SymbologyList symbologyList2D();  // boxes 1-27

// The page's tables, the 1D family's then the 2D family's (which the long-range
// laser shares): the boxes of the list and the reader settings beside them, all
// waiting for apply, and the rules that enable them.
Rows<PageTable> barcodeTables();

// The entry of a list with this check box or "more..." button, or none.
const SymbologyEntry* entryForCheck(SymbologyList list, int checkId);
const SymbologyEntry* entryForMore(SymbologyList list, int moreId);

// What a screen reader calls a "more..." button: the symbology of its box
// first ("Code 39 more..."), both without their mnemonic marks.
std::string moreButtonName(std::string_view boxLabel, std::string_view more);

}  // namespace varomil
