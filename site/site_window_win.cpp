#include "site/site_window_win.h"

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <deque>
#include <functional>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "command_line/batch_download.h"
#include "command_line/command_line.h"
#include "download/download_devices_win.h"
#include "download/link_interfaces.h"
#include "resources/site_ids.h"
#include "settings/settings_file.h"
#include "shell/file_dialog_win.h"
#include "shell/local_time_win.h"
#include "shell/message_box_win.h"
#include "shell/user_settings_win.h"
#include "shell/window_messages.h"
#include "site/site_sockets_win.h"
#include "site/site_window_model.h"

namespace varomil {

namespace {

constexpr char kCaption[] = "Download to Many Terminals";

// One thing a terminal did, handed from the worker threads to the window.
struct SiteEvent {
    enum class Kind { Waiting, Started, Progress, Finished } kind = Kind::Waiting;
    int slot = 0;
    std::string link;
    const SiteTerminal* row = nullptr;
    int position = 0;
    int range = 0;
    TerminalRecord record;
};

// Everything one run owns; the worker thread uses it until it posts the end.
struct SiteRunState {
    SitePlan plan;
    SiteRun run;
    Companions companions;
    std::atomic<bool> stop{false};
    std::ofstream log;
    std::string reportName;
    std::thread worker;

    std::mutex mutex;  // guards events
    std::deque<SiteEvent> events;
};

struct SiteWindow {
    HWND dialog = nullptr;
    std::function<void(bool)> running;
    std::unique_ptr<SiteRunState> run;
    std::unique_ptr<SiteProgress> progress;
    bool closeWhenDone = false;
};

SiteWindow& state() {
    static SiteWindow w;
    return w;
}

// The log file gets what the console batch writes; the window gets the events.
class WindowObserver : public SiteObserver {
  public:
    WindowObserver(SiteLog& log, SiteRunState& run, HWND window)
        : log_(log), run_(run), window_(window) {}
    void waiting(int slot, const std::string& link) override {
        log_.waiting(slot, link);
        SiteEvent e = event(SiteEvent::Kind::Waiting, slot);
        e.link = link;
        post(std::move(e));
    }
    void started(int slot, const SiteTerminal* row, const std::string& peer) override {
        SiteEvent e = event(SiteEvent::Kind::Started, slot);
        e.row = row;
        e.link = peer;
        post(std::move(e));
    }
    void progress(int slot, int position, int range) override {
        SiteEvent e = event(SiteEvent::Kind::Progress, slot);
        e.position = position;
        e.range = range;
        post(std::move(e));
    }
    void finished(int slot, const TerminalRecord& record) override {
        log_.finished(slot, record);
        SiteEvent e = event(SiteEvent::Kind::Finished, slot);
        e.record = record;
        post(std::move(e));
    }
    void refused(const std::string& peer, SiteRefusal why) override { log_.refused(peer, why); }

  private:
    static SiteEvent event(SiteEvent::Kind kind, int slot) {
        SiteEvent e;
        e.kind = kind;
        e.slot = slot;
        return e;
    }
    void post(SiteEvent e) {
        bool first = false;
        {
            std::lock_guard<std::mutex> lock(run_.mutex);
            first = run_.events.empty();
            run_.events.push_back(std::move(e));
        }
        if (first) PostMessageA(window_, kSiteEventsMessage, 0, 0);
    }
    SiteLog& log_;
    SiteRunState& run_;
    HWND window_;
};

void serve(SiteRunState& r, HWND window) {
    SharedClock clock;
    WinSiteListener listener;
    std::vector<std::unique_ptr<WinSerialDevice>> ports;
    SiteLinks links{clock, &listener, {}, {}};
    for (std::size_t i = 0; i < r.run.ports.size(); ++i) {
        ports.push_back(std::make_unique<WinSerialDevice>());
        links.ports.push_back(ports.back().get());
    }
    SiteLog log(r.plan, r.run.waitMs, {localTimeText, [&r](const std::string& line) {
                                           if (!r.log.is_open()) return;
                                           r.log << line << "\r\n";
                                           r.log.flush();
                                       }});
    if (r.run.choice.via == kViaRf) log.allowed();
    WindowObserver observer(log, r, window);
    const SiteSummary summary = runSite(r.run, r.plan, r.companions, links, observer, r.stop);
    log.summary(summary);
    r.log.close();
    if (!r.reportName.empty()) {
        std::ofstream report(r.reportName, std::ios::binary | std::ios::trunc);
        report << log.report();
    }
    for (auto& p : ports) p->close();
    PostMessageA(window, kSiteDoneMessage, 0, 0);
}

std::string itemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

bool readWholeFile(const std::string& name, std::string& bytes) {
    std::ifstream in(name, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

constexpr int kInputs[] = {
    IDC_SITE_IN_FORCE, IDC_SITE_FROM_FILE,     IDC_SITE_FILE,     IDC_SITE_FILE_BROWSE,
    IDC_SITE_TABLE,    IDC_SITE_TABLE_BROWSE,  IDC_SITE_SETS,     IDC_SITE_RF,
    IDC_SITE_SERIAL,   IDC_SITE_PORTS,         IDC_SITE_PARALLEL, IDC_SITE_COUNT,
    IDC_SITE_WAIT,     IDC_SITE_ALLOW,         IDC_SITE_LOG,      IDC_SITE_LOG_BROWSE,
    IDC_SITE_REPORT,   IDC_SITE_REPORT_BROWSE,
};

// Each field is usable when what it belongs to is chosen, and none while running.
void enableInputs(HWND dialog) {
    const bool idle = state().run == nullptr;
    for (const int id : kInputs) EnableWindow(GetDlgItem(dialog, id), idle);
    if (idle) {
        const bool file = checked(dialog, IDC_SITE_FROM_FILE);
        const bool rf = checked(dialog, IDC_SITE_RF);
        EnableWindow(GetDlgItem(dialog, IDC_SITE_FILE), file);
        EnableWindow(GetDlgItem(dialog, IDC_SITE_FILE_BROWSE), file);
        EnableWindow(GetDlgItem(dialog, IDC_SITE_PORTS), !rf);
        EnableWindow(GetDlgItem(dialog, IDC_SITE_PARALLEL), rf);
        EnableWindow(GetDlgItem(dialog, IDC_SITE_ALLOW), rf);
    }
    EnableWindow(GetDlgItem(dialog, IDC_SITE_START), idle);
    EnableWindow(GetDlgItem(dialog, IDC_SITE_STOP), !idle && !state().run->stop);
}

void addColumns(HWND list, HWND dialog) {
    struct Column {
        const char* title;
        int width;  // dialog units
    };
    static constexpr Column kColumns[] = {
        {"Row", 24}, {"Name", 70}, {"Address or port", 90}, {"State", 125}, {"Progress", 64},
    };
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        RECT r{0, 0, kColumns[i].width, 8};
        MapDialogRect(dialog, &r);
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.pszText = const_cast<char*>(kColumns[i].title);
        c.cx = r.right;
        c.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&c));
    }
}

void showRow(HWND dialog, std::size_t index) {
    const HWND list = GetDlgItem(dialog, IDC_SITE_ROWS);
    const SiteProgress& p = *state().progress;
    const int item = static_cast<int>(index);
    for (int column = 0; column <= static_cast<int>(SiteColumn::Progress); ++column) {
        std::string text = p.cell(index, static_cast<SiteColumn>(column));
        LVITEMA it{};
        it.mask = LVIF_TEXT;
        it.iItem = item;
        it.iSubItem = column;
        it.pszText = text.data();
        if (column == 0 && item >= ListView_GetItemCount(list)) {
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it));
        } else {
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(item),
                         reinterpret_cast<LPARAM>(&it));
        }
    }
}

// The Progress cell as a bar with its percentage over it; the other cells as the
// list draws them.
LRESULT drawProgressCell(HWND dialog, NMLVCUSTOMDRAW& cd) {
    if (cd.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) return CDRF_NOTIFYSUBITEMDRAW;
    const SiteProgress* p = state().progress.get();
    const std::size_t index = cd.nmcd.dwItemSpec;
    if (cd.nmcd.dwDrawStage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM) ||
        cd.iSubItem != static_cast<int>(SiteColumn::Progress) || p == nullptr ||
        index >= p->rows().size())
        return CDRF_DODEFAULT;
    const std::string text = p->cell(index, SiteColumn::Progress);
    RECT cell{};
    ListView_GetSubItemRect(GetDlgItem(dialog, IDC_SITE_ROWS), static_cast<int>(index), cd.iSubItem,
                            LVIR_BOUNDS, &cell);
    const HDC dc = cd.nmcd.hdc;
    FillRect(dc, &cell, GetSysColorBrush(COLOR_WINDOW));
    if (text.empty()) return CDRF_SKIPDEFAULT;
    RECT bar = cell;
    InflateRect(&bar, -2, -2);
    FrameRect(dc, &bar, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&bar, -1, -1);
    RECT done = bar;
    done.right = bar.left + (bar.right - bar.left) * p->rows()[index].percent / 100;
    FillRect(dc, &done, GetSysColorBrush(COLOR_HIGHLIGHT));
    // The text in the highlight colours over the filled part, in the window's over the rest.
    SetBkMode(dc, TRANSPARENT);
    const auto drawClipped = [&](const RECT& clip, int colour) {
        SetTextColor(dc, GetSysColor(colour));
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
        RECT r = bar;
        DrawTextA(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        RestoreDC(dc, saved);
    };
    RECT rest = bar;
    rest.left = done.right;
    drawClipped(done, COLOR_HIGHLIGHTTEXT);
    drawClipped(rest, COLOR_WINDOWTEXT);
    return CDRF_SKIPDEFAULT;
}

void showTotals(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SITE_TOTALS, state().progress->totalsText().c_str());
}

void takeEvents(HWND dialog) {
    SiteWindow& w = state();
    if (w.run == nullptr) return;
    std::deque<SiteEvent> events;
    {
        std::lock_guard<std::mutex> lock(w.run->mutex);
        events.swap(w.run->events);
    }
    for (const SiteEvent& e : events) {
        SiteProgress& p = *w.progress;
        std::size_t index = 0;
        switch (e.kind) {
            case SiteEvent::Kind::Waiting:
                index = p.waiting(e.slot, e.link);
                break;
            case SiteEvent::Kind::Started:
                index = p.started(e.slot, e.row, e.link);
                break;
            case SiteEvent::Kind::Progress:
                index = p.progress(e.slot, e.position, e.range);
                break;
            case SiteEvent::Kind::Finished:
                index = p.finished(e.slot, e.record);
                break;
        }
        showRow(dialog, index);
    }
    showTotals(dialog);
}

// The fields a site's next run most likely repeats, as the last started run left
// them. The values for all are not kept: they may hold passwords.
struct RememberedField {
    int id;
    const char* name;
};
constexpr RememberedField kRemembered[] = {
    {IDC_SITE_FILE, "SiteSettingsFile"}, {IDC_SITE_TABLE, "SiteTable"},
    {IDC_SITE_PORTS, "SitePorts"},       {IDC_SITE_PARALLEL, "SiteParallel"},
    {IDC_SITE_COUNT, "SiteCount"},       {IDC_SITE_WAIT, "SiteWait"},
    {IDC_SITE_ALLOW, "SiteAllow"},       {IDC_SITE_LOG, "SiteLog"},
    {IDC_SITE_REPORT, "SiteReport"},
};
constexpr char kRememberedFromFile[] = "SiteFromFile";
constexpr char kRememberedSerial[] = "SiteSerial";

void rememberFields(HWND dialog) {
    for (const RememberedField& f : kRemembered) writeUserSetting(f.name, itemText(dialog, f.id));
    writeUserChoice(kRememberedFromFile, checked(dialog, IDC_SITE_FROM_FILE) ? 1 : 0);
    writeUserChoice(kRememberedSerial, checked(dialog, IDC_SITE_SERIAL) ? 1 : 0);
}

void refuse(HWND dialog, const std::string& text) {
    showMessage(dialog, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

// Reads and checks everything before a port or socket is opened.
void onStart(HWND dialog) {
    SiteWindow& w = state();
    if (w.run != nullptr) return;
    auto r = std::make_unique<SiteRunState>();
    auto base = std::make_unique<SettingsImage>();
    if (checked(dialog, IDC_SITE_FROM_FILE)) {
        const std::string name = itemText(dialog, IDC_SITE_FILE);
        const LoadResult loaded = readSettingsFile(name, *base, r->companions);
        if (!succeeded(loaded)) {
            refuse(dialog, std::string(loadFailureText(loaded)) + " " + name);
            return;
        }
    } else {
        if (settingsImage().byte(fld::ProductIndex) == 0) {
            refuse(dialog, "Please select product !!");
            return;
        }
        *base = settingsImage();
        r->companions = companions();
    }
    SiteWindowInput in;
    in.tableName = itemText(dialog, IDC_SITE_TABLE);
    if (!in.tableName.empty() && !readWholeFile(in.tableName, in.tableBytes)) {
        refuse(dialog, "Can't open the file! " + in.tableName);
        return;
    }
    in.sets = itemText(dialog, IDC_SITE_SETS);
    in.rf = checked(dialog, IDC_SITE_RF);
    in.ports = itemText(dialog, IDC_SITE_PORTS);
    in.parallel = itemText(dialog, IDC_SITE_PARALLEL);
    in.count = itemText(dialog, IDC_SITE_COUNT);
    in.wait = itemText(dialog, IDC_SITE_WAIT);
    in.allow = itemText(dialog, IDC_SITE_ALLOW);
    std::string error;
    if (!prepareSiteRun(in, *base, r->plan, r->run, error)) {
        refuse(dialog, error);
        return;
    }
    const std::string logName = itemText(dialog, IDC_SITE_LOG);
    if (!logName.empty()) {
        r->log.open(logName, std::ios::binary | std::ios::app);
        if (!r->log) {
            refuse(dialog, "Can't open the log file " + logName);
            return;
        }
    }
    r->reportName = itemText(dialog, IDC_SITE_REPORT);
    if (!r->reportName.empty() && !std::ofstream(r->reportName, std::ios::binary | std::ios::app)) {
        refuse(dialog, "Can't open the report file " + r->reportName);
        return;
    }

    rememberFields(dialog);
    ListView_DeleteAllItems(GetDlgItem(dialog, IDC_SITE_ROWS));
    w.progress = std::make_unique<SiteProgress>(r->run.count, r->run.waitMs);
    w.run = std::move(r);
    showTotals(dialog);
    enableInputs(dialog);
    // The caption says it runs in the taskbar too, while the window is away.
    SetWindowTextA(dialog, (std::string(kCaption) + " - running").c_str());
    w.running(true);
    SiteRunState* run = w.run.get();
    run->worker = std::thread([run, dialog] { serve(*run, dialog); });
}

void onStop(HWND dialog) {
    SiteWindow& w = state();
    if (w.run == nullptr) return;
    w.run->stop = true;
    enableInputs(dialog);
}

// The worker has ended: what it left is shown, and the main window's commands
// come back.
void onDone(HWND dialog) {
    SiteWindow& w = state();
    if (w.run == nullptr) return;
    w.run->worker.join();
    takeEvents(dialog);
    w.run.reset();
    enableInputs(dialog);
    SetWindowTextA(dialog, kCaption);
    w.running(false);
    if (w.closeWhenDone) DestroyWindow(dialog);
}

// While terminals are served, closing asks; Yes stops them all and closes once
// the log is complete.
void onClose(HWND dialog) {
    SiteWindow& w = state();
    if (w.run == nullptr) {
        DestroyWindow(dialog);
        return;
    }
    if (showMessage(dialog, "Terminals are still being served.\nStop them all and close?", kCaption,
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    w.closeWhenDone = true;
    onStop(dialog);
}

void browse(HWND dialog, int edit, FileDialogKind kind, FileType type) {
    if (const auto name = chooseFile(dialog, kind, type, itemText(dialog, edit)))
        SetDlgItemTextA(dialog, edit, name->c_str());
}

void onInit(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SITE_PORTS, "COM1");
    SetDlgItemInt(dialog, IDC_SITE_PARALLEL, kDefaultParallel, FALSE);
    SetDlgItemInt(dialog, IDC_SITE_WAIT, kDefaultWaitSeconds, FALSE);
    for (const RememberedField& f : kRemembered)
        SetDlgItemTextA(dialog, f.id, readUserSetting(f.name, itemText(dialog, f.id)).c_str());
    CheckRadioButton(
        dialog, IDC_SITE_IN_FORCE, IDC_SITE_FROM_FILE,
        readUserChoice(kRememberedFromFile, 2, 0) ? IDC_SITE_FROM_FILE : IDC_SITE_IN_FORCE);
    CheckRadioButton(dialog, IDC_SITE_RF, IDC_SITE_SERIAL,
                     readUserChoice(kRememberedSerial, 2, 0) ? IDC_SITE_SERIAL : IDC_SITE_RF);
    addColumns(GetDlgItem(dialog, IDC_SITE_ROWS), dialog);
    enableInputs(dialog);
}

INT_PTR CALLBACK siteDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NOTIFY: {
            auto& h = *reinterpret_cast<NMHDR*>(lParam);
            if (h.idFrom != IDC_SITE_ROWS || h.code != NM_CUSTOMDRAW) break;
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT,
                              drawProgressCell(dialog, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
            return TRUE;
        }
        case WM_INITDIALOG:
            onInit(dialog);
            return TRUE;
        case kSiteEventsMessage:
            takeEvents(dialog);
            return TRUE;
        case kSiteDoneMessage:
            onDone(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_SITE_IN_FORCE:
                case IDC_SITE_FROM_FILE:
                case IDC_SITE_RF:
                case IDC_SITE_SERIAL:
                    enableInputs(dialog);
                    return TRUE;
                case IDC_SITE_FILE_BROWSE:
                    browse(dialog, IDC_SITE_FILE, FileDialogKind::Open, FileType::Settings);
                    return TRUE;
                case IDC_SITE_TABLE_BROWSE:
                    browse(dialog, IDC_SITE_TABLE, FileDialogKind::Open, FileType::Table);
                    return TRUE;
                case IDC_SITE_LOG_BROWSE:
                    browse(dialog, IDC_SITE_LOG, FileDialogKind::Save, FileType::Text);
                    return TRUE;
                case IDC_SITE_REPORT_BROWSE:
                    browse(dialog, IDC_SITE_REPORT, FileDialogKind::Save, FileType::Table);
                    return TRUE;
                case IDC_SITE_START:
                    onStart(dialog);
                    return TRUE;
                case IDC_SITE_STOP:
                    onStop(dialog);
                    return TRUE;
                case IDCANCEL:
                    onClose(dialog);
                    return TRUE;
            }
            break;
        case WM_CLOSE:
            onClose(dialog);
            return TRUE;
        case WM_DESTROY: {
            // However the window goes (with the main window, too), no worker may
            // outlive it.
            SiteWindow& w = state();
            if (w.run != nullptr) {
                w.run->stop = true;
                w.run->worker.join();
                w.run.reset();
                w.running(false);
            }
            w.progress.reset();
            w.dialog = nullptr;
            w.closeWhenDone = false;
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

void openSiteWindow(HWND frame, std::function<void(bool)> running) {
    SiteWindow& w = state();
    if (w.dialog != nullptr) {
        ShowWindow(w.dialog, SW_RESTORE);
        SetForegroundWindow(w.dialog);
        return;
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    w.running = std::move(running);
    w.dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "SITEDLG", frame, siteDialogProc, 0);
    if (w.dialog != nullptr) ShowWindow(w.dialog, SW_SHOW);
}

HWND siteWindow() {
    return state().dialog;
}

bool siteWindowRunning() {
    return state().run != nullptr;
}

bool siteWindowMessage(MSG& msg) {
    const HWND d = state().dialog;
    return d != nullptr && (msg.hwnd == d || IsChild(d, msg.hwnd)) && IsDialogMessageA(d, &msg);
}

}  // namespace varomil
