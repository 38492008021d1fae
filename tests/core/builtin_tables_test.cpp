#include "settings/builtin_tables.h"

#include <gtest/gtest.h>

#include <set>

namespace varomil {
namespace {

TEST(KeyNames, EveryRangeOfTheTable) {
    EXPECT_EQ(keyName(0x00), "");
    EXPECT_EQ(keyName(0x01), "Ins");
    EXPECT_EQ(keyName(0x08), "BS");
    EXPECT_EQ(keyName(0x0D), "Enter");
    EXPECT_EQ(keyName(0x0E), "PgDn");
    EXPECT_EQ(keyName(0x0F), "F1");
    EXPECT_EQ(keyName(0x1A), "F12");
    EXPECT_EQ(keyName(0x1B), "ESC");
    EXPECT_EQ(keyName(0x1C), "Exec");
    EXPECT_EQ(keyName(0x1D), "");
    EXPECT_EQ(keyName(0x1F), "");
    EXPECT_EQ(keyName(0x20), "SP");
    EXPECT_EQ(keyName(0x21), "!");
    EXPECT_EQ(keyName(0x22), "\"");
    EXPECT_EQ(keyName(0x41), "A");
    EXPECT_EQ(keyName(0x5C), "\\");
    EXPECT_EQ(keyName(0x7E), "~");
    EXPECT_EQ(keyName(0x7F), "DEL");
    EXPECT_EQ(keyName(0x80), "128");
    EXPECT_EQ(keyName(0xC8), "200");
    EXPECT_EQ(keyName(0xFF), "255");
}

TEST(TerminalKeys, NamesAndEmulationButtons) {
    EXPECT_EQ(terminalKeyName(0), "FN+0");
    EXPECT_EQ(terminalKeyName(9), "FN+9");
    EXPECT_EQ(terminalKeyName(12), "ENTER");
    EXPECT_EQ(terminalKeyName(13), "FN+D");
    EXPECT_EQ(terminalKeyName(14), "FN+E");
    EXPECT_EQ(terminalKeyName(35), "FN+Z");
    EXPECT_EQ(terminalKeyName(36), "Up  ");
    EXPECT_EQ(terminalKeyName(39), "Right");
    EXPECT_EQ(terminalKeyName(41), "End ");
    EXPECT_EQ(terminalKeyName(46), "TAB ");
    EXPECT_EQ(terminalKeyName(48), "F12 ");
    EXPECT_EQ(terminalKeyName(49), "");
    EXPECT_EQ(terminalKeyName(50), "");

    const auto& buttons = emulationButtonRecords();
    EXPECT_EQ(buttons[10], 13u);  // FN+D
    EXPECT_EQ(buttons[11], 17u);  // FN+H
    EXPECT_EQ(buttons[13], 22u);  // FN+M
    EXPECT_EQ(buttons[14], 24u);  // FN+O
    EXPECT_EQ(buttons[38], 48u);  // F12
    EXPECT_EQ(buttons[39], 10u);  // BS
    EXPECT_EQ(buttons[41], 12u);  // Enter
    // FN+E, FN+F, FN+G, FN+I, FN+J, FN+K, FN+N and record 49 have no button.
    const std::set<std::size_t> used(buttons.begin(), buttons.end());
    EXPECT_EQ(used.size(), 42u);
    for (std::size_t n : {14u, 15u, 16u, 18u, 19u, 20u, 23u, 49u}) EXPECT_EQ(used.count(n), 0u);
}

TEST(HostKeys, NamesAndStandardCodes) {
    EXPECT_EQ(hostKeyName(0), "Undefined");
    EXPECT_EQ(hostKeyName(12), "F12");
    EXPECT_EQ(hostKeyName(14), "Page Down");
    EXPECT_EQ(hostKeyName(20), "User defined");
    EXPECT_EQ(hostKeyName(21), "");

    const FunctionKeyTable& t = standardKeyCodes();
    const std::string nil[20] = {"",         "\x1bOP",   "\x1bOQ",   "\x1bOR",   "\x1bOS",
                                 "\x1b[15~", "\x1b[17~", "\x1b[18~", "\x1b[19~", "\x1b[20~",
                                 "\x1b[21~", "\x1b[23~", "\x1b[24~", "\x1b[V",   "\x1b[U",
                                 "\x1b[H",   "\x1b[K",   "\x1b[2~",  "\x7f",     "\t"};
    for (unsigned k = 0; k < 20; ++k) {
        KeyCode want{};
        for (std::size_t i = 0; i < nil[k].size(); ++i) want[i] = static_cast<Byte>(nil[k][i]);
        EXPECT_EQ(t.entry(0, k), want) << k;
    }
    EXPECT_EQ(t.entry(1, 5), (KeyCode{0x1B, '[', 'K', 0, 0}));
    EXPECT_EQ(t.entry(1, 10), (KeyCode{0x1B, '[', '3', '5', '~'}));
    EXPECT_EQ(t.entry(1, 13), KeyCode{});
    EXPECT_EQ(t.entry(1, 18), (KeyCode{0x7F, 0, 0, 0, 0}));
    EXPECT_EQ(t.entry(1, 19), (KeyCode{0x1B, '[', 'Z', 0, 0}));
    EXPECT_EQ(t.entry(2, 1), (KeyCode{0x1B, '[', '2', '3', '~'}));
    EXPECT_EQ(t.entry(2, 11), KeyCode{});
    EXPECT_EQ(t.entry(2, 15), (KeyCode{0x1B, '[', '4', '~', 0}));
    EXPECT_EQ(t.entry(2, 18), (KeyCode{0x1B, '[', '3', '~', 0}));
    EXPECT_EQ(t.entry(2, 19), KeyCode{});
}

TEST(KeyAvailability, KeysPerProduct) {
    auto keys = [](int product) {
        std::set<std::size_t> out;
        const KeyAvailability a = keyAvailability(product);
        for (std::size_t n = 0; n < a.size(); ++n) {
            if (a[n]) out.insert(n);
        }
        return out;
    };
    const std::set<std::size_t> base{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::set<std::size_t> p1 = base, p2 = base, p3 = base;
    p1.insert({36, 37});
    p2.insert({13, 17, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39});
    p3.insert({36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48});
    EXPECT_EQ(keys(1), p1);
    EXPECT_EQ(keys(2), p2);
    EXPECT_EQ(keys(3), p3);
    EXPECT_EQ(keys(1).size(), 15u);
    EXPECT_EQ(keys(2).size(), 33u);
    EXPECT_EQ(keys(3).size(), 26u);
    EXPECT_EQ(keys(0).size(), 50u);
    EXPECT_EQ(keys(4).size(), 50u);
}

TEST(PromptTables, SectionsNamesAndWidths) {
    const std::size_t offsets[12] = {82,   246,  574,  902,  1230, 1394,
                                     1558, 1722, 1886, 2050, 2214, 2542};
    const std::size_t lines[12] = {2, 8, 8, 8, 4, 4, 4, 4, 4, 4, 7, 6};
    const std::size_t widths[12] = {15, 20, 20, 20, 20, 15, 15, 15, 15, 15, 20, 20};
    for (std::size_t s = 0; s < 12; ++s) {
        const PromptSection& sec = promptSection(s);
        EXPECT_EQ(slot::promptSlot(sec.firstSlot).offset, offsets[s]) << s;
        EXPECT_EQ(sec.lines, lines[s]) << s;
        EXPECT_EQ(sec.width, widths[s]) << s;
        // The display width is the one in the section's name, "(12*2)" and so on.
        for (int product : {1, 2}) {
            const std::string name = promptSectionName(product, s);
            EXPECT_EQ(name.size(), 30u);
            const std::string dim = "(" + std::to_string(promptDisplayWidth(product, s)) + "*" +
                                    std::to_string(lines[s]) + ")";
            EXPECT_NE(name.find(dim), std::string::npos) << name;
        }
    }
    EXPECT_EQ(promptSectionName(1, 0), "Main Menu (12*2)              ");
    EXPECT_EQ(promptSectionName(3, 3), "Emulation Settings (20*8)     ");
    EXPECT_EQ(promptSectionName(2, 9), "Download Messages (15*4)      ");
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

TEST(Layouts, ByIndexAndFontSize) {
    ASSERT_NE(layoutFor(0, 0), nullptr);
    EXPECT_EQ(layoutFor(0, 0)->text, "20 characters *  8 lines");
    EXPECT_EQ(layoutFor(2, 0)->lines, 24);
    EXPECT_EQ(layoutFor(4, 0)->columns, 40);
    EXPECT_EQ(layoutFor(4, 0)->text, "40 characters * 16 lines");
    EXPECT_EQ(layoutFor(2, 1)->text, "15 characters * 12 lines");
    EXPECT_EQ(layoutFor(3, 1)->columns, 30);
    EXPECT_EQ(layoutFor(3, 1)->lines, 4);
    EXPECT_EQ(layoutFor(5, 0), nullptr);
    EXPECT_EQ(layoutFor(0, 2), nullptr);
}

}  // namespace
}  // namespace varomil
