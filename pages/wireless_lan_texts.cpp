#include "pages/wireless_lan_texts.h"

namespace varomil {

namespace {

constexpr Field kTexts[] = {
    fld::SubnetMask, fld::Gateway,       fld::DnsServer,      fld::TerminalIp,    fld::LocalName,
    fld::Ssid,       fld::EapId,         fld::EapPassword,    fld::WpaPassphrase, fld::LoginName,
    fld::NamePrompt, fld::LoginPassword, fld::PasswordPrompt, fld::LogoutCommand,
};

}  // namespace

void tidyWirelessLanTexts(SettingsImage& image, unsigned activeHost) {
    for (Field f : kTexts) image.tidyText(f);
    image.tidyText(slot::hostAddress(activeHost));
}

}  // namespace varomil
