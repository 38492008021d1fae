#include "app/commands_win.h"

#include <array>
#include <cstdio>
#include <string>

#include "app/about_box_win.h"
#include "app/application_win.h"
#include "app/command_ids.h"
#include "app/command_states.h"
#include "app/document.h"
#include "app/main_window_win.h"
#include "shell/message_box_win.h"
#include "app/property_sheet_win.h"
#include "app/recent_files_win.h"
#include "summary/summary_commands_win.h"
#include "download/download_command_win.h"
#include "host/capture_win.h"
#include "host/telnet_connection_win.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file_win.h"
#include "site/site_window_win.h"

namespace varomil {

namespace {

void resetDocument() {
    document().CurrentFileName.clear();
    document().SettingsModified = false;
}

void applyDefaults(int product) {
    applyFactoryDefaults(settingsImage(), companions(), product);
}

void onNew(HWND frame) {
    if (document().SettingsModified && !askToSave(frame)) return;
    resetDocument();
    applyDefaults(selectedProduct());
    openSettingsSheet(frame);
    // Whatever the sheet returned, the tree must show the new settings.
    rebuildSummaryTree();
}

void onOpen(HWND frame) {
    if (document().SettingsModified && !askToSave(frame)) return;
    resetDocument();
    if (!openSettingsFile(frame, document().CurrentFileName, document().ProductCount)) return;
    showOpenedFile(frame);
}

void saved(HWND frame) {
    document().SettingsModified = false;
    rememberFile(frame, document().CurrentFileName);
}

void onSave(HWND frame) {
    if (saveSettingsFile(frame, document().CurrentFileName)) saved(frame);
}

void onSaveAs(HWND frame) {
    if (saveSettingsFileAs(frame, document().CurrentFileName)) saved(frame);
}

void onExit(HWND frame) {
    SendMessageA(frame, WM_CLOSE, 0, 0);
}

void onConfigure(HWND frame) {
    openSettingsSheet(frame);
}

void onDownloadSettings(HWND) {
    runDownloadCommand(TransferKind::Settings, mainWindow().terminal);
}

void onDownloadProgram(HWND) {
    runDownloadCommand(TransferKind::Program, mainWindow().terminal);
}

void onConnect(HWND frame) {
    if (!connectHost(frame, mainWindow().terminal)) return;
    showTerminalView(true);
    SetConnectionState(frame, false);
    SetCaptureState(frame, true);
    SetFocus(mainWindow().terminal);
}

void onDisconnect(HWND frame) {
    disconnectHost(frame);
    showTerminalView(false);
    SetConnectionState(frame, true);
}

void onStartCapture(HWND frame) {
    // The terminal window owns the file dialog and its message.
    if (!startCapture(mainWindow().terminal)) return;
    document().CapturedScreenCount = 0;
    SetCaptureState(frame, false);
    setStatusText("Ready to capture");
}

void onCapture(HWND frame) {
    // A screen the file did not take whole is not counted.
    if (captureScreen(frame)) ++document().CapturedScreenCount;
    char text[64];
    std::snprintf(text, sizeof text, "Captured : %d screens", document().CapturedScreenCount);
    setStatusText(text);
}

// The status bar says what was saved, as Capture counts there, without a box to
// answer at the end of every capture.
void onStopCapture(HWND frame) {
    document().CapturedScreenCount = 0;
    const std::string saved = stopCapture(frame);
    SetCaptureState(frame, true);
    setStatusText(saved.c_str());
}

constexpr char kProductChangeEndsSession[] =
    "Choosing another product ends the session with the host.\nChange the product ?";

void onProductSelector(HWND frame) {
    // One choice, one question: a notification that arrives while it is asked is
    // not a second choice.
    static bool asking = false;
    if (asking) return;
    const int item = static_cast<int>(SendMessageA(mainWindow().selector, CB_GETCURSEL, 0, 0));
    if (item == selectedProduct() || item < 0 || item > document().ProductCount) return;
    // Another product's factory values replace every edit: ask first, as New does;
    // Cancel puts the selector back on the product in force.
    asking = true;
    // The session was opened with this product's settings: changing them ends it.
    const bool connected = terminalShown();
    bool go = !connected || showMessage(frame, kProductChangeEndsSession, windowTitle().c_str(),
                                        MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
    go = go && (!document().SettingsModified || askToSave(frame));
    asking = false;
    if (go && connected) onDisconnect(frame);
    if (!go) {
        SendMessageA(mainWindow().selector, CB_SETCURSEL, static_cast<WPARAM>(selectedProduct()),
                     0);
        return;
    }
    resetDocument();
    applyDefaults(item);
    rebuildSummaryTree();
}

void onAbout(HWND frame) {
    showAboutBox(frame);
}

struct CommandHandler {
    int id;
    void (*run)(HWND frame);
};

constexpr std::array<CommandHandler, 22> kHandlers{{
    {cmd::New, onNew},
    {cmd::Open, onOpen},
    {cmd::Save, onSave},
    {cmd::SaveAs, onSaveAs},
    {cmd::Exit, onExit},
    {cmd::Configure, onConfigure},
    {cmd::DownloadSettings, onDownloadSettings},
    {cmd::DownloadProgram, onDownloadProgram},
    {cmd::DownloadSite,
     [](HWND f) { openSiteWindow(f, [f](bool running) { SetSiteRunState(f, running); }); }},
    {cmd::Capture, onCapture},
    {cmd::StartCapture, onStartCapture},
    {cmd::StopCapture, onStopCapture},
    {cmd::Connect, onConnect},
    {cmd::Disconnect, onDisconnect},
    {cmd::About, onAbout},
    {cmd::ProductSelector, onProductSelector},
    {cmd::ExportSummary, [](HWND f) { exportSummary(summaryFrame(f)); }},
    {cmd::CompareWith, [](HWND f) { compareWithFile(summaryFrame(f)); }},
    {cmd::CompareFactory, [](HWND f) { compareWithFactory(summaryFrame(f)); }},
    {cmd::TreeCopy, [](HWND f) { copySummaryBranch(summaryFrame(f)); }},
    {cmd::TreeFind, [](HWND f) { findInSummary(summaryFrame(f)); }},
    {cmd::TreeFindNext, [](HWND f) { findNextInSummary(summaryFrame(f)); }},
}};

constexpr bool everyCommandHasAHandler() {
    for (const CommandInfo& c : kCommands) {
        bool found = false;
        for (const CommandHandler& h : kHandlers) found = found || h.id == c.id;
        if (!found) return false;
    }
    return kHandlers.size() == kCommands.size();
}
static_assert(everyCommandHasAHandler(), "each command id needs exactly one handler");

void pleaseSelectProduct(HWND frame) {
    showMessage(frame, "Please select product !!", windowTitle().c_str(),
                MB_OK | MB_ICONEXCLAMATION);
    SetFocus(mainWindow().selector);
}

}  // namespace

bool askToSave(HWND frame) {
    const int answer = showMessage(frame, "Save the program ?", windowTitle().c_str(),
                                   MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL) return false;
    // A save that fails or is cancelled stops the command that asked, as Cancel
    // does: going on would throw the user's changes away.
    if (answer != IDYES) return true;
    if (!saveSettingsFile(frame, document().CurrentFileName)) return false;
    // Saved as by the Save command: no longer modified, and among the recent files.
    saved(frame);
    return true;
}

void dispatchCommand(HWND frame, int id) {
    setStatusText(loadResourceString(static_cast<UINT>(id)).c_str());
    // The link part tells how the last link stands. How one ended (a download's
    // outcome, a session the host closed) is told until the user's next command;
    // during a host session the part is the session's, which Disconnect clears.
    if (!terminalShown()) setLinkStatusText("");
    if (isRecentFileCommand(id)) {
        openRecentFile(frame, id);
    } else if (siteWindowRunning() && grayedWhileSiteRuns(id)) {
        // An accelerator reaches here even while its menu item is grayed.
    } else if (commandNeedsProduct(id) && selectedProduct() == 0) {
        pleaseSelectProduct(frame);
    } else {
        for (const CommandHandler& h : kHandlers) {
            if (h.id == id) {
                h.run(frame);
                break;
            }
        }
    }
    if (!commandKeepsStatusText(id)) setStatusText("");
    if (IsWindow(frame)) {
        updateTitle(frame);
        keepKeysWithTerminal(frame);
    }
}

}  // namespace varomil
