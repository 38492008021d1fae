#include "app/toolbar_win.h"

#include <commctrl.h>

#include <array>

#include "app/command_ids.h"
#include "app/document.h"

namespace varomil {

namespace {

// Where a button's image comes from; the toolbar numbers the images of all
// sources in the order the sources are added.
enum class Images { None, Standard, Connection, Capture };

struct ImageSource {
    Images images;
    bool common;  // from the common controls rather than this program
    UINT_PTR id;
    int count;
};

constexpr std::array<ImageSource, 3> kImageSources{{
    {Images::Standard, true, IDB_STD_SMALL_COLOR, 15},
    {Images::Connection, false, IDB_CONNECTION, 2},
    {Images::Capture, false, IDB_CAPTURE, 3},
}};

struct ToolbarButton {
    int command;  // 0: separator
    Images images;
    int image;  // index within its source
};

constexpr std::array<ToolbarButton, 14> kToolbarButtons{{
    {0, Images::None, 0},
    {cmd::New, Images::Standard, STD_FILENEW},
    {cmd::Open, Images::Standard, STD_FILEOPEN},
    {cmd::Save, Images::Standard, STD_FILESAVE},
    {0, Images::None, 0},
    {cmd::Configure, Images::Standard, STD_PROPERTIES},
    {cmd::DownloadSettings, Images::Standard, STD_COPY},
    {0, Images::None, 0},
    {cmd::Connect, Images::Connection, 0},
    {cmd::Disconnect, Images::Connection, 1},
    {0, Images::None, 0},
    {cmd::StartCapture, Images::Capture, 0},
    {cmd::Capture, Images::Capture, 1},
    {cmd::StopCapture, Images::Capture, 2},
}};

// Adds the bitmap of a source; custom bitmaps are loaded by the toolbar with the
// system colours mapped. Returns the index of its first image.
int addImages(HWND toolbar, HINSTANCE instance, Images images) {
    for (const ImageSource& s : kImageSources) {
        if (s.images != images) continue;
        TBADDBITMAP add{s.common ? HINST_COMMCTRL : instance, s.id};
        return static_cast<int>(
            SendMessageA(toolbar, TB_ADDBITMAP, s.count, reinterpret_cast<LPARAM>(&add)));
    }
    return 0;
}

// The common controls' default button for 16 x 15 images.
constexpr int kButtonWidth = 23;
constexpr int kButtonHeight = 22;

}  // namespace

HWND createToolbar(HWND frame, HINSTANCE instance) {
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS, 0, 0, 0, 0,
                                   frame, reinterpret_cast<HMENU>(IDC_TOOLBAR), instance, nullptr);
    if (toolbar != nullptr) SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return toolbar;
}

HWND fillToolbar(HWND frame, HWND toolbar, HINSTANCE instance, int dpi) {
    std::array<int, 4> firstImage{-1, -1, -1, -1};  // by Images, -1 = not added yet
    for (const ToolbarButton& b : kToolbarButtons) {
        TBBUTTON button{};
        if (b.command == 0) {
            button.fsStyle = BTNS_SEP;
        } else {
            int& first = firstImage[static_cast<std::size_t>(b.images)];
            if (first < 0) first = addImages(toolbar, instance, b.images);
            button.iBitmap = first + b.image;
            button.idCommand = b.command;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    // Above 96 DPI the buttons grow, so that the selector's larger font fits
    // beside them; the images keep their size in the middle of each button.
    if (dpi > 96) {
        SendMessageA(toolbar, TB_SETBUTTONSIZE, 0,
                     MAKELPARAM(MulDiv(kButtonWidth, dpi, 96), MulDiv(kButtonHeight, dpi, 96)));
    }
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);

    HWND tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   frame, nullptr, instance, nullptr);
    if (tooltip == nullptr) return nullptr;
    for (std::size_t i = 0; i < kToolbarButtons.size(); ++i) {
        const int command = kToolbarButtons[i].command;
        if (command == 0) continue;
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = toolbar;
        tool.uId = static_cast<UINT_PTR>(command);
        SendMessageA(toolbar, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tool.rect));
        tool.hinst = instance;
        tool.lpszText = MAKEINTRESOURCEA(command + IDS_TOOLTIP_OFFSET);
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageA(toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltip), 0);
    return tooltip;
}

HWND createProductSelector(HWND toolbar, HINSTANCE instance, int dpi) {
    auto px = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    HWND selector = CreateWindowExA(
        0, "COMBOBOX", nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
        px(270), 1, px(130), px(200), toolbar, reinterpret_cast<HMENU>(IDC_PRODUCT_SELECTOR),
        instance, nullptr);
    if (selector == nullptr) return nullptr;
    SendMessageA(selector, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    SendMessageA(selector, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Select Product"));
    const Document& doc = document();
    for (int i = 0; i < doc.ProductCount; ++i) {
        SendMessageA(
            selector, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(doc.ProductTable[static_cast<std::size_t>(i)].c_str()));
    }
    SendMessageA(selector, CB_SETCURSEL, static_cast<WPARAM>(selectedProduct()), 0);
    return selector;
}

}  // namespace varomil
