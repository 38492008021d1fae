// Factory defaults of the whole image and of each page section (the pages' Reset).
#pragma once

#include "settings/settings_image.h"

namespace varomil {

// Everything, for product 0..3 (0 = none selected).
void applyFactoryDefaults(SettingsImage& image, Companions& c, int product);

void defaultSystemSettings(SettingsImage& image);
void defaultPromptTexts(SettingsImage& image);
void defaultBarcodeSettings(SettingsImage& image, Companions& c);
void defaultNetworkSettings(SettingsImage& image, const Companions& c);
void defaultEmulationSettings(SettingsImage& image, const Companions& c);
void defaultFunctionKeyMap(SettingsImage& image, Companions& c);
void defaultScreenPages(SettingsImage& image, Companions& c);

}  // namespace varomil
