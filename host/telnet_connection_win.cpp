#include "host/telnet_connection_win.h"

#include <winsock2.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "shell/message_box_win.h"
#include "host/capture_win.h"
#include "host/session_settings.h"
#include "host/session_state_win.h"
#include "host/terminal_window_win.h"
#include "shell/link_status_win.h"
#include "resources/host_ids.h"
#include "settings/image_layout.h"
#include "settings/settings_image.h"

namespace varomil {

namespace {

constexpr int kOctetFields[4] = {IDC_HOST_OCTET1, IDC_HOST_OCTET2, IDC_HOST_OCTET3,
                                 IDC_HOST_OCTET4};
constexpr std::size_t kHostEntries = 5;
constexpr DWORD kThreadEndWait = 10000;

// The open connection, touched by the user-interface thread only. The receive
// thread gets its own copy of the socket and generation.
struct Connection {
    bool open = false;
    SOCKET socket = INVALID_SOCKET;
    HANDLE thread = nullptr;
};

Connection& connection() {
    static Connection c;
    return c;
}

// The host as edited in the Host IP dialog, and the entry it came from.
struct HostEdit {
    std::string host;  // a dotted address, or a host name
    std::size_t entry = 0;
    bool following = false;  // one side is being set from the other
};

HostEdit& hostEdit() {
    static HostEdit e;
    return e;
}

// Leading decimal digits after optional blanks and sign, 0 when there are none;
// values beyond the integer range stay at its limit.
int leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// A text beginning with a digit is taken for a dotted address, anything else for
// a host name (names that begin with a digit are rare on a site's network).
bool looksLikeAddress(const std::string& text) {
    const std::size_t at = text.find_first_not_of(" \t");
    return at != std::string::npos && text[at] >= '0' && text[at] <= '9';
}

// The text's pieces between dots; the fourth takes the rest.
std::array<std::string, 4> addressPieces(const std::string& text) {
    std::array<std::string, 4> pieces;
    std::size_t start = 0;
    for (std::size_t k = 0; k < pieces.size() && start <= text.size(); ++k) {
        const std::size_t dot = k + 1 < pieces.size() ? text.find('.', start) : std::string::npos;
        pieces[k] = text.substr(start, dot == std::string::npos ? dot : dot - start);
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return pieces;
}

std::string itemText(HWND dialog, int id) {
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void setFollowing(HWND dialog, int id, const std::string& text) {
    HostEdit& e = hostEdit();
    e.following = true;
    SetDlgItemTextA(dialog, id, text.c_str());
    e.following = false;
}

// Typed parts make the whole address; a typed address fills the parts, a name
// empties them.
void partsTyped(HWND dialog) {
    std::string whole;
    for (int k = 0; k < 4; ++k) whole += (k ? "." : "") + itemText(dialog, kOctetFields[k]);
    setFollowing(dialog, IDC_HOST_NAME, whole);
}

void wholeTyped(HWND dialog) {
    const std::string whole = itemText(dialog, IDC_HOST_NAME);
    const bool address = looksLikeAddress(whole);
    const std::array<std::string, 4> pieces = addressPieces(whole);
    for (int k = 0; k < 4; ++k)
        setFollowing(dialog, kOctetFields[k], address ? pieces[k] : std::string());
}

void showStoredHost(HWND dialog) {
    HostEdit& e = hostEdit();
    const std::size_t active = settingsImage().byte(fld::ActiveHostIndex);
    e.entry = active < kHostEntries ? active : 0;
    const std::string stored = settingsImage().text(slot::hostAddress(e.entry));
    SendDlgItemMessageA(dialog, IDC_HOST_NAME, EM_LIMITTEXT, fld::kHostAddressWidth - 1, 0);
    if (looksLikeAddress(stored)) {
        // Each part as a number, as the terminal reads it.
        const std::array<std::string, 4> pieces = addressPieces(stored);
        for (int k = 0; k < 4; ++k) {
            const std::string part = std::to_string(leadingNumber(pieces[k]));
            setFollowing(dialog, kOctetFields[k], part);
        }
        partsTyped(dialog);
    } else {
        setFollowing(dialog, IDC_HOST_NAME, stored);
    }
    SetDlgItemTextA(dialog, IDC_HOST_PORT,
                    std::to_string(settingsImage().u16le(fld::TelnetPort)).c_str());
}

// A field holds an address part when it reads as an unsigned number 0..255.
bool readOctetField(HWND dialog, int id, int& octet) {
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(dialog, id, &ok, FALSE);
    if (!ok || value > 255) return false;
    octet = static_cast<int>(value & 0xFF);
    return true;
}

// The host to connect to, or a refusal with the focus on the field at fault.
bool readHost(HWND dialog) {
    const std::string whole = itemText(dialog, IDC_HOST_NAME);
    if (!looksLikeAddress(whole) && whole.find_first_not_of(" \t.") != std::string::npos) {
        hostEdit().host = whole;
        return true;
    }
    std::array<int, 4> octets{};
    int bad = 0;
    if (std::count(whole.begin(), whole.end(), '.') > 3) bad = IDC_HOST_NAME;
    for (int k = 0; k < 4 && bad == 0; ++k)
        if (!readOctetField(dialog, kOctetFields[k], octets[k])) bad = kOctetFields[k];
    if (bad != 0) {
        showMessage(dialog, "Invalid IP Address!", "Error", MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, bad));
        return false;
    }
    char address[16];
    std::snprintf(address, sizeof address, "%d.%d.%d.%d", octets[0], octets[1], octets[2],
                  octets[3]);
    hostEdit().host = address;
    return true;
}

// "." in a part box goes on to the next box, as Tab does.
LRESULT CALLBACK octetBoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    if (msg == WM_CHAR && wParam == '.') {
        const int id = GetDlgCtrlID(box);
        if (id < IDC_HOST_OCTET4) {
            HWND next = GetDlgItem(GetParent(box), id + 1);
            SetFocus(next);
            SendMessageA(next, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(box, octetBoxProc, 0);
    return DefSubclassProc(box, msg, wParam, lParam);
}

INT_PTR CALLBACK HostIpDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            for (int id : kOctetFields)
                SetWindowSubclass(GetDlgItem(dialog, id), octetBoxProc, 0, 0);
            showStoredHost(dialog);
            if (looksLikeAddress(itemText(dialog, IDC_HOST_NAME))) return TRUE;
            // A name is edited in its own box (posted: activation gives the
            // focus to the first box).
            PostMessageA(dialog, WM_NEXTDLGCTL,
                         reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_HOST_NAME)), TRUE);
            return TRUE;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (HIWORD(wParam) == EN_CHANGE) {
                if (hostEdit().following) return TRUE;
                if (id >= IDC_HOST_OCTET1 && id <= IDC_HOST_OCTET4) partsTyped(dialog);
                if (id == IDC_HOST_NAME) wholeTyped(dialog);
                return TRUE;
            }
            if (id == IDOK) {
                if (readHost(dialog)) EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
    }
    return FALSE;
}

struct ReceiveThreadArgs {
    SOCKET socket;
    unsigned generation;
    HWND window;
};

// Reads the host's blocks until the connection ends, runs them through the
// session under the lock and tells the window afterwards, at most one notice per
// block. Never waits for the window, so disconnecting can wait for this thread.
DWORD WINAPI receiveLoop(LPVOID parameter) {
    const std::unique_ptr<ReceiveThreadArgs> args(static_cast<ReceiveThreadArgs*>(parameter));
    SessionState& s = sessionState();
    std::uint8_t buffer[1024];
    for (;;) {
        const int n = recv(args->socket, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
        bool notify = false;
        {
            std::lock_guard<std::mutex> hold(s.lock);
            if (s.generation != args->generation) return 0;
            if (n > 0) {
                s.session.receive(buffer, static_cast<std::size_t>(n));
                ++s.blocks;
                s.bytes += static_cast<std::uint64_t>(n);
            } else if (n == 0) {
                s.session.endOfStream();
            }
            notify = stashNotifications(s);
        }
        if (notify) {
            ++s.messages;
            PostMessageA(args->window, kTerminalUpdate, 0, 0);
        }
        if (n <= 0) {
            ++s.messages;
            PostMessageA(args->window, kTerminalHostClosed, args->generation, 0);
            return 0;
        }
    }
}

bool fail(HWND terminal, const char* text) {
    showMessage(terminal, text, "Error", MB_OK | MB_ICONWARNING);
    return false;
}

// Why a connect failed, in the words of the status bar.
std::string connectFailure(int error) {
    switch (error) {
        case WSAECONNREFUSED:
            return "connection refused";
        case WSAETIMEDOUT:
            return "no answer";
        case WSAENETUNREACH:
        case WSAEHOSTUNREACH:
            return "host unreachable";
        default:
            return "error " + std::to_string(error);
    }
}

}  // namespace

bool connectHost(HWND owner, HWND terminal) {
    // Never two connections: a second Connect closes the first.
    if (connection().open) disconnectHost(owner);
    HWND focus = GetFocus();
    if (DialogBoxParamA(GetModuleHandleA(nullptr), "HOSTIPDLG", focus != nullptr ? focus : owner,
                        HostIpDialogProc, 0) != IDOK) {
        return false;
    }
    stopCapture(owner);

    WSADATA wsa;
    if (WSAStartup(MAKEWORD(1, 1), &wsa) != 0)
        return fail(terminal, "Unable to initialize the WinSock library");
    const HostEdit& e = hostEdit();
    const std::string where = e.host + ":" + std::to_string(settingsImage().u16le(fld::TelnetPort));
    unsigned long ip = INADDR_NONE;
    if (looksLikeAddress(e.host)) {
        ip = inet_addr(e.host.c_str());
        if (ip == INADDR_NONE) {
            WSACleanup();
            return fail(terminal, "Invalid Host IP given.");
        }
    } else {
        const hostent* found = gethostbyname(e.host.c_str());
        if (found == nullptr || found->h_addrtype != AF_INET || found->h_addr_list[0] == nullptr) {
            WSACleanup();
            showLinkStatus(terminal, (where + ": host not found").c_str());
            return fail(terminal, "Can not establish connection");
        }
        std::memcpy(&ip, found->h_addr_list[0], sizeof ip);
    }
    sockaddr_in host{};
    host.sin_family = AF_INET;
    host.sin_port = htons(settingsImage().u16le(fld::TelnetPort));
    host.sin_addr.s_addr = ip;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) {
        WSACleanup();
        return fail(terminal, "Create socket failed !!");
    }
    if (connect(s, reinterpret_cast<const sockaddr*>(&host), sizeof host) == SOCKET_ERROR) {
        const std::string why = where + ": " + connectFailure(WSAGetLastError());
        closesocket(s);
        WSACleanup();
        showLinkStatus(terminal, why.c_str());
        return fail(terminal, "Can not establish connection");
    }

    SessionState& state = sessionState();
    auto* args = new ReceiveThreadArgs{s, 0, terminal};
    // Read here, on this thread: the receive thread works with the session's copy
    // while the settings stay open to editing.
    const SessionSettings settings = settingsForConnection(settingsImage());
    {
        std::lock_guard<std::mutex> hold(state.lock);
        args->generation = ++state.generation;
        state.sink.socket = s;
        state.session.beginConnection(settings);
        state.pending.clear();
        state.updatePosted = false;
        stashNotifications(state);
    }
    HANDLE thread = CreateThread(nullptr, 0, receiveLoop, args, 0, nullptr);
    if (thread == nullptr) {
        delete args;
        {
            std::lock_guard<std::mutex> hold(state.lock);
            ++state.generation;
            state.sink.socket = INVALID_SOCKET;
        }
        closesocket(s);
        WSACleanup();
        return fail(terminal, "Create read thread failed");
    }
    connection() = Connection{true, s, thread};
    // Back into the entry the dialog showed, so the next Connect offers it again.
    settingsImage().setText(slot::hostAddress(e.entry), e.host);
    deliverTerminalUpdates(terminal);
    showLinkStatus(terminal, ("Connected to " + where).c_str());
    return true;
}

void disconnectHost(HWND owner) {
    Connection& c = connection();
    if (c.open) {
        SessionState& state = sessionState();
        // Shut down before taking the lock: it ends a receive, and a reply the
        // thread may be sending under the lock.
        shutdown(c.socket, SD_BOTH);
        {
            std::lock_guard<std::mutex> hold(state.lock);
            ++state.generation;
            state.sink.socket = INVALID_SOCKET;
            state.pending.clear();
            state.updatePosted = false;
        }
        // Closing ends a pending receive (shutting down alone does not under every
        // Winsock). The handle cannot be reused meanwhile: only this thread makes
        // sockets, and it waits here. The receive thread only ever posts to the
        // window and waits for the lock, which is free, so waiting cannot deadlock.
        closesocket(c.socket);
        WaitForSingleObject(c.thread, kThreadEndWait);
        CloseHandle(c.thread);
        WSACleanup();
        c = Connection{};
        showLinkStatus(owner, "");
    }
    stopCapture(owner);
}

}  // namespace varomil
