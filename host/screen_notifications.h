// What the window has to be told after the interpreter ran: changed cells, a
// whole-window repaint, the cursor, the caret and beeps. The interpreter only
// records; the caller delivers after it has released the screen lock, so the
// window is never called while the lock is held.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace varomil {

struct ScreenSpan {
    int column = 0;
    int row = 0;
    int length = 0;
};

class ScreenNotifications {
  public:
    // More changed spans than this repaint the whole window instead.
    static constexpr std::size_t kMaxSpans = 4;

    // Cells [column, column + length) of a row changed. Adjacent changes on the
    // same row merge, so a printed line is one span.
    void span(int column, int row, int length);
    void invalidateAll() { wholeWindow_ = true; }
    void cursorMoved(int row, int column) {
        cursorMoved_ = true;
        cursorRow_ = row;
        cursorColumn_ = column;
    }
    void caret(bool visible) {
        caretChanged_ = true;
        caretVisible_ = visible;
    }
    void beep() { ++beeps_; }

    bool wholeWindow() const { return wholeWindow_; }
    std::size_t spanCount() const { return wholeWindow_ ? 0 : count_; }
    const ScreenSpan& spanAt(std::size_t i) const { return spans_[i < kMaxSpans ? i : 0]; }
    bool cursorChanged() const { return cursorMoved_; }
    int cursorRow() const { return cursorRow_; }
    int cursorColumn() const { return cursorColumn_; }
    bool caretChanged() const { return caretChanged_; }
    bool caretVisible() const { return caretVisible_; }
    int beeps() const { return beeps_; }
    bool empty() const {
        return !wholeWindow_ && count_ == 0 && !cursorMoved_ && !caretChanged_ && beeps_ == 0;
    }
    void clear() { *this = ScreenNotifications{}; }

  private:
    std::array<ScreenSpan, kMaxSpans> spans_{};
    std::size_t count_ = 0;
    bool wholeWindow_ = false;
    bool cursorMoved_ = false;
    int cursorRow_ = 0;
    int cursorColumn_ = 0;
    bool caretChanged_ = false;
    bool caretVisible_ = true;
    int beeps_ = 0;
};

}  // namespace varomil
