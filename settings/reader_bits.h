// Every bit field of the two reader blocks that the Barcode page, the symbology
// parameter dialogs or the summary tree read or write, and the image fields that
// go with them. A bit is written down here once: the dialog tables and the tree
// rows both use these names, so the tree always shows what the dialogs store.
#pragma once

#include "settings/bit_field.h"
#include "settings/image_layout.h"

namespace varomil::rb {

// A length qualification: the mode (or option) bits and the two length values.
struct LengthFields {
    BitField mode;
    BitField first;
    BitField second;
};

// ---- Image fields beside the blocks ----

constexpr BitField ReaderType = inImage(fld::ReaderType);
constexpr BitField ReaderType2D = imageBits(fld::ReaderType, 0, 1);
constexpr BitField ReaderTypeRfid = imageBits(fld::ReaderType, 1, 1);
constexpr BitField ReaderTypeLongRange = imageBits(fld::ReaderType, 2, 1);
constexpr BitField Ean128FieldSeparator = inImage(fld::Ean128FieldSeparator);

// ---- 1D block (23 bytes) ----

// Symbology enables.
constexpr BitField EnableCode39 = reader1D(0, 7, 1);
constexpr BitField EnableItalianPharma = reader1D(0, 6, 1);
constexpr BitField EnableFrenchPharma = reader1D(0, 5, 1);
constexpr BitField EnableIndustrial25 = reader1D(0, 4, 1);
constexpr BitField EnableInterleave25 = reader1D(0, 3, 1);
constexpr BitField EnableMatrix25 = reader1D(0, 2, 1);
constexpr BitField EnableCodabar = reader1D(0, 1, 1);
constexpr BitField EnableCode93 = reader1D(0, 0, 1);
constexpr BitField EnableCode128 = reader1D(1, 7, 1);
constexpr BitField EnableUpce = reader1D(1, 6, 1);
constexpr BitField EnableUpceAddon2 = reader1D(1, 5, 1);
constexpr BitField EnableUpceAddon5 = reader1D(1, 4, 1);
constexpr BitField EnableEan8 = reader1D(1, 3, 1);
constexpr BitField EnableEan8Addon2 = reader1D(1, 2, 1);
constexpr BitField EnableEan8Addon5 = reader1D(1, 1, 1);
constexpr BitField EnableEan13 = reader1D(1, 0, 1);
constexpr BitField EnableEan13Addon2 = reader1D(2, 7, 1);
constexpr BitField EnableEan13Addon5 = reader1D(2, 6, 1);
constexpr BitField EnableMsi = reader1D(2, 5, 1);
constexpr BitField EnablePlessey = reader1D(2, 4, 1);
constexpr BitField EnableTelepen = reader1D(2, 2, 1);
constexpr BitField EnableRssLimited = reader1D(2, 0, 1);
constexpr BitField EnableRssExpanded = reader1D(3, 7, 1);
constexpr BitField EnableRss14 = reader1D(3, 6, 1);

// Parameters.
constexpr BitField TelepenNumeric = reader1D(2, 1, 1);
constexpr BitField Rss14TransmitCodeId = reader1D(3, 5, 1);
constexpr BitField Rss14TransmitAppId = reader1D(3, 4, 1);
constexpr BitField Rss14TransmitCheckDigit = reader1D(3, 3, 1);
constexpr BitField RssLimitedTransmitCodeId = reader1D(3, 2, 1);
constexpr BitField RssLimitedTransmitAppId = reader1D(3, 1, 1);
constexpr BitField RssLimitedTransmitCheckDigit = reader1D(3, 0, 1);
constexpr BitField RssExpandedTransmitCodeId = reader1D(4, 7, 1);
constexpr BitField Code39TransmitStartStop = reader1D(5, 7, 1);
constexpr BitField Code39VerifyChecksum = reader1D(5, 6, 1);
constexpr BitField Code39TransmitChecksum = reader1D(5, 5, 1);
constexpr BitField Code39FullAscii = reader1D(5, 4, 1);
constexpr BitField ItalianPharmaTransmitChecksum = reader1D(5, 3, 1);
constexpr BitField FrenchPharmaTransmitChecksum = reader1D(5, 2, 1);
constexpr BitField Interleave25VerifyChecksum = reader1D(5, 1, 1);
constexpr BitField Interleave25TransmitChecksum = reader1D(5, 0, 1);
constexpr BitField Industrial25VerifyChecksum = reader1D(6, 7, 1);
constexpr BitField Industrial25TransmitChecksum = reader1D(6, 6, 1);
constexpr BitField Matrix25VerifyChecksum = reader1D(6, 5, 1);
constexpr BitField Matrix25TransmitChecksum = reader1D(6, 4, 1);
constexpr BitField Interleave25StartStop = reader1D(6, 2, 2);
constexpr BitField Industrial25StartStop = reader1D(6, 0, 2);
constexpr BitField Matrix25StartStop = reader1D(7, 6, 2);
constexpr BitField CodabarStartStopType = reader1D(7, 4, 2);
constexpr BitField CodabarTransmitStartStop = reader1D(7, 3, 1);
// Type and transmit flag together: "None" is all three bits clear.
constexpr BitField CodabarCharacter = reader1D(7, 3, 3);
constexpr BitField MsiVerification = reader1D(9, 6, 2);
constexpr BitField MsiTransmission = reader1D(9, 4, 2);
constexpr BitField PlesseyTransmitChecksum = reader1D(9, 3, 1);
constexpr BitField PlesseyConvertToUk = reader1D(9, 2, 1);
constexpr BitField UpceConvertToUpca = reader1D(9, 1, 1);
constexpr BitField UpcaConvertToEan13 = reader1D(9, 0, 1);
constexpr BitField Ean13IsbnConversion = reader1D(10, 7, 1);
constexpr BitField Ean13IssnConversion = reader1D(10, 6, 1);
constexpr BitField UpceTransmitChecksum = reader1D(10, 5, 1);
constexpr BitField UpcaTransmitChecksum = reader1D(10, 4, 1);
constexpr BitField Ean8TransmitChecksum = reader1D(10, 3, 1);
constexpr BitField Ean13TransmitChecksum = reader1D(10, 2, 1);
constexpr BitField UpceTransmitSystemNumber = reader1D(10, 1, 1);
constexpr BitField UpcaTransmitSystemNumber = reader1D(10, 0, 1);
constexpr BitField Ean8ConvertToEan13 = reader1D(11, 7, 1);
constexpr BitField NegativeBarcode = reader1D(11, 4, 1);
constexpr BitField ReadRedundancy = reader1D(11, 2, 2);

// Length qualification: bit 7 of the first byte is the mode (0 fixed, 1 max/min),
// the low seven bits the first length, the next byte the second.
constexpr LengthFields lengths1D(std::size_t byte) {
    return {reader1D(byte, 7, 1), reader1D(byte, 0, 7), reader1D(byte + 1)};
}
constexpr LengthFields Industrial25Lengths = lengths1D(12);
constexpr LengthFields Interleave25Lengths = lengths1D(14);
constexpr LengthFields Matrix25Lengths = lengths1D(16);
constexpr LengthFields MsiLengths = lengths1D(18);

constexpr BitField ScanMode = reader1D(20, 4, 4);
constexpr BitField ScanTimeout = reader1D(21);
// 0 and 1 mean enabled (bit 7 clear); the page writes 1 or 2.
constexpr BitField Ean128State = reader1D(22, 6, 2);
constexpr BitField Ean128TransmitCodeId = reader1D(22, 5, 1);

// ---- 2D block (45 bytes) ----

// Symbology enables.
constexpr BitField D2EnableUpcA = reader2D(0, 7, 1);
constexpr BitField D2EnableUpcE0 = reader2D(0, 6, 1);
constexpr BitField D2EnableUpcE1 = reader2D(0, 5, 1);
constexpr BitField D2EnableEan8 = reader2D(0, 4, 1);
constexpr BitField D2EnableEan13 = reader2D(0, 3, 1);
constexpr BitField D2EnableBookland = reader2D(0, 2, 1);
constexpr BitField D2EnableCode128 = reader2D(4, 7, 1);
constexpr BitField D2EnableEan128 = reader2D(4, 6, 1);
constexpr BitField D2EnableIsbt128 = reader2D(4, 5, 1);
constexpr BitField D2EnableCode39 = reader2D(5, 7, 1);
constexpr BitField D2EnableTrioptic39 = reader2D(5, 6, 1);
constexpr BitField D2EnableCode93 = reader2D(8, 7, 1);
constexpr BitField D2EnableCode11 = reader2D(11, 7, 1);
constexpr BitField D2EnableI25 = reader2D(14, 7, 1);
constexpr BitField D2EnableD25 = reader2D(17, 7, 1);
constexpr BitField D2EnableCodabar = reader2D(20, 7, 1);
constexpr BitField D2EnableMsi = reader2D(23, 7, 1);
constexpr BitField D2EnablePostal = reader2D(27, 7, 1);
constexpr BitField D2EnableRss14 = reader2D(28, 7, 1);
constexpr BitField D2EnableRssLimited = reader2D(28, 6, 1);
constexpr BitField D2EnableRssExpanded = reader2D(28, 5, 1);
constexpr BitField D2EnablePdf417 = reader2D(29, 7, 1);
constexpr BitField D2EnableMicroPdf417 = reader2D(29, 6, 1);
constexpr BitField D2EnableCode128Emulation = reader2D(29, 5, 1);
constexpr BitField D2EnableDataMatrix = reader2D(29, 4, 1);
constexpr BitField D2EnableMaxicode = reader2D(29, 3, 1);
constexpr BitField D2EnableQrCode = reader2D(29, 2, 1);
// The six two-dimensional symbologies that the long-range laser cannot read.
constexpr BitField D2TwoDimensionalEnables = reader2D(29, 2, 6);

// Reader settings.
constexpr BitField LedIllumination = reader2D(30, 5, 3);
constexpr BitField AimerPattern = reader2D(30, 4, 1);
constexpr BitField Timeout2D = reader2D(30, 0, 4);
constexpr BitField AimDuration = reader2D(31);

// UPC/EAN.
constexpr BitField D2UpcReserved = reader2D(0, 0, 2);
constexpr BitField D2UpcAPreamble = reader2D(1, 6, 2);
constexpr BitField D2UpcE0Preamble = reader2D(1, 4, 2);
constexpr BitField D2UpcE1Preamble = reader2D(1, 2, 2);
constexpr BitField D2UpcATransmitCheck = reader2D(1, 1, 1);
constexpr BitField D2UpcE0TransmitCheck = reader2D(1, 0, 1);
constexpr BitField D2UpcE1TransmitCheck = reader2D(2, 7, 1);
constexpr BitField D2UpcE0ToUpcA = reader2D(2, 6, 1);
constexpr BitField D2UpcE1ToUpcA = reader2D(2, 5, 1);
constexpr BitField D2Ean8ToEan13 = reader2D(2, 4, 1);
constexpr BitField D2Supplementals = reader2D(2, 1, 3);

// Code 39.
constexpr BitField D2Code39Reserved = reader2D(5, 4, 2);
constexpr BitField D2Code39VerifyCheck = reader2D(5, 3, 1);
constexpr BitField D2Code39TransmitCheck = reader2D(5, 2, 1);
constexpr BitField D2Code39FullAscii = reader2D(6, 7, 1);
constexpr LengthFields D2Code39Lengths{reader2D(5, 0, 2), reader2D(6, 0, 7), reader2D(7)};

// The other length-option symbologies: option bits, then two whole length bytes.
constexpr LengthFields lengths2D(std::size_t byte, std::uint8_t shift) {
    return {reader2D(byte, shift, 2), reader2D(byte + 1), reader2D(byte + 2)};
}
constexpr LengthFields D2Code93Lengths = lengths2D(8, 5);
constexpr BitField D2Code11Reserved = reader2D(11, 5, 2);
constexpr LengthFields D2Code11Lengths = lengths2D(11, 3);
constexpr BitField D2I25VerifyUss = reader2D(14, 6, 1);
constexpr BitField D2I25TransmitCheck = reader2D(14, 5, 1);
constexpr BitField D2I25ToEan13 = reader2D(14, 4, 1);
constexpr BitField D2I25VerifyOpcc = reader2D(14, 1, 1);
constexpr LengthFields D2I25Lengths = lengths2D(14, 2);
constexpr LengthFields D2D25Lengths = lengths2D(17, 5);
constexpr BitField D2CodabarReserved = reader2D(20, 6, 1);
constexpr BitField D2CodabarTransmitStartStop = reader2D(20, 5, 1);
constexpr LengthFields D2CodabarLengths = lengths2D(20, 3);
constexpr BitField D2MsiTwoCheckDigits = reader2D(23, 6, 1);
constexpr BitField D2MsiTransmitCheck = reader2D(23, 5, 1);
constexpr BitField D2MsiCheckAlgorithm = reader2D(23, 4, 1);
constexpr LengthFields D2MsiLengths = lengths2D(23, 2);

// Postal codes, bit 7 "US Postnet" down to bit 0 "Dutch Postal".
constexpr BitField d2Postal(std::uint8_t bit) {
    return reader2D(26, bit, 1);
}
constexpr BitField D2RssToUpcEan = reader2D(28, 4, 1);

}  // namespace varomil::rb
