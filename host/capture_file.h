// Host-screen files (*.SCR): "V100", 16 zero bytes, then one CapturedScreenBlock
// per captured screen. The file itself is opened by the caller; this writes to
// any output and keeps the capture state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "host/terminal_screen.h"
#include "settings/settings_image.h"

namespace varomil {

constexpr std::size_t kCaptureHeaderSize = 20;
constexpr std::size_t kCapturedScreenTextOffset = 80;

std::array<Byte, kCaptureHeaderSize> captureFileHeader();
// 80 zero bytes, then the 25 x 80 screen text.
CapturedScreenBlock capturedScreenBlock(const TerminalScreen& screen);

// True for the bytes of a host-screen file: the capture header, then whole records
// only. head holds the first headSize bytes of a file of fileSize bytes. Such a file
// starts like a version-100 settings file and must never be read as one.
bool isCaptureFile(const Byte* head, std::size_t headSize, std::uintmax_t fileSize);

// What Stop Capture tells of a capture it ended: "3 screens in site.SCR", the
// file named without its folder.
std::string capturedSummary(int screens, const std::string& path);

class CaptureOutput {
  public:
    virtual ~CaptureOutput() = default;
    // True only when every byte was written.
    virtual bool write(const Byte* data, std::size_t size) = 0;
};

class OstreamCaptureOutput : public CaptureOutput {
  public:
    explicit OstreamCaptureOutput(std::ostream& os) : os_(os) {}
    bool write(const Byte* data, std::size_t size) override;

  private:
    std::ostream& os_;
};

class ScreenCapture {
  public:
    // Starts a new file on an opened output; a capture still open is closed first.
    // False (and no capture) when the header cannot be written.
    bool start(std::unique_ptr<CaptureOutput> output);
    // Appends the screen; counts it only when the whole block was written.
    bool capture(const TerminalScreen& screen);
    // Closes the output (destroying it) and ends the capture.
    void stop();

    bool active() const { return output_ != nullptr; }
    int count() const { return count_; }

  private:
    std::unique_ptr<CaptureOutput> output_;
    int count_ = 0;
};

}  // namespace varomil
