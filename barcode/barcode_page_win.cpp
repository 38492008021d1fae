#include "barcode/barcode_page_win.h"

#include <string>

#include "barcode/advanced_dialog_win.h"
#include "barcode/reader_page.h"
#include "barcode/rfid_dialog_win.h"
#include "barcode/symbology_dialog_win.h"
#include "resources/barcode_ids.h"
#include "settings/factory_defaults.h"
#include "settings/key_roles.h"
#include "settings/value_lists.h"
#include "shell/accessible_name_win.h"
#include "shell/resource_strings_win.h"

namespace varomil {

namespace {

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

int product() {
    return settingsImage().byte(fld::ProductIndex);
}

ReaderKind storedKind() {
    return readerKind(settingsImage().byte(fld::ReaderType));
}

void setLabel(HWND page, int id, UINT text) {
    SetDlgItemTextA(page, id, loadResourceString(text).c_str());
}

// After the table of the family in force showed its values: the texts of the
// family, which boxes and "more..." buttons its list has, and what the product
// offers. The table's rules have enabled the rest.
void setUp(PageContext& ctx) {
    HWND page = ctx.page;
    const ReaderKind kind = storedKind();
    const bool twoD = uses2DBlock(kind);

    for (const auto& l : kFixedLabels) setLabel(page, l.id, l.text);
    setLabel(page, IDC_BC_LABEL_401, twoD ? IDS_BC_LED_ILLUMINATION : IDS_BC_SCAN_MODE);
    setLabel(page, IDC_BC_LABEL_402, twoD ? IDS_BC_AIMER_PATTERN : IDS_BC_READ_REDUNDANCY);
    HWND readerType = GetDlgItem(page, IDC_BC_READER_TYPE);
    fillCombo(readerType, lists::kReaderType);
    SendMessageA(readerType, CB_SETCURSEL,
                 static_cast<WPARAM>(readerTypeIndex(settingsImage().byte(fld::ReaderType))), 0);

    const SymbologyList list = symbologyList(kind);
    const UINT firstLabel = twoD ? IDS_BC_LABEL_2D : IDS_BC_LABEL_1D;
    const std::string more = loadResourceString(IDS_BC_MORE);
    for (int id = IDC_BC_FIRST_CHECK; id <= IDC_BC_LAST_CHECK; ++id) {
        const SymbologyEntry* e = entryForCheck(list, id);
        const std::string label =
            e ? loadResourceString(firstLabel + (id - IDC_BC_FIRST_CHECK)) : std::string();
        HWND box = GetDlgItem(page, id);
        SetWindowTextA(box, label.c_str());
        ShowWindow(box, e ? SW_SHOW : SW_HIDE);
        if (!e) CheckDlgButton(page, id, BST_UNCHECKED);
        HWND button = GetDlgItem(page, id - IDC_BC_FIRST_CHECK + IDC_BC_FIRST_MORE);
        SetWindowTextA(button, more.c_str());
        ShowWindow(button, e && e->moreId != 0 ? SW_SHOW : SW_HIDE);
        setAccessibleName(button, moreButtonName(label, more));
    }

    EnableWindow(readerType, product() == 3);
    EnableWindow(GetDlgItem(page, IDC_BC_RFID_SETTINGS), product() >= 2);
}

void moreClicked(HWND page, int id) {
    const SymbologyEntry* e = entryForMore(symbologyList(storedKind()), id);
    if (e == nullptr || e->dialog.empty()) return;
    runSymbologyDialog(page, std::string(e->dialog).c_str());
}

bool command(PageContext& ctx, int id, int code) {
    HWND page = ctx.page;
    if (id >= IDC_BC_FIRST_MORE && id <= IDC_BC_LAST_MORE && code == BN_CLICKED) {
        moreClicked(page, id);
        return true;
    }
    switch (id) {
        case IDC_BC_READER_TYPE:
            // Stored at once; the other family's table comes with the clicks it kept.
            if (code == CBN_SELCHANGE &&
                chooseReaderType(settingsImage(), comboSelection(GetDlgItem(page, id)))) {
                showPageValues(page);
            }
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

void apply(PageContext&) {
    finishBarcodeApply(settingsImage(), companions());
}

// Factory values of the barcode settings. The switch key gives back only its own
// role: the key bindings made on the Emulation tab stay as they are.
void reset(PageContext&) {
    SettingsImage& image = settingsImage();
    chooseRoleKey(image, companions().functionKeys, fld::ScanSwitchKey, KeyRole::SwitchKey, 0);
    defaultBarcodeSettings(image, companions());
}

}  // namespace

const PageSpec& barcodePage() {
    static const PageSpec kPage = PageSpec{"BARCODESETTINGDLG", PageProtocol::Deferred}
                                      .withTables(barcodeTables(), barcodeTableFor)
                                      .onSetUp(setUp)
                                      .onCommand(command)
                                      .onApply(apply)
                                      .withReset(IDC_BC_RESET, reset);
    return kPage;
}

}  // namespace varomil
