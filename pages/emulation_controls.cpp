#include "pages/emulation_controls.h"

#include <string>

#include "pages/field_rules.h"

namespace varomil {

namespace {

// Steps that fit each font's display: horizontal, vertical.
struct Steps {
    Byte horizontal;
    Byte vertical;
};
constexpr Steps kStepsForFont[] = {{19, 7}, {14, 3}};
static_assert(std::size(kStepsForFont) == lists::kFontSize.size());

}  // namespace

bool chooseFontSize(SettingsImage& image, std::size_t font) {
    if (font >= lists::kFontSize.size() || font == image.byte(fld::FontSize)) return false;
    image.setByte(fld::FontSize, static_cast<Byte>(font));
    image.setByte(fld::HorizontalSteps, kStepsForFont[font].horizontal);
    image.setByte(fld::VerticalSteps, kStepsForFont[font].vertical);
    return true;
}

void storeTerminalType(SettingsImage& image, std::string_view type) {
    type = type.substr(0, kTerminalTypeChars);
    image.setText(fld::TerminalType, type.empty() ? lists::kDefaultTerminalType : type);
    zeroFillTextSlot(image, fld::TerminalType);
}

}  // namespace varomil
