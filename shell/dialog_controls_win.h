// Small helpers for the controls of dialogs and pages.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace varomil {

std::string controlText(HWND control);

// Sets a control's text without its owner taking the change for the user's:
// while textIsQuiet() is true, change notifications are the program's own.
void setTextQuietly(HWND control, const std::string& text);
bool textIsQuiet();

// Replaces a combo box's entries by `items`.
void fillCombo(HWND combo, const std::string_view* items, std::size_t count);
template <std::size_t N>
void fillCombo(HWND combo, const std::array<std::string_view, N>& items) {
    fillCombo(combo, items.data(), N);
}

// The selected entry of a combo box, or -1 when none is.
int comboSelection(HWND combo);

}  // namespace varomil
