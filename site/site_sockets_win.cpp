#include "site/site_sockets_win.h"

namespace varomil {

namespace {
bool readable(SOCKET s, std::uint32_t ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval wait{static_cast<long>(ms / 1000), static_cast<long>(ms % 1000) * 1000};
    return ::select(0, &set, nullptr, nullptr, &wait) > 0;
}
}  // namespace

long WinSiteConnection::send(const Byte* data, std::size_t n) {
    if (!connected()) return -1;
    const int r = ::send(socket_, reinterpret_cast<const char*>(data), static_cast<int>(n), 0);
    if (r != SOCKET_ERROR) return r;
    if (WSAGetLastError() == WSAEWOULDBLOCK) return 0;
    peerClosed_ = true;
    return -1;
}

std::size_t WinSiteConnection::receive(Byte* buf, std::size_t max, std::uint32_t waitMs) {
    for (int pass = 0; pass < 2 && connected(); ++pass) {
        const int r = ::recv(socket_, reinterpret_cast<char*>(buf), static_cast<int>(max), 0);
        if (r > 0) return static_cast<std::size_t>(r);
        // 0 is the terminal's orderly close.
        if (r == 0 || WSAGetLastError() != WSAEWOULDBLOCK) {
            peerClosed_ = true;
            return 0;
        }
        if (pass == 0 && !readable(socket_, waitMs)) return 0;
    }
    return 0;
}

void WinSiteConnection::close() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

SocketHost::ListenResult WinSiteListener::listen(std::uint16_t port) {
    using R = SocketHost::ListenResult;
    close();
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return R::LibraryFailed;
    started_ = true;
    listen_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listen_ == INVALID_SOCKET) return R::CreateFailed;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_ANY);
    a.sin_port = htons(port);
    if (::bind(listen_, reinterpret_cast<const sockaddr*>(&a), sizeof a) == SOCKET_ERROR)
        return R::BindFailed;
    if (::listen(listen_, SOMAXCONN) == SOCKET_ERROR) return R::ListenFailed;
    return R::Ok;
}

std::unique_ptr<SiteConnection> WinSiteListener::accept(std::uint32_t ms, SitePeer& peer) {
    if (listen_ == INVALID_SOCKET || !readable(listen_, ms)) return nullptr;
    sockaddr_in from{};
    int size = sizeof from;
    const SOCKET s = ::accept(listen_, reinterpret_cast<sockaddr*>(&from), &size);
    if (s == INVALID_SOCKET) return nullptr;
    u_long nonBlocking = 1;
    ioctlsocket(s, FIONBIO, &nonBlocking);
    peer.address = ntohl(from.sin_addr.s_addr);
    peer.port = ntohs(from.sin_port);
    return std::make_unique<WinSiteConnection>(s);
}

void WinSiteListener::close() {
    if (listen_ != INVALID_SOCKET) closesocket(listen_);
    listen_ = INVALID_SOCKET;
    if (started_) WSACleanup();
    started_ = false;
}

}  // namespace varomil
