// File commands and the product selector through the real main window: the common
// dialogs are answered by a script, the files are real files under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "app/document.h"
#include "shell/file_dialog_win.h"
#include "app/main_window_win.h"
#include "settings/factory_defaults.h"
#include "settings/settings_image.h"
#include "tests/core/default_image_digest.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

std::string scratchFolder() {
    const std::string folder = scratchPath("gui");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = freshMainWindow();
        ASSERT_NE(frame, nullptr);
        folder = scratchFolder();
    }
    HWND frame = nullptr;
    std::string folder;
};

TEST_F(SettingsFileTest, SaveAsWritesTheWholeFileAndAppendsTheExtension) {
    chooseProduct(2);
    settingsImage().setText(fld::LocalName, "DOCK-7");
    companions().capturedScreens[49][2079] = 0x5A;
    document().SettingsModified = true;
    const std::string base = folder + "config";
    DeleteFileA((base + ".NET").c_str());
    const Asked asked = answering({}, {base}, [] { sendCommand(1040); });
    ASSERT_EQ(asked.files.size(), 1u);
    EXPECT_EQ(asked.files[0].kind, FileDialogKind::Save);
    EXPECT_EQ(asked.files[0].filter, std::string("Settings (*.NET)\0*.NET\0", 23));
    EXPECT_EQ(asked.files[0].defaultExtension, "NET");
    const DWORD flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    EXPECT_EQ(asked.files[0].flags & flags, flags);
    EXPECT_EQ(document().CurrentFileName, base + ".NET");
    EXPECT_FALSE(document().SettingsModified);
    const std::string bytes = fileBytes(base + ".NET");
    ASSERT_EQ(bytes.size(), 163659u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("V106\0\x02", 6));
    EXPECT_EQ(bytes.substr(3880, 7), std::string("DOCK-7\0", 7));
    EXPECT_EQ(bytes.back(), 0x5A);
    EXPECT_FALSE(fileExists(base + ".NET.tmp"));

    // A name that already ends in .net (any case) is kept as typed.
    answering({}, {folder + "second.net"}, [] { sendCommand(1040); });
    EXPECT_EQ(document().CurrentFileName, folder + "second.net");
    EXPECT_EQ(fileBytes(folder + "second.net").size(), 163659u);

    // Save without a file name asks for one.
    document().CurrentFileName.clear();
    EXPECT_EQ(answering({}, {""}, [] { sendCommand(1030); }).files.at(0).kind,
              FileDialogKind::Save);
}

TEST_F(SettingsFileTest, OpenLoadsTheFileSelectsItsProductAndRebuildsTheTree) {
    chooseProduct(3);
    settingsImage().setText(fld::Ssid, "WAREHOUSE");
    const std::string path = folder + "site.NET";
    answering({}, {path}, [] { sendCommand(1040); });
    chooseProduct(1);
    EXPECT_EQ(settingsImage().text(fld::Ssid), "WLAN");
    const Asked asked = answering({}, {path}, [] { sendCommand(1020); });
    ASSERT_EQ(asked.files.size(), 1u);
    EXPECT_EQ(asked.files[0].kind, FileDialogKind::Open);
    EXPECT_TRUE(asked.files[0].flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(settingsImage().text(fld::Ssid), "WAREHOUSE");
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 3);
    EXPECT_EQ(SendMessageA(mainWindow().selector, CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(document().CurrentFileName, path);
    EXPECT_FALSE(document().SettingsModified);
    EXPECT_EQ(SendMessageA(mainWindow().tree, TVM_GETCOUNT, 0, 0) > 6, true);
}

TEST_F(SettingsFileTest, AFileThatCannotBeLoadedLeavesSettingsAndNameAlone) {
    chooseProduct(2);
    settingsImage().setText(fld::LocalName, "KEEP");
    const std::string shortFile = folder + "short.NET";
    {
        std::ofstream out(shortFile, std::ios::binary);
        out << "V106" << std::string(1000, '\0');
    }
    answering({}, {shortFile}, [] { sendCommand(1020); });
    EXPECT_EQ(settingsImage().text(fld::LocalName), "KEEP");
    EXPECT_TRUE(document().CurrentFileName.empty()) << "a later Save must not overwrite it";
    EXPECT_EQ(fileBytes(shortFile).size(), 1004u);

    answering({}, {""}, [] { sendCommand(1020); });  // Cancel
    EXPECT_EQ(settingsImage().text(fld::LocalName), "KEEP");
    EXPECT_TRUE(document().CurrentFileName.empty());
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheChangesAndStopsTheCommandThatAsked) {
    chooseProduct(2);
    settingsImage().setText(fld::LocalName, "UNSAVED");
    document().SettingsModified = true;
    document().CurrentFileName = folder + "no-such-folder\\site.NET";

    sendCommand(1030);
    EXPECT_TRUE(document().SettingsModified);

    answering({IDYES}, {}, [&] { SendMessageA(frame, WM_CLOSE, 0, 0); });
    EXPECT_TRUE(IsWindow(frame)) << "closing would lose the changes";
    answering({IDYES}, {}, [] { sendCommand(1010); });
    EXPECT_EQ(settingsImage().text(fld::LocalName), "UNSAVED");

    // Yes with a Save As that is cancelled stops as well.
    document().CurrentFileName.clear();
    answering({IDYES}, {""}, [] { sendCommand(1020); });
    EXPECT_EQ(settingsImage().text(fld::LocalName), "UNSAVED");

    // Yes with a save that works goes on and closes.
    document().CurrentFileName = folder + "saved.NET";
    answering({IDYES}, {}, [&] { SendMessageA(frame, WM_CLOSE, 0, 0); });
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(fileBytes(folder + "saved.NET").size(), 163659u);
}

TEST_F(SettingsFileTest, AReadOnlyFileIsNeitherReplacedNorReportedAsSaved) {
    chooseProduct(2);
    const std::string path = folder + "locked.NET";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    document().CurrentFileName = path;
    sendCommand(1030);
    const std::string before = fileBytes(path);
    ASSERT_EQ(before.size(), 163659u);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    settingsImage().setText(fld::Ssid, "CHANGED");
    document().SettingsModified = true;
    sendCommand(1030);
    EXPECT_TRUE(document().SettingsModified);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_FALSE(fileExists(path + ".tmp"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SettingsFileTest, EachProductInTheSelectorGivesTheNativeFactoryImage) {
    for (int product : {1, 2, 3, 0}) {
        chooseProduct(product);
        EXPECT_EQ(defaultsDigest(settingsImage(), companions()), kDefaultsDigest[product])
            << "product " << product;
    }
    chooseProduct(2);
    sendCommand(1010);  // File New gives the same image
    EXPECT_EQ(defaultsDigest(settingsImage(), companions()), kDefaultsDigest[2]);
}

}  // namespace
}  // namespace varomil::test
