#include "host/vt_interpreter.h"

#include <algorithm>
#include <array>

namespace varomil {

namespace {

// Bytes the ground state hands straight to printCharacter: everything but the
// controls, DEL, the 8-bit CSI and 255.
constexpr std::array<bool, 256> kPrintedInGround = [] {
    std::array<bool, 256> t{};
    for (int b = 32; b < 256; ++b) t[b] = b != c0::DEL && b != 155 && b != 255;
    return t;
}();

const std::array<std::uint8_t, 256>& lineDrawingTable() {
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> t{};
        for (int b = 0; b < 256; ++b) t[b] = lineDrawingCharacter(static_cast<std::uint8_t>(b));
        return t;
    }();
    return table;
}

}  // namespace

CsiParams parseCsiParams(const char* text, std::size_t length) {
    CsiParams p;
    p.text = text;
    p.length = length;
    p.count = 1;
    std::size_t i = 0;
    bool extra = false;  // past the last value kept
    if (length > 0 && text[0] >= '<' && text[0] <= '?') p.leader = text[i++];
    for (; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 32 && c <= 47) {
            p.intermediate = static_cast<char>(c);
        } else if (p.intermediate != 0) {
            p.valid = false;  // parameters after an intermediate
        } else if (c >= '0' && c <= '9') {
            if (extra) continue;
            int& v = p.values[p.count - 1];
            v = std::min(v * 10 + (c - '0'), CsiParams::kMaxValue);
        } else if (c == ';') {
            // The first kMaxCount values are kept; the digits of later ones are skipped.
            if (p.count == CsiParams::kMaxCount)
                extra = true;
            else
                p.values[p.count++] = 0;
        } else {
            p.valid = false;  // a second leader, ":" or a byte outside the sequence set
        }
    }
    return p;
}

void VtInterpreter::resetParser() {
    phase_ = Phase::Ground;
    clearSequence();
}

void VtInterpreter::moveCursor(int row, int column) {
    screen_.setCursor(row, column);
    notes_.cursorMoved(screen_.row, screen_.column);
}

void VtInterpreter::interpretByte(std::uint8_t b) {
    if (b == c0::DEL || b == 255) return;
    if (b < 32) {
        // Controls act in the middle of sequences too.
        afterControl(executeControl(b));
        return;
    }
    switch (phase_) {
        case Phase::Ground:
            if (b == 155) {
                clearSequence();
                phase_ = Phase::ControlSequence;
            } else {
                printCharacter(b);
            }
            break;
        case Phase::Escape:
            escapeByte(b);
            break;
        case Phase::ControlSequence:
            controlSequenceByte(b);
            break;
        case Phase::EscapeIntermediate:
            escapeIntermediateByte(b);
            break;
    }
}

void VtInterpreter::interpret(const std::uint8_t* data, std::size_t size) {
    std::size_t i = 0;
    while (i < size) {
        if (phase_ == Phase::Ground && kPrintedInGround[data[i]]) {
            std::size_t end = i + 1;
            while (end < size && kPrintedInGround[data[end]]) ++end;
            printRun(data + i, end - i);
            i = end;
        } else {
            interpretByte(data[i++]);
        }
    }
}

void VtInterpreter::afterControl(ControlResult r) {
    if (r == ControlResult::Escape) {
        clearSequence();
        phase_ = Phase::Escape;
    } else if (r == ControlResult::Cancel) {
        clearSequence();
        phase_ = Phase::Ground;
    }
}

void VtInterpreter::append(std::uint8_t b) {
    if (length_ < kSequenceSize)
        sequence_[length_++] = static_cast<char>(b);
    else
        overflow_ = true;  // an overlong sequence is dropped at its final
}

void VtInterpreter::escapeByte(std::uint8_t b) {
    if (b == '[') {
        clearSequence();
        phase_ = Phase::ControlSequence;
    } else if (b >= 32 && b <= 47) {
        clearSequence();
        append(b);
        phase_ = Phase::EscapeIntermediate;
    } else if (b >= 48 && b <= 63) {
        phase_ = Phase::Ground;
        privateEscape(b);
    } else if (b >= 64 && b <= 95) {
        phase_ = Phase::Ground;
        c1Function(b);
    } else if (b >= 96 && b <= 126) {
        phase_ = Phase::Ground;
    } else if (b != 160) {
        // Eight-bit bytes lose their high bit; the phase stays Escape for printables.
        const std::uint8_t low = b & 0x7F;
        if (low < 32)
            afterControl(executeControl(low));
        else
            printCharacter(low);
    }
}

void VtInterpreter::escapeIntermediateByte(std::uint8_t b) {
    if (b >= 64 && b <= 126) {
        phase_ = Phase::Ground;
        designateCharacterSet(b);
    } else if (b >= 48 && b <= 63) {
        append(b);
        phase_ = Phase::Ground;
        if (!overflow_ && length_ == 2 && sequence_[0] == '#' && sequence_[1] == '8') {
            // Alignment pattern; shown by the next paint.
            screen_.text.fill('E');
        }
    } else {
        append(b);
    }
}

void VtInterpreter::designateCharacterSet(std::uint8_t final) {
    if (overflow_ || length_ != 1) return;
    if (sequence_[0] == '(')
        screen_.shiftedOut = !(final == 'A' || final == 'B');
    else if (sequence_[0] == ')')
        screen_.shiftedOut = true;
}

void VtInterpreter::controlSequenceByte(std::uint8_t b) {
    if (b >= 64 && b <= 126) {
        phase_ = Phase::Ground;
        dispatchCsi(b);
    } else {
        append(b);
    }
}

void VtInterpreter::dispatchCsi(std::uint8_t final) {
    if (overflow_) return;
    sequence_[length_] = 0;
    const CsiParams p = parseCsiParams(sequence_.data(), length_);
    const CsiEntry* e = findCsiEntry(p.leader, p.intermediate, static_cast<char>(final));
    if (e == nullptr) return;
    // Entries that take any leader read the raw text; the others need clean numbers.
    if (!p.valid && e->leader != kAnyLeader) return;
    e->handler(*this, p);
}

ControlResult VtInterpreter::executeControl(std::uint8_t c) {
    ControlResult result = ControlResult::None;
    TerminalScreen& s = screen_;
    switch (c) {
        case c0::ENQ:
            reply("plovekt");  // the answerback text
            break;
        case c0::BEL:
            notes_.beep();
            break;
        case c0::BS:
            // From the pending-wrap column the cursor lands on 78, as hosts expect.
            s.column = s.column >= kScreenColumns ? kScreenColumns - 2 : std::max(s.column - 1, 0);
            break;
        case c0::HT: {
            int target = kScreenColumns - 1;
            if (s.column < kScreenColumns) {
                for (int col = s.column + 1; col <= kScreenColumns; ++col) {
                    if (s.tabStopAt(s.row, col)) {
                        target = col;
                        break;
                    }
                }
            }
            s.column = target;
            break;
        }
        case c0::LF:
        case c0::VT:
        case c0::FF:
            lineFeed();
            if (s.newLineMode) s.column = 0;
            break;
        case c0::CR:
            s.column = 0;
            break;
        case c0::SO:
            s.shiftedOut = true;
            break;
        case c0::SI:
            s.shiftedOut = false;
            break;
        case c0::CAN:
        case c0::SUB:
            result = ControlResult::Cancel;
            break;
        case c0::ESC:
            result = ControlResult::Escape;
            break;
        default:
            break;
    }
    moveCursor(s.row, s.column);
    return result;
}

void VtInterpreter::lineFeed() {
    TerminalScreen& s = screen_;
    const int last = s.regionBottom();
    if (s.row + 1 > last) {
        s.scrollUp(s.regionTop(), last);
        s.row = TerminalScreen::clampRow(last);
        notes_.invalidateAll();
    } else {
        s.row = TerminalScreen::clampRow(s.row + 1);
    }
}

void VtInterpreter::reverseIndex() {
    TerminalScreen& s = screen_;
    const int first = s.regionTop();
    if (s.row <= first) {
        s.row = TerminalScreen::clampRow(first);
        s.scrollDown(first, s.regionBottom());
        notes_.invalidateAll();
    } else {
        s.row -= 1;
    }
    moveCursor(s.row, s.column);
}

void VtInterpreter::insertBlanks(int n) {
    TerminalScreen& s = screen_;
    const int col = s.column;
    if (col >= kScreenColumns || n <= 0) return;
    n = std::min(n, kScreenColumns - col);
    for (int c = kScreenColumns - 1; c >= col + n; --c) {
        s.setCell(s.row, c, s.cell(s.row, c - n));
        s.setReverseAt(s.row, c, s.reverseAt(s.row, c - n));
    }
    for (int c = col; c < col + n; ++c) {
        s.setCell(s.row, c, ' ');
        s.setReverseAt(s.row, c, false);
    }
    notes_.span(col, s.row, kScreenColumns - col);
}

void VtInterpreter::printCharacter(std::uint8_t ch) {
    if (ch < 32) return;
    TerminalScreen& s = screen_;
    if (s.shiftedOut) ch = lineDrawingCharacter(ch);
    if (s.column >= kScreenColumns) {
        if (s.autoWrap) {
            lineFeed();
            s.column = 0;
        } else {
            s.column = kScreenColumns - 1;  // overwrite the last column
        }
    }
    if (s.insertMode) insertBlanks(1);
    s.setCell(s.row, s.column, ch);
    s.setReverseAt(s.row, s.column, s.reverse);
    notes_.span(s.column, s.row, 1);
    moveCursor(s.row, s.column + 1);
}

// Same effect as printCharacter for each byte of a run of printable bytes, but a
// row segment at a time: one copy, one range of reverse bits, one span note.
void VtInterpreter::printRun(const std::uint8_t* run, std::size_t size) {
    TerminalScreen& s = screen_;
    if (s.insertMode || s.row < 0 || s.row >= kScreenRows || s.column < 0) {
        // Rare: every character shifts the row; keep the plain path.
        for (std::size_t i = 0; i < size; ++i) printCharacter(run[i]);
        return;
    }
    const std::array<std::uint8_t, 256>* drawing = s.shiftedOut ? &lineDrawingTable() : nullptr;
    while (size > 0) {
        if (s.column >= kScreenColumns) {
            if (!s.autoWrap) {
                // Each further character overwrites the last column; the last one stays.
                const std::uint8_t last = run[size - 1];
                s.setCell(s.row, kScreenColumns - 1, drawing ? (*drawing)[last] : last);
                s.setReverseAt(s.row, kScreenColumns - 1, s.reverse);
                notes_.span(kScreenColumns - 1, s.row, 1);
                s.column = kScreenColumns;
                break;
            }
            lineFeed();
            s.column = 0;
        }
        const int column = s.column;
        const std::size_t count = std::min(size, static_cast<std::size_t>(kScreenColumns - column));
        std::uint8_t* cells = &s.text[s.row * kScreenColumns + column];
        if (drawing) {
            for (std::size_t i = 0; i < count; ++i) cells[i] = (*drawing)[run[i]];
        } else {
            std::copy_n(run, count, cells);
        }
        const int n = static_cast<int>(count);
        s.setReverseRange(s.row, column, column + n, s.reverse);
        // The first cell alone decides, as for single characters, whether the
        // run joins a recorded span or takes a new one; the rest then joins it.
        notes_.span(column, s.row, 1);
        if (n > 1) notes_.span(column, s.row, n);
        s.column = column + n;
        run += count;
        size -= count;
    }
    moveCursor(s.row, s.column);
}

void VtInterpreter::echoTyped(std::uint8_t ch) {
    // Local echo never disturbs a sequence the host is in the middle of. A typed
    // Ctrl+E must not answer back, nor Ctrl+N switch to line drawing: of the
    // controls only the ones that move the cursor on a line are shown.
    if (ch == c0::CR || ch == c0::LF || ch == c0::BS)
        executeControl(ch);
    else if (ch >= 32 && ch != c0::DEL)
        printCharacter(ch);
}

void VtInterpreter::saveCursor() {
    screen_.saved = SavedCursor{screen_.column, screen_.row, screen_.reverse, screen_.shiftedOut};
}

void VtInterpreter::restoreCursor() {
    screen_.reverse = screen_.saved.reverse;
    screen_.shiftedOut = screen_.saved.shiftedOut;
    moveCursor(screen_.saved.row, screen_.saved.column);
}

void VtInterpreter::c1Function(std::uint8_t b) {
    TerminalScreen& s = screen_;
    switch (b) {
        case 'D':  // IND
            if (s.row == s.regionBottom()) {
                s.scrollUp(s.regionTop(), s.regionBottom());
                notes_.invalidateAll();
            } else {
                s.row = TerminalScreen::clampRow(s.row + 1);
            }
            moveCursor(s.row, s.column);
            break;
        case 'E':  // NEL
            s.column = 0;
            lineFeed();
            moveCursor(s.row, s.column);
            break;
        case 'H':  // HTS
            s.setTabStopAt(s.row, s.column, true);
            break;
        case 'M':  // RI
            reverseIndex();
            break;
        case 'Z':  // DECID
            reply("\x1b/Z");
            break;
        default:
            break;
    }
}

void VtInterpreter::privateEscape(std::uint8_t b) {
    switch (b) {
        case '7':
            saveCursor();
            break;
        case '8':
            restoreCursor();
            break;
        case '=':
            screen_.keypadApplication = true;
            break;
        case '>':
            screen_.keypadApplication = false;
            break;
        default:
            break;
    }
}

}  // namespace varomil
