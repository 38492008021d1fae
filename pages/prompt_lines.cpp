#include "pages/prompt_lines.h"

#include "pages/field_rules.h"
#include "settings/builtin_tables.h"

namespace varomil {

static_assert(kPromptSectionCount == 12);

void PromptLines::load(const SettingsImage& image) {
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) {
        const PromptSection& section = promptSection(s);
        for (std::size_t l = 0; l < kPromptLinesPerSection; ++l) {
            lines_[s][l] =
                l < section.slots ? image.text(slot::promptSlot(section.firstSlot + l)) : "";
        }
    }
}

const std::string& PromptLines::line(std::size_t section, std::size_t line) const {
    return lines_[section % kPromptSectionCount][line % kPromptLinesPerSection];
}

void PromptLines::setLine(std::size_t section, std::size_t line, std::string_view text) {
    if (section >= kPromptSectionCount || line >= kPromptLinesPerSection) return;
    lines_[section][line] = std::string(text.substr(0, promptSection(section).width));
}

void PromptLines::storeSection(SettingsImage& image, std::size_t section) const {
    if (section >= kPromptSectionCount) return;
    const PromptSection& s = promptSection(section);
    for (std::size_t l = 0; l < s.slots && l < kPromptLinesPerSection; ++l) {
        image.setText(slot::promptSlot(s.firstSlot + l), lines_[section][l]);
    }
}

void PromptLines::storeAll(SettingsImage& image) const {
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) storeSection(image, s);
}

void tidyPromptSlots(SettingsImage& image) {
    for (std::size_t n = 0; n < fld::kPromptSlotCount; ++n) {
        blankFillTextSlot(image, slot::promptSlot(n));
    }
}

}  // namespace varomil
