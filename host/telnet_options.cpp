// The option table: how the client answers each option request of the host.
#include <string>

#include "host/telnet_receiver.h"

namespace varomil {

namespace {

using namespace telnet;

void binary(TelnetContext& c, std::uint8_t command, std::uint8_t option) {
    if (command == WILL) sendCommand(c.out, DO, option);
    if (command == DO) sendCommand(c.out, WILL, option);
}

void echo(TelnetContext& c, std::uint8_t command, std::uint8_t option) {
    switch (command) {
        case WILL:
            c.flags.remoteEcho = true;
            sendCommand(c.out, DO, option);
            break;
        case WONT:
            if (c.flags.remoteEcho) {
                c.flags.remoteEcho = false;
                sendCommand(c.out, DONT, option);
            }
            break;
        default:  // DO and DONT: this client never echoes for the host
            sendCommand(c.out, WONT, option);
            break;
    }
}

void endOfRecord(TelnetContext& c, std::uint8_t command, std::uint8_t option) {
    switch (command) {
        case WILL:
            sendCommand(c.out, DO, option);
            break;
        case WONT:
            sendCommand(c.out, DONT, option);
            break;
        case DO:
            sendCommand(c.out, WILL, option);
            break;
        default:
            sendCommand(c.out, WONT, option);
            break;
    }
}

void suppressGoAhead(TelnetContext& c, std::uint8_t command, std::uint8_t option) {
    TerminalScreen& f = c.flags;
    switch (command) {
        case WILL:
            f.suppressGoAhead = true;
            f.remoteEcho = true;
            sendCommand(c.out, DO, option);
            sendCommand(c.out, WILL, option);
            sendCommand(c.out, DO, ECHO);
            break;
        case WONT:
            if (f.suppressGoAhead) {
                f.suppressGoAhead = false;
                f.remoteEcho = false;
                sendCommand(c.out, DONT, option);
                sendCommand(c.out, WONT, option);
            }
            break;
        case DO:
            if (!f.suppressGoAhead) sendCommand(c.out, DO, option);
            break;
        default:
            if (f.suppressGoAhead) sendCommand(c.out, DONT, option);
            break;
    }
}

// Offered by the host: refused; asked of us: agreed.
void willOnlyWhenAsked(TelnetContext& c, std::uint8_t command, std::uint8_t option) {
    if (command == WILL) sendCommand(c.out, DONT, option);
    if (command == DO) sendCommand(c.out, WILL, option);
}

void windowSize(TelnetContext& c, std::uint8_t command, std::uint8_t option) {
    willOnlyWhenAsked(c, command, option);
    if (command == DO) {
        // Always 80 x 24, whatever the emulation settings say.
        const std::uint8_t size[] = {IAC, SB, NAWS, 0, kScreenColumns, 0, kScreenRows, IAC, SE};
        c.out.send(size, sizeof size);
    }
}

void refuse(TelnetContext& c, std::uint8_t command, std::uint8_t option) {
    if (command == WILL) sendCommand(c.out, DONT, option);
    if (command == DO) sendCommand(c.out, WONT, option);
}

void terminalTypeSubnegotiation(TelnetContext& c, std::uint8_t b) {
    if (b != SEND) return;
    c.terminalTypeIndex = c.terminalTypeIndex == 1 ? 0 : c.terminalTypeIndex + 1;
    const std::string type = c.settings.terminalType.empty()
                                 ? std::string(lists::kDefaultTerminalType)
                                 : c.settings.terminalType;
    // The text is bounded by its slot; an IAC inside it is doubled so that it
    // cannot end the subnegotiation early.
    std::string reply{char(IAC), char(SB), char(TERMINAL_TYPE), char(IS)};
    for (char ch : type) {
        reply += ch;
        if (static_cast<std::uint8_t>(ch) == IAC) reply += ch;
    }
    reply += char(IAC);
    reply += char(SE);
    c.out.send(reply);
}

constexpr OptionRow kOptionTable[] = {
    {BINARY, binary, nullptr},
    {ECHO, echo, nullptr},
    {END_OF_RECORD, endOfRecord, nullptr},
    {SUPPRESS_GO_AHEAD, suppressGoAhead, nullptr},
    {TERMINAL_TYPE, willOnlyWhenAsked, terminalTypeSubnegotiation},
    {NAWS, windowSize, nullptr},
    {256, refuse, nullptr},
};

}  // namespace

const OptionRow& findOption(std::uint8_t code) {
    for (const OptionRow& row : kOptionTable)
        if (row.code == code) return row;
    return kOptionTable[sizeof kOptionTable / sizeof kOptionTable[0] - 1];
}

}  // namespace varomil
