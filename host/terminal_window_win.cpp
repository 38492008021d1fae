#include "host/terminal_window_win.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "download/download_command_win.h"
#include "host/key_mapping.h"
#include "host/session_state_win.h"
#include "shell/link_status_win.h"
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
    {VK_RETURN, HostKey::Return}, {VK_PRIOR, HostKey::PageUp},  {VK_NEXT, HostKey::PageDown},
    {VK_END, HostKey::End},       {VK_HOME, HostKey::Home},     {VK_LEFT, HostKey::Left},
    {VK_UP, HostKey::Up},         {VK_RIGHT, HostKey::Right},   {VK_DOWN, HostKey::Down},
    {VK_INSERT, HostKey::Insert}, {VK_DELETE, HostKey::Delete}, {VK_F1, HostKey::F1},
    {VK_F2, HostKey::F2},         {VK_F3, HostKey::F3},         {VK_F4, HostKey::F4},
    {VK_F5, HostKey::F5},         {VK_F6, HostKey::F6},         {VK_F7, HostKey::F7},
    {VK_F8, HostKey::F8},         {VK_F9, HostKey::F9},         {VK_F10, HostKey::F10},
    {VK_F11, HostKey::F11},       {VK_F12, HostKey::F12},       {VK_F13, HostKey::F13},
    {VK_F14, HostKey::F14},       {VK_F15, HostKey::F15},       {VK_F16, HostKey::F16},
    {VK_F17, HostKey::F17},       {VK_F18, HostKey::F18},       {VK_F19, HostKey::F19},
    {VK_F20, HostKey::F20},
};

static_assert(kTerminalSpanChanged == WM_USER + 300 && kTerminalCursorMoved == WM_USER + 301 &&
                  kTerminalUpdate == WM_USER + 302 && kTerminalHostClosed == WM_USER + 303 &&
                  kDownloadSocketMessage == WM_USER + 400,
              "private messages keep their numbers");

// The smallest cell: a small window still shows whole characters.
constexpr int kMinCellWidth = 8;
constexpr int kMinCellHeight = 16;

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
    if (length <= 0 || column < 0 || column >= kScreenColumns || row < 0 || row >= kScreenRows)
        return;
    const FontMetrics& m = currentMetrics(hwnd);
    const int x = column * m.averageWidth;
    const int y = row * m.height;
    const int left = kScreenColumns - column;
    if (length <= left) {
        invalidate(hwnd, x, y, length * m.maxWidth, m.height);
        return;
    }
    invalidate(hwnd, x, y, left * m.maxWidth, m.height);
    const int rows = (length - left) / kScreenColumns;
    const int rest = (length - left) % kScreenColumns;
    if (rows != 0)
        invalidate(hwnd, 0, y + m.height, kScreenColumns * m.averageWidth, rows * m.height);
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
    v.cellWidth = std::max(width / kScreenColumns, kMinCellWidth);
    v.cellHeight = std::max(height / kScreenRows, kMinCellHeight);
    v.metrics = FontMetrics{};
    // The caret exists only while the window has the focus.
    if (GetFocus() == hwnd) createCaret(hwnd);
}

void drawRow(HDC dc, const TerminalScreen& screen, int row, int cellWidth, int cellHeight) {
    char cells[kScreenColumns];
    for (int c = 0; c < kScreenColumns; ++c) {
        const std::uint8_t ch = screen.cell(row, c);
        cells[c] = ch == 0 ? ' ' : static_cast<char>(ch);
    }
    int start = 0;
    while (start < kScreenColumns) {
        const bool reverse = screen.reverseAt(row, start);
        int end = start + 1;
        while (end < kScreenColumns && screen.reverseAt(row, end) == reverse) ++end;
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
    for (int row = 0; row < kScreenRows; ++row) {
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
    if (!current || frame == nullptr) return;
    SendMessageA(frame, WM_COMMAND, IDM_DISCONNECT, 0);
    showLinkStatus(frame, "Connection closed by the host");
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
