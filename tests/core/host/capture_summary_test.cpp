#include <gtest/gtest.h>

#include "host/capture_file.h"

namespace varomil {
namespace {

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
