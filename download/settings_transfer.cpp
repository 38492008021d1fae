#include "download/settings_transfer.h"

#include <algorithm>
#include <memory>

#include "download/download_messages.h"

namespace varomil {

void fillTransferBuffer(const SettingsImage& image, TransferBuffer& buffer) {
    buffer.fill(0);
    std::copy(image.bytes().begin(), image.bytes().end(), buffer.begin());
}

BlockPacket buildBlockPacket(const TransferBuffer& buffer, std::size_t block) {
    BlockPacket p{};
    const std::size_t start = block * kBlockDataSize;
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBlockDataSize && start + i < buffer.size(); ++i) {
        p[i] = buffer[start + i];
        sum += p[i];
    }
    p[kBlockDataSize] = static_cast<Byte>(sum >> 8);
    p[kBlockDataSize + 1] = static_cast<Byte>(sum & 0xFF);
    p[kBlockDataSize + 2] = static_cast<Byte>(block % 256);
    return p;
}

bool settingsHandshake(Link& link) {
    for (int i = 0; i < kHandshakeSends; ++i) {
        link.sendAndCollect(kSettingsHello);
        if (link.replyIs(kSettingsAck)) return true;
    }
    return false;
}

bool sendSettingsBlocks(Link& link, SettingsImage& image, const Companions& companions,
                        DownloadUi& ui) {
    storeReaderBlocks(image, companions);
    auto buffer = std::make_unique<TransferBuffer>();
    fillTransferBuffer(image, *buffer);
    for (std::size_t block = 0; block < kBlockCount; ++block) {
        // A Cancel stops between blocks: the terminal keeps what it acknowledged.
        if (ui.cancelled()) return false;
        const BlockPacket packet = buildBlockPacket(*buffer, block);
        bool accepted = false;
        int sendsLeft = kBlockSends;
        while (sendsLeft > 0) {
            // Once the terminal has hung up, one more try is all that makes sense.
            if (!link.connected()) sendsLeft = 1;
            link.sendAndCollect(packet.data(), packet.size());
            --sendsLeft;
            if (link.replyIs(kSettingsAck)) {
                accepted = true;
                break;
            }
        }
        if (!accepted) {
            ui.message(msg::kDownloadError, kDownloadCaption, MessageIcon::Warning);
            return false;
        }
        ui.progressCount(progressCountText("block", block + 1, kBlockCount));
        ui.setProgress(static_cast<int>(block + 1));
    }
    ui.setProgress(static_cast<int>(kBlockCount));
    return true;
}

}  // namespace varomil
