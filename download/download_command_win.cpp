#include "download/download_command_win.h"

#include <string>

#include "download/download_command.h"
#include "download/download_devices_win.h"
#include "download/download_dialogs_win.h"
#include "settings/settings_image.h"

namespace varomil {
namespace {

// The socket of a running download, for the closing notification that arrives
// at the terminal window while a message box dispatches messages.
WinSocketHost* runningSocket = nullptr;

// Kept between commands, so that the Open dialog starts with the last choice.
std::string& programFileName() {
    static std::string name;
    return name;
}

}  // namespace

DownloadOutcome runDownloadCommand(TransferKind kind, HWND socketWindow) {
    WinDownloadUi ui;
    ui.setStatusWindow(socketWindow);
    WinClock clock;
    WinSerialDevice serial;
    WinSocketHost socket;
    socket.setNotifyWindow(socketWindow);
    WinProgramFile file;
    DownloadSession session{ui,   clock,           serial,       socket,
                            file, settingsImage(), companions(), programFileName()};
    runningSocket = &socket;
    const DownloadOutcome outcome = runDownloadCommand(kind, session);
    runningSocket = nullptr;
    // Whatever the command's path, no port, socket or file outlives it, and the
    // terminal is free before the final message waits for OK.
    socket.close();
    serial.close();
    file.close();
    showFinalMessage(outcome, ui);
    return outcome;
}

LRESULT onDownloadSocketMessage(WPARAM socket, LPARAM event) {
    if (runningSocket != nullptr) runningSocket->onNotification(socket, event);
    return 0;
}

}  // namespace varomil
