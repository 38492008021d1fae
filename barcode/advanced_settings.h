// "Advanced Settings" without windows: its control table and the rules of its
// own (the partial read the dialog keeps until OK, the vibrators by product).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "pages/control_table.h"

namespace varomil {

ControlRows advancedControls();
EnableRows advancedEnableRules();

// The partial read as the dialog keeps it from opening to OK. Typed numbers can
// be larger than a byte; OK brings them into 1..50.
struct PartialRead {
    unsigned start = 1;
    unsigned maximum = 50;
};

// Opening: a start below 1 is 1, a maximum of 0 or above 50 is 50.
PartialRead partialReadShown(Byte storedStart, Byte storedMaximum);

// A text typed into "Start Position :" or "Maximum Length :": the value the
// dialog keeps, and the text the edit must show instead of the typed one.
struct PartialTyped {
    unsigned value = 0;
    std::optional<std::string> replaceWith;
};
// A number is the start; anything else makes it 1 (shown as "1" unless empty).
PartialTyped startTyped(std::string_view text);
// A number is the maximum, at most 50 (the text stays); empty is 0; anything
// else is "50".
PartialTyped maximumTyped(std::string_view text);

// OK: a maximum below 1 is 1, a start above the maximum is the maximum, a start
// below 1 is 1.
PartialRead partialReadStored(PartialRead typed);

// OK: the dialog's own rules on its copy of the image (the table has stored
// every control): the leading, prefix and suffix codes zero-filled up to and
// including their last byte, touched or not; the partial read in order.
void finishAdvancedOk(SettingsImage& image, PartialRead typed);

// The vibrator edits exist on products 2 and 3; the local one follows
// "Feedback Controlled By Command" on product 3 only, as the local beep does.
struct VibratorEnables {
    bool good = false;
    bool error = false;
    bool local = false;
};
VibratorEnables vibratorEnables(int product, bool feedbackByCommand);

}  // namespace varomil
