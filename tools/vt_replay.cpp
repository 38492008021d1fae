// Feeds a file of host bytes through the telnet layer and the interpreter and
// prints the resulting 24 x 80 screen, the cursor, the reverse-video cells and the
// bytes the client sent back. For debugging and for comparing with other emulators.
//
//   vt_replay FILE      ("-" reads standard input)
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "host/host_session.h"
#include "settings/factory_defaults.h"

using namespace varomil;

namespace {

// Screen cells as plain ASCII: empty cells as blanks, box drawing as + - |.
char printable(std::uint8_t ch) {
    switch (ch) {
        case 0:
            return ' ';
        case 0xB3:
            return '|';
        case 0xC4:
            return '-';
        case 0xD9:
        case 0xBF:
        case 0xDA:
        case 0xC0:
        case 0xC5:
        case 0xC3:
        case 0xB4:
        case 0xC1:
        case 0xC2:
            return '+';
        default:
            return ch >= 32 && ch < 127 ? static_cast<char>(ch) : '.';
    }
}

void printScreen(const TerminalScreen& s) {
    const std::string rule = "+" + std::string(kScreenColumns, '-') + "+";
    std::printf("%s\n", rule.c_str());
    for (int r = 0; r < kScreenRows; ++r) {
        std::string line;
        for (int c = 0; c < kScreenColumns; ++c) line += printable(s.cell(r, c));
        std::printf("|%s| %2d\n", line.c_str(), r);
    }
    std::printf("%s\n", rule.c_str());
    std::printf("cursor: row %d column %d (0-based)\n", s.row, s.column);
    std::printf("reverse:");
    bool any = false;
    for (int r = 0; r < kScreenRows; ++r) {
        for (int c = 0; c < kScreenColumns;) {
            if (!s.reverseAt(r, c)) {
                ++c;
                continue;
            }
            const int start = c;
            while (c < kScreenColumns && s.reverseAt(r, c)) ++c;
            std::printf(" %d:%d-%d", r, start, c - 1);
            any = true;
        }
    }
    std::printf("%s\n", any ? "" : " none");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vt_replay FILE\n");
        return 2;
    }
    std::vector<std::uint8_t> data;
    const std::string name = argv[1];
    if (name == "-") {
        data.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream in(name, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "vt_replay: cannot open %s\n", name.c_str());
            return 1;
        }
        data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    auto image = std::make_unique<SettingsImage>();
    auto companions = std::make_unique<Companions>();
    applyFactoryDefaults(*image, *companions, 1);
    RecordingSink replies;
    HostSession session(replies);
    session.beginConnection(settingsForConnection(*image));
    session.receive(data.data(), data.size());

    printScreen(session.screen());
    std::printf("sent to host (%d sends):", replies.sends);
    for (unsigned char ch : replies.all) std::printf(" %02X", ch);
    std::printf("\n");
    return 0;
}
