#include "command_line/batch_download_win.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "command_line/command_line.h"
#include "command_line/batch_download.h"
#include "download/download_devices_win.h"
#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "shell/message_box_win.h"
#include "shell/resource_strings_win.h"

namespace varomil {

namespace {

// Where the batch reports: the console it was started from (or the file its
// output was redirected to), and the log file when one was named.
class BatchReport {
  public:
    BatchReport() {
        out_ = GetStdHandle(STD_OUTPUT_HANDLE);
        if (!usable(out_) && AttachConsole(ATTACH_PARENT_PROCESS)) {
            out_ =
                CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
            // The shell has shown its prompt already: start on a line of our own.
            write("\r\n");
        }
        if (!usable(out_)) out_ = nullptr;
    }
    bool openLog(const std::string& path) {
        if (path.empty()) return true;
        log_.open(path, std::ios::binary | std::ios::app);
        return log_.good();
    }
    void line(const std::string& text) {
        write(text + "\r\n");
        if (log_.is_open()) {
            log_ << text << "\r\n";
            log_.flush();
        }
    }
    // A refused command line or file: one line on the console, else in a message
    // box; and in the log.
    void refuse(const std::string& text) {
        if (out_ != nullptr) {
            line(text);
        } else {
            if (log_.is_open()) line(text);
            showMessage(nullptr, text.c_str(), loadResourceString(IDS_TITLE).c_str(),
                        MB_OK | MB_ICONWARNING);
        }
    }

  private:
    static bool usable(HANDLE h) {
        return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
    }
    void write(const std::string& text) {
        if (out_ == nullptr) return;
        DWORD written = 0;
        WriteFile(out_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    HANDLE out_ = nullptr;
    std::ofstream log_;
};

// The download port for a batch: listens once for all terminals, so that those
// that connect while another is served wait in the queue, and waits for each
// terminal only as long as its wait lasts.
class BatchSocketHost : public SocketHost {
  public:
    BatchSocketHost(WinSocketHost& host, ConsoleDownloadUi& ui) : host_(host), ui_(ui) {}
    ListenResult listen(std::uint16_t port) override {
        if (listening_) return ListenResult::Ok;
        const ListenResult r = host_.listen(port);
        listening_ = r == ListenResult::Ok;
        return r;
    }
    bool accept(std::uint32_t ms) override { return host_.accept(std::min(ms, ui_.waitLeftMs())); }
    long send(const Byte* data, std::size_t n) override { return host_.send(data, n); }
    std::size_t receive(Byte* buf, std::size_t max) override { return host_.receive(buf, max); }
    bool connected() const override { return host_.connected(); }
    void close() override {
        if (listening_) {
            host_.closeConnection();
        } else {
            host_.close();
        }
    }

  private:
    WinSocketHost& host_;
    ConsoleDownloadUi& ui_;
    bool listening_ = false;
};

std::string timeOfDay() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

LinkChoice linkChoice(const BatchOptions& o, const SettingsImage* stored) {
    // A program file stores no link: the factory choice (Cradle-IR, 115200 bps).
    LinkChoice c = stored != nullptr ? initialLinkChoice(*stored) : LinkChoice{};
    if (o.via) c.via = *o.via;
    if (!o.ports.empty()) c.port = o.ports.front();
    if (o.speed) c.speed = *o.speed;
    return c;
}

}  // namespace

bool runCommandLineBatch(int& exitCode) {
    const CommandLine cl = parseCommandLine(commandLineArguments(GetCommandLineA()));
    if (cl.kind == CommandLine::Kind::Interactive) return false;
    exitCode = 2;
    BatchReport report;
    const BatchOptions& o = cl.batch;
    if (!report.openLog(o.logFile)) {
        report.refuse("Can't open the log file " + o.logFile);
        return true;
    }
    if (cl.kind == CommandLine::Kind::Invalid) {
        report.refuse(cl.error);
        return true;
    }

    // Everything is read and checked before any port or socket is opened.
    auto image = std::make_unique<SettingsImage>();
    auto comp = std::make_unique<Companions>();
    WinProgramFile file;
    if (o.kind == TransferKind::Settings) {
        const LoadResult r = readSettingsFile(o.file, *image, *comp);
        if (r != LoadResult::Loaded) {
            report.refuse(std::string(loadFailureText(r)) + " " + o.file);
            return true;
        }
    } else {
        ProgramImage program;
        std::string error;
        if (!file.open(o.file)) {
            report.refuse("Can't open the file! " + o.file);
            return true;
        }
        if (loadProgram(file, program, error) != ProgramReadResult::Ok) {
            report.refuse(error + " " + o.file);
            return true;
        }
        file.close();
    }

    const LinkChoice choice =
        linkChoice(o, o.kind == TransferKind::Settings ? image.get() : nullptr);
    WinClock clock;
    ConsoleDownloadUi ui(clock, choice, o.file);
    WinSerialDevice serial;
    WinSocketHost socket;
    socket.setBacklog(SOMAXCONN);
    BatchSocketHost batchSocket(socket, ui);
    std::string programFileName;
    DownloadSession session{ui, clock, serial, batchSocket, file, *image, *comp, programFileName};
    const BatchPlan plan{o.kind, o.count, static_cast<std::uint32_t>(o.waitSeconds) * 1000u,
                         choice.via};
    exitCode = runBatchDownload(plan, session, ui,
                                {timeOfDay, [&report](const std::string& l) { report.line(l); }});
    socket.close();
    serial.close();
    file.close();
    return true;
}

}  // namespace varomil
