#include "settings/builtin_tables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/core/golden.h"

namespace varomil {
namespace {

std::string hex(const KeyCode& code) {
    std::string s;
    char b[4];
    for (Byte x : code) {
        std::snprintf(b, sizeof b, "%02X ", static_cast<unsigned>(x));
        s += b;
    }
    return s;
}

// Every built-in table, one entry a line, with the index it is read by.
std::string dumpTables() {
    std::string out = "key names (code: name)\n";
    for (int code = 0; code < 256; ++code)
        out += std::to_string(code) + ": " + keyName(static_cast<Byte>(code)) + "\n";
    out += "terminal keys (record: name)\n";
    for (std::size_t n = 0; n <= fld::kKeyRecordCount; ++n)
        out += std::to_string(n) + ": '" + std::string(terminalKeyName(n)) + "'\n";
    out += "emulation buttons (button: record)\n";
    const auto& buttons = emulationButtonRecords();
    for (std::size_t b = 0; b < buttons.size(); ++b)
        out += std::to_string(b) + ": " + std::to_string(buttons[b]) + "\n";
    out += "host keys (number: name, nil / shift / alt codes)\n";
    for (unsigned k = 0; k <= 21; ++k) {
        out += std::to_string(k) + ": " + std::string(hostKeyName(k));
        if (k < 20) {
            for (unsigned mod = 0; mod < 3; ++mod)
                out += " | " + hex(standardKeyCodes().entry(mod, k));
        }
        out += "\n";
    }
    out += "keys per product (0..4)\n";
    for (int product = 0; product <= 4; ++product) {
        for (bool on : keyAvailability(product)) out += on ? '1' : '0';
        out += "\n";
    }
    out +=
        "prompt sections (first slot and its offset, slots, lines, width; products 1..3: "
        "display width, name)\n";
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) {
        const PromptSection& p = promptSection(s);
        out += std::to_string(p.firstSlot) + " @" +
               std::to_string(slot::promptSlot(p.firstSlot).offset) + " " +
               std::to_string(p.slots) + " " + std::to_string(p.lines) + " " +
               std::to_string(p.width);
        for (int product = 1; product <= 3; ++product)
            out += " " + std::to_string(promptDisplayWidth(product, s)) + " '" +
                   promptSectionName(product, s) + "'";
        out += "\n";
    }
    // One line past each section's slots, and a section past the last, give "".
    out += "factory prompt texts (product section line: text)\n";
    for (int product = 0; product <= 3; ++product) {
        for (std::size_t s = 0; s <= kPromptSectionCount; ++s) {
            const std::size_t slots = s < kPromptSectionCount ? promptSection(s).slots : 0;
            for (std::size_t l = 0; l <= slots; ++l)
                out += std::to_string(product) + " " + std::to_string(s) + " " + std::to_string(l) +
                       ": '" + factoryPromptText(product, s, l) + "'\n";
        }
    }
    out += "layouts (index, font: columns x lines, text)\n";
    for (unsigned index = 0; index <= kLayoutCount; ++index) {
        for (unsigned font = 0; font <= 2; ++font) {
            const Layout* l = layoutFor(index, font);
            out += std::to_string(index) + " " + std::to_string(font) + ": ";
            out += l ? std::to_string(l->columns) + "x" + std::to_string(l->lines) + " '" +
                           std::string(l->text) + "'\n"
                     : "none\n";
        }
    }
    return out;
}

TEST(BuiltinTables, EveryTableAsItsGoldenFileHasIt) {
    expectGolden("builtin_tables.txt", dumpTables());
}

}  // namespace
}  // namespace varomil
