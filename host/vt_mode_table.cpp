// Modes switched by SM (set) and RM (reset), ANSI and "?" (DEC private) alike.
#include "host/vt_interpreter.h"

namespace varomil {

namespace {

void cursorKeysOn(VtInterpreter& vt) {
    vt.screen().applicationCursorKeys = true;
}
void cursorKeysOff(VtInterpreter& vt) {
    vt.screen().applicationCursorKeys = false;
}

// Column mode reset: the width stays 80, but the screen is cleared. The window
// sees it with its next repaint.
void clearForColumnMode(VtInterpreter& vt) {
    TerminalScreen& s = vt.screen();
    s.text.fill(0);
    for (auto& r : s.reverseMap) r.fill(0);
    s.row = 0;
    s.column = 0;
}

void insertOn(VtInterpreter& vt) {
    vt.screen().insertMode = true;
}
void insertOff(VtInterpreter& vt) {
    vt.screen().insertMode = false;
}

void originOn(VtInterpreter& vt) {
    vt.screen().fullScreen = false;
    vt.moveCursor(vt.screen().topMargin - 1, 0);
}
void originOff(VtInterpreter& vt) {
    vt.screen().fullScreen = true;
    vt.moveCursor(0, 0);
}

void wrapOn(VtInterpreter& vt) {
    vt.screen().autoWrap = true;
}
void wrapOff(VtInterpreter& vt) {
    vt.screen().autoWrap = false;
}
void echoOff(VtInterpreter& vt) {
    vt.screen().remoteEcho = true;
}  // the host echoes
void echoOn(VtInterpreter& vt) {
    vt.screen().remoteEcho = false;
}
void newLineOn(VtInterpreter& vt) {
    vt.screen().newLineMode = true;
}
void newLineOff(VtInterpreter& vt) {
    vt.screen().newLineMode = false;
}

void showCaret(VtInterpreter& vt) {
    vt.screen().caretVisible = true;
    vt.notes().caret(true);
}
void hideCaret(VtInterpreter& vt) {
    vt.screen().caretVisible = false;
    vt.notes().caret(false);
}

constexpr ModeEntry kModes[] = {
    {true, 1, cursorKeysOn, cursorKeysOff},
    {true, 3, nullptr, clearForColumnMode},
    {false, 4, insertOn, insertOff},
    {true, 6, originOn, originOff},
    {true, 7, wrapOn, wrapOff},
    {false, 12, echoOff, echoOn},
    {false, 20, newLineOn, newLineOff},
    {true, 25, showCaret, hideCaret},
};

}  // namespace

const ModeEntry* findMode(bool dec, int number) {
    for (const ModeEntry& m : kModes)
        if (m.dec == dec && m.number == number) return &m;
    return nullptr;
}

}  // namespace varomil
