#include <gtest/gtest.h>

#include <tuple>

#include "download/link_interfaces.h"
#include "download/settings_transfer.h"
#include "tests/core/download/download_test_support.h"

namespace varomil {
namespace {

using sim::Bytes;
using testing::bytesOf;
using testing::faults;
using testing::Log;
using testing::Rig;

const std::string kDone = "warning [Download] Downloaded completely!";
const std::string kError = "warning [Download] Error on downloading!";
const std::string kRetry = "ask [Download] Failed to download, would you like to retry?";

void fillPattern(Rig& rig) {
    auto& b = rig.image->bytes();
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<Byte>(i * 7 + i / 251);
    for (std::size_t i = 0; i < kReader1DSize; ++i) rig.companions->reader1D[i] = 0xA0 + i;
}

Rig rigOn(int via, sim::TerminalFaults f = {}) {
    Rig rig(std::move(f));
    rig.ui.choice = {via, 0, 0};
    fillPattern(rig);
    return rig;
}

Rig ranSerial(sim::TerminalFaults f = {}) {
    Rig rig = rigOn(kViaRs232, std::move(f));
    rig.run(TransferKind::Settings);
    return rig;
}

TEST(SettingsDownload, SendsTheImageAsNumberedPacketsWithTheirSums) {
    Rig rig = ranSerial();
    EXPECT_EQ(rig.ui.log, (Log{"link dialog", "progress 597", "progress end", kDone}));
    const auto& w = rig.writes();
    ASSERT_EQ(w.size(), 1u + 597u);
    EXPECT_EQ(w[0], bytesOf("TAMBRO\r"));
    // The working reader block goes out as saving would store it.
    const auto& img = rig.image->bytes();
    EXPECT_EQ(img[fld::Reader1DBlock.offset + 3], 0xA3);
    for (std::size_t i : {0u, 1u, 255u, 256u, 596u}) {
        const Bytes& p = w[1 + i];
        ASSERT_EQ(p.size(), 103u) << i;
        unsigned sum = 0;
        for (std::size_t k = 0; k < 100; ++k) {
            const std::size_t at = i * 100 + k;
            const Byte expected = at < kSettingsImageSize ? img[at] : 0;
            ASSERT_EQ(p[k], expected) << i << " " << k;
            sum += expected;
        }
        EXPECT_EQ(p[100], sum / 256);
        EXPECT_EQ(p[101], sum % 256);
        EXPECT_EQ(p[102], i % 256);
    }
    EXPECT_EQ(w[597][102], 84);
    EXPECT_EQ(rig.term.blocksStored(), 597u);
    EXPECT_TRUE(std::equal(img.begin(), img.end(), rig.term.image().begin()));
    EXPECT_EQ(std::count(rig.term.image().begin() + kSettingsImageSize, rig.term.image().end(), 0),
              41);
    EXPECT_EQ(std::make_tuple(rig.ui.lastProgress, rig.serial.isOpen, rig.serial.sessionTimeouts),
              std::make_tuple(597, false, 1));
}

TEST(SettingsDownload, KnownPacketBytes) {
    TransferBuffer buffer{};
    for (std::size_t i = 0; i < 100; ++i) buffer[300 + i] = 0xFF;
    const BlockPacket p = buildBlockPacket(buffer, 3);
    EXPECT_EQ(std::vector<Byte>(p.begin() + 100, p.end()), (std::vector<Byte>{0x63, 0x9C, 3}))
        << "25,500 = 0x639C";
}

TEST(SettingsDownload, SilentTerminalGetsThreeHellosAndTheRetryQuestion) {
    Rig rig = rigOn(kViaRs232, faults([](auto& f) { f.silent = true; }));
    rig.ui.retryAnswers = {true, false};
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log, (Log{"link dialog", kRetry, kRetry}));
    EXPECT_EQ(rig.writes(), std::vector<Bytes>(6, bytesOf("TAMBRO\r")));
    // The port stays open across retries.
    EXPECT_EQ(std::make_tuple(rig.serial.opens, rig.serial.closes, rig.serial.sessionTimeouts),
              std::make_tuple(1, 1, 2));
}

TEST(SettingsDownload, BlockNeverAcknowledgedIsSentSixTimes) {
    Rig rig = ranSerial(faults([](auto& f) { f.neverAckBlock = 300; }));
    EXPECT_EQ(rig.ui.log, (Log{"link dialog", "progress 597", kError, "progress end", kRetry}));
    EXPECT_EQ(std::make_tuple(rig.term.sendsOfBlock[300], rig.term.sendsOfBlock[299],
                              rig.writes().size(), rig.ui.lastProgress),
              std::make_tuple(6, 1, 1u + 300u + 6u, 300));
}

TEST(SettingsDownload, RefusedPacketsAreSentAgainAndTheRetryStartsFromBlockZero) {
    Rig rig = ranSerial(faults([](auto& f) { f.nakFirst = 5; }));
    EXPECT_EQ(rig.term.sendsOfBlock[0], 6);
    EXPECT_EQ(rig.ui.log.back(), kDone);
    EXPECT_EQ(rig.writes().size(), 1u + 597u + 5u);

    Rig again = rigOn(kViaRs232, faults([](auto& f) { f.nakFirst = 6; }));
    again.ui.retryAnswers = {true};
    again.run(TransferKind::Settings);
    EXPECT_EQ(again.ui.log, (Log{"link dialog", "progress 597", kError, "progress end", kRetry,
                                 "progress 597", "progress end", kDone}));
    EXPECT_EQ(again.writes()[7], bytesOf("TAMBRO\r"));
    EXPECT_EQ(again.writes()[8][102], 0);
}

// Slow replies and replies without CR still complete; replies later than all
// three waits of the handshake, or too long, are not taken for an acknowledgement.
TEST(SettingsDownload, RepliesCountWithinTheirTimeAndLength) {
    const Log done{"link dialog", "progress 597", "progress end", kDone},
        refused{"link dialog", kRetry};
    const std::tuple<sim::TerminalFaults, Log, std::size_t> cases[] = {
        {faults([](auto& f) { f.delayMs = 2000; }), done, 598},
        {faults([](auto& f) { f.noCr = true; }), done, 598},
        {faults([](auto& f) { f.delayMs = 8000; }), refused, 3},
        {faults([](auto& f) { f.longReplies = true; }), refused, 3}};
    for (const auto& [f, log, writes] : cases) {
        Rig rig = ranSerial(f);
        EXPECT_EQ(rig.ui.log, log);
        EXPECT_EQ(rig.writes().size(), writes);
        EXPECT_GE(rig.clock.us(), f.noCr ? 598ull * 2500000 : 0);
    }
}

TEST(SettingsDownload, CancelOpensNothingAndStoredChoicesOutOfRangeSelectItemZero) {
    Rig rig = rigOn(kViaRs232);
    rig.image->setByte(fld::DownloadVia, 2);
    rig.image->setByte(fld::DownloadBaudRate, 3);
    rig.ui.linkOk = false;
    rig.run(TransferKind::Settings);
    const LinkChoice& p = rig.ui.preselection;
    EXPECT_EQ(std::make_tuple(p.via, p.speed, p.port), std::make_tuple(2, 3, 0));
    EXPECT_EQ(rig.serial.opens + rig.socket.startups, 0);

    rig.image->setByte(fld::DownloadVia, 4);
    rig.image->setByte(fld::DownloadBaudRate, 200);
    const LinkChoice c = initialLinkChoice(*rig.image);
    EXPECT_EQ(std::make_tuple(c.via, c.speed), std::make_tuple(0, 0));
}

TEST(SettingsDownload, RfLinkDeliversTheImageAndReleasesTheSocketOnce) {
    Rig rig = rigOn(kViaRf);
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log.back(), kDone);
    EXPECT_EQ(rig.socket.listenedPort, 3000);
    EXPECT_TRUE(
        std::equal(rig.image->bytes().begin(), rig.image->bytes().end(), rig.term.image().begin()));
    EXPECT_EQ(std::make_tuple(rig.socket.startups, rig.socket.cleanups, rig.serial.opens),
              std::make_tuple(1, 1, 0));
}

// The status bar names the terminal's address from the connection on; a host
// that cannot tell it leaves the port's name.
TEST(SettingsDownload, RfStatusNamesTheAddressTheTerminalConnectedFrom) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"192.168.1.57",
         {"port 3000: waiting for the terminal to connect",
          "192.168.1.57: waiting for the terminal", "192.168.1.57: terminal answered",
          "Downloaded to 192.168.1.57"}},
        {"",
         {"port 3000: waiting for the terminal to connect", "port 3000: waiting for the terminal",
          "port 3000: terminal answered", "port 3000: downloaded"}}};
    for (const auto& [peer, statuses] : cases) {
        Rig rig = rigOn(kViaRf);
        rig.socket.peer = peer;
        rig.run(TransferKind::Settings);
        EXPECT_EQ(rig.ui.linkStatuses, statuses);
        EXPECT_EQ(rig.ui.lastCount, "block 597 of 597");
    }
}

// Cancel in the progress window after block 100: nothing more goes out, the link
// is closed, no question follows and no "Downloaded completely!".
TEST(SettingsDownload, CancelInTheProgressWindowStopsBetweenBlocks) {
    const std::pair<int, std::string> links[] = {{kViaRs232, "COM1: cancelled"},
                                                 {kViaRf, "192.168.1.57: cancelled"}};
    for (const auto& [via, status] : links) {
        Rig rig = rigOn(via);
        rig.ui.cancelAfterCounts = 100;
        EXPECT_EQ(rig.run(TransferKind::Settings).result, DownloadResult::Cancelled);
        EXPECT_EQ(rig.ui.log, (Log{"link dialog", "progress 597", "progress end"}));
        EXPECT_EQ(std::make_tuple(rig.writes().size(), rig.term.blocksStored()),
                  std::make_tuple(1u + 100u, 100u));
        EXPECT_EQ(rig.ui.lastCount, "block 100 of 597");
        EXPECT_EQ(rig.ui.linkStatuses.back(), status);
        EXPECT_FALSE(rig.serial.isOpen);
        EXPECT_EQ(rig.socket.cleanups, rig.socket.startups);
    }
}

TEST(SettingsDownload, RfHangUpAllowsOneMoreTransmission) {
    Rig rig = rigOn(kViaRf, faults([](auto& f) { f.closeAfterBlock = 10; }));
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log, (Log{"link dialog", "progress 597", kError, "progress end", kRetry}));
    EXPECT_EQ(std::make_tuple(rig.term.sendsOfBlock[10], rig.writes().size(),
                              rig.socket.refusedSends, rig.socket.cleanups),
              std::make_tuple(1, 1u + 11u, 1, rig.socket.startups));
}

TEST(SettingsDownload, RfWithoutTerminalAsksAgainAndSocketFailuresDoNot) {
    Rig rig = rigOn(kViaRf);
    rig.socket.connects = {false, true};
    rig.ui.retryAnswers = {true};
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log, (Log{"link dialog", kRetry, "progress 597", "progress end", kDone}));
    EXPECT_GE(rig.clock.us(), 10000000u);
    EXPECT_EQ(std::make_tuple(rig.socket.startups, rig.socket.cleanups), std::make_tuple(2, 2));

    using R = SocketHost::ListenResult;
    const std::pair<R, std::string> failures[] = {
        {R::LibraryFailed, "Unable to initialize the WinSock library."},
        {R::CreateFailed, "Create socket failed!"},
        {R::BindFailed, "Error in Binding on socket!"},
        {R::ListenFailed, "Error in Listing on socket!"}};
    for (const auto& [result, text] : failures) {
        Rig bad = rigOn(kViaRf);
        bad.socket.listenResult = result;
        bad.run(TransferKind::Settings);
        EXPECT_EQ(bad.ui.log, (Log{"link dialog", "warning [Download] " + text}));
        EXPECT_EQ(bad.socket.cleanups, 1);
    }
}

}  // namespace
}  // namespace varomil
