// Loading host screens into pages: the cells that tell screens apart, the tries
// it takes to find them, duplicates, the 50-page limit, and hostile files.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "screens/screen_file.h"
#include "screens/screen_pages.h"
#include "settings/factory_defaults.h"
#include "tests/core/golden.h"

namespace varomil {
namespace {

struct Cell {
    int row;
    int column;
    char ch;
};
using Screen = std::vector<Cell>;

// Blanks in rows 0..23 except the named cells; row 24 stays zero.
CapturedScreenBlock block(const Screen& cells) {
    CapturedScreenBlock b{};
    std::fill_n(b.begin() + 80, 24 * 80, Byte{' '});
    for (const Cell& c : cells) b[80 + 80 * c.row + c.column] = static_cast<Byte>(c.ch);
    return b;
}

std::vector<CapturedScreenBlock> blocks(const std::vector<Screen>& screens) {
    std::vector<CapturedScreenBlock> out;
    for (const Screen& s : screens) out.push_back(block(s));
    return out;
}

std::string field(const SettingsImage& image, Field f) {
    return {image.bytes().begin() + f.offset, image.bytes().begin() + f.end()};
}

// 20 positions from `start` by `step`.
std::string run(int start, int step) {
    std::string s;
    for (int k = 0; k < 20; ++k) s += static_cast<char>(start + k * step);
    return s;
}

std::string keyWith(std::size_t at, char ch) {
    std::string s(20, ' ');
    s[at] = ch;
    return s;
}

struct Rig {
    std::unique_ptr<SettingsImage> image = std::make_unique<SettingsImage>();
    std::unique_ptr<Companions> comp = std::make_unique<Companions>();
    Rig() { applyFactoryDefaults(*image, *comp, 2); }
};

const Screen kS1{{2, 2, 'A'}};

// One worked example a line of tests/data/screens/load_examples.txt: name | the
// screens, "/" between them, each as its cells "row,column,char" ("-": blank) |
// tries | stored columns and rows as "start+step" for 20 positions ("-": nothing
// found) | the records that became pages | each page's key: blanks but for the
// character after the position ("_" a blank). Nothing found: the last two left out.
// In load_length_examples.txt a name "length N, ..." sets that length first.
struct Example {
    std::string name;
    int length;  // -1: the factory's
    std::vector<Screen> screens;
    int tries;
    std::string columns, rows;
    std::vector<std::size_t> pages;
    std::vector<std::string> keys;
};

std::vector<Example> readExamples() {
    std::vector<Example> out;
    const auto positions = [](const std::string& f) {
        return f == "-" ? "" : run(std::stoi(f), std::stoi(f.substr(f.find('+') + 1)));
    };
    auto lines = readCases("screens/load_examples.txt");
    for (const auto& f : readCases("screens/load_length_examples.txt")) lines.push_back(f);
    for (const std::vector<std::string>& f : lines) {
        const bool cut = f.at(0).rfind("length ", 0) == 0;
        const int length = cut ? std::stoi(f[0].substr(7)) : -1;
        const auto upTo = [&](std::string s) {
            if (cut) std::fill(s.begin() + std::min<std::size_t>(length, s.size()), s.end(), 0);
            return s;
        };
        Example e{f[0],
                  length,
                  {},
                  std::stoi(f.at(2)),
                  upTo(positions(f.at(3))),
                  upTo(positions(f.at(4))),
                  {},
                  {}};
        std::istringstream screens(f[1]), pages(f.size() > 5 ? f[5] : ""),
            keys(f.size() > 6 ? f[6] : "");
        for (std::string screen; std::getline(screens, screen, '/');) {
            std::istringstream cells(screen);
            e.screens.emplace_back();
            int row, column;
            for (char comma, ch; cells >> row >> comma >> column >> comma >> ch;)
                e.screens.back().push_back({row, column, ch});
        }
        for (std::size_t p; pages >> p;) e.pages.push_back(p);
        for (std::string k; keys >> k;)
            e.keys.push_back(upTo(keyWith(std::stoul(k), k.back() == '_' ? ' ' : k.back())));
        out.push_back(e);
    }
    return out;
}

TEST(ScreensLoad, WorkedExamplesStoreTheirCellsAfterTheCountedTries) {
    const std::vector<Example> examples = readExamples();
    ASSERT_GE(examples.size(), 15u);
    for (const Example& e : examples) {
        SCOPED_TRACE(e.name);
        Rig rig;
        rig.image->setByte(fld::PageCount, 7);
        if (e.length >= 0)
            rig.image->setByte(fld::CharacteristicLength, static_cast<Byte>(e.length));
        const SettingsImage before = *rig.image;
        rig.comp->capturedScreens[0][100] = 'z';
        const auto records = blocks(e.screens);
        const LoadOutcome out = loadHostScreens(records, *rig.image, *rig.comp);
        EXPECT_EQ(out.tries, e.tries);
        if (e.pages.empty()) {
            // Nothing changes, not even the screens of the previous load.
            EXPECT_EQ(out.status, LoadStatus::NotSeparable);
            EXPECT_EQ(rig.image->bytes(), before.bytes());
            EXPECT_EQ(rig.comp->capturedScreens[0][100], 'z');
            continue;
        }
        ASSERT_EQ(out.status, LoadStatus::Loaded);
        EXPECT_FALSE(out.bufferFull);
        EXPECT_EQ(field(*rig.image, fld::CharacteristicColumns), e.columns);
        EXPECT_EQ(field(*rig.image, fld::CharacteristicRows), e.rows);
        EXPECT_EQ(rig.image->byte(fld::PageCount), e.pages.size());
        EXPECT_EQ(rig.image->byte(fld::ScreensPresent), 1);
        for (std::size_t p = 0; p < fld::kPageCount; ++p) {
            const bool used = p < e.pages.size();
            EXPECT_EQ(rig.comp->capturedScreens[p],
                      used ? records[e.pages[p]] : CapturedScreenBlock{});
            if (used) {
                EXPECT_EQ(field(*rig.image, slot::pageCharacteristics(p)), e.keys[p]);
            }
        }
        // Only screens and characteristics change; the rest of the image stays.
        SettingsImage masked = *rig.image;
        for (Field f : {fld::CharacteristicColumns, fld::CharacteristicRows,
                        fld::PageCharacteristics, fld::PageCount, fld::ScreensPresent}) {
            masked.setRaw(f, before.bytes().data() + f.offset, f.width);
        }
        EXPECT_EQ(masked.bytes(), before.bytes());
    }
}

TEST(ScreensLoad, FiftyPagesAtMost) {
    for (std::size_t distinct : {49u, 50u, 51u}) {
        SCOPED_TRACE(distinct);
        std::vector<Screen> screens;
        for (std::size_t i = 0; i < distinct; ++i) {
            screens.push_back({{2, 2, static_cast<char>('A' + i)}});
            screens.push_back(kS1);  // copies in between do not count
        }
        Rig rig;
        const auto records = blocks(screens);
        const LoadOutcome out = loadHostScreens(records, *rig.image, *rig.comp);
        ASSERT_EQ(out.status, LoadStatus::Loaded);
        EXPECT_EQ(out.bufferFull, distinct >= 50);
        EXPECT_EQ(rig.image->byte(fld::PageCount), std::min<std::size_t>(distinct, 50));
        EXPECT_EQ(rig.comp->capturedScreens[49][80 + 2 * 80 + 2], distinct >= 50 ? 'A' + 49 : 0);
        EXPECT_EQ(rig.comp->capturedScreens[1], records[2]);
    }
}

TEST(ScreensLoad, ReaderTakesWholeRecordsUpToTheBuffer) {
    const CapturedScreenBlock one = block({{2, 2, 'A'}});
    std::vector<Byte> file{'V', '1', '0', '0'};
    file.resize(20);
    for (int i = 0; i < 2; ++i) file.insert(file.end(), one.begin(), one.end());
    const struct {
        std::size_t size;
        std::size_t records;
    } cases[] = {{0, 0},          {5, 0}, {19, 0}, {20, 0}, {20 + 2079, 0}, {20 + 2080 + 7, 1},
                 {file.size(), 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const auto records = readScreenRecords(file.data(), c.size);
        ASSERT_EQ(records.size(), c.records);
        if (c.records) {
            EXPECT_EQ(records[0], one);
            continue;
        }
        // An empty load, header only or garbage, changes nothing at all.
        Rig rig;
        rig.image->setByte(fld::PageCount, 3);
        rig.comp->capturedScreens[2][500] = 'q';
        const SettingsImage before = *rig.image;
        EXPECT_EQ(loadHostScreens(records, *rig.image, *rig.comp).status, LoadStatus::NoRecords);
        EXPECT_EQ(rig.image->bytes(), before.bytes());
        EXPECT_EQ(rig.comp->capturedScreens[2][500], 'q');
    }
}

TEST(ScreensLoad, RecordsPastTheHundredthAreIgnored) {
    for (std::size_t count : {101u, 1000u}) {
        SCOPED_TRACE(count);
        std::vector<Byte> file(20);
        for (std::size_t i = 0; i < count; ++i) {
            // Record 100 and later differ from record 0 only in row 0: never separable.
            const CapturedScreenBlock b =
                i < 100 ? block({{2, 2, static_cast<char>(i < 40 ? 'A' + i : 'A')}})
                        : block({{0, 0, 'Z'}, {2, 2, 'A'}});
            file.insert(file.end(), b.begin(), b.end());
        }
        const auto records = readScreenRecords(file.data(), file.size());
        EXPECT_EQ(records.size(), 100u);
        Rig rig;
        const LoadOutcome out = loadHostScreens(records, *rig.image, *rig.comp);
        EXPECT_EQ(out.status, LoadStatus::Loaded);
        EXPECT_EQ(out.pages, 40u);
    }
}

// A capture of four host screens and the main menu again, loaded from disk.
TEST(ScreensLoad, CaptureFileLoadsIntoPagesOnTheFirstDiagonal) {
    const auto records = readScreenFile(VAROMIL_TEST_DATA "/screens/warehouse.scr");
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 5u);
    EXPECT_FALSE(readScreenFile(VAROMIL_TEST_DATA "/screens/missing.scr"));
    Rig rig;
    const LoadOutcome out = loadHostScreens(*records, *rig.image, *rig.comp);
    EXPECT_EQ(out.tries, 1);
    ASSERT_EQ(out.pages, 4u);
    const auto keys = readCases("screens/warehouse_keys.txt");
    ASSERT_EQ(keys.size(), 4u);
    for (std::size_t p = 0; p < 4; ++p) {
        EXPECT_EQ(field(*rig.image, slot::pageCharacteristics(p)), unescaped(keys[p][0])) << p;
        EXPECT_EQ(rig.comp->capturedScreens[p], (*records)[p]) << p;
    }
}

}  // namespace
}  // namespace varomil
