// Value rules shared by every settings page: numbers corrected in place, text
// slots tidied on apply. No windows here, so the rules are tested natively.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings_image.h"

namespace varomil {

// The leading decimal digits of a text as a number that stops growing at
// `ceiling` (so "99999999999" never wraps round to something small). No digit at
// the start: not a number.
struct ParsedNumber {
    bool isNumber = false;
    unsigned long value = 0;
};
ParsedNumber parseSaturating(std::string_view text, unsigned long ceiling);

// What a number edit holds after its in-place correction: the value within
// [low, high] (not a number gives low; above high gives high, or low when
// `aboveGivesLow`) and the text the control must show, which is the value
// without leading zeros. `rewrite` says the control's text differs;
// `filledIn` that the program put in a value the user did not type (nothing,
// below the lowest, or the lowest again after too big), which is selected so
// that the next digit replaces it. A number cut down to its highest is not
// filled in: the caret stays at its end, so further digits leave it there.
struct CorrectedNumber {
    unsigned value = 0;
    std::string text;
    bool rewrite = false;
    bool filledIn = false;
};
CorrectedNumber correctNumber(std::string_view text, unsigned low, unsigned high,
                              bool aboveGivesLow = false);

// The selection of an edit once it shows a rewritten number.
struct TextSelection {
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const TextSelection& o) const { return start == o.start && end == o.end; }
};
TextSelection selectionAfter(const CorrectedNumber& n);

// A typed text cut to what its slot holds; `rewrite` when the control must show less.
struct CutText {
    std::string text;
    bool rewrite = false;
};
CutText cutText(std::string_view text, std::size_t maxChars);

// Zero fill: every byte after the text of the slot becomes 0, so nothing of an
// earlier, longer value travels to the terminal.
void zeroFillTextSlot(SettingsImage& image, Field slot);

// Blank fill: the text padded with blanks to width - 1 characters and a 0 in the
// last byte (prompt lines, which the terminal shows without trimming).
void blankFillTextSlot(SettingsImage& image, Field slot);

}  // namespace varomil
