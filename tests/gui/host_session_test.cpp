// The host session end to end under Wine: Connect through the Host IP dialog to a
// scripted telnet host on 127.0.0.1, negotiation and automatic login, keys, three
// captured screens in a *.SCR file, and the host closing the connection.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "app/command_ids.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "host/session_state_win.h"
#include "settings/image_layout.h"
#include "settings/settings_image.h"
#include "tests/core/golden.h"
#include "tests/gui/download_port.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/host_telnet_peer.h"

namespace varomil::test {
namespace {

// A capture file as text: its header, then each row of 80 bytes without its
// trailing NULs, a line each; NUL shows as "~".
std::string captureText(const std::string& file) {
    std::string out;
    for (std::size_t at = 0; at < file.size(); at = at == 0 ? 20 : at + 80) {
        std::string row = file.substr(at, at == 0 ? 20 : 80);
        if (at > 0) row.erase(row.find_last_not_of('\0') + 1);
        for (char ch : row) out += ch == '\0' ? "~" : ch == '~' ? "\\x7E" : printable({ch});
        out += "\n";
    }
    return out;
}

std::string rowOnScreen(int row) {
    std::lock_guard<std::mutex> hold(sessionState().lock);
    return sessionState().session.screen().rowText(row);
}

// The row shows the text at the column and the window has taken every notice.
bool shows(int row, int column, const std::string& text) {
    const std::string r = rowOnScreen(row);
    std::lock_guard<std::mutex> hold(sessionState().lock);
    return r.compare(static_cast<std::size_t>(column), text.size(), text) == 0 &&
           !sessionState().updatePosted;
}

void keys(std::initializer_list<UINT> vks) {
    for (UINT vk : vks) SendMessageA(mainWindow().terminal, WM_KEYDOWN, vk, 1);
}
void typed(char ch) {
    SendMessageA(mainWindow().terminal, WM_CHAR, static_cast<unsigned char>(ch), 1);
}

bool disconnectedView() {
    return IsWindowVisible(mainWindow().tree) && !IsWindowVisible(mainWindow().terminal) &&
           buttonEnabled(cmd::Connect) && !buttonEnabled(cmd::Disconnect);
}

// Connect, with the Host IP dialog given `octets` (none: as shown) and OK (then
// Cancel, for a dialog that refuses); returns what the dialog showed: its caption
// and address ("caption|a.b.c.d").
std::string connectWith(std::vector<std::string> octets = {}, bool thenCancel = false) {
    std::string shown;
    DialogHook dialog([&](HWND d) {
        shown = windowText(d) + "|";
        for (int id = 201; id <= 204; ++id) shown += dialogItemText(d, id) + (id < 204 ? "." : "");
        for (std::size_t k = 0; k < octets.size(); ++k)
            SetDlgItemTextA(d, 201 + static_cast<int>(k), octets[k].c_str());
        PostMessageA(d, WM_COMMAND, IDOK, 0);
        if (thenCancel) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    });
    sendCommand(cmd::Connect);
    return shown;
}

void useHost(const ScriptedTelnetHost& host) {
    settingsImage().setU16le(fld::TelnetPort, static_cast<std::uint16_t>(host.port()));
}

class HostSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = freshMainWindow();
        ASSERT_NE(frame, nullptr);
        SettingsImage& image = settingsImage();
        image.setText(slot::hostAddress(0), "10.9.8.7");
        image.setText(slot::hostAddress(2), "127.00.0.001");
        image.setByte(fld::ActiveHostIndex, 2);
        image.setFlag(fld::AutoLogin, true);
        image.setText(fld::NamePrompt, "login:");
        image.setText(fld::PasswordPrompt, "password:");
        image.setText(fld::LoginName, "operator");
        image.setText(fld::LoginPassword, "secret");
        image.setText(fld::TerminalType, "vt220");
    }
    void TearDown() override { sendCommand(cmd::Disconnect); }
    HWND frame = nullptr;
};

TEST_F(HostSessionTest, LogsInBrowsesCapturesThreeScreensAndReturnsToTheTreeWhenTheHostCloses) {
    ScriptedTelnetHost host(hostScript(readGolden("host/session_script.txt")));
    useHost(host);
    const std::string scr = scratchPath("host_test.scr");
    DeleteFileA(scr.c_str());

    EXPECT_EQ(connectWith(), "Host IP|127.0.0.1");
    ASSERT_TRUE(IsWindowVisible(mainWindow().terminal));
    EXPECT_EQ(std::make_tuple(IsWindowVisible(mainWindow().tree), buttonEnabled(cmd::Connect),
                              buttonEnabled(cmd::Disconnect)),
              std::make_tuple(FALSE, false, true));
    // The address goes back into the entry the dialog showed.
    EXPECT_EQ(settingsImage().text(slot::hostAddress(2)) + " " +
                  settingsImage().text(slot::hostAddress(0)),
              "127.0.0.1 10.9.8.7");

    ASSERT_TRUE(pumpUntil([] { return shows(23, 0, "Select:"); })) << printable(rowOnScreen(23));
    const Asked asked = answering({}, {scr}, [] { sendCommand(cmd::StartCapture); });
    ASSERT_EQ(asked.files.size(), 1u);
    const DWORD flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    EXPECT_EQ(std::make_tuple(asked.files[0].filter, asked.files[0].defaultExtension,
                              asked.files[0].flags & flags),
              std::make_tuple(std::string("Host Session Screens (*.SCR)\0*.SCR\0", 35),
                              std::string("SCR"), flags));
    EXPECT_EQ(statusText(), "Ready to capture");
    sendCommand(cmd::Capture);
    EXPECT_EQ(statusText(), "Captured : 1 screens");
    EXPECT_TRUE(shows(2, 4, "1. Receiving"));

    keys({VK_DOWN, VK_F5});
    typed('2');
    keys({VK_RETURN});
    typed('\r');                           // Return was sent with the key already
    keys({VK_DELETE, VK_F15, VK_INSERT});  // F15 sends nothing
    ASSERT_TRUE(pumpUntil([] { return shows(3, 0, "Qty:  12"); })) << printable(rowOnScreen(3));
    ASSERT_TRUE(pumpUntil([&] { return host.stage() == 2; }));
    sendCommand(cmd::Capture);
    keys({VK_UP, VK_F1});
    ASSERT_TRUE(pumpUntil([] { return shows(23, 0, "F3=Exit"); })) << printable(rowOnScreen(23));
    sendCommand(cmd::Capture);
    EXPECT_EQ(statusText(), "Captured : 3 screens");
    sendCommand(cmd::StopCapture);
    EXPECT_EQ(statusText(), "3 screens in " + scr.substr(scr.find_last_of('\\') + 1));

    const std::string file = fileBytes(scr);
    ASSERT_EQ(file.size(), 6260u);
    expectGolden("host/three_screens.txt", captureText(file));

    keys({VK_F3});
    ASSERT_TRUE(pumpUntil(disconnectedView));
    EXPECT_EQ(std::make_tuple(buttonEnabled(cmd::StartCapture), buttonEnabled(cmd::Capture),
                              menuItemEnabled(cmd::StopCapture), menuItemEnabled(cmd::Connect)),
              std::make_tuple(false, false, false, true));
    ASSERT_TRUE(pumpUntil([&] { return host.finished(); }));
    for (const std::string& f : host.failures()) ADD_FAILURE() << f;
    DeleteFileA(scr.c_str());
}

TEST_F(HostSessionTest, HostIpDialogRefusesBadFieldsAndTheConnectionReportsItsFailures) {
    ScriptedMessageBoxes boxes;
    // An active index above 4 reads entry 0; a piece without digits shows 0.
    settingsImage().setByte(fld::ActiveHostIndex, 9);
    settingsImage().setText(slot::hostAddress(0), "10.x.300");
    boxes.answer(IDOK);  // 300 is refused, the dialog stays
    EXPECT_EQ(connectWith({}, true), "Host IP|10.0.300.0");
    ASSERT_EQ(boxes.calls().size(), 1u);
    expectBox(boxes.calls()[0], "Invalid IP Address!", "Error", MB_OK | MB_ICONWARNING);
    EXPECT_TRUE(disconnectedView());
    EXPECT_EQ(settingsImage().text(slot::hostAddress(0)), "10.x.300");

    boxes.answer(IDOK);
    connectWith({"255", "255", "255", "255"});
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(
        std::make_tuple(boxes.calls()[1].text, boxes.calls()[1].owner, boxes.calls()[1].caption),
        std::make_tuple(std::string("Invalid Host IP given."), mainWindow().terminal,
                        std::string("Error")));

    // A port nobody listens on any more: the connection is refused.
    const std::uint16_t port = [] {
        ScriptedTelnetHost gone([](ScriptedTelnetHost&) {});
        return static_cast<std::uint16_t>(gone.port());
    }();
    settingsImage().setU16le(fld::TelnetPort, port);
    boxes.answer(IDOK);
    connectWith({"127", "0", "0", "1"});
    ASSERT_EQ(boxes.calls().size(), 3u);
    EXPECT_EQ(boxes.calls()[2].text, "Can not establish connection");
    // The status bar's link part says where and why, while the message is up.
    EXPECT_EQ(linkStatusText(), "127.0.0.1:" + std::to_string(port) + ": connection refused");
    EXPECT_TRUE(disconnectedView());
}

TEST_F(HostSessionTest, ExitWhileConnectedClosesTheConnectionFirst) {
    ScriptedTelnetHost host(hostScript("send ready\nreach 1\nclosed"));
    useHost(host);
    connectWith();
    ASSERT_TRUE(pumpUntil([] { return shows(0, 0, "ready"); }));
    sendCommand(cmd::Exit);
    EXPECT_FALSE(IsWindow(frame));
    ASSERT_TRUE(pumpUntil([&] { return host.finished(); }));
    EXPECT_EQ(host.stage(), 1) << "the host did not see the connection close";
    drainQuitMessage();
}

// Whatever took the focus last (a closing dialog, a click on the selector, the
// menu), the keys are back with the terminal once it is done; a product change
// while connected asks first and ends the session only on OK.
TEST_F(HostSessionTest, WhileConnectedTheKeysStayWithTheTerminalAndAProductChangeAsks) {
    ScriptedTelnetHost host(hostScript("send ready\nreach 1\nclosed 30000"));
    useHost(host);
    connectWith();
    ASSERT_TRUE(pumpUntil([] { return shows(0, 0, "ready"); }));
    const MainWindow& w = mainWindow();
    EXPECT_EQ(GetFocus(), w.terminal);
    const struct {
        const char* what;
        std::function<void()> done;
    } steps[] = {
        {"a command", [] { sendCommand(cmd::StopCapture); }},
        {"a menu", [&] { SendMessageA(w.frame, WM_EXITMENULOOP, FALSE, 0); }},
        {"a dialog", [&] { SendMessageA(w.frame, WM_ACTIVATE, WA_ACTIVE, 0); }},
        {"the selector's list",
         [&] {
             SendMessageA(w.toolbar, WM_COMMAND, MAKEWPARAM(cmd::ProductSelector, CBN_CLOSEUP),
                          reinterpret_cast<LPARAM>(w.selector));
         }},
    };
    for (const auto& step : steps) {
        SetFocus(w.selector);
        step.done();
        EXPECT_TRUE(pumpUntil([&] { return GetFocus() == w.terminal; }, 2000)) << step.what;
    }

    const int product = settingsImage().byte(fld::ProductIndex);
    const int other = product == 1 ? 2 : 1;
    const Asked cancelled = answering({IDCANCEL}, {}, [&] { chooseProduct(other); });
    ASSERT_EQ(cancelled.boxes.size(), 1u);
    expectBox(cancelled.boxes[0],
              "Choosing another product ends the session with the host.\nChange the product ?",
              "Varomil Terminal Emulation For VT", MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(std::make_tuple(int{settingsImage().byte(fld::ProductIndex)},
                              SendMessageA(w.selector, CB_GETCURSEL, 0, 0),
                              IsWindowVisible(w.terminal), host.stage()),
              std::make_tuple(product, LRESULT{product}, TRUE, 1))
        << "the session goes on";

    answering({IDOK}, {}, [&] { chooseProduct(other); });
    EXPECT_EQ(settingsImage().byte(fld::ProductIndex), other);
    EXPECT_TRUE(disconnectedView());
    ASSERT_TRUE(pumpUntil([&] { return host.finished(); }));
    EXPECT_EQ(host.stage(), 1) << "the host did not see the connection close";
}

// Some row of the screen starts with the text.
bool rowStartsWith(const std::string& text) {
    for (int row = 0; row < 24; ++row)
        if (rowOnScreen(row).compare(0, text.size(), text) == 0) return true;
    return false;
}

std::string screenRows() {
    std::string out;
    for (int row = 0; row < 24; ++row) out += printable(rowOnScreen(row)) + "\n";
    return out;
}

// Types into whichever window has the focus, as a user at the keyboard does.
void typeAtFocus(const std::string& text) {
    for (char ch : text) {
        HWND focus = GetFocus();
        if (ch == '\r') {
            SendMessageA(focus, WM_KEYDOWN, VK_RETURN, 1);
        } else {
            SendMessageA(focus, WM_CHAR, static_cast<unsigned char>(ch), 1);
        }
    }
}

// A real telnet daemon behind socat (tests/e2e/telnetd_e2e.sh starts it and sets
// VAROMIL_TELNETD to "port user password hostname"): the login goes through, and keys
// typed after Start Capture and Capture reach the shell, not the selector.
TEST_F(HostSessionTest, ARealTelnetDaemonGetsTheKeysTypedAfterEachCommand) {
    const char* peer = std::getenv("VAROMIL_TELNETD");
    if (peer == nullptr) GTEST_SKIP() << "run by tests/e2e/telnetd_e2e.sh";
    int port = 0;
    char user[21] = "", password[21] = "", host[64] = "";
    ASSERT_EQ(std::sscanf(peer, "%d %20s %20s %63s", &port, user, password, host), 4);
    SettingsImage& image = settingsImage();
    image.setU16le(fld::TelnetPort, static_cast<std::uint16_t>(port));
    image.setText(fld::NamePrompt, std::string(host) + " login:");
    image.setText(fld::PasswordPrompt, "Password:");
    image.setText(fld::LoginName, user);
    image.setText(fld::LoginPassword, password);
    const int product = image.byte(fld::ProductIndex);
    const std::string scr = scratchPath("telnetd.scr");

    connectWith();
    ASSERT_TRUE(pumpUntil([] { return rowStartsWith("$ "); }, 20000)) << screenRows();
    answering({}, {scr}, [] { sendCommand(cmd::StartCapture); });
    typeAtFocus("ls -l /\r");
    ASSERT_TRUE(pumpUntil([] { return rowStartsWith("drwx"); })) << screenRows();
    sendCommand(cmd::Capture);
    typeAtFocus("printf '\\033[7mA\\102C\\033[0m\\n'\r");
    ASSERT_TRUE(pumpUntil([] { return rowStartsWith("ABC"); })) << screenRows();
    EXPECT_EQ(std::make_tuple(GetFocus(), int{settingsImage().byte(fld::ProductIndex)},
                              IsWindowVisible(mainWindow().terminal)),
              std::make_tuple(mainWindow().terminal, product, TRUE))
        << "the session goes on";
    sendCommand(cmd::StopCapture);
    DeleteFileA(scr.c_str());
}

TEST_F(HostSessionTest, DisconnectDuringAFloodEndsTheConnectionAndTheNextOneIsNotDisturbed) {
    std::string screenful = "\x1b[H\x1b[2J";
    for (int row = 0; row < 24; ++row)
        screenful += "\x1b[7mFLOOD\x1b[0m of host output, row after row\r\n";
    ScriptedTelnetHost flood([&screenful](ScriptedTelnetHost& h) {
        if (h.floodUntilClosed(screenful)) h.reach(1);
    });
    useHost(flood);
    connectWith();
    ASSERT_TRUE(pumpUntil([] { return rowOnScreen(0).compare(0, 5, "FLOOD") == 0; }));
    sendCommand(cmd::Disconnect);
    EXPECT_TRUE(disconnectedView());
    ASSERT_TRUE(pumpUntil([&] { return flood.finished(); }));
    EXPECT_EQ(flood.stage(), 1) << "the flooding host did not see the connection close";

    ScriptedTelnetHost second(
        hostScript("send second host\nexpect typed on the second connection|x\nreach 1\nclosed"));
    useHost(second);
    connectWith();
    ASSERT_TRUE(pumpUntil([] { return shows(0, 0, "second host"); }));
    typed('x');
    ASSERT_TRUE(pumpUntil([&] { return second.stage() == 1; }));
    EXPECT_TRUE(IsWindowVisible(mainWindow().terminal));
    EXPECT_TRUE(buttonEnabled(cmd::Disconnect));
    sendCommand(cmd::Disconnect);
    ASSERT_TRUE(pumpUntil([&] { return second.finished(); }));
    for (const std::string& f : second.failures()) ADD_FAILURE() << f;
}

}  // namespace
}  // namespace varomil::test
