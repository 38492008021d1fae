#include "download/socket_link.h"

#include "download/download_messages.h"

namespace varomil {

SocketOpenResult openSocketLink(SocketHost& host, DownloadUi& ui) {
    using R = SocketHost::ListenResult;
    switch (host.listen(kDownloadPort)) {
        case R::Ok:
            break;
        case R::LibraryFailed:
            ui.message(msg::kWinsockFailed, kDownloadCaption, MessageIcon::Warning);
            return SocketOpenResult::LibraryFailed;
        case R::CreateFailed:
            ui.message(msg::kSocketFailed, kDownloadCaption, MessageIcon::Warning);
            return SocketOpenResult::SocketFailed;
        case R::BindFailed:
            ui.message(msg::kBindFailed, kDownloadCaption, MessageIcon::Warning);
            return SocketOpenResult::BindFailed;
        case R::ListenFailed:
            ui.message(msg::kListenFailed, kDownloadCaption, MessageIcon::Warning);
            return SocketOpenResult::ListenFailed;
    }
    for (std::uint32_t waited = 0; waited < kAcceptWaitMs; waited += kAcceptSliceMs) {
        if (host.accept(kAcceptSliceMs)) return SocketOpenResult::Connected;
        if (ui.cancelled()) return SocketOpenResult::Cancelled;
    }
    return SocketOpenResult::NoTerminal;
}

void SocketLink::transmit(const Byte* data, std::size_t n) {
    // A non-blocking send may take only part of a packet; the rest follows until
    // all is out, the socket fails, or the reply time has passed.
    Deadline limit(clock(), kReplyTimeoutMs);
    std::size_t sent = 0;
    while (sent < n && !limit.passed()) {
        const long r = host_.send(data + sent, n - sent);
        if (r < 0) return;
        const std::size_t took = static_cast<std::size_t>(r);
        sent += took < n - sent ? took : n - sent;
    }
}

}  // namespace varomil
