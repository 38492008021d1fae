#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>
#include <utility>

#include "download/link_interfaces.h"
#include "download/srecord.h"
#include "tests/core/download/download_test_support.h"

namespace varomil {
namespace {

using sim::Bytes;
using testing::bytesOf;
using testing::faults;
using testing::Log;
using testing::Rig;

// One S-record line with its count and checksum, as a linker writes it.
std::string line(char type, unsigned address, int addressBytes, const Bytes& data,
                 bool lower = false) {
    Bytes b{static_cast<Byte>(addressBytes + data.size() + 1)};
    for (int i = addressBytes - 1; i >= 0; --i) b.push_back(static_cast<Byte>(address >> (8 * i)));
    b.insert(b.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (Byte x : b) sum += x;
    b.push_back(static_cast<Byte>(0xFF - (sum & 0xFF)));
    std::string s = {'S', type};
    char hex[3];
    for (Byte x : b) {
        std::snprintf(hex, sizeof hex, lower ? "%02x" : "%02X", x);
        s += hex;
    }
    return s + "\r\n";
}

Bytes run(std::size_t from, std::size_t n) {
    Bytes b;
    for (std::size_t i = 0; i < n; ++i) b.push_back(static_cast<Byte>(from + i));
    return b;
}

std::vector<Bytes> packed(const std::string& text) {
    ProgramImage image;
    std::string error;
    EXPECT_TRUE(
        readProgramFile(reinterpret_cast<const Byte*>(text.data()), text.size(), image, error))
        << error;
    std::vector<Bytes> out;
    for (auto& r : packProgram(image)) out.push_back(r.bytes);
    return out;
}

// The bytes are copied so that a read past their end is caught.
std::string readError(const std::string& text) {
    const std::vector<Byte> bytes(text.begin(), text.end());
    ProgramImage image;
    std::string error;
    EXPECT_FALSE(readProgramFile(bytes.data(), bytes.size(), image, error)) << text;
    return error;
}

// Follow-on records join (the checksum computed by hand); a gap closes the record.
TEST(SRecordPacking, FollowOnRecordsJoinAndAGapClosesTheRecord) {
    const std::pair<std::string, std::vector<Bytes>> cases[] = {
        {"S00600004844521B\r\n" + line('1', 0x1000, 2, {1, 2, 3}) + line('5', 2, 2, {}) +
             line('1', 0x1003, 2, {4, 5}) + "S9030000FC\r\n",
         {{'S', '3', 0x0A, 0x00, 0x00, 0x10, 0x00, 1, 2, 3, 4, 5, 0xD6, 0x0D}}},
        {line('3', 0x20000000, 4, {0xAA, 0xBB}) + line('3', 0x20000010, 4, {0xCC}) +
             line('7', 0, 4, {}),
         {{'S', '3', 0x07, 0x20, 0x00, 0x00, 0x00, 0xAA, 0xBB, 0x73, 0x0D},
          {'S', '3', 0x06, 0x20, 0x00, 0x00, 0x10, 0xCC, 0xFD, 0x0D}}}};
    for (const auto& [file, expected] : cases) EXPECT_EQ(packed(file), expected);
}

TEST(SRecordPacking, SixteenByteRecordsPackToNinetySixAndS2EqualsS3) {
    std::string s3, s2, lower;
    for (unsigned i = 0; i < 7; ++i) {
        s3 += line('3', 0x10000 + 16 * i, 4, run(16 * i, 16));
        s2 += line('2', 0x10000 + 16 * i, 3, run(16 * i, 16));
        lower += line('2', 0x10000 + 16 * i, 3, run(16 * i, 16), true);
    }
    s3 += line('7', 0, 4, {});
    s2 += line('8', 0, 3, {});
    // Line ends of LF alone read the same.
    lower += line('8', 0, 3, {});
    for (std::size_t p; (p = lower.find('\r')) != std::string::npos;) lower.erase(p, 1);
    const auto out = packed(s3);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].size(), 105u);
    EXPECT_EQ(out[0][2], 101);
    EXPECT_EQ(Bytes(out[0].begin() + 3, out[0].begin() + 7), (Bytes{0, 1, 0, 0}));
    EXPECT_EQ(Bytes(out[0].begin() + 7, out[0].begin() + 103), run(0, 96));
    EXPECT_EQ(out[1][2], 21);
    EXPECT_EQ(Bytes(out[1].begin() + 3, out[1].begin() + 7), (Bytes{0, 1, 0, 0x60}));
    EXPECT_EQ(packed(s2), out);
    EXPECT_EQ(packed(lower), out);
}

TEST(SRecordPacking, LongInputRecordsNeverMakeACountAbove255) {
    const std::string file = line('3', 0, 4, run(0, 80)) + line('3', 80, 4, run(80, 200)) +
                             line('3', 280, 4, run(24, 250)) + line('7', 0, 4, {});
    const auto out = packed(file);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0][2], 85);
    EXPECT_EQ(out[1][2], 205);
    EXPECT_EQ(Bytes(out[1].begin() + 3, out[1].begin() + 7), (Bytes{0, 0, 0, 80}));
    EXPECT_EQ(out[2][2], 255);
}

TEST(SRecordReading, HostileFilesAreRefusedNamingTheLine) {
    const std::string good = line('1', 0x100, 2, {1, 2});
    std::string badSum = good;
    badSum[good.size() - 3] ^= 1;
    const std::pair<std::string, std::string> cases[] = {
        {good + badSum + "S9030000FC\r\n", "line 2 has a wrong checksum."},
        {"S1FF0100AA\r\nS9030000FC\r\n", "line 1 has a count that does not match its length."},
        {good + "S10501G0010203\r\n", "line 2 has a character that is not a hex digit."},
        {good + "S9030000F\r\n", "line 2 has an odd number of hex digits."},
        {good + "S403000000\r\n", "line 2 has an unknown record type."},
        {good + "\r\nhello\r\n", "line 3 does not start with an S-record type."},
        {"S3030000FC\r\n", "line 1 is too short for its address."},
        {good, "it has no end record (S7, S8 or S9)."},
        // A file that ends in a lone "S" is read only up to its last byte.
        {"S", "line 1 does not start with an S-record type."}};
    for (const auto& [file, why] : cases)
        EXPECT_EQ(readError(file), "The program file is not valid: " + why);
    EXPECT_EQ(readError(""), "The program file is empty.");
    // Behind the end record nothing is read.
    EXPECT_EQ(packed(good + "S9030000FC" + "\r\ngarbage").size(), 1u);
}

// A file of up to 64 MiB is read; a larger one is refused before a byte is read.
TEST(ProgramFileSize, UpTo64MiBIsReadAndLargerIsRefusedUnread) {
    struct Endless : ProgramFile {
        std::uint64_t bytes = 0;
        std::size_t reads = 0;
        bool open(const std::string&) override { return true; }
        bool size(std::uint64_t& n) override { return n = bytes, true; }
        std::size_t read(Byte* buf, std::size_t max) override {
            std::fill(buf, buf + max, Byte{'S'});
            return ++reads, max;
        }
        void close() override {}
    };
    for (const std::uint64_t bytes : {64ull << 20, (64ull << 20) + 1}) {
        Endless file;
        file.bytes = bytes;
        ProgramImage image;
        std::string error;
        const bool allowed = bytes == 64ull << 20;
        EXPECT_EQ(loadProgram(file, image, error),
                  allowed ? ProgramReadResult::Invalid : ProgramReadResult::ReadFailed);
        EXPECT_EQ(file.reads > 0, allowed) << bytes;
    }
}

const std::string kDone = "warning [Download] Downloaded completely!";
const std::string kRetry = "ask [Download] Failed to download, would you like to retry?";

Rig programRig(sim::TerminalFaults f, const std::string& text) {
    Rig rig(std::move(f));
    rig.ui.choice = {kViaRs232, 0, 0};
    rig.file.files["PROG.SHX"] = text;
    return rig;
}

// A program download of text over RS-232, run to its end.
Rig ranProgram(sim::TerminalFaults f, const std::string& text) {
    Rig rig = programRig(std::move(f), text);
    rig.run(TransferKind::Program);
    return rig;
}

const std::string kSmall =
    line('3', 0x1000, 4, {1, 2, 3}) + line('3', 0x2000, 4, {9}) + "S70500000000FA\r\n";
const Bytes kSmallRecord1{'S', '3', 0x08, 0x00, 0x00, 0x10, 0x00, 1, 2, 3, 0xE1, 0x0D};
const Bytes kSmallRecord2{'S', '3', 0x06, 0x00, 0x00, 0x20, 0x00, 9, 0xD0, 0x0D};
const Bytes kEnd{'S', '7', 0x05, 0, 0, 0, 0, 0xFA, 0x0D};

TEST(ProgramDownload, HandshakeEraseAndRecordsGoOutExactly) {
    Rig rig = ranProgram({}, kSmall);
    EXPECT_EQ(rig.ui.log,
              (Log{"file dialog", "link dialog", "progress 100", "progress end", kDone}));
    const std::vector<Bytes> expected{bytesOf("\r"),
                                      bytesOf("QUORVEL\r"),
                                      bytesOf("DOWNLOAD\r"),
                                      bytesOf(":ERASE\r"),
                                      kSmallRecord1,
                                      kSmallRecord2,
                                      kEnd};
    EXPECT_EQ(rig.writes(), expected);
    EXPECT_EQ(rig.term.records, (std::vector<Bytes>{kSmallRecord1, kSmallRecord2, kEnd}));
    EXPECT_EQ(std::make_tuple(rig.ui.lastProgress, rig.file.closes, rig.file.isOpen),
              std::make_tuple(100, 1, false));
}

TEST(ProgramDownload, BadFileIsRefusedBeforeAnyLinkOpens) {
    std::string bad = kSmall;
    bad[5] = 'x';
    Rig rig = ranProgram({}, bad);
    EXPECT_EQ(rig.ui.log, (Log{"file dialog",
                               "warning [Download] The program file is not valid: line 1 has a "
                               "character that is not a hex digit."}));
    EXPECT_EQ(rig.serial.opens, 0);
    EXPECT_FALSE(rig.file.isOpen);

    Rig missing = programRig({}, kSmall);
    missing.ui.fileName = "OTHER.SHX";
    missing.run(TransferKind::Program);
    EXPECT_EQ(missing.ui.log, (Log{"file dialog", "warning [Download] Can't open the file!"}));

    Rig cancel = programRig({}, kSmall);
    cancel.ui.linkOk = false;
    cancel.run(TransferKind::Program);
    EXPECT_EQ(std::make_tuple(cancel.file.closes, cancel.serial.opens), std::make_tuple(1, 0));
}

TEST(ProgramDownload, LoaderRepliesAtEachHandshakeStep) {
    const std::pair<sim::TerminalFaults, std::string> steps[] = {{faults([](auto& f) {
                                                                      f.wake = {{{"FN", 0}}};
                                                                  }),
                                                                  "\r:S"},
                                                                 {faults([](auto& f) {
                                                                      f.wake = {{{"FF", 0}}};
                                                                  }),
                                                                  "\r:S"},
                                                                 {faults([](auto& f) {
                                                                      f.query = {{{"FN", 0}}};
                                                                  }),
                                                                  "\rQ:"},
                                                                 {faults([](auto& f) {
                                                                      f.download = {{{"FN", 0}}};
                                                                  }),
                                                                  "\rQD"}};
    for (const auto& [f, firsts] : steps) {
        Rig rig = ranProgram(f, kSmall);
        std::string s;
        for (std::size_t i = 0; i < 3 && i < rig.writes().size(); ++i) s += rig.writes()[i][0];
        EXPECT_EQ(s, firsts);
        EXPECT_EQ(rig.ui.log.back(), kDone);
    }

    Rig rig = ranProgram(faults([](auto& f) { f.query = {{{"FB", 0}}}; }), kSmall);
    EXPECT_EQ(rig.ui.log, (Log{"file dialog", "link dialog",
                               "warning [Download] Terminal is not ready!", kRetry}));
    EXPECT_EQ(std::make_tuple(rig.term.wakes, rig.term.queries, rig.term.downloads),
              std::make_tuple(3, 3, 0));
}

// Cancel in the wait notice while the loader is silent: nothing more is sent, no
// question follows, the flash is never erased, and the status bar says so.
TEST(ProgramDownload, CancelInTheWaitNoticeEndsTheCommandBeforeAnyErase) {
    Rig rig = programRig(faults([](auto& f) { f.silent = true; }), kSmall);
    rig.ui.cancelAfterPolls = 3;
    rig.run(TransferKind::Program);
    EXPECT_EQ(rig.ui.log, (Log{"file dialog", "link dialog"}));
    EXPECT_EQ(rig.ui.waitNotices, Log{"Waiting for the terminal on COM1..."});
    EXPECT_EQ(rig.writes(), (std::vector<Bytes>{bytesOf("\r")}));
    EXPECT_EQ(rig.term.erases, 0);
    EXPECT_EQ(rig.ui.linkStatuses.back(), "COM1: cancelled");
    EXPECT_FALSE(rig.file.isOpen);

    // Without Cancel the same terminal is reported as not answering.
    Rig silent = ranProgram(faults([](auto& f) { f.silent = true; }), kSmall);
    EXPECT_EQ(silent.ui.linkStatuses.back(), "COM1: no answer");
    EXPECT_FALSE(silent.ui.answered);
}

// A busy erase shows the notice until the loader is done; one that never ends,
// or never answers, is given up after two tries.
TEST(ProgramDownload, EraseBusyShowsTheNoticeAndOneThatNeverEndsIsGivenUp) {
    Rig busy = ranProgram(faults([](auto& f) { f.erase = {{{"FB", 0}, {"FA", 1500}}}; }), kSmall);
    EXPECT_EQ(busy.ui.log, (Log{"file dialog", "link dialog", "erase notice", "erase notice end",
                                "progress 100", "progress end", kDone}));
    Rig never = ranProgram(faults([](auto& f) { f.erase = {{{"FB", 0}}}; }), kSmall);
    EXPECT_EQ(never.ui.log[4], "warning [Download] Failed to erase flash memory!");

    sim::TerminalFaults f;
    sim::Script forever;
    for (int i = 0; i < 300; ++i) forever.push_back({"FN", 1000});
    f.erase = {forever, {{"FN", 0}}};
    Rig rig = ranProgram(f, kSmall);
    Rig silent = ranProgram(faults([](auto& f) { f.erase = {{}}; }), kSmall);
    for (const Rig* r : {&rig, &silent}) {
        EXPECT_EQ(r->ui.log[2], "warning [Download] Can't erase flash memory!");
        EXPECT_EQ(r->term.erases, 2);
        EXPECT_TRUE(r->ui.answered) << "a terminal that failed, not one that never came";
    }
    EXPECT_GE(rig.clock.us(), 120000000u);
    EXPECT_LT(rig.clock.us(), 130000000u);
}

// The progress window counts the records; its Cancel stops before the next one,
// the end record included.
TEST(ProgramDownload, TheRecordsAreCountedAndCancelStopsBetweenThem) {
    Rig done = ranProgram({}, kSmall);
    EXPECT_EQ(done.ui.lastCount, "record 2 of 2");

    Rig rig = programRig({}, kSmall);
    rig.ui.cancelAfterCounts = 1;
    EXPECT_EQ(rig.run(TransferKind::Program).result, DownloadResult::Cancelled);
    EXPECT_EQ(rig.ui.log, (Log{"file dialog", "link dialog", "progress 100", "progress end"}));
    EXPECT_EQ(rig.term.records, (std::vector<Bytes>{kSmallRecord1}));
    EXPECT_EQ(rig.ui.lastCount, "record 1 of 2");
    EXPECT_EQ(rig.ui.linkStatuses.back(), "COM1: cancelled");
    EXPECT_FALSE(rig.serial.isOpen);

    Rig last = programRig({}, kSmall);
    last.ui.cancelAfterCounts = 2;
    last.run(TransferKind::Program);
    EXPECT_EQ(last.term.endRecords, 0);
}

TEST(ProgramDownload, RecordRefusalsEndAsTheLoaderSays) {
    Rig a = ranProgram(faults([](auto& f) { f.record = {"FN"}; }), kSmall);
    EXPECT_EQ(a.ui.log[3], "warning [FN] Error : Time out !!");
    EXPECT_EQ(a.term.recordSends, (std::vector<Bytes>(3, kSmallRecord1)));

    Rig b = ranProgram(faults([](auto& f) { f.record = {"FA", "FF"}; }), kSmall);
    EXPECT_EQ(b.ui.log[3], "warning [Download] Error on downloading!");
    EXPECT_EQ(b.term.endRecords, 0);

    Rig c = ranProgram(faults([](auto& f) { f.endReply = "FF"; }), kSmall);
    EXPECT_EQ(c.ui.log[3], "warning [Download] Error on downloading!");
    EXPECT_EQ(c.ui.log[5], kRetry);

    Rig d = ranProgram(faults([](auto& f) { f.record = {"XX", "FA"}; }), kSmall);
    EXPECT_EQ(d.ui.log.back(), kDone);
    EXPECT_EQ(d.term.recordSends.size(), 3u);
}

TEST(ProgramDownload, RetryReadsTheFileAgainFromItsStart) {
    Rig rig = programRig(faults([](auto& f) { f.record = {"FF", "FA"}; }), kSmall);
    rig.ui.retryAnswers = {true};
    rig.run(TransferKind::Program);
    EXPECT_EQ(rig.ui.log.back(), kDone);
    EXPECT_EQ(std::make_tuple(rig.file.opens, rig.term.erases), std::make_tuple(2, 2));
    EXPECT_EQ(rig.term.records, (std::vector<Bytes>{kSmallRecord1, kSmallRecord2, kEnd}));
}

}  // namespace
}  // namespace varomil
