// The terminal's side of both downloads, with fault modes: a test peer used
// in-process by the core tests and by the terminal_sim tool on a pty or a socket.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varomil::sim {

using Bytes = std::vector<std::uint8_t>;

// One reply word and how long after the previous one (or after the request) it
// goes out.
struct Timed {
    std::string word;
    std::uint32_t afterMs = 0;
};
using Script = std::vector<Timed>;

struct TerminalFaults {
    bool silent = false;        // answers nothing at all
    int neverAckBlock = -1;     // this settings block is always refused
    int nakFirst = 0;           // the first K block packets are refused
    std::uint32_t delayMs = 0;  // every reply comes this late
    bool longReplies = false;   // replies padded to 14 characters before the CR
    bool noCr = false;          // replies without their CR
    int closeAfterBlock = -1;   // hang up after acknowledging this block
    int stallAfterBlock = -1;   // answer nothing more after acknowledging this block
    bool garbage = false;       // answers everything with bytes that mean nothing

    // Loader replies per occurrence of each request; the last entry repeats. An
    // empty word sends a bare CR.
    std::vector<Script> wake{{{"", 0}}};
    std::vector<Script> query{{{"ACK1", 0}}};
    std::vector<Script> download{{{"ACK2", 0}}};
    std::vector<Script> erase{{{"FA", 0}}};
    std::vector<std::string> record{"FA"};  // per transmission of any record
    std::string endReply = "FA";
};

constexpr std::size_t kSimBlock = 100;
constexpr std::size_t kSimBlocks = 597;

class TerminalSim {
  public:
    struct Emission {
        Bytes bytes;
        std::uint32_t afterMs = 0;
    };

    explicit TerminalSim(TerminalFaults f = {})
        : f_(std::move(f)), image_(kSimBlock * kSimBlocks) {}

    // Bytes of one write of the utility; returns what the terminal sends back.
    std::vector<Emission> receive(const std::uint8_t* data, std::size_t n) {
        std::vector<Emission> out;
        if (mode_ == Mode::Blocks && pending_.empty() && n == 7 && Bytes(data, data + n) == hello())
            mode_ = Mode::Line;
        pending_.insert(pending_.end(), data, data + n);
        for (bool progress = true; progress && !pending_.empty();) progress = step(out);
        if (f_.silent || stalled_) out.clear();
        if (f_.garbage)
            for (Emission& e : out) e.bytes = Bytes{'?', 0x7F, '%', '\r'};
        if (static_cast<int>(nextBlock_) > f_.stallAfterBlock && f_.stallAfterBlock >= 0)
            stalled_ = true;
        return out;
    }

    bool hungUp() const { return hungUp_; }
    const Bytes& image() const { return image_; }
    std::size_t blocksStored() const { return nextBlock_; }
    int hellos = 0, packets = 0, wakes = 0, queries = 0, downloads = 0, erases = 0, endRecords = 0;
    std::vector<int> sendsOfBlock = std::vector<int>(kSimBlocks, 0);
    std::vector<Bytes> recordSends;  // every record received, in order, resends included
    std::vector<Bytes> records;      // each accepted record once

  private:
    enum class Mode { Line, Blocks, Records };

    static Bytes hello() { return Bytes{'T', 'A', 'M', 'B', 'R', 'O', '\r'}; }

    Bytes format(const std::string& word) const {
        std::string s = word;
        if (f_.longReplies) s.resize(14, ' ');
        if (!f_.noCr) s += '\r';
        return Bytes(s.begin(), s.end());
    }
    void say(std::vector<Emission>& out, const std::string& word, std::uint32_t afterMs = 0) {
        out.push_back({format(word), (out.empty() ? f_.delayMs : 0) + afterMs});
    }
    void play(std::vector<Emission>& out, const std::vector<Script>& scripts, int occurrence) {
        if (scripts.empty()) return;
        const Script& s = scripts[std::min<std::size_t>(occurrence, scripts.size() - 1)];
        for (const Timed& t : s) say(out, t.word, t.afterMs);
    }
    template <typename T>
    static const T& pick(const std::vector<T>& v, int i) {
        return v[std::min<std::size_t>(static_cast<std::size_t>(i), v.size() - 1)];
    }

    bool step(std::vector<Emission>& out) {
        if (mode_ == Mode::Blocks) return block(out);
        if (mode_ == Mode::Records && pending_[0] == 'S') return record(out);
        auto cr = std::find(pending_.begin(), pending_.end(), '\r');
        if (cr == pending_.end()) return false;
        const std::string line(pending_.begin(), cr);
        pending_.erase(pending_.begin(), cr + 1);
        if (line == "TAMBRO") {
            ++hellos;
            say(out, "ACK");
            mode_ = Mode::Blocks;
        } else if (line.empty()) {
            play(out, f_.wake, wakes++);
        } else if (line == "QUORVEL") {
            play(out, f_.query, queries++);
        } else if (line == "DOWNLOAD") {
            play(out, f_.download, downloads++);
        } else if (line == ":ERASE") {
            play(out, f_.erase, erases++);
            mode_ = Mode::Records;
        }
        return true;
    }

    bool block(std::vector<Emission>& out) {
        if (pending_.size() < kSimBlock + 3) return false;
        Bytes p(pending_.begin(), pending_.begin() + kSimBlock + 3);
        pending_.erase(pending_.begin(), pending_.begin() + kSimBlock + 3);
        const int count = packets++;
        unsigned sum = 0;
        for (std::size_t i = 0; i < kSimBlock; ++i) sum += p[i];
        const bool sumOk = p[kSimBlock] == (sum >> 8) && p[kSimBlock + 1] == (sum & 0xFF);
        const std::size_t number = p[kSimBlock + 2];
        std::size_t index = nextBlock_;
        if (nextBlock_ > 0 && number == (nextBlock_ - 1) % 256) index = nextBlock_ - 1;
        if (index < kSimBlocks) ++sendsOfBlock[index];
        const bool refused = count < f_.nakFirst || static_cast<int>(index) == f_.neverAckBlock;
        if (!sumOk || index >= kSimBlocks || number != index % 256 || refused) {
            say(out, "NAK");
            return true;
        }
        std::copy(p.begin(), p.begin() + kSimBlock, image_.begin() + index * kSimBlock);
        if (index == nextBlock_) ++nextBlock_;
        say(out, "ACK");
        if (static_cast<int>(index) == f_.closeAfterBlock) hungUp_ = true;
        if (nextBlock_ == kSimBlocks) mode_ = Mode::Line;
        return true;
    }

    bool record(std::vector<Emission>& out) {
        if (pending_.size() < 3) return false;
        const std::size_t total = pending_[2] + 4u;
        if (pending_.size() < total) return false;
        Bytes r(pending_.begin(), pending_.begin() + total);
        pending_.erase(pending_.begin(), pending_.begin() + total);
        if (r[1] == '7') {
            ++endRecords;
            records.push_back(r);
            say(out, f_.endReply);
            mode_ = Mode::Line;
            return true;
        }
        const std::string& word = pick(f_.record, static_cast<int>(recordSends.size()));
        recordSends.push_back(r);
        if (word == "FA") records.push_back(r);
        say(out, word);
        return true;
    }

    TerminalFaults f_;
    Mode mode_ = Mode::Line;
    Bytes pending_;
    Bytes image_;
    std::size_t nextBlock_ = 0;
    bool hungUp_ = false;
    bool stalled_ = false;
};

}  // namespace varomil::sim
