#include "screens/screen_file.h"

#include <algorithm>

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

}  // namespace varomil
