// File commands and the product selector through the real main window: the common
// dialogs are answered by a script, the files are real files under Wine. What each
// step asked and left behind is logged and compared with tests/data/gui/.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/document.h"
#include "app/main_window_win.h"
#include "settings/factory_defaults.h"
#include "settings/settings_image.h"
#include "tests/core/settings/default_image_digest.h"
#include "shell/user_settings_win.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

std::string scratchFolder() {
    const std::string folder = scratchPath("gui");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

std::string exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ? "exists\n" : "none\n";
}

std::string size(const std::string& path) {
    return std::to_string(fileBytes(path).size()) + " bytes\n";
}

std::string text(Field field) {
    return settingsImage().text(field) + "\n";
}

class SettingsFileTest : public FreshWindowTest<2> {
  protected:
    std::string folder = scratchFolder();
    std::ostringstream log;  // `<<` keeps the steps in order
};

TEST_F(SettingsFileTest, SaveAsWritesTheWholeFileAndAppendsTheExtension) {
    settingsImage().setText(fld::LocalName, "DOCK-7");
    companions().capturedScreens[49][2079] = 0x5A;
    document().SettingsModified = true;
    DeleteFileA((folder + "config.NET").c_str());
    log << loggedCommand(cmd::SaveAs, {}, {folder + "config"});
    const std::string bytes = fileBytes(folder + "config.NET");
    ASSERT_EQ(bytes.size(), 163659u);
    EXPECT_EQ(bytes.substr(0, 6) + bytes.substr(3880, 7) + bytes.back(), std::string("V106\0\x02"
                                                                                     "DOCK-7\0\x5A",
                                                                                     14));
    log << exists(folder + "config.NET.tmp")
        // A name that already ends in .net (any case) is kept as typed.
        << loggedCommand(cmd::SaveAs, {}, {folder + "second.net"}) << size(folder + "second.net");
    document().CurrentFileName.clear();  // Save without a file name asks for one
    log << loggedCommand(cmd::Save, {}, {""});
    expectLog("save_as.txt", log.str());
}

TEST_F(SettingsFileTest, OpenLoadsTheFileSelectsItsProductAndRebuildsTheTree) {
    chooseProduct(3);
    settingsImage().setText(fld::Ssid, "WAREHOUSE");
    log << loggedCommand(cmd::SaveAs, {}, {folder + "site.NET"});
    chooseProduct(1);
    log << text(fld::Ssid) << loggedCommand(cmd::Open, {}, {folder + "site.NET"})
        << text(fld::Ssid);
    EXPECT_EQ(SendMessageA(mainWindow().selector, CB_GETCURSEL, 0, 0), 3);
    EXPECT_GT(SendMessageA(mainWindow().tree, TVM_GETCOUNT, 0, 0), 6);
    expectLog("open.txt", log.str());
}

// Too short, gone, or of another format (or a version before 100, which brings the
// factory settings): said, and never the target of the next Save.
TEST_F(SettingsFileTest, FilesThatCannotBeLoadedAreNamedAndNeverOverwritten) {
    settingsImage().setText(fld::LocalName, "KEEP");
    const std::string shortFile = folder + "short.NET", foreign = folder + "foreign.NET";
    std::ofstream(shortFile, std::ios::binary) << "V106" << std::string(1000, '\0');
    std::ofstream(foreign, std::ios::binary) << "X106" << std::string(163655, '\x01');
    const std::string before = fileBytes(foreign);
    log << loggedCommand(cmd::Open, {IDOK}, {shortFile}) << text(fld::LocalName) << size(shortFile)
        << loggedCommand(cmd::Open, {}, {""}) << text(fld::LocalName)
        << loggedCommand(cmd::Open, {IDOK}, {folder + "gone.NET"})
        << loggedCommand(cmd::Open, {IDOK}, {foreign}) << text(fld::Ssid) << windowText(frame)
        << "\n"
        << loggedCommand(cmd::Save, {}, {""});
    EXPECT_EQ(fileBytes(foreign), before);
    expectLog("open_failures.txt", log.str());
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheChangesAndStopsTheCommandThatAsked) {
    settingsImage().setText(fld::LocalName, "UNSAVED");
    document().SettingsModified = true;
    document().CurrentFileName = folder + "no-such-folder\\site.NET";
    const auto close = [this] { SendMessageA(frame, WM_CLOSE, 0, 0); };
    const auto window = [this] { return IsWindow(frame) ? "window open\n" : "window closed\n"; };
    log << loggedCommand(cmd::Save, {IDOK}) << logged({IDYES, IDOK}, {}, close) << window()
        << loggedCommand(cmd::New, {IDYES, IDOK}) << text(fld::LocalName);
    // Yes with a Save As that is cancelled stops as well.
    document().CurrentFileName.clear();
    log << loggedCommand(cmd::Open, {IDYES}, {""}) << text(fld::LocalName);
    // Yes with a save that works goes on and closes, the file first among the recent ones.
    document().CurrentFileName = folder + "saved.NET";
    log << describe(answering({IDYES}, {}, close)) << window() << size(folder + "saved.NET")
        << "recent " << scrubbed(readUserSetting("File1")) << "\n";
    expectLog("failed_save.txt", log.str());
}

TEST_F(SettingsFileTest, AReadOnlyFileIsNeitherReplacedNorReportedAsSaved) {
    const std::string path = folder + "locked.NET", taken = folder + "taken.NET";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    document().CurrentFileName = path;
    sendCommand(cmd::Save);
    const std::string before = fileBytes(path);
    ASSERT_EQ(before.size(), 163659u);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    settingsImage().setText(fld::Ssid, "CHANGED");
    document().SettingsModified = true;
    log << loggedCommand(cmd::Save, {IDOK}) << exists(path + ".tmp");
    EXPECT_EQ(fileBytes(path), before);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Save As onto a name that is a folder by now: said, nothing saved, and the
    // document keeps its old name.
    CreateDirectoryA(taken.c_str(), nullptr);
    log << loggedCommand(cmd::SaveAs, {IDOK}, {taken});
    expectLog("read_only.txt", log.str());
}

TEST_F(SettingsFileTest, EachProductInTheSelectorGivesTheNativeFactoryImage) {
    for (int product : {1, 2, 3, 0}) {
        chooseProduct(product);
        EXPECT_EQ(defaultsDigest(settingsImage(), companions()), kDefaultsDigest[product])
            << "product " << product;
    }
    chooseProduct(2);
    sendCommand(cmd::New);  // File New gives the same image
    EXPECT_EQ(defaultsDigest(settingsImage(), companions()), kDefaultsDigest[2]);
}

}  // namespace
}  // namespace varomil::test
