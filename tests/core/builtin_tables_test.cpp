#include "settings/builtin_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

namespace varomil {
namespace {

TEST(KeyNames, EveryRangeOfTheTable) {
    const std::pair<Byte, const char*> cases[] = {
        {0x00, ""},   {0x01, "Ins"}, {0x08, "BS"},  {0x0D, "Enter"}, {0x0E, "PgDn"},
        {0x0F, "F1"}, {0x1A, "F12"}, {0x1B, "ESC"}, {0x1C, "Exec"},  {0x1D, ""},
        {0x1F, ""},   {0x20, "SP"},  {0x21, "!"},   {0x22, "\""},    {0x41, "A"},
        {0x5C, "\\"}, {0x7E, "~"},   {0x7F, "DEL"}, {0x80, "128"},   {0xC8, "200"},
        {0xFF, "255"}};
    for (const auto& [code, name] : cases) EXPECT_EQ(keyName(code), name) << int(code);
}

TEST(TerminalKeys, NamesAndEmulationButtons) {
    const std::pair<int, const char*> names[] = {
        {0, "FN+0"},  {9, "FN+9"},  {12, "ENTER"}, {13, "FN+D"}, {14, "FN+E"},
        {35, "FN+Z"}, {36, "Up  "}, {39, "Right"}, {41, "End "}, {46, "TAB "},
        {48, "F12 "}, {49, ""},     {50, ""}};
    for (const auto& [n, name] : names) EXPECT_EQ(terminalKeyName(n), name) << n;

    const auto& buttons = emulationButtonRecords();
    // FN+D, FN+H, FN+M, FN+O, F12, BS, Enter.
    const std::pair<std::size_t, std::size_t> some[] = {{10, 13}, {11, 17}, {13, 22}, {14, 24},
                                                        {38, 48}, {39, 10}, {41, 12}};
    for (const auto& [button, record] : some) EXPECT_EQ(buttons[button], record) << button;
    // FN+E, FN+F, FN+G, FN+I, FN+J, FN+K, FN+N and record 49 have no button.
    const std::set<std::size_t> used(buttons.begin(), buttons.end());
    EXPECT_EQ(used.size(), 42u);
    for (std::size_t n : {14u, 15u, 16u, 18u, 19u, 20u, 23u, 49u}) EXPECT_EQ(used.count(n), 0u);
}

TEST(HostKeys, NamesAndStandardCodes) {
    const std::pair<int, const char*> names[] = {
        {0, "Undefined"}, {12, "F12"}, {14, "Page Down"}, {20, "User defined"}, {21, ""}};
    for (const auto& [n, name] : names) EXPECT_EQ(hostKeyName(n), name) << n;

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
    // Shift and Alt rows, spot checks.
    const struct {
        unsigned mod, key;
        KeyCode code;
    } others[] = {{1, 5, {0x1B, '[', 'K'}},
                  {1, 10, {0x1B, '[', '3', '5', '~'}},
                  {1, 13, {}},
                  {1, 18, {0x7F}},
                  {1, 19, {0x1B, '[', 'Z'}},
                  {2, 1, {0x1B, '[', '2', '3', '~'}},
                  {2, 11, {}},
                  {2, 15, {0x1B, '[', '4', '~'}},
                  {2, 18, {0x1B, '[', '3', '~'}},
                  {2, 19, {}}};
    for (const auto& o : others) EXPECT_EQ(t.entry(o.mod, o.key), o.code) << o.mod << o.key;
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
    const struct {
        int index, font, columns, lines;
        const char* text;
    } cases[] = {{0, 0, 20, 8, "20 characters *  8 lines"},
                 {2, 0, 20, 24, "20 characters * 24 lines"},
                 {4, 0, 40, 16, "40 characters * 16 lines"},
                 {2, 1, 15, 12, "15 characters * 12 lines"},
                 {3, 1, 30, 4, "30 characters *  4 lines"}};
    for (const auto& c : cases) {
        const auto* l = layoutFor(c.index, c.font);
        ASSERT_NE(l, nullptr);
        EXPECT_EQ(std::make_tuple(int(l->columns), int(l->lines), l->text),
                  std::make_tuple(c.columns, c.lines, std::string(c.text)))
            << c.index << c.font;
    }
    EXPECT_EQ(layoutFor(5, 0), nullptr);
    EXPECT_EQ(layoutFor(0, 2), nullptr);
}

}  // namespace
}  // namespace varomil
