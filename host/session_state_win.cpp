#include "host/session_state_win.h"

namespace varomil {

void SocketSink::send(const std::uint8_t* data, std::size_t size) {
    while (socket != INVALID_SOCKET && size > 0) {
        const int chunk = size > 65536 ? 65536 : static_cast<int>(size);
        const int sent = ::send(socket, reinterpret_cast<const char*>(data), chunk, 0);
        if (sent <= 0) return;
        data += sent;
        size -= static_cast<std::size_t>(sent);
    }
}

SessionState::SessionState() : session(sink) {}

SessionState& sessionState() {
    static SessionState state;
    return state;
}

bool stashNotifications(SessionState& s) {
    const ScreenNotifications n = s.session.takeNotifications();
    if (n.empty()) return false;
    if (n.wholeWindow()) s.pending.invalidateAll();
    for (std::size_t i = 0; i < n.spanCount(); ++i) {
        const ScreenSpan& span = n.spanAt(i);
        s.pending.span(span.column, span.row, span.length);
    }
    if (n.cursorChanged()) s.pending.cursorMoved(n.cursorRow(), n.cursorColumn());
    if (n.caretChanged()) s.pending.caret(n.caretVisible());
    for (int i = 0; i < n.beeps(); ++i) s.pending.beep();
    if (s.updatePosted) return false;
    s.updatePosted = true;
    return true;
}

}  // namespace varomil
