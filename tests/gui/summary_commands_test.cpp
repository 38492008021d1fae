// The compares and the tree's Copy and Find through the real main
// window, with the dialogs answered by a script.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/main_window_win.h"
#include "resources/summary_ids.h"
#include "settings/settings_file.h"
#include "summary/summary_tree.h"
#include "summary/summary_tree_view_win.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

using SummaryCommandsTest = FreshWindowTest<2>;
HWND tree() {
    return mainWindow().tree;
}

// The texts of the items without children, in reading order.
void leaves(HWND tree, HTREEITEM item, std::vector<std::string>& out) {
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        const HTREEITEM child = TreeView_GetChild(tree, item);
        if (child == nullptr) out.push_back(summaryItemText(tree, item));
        leaves(tree, child, out);
    }
}

// Runs a compare command and returns the rows its window showed.
std::vector<std::string> comparedRows(int command, std::initializer_list<std::string> file) {
    std::vector<std::string> rows;
    DialogHook hook([&](HWND dialog) {
        leaves(GetDlgItem(dialog, IDC_COMPARE_ROWS),
               TreeView_GetRoot(GetDlgItem(dialog, IDC_COMPARE_ROWS)), rows);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    answering({}, file, [&] { sendCommand(command); });
    EXPECT_EQ(hook.dialogsSeen(), 1);
    return rows;
}

TEST_F(SummaryCommandsTest, CompareWithAFileShowsOnlyTheSettingsThatDiffer) {
    auto other = std::make_unique<SettingsImage>(settingsImage());  // and three changes
    other->setByte(fld::KeyClick, 1 - other->byte(fld::KeyClick));
    other->setText(fld::LocalName, "DOCK-9");
    other->setU16le(fld::TelnetPort, 2323);
    const std::string path = scratchPath("other.net");
    ASSERT_TRUE(writeSettingsFile(path, *other, companions()));
    document().CurrentFileName = "C:\\mine.net";
    document().SettingsModified = true;
    const auto before = std::make_unique<SettingsImage>(settingsImage());
    const std::vector<std::string> rows = comparedRows(cmd::CompareWith, {path});
    EXPECT_EQ(rows,
              (std::vector<std::string>{"Key Click : Enable | Disable", "Local Name :  | DOCK-9",
                                        "Telnet Port : 23 | 2323"}));
    EXPECT_EQ(settingsImage().bytes(), before->bytes());
    EXPECT_EQ(std::make_pair(document().CurrentFileName, document().SettingsModified),
              std::make_pair(std::string("C:\\mine.net"), true));

    EXPECT_EQ(comparedRows(cmd::CompareFactory, {}), std::vector<std::string>{"No differences"});
}

TEST_F(SummaryCommandsTest, AFileThatFailsToLoadIsNamedAndChangesNothing) {
    const std::string path = scratchPath("short.net");
    std::ofstream(path, std::ios::binary) << "V106";
    const auto before = std::make_unique<SettingsImage>(settingsImage());
    const Asked asked = answering({IDOK}, {path}, [] { sendCommand(cmd::CompareWith); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    expectBox(asked.boxes[0], "The file is too short to be a settings file. " + path, kProgramTitle,
              MB_ICONWARNING, MB_ICONMASK);
    EXPECT_EQ(settingsImage().bytes(), before->bytes());
}

TEST_F(SummaryCommandsTest, FindSelectsTheNextMatchWrapsAndSaysWhenThereIsNone) {
    const auto find = [](const char* text) {
        DialogHook hook([text](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIND_TEXT, text);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        sendCommand(cmd::TreeFind);
    };
    const auto selected = [] { return summaryItemText(tree(), TreeView_GetSelection(tree())); };
    find("ip or name :");
    EXPECT_EQ(selected(), "Active Host IP or Name : 1");
    sendCommand(cmd::TreeFindNext);
    EXPECT_EQ(selected(), "Host IP or Name : 192.168.1.100");
    for (int i = 0; i < 5; ++i) sendCommand(cmd::TreeFindNext);
    EXPECT_EQ(selected(), "Active Host IP or Name : 1") << "wrapped to the first match";
    EXPECT_EQ(answering({IDOK}, {}, [&] { find("no such text"); }).boxes.at(0).text,
              "Cannot find \"no such text\".");
    EXPECT_EQ(selected(), "Active Host IP or Name : 1");
}

TEST_F(SummaryCommandsTest, CopyPutsTheSelectedBranchOnTheClipboard) {
    const HTREEITEM system = TreeView_GetNextSibling(tree(), TreeView_GetRoot(tree()));
    HTREEITEM item = TreeView_GetChild(tree(), system);
    while (item != nullptr && summaryItemText(tree(), item) != "Security")
        item = TreeView_GetNextSibling(tree(), item);
    ASSERT_NE(item, nullptr);
    TreeView_SelectItem(tree(), item);
    sendCommand(cmd::TreeCopy);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE data = GetClipboardData(CF_TEXT);
    const std::string text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(text,
              "Security\r\n  Password : \r\n  TCP/IP Settings : Disable\r\n"
              "  Emulation Settings : Disable\r\n  Set Data & Time : Disable\r\n");
}

TEST_F(SummaryCommandsTest, ARightClickSelectsTheItemAndOpensTheContextMenu) {
    const HTREEITEM barcode =
        TreeView_GetNextSibling(tree(), TreeView_GetNextSibling(tree(), TreeView_GetRoot(tree())));
    RECT r{};
    TreeView_GetItemRect(tree(), barcode, &r, TRUE);
    POINT at{r.left + 2, r.top + 2};
    ClientToScreen(tree(), &at);
    for (const LPARAM where : {MAKELPARAM(at.x, at.y), LPARAM{-1}}) {
        EXPECT_EQ(popupMenuItems([where] {
                      SendMessageA(mainWindow().frame, WM_CONTEXTMENU, (WPARAM)tree(), where);
                  }),
                  "1150 &Copy\tCtrl+Ins|1160 &Find...\tCtrl+F|");
        EXPECT_EQ(summaryItemText(tree(), TreeView_GetSelection(tree())), "Barcode");
    }
}

}  // namespace
}  // namespace varomil::test
