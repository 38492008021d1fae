#include "settings/builtin_tables.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
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
    out += "prompt sections (first slot, slots, lines, width; names of products 1..3)\n";
    for (std::size_t s = 0; s < kPromptSectionCount; ++s) {
        const PromptSection& p = promptSection(s);
        out += std::to_string(p.firstSlot) + " " + std::to_string(p.slots) + " " +
               std::to_string(p.lines) + " " + std::to_string(p.width);
        for (int product = 1; product <= 3; ++product)
            out += " '" + promptSectionName(product, s) + "'";
        out += "\n";
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

// Spot checks that hold whatever the golden file says.
TEST(BuiltinTables, SpotChecks) {
    EXPECT_EQ(keyName(0x1B), "ESC");
    EXPECT_EQ(keyName(0x20), "SP");
    EXPECT_EQ(keyName(0x00), "");
    EXPECT_EQ(keyName(0xC8), "200");
    EXPECT_EQ(terminalKeyName(36), "Up  ");
    EXPECT_EQ(terminalKeyName(49), "");
    EXPECT_EQ(hostKeyName(20), "User defined");
    EXPECT_EQ(standardKeyCodes().entry(0, 5), (KeyCode{0x1B, '[', '1', '5', '~'}));
    EXPECT_EQ(standardKeyCodes().entry(1, 19), (KeyCode{0x1B, '[', 'Z'}));
    EXPECT_EQ(standardKeyCodes().entry(2, 18), (KeyCode{0x1B, '[', '3', '~'}));
    // FN+E, FN+F, FN+G, FN+I, FN+J, FN+K, FN+N and record 49 have no button.
    const auto& buttons = emulationButtonRecords();
    const std::set<std::size_t> used(buttons.begin(), buttons.end());
    EXPECT_EQ(used.size(), 42u);
    for (std::size_t n : {14u, 15u, 16u, 18u, 19u, 20u, 23u, 49u}) EXPECT_EQ(used.count(n), 0u);
    EXPECT_TRUE(keyAvailability(1)[36]);
    EXPECT_FALSE(keyAvailability(1)[13]);
    EXPECT_TRUE(keyAvailability(2)[13]);
    EXPECT_TRUE(keyAvailability(3)[48]);
    EXPECT_EQ(layoutFor(2, 1)->text, "15 characters * 12 lines");
    EXPECT_EQ(layoutFor(5, 0), nullptr);
}

TEST(PromptTables, SectionsNamesAndWidths) {
    for (std::size_t s = 0; s < 12; ++s) {
        const PromptSection& sec = promptSection(s);
        EXPECT_EQ(slot::promptSlot(sec.firstSlot).offset, 82 + 41 * sec.firstSlot) << s;
        // The display width is the one in the section's name, "(12*2)" and so on.
        for (int product : {1, 2}) {
            const std::string name = promptSectionName(product, s);
            EXPECT_EQ(name.size(), 30u);
            const std::string dim = "(" + std::to_string(promptDisplayWidth(product, s)) + "*" +
                                    std::to_string(sec.lines) + ")";
            EXPECT_NE(name.find(dim), std::string::npos) << name;
        }
    }
    EXPECT_EQ(promptSection(2).firstSlot, 12u);
    EXPECT_EQ(promptSection(11).width, 20u);
    EXPECT_EQ(promptSectionName(1, 0), "Main Menu (12*2)              ");
    EXPECT_EQ(promptSectionName(3, 3), "Emulation Settings (20*8)     ");
}

TEST(PromptTables, FactoryTextsPerProduct) {
    EXPECT_EQ(factoryPromptText(1, 0, 0), "1. Telnet   ");
    EXPECT_EQ(factoryPromptText(2, 0, 0), "1. Telnet      ");
    EXPECT_EQ(factoryPromptText(1, 9, 3), "Download NG!");
    EXPECT_EQ(factoryPromptText(3, 9, 3), "Download failed");
    EXPECT_EQ(factoryPromptText(1, 11, 7), std::string(16, ' '));
    EXPECT_EQ(factoryPromptText(0, 1, 0), "");
    EXPECT_EQ(factoryPromptText(2, 0, 4), "");  // Main Menu has 4 slots
    EXPECT_EQ(factoryPromptText(2, 12, 0), "");
    bool anyDifferent = false;
    for (std::size_t s = 0; s < 12; ++s) {
        for (std::size_t l = 0; l < promptSection(s).slots; ++l) {
            EXPECT_EQ(factoryPromptText(2, s, l), factoryPromptText(3, s, l));
            anyDifferent |= factoryPromptText(1, s, l) != factoryPromptText(2, s, l);
        }
    }
    EXPECT_TRUE(anyDifferent);
}

}  // namespace
}  // namespace varomil
