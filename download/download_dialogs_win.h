// The download's dialogs and message boxes: Download Properties, the program
// file choice, the progress window, the erase notice and the wait notice.
#pragma once

#include <windows.h>

#include "download/download_ui.h"

namespace varomil {

class WinDownloadUi : public DownloadUi {
  public:
    ~WinDownloadUi() override;
    void message(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool ask(std::string_view text, std::string_view caption) override;
    bool chooseLinkSettings(LinkChoice& choice) override;
    bool chooseProgramFile(std::string& name) override;
    void beginProgress(int range) override;
    void setProgress(int position) override;
    void progressCount(std::string_view text) override;
    void endProgress() override;
    void showEraseNotice() override;
    void hideEraseNotice() override;
    void showWaitNotice(std::string_view text) override;
    void hideWaitNotice() override;
    bool cancelled() override;
    void linkStatus(std::string_view text) override;

    // The status bar that shows linkStatus: the main window's, found from any of
    // its windows.
    void setStatusWindow(HWND window) { statusWindow_ = window; }

    HWND progressWindow() const { return progress_; }
    HWND progressBar() const { return bar_; }
    HWND eraseNotice() const { return erase_; }

  private:
    HWND progress_ = nullptr;
    HWND bar_ = nullptr;
    HWND erase_ = nullptr;
    HWND wait_ = nullptr;
    HWND statusWindow_ = nullptr;
    bool cancelled_ = false;
    DWORD lastLook_ = 0;
    static constexpr DWORD kLookEveryMs = 50;
};

}  // namespace varomil
