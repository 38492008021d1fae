// The telnet layer between the socket and the interpreter: strips commands,
// answers option requests from the option table, answers TERMINAL-TYPE and keeps
// the remote-echo flag (in the TerminalScreen, which the key handling reads).
#pragma once

#include <cstddef>
#include <cstdint>

#include "host/byte_sink.h"
#include "host/session_settings.h"
#include "host/terminal_screen.h"
#include "host/vt_interpreter.h"

namespace varomil {

namespace telnet {
constexpr std::uint8_t IAC = 255;
constexpr std::uint8_t DONT = 254;
constexpr std::uint8_t DO = 253;
constexpr std::uint8_t WONT = 252;
constexpr std::uint8_t WILL = 251;
constexpr std::uint8_t SB = 250;
constexpr std::uint8_t SE = 240;
constexpr std::uint8_t BINARY = 0;
constexpr std::uint8_t ECHO = 1;
constexpr std::uint8_t SUPPRESS_GO_AHEAD = 3;
constexpr std::uint8_t TERMINAL_TYPE = 24;
constexpr std::uint8_t END_OF_RECORD = 25;
constexpr std::uint8_t NAWS = 31;
constexpr std::uint8_t IS = 0;
constexpr std::uint8_t SEND = 1;
}  // namespace telnet

// What an option handler may touch.
struct TelnetContext {
    TerminalScreen& flags;
    ByteSink& out;
    const SessionSettings& settings;
    int& terminalTypeIndex;
};

using OptionHandler = void (*)(TelnetContext&, std::uint8_t command, std::uint8_t option);
using SubnegotiationHandler = void (*)(TelnetContext&, std::uint8_t b);

struct OptionRow {
    int code;  // 256 for the default row, which no byte matches
    OptionHandler handler;
    SubnegotiationHandler subnegotiation;  // nullptr: none
};

// The first row whose code matches, or the default row.
const OptionRow& findOption(std::uint8_t code);

void sendCommand(ByteSink& out, std::uint8_t command, std::uint8_t option);

class TelnetReceiver {
  public:
    // `settings` is the connection's copy; the receiver keeps a reference to it.
    TelnetReceiver(VtInterpreter& vt, TerminalScreen& screen, ByteSink& out,
                   const SessionSettings& settings)
        : vt_(vt), context_{screen, out, settings, terminalTypeIndex_} {}

    void receiveByte(std::uint8_t b);
    // A block, as receiveByte for each byte; data between commands goes to the
    // interpreter in one piece.
    void receive(const std::uint8_t* data, std::size_t size);
    // Back to plain data for a new connection, so a line dropped inside a
    // subnegotiation cannot swallow the next session.
    void resetParser();

  private:
    enum class Phase { Data, AfterIac, AfterCommand };
    enum class Consumer { Unset, Interpreter, Subnegotiation };

    void deliver(std::uint8_t b);

    VtInterpreter& vt_;
    int terminalTypeIndex_ = 0;
    TelnetContext context_;
    Phase phase_ = Phase::Data;
    std::uint8_t command_ = 0;
    Consumer consumer_ = Consumer::Unset;
    SubnegotiationHandler subnegotiation_ = nullptr;
};

}  // namespace varomil
