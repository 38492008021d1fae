#include <winsock2.h>

#include "download/download_command_win.h"
#include "download/download_devices_win.h"

namespace varomil {

SocketHost::ListenResult WinSocketHost::listen(std::uint16_t port) {
    close();
    peer_.clear();
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return ListenResult::LibraryFailed;
    started_ = true;
    listen_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listen_ == INVALID_SOCKET) return ListenResult::CreateFailed;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    a.sin_port = htons(port);
    if (::bind(listen_, reinterpret_cast<const sockaddr*>(&a), sizeof a) == SOCKET_ERROR)
        return ListenResult::BindFailed;
    if (::listen(listen_, backlog_) == SOCKET_ERROR) return ListenResult::ListenFailed;
    return ListenResult::Ok;
}

bool WinSocketHost::accept(std::uint32_t ms) {
    if (listen_ == INVALID_SOCKET) return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listen_, &readable);
    timeval wait{static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
    if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) return false;
    data_ = ::accept(listen_, nullptr, nullptr);
    if (data_ == INVALID_SOCKET) return false;
    peerClosed_ = false;
    sockaddr_in from{};
    int size = sizeof from;
    peer_.clear();
    if (::getpeername(data_, reinterpret_cast<sockaddr*>(&from), &size) == 0 &&
        from.sin_family == AF_INET)
        peer_ = ::inet_ntoa(from.sin_addr);
    if (window_ != nullptr) {
        // Also makes the data socket non-blocking.
        WSAAsyncSelect(data_, window_, kDownloadSocketMessage, FD_CLOSE);
    } else {
        u_long nonBlocking = 1;
        ioctlsocket(data_, FIONBIO, &nonBlocking);
    }
    return true;
}

long WinSocketHost::send(const Byte* data, std::size_t n) {
    if (!connected()) return -1;
    const int r = ::send(data_, reinterpret_cast<const char*>(data), static_cast<int>(n), 0);
    if (r != SOCKET_ERROR) return r;
    return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

std::size_t WinSocketHost::receive(Byte* buf, std::size_t max) {
    if (!connected()) return 0;
    const int r = ::recv(data_, reinterpret_cast<char*>(buf), static_cast<int>(max), 0);
    if (r > 0) return static_cast<std::size_t>(r);
    // 0 is the terminal's orderly close; the closing notification may only come
    // later, when a message box dispatches messages.
    if (r == 0 || WSAGetLastError() != WSAEWOULDBLOCK) peerClosed_ = true;
    return 0;
}

void WinSocketHost::closeConnection() {
    if (data_ != INVALID_SOCKET) closesocket(data_);
    data_ = INVALID_SOCKET;
}

void WinSocketHost::close() {
    if (data_ != INVALID_SOCKET) closesocket(data_);
    if (listen_ != INVALID_SOCKET) closesocket(listen_);
    data_ = INVALID_SOCKET;
    listen_ = INVALID_SOCKET;
    // One cleanup for the one start: an extra one would end the telnet session's
    // use of the library.
    if (started_) WSACleanup();
    started_ = false;
}

void WinSocketHost::onNotification(WPARAM socket, LPARAM event) {
    if (WSAGETSELECTEVENT(event) != FD_CLOSE) return;
    if (data_ == INVALID_SOCKET || static_cast<SOCKET>(socket) != data_) return;
    close();
}

}  // namespace varomil
