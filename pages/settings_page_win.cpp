#include "pages/settings_page_win.h"

#include <commctrl.h>

#include <array>
#include <vector>

#include "app/document.h"
#include "pages/field_rules.h"
#include "pages/grid_editor_win.h"

namespace varomil {

namespace {

SheetSession* activeSession = nullptr;
bool applied = false;

struct PageInstance {
    SheetPage page;
    // Page-owned values of the grid fields, one per control of the table.
    std::vector<std::array<Byte, kGridMaxCapacity>> gridValues;
};

PageInstance* instanceOf(HWND page) {
    return reinterpret_cast<PageInstance*>(GetWindowLongPtrA(page, DWLP_USER));
}

GridTarget targetFor(PageInstance& p, std::size_t i) {
    const ControlSpec& c = p.page.definition->controls[i];
    return {p.gridValues[i].data(), kGridMaxCapacity, c.field.width, c.gridMode, c.gridLength};
}

unsigned numberIn(const ControlSpec& c) {
    const SettingsImage& image = settingsImage();
    return image.byte(c.field) + (c.highByte.width ? 256u * image.byte(c.highByte) : 0u);
}

void showControl(HWND page, PageInstance& p, std::size_t i) {
    const ControlSpec& c = p.page.definition->controls[i];
    const SettingsImage& image = settingsImage();
    HWND control = GetDlgItem(page, c.id);
    switch (c.kind) {
        case ControlKind::Check:
            CheckDlgButton(page, c.id, image.flag(c.field) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ControlKind::Radio:
            CheckDlgButton(page, c.id,
                           image.byte(c.field) == c.value ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ControlKind::Combo:
            SendMessageA(control, CB_RESETCONTENT, 0, 0);
            for (std::size_t n = 0; n < c.itemCount; ++n) {
                SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.items[n]));
            }
            // A value outside the list (from a damaged file) shows no item.
            SendMessageA(control, CB_SETCURSEL, image.byte(c.field), 0);
            break;
        case ControlKind::Number:
            setTextQuietly(control, std::to_string(numberIn(c)));
            break;
        case ControlKind::Text:
            SendMessageA(control, EM_LIMITTEXT, c.maxChars, 0);
            setTextQuietly(control, image.text(c.field));
            break;
        case ControlKind::Grid: {
            auto& value = p.gridValues[i];
            value.fill(0);
            for (std::size_t n = 0; n < c.field.width && n < value.size(); ++n) {
                value[n] = image.byte(c.field, n);
            }
            const GridTarget target = targetFor(p, i);
            enableGrid(control, target);
            setTextQuietly(control, gridTextOf(target));
            break;
        }
    }
}

void correctNumberInPlace(HWND control, const ControlSpec& c) {
    const CorrectedNumber n = correctNumber(controlText(control), c.low, c.high);
    if (n.rewrite) {
        setTextQuietly(control, n.text);
        SendMessageA(control, EM_SETSEL, n.text.size(), n.text.size());
    }
    settingsImage().setByte(c.field, static_cast<Byte>(n.value & 0xFF));
    if (c.highByte.width) settingsImage().setByte(c.highByte, static_cast<Byte>(n.value >> 8));
}

void cutTextInPlace(HWND control, const ControlSpec& c) {
    const CutText t = cutText(controlText(control), c.maxChars);
    if (t.rewrite) {
        setTextQuietly(control, t.text);
        SendMessageA(control, EM_SETSEL, t.text.size(), t.text.size());
    }
    settingsImage().setText(c.field, t.text);
}

// Writes a control change into the image; false when the table has no rule for it.
bool storeControl(HWND page, PageInstance& p, int id, int code) {
    const PageSpec& definition = *p.page.definition;
    for (std::size_t i = 0; i < definition.controlCount; ++i) {
        const ControlSpec& c = definition.controls[i];
        if (c.id != id) continue;
        HWND control = GetDlgItem(page, id);
        SettingsImage& image = settingsImage();
        switch (c.kind) {
            case ControlKind::Check:
                if (code == BN_CLICKED) image.setFlag(c.field, IsDlgButtonChecked(page, id));
                break;
            case ControlKind::Radio:
                if (code == BN_CLICKED && IsDlgButtonChecked(page, id)) {
                    image.setByte(c.field, static_cast<Byte>(c.value));
                }
                break;
            case ControlKind::Combo:
                if (code == CBN_SELCHANGE) {
                    const LRESULT sel = SendMessageA(control, CB_GETCURSEL, 0, 0);
                    if (sel >= 0) image.setByte(c.field, static_cast<Byte>(sel));
                }
                break;
            case ControlKind::Number:
                if (code == EN_CHANGE) correctNumberInPlace(control, c);
                break;
            case ControlKind::Text:
                if (code == EN_CHANGE) cutTextInPlace(control, c);
                break;
            case ControlKind::Grid:
                // Any notification: the grid editor has already stored the value.
                image.setRaw(c.field, p.gridValues[i].data(), c.field.width);
                break;
        }
        return true;
    }
    return false;
}

void applyPage(HWND page, PageInstance& p) {
    const PageSpec& definition = *p.page.definition;
    for (std::size_t i = 0; i < definition.controlCount; ++i) {
        if (definition.controls[i].kind == ControlKind::Text) {
            zeroFillTextSlot(settingsImage(), definition.controls[i].field);
        }
    }
    if (definition.apply) definition.apply(page);
    applied = true;
    if (activeSession) activeSession->pageApplied(p.page.index, definition.protocol);
}

LRESULT notify(HWND page, PageInstance& p, const NMHDR& n) {
    switch (n.code) {
        case PSN_APPLY:
            applyPage(page, p);
            return PSNRET_NOERROR;
        case PSN_QUERYCANCEL:
            if (activeSession)
                activeSession->pageCancelled(p.page.index, p.page.definition->protocol);
            return FALSE;  // the sheet may close
        case PSN_KILLACTIVE:
            return FALSE;
        default:
            return 0;
    }
}

}  // namespace

void setSheetSession(SheetSession* session) {
    activeSession = session;
    applied = false;
}

bool sheetApplied() {
    return applied;
}

void showPageValues(HWND page) {
    PageInstance* p = instanceOf(page);
    if (!p) return;
    for (std::size_t i = 0; i < p->page.definition->controlCount; ++i) showControl(page, *p, i);
}

INT_PTR CALLBACK settingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
            const auto* sheetPage = reinterpret_cast<const SheetPage*>(psp->lParam);
            auto* p = new PageInstance{*sheetPage, {}};
            p->gridValues.resize(sheetPage->definition->controlCount);
            SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(p));
            if (activeSession)
                activeSession->pageCreated(sheetPage->index, sheetPage->definition->protocol);
            showPageValues(page);
            if (p->page.definition->setUp) p->page.definition->setUp(page);
            return TRUE;
        }
        case WM_COMMAND: {
            PageInstance* p = instanceOf(page);
            if (!p || textIsQuiet()) return FALSE;
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (!storeControl(page, *p, id, code) && p->page.definition->command) {
                return p->page.definition->command(page, id, code) ? TRUE : FALSE;
            }
            return TRUE;
        }
        case WM_NOTIFY: {
            PageInstance* p = instanceOf(page);
            if (!p) return FALSE;
            SetWindowLongPtrA(page, DWLP_MSGRESULT,
                              notify(page, *p, *reinterpret_cast<const NMHDR*>(lParam)));
            return TRUE;
        }
        case WM_DESTROY:
            delete instanceOf(page);
            SetWindowLongPtrA(page, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace varomil
