#include <gtest/gtest.h>

#include <functional>

#include "download/link_interfaces.h"
#include "download/program_transfer.h"
#include "tests/core/download/download_test_support.h"

namespace varomil {
namespace {

using testing::faults;
using testing::Rig;
using R = DownloadResult;

// What each way a settings download can end comes to, as the batch counts it.
TEST(DownloadOutcome, EachEndIsItsOwnResultWithTheMessageShown) {
    struct Case {
        const char* name;
        int via;
        sim::TerminalFaults terminal;
        std::function<void(Rig&)> set;
        DownloadResult result;
        const char* cause;
    };
    const auto none = [](Rig&) {};
    const sim::TerminalFaults fine,
        silent = faults([](sim::TerminalFaults&f) { f.silent = true; }),
        refuses = faults([](sim::TerminalFaults&f) { f.neverAckBlock = 3; });
    const Case cases[] = {
        {"done", kViaRs232, fine, none, R::Succeeded, ""},
        {"no answer on the line", kViaRs232, silent, none, R::NoTerminal, ""},
        {"connected, then silent", kViaRf, silent, none, R::Failed, ""},
        {"no connection", kViaRf, fine, [](Rig& r) { r.socket.connects = {false}; }, R::NoTerminal,
         ""},
        {"block refused", kViaRs232, refuses, none, R::Failed, "Error on downloading!"},
        {"port missing", kViaRs232, fine, [](Rig& r) { r.serial.openFails = true; },
         R::LinkUnavailable, "Can't open the COM port!"},
        {"dialog cancelled", kViaRs232, fine, [](Rig& r) { r.ui.linkOk = false; }, R::Cancelled,
         ""},
        {"wait cancelled", kViaRs232, fine, [](Rig& r) { r.ui.cancelAfterPolls = 0; }, R::Cancelled,
         ""},
    };
    for (const Case& c : cases) {
        Rig rig(c.terminal);
        rig.ui.choice = {c.via, 0, 0};
        c.set(rig);
        const DownloadOutcome o = rig.run(TransferKind::Settings);
        EXPECT_EQ(o.result, c.result) << c.name;
        EXPECT_EQ(o.cause, c.cause) << c.name;
        // The final message follows success alone.
        EXPECT_EQ(
            !rig.ui.log.empty() && rig.ui.log.back() == "warning [Download] Downloaded completely!",
            c.result == R::Succeeded)
            << c.name;
    }
}

// A Cancel that the shell tells of at one look only, at whatever moment (as the
// terminal connects, during the handshake): the program download ends cancelled,
// and no erase nor record goes out.
TEST(DownloadOutcome, ACancelSeenOnceStaysCancelled) {
    const std::string program = "S30800001000010203E1\r\nS70500000000FA\r\n";
    for (int look = 0; look < 6; ++look) {
        Rig rig;
        rig.ui.choice = {kViaRf, 0, 0};
        rig.file.files["PROG.SHX"] = program;
        rig.ui.cancelAfterPolls = look;
        rig.ui.cancelSeenOnce = true;
        const DownloadOutcome o = rig.run(TransferKind::Program);
        EXPECT_EQ(o.result, R::Cancelled) << "look " << look;
        for (const auto& w : rig.writes())
            EXPECT_NE(w, testing::bytesOf(kLoaderErase)) << "look " << look;
        for (const std::string& entry : rig.ui.log)
            EXPECT_EQ(entry.rfind("progress", 0), std::string::npos) << "look " << look;
    }
}

}  // namespace
}  // namespace varomil
