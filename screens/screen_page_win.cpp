#include "screens/screen_page_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "resources/screen_ids.h"
#include "screens/screen_file.h"
#include "screens/screen_pages.h"
#include "settings/builtin_tables.h"
#include "settings/factory_defaults.h"
#include "shell/file_dialog_win.h"
#include "shell/message_box_win.h"

namespace varomil {

namespace {

constexpr char kCaption[] = "Screen";
constexpr char kNotSeparable[] =
    "Can not find enough characteristics to differentiate the host screens.";
constexpr char kBufferFull[] = " Screen buffer full !! \r\n Accept at most %d screens. ";
constexpr char kDeleteQuestion[] = "Are you sure to delete this page ?";
constexpr std::array<std::string_view, 25> kHostRows = {
    "nil", "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10", "11", "12",
    "13",  "14", "15", "16", "17", "18", "19", "20", "21", "22", "23", "24"};

constexpr BitField inShownLines(Field f) {
    return {Area::Buffer, f, 0, 0};
}

// Line k of the eight on display: its text, host column and host row, and the
// rule that a line the layout does not use is disabled.
#define SHOWN_LINE_ROWS(k)                                                                  \
    text(IDC_SCR_LINE_TEXT_1 + (k), inShownLines(shown::text(k)), fld::kLineTextWidth - 1), \
        withDigits(number(IDC_SCR_LINE_COLUMN_1 + (k), inShownLines(shown::hostColumn(k)),  \
                          kFirstHostColumn, kLastHostColumn),                               \
                   kHostColumnChars),                                                       \
        combo(IDC_SCR_LINE_ROW_1 + (k), inShownLines(shown::hostRow(k)), kHostRows)
constexpr ControlSpec kControls[] = {
    SHOWN_LINE_ROWS(0), SHOWN_LINE_ROWS(1), SHOWN_LINE_ROWS(2), SHOWN_LINE_ROWS(3),
    SHOWN_LINE_ROWS(4), SHOWN_LINE_ROWS(5), SHOWN_LINE_ROWS(6), SHOWN_LINE_ROWS(7),
};
#undef SHOWN_LINE_ROWS

#define SHOWN_LINE_ENABLES(k)                                                                   \
    EnableRule{IDC_SCR_LINE_NO_1 + (k), IDC_SCR_LINE_NO_1 + (k), inShownLines(shown::inUse(k)), \
               1},                                                                              \
        EnableRule{IDC_SCR_LINE_TEXT_1 + (k), IDC_SCR_LINE_TEXT_1 + (k),                        \
                   inShownLines(shown::inUse(k)), 1},                                           \
        EnableRule{IDC_SCR_LINE_COLUMN_1 + (k), IDC_SCR_LINE_COLUMN_1 + (k),                    \
                   inShownLines(shown::inUse(k)), 1},                                           \
        EnableRule {                                                                            \
        IDC_SCR_LINE_ROW_1 + (k), IDC_SCR_LINE_ROW_1 + (k), inShownLines(shown::inUse(k)), 1    \
    }
constexpr EnableRule kEnables[] = {
    SHOWN_LINE_ENABLES(0), SHOWN_LINE_ENABLES(1), SHOWN_LINE_ENABLES(2), SHOWN_LINE_ENABLES(3),
    SHOWN_LINE_ENABLES(4), SHOWN_LINE_ENABLES(5), SHOWN_LINE_ENABLES(6), SHOWN_LINE_ENABLES(7),
};
#undef SHOWN_LINE_ENABLES
constexpr LPARAM kPreviewTextLimit = 3000;
constexpr char kPreviewFace[] = "Courier New";
constexpr LONG kPreviewHeightTwips = 160;  // 8 points

// What the page shows; made with the page window and gone with it.
struct ScreenView : PageState {
    HWND page = nullptr;
    SettingsImage* image = nullptr;
    std::size_t currentPage = 0;
    std::size_t firstLine = 0;  // 0, 8 or 16
    PageGeometry geometry;
    std::size_t listFontSize = 0;  // the font size the layout list was filled for
    HMODULE richEdit = nullptr;
    HWND preview = nullptr;
    std::array<Byte, shown::kSize> shownLines{};  // what the line rows edit
    ControlTable* table = nullptr;                // the page's, which runs the line rows

    ~ScreenView() override;
};

HWND item(HWND page, int id) {
    return GetDlgItem(page, id);
}

void setNumber(HWND page, int id, std::size_t n) {
    setTextQuietly(item(page, id), std::to_string(n));
}

void fillLayouts(HWND page, ScreenView& v) {
    v.listFontSize = pageGeometry(*v.image, v.currentPage).fontSize;
    HWND list = item(page, IDC_SCR_LAYOUT);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (unsigned i = 0; i < kLayoutCount; ++i) {
        const std::string text(layoutFor(i, static_cast<unsigned>(v.listFontSize))->text);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void showLines(HWND page, ScreenView& v) {
    ControlTable& table = *v.table;
    const std::size_t shownLines = kShownLines;
    loadShownLines(*v.image, v.currentPage, v.geometry, v.firstLine,
                   {v.shownLines.data(), v.shownLines.size()});
    table.areas().buffer = {v.shownLines.data(), v.shownLines.size()};
    table.showAll(page);
    for (std::size_t k = 0; k < shownLines; ++k) {
        const int id = IDC_SCR_LINE_TEXT_1 + static_cast<int>(k);
        setNumber(page, IDC_SCR_LINE_NO_1 + static_cast<int>(k), v.firstLine + k + 1);
        table.limitText(page, id, lineTextLimit(v.geometry));
    }
    const bool scrolls = v.geometry.lines > shownLines;
    EnableWindow(item(page, IDC_SCR_PREVIOUS_LINES), scrolls && v.firstLine > 0);
    EnableWindow(item(page, IDC_SCR_NEXT_LINES),
                 scrolls && v.firstLine + shownLines < v.geometry.lines);
}

void showLayout(HWND page, ScreenView& v) {
    v.geometry = pageGeometry(*v.image, v.currentPage);
    SendMessageA(item(page, IDC_SCR_LAYOUT), CB_SETCURSEL, v.geometry.layoutIndex, 0);
    v.firstLine = 0;
    showLines(page, v);
}

DWORD CALLBACK streamText(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* rest = reinterpret_cast<std::string*>(cookie);
    const std::size_t n = std::min(rest->size(), static_cast<std::size_t>(wanted));
    std::copy_n(rest->data(), n, buffer);
    rest->erase(0, n);
    *given = static_cast<LONG>(n);
    return 0;
}

// Plain text, never read as rich text, whatever the host put on its screen.
void setPreviewText(HWND preview, std::string text) {
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&text);
    stream.pfnCallback = streamText;
    SendMessageA(preview, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE;
    format.yHeight = kPreviewHeightTwips;
    format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;  // any fixed font where the face is missing
    std::snprintf(format.szFaceName, sizeof format.szFaceName, "%s", kPreviewFace);
    SendMessageA(preview, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessageA(preview, EM_SETSEL, 0, 0);
}

void showCaret(HWND page, ScreenView& v, LONG start) {
    const LRESULT line = SendMessageA(v.preview, EM_EXLINEFROMCHAR, 0, start);
    const LRESULT lineStart = SendMessageA(v.preview, EM_LINEINDEX, line, 0);
    char text[32];
    std::snprintf(text, sizeof text, "(%ld, %ld)", static_cast<long>(line) + 1,
                  static_cast<long>(start - lineStart) + 1);
    setTextQuietly(item(page, IDC_SCR_CARET), text);
}

void showPage(HWND page, ScreenView& v) {
    const std::size_t pages = pagesInUse(*v.image);
    setNumber(page, IDC_SCR_TOTAL_PAGES, pages);
    const bool shown = pages > 0 && v.preview;
    if (v.preview) {
        setPreviewText(v.preview,
                       shown ? previewText(companions().capturedScreens[v.currentPage]) : "");
    }
    const std::size_t number = pages > 0 ? v.currentPage + 1 : 0;
    setNumber(page, IDC_SCR_CURRENT_PAGE, number);
    setNumber(page, IDC_SCR_REFORMAT_PAGE, number);
    setTextQuietly(item(page, IDC_SCR_CARET), shown ? "(1, 1)" : "(0, 0)");
    const bool first = v.currentPage == 0;
    const bool last = v.currentPage + 1 >= pages;
    EnableWindow(item(page, IDC_SCR_FIRST_PAGE), pages > 0 && !first);
    EnableWindow(item(page, IDC_SCR_PREVIOUS_PAGE), pages > 0 && !first);
    EnableWindow(item(page, IDC_SCR_NEXT_PAGE), pages > 0 && !last);
    EnableWindow(item(page, IDC_SCR_LAST_PAGE), pages > 0 && !last);
    EnableWindow(item(page, IDC_SCR_DELETE), pages > 0);
    showLayout(page, v);
    if (v.preview) SetFocus(v.preview);
}

// The kit hands a page no notifications but the sheet's, so the page window is
// subclassed while the preview lives, to follow the preview's caret.
constexpr UINT_PTR kPreviewSubclass = 1;
LRESULT CALLBACK previewNotices(HWND page, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR data) {
    if (message == WM_NOTIFY) {
        const auto& n = *reinterpret_cast<const NMHDR*>(lParam);
        if (n.idFrom == IDC_SCR_PREVIEW && n.code == EN_SELCHANGE) {
            auto& v = *reinterpret_cast<ScreenView*>(data);
            showCaret(page, v, reinterpret_cast<const SELCHANGE&>(n).chrg.cpMin);
            return 0;
        }
    }
    return DefSubclassProc(page, message, wParam, lParam);
}

// The read-only preview keeps the arrows and characters, and leaves Tab, Esc and
// Enter to the sheet, as every other control of the page does (a multi-line rich
// edit asks for them all).
LRESULT CALLBACK previewKeys(HWND preview, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
    if (message == WM_GETDLGCODE) {
        const LRESULT wanted = DefSubclassProc(preview, message, wParam, lParam);
        return (wanted & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB)) | DLGC_WANTARROWS |
               DLGC_WANTCHARS;
    }
    return DefSubclassProc(preview, message, wParam, lParam);
}

ScreenView::~ScreenView() {
    if (preview) {
        RemoveWindowSubclass(preview, previewKeys, kPreviewSubclass);
        RemoveWindowSubclass(page, previewNotices, kPreviewSubclass);
        DestroyWindow(preview);
    }
    if (richEdit) FreeLibrary(richEdit);
}

void createPreview(HWND page, ScreenView& v) {
    v.richEdit = LoadLibraryA("RICHED32.DLL");
    if (!v.richEdit) return;
    HWND place = item(page, IDC_SCR_PREVIEW_PLACE);
    RECT r{};
    GetWindowRect(place, &r);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
    v.preview =
        CreateWindowExA(0, "RICHEDIT", "",
                        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                            ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                        r.left, r.top, r.right - r.left, r.bottom - r.top, page,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_SCR_PREVIEW)),
                        GetModuleHandleA(nullptr), nullptr);
    if (!v.preview) return;
    SetWindowPos(v.preview, place, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(v.preview, EM_EXLIMITTEXT, 0, kPreviewTextLimit);
    SendMessageA(v.preview, EM_SETEVENTMASK, 0, ENM_SELCHANGE);
    SetWindowSubclass(page, previewNotices, kPreviewSubclass, reinterpret_cast<DWORD_PTR>(&v));
    SetWindowSubclass(v.preview, previewKeys, kPreviewSubclass, 0);
}

// On creation and after Reset.
void setUp(PageContext& ctx) {
    HWND page = ctx.page;
    ScreenView& v = ctx.as<ScreenView>();
    v.page = page;
    v.image = &ctx.table.image();
    v.table = &ctx.table;
    fillLayouts(page, v);
    EnableWindow(item(page, IDC_SCR_LAYOUT), !layoutFixedByProduct(*v.image));
    if (!v.richEdit) createPreview(page, v);
    v.currentPage = 0;
    showPage(page, v);
}

void loadScreens(HWND page, ScreenView& v) {
    const auto name = chooseFile(page, FileDialogKind::Open, FileType::Screens);
    if (!name) return;
    const auto records = readScreenFile(*name);
    if (!records) return;
    const LoadOutcome out = loadHostScreens(*records, *v.image, companions());
    if (out.status == LoadStatus::NotSeparable) {
        showMessage(GetActiveWindow(), kNotSeparable, kCaption, MB_OK | MB_ICONWARNING);
        return;
    }
    if (out.status != LoadStatus::Loaded) return;
    if (out.bufferFull) {
        char text[sizeof kBufferFull + 8];
        std::snprintf(text, sizeof text, kBufferFull, static_cast<int>(fld::kPageCount));
        showMessage(GetActiveWindow(), text, kCaption, MB_OK | MB_ICONWARNING);
    }
    v.currentPage = 0;
    showPage(page, v);
}

void deletePage(HWND page, ScreenView& v) {
    if (showMessage(page, kDeleteQuestion, kCaption, MB_YESNO | MB_ICONWARNING) != IDYES) return;
    deleteCurrentPage(*v.image, companions(), v.currentPage);
    showPage(page, v);
}

bool pageButton(HWND page, ScreenView& v, int id) {
    const std::size_t pages = pagesInUse(*v.image);
    switch (id) {
        case IDC_SCR_FIRST_PAGE:
            v.currentPage = 0;
            break;
        case IDC_SCR_PREVIOUS_PAGE:
            if (v.currentPage > 0) --v.currentPage;
            break;
        case IDC_SCR_NEXT_PAGE:
            if (v.currentPage + 1 < pages) ++v.currentPage;
            break;
        case IDC_SCR_LAST_PAGE:
            v.currentPage = pages > 0 ? pages - 1 : 0;
            break;
        default:
            return false;
    }
    showPage(page, v);
    return true;
}

// A line row stored its change into the shown lines: they go back to their page.
void lineChanged(PageContext& ctx, int) {
    ScreenView& v = ctx.as<ScreenView>();
    storeShownLines({v.shownLines.data(), v.shownLines.size()}, v.currentPage, v.firstLine,
                    *v.image);
}

bool command(PageContext& ctx, int id, int code) {
    HWND page = ctx.page;
    ScreenView& v = ctx.as<ScreenView>();
    if (id == IDC_SCR_LAYOUT) {
        const int layout = comboSelection(item(page, id));
        if (code == CBN_SELCHANGE && layout >= 0) {
            v.image->setByte(slot::pageLayout(v.currentPage), static_cast<Byte>(layout));
            showLayout(page, v);
        }
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_SCR_LOAD:
            loadScreens(page, v);
            return true;
        case IDC_SCR_DELETE:
            deletePage(page, v);
            return true;
        case IDC_SCR_PREVIOUS_LINES:
            if (v.firstLine >= kShownLines) v.firstLine -= kShownLines;
            showLines(page, v);
            return true;
        case IDC_SCR_NEXT_LINES:
            if (v.firstLine + kShownLines < v.geometry.lines) v.firstLine += kShownLines;
            showLines(page, v);
            return true;
        default:
            return pageButton(page, v, id);
    }
}

// The sheet shows the page again: the Emulation page may have changed the font size.
void activate(PageContext& ctx) {
    ScreenView& v = ctx.as<ScreenView>();
    if (pageGeometry(*v.image, v.currentPage).fontSize == v.listFontSize) return;
    fillLayouts(ctx.page, v);
    showLayout(ctx.page, v);
}

void reset(PageContext& ctx) {
    defaultScreenPages(ctx.table.image(), companions());
}

void apply(PageContext& ctx) {
    tidyLineTexts(ctx.table.image());
}

constexpr PageSpec kPage = PageSpec{"SCREEN_DLG", PageProtocol::Snapshot}
                               .withControls(kControls)
                               .withEnableRules(kEnables)
                               .withState(makePageState<ScreenView>)
                               .onSetUp(setUp)
                               .onActivate(activate)
                               .onCommand(command)
                               .onChanged(lineChanged)
                               .onApply(apply)
                               .withReset(IDC_SCR_RESET, reset);

}  // namespace

const PageSpec& screenPage() {
    return kPage;
}

}  // namespace varomil
