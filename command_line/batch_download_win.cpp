#include "command_line/batch_download_win.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <iterator>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "command_line/command_line.h"
#include "command_line/batch_download.h"
#include "download/download_devices_win.h"
#include "download/link_interfaces.h"
#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "shell/local_time_win.h"
#include "shell/message_box_win.h"
#include "shell/resource_strings_win.h"
#include "site/site_plan.h"
#include "site/site_run.h"
#include "site/site_sockets_win.h"

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

LinkChoice linkChoice(const BatchOptions& o, const SettingsImage* stored) {
    // A program file stores no link: the factory choice (Cradle-IR, 115200 bps).
    LinkChoice c = stored != nullptr ? initialLinkChoice(*stored) : LinkChoice{};
    if (o.via) c.via = *o.via;
    if (!o.ports.empty()) c.port = o.ports.front();
    if (o.speed) c.speed = *o.speed;
    return c;
}

// Ctrl+C or closing the console ends every transfer cleanly, the log complete.
std::atomic<bool> stopRequested{false};

BOOL WINAPI onConsoleStop(DWORD) {
    stopRequested = true;
    return TRUE;
}

bool readWholeFile(const std::string& name, std::string& bytes) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
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
    std::vector<Byte> programBytes;
    if (o.kind == TransferKind::Settings) {
        const LoadResult r = readSettingsFile(o.file, *image, *comp);
        if (r != LoadResult::Loaded) {
            report.refuse(std::string(loadFailureText(r)) + " " + o.file);
            return true;
        }
    } else {
        // Read once: every terminal gets these bytes, checked here.
        WinProgramFile file;
        std::uint64_t size = 0;
        if (!file.open(o.file) || !file.size(size)) {
            report.refuse("Can't open the file! " + o.file);
            return true;
        }
        programBytes.resize(static_cast<std::size_t>(size));
        std::size_t got = 0;
        while (got < programBytes.size()) {
            const std::size_t n = file.read(programBytes.data() + got, programBytes.size() - got);
            if (n == 0) break;
            got += n;
        }
        file.close();
        programBytes.resize(got);
        MemoryProgramFile memory(programBytes);
        ProgramImage program;
        std::string error;
        memory.open(o.file);
        if (loadProgram(memory, program, error) != ProgramReadResult::Ok) {
            report.refuse(error + " " + o.file);
            return true;
        }
    }

    SiteInput input;
    input.tableName = o.eachFile;
    input.sets = o.sets;
    input.allow = o.allow;
    input.count = o.countGiven ? o.count : 0;
    if (!o.eachFile.empty() && !readWholeFile(o.eachFile, input.tableBytes)) {
        report.refuse("Can't open the file! " + o.eachFile);
        return true;
    }
    auto plan = std::make_unique<SitePlan>();
    std::string error;
    if (!buildSitePlan(input, *image, *plan, error)) {
        report.refuse(error);
        return true;
    }
    // Without /count a table gives one terminal a row.
    const int count =
        o.countGiven || o.eachFile.empty() ? o.count : static_cast<int>(plan->terminals.size());
    std::ofstream reportFile;
    if (!o.reportFile.empty()) {
        reportFile.open(o.reportFile, std::ios::binary | std::ios::trunc);
        if (!reportFile) {
            report.refuse("Can't open the report file " + o.reportFile);
            return true;
        }
    }

    SiteRun run;
    run.kind = o.kind;
    run.choice = linkChoice(o, o.kind == TransferKind::Settings ? image.get() : nullptr);
    run.ports = o.ports.empty() ? std::vector<int>{run.choice.port} : o.ports;
    run.count = count;
    run.parallel = o.parallel;
    run.waitMs = static_cast<std::uint32_t>(o.waitSeconds) * 1000u;
    run.programFile = o.file;

    SharedClock clock;
    WinSiteListener listener;
    std::vector<std::unique_ptr<WinSerialDevice>> ports;
    SiteLinks links{clock, &listener, {}, {}};
    for (std::size_t i = 0; i < run.ports.size(); ++i) {
        ports.push_back(std::make_unique<WinSerialDevice>());
        links.ports.push_back(ports.back().get());
    }
    if (o.kind == TransferKind::Program)
        links.programFile = [&programBytes] {
            return std::make_unique<MemoryProgramFile>(programBytes);
        };
    SiteLog log(*plan, run.waitMs,
                {localTimeText, [&report](const std::string& l) { report.line(l); }});
    if (run.choice.via == kViaRf) log.allowed();
    SetConsoleCtrlHandler(onConsoleStop, TRUE);
    const SiteSummary summary = runSite(run, *plan, *comp, links, log, stopRequested);
    SetConsoleCtrlHandler(onConsoleStop, FALSE);
    log.summary(summary);
    if (reportFile.is_open()) {
        reportFile << log.report();
        reportFile.close();
    }
    for (auto& p : ports) p->close();
    exitCode = summary.failed == 0 ? 0 : 1;
    return true;
}

}  // namespace varomil
