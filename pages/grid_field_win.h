// How a field that opens the code chart looks: like a field to fill in (a
// read-only edit would look disabled), with a cue and a tooltip saying how it
// is used.
#pragma once

#include <windows.h>

namespace varomil {

// The words of the cue and the tooltip.
extern const char kGridFieldCue[];

// Gives a grid-enabled edit the look and the cue; harmless when given again.
void showAsGridField(HWND field);

}  // namespace varomil
