// What the Download to Many Terminals window checks before it starts, and what it
// shows while the terminals are served: one row per terminal and the totals.
// Portable, so that the rules and texts are tested without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "site/site_run.h"

namespace varomil {

// The window's fields as the user left them.
struct SiteWindowInput {
    std::string tableName;   // the table's file name, empty for none
    std::string tableBytes;  // its bytes
    std::string sets;        // NAME=VALUE for every terminal, one a line
    bool rf = true;          // false: the serial ports of `ports`
    std::string ports;       // "COM1,COM2"
    std::string parallel;    // RF: terminals at the same time, 1..64
    std::string count;       // terminals in all; empty: one per row of the table (or 1)
    std::string wait;        // seconds each terminal is waited for
    std::string allow;       // as /allow
};

// Checks every field and fills `plan` and `run` (kind Settings, the link's speed
// from `base`); false with one line in `error`, the field's label first where the
// rule is the window's own ("Terminals at once: 1..64").
bool prepareSiteRun(const SiteWindowInput& input, const SettingsImage& base, SitePlan& plan,
                    SiteRun& run, std::string& error);

enum class SiteRowState { Waiting, Sending, Ok, Failed, Stopped, NoTerminal };

struct SiteRowView {
    int slot = 0;
    const SiteTerminal* row = nullptr;  // none without a table, or before it is known
    std::string link;                   // "port 3000", "COM2", then the peer
    SiteRowState state = SiteRowState::Waiting;
    std::string cause;  // of a failure
    int percent = 0;
};

enum class SiteColumn { Row, Name, Link, State, Progress };

struct SiteTotals {
    int served = 0;  // finished, whatever the result
    int ok = 0;
    int failed = 0;
    int waiting = 0;  // not finished yet (waiting or sending)
};

// The rows in the order their terminals were first waited for, fed from the
// runner's observer calls (on the window's thread).
class SiteProgress {
  public:
    SiteProgress(int count, std::uint32_t waitMs) : count_(count), waitMs_(waitMs) {}
    // The index of the row that changed.
    std::size_t waiting(int slot, const std::string& link);
    std::size_t started(int slot, const SiteTerminal* row, const std::string& peer);
    std::size_t progress(int slot, int position, int range);
    std::size_t finished(int slot, const TerminalRecord& record);

    const std::vector<SiteRowView>& rows() const { return rows_; }
    std::string cell(std::size_t index, SiteColumn column) const;
    SiteTotals totals() const;
    // "5 terminals: 3 served (2 ok, 1 failed), 2 waiting"
    std::string totalsText() const;

  private:
    SiteRowView& rowOf(int slot);
    int count_;
    std::uint32_t waitMs_;
    std::vector<SiteRowView> rows_;
};

}  // namespace varomil
