#include "settings/factory_defaults.h"

namespace varomil {

// Placeholder until the section defaults land: header only.
void applyFactoryDefaults(SettingsImage& image, Companions&, int product) {
    image.clear();
    image.setText(fld::VersionTag, "V106");
    image.setByte(fld::ProductIndex, static_cast<Byte>(product));
}

}  // namespace varomil
