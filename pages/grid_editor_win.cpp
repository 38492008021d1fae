#include "pages/grid_editor_win.h"

#include <map>
#include <string>

#include "shell/message_box_win.h"
#include "resources/settings_page_ids.h"

namespace varomil {

namespace {

constexpr char kCaption[] = "The Grid Control";
constexpr char kTooMany[] = "Too many characters !!!";
constexpr char kPreviousProc[] = "VaromilGridPrevious";
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInnerGrey = RGB(196, 196, 196);
constexpr COLORREF kTextGrey = RGB(128, 128, 128);

// Every grid-enabled control by its handle; a control leaves when destroyed.
std::map<HWND, GridTarget>& targets() {
    static std::map<HWND, GridTarget> all;
    return all;
}

// The one open grid dialog.
struct Editor {
    HWND target = nullptr;  // the control being edited; none when closed
    bool open = false;
    GridTarget definition;
    GridValue value{GridMode::KeyNames, 0};
    std::string initialText;
    int selColumn = 0;  // data cell selected, initially code 0
    int selRow = 0;
    // A value that came full is shown selected: the first pick replaces it, as
    // typing replaces selected text, instead of being refused as one too many.
    bool replacing = false;
    WNDPROC chartProc = nullptr;
    WNDPROC resultProc = nullptr;
};
Editor editor;

WNDPROC previousProc(HWND control) {
    return reinterpret_cast<WNDPROC>(GetPropA(control, kPreviousProc));
}

void line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void centredText(HDC dc, RECT r, const std::string& text, COLORREF colour) {
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

RECT cellRect(const GridChart& c, int column, int row) {
    return {column * c.cellWidth, row * c.cellHeight, (column + 1) * c.cellWidth,
            (row + 1) * c.cellHeight};
}

GridChart chartOf(HWND chart) {
    RECT client{};
    GetClientRect(chart, &client);
    return gridChart(editor.value.mode(), client.right, client.bottom);
}

std::string headingText(int n) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string{digits[n & 15]};
}

// The selected data cell: blue, its name in white.
void paintSelectedCell(HDC dc, const GridChart& c, int column, int row) {
    const RECT r = cellRect(c, column + 1, row + 1);
    fill(dc, r, kBlue);
    centredText(dc, r, gridCellName(editor.value.mode(), static_cast<Byte>(16 * column + row)),
                kWhite);
}

void paintChart(HWND chart, HDC dc) {
    RECT client{};
    GetClientRect(chart, &client);
    const GridChart c = chartOf(chart);
    const int columns = static_cast<int>(c.columns);
    const int right = (columns + 1) * c.cellWidth;
    const int bottom = 17 * c.cellHeight;
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(GetParent(chart), WM_GETFONT, 0, 0)));

    fill(dc, client, GetSysColor(COLOR_BTNFACE));
    fill(dc, {c.cellWidth, c.cellHeight, right, bottom}, kWhite);

    HPEN white = CreatePen(PS_SOLID, 1, kWhite);
    HPEN grey = CreatePen(PS_SOLID, 1, kInnerGrey);
    HGDIOBJ oldPen = SelectObject(dc, white);
    line(dc, 1, 1, right - 1, 1);
    line(dc, 1, 1, 1, bottom - 1);
    for (int col = 1; col <= columns; ++col)
        line(dc, col * c.cellWidth + 1, 1, col * c.cellWidth + 1, c.cellHeight);
    for (int row = 1; row <= 16; ++row)
        line(dc, 1, row * c.cellHeight + 1, c.cellWidth, row * c.cellHeight + 1);

    SelectObject(dc, grey);
    for (int col = 2; col <= columns; ++col)
        line(dc, col * c.cellWidth, c.cellHeight, col * c.cellWidth, bottom);
    for (int row = 2; row <= 16; ++row)
        line(dc, c.cellWidth, row * c.cellHeight, right, row * c.cellHeight);

    SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, right, bottom);
    line(dc, 0, c.cellHeight, right, c.cellHeight);
    line(dc, c.cellWidth, 0, c.cellWidth, bottom);
    for (int col = 2; col <= columns; ++col)
        line(dc, col * c.cellWidth, 0, col * c.cellWidth, c.cellHeight);
    for (int row = 2; row <= 16; ++row)
        line(dc, 0, row * c.cellHeight, c.cellWidth, row * c.cellHeight);

    for (int col = 0; col < columns; ++col) {
        centredText(dc, cellRect(c, col + 1, 0), headingText(col) + "0", RGB(0, 0, 0));
    }
    for (int row = 0; row < 16; ++row) {
        centredText(dc, cellRect(c, 0, row + 1), "0" + headingText(row), RGB(0, 0, 0));
    }
    for (int col = 0; col < columns; ++col) {
        for (int row = 0; row < 16; ++row) {
            if (col == editor.selColumn && row == editor.selRow) {
                paintSelectedCell(dc, c, col, row);
            } else {
                centredText(dc, cellRect(c, col + 1, row + 1),
                            gridCellName(editor.value.mode(), static_cast<Byte>(16 * col + row)),
                            RGB(0, 0, 0));
            }
        }
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    DeleteObject(white);
    DeleteObject(grey);
}

void paintResult(HWND result, HDC dc) {
    RECT r{};
    GetClientRect(result, &r);
    fill(dc, r, kWhite);
    HPEN white = CreatePen(PS_SOLID, 1, kWhite);
    HPEN grey = CreatePen(PS_SOLID, 1, kTextGrey);
    HGDIOBJ oldPen = SelectObject(dc, grey);
    line(dc, 0, r.bottom - 1, 0, 0);
    LineTo(dc, r.right - 1, 0);
    SelectObject(dc, white);
    line(dc, r.right - 1, 0, r.right - 1, r.bottom - 1);
    LineTo(dc, 0, r.bottom - 1);
    SelectObject(dc, oldPen);
    DeleteObject(white);
    DeleteObject(grey);

    HGDIOBJ oldFont = SelectObject(
        dc, reinterpret_cast<HFONT>(SendMessageA(GetParent(result), WM_GETFONT, 0, 0)));
    SetTextColor(dc, editor.replacing ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kTextGrey);
    SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    SetBkMode(dc, editor.replacing ? OPAQUE : TRANSPARENT);
    // Long values (64 bytes in hex are 192 characters) wrap instead of being cut;
    // a short one sits on one line in the middle.
    const std::string& text = editor.value.text();
    RECT box{r.left + 5, r.top + 1, r.right - 3, r.bottom - 1};
    RECT measure = box;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measure,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const int height = measure.bottom - measure.top;
    if (height < box.bottom - box.top) box.top += (box.bottom - box.top - height) / 2;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

// Takes a picked code (replacing a value shown selected); a full value refuses it.
void pick(HWND chart, Byte code) {
    if (editor.replacing) editor.value.clear();
    editor.replacing = false;
    if (editor.value.append(code)) {
        InvalidateRect(GetDlgItem(GetParent(chart), IDC_GRID_RESULT), nullptr, TRUE);
    } else {
        showMessage(chart, kTooMany, kCaption, MB_OK | MB_ICONWARNING);
    }
}

void clickChart(HWND chart, int x, int y) {
    const GridChart c = chartOf(chart);
    const auto code = gridCodeAt(c, x, y);
    if (!code) return;
    editor.selColumn = *code / 16;
    editor.selRow = *code % 16;
    // The whole chart again: the old cell's grid lines come back with it.
    InvalidateRect(chart, nullptr, FALSE);
    UpdateWindow(chart);
    pick(chart, *code);
}

void showResult(HWND chart) {
    InvalidateRect(GetDlgItem(GetParent(chart), IDC_GRID_RESULT), nullptr, TRUE);
}

// The keyboard way through the chart: the arrows move the selected cell, Space
// takes its code, Backspace takes the last code off again. Enter is the
// dialog's: it presses the default button.
bool chartKey(HWND chart, WPARAM key) {
    const int columns = static_cast<int>(chartOf(chart).columns);
    int column = editor.selColumn, row = editor.selRow;
    switch (key) {
        case VK_LEFT:
            column = column > 0 ? column - 1 : 0;
            break;
        case VK_RIGHT:
            column = column + 1 < columns ? column + 1 : column;
            break;
        case VK_UP:
            row = row > 0 ? row - 1 : 0;
            break;
        case VK_DOWN:
            row = row < 15 ? row + 1 : 15;
            break;
        case VK_SPACE:
            pick(chart, static_cast<Byte>(16 * column + row));
            return true;
        case VK_BACK:
            editor.replacing = false;
            editor.value.removeLast();
            showResult(chart);  // the selected look ends too
            return true;
        default:
            return false;
    }
    editor.selColumn = column;
    editor.selRow = row;
    InvalidateRect(chart, nullptr, FALSE);
    return true;
}

LRESULT CALLBACK chartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(chart, &ps);
            paintChart(chart, dc);
            if (GetFocus() == chart) {
                // Data cells start after the heading row and column.
                RECT cell = cellRect(chartOf(chart), editor.selColumn + 1, editor.selRow + 1);
                InflateRect(&cell, -2, -2);
                DrawFocusRect(dc, &cell);
            }
            EndPaint(chart, &ps);
            return 0;
        }
        case WM_GETDLGCODE:
            // Arrows, Space and Backspace belong to the chart; Tab, Enter and
            // Escape to the dialog.
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (chartKey(chart, wParam)) return 0;
            break;
        case WM_CHAR:
            return 0;  // the keys above are taken as keys, not as characters
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(chart, nullptr, FALSE);
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the second click of a quick pair is a click too
            SetFocus(chart);
            clickChart(chart, static_cast<short>(LOWORD(lParam)),
                       static_cast<short>(HIWORD(lParam)));
            return 0;
        default:
            break;
    }
    return CallWindowProcA(editor.chartProc, chart, message, wParam, lParam);
}

LRESULT CALLBACK resultProc(HWND result, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(result, &ps);
        paintResult(result, dc);
        EndPaint(result, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    return CallWindowProcA(editor.resultProc, result, message, wParam, lParam);
}

INT_PTR CALLBACK gridDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            editor.value = GridValue(editor.definition.mode, editor.definition.capacity);
            editor.selColumn = 0;
            editor.selRow = 0;
            editor.chartProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(GetDlgItem(dialog, IDC_GRID_CHART), GWLP_WNDPROC,
                                  reinterpret_cast<LONG_PTR>(chartProc)));
            editor.resultProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(GetDlgItem(dialog, IDC_GRID_RESULT), GWLP_WNDPROC,
                                  reinterpret_cast<LONG_PTR>(resultProc)));
            editor.value.load(
                editor.definition.storage,
                storedGridLength(editor.definition.storage, editor.definition.capacity,
                                 editor.definition.length));
            editor.initialText = editor.value.text();
            editor.replacing =
                editor.value.capacity() > 0 && editor.value.length() == editor.value.capacity();
            // The chart takes the focus first: it can be used with keys alone.
            HWND chart = GetDlgItem(dialog, IDC_GRID_CHART);
            SetWindowLongPtrA(chart, GWL_STYLE, GetWindowLongPtrA(chart, GWL_STYLE) | WS_TABSTOP);
            SetFocus(chart);
            return FALSE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_GRID_CLEAR:
                    editor.replacing = false;
                    editor.value.clear();
                    InvalidateRect(GetDlgItem(dialog, IDC_GRID_RESULT), nullptr, TRUE);
                    return TRUE;
                case IDOK:
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

void runGrid(HWND control) {
    auto found = targets().find(control);
    if (found == targets().end()) return;  // only registered targets open the grid
    editor.target = control;
    editor.definition = found->second;
    SetFocus(control);
    editor.open = true;
    InvalidateRect(control, nullptr, TRUE);
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), "GRIDDLG", control, gridDialogProc, 0);
    editor.open = false;
    editor.target = nullptr;
    if (result == IDOK) {
        // The value first: the control's change notification makes its page
        // copy the stored value into the settings image.
        editor.value.store(editor.definition.storage, editor.definition.storageSize);
        SetWindowTextA(control, editor.value.text().c_str());
    } else {
        SetWindowTextA(control, editor.initialText.c_str());
    }
    InvalidateRect(control, nullptr, TRUE);
}

LRESULT CALLBACK gridControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = previousProc(control);
    switch (message) {
        case WM_LBUTTONDOWN:
            runGrid(control);
            return 0;
        case WM_KEYDOWN:
            // The keyboard way in: Space opens the grid as a click does.
            if (wParam == VK_SPACE) {
                runGrid(control);
                return 0;
            }
            break;
        case WM_CHAR:
            if (wParam == ' ') return 0;
            break;
        case WM_PAINT:
            if (editor.open && editor.target == control) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(control, &ps);
                RECT r{};
                GetClientRect(control, &r);
                HBRUSH blue = CreateSolidBrush(kBlue);
                HGDIOBJ oldBrush = SelectObject(dc, blue);
                HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
                Rectangle(dc, r.left, r.top, r.right, r.bottom);
                SelectObject(dc, oldPen);
                SelectObject(dc, oldBrush);
                DeleteObject(blue);
                EndPaint(control, &ps);
                return 0;
            }
            break;
        case WM_NCDESTROY:
            targets().erase(control);
            SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            RemovePropA(control, kPreviousProc);
            break;
        default:
            break;
    }
    return CallWindowProcA(previous, control, message, wParam, lParam);
}

}  // namespace

void enableGrid(HWND control, const GridTarget& target) {
    if (control == nullptr) return;
    targets()[control] = target;
    if (GetPropA(control, kPreviousProc) != nullptr) return;
    const LONG_PTR previous =
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gridControlProc));
    SetPropA(control, kPreviousProc, reinterpret_cast<HANDLE>(previous));
}

std::string gridTextOf(const GridTarget& target) {
    GridValue value(target.mode, target.capacity);
    value.load(target.storage, storedGridLength(target.storage, target.capacity, target.length));
    return value.text();
}

}  // namespace varomil
