#include "download/program_transfer.h"

#include "download/download_messages.h"

namespace varomil {
namespace {

constexpr std::size_t kReadBlock = 256;
// Larger files are no program for a handheld terminal; refuse them before
// reading them into memory.
constexpr std::uint64_t kMaxProgramFile = 64u * 1024 * 1024;

void warn(DownloadUi& ui, std::string_view text) {
    ui.message(text, kDownloadCaption, MessageIcon::Warning);
}

bool startsWith(const std::string& s, std::string_view word) {
    return s.compare(0, word.size(), word) == 0;
}

enum class RecordOutcome { Accepted, Again, Failed };

RecordOutcome judge(const Link& link) {
    if (link.replyIs("FA")) return RecordOutcome::Accepted;
    if (link.replyIs("FN")) return RecordOutcome::Again;
    return RecordOutcome::Failed;
}

bool known(const Link& link) {
    return link.replyIs("FA") || link.replyIs("FN") || link.replyIs("FF");
}

// Sends one record up to three times until the loader accepts it.
bool sendRecord(Link& link, DownloadUi& ui, const Byte* data, std::size_t n) {
    for (int sends = 0; sends < kRecordSends; ++sends) {
        link.sendAndCollect(data, n);
        if (!known(link)) {
            link.collectReply();
            if (!known(link)) {
                // One more wait lets a late answer pass before the record goes again.
                link.collectReply();
                continue;
            }
        }
        const RecordOutcome o = judge(link);
        if (o == RecordOutcome::Accepted) return true;
        if (o == RecordOutcome::Failed) {
            warn(ui, msg::kDownloadError);
            return false;
        }
    }
    ui.message(msg::kTimeOut, link.reply(), MessageIcon::Warning);
    return false;
}

}  // namespace

ProgramReadResult loadProgram(ProgramFile& file, ProgramImage& image, std::string& error) {
    std::uint64_t size = 0;
    if (!file.size(size) || size == 0 || size > kMaxProgramFile) {
        error = std::string(msg::kDownloadError);
        return ProgramReadResult::ReadFailed;
    }
    std::vector<Byte> text(static_cast<std::size_t>(size));
    std::size_t got = 0;
    while (got < text.size()) {
        const std::size_t want = text.size() - got < kReadBlock ? text.size() - got : kReadBlock;
        const std::size_t n = file.read(text.data() + got, want);
        if (n == 0 || n > want) {
            error = std::string(msg::kDownloadError);
            return ProgramReadResult::ReadFailed;
        }
        got += n;
    }
    return readProgramFile(text.data(), text.size(), image, error) ? ProgramReadResult::Ok
                                                                   : ProgramReadResult::Invalid;
}

bool loaderHandshake(Link& link, DownloadUi& ui) {
    for (int pass = 0; pass < kLoaderPasses; ++pass) {
        link.sendAndCollect(kLoaderWake);
        if (link.replyIs("FN") || link.replyIs("FF")) return true;
        link.sendAndCollect(kLoaderQuery);
        if (link.replyIs("FN")) return true;
        if (!link.replyIs("ACK1")) continue;
        link.sendAndCollect(kLoaderDownload);
        if (link.replyIs("FN") || link.replyIs("ACK2")) return true;
    }
    // A wait the user stopped needs no message: the user knows.
    if (!link.stopped()) warn(ui, msg::kNotReady);
    return false;
}

bool eraseFlash(Link& link, DownloadUi& ui) {
    Deadline quiet(link.clock(), kEraseQuietMs);
    Deadline overall(link.clock(), kEraseLimitMs);
    link.sendAndCollect(kLoaderErase);
    bool busy = false;
    for (;;) {
        if (link.replyIs("FA")) return true;
        if (link.replyIs("FB")) {
            busy = true;
            break;
        }
        if (link.replyIs("FN")) quiet.restart();
        if (quiet.passed() || overall.passed()) break;
        link.collectReply();
    }
    if (!busy) {
        link.sendAndCollect(kLoaderErase);
        if (link.replyIs("FA")) return true;
        if (!link.replyIs("FB")) {
            warn(ui, msg::kCantErase);
            return false;
        }
    }
    ui.showEraseNotice();
    link.collectReply();
    ui.hideEraseNotice();
    if (startsWith(link.reply(), "FA")) return true;
    warn(ui, msg::kEraseFailed);
    return false;
}

bool sendProgram(Link& link, DownloadUi& ui, const ProgramImage& image) {
    const std::vector<OutputRecord> records = packProgram(image);
    const std::uint64_t size = image.fileSize ? image.fileSize : 1;
    int shown = -1;
    std::size_t sent = 0;
    for (const OutputRecord& r : records) {
        // A Cancel stops between records, the end record included.
        if (ui.cancelled()) return false;
        if (!sendRecord(link, ui, r.bytes.data(), r.bytes.size())) return false;
        ui.progressCount(progressCountText("record", ++sent, records.size()));
        const int percent = static_cast<int>(static_cast<std::uint64_t>(r.sourceEnd) * 100 / size);
        if (percent != shown) ui.setProgress(shown = percent);
    }
    if (ui.cancelled()) return false;
    link.sendAndCollect(kEndRecord.data(), kEndRecord.size());
    // The loader's answer to the end record is not awaited, but a plain refusal
    // must not be reported as success.
    if (link.replyIs("FF")) {
        warn(ui, msg::kDownloadError);
        return false;
    }
    ui.setProgress(100);
    return true;
}

}  // namespace varomil
