#include "barcode/symbology_dialogs.h"

#include <algorithm>
#include <iterator>

#include "settings/value_lists.h"

namespace varomil {

namespace {

using namespace rb;
namespace txt = lists;

constexpr unsigned kMaxLength = 127;
constexpr std::size_t kLengthDigits = 3;  // 1..127, typed in both families
constexpr unsigned kRange = 3;
constexpr unsigned kTwoLengths = 2;
constexpr unsigned kMaxMin = 1;

constexpr BitField none{};

// The upper bit of a two-bit option: set for "Two Lengths" and "Range".
constexpr BitField upperBit(BitField f) {
    return {f.area, f.field, static_cast<std::uint8_t>(f.shift + 1), 1};
}

// ---- 1D ----

constexpr ControlSpec kCode39[] = {
    checkBox(IDC_SYM_CHECK1, Code39TransmitStartStop),
    checkBox(IDC_SYM_CHECK2, Code39VerifyChecksum),
    checkBox(IDC_SYM_CHECK3, Code39TransmitChecksum),
    checkBox(IDC_SYM_CHECK4, Code39FullAscii),
};
constexpr ControlSpec kItalianPharma[] = {checkBox(IDC_SYM_CHECK1, ItalianPharmaTransmitChecksum)};
constexpr ControlSpec kFrenchPharma[] = {checkBox(IDC_SYM_CHECK1, FrenchPharmaTransmitChecksum)};

// Start/stop radios, the two check boxes, the length radios and edits.
#define LENGTH_25_ROWS(startStop, verify, transmit, L)                                 \
    {                                                                                  \
        radio(IDC_SYM_RADIO1, startStop, 0), radio(IDC_SYM_RADIO2, startStop, 1),      \
            radio(IDC_SYM_RADIO3, startStop, 2), checkBox(IDC_SYM_CHECK1, verify),     \
            checkBox(IDC_SYM_CHECK2, transmit), radio(IDC_SYM_RADIO4, L.mode, 0),      \
            radio(IDC_SYM_RADIO5, L.mode, 1),                                          \
            withDigits(number(IDC_SYM_EDIT1, L.first, 1, kMaxLength), kLengthDigits),  \
            withDigits(number(IDC_SYM_EDIT2, L.second, 1, kMaxLength), kLengthDigits), \
    }
constexpr ControlSpec kIndustrial25[] =
    LENGTH_25_ROWS(Industrial25StartStop, Industrial25VerifyChecksum, Industrial25TransmitChecksum,
                   Industrial25Lengths);
constexpr ControlSpec kInterleave25[] =
    LENGTH_25_ROWS(Interleave25StartStop, Interleave25VerifyChecksum, Interleave25TransmitChecksum,
                   Interleave25Lengths);
constexpr ControlSpec kMatrix25[] = LENGTH_25_ROWS(Matrix25StartStop, Matrix25VerifyChecksum,
                                                   Matrix25TransmitChecksum, Matrix25Lengths);
#undef LENGTH_25_ROWS

// "None" is the transmit flag clear; the others set it beside the type.
constexpr ControlSpec kCodabar[] = {
    radio(IDC_SYM_RADIO1, CodabarTransmitStartStop, 0),
    radio(IDC_SYM_RADIO2, CodabarCharacter, 0b001),
    radio(IDC_SYM_RADIO3, CodabarCharacter, 0b011),
    radio(IDC_SYM_RADIO4, CodabarCharacter, 0b101),
    radio(IDC_SYM_RADIO5, CodabarCharacter, 0b111),
};
constexpr ControlSpec kMsi[] = {
    radio(IDC_SYM_RADIO1, MsiVerification, 0),
    radio(IDC_SYM_RADIO2, MsiVerification, 1),
    radio(IDC_SYM_RADIO3, MsiVerification, 2),
    radio(IDC_SYM_RADIO4, MsiTransmission, 0),
    radio(IDC_SYM_RADIO5, MsiTransmission, 1),
    radio(IDC_SYM_RADIO6, MsiTransmission, 2),
    radio(IDC_SYM_RADIO7, MsiLengths.mode, 0),
    radio(IDC_SYM_RADIO8, MsiLengths.mode, 1),
    withDigits(number(IDC_SYM_EDIT1, MsiLengths.first, 1, kMaxLength), kLengthDigits),
    withDigits(number(IDC_SYM_EDIT2, MsiLengths.second, 1, kMaxLength), kLengthDigits),
};
constexpr ControlSpec kPlessey[] = {
    checkBox(IDC_SYM_CHECK1, PlesseyConvertToUk),
    checkBox(IDC_SYM_CHECK2, PlesseyTransmitChecksum),
};
constexpr ControlSpec kUpce[] = {
    checkBox(IDC_SYM_CHECK1, UpceConvertToUpca),
    checkBox(IDC_SYM_CHECK2, UpceTransmitSystemNumber),
    checkBox(IDC_SYM_CHECK3, UpceTransmitChecksum),
};
constexpr ControlSpec kEan8[] = {
    checkBox(IDC_SYM_CHECK1, Ean8ConvertToEan13),
    checkBox(IDC_SYM_CHECK2, Ean8TransmitChecksum),
};
constexpr ControlSpec kEan13[] = {
    checkBox(IDC_SYM_CHECK1, Ean13IsbnConversion),
    checkBox(IDC_SYM_CHECK2, Ean13IssnConversion),
    checkBox(IDC_SYM_CHECK3, Ean13TransmitChecksum),
    checkBox(IDC_SYM_CHECK4, UpcaTransmitSystemNumber),
    checkBox(IDC_SYM_CHECK5, UpcaTransmitChecksum),
    checkBox(IDC_SYM_CHECK6, UpcaConvertToEan13),
};
constexpr ControlSpec kTelepen[] = {
    radio(IDC_SYM_RADIO1, TelepenNumeric, 1),
    radio(IDC_SYM_RADIO2, TelepenNumeric, 0),
};
constexpr ControlSpec kRss14[] = {
    checkBox(IDC_SYM_CHECK1, Rss14TransmitCodeId),
    checkBox(IDC_SYM_CHECK2, Rss14TransmitAppId),
    checkBox(IDC_SYM_CHECK3, Rss14TransmitCheckDigit),
};
constexpr ControlSpec kRssLimited[] = {
    checkBox(IDC_SYM_CHECK1, RssLimitedTransmitCodeId),
    checkBox(IDC_SYM_CHECK2, RssLimitedTransmitAppId),
    checkBox(IDC_SYM_CHECK3, RssLimitedTransmitCheckDigit),
};
constexpr ControlSpec kRssExpanded[] = {checkBox(IDC_SYM_CHECK1, RssExpandedTransmitCodeId)};
constexpr ControlSpec kEan128[] = {
    checkBox(IDC_SYM_CHECK1, Ean128TransmitCodeId),
    grid(dlgid::kFieldSeparator, Ean128FieldSeparator, GridMode::KeyNames, GridLength::OneIfNonZero,
         1),
};

// ---- 2D ----

constexpr ControlSpec kUpcA2D[] = {
    combo(IDC_SYM_COMBO1, D2UpcAPreamble, txt::kPreamble),
    combo(IDC_SYM_COMBO2, D2Supplementals, txt::kSupplementals),
    checkBox(IDC_SYM_CHECK1, D2UpcATransmitCheck),
};
constexpr ControlSpec kUpcE02D[] = {
    combo(IDC_SYM_COMBO1, D2UpcE0Preamble, txt::kPreamble),
    combo(IDC_SYM_COMBO2, D2Supplementals, txt::kSupplementals),
    checkBox(IDC_SYM_CHECK1, D2UpcE0TransmitCheck),
    checkBox(IDC_SYM_CHECK2, D2UpcE0ToUpcA),
};
constexpr ControlSpec kUpcE12D[] = {
    combo(IDC_SYM_COMBO1, D2UpcE1Preamble, txt::kPreamble),
    combo(IDC_SYM_COMBO2, D2Supplementals, txt::kSupplementals),
    checkBox(IDC_SYM_CHECK1, D2UpcE1TransmitCheck),
    checkBox(IDC_SYM_CHECK2, D2UpcE1ToUpcA),
};
constexpr ControlSpec kEan82D[] = {
    combo(IDC_SYM_COMBO1, D2Supplementals, txt::kSupplementals),
    checkBox(IDC_SYM_CHECK1, D2Ean8ToEan13),
};

// The length option and the two lengths of a 2D length dialog.
constexpr ControlSpec optionRow(const LengthFields& L) {
    return combo(dlgid::kLengthOption, L.mode, txt::kLengthOption);
}
constexpr ControlSpec firstRow(const LengthFields& L) {
    return withDigits(number(dlgid::kFirstLength, L.first, 0, kMaxLength), kLengthDigits);
}
constexpr ControlSpec secondRow(const LengthFields& L) {
    return withDigits(number(dlgid::kSecondLength, L.second, 0, kMaxLength), kLengthDigits);
}

constexpr ControlSpec kCode392D[] = {
    checkBox(IDC_SYM_CHECK3, D2Code39VerifyCheck),
    checkBox(IDC_SYM_CHECK4, D2Code39TransmitCheck),
    checkBox(IDC_SYM_CHECK5, D2Code39FullAscii),
    optionRow(D2Code39Lengths),
    firstRow(D2Code39Lengths),
    secondRow(D2Code39Lengths),
};
constexpr ControlSpec kCode932D[] = {optionRow(D2Code93Lengths), firstRow(D2Code93Lengths),
                                     secondRow(D2Code93Lengths)};
constexpr ControlSpec kCode112D[] = {optionRow(D2Code11Lengths), firstRow(D2Code11Lengths),
                                     secondRow(D2Code11Lengths)};
// The verification combo is the dialog's own: see i25VerifyShown.
constexpr ControlSpec kI252D[] = {
    optionRow(D2I25Lengths),
    firstRow(D2I25Lengths),
    secondRow(D2I25Lengths),
    checkBox(dlgid::kI25TransmitCheck, D2I25TransmitCheck),
    checkBox(dlgid::kI25ToEan13, D2I25ToEan13),
};
constexpr ControlSpec kD252D[] = {optionRow(D2D25Lengths), firstRow(D2D25Lengths),
                                  secondRow(D2D25Lengths)};
constexpr ControlSpec kCodabar2D[] = {
    checkBox(IDC_SYM_CHECK2, D2CodabarTransmitStartStop),
    optionRow(D2CodabarLengths),
    firstRow(D2CodabarLengths),
    secondRow(D2CodabarLengths),
};
constexpr ControlSpec kMsi2D[] = {
    checkBox(IDC_SYM_CHECK1, D2MsiTransmitCheck),
    combo(dlgid::kMsiCheckDigits, D2MsiTwoCheckDigits, txt::kMsiCheckDigits),
    combo(IDC_SYM_COMBO2, D2MsiCheckAlgorithm, txt::kMsiAlgorithm),
    optionRow(D2MsiLengths),
    firstRow(D2MsiLengths),
    secondRow(D2MsiLengths),
};
constexpr ControlSpec kPostal2D[] = {
    checkBox(IDC_SYM_CHECK1, d2Postal(7)), checkBox(IDC_SYM_CHECK2, d2Postal(6)),
    checkBox(IDC_SYM_CHECK3, d2Postal(5)), checkBox(IDC_SYM_CHECK4, d2Postal(4)),
    checkBox(IDC_SYM_CHECK5, d2Postal(3)), checkBox(IDC_SYM_CHECK6, d2Postal(2)),
    checkBox(IDC_SYM_CHECK7, d2Postal(1)), checkBox(IDC_SYM_CHECK8, d2Postal(0)),
};
constexpr ControlSpec kRss142D[] = {checkBox(IDC_SYM_CHECK1, D2RssToUpcEan)};

// The first length (its label and edit) is used from "One Length" on, the second
// by "Two Lengths" and "Range".
#define LENGTH_ENABLES(L)                                                    \
    {                                                                        \
        EnableRule{IDC_SYM_LABEL2, IDC_SYM_LABEL2, L.mode, 0, true},         \
            EnableRule{IDC_SYM_EDIT1, IDC_SYM_EDIT1, L.mode, 0, true},       \
            EnableRule{IDC_SYM_LABEL3, IDC_SYM_LABEL3, upperBit(L.mode), 1}, \
            EnableRule{IDC_SYM_EDIT2, IDC_SYM_EDIT2, upperBit(L.mode), 1},   \
    }
constexpr EnableRule kCode39Enables[] = LENGTH_ENABLES(D2Code39Lengths);
constexpr EnableRule kCode93Enables[] = LENGTH_ENABLES(D2Code93Lengths);
constexpr EnableRule kCode11Enables[] = LENGTH_ENABLES(D2Code11Lengths);
constexpr EnableRule kI25Enables[] = LENGTH_ENABLES(D2I25Lengths);
constexpr EnableRule kD25Enables[] = LENGTH_ENABLES(D2D25Lengths);
constexpr EnableRule kCodabarEnables[] = LENGTH_ENABLES(D2CodabarLengths);
#undef LENGTH_ENABLES
constexpr EnableRule kMsiEnables[] = {
    EnableRule{IDC_SYM_LABEL2, IDC_SYM_LABEL2, D2MsiLengths.mode, 0, true},
    EnableRule{IDC_SYM_EDIT1, IDC_SYM_EDIT1, D2MsiLengths.mode, 0, true},
    EnableRule{IDC_SYM_LABEL3, IDC_SYM_LABEL3, upperBit(D2MsiLengths.mode), 1},
    EnableRule{IDC_SYM_EDIT2, IDC_SYM_EDIT2, upperBit(D2MsiLengths.mode), 1},
    // The algorithm matters only with two check digits.
    EnableRule{IDC_SYM_LABEL4, IDC_SYM_LABEL4, D2MsiTwoCheckDigits, 1},
    EnableRule{IDC_SYM_COMBO2, IDC_SYM_COMBO2, D2MsiTwoCheckDigits, 1},
};

template <std::size_t N>
constexpr SymbologyDialog dialog(std::string_view name, std::string_view caption, Area block,
                                 const ControlSpec (&rows)[N]) {
    return {name, caption, block, {rows, {}}};
}
template <std::size_t N, std::size_t M>
constexpr SymbologyDialog lengthDialog2D(std::string_view name, std::string_view caption,
                                         const ControlSpec (&rows)[N],
                                         const EnableRule (&enables)[M],
                                         const LengthFields& lengths) {
    SymbologyDialog d = dialog(name, caption, Area::Reader2D, rows);
    d.table.enables = enables;
    d.lengths = &lengths;
    return d;
}
constexpr SymbologyDialog withLengths(SymbologyDialog d, const LengthFields& lengths) {
    d.lengths = &lengths;
    return d;
}
constexpr SymbologyDialog clearing(SymbologyDialog d, BitField onOk, BitField onOpen = none) {
    d.clearOnOk = onOk;
    d.clearOnOpen = onOpen;
    return d;
}
constexpr SymbologyDialog withExtra(SymbologyDialog d, DialogExtra extra) {
    d.extra = extra;
    return d;
}

constexpr Area k1D = Area::Reader1D;
constexpr Area k2D = Area::Reader2D;

const SymbologyDialog kDialogs[] = {
    dialog("CODE39DLG", "Code 39 Parameters", k1D, kCode39),
    dialog("ITALYPHARMADLG", "Italian Pharmacode Parameters", k1D, kItalianPharma),
    dialog("FRENCHPHARMADLG", "French Pharmacode Parameters", k1D, kFrenchPharma),
    withLengths(dialog("INDUSTRIAL25DLG", "Industrial 25 Parameters", k1D, kIndustrial25),
                Industrial25Lengths),
    withLengths(dialog("INTERLEAVE25DLG", "Interleave 25 Parameters", k1D, kInterleave25),
                Interleave25Lengths),
    withLengths(dialog("MATRIX25DLG", "Matrix 25 Parameters", k1D, kMatrix25), Matrix25Lengths),
    withExtra(dialog("CODABARDLG", "Codabar Parameters", k1D, kCodabar), DialogExtra::CodabarNone),
    withLengths(dialog("MSIDLG", "MSI Parameters", k1D, kMsi), MsiLengths),
    dialog("PLESSEYDLG", "Plessey Parameters", k1D, kPlessey),
    dialog("UPCEDLG", "UPCE Parameters", k1D, kUpce),
    dialog("EAN8DLG", "EAN 8 Parameters", k1D, kEan8),
    dialog("EAN13DLG", "EAN 13 and UPCA Parameters", k1D, kEan13),
    dialog("TELEPENDLG", "Telepen Parameters", k1D, kTelepen),
    dialog("RSS14DLG", "RSS14 Parameters", k1D, kRss14),
    dialog("RSS14LIMITEDDLG", "RSS14 Limited Parameters", k1D, kRssLimited),
    dialog("RSS14EXPANDEDDLG", "RSS14 Expanded Parameters", k1D, kRssExpanded),
    dialog("EAN128DLG", "EAN128 Parameters", k1D, kEan128),

    clearing(dialog("UPCA_2D_DLG", "UPC-A Parameters", k2D, kUpcA2D), D2UpcReserved),
    clearing(dialog("UPCE_2D_DLG", "UPC-E0 Parameters", k2D, kUpcE02D), D2UpcReserved),
    clearing(dialog("UPCE1_2D_DLG", "UPC-E1 Parameters", k2D, kUpcE12D), D2UpcReserved),
    dialog("EAN8_2D_DLG", "EAN8 Parameters", k2D, kEan82D),
    clearing(lengthDialog2D("CODE39_2D_DLG", "Code 39 Parameters", kCode392D, kCode39Enables,
                            D2Code39Lengths),
             D2Code39Reserved, D2Code39Reserved),
    lengthDialog2D("CODE93_2D_DLG", "Code 93 Parameters", kCode932D, kCode93Enables,
                   D2Code93Lengths),
    clearing(lengthDialog2D("CODE11_2D_DLG", "Code 11 Parameters", kCode112D, kCode11Enables,
                            D2Code11Lengths),
             D2Code11Reserved),
    withExtra(lengthDialog2D("INTERLEAVE25_2D_DLG", "Interleaved 25 Parameters", kI252D,
                             kI25Enables, D2I25Lengths),
              DialogExtra::I25Verify),
    lengthDialog2D("INDUSTRIAL25_2D_DLG", "Discrete 25 Parameters", kD252D, kD25Enables,
                   D2D25Lengths),
    clearing(lengthDialog2D("CODABAR_2D_DLG", "Codabar Parameters", kCodabar2D, kCodabarEnables,
                            D2CodabarLengths),
             D2CodabarReserved),
    withExtra(lengthDialog2D("MSI_2D_DLG", "MSI Parameters", kMsi2D, kMsiEnables, D2MsiLengths),
              DialogExtra::MsiAlgorithm),
    dialog("POSTAL_2D_DLG", "Postal Code Parameters", k2D, kPostal2D),
    dialog("RSS14_2D_DLG", "RSS-14 Parameters", k2D, kRss142D),
};

bool present(const BitField& f) {
    return f.field.width != 0;
}

// 1D: max/min mode keeps the larger length first and stores lengths of 1..127
// (a second length stored past 127 must not land in the first's seven bits).
void orderLengths1D(const LengthFields& L, ByteSpan block) {
    if (readBits(block, L.mode) != kMaxMin) return;
    unsigned first = std::clamp(readBits(block, L.first), 1u, kMaxLength);
    unsigned second = std::clamp(readBits(block, L.second), 1u, kMaxLength);
    if (second > first) std::swap(first, second);
    writeBits(block, L.first, first);
    writeBits(block, L.second, second);
}

// 2D: lengths the option does not use are 0; no length at all means "Any Length";
// "Two Lengths" keeps the larger first. A stored length the user left alone is
// kept as it was, even past what can be typed.
void orderLengths2D(const LengthFields& L, ByteSpan block) {
    unsigned option = readBits(block, L.mode);
    unsigned first = option != 0 ? readBits(block, L.first) : 0;
    unsigned second = option >= kTwoLengths ? readBits(block, L.second) : 0;
    if (first == 0 && second == 0) {
        option = 0;
    } else if (option == kTwoLengths && first < second) {
        std::swap(first, second);
    }
    writeBits(block, L.mode, option);
    writeBits(block, L.first, first);
    writeBits(block, L.second, second);
}

}  // namespace

std::size_t symbologyDialogCount() {
    return std::size(kDialogs);
}

const SymbologyDialog& symbologyDialog(std::size_t i) {
    return kDialogs[i];
}

const SymbologyDialog* findSymbologyDialog(std::string_view templateName) {
    for (const SymbologyDialog& d : kDialogs) {
        if (d.templateName == templateName) return &d;
    }
    return nullptr;
}

void openDialog(const SymbologyDialog& d, ByteSpan block) {
    if (present(d.clearOnOpen)) writeBits(block, d.clearOnOpen, 0);
}

LengthLabels lengthLabels(const SymbologyDialog& d, unsigned modeOrOption) {
    if (d.block == Area::Reader1D) {
        return modeOrOption == kMaxMin ? LengthLabels{"Max Length :", "Min Length :"}
                                       : LengthLabels{"Fixed Length 1:", "Fixed Length 2:"};
    }
    return modeOrOption == kRange ? LengthLabels{"Min Len :", "Max Len :"}
                                  : LengthLabels{"Length 1 :", "Length 2 :"};
}

int i25VerifyShown(ByteSpan block) {
    if (readBits(block, D2I25VerifyOpcc)) return 2;
    return readBits(block, D2I25VerifyUss) ? 1 : 0;
}

void storeI25Verify(ByteSpan block, int index) {
    if (index < 0 || index > 2) return;
    writeBits(block, D2I25VerifyUss, index == 1 ? 1 : 0);
    writeBits(block, D2I25VerifyOpcc, index == 2 ? 1 : 0);
}

void dialogChanged(const SymbologyDialog& d, ByteSpan block, int id) {
    if (d.block == Area::Reader2D && d.lengths && id == dlgid::kLengthOption) {
        const unsigned option = readBits(block, d.lengths->mode);
        if (option >= 1) writeBits(block, d.lengths->first, 0);
        if (option >= kTwoLengths) writeBits(block, d.lengths->second, 0);
    }
    if (d.extra != DialogExtra::I25Verify) return;
    if (id == dlgid::kI25TransmitCheck && readBits(block, D2I25TransmitCheck)) {
        writeBits(block, D2I25ToEan13, 0);
    } else if (id == dlgid::kI25ToEan13 && readBits(block, D2I25ToEan13)) {
        writeBits(block, D2I25TransmitCheck, 0);
        storeI25Verify(block, 0);
    } else if (id == dlgid::kI25Verify && i25VerifyShown(block) != 0) {
        writeBits(block, D2I25ToEan13, 0);
    }
}

void finishDialogOk(const SymbologyDialog& d, ByteSpan block) {
    if (present(d.clearOnOk)) writeBits(block, d.clearOnOk, 0);
    if (d.lengths) {
        if (d.block == Area::Reader1D) {
            orderLengths1D(*d.lengths, block);
        } else {
            orderLengths2D(*d.lengths, block);
        }
    }
    switch (d.extra) {
        case DialogExtra::CodabarNone:
            if (readBits(block, CodabarTransmitStartStop) == 0) {
                writeBits(block, CodabarStartStopType, 0);
            }
            break;
        case DialogExtra::I25Verify:
            // Both verifications stored: the one the combo shows is kept.
            storeI25Verify(block, i25VerifyShown(block));
            break;
        case DialogExtra::MsiAlgorithm:
            if (readBits(block, D2MsiTwoCheckDigits) == 0) writeBits(block, D2MsiCheckAlgorithm, 0);
            break;
        default:
            break;
    }
}

}  // namespace varomil
