#include "barcode/symbology_lists.h"

#include <array>

#include "resources/barcode_ids.h"
#include "settings/reader_bits.h"
#include "settings/value_lists.h"

namespace varomil {

namespace {

using namespace rb;

constexpr unsigned kMaxSeconds = 255;
constexpr unsigned kMaxSeconds2D = 9;  // one digit of the 2D reader's four bits
constexpr std::size_t kSecondsDigits = 3;

// The check boxes' texts are the resource script's (one string per box and list).
constexpr SymbologyEntry kList1D[] = {
    {IDC_BC_CHECK_1, EnableCode39, IDC_BC_MORE_1, "CODE39DLG"},
    {IDC_BC_CHECK_2, EnableItalianPharma, IDC_BC_MORE_2, "ITALYPHARMADLG"},
    {IDC_BC_CHECK_3, EnableFrenchPharma, IDC_BC_MORE_3, "FRENCHPHARMADLG"},
    {IDC_BC_CHECK_4, EnableIndustrial25, IDC_BC_MORE_4, "INDUSTRIAL25DLG"},
    {IDC_BC_CHECK_5, EnableInterleave25, IDC_BC_MORE_5, "INTERLEAVE25DLG"},
    {IDC_BC_CHECK_6, EnableMatrix25, IDC_BC_MORE_6, "MATRIX25DLG"},
    {IDC_BC_CHECK_7, EnableCodabar, IDC_BC_MORE_7, "CODABARDLG"},
    {IDC_BC_CHECK_8, EnableMsi, IDC_BC_MORE_8, "MSIDLG"},
    {IDC_BC_CHECK_9, EnablePlessey, IDC_BC_MORE_9, "PLESSEYDLG"},
    {IDC_BC_CHECK_10, EnableUpce, IDC_BC_MORE_10, "UPCEDLG"},
    {IDC_BC_CHECK_11, EnableUpceAddon2},
    {IDC_BC_CHECK_12, EnableUpceAddon5},
    {IDC_BC_CHECK_13, EnableEan8, IDC_BC_MORE_13, "EAN8DLG"},
    {IDC_BC_CHECK_14, EnableEan8Addon2},
    {IDC_BC_CHECK_15, EnableEan8Addon5},
    {IDC_BC_CHECK_16, EnableEan13, IDC_BC_MORE_16, "EAN13DLG"},
    {IDC_BC_CHECK_17, EnableEan13Addon2},
    {IDC_BC_CHECK_18, EnableEan13Addon5},
    {IDC_BC_CHECK_19, EnableTelepen, IDC_BC_MORE_19, "TELEPENDLG"},
    {IDC_BC_CHECK_20, EnableRss14, IDC_BC_MORE_20, "RSS14DLG"},
    {IDC_BC_CHECK_21, EnableRssLimited, IDC_BC_MORE_21, "RSS14LIMITEDDLG"},
    {IDC_BC_CHECK_22, EnableRssExpanded, IDC_BC_MORE_22, "RSS14EXPANDEDDLG"},
    {IDC_BC_CHECK_23, EnableCode93},
    {IDC_BC_CHECK_24, EnableCode128},
    {IDC_BC_CHECK_25, Ean128State, IDC_BC_MORE_25, "EAN128DLG", kTwoBitCode},
    {IDC_BC_CHECK_26, NegativeBarcode},
};

constexpr SymbologyEntry kList2D[] = {
    {IDC_BC_CHECK_1, D2EnableUpcA, IDC_BC_MORE_1, "UPCA_2D_DLG"},
    {IDC_BC_CHECK_2, D2EnableUpcE0, IDC_BC_MORE_2, "UPCE_2D_DLG"},
    {IDC_BC_CHECK_3, D2EnableUpcE1, IDC_BC_MORE_3, "UPCE1_2D_DLG"},
    {IDC_BC_CHECK_4, D2EnableEan8, IDC_BC_MORE_4, "EAN8_2D_DLG"},
    {IDC_BC_CHECK_5, D2EnableEan13},
    {IDC_BC_CHECK_6, D2EnableBookland},
    {IDC_BC_CHECK_7, D2EnableCode128},
    {IDC_BC_CHECK_8, D2EnableEan128},
    {IDC_BC_CHECK_9, D2EnableIsbt128},
    {IDC_BC_CHECK_10, D2EnableCode39, IDC_BC_MORE_10, "CODE39_2D_DLG"},
    {IDC_BC_CHECK_11, D2EnableTrioptic39},
    {IDC_BC_CHECK_12, D2EnableCode93, IDC_BC_MORE_12, "CODE93_2D_DLG"},
    {IDC_BC_CHECK_13, D2EnableCode11, IDC_BC_MORE_13, "CODE11_2D_DLG"},
    {IDC_BC_CHECK_14, D2EnableD25, IDC_BC_MORE_14, "INDUSTRIAL25_2D_DLG"},
    {IDC_BC_CHECK_15, D2EnableI25, IDC_BC_MORE_15, "INTERLEAVE25_2D_DLG"},
    {IDC_BC_CHECK_16, D2EnableCodabar, IDC_BC_MORE_16, "CODABAR_2D_DLG"},
    {IDC_BC_CHECK_17, D2EnableMsi, IDC_BC_MORE_17, "MSI_2D_DLG"},
    {IDC_BC_CHECK_18, D2EnablePostal, IDC_BC_MORE_18, "POSTAL_2D_DLG"},
    {IDC_BC_CHECK_19, D2EnableRss14, IDC_BC_MORE_19, "RSS14_2D_DLG"},
    {IDC_BC_CHECK_20, D2EnableRssLimited},
    {IDC_BC_CHECK_21, D2EnableRssExpanded},
    {IDC_BC_CHECK_22, D2EnablePdf417},
    {IDC_BC_CHECK_23, D2EnableMicroPdf417},
    {IDC_BC_CHECK_24, D2EnableCode128Emulation},
    {IDC_BC_CHECK_25, D2EnableDataMatrix},
    {IDC_BC_CHECK_26, D2EnableMaxicode},
    {IDC_BC_CHECK_27, D2EnableQrCode},
};

constexpr ControlSpec deferredNumber(int id, BitField at, unsigned low, unsigned high,
                                     std::size_t digits) {
    return deferred(withDigits(number(id, at, low, high), digits));
}

// The AIM duration is the long-range laser's; the other families show it.
constexpr ControlSpec kAimDuration =
    deferredNumber(IDC_BC_AIM_DURATION, AimDuration, 0, kMaxSeconds, kSecondsDigits);

constexpr ControlSpec kSettings1D[] = {
    deferred(combo(IDC_BC_LIST_401, ScanMode, lists::kScanMode)),
    deferred(combo(IDC_BC_LIST_402, ReadRedundancy, lists::kReadRedundancy)),
    deferredNumber(IDC_BC_TIMEOUT, ScanTimeout, 1, kMaxSeconds, kSecondsDigits),
    kAimDuration,
};
constexpr ControlSpec kSettings2D[] = {
    deferred(combo(IDC_BC_LIST_401, LedIllumination, lists::kLedIllumination)),
    deferred(combo(IDC_BC_LIST_402, AimerPattern, lists::kAimerPattern)),
    deferredNumber(IDC_BC_TIMEOUT, Timeout2D, 1, kMaxSeconds2D, 1),
    kAimDuration,
};

// The boxes of a list, then the reader settings.
template <std::size_t N, std::size_t M>
constexpr std::array<ControlSpec, N + M> pageRows(const SymbologyEntry (&list)[N],
                                                  const ControlSpec (&settings)[M]) {
    std::array<ControlSpec, N + M> rows{};
    for (std::size_t i = 0; i < N; ++i) {
        rows[i] = checkBox(list[i].checkId, list[i].enable,
                           static_cast<std::uint8_t>(kDeferred | list[i].flags));
    }
    for (std::size_t i = 0; i < M; ++i) rows[N + i] = settings[i];
    return rows;
}
constexpr auto kRows1D = pageRows(kList1D, kSettings1D);
constexpr auto kRows2D = pageRows(kList2D, kSettings2D);

constexpr BitField kLongRange = ReaderTypeLongRange;

// The 1D family edits its reader settings; the 2D family shows them. The AIM
// duration is edited only with the long-range laser, which has none of Code
// 11, Postal Codes and the six 2D codes. Bookland EAN goes with EAN13.
constexpr EnableRule kEnables1D[] = {
    alwaysEnabled(IDC_BC_LABEL_401, IDC_BC_TIMEOUT_UNIT),
    alwaysEnabled(IDC_BC_LIST_401, IDC_BC_LIST_402),
    alwaysEnabled(IDC_BC_TIMEOUT, IDC_BC_TIMEOUT),
    {IDC_BC_AIM_DURATION, IDC_BC_AIM_DURATION, kLongRange, 1},
    {IDC_BC_AIM_LABEL, IDC_BC_AIM_UNIT, kLongRange, 1},
    alwaysEnabled(IDC_BC_CHECK_1, IDC_BC_CHECK_26),
    alwaysEnabled(IDC_BC_MORE_1, IDC_BC_MORE_26),
};
constexpr EnableRule kEnables2D[] = {
    alwaysDisabled(IDC_BC_LABEL_401, IDC_BC_TIMEOUT_UNIT),
    alwaysDisabled(IDC_BC_LIST_401, IDC_BC_LIST_402),
    alwaysDisabled(IDC_BC_TIMEOUT, IDC_BC_TIMEOUT),
    {IDC_BC_AIM_DURATION, IDC_BC_AIM_DURATION, kLongRange, 1},
    {IDC_BC_AIM_LABEL, IDC_BC_AIM_UNIT, kLongRange, 1},
    alwaysEnabled(IDC_BC_CHECK_1, IDC_BC_CHECK_27),
    alwaysEnabled(IDC_BC_MORE_1, IDC_BC_MORE_27),
    {IDC_BC_CHECK_13, IDC_BC_CHECK_13, kLongRange, 0},
    {IDC_BC_MORE_13, IDC_BC_MORE_13, kLongRange, 0},
    {IDC_BC_CHECK_18, IDC_BC_CHECK_18, kLongRange, 0},
    {IDC_BC_MORE_18, IDC_BC_MORE_18, kLongRange, 0},
    {IDC_BC_CHECK_22, IDC_BC_CHECK_27, kLongRange, 0},
    {IDC_BC_CHECK_6, IDC_BC_CHECK_6, D2EnableEan13, 1},
};

constexpr PageTable kTables[] = {
    {kRows1D, kEnables1D},
    {kRows2D, kEnables2D},
};

template <typename Match>
const SymbologyEntry* find(SymbologyList list, Match match) {
    for (const SymbologyEntry& e : list) {
        if (match(e)) return &e;
    }
    return nullptr;
}

// A label as it reads: "&&" is an ampersand, a single '&' marks the mnemonic.
std::string withoutMnemonic(std::string_view label) {
    std::string text;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] == '&' && i + 1 < label.size()) ++i;
        text += label[i];
    }
    return text;
}

}  // namespace

SymbologyList symbologyList1D() {
    return kList1D;
}

SymbologyList symbologyList2D() {
    return kList2D;
}

Rows<PageTable> barcodeTables() {
    return kTables;
}

const SymbologyEntry* entryForCheck(SymbologyList list, int checkId) {
    return find(list, [checkId](const SymbologyEntry& e) { return e.checkId == checkId; });
}

const SymbologyEntry* entryForMore(SymbologyList list, int moreId) {
    return find(list,
                [moreId](const SymbologyEntry& e) { return moreId != 0 && e.moreId == moreId; });
}

std::string moreButtonName(std::string_view boxLabel, std::string_view more) {
    return withoutMnemonic(boxLabel) + " " + withoutMnemonic(more);
}

}  // namespace varomil
