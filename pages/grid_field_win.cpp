#include "pages/grid_field_win.h"

#include <commctrl.h>

namespace varomil {

const char kGridFieldCue[] = "Click or press Space";
const char kGridFieldTip[] = "Click or press Space to choose codes";

namespace {

constexpr char kFieldMark[] = "VaromilGridField";
constexpr char kTooltipOf[] = "VaromilGridFieldTips";
constexpr UINT_PTR kFieldColours = 0x6772;  // one subclass per parent, whatever its fields

// A read-only edit asks its parent for the colours of a static; an enabled grid
// field gets those of an edit that takes input.
LRESULT CALLBACK fieldColours(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
    if (message == WM_CTLCOLORSTATIC) {
        HWND field = reinterpret_cast<HWND>(lParam);
        if (GetPropA(field, kFieldMark) != nullptr && IsWindowEnabled(field)) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(parent, fieldColours, kFieldColours);
    return DefSubclassProc(parent, message, wParam, lParam);
}

// One tooltip window per parent, made with its first field.
HWND tooltipOf(HWND parent) {
    HWND tips = static_cast<HWND>(GetPropA(parent, kTooltipOf));
    if (tips != nullptr && IsWindow(tips)) return tips;
    tips = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    SetPropA(parent, kTooltipOf, tips);
    return tips;
}

}  // namespace

void showAsGridField(HWND field) {
    HWND parent = field != nullptr ? GetParent(field) : nullptr;
    if (parent == nullptr) return;
    SetPropA(field, kFieldMark, reinterpret_cast<HANDLE>(1));
    SetWindowSubclass(parent, fieldColours, kFieldColours, 0);
    wchar_t cue[sizeof kGridFieldCue];
    MultiByteToWideChar(CP_ACP, 0, kGridFieldCue, -1, cue, static_cast<int>(sizeof kGridFieldCue));
    SendMessageW(field, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue));
    HWND tips = tooltipOf(parent);
    if (tips == nullptr) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(field);
    tool.lpszText = const_cast<char*>(kGridFieldTip);
    SendMessageA(tips, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));  // set up again
    SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    InvalidateRect(field, nullptr, TRUE);
}

}  // namespace varomil
