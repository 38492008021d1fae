#include "screens/screen_page_win.h"

namespace varomil {

namespace {
const PageSpec kPage{"SCREEN_DLG", PageProtocol::Snapshot};
}  // namespace

const PageSpec& screenPage() {
    return kPage;
}

}  // namespace varomil
