// The 24 x 80 host screen: characters, reverse-video and tab-stop bits, cursor,
// modes and scrolling region. Pure data plus the cell operations the interpreter
// builds on; every operation clips to the screen, so no caller can write outside it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varomil {

constexpr int kScreenRows = 24;
constexpr int kScreenColumns = 80;
// The text has one row more than the screen; only the alignment fill touches it.
constexpr int kScreenTextRows = 25;
constexpr int kScreenTextSize = kScreenTextRows * kScreenColumns;  // 2,000
constexpr int kBitMapWords = 21;

struct SavedCursor {
    int column = 0;
    int row = 0;
    bool reverse = false;
    bool shiftedOut = false;
};

class TerminalScreen {
  public:
    using BitRow = std::array<std::uint32_t, kBitMapWords>;

    TerminalScreen() { reset(); }

    // Power-on state: empty screen, default modes, tab stops at 7, 15, ..., 79.
    void reset();

    std::uint8_t cell(int row, int column) const;
    void setCell(int row, int column, std::uint8_t ch);
    bool reverseAt(int row, int column) const { return bit(reverseMap[clampRow(row)], column); }
    void setReverseAt(int row, int column, bool on) {
        setBit(reverseMap[clampRow(row)], column, on);
    }
    bool tabStopAt(int row, int column) const { return bit(tabStopMap[clampRow(row)], column); }
    void setTabStopAt(int row, int column, bool on) {
        setBit(tabStopMap[clampRow(row)], column, on);
    }
    void clearAllTabStops();
    // Reverse bits of cells [from, to) of a row; clipped to the row.
    void setReverseRange(int row, int from, int to, bool on);

    // The 80 cells of a row as stored (0 for empty cells).
    std::string rowText(int row) const;

    // Cells [from, to) of a row get text 0 and a clear reverse bit; clipped to 0..80.
    void clearCells(int row, int from, int to);
    void clearRow(int row) { clearCells(row, 0, kScreenColumns); }
    void copyRow(int from, int to);
    // Scroll rows top..bottom (0-based, inclusive) by one; the row that comes in is empty.
    void scrollUp(int top, int bottom);
    void scrollDown(int top, int bottom);

    // Region rows, 0-based: the whole screen unless a region is in force.
    int regionTop() const { return fullScreen ? 0 : topMargin - 1; }
    int regionBottom() const { return fullScreen ? kScreenRows - 1 : bottomMargin - 1; }

    void setCursor(int row, int column);

    std::array<std::uint8_t, kScreenTextSize> text{};  // row-major, 0 = empty
    std::array<BitRow, kScreenRows> reverseMap{};
    std::array<BitRow, kScreenRows> tabStopMap{};

    int row = 0;
    int column = 0;  // 0..80; 80 is the pending-wrap position
    bool reverse = false;
    bool shiftedOut = false;
    bool autoWrap = false;
    bool insertMode = false;
    bool newLineMode = false;
    bool applicationCursorKeys = false;
    bool keypadApplication = false;
    bool fullScreen = true;
    int topMargin = 1;  // 1-based
    int bottomMargin = kScreenRows;
    SavedCursor saved;
    bool caretVisible = true;

    // Telnet flags kept with the screen because the key handling reads them too.
    bool remoteEcho = false;
    bool suppressGoAhead = true;

    static int clampRow(int r) { return r < 0 ? 0 : (r >= kScreenRows ? kScreenRows - 1 : r); }
    static int clampColumn(int c) { return c < 0 ? 0 : (c > kScreenColumns ? kScreenColumns : c); }

  private:
    static bool bit(const BitRow& r, int column) {
        if (column < 0 || column >= kBitMapWords * 32) return false;
        return (r[column / 32] >> (column % 32)) & 1u;
    }
    static void setBit(BitRow& r, int column, bool on) {
        if (column < 0 || column >= kBitMapWords * 32) return;
        const std::uint32_t mask = 1u << (column % 32);
        if (on)
            r[column / 32] |= mask;
        else
            r[column / 32] &= ~mask;
    }
};

}  // namespace varomil
