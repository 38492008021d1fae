#include "barcode/barcode_page_win.h"

#include <string>

#include "barcode/advanced_dialog_win.h"
#include "barcode/reader_page.h"
#include "barcode/rfid_dialog_win.h"
#include "barcode/symbology_dialog_win.h"
#include "pages/field_rules.h"
#include "resources/barcode_ids.h"
#include "settings/factory_defaults.h"
#include "settings/key_roles.h"
#include "settings/value_lists.h"
#include "shell/resource_strings_win.h"

namespace varomil {

namespace {

// The 2D list's fifth and sixth boxes: Bookland is offered only with EAN13.
constexpr int kEan13Check = IDC_BC_FIRST_CHECK + 4;
constexpr int kBooklandCheck = IDC_BC_FIRST_CHECK + 5;
constexpr int kMoreOffset = IDC_BC_FIRST_MORE - IDC_BC_FIRST_CHECK;
constexpr unsigned kMaxSeconds = 255;

// Labels that read the same for both families.
constexpr struct {
    int id;
    UINT text;
} kFixedLabels[] = {
    {IDC_BC_READER_GROUP, IDS_BC_READER_GROUP},
    {IDC_BC_READER_LABEL, IDS_BC_READER_LABEL},
    {IDC_BC_SETTINGS_GROUP, IDS_BC_SETTINGS_GROUP},
    {IDC_BC_SYMBOLOGY_GROUP, IDS_BC_SYMBOLOGY_GROUP},
    {IDC_BC_TIMEOUT_LABEL, IDS_BC_TIMEOUT},
    {IDC_BC_TIMEOUT_UNIT, IDS_BC_SECONDS},
    {IDC_BC_AIM_LABEL, IDS_BC_AIM_LABEL},
    {IDC_BC_AIM_UNIT, IDS_BC_SECONDS},
    {IDC_BC_RFID_READER, IDS_BC_RFID_READER},
    {IDC_BC_RESET, IDS_BC_RESET},
};

// The reader settings editable in the 1D family only (the 2D family shows them).
constexpr int kSettings1D[] = {IDC_BC_LABEL_401,   IDC_BC_LIST_401,      IDC_BC_LABEL_402,
                               IDC_BC_LIST_402,    IDC_BC_TIMEOUT_LABEL, IDC_BC_TIMEOUT,
                               IDC_BC_TIMEOUT_UNIT};
constexpr int kAimDuration[] = {IDC_BC_AIM_LABEL, IDC_BC_AIM_DURATION, IDC_BC_AIM_UNIT};

int product() {
    return settingsImage().byte(fld::ProductIndex);
}

ReaderKind storedKind() {
    return readerKind(settingsImage().byte(fld::ReaderType));
}

void setLabel(HWND page, int id, UINT text) {
    SetDlgItemTextA(page, id, loadResourceString(text).c_str());
}

void enable(HWND page, int id, bool on) {
    EnableWindow(GetDlgItem(page, id), on ? TRUE : FALSE);
}

bool isChecked(HWND page, int id) {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

void select(HWND page, int id, int index) {
    SendDlgItemMessageA(page, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

template <std::size_t N>
void fillList(HWND page, int id, const std::array<std::string_view, N>& items, int index) {
    fillCombo(GetDlgItem(page, id), items);
    select(page, id, index);
}

// While the page is on screen a refilled number goes through the edit's
// correction like a typed one; while it is being created it shows what is stored.
void showNumber(HWND page, int id, unsigned value) {
    const std::string text = std::to_string(value);
    if (IsWindowVisible(page)) {
        SetDlgItemTextA(page, id, text.c_str());
    } else {
        setTextQuietly(GetDlgItem(page, id), text);
    }
}

// Fills the page for the stored reader type: labels, lists, the boxes of the
// family's list from its working block. Unapplied clicks are dropped.
void fillPage(PageContext& ctx) {
    HWND page = ctx.page;
    const SettingsImage& image = settingsImage();
    const ReaderKind kind = storedKind();
    const bool twoD = uses2DBlock(kind);
    const bool longRange = kind == ReaderKind::LongRange;
    const BarcodePageState shown = barcodePageState(image, companions());

    for (const auto& l : kFixedLabels) setLabel(page, l.id, l.text);
    setLabel(page, IDC_BC_LABEL_401, twoD ? IDS_BC_LED_ILLUMINATION : IDS_BC_SCAN_MODE);
    setLabel(page, IDC_BC_LABEL_402, twoD ? IDS_BC_AIMER_PATTERN : IDS_BC_READ_REDUNDANCY);

    fillList(page, IDC_BC_READER_TYPE, lists::kReaderType, shown.readerIndex);
    if (twoD) {
        fillList(page, IDC_BC_LIST_401, lists::kLedIllumination, shown.list401);
        fillList(page, IDC_BC_LIST_402, lists::kAimerPattern, shown.list402);
    } else {
        fillList(page, IDC_BC_LIST_401, lists::kScanMode, shown.list401);
        fillList(page, IDC_BC_LIST_402, lists::kReadRedundancy, shown.list402);
    }
    SendDlgItemMessageA(page, IDC_BC_TIMEOUT, EM_LIMITTEXT, twoD ? 1 : 3, 0);
    SendDlgItemMessageA(page, IDC_BC_AIM_DURATION, EM_LIMITTEXT, 3, 0);
    showNumber(page, IDC_BC_TIMEOUT, shown.timeout);
    showNumber(page, IDC_BC_AIM_DURATION, shown.aimDuration);
    for (int id : kSettings1D) enable(page, id, !twoD);
    for (int id : kAimDuration) enable(page, id, longRange);

    const SymbologyList list = symbologyList(kind);
    const UINT firstLabel = twoD ? IDS_BC_LABEL_2D : IDS_BC_LABEL_1D;
    const std::string more = loadResourceString(IDS_BC_MORE);
    for (int id = IDC_BC_FIRST_CHECK; id <= IDC_BC_LAST_CHECK; ++id) {
        const SymbologyEntry* e = entryForCheck(list, id);
        const bool usable = e && !(longRange && e->longRangeOff);
        HWND box = GetDlgItem(page, id);
        SetWindowTextA(box,
                       e ? loadResourceString(firstLabel + (id - IDC_BC_FIRST_CHECK)).c_str() : "");
        CheckDlgButton(page, id, e && shown.box(id) ? BST_CHECKED : BST_UNCHECKED);
        ShowWindow(box, e ? SW_SHOW : SW_HIDE);
        EnableWindow(box, usable);
        HWND button = GetDlgItem(page, id + kMoreOffset);
        SetWindowTextA(button, more.c_str());
        ShowWindow(button, e && e->moreId != 0 ? SW_SHOW : SW_HIDE);
        EnableWindow(button, usable);
    }
    if (twoD) enable(page, kBooklandCheck, isChecked(page, kEan13Check));

    enable(page, IDC_BC_READER_TYPE, product() == 3);
    enable(page, IDC_BC_RFID_SETTINGS, product() >= 2);
}

// Time-out 1..255, AIM duration 0..255, corrected as they are typed.
void correctSeconds(HWND page, int id) {
    if (!IsWindowVisible(page)) return;
    HWND edit = GetDlgItem(page, id);
    const unsigned low = id == IDC_BC_TIMEOUT ? 1 : 0;
    const CorrectedNumber n = correctNumber(controlText(edit), low, kMaxSeconds);
    if (!n.rewrite) return;
    setTextQuietly(edit, n.text);
    const TextSelection sel = selectionAfter(n);
    SendMessageA(edit, EM_SETSEL, sel.start, sel.end);
}

void readerTypeChosen(PageContext& ctx) {
    const int index = comboSelection(GetDlgItem(ctx.page, IDC_BC_READER_TYPE));
    const unsigned stored = settingsImage().byte(fld::ReaderType);
    if (index < 0 || index == readerTypeIndex(stored)) return;
    settingsImage().setByte(fld::ReaderType, static_cast<Byte>(readerTypeForIndex(stored, index)));
    fillPage(ctx);
}

void moreClicked(HWND page, int id) {
    const SymbologyEntry* e = entryForMore(symbologyList(storedKind()), id);
    if (e == nullptr || e->dialog.empty()) return;
    runSymbologyDialog(page, std::string(e->dialog).c_str());
}

bool command(PageContext& ctx, int id, int code) {
    HWND page = ctx.page;
    if (id >= IDC_BC_FIRST_CHECK && id <= IDC_BC_LAST_CHECK && code == BN_CLICKED) {
        // Plain check boxes: the page toggles them, and they wait for apply.
        CheckDlgButton(page, id, isChecked(page, id) ? BST_UNCHECKED : BST_CHECKED);
        if (id == kEan13Check && uses2DBlock(storedKind())) {
            enable(page, kBooklandCheck, isChecked(page, kEan13Check));
        }
        return true;
    }
    if (id >= IDC_BC_FIRST_MORE && id <= IDC_BC_LAST_MORE && code == BN_CLICKED) {
        moreClicked(page, id);
        return true;
    }
    switch (id) {
        case IDC_BC_READER_TYPE:
            if (code == CBN_SELCHANGE) readerTypeChosen(ctx);
            return true;
        case IDC_BC_TIMEOUT:
        case IDC_BC_AIM_DURATION:
            if (code == EN_CHANGE) correctSeconds(page, id);
            return true;
        case IDC_BC_RFID_SETTINGS:
            if (code == BN_CLICKED) runRfidDialog(page);
            return true;
        case IDC_BC_ADVANCED:
            if (code == BN_CLICKED) runAdvancedDialog(page);
            return true;
        default:
            return false;
    }
}

unsigned numberIn(HWND page, int id) {
    return static_cast<unsigned>(parseSaturating(controlText(GetDlgItem(page, id)), 0xFF).value);
}

void apply(PageContext& ctx) {
    HWND page = ctx.page;
    BarcodePageState s;
    s.readerIndex = comboSelection(GetDlgItem(page, IDC_BC_READER_TYPE));
    for (int id = IDC_BC_FIRST_CHECK; id <= IDC_BC_LAST_CHECK; ++id)
        s.box(id) = isChecked(page, id);
    s.list401 = comboSelection(GetDlgItem(page, IDC_BC_LIST_401));
    s.list402 = comboSelection(GetDlgItem(page, IDC_BC_LIST_402));
    s.timeout = numberIn(page, IDC_BC_TIMEOUT);
    s.aimDuration = numberIn(page, IDC_BC_AIM_DURATION);
    applyBarcodePage(s, settingsImage(), companions());
}

// Factory values of the barcode settings. The switch key gives back only its own
// role: the key bindings made on the Emulation tab stay as they are.
void reset(PageContext&) {
    SettingsImage& image = settingsImage();
    chooseRoleKey(image, companions().functionKeys, fld::ScanSwitchKey, KeyRole::SwitchKey, 0);
    defaultBarcodeSettings(image, companions());
}

constexpr PageSpec kPage = PageSpec{"BARCODESETTINGDLG", PageProtocol::Deferred}
                               .onSetUp(fillPage)
                               .onCommand(command)
                               .onApply(apply)
                               .withReset(IDC_BC_RESET, reset);

}  // namespace

const PageSpec& barcodePage() {
    return kPage;
}

}  // namespace varomil
