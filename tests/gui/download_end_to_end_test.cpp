// The Windows side of the end-to-end download test (tests/e2e/download_e2e.sh):
// runs one download through the real commands with scripted dialogs while the
// script's terminal simulator answers on COM1 or on the download port. Skipped
// unless the script sets VAROMIL_DOWNLOAD_E2E.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "settings/settings_image.h"
#include "shell/message_box_win.h"
#include "tests/gui/download_port.h"
#include "tests/gui/gui_support.h"

namespace varomil::test {
namespace {

// The user's Cancel in the progress window, a moment after it opened.
void CALLBACK pressProgressCancel(HWND progress, UINT, UINT_PTR timer, DWORD) {
    KillTimer(progress, timer);
    PostMessageA(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
}

TEST(DownloadEndToEnd, OneDownloadThroughTheRealCommands) {
    const std::string kind = env("VAROMIL_DOWNLOAD_E2E");
    if (kind.empty()) GTEST_SKIP() << "run by tests/e2e/download_e2e.sh";
    const int via = std::atoi(env("VAROMIL_E2E_VIA").c_str());
    const int speed = std::atoi(env("VAROMIL_E2E_SPEED").c_str());
    const std::string dir = env("VAROMIL_E2E_DIR");  // a Windows path, ending in a separator
    ASSERT_FALSE(dir.empty());

    ASSERT_NE(freshMainWindow(), nullptr);
    chooseProduct(3);
    // Marks at both ends of the image and in the middle, so a shifted or short
    // transfer cannot pass.
    settingsImage().setText(fld::LocalName, "E2E-DOCK-42");
    settingsImage().bytes().front() = 'V';
    settingsImage().bytes()[kSettingsImageSize - 1] = 0xA5;
    settingsImage().bytes()[kSettingsImageSize / 2] = 0x5A;

    // "cancel": the user presses Cancel in the wait notice as soon as it shows;
    // nothing may be erased or sent after that, and no question follows. "stop":
    // Cancel in the progress window part way through the blocks. "hangup": the
    // terminal closes the connection part way; the download must fail, say so and
    // offer the retry, which is declined.
    const std::string outcome = env("VAROMIL_E2E_EXPECT");
    const bool cancel = outcome == "cancel", stop = outcome == "stop", hangUp = outcome == "hangup";
    int propertiesShown = 0, progressShown = 0, eraseNoticeShown = 0;
    std::string waitText, statusDuringTransfer;
    DialogHook hook([&](HWND d) {
        const std::string title = windowText(d);
        if (GetDlgItem(d, 103) != nullptr) {  // the wait notice
            if (waitText.empty()) waitText = dialogItemText(d, 103);
            if (cancel) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (title == "Progress") {
            ++progressShown;
            statusDuringTransfer = linkStatusText();
            if (stop) SetTimer(d, 1, 300, pressProgressCancel);
        }
        if (title == "Download") ++eraseNoticeShown;
        if (title != "Download Properties") return;
        ++propertiesShown;
        SendDlgItemMessageA(d, 401, CB_SETCURSEL, static_cast<WPARAM>(via), 0);
        SendDlgItemMessageA(d, 402, CB_SETCURSEL, 0, 0);  // COM1
        SendDlgItemMessageA(d, 403, CB_SETCURSEL, static_cast<WPARAM>(speed), 0);
        PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    // Every box is answered, the retry question with No; the final message is
    // checked to come only once the program has let go of the download port.
    std::vector<MessageBoxCall> calls;
    bool portFreeAtFinalMessage = false;
    setMessageBoxHook([&](HWND owner, const char* text, const char* caption, UINT flags) {
        calls.push_back({owner, text, caption, flags, ""});
        if (std::string(text) == "Downloaded completely!")
            portFreeAtFinalMessage = downloadPortFree();
        return (flags & MB_YESNO) != 0 ? IDNO : IDOK;
    });
    ScriptedFileDialogs files;
    const DWORD start = GetTickCount();
    if (kind == "program") {
        files.choose(dir + "program.SHX");
        sendCommand(cmd::DownloadProgram);
    } else {
        sendCommand(cmd::DownloadSettings);
    }
    const DWORD took = GetTickCount() - start;
    refuseUnscriptedDialogs();
    std::printf("download %s via %d: %lu ms\n", kind.c_str(), via,
                static_cast<unsigned long>(took));
    EXPECT_EQ(propertiesShown, 1);
    EXPECT_EQ(waitText, via == 3 ? "Waiting for the terminal to connect on port 3000..."
                                 : "Waiting for the terminal on COM1...");
    EXPECT_EQ(progressShown > 0, !cancel);
    // Over RF the status bar names the terminal from its connection on.
    if (via == 3 && !cancel) {
        EXPECT_EQ(statusDuringTransfer, "127.0.0.1: terminal answered");
        EXPECT_EQ(linkStatusText(), stop     ? "127.0.0.1: cancelled"
                                    : hangUp ? "127.0.0.1: download failed"
                                             : "Downloaded to 127.0.0.1");
    }
    // Shown only while a loader that reported its erase busy is waited for.
    EXPECT_EQ(eraseNoticeShown, env("VAROMIL_E2E_ERASE_BUSY") == "1" && !cancel ? 1 : 0);
    // A cancel or a stop says nothing: the user knows. Flags 48: MB_OK | MB_ICONWARNING,
    // 36: MB_YESNO | MB_ICONQUESTION.
    std::vector<std::string> boxes;
    for (const MessageBoxCall& c : calls)
        boxes.push_back(c.caption + ": " + c.text + " " + std::to_string(c.flags));
    using Texts = std::vector<std::string>;
    const Texts said = cancel || stop ? Texts{}
                       : hangUp       ? Texts{"Download: Error on downloading! 48",
                                        "Download: Failed to download, would you like to retry? 36"}
                                      : Texts{"Download: Downloaded completely! 48"};
    EXPECT_EQ(boxes, said);
    if (via == 3 && said.size() == 1) {
        EXPECT_TRUE(portFreeAtFinalMessage);
    }
    if (!outcome.empty()) return;

    if (kind == "settings") {
        // What the terminal must hold: the image as sent (with the reader blocks the
        // download stored into it), padded with zeros to whole blocks.
        std::vector<char> expected(settingsImage().bytes().begin(), settingsImage().bytes().end());
        expected.resize(59700, 0);
        std::ofstream(dir + "expected-image.bin", std::ios::binary)
            .write(expected.data(), static_cast<std::streamsize>(expected.size()));
    }
}

}  // namespace
}  // namespace varomil::test
