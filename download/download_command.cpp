#include "download/download_command.h"

#include <memory>

#include "download/download_messages.h"
#include "download/link_interfaces.h"
#include "download/settings_transfer.h"

namespace varomil {
namespace {

// One download command; the program, once read and checked, is kept for every
// attempt's transfer.
class Command {
  public:
    Command(TransferKind kind, DownloadSession& s) : kind_(kind), s_(s) {}
    void run();

  private:
    bool chooseProgram();
    bool reloadProgram();
    bool runAttempt(Link& link, bool serial);
    bool askRetry() { return s_.ui.ask(msg::kRetry, kDownloadCaption); }
    void closeProgram() {
        if (kind_ == TransferKind::Program) s_.programFile.close();
    }

    TransferKind kind_;
    DownloadSession& s_;
    ProgramImage program_;
    bool programReadable_ = false;
};

void Command::run() {
    if (kind_ == TransferKind::Program && !chooseProgram()) return;
    LinkChoice choice = initialLinkChoice(s_.image);
    if (!s_.ui.chooseLinkSettings(choice)) {
        closeProgram();
        return;
    }
    if (choice.via == kViaRf) {
        for (;;) {
            // No terminal, or an attempt that failed, may be tried again; a socket
            // that cannot listen may not.
            const SocketOpenResult opened = openSocketLink(s_.socket, s_.ui);
            bool retryable = opened == SocketOpenResult::NoTerminal;
            if (opened == SocketOpenResult::Connected) {
                SocketLink link(s_.socket, s_.clock);
                retryable = !runAttempt(link, false);
            }
            s_.socket.close();
            if (!retryable || !askRetry()) break;
            reloadProgram();
        }
        closeProgram();
        return;
    }
    if (openSerialLink(s_.serial, s_.clock, s_.ui, choice) != SerialOpenResult::Open) {
        closeProgram();
        return;
    }
    SerialLink link(s_.serial, s_.clock);
    while (!runAttempt(link, true) && askRetry()) reloadProgram();
    s_.serial.close();
    closeProgram();
}

// A bad file is refused before any link is opened, so that it can never cause an
// erase of the terminal's flash.
bool Command::chooseProgram() {
    if (!s_.ui.chooseProgramFile(s_.programFileName)) return false;
    if (!s_.programFile.open(s_.programFileName)) {
        s_.ui.message(msg::kCantOpenFile, kDownloadCaption, MessageIcon::Warning);
        return false;
    }
    std::string error;
    if (loadProgram(s_.programFile, program_, error) != ProgramReadResult::Ok) {
        s_.ui.message(error, kDownloadCaption, MessageIcon::Warning);
        s_.programFile.close();
        return false;
    }
    programReadable_ = true;
    return true;
}

// Every retry reads the file again from its start, as it may have changed.
bool Command::reloadProgram() {
    if (kind_ != TransferKind::Program) return true;
    s_.programFile.close();
    programReadable_ = false;
    if (!s_.programFile.open(s_.programFileName)) return false;
    std::string error;
    programReadable_ = loadProgram(s_.programFile, program_, error) == ProgramReadResult::Ok;
    return programReadable_;
}

bool Command::runAttempt(Link& link, bool serial) {
    if (serial) s_.serial.setSessionTimeouts();
    if (kind_ == TransferKind::Program) {
        if (!programReadable_) {
            s_.ui.message(msg::kDownloadError, kDownloadCaption, MessageIcon::Warning);
            return false;
        }
        if (!loaderHandshake(link, s_.ui) || !eraseFlash(link, s_.ui)) return false;
    } else if (!settingsHandshake(link)) {
        return false;
    }
    const bool settings = kind_ == TransferKind::Settings;
    s_.ui.beginProgress(settings ? static_cast<int>(kBlockCount) : 100);
    const bool ok = settings ? sendSettingsBlocks(link, s_.image, s_.companions, s_.ui)
                             : sendProgram(link, s_.ui, program_);
    s_.ui.endProgress();
    if (ok) s_.ui.message(msg::kDownloaded, kDownloadCaption, MessageIcon::Warning);
    return ok;
}

}  // namespace

LinkChoice initialLinkChoice(const SettingsImage& image) {
    LinkChoice c;
    const int via = image.byte(fld::DownloadVia);
    const int speed = image.byte(fld::DownloadBaudRate);
    c.via = via < static_cast<int>(lists::kDownloadVia.size()) ? via : 0;
    c.speed = speed < static_cast<int>(kLinkSpeeds.size()) ? speed : 0;
    c.port = 0;
    return c;
}

void runDownloadCommand(TransferKind kind, DownloadSession& session) {
    Command(kind, session).run();
}

}  // namespace varomil
