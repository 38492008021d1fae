#include <gtest/gtest.h>

#include "download/link_interfaces.h"
#include "download/settings_transfer.h"
#include "tests/core/download/download_test_support.h"

namespace varomil {
namespace {

using sim::Bytes;
using testing::bytesOf;
using testing::faults;
using testing::Rig;

const std::string kDone = "warning [Download] Downloaded completely!";
const std::string kError = "warning [Download] Error on downloading!";
const std::string kRetry = "ask [Download] Failed to download, would you like to retry?";

void fillPattern(Rig& rig) {
    auto& b = rig.image->bytes();
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<Byte>(i * 7 + i / 251);
    for (std::size_t i = 0; i < kReader1DSize; ++i) rig.companions->reader1D[i] = 0xA0 + i;
}

Rig serialRig(sim::TerminalFaults f = {}) {
    Rig rig(std::move(f));
    rig.ui.choice = {kViaRs232, 0, 0};
    fillPattern(rig);
    return rig;
}

Rig ranSerial(sim::TerminalFaults f = {}) {
    Rig rig = serialRig(std::move(f));
    rig.run(TransferKind::Settings);
    return rig;
}

TEST(SettingsDownload, SendsTheImageAsNumberedPacketsWithTheirSums) {
    Rig rig = ranSerial();
    EXPECT_EQ(rig.ui.log,
              (std::vector<std::string>{"link dialog", "progress 597", "progress end", kDone}));
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
    EXPECT_EQ(rig.ui.lastProgress, 597);
    EXPECT_FALSE(rig.serial.isOpen);
    EXPECT_EQ(rig.serial.sessionTimeouts, 1);
}

TEST(SettingsDownload, KnownPacketBytes) {
    TransferBuffer buffer{};
    for (std::size_t i = 0; i < 100; ++i) buffer[300 + i] = 0xFF;
    const BlockPacket p = buildBlockPacket(buffer, 3);
    EXPECT_EQ(std::vector<Byte>(p.begin() + 100, p.end()), (std::vector<Byte>{0x63, 0x9C, 3}))
        << "25,500 = 0x639C";
}

TEST(SettingsDownload, SilentTerminalGetsThreeHellosAndTheRetryQuestion) {
    Rig rig = serialRig(faults([](auto& f) { f.silent = true; }));
    rig.ui.retryAnswers = {true, false};
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log, (std::vector<std::string>{"link dialog", kRetry, kRetry}));
    EXPECT_EQ(rig.writes().size(), 6u);
    for (const Bytes& b : rig.writes()) EXPECT_EQ(b, bytesOf("TAMBRO\r"));
    EXPECT_EQ(rig.serial.opens, 1);  // the port stays open across retries
    EXPECT_EQ(rig.serial.closes, 1);
    EXPECT_EQ(rig.serial.sessionTimeouts, 2);
}

TEST(SettingsDownload, BlockNeverAcknowledgedIsSentSixTimes) {
    Rig rig = ranSerial(faults([](auto& f) { f.neverAckBlock = 300; }));
    EXPECT_EQ(rig.ui.log, (std::vector<std::string>{"link dialog", "progress 597", kError,
                                                    "progress end", kRetry}));
    EXPECT_EQ(rig.term.sendsOfBlock[300], 6);
    EXPECT_EQ(rig.term.sendsOfBlock[299], 1);
    EXPECT_EQ(rig.writes().size(), 1u + 300u + 6u);
    EXPECT_EQ(rig.ui.lastProgress, 300);
}

TEST(SettingsDownload, RefusedPacketsAreSentAgainAndTheRetryStartsFromBlockZero) {
    Rig rig = ranSerial(faults([](auto& f) { f.nakFirst = 5; }));
    EXPECT_EQ(rig.term.sendsOfBlock[0], 6);
    EXPECT_EQ(rig.ui.log.back(), kDone);
    EXPECT_EQ(rig.writes().size(), 1u + 597u + 5u);

    Rig again = serialRig(faults([](auto& f) { f.nakFirst = 6; }));
    again.ui.retryAnswers = {true};
    again.run(TransferKind::Settings);
    EXPECT_EQ(again.ui.log,
              (std::vector<std::string>{"link dialog", "progress 597", kError, "progress end",
                                        kRetry, "progress 597", "progress end", kDone}));
    EXPECT_EQ(again.writes()[7], bytesOf("TAMBRO\r"));
    EXPECT_EQ(again.writes()[8][102], 0);
}

TEST(SettingsDownload, SlowAndCrlessRepliesStillComplete) {
    Rig a = ranSerial(faults([](auto& f) { f.delayMs = 2000; }));
    EXPECT_EQ(a.ui.log.back(), kDone);
    EXPECT_EQ(a.writes().size(), 598u);

    Rig b = ranSerial(faults([](auto& f) { f.noCr = true; }));
    EXPECT_EQ(b.ui.log.back(), kDone);
    EXPECT_GE(b.clock.us(), 598ull * 2500000);
}

TEST(SettingsDownload, RepliesTooLateOrTooLongAreNotTakenForAck) {
    // Later than all three waits of the handshake.
    Rig a = ranSerial(faults([](auto& f) { f.delayMs = 8000; }));
    EXPECT_EQ(a.ui.log, (std::vector<std::string>{"link dialog", kRetry}));
    EXPECT_EQ(a.writes().size(), 3u);

    Rig b = ranSerial(faults([](auto& f) { f.longReplies = true; }));
    EXPECT_EQ(b.ui.log, (std::vector<std::string>{"link dialog", kRetry}));
    EXPECT_EQ(b.writes().size(), 3u);
}

TEST(SettingsDownload, CancelOpensNothingAndStoredChoicesOutOfRangeSelectItemZero) {
    Rig rig = serialRig();
    rig.image->setByte(fld::DownloadVia, 2);
    rig.image->setByte(fld::DownloadBaudRate, 3);
    rig.ui.linkOk = false;
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.preselection.via, 2);
    EXPECT_EQ(rig.ui.preselection.speed, 3);
    EXPECT_EQ(rig.ui.preselection.port, 0);
    EXPECT_EQ(rig.serial.opens + rig.socket.startups, 0);

    rig.image->setByte(fld::DownloadVia, 4);
    rig.image->setByte(fld::DownloadBaudRate, 200);
    const LinkChoice c = initialLinkChoice(*rig.image);
    EXPECT_EQ(c.via, 0);
    EXPECT_EQ(c.speed, 0);
}

Rig rfRig(sim::TerminalFaults f = {}) {
    Rig rig(std::move(f));
    rig.ui.choice = {kViaRf, 0, 0};
    fillPattern(rig);
    return rig;
}

TEST(SettingsDownload, RfLinkDeliversTheImageAndReleasesTheSocketOnce) {
    Rig rig = rfRig();
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log.back(), kDone);
    EXPECT_EQ(rig.socket.listenedPort, 3000);
    EXPECT_TRUE(
        std::equal(rig.image->bytes().begin(), rig.image->bytes().end(), rig.term.image().begin()));
    EXPECT_EQ(rig.socket.startups, 1);
    EXPECT_EQ(rig.socket.cleanups, 1);
    EXPECT_EQ(rig.serial.opens, 0);
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
        Rig rig = rfRig();
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
        Rig rig(sim::TerminalFaults{});
        rig.ui.choice = {via, 0, 0};
        rig.ui.cancelAfterCounts = 100;
        EXPECT_EQ(rig.run(TransferKind::Settings).result, DownloadResult::Cancelled);
        EXPECT_EQ(rig.ui.log,
                  (std::vector<std::string>{"link dialog", "progress 597", "progress end"}));
        EXPECT_EQ(rig.writes().size(), 1u + 100u);
        EXPECT_EQ(rig.term.blocksStored(), 100u);
        EXPECT_EQ(rig.ui.lastCount, "block 100 of 597");
        EXPECT_EQ(rig.ui.linkStatuses.back(), status);
        EXPECT_FALSE(rig.serial.isOpen);
        EXPECT_EQ(rig.socket.cleanups, rig.socket.startups);
    }
}

TEST(SettingsDownload, RfHangUpAllowsOneMoreTransmission) {
    Rig rig = rfRig(faults([](auto& f) { f.closeAfterBlock = 10; }));
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log, (std::vector<std::string>{"link dialog", "progress 597", kError,
                                                    "progress end", kRetry}));
    EXPECT_EQ(rig.term.sendsOfBlock[10], 1);
    EXPECT_EQ(rig.writes().size(), 1u + 11u);
    EXPECT_EQ(rig.socket.refusedSends, 1);
    EXPECT_EQ(rig.socket.cleanups, rig.socket.startups);
}

TEST(SettingsDownload, RfWithoutTerminalAsksAgainAndSocketFailuresDoNot) {
    Rig rig = rfRig();
    rig.socket.connects = {false, true};
    rig.ui.retryAnswers = {true};
    rig.run(TransferKind::Settings);
    EXPECT_EQ(rig.ui.log, (std::vector<std::string>{"link dialog", kRetry, "progress 597",
                                                    "progress end", kDone}));
    EXPECT_GE(rig.clock.us(), 10000000u);
    EXPECT_EQ(rig.socket.startups, 2);
    EXPECT_EQ(rig.socket.cleanups, 2);

    using R = SocketHost::ListenResult;
    const std::pair<R, std::string> failures[] = {
        {R::LibraryFailed, "Unable to initialize the WinSock library."},
        {R::CreateFailed, "Create socket failed!"},
        {R::BindFailed, "Error in Binding on socket!"},
        {R::ListenFailed, "Error in Listing on socket!"}};
    for (const auto& [result, text] : failures) {
        Rig bad = rfRig();
        bad.socket.listenResult = result;
        bad.run(TransferKind::Settings);
        EXPECT_EQ(bad.ui.log,
                  (std::vector<std::string>{"link dialog", "warning [Download] " + text}));
        EXPECT_EQ(bad.socket.cleanups, 1);
    }
}

}  // namespace
}  // namespace varomil
