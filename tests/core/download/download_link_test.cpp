#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "download/download_messages.h"
#include "tests/core/download/download_test_support.h"

namespace varomil {
namespace {

using sim::Bytes;
using testing::bytesOf;

// A serial port whose incoming bytes are scripted with arrival times.
struct Wire {
    explicit Wire(std::uint32_t base = 0) : clock(base), serial(clock, term) {
        LineSettings s{115200, true, true};
        serial.apply(s);
        serial.setSessionTimeouts();
    }
    void arrive(std::string_view text, std::uint64_t atUs) {
        for (char c : text) serial.in().push(atUs, static_cast<Byte>(c));
    }
    sim::SimClock clock;
    sim::TerminalSim term{[] {
        sim::TerminalFaults f;
        f.silent = true;
        return f;
    }()};
    sim::SimSerialPort serial;
};

// A reply ends at its CR, which is removed; a serial reply is cut after ten bytes;
// one without CR is taken at the deadline. Then the terminal is silent: a leftover
// of the first reply must not be taken for the second.
TEST(DownloadLink, SerialRepliesEndAtTheirCrTheirTenthByteOrTheDeadline) {
    const struct {
        const char* arrives;
        const char* reply;
        std::uint64_t fromUs, toUs;
    } cases[] = {{"ACK\rXY", "ACK", 3000, 5000},
                 {"ACKNOWLEDGED\r", "ACKNOWLEDG", 3000, 5000},
                 {"ACK", "ACK", 2500000, 2503000}};
    for (const auto& c : cases) {
        Wire w;
        w.arrive(c.arrives, 3000);
        SerialLink link(w.serial, w.clock);
        link.collectReply();
        EXPECT_EQ(link.reply(), c.reply);
        EXPECT_GE(w.clock.us(), c.fromUs) << c.arrives;
        EXPECT_LT(w.clock.us(), c.toUs) << c.arrives;
        link.sendAndCollect("X");
        EXPECT_EQ(link.reply(), "") << c.arrives;
    }
}

TEST(DownloadLink, DeadlineHoldsAcrossTheWrapOfTheTickCount) {
    for (std::uint32_t base : {0xFFFFFFFFu - 100, 0xFFFFFFFFu - 2499, 0xFFFFFFFFu}) {
        Wire w(base);
        SerialLink link(w.serial, w.clock);
        link.collectReply();
        EXPECT_EQ(link.reply(), "");
        EXPECT_GE(w.clock.us(), 2500000u) << base;
        EXPECT_LT(w.clock.us(), 2503000u) << base;
    }
}

TEST(DownloadLink, SocketKeepsAWholeReceiveAndSendsAPacketInPieces) {
    sim::SimClock clock;
    sim::TerminalSim term;
    sim::SimSocketHost host(clock, term);
    host.maxSendChunk = 7;
    host.listen(kDownloadPort);
    ASSERT_TRUE(host.accept(kAcceptWaitMs));
    SocketLink link(host, clock);
    link.sendAndCollect("TAMBRO\r");
    EXPECT_EQ(link.reply(), "ACK");
    Bytes packet(103, 0);
    link.sendAndCollect(packet.data(), packet.size());
    EXPECT_EQ(host.sendCalls, 1 + 15);
    ASSERT_EQ(host.writes.size(), 2u);
    EXPECT_EQ(host.writes[1], packet);
    EXPECT_EQ(link.reply(), "ACK");
}

// A socket whose sends take what a script says: a count, 0 (would block) or -1
// (failed); each call costs a millisecond. The terminal never answers.
struct StutteringSocket : SocketHost {
    explicit StutteringSocket(std::vector<long> s) : script(std::move(s)) {}
    ListenResult listen(std::uint16_t) override { return ListenResult::Ok; }
    bool accept(std::uint32_t) override { return true; }
    long send(const Byte* data, std::size_t n) override {
        clock.sleep(1);
        const long r = calls < script.size() ? script[calls] : static_cast<long>(n);
        ++calls;
        if (r > 0) sent.append(data, data + std::min<std::size_t>(static_cast<std::size_t>(r), n));
        return r;
    }
    std::size_t receive(Byte*, std::size_t) override {
        clock.sleep(1);
        return 0;
    }
    bool connected() const override { return true; }
    void close() override {}

    sim::SimClock clock;
    std::vector<long> script;
    std::size_t calls = 0;
    std::string sent;
};

TEST(DownloadLink, SocketSendsGoOnAfterWouldBlockAndStopAtAFailureOrTheReplyTime) {
    StutteringSocket stutter({0, 3, 0, 0, 2});
    SocketLink(stutter, stutter.clock).sendAndCollect("TAMBRO\r");
    EXPECT_EQ(stutter.sent, "TAMBRO\r");
    EXPECT_EQ(stutter.calls, 6u);

    StutteringSocket broken({3, -1});
    SocketLink(broken, broken.clock).sendAndCollect("TAMBRO\r");
    EXPECT_EQ(broken.sent, "TAM");
    EXPECT_EQ(broken.calls, 2u);

    StutteringSocket blocked(std::vector<long>(5000, 0));
    SocketLink(blocked, blocked.clock).sendAndCollect("TAMBRO\r");
    EXPECT_EQ(blocked.sent, "");
    EXPECT_GE(blocked.calls, 2500u);
    EXPECT_LE(blocked.calls, 2502u);
}

TEST(DownloadLink, SocketReplyLongerThanTenBytesIsKeptWhole) {
    sim::SimClock clock;
    sim::TerminalFaults f;
    f.longReplies = true;
    sim::TerminalSim term(f);
    sim::SimSocketHost host(clock, term);
    host.listen(kDownloadPort);
    host.accept(kAcceptWaitMs);
    SocketLink link(host, clock);
    link.sendAndCollect("TAMBRO\r");
    EXPECT_EQ(link.reply(), "ACK           ");
}

// The line settings expected of the cradle set-up at each apply.
LineSettings at(std::uint32_t baud, bool rts, bool dtr = true) {
    return {baud, rts, dtr};
}

TEST(Cradle, SetUpFindsTheSpeedAndSwitchesTheCradleToTheDownloadSpeed) {
    testing::Rig rig;
    rig.serial.cradleSpeed = 57600;
    rig.ui.choice = {0, 2, 1};  // Cradle-IR, COM3, 57600
    ASSERT_EQ(openSerialLink(rig.serial, rig.clock, rig.ui, rig.ui.choice), SerialOpenResult::Open);
    EXPECT_EQ(rig.serial.openedPort, 2);
    EXPECT_EQ(rig.serial.readsImmediate, 1);
    const std::vector<LineSettings> expected{
        at(38400, true),  at(115200, false), at(115200, true),  // no answer
        at(38400, false), at(38400, true),                      // no answer
        at(57600, false), at(57600, true),                      // answers
        at(57600, false),                                       // commands at the found speed
        at(57600, true),                                        // download speed
        at(57600, true),                                        // the opening's own apply
    };
    EXPECT_EQ(rig.serial.applied, expected);
    std::vector<std::pair<std::uint32_t, Byte>> sent;
    for (auto& w : rig.serial.cradleWrites) sent.push_back({w.settings.baudRate, w.byte});
    const std::vector<std::pair<std::uint32_t, Byte>> expectedBytes{
        {115200, 0x0F}, {38400, 0x0F}, {57600, 0x0F}, {57600, 0x07}, {57600, '5'}, {57600, 'Q'}};
    EXPECT_EQ(sent, expectedBytes);
    EXPECT_TRUE(rig.ui.log.empty());
}

TEST(Cradle, SpeedCodesFollowTheChosenDownloadSpeed) {
    const std::pair<int, Byte> cases[] = {{0, '6'}, {1, '5'}, {2, '4'}, {3, '2'}};
    for (auto [speed, code] : cases) {
        testing::Rig rig;
        ASSERT_EQ(openSerialLink(rig.serial, rig.clock, rig.ui, {0, 0, speed}),
                  SerialOpenResult::Open);
        ASSERT_EQ(rig.serial.cradleWrites.size(), 4u);
        EXPECT_EQ(rig.serial.cradleWrites[2].byte, code);
        EXPECT_EQ(rig.serial.applied.back().baudRate, kLinkSpeeds[speed].baudRate);
    }
}

TEST(Cradle, NoAnswerAtAnySpeedFailsAndClosesThePort) {
    testing::Rig rig;
    rig.serial.cradleSpeed = 0;
    EXPECT_EQ(openSerialLink(rig.serial, rig.clock, rig.ui, {0, 0, 0}),
              SerialOpenResult::CradleFailed);
    EXPECT_EQ(rig.ui.log, std::vector<std::string>{"warning [Download] Failed to set IR device!"});
    EXPECT_FALSE(rig.serial.isOpen);
    EXPECT_EQ(rig.serial.cradleWrites.size(), 5u);  // one probe per speed, nothing more
    EXPECT_EQ(rig.serial.cradleWrites[3].settings.baudRate, 19200u);
}

TEST(Cradle, PortFailuresEndWithTheirMessages) {
    testing::Rig rig;
    rig.serial.openFails = true;
    EXPECT_EQ(openSerialLink(rig.serial, rig.clock, rig.ui, {1, 0, 0}),
              SerialOpenResult::PortUnavailable);
    testing::Rig refused;
    refused.serial.refuseApply = 1;
    EXPECT_EQ(openSerialLink(refused.serial, refused.clock, refused.ui, {1, 0, 3}),
              SerialOpenResult::LineRefused);
    EXPECT_FALSE(refused.serial.isOpen);
    EXPECT_EQ(rig.ui.log, std::vector<std::string>{"warning [Download] Can't open the COM port!"});
    EXPECT_EQ(refused.ui.log,
              std::vector<std::string>{"warning [Download] Error on setting communication state."});
    EXPECT_EQ(refused.serial.applied, std::vector<LineSettings>{at(9600, false, false)});
}

}  // namespace
}  // namespace varomil
