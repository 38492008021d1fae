#include "command_line/batch_download.h"

#include <gtest/gtest.h>

namespace varomil {
namespace {

// The batch's own lines: who may connect, what it waits for, whom it refused.
TEST(BatchDownload, LinesOfTheSiteLog) {
    AllowList some;
    std::string error;
    ASSERT_TRUE(some.parse("10.1.2.0/24,10.9.9.9", error)) << error;
    EXPECT_EQ(allowedLine(AllowList{}), "every address is allowed");
    EXPECT_EQ(allowedLine(some), "allowed: 10.1.2.0/24, 10.9.9.9");
    EXPECT_EQ(waitingLine("21:04:05", 2, "COM3"), "21:04:05  waiting for terminal 2 on COM3");
    const std::pair<SiteRefusal, const char*> refusals[] = {
        {SiteRefusal::NotAllowed, "refused: address not allowed"},
        {SiteRefusal::RowTaken, "refused: its row is served already"},
        {SiteRefusal::NoRow, "refused: no row left for it"},
        {SiteRefusal::NoHandshake, "closed: no terminal answered"},
    };
    for (const auto& [why, text] : refusals)
        EXPECT_EQ(refusedLine("t", "10.0.0.9:40312", why),
                  std::string("t  10.0.0.9:40312  ") + text);
    EXPECT_EQ(batchSummaryLine(3, 1, 35140), "3 terminals: 2 ok, 1 failed, 35.14 s");
}

}  // namespace
}  // namespace varomil
