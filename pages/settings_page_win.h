// The plumbing every settings page shares: a page is its dialog template, a
// table of its controls and the few rules of its own; this file shows the
// table's values, writes each control change into the settings image at once,
// corrects numbers in place, cuts texts to their slots, runs the grid-enabled
// fields and follows the sheet's snapshot and apply protocol.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "pages/grid_value.h"
#include "pages/sheet_session.h"
#include "shell/dialog_controls_win.h"
#include "settings/settings_image.h"

namespace varomil {

enum class ControlKind {
    Check,   // flag byte 0/1
    Radio,   // the byte takes `value` when this button is chosen
    Combo,   // the byte is the selection; `items` are filled when the page is set up
    Number,  // decimal within [low, high], corrected in place; 16 bits split over
             // `field` (low byte) and `highByte` when that has a width
    Text,    // at most `maxChars` characters; zero-filled on apply
    Grid,    // bytes entered with the grid editor (`gridMode`, `gridLength`)
};

struct ControlSpec {
    int id;
    ControlKind kind;
    Field field;
    int value = 0;
    const char* const* items = nullptr;
    std::size_t itemCount = 0;
    unsigned low = 0;
    unsigned high = 0;
    Field highByte{0, 0};
    std::size_t maxChars = 0;
    GridMode gridMode = GridMode::KeyNames;
    GridLength gridLength = GridLength::UpToZero;
};

// Table helpers, so that a page's table reads like the page.
constexpr ControlSpec checkBox(int id, Field f) {
    return {id, ControlKind::Check, f};
}
constexpr ControlSpec radio(int id, Field f, int value) {
    return {id, ControlKind::Radio, f, value};
}
template <std::size_t N>
constexpr ControlSpec combo(int id, Field f, const char* const (&items)[N]) {
    return {id, ControlKind::Combo, f, 0, items, N};
}
constexpr ControlSpec number(int id, Field f, unsigned low, unsigned high,
                             Field highByte = {0, 0}) {
    return {id, ControlKind::Number, f, 0, nullptr, 0, low, high, highByte};
}
constexpr ControlSpec text(int id, Field f, std::size_t maxChars) {
    return {id, ControlKind::Text, f, 0, nullptr, 0, 0, 0, {0, 0}, maxChars};
}
constexpr ControlSpec grid(int id, Field f, GridMode mode, GridLength length) {
    return {id, ControlKind::Grid, f, 0, nullptr, 0, 0, 0, {0, 0}, 0, mode, length};
}

struct PageSpec {
    const char* templateName;
    PageProtocol protocol;
    const ControlSpec* controls = nullptr;
    std::size_t controlCount = 0;
    // Rules of the page's own, each optional: after the table's values are shown
    // (fill its own controls); a control notification the table does not cover
    // (true when handled); apply, before the protocol marks the settings modified.
    void (*setUp)(HWND page) = nullptr;
    bool (*command)(HWND page, int id, int code) = nullptr;
    void (*apply)(HWND page) = nullptr;
};

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

// Shows every value of the page's table again (the pages' Reset).
void showPageValues(HWND page);

}  // namespace varomil
