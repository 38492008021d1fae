#include "pages/settings_page_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "pages/field_rules.h"

namespace varomil {

namespace {

SheetSession* activeSession = nullptr;
bool applied = false;

struct PageInstance {
    SheetPage page;
    std::vector<ControlTable> tables;  // one, or those that take turns
    std::unique_ptr<PageState> state;
    std::size_t inForce = 0;

    ControlTable& table() { return tables[inForce]; }
    PageContext context(HWND window) { return {window, table(), state.get()}; }
};

std::vector<ControlTable> tablesOf(const PageSpec& d) {
    std::vector<ControlTable> tables;
    if (d.tables.count == 0) tables.emplace_back(d.table, liveAreas());
    for (const PageTable& t : d.tables) tables.emplace_back(t, liveAreas());
    return tables;
}

PageInstance* instanceOf(HWND page) {
    return reinterpret_cast<PageInstance*>(GetWindowLongPtrA(page, DWLP_USER));
}

void showAll(HWND page, PageInstance& p) {
    const PageSpec& d = *p.page.definition;
    if (d.tableFor) p.inForce = std::min(d.tableFor(settingsImage()), p.tables.size() - 1);
    p.table().showAll(page);
    PageContext ctx = p.context(page);
    if (p.page.definition->setUp) p.page.definition->setUp(ctx);
}

void applyPage(HWND page, PageInstance& p) {
    const PageSpec& definition = *p.page.definition;
    p.table().commitDeferred();
    for (const ControlSpec& c : p.table().rows()) {
        if (c.kind == ControlKind::Text && c.at.area == Area::Image) {
            zeroFillTextSlot(p.table().image(), c.at.field);
        }
    }
    PageContext ctx = p.context(page);
    if (definition.apply) definition.apply(ctx);
    // What the other tables held back was not applied: it goes.
    for (ControlTable& t : p.tables) t.dropDeferred();
    applied = true;
    if (activeSession) activeSession->pageApplied(p.page.index, definition.protocol);
}

LRESULT notify(HWND page, PageInstance& p, const NMHDR& n) {
    switch (n.code) {
        case PSN_SETACTIVE:
            if (p.page.definition->activate) {
                PageContext ctx = p.context(page);
                p.page.definition->activate(ctx);
            }
            return 0;
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

bool command(HWND page, PageInstance& p, int id, int code) {
    const PageSpec& definition = *p.page.definition;
    PageContext ctx = p.context(page);
    bool changed = false;
    if (p.table().handle(page, id, code, &changed)) {
        if (changed && definition.changed) definition.changed(ctx, id);
        return true;
    }
    if (definition.reset && id == definition.resetId && code == BN_CLICKED) {
        definition.reset(ctx);
        for (ControlTable& t : p.tables) t.dropDeferred();
        showAll(page, p);
        return true;
    }
    return definition.command && definition.command(ctx, id, code);
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
    if (PageInstance* p = instanceOf(page)) showAll(page, *p);
}

INT_PTR CALLBACK settingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
            const auto* sheetPage = reinterpret_cast<const SheetPage*>(psp->lParam);
            const PageSpec& d = *sheetPage->definition;
            auto* p =
                new PageInstance{*sheetPage, tablesOf(d), d.makeState ? d.makeState() : nullptr};
            SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(p));
            if (activeSession) activeSession->pageCreated(sheetPage->index, d.protocol);
            showAll(page, *p);
            return TRUE;
        }
        case WM_COMMAND: {
            PageInstance* p = instanceOf(page);
            if (!p || textIsQuiet()) return FALSE;
            return command(page, *p, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
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
