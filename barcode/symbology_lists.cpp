#include "barcode/symbology_lists.h"

#include "settings/reader_bits.h"

namespace varomil {

namespace {

using namespace rb;

// The check boxes' texts are the resource script's (one string per box and list).
constexpr SymbologyEntry kList1D[] = {
    {301, EnableCode39, 501, "CODE39DLG"},
    {302, EnableItalianPharma, 502, "ITALYPHARMADLG"},
    {303, EnableFrenchPharma, 503, "FRENCHPHARMADLG"},
    {304, EnableIndustrial25, 504, "INDUSTRIAL25DLG"},
    {305, EnableInterleave25, 505, "INTERLEAVE25DLG"},
    {306, EnableMatrix25, 506, "MATRIX25DLG"},
    {307, EnableCodabar, 507, "CODABARDLG"},
    {308, EnableMsi, 508, "MSIDLG"},
    {309, EnablePlessey, 509, "PLESSEYDLG"},
    {310, EnableUpce, 510, "UPCEDLG"},
    {311, EnableUpceAddon2},
    {312, EnableUpceAddon5},
    {313, EnableEan8, 513, "EAN8DLG"},
    {314, EnableEan8Addon2},
    {315, EnableEan8Addon5},
    {316, EnableEan13, 516, "EAN13DLG"},
    {317, EnableEan13Addon2},
    {318, EnableEan13Addon5},
    {319, EnableTelepen, 519, "TELEPENDLG"},
    {320, EnableRss14, 520, "RSS14DLG"},
    {321, EnableRssLimited, 521, "RSS14LIMITEDDLG"},
    {322, EnableRssExpanded, 522, "RSS14EXPANDEDDLG"},
    {323, EnableCode93},
    {324, EnableCode128},
    {325, Ean128State, 525, "EAN128DLG", false, EnableKind::Ean128},
    {326, NegativeBarcode},
};

constexpr SymbologyEntry kList2D[] = {
    {301, D2EnableUpcA, 501, "UPCA_2D_DLG"},
    {302, D2EnableUpcE0, 502, "UPCE_2D_DLG"},
    {303, D2EnableUpcE1, 503, "UPCE1_2D_DLG"},
    {304, D2EnableEan8, 504, "EAN8_2D_DLG"},
    {305, D2EnableEan13},
    {306, D2EnableBookland},
    {307, D2EnableCode128},
    {308, D2EnableEan128},
    {309, D2EnableIsbt128},
    {310, D2EnableCode39, 510, "CODE39_2D_DLG"},
    {311, D2EnableTrioptic39},
    {312, D2EnableCode93, 512, "CODE93_2D_DLG"},
    {313, D2EnableCode11, 513, "CODE11_2D_DLG", true},
    {314, D2EnableD25, 514, "INDUSTRIAL25_2D_DLG"},
    {315, D2EnableI25, 515, "INTERLEAVE25_2D_DLG"},
    {316, D2EnableCodabar, 516, "CODABAR_2D_DLG"},
    {317, D2EnableMsi, 517, "MSI_2D_DLG"},
    {318, D2EnablePostal, 518, "POSTAL_2D_DLG", true},
    {319, D2EnableRss14, 519, "RSS14_2D_DLG"},
    {320, D2EnableRssLimited},
    {321, D2EnableRssExpanded},
    {322, D2EnablePdf417, 0, {}, true},
    {323, D2EnableMicroPdf417, 0, {}, true},
    {324, D2EnableCode128Emulation, 0, {}, true},
    {325, D2EnableDataMatrix, 0, {}, true},
    {326, D2EnableMaxicode, 0, {}, true},
    {327, D2EnableQrCode, 0, {}, true},
};

template <typename Match>
const SymbologyEntry* find(SymbologyList list, Match match) {
    for (const SymbologyEntry& e : list) {
        if (match(e)) return &e;
    }
    return nullptr;
}

}  // namespace

SymbologyList symbologyList1D() {
    return {kList1D, sizeof kList1D / sizeof kList1D[0]};
}

SymbologyList symbologyList2D() {
    return {kList2D, sizeof kList2D / sizeof kList2D[0]};
}

const SymbologyEntry* entryForCheck(SymbologyList list, int checkId) {
    return find(list, [checkId](const SymbologyEntry& e) { return e.checkId == checkId; });
}

const SymbologyEntry* entryForMore(SymbologyList list, int moreId) {
    return find(list,
                [moreId](const SymbologyEntry& e) { return moreId != 0 && e.moreId == moreId; });
}

}  // namespace varomil
