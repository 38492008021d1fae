#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/recent_files.h"

namespace varomil {
namespace {

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
