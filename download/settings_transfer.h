// The settings download: the handshake and the image sent as 597 numbered
// packets of 100 bytes with a 16-bit sum, each acknowledged by the terminal.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "download/download_ui.h"
#include "download/link.h"
#include "settings/settings_image.h"

namespace varomil {

constexpr std::size_t kBlockDataSize = 100;
constexpr std::size_t kBlockCount = 597;
constexpr std::size_t kTransferSize = kBlockDataSize * kBlockCount;  // image + zero padding
constexpr std::size_t kPacketSize = kBlockDataSize + 3;
constexpr int kHandshakeSends = 3;
constexpr int kBlockSends = 6;

constexpr std::string_view kSettingsHello = "TAMBRO\r";
constexpr std::string_view kSettingsAck = "ACK";

static_assert(kTransferSize >= kSettingsImageSize && kTransferSize - kSettingsImageSize < 100);

using TransferBuffer = std::array<Byte, kTransferSize>;
using BlockPacket = std::array<Byte, kPacketSize>;

// The image followed by zero bytes up to a whole number of blocks.
void fillTransferBuffer(const SettingsImage& image, TransferBuffer& buffer);

// Block i: its 100 bytes, the sum of them high byte first, then i modulo 256.
BlockPacket buildBlockPacket(const TransferBuffer& buffer, std::size_t block);

// True when the terminal acknowledged "TAMBRO" within three sends.
bool settingsHandshake(Link& link);

// Sends all blocks; reports a failure itself. False without a message when the
// user cancelled (DownloadUi::cancelled, asked before each block). Stores the working reader blocks
// into the image first, as saving does, so the terminal gets what a file would hold.
bool sendSettingsBlocks(Link& link, SettingsImage& image, const Companions& companions,
                        DownloadUi& ui);

}  // namespace varomil
