#include "download/download_command.h"

#include <memory>

#include "download/download_messages.h"
#include "download/link_interfaces.h"
#include "download/settings_transfer.h"

namespace varomil {
namespace {

// The user interface as the command's stages see it: the shell's, with two
// things added. It keeps the last warning shown, which becomes the cause of a
// failure, and once Cancel was seen it stays cancelled, whatever a later stage
// shows, so that nothing more is sent or erased.
class CommandUi : public DownloadUi {
  public:
    explicit CommandUi(DownloadUi& ui) : ui_(ui) {}
    const std::string& lastWarning() const { return lastWarning_; }
    void forgetWarning() { lastWarning_.clear(); }

    void message(std::string_view text, std::string_view caption, MessageIcon icon) override {
        if (icon == MessageIcon::Warning) lastWarning_ = std::string(text);
        ui_.message(text, caption, icon);
    }
    bool ask(std::string_view text, std::string_view caption) override {
        return ui_.ask(text, caption);
    }
    bool retry(const DownloadOutcome& attempt, std::string_view question) override {
        return ui_.retry(attempt, question);
    }
    bool chooseLinkSettings(LinkChoice& choice) override { return ui_.chooseLinkSettings(choice); }
    bool chooseProgramFile(std::string& name) override { return ui_.chooseProgramFile(name); }
    void beginProgress(int range) override { ui_.beginProgress(range); }
    void setProgress(int position) override { ui_.setProgress(position); }
    void progressCount(std::string_view text) override { ui_.progressCount(text); }
    void endProgress() override { ui_.endProgress(); }
    void showEraseNotice() override { ui_.showEraseNotice(); }
    void hideEraseNotice() override { ui_.hideEraseNotice(); }
    void showWaitNotice(std::string_view text) override { ui_.showWaitNotice(text); }
    void hideWaitNotice() override {
        // The notice's last input (a Cancel in the same moment) is taken as it goes.
        ui_.hideWaitNotice();
        cancelled();
    }
    void terminalAnswered() override { ui_.terminalAnswered(); }
    bool cancelled() override {
        cancelled_ = cancelled_ || ui_.cancelled();
        return cancelled_;
    }
    // A Cancel already seen, without asking the shell again.
    bool cancelSeen() const { return cancelled_; }
    void linkStatus(std::string_view text) override { ui_.linkStatus(text); }

  private:
    DownloadUi& ui_;
    std::string lastWarning_;
    bool cancelled_ = false;
};

// One download command; the program, once read and checked, is kept for every
// attempt's transfer.
class Command {
  public:
    Command(TransferKind kind, DownloadSession& s) : kind_(kind), s_(s), ui_(s.ui) {}
    DownloadOutcome run();

  private:
    DownloadOutcome runRf();
    DownloadOutcome runSerial(const LinkChoice& choice);
    bool chooseProgram(DownloadOutcome& refused);
    bool reloadProgram();
    DownloadOutcome runAttempt(Link& link, bool serial);
    bool handshake(Link& link);
    DownloadOutcome failed(DownloadResult result) {
        DownloadOutcome o{result, ui_.lastWarning()};
        ui_.forgetWarning();
        return o;
    }
    void status(const std::string& text) {
        ui_.linkStatus((peer_.empty() ? where_ : peer_) + ": " + text);
    }
    // Only an attempt that may be tried again is offered again, and never after
    // a Cancel.
    bool tryAgain(const DownloadOutcome& attempt) {
        return mayRetry(attempt.result) && !ui_.cancelled() && ui_.retry(attempt, msg::kRetry);
    }
    void closeProgram() {
        if (kind_ == TransferKind::Program) s_.programFile.close();
    }

    TransferKind kind_;
    DownloadSession& s_;
    CommandUi ui_;
    ProgramImage program_;
    bool programReadable_ = false;
    std::string where_;  // "COM1" or "port 3000", for the wait notice and the status bar
    // Over RF, the address the terminal connected from: the status bar names it
    // from the connection on, and after the transfer.
    std::string peer_;
};

DownloadOutcome Command::run() {
    DownloadOutcome refused;
    if (kind_ == TransferKind::Program && !chooseProgram(refused)) return refused;
    LinkChoice choice = initialLinkChoice(s_.image);
    DownloadOutcome outcome;  // Cancelled
    if (ui_.chooseLinkSettings(choice))
        outcome = choice.via == kViaRf ? runRf() : runSerial(choice);
    closeProgram();
    return outcome;
}

DownloadOutcome Command::runRf() {
    where_ = "port " + std::to_string(kDownloadPort);
    for (;;) {
        // No terminal, or an attempt that failed, may be tried again; a socket
        // that cannot listen may not, nor a wait the user cancelled.
        peer_.clear();
        ui_.showWaitNotice("Waiting for the terminal to connect on " + where_ + "...");
        status("waiting for the terminal to connect");
        DownloadOutcome attempt;
        switch (openSocketLink(s_.socket, ui_)) {
            case SocketOpenResult::Connected: {
                peer_ = s_.socket.peerAddress();
                SocketLink link(s_.socket, s_.clock);
                attempt = runAttempt(link, false);
                // A terminal that connected and then kept silent is a failed one.
                if (attempt.result == DownloadResult::NoTerminal)
                    attempt.result = DownloadResult::Failed;
                break;
            }
            case SocketOpenResult::NoTerminal:
                status("no terminal connected");
                attempt = failed(DownloadResult::NoTerminal);
                break;
            case SocketOpenResult::Cancelled:
                status("cancelled");
                attempt = failed(DownloadResult::Cancelled);
                break;
            case SocketOpenResult::BindFailed:
                status("port busy");
                attempt = failed(DownloadResult::LinkUnavailable);
                break;
            default:
                attempt = failed(DownloadResult::LinkUnavailable);
                break;
        }
        ui_.hideWaitNotice();
        s_.socket.close();
        if (!tryAgain(attempt)) return attempt;
        reloadProgram();
    }
}

DownloadOutcome Command::runSerial(const LinkChoice& choice) {
    where_ = "COM" + std::to_string(choice.port + 1);
    const SerialOpenResult opened = openSerialLink(s_.serial, s_.clock, ui_, choice);
    if (opened != SerialOpenResult::Open) {
        status(opened == SerialOpenResult::PortUnavailable ? "port busy or missing"
                                                           : "cannot set up the line");
        return failed(DownloadResult::LinkUnavailable);
    }
    SerialLink link(s_.serial, s_.clock);
    DownloadOutcome attempt;
    for (;;) {
        attempt = runAttempt(link, true);
        if (!tryAgain(attempt)) break;
        reloadProgram();
    }
    ui_.hideWaitNotice();
    s_.serial.close();
    return attempt;
}

// A bad file is refused before any link is opened, so that it can never cause an
// erase of the terminal's flash.
bool Command::chooseProgram(DownloadOutcome& refused) {
    refused = DownloadOutcome{};
    if (!ui_.chooseProgramFile(s_.programFileName)) return false;
    if (!s_.programFile.open(s_.programFileName)) {
        ui_.message(msg::kCantOpenFile, kDownloadCaption, MessageIcon::Warning);
        refused = failed(DownloadResult::Failed);
        return false;
    }
    std::string error;
    if (loadProgram(s_.programFile, program_, error) != ProgramReadResult::Ok) {
        ui_.message(error, kDownloadCaption, MessageIcon::Warning);
        s_.programFile.close();
        refused = failed(DownloadResult::Failed);
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
    ui_.showWaitNotice("Waiting for the terminal on " + where_ + "...");
    status("waiting for the terminal");
    link.setStopWaiting([this] { return ui_.cancelled(); });
    const bool ready =
        kind_ == TransferKind::Program ? loaderHandshake(link, ui_) : settingsHandshake(link);
    link.setStopWaiting(nullptr);
    ui_.hideWaitNotice();
    if (!ready && !ui_.cancelled()) status("no answer");
    return ready;
}

// NoTerminal when the terminal did not answer the handshake (over a serial line
// it may not be in place yet), Failed when it went wrong after.
DownloadOutcome Command::runAttempt(Link& link, bool serial) {
    if (serial) s_.serial.setSessionTimeouts();
    if (kind_ == TransferKind::Program && !programReadable_) {
        ui_.message(msg::kDownloadError, kDownloadCaption, MessageIcon::Warning);
        return failed(DownloadResult::Failed);
    }
    // A Cancel seen while the link came up ends the command before a byte is sent.
    const bool ready = !ui_.cancelled() && handshake(link);
    if (ui_.cancelled()) {
        status("cancelled");
        return failed(DownloadResult::Cancelled);
    }
    if (!ready) return failed(DownloadResult::NoTerminal);
    ui_.terminalAnswered();
    if (kind_ == TransferKind::Program && !eraseFlash(link, ui_))
        return failed(DownloadResult::Failed);
    status("terminal answered");
    const bool settings = kind_ == TransferKind::Settings;
    ui_.beginProgress(settings ? static_cast<int>(kBlockCount) : 100);
    const bool ok = settings ? sendSettingsBlocks(link, s_.image, s_.companions, ui_)
                             : sendProgram(link, ui_, program_);
    ui_.endProgress();
    if (!ok && ui_.cancelSeen()) {
        status("cancelled");
        return failed(DownloadResult::Cancelled);
    }
    if (ok && !peer_.empty())
        ui_.linkStatus("Downloaded to " + peer_);
    else
        status(ok ? "downloaded" : "download failed");
    return failed(ok ? DownloadResult::Succeeded : DownloadResult::Failed);
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

DownloadOutcome runDownloadCommand(TransferKind kind, DownloadSession& session) {
    return Command(kind, session).run();
}

void showFinalMessage(const DownloadOutcome& outcome, DownloadUi& ui) {
    if (outcome.result == DownloadResult::Succeeded)
        ui.message(msg::kDownloaded, kDownloadCaption, MessageIcon::Warning);
}

}  // namespace varomil
