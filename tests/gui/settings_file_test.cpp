// File commands and the product selector through the real main window: the common
// dialogs are answered by a script, the files are real files under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>

#include "app/document.h"
#include "shell/file_dialog_win.h"
#include "app/main_window_win.h"
#include "settings/factory_defaults.h"
#include "settings/settings_image.h"
#include "tests/core/settings/default_image_digest.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

const std::string kTitle = "Varomil Terminal Emulation For VT";

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
    const Asked asked = answering({}, {base}, [] { sendCommand(cmd::SaveAs); });
    ASSERT_EQ(asked.files.size(), 1u);
    EXPECT_EQ(asked.files[0].kind, FileDialogKind::Save);
    EXPECT_EQ(asked.files[0].filter, std::string("Settings (*.NET)\0*.NET\0", 23));
    const DWORD flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    EXPECT_EQ(std::make_tuple(asked.files[0].defaultExtension, asked.files[0].flags & flags,
                              document().CurrentFileName, document().SettingsModified),
              std::make_tuple(std::string("NET"), flags, base + ".NET", false));
    const std::string bytes = fileBytes(base + ".NET");
    ASSERT_EQ(bytes.size(), 163659u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("V106\0\x02", 6));
    EXPECT_EQ(bytes.substr(3880, 7), std::string("DOCK-7\0", 7));
    EXPECT_EQ(bytes.back(), 0x5A);
    EXPECT_FALSE(fileExists(base + ".NET.tmp"));

    // A name that already ends in .net (any case) is kept as typed.
    answering({}, {folder + "second.net"}, [] { sendCommand(cmd::SaveAs); });
    EXPECT_EQ(document().CurrentFileName, folder + "second.net");
    EXPECT_EQ(fileBytes(folder + "second.net").size(), 163659u);

    // Save without a file name asks for one.
    document().CurrentFileName.clear();
    EXPECT_EQ(answering({}, {""}, [] { sendCommand(cmd::Save); }).files.at(0).kind,
              FileDialogKind::Save);
}

TEST_F(SettingsFileTest, OpenLoadsTheFileSelectsItsProductAndRebuildsTheTree) {
    chooseProduct(3);
    settingsImage().setText(fld::Ssid, "WAREHOUSE");
    const std::string path = folder + "site.NET";
    answering({}, {path}, [] { sendCommand(cmd::SaveAs); });
    chooseProduct(1);
    EXPECT_EQ(settingsImage().text(fld::Ssid), "WLAN");
    const Asked asked = answering({}, {path}, [] { sendCommand(cmd::Open); });
    ASSERT_EQ(asked.files.size(), 1u);
    EXPECT_EQ(asked.files[0].kind, FileDialogKind::Open);
    EXPECT_TRUE(asked.files[0].flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(std::make_tuple(settingsImage().text(fld::Ssid),
                              int{settingsImage().byte(fld::ProductIndex)},
                              SendMessageA(mainWindow().selector, CB_GETCURSEL, 0, 0),
                              document().CurrentFileName, document().SettingsModified,
                              SendMessageA(mainWindow().tree, TVM_GETCOUNT, 0, 0) > 6),
              std::make_tuple(std::string("WAREHOUSE"), 3, LRESULT{3}, path, false, true));
}

TEST_F(SettingsFileTest, AFileThatCannotBeLoadedLeavesSettingsAndNameAlone) {
    chooseProduct(2);
    settingsImage().setText(fld::LocalName, "KEEP");
    const std::string shortFile = folder + "short.NET";
    {
        std::ofstream out(shortFile, std::ios::binary);
        out << "V106" << std::string(1000, '\0');
    }
    Asked asked = answering({IDOK}, {shortFile}, [] { sendCommand(cmd::Open); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    expectBox(asked.boxes[0],
              "Can not open the settings from " + shortFile +
                  ".\nThe file is too short to be a settings file.",
              kTitle, MB_OK | MB_ICONWARNING);
    EXPECT_EQ(settingsImage().text(fld::LocalName), "KEEP");
    EXPECT_TRUE(document().CurrentFileName.empty()) << "a later Save must not overwrite it";
    EXPECT_EQ(fileBytes(shortFile).size(), 1004u);

    answering({}, {""}, [] { sendCommand(cmd::Open); });  // Cancel
    EXPECT_EQ(settingsImage().text(fld::LocalName), "KEEP");
    EXPECT_TRUE(document().CurrentFileName.empty());

    asked = answering({IDOK}, {folder + "gone.NET"}, [] { sendCommand(cmd::Open); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    EXPECT_EQ(
        asked.boxes[0].text.rfind("Can not open the settings from " + folder + "gone.NET.\n", 0),
        0u)
        << asked.boxes[0].text;
    EXPECT_GT(asked.boxes[0].text.size(), asked.boxes[0].text.find('\n') + 1) << "no reason";
}

// A file of another format (or a version before 100) brings the factory settings,
// says so, and is never the target of the next Save.
TEST_F(SettingsFileTest, AForeignFileIsReportedAndNeverOverwrittenByTheNextSave) {
    chooseProduct(3);
    const std::string foreign = folder + "foreign.NET";
    {
        std::ofstream out(foreign, std::ios::binary);
        out << "X106" << std::string(163655, '\x01');
    }
    const std::string before = fileBytes(foreign);
    Asked asked = answering({IDOK}, {foreign}, [] { sendCommand(cmd::Open); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    expectBox(asked.boxes[0],
              foreign +
                  " is not a settings file of a known version.\nThe factory settings are "
                  "loaded instead; Save asks for a new file name.",
              kTitle, MB_OK | MB_ICONWARNING);
    // The factory settings of 4410/4420, no file name.
    EXPECT_EQ(std::make_tuple(int{settingsImage().byte(fld::ProductIndex)},
                              settingsImage().text(fld::Ssid), document().CurrentFileName,
                              windowText(frame)),
              std::make_tuple(1, std::string("WLAN"), std::string(), kTitle));
    asked = answering({}, {""}, [] { sendCommand(cmd::Save); });  // asks for a name: Cancel
    EXPECT_EQ(asked.files.at(0).kind, FileDialogKind::Save);
    EXPECT_EQ(fileBytes(foreign), before);
}

TEST_F(SettingsFileTest, AFailedSaveKeepsTheChangesAndStopsTheCommandThatAsked) {
    chooseProduct(2);
    settingsImage().setText(fld::LocalName, "UNSAVED");
    document().SettingsModified = true;
    document().CurrentFileName = folder + "no-such-folder\\site.NET";

    const Asked asked = answering({IDOK}, {}, [] { sendCommand(cmd::Save); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    const std::string& text = asked.boxes[0].text;
    EXPECT_EQ(text.rfind("Can not save the settings to " + document().CurrentFileName + ".\n", 0),
              0u)
        << text;
    EXPECT_GT(text.size(), text.find('\n') + 1) << "the system's reason is missing";
    EXPECT_TRUE(document().SettingsModified);

    answering({IDYES, IDOK}, {}, [&] { SendMessageA(frame, WM_CLOSE, 0, 0); });
    EXPECT_TRUE(IsWindow(frame)) << "closing would lose the changes";
    answering({IDYES, IDOK}, {}, [] { sendCommand(cmd::New); });
    EXPECT_EQ(settingsImage().text(fld::LocalName), "UNSAVED");

    // Yes with a Save As that is cancelled stops as well.
    document().CurrentFileName.clear();
    answering({IDYES}, {""}, [] { sendCommand(cmd::Open); });
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
    sendCommand(cmd::Save);
    const std::string before = fileBytes(path);
    ASSERT_EQ(before.size(), 163659u);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    settingsImage().setText(fld::Ssid, "CHANGED");
    document().SettingsModified = true;
    EXPECT_EQ(answering({IDOK}, {}, [] { sendCommand(cmd::Save); }).boxes.at(0).text,
              "Can not save the settings to " + path + ".\n" + "Access denied.");
    EXPECT_TRUE(document().SettingsModified);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_FALSE(fileExists(path + ".tmp"));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    // Save As onto a name that is a folder by now: said, and nothing saved.
    const std::string taken = folder + "taken.NET";
    CreateDirectoryA(taken.c_str(), nullptr);
    const Asked asked = answering({IDOK}, {taken}, [] { sendCommand(cmd::SaveAs); });
    EXPECT_EQ(asked.boxes.at(0).text.rfind("Can not save the settings to " + taken + ".\n", 0), 0u);
    EXPECT_TRUE(document().SettingsModified);
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
