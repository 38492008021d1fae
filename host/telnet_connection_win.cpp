#include "host/telnet_connection_win.h"

#include <winsock2.h>

#include <array>
#include <climits>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "shell/message_box_win.h"
#include "host/capture_win.h"
#include "host/session_state_win.h"
#include "host/terminal_window_win.h"
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

// The address as edited in the Host IP dialog, and the entry it came from.
struct HostAddressEdit {
    std::array<int, 4> octets{};
    std::size_t entry = 0;
};

HostAddressEdit& addressEdit() {
    static HostAddressEdit e;
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

void loadOctets() {
    HostAddressEdit& e = addressEdit();
    const std::size_t active = settingsImage().byte(fld::ActiveHostIndex);
    e.entry = active < kHostEntries ? active : 0;
    const std::string address = settingsImage().text(slot::hostAddress(e.entry));
    e.octets.fill(0);
    std::size_t start = 0;
    for (std::size_t k = 0; k < e.octets.size(); ++k) {
        const std::size_t dot = address.find('.', start);
        e.octets[k] =
            leadingNumber(address.substr(start, dot == std::string::npos ? dot : dot - start));
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
}

// A field holds an address part when it reads as an unsigned number 0..255.
bool readOctetField(HWND dialog, int id, int& octet) {
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(dialog, id, &ok, FALSE);
    if (!ok || value > 255) return false;
    octet = static_cast<int>(value & 0xFF);
    return true;
}

INT_PTR CALLBACK HostIpDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    HostAddressEdit& e = addressEdit();
    switch (msg) {
        case WM_INITDIALOG: {
            loadOctets();
            const std::array<int, 4> shown = e.octets;
            for (int k = 0; k < 4; ++k) {
                char text[16];
                std::snprintf(text, sizeof text, "%d", shown[k]);
                SetDlgItemTextA(dialog, kOctetFields[k], text);
            }
            return TRUE;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (HIWORD(wParam) == EN_CHANGE && id >= IDC_HOST_OCTET1 && id <= IDC_HOST_OCTET4) {
                readOctetField(dialog, id, e.octets[id - IDC_HOST_OCTET1]);
                return TRUE;
            }
            if (id == IDOK) {
                for (int k = 0; k < 4; ++k) {
                    if (!readOctetField(dialog, kOctetFields[k], e.octets[k])) {
                        showMessage(dialog, "Invalid IP Address!", "Error", MB_OK | MB_ICONWARNING);
                        SetFocus(GetDlgItem(dialog, kOctetFields[k]));
                        return TRUE;
                    }
                }
                EndDialog(dialog, IDOK);
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
    const HostAddressEdit& e = addressEdit();
    char address[64];
    std::snprintf(address, sizeof address, "%d.%d.%d.%d", e.octets[0], e.octets[1], e.octets[2],
                  e.octets[3]);
    const unsigned long ip = inet_addr(address);
    if (ip == INADDR_NONE) {
        WSACleanup();
        return fail(terminal, "Invalid Host IP given.");
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
        closesocket(s);
        WSACleanup();
        return fail(terminal, "Can not establish connection");
    }

    SessionState& state = sessionState();
    auto* args = new ReceiveThreadArgs{s, 0, terminal};
    {
        std::lock_guard<std::mutex> hold(state.lock);
        args->generation = ++state.generation;
        state.sink.socket = s;
        state.session.beginConnection();
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
    settingsImage().setText(slot::hostAddress(e.entry), address);
    deliverTerminalUpdates(terminal);
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
    }
    stopCapture(owner);
}

}  // namespace varomil
