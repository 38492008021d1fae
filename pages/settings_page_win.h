// The plumbing every settings page shares: a page is its dialog template, a
// table of its controls and the few rules of its own. The kit runs the table
// (control_table_win.h) on the process's settings, owns the page's state, wires
// the Reset button and follows the sheet's snapshot and apply protocol.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "pages/control_table.h"
#include "pages/control_table_win.h"
#include "pages/sheet_session.h"
#include "shell/dialog_controls_win.h"

namespace varomil {

// A page's own state (working buffers, the section on display...): one per page
// window, made when the page is created and gone with it.
struct PageState {
    virtual ~PageState() = default;
};

// What a page's own rules get: its window, its table and its state.
struct PageContext {
    HWND page;
    ControlTable& table;
    PageState* state;
    template <class T>
    T& as() {
        return *static_cast<T*>(state);
    }
};

struct PageSpec {
    const char* templateName = nullptr;
    PageProtocol protocol = PageProtocol::Snapshot;
    PageTable table{};
    // Tables that take turns on the page instead (the Barcode page's reader
    // families): `tableFor` names the one in force for the settings, and each
    // keeps its deferred changes while another is shown.
    Rows<PageTable> tables{};
    std::size_t (*tableFor)(const SettingsImage&) = nullptr;
    std::unique_ptr<PageState> (*makeState)() = nullptr;
    // Each rule is optional:
    // after the table's values are shown (on creation and after Reset);
    void (*setUp)(PageContext&) = nullptr;
    // each time the page's tab comes to the front;
    void (*activate)(PageContext&) = nullptr;
    // a notification the table does not cover (true when handled);
    bool (*command)(PageContext&, int id, int code) = nullptr;
    // after a control of the table stored a change;
    void (*changed)(PageContext&, int id) = nullptr;
    // apply, after the text slots are tidied, before the settings are marked modified;
    void (*apply)(PageContext&) = nullptr;
    // the Reset button: the page's factory values (the kit then shows every
    // value again and runs setUp).
    int resetId = 0;
    void (*reset)(PageContext&) = nullptr;

    // Builders, so that a page's definition reads like the page.
    constexpr PageSpec withControls(ControlRows c) const {
        PageSpec p = *this;
        p.table.controls = c;
        return p;
    }
    constexpr PageSpec withEnableRules(EnableRows e) const {
        PageSpec p = *this;
        p.table.enables = e;
        return p;
    }
    constexpr PageSpec withTables(Rows<PageTable> t,
                                  std::size_t (*inForce)(const SettingsImage&)) const {
        PageSpec p = *this;
        p.tables = t;
        p.tableFor = inForce;
        return p;
    }
    constexpr PageSpec withState(std::unique_ptr<PageState> (*make)()) const {
        PageSpec p = *this;
        p.makeState = make;
        return p;
    }
    constexpr PageSpec onSetUp(void (*f)(PageContext&)) const {
        PageSpec p = *this;
        p.setUp = f;
        return p;
    }
    constexpr PageSpec onActivate(void (*f)(PageContext&)) const {
        PageSpec p = *this;
        p.activate = f;
        return p;
    }
    constexpr PageSpec onCommand(bool (*f)(PageContext&, int, int)) const {
        PageSpec p = *this;
        p.command = f;
        return p;
    }
    constexpr PageSpec onChanged(void (*f)(PageContext&, int)) const {
        PageSpec p = *this;
        p.changed = f;
        return p;
    }
    constexpr PageSpec onApply(void (*f)(PageContext&)) const {
        PageSpec p = *this;
        p.apply = f;
        return p;
    }
    constexpr PageSpec withReset(int id, void (*f)(PageContext&)) const {
        PageSpec p = *this;
        p.resetId = id;
        p.reset = f;
        return p;
    }
};

template <class State>
std::unique_ptr<PageState> makePageState() {
    return std::make_unique<State>();
}

// One page of the open sheet: its definition and its position among the tabs. Passed
// as the lParam of the page's PROPSHEETPAGE.
struct SheetPage {
    const PageSpec* definition;
    std::size_t index;
};

INT_PTR CALLBACK settingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The session of the sheet being shown, set while it is open (one at a time).
void setSheetSession(SheetSession* session);
// True once OK has applied the pages of the current session.
bool sheetApplied();

// Shows every value of the page's table again (the table in force for the
// settings now, with its deferred changes) and runs its setUp.
void showPageValues(HWND page);

}  // namespace varomil
