#include "screens/screen_file.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace varomil {

std::vector<CapturedScreenBlock> readScreenRecords(const Byte* data, std::size_t size) {
    std::vector<CapturedScreenBlock> records;
    if (size < kCaptureHeaderSize) return records;
    const std::size_t whole =
        std::min((size - kCaptureHeaderSize) / kCapturedScreenSize, kLoadBufferRecords);
    records.resize(whole);
    for (std::size_t k = 0; k < whole; ++k) {
        const Byte* from = data + kCaptureHeaderSize + k * kCapturedScreenSize;
        std::copy(from, from + kCapturedScreenSize, records[k].begin());
    }
    return records;
}

std::optional<std::vector<CapturedScreenBlock>> readScreenFile(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               std::fclose);
    if (!file) return std::nullopt;
    std::vector<Byte> data(kScreenFileReadLimit);
    const std::size_t got = std::fread(data.data(), 1, data.size(), file.get());
    if (std::ferror(file.get())) return std::nullopt;
    return readScreenRecords(data.data(), got);
}

}  // namespace varomil
