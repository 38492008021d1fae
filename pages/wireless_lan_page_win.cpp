#include "pages/wireless_lan_page_win.h"

namespace varomil {

namespace {
const PageSpec kPage{"WLAN_DLG", PageProtocol::Snapshot};
}  // namespace

const PageSpec& wirelessLanPage() {
    return kPage;
}

}  // namespace varomil
