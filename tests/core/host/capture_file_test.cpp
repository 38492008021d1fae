// The *.SCR writer: header, 2,080-byte blocks and the capture state.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/capture_file.h"
#include "tests/core/host/vt_test_support.h"

namespace varomil {
namespace {

const std::string kHeader = std::string("V100") + std::string(16, '\0');

std::string block(const TerminalScreen& s) {
    return std::string(80, '\0') + std::string(reinterpret_cast<const char*>(s.text.data()), 2000);
}

TEST(CaptureFile, ThreeScreensGiveHeaderAndThreeBlocks) {
    SessionRig rig;
    std::ostringstream file;
    ScreenCapture capture;
    ASSERT_TRUE(capture.start(std::make_unique<OstreamCaptureOutput>(file)));
    rig.feed("first\x1b[24;80HZ");
    std::string expected = kHeader;
    expected += block(rig.screen());
    ASSERT_TRUE(capture.capture(rig.screen()));
    rig.feed("\x1b[2J\x1b[1;1Hsecond\x1b#8");  // row 24 too
    expected += block(rig.screen());
    ASSERT_TRUE(capture.capture(rig.screen()));
    rig.feed("\x1b[?3l\x1b[7mthird");  // reverse video is not recorded
    expected += block(rig.screen());
    ASSERT_TRUE(capture.capture(rig.screen()));
    capture.stop();

    const std::string bytes = file.str();
    ASSERT_EQ(bytes.size(), 6260u);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(bytes.substr(20 + 80, 5), "first");
    EXPECT_EQ(static_cast<unsigned char>(bytes[20 + 80 + 23 * 80 + 79]), 'Z');
    EXPECT_EQ(bytes.substr(20 + 2080 + 80 + 24 * 80, 80), std::string(80, 'E'));
    EXPECT_EQ(capture.count(), 3);
    EXPECT_FALSE(capture.active());
}

TEST(CaptureFile, StartThenStopGivesTheHeaderOnly) {
    std::ostringstream file;
    ScreenCapture capture;
    ASSERT_TRUE(capture.start(std::make_unique<OstreamCaptureOutput>(file)));
    capture.stop();
    EXPECT_EQ(file.str(), kHeader);
    SessionRig rig;
    EXPECT_FALSE(capture.capture(rig.screen()));  // no capture in progress: nothing written
    EXPECT_EQ(file.str(), kHeader);
}

// Accepts only so many bytes, like a full disk.
class ShortOutput : public CaptureOutput {
  public:
    ShortOutput(std::string& bytes, std::size_t room, bool& closed)
        : bytes_(bytes), room_(room), closed_(closed) {}
    ~ShortOutput() override { closed_ = true; }
    bool write(const Byte* data, std::size_t size) override {
        const std::size_t n = std::min(size, room_ - bytes_.size());
        bytes_.append(reinterpret_cast<const char*>(data), n);
        return n == size;
    }

  private:
    std::string& bytes_;
    std::size_t room_;
    bool& closed_;
};

TEST(CaptureFile, OnlyWholeBlocksAreCountedAndASecondStartClosesTheFirst) {
    SessionRig rig;
    std::string first, second;
    bool firstClosed = false, secondClosed = false;
    ScreenCapture capture;
    ASSERT_TRUE(capture.start(std::make_unique<ShortOutput>(first, 20 + 2080 + 100, firstClosed)));
    EXPECT_TRUE(capture.capture(rig.screen()));
    EXPECT_FALSE(capture.capture(rig.screen()));
    EXPECT_EQ(capture.count(), 1);

    ASSERT_TRUE(capture.start(std::make_unique<ShortOutput>(second, 1000, secondClosed)));
    EXPECT_TRUE(firstClosed);
    EXPECT_EQ(capture.count(), 0);
    EXPECT_FALSE(secondClosed);

    std::string third;
    bool thirdClosed = false;
    EXPECT_FALSE(capture.start(std::make_unique<ShortOutput>(third, 10, thirdClosed)));
    EXPECT_TRUE(secondClosed);
    EXPECT_TRUE(thirdClosed);
    EXPECT_FALSE(capture.active());
}

TEST(CaptureSummary, SaysHowManyScreensWentIntoWhichFile) {
    const struct {
        int screens;
        const char* path;
        const char* said;
    } cases[] = {{3, "C:\\Sites\\site.SCR", "3 screens in site.SCR"},
                 {1, "D:site.SCR", "1 screen in site.SCR"},
                 {0, "/tmp/x/empty.scr", "0 screens in empty.scr"},
                 {2, "plain.SCR", "2 screens in plain.SCR"}};
    for (const auto& c : cases) EXPECT_EQ(capturedSummary(c.screens, c.path), c.said) << c.path;
}

}  // namespace
}  // namespace varomil
