// What a download needs from the user interface. The shell answers with message
// boxes and dialogs; tests answer from a script and keep a log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "download/download_outcome.h"

namespace varomil {

enum class MessageIcon { Warning, Question };

// Every message box of the download says where it comes from.
constexpr std::string_view kDownloadCaption = "Download";

// Link chosen in the Download Properties dialog for one download.
struct LinkChoice {
    int via = 0;    // a LinkInterface, index into lists::kDownloadVia
    int port = 0;   // 0..8: COM1..COM9
    int speed = 0;  // index into kLinkSpeeds and lists::kBaudRate
};

// "block 12 of 597", "record 3 of 40".
inline std::string progressCountText(std::string_view unit, std::size_t done, std::size_t total) {
    return std::string(unit) + " " + std::to_string(done) + " of " + std::to_string(total);
}

class DownloadUi {
  public:
    virtual ~DownloadUi() = default;
    // Modal message box with an OK button.
    virtual void message(std::string_view text, std::string_view caption, MessageIcon icon) = 0;
    // Modal Yes/No question with the question icon; true for Yes.
    virtual bool ask(std::string_view text, std::string_view caption) = 0;
    // After an attempt that may be tried again: whether to try again. A user is
    // asked `question`.
    virtual bool retry(const DownloadOutcome& /*attempt*/, std::string_view question) {
        return ask(question, kDownloadCaption);
    }
    // The Download Properties dialog: `choice` arrives holding the preselection
    // and leaves holding the user's choice. False for Cancel.
    virtual bool chooseLinkSettings(LinkChoice& choice) = 0;
    // The Open dialog for a program file: `name` arrives holding the last choice.
    // False for Cancel.
    virtual bool chooseProgramFile(std::string& name) = 0;
    // The progress window exists from begin to end; the shell repaints it on every
    // position so that it shows progress while the transfer blocks the thread.
    virtual void beginProgress(int range) = 0;
    virtual void setProgress(int position) = 0;
    // What the progress window says under its bar ("block 12 of 597"); its Cancel
    // is read through cancelled(), between blocks or records.
    virtual void progressCount(std::string_view /*text*/) {}
    virtual void endProgress() = 0;
    // The notice shown while the terminal reports its flash erase in progress.
    virtual void showEraseNotice() = 0;
    virtual void hideEraseNotice() = 0;
    // The notice that says what the download waits for, with a Cancel button: up
    // from the first byte sent until the terminal has answered.
    virtual void showWaitNotice(std::string_view /*text*/) {}
    virtual void hideWaitNotice() {}
    // The terminal answered the handshake: whatever happens after is its own result.
    virtual void terminalAnswered() {}
    // True once the Cancel of the wait notice or of the progress window was
    // pressed; the shell lets the window take its input here, so the waits ask
    // often.
    virtual bool cancelled() { return false; }
    // Where the link stands ("COM1: no answer"), for the status bar.
    virtual void linkStatus(std::string_view /*text*/) {}
};

}  // namespace varomil
