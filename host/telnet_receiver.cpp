#include "host/telnet_receiver.h"

#include <cstring>

namespace varomil {

void sendCommand(ByteSink& out, std::uint8_t command, std::uint8_t option) {
    const std::uint8_t bytes[3] = {telnet::IAC, command, option};
    out.send(bytes, sizeof bytes);
}

void TelnetReceiver::resetParser() {
    phase_ = Phase::Data;
    command_ = 0;
    consumer_ = Consumer::Unset;
    subnegotiation_ = nullptr;
}

void TelnetReceiver::deliver(std::uint8_t b) {
    if (consumer_ == Consumer::Subnegotiation && subnegotiation_ != nullptr)
        subnegotiation_(context_, b);
    else
        vt_.interpretByte(b);
}

void TelnetReceiver::receive(const std::uint8_t* data, std::size_t size) {
    std::size_t i = 0;
    while (i < size) {
        if (phase_ == Phase::Data && consumer_ != Consumer::Subnegotiation) {
            // Plain data up to the next IAC goes to the interpreter as one block.
            const void* iac = std::memchr(data + i, telnet::IAC, size - i);
            const std::size_t end =
                iac ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(iac) - data) : size;
            if (end > i) {
                consumer_ = Consumer::Interpreter;
                vt_.interpret(data + i, end - i);
                i = end;
                continue;
            }
        }
        receiveByte(data[i++]);
    }
}

void TelnetReceiver::receiveByte(std::uint8_t b) {
    // There is one terminal type, so either index selects the interpreter.
    if (consumer_ == Consumer::Unset) consumer_ = Consumer::Interpreter;
    switch (phase_) {
        case Phase::Data:
            if (b == telnet::IAC)
                phase_ = Phase::AfterIac;
            else
                deliver(b);
            break;
        case Phase::AfterIac:
            phase_ = Phase::Data;
            if (b == telnet::SE) {
                consumer_ = Consumer::Interpreter;
                subnegotiation_ = nullptr;
            } else if (b >= telnet::SB && b <= telnet::DONT) {
                command_ = b;
                phase_ = Phase::AfterCommand;
            } else if (b == telnet::IAC) {
                deliver(b);
            }
            // 241..249 (NOP, DM, ... GA) and bytes below 240 are dropped.
            break;
        case Phase::AfterCommand: {
            phase_ = Phase::Data;
            const OptionRow& row = findOption(b);
            if (command_ == telnet::SB) {
                // Without a handler the subnegotiation's bytes reach the interpreter.
                subnegotiation_ = row.subnegotiation;
                consumer_ = row.subnegotiation ? Consumer::Subnegotiation : Consumer::Unset;
            } else {
                row.handler(context_, command_, b);
            }
            break;
        }
    }
}

}  // namespace varomil
