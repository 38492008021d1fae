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

class SummaryCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        chooseProduct(2);
    }
    HWND tree() const { return mainWindow().tree; }
};

// The texts of the items without children, in reading order.
void leaves(HWND tree, HTREEITEM item, std::vector<std::string>& out) {
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        const HTREEITEM child = TreeView_GetChild(tree, item);
        if (child == nullptr) out.push_back(summaryItemText(tree, item));
        leaves(tree, child, out);
    }
}

// A settings file: the settings in memory with some changes.
std::string otherFile(const std::string& name, void (*change)(SettingsImage&)) {
    auto image = std::make_unique<SettingsImage>(settingsImage());
    auto comp = std::make_unique<Companions>(companions());
    change(*image);
    const std::string path = scratchPath(name);
    EXPECT_TRUE(writeSettingsFile(path, *image, *comp));
    return path;
}

// Runs a compare command and returns the rows its window showed.
std::vector<std::string> comparedRows(int command, const std::string& file) {
    std::vector<std::string> rows;
    DialogHook hook([&](HWND dialog) {
        leaves(GetDlgItem(dialog, IDC_COMPARE_ROWS),
               TreeView_GetRoot(GetDlgItem(dialog, IDC_COMPARE_ROWS)), rows);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    answering({},
              file.empty() ? std::initializer_list<std::string>{}
                           : std::initializer_list<std::string>{file},
              [&] { sendCommand(command); });
    EXPECT_EQ(hook.dialogsSeen(), 1);
    return rows;
}

TEST_F(SummaryCommandsTest, CompareWithAFileShowsOnlyTheSettingsThatDiffer) {
    const std::string path = otherFile("other.net", [](SettingsImage& i) {
        i.setByte(fld::KeyClick, 1 - i.byte(fld::KeyClick));
        i.setText(fld::LocalName, "DOCK-9");
        i.setU16le(fld::TelnetPort, 2323);
    });
    document().CurrentFileName = "C:\\mine.net";
    document().SettingsModified = true;
    const auto before = std::make_unique<SettingsImage>(settingsImage());
    const std::vector<std::string> rows = comparedRows(IDM_COMPARE_WITH, path);
    EXPECT_EQ(rows,
              (std::vector<std::string>{"Key Click : Enable | Disable", "Local Name :  | DOCK-9",
                                        "Telnet Port : 23 | 2323"}));
    EXPECT_EQ(settingsImage().bytes(), before->bytes());
    EXPECT_EQ(std::make_pair(document().CurrentFileName, document().SettingsModified),
              std::make_pair(std::string("C:\\mine.net"), true));

    EXPECT_EQ(comparedRows(IDM_COMPARE_FACTORY, ""), std::vector<std::string>{"No differences"});
}

TEST_F(SummaryCommandsTest, AFileThatFailsToLoadIsNamedAndChangesNothing) {
    const std::string path = scratchPath("short.net");
    { std::ofstream(path, std::ios::binary) << "V106"; }
    const auto before = std::make_unique<SettingsImage>(settingsImage());
    const Asked asked = answering({IDOK}, {path}, [] { sendCommand(IDM_COMPARE_WITH); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    expectBox(asked.boxes[0], "The file is too short to be a settings file. " + path,
              "Varomil Terminal Emulation For VT", MB_ICONWARNING, MB_ICONMASK);
    EXPECT_EQ(settingsImage().bytes(), before->bytes());
}

TEST_F(SummaryCommandsTest, FindSelectsTheNextMatchWrapsAndSaysWhenThereIsNone) {
    const auto find = [](const char* text) {
        DialogHook hook([text](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_FIND_TEXT, text);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        sendCommand(IDM_TREE_FIND);
    };
    const auto selected = [this] { return summaryItemText(tree(), TreeView_GetSelection(tree())); };
    find("ip or name :");
    EXPECT_EQ(selected(), "Active Host IP or Name : 1");
    sendCommand(IDM_TREE_FIND_NEXT);
    EXPECT_EQ(selected(), "Host IP or Name : 192.168.1.100");
    for (int i = 0; i < 5; ++i) sendCommand(IDM_TREE_FIND_NEXT);
    EXPECT_EQ(selected(), "Active Host IP or Name : 1") << "wrapped to the first match";
    const Asked asked = answering({IDOK}, {}, [&] { find("no such text"); });
    ASSERT_EQ(asked.boxes.size(), 1u);
    EXPECT_EQ(asked.boxes[0].text, "Cannot find \"no such text\".");
    EXPECT_EQ(selected(), "Active Host IP or Name : 1");
}

TEST_F(SummaryCommandsTest, CopyPutsTheSelectedBranchOnTheClipboard) {
    const HTREEITEM system = TreeView_GetNextSibling(tree(), TreeView_GetRoot(tree()));
    HTREEITEM item = TreeView_GetChild(tree(), system);
    while (item != nullptr && summaryItemText(tree(), item) != "Security") {
        item = TreeView_GetNextSibling(tree(), item);
    }
    ASSERT_NE(item, nullptr);
    TreeView_SelectItem(tree(), item);
    sendCommand(IDM_TREE_COPY);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE data = GetClipboardData(CF_TEXT);
    const std::string text = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : "";
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(text,
              "Security\r\n  Password : \r\n  TCP/IP Settings : Disable\r\n"
              "  Emulation Settings : Disable\r\n  Set Data & Time : Disable\r\n");
}

// The context menu's items, read while it is up; the menu is then closed.
std::string shownMenu;
void CALLBACK readMenuAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const HWND popup = FindWindowA("#32768", nullptr);
    const HMENU menu = popup != nullptr
                           ? reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0))
                           : nullptr;
    char text[64];
    for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        shownMenu += std::to_string(GetMenuItemID(menu, i)) + " " + text + "|";
    }
    EndMenu();
}

TEST_F(SummaryCommandsTest, ARightClickSelectsTheItemAndOpensTheContextMenu) {
    const HTREEITEM barcode =
        TreeView_GetNextSibling(tree(), TreeView_GetNextSibling(tree(), TreeView_GetRoot(tree())));
    RECT r{};
    TreeView_GetItemRect(tree(), barcode, &r, TRUE);
    POINT at{r.left + 2, r.top + 2};
    ClientToScreen(tree(), &at);
    for (const LPARAM where : {MAKELPARAM(at.x, at.y), LPARAM{-1}}) {
        shownMenu.clear();
        SetTimer(nullptr, 0, 50, readMenuAndClose);  // fires inside the menu loop
        SendMessageA(mainWindow().frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(tree()), where);
        EXPECT_EQ(shownMenu, "1150 &Copy\tCtrl+Ins|1160 &Find...\tCtrl+F|");
        EXPECT_EQ(summaryItemText(tree(), TreeView_GetSelection(tree())), "Barcode");
    }
}

}  // namespace
}  // namespace varomil::test
