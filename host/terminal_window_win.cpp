#include "host/terminal_window_win.h"

#include <array>
#include <mutex>

#include "download/download_command_win.h"
#include "host/key_mapping.h"
#include "host/session_state_win.h"
#include "resources/resource_ids.h"

namespace varomil {

namespace {

// Virtual keys that send sequences to the host; every other key sends nothing here
// (typed characters arrive as WM_CHAR).
struct VirtualKeyRow {
    WPARAM vk;
    HostKey key;
};

constexpr VirtualKeyRow kVirtualKeys[] = {
    {13, HostKey::Return}, {33, HostKey::PageUp}, {34, HostKey::PageDown}, {35, HostKey::End},
    {36, HostKey::Home},   {37, HostKey::Left},   {38, HostKey::Up},       {39, HostKey::Right},
    {40, HostKey::Down},   {45, HostKey::Insert}, {46, HostKey::Delete},   {112, HostKey::F1},
    {113, HostKey::F2},    {114, HostKey::F3},    {115, HostKey::F4},      {116, HostKey::F5},
    {117, HostKey::F6},    {118, HostKey::F7},    {119, HostKey::F8},      {120, HostKey::F9},
    {121, HostKey::F10},   {122, HostKey::F11},   {123, HostKey::F12},     {124, HostKey::F13},
    {125, HostKey::F14},   {126, HostKey::F15},   {127, HostKey::F16},     {128, HostKey::F17},
    {129, HostKey::F18},   {130, HostKey::F19},   {131, HostKey::F20},
};

// Changed cells waiting for the next repaint; a sixth change is dropped and the
// full list then repaints the whole window.
struct DirtySpanList {
    static constexpr int kCapacity = 5;
    std::array<ScreenSpan, kCapacity> spans{};
    int count = 0;
    void add(int column, int row, int length) {
        if (count < kCapacity) spans[count++] = ScreenSpan{column, row, length};
    }
};

struct FontMetrics {
    int maxWidth = 0;
    int height = 0;
    int averageWidth = 0;
};

// The window lives as long as the frame, one at a time: its state is process-wide.
struct TerminalView {
    int cellWidth = 0;
    int cellHeight = 0;
    DirtySpanList dirty;
    int caretRow = 0;
    int caretColumn = 0;
    bool caretExists = false;
    bool caretWanted = true;
    FontMetrics metrics;  // of the last font made; zero until one was made
};

TerminalView& view() {
    static TerminalView v;
    return v;
}

HFONT createCellFont(int width, int height) {
    return CreateFontA(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH,
                       nullptr);
}

FontMetrics metricsOf(HDC dc) {
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return {static_cast<int>(tm.tmMaxCharWidth), static_cast<int>(tm.tmHeight),
            static_cast<int>(tm.tmAveCharWidth)};
}

const FontMetrics& currentMetrics(HWND hwnd) {
    TerminalView& v = view();
    if (v.metrics.height == 0) {
        HDC dc = GetDC(hwnd);
        HFONT font = createCellFont(v.cellWidth, v.cellHeight);
        HGDIOBJ old = SelectObject(dc, font);
        v.metrics = metricsOf(dc);
        SelectObject(dc, old);
        DeleteObject(font);
        ReleaseDC(hwnd, dc);
    }
    return v.metrics;
}

void placeCaret() {
    const TerminalView& v = view();
    if (v.caretExists) SetCaretPos(v.caretColumn * v.cellWidth, v.caretRow * v.cellHeight);
}

void createCaret(HWND hwnd) {
    TerminalView& v = view();
    if (v.caretExists) DestroyCaret();
    v.caretExists = CreateCaret(hwnd, nullptr, v.cellWidth, v.cellHeight) != 0;
    placeCaret();
    // A new caret starts hidden; the host may have asked for none.
    if (v.caretExists && v.caretWanted) ShowCaret(hwnd);
}

void destroyCaret(HWND hwnd) {
    TerminalView& v = view();
    if (!v.caretExists) return;
    HideCaret(hwnd);
    DestroyCaret();
    v.caretExists = false;
}

// Show and hide nest in the system; only a change of the host's wish is passed on.
void setCaretWanted(HWND hwnd, bool wanted) {
    TerminalView& v = view();
    if (wanted == v.caretWanted) return;
    v.caretWanted = wanted;
    if (!v.caretExists) return;
    if (wanted)
        ShowCaret(hwnd);
    else
        HideCaret(hwnd);
}

void invalidate(HWND hwnd, int left, int top, int width, int height) {
    RECT r{left, top, left + width, top + height};
    InvalidateRect(hwnd, &r, TRUE);
}

// Invalidates the cells of a span, which may run on over following rows.
void repaintSpan(HWND hwnd, int column, int row, int length) {
    if (length <= 0 || column < 0 || column >= 80 || row < 0 || row >= 24) return;
    const FontMetrics& m = currentMetrics(hwnd);
    const int x = column * m.averageWidth;
    const int y = row * m.height;
    const int left = 80 - column;
    if (length <= left) {
        invalidate(hwnd, x, y, length * m.maxWidth, m.height);
        return;
    }
    invalidate(hwnd, x, y, left * m.maxWidth, m.height);
    const int rows = (length - left) / 80;
    const int rest = (length - left) % 80;
    if (rows != 0) invalidate(hwnd, 0, y + m.height, 80 * m.averageWidth, rows * m.height);
    if (rest != 0) invalidate(hwnd, 0, y + (rows + 1) * m.height, rest * m.maxWidth, m.height);
}

void flushDirtySpans(HWND hwnd) {
    DirtySpanList& d = view().dirty;
    if (d.count < DirtySpanList::kCapacity) {
        for (int i = 0; i < d.count; ++i)
            repaintSpan(hwnd, d.spans[i].column, d.spans[i].row, d.spans[i].length);
    } else {
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    d.count = 0;
}

void onSize(HWND hwnd, int width, int height) {
    TerminalView& v = view();
    v.cellWidth = width / 80 < 8 ? 8 : width / 80;
    v.cellHeight = height / 24 < 16 ? 16 : height / 24;
    v.metrics = FontMetrics{};
    // The caret exists only while the window has the focus.
    if (GetFocus() == hwnd) createCaret(hwnd);
}

void drawRow(HDC dc, const TerminalScreen& screen, int row, int cellWidth, int cellHeight) {
    char cells[80];
    for (int c = 0; c < 80; ++c) {
        const std::uint8_t ch = screen.cell(row, c);
        cells[c] = ch == 0 ? ' ' : static_cast<char>(ch);
    }
    int start = 0;
    while (start < 80) {
        const bool reverse = screen.reverseAt(row, start);
        int end = start + 1;
        while (end < 80 && screen.reverseAt(row, end) == reverse) ++end;
        SetTextColor(dc, reverse ? RGB(255, 255, 255) : RGB(0, 0, 0));
        SetBkColor(dc, reverse ? RGB(0, 0, 0) : RGB(255, 255, 255));
        TextOutA(dc, start * cellWidth, row * cellHeight, cells + start, end - start);
        start = end;
    }
}

void onPaint(HWND hwnd) {
    TerminalView& v = view();
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    // Paint from a copy: the receive thread goes on while the window draws.
    TerminalScreen screen;
    {
        std::lock_guard<std::mutex> hold(sessionState().lock);
        screen = sessionState().session.screen();
    }
    HFONT font = createCellFont(v.cellWidth, v.cellHeight);
    HGDIOBJ old = SelectObject(dc, font);
    v.metrics = metricsOf(dc);
    if (v.metrics.averageWidth > 0) v.cellWidth = v.metrics.averageWidth;
    if (v.metrics.height > 0) v.cellHeight = v.metrics.height;
    if (v.caretExists) HideCaret(hwnd);
    SetBkMode(dc, OPAQUE);
    for (int row = 0; row < 24; ++row) {
        const int top = row * v.cellHeight;
        if (top >= ps.rcPaint.bottom || top + v.cellHeight <= ps.rcPaint.top) continue;
        drawRow(dc, screen, row, v.cellWidth, v.cellHeight);
    }
    SelectObject(dc, old);
    DeleteObject(font);
    v.caretRow = screen.row;
    v.caretColumn = screen.column;
    placeCaret();
    if (v.caretExists) ShowCaret(hwnd);
    EndPaint(hwnd, &ps);
}

void onKeyDown(HWND hwnd, WPARAM vk) {
    for (const VirtualKeyRow& row : kVirtualKeys) {
        if (row.vk != vk) continue;
        SessionState& s = sessionState();
        {
            std::lock_guard<std::mutex> hold(s.lock);
            if (s.sink.socket == INVALID_SOCKET) return;
            s.session.pressKey(row.key);
            stashNotifications(s);
        }
        deliverTerminalUpdates(hwnd);
        return;
    }
}

void onChar(HWND hwnd, WPARAM ch) {
    SessionState& s = sessionState();
    {
        std::lock_guard<std::mutex> hold(s.lock);
        if (s.sink.socket == INVALID_SOCKET) return;
        s.session.typeCharacter(static_cast<std::uint8_t>(ch));
        stashNotifications(s);
    }
    // The local echo is shown at once rather than with the next block from the host.
    deliverTerminalUpdates(hwnd);
}

void onHostClosed(HWND hwnd, WPARAM generation) {
    SessionState& s = sessionState();
    bool current = false;
    {
        std::lock_guard<std::mutex> hold(s.lock);
        current =
            static_cast<unsigned>(generation) == s.generation && s.sink.socket != INVALID_SOCKET;
    }
    // A notice of a connection already closed must not end the next one. The frame
    // is the parent: it disconnects and shows the settings summary again.
    const HWND frame = GetParent(hwnd);
    if (current && frame != nullptr) SendMessageA(frame, WM_COMMAND, IDM_DISCONNECT, 0);
}

}  // namespace

void deliverTerminalUpdates(HWND hwnd) {
    SessionState& s = sessionState();
    ScreenNotifications n;
    {
        std::lock_guard<std::mutex> hold(s.lock);
        n = s.pending;
        s.pending.clear();
        s.updatePosted = false;
    }
    TerminalView& v = view();
    if (n.wholeWindow()) {
        v.dirty.count = DirtySpanList::kCapacity;
    } else {
        for (std::size_t i = 0; i < n.spanCount(); ++i)
            v.dirty.add(n.spanAt(i).column, n.spanAt(i).row, n.spanAt(i).length);
    }
    flushDirtySpans(hwnd);
    if (n.cursorChanged()) {
        v.caretRow = n.cursorRow();
        v.caretColumn = n.cursorColumn();
        placeCaret();
    }
    if (n.caretChanged()) setCaretWanted(hwnd, n.caretVisible());
    if (n.beeps() > 0) MessageBeep(MB_OK);
}

LRESULT CALLBACK TerminalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The download link's listening socket reports its close here.
    if (msg == kDownloadSocketMessage) return onDownloadSocketMessage(wParam, lParam);
    TerminalView& v = view();
    switch (msg) {
        case WM_CREATE:
            v = TerminalView{};
            return 0;
        case WM_SIZE:
            onSize(hwnd, LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_SETFOCUS:
            createCaret(hwnd);
            return 0;
        case WM_KILLFOCUS:
            destroyCaret(hwnd);
            return 0;
        case WM_PAINT:
            onPaint(hwnd);
            return 0;
        case WM_KEYDOWN:
            onKeyDown(hwnd, wParam);
            return 0;
        case WM_CHAR:
            onChar(hwnd, wParam);
            return 0;
        case kTerminalSpanChanged:
            v.dirty.add(LOWORD(wParam), HIWORD(wParam), HIWORD(lParam));
            return 0;
        case kTerminalCursorMoved:
            // Only the caret follows: the interpreter has stored the cursor already,
            // and a late message must not move it back.
            v.caretRow = HIWORD(wParam);
            v.caretColumn = LOWORD(wParam);
            placeCaret();
            return 0;
        case kTerminalUpdate:
            deliverTerminalUpdates(hwnd);
            return 0;
        case kTerminalHostClosed:
            onHostClosed(hwnd, wParam);
            return 0;
        case WM_DESTROY:
            destroyCaret(hwnd);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace varomil
