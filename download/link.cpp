#include "download/link.h"

namespace varomil {

void Link::sendAndCollect(const Byte* data, std::size_t n) {
    if (stopped()) {
        reply_.clear();
        return;
    }
    discardInput();
    transmit(data, n);
    collectReply();
}

void Link::collectReply() {
    reply_.clear();
    Deadline deadline(clock_, kReplyTimeoutMs);
    Byte chunk[kReceiveChunk];
    const std::size_t limit = readLimit() < sizeof chunk ? readLimit() : sizeof chunk;
    while (reply_.size() < kSerialReplyLimit) {
        const std::size_t got = receive(chunk, limit);
        const std::size_t room = kReplyCapacity - reply_.size();
        reply_.append(reinterpret_cast<const char*>(chunk), got < room ? got : room);
        if (!reply_.empty() && reply_.back() == '\r' && got > 0) break;
        if (deadline.passed() || stopped()) break;
    }
    if (!reply_.empty() && reply_.back() == '\r') reply_.pop_back();
}

}  // namespace varomil
