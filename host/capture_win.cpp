#include "host/capture_win.h"

#include <commdlg.h>

#include <memory>
#include <mutex>

#include "shell/file_dialog_win.h"
#include "shell/message_box_win.h"
#include "host/capture_file.h"
#include "host/session_state_win.h"

namespace varomil {

namespace {

// The capture file; closed when the output is destroyed.
class FileHandleOutput : public CaptureOutput {
  public:
    explicit FileHandleOutput(HANDLE file) : file_(file) {}
    ~FileHandleOutput() override { CloseHandle(file_); }
    FileHandleOutput(const FileHandleOutput&) = delete;
    FileHandleOutput& operator=(const FileHandleOutput&) = delete;

    bool write(const Byte* data, std::size_t size) override {
        while (size > 0) {
            DWORD written = 0;
            if (!WriteFile(file_, data, static_cast<DWORD>(size), &written, nullptr) ||
                written == 0)
                return false;
            data += written;
            size -= written;
        }
        return true;
    }

  private:
    HANDLE file_;
};

ScreenCapture& capture() {
    static ScreenCapture c;
    return c;
}

// The file of the capture in progress, for what Stop Capture says.
std::string& captureName() {
    static std::string name;
    return name;
}

}  // namespace

bool startCapture(HWND owner) {
    const auto chosen = chooseFile(owner, FileDialogKind::Save, FileType::Screens);
    if (!chosen) return false;
    const char* name = chosen->c_str();

    // A capture still open is finished before its file could be the one replaced.
    capture().stop();
    const HANDLE file =
        CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        showMessage(owner, "Create file failed !!", "Error", MB_OK | MB_ICONWARNING);
        return false;
    }
    captureName() = *chosen;
    return capture().start(std::make_unique<FileHandleOutput>(file));
}

bool captureScreen(HWND) {
    if (!capture().active()) return true;  // nothing to write, nothing lost
    // Copy under the lock, write after: the receive thread need not wait for the disk.
    TerminalScreen screen;
    {
        std::lock_guard<std::mutex> hold(sessionState().lock);
        screen = sessionState().session.screen();
    }
    return capture().capture(screen);
}

std::string stopCapture(HWND) {
    if (!capture().active()) return {};
    capture().stop();
    return capturedSummary(capture().count(), captureName());
}

}  // namespace varomil
