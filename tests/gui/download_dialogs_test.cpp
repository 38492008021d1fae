// The download commands up to the link: the Download Properties dialog, the
// program file choice, the failures reported before any transfer, the progress
// window and the socket host's closing rules.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/main_window_win.h"
#include "download/download_devices_win.h"
#include "download/download_dialogs_win.h"
#include "settings/settings_image.h"
#include "tests/core/golden.h"
#include "tests/gui/download_port.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

// A combo box as "item|item|... @selected", "!" marking one that allows typing.
std::string describeList(HWND list) {
    std::string s;
    for (int i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
        char text[64] = "";
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        s += std::string(text) + "|";
    }
    s += "@" + std::to_string(SendMessageA(list, CB_GETCURSEL, 0, 0));
    return s + ((GetWindowLongA(list, GWL_STYLE) & 3) == CBS_DROPDOWNLIST ? "" : "!");
}

// Reads the Download Properties dialog (caption, labels, lists, buttons, one a
// line), then picks the given link (or cancels).
class PropertiesScript {
  public:
    PropertiesScript(int via = -1, int port = 0, int speed = 0)
        : hook_([this, via, port, speed](HWND d) {
              if (windowText(d) != "Download Properties") return;
              seen = windowText(d) + "\n";
              for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                  char cls[32] = "";
                  GetClassNameA(c, cls, sizeof cls);
                  if (lstrcmpiA(cls, "Static") == 0) seen += windowText(c) + "|";
              }
              for (int id : {401, 402, 403}) seen += "\n" + describeList(GetDlgItem(d, id));
              seen += "\n" + dialogItemText(d, IDOK) + "|" + dialogItemText(d, IDCANCEL);
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
    std::string seen;
    int shown = 0;

  private:
    DialogHook hook_;
};

std::string scratchFile(const std::string& name, const std::string& content) {
    const std::string path = scratchPath("dl-" + name);
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

// Stored link and speed (3, 2); values outside their lists preselect the first item.
TEST_F(DownloadCommandTest, PropertiesListTheLinksAndPreselectTheStoredOnes) {
    std::string seen;
    for (const auto& [via, speed] : {std::pair<Byte, Byte>{3, 2}, {4, 0xFF}}) {
        settingsImage().setByte(fld::DownloadVia, via);
        settingsImage().setByte(fld::DownloadBaudRate, speed);
        PropertiesScript dialog;
        sendCommand(cmd::DownloadSettings);  // Cancel: nothing opened, nothing said
        ASSERT_EQ(dialog.shown, 1);
        seen += dialog.seen + "\n";
    }
    expectGolden("download/properties.txt", seen);
}

// No COM9 exists in the test's Wine prefix, and holding port 3000 makes the
// download's bind fail: each ends the command, without the retry question.
TEST_F(DownloadCommandTest, ALinkThatCannotBeOpenedEndsTheCommandAndLeavesTheLibraryBalanced) {
    WSADATA data{};
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    const SOCKET holder = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in a = downloadPortAddress(true);
    bind(holder, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    listen(holder, 1);
    for (const auto& [via, port, text] :
         {std::tuple<int, int, std::string>{0, 8, "Can't open the COM port!"},
          {3, 0, "Error in Binding on socket!"}}) {
        PropertiesScript link(via, port, 0);
        Asked asked = answering({IDOK}, {}, [] { sendCommand(cmd::DownloadSettings); });
        ASSERT_EQ(asked.boxes.size(), 1u);
        expectBox(asked.boxes[0], text, "Download", kWarning);
    }
    // The download cleaned up only its own start: ours still holds.
    sockaddr_in name{};
    int size = sizeof name;
    EXPECT_EQ(getsockname(holder, reinterpret_cast<sockaddr*>(&name), &size), 0);
    closesocket(holder);
    EXPECT_EQ(WSACleanup(), 0);
}

TEST_F(DownloadCommandTest, ProgramFileChoiceAndFilesRefusedBeforeAnyLink) {
    PropertiesScript dialog;
    const Asked asked = answering({}, {""}, [] { sendCommand(cmd::DownloadProgram); });  // Cancel
    ASSERT_EQ(asked.files.size(), 1u);
    const auto& f = asked.files[0];
    EXPECT_EQ(std::make_tuple(f.kind, f.filter, f.defaultExtension, f.flags),
              std::make_tuple(FileDialogKind::Open,
                              std::string("Absolute object programs {*.SHX}\0*.SHX\0", 39),
                              std::string("SHX"), DWORD{OFN_FILEMUSTEXIST | OFN_HIDEREADONLY}));

    // A file that cannot be read, and one with a wrong checksum on line 2: both
    // refused before the link is even chosen.
    const std::pair<std::string, std::string> refused[] = {
        {scratchFile("missing-dir\\none.SHX", ""), "Can't open the file!"},
        {scratchFile("bad.SHX", "S00600004844521B\r\nS30900010000AABBCCDD00\r\nS70500000000FA\r\n"),
         "The program file is not valid: line 2 has a wrong checksum."},
    };
    for (const auto& [file, text] : refused) {
        const Asked refusal = answering({IDOK}, {file}, [] { sendCommand(cmd::DownloadProgram); });
        ASSERT_EQ(refusal.boxes.size(), 1u);
        expectBox(refusal.boxes[0], text, "Download", kWarning);
    }
    EXPECT_EQ(dialog.shown, 0);

    // A good file, then Cancel in Download Properties: the file is closed again.
    const std::string good =
        scratchFile("good.SHX", "S30900010000AABBCCDDE7\r\nS70500000000FA\r\n");
    EXPECT_TRUE(answering({}, {good}, [] { sendCommand(cmd::DownloadProgram); }).boxes.empty());
    EXPECT_EQ(dialog.shown, 1);
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
    EXPECT_EQ(
        std::make_tuple(IsWindowVisible(w), windowText(w), dialogItemText(w, 101),
                        GetWindow(w, GW_OWNER)),
        std::make_tuple(TRUE, std::string("Progress"), std::string("Downloading..."), HWND{}));
    const HWND bar = ui.progressBar();
    RECT client{};
    GetClientRect(w, &client);
    const RECT r = childRect(bar);
    EXPECT_EQ(std::make_tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
              std::make_tuple(14L, client.bottom / 2, client.right - 28, 20L));
    EXPECT_EQ(std::make_pair(SendMessageA(bar, PBM_GETRANGE, FALSE, 0),
                             SendMessageA(bar, PBM_GETPOS, 0, 0)),
              std::make_pair(LRESULT{597}, LRESULT{0}));
    ui.setProgress(298);
    ui.progressCount("block 298 of 597");
    // Its Cancel is seen at the download's next look, and is pressed once.
    const HWND cancel = GetDlgItem(w, IDCANCEL);
    EXPECT_EQ(std::make_tuple(SendMessageA(bar, PBM_GETPOS, 0, 0), dialogItemText(w, 104),
                              windowText(cancel), ui.cancelled()),
              std::make_tuple(LRESULT{298}, std::string("block 298 of 597"), std::string("Cancel"),
                              false));
    PostMessageA(cancel, BM_CLICK, 0, 0);
    const DWORD start = GetTickCount();
    while (!ui.cancelled() && GetTickCount() - start < 2000) Sleep(10);
    EXPECT_TRUE(ui.cancelled() && !IsWindowEnabled(cancel));
    ui.endProgress();
    EXPECT_FALSE(IsWindow(w));

    ui.showEraseNotice();
    const HWND notice = ui.eraseNotice();
    ASSERT_TRUE(IsWindow(notice));
    EXPECT_EQ(windowText(notice) + (IsWindowVisible(notice) ? " shown" : ""), "Download shown");
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
    const sockaddr_in a = downloadPortAddress();
    ASSERT_EQ(connect(peer, reinterpret_cast<const sockaddr*>(&a), sizeof a), 0);
    ASSERT_TRUE(host.accept(5000));
    EXPECT_EQ(host.peerAddress() + (host.connected() ? " connected" : ""), "127.0.0.1 connected");
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
