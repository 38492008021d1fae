#include "host/capture_file.h"

#include <algorithm>

namespace varomil {

std::array<Byte, kCaptureHeaderSize> captureFileHeader() {
    return {'V', '1', '0', '0'};  // the rest stays zero
}

std::string capturedSummary(int screens, const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    return std::to_string(screens) + (screens == 1 ? " screen in " : " screens in ") + name;
}

CapturedScreenBlock capturedScreenBlock(const TerminalScreen& screen) {
    CapturedScreenBlock block{};
    std::copy(screen.text.begin(), screen.text.end(), block.begin() + kCapturedScreenTextOffset);
    return block;
}

bool isCaptureFile(const Byte* head, std::size_t headSize, std::uintmax_t fileSize) {
    const auto header = captureFileHeader();
    if (head == nullptr || headSize < header.size() || fileSize < header.size()) return false;
    return std::equal(header.begin(), header.end(), head) &&
           (fileSize - header.size()) % kCapturedScreenSize == 0;
}

static_assert(kCapturedScreenTextOffset + kScreenTextSize == kCapturedScreenSize,
              "a captured block is the zero prefix and the whole screen text");

bool OstreamCaptureOutput::write(const Byte* data, std::size_t size) {
    os_.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    os_.flush();
    return static_cast<bool>(os_);
}

bool ScreenCapture::start(std::unique_ptr<CaptureOutput> output) {
    stop();
    if (!output) return false;
    const auto header = captureFileHeader();
    if (!output->write(header.data(), header.size())) return false;
    output_ = std::move(output);
    count_ = 0;
    return true;
}

bool ScreenCapture::capture(const TerminalScreen& screen) {
    if (!output_) return false;
    const CapturedScreenBlock block = capturedScreenBlock(screen);
    if (!output_->write(block.data(), block.size())) return false;
    ++count_;
    return true;
}

void ScreenCapture::stop() {
    output_.reset();
}

}  // namespace varomil
