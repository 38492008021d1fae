// The compare window: the rows that differ, grouped as in the summary tree.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "summary/settings_compare.h"

namespace varomil {

// Modal; shows what each side is and the rows, every group open.
void showCompareWindow(HWND owner, const std::string& mine, const std::string& theirs,
                       const std::vector<CompareRow>& rows);

}  // namespace varomil
