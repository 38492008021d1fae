// File commands and the product selector through the real main window: the common
// dialogs are answered by a script, the files are real files under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/file_dialog_win.h"
#include "app/main_window_win.h"
#include "settings/factory_defaults.h"
#include "settings/settings_image.h"
#include "tests/core/default_image_digest.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

std::string scratchFolder() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "varomil-gui-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

std::vector<unsigned char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string selectorItem() {
    return std::to_string(SendMessageA(mainWindow().selector, CB_GETCURSEL, 0, 0));
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
    {
        ScriptedFileDialogs dialogs;
        dialogs.choose(base);
        sendCommand(1040);
        ASSERT_EQ(dialogs.calls().size(), 1u);
        const auto& call = dialogs.calls()[0];
        EXPECT_EQ(call.kind, FileDialogKind::Save);
        EXPECT_EQ(call.filter, std::string("Settings (*.NET)\0*.NET\0", 23));
        EXPECT_EQ(call.defaultExtension, "NET");
        EXPECT_TRUE(call.flags & OFN_OVERWRITEPROMPT);
        EXPECT_TRUE(call.flags & OFN_PATHMUSTEXIST);
        EXPECT_TRUE(call.flags & OFN_HIDEREADONLY);
    }
    EXPECT_EQ(document().CurrentFileName, base + ".NET");
    EXPECT_FALSE(document().SettingsModified);
    const std::vector<unsigned char> bytes = fileBytes(base + ".NET");
    ASSERT_EQ(bytes.size(), 163659u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), std::string("V106\0\x02", 6));
    EXPECT_EQ(std::string(bytes.begin() + 3880, bytes.begin() + 3887), std::string("DOCK-7\0", 7));
    EXPECT_EQ(bytes.back(), 0x5A);
    EXPECT_FALSE(fileExists(base + ".NET.tmp"));

    // A name that already ends in .net (any case) is kept as typed.
    ScriptedFileDialogs dialogs;
    dialogs.choose(folder + "second.net");
    sendCommand(1040);
    EXPECT_EQ(document().CurrentFileName, folder + "second.net");
    EXPECT_EQ(fileBytes(folder + "second.net").size(), 163659u);
}

TEST_F(SettingsFileTest, OpenLoadsTheFileSelectsItsProductAndRebuildsTheTree) {
    chooseProduct(3);
    settingsImage().setText(fld::Ssid, "WAREHOUSE");
    const std::string path = folder + "site.NET";
    {
        ScriptedFileDialogs dialogs;
        dialogs.choose(path);
        sendCommand(1040);
    }
    chooseProduct(1);
    EXPECT_EQ(settingsImage().text(fld::Ssid), "WLAN");
    {
        ScriptedFileDialogs dialogs;
        dialogs.choose(path);
        sendCommand(1020);
        ASSERT_EQ(dialogs.calls().size(), 1u);
        EXPECT_EQ(dialogs.calls()[0].kind, FileDialogKind::Open);
        EXPECT_TRUE(dialogs.calls()[0].flags & OFN_FILEMUSTEXIST);
    }
    EXPECT_EQ(settingsImage().text(fld::Ssid), "WAREHOUSE");
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), 3);
    EXPECT_EQ(selectorItem(), "3");
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
    {
        ScriptedFileDialogs dialogs;
        dialogs.choose(shortFile);
        sendCommand(1020);
    }
    EXPECT_EQ(settingsImage().text(fld::LocalName), "KEEP");
    EXPECT_TRUE(document().CurrentFileName.empty()) << "a later Save must not overwrite it";
    EXPECT_EQ(fileBytes(shortFile).size(), 1004u);

    ScriptedFileDialogs dialogs;
    dialogs.choose("");  // Cancel
    sendCommand(1020);
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

    {
        ScriptedMessageBoxes boxes;
        boxes.answer(IDYES);
        SendMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_EQ(boxes.calls().size(), 1u);
    }
    EXPECT_TRUE(IsWindow(frame)) << "closing would lose the changes";
    {
        ScriptedMessageBoxes boxes;
        boxes.answer(IDYES);
        sendCommand(1010);
    }
    EXPECT_EQ(settingsImage().text(fld::LocalName), "UNSAVED");

    // Yes with a Save As that is cancelled stops as well.
    document().CurrentFileName.clear();
    {
        ScriptedMessageBoxes boxes;
        ScriptedFileDialogs dialogs;
        boxes.answer(IDYES);
        dialogs.choose("");
        sendCommand(1020);
    }
    EXPECT_EQ(settingsImage().text(fld::LocalName), "UNSAVED");

    // Yes with a save that works goes on and closes.
    document().CurrentFileName = folder + "saved.NET";
    ScriptedMessageBoxes boxes;
    boxes.answer(IDYES);
    SendMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(fileBytes(folder + "saved.NET").size(), 163659u);
}

TEST_F(SettingsFileTest, AReadOnlyFileIsNeitherReplacedNorReportedAsSaved) {
    chooseProduct(2);
    const std::string path = folder + "locked.NET";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    document().CurrentFileName = path;
    sendCommand(1030);
    const std::vector<unsigned char> before = fileBytes(path);
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

TEST_F(SettingsFileTest, SaveWithoutAFileNameAsksForOne) {
    chooseProduct(1);
    ScriptedFileDialogs dialogs;
    dialogs.choose("");
    sendCommand(1030);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].kind, FileDialogKind::Save);
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
