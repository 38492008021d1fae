// Export Summary through the real main window: the file it writes names the
// settings file and the date on its first line, in CR LF lines.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/document.h"
#include "resources/summary_ids.h"
#include "settings/settings_image.h"
#include "summary/summary_tree.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

std::string today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char date[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    return date;
}

TEST(ExportSummary, WritesTheTreeUnderALineNamingTheFileAndTheDate) {
    ASSERT_NE(freshMainWindow(), nullptr);
    chooseProduct(2);
    settingsImage().setText(slot::promptSlot(0), "Men\xFC");
    const std::string path = scratchPath("summary.txt");
    const std::pair<std::string, std::string> sources[] = {
        {"", "Untitled"}, {"C:\\Sites\\dock.NET", "C:\\Sites\\dock.NET"}};
    for (const auto& [file, shown] : sources) {
        document().CurrentFileName = file;
        const Asked asked = answering({}, {path}, [] { sendCommand(IDM_EXPORT_SUMMARY); });
        ASSERT_EQ(asked.files.size(), 1u);
        EXPECT_EQ(asked.files[0].filter, std::string("Text (*.TXT)\0*.TXT\0", 19));
        const std::string text = fileBytes(path);
        const std::string date = today();
        const std::string head = "Summary of " + shown + ", " + date + "\r\n";
        EXPECT_EQ(text.substr(0, head.size()), head);
        EXPECT_EQ(text,
                  summaryExportFile(buildSummaryTree(settingsImage(), programSummaryContext()),
                                    file, date));
        EXPECT_NE(text.find("\r\n      Men\xC3\xBC\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace varomil::test
