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
    ControlTable(const ControlSpec* controls, std::size_t count, const EnableRule* enables,
                 std::size_t enableCount, AreaSet areas);

    // Shows every control's value (filling the combo boxes), then the enable rules.
    void showAll(HWND dialog);
    // Shows one control's value again.
    void show(HWND dialog, int id);
    // A notification from a control of the table: corrections in place, then the
    // store (controls flagged kDeferred wait for commit). False for other ids;
    // `changed` tells whether it was a change of the control's value (a click, a
    // new selection or text) rather than focus and the like.
    bool handle(HWND dialog, int id, int code, bool* changed = nullptr);
    // Stores every control flagged kDeferred from what it shows.
    void commitDeferred(HWND dialog);
    void applyEnableRules(HWND dialog);

    // A text row whose limit follows the page (a line as wide as its layout):
    // `chars` instead of the row's `maxChars` until the table is made again.
    void limitText(HWND dialog, int id, std::size_t chars);

    const ControlSpec* find(int id) const;
    AreaSet& areas() { return areas_; }
    SettingsImage& image() { return *areas_.image; }
    // The working bytes of a grid control (what its edit shows).
    Byte* gridBytes(int id);

  private:
    void showAt(HWND dialog, std::size_t i);
    bool store(HWND dialog, std::size_t i, int code);
    // Stores what the control shows.
    void storeState(HWND dialog, std::size_t i);

    const ControlSpec* controls_ = nullptr;
    std::size_t count_ = 0;
    const EnableRule* enables_ = nullptr;
    std::size_t enableCount_ = 0;
    AreaSet areas_;
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
