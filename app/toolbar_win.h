// The toolbar: its buttons with their images and tooltips, and the product
// selector that sits on it.
#pragma once

#include <windows.h>

namespace varomil {

// Creates the empty toolbar (control id 102) of the main window.
HWND createToolbar(HWND frame, HINSTANCE instance);

// Adds the buttons and their images; creates the tooltip window, registers one
// tool per button and attaches it to the toolbar. Returns the tooltip window.
HWND fillToolbar(HWND frame, HWND toolbar, HINSTANCE instance, int dpi);

// Creates the product selector (control id 1810) on the toolbar, lists "Select
// Product" and the product table, and selects the current product.
HWND createProductSelector(HWND toolbar, HINSTANCE instance, int dpi);

}  // namespace varomil
