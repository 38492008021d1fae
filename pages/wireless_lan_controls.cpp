#include "pages/wireless_lan_controls.h"

namespace varomil {

unsigned activeHost(SettingsImage& image) {
    if (image.byte(fld::ActiveHostIndex) >= fld::kHostAddressCount) {
        image.setByte(fld::ActiveHostIndex, 0);
    }
    return image.byte(fld::ActiveHostIndex);
}

void trimWepKeys(SettingsImage& image) {
    const unsigned length = image.byte(fld::WepKeyLength);
    const std::size_t used = wlan::kWepKeyBytes[length < wlan::kWepKeyBytes.size() ? length : 0];
    for (std::size_t k = 0; k < fld::kWepKeyCount; ++k) {
        const Field key = slot::wepKey(k);
        for (std::size_t i = used; i < key.width; ++i) image.setByte(key, 0, i);
    }
}

}  // namespace varomil
