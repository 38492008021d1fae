// Modal dialogs run from a table of controls (the symbology parameters, Advanced
// Settings, Function Key Mapping...): the dialog edits copies of the settings
// image and the working reader blocks, and OK makes the copies the settings,
// while Cancel leaves everything as it was.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <vector>

#include "pages/control_table_win.h"

namespace varomil {

struct DialogSpec;

// What a dialog's own rules get.
struct DialogContext {
    HWND dialog = nullptr;
    const DialogSpec& definition;
    void* user;  // the caller's data, as given to runTableDialog
    SettingsImage image;
    std::array<Byte, kReader1DSize> reader1D{};
    std::array<Byte, kReader2DSize> reader2D{};
    std::vector<Byte> buffer;  // the bytes of Area::Buffer
    ControlTable table;

    DialogContext(const DialogSpec& s, void* u);
};

struct DialogSpec {
    const char* templateName = nullptr;
    PageTable table{};
    std::size_t bufferSize = 0;
    // Each rule is optional: before the values are shown (rules on opening,
    // filling the buffer);
    void (*prepare)(DialogContext&) = nullptr;
    // after the values are shown;
    void (*setUp)(DialogContext&) = nullptr;
    // a notification the table does not cover (true when handled);
    bool (*command)(DialogContext&, int id, int code) = nullptr;
    // after a control of the table stored a change;
    void (*changed)(DialogContext&, int id) = nullptr;
    // OK, before the copies become the settings: the dialog's rules on its
    // copies; false keeps the dialog open.
    bool (*ok)(DialogContext&) = nullptr;
    // After OK made the copies the settings (what the copies cannot carry, such
    // as the key-code table).
    void (*committed)(DialogContext&) = nullptr;

    // Builders, so that a dialog's definition reads like a page's.
    constexpr DialogSpec withControls(ControlRows c) const {
        DialogSpec d = *this;
        d.table.controls = c;
        return d;
    }
    constexpr DialogSpec withEnableRules(EnableRows e) const {
        DialogSpec d = *this;
        d.table.enables = e;
        return d;
    }
    constexpr DialogSpec withBuffer(std::size_t bytes) const {
        DialogSpec d = *this;
        d.bufferSize = bytes;
        return d;
    }
    constexpr DialogSpec onPrepare(void (*f)(DialogContext&)) const {
        DialogSpec d = *this;
        d.prepare = f;
        return d;
    }
    constexpr DialogSpec onSetUp(void (*f)(DialogContext&)) const {
        DialogSpec d = *this;
        d.setUp = f;
        return d;
    }
    constexpr DialogSpec onCommand(bool (*f)(DialogContext&, int, int)) const {
        DialogSpec d = *this;
        d.command = f;
        return d;
    }
    constexpr DialogSpec onChanged(void (*f)(DialogContext&, int)) const {
        DialogSpec d = *this;
        d.changed = f;
        return d;
    }
    constexpr DialogSpec onOk(bool (*f)(DialogContext&)) const {
        DialogSpec d = *this;
        d.ok = f;
        return d;
    }
    constexpr DialogSpec onCommitted(void (*f)(DialogContext&)) const {
        DialogSpec d = *this;
        d.committed = f;
        return d;
    }
};

// Runs the dialog modally; true after OK.
bool runTableDialog(HWND owner, const DialogSpec& definition, void* user = nullptr);

}  // namespace varomil
