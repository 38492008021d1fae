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

ControlTable::ControlTable(ControlRows controls, EnableRows enables, AreaSet areas)
    : controls_(controls),
      enables_(enables),
      areas_(areas),
      gridValues_(controls.count),
      limits_(controls.count) {
    for (std::size_t i = 0; i < controls.count; ++i) limits_[i] = controls[i].maxChars;
    dropDeferred();
}

void ControlTable::dropDeferred() {
    for (auto& copy : deferred_) copy.clear();
    for (const ControlSpec& c : controls_) {
        if (!(c.flags & kDeferred)) continue;
        const ByteSpan area = areas_[c.at.area];
        if (area.data) {
            deferred_[static_cast<std::size_t>(c.at.area)].assign(area.data, area.data + area.size);
        }
    }
}

ByteSpan ControlTable::readArea(Area a) {
    std::vector<Byte>& copy = deferred_[static_cast<std::size_t>(a)];
    return copy.empty() ? areas_[a] : ByteSpan{copy.data(), copy.size()};
}

ByteSpan ControlTable::rowArea(const ControlSpec& c) {
    return (c.flags & kDeferred) ? readArea(c.at.area) : areas_[c.at.area];
}

void ControlTable::limitText(HWND dialog, int id, std::size_t chars) {
    for (std::size_t i = 0; i < controls_.count; ++i) {
        if (controls_[i].id != id || controls_[i].kind != ControlKind::Text) continue;
        limits_[i] = chars;
        showAt(dialog, i);
    }
}

void ControlTable::showAll(HWND dialog) {
    for (std::size_t i = 0; i < controls_.count; ++i) showAt(dialog, i);
    applyEnableRules(dialog);
}

void ControlTable::show(HWND dialog, int id) {
    for (std::size_t i = 0; i < controls_.count; ++i) {
        if (controls_[i].id == id) showAt(dialog, i);
    }
}

void ControlTable::showAt(HWND dialog, std::size_t i) {
    const ControlSpec& c = controls_[i];
    const ByteSpan area = rowArea(c);
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
                std::min(gridCapacity(c, readArea(c.capacityFrom.area)), width);
            // Bytes past a shorter capacity are not part of the value any more.
            std::fill(value.begin() + static_cast<std::ptrdiff_t>(capacity), value.end(), Byte{0});
            const GridTarget target{value.data(), width, capacity, c.gridMode, c.gridLength};
            enableGrid(control, target);
            SendMessageA(control, EM_SETREADONLY, TRUE, 0);
            setTextQuietly(control, gridTextOf(target));
            showAsGridField(control);
            break;
        }
    }
}

bool ControlTable::handle(HWND dialog, int id, int code, bool* changed) {
    bool known = false;
    bool any = false;
    for (std::size_t i = 0; i < controls_.count; ++i) {
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
            changed = code == BN_CLICKED;
            // A plain check box (not an automatic one) is toggled here.
            if (changed && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_CHECKBOX) {
                CheckDlgButton(
                    dialog, c.id,
                    IsDlgButtonChecked(dialog, c.id) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            }
            break;
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
            storeState(dialog, i);
            return code == EN_CHANGE;
    }
    if (changed) storeState(dialog, i);
    return changed;
}

void ControlTable::storeState(HWND dialog, std::size_t i) {
    const ControlSpec& c = controls_[i];
    const ByteSpan area = rowArea(c);
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
            break;
    }
}

void ControlTable::commitDeferred() {
    for (const ControlSpec& c : controls_) {
        if (c.flags & kDeferred) commitRow(c, readArea(c.at.area), areas_[c.at.area]);
    }
}

void ControlTable::applyEnableRules(HWND dialog) {
    for (const EnableRule& rule : enables_) {
        const BOOL on = ruleEnables(rule, readArea(rule.when.area)) ? TRUE : FALSE;
        for (int id = rule.first; id <= rule.last; ++id) {
            if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, on);
        }
    }
}

}  // namespace varomil
