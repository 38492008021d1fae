#include "host/terminal_screen.h"

#include <algorithm>

namespace varomil {

void TerminalScreen::reset() {
    text.fill(0);
    for (auto& r : reverseMap) r.fill(0);
    clearAllTabStops();
    remoteEcho = false;
    suppressGoAhead = true;
    autoWrap = false;
    shiftedOut = false;
    reverse = false;
    fullScreen = true;
    insertMode = false;
    applicationCursorKeys = false;
    newLineMode = false;
    keypadApplication = false;
    topMargin = 1;
    bottomMargin = kScreenRows;
    row = 0;
    column = 0;
    saved = SavedCursor{};
    caretVisible = true;
    // Stops one column before the usual 8, 16, ...: hosts written for this
    // terminal lay out their forms on these columns.
    for (int r = 0; r < kScreenRows; ++r)
        for (int c = 7; c < kScreenColumns; c += 8) setTabStopAt(r, c, true);
}

std::uint8_t TerminalScreen::cell(int r, int c) const {
    if (r < 0 || r >= kScreenTextRows || c < 0 || c >= kScreenColumns) return 0;
    return text[r * kScreenColumns + c];
}

void TerminalScreen::setCell(int r, int c, std::uint8_t ch) {
    if (r < 0 || r >= kScreenRows || c < 0 || c >= kScreenColumns) return;
    text[r * kScreenColumns + c] = ch;
}

void TerminalScreen::clearAllTabStops() {
    for (auto& r : tabStopMap) r.fill(0);
}

std::string TerminalScreen::rowText(int r) const {
    r = clampRow(r);
    return std::string(reinterpret_cast<const char*>(&text[r * kScreenColumns]), kScreenColumns);
}

void TerminalScreen::setReverseRange(int r, int from, int to, bool on) {
    if (r < 0 || r >= kScreenRows) return;
    from = std::max(from, 0);
    to = std::min(to, kScreenColumns);
    BitRow& bits = reverseMap[r];
    // Whole words at a time: a full-screen erase is 24 rows of 80 bits.
    while (from < to) {
        const int word = from / 32;
        const int first = from % 32;
        const int last = std::min(to - word * 32, 32);  // one past the last bit in this word
        const std::uint32_t upper = last == 32 ? ~0u : (1u << last) - 1u;
        const std::uint32_t mask = upper & ~((1u << first) - 1u);
        if (on)
            bits[word] |= mask;
        else
            bits[word] &= ~mask;
        from = word * 32 + last;
    }
}

void TerminalScreen::clearCells(int r, int from, int to) {
    if (r < 0 || r >= kScreenRows) return;
    from = std::max(from, 0);
    to = std::min(to, kScreenColumns);
    if (from >= to) return;
    std::fill(&text[r * kScreenColumns + from], &text[r * kScreenColumns + to], 0);
    setReverseRange(r, from, to, false);
}

void TerminalScreen::copyRow(int from, int to) {
    if (from < 0 || from >= kScreenRows || to < 0 || to >= kScreenRows || from == to) return;
    std::copy_n(&text[from * kScreenColumns], kScreenColumns, &text[to * kScreenColumns]);
    reverseMap[to] = reverseMap[from];
}

void TerminalScreen::scrollUp(int top, int bottom) {
    top = clampRow(top);
    bottom = clampRow(bottom);
    if (top > bottom) return;
    // The region's rows are contiguous: one move instead of a copy per row.
    std::copy(text.data() + (top + 1) * kScreenColumns, text.data() + (bottom + 1) * kScreenColumns,
              text.data() + top * kScreenColumns);
    std::copy(reverseMap.begin() + top + 1, reverseMap.begin() + bottom + 1,
              reverseMap.begin() + top);
    clearRow(bottom);
}

void TerminalScreen::scrollDown(int top, int bottom) {
    top = clampRow(top);
    bottom = clampRow(bottom);
    if (top > bottom) return;
    std::copy_backward(text.data() + top * kScreenColumns, text.data() + bottom * kScreenColumns,
                       text.data() + (bottom + 1) * kScreenColumns);
    std::copy_backward(reverseMap.begin() + top, reverseMap.begin() + bottom,
                       reverseMap.begin() + bottom + 1);
    clearRow(top);
}

void TerminalScreen::setCursor(int r, int c) {
    row = clampRow(r);
    column = clampColumn(c);
}

}  // namespace varomil
