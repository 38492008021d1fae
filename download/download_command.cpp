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
    // Succeeded, Failed (the retry question follows) or Cancelled in the wait
    // notice (the command ends as after "No").
    enum class Attempt { Succeeded, Failed, Cancelled };
    Attempt runAttempt(Link& link, bool serial);
    bool handshake(Link& link);
    void status(const std::string& text) { s_.ui.linkStatus(where_ + ": " + text); }
    bool askRetry() { return s_.ui.ask(msg::kRetry, kDownloadCaption); }
    void closeProgram() {
        if (kind_ == TransferKind::Program) s_.programFile.close();
    }

    TransferKind kind_;
    DownloadSession& s_;
    ProgramImage program_;
    bool programReadable_ = false;
    std::string where_;  // "COM1" or "port 3000", for the wait notice and the status bar
};

void Command::run() {
    if (kind_ == TransferKind::Program && !chooseProgram()) return;
    LinkChoice choice = initialLinkChoice(s_.image);
    if (!s_.ui.chooseLinkSettings(choice)) {
        closeProgram();
        return;
    }
    if (choice.via == kViaRf) {
        where_ = "port " + std::to_string(kDownloadPort);
        for (;;) {
            // No terminal, or an attempt that failed, may be tried again; a socket
            // that cannot listen may not, nor a wait the user cancelled.
            s_.ui.showWaitNotice("Waiting for the terminal to connect on " + where_ + "...");
            status("waiting for the terminal to connect");
            const SocketOpenResult opened = openSocketLink(s_.socket, s_.ui);
            bool retryable = opened == SocketOpenResult::NoTerminal;
            if (opened == SocketOpenResult::NoTerminal) status("no terminal connected");
            if (opened == SocketOpenResult::BindFailed) status("port busy");
            if (opened == SocketOpenResult::Cancelled) status("cancelled");
            if (opened == SocketOpenResult::Connected) {
                SocketLink link(s_.socket, s_.clock);
                retryable = runAttempt(link, false) == Attempt::Failed;
            }
            s_.ui.hideWaitNotice();
            s_.socket.close();
            if (!retryable || !askRetry()) break;
            reloadProgram();
        }
        closeProgram();
        return;
    }
    where_ = "COM" + std::to_string(choice.port + 1);
    const SerialOpenResult opened = openSerialLink(s_.serial, s_.clock, s_.ui, choice);
    if (opened != SerialOpenResult::Open) {
        status(opened == SerialOpenResult::PortUnavailable ? "port busy or missing"
                                                           : "cannot set up the line");
        closeProgram();
        return;
    }
    SerialLink link(s_.serial, s_.clock);
    for (;;) {
        const Attempt attempt = runAttempt(link, true);
        if (attempt != Attempt::Failed || !askRetry()) break;
        reloadProgram();
    }
    s_.ui.hideWaitNotice();
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

// The handshake under the wait notice: the user sees what is waited for and can
// stop it. A cancelled wait stops before anything is erased or sent.
bool Command::handshake(Link& link) {
    s_.ui.showWaitNotice("Waiting for the terminal on " + where_ + "...");
    status("waiting for the terminal");
    link.setStopWaiting([this] { return s_.ui.cancelled(); });
    const bool ready =
        kind_ == TransferKind::Program ? loaderHandshake(link, s_.ui) : settingsHandshake(link);
    link.setStopWaiting(nullptr);
    s_.ui.hideWaitNotice();
    if (!ready && !s_.ui.cancelled()) status("no answer");
    return ready;
}

Command::Attempt Command::runAttempt(Link& link, bool serial) {
    if (serial) s_.serial.setSessionTimeouts();
    if (kind_ == TransferKind::Program && !programReadable_) {
        s_.ui.message(msg::kDownloadError, kDownloadCaption, MessageIcon::Warning);
        return Attempt::Failed;
    }
    const bool ready = handshake(link);
    if (s_.ui.cancelled()) {
        status("cancelled");
        return Attempt::Cancelled;
    }
    if (!ready) return Attempt::Failed;
    if (kind_ == TransferKind::Program && !eraseFlash(link, s_.ui)) return Attempt::Failed;
    status("terminal answered");
    const bool settings = kind_ == TransferKind::Settings;
    s_.ui.beginProgress(settings ? static_cast<int>(kBlockCount) : 100);
    const bool ok = settings ? sendSettingsBlocks(link, s_.image, s_.companions, s_.ui)
                             : sendProgram(link, s_.ui, program_);
    s_.ui.endProgress();
    status(ok ? "downloaded" : "download failed");
    if (ok) s_.ui.message(msg::kDownloaded, kDownloadCaption, MessageIcon::Warning);
    return ok ? Attempt::Succeeded : Attempt::Failed;
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
