// Feeds arbitrary bytes to the program-file reader and packs what it accepts,
// checking that every packed record is well formed and carries all the data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "download/srecord.h"

using namespace varomil;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ProgramImage image;
    std::string error;
    if (!readProgramFile(data, size, image, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    std::size_t in = 0;
    for (const auto& r : image.records) in += r.data.size();
    std::size_t out = 0;
    for (const auto& r : packProgram(image)) {
        const auto& b = r.bytes;
        if (b.size() < 10 || b.size() > kMaxRecordLength + 2) std::abort();
        if (b[0] != 'S' || b[1] != '3' || b[2] != b.size() - 4 || b.back() != 0x0D) std::abort();
        unsigned sum = 0;
        for (std::size_t i = 2; i + 2 < b.size(); ++i) sum += b[i];
        if (b[b.size() - 2] != static_cast<std::uint8_t>(0xFF - (sum & 0xFF))) std::abort();
        out += b.size() - 9;
    }
    if (in != out) std::abort();
    return 0;
}
