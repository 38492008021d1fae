// Control-sequence functions and the table that selects them by
// (leader, intermediate, final). Every position and count is clipped here so that
// no sequence, however hostile, addresses a cell outside the 24 x 80 screen.
#include <algorithm>
#include <cstdio>

#include "host/vt_interpreter.h"

namespace varomil {

namespace {

constexpr int kLastColumn = kScreenColumns - 1;

// A count or position: the one number of the text, the default when empty.
// Lists are not counts: "1;2" is refused rather than read as one number.
bool single(const CsiParams& p, int defaultValue, int& n) {
    if (p.count != 1) return false;
    const bool empty = p.length == (p.leader != 0 ? 1u : 0u);
    n = empty ? defaultValue : p.values[0];
    return true;
}

int atLeastOne(int n) {
    return n == 0 ? 1 : n;
}
int positionToIndex(int n) {
    return n == 0 ? 0 : n - 1;
}

// The last character of the text minus "0"; empty text selects 0.
int lastDigit(const CsiParams& p) {
    return p.length == 0 ? 0 : static_cast<unsigned char>(p.text[p.length - 1]) - '0';
}

void sgr(VtInterpreter& vt, const CsiParams& p) {
    for (int i = 0; i < p.count; ++i) {
        if (p.values[i] == 7) vt.screen().reverse = true;
        if (p.values[i] == 0) vt.screen().reverse = false;
    }
}

void cup(VtInterpreter& vt, const CsiParams& p) {
    TerminalScreen& s = vt.screen();
    int row = positionToIndex(p.value(0));
    // Relative to the region, and inside it, as on a VT100 in origin mode.
    if (!s.fullScreen) row = std::min(row + s.regionTop(), s.regionBottom());
    vt.moveCursor(row, std::min(positionToIndex(p.value(1)), kLastColumn));
}

void el(VtInterpreter& vt, const CsiParams& p) {
    TerminalScreen& s = vt.screen();
    switch (lastDigit(p)) {
        case 0:
            s.clearCells(s.row, s.column, kScreenColumns);
            vt.notes().span(s.column, s.row, kScreenColumns - s.column);
            break;
        case 1: {
            const int end = std::min(s.column + 1, kScreenColumns);
            s.clearCells(s.row, 0, end);
            vt.notes().span(0, s.row, end);
            vt.moveCursor(s.row, 0);
            break;
        }
        case 2:
            s.clearRow(s.row);
            vt.notes().span(0, s.row, kScreenColumns);
            vt.moveCursor(s.row, 0);
            break;
        default:
            break;
    }
}

void ed(VtInterpreter& vt, const CsiParams& p) {
    TerminalScreen& s = vt.screen();
    switch (lastDigit(p)) {
        case 0:
            s.clearCells(s.row, s.column, kScreenColumns);
            for (int r = s.row + 1; r < kScreenRows; ++r) s.clearRow(r);
            break;
        case 1:
            s.clearCells(s.row, 0, std::min(s.column + 1, kScreenColumns));
            for (int r = 0; r < s.row; ++r) s.clearRow(r);
            vt.moveCursor(s.row, 0);
            break;
        case 2:
            for (int r = 0; r < kScreenRows; ++r) s.clearRow(r);
            break;
        default:
            return;
    }
    vt.notes().invalidateAll();
}

void cuu(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    TerminalScreen& s = vt.screen();
    vt.moveCursor(std::max(s.row - atLeastOne(n), s.regionTop()), s.column);
}

void cud(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    TerminalScreen& s = vt.screen();
    vt.moveCursor(std::min(s.row + atLeastOne(n), s.regionBottom()), s.column);
}

void cuf(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    TerminalScreen& s = vt.screen();
    vt.moveCursor(s.row, std::min(s.column + atLeastOne(n), kLastColumn));
}

void cub(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    TerminalScreen& s = vt.screen();
    vt.moveCursor(s.row, std::max(s.column - atLeastOne(n), 0));
}

bool inRegion(const TerminalScreen& s) {
    return s.row >= s.regionTop() && s.row <= s.regionBottom();
}

void il(VtInterpreter& vt, const CsiParams& p) {
    int n;
    TerminalScreen& s = vt.screen();
    if (!single(p, 1, n) || !inRegion(s)) return;
    const int bottom = s.regionBottom();
    n = std::min(atLeastOne(n), bottom - s.row + 1);
    for (int r = bottom; r >= s.row + n; --r) s.copyRow(r - n, r);
    for (int r = s.row; r < s.row + n; ++r) s.clearRow(r);
    vt.notes().invalidateAll();
}

void dl(VtInterpreter& vt, const CsiParams& p) {
    int n;
    TerminalScreen& s = vt.screen();
    if (!single(p, 1, n) || !inRegion(s)) return;
    const int bottom = s.regionBottom();
    n = std::min(n, bottom - s.row + 1);
    for (int r = s.row; r <= bottom - n; ++r) s.copyRow(r + n, r);
    for (int r = bottom - n + 1; r <= bottom; ++r) s.clearRow(r);
    vt.notes().invalidateAll();
}

void rep(VtInterpreter& vt, const CsiParams& p) {
    int n;
    TerminalScreen& s = vt.screen();
    if (!single(p, 1, n) || s.column == 0) return;  // nothing left of the cursor
    n = std::min(atLeastOne(n), kScreenColumns - s.column);
    const std::uint8_t ch = s.cell(s.row, s.column - 1);
    const bool rev = s.reverseAt(s.row, s.column);
    for (int c = s.column; c < s.column + n; ++c) {
        s.setCell(s.row, c, ch);
        s.setReverseAt(s.row, c, rev);
    }
    vt.notes().span(s.column, s.row, n);
    vt.moveCursor(s.row, s.column + n);
}

void cha(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    vt.moveCursor(vt.screen().row, std::min(positionToIndex(n), kLastColumn));
}

void dch(VtInterpreter& vt, const CsiParams& p) {
    int n;
    TerminalScreen& s = vt.screen();
    if (!single(p, 1, n) || s.column >= kScreenColumns) return;
    n = std::min(n, kScreenColumns - s.column);
    for (int c = s.column; c < kScreenColumns - n; ++c) {
        s.setCell(s.row, c, s.cell(s.row, c + n));
        s.setReverseAt(s.row, c, s.reverseAt(s.row, c + n));
    }
    s.clearCells(s.row, kScreenColumns - n, kScreenColumns);
    vt.notes().span(s.column, s.row, kScreenColumns - s.column);
}

void ech(VtInterpreter& vt, const CsiParams& p) {
    int n;
    TerminalScreen& s = vt.screen();
    if (!single(p, 1, n)) return;
    n = std::min(n, kScreenColumns - s.column);
    for (int c = s.column; c < s.column + n; ++c) s.setCell(s.row, c, 0);
    vt.notes().span(s.column, s.row, n);
}

void ich(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    vt.insertBlanks(atLeastOne(n));
}

void vpa(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    vt.moveCursor(positionToIndex(n), vt.screen().column);
}

void setMode(VtInterpreter& vt, const CsiParams& p, bool on) {
    int n;
    if (!single(p, 1, n)) return;
    const ModeEntry* m = findMode(p.leader == '?', n);
    if (m == nullptr) return;
    if (on && m->set) m->set(vt);
    if (!on && m->reset) m->reset(vt);
}
void sm(VtInterpreter& vt, const CsiParams& p) {
    setMode(vt, p, true);
}
void rm(VtInterpreter& vt, const CsiParams& p) {
    setMode(vt, p, false);
}

void dsr(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    if (n == 5) vt.reply("\x1b[0n");
    if (n == 6) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "\x1b[%d;%dR", vt.screen().row + 1, vt.screen().column + 1);
        vt.reply(buf);
    }
}

void nothing(VtInterpreter&, const CsiParams&) {}

void decstbm(VtInterpreter& vt, const CsiParams& p) {
    TerminalScreen& s = vt.screen();
    const int top = p.value(0);
    const int bottom = p.value(1);
    if (top == 0 && bottom == 0) {
        // Back to the whole screen; the margins describe it too, so origin mode
        // switched on later still addresses real rows.
        s.topMargin = 1;
        s.bottomMargin = kScreenRows;
        s.fullScreen = true;
        vt.moveCursor(0, 0);
    } else if (top > 0 && top < bottom && bottom <= kScreenRows) {
        s.topMargin = top;
        s.bottomMargin = bottom;
        s.fullScreen = false;
        vt.moveCursor(top, 0);
    }
}

bool selectorIsZero(const CsiParams& p) {
    return p.count == 1 && p.values[0] == 0;
}

void da(VtInterpreter& vt, const CsiParams& p) {
    if (selectorIsZero(p)) vt.reply("\x1b[?1;0c");
}

void daEquals(VtInterpreter& vt, const CsiParams& p) {
    static const std::string kReply{'\x1b', '[', '!', '|', '\x01', '\x01', '\x02', '\x05', '\x9c'};
    if (selectorIsZero(p)) vt.reply(kReply);
}

void daGreater(VtInterpreter& vt, const CsiParams& p) {
    if (selectorIsZero(p)) vt.reply("\x1b[>1;20;1c");
}

void cnl(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    vt.moveCursor(std::min(vt.screen().row + n, kScreenRows - 1), 0);
}

void cpl(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 1, n)) return;
    vt.moveCursor(std::max(vt.screen().row - n, 0), 0);
}

void scp(VtInterpreter& vt, const CsiParams&) {
    vt.saveCursor();
}
void rcp(VtInterpreter& vt, const CsiParams&) {
    vt.restoreCursor();
}

void tbc(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 0, n)) return;
    TerminalScreen& s = vt.screen();
    if (n == 0) s.setTabStopAt(s.row, s.column, false);
    if (n == 3) s.clearAllTabStops();
}

void decreqtparm(VtInterpreter& vt, const CsiParams& p) {
    int n;
    if (!single(p, 0, n) || n > 1) return;  // only solicited (0) and unsolicited (1) exist
    std::string reply = "\x1b[3;5;2;64;64;1;0x";
    reply[2] = static_cast<char>('2' + n);
    vt.reply(reply);
}

// Searched in order; the first row that matches wins.
constexpr CsiEntry kCsiTable[] = {
    {0, 0, 'm', sgr},          // SGR select graphic rendition
    {0, 0, 'H', cup},          // CUP cursor position
    {0, 0, 'f', cup},          // HVP horizontal and vertical position
    {kAnyLeader, 0, 'K', el},  // EL erase in line
    {kAnyLeader, 0, 'J', ed},  // ED erase in display
    {0, 0, 'A', cuu},          // CUU cursor up
    {0, 0, 'B', cud},          // CUD cursor down
    {0, 0, 'e', cud},          // VPR vertical position relative
    {0, 0, 'C', cuf},          // CUF cursor forward
    {0, 0, 'a', cuf},          // HPR horizontal position relative
    {0, 0, 'D', cub},          // CUB cursor backward
    {0, 0, 'L', il},           // IL insert line
    {0, 0, 'b', rep},          // REP repeat
    {0, 0, 'G', cha},          // CHA cursor horizontal absolute
    {0, 0, 'P', dch},          // DCH delete character
    {0, 0, 'X', ech},          // ECH erase character
    {0, 0, '@', ich},          // ICH insert character
    {0, 0, 'd', vpa},          // VPA vertical position absolute
    {0, 0, 'h', sm},           // SM set mode
    {'?', 0, 'h', sm},         // DECSET
    {0, 0, 'l', rm},           // RM reset mode
    {'?', 0, 'l', rm},         // DECRST
    {0, 0, 'n', dsr},          // DSR device status report
    {0, 0, 'i', nothing},      // MC media copy
    {0, 0, 'M', dl},           // DL delete line
    {0, 0, 'r', decstbm},      // DECSTBM set top and bottom margins
    {0, 0, 'c', da},           // DA device attributes
    {'=', 0, 'c', daEquals},   // DA3 tertiary device attributes
    {'>', 0, 'c', daGreater},  // DA2 secondary device attributes
    {0, 0, 'E', cnl},          // CNL cursor next line
    {0, 0, 'F', cpl},          // CPL cursor preceding line
    {0, 0, 's', scp},          // SCP save cursor position
    {0, 0, 'u', rcp},          // RCP restore cursor position
    {0, 0, 'g', tbc},          // TBC tabulation clear
    {0, 0, 'x', decreqtparm},  // DECREQTPARM request terminal parameters
};

}  // namespace

const CsiEntry* findCsiEntry(char leader, char intermediate, char final) {
    for (const CsiEntry& e : kCsiTable) {
        if (e.final == final && e.intermediate == intermediate &&
            (e.leader == kAnyLeader || e.leader == leader))
            return &e;
    }
    return nullptr;
}

}  // namespace varomil
