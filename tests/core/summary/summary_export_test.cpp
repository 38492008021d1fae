#include <gtest/gtest.h>

#include <memory>

#include "settings/factory_defaults.h"
#include "summary/summary_tree.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

// The file Export Summary writes, byte for byte: the factory settings of the
// "4630/4640" under the line that names their file and the date.
TEST(SummaryExport, NamesItsSourceAndDateInCrLfLinesWithoutTrailingBlanks) {
    auto image = std::make_unique<SettingsImage>();
    auto comp = std::make_unique<Companions>();
    applyFactoryDefaults(*image, *comp, 2);
    expectGolden("summary-4630-export.txt",
                 summaryExportFile(buildSummaryTree(*image, programSummaryContext()),
                                   "C:\\Sites\\caf\xE9.NET", "2024-05-01"));
    // Settings without a file; a line of blanks alone keeps its place, empty.
    EXPECT_EQ(summaryExportFile({{"a \t ", {{"  ", {}}}}, {"b", {}}}, "", "2024-05-02"),
              "Summary of Untitled, 2024-05-02\r\na \t\r\n\r\nb\r\n");
}

}  // namespace
}  // namespace varomil
