#include "pages/control_table_win.h"

#include <algorithm>
#include <string>

#include "pages/field_rules.h"
#include "pages/grid_editor_win.h"
#include "pages/grid_field_win.h"
#include "settings/value_lists.h"
#include "shell/dialog_controls_win.h"
#include "shell/message_box_win.h"

namespace varomil {

ByteSpan AreaSet::operator[](Area a) const {
    switch (a) {
        case Area::Image:
            return image ? ByteSpan{image->bytes().data(), image->bytes().size()} : ByteSpan{};
        case Area::Reader1D:
            return reader1D;
        case Area::Reader2D:
            return reader2D;
        case Area::Buffer:
            return buffer;
    }
    return {};
}

AreaSet liveAreas() {
    Companions& c = companions();
    return {&settingsImage(),
            {c.reader1D.data(), c.reader1D.size()},
            {c.reader2D.data(), c.reader2D.size()},
            {}};
}

std::string fieldText(ByteSpan area, Field f) {
    if (area.data == nullptr || f.offset >= area.size) return {};
    const Byte* start = area.data + f.offset;
    const Byte* end = start + std::min(f.width, area.size - f.offset);
    return std::string(start, std::find(start, end, Byte{0}));
}

void setFieldText(ByteSpan area, Field f, const std::string& text) {
    if (area.data == nullptr || f.width == 0 || f.end() > area.size) return;
    const std::size_t n = std::min(text.size(), f.width - 1);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), area.data + f.offset);
    area.data[f.offset + n] = 0;
}

void showKeyTakenMessage(HWND owner) {
    showMessage(owner, "The function key is defined already !! ", "Function Key Mapping",
                MB_OK | MB_ICONWARNING);
}

ControlTable::ControlTable(const ControlSpec* controls, std::size_t count,
                           const EnableRule* enables, std::size_t enableCount, AreaSet areas)
    : controls_(controls),
      count_(count),
      enables_(enables),
      enableCount_(enableCount),
      areas_(areas),
      gridValues_(count),
      limits_(count) {
    for (std::size_t i = 0; i < count; ++i) limits_[i] = controls[i].maxChars;
}

void ControlTable::limitText(HWND dialog, int id, std::size_t chars) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (controls_[i].id != id || controls_[i].kind != ControlKind::Text) continue;
        limits_[i] = chars;
        showAt(dialog, i);
    }
}

const ControlSpec* ControlTable::find(int id) const {
    for (std::size_t i = 0; i < count_; ++i) {
        if (controls_[i].id == id) return &controls_[i];
    }
    return nullptr;
}

Byte* ControlTable::gridBytes(int id) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (controls_[i].id == id) return gridValues_[i].data();
    }
    return nullptr;
}

void ControlTable::showAll(HWND dialog) {
    for (std::size_t i = 0; i < count_; ++i) showAt(dialog, i);
    applyEnableRules(dialog);
}

void ControlTable::show(HWND dialog, int id) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (controls_[i].id == id) showAt(dialog, i);
    }
}

void ControlTable::showAt(HWND dialog, std::size_t i) {
    const ControlSpec& c = controls_[i];
    const ByteSpan area = areas_[c.at.area];
    HWND control = GetDlgItem(dialog, c.id);
    switch (c.kind) {
        case ControlKind::Check:
            CheckDlgButton(dialog, c.id, storedCheck(c, area) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ControlKind::Radio:
            CheckDlgButton(dialog, c.id, storedRadio(c, area) ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ControlKind::Combo:
            fillCombo(control, c.items, c.itemCount);
            SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(storedSelection(c, area)), 0);
            break;
        case ControlKind::RoleKey: {
            fillCombo(control, lists::kKeySelector);
            const unsigned v = readBits(area, c.at);
            SendMessageA(control, CB_SETCURSEL,
                         v < lists::kKeySelector.size() ? v : static_cast<WPARAM>(-1), 0);
            break;
        }
        case ControlKind::Number:
            if (c.maxChars != 0) SendMessageA(control, EM_LIMITTEXT, c.maxChars, 0);
            setTextQuietly(control, std::to_string(storedNumber(c, area)));
            break;
        case ControlKind::Text:
            if (!(c.flags & kKeepTyped)) SendMessageA(control, EM_LIMITTEXT, limits_[i], 0);
            setTextQuietly(control, fieldText(area, c.at.field).substr(0, limits_[i]));
            break;
        case ControlKind::Grid: {
            auto& value = gridValues_[i];
            value.fill(0);
            const std::size_t width = std::min(c.at.field.width, value.size());
            for (std::size_t n = 0; n < width && c.at.field.offset + n < area.size; ++n) {
                value[n] = area.data[c.at.field.offset + n];
            }
            const std::size_t capacity =
                std::min(gridCapacity(c, areas_[c.capacityFrom.area]), width);
            // Bytes past a shorter capacity are not part of the value any more.
            std::fill(value.begin() + static_cast<std::ptrdiff_t>(capacity), value.end(), Byte{0});
            const GridTarget target{value.data(), width, capacity, c.gridMode, c.gridLength};
            enableGrid(control, target);
            SendMessageA(control, EM_SETREADONLY, TRUE, 0);
            setTextQuietly(control, gridTextOf(target));
            showAsGridField(control);
            break;
        }
        case ControlKind::EditCombo:
            break;
    }
}

bool ControlTable::handle(HWND dialog, int id, int code, bool* changed) {
    bool known = false;
    bool any = false;
    for (std::size_t i = 0; i < count_; ++i) {
        if (controls_[i].id != id) continue;
        known = true;
        any = store(dialog, i, code) || any;
    }
    if (known) applyEnableRules(dialog);
    if (changed) *changed = any;
    return known;
}

bool ControlTable::store(HWND dialog, std::size_t i, int code) {
    const ControlSpec& c = controls_[i];
    HWND control = GetDlgItem(dialog, c.id);
    bool changed = false;
    switch (c.kind) {
        case ControlKind::Check:
        case ControlKind::Radio:
            changed = code == BN_CLICKED;
            break;
        case ControlKind::Combo:
            changed = code == CBN_SELCHANGE;
            break;
        case ControlKind::RoleKey:
            // A browse with the arrow keys lasts while the selector has the focus.
            if (code == CBN_SETFOCUS || code == CBN_KILLFOCUS) keyRoleMemory().clear();
            if (code == CBN_SELCHANGE) {
                const int choice = comboSelection(control);
                if (choice < 0) break;
                // Roles are given at once: they change key records other pages show.
                if (!chooseRoleKey(image(), companions().functionKeys, c.at.field,
                                   static_cast<KeyRole>(c.value), choice,
                                   GetFocus() == control ? &keyRoleMemory() : nullptr)) {
                    showKeyTakenMessage(dialog);
                    showAt(dialog, i);
                }
                return true;
            }
            return false;
        case ControlKind::Number:
            if (code == EN_CHANGE) {
                changed = true;
                const CorrectedNumber n = correctedNumber(c, controlText(control));
                if (n.rewrite) {
                    setTextQuietly(control, n.text);
                    const TextSelection sel = selectionAfter(n);
                    SendMessageA(control, EM_SETSEL, sel.start, sel.end);
                }
            }
            break;
        case ControlKind::Text:
            if (code == EN_CHANGE) {
                changed = true;
                if (c.flags & kKeepTyped) break;
                const CutText t = cutText(controlText(control), limits_[i]);
                if (t.rewrite) {
                    setTextQuietly(control, t.text);
                    SendMessageA(control, EM_SETSEL, t.text.size(), t.text.size());
                }
            }
            break;
        case ControlKind::Grid:
            // Any notification stores (the grid editor has already written the
            // value); only a new text is a change the page hears of.
            if (!(c.flags & kDeferred)) storeState(dialog, i);
            return code == EN_CHANGE;
        case ControlKind::EditCombo:
            return code == CBN_EDITCHANGE || code == CBN_SELCHANGE;
    }
    if (changed && !(c.flags & kDeferred)) storeState(dialog, i);
    return changed;
}

void ControlTable::storeState(HWND dialog, std::size_t i) {
    const ControlSpec& c = controls_[i];
    const ByteSpan area = areas_[c.at.area];
    HWND control = GetDlgItem(dialog, c.id);
    switch (c.kind) {
        case ControlKind::Check:
            storeCheck(c, area, IsDlgButtonChecked(dialog, c.id) == BST_CHECKED);
            break;
        case ControlKind::Radio:
            if (IsDlgButtonChecked(dialog, c.id) == BST_CHECKED) storeRadio(c, area);
            break;
        case ControlKind::Combo:
            storeSelection(c, area, comboSelection(control));
            break;
        case ControlKind::Number:
            storeNumber(c, area, correctedNumber(c, controlText(control)).value);
            break;
        case ControlKind::Text:
            setFieldText(area, c.at.field, controlText(control).substr(0, limits_[i]));
            break;
        case ControlKind::Grid: {
            const std::size_t n = std::min(c.at.field.width, gridValues_[i].size());
            if (c.at.field.offset + n <= area.size) {
                std::copy_n(gridValues_[i].begin(), n, area.data + c.at.field.offset);
            }
            break;
        }
        case ControlKind::RoleKey:
        case ControlKind::EditCombo:
            break;
    }
}

void ControlTable::commitDeferred(HWND dialog) {
    for (std::size_t i = 0; i < count_; ++i) {
        if (controls_[i].flags & kDeferred) storeState(dialog, i);
    }
}

void ControlTable::applyEnableRules(HWND dialog) {
    for (std::size_t r = 0; r < enableCount_; ++r) {
        const EnableRule& rule = enables_[r];
        const bool match = readBits(areas_[rule.when.area], rule.when) == rule.equals;
        const BOOL on = match != rule.inverted;
        for (int id = rule.first; id <= rule.last; ++id) {
            if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, on);
        }
    }
}

}  // namespace varomil
