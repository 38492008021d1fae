// Feeds arbitrary bytes through the telnet layer alone, with a terminal type taken
// from the input (up to a full slot without a NUL, IAC bytes included), and checks
// that every answer the client sends is a well-formed telnet command sequence:
// a stray IAC in an answer would let the host read our data as commands.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "host/telnet_receiver.h"

using namespace varomil;

namespace {

// Walks what the client sent: option answers, and TERMINAL-TYPE IS subnegotiations
// whose data has every IAC doubled and ends with IAC SE.
void checkAnswers(const std::string& out) {
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return static_cast<std::uint8_t>(out[k]); };
    while (i < out.size()) {
        if (at(i) != telnet::IAC) {  // data sent outside a command
            ++i;
            continue;
        }
        if (i + 1 >= out.size()) std::abort();
        const std::uint8_t command = at(i + 1);
        if (command >= telnet::WILL && command <= telnet::DONT) {
            if (i + 2 >= out.size()) std::abort();
            i += 3;
        } else if (command == telnet::SB) {
            std::size_t k = i + 2;
            for (;;) {
                if (k + 1 >= out.size()) std::abort();  // unterminated
                if (at(k) == telnet::IAC) {
                    if (at(k + 1) == telnet::SE) break;
                    if (at(k + 1) != telnet::IAC) std::abort();  // undoubled IAC
                    k += 2;
                } else {
                    ++k;
                }
            }
            i = k + 2;
        } else if (command == telnet::IAC) {
            i += 2;
        } else {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte gives the terminal type's length (up to the whole slot).
    if (size == 0) return 0;
    const std::size_t typeLength = data[0] % (fld::TerminalType.width + 1);
    if (size < 1 + typeLength) return 0;
    auto image = std::make_unique<SettingsImage>();
    image->setRaw(fld::TerminalType, data + 1, typeLength);

    TerminalScreen screen;
    ScreenNotifications notes;
    RecordingSink out;
    VtInterpreter vt(screen, out, notes);
    const SessionSettings settings = settingsForConnection(*image);
    TelnetReceiver telnet(vt, screen, out, settings);
    RecordingSink answers;
    TelnetReceiver onlyTelnet(vt, screen, answers, settings);
    // Answers of the telnet layer alone: the interpreter's replies (status reports)
    // go to the other sink and are plain data.
    const std::uint8_t* stream = data + 1 + typeLength;
    const std::size_t length = size - 1 - typeLength;
    onlyTelnet.receive(stream, length);
    checkAnswers(answers.all);
    telnet.resetParser();
    for (std::size_t i = 0; i < length; ++i) telnet.receiveByte(stream[i]);
    return 0;
}
