// The character grid editor: grid-enabled edit controls open GRIDDLG with a
// click, the chart appends codes to the value and OK stores it.
#pragma once

#include <windows.h>

#include <cstddef>

#include "pages/grid_value.h"

namespace varomil {

// A grid-enabled control and the page-owned value it edits. `storage` may be
// larger than the capacity (a delimiter of one character is stored with its 0
// byte); OK writes the value and zero-fills all `storageSize` bytes.
struct GridTarget {
    Byte* storage = nullptr;
    std::size_t storageSize = 0;
    std::size_t capacity = 0;
    GridMode mode = GridMode::KeyNames;
    GridLength length = GridLength::UpToZero;
};

// Makes an edit control a grid target, or updates its target when it is one
// already (a page that sets itself up again does not subclass twice).
void enableGrid(HWND control, const GridTarget& target);

// The names of a stored value by its target's rules, as the control shows them.
std::string gridTextOf(const GridTarget& target);

}  // namespace varomil
