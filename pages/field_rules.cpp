#include "pages/field_rules.h"

#include <algorithm>
#include <climits>

namespace varomil {

ParsedNumber parseSaturating(std::string_view text, unsigned long ceiling) {
    ParsedNumber n;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        n.isNumber = true;
        const unsigned digit = static_cast<unsigned>(c - '0');
        // Once at the ceiling the value stays there, however many digits follow.
        if (n.value >= ceiling || n.value > (ULONG_MAX - digit) / 10) {
            n.value = ceiling;
        } else {
            n.value = std::min(ceiling, n.value * 10 + digit);
        }
    }
    return n;
}

CorrectedNumber correctNumber(std::string_view text, unsigned low, unsigned high,
                              bool aboveGivesLow) {
    // One above the range is enough to tell "too big" from "just right".
    const ParsedNumber parsed = parseSaturating(text, static_cast<unsigned long>(high) + 1);
    CorrectedNumber out;
    if (!parsed.isNumber || parsed.value < low) {
        out.value = low;
        out.filledIn = true;
    } else if (parsed.value > high) {
        out.value = aboveGivesLow ? low : high;
        out.filledIn = aboveGivesLow;
    } else {
        out.value = static_cast<unsigned>(parsed.value);
    }
    out.text = std::to_string(out.value);
    out.rewrite = text != out.text;
    return out;
}

TextSelection selectionAfter(const CorrectedNumber& n) {
    const std::size_t size = n.text.size();
    return {n.filledIn ? 0 : size, size};
}

CutText cutText(std::string_view text, std::size_t maxChars) {
    CutText out;
    out.rewrite = text.size() > maxChars;
    out.text = std::string(text.substr(0, maxChars));
    return out;
}

void zeroFillTextSlot(SettingsImage& image, Field slot) {
    const std::size_t length = image.text(slot).size();
    for (std::size_t i = length; i < slot.width; ++i) image.setByte(slot, 0, i);
}

void blankFillTextSlot(SettingsImage& image, Field slot) {
    if (slot.width == 0) return;
    const std::size_t length = image.text(slot).size();
    for (std::size_t i = length; i + 1 < slot.width; ++i) image.setByte(slot, ' ', i);
    image.setByte(slot, 0, slot.width - 1);
}

}  // namespace varomil
