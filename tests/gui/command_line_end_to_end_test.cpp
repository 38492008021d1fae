// The Windows side of tests/e2e/command_line_e2e.sh: writes the settings file the
// batch downloads and its summary through File > Export Summary..., for the
// script to compare with print_summary. Skipped unless the script sets
// VAROMIL_CLI_E2E_DIR.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/document.h"
#include "resources/summary_ids.h"
#include "settings/settings_file.h"
#include "settings/settings_image.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

TEST(CommandLineEndToEnd, WritesTheSettingsFileAndItsExportedSummary) {
    const char* dir = std::getenv("VAROMIL_CLI_E2E_DIR");  // a Windows path ending in '\'
    if (dir == nullptr) GTEST_SKIP() << "run by tests/e2e/command_line_e2e.sh";
    ASSERT_NE(freshMainWindow(), nullptr);
    chooseProduct(2);
    settingsImage().setByte(fld::DownloadVia, 3);  // RF
    settingsImage().setText(fld::LocalName, "BATCH-E2E");
    settingsImage().setText(slot::promptSlot(3), "Men\xFC \x80");
    settingsImage().bytes()[kSettingsImageSize - 1] = 0xA5;
    const std::string path = std::string(dir) + "site.NET";
    ASSERT_TRUE(writeSettingsFile(path, settingsImage(), companions()));
    answering({}, {std::string(dir) + "export.txt"}, [] { sendCommand(IDM_EXPORT_SUMMARY); });
}

}  // namespace
}  // namespace varomil::test
