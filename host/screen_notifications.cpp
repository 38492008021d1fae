#include "host/screen_notifications.h"

#include <algorithm>

namespace varomil {

void ScreenNotifications::span(int column, int row, int length) {
    if (wholeWindow_ || length <= 0) return;
    for (std::size_t i = 0; i < count_; ++i) {
        ScreenSpan& s = spans_[i];
        if (s.row != row) continue;
        const int end = column + length;
        // Overlapping or touching spans of one row become one.
        if (column <= s.column + s.length && end >= s.column) {
            const int start = std::min(s.column, column);
            s.length = std::max(s.column + s.length, end) - start;
            s.column = start;
            return;
        }
    }
    if (count_ == kMaxSpans) {
        wholeWindow_ = true;
        return;
    }
    spans_[count_++] = ScreenSpan{column, row, length};
}

}  // namespace varomil
