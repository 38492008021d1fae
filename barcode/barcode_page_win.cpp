#include "barcode/barcode_page_win.h"

namespace varomil {

namespace {
const PageSpec kPage{"BARCODESETTINGDLG", PageProtocol::Deferred};
}  // namespace

const PageSpec& barcodePage() {
    return kPage;
}

}  // namespace varomil
