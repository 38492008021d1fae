// Blocks of host bytes take the run-at-a-time text path; single bytes take the
// character-at-a-time one. Both must leave the same screen, modes, replies and
// window notifications for any stream, however it is cut into blocks (the
// row-end cases of a run, given as one block, are in tests/data/host/vt_screen.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/core/golden.h"
#include "tests/core/host/vt_test_support.h"

using namespace varomil;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Streams weighted towards what the text path has to get right: long runs, row
// ends with and without wrap, scrolling regions, insert mode, line drawing,
// reverse video, high bytes, and sequences cut anywhere.
Bytes hostileStream(std::mt19937& rng, std::size_t size, bool telnet) {
    static std::vector<std::string> sequences[2];  // host; telnet
    if (sequences[0].empty()) {
        for (const auto& c : readCases("host/vt_fast_path_sequences.txt"))
            sequences[c.size() - 1].push_back(unescaped(c.back()));
    }
    std::uniform_int_distribution<int> pick(0, 99);
    Bytes out;
    while (out.size() < size) {
        const int kind = pick(rng);
        if (kind < 45) {
            // A text run, mostly ASCII, sometimes 8-bit or line-drawing letters.
            const int length = std::uniform_int_distribution<int>(1, 200)(rng);
            for (int i = 0; i < length; ++i) {
                const int k = pick(rng);
                out.push_back(static_cast<std::uint8_t>(
                    k < 80 ? 32 + rng() % 95 : (k < 90 ? 'j' + rng() % 10 : 128 + rng() % 128)));
            }
        } else if (kind < 60) {
            char buf[24];
            std::snprintf(buf, sizeof buf, "\x1b[%u;%uH", static_cast<unsigned>(rng() % 26),
                          static_cast<unsigned>(rng() % 83));
            out.insert(out.end(), buf, buf + std::strlen(buf));
        } else {
            const auto& list = sequences[kind >= 95 && telnet];
            const std::string& s = list[rng() % list.size()];
            out.insert(out.end(), s.begin(), s.end());
        }
    }
    return out;
}

// The cells a span list covers, or all of them for a whole-window repaint.
std::array<bool, kScreenRows * kScreenColumns> dirtyCells(const ScreenNotifications& n) {
    std::array<bool, kScreenRows * kScreenColumns> cells{};
    if (n.wholeWindow()) cells.fill(true);
    for (std::size_t i = 0; i < n.spanCount(); ++i) {
        const ScreenSpan& s = n.spanAt(i);
        for (int c = s.column; c < s.column + s.length; ++c)
            cells[s.row * kScreenColumns + c] = true;
    }
    return cells;
}

// Every observable part of the notifications and of the screen, as one value each.
auto notes(const ScreenNotifications& n) {
    return std::make_tuple(n.wholeWindow(), n.spanCount(), dirtyCells(n), n.cursorChanged(),
                           n.cursorRow(), n.cursorColumn(), n.caretChanged(), n.caretVisible(),
                           n.beeps());
}
auto state(const TerminalScreen& s) {
    return std::make_tuple(s.text, s.reverseMap, s.tabStopMap, s.row, s.column, s.reverse,
                           s.shiftedOut, s.autoWrap, s.insertMode, s.newLineMode, s.fullScreen,
                           s.topMargin, s.bottomMargin, s.saved.row, s.saved.column, s.remoteEcho);
}
// Cuts a stream into blocks of random size, as a socket might.
std::vector<std::size_t> blockSizes(std::mt19937& rng, std::size_t total) {
    std::vector<std::size_t> sizes;
    while (total > 0) {
        const std::size_t n = std::min<std::size_t>(total, 1 + rng() % 700);
        sizes.push_back(n);
        total -= n;
    }
    return sizes;
}

}  // namespace

TEST(VtFastPath, BlocksAndSingleBytesGiveTheSameInterpreterState) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        const Bytes stream = hostileStream(rng, 6000, false);
        TerminalScreen oneScreen, blockScreen;
        ScreenNotifications oneNotes, blockNotes;
        RecordingSink oneOut, blockOut;
        VtInterpreter one(oneScreen, oneOut, oneNotes), block(blockScreen, blockOut, blockNotes);
        if (seed % 2 == 0) {
            // Half the streams start with wrap on, so long runs cross rows and scroll.
            oneScreen.autoWrap = blockScreen.autoWrap = true;
        }
        std::size_t at = 0;
        for (std::size_t n : blockSizes(rng, stream.size())) {
            for (std::size_t i = 0; i < n; ++i) one.interpretByte(stream[at + i]);
            block.interpret(stream.data() + at, n);
            at += n;
            const std::string where = "seed " + std::to_string(seed) + " at " + std::to_string(at);
            EXPECT_TRUE(notes(oneNotes) == notes(blockNotes)) << where;
            oneNotes.clear();
            blockNotes.clear();
            EXPECT_TRUE(state(oneScreen) == state(blockScreen)) << where;
            if (::testing::Test::HasFailure()) return;
        }
        EXPECT_EQ(oneOut.all, blockOut.all) << "seed " << seed;
        EXPECT_EQ(oneOut.sends, blockOut.sends) << "seed " << seed;
    }
}

TEST(VtFastPath, SessionBlocksAndSingleBytesAgreeThroughTelnet) {
    for (unsigned seed = 100; seed < 130; ++seed) {
        std::mt19937 rng(seed);
        const Bytes stream = hostileStream(rng, 6000, true);
        SessionRig one, block;
        std::size_t at = 0;
        for (std::size_t n : blockSizes(rng, stream.size())) {
            for (std::size_t i = 0; i < n; ++i) one.session->receive(stream.data() + at + i, 1);
            block.session->receive(stream.data() + at, n);
            at += n;
            const std::string where = "seed " + std::to_string(seed) + " at " + std::to_string(at);
            EXPECT_TRUE(notes(one.session->takeNotifications()) ==
                        notes(block.session->takeNotifications()))
                << where;
            EXPECT_TRUE(state(one.screen()) == state(block.screen())) << where;
            if (::testing::Test::HasFailure()) return;
        }
        EXPECT_EQ(one.out.all, block.out.all) << "seed " << seed;
    }
}
