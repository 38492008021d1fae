#include <winsock2.h>

#include "tests/gui/download_port.h"

namespace varomil {

bool downloadPortFree() {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return false;
    const SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(3000);
    const bool free = bind(probe, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    closesocket(probe);
    WSACleanup();
    return free;
}

}  // namespace varomil
