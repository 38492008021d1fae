// Runs a table of controls (control_table.h) in a dialog or a property-sheet page:
// shows each setting, writes each control change into its area at once,
// corrects numbers and cuts texts in place, keeps the grid-enabled fields'
// values, gives and frees key roles, and enables controls by the table's rules.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <vector>

#include "pages/control_table.h"

namespace varomil {

// The bytes a table's areas stand for while a page or dialog is open: the
// process's settings, or the copies a dialog keeps until OK.
struct AreaSet {
    SettingsImage* image = nullptr;
    ByteSpan reader1D;
    ByteSpan reader2D;
    ByteSpan buffer;
    ByteSpan operator[](Area a) const;
};

// The process's settings image and working reader blocks.
AreaSet liveAreas();

class ControlTable {
  public:
    ControlTable() = default;
    ControlTable(ControlRows controls, EnableRows enables, AreaSet areas);
    ControlTable(const PageTable& table, AreaSet areas)
        : ControlTable(table.controls, table.enables, areas) {}

    // Shows every control's value (filling the combo boxes), then the enable rules.
    void showAll(HWND dialog);
    // Shows one control's value again.
    void show(HWND dialog, int id);
    // A notification from a control of the table: corrections in place, then the
    // store (controls flagged kDeferred into the table's copy). False for other
    // ids; `changed` tells whether it was a change of the control's value (a
    // click, a new selection or text) rather than focus and the like.
    bool handle(HWND dialog, int id, int code, bool* changed = nullptr);
    // Stores every control flagged kDeferred from the table's copy into its area.
    void commitDeferred();
    // The table's copies take the areas' bytes again: deferred changes not
    // committed are dropped.
    void dropDeferred();
    void applyEnableRules(HWND dialog);

    // A text row whose limit follows the page (a line as wide as its layout):
    // `chars` instead of the row's `maxChars` until the table is made again.
    void limitText(HWND dialog, int id, std::size_t chars);

    const ControlSpec* find(int id) const { return controls_.find(id); }
    ControlRows rows() const { return controls_; }
    AreaSet& areas() { return areas_; }
    SettingsImage& image() { return *areas_.image; }

  private:
    void showAt(HWND dialog, std::size_t i);
    bool store(HWND dialog, std::size_t i, int code);
    // Stores what the control shows.
    void storeState(HWND dialog, std::size_t i);
    // The bytes a row shows and stores: the table's copy for a deferred row.
    ByteSpan rowArea(const ControlSpec& c);
    // The bytes a rule or a capacity reads: the table's copy when it has one.
    ByteSpan readArea(Area a);

    ControlRows controls_;
    EnableRows enables_;
    AreaSet areas_;
    std::array<std::vector<Byte>, 4> deferred_;  // by Area: copies deferred rows work on
    std::vector<std::array<Byte, kGridMaxCapacity>> gridValues_;
    std::vector<std::size_t> limits_;  // each row's character limit in force
};

// The text a field holds (up to its first 0 byte or its width).
std::string fieldText(ByteSpan area, Field f);
// Writes at most width - 1 characters and a 0 byte; bytes after it stay.
void setFieldText(ByteSpan area, Field f, const std::string& text);

// Shows "The function key is defined already !! " for a key choice another role holds.
void showKeyTakenMessage(HWND owner);

}  // namespace varomil
