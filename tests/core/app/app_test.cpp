#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/command_ids.h"
#include "app/command_states.h"
#include "app/document.h"
#include "app/recent_files.h"

namespace varomil {
namespace {

std::string nameOf(int i) {
    const char* names[] = {"4410/4420", "4630/4640", "4850", "X", "LONGERTHANNINE", "6", "7",
                           "8",         "9",         "10",   "11"};
    return names[i];
}

TEST(ProductTable, LoadsCountAndNamesFromTheStrings) {
    Document doc;
    loadProductTable(doc, "3", nameOf);
    EXPECT_EQ(doc.ProductCount, 3);
    EXPECT_EQ(doc.ProductTable[0], "4410/4420");
    EXPECT_EQ(doc.ProductTable[2], "4850");
    EXPECT_EQ(doc.ProductTable[3], "");
    EXPECT_EQ(productName(doc, 2), "4630/4640");
    EXPECT_EQ(productName(doc, 0), "");
    EXPECT_EQ(productName(doc, 4), "");
}

TEST(ProductTable, CountIsKeptWithinTheTableAndNamesWithinNineCharacters) {
    Document doc;
    loadProductTable(doc, "11", nameOf);
    EXPECT_EQ(doc.ProductCount, 10) << "the table has room for 10 names only";
    EXPECT_EQ(doc.ProductTable[4], "LONGERTHA");
    EXPECT_EQ(doc.ProductTable[9], "10");
    loadProductTable(doc, "-2", nameOf);
    EXPECT_EQ(doc.ProductCount, 0);
    EXPECT_EQ(doc.ProductTable[0], "") << "a reload clears the old names";
    loadProductTable(doc, "", nameOf);
    EXPECT_EQ(doc.ProductCount, 0);
    loadProductTable(doc, "0000000003", nameOf);  // only 9 characters are read
    EXPECT_EQ(doc.ProductCount, 0);
}

TEST(Commands, OnlyCommandsOnTheSettingsNeedAProduct) {
    for (const CommandInfo& c : kCommands) {
        // New, Save, Save As, Configure, Download Settings, Export Summary, both compares.
        const bool expected = c.id == 1010 || c.id == 1030 || c.id == 1040 || c.id == 1110 ||
                              c.id == 1210 || c.id == 1050 || c.id == 1060 || c.id == 1070;
        EXPECT_EQ(commandNeedsProduct(c.id), expected) << c.name;
        EXPECT_EQ(commandKeepsStatusText(c.id), c.id == 1310 || c.id == 1320 || c.id == 1330)
            << c.name;
    }
    EXPECT_FALSE(commandNeedsProduct(4711));
    EXPECT_TRUE(closeAsksToSave(1, true));
    EXPECT_FALSE(closeAsksToSave(0, true));
    EXPECT_FALSE(closeAsksToSave(2, false));
}

TEST(Commands, ConnectedLayoutNeedsTheFlagClearAndConnectStillEnabled) {
    auto enabled = [](const auto& layout, int id) {
        for (const CommandState& s : layout) {
            if (s.id == id) return s.enabled;
        }
        ADD_FAILURE() << "no state for " << id;
        return false;
    };
    // Enabled ('1') or not: Connect, Disconnect, Capture, Start Capture, Stop Capture.
    const auto flags = [&](const auto& layout, std::initializer_list<int> ids) {
        std::string out;
        for (int id : ids) out += enabled(layout, id) ? '1' : '0';
        return out + " ";
    };
    const std::initializer_list<int> link{1340, 1350, 1310, 1320, 1330}, capture{1320, 1310, 1330};
    EXPECT_EQ(flags(connectionLayout(false, true), link) +
                  flags(connectionLayout(true, true), link) +
                  flags(connectionLayout(true, false), link) +
                  flags(connectionLayout(false, false), link),
              "01111 10000 10000 10000 ");
    EXPECT_EQ(flags(captureLayout(false, true), capture) +
                  flags(captureLayout(true, true), capture) +
                  flags(captureLayout(false, false), capture),
              "011 100 100 ");
}

using List = std::vector<std::string>;

TEST(RecentFiles, NewestFirstSameFileOnceWhateverItsCaseAndFourAtMost) {
    List list;
    for (const char* p :
         {"C:\\a.NET", "C:\\b.NET", "C:\\A.net", "D:\\c.NET", "D:\\d.NET", "E:\\e.NET", ""})
        rememberRecentFile(list, p);
    EXPECT_EQ(list, (List{"E:\\e.NET", "D:\\d.NET", "D:\\c.NET", "C:\\A.net"}));
    forgetRecentFile(list, "d:\\C.net");
    EXPECT_EQ(list, (List{"E:\\e.NET", "D:\\d.NET", "C:\\A.net"}));
    EXPECT_EQ(cleanRecentFiles({"", "C:\\x.NET", "c:\\X.NET", "1", "2", "3", "4"}),
              (List{"C:\\x.NET", "1", "2", "3"}));
}

TEST(RecentFiles, MenuTextNumbersDoublesAmpersandsAndShortensLongPaths) {
    EXPECT_EQ(recentFileMenuText(0, "C:\\Sites\\R&D.NET"), "&1 C:\\Sites\\R&&D.NET");
    const std::string deep = "C:\\" + std::string(70, 'x') + "\\site.NET";
    EXPECT_EQ(recentFileMenuText(3, deep), "&4 C:\\...\\site.NET");
    const std::string share = "\\\\srv\\cfg\\" + std::string(70, 'y') + "\\s.NET";
    EXPECT_EQ(recentFileMenuText(1, share), "&2 \\\\srv\\cfg\\...\\s.NET");
    const std::string flat = std::string(70, 'z') + ".NET";  // nothing to cut
    EXPECT_EQ(recentFileMenuText(2, flat), "&3 " + flat);
}

TEST(WindowTitle, NamesTheFileAndMarksChanges) {
    const std::string t = "Varomil Terminal Emulation For VT";
    EXPECT_EQ(windowTitleFor(t, "", false), t);
    EXPECT_EQ(windowTitleFor(t, "", true), "Untitled* - " + t);
    EXPECT_EQ(windowTitleFor(t, "C:\\Sites\\dock.NET", false), "dock.NET - " + t);
    EXPECT_EQ(windowTitleFor(t, "C:\\Sites\\dock.NET", true), "dock.NET* - " + t);
    EXPECT_EQ(windowTitleFor(t, "plain.NET", true), "plain.NET* - " + t);
}

}  // namespace
}  // namespace varomil
