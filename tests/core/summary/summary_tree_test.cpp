#include "summary/summary_tree.h"

#include <gtest/gtest.h>

#include <memory>

#include "settings/factory_defaults.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

const SummaryContext kContext{"Dornwick", "V2.90.0", "Notice", {"4410/4420", "4630/4640", "4850"}};

struct Fixture {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    explicit Fixture(int product) { applyFactoryDefaults(*image, *comp, product); }
    std::vector<SummaryItem> tree() const { return buildSummaryTree(*image, kContext); }
};

// The whole tree is a golden file: the default tree of each product, an edited
// one and a hostile one.
TEST(SummaryTree, DefaultsOfEachProduct) {
    EXPECT_TRUE(Fixture(0).tree().empty());
    for (int product : {1, 2, 3}) {
        const std::vector<SummaryItem> roots = Fixture(product).tree();
        ASSERT_EQ(roots.size(), 6u);
        expectGolden("summary_tree_product" + std::to_string(product) + ".txt",
                     printSummaryTree(roots));
    }
}

TEST(SummaryTree, ValuesModifiersRolesAndPages) {
    Fixture f(2);
    SettingsImage& img = *f.image;
    img.setByte(fld::AutoPowerOffLow, 44);
    img.setByte(fld::AutoPowerOffHigh, 1);
    img.bytes()[3690 + 2] |= 0x06;  // Telepen on, TelepenNumeric 1 as the dialog writes it
    img.setCodes(fld::PrefixCode, "\x1b\x80 A");
    img.setByte(fld::WepKeyLength, 1);
    img.setByte(fld::ActiveWepKey, 3);
    img.setRaw(slot::wepKey(1), reinterpret_cast<const Byte*>("\x01\xab\xff"), 3);
    img.setByte(slot::binding(3), 201, 0);
    img.setByte(slot::binding(3), 0, 1);
    img.setByte(slot::binding(5), 1, 0);
    img.setByte(slot::binding(5), 12, 1);
    img.setByte(slot::binding(6), 2, 0);
    img.setByte(slot::binding(6), 20, 1);
    img.setByte(fld::PageCount, 2);
    img.setByte(fld::FontSize, 1);
    img.setByte(slot::pageLayout(1), 1);
    img.setByte(fld::CursorLocationMode, 1);
    img.setText(slot::lineText(1, 2), "QTY");
    img.setByte(slot::lineHostRow(1, 2), 5);
    img.setByte(slot::lineHostColumn(1, 2), 12);

    expectGolden("summary_tree_edited.txt", printSummaryTree(f.tree()));
}

TEST(SummaryTree, HostileImageStaysWithinItsSlots) {
    Fixture f(2);
    f.image->bytes().fill(0xFF);
    const std::vector<SummaryItem> roots = f.tree();
    ASSERT_EQ(roots.size(), 6u);
    expectGolden("summary_tree_hostile.txt", printSummaryTree(roots));
}

// print_summary and Export Summary must print the texts the tree shows, which
// come from the resource script.
TEST(SummaryTree, ProgramContextIsTheResourceStrings) {
    const std::string rc = readGolden("../../resources/varomil.rc");
    const SummaryContext ctx = programSummaryContext();
    std::vector<std::string> lines{"IDS_MAKER \"" + ctx.maker + '"',
                                   "IDS_VERSION VAROMIL_VERSION_LABEL",
                                   "IDS_NOTICE \"" + ctx.notice + '"'};
    for (std::size_t i = 0; i < ctx.productNames.size(); ++i)
        lines.push_back("IDS_FIRST_PRODUCT" + (i ? " + " + std::to_string(i) : "") + " \"" +
                        ctx.productNames[i] + '"');
    for (const std::string& line : lines) EXPECT_NE(rc.find(line), std::string::npos) << line;
}

TEST(SummaryTree, ExportOfFactorySettingsMatchesTheGoldenFile) {
    Fixture f(2);
    expectGolden("summary-4630.txt",
                 summaryExportText(buildSummaryTree(*f.image, programSummaryContext())));
}

TEST(SummaryTree, ExportTextIsUtf8) {
    EXPECT_EQ(ansiToUtf8("a\xE9\x80\x81z"), "a\xC3\xA9\xE2\x82\xAC\xEF\xBF\xBDz");
    // Either side of the Windows-1252 table's end, and a byte it has no letter for.
    EXPECT_EQ(ansiToUtf8("\x9F\xA0\x8F"), "\xC5\xB8\xC2\xA0\xEF\xBF\xBD");
    Fixture f(1);
    f.image->setText(slot::promptSlot(0), "Caf\xE9");
    const std::string text = summaryExportText(f.tree());
    EXPECT_EQ(text, ansiToUtf8(printSummaryTree(f.tree())));
    EXPECT_NE(text.find("      Caf\xC3\xA9\n"), std::string::npos);
}

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
