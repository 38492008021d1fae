#include "tests/gui/host_telnet_peer.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "tests/core/golden.h"

namespace varomil::test {

namespace {

// Waits for the socket to become readable; false on time-out.
bool readable(SOCKET s, int timeoutMs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    return select(0, &set, nullptr, nullptr, &tv) == 1;
}

}  // namespace

std::string printable(const std::string& bytes) {
    std::string out;
    for (unsigned char ch : bytes) {
        if (ch >= 32 && ch < 127 && ch != '\\') {
            out += static_cast<char>(ch);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", ch);
            out += hex;
        }
    }
    return out;
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // a destroyed test window's leftover
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition()) return true;
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

ScriptedTelnetHost::ScriptedTelnetHost(Script script) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int length = sizeof address;
    if (listener_ == INVALID_SOCKET ||
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 1) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        fail("cannot listen on 127.0.0.1");
        finished_ = true;
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, script] { run(script); });
}

ScriptedTelnetHost::~ScriptedTelnetHost() {
    // Closing the sockets ends a script still waiting on them.
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    listener_ = INVALID_SOCKET;
    if (client_ != INVALID_SOCKET) shutdown(client_, SD_BOTH);
    if (thread_.joinable()) thread_.join();
    closeConnection();
    WSACleanup();
}

void ScriptedTelnetHost::run(Script script) {
    if (readable(listener_, 15000)) client_ = accept(listener_, nullptr, nullptr);
    if (client_ == INVALID_SOCKET) {
        fail("no connection from the program");
    } else {
        script(*this);
    }
    finished_ = true;
}

std::vector<std::string> ScriptedTelnetHost::failures() const {
    std::lock_guard<std::mutex> hold(failuresLock_);
    return failures_;
}

void ScriptedTelnetHost::fail(const std::string& what) {
    std::lock_guard<std::mutex> hold(failuresLock_);
    failures_.push_back(what);
}

void ScriptedTelnetHost::send(const std::string& bytes) {
    // A blocking socket sends everything or fails.
    if (::send(client_, bytes.data(), static_cast<int>(bytes.size()), 0) !=
        static_cast<int>(bytes.size()))
        fail("send failed");
}

bool ScriptedTelnetHost::floodUntilClosed(const std::string& block, int timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(timeoutMs)) {
        if (::send(client_, block.data(), static_cast<int>(block.size()), 0) <= 0) return true;
    }
    return false;
}

bool ScriptedTelnetHost::expect(const std::string& expected, const char* what, int timeoutMs) {
    std::string got;
    const DWORD start = GetTickCount();
    while (got.size() < expected.size()) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= static_cast<DWORD>(timeoutMs) ||
            !readable(client_, timeoutMs - static_cast<int>(spent))) {
            break;
        }
        char buffer[256];
        const int want =
            static_cast<int>(std::min<std::size_t>(sizeof buffer, expected.size() - got.size()));
        const int n = recv(client_, buffer, want, 0);
        if (n <= 0) break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    if (got == expected) return true;
    fail(std::string(what) + ": expected \"" + printable(expected) + "\", got \"" + printable(got) +
         "\"");
    return false;
}

bool ScriptedTelnetHost::expectClosed(int timeoutMs) {
    if (!readable(client_, timeoutMs)) return false;
    char buffer[64];
    return recv(client_, buffer, sizeof buffer, 0) <= 0;
}

ScriptedTelnetHost::Script hostScript(const std::string& text) {
    return [text](ScriptedTelnetHost& h) {
        std::istringstream steps(text);
        for (std::string step; std::getline(steps, step);) {
            const std::size_t space = step.find(' '), bar = step.find('|');
            const std::string verb = step.substr(0, space);
            const std::string rest = space == std::string::npos ? "" : step.substr(space + 1);
            if (verb == "send") h.send(unescaped(rest));
            if (verb == "expect" && !h.expect(unescaped(step.substr(bar + 1)),
                                              step.substr(space + 1, bar - space - 1).c_str()))
                return;
            if (verb == "reach") h.reach(std::stoi(rest));
            if (verb == "close") h.closeConnection();
            if (verb == "closed" && !h.expectClosed(rest.empty() ? 10000 : std::stoi(rest)))
                return h.reach(-1);
        }
    };
}

void ScriptedTelnetHost::closeConnection() {
    if (client_ == INVALID_SOCKET) return;
    shutdown(client_, SD_BOTH);
    closesocket(client_);
    client_ = INVALID_SOCKET;
}

}  // namespace varomil::test
