// The System page's working copy of the prompt and message lines: twelve
// sections of eight line texts, written back into the image section by section.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "settings/settings_image.h"

namespace varomil {

constexpr std::size_t kPromptLinesPerSection = 8;  // lines a page can show

class PromptLines {
  public:
    // Reads every slot of every section; lines beyond a section's slots are empty.
    void load(const SettingsImage& image);
    const std::string& line(std::size_t section, std::size_t line) const;
    // Keeps the first `width` characters of the section (what the terminal shows).
    void setLine(std::size_t section, std::size_t line, std::string_view text);
    // Writes the lines of one section into its own slots and no others: a section
    // of four slots never reaches into the next one.
    void storeSection(SettingsImage& image, std::size_t section) const;
    void storeAll(SettingsImage& image) const;

  private:
    std::array<std::array<std::string, kPromptLinesPerSection>, 12> lines_;
};

// Apply: every prompt slot padded with blanks to 40 characters, 0 in byte 41.
void tidyPromptSlots(SettingsImage& image);

}  // namespace varomil
