#include "tests/gui/download_port.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "app/main_window_win.h"

namespace varomil {

sockaddr_in downloadPortAddress(bool anyAddress) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(3000);
    a.sin_addr.s_addr = htonl(anyAddress ? INADDR_ANY : INADDR_LOOPBACK);
    return a;
}

namespace {

// Binds (or connects) a fresh socket to the download port; true when that worked.
bool tryPort(bool connecting) {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    const sockaddr_in a = downloadPortAddress(!connecting);
    const sockaddr* to = reinterpret_cast<const sockaddr*>(&a);
    const bool done = (connecting ? connect(probe, to, sizeof a) : bind(probe, to, sizeof a)) == 0;
    closesocket(probe);
    WSACleanup();
    return done;
}

}  // namespace

bool downloadPortFree() {
    return tryPort(false);
}

bool downloadPortListens() {
    return tryPort(true);
}

namespace test {

std::string env(const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr ? v : "";
}

std::string linkStatusText() {
    char text[256] = "";
    SendMessageA(mainWindow().status, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace test
}  // namespace varomil
