// The download commands up to the link: the Download Properties dialog, the
// program file choice, the failures reported before any transfer, the progress
// window and the socket host's closing rules.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "download/download_devices_win.h"
#include "download/download_dialogs_win.h"
#include "settings/settings_image.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

struct ListState {
    std::vector<std::string> items;
    int selected = -1;
    bool dropDownList = false;
};

ListState readList(HWND dialog, int id) {
    ListState s;
    const HWND list = GetDlgItem(dialog, id);
    const int n = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[64] = "";
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        s.items.push_back(text);
    }
    s.selected = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
    s.dropDownList = (GetWindowLongA(list, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
    return s;
}

std::vector<std::string> staticTexts(HWND dialog) {
    std::vector<std::string> texts;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = "";
        GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") == 0) texts.push_back(windowText(c));
    }
    return texts;
}

struct PropertiesSeen {
    std::string caption;
    std::vector<std::string> labels;
    ListState via, port, speed;
    std::string ok, cancel;
};

// Reads the Download Properties dialog, then picks the given link (or cancels).
class PropertiesScript {
  public:
    PropertiesScript(int via = -1, int port = 0, int speed = 0)
        : hook_([this, via, port, speed](HWND d) {
              if (windowText(d) != "Download Properties") return;
              seen.caption = windowText(d);
              seen.labels = staticTexts(d);
              seen.via = readList(d, 401);
              seen.port = readList(d, 402);
              seen.speed = readList(d, 403);
              seen.ok = dialogItemText(d, IDOK);
              seen.cancel = dialogItemText(d, IDCANCEL);
              ++shown;
              if (via < 0) {
                  PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                  return;
              }
              SendDlgItemMessageA(d, 401, CB_SETCURSEL, static_cast<WPARAM>(via), 0);
              SendDlgItemMessageA(d, 402, CB_SETCURSEL, static_cast<WPARAM>(port), 0);
              SendDlgItemMessageA(d, 403, CB_SETCURSEL, static_cast<WPARAM>(speed), 0);
              PostMessageA(d, WM_COMMAND, IDOK, 0);
          }) {}
    PropertiesSeen seen;
    int shown = 0;

  private:
    DialogHook hook_;
};

std::string scratchFile(const std::string& name, const std::string& content) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string path =
        std::string(temp) + "varomil-dl-" + std::to_string(GetCurrentProcessId()) + "-" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

constexpr UINT kWarning = MB_OK | MB_ICONWARNING;

class DownloadCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(freshMainWindow(), nullptr);
        chooseProduct(2);
    }
};

TEST_F(DownloadCommandTest, PropertiesListTheLinksAndPreselectTheStoredOnes) {
    settingsImage().setByte(fld::DownloadVia, 3);
    settingsImage().setByte(fld::DownloadBaudRate, 2);
    ScriptedMessageBoxes boxes;
    PropertiesScript dialog;
    sendCommand(1210);
    ASSERT_EQ(dialog.shown, 1);
    const PropertiesSeen& s = dialog.seen;
    EXPECT_EQ(s.caption, "Download Properties");
    EXPECT_EQ(s.labels,
              (std::vector<std::string>{"&Download via :", "&COM port :", "&Baur rate :"}));
    EXPECT_EQ(s.via.items, (std::vector<std::string>{"Cradle-IR", "RS-232", "IrDA", "RF"}));
    EXPECT_EQ(s.port.items, (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5",
                                                      "COM6", "COM7", "COM8", "COM9"}));
    EXPECT_EQ(s.speed.items,
              (std::vector<std::string>{"115200 bps", "57600 bps", "38400 bps", "9600 bps"}));
    EXPECT_TRUE(s.via.dropDownList && s.port.dropDownList && s.speed.dropDownList);
    EXPECT_EQ(s.via.selected, 3);
    EXPECT_EQ(s.port.selected, 0);
    EXPECT_EQ(s.speed.selected, 2);
    EXPECT_EQ(s.ok, "OK");
    EXPECT_EQ(s.cancel, "Cancel");
    // Cancel: nothing opened, nothing said.
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(DownloadCommandTest, StoredValuesOutsideTheirListsPreselectTheFirstItem) {
    settingsImage().setByte(fld::DownloadVia, 4);
    settingsImage().setByte(fld::DownloadBaudRate, 0xFF);
    ScriptedMessageBoxes boxes;
    PropertiesScript dialog;
    sendCommand(1210);
    ASSERT_EQ(dialog.shown, 1);
    EXPECT_EQ(dialog.seen.via.selected, 0);
    EXPECT_EQ(dialog.seen.speed.selected, 0);
    EXPECT_EQ(dialog.seen.port.selected, 0);
}

TEST_F(DownloadCommandTest, APortThatCannotBeOpenedEndsTheCommandWithoutRetry) {
    // No COM9 exists in the test's Wine prefix.
    ScriptedMessageBoxes boxes;
    boxes.answer(IDOK);
    PropertiesScript dialog(0, 8, 0);
    sendCommand(1210);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Can't open the COM port!");
    EXPECT_EQ(boxes.calls()[0].caption, "Download");
    EXPECT_EQ(boxes.calls()[0].flags, kWarning);
}

TEST_F(DownloadCommandTest, ABindFailureIsReportedWithoutRetryAndLeavesTheLibraryBalanced) {
    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    // Holding the port makes the download's bind fail.
    const SOCKET holder = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(3000);
    bind(holder, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    listen(holder, 1);
    {
        ScriptedMessageBoxes boxes;
        boxes.answer(IDOK);
        PropertiesScript dialog(3, 0, 0);
        sendCommand(1210);
        ASSERT_EQ(boxes.calls().size(), 1u);
        EXPECT_EQ(boxes.calls()[0].text, "Error in Binding on socket!");
        EXPECT_EQ(boxes.calls()[0].caption, "Download");
        EXPECT_EQ(boxes.calls()[0].flags, kWarning);
    }
    // The download cleaned up only its own start: ours still holds.
    sockaddr_in name{};
    int size = sizeof name;
    EXPECT_EQ(getsockname(holder, reinterpret_cast<sockaddr*>(&name), &size), 0);
    closesocket(holder);
    EXPECT_EQ(WSACleanup(), 0);
}

TEST_F(DownloadCommandTest, ProgramFileChoiceAndFilesRefusedBeforeAnyLink) {
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    PropertiesScript dialog;
    files.choose("");  // Cancel
    sendCommand(1220);
    ASSERT_EQ(files.calls().size(), 1u);
    EXPECT_EQ(files.calls()[0].kind, FileDialogKind::Open);
    EXPECT_EQ(files.calls()[0].filter,
              std::string("Absolute object programs {*.SHX}\0*.SHX\0", 39));
    EXPECT_EQ(files.calls()[0].defaultExtension, "SHX");
    EXPECT_EQ(files.calls()[0].flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
    EXPECT_TRUE(boxes.calls().empty());

    boxes.answer(IDOK);
    files.choose(scratchFile("missing-dir\\none.SHX", ""));
    sendCommand(1220);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, "Can't open the file!");
    EXPECT_EQ(boxes.calls()[0].flags, kWarning);

    // A wrong checksum on line 2: refused before the link is even chosen.
    boxes.answer(IDOK);
    files.choose(scratchFile("bad.SHX",
                             "S00600004844521B\r\n"
                             "S30900010000AABBCCDD00\r\n"
                             "S70500000000FA\r\n"));
    sendCommand(1220);
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[1].text, "The program file is not valid: line 2 has a wrong checksum.");
    EXPECT_EQ(boxes.calls()[1].caption, "Download");
    EXPECT_EQ(dialog.shown, 0);

    // A good file, then Cancel in Download Properties: the file is closed again.
    const std::string good = scratchFile("good.SHX",
                                         "S30900010000AABBCCDDE7\r\n"
                                         "S70500000000FA\r\n");
    files.choose(good);
    sendCommand(1220);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(boxes.calls().size(), 2u);
    const HANDLE again =
        CreateFileA(good.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(again, INVALID_HANDLE_VALUE);
    CloseHandle(again);
}

TEST(DownloadWindows, ProgressWindowShowsTheBarAndFollowsThePosition) {
    WinDownloadUi ui;
    ui.beginProgress(597);
    const HWND w = ui.progressWindow();
    ASSERT_TRUE(IsWindow(w));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(windowText(w), "Progress");
    EXPECT_EQ(dialogItemText(w, 101), "Downloading...");
    EXPECT_EQ(GetWindow(w, GW_OWNER), nullptr);
    const HWND bar = ui.progressBar();
    char cls[32] = "";
    GetClassNameA(bar, cls, sizeof cls);
    EXPECT_STREQ(cls, "msctls_progress32");
    EXPECT_EQ(windowText(bar), "Downloading");
    RECT client{};
    GetClientRect(w, &client);
    const RECT r = childRect(bar);
    EXPECT_EQ(r.left, 14);
    EXPECT_EQ(r.top, client.bottom / 2);
    EXPECT_EQ(r.right - r.left, client.right - 28);
    EXPECT_EQ(r.bottom - r.top, 20);
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 597);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
    ui.setProgress(298);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 298);
    ui.endProgress();
    EXPECT_FALSE(IsWindow(w));

    ui.showEraseNotice();
    const HWND notice = ui.eraseNotice();
    ASSERT_TRUE(IsWindow(notice));
    EXPECT_TRUE(IsWindowVisible(notice));
    EXPECT_EQ(windowText(notice), "Download");
    ui.hideEraseNotice();
    EXPECT_FALSE(IsWindow(notice));
}

TEST(DownloadWindows, SocketHostClosesOnlyForItsOwnSocketAndCleansUpOnce) {
    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    WinSocketHost host;
    host.setNotifyWindow(mainWindow().terminal);
    ASSERT_EQ(host.listen(3000), SocketHost::ListenResult::Ok);
    const SOCKET peer = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(3000);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(connect(peer, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
    ASSERT_TRUE(host.accept(5000));
    EXPECT_TRUE(host.connected());
    // A late notification of some other socket changes nothing.
    host.onNotification(static_cast<WPARAM>(peer), FD_CLOSE);
    EXPECT_TRUE(host.connected());
    // The terminal hangs up: the next receive sees it.
    closesocket(peer);
    Byte buf[16];
    const DWORD start = GetTickCount();
    while (host.connected() && GetTickCount() - start < 5000) host.receive(buf, sizeof buf);
    EXPECT_FALSE(host.connected());
    host.onNotification(static_cast<WPARAM>(host.dataSocket()), FD_CLOSE);
    EXPECT_FALSE(host.libraryStarted());
    host.close();
    host.close();
    // Our own start is still counted: exactly one cleanup is left to make.
    EXPECT_EQ(WSACleanup(), 0);
}

}  // namespace
}  // namespace varomil::test
