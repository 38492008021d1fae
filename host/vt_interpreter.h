// Turns the host's data bytes into changes of the TerminalScreen. Parser state
// lives here; the screen is the caller's. Replies go to a ByteSink and window
// notifications into a ScreenNotifications list; nothing here calls a window or
// takes a lock, the caller holds one lock over interpreter and screen.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "host/byte_sink.h"
#include "host/screen_notifications.h"
#include "host/terminal_screen.h"

namespace varomil {

// The C0 control characters the interpreter acts on, and DEL.
namespace c0 {
constexpr std::uint8_t ENQ = 5;
constexpr std::uint8_t BEL = 7;
constexpr std::uint8_t BS = 8;
constexpr std::uint8_t HT = 9;
constexpr std::uint8_t LF = 10;
constexpr std::uint8_t VT = 11;
constexpr std::uint8_t FF = 12;
constexpr std::uint8_t CR = 13;
constexpr std::uint8_t SO = 14;
constexpr std::uint8_t SI = 15;
constexpr std::uint8_t CAN = 24;
constexpr std::uint8_t SUB = 26;
constexpr std::uint8_t ESC = 27;
constexpr std::uint8_t DEL = 127;
}  // namespace c0

enum class ControlResult { None, Escape, Cancel };

// Parameters of one control sequence, parsed from the collected text.
struct CsiParams {
    static constexpr int kMaxValue = 32767;
    static constexpr int kMaxCount = 32;
    char leader = 0;        // one of < = > ? when the text starts with it
    char intermediate = 0;  // the last byte 32..47 before the final, 0 when none
    int count = 0;          // number of ";"-separated values (an empty text gives one)
    std::array<int, kMaxCount> values{};
    bool valid = true;      // false for stray characters; values past kMaxCount are ignored
    const char* text = "";  // the whole collected text, NUL-terminated
    std::size_t length = 0;

    int value(int i) const { return i < count ? values[i] : 0; }
    // The whole text as one number; empty gives the default.
    int single(int defaultValue) const { return length == 0 ? defaultValue : values[0]; }
};

class VtInterpreter {
  public:
    VtInterpreter(TerminalScreen& screen, ByteSink& out, ScreenNotifications& notes)
        : screen_(screen), out_(out), notes_(notes) {}

    void interpretByte(std::uint8_t b);
    // A block of bytes, with the same effect as interpretByte for each; runs of
    // printable text in the ground state are written a row segment at a time.
    void interpret(const std::uint8_t* data, std::size_t size);

    // Screen and modes to their power-on state (the parser is left alone).
    void resetTerminal() { screen_.reset(); }
    // Parser back to ground, for a new connection.
    void resetParser();

    ControlResult executeControl(std::uint8_t c);
    void printCharacter(std::uint8_t ch);
    // A character typed by the user and echoed locally: printable characters and
    // the line controls CR, LF and BS; other controls are the user's, not the host's.
    void echoTyped(std::uint8_t ch);

    // Used by the dispatch and mode tables.
    TerminalScreen& screen() { return screen_; }
    ScreenNotifications& notes() { return notes_; }
    void reply(const std::string& bytes) { out_.send(bytes); }
    void moveCursor(int row, int column);
    void lineFeed();      // down one row, scrolling the region at its end
    void reverseIndex();  // up one row, scrolling the region at its start
    void insertBlanks(int n);
    void saveCursor();
    void restoreCursor();

  private:
    enum class Phase { Ground, Escape, ControlSequence, EscapeIntermediate };
    static constexpr std::size_t kSequenceSize = 256;

    void escapeByte(std::uint8_t b);
    void escapeIntermediateByte(std::uint8_t b);
    void controlSequenceByte(std::uint8_t b);
    void append(std::uint8_t b);
    void clearSequence() {
        length_ = 0;
        overflow_ = false;
    }
    void afterControl(ControlResult r);
    void printRun(const std::uint8_t* text, std::size_t size);
    void dispatchCsi(std::uint8_t final);
    void c1Function(std::uint8_t b);
    void privateEscape(std::uint8_t b);
    void designateCharacterSet(std::uint8_t final);

    TerminalScreen& screen_;
    ByteSink& out_;
    ScreenNotifications& notes_;
    Phase phase_ = Phase::Ground;
    std::array<char, kSequenceSize + 1> sequence_{};
    std::size_t length_ = 0;
    bool overflow_ = false;
};

// Parses a control-sequence text (without its final) into parameters.
CsiParams parseCsiParams(const char* text, std::size_t length);

// One row of the control-sequence table: (leader, intermediate, final) -> handler.
// A leader of kAnyLeader matches every leader, including none.
constexpr char kAnyLeader = '*';
struct CsiEntry {
    char leader;
    char intermediate;
    char final;
    void (*handler)(VtInterpreter&, const CsiParams&);
};
const CsiEntry* findCsiEntry(char leader, char intermediate, char final);

// One row of the mode table of SM / RM.
struct ModeEntry {
    bool dec;  // a "?" mode
    int number;
    void (*set)(VtInterpreter&);
    void (*reset)(VtInterpreter&);
};
const ModeEntry* findMode(bool dec, int number);

// The printed character for a character while the line-drawing set is shifted in.
std::uint8_t lineDrawingCharacter(std::uint8_t ch);

}  // namespace varomil
