// How a field that opens the code chart looks: like a field to fill in (a
// read-only edit would look disabled), with a cue and a tooltip saying how it
// is used.
#pragma once

#include <windows.h>

namespace varomil {

// The cue, shown while the field is empty (short enough for the narrowest
// field), and the tooltip, shown whatever it holds.
extern const char kGridFieldCue[];
extern const char kGridFieldTip[];

// Gives a grid-enabled edit the look and the cue; harmless when given again.
void showAsGridField(HWND field);

}  // namespace varomil
