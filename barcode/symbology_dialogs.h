// The thirty symbology parameter dialogs as data: each is its template, caption,
// working block and the rows of its controls, plus the few rules of its own,
// which run on the block when the dialog opens and when it is confirmed.
#pragma once

#include <cstddef>
#include <string_view>

#include "pages/control_table.h"
#include "settings/reader_bits.h"

namespace varomil {

// The rules a dialog adds to its table.
enum class DialogExtra : std::uint8_t {
    None,
    CodabarNone,   // "None" (transmit flag clear) also clears the start/stop type
    I25Verify,     // combo 402 shows and stores the USS / OPCC bits
    MsiAlgorithm,  // one check digit stores the algorithm bit as 0
};

struct SymbologyDialog {
    std::string_view templateName;
    std::string_view caption;
    Area block;  // Reader1D or Reader2D
    const ControlSpec* rows;
    std::size_t rowCount;
    const EnableRule* enables = nullptr;
    std::size_t enableCount = 0;
    // Length qualification: 1D mode bit or 2D option bits, and the two lengths.
    const rb::LengthFields* lengths = nullptr;
    BitField clearOnOpen{};  // reserved bits written as 0 when the dialog opens
    BitField clearOnOk{};    // reserved bits written as 0 on OK
    DialogExtra extra = DialogExtra::None;

    const ControlSpec* begin() const { return rows; }
    const ControlSpec* end() const { return rows + rowCount; }
};

// Control ids shared by the dialogs' templates.
namespace dlgid {
constexpr int kFirstLengthLabel = 101;
constexpr int kSecondLengthLabel = 102;
constexpr int kFirstLength = 201;
constexpr int kSecondLength = 202;
constexpr int kFieldSeparator = 201;  // EAN128
constexpr int kLengthOption = 401;    // 2D
constexpr int kI25Verify = 402;       // 2D Interleaved 25
constexpr int kI25TransmitCheck = 302;
constexpr int kI25ToEan13 = 303;
constexpr int kMsiCheckDigits = 403;  // 2D MSI
// 2D length dialogs label their lengths with 102 and 103.
constexpr int kFirstLengthLabel2D = 102;
constexpr int kSecondLengthLabel2D = 103;
}  // namespace dlgid

std::size_t symbologyDialogCount();  // 30
const SymbologyDialog& symbologyDialog(std::size_t i);
// The dialog of a template name, or none.
const SymbologyDialog* findSymbologyDialog(std::string_view templateName);

// Opening: bits the dialog clears on the working block itself (kept even when the
// dialog is then cancelled).
void openDialog(const SymbologyDialog& d, ByteSpan block);

// The texts of the two length labels for the length mode (1D) or option (2D)
// now chosen.
struct LengthLabels {
    std::string_view first;
    std::string_view second;
};
LengthLabels lengthLabels(const SymbologyDialog& d, unsigned modeOrOption);

// 2D Interleaved 25: the verification combo's entry for the stored bits, and the
// bits for an entry (-1, none: the bits are kept).
int i25VerifyShown(ByteSpan block);
void storeI25Verify(ByteSpan block, int index);

// After the control `id` stored a change into the dialog's copy of the block (a
// new length option, a click, a new verification): the rules that change other
// controls. A 2D length option empties the lengths it
// starts using; in the 2D Interleaved 25 dialog "Transmit Checksum" (302) and the
// EAN13 conversion (303) exclude each other, and the conversion goes with
// " No verify" only (combo 402).
void dialogChanged(const SymbologyDialog& d, ByteSpan block, int id);

// OK: the dialog's own rules on its copy of the block, which holds what the
// controls show.
void finishDialogOk(const SymbologyDialog& d, ByteSpan block);

}  // namespace varomil
