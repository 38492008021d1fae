#include "barcode/symbology_lists.h"

#include "settings/reader_bits.h"

namespace varomil {

namespace {

using namespace rb;

constexpr SymbologyEntry kList1D[] = {
    {301, "Code 39", EnableCode39, 501, "CODE39DLG"},
    {302, "Italian  Pharmacode", EnableItalianPharma, 502, "ITALYPHARMADLG"},
    {303, "French  Pharmacode", EnableFrenchPharma, 503, "FRENCHPHARMADLG"},
    {304, "Industrial 25", EnableIndustrial25, 504, "INDUSTRIAL25DLG"},
    {305, "Interleaved 25", EnableInterleave25, 505, "INTERLEAVE25DLG"},
    {306, "Matrix 25", EnableMatrix25, 506, "MATRIX25DLG"},
    {307, "Codabar", EnableCodabar, 507, "CODABARDLG"},
    {308, "MSI", EnableMsi, 508, "MSIDLG"},
    {309, "Plessey", EnablePlessey, 509, "PLESSEYDLG"},
    {310, "UPC-E", EnableUpce, 510, "UPCEDLG"},
    {311, "UPC-E  Addon 2", EnableUpceAddon2},
    {312, "UPC-E  Addon 5", EnableUpceAddon5},
    {313, "EAN8", EnableEan8, 513, "EAN8DLG"},
    {314, "EAN8  Addon 2", EnableEan8Addon2},
    {315, "EAN8  Addon 5", EnableEan8Addon5},
    {316, "EAN13  &&  UPCA", EnableEan13, 516, "EAN13DLG"},
    {317, "EAN13  Addon 2", EnableEan13Addon2},
    {318, "EAN13  Addon 5", EnableEan13Addon5},
    {319, "Telepen", EnableTelepen, 519, "TELEPENDLG"},
    {320, "RSS-14", EnableRss14, 520, "RSS14DLG"},
    {321, "RSS Limited", EnableRssLimited, 521, "RSS14LIMITEDDLG"},
    {322, "RSS Expanded", EnableRssExpanded, 522, "RSS14EXPANDEDDLG"},
    {323, "Code 93", EnableCode93},
    {324, "Code 128", EnableCode128},
    {325, "EAN128", Ean128State, 525, "EAN128DLG", false, EnableKind::Ean128},
    {326, "Negative Barcode", NegativeBarcode},
};

constexpr SymbologyEntry kList2D[] = {
    {301, "UPC-A", D2EnableUpcA, 501, "UPCA_2D_DLG"},
    {302, "UPC-E0", D2EnableUpcE0, 502, "UPCE_2D_DLG"},
    {303, "UPC-E1", D2EnableUpcE1, 503, "UPCE1_2D_DLG"},
    {304, "EAN8", D2EnableEan8, 504, "EAN8_2D_DLG"},
    {305, "EAN13", D2EnableEan13},
    {306, "Bookland EAN", D2EnableBookland},
    {307, "Code 128", D2EnableCode128},
    {308, "EAN 128", D2EnableEan128},
    {309, "ISBT 128", D2EnableIsbt128},
    {310, "Code 39", D2EnableCode39, 510, "CODE39_2D_DLG"},
    {311, "Trioptic 39", D2EnableTrioptic39},
    {312, "Code 93", D2EnableCode93, 512, "CODE93_2D_DLG"},
    {313, "Code 11", D2EnableCode11, 513, "CODE11_2D_DLG", true},
    {314, "Discrete 25", D2EnableD25, 514, "INDUSTRIAL25_2D_DLG"},
    {315, "Interleaved 25", D2EnableI25, 515, "INTERLEAVE25_2D_DLG"},
    {316, "Codabar", D2EnableCodabar, 516, "CODABAR_2D_DLG"},
    {317, "MSI", D2EnableMsi, 517, "MSI_2D_DLG"},
    {318, "Postal Codes", D2EnablePostal, 518, "POSTAL_2D_DLG", true},
    {319, "RSS-14", D2EnableRss14, 519, "RSS14_2D_DLG"},
    {320, "RSS Limited", D2EnableRssLimited},
    {321, "RSS Expanded", D2EnableRssExpanded},
    {322, "PDF417", D2EnablePdf417, 0, {}, true},
    {323, "MicroPDF417", D2EnableMicroPdf417, 0, {}, true},
    {324, "Code 128 Emulation", D2EnableCode128Emulation, 0, {}, true},
    {325, "Data Matrix", D2EnableDataMatrix, 0, {}, true},
    {326, "Maxicode", D2EnableMaxicode, 0, {}, true},
    {327, "QR Code", D2EnableQrCode, 0, {}, true},
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
