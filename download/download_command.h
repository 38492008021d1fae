// The Download Settings and Download Program commands from the file choice to the
// closing of the link: link choice, attempts, the retry question and the final
// message.
#pragma once

#include <string>

#include "download/download_ui.h"
#include "download/link.h"
#include "download/program_transfer.h"
#include "download/serial_link.h"
#include "download/socket_link.h"
#include "settings/settings_image.h"

namespace varomil {

enum class TransferKind { Settings, Program };

// Everything one download command works with. The shell fills it with its port,
// socket, file, dialogs and GetTickCount; tests with a simulated terminal.
struct DownloadSession {
    DownloadUi& ui;
    Clock& clock;
    SerialDevice& serial;
    SocketHost& socket;
    ProgramFile& programFile;
    SettingsImage& image;
    Companions& companions;
    std::string& programFileName;  // kept between commands for the file dialog
};

// The dialog's preselection: the stored interface and speed, item 0 for a stored
// value outside its list, and always COM1.
LinkChoice initialLinkChoice(const SettingsImage& image);

// Runs the command to its end with the link closed. The messages of its stages
// are shown as they happen; the final one is left to showFinalMessage, so that the
// caller can close the port first.
DownloadOutcome runDownloadCommand(TransferKind kind, DownloadSession& session);

// "Downloaded completely!" after a download that succeeded.
void showFinalMessage(const DownloadOutcome& outcome, DownloadUi& ui);

}  // namespace varomil
