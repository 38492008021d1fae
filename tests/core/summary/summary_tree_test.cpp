#include "summary/summary_tree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

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

const SummaryItem& child(const std::vector<SummaryItem>& items, const std::string& text) {
    for (const SummaryItem& i : items) {
        if (i.text == text) return i;
    }
    static const SummaryItem none{"<missing>", {}};
    ADD_FAILURE() << "no item " << text;
    return none;
}

std::string printed(const SummaryItem& item) {
    return printSummaryTree({item});
}

// The whole default tree of each product is a golden file; the spot checks
// below hold whatever the files say.
TEST(SummaryTree, DefaultsOfEachProduct) {
    EXPECT_TRUE(Fixture(0).tree().empty());
    for (int product : {1, 2, 3}) {
        const std::vector<SummaryItem> roots = Fixture(product).tree();
        ASSERT_EQ(roots.size(), 6u);
        expectGolden("summary_tree_product" + std::to_string(product) + ".txt",
                     printSummaryTree(roots));
    }
    const std::vector<SummaryItem> narrow = Fixture(1).tree(), two = Fixture(2).tree(),
                                   wide = Fixture(3).tree();
    EXPECT_EQ(narrow[1].children[9].children[0].text, "Main Menu (12*2)              ");
    EXPECT_EQ(child(narrow[1].children, "Function Key : Locked").text, "Function Key : Locked");
    EXPECT_EQ(narrow[4].children[4].children.size(), 15u);
    EXPECT_EQ(wide[0].children[0].text, "Terminal Model : Dornwick 4850");
    EXPECT_EQ(wide[4].children[4].children[25].text, "F12   =>  Undefined");
    EXPECT_EQ(two[4].children[4].children.size(), 33u);
    EXPECT_EQ(two[4].children[4].children[1].text, "FN+1  =>  F1");
    EXPECT_EQ(child(two[3].children[2].children, "Telnet Port : 23").text, "Telnet Port : 23");
    EXPECT_EQ(printed(two[5]), "Screen\n");
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

    const std::vector<SummaryItem> roots = f.tree();
    expectGolden("summary_tree_edited.txt", printSummaryTree(roots));
    EXPECT_EQ(roots[1].children[1].text, "Auto Power Off : 300 seconds");
    EXPECT_EQ(printed(child(roots[2].children[1].children, "Enable Telepen")),
              "Enable Telepen\n  Original Telepen  (Numeric)\n");
    EXPECT_EQ(roots[2].children[2].children[8].text, "Prefix Code : ESC 128 SP A ");
    EXPECT_EQ(roots[3].children[1].children[8].text,
              "WEP Key 2 : 01 AB FF 00 00 00 00 00 00 00 00 00 00 ");
    const std::vector<SummaryItem>& keys = roots[4].children[4].children;
    EXPECT_EQ(keys[3].text + "|" + keys[5].text + "|" + keys[6].text,
              "FN+3  =>  Name Key|FN+5  =>  Shift  +  F12|FN+6  =>  Alt  +  User defined");
    const SummaryItem& page2 = roots[5].children.at(1);
    ASSERT_EQ(page2.children.size(), 2u + 8u);
    EXPECT_EQ(printed(page2.children[4]),
              "Terminal Line No :  3\n  Host Row, Column : 5, 12\n  Terminal Screen : QTY\n");
}

TEST(SummaryTree, HostileImageStaysWithinItsSlots) {
    Fixture f(2);
    f.image->bytes().fill(0xFF);
    const std::vector<SummaryItem> roots = f.tree();
    ASSERT_EQ(roots.size(), 6u);
    expectGolden("summary_tree_hostile.txt", printSummaryTree(roots));
    EXPECT_EQ(roots[1].children[3].text, "Turn off if idle for 2550 seconds");
    EXPECT_EQ(roots[1].children[9].children[0].children[0].text, std::string(41, '\xff'));
    EXPECT_EQ(roots[2].children[2].children[13].text, "Scan Control : ");
    EXPECT_EQ(roots[3].children[1].children[11].text.size(), 208u);
    EXPECT_EQ(roots[3].children[2].children[6].text, "Telnet Port : 65535");
    EXPECT_EQ(roots[5].children.size(), 50u);
    EXPECT_EQ(roots[5].children[49].children.size(), 2u);  // no layout, no lines
}

// print_summary and Export Summary must print the texts the tree shows, which
// come from the resource script.
TEST(SummaryTree, ProgramContextIsTheResourceStrings) {
    std::ifstream rc(VAROMIL_TEST_DATA "/../../resources/varomil.rc");
    ASSERT_TRUE(rc.good());
    std::stringstream text;
    text << rc.rdbuf();
    const SummaryContext ctx = programSummaryContext();
    std::vector<std::string> lines{"IDS_MAKER \"" + ctx.maker + '"',
                                   "IDS_VERSION VAROMIL_VERSION_LABEL",
                                   "IDS_NOTICE \"" + ctx.notice + '"'};
    for (std::size_t i = 0; i < ctx.productNames.size(); ++i) {
        lines.push_back(std::to_string(3002 + i) + " \"" + ctx.productNames[i] + '"');
    }
    for (const std::string& line : lines) {
        EXPECT_NE(text.str().find(line), std::string::npos) << line;
    }
}

// The whole text print_summary and Export Summary give for the factory settings.
TEST(SummaryTree, ExportOfFactorySettingsMatchesTheGoldenFile) {
    std::ifstream golden(VAROMIL_TEST_DATA "/summary-4630.txt", std::ios::binary);
    ASSERT_TRUE(golden.good());
    std::stringstream text;
    text << golden.rdbuf();
    Fixture f(2);
    EXPECT_EQ(summaryExportText(buildSummaryTree(*f.image, programSummaryContext())), text.str());
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

}  // namespace
}  // namespace varomil
