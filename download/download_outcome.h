// What one download command came to. The interactive command shows its final
// message from it; the batch counts and logs it.
#pragma once

#include <string>

namespace varomil {

enum class DownloadResult {
    Succeeded,
    Failed,           // a terminal answered and the download went wrong
    Cancelled,        // the user cancelled a dialog or the wait
    NoTerminal,       // no terminal connected or answered
    LinkUnavailable,  // the port or the socket could not be opened
};

struct DownloadOutcome {
    DownloadResult result = DownloadResult::Cancelled;
    // The message the user was shown for it; empty where there was none.
    std::string cause;
};

// Failed and NoTerminal may be tried again.
constexpr bool mayRetry(DownloadResult r) {
    return r == DownloadResult::Failed || r == DownloadResult::NoTerminal;
}

}  // namespace varomil
