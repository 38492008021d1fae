// A name for a control that screen readers say instead of its text: several
// buttons read "more..." on screen, but each says which symbology it opens.
#pragma once

#include <windows.h>

#include <string>

namespace varomil {

// From now on, accessibility clients asking the control for its name get `name`
// (the control's own object answers everything else). Calling again renames.
void setAccessibleName(HWND control, const std::string& name);

}  // namespace varomil
