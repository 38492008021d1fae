#include "pages/emulation_page_win.h"

namespace varomil {

namespace {
const PageSpec kPage{"EMULATION_DLG", PageProtocol::Snapshot};
}  // namespace

const PageSpec& emulationPage() {
    return kPage;
}

}  // namespace varomil
