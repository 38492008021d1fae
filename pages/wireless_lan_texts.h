// The Wireless LAN page's text slots as apply leaves them for the terminal.
#pragma once

#include "settings/settings_image.h"

namespace varomil {

// Every text of the page, the passphrase and the active host entry (`activeHost`,
// 0 to 4) end with zeros up to and including their last byte: the terminal reads
// a slot up to its first 0 and would run on into the next field.
void tidyWirelessLanTexts(SettingsImage& image, unsigned activeHost);

}  // namespace varomil
