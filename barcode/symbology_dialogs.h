// The thirty symbology parameter dialogs as data: each is its template, caption,
// working block and the rows of its controls, plus the few rules of its own,
// which run on the block when the dialog opens and when it is confirmed.
#pragma once

#include <cstddef>
#include <string_view>

#include "pages/control_table.h"
#include "resources/symbology_ids.h"
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
    PageTable table{};
    // Length qualification: 1D mode bit or 2D option bits, and the two lengths.
    const rb::LengthFields* lengths = nullptr;
    BitField clearOnOpen{};  // reserved bits written as 0 when the dialog opens
    BitField clearOnOk{};    // reserved bits written as 0 on OK
    DialogExtra extra = DialogExtra::None;

    const ControlSpec* begin() const { return table.controls.begin(); }
    const ControlSpec* end() const { return table.controls.end(); }
};

// Control ids shared by the dialogs' templates.
namespace dlgid {
constexpr int kFirstLengthLabel = IDC_SYM_LABEL1;
constexpr int kSecondLengthLabel = IDC_SYM_LABEL2;
constexpr int kFirstLength = IDC_SYM_EDIT1;
constexpr int kSecondLength = IDC_SYM_EDIT2;
constexpr int kFieldSeparator = IDC_SYM_EDIT1;  // EAN128
constexpr int kLengthOption = IDC_SYM_COMBO1;   // 2D
constexpr int kI25Verify = IDC_SYM_COMBO2;      // 2D Interleaved 25
constexpr int kI25TransmitCheck = IDC_SYM_CHECK2;
constexpr int kI25ToEan13 = IDC_SYM_CHECK3;
constexpr int kMsiCheckDigits = IDC_SYM_COMBO3;  // 2D MSI
// 2D length dialogs label their lengths with 102 and 103.
constexpr int kFirstLengthLabel2D = IDC_SYM_LABEL2;
constexpr int kSecondLengthLabel2D = IDC_SYM_LABEL3;
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
