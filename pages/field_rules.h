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
// [low, high] (not a number gives low) and the text the control must show, which
// is the value without leading zeros. `rewrite` says the control's text differs;
// `replaced` that the value is not the one typed (the user's next digit should
// replace it rather than extend it).
struct CorrectedNumber {
    unsigned value = 0;
    std::string text;
    bool rewrite = false;
    bool replaced = false;
};
CorrectedNumber correctNumber(std::string_view text, unsigned low, unsigned high);

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
